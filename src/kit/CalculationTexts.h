#pragma once

#include <QString>
#include <filesystem>

#include "calc/HeatBalance.h"

// What the calculation of the main window tells the user, one text for each
// finding. The main window shows them in message boxes; the design report
// lists them as text.
enum class CalculationMessage {
    AirconOutsideHotter,  // the result, set temperature below the outside maximum
    AirconOutsideCooler,  // the result, set temperature at or above it
    SetTemperatureHigh,   // fan modes: permissible inside below the outside maximum
    TemperaturesEqual,    // fan modes: no difference to divide by
    NegativeResult,       // the internal heat must be estimated higher
    ModelExceeded,        // the requirement exceeds the recommended model
    SmallDifference,      // below 10 K no chart is drawn
    OutOfRange,           // a product of the inputs left the range of a double
};

QString calculationMessageText(CalculationMessage message);
CalculationMessage messageOfFinding(HeatBalanceFinding finding);

// The designation of the air-conditioner model of this capacity: "VKA-1600BR".
QString airconModelDesignation(double capacity);

// What the main window says at start-up of the configuration's model lines
// it does not show under their key (a key of its own, a number that is not
// the capacity): how many, and in full which lines and how the designations
// are built; no lines when every line is shown as written.
struct ModelLinesNote {
    int lines = 0;
    QString text;
};
ModelLinesNote unmatchedModelLinesNote(const std::filesystem::path& iniPath);
