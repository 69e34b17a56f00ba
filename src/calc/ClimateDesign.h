#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The climate design of a cabinet beyond the main window's basic method:
// installation types, sun, safety margin, heat exchanger, filter fan with
// the altitude of the site, heater and condensation. Pure functions; the
// climate design window reads its fields, calls ComputeClimateDesign and
// writes the results. The main window's calculation (HeatBalance.h) stays
// as it is.

// How the cabinet stands, after IEC/TR 60890 (DIN VDE 0660-500): which of
// its faces give off heat, and how well. Index 0 is the main window's
// surface; 1 to 7 are the standard's seven types. The numbers are the
// indexes of the window's list.
enum class CabinetInstallation {
    AllSides = 0,                      // 2·D·H + 2·H·W + D·W
    SingleDetached = 1,                // 1.8·H·(W + D) + 1.4·W·D
    SingleWallMounted = 2,             // 1.4·W·(H + D) + 1.8·D·H
    EndDetached = 3,                   // 1.4·D·(H + W) + 1.8·W·H
    EndWallMounted = 4,                // 1.4·H·(W + D) + 1.4·W·D
    MiddleDetached = 5,                // 1.8·W·H + 1.4·W·D + D·H
    MiddleWallMounted = 6,             // 1.4·W·(H + D) + D·H
    MiddleWallMountedRoofCovered = 7,  // 1.4·W·H + 0.7·W·D + D·H
};
inline constexpr int kCabinetInstallationCount = 8;

// The short Korean description of an installation type, for the window's
// list ("모든 면 (기본 계산)" for 0); empty for a number outside 0 to 7.
std::string_view CabinetInstallationText(int installation);

// Why a result is not applicable. The window turns each into a note.
enum class ClimateReason {
    None,                 // the result is applicable
    InvalidDimensions,    // a height, width or depth of 0 or less
    InvalidInstallation,  // an installation type outside 0 to 7
    InvalidCoefficient,   // a heat transfer coefficient below 0
    // sun on: absorptance outside 0 to 1, or irradiance, sunlit area or Rse below 0
    InvalidSolarInput,
    InvalidMargin,          // a safety margin below 0 %
    AmbientNotBelowInside,  // Ti <= Tu: outside air cannot carry the heat away
    AltitudeOutOfRange,     // outside -5000 to 11000 m, the standard atmosphere's lower layer
    HumidityOutOfRange,     // relative humidity not above 0 % or above 100 %
    TemperatureOutOfRange,  // no dew point for this temperature
    OutOfRange,             // a value beyond what a double holds
};

// One result: a finite number, or none with the reason.
struct ClimateValue {
    std::optional<double> value;
    ClimateReason reason = ClimateReason::None;
    bool applicable() const { return value.has_value(); }
};

// Rse of EN ISO 6946 for a wall to the outside air (horizontal heat flow):
// 0.04 m²·K/W.
inline constexpr double kOutsideSurfaceResistance = 0.04;

// The margin above the dew point that the condensation-free inside
// temperature keeps, K: our choice, for the air next to the coldest parts of
// the walls and the switching band of a heater's thermostat.
inline constexpr double kDewPointMargin = 3;

struct ClimateDesignInput {
    double height = 0;           // H, m
    double width = 0;            // W, m
    double depth = 0;            // D, m
    int installation = 0;        // CabinetInstallation, 0 to 7
    double internalHeat = 0;     // P, W
    double uValue = 0;           // U, heat transfer coefficient of the walls, W/(m²·K)
    double ambientMax = 0;       // Tu, highest ambient temperature, °C
    double insideDesired = 0;    // Ti, desired inside temperature, °C
    double altitude = 0;         // site above sea level, m
    double ambientMin = 0;       // TuMin, lowest ambient temperature, °C
    double insideMin = 0;        // TiMin, lowest permissible inside temperature, °C
    double internalHeatMin = 0;  // PMin, heat produced when it is coldest, W
    // A humid day's air, which the cabinet breathes in, and that night's
    // lowest ambient temperature, which cools it: the condensation design.
    double humidDayTemperature = 0;  // °C
    double relativeHumidity = 0;     // %, of the humid day's air
    double humidNightMin = 0;        // °C
    bool sun = false;                // the cabinet stands in the sun
    double irradiance = 0;           // W/m², used when sun is on
    double absorptance = 0;          // of the paint, 0 to 1, used when sun is on
    // Sunlit area, m²; none for the default, roof and front: W·D + W·H.
    std::optional<double> sunlitArea;
    // Rse, the outside surface resistance of the walls, m²·K/W, used when sun
    // is on (see SolarHeatGain).
    double sunRse = kOutsideSurfaceResistance;
    double safetyMargin = 0;  // %, added to cooling power, heat exchanger and airflow
};

struct ClimateDesignResult {
    ClimateValue area;        // A, effective surface of the installation type, m²
    ClimateValue deltaT;      // Ti − Tu, K
    ClimateValue wallHeat;    // Qs = U·A·(Ti − Tu), W; below 0 when heat comes in
    ClimateValue sunlitArea;  // the sunlit area used (given or default), m²
    ClimateValue solarHeat;   // Qsun = α·E·A_sun·U·Rse, W; 0 when sun is off
    // P + Qsun − Qs, W: the heat the cooling equipment must remove, before
    // the margin. 0 or below: the walls carry away −heatSurplus W more than
    // the cabinet produces, and no cooling is needed (coolingNotNeeded).
    ClimateValue heatSurplus;
    // heatSurplus·(1 + margin/100), W; 0 or below when no cooling is needed.
    ClimateValue coolingPower;
    // (P + Qsun − Qs) / (Ti − Tu)·(1 + margin/100), W/K; only for Ti > Tu.
    // 0 or below (as for the airflow): the walls alone carry the heat.
    ClimateValue heatExchangerCapacity;
    ClimateValue airflowFactor;  // f at the altitude, m³·K/(W·h)
    ClimateValue airflow;  // f·(P + Qsun − Qs) / (Ti − Tu)·(1 + margin/100), m³/h; only for Ti > Tu
    ClimateValue airflowCfm;  // the same in cubic feet per minute
    // The frost heater: U·A·(TiMin − TuMin) − PMin, W; 0 when no heat is needed.
    ClimateValue heaterPower;
    // The air the dew point is of: the humid day's (°C), with the relative
    // humidity of the input.
    ClimateValue dewPointAirTemperature;
    ClimateValue dewPoint;  // of that air, °C
    // The inside air at that night's lowest ambient without a heater:
    // humidNightMin + PMin / (U·A), °C.
    ClimateValue nightInsideTemperature;
    // The night's inside air at or below the dew point: the day's moisture
    // condenses. None when either is missing.
    std::optional<bool> condensation;
    // The lowest inside temperature that keeps clear of the dew point:
    // dewPoint + kDewPointMargin, °C; with the dew point.
    ClimateValue condensationFreeInsideMin;
    // The heater power that holds the cabinet at condensationFreeInsideMin
    // at the humid day's night: U·A·(Td + margin − night's lowest) − PMin, W,
    // 0 when none is needed. heaterPower is the frost heater, on its own.
    ClimateValue condensationFreeHeaterPower;

    // No cooling power, heat exchanger or filter fan is needed: the walls
    // alone carry the heat (heatSurplus is 0 or below).
    bool coolingNotNeeded() const { return heatSurplus.applicable() && *heatSurplus.value <= 0; }
};

// Everything at once. A result that depends on one that is not applicable
// is not applicable either; its reason is the first that applies of: its
// own condition (Ti > Tu, the altitude), then the reasons of what it is
// computed from in the order of the fields above.
ClimateDesignResult ComputeClimateDesign(const ClimateDesignInput& input);

// The pieces, for the window's live fields and for reuse.

// A of an installation type.
ClimateValue EffectiveSurfaceArea(int installation, double height, double width, double depth);

// Roof and front, the faces the sun reaches: W·D + W·H.
ClimateValue DefaultSunlitArea(double height, double width, double depth);

// Air density at sea level over that at `altitude` metres in the ICAO
// standard atmosphere (troposphere); 1 at sea level.
ClimateValue AirDensityRatio(double altitude);

// The filter fan factor f: 3.1 m³·K/(W·h) at sea level, times AirDensityRatio.
ClimateValue AirflowFactor(double altitude);
inline constexpr double kSeaLevelAirflowFactor = 3.1;

// One cubic foot per minute in cubic metres per hour (0.028316846592 m³ a minute).
inline constexpr double kCubicMetresPerHourPerCfm = 0.028316846592 * 60;

// The heat that the sun's absorbed radiation brings through the walls, W:
// α·E·A_sun·U·Rse. Only the part U·Rse of the absorbed flux passes inwards;
// the rest goes back to the outside air (the sol-air relation: the absorbed
// flux raises the outside surface by α·E·Rse, and that excess drives U·A
// through the wall; EN ISO 6946 for Rse, ASHRAE Fundamentals, ch. "Heat,
// air and moisture control", for the sol-air temperature).
ClimateValue SolarHeatGain(double absorptance, double irradiance, double sunlitArea, double uValue,
                           double rse);

// Dew point by the Magnus formula (a = 17.27, b = 237.7 °C) for air at
// `temperature` °C and `relativeHumidity` %, 0 excluded to 100 included.
ClimateValue DewPoint(double temperature, double relativeHumidity);

// A model of the window's lists: fan, air conditioner, filter fan, heater.
struct ClimateModel {
    std::string designation;
    double value = 0;  // capacity, W/K, m³/h or W as the list has it
};

struct ModelChoice {
    std::optional<std::size_t> index;  // into the list; none for an empty list or a NaN requirement
    bool exceeds = false;              // the chosen model does not reach the requirement
};

// The smallest model whose value is at least `requirement` (the first of
// equal ones). When none is, the largest, with `exceeds`. For the filter
// fan and heater lists.
ModelChoice PickModel(double requirement, std::span<const ClimateModel> models);

// The same over the air conditioners and fans that the main window
// searches (the first 11 and the first 15 entries). When none is large
// enough, the last searched entry with `exceeds`, as the main window names it.
ModelChoice PickAirconModel(double requirement, std::span<const ClimateModel> models);
ModelChoice PickFanModel(double requirement, std::span<const ClimateModel> models);
