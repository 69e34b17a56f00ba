#pragma once

#include <optional>
#include <span>
#include <vector>

// The three kinds of product the main window selects for.
enum class SelectionMode { Aircon, Fan1, Fan2 };

// Heat-emitting surface of a cabinet standing on the floor: both side walls,
// front and back, and the roof.
double ComputeSurfaceArea(double height, double width, double depth);

struct HeatBalanceInput {
    SelectionMode mode = SelectionMode::Aircon;
    double height = 0;        // H, m
    double width = 0;         // W, m
    double depth = 0;         // D, m
    double internalHeat = 0;  // P, W
    double t1 = 0;            // maximum outside temperature
    double t2 = 0;            // desired (air-conditioner) or permissible (fan) inside temperature
    double t3 = 0;            // measured outside temperature (Fan2)
    double t4 = 0;            // measured inside temperature (Fan2)
    double uValue = 0;        // W/(m²·K)
};

// Findings of the heat balance, in the order the user is told them.
enum class HeatBalanceFinding {
    AirconOutsideHotter,  // set temperature below the maximum outside temperature
    AirconOutsideCooler,  // set temperature at or above the maximum outside temperature
    SetTemperatureHigh,   // fan modes: permissible inside below maximum outside
    TemperaturesEqual,    // fan modes: no difference to divide by
};

struct HeatBalanceResult {
    double area = 0;                           // A, m²
    double deltaT = 0;                         // ΔT as the mode step leaves it
    std::optional<double> result;              // R; absent when the temperatures are equal
    std::vector<HeatBalanceFinding> findings;  // shown between the area and the result
    // False when a value overflowed the range of a double: nothing of this
    // result may be shown.
    bool finite = true;
};

HeatBalanceResult ComputeHeatBalance(const HeatBalanceInput& input);

// Index of the first model whose capacity is strictly above the requirement,
// or the last index when none is.
int RecommendModel(double requirement, std::span<const double> capacities);
int RecommendAirconModel(double requirement, std::span<const double> airconCapacities);
int RecommendFanModel(double requirement, std::span<const double> fanCapacities);

// The calculation's closing check: a chart is drawn only for a design
// temperature difference of at least this many kelvin.
inline constexpr double kMinimumChartDeltaT = 10.0;
