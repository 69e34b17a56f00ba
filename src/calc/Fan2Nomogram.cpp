#include "calc/Fan2Nomogram.h"

#include <cmath>
#include <limits>

#include "calc/ChartGeometry.h"
#include "calc/NumberText.h"

std::optional<Fan2Reading> ComputeFan2Y(double deltaT, double m) {
    // One row per 5 K band (lower bound exclusive, upper inclusive): Y is
    // slope * m + offset, and each band's line meets Y = 0 at d = its upper
    // bound. The quotients are those of the drawn lines.
    struct Band {
        double lower, upper, slope, offset;
        int line;
    };
    static constexpr Band kBands[] = {
        {0, 10, -13.0 / 6.0, -65.0 / 3.0, 23},  {10, 15, -98.0 / 55.0, -294.0 / 11.0, 24},
        {15, 20, -13.0 / 10.0, -26.0, 25},      {20, 25, -48.0 / 45.0, -80.0 / 3.0, 26},
        {25, 30, -7.0 / 8.0, -105.0 / 4.0, 22}, {30, 35, -4.0 / 5.0, -28.0, 21},
        {35, 40, -2.0 / 3.0, -80.0 / 3.0, 20},
    };
    for (const Band& b : kBands) {
        if (deltaT > b.lower && deltaT <= b.upper)
            return Fan2Reading{b.slope * m + b.offset, b.line};
    }
    return std::nullopt;
}

double ComputeSLineX(int k, double y) {
    // The groupings differ between rows; each follows its drawn line.
    switch (k) {
        case 1:
            return (3.0 / 17.0) * y;
        case 2:
            return (y + (4000.0 / 39 - 100)) / (100.0 / 39);
        case 3:
            return ((y + 2100.0 / 34) - 60) / (60.0 / 34);
        case 4:
            return ((y + 8000.0 / 78) - 100) / (100.0 / 78);
        case 5:
            return (y + (10000.0 / 98 - 100)) / (100.0 / 98);
        case 6:
            return (y + (1200.0 / 37 - 30)) / (30.0 / 37);
        case 7:
            return ((y + 5400.0 / 87) - 60) / (60.0 / 87);
        case 8:
            return ((y + 6000.0 / 96) - 60) / (60.0 / 96);
        case 9:
            return ((y + 3040.0 / 72) - 40) / (40.0 / 72);
        case 10:
            return ((y + 3440.0 / 81) - 40) / (40.0 / 81);
        default:
            return std::numeric_limits<double>::quiet_NaN();
    }
}

std::optional<Fan2SBand> SelectFan2SBand(double s, double y) {
    for (int k = 1; k <= 10; ++k) {
        if (k - 1 < s && s <= k) {
            Fan2SBand band;
            band.k = k;
            if (k == 1) {
                band.minimumText = "0";
            } else {
                band.minimumText = NumberText(ComputeSLineX(k - 1, y));
                band.highlighted.push_back(Fan2SLineElement(k - 1));
            }
            band.maximumText = NumberText(ComputeSLineX(k, y));
            band.highlighted.push_back(Fan2SLineElement(k));
            return band;
        }
    }
    return std::nullopt;
}

Fan2Construction ComputeFan2Construction(double measuredDeltaT, double y, double minimum,
                                         double maximum) {
    Fan2Construction c;
    c.hScroll2 = RoundChartCoordinate(maximum);
    c.xA = RoundChartCoordinate(-36 * measuredDeltaT + kFan2OriginX);
    c.yA = RoundChartCoordinate(-36 * y + kFan2OriginY);
    c.xB = RoundChartCoordinate(36 * minimum + kFan2OriginX);
    c.xC = RoundChartCoordinate(36 * maximum + kFan2OriginX);
    c.segments = {{
        {{c.xA, kFan2OriginY}, {c.xA, c.yA}},
        {{c.xA, c.yA}, {c.xB, c.yA}},
        {{c.xB, c.yA}, {c.xB, kFan2OriginY}},
        {{c.xB, c.yA}, {c.xC, c.yA}},
        {{c.xC, c.yA}, {c.xC, kFan2OriginY}},
    }};
    c.markerA = {c.xA, c.yA - 200};
    c.markerB = {c.xB, c.yA - 200};
    return c;
}
