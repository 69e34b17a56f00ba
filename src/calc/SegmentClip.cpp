#include "calc/SegmentClip.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

double finiteOrLargest(double v) {
    if (std::isinf(v)) return v > 0 ? DBL_MAX : -DBL_MAX;
    return v;
}

}  // namespace

std::optional<LineSegment> ClipSegment(const LineSegment& segment, const ClipRectangle& area) {
    const double coordinates[] = {segment.x1, segment.y1, segment.x2, segment.y2,
                                  area.left,  area.top,   area.right, area.bottom};
    for (double v : coordinates) {
        if (std::isnan(v)) return std::nullopt;
    }
    if (!(area.left <= area.right && area.top <= area.bottom)) return std::nullopt;

    LineSegment s{finiteOrLargest(segment.x1), finiteOrLargest(segment.y1),
                  finiteOrLargest(segment.x2), finiteOrLargest(segment.y2)};
    ClipRectangle r{finiteOrLargest(area.left), finiteOrLargest(area.top),
                    finiteOrLargest(area.right), finiteOrLargest(area.bottom)};

    // Differences of coordinates near the largest double overflow: work on a
    // copy scaled by a power of two, which is exact, and scale back.
    double scale = 1.0;
    for (double v : {s.x1, s.y1, s.x2, s.y2, r.left, r.top, r.right, r.bottom}) {
        if (std::fabs(v) > 0x1p1000) scale = 0x1p-64;
    }
    if (scale != 1.0) {
        s = {s.x1 * scale, s.y1 * scale, s.x2 * scale, s.y2 * scale};
        r = {r.left * scale, r.top * scale, r.right * scale, r.bottom * scale};
    }

    const double dx = s.x2 - s.x1;
    const double dy = s.y2 - s.y1;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.x1 - r.left, r.right - s.x1, s.y1 - r.top, r.bottom - s.y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return std::nullopt;  // parallel to this edge and outside it
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return std::nullopt;
    }

    // The ends that stay are kept exactly (scaling by a power of two is
    // undone exactly); new ends are computed and, since rounding may carry
    // them a hair outside, held to the rectangle like every end.
    const double startX = t0 > 0.0 ? s.x1 + t0 * dx : s.x1;
    const double startY = t0 > 0.0 ? s.y1 + t0 * dy : s.y1;
    const double endX = t1 < 1.0 ? s.x1 + t1 * dx : s.x2;
    const double endY = t1 < 1.0 ? s.y1 + t1 * dy : s.y2;
    auto x = [&](double v) { return std::clamp(v / scale, area.left, area.right); };
    auto y = [&](double v) { return std::clamp(v / scale, area.top, area.bottom); };
    return LineSegment{x(startX), y(startY), x(endX), y(endY)};
}
