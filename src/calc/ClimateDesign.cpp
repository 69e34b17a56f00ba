#include "calc/ClimateDesign.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

namespace {

ClimateValue notApplicable(ClimateReason reason) { return {std::nullopt, reason}; }

ClimateValue valueOrOutOfRange(double value) {
    if (!std::isfinite(value)) return notApplicable(ClimateReason::OutOfRange);
    return {value, ClimateReason::None};
}

// The reason of the first value that is not applicable; None when all are.
ClimateReason firstReason(std::initializer_list<const ClimateValue*> values) {
    for (const ClimateValue* v : values) {
        if (!v->applicable()) return v->reason;
    }
    return ClimateReason::None;
}

// A NaN or infinite input is beyond the calculation like an overflow.
bool allFinite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// ICAO standard atmosphere (ICAO Doc 7488; constants as listed at
// https://crnslab.org/util/atmo.php): sea level 288.15 K, lapse rate
// 6.5 K/km up to the tropopause at 11 km, g0 = 9.80665 m/s²,
// M = 0.0289644 kg/mol, R* = 8.31432 J/(mol·K). In that layer the density
// ratio is (1 − L·h/T0)^(g0·M/(R*·L) − 1); the standard's tables carry the
// layer down to −5 km.
constexpr double kSeaLevelTemperature = 288.15;  // K
constexpr double kLapseRate = 0.0065;            // K/m
constexpr double kDensityExponent = 9.80665 * 0.0289644 / (8.31432 * kLapseRate) - 1;
constexpr double kLowestAltitude = -5000;
constexpr double kTropopause = 11000;

// Dew point by the Magnus formula, gamma = a·T/(b + T) + ln(RH/100),
// Td = b·gamma/(a − gamma) (its derivation from the saturation vapour
// pressure: https://tickerdossier.com/wiki/dew-point-temperature), with the
// pair a = 17.27, b = 237.7 °C that engineering references commonly quote
// (e.g. https://forums.garmin.com/developer/connect-iq/f/discussion/240259/dew-point-formula).
// It gives Td = T at 100 % and stays defined below 0 °C (over water).
constexpr double kMagnusA = 17.27;
constexpr double kMagnusB = 237.7;

// The filter fan factor f = 3.1 m³·K/(W·h) at sea level is 3600 s/h over
// the heat capacity of a cubic metre of air, rho·cp = 1.16 kg/m³ ·
// 1005 J/(kg·K) at about 30 °C (3600 / 1166 = 3.09); cabinet climate
// catalogues size filter fans as V = f·Qv/dT with it (the calculation basis
// of https://www.manualshelf.com/manual/rittal/3171100/data-sheet-english/page-6.html
// defines V that way). Thinner air carries less heat per cubic metre: f
// grows with the density ratio.

// The main window's searches (RecommendAirconModel, RecommendFanModel).
constexpr std::size_t kAirconModelsSearched = 11;
constexpr std::size_t kFanModelsSearched = 15;

constexpr std::array<std::string_view, kCabinetInstallationCount> kInstallationTexts = {
    "모든 면 (기본 계산)",     "단독형, 사방 개방",
    "단독형, 벽면 부착",       "열 배치 끝단, 개방",
    "열 배치 끝단, 벽면 부착", "열 배치 중간, 개방",
    "열 배치 중간, 벽면 부착", "열 배치 중간, 벽면 부착, 지붕 덮음",
};

// The smallest entry of models[0, count) whose value is at least the
// requirement; ties go to the first.
std::optional<std::size_t> smallestReaching(double requirement,
                                            std::span<const ClimateModel> models,
                                            std::size_t count) {
    std::optional<std::size_t> best;
    for (std::size_t i = 0; i < count && i < models.size(); ++i) {
        const double v = models[i].value;
        if (std::isnan(v) || v < requirement) continue;
        if (!best || v < models[*best].value) best = i;
    }
    return best;
}

ModelChoice pickSearched(double requirement, std::span<const ClimateModel> models,
                         std::size_t searched) {
    const std::size_t count = std::min(searched, models.size());
    if (count == 0 || std::isnan(requirement)) return {};
    if (const auto i = smallestReaching(requirement, models, count)) return {i, false};
    return {count - 1, true};
}

}  // namespace

std::string_view CabinetInstallationText(int installation) {
    if (installation < 0 || installation >= kCabinetInstallationCount) return {};
    return kInstallationTexts[static_cast<std::size_t>(installation)];
}

ClimateValue EffectiveSurfaceArea(int installation, double height, double width, double depth) {
    if (installation < 0 || installation >= kCabinetInstallationCount)
        return notApplicable(ClimateReason::InvalidInstallation);
    if (!allFinite({height, width, depth})) return notApplicable(ClimateReason::OutOfRange);
    if (height <= 0 || width <= 0 || depth <= 0)
        return notApplicable(ClimateReason::InvalidDimensions);
    const double h = height;
    const double w = width;
    const double d = depth;
    double a = 0;
    switch (static_cast<CabinetInstallation>(installation)) {
        case CabinetInstallation::AllSides:
            a = 2 * d * h + 2 * h * w + d * w;
            break;
        case CabinetInstallation::SingleDetached:
            a = 1.8 * h * (w + d) + 1.4 * w * d;
            break;
        case CabinetInstallation::SingleWallMounted:
            a = 1.4 * w * (h + d) + 1.8 * d * h;
            break;
        case CabinetInstallation::EndDetached:
            a = 1.4 * d * (h + w) + 1.8 * w * h;
            break;
        case CabinetInstallation::EndWallMounted:
            a = 1.4 * h * (w + d) + 1.4 * w * d;
            break;
        case CabinetInstallation::MiddleDetached:
            a = 1.8 * w * h + 1.4 * w * d + d * h;
            break;
        case CabinetInstallation::MiddleWallMounted:
            a = 1.4 * w * (h + d) + d * h;
            break;
        case CabinetInstallation::MiddleWallMountedRoofCovered:
            a = 1.4 * w * h + 0.7 * w * d + d * h;
            break;
    }
    return valueOrOutOfRange(a);
}

ClimateValue DefaultSunlitArea(double height, double width, double depth) {
    if (!allFinite({height, width, depth})) return notApplicable(ClimateReason::OutOfRange);
    if (height <= 0 || width <= 0 || depth <= 0)
        return notApplicable(ClimateReason::InvalidDimensions);
    return valueOrOutOfRange(width * depth + width * height);
}

ClimateValue AirDensityRatio(double altitude) {
    if (!(altitude >= kLowestAltitude && altitude <= kTropopause))
        return notApplicable(ClimateReason::AltitudeOutOfRange);
    const double temperatureRatio = 1 - kLapseRate * altitude / kSeaLevelTemperature;
    return valueOrOutOfRange(1 / std::pow(temperatureRatio, kDensityExponent));
}

ClimateValue AirflowFactor(double altitude) {
    const ClimateValue ratio = AirDensityRatio(altitude);
    if (!ratio.applicable()) return ratio;
    return valueOrOutOfRange(kSeaLevelAirflowFactor * *ratio.value);
}

ClimateValue DewPoint(double temperature, double relativeHumidity) {
    if (!(relativeHumidity > 0 && relativeHumidity <= 100))
        return notApplicable(ClimateReason::HumidityOutOfRange);
    // The formula's pole lies at −b; far above the boiling point it has no
    // meaning either, and its terms would run out of precision.
    if (!(temperature > -kMagnusB && temperature < 1000))
        return notApplicable(ClimateReason::TemperatureOutOfRange);
    const double gamma =
        kMagnusA * temperature / (kMagnusB + temperature) + std::log(relativeHumidity / 100);
    return valueOrOutOfRange(kMagnusB * gamma / (kMagnusA - gamma));
}

ClimateDesignResult ComputeClimateDesign(const ClimateDesignInput& in) {
    ClimateDesignResult r;
    r.area = EffectiveSurfaceArea(in.installation, in.height, in.width, in.depth);
    r.deltaT = allFinite({in.insideDesired, in.ambientMax})
                   ? valueOrOutOfRange(in.insideDesired - in.ambientMax)
                   : notApplicable(ClimateReason::OutOfRange);

    // Qs = U·A·ΔT
    const ClimateValue coefficient =
        !std::isfinite(in.uValue) ? notApplicable(ClimateReason::OutOfRange)
        : in.uValue < 0           ? notApplicable(ClimateReason::InvalidCoefficient)
                                  : ClimateValue{in.uValue, ClimateReason::None};
    if (const ClimateReason why = firstReason({&r.area, &coefficient, &r.deltaT});
        why != ClimateReason::None) {
        r.wallHeat = notApplicable(why);
    } else {
        r.wallHeat = valueOrOutOfRange(*coefficient.value * *r.area.value * *r.deltaT.value);
    }

    // Qsun = α·E·A_sun·U·Rse
    if (in.sunlitArea) {
        r.sunlitArea = !std::isfinite(*in.sunlitArea) ? notApplicable(ClimateReason::OutOfRange)
                       : *in.sunlitArea < 0 ? notApplicable(ClimateReason::InvalidSolarInput)
                                            : ClimateValue{*in.sunlitArea, ClimateReason::None};
    } else {
        r.sunlitArea = DefaultSunlitArea(in.height, in.width, in.depth);
    }
    if (!in.sun) {
        r.solarHeat = {0.0, ClimateReason::None};
    } else if (!allFinite({in.absorptance, in.irradiance, in.sunRse})) {
        r.solarHeat = notApplicable(ClimateReason::OutOfRange);
    } else if (in.absorptance < 0 || in.absorptance > 1 || in.irradiance < 0 || in.sunRse < 0) {
        r.solarHeat = notApplicable(ClimateReason::InvalidSolarInput);
    } else if (const ClimateReason why = firstReason({&r.sunlitArea, &coefficient});
               why != ClimateReason::None) {
        r.solarHeat = notApplicable(why);
    } else {
        r.solarHeat = SolarHeatGain(in.absorptance, in.irradiance, *r.sunlitArea.value,
                                    *coefficient.value, in.sunRse);
    }

    const ClimateValue margin =
        !std::isfinite(in.safetyMargin) ? notApplicable(ClimateReason::OutOfRange)
        : in.safetyMargin < 0           ? notApplicable(ClimateReason::InvalidMargin)
                              : ClimateValue{1 + in.safetyMargin / 100, ClimateReason::None};
    const ClimateValue heat = valueOrOutOfRange(in.internalHeat);

    // The heat the equipment must get rid of: what it produces and the sun
    // brings, less what the walls give off.
    ClimateValue& surplus = r.heatSurplus;
    if (const ClimateReason why = firstReason({&heat, &r.wallHeat, &r.solarHeat});
        why != ClimateReason::None) {
        surplus = notApplicable(why);
    } else {
        surplus = valueOrOutOfRange(*heat.value - *r.wallHeat.value + *r.solarHeat.value);
    }

    if (const ClimateReason why = firstReason({&surplus, &margin}); why != ClimateReason::None) {
        r.coolingPower = notApplicable(why);
    } else {
        r.coolingPower = valueOrOutOfRange(*surplus.value * *margin.value);
    }

    // Outside air carries heat only from a cabinet warmer than the air.
    if (r.deltaT.applicable() && *r.deltaT.value <= 0) {
        r.heatExchangerCapacity = notApplicable(ClimateReason::AmbientNotBelowInside);
    } else if (const ClimateReason why = firstReason({&surplus, &r.deltaT, &margin});
               why != ClimateReason::None) {
        r.heatExchangerCapacity = notApplicable(why);
    } else {
        r.heatExchangerCapacity =
            valueOrOutOfRange(*surplus.value / *r.deltaT.value * *margin.value);
    }

    r.airflowFactor = AirflowFactor(in.altitude);
    if (!r.heatExchangerCapacity.applicable() &&
        r.heatExchangerCapacity.reason == ClimateReason::AmbientNotBelowInside) {
        r.airflow = r.heatExchangerCapacity;
    } else if (!r.airflowFactor.applicable()) {
        r.airflow = r.airflowFactor;
    } else if (!r.heatExchangerCapacity.applicable()) {
        r.airflow = r.heatExchangerCapacity;
    } else {
        r.airflow = valueOrOutOfRange(*r.airflowFactor.value * *r.heatExchangerCapacity.value);
    }
    r.airflowCfm = r.airflow.applicable()
                       ? valueOrOutOfRange(*r.airflow.value / kCubicMetresPerHourPerCfm)
                       : r.airflow;

    // U·A·(inside − ambient) − PMin, none below 0: the heat a heater adds to
    // what the walls lose when the equipment gives off only PMin (a steady
    // heat balance of the walls, as for the cooling).
    const ClimateValue coldHeat = valueOrOutOfRange(in.internalHeatMin);
    auto heaterFor = [&](double insideMin, double ambient) {
        const ClimateValue coldDeltaT = allFinite({insideMin, ambient})
                                            ? valueOrOutOfRange(insideMin - ambient)
                                            : notApplicable(ClimateReason::OutOfRange);
        if (const ClimateReason why = firstReason({&r.area, &coefficient, &coldDeltaT, &coldHeat});
            why != ClimateReason::None) {
            return notApplicable(why);
        }
        const ClimateValue need = valueOrOutOfRange(
            *coefficient.value * *r.area.value * *coldDeltaT.value - *coldHeat.value);
        return need.applicable() ? ClimateValue{std::max(0.0, *need.value)} : need;
    };
    // Frost: the lowest inside temperature held at the lowest ambient.
    r.heaterPower = heaterFor(in.insideMin, in.ambientMin);

    // Condensation: the air a cabinet breathes in on a humid day keeps its
    // moisture when the night cools the walls. Its dew point (Magnus, at the
    // humid day's temperature and humidity) is what the inside air must stay
    // above at that night's lowest ambient temperature; the cabinet itself
    // is warmer than the night air by PMin / (U·A), the steady balance of its
    // walls. This is the usual sizing of an anti-condensation heater; the
    // summer's highest temperature against the winter's lowest would ask
    // for air that never meets those walls.
    r.dewPointAirTemperature = std::isfinite(in.humidDayTemperature)
                                   ? ClimateValue{in.humidDayTemperature}
                                   : notApplicable(ClimateReason::OutOfRange);
    r.dewPoint = std::isfinite(in.humidDayTemperature)
                     ? DewPoint(in.humidDayTemperature, in.relativeHumidity)
                     : notApplicable(ClimateReason::OutOfRange);
    {
        const ClimateValue nightHeat = valueOrOutOfRange(in.internalHeatMin);
        if (const ClimateReason why = firstReason({&r.area, &coefficient, &nightHeat});
            why != ClimateReason::None) {
            r.nightInsideTemperature = notApplicable(why);
        } else if (!std::isfinite(in.humidNightMin)) {
            r.nightInsideTemperature = notApplicable(ClimateReason::OutOfRange);
        } else {
            const double conductance = *coefficient.value * *r.area.value;
            r.nightInsideTemperature =
                conductance > 0
                    ? valueOrOutOfRange(in.humidNightMin + *nightHeat.value / conductance)
                    : notApplicable(ClimateReason::InvalidCoefficient);
        }
    }
    if (r.dewPoint.applicable() && r.nightInsideTemperature.applicable())
        r.condensation = *r.nightInsideTemperature.value <= *r.dewPoint.value;
    if (r.dewPoint.applicable()) {
        r.condensationFreeInsideMin = valueOrOutOfRange(*r.dewPoint.value + kDewPointMargin);
        r.condensationFreeHeaterPower =
            heaterFor(*r.condensationFreeInsideMin.value, in.humidNightMin);
    } else {
        r.condensationFreeInsideMin = r.dewPoint;
        r.condensationFreeHeaterPower = r.dewPoint;
    }
    return r;
}

ClimateValue SolarHeatGain(double absorptance, double irradiance, double sunlitArea, double uValue,
                           double rse) {
    if (!allFinite({absorptance, irradiance, sunlitArea, uValue, rse}))
        return notApplicable(ClimateReason::OutOfRange);
    if (uValue < 0) return notApplicable(ClimateReason::InvalidCoefficient);
    if (absorptance < 0 || absorptance > 1 || irradiance < 0 || sunlitArea < 0 || rse < 0)
        return notApplicable(ClimateReason::InvalidSolarInput);
    return valueOrOutOfRange(absorptance * irradiance * sunlitArea * uValue * rse);
}

ModelChoice PickModel(double requirement, std::span<const ClimateModel> models) {
    if (models.empty() || std::isnan(requirement)) return {};
    if (const auto i = smallestReaching(requirement, models, models.size())) return {i, false};
    std::optional<std::size_t> largest;
    for (std::size_t i = 0; i < models.size(); ++i) {
        if (std::isnan(models[i].value)) continue;
        if (!largest || models[i].value > models[*largest].value) largest = i;
    }
    if (!largest) return {};
    return {largest, true};
}

ModelChoice PickAirconModel(double requirement, std::span<const ClimateModel> models) {
    return pickSearched(requirement, models, kAirconModelsSearched);
}

ModelChoice PickFanModel(double requirement, std::span<const ClimateModel> models) {
    return pickSearched(requirement, models, kFanModelsSearched);
}
