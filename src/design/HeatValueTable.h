#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "data/EquipmentHeatTables.h"

// The component families of the heat value window. The window's rows, its
// sum, its reset and the tests are all built from heatFamilies(), so a row,
// its configuration key and the loss it multiplies cannot drift apart.
enum class HeatFamily {
    Transformer,
    CircuitBreaker,
    Plc,
    ContactorRelay,
    PowerContactor,
    Indicator,
    PowerSupply,
    Inverter,
};
inline constexpr int kHeatFamilyCount = 8;

inline constexpr int familyIndex(HeatFamily f) { return static_cast<int>(f); }

struct TwipsBox {
    int left;
    int top;
    int width;
    int height;
};

struct HeatRow {
    std::string_view key;    // the configuration key whose loss this row multiplies
    std::string_view label;  // the row's text on screen
};

struct HeatFamilyRows {
    HeatFamily family;
    std::string_view caption;    // the frame's caption
    std::string_view fieldName;  // the count fields are fieldName_0, fieldName_1, ...
    std::string_view section;    // the configuration section of the losses
    std::vector<HeatRow> rows;   // row i multiplies entry i of the family's loss table
    TwipsBox frame;
    int firstRowTop;  // row i stands at firstRowTop + kHeatRowPitch * i inside the frame
    int fieldLeft;
};

inline constexpr int kHeatRowPitch = 360;
inline constexpr int kHeatLabelLeft = 360;
inline constexpr int kHeatLabelHeight = 255;
inline constexpr int kHeatFieldWidth = 375;
inline constexpr int kHeatFieldHeight = 270;

// The eight families in the order of their frames on screen.
const std::array<HeatFamilyRows, kHeatFamilyCount>& heatFamilies();

// The order in which the rows are read and multiplied (also the order of reset).
const std::array<HeatFamily, kHeatFamilyCount>& heatSumOrder();
// The order in which the eight subtotals are added to the total.
const std::array<HeatFamily, kHeatFamilyCount>& heatTotalOrder();

// Entry i is the heat of one component of row i, in W.
std::span<const double> familyLosses(const EquipmentHeatTables& tables, HeatFamily family);

// Counts of every row, indexed by family (familyIndex) and row.
using HeatCounts = std::array<std::vector<double>, kHeatFamilyCount>;

struct HeatSum {
    std::array<double, kHeatFamilyCount> subtotals{};  // indexed by familyIndex, in W
    double total = 0;                                  // in W; not finite when a product overflowed
};

// Sum over the families and their rows of count x loss, in double precision,
// family by family in heatSumOrder(), subtotals added in heatTotalOrder().
// Counts are taken as they are: fractions and negative numbers included.
// A family with fewer counts than rows counts the missing rows as 0.
HeatSum sumHeat(const HeatCounts& counts, const EquipmentHeatTables& tables);
