#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The two-panel nomogram of box-fan mode 2 (selection by measured
// temperatures). Panel twips with the common point (3120, 4440): the
// measured difference d runs leftwards, the capacity X rightwards and the
// reading Y upwards, 36 twips per unit each.

inline constexpr int kFan2OriginX = 3120;
inline constexpr int kFan2OriginY = 4440;

// The left-panel reading of one dT band.
struct Fan2Reading {
    double y = 0;
    int bandLine = 0;  // number of the band's line element, 20 to 26 ("Line24")
};

// Y for the permissible difference `deltaT` and m = -d (outside minus inside
// measured temperature). Bands a < dT <= b from 10 to 40 K; none outside.
std::optional<Fan2Reading> ComputeFan2Y(double deltaT, double m);

// The capacity X read on S line k (1 to 10) at height y; NaN for another k.
// Line 1 is the drawn line X = (3/17) * Y.
double ComputeSLineX(int k, double y);

// Number of the line element of S line k: 1 -> 36, ..., 10 -> 27.
constexpr int Fan2SLineElement(int k) { return 37 - k; }

// The S lines that bracket the area and their readings as the fields show them.
struct Fan2SBand {
    int k = 0;                     // k - 1 < S <= k
    std::string minimumText;       // reading on line k - 1 ("0" for k = 1)
    std::string maximumText;       // reading on line k
    std::vector<int> highlighted;  // line elements to turn red, lower line first
};

// None for S <= 0 or S > 10.
std::optional<Fan2SBand> SelectFan2SBand(double s, double y);

struct Fan2Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Fan2Point&, const Fan2Point&) = default;
};

struct Fan2Segment {
    Fan2Point from;
    Fan2Point to;
    friend bool operator==(const Fan2Segment&, const Fan2Segment&) = default;
};

// The construction A-B-C drawn from the numbers of the window's fields.
struct Fan2Construction {
    std::int32_t hScroll2 = 0;  // the maximum reading rounded, before the scroll bar's range
    std::int32_t xA = 0;
    std::int32_t yA = 0;
    std::int32_t xB = 0;
    std::int32_t xC = 0;
    // Line48 (d axis up to A), Line49 (A to B), Line50 (B down), Line51 (B to C), Line52 (C down).
    std::array<Fan2Segment, 5> segments;
    Fan2Point markerA;  // top-left of labelA
    Fan2Point markerB;  // top-left of labelB
};

// `measuredDeltaT`, `y`, `minimum` and `maximum` as read from the fields
// txtDetaT, the hidden Y field, txtXX0 and txtXX. Rounding is to the nearest
// integer, halves to even; coordinates are clamped far outside the panel.
Fan2Construction ComputeFan2Construction(double measuredDeltaT, double y, double minimum,
                                         double maximum);
