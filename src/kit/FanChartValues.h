#pragma once

// What the main window hands to the box-fan chart windows when it opens one.
// All 0 at start and never reset; each opening overwrites its own mode's values.
struct FanChartValues {
    double FanHeatP = 0;               // internal heat P, W (fan mode 1)
    double FanDeltaT = 0;              // permissible inside minus maximum outside, K
    double FanMeasuredDeltaT = 0;      // measured inside minus measured outside, K (fan mode 2)
    double FanOutsideMinusInside = 0;  // -FanMeasuredDeltaT (fan mode 2)
    double FanReadingY = 0;            // left-panel reading of the fan-2 chart
};
