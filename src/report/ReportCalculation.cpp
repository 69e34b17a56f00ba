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
        c.messages << CalculationMessage::OutOfRange;
        return c;
    }
    c.area = r.area;
    c.deltaT = r.deltaT;
    for (HeatBalanceFinding finding : r.findings) c.messages << messageOfFinding(finding);
    c.chartOpens = std::fabs(r.deltaT) >= kMinimumChartDeltaT;

    if (r.result) {
        c.result = r.result;
        c.resultText = QString::fromStdString(FormatNumber(*r.result, "0.00"));
        // The checks read the result as the field holds it: rounded to two
        // decimals.
        const double shown = ParseNumber(c.resultText.toStdString());
        if (shown < 0) c.messages << CalculationMessage::NegativeResult;
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
        if (capacity < shown) c.messages << CalculationMessage::ModelExceeded;
    }
    if (!c.chartOpens) c.messages << CalculationMessage::SmallDifference;
    return c;
}

QString reportFieldName(CabinetField field, SelectionMode mode) {
    switch (field) {
        case CabinetField::Height:
            return QStringLiteral("높이 H");
        case CabinetField::Width:
            return QStringLiteral("폭 W");
        case CabinetField::Depth:
            return QStringLiteral("깊이 D");
        case CabinetField::InternalHeat:
            return QStringLiteral("제어반내 발열량 P");
        case CabinetField::T1:
            return QStringLiteral("최고 외기 온도 T1");
        case CabinetField::T2:
            return mode == SelectionMode::Aircon ? QStringLiteral("제어반내 희망 설정 온도 T2")
                                                 : QStringLiteral("반내 허용 온도 T2");
        case CabinetField::T3:
            return QStringLiteral("외기 온도 (측정치) T3");
        case CabinetField::T4:
            return QStringLiteral("반내 온도 (측정치) T4");
        case CabinetField::UValue:
            return QStringLiteral("열관류율 U");
        default:
            break;
    }
    return {};
}

QList<ReportInputError> checkMainInputs(const MainWindow& form) {
    enum class Rule { Positive, NotNegative, Temperature };
    const SelectionMode mode = form.selectedMode();
    QList<std::pair<CabinetField, Rule>> checks{{CabinetField::Height, Rule::Positive},
                                                {CabinetField::Width, Rule::Positive},
                                                {CabinetField::Depth, Rule::Positive},
                                                {CabinetField::UValue, Rule::Positive}};
    // Mode Fan2 reads no internal heat: the measured temperatures stand for it.
    if (mode != SelectionMode::Fan2) checks.append({CabinetField::InternalHeat, Rule::NotNegative});
    checks.append({CabinetField::T1, Rule::Temperature});
    checks.append({CabinetField::T2, Rule::Temperature});
    if (mode == SelectionMode::Fan2) {
        checks.append({CabinetField::T3, Rule::Temperature});
        checks.append({CabinetField::T4, Rule::Temperature});
    }

    QList<ReportInputError> errors;
    for (const auto& [field, rule] : checks) {
        const QString text = form.fieldText(field);
        const QString name = reportFieldName(field, mode);
        const std::optional<double> value = ParseWholeNumber(text.toStdString());
        const QString number = value ? QString::fromStdString(NumberText(*value)) : QString();
        QString why;
        if (text.trimmed().isEmpty()) {
            why = QStringLiteral("%1: 값이 비어 있습니다.").arg(name);
        } else if (!value) {
            why = QStringLiteral("%1: 입력 \"%2\"는 하나의 숫자가 아닙니다.")
                      .arg(name, text.trimmed());
        } else if (rule == Rule::Positive && !(*value > 0)) {
            const QString unit =
                field == CabinetField::UValue ? QStringLiteral(" W/(m²·K)") : QStringLiteral(" m");
            why = QStringLiteral("%1: %2%3은 0 이하입니다. 치수와 열관류율은 0보다 커야 합니다.")
                      .arg(name, number, unit);
        } else if (rule == Rule::NotNegative && *value < 0) {
            why = QStringLiteral("%1: %2 W는 음수입니다. 발열량은 0 W 이상이어야 합니다.")
                      .arg(name, number);
        } else if (rule == Rule::Temperature &&
                   !(*value >= kReportMinTemperature && *value <= kReportMaxTemperature)) {
            why = QStringLiteral("%1: %2 °C는 계산하는 온도 범위(-100 °C ~ 200 °C) 밖입니다.")
                      .arg(name, number);
        }
        if (!why.isEmpty()) errors.append({field, text, why});
    }
    return errors;
}
