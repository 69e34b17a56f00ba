#include "report/ReportCalculation.h"

#include <cmath>

#include "calc/NumberText.h"
#include "data/EquipmentHeatTables.h"
#include "kit/CalculationTexts.h"
#include "kit/MainWindow.h"

MainCalculation runMainCalculation(const MainWindow& form, const EquipmentHeatTables& tables) {
    MainCalculation c;
    HeatBalanceInput& in = c.input;
    in.mode = form.selectedMode();
    in.height = form.fieldValue(CabinetField::Height);
    in.width = form.fieldValue(CabinetField::Width);
    in.depth = form.fieldValue(CabinetField::Depth);
    in.internalHeat = form.fieldValue(CabinetField::InternalHeat);
    in.t1 = form.fieldValue(CabinetField::T1);
    in.t2 = form.fieldValue(CabinetField::T2);
    in.t3 = form.fieldValue(CabinetField::T3);
    in.t4 = form.fieldValue(CabinetField::T4);
    in.uValue = form.fieldValue(CabinetField::UValue);

    const HeatBalanceResult r = ComputeHeatBalance(in);
    c.finite = r.finite;
    if (!r.finite) {
        c.messages << calculationMessageText(CalculationMessage::OutOfRange);
        return c;
    }
    c.area = r.area;
    c.deltaT = r.deltaT;
    for (HeatBalanceFinding finding : r.findings)
        c.messages << calculationMessageText(messageOfFinding(finding));
    c.chartOpens = std::fabs(r.deltaT) >= kMinimumChartDeltaT;

    if (r.result) {
        c.result = r.result;
        c.resultText = QString::fromStdString(FormatNumber(*r.result, "0.00"));
        // The checks read the result as the field holds it: rounded to two
        // decimals.
        const double shown = ParseNumber(c.resultText.toStdString());
        if (shown < 0) c.messages << calculationMessageText(CalculationMessage::NegativeResult);
        if (in.mode == SelectionMode::Aircon) {
            const int i = RecommendAirconModel(shown, tables.AirconModelCapacity);
            c.modelCapacity = tables.AirconModelCapacity[static_cast<size_t>(i)];
            c.modelName = airconModelDesignation(c.modelCapacity);
            c.modelIndex = i;
        } else {
            const int i = RecommendFanModel(shown, tables.FanModelCapacity);
            c.modelCapacity = tables.FanModelCapacity[static_cast<size_t>(i)];
            c.modelName = QString::fromStdString(tables.FanModelName[static_cast<size_t>(i)]);
            c.modelIndex = i;
        }
        // The capacity as its field would hold it, read back.
        const double capacity = ParseNumber(NumberText(c.modelCapacity));
        if (capacity < shown)
            c.messages << calculationMessageText(CalculationMessage::ModelExceeded);
    }
    if (!c.chartOpens) c.messages << calculationMessageText(CalculationMessage::SmallDifference);
    return c;
}
