#include "calc/AirconDiagram.h"

#include "calc/ChartGeometry.h"

namespace {

struct AirconBand {
    double upper;  // T2 below this (and at or above the previous upper bound)
    int line;
    double c;
};

// Bands 1 and 2 share their constant.
constexpr AirconBand kBands[8] = {
    {20, 27, 19.8}, {25, 28, 19.8}, {30, 29, 21}, {35, 30, 22.2},
    {40, 31, 23.2}, {45, 32, 24.4}, {50, 33, 26}, {55, 34, 27},
};

}  // namespace

AirconDiagram CalcAirconDiagram(double t1, double t2) {
    AirconDiagram d;
    for (int i = 0; i < 8; ++i) {
        if (t2 < kBands[i].upper) {
            d.band = i + 1;
            d.highlightedLine = kBands[i].line;
            d.lineValue = kBands[i].c + (-1.0 / 5.0) * t1;
            d.capacity = *d.lineValue * (400.0 / 5.0);
            break;
        }
    }
    d.markerX = RoundChartCoordinate(840 + (t1 - 20) * 144);
    return d;
}
