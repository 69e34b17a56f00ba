#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "calc/HeatBalance.h"
#include "kit/CalculationTexts.h"
#include "kit/MainWindow.h"

class MainWindow;
struct EquipmentHeatTables;

// The main window's calculation ("계 산") run for the report on the fields
// as they stand, without a message box and without writing a field: the
// numbers it would write and, in order, the messages it would show.
struct MainCalculation {
    HeatBalanceInput input;
    bool finite = true;             // false: a value left the range of a double
    double area = 0;                // A, m²
    double deltaT = 0;              // the design difference as the mode leaves it
    std::optional<double> result;   // R; none for equal temperatures in a fan mode
    QString resultText;             // R as the result field shows it ("1275.00")
    std::optional<int> modelIndex;  // into the mode's model table
    QString modelName;
    double modelCapacity = 0;
    QList<CalculationMessage> messages;  // what the message boxes would say, in order
    bool chartOpens = false;             // the difference is large enough for the chart
};

// `tables`: the model tables of the program. Where the main window would
// recommend a model from an earlier result (equal temperatures in a fan
// mode), the report recommends none: it shows nothing that the current
// inputs do not give.
MainCalculation runMainCalculation(const MainWindow& form, const EquipmentHeatTables& tables);

// An input of the main window that the report does not calculate with.
struct ReportInputError {
    CabinetField field;
    QString text;  // as the field holds it
    QString why;   // in plain words, naming the field
};

// The main window's inputs of its mode read as a report reads them: each
// text one whole number (ParseWholeNumber), dimensions and the heat
// transfer coefficient above 0, the internal heat not below 0 and the
// temperatures from -100 to 200 °C. Empty when all can be calculated with.
QList<ReportInputError> checkMainInputs(const MainWindow& form);

// The name of an input on paper: "높이 H".
QString reportFieldName(CabinetField field, SelectionMode mode);

// The lowest and highest temperature the report calculates with, °C.
inline constexpr double kReportMinTemperature = -100;
inline constexpr double kReportMaxTemperature = 200;
