#pragma once

#include <optional>

// The climate design's arithmetic as the window needs it. A stand-in until
// the calculation library has its own functions; kept small so that the
// window changes little when it moves over.

// One cubic foot per minute in cubic metres per hour (0.3048³ · 60).
inline constexpr double kCubicMetresPerHourPerCfm = 0.028316846592 * 60;

inline constexpr int kInstallationTypeCount = 8;  // 0: every face, 1..7 by position

struct ClimateInput {
    int installation = 1;
    double height = 0, width = 0, depth = 0;  // m
    double internalHeat = 0;                  // P, W
    double uValue = 0;                        // k, W/(m²·K)
    double ambientMax = 0, insideMax = 0;     // Tu, Ti, °C
    double altitude = 0;                      // m
    double ambientMin = 0, insideMin = 0;     // °C
    double heatAtMin = 0;                     // W
    double humidity = 0;                      // %
    bool sun = false;
    double irradiance = 0, absorptance = 0, sunArea = 0;
    double marginPercent = 0;
};

struct ClimateResult {
    double area = 0;
    double wallHeat = 0;
    double solarGain = 0;
    double coolingPower = 0;
    std::optional<double> specificCapacity;  // only when Ti > Tu
    std::optional<double> airflow;           // m³/h, only when Ti > Tu
    double altitudeFactor = 0;               // m³·K/(W·h)
    double heaterPower = 0;
    std::optional<double> dewPoint;
};

double EffectiveArea(int installation, double height, double width, double depth);
double AltitudeFactor(double altitude);
std::optional<double> DewPoint(double temperature, double humidityPercent);
ClimateResult ComputeClimate(const ClimateInput& in);
