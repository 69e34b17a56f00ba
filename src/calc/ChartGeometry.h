#pragma once

#include <cstdint>

// Helpers shared by the chart calculations. Chart positions are twips on
// the chart canvas: origin top-left, x to the right, y downwards.

// A colour of a chart line as red, green and blue, 0 to 255.
struct RgbColor {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const RgbColor&, const RgbColor&) = default;
};

inline constexpr RgbColor kChartBlack{0, 0, 0};
inline constexpr RgbColor kChartBlue{0, 0, 255};
inline constexpr RgbColor kChartRed{255, 0, 0};
inline constexpr RgbColor kChartDarkGreen{0, 128, 0};
inline constexpr RgbColor kChartGridGrey{192, 192, 192};

// How far from the canvas a position may lie. Inputs can be anything a
// field holds (1E+300 included); a coordinate beyond this bound is clamped
// to it, which is still far outside every canvas, and leaves room for the
// offsets that markers add without overflowing a 32-bit integer.
inline constexpr std::int32_t kChartFarAway = 1'000'000'000;

// Rounds to the nearest integer, halves to even (2.5 -> 2, 3.5 -> 4,
// -2.5 -> -2). Values beyond +-kChartFarAway, infinities and NaN (taken as
// far positive) give +-kChartFarAway.
std::int32_t RoundChartCoordinate(double value);

// A double coordinate handed to the canvas in single precision, clamped
// the same way.
float ChartFloat(double value);
