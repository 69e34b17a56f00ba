#include "calc/ChartGeometry.h"

#include <cmath>

namespace {

constexpr double kFar = kChartFarAway;

}  // namespace

std::int32_t RoundChartCoordinate(double value) {
    if (std::isnan(value) || value >= kFar) return kChartFarAway;
    if (value <= -kFar) return -kChartFarAway;
    const double lower = std::floor(value);
    const double fraction = value - lower;  // exact for |value| < 2^52
    double rounded = lower;
    if (fraction > 0.5) {
        rounded = lower + 1;
    } else if (fraction == 0.5) {
        rounded = std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1;
    }
    return static_cast<std::int32_t>(rounded);
}

float ChartFloat(double value) {
    if (std::isnan(value) || value >= kFar) return static_cast<float>(kFar);
    if (value <= -kFar) return static_cast<float>(-kFar);
    return static_cast<float>(value);
}
