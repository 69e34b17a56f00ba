#pragma once

#include <QString>

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
