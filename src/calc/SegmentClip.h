#pragma once

#include <optional>

// Clipping of straight segments to a rectangle in double precision, so that
// a line whose ends lie far outside a chart keeps its direction where it
// crosses the chart: clamping each end on its own would bend it.

struct LineSegment {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    friend bool operator==(const LineSegment&, const LineSegment&) = default;
};

// Edges included; left <= right and top <= bottom (y may grow either way,
// only the order of the numbers counts).
struct ClipRectangle {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// The part of `segment` inside `area` (Liang-Barsky), running from the end
// nearer (x1, y1) to the end nearer (x2, y2); an end inside the rectangle
// is kept exactly. A segment that only touches the rectangle gives that
// point or edge piece; a single point inside gives itself. None when the
// segment misses the rectangle, when a coordinate is NaN, or when the
// rectangle is empty or NaN. An infinite coordinate counts as the largest
// double of its sign; any finite coordinates work without overflow, and the
// ends returned always lie within the rectangle.
std::optional<LineSegment> ClipSegment(const LineSegment& segment, const ClipRectangle& area);
