#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "calc/HeatBalance.h"

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
    QStringList messages;     // the texts of the message boxes, in order
    bool chartOpens = false;  // the difference is large enough for the chart
};

// `tables`: the model tables of the program. Where the main window would
// recommend a model from an earlier result (equal temperatures in a fan
// mode), the report recommends none: it shows nothing that the current
// inputs do not give.
MainCalculation runMainCalculation(const MainWindow& form, const EquipmentHeatTables& tables);
