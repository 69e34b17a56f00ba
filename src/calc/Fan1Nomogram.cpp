#include "calc/Fan1Nomogram.h"

#include <cmath>

#include "calc/SegmentClip.h"

namespace {

Fan1Line line(double x1, double y1, double x2, double y2, RgbColor color) {
    // Ends beyond the far bound are moved along the line, not each on its
    // own, so that the part on the canvas keeps its direction (P = 1E9 climbs
    // steeply out of the top, it does not leave at 45 degrees). A line that
    // misses the far square altogether is nowhere near the canvas: clamping
    // its ends only keeps them finite.
    constexpr double far = kChartFarAway;
    if (const auto visible = ClipSegment({x1, y1, x2, y2}, {-far, -far, far, far})) {
        x1 = visible->x1;
        y1 = visible->y1;
        x2 = visible->x2;
        y2 = visible->y2;
    }
    return {ChartFloat(x1), ChartFloat(y1), ChartFloat(x2), ChartFloat(y2), color};
}

Fan1MarkerMove move(Fan1Marker marker, double left, double top) {
    return {marker, ChartFloat(left), ChartFloat(top)};
}

// The line of the area `s` spans X = 0 (x = 2520) to X = 100 (x = 6120).
Fan1Line sLine(double s, RgbColor color) {
    return line(kFan1OriginX, kFan1OriginY - s * 5 * 36, 6120, 735 - s * 5 * 36, color);
}

}  // namespace

Fan1Line TempLine(double pe, double deltaTl) {
    const double r = 1 / deltaTl;
    const double q = r * pe;
    const double x = kFan1OriginX - (18.0 / 25.0) * pe;
    const double y = kFan1OriginY - q * 36;
    return line(kFan1OriginX, kFan1OriginY, x, y, kChartBlack);
}

Fan1Line TempQ(double sl) { return sLine(sl, kChartBlack); }

Fan1Drawing Real_Cal(double p, double s, double deltaT) {
    Fan1Drawing d;
    if (deltaT == 0 || std::isnan(deltaT)) return d;

    const double r = 1 / deltaT;
    const double y = p * r;
    const double xA = kFan1OriginX - (18.0 / 25.0) * p;
    const double yA = kFan1OriginY - y * 36;
    d.operations.push_back(line(kFan1OriginX, kFan1OriginY, xA, yA, kChartBlue));
    d.operations.push_back(line(xA, kFan1OriginY, xA, yA, kChartDarkGreen));
    d.operations.push_back(move(Fan1Marker::A, xA - 200, yA - 200));

    // X is read back from the canvas height of A, as on the paper chart.
    double x = -(yA - kFan1OriginY) * (1.0 / 36) - s * 5;
    // A height too large for a double has no canvas position to read back:
    // take X from Y directly, which is the same value.
    if (!std::isfinite(x)) x = y - s * 5;
    const double xB = x * 36 + kFan1OriginX;
    d.operations.push_back(sLine(s, kChartBlue));
    d.operations.push_back(line(xA, yA, xB, yA, kChartDarkGreen));
    d.operations.push_back(move(Fan1Marker::B, xB, yA - 200));
    d.operations.push_back(line(xB, yA, xB, kFan1OriginY, kChartDarkGreen));
    d.resultX = x;
    return d;
}

Fan1Drawing Caldraw(double p, double s, double deltaT) {
    Fan1Drawing d;
    for (const Fan1TempLinePair& pair : kFan1TempLines)
        d.operations.push_back(TempLine(pair.pe, pair.deltaTl));
    for (int sl = 0; sl <= 10; ++sl) d.operations.push_back(TempQ(sl));
    Fan1Drawing construction = Real_Cal(p, s, deltaT);
    d.operations.insert(d.operations.end(), construction.operations.begin(),
                        construction.operations.end());
    d.resultX = construction.resultX;
    return d;
}
