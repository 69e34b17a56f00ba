#pragma once

#include <optional>
#include <variant>
#include <vector>

#include "calc/ChartGeometry.h"

// The nomogram of box-fan mode 1: from the internal heat P (W), the
// temperature difference dT (K) and the effective surface S (m²) to the
// rated capacity X = P / dT - 5 * S (W/K) of the heat exchanger.
//
// Canvas twips with the data origin O at (2520, 4335): P runs leftwards
// (0.72 twips per W), Y = P / dT upwards and X rightwards (36 twips per W/K).
// The S lines are drawn for the sheet-steel wall coefficient 5 W/(m²·K).

// A straight segment, 1 pixel, solid; coordinates in single precision as
// the canvas takes them. A line reaching beyond kChartFarAway is cut there
// along its own direction.
struct Fan1Line {
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    RgbColor color;
    friend bool operator==(const Fan1Line&, const Fan1Line&) = default;
};

enum class Fan1Marker { A, B };  // LabelAA and LabelBB

// Moves a marker's top-left corner.
struct Fan1MarkerMove {
    Fan1Marker marker = Fan1Marker::A;
    float left = 0;
    float top = 0;
    friend bool operator==(const Fan1MarkerMove&, const Fan1MarkerMove&) = default;
};

using Fan1Operation = std::variant<Fan1Line, Fan1MarkerMove>;

// What one drawing produces, in drawing order, and X when it was computed.
struct Fan1Drawing {
    std::vector<Fan1Operation> operations;
    std::optional<double> resultX;
};

inline constexpr double kFan1OriginX = 2520;
inline constexpr double kFan1OriginY = 4335;

// One black dT line from O to the point of heat `pe` on the line of `deltaTl`.
Fan1Line TempLine(double pe, double deltaTl);

// One black S line for the area `sl`: the locus Y = X + 5 * sl from X = 0 to 100.
Fan1Line TempQ(double sl);

// The fixed (heat, dT) pairs of the seven dT lines, top line first.
struct Fan1TempLinePair {
    double pe;
    double deltaTl;
};
inline constexpr Fan1TempLinePair kFan1TempLines[7] = {
    {1500, 10}, {1900, 15}, {2600, 20}, {3000, 25}, {3500, 30}, {3500, 35}, {3500, 40}};

// The construction O-A-B-X for one set of inputs: the lines, the two marker
// moves and X. A dT of 0 (or NaN) has no construction: no operations and
// no X.
Fan1Drawing Real_Cal(double p, double s, double deltaT);

// The whole chart: the seven dT lines, the eleven S lines for 0..10 m², then
// the construction of Real_Cal. Nothing is cleared: a second drawing is laid
// over the first.
Fan1Drawing Caldraw(double p, double s, double deltaT);
