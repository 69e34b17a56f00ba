#include "climate/ClimateFormulas.h"

#include <cmath>

double EffectiveArea(int type, double h, double w, double d) {
    switch (type) {
        case 1:
            return 1.8 * h * (w + d) + 1.4 * w * d;
        case 2:
            return 1.4 * w * (h + d) + 1.8 * d * h;
        case 3:
            return 1.4 * d * (h + w) + 1.8 * w * h;
        case 4:
            return 1.4 * h * (w + d) + 1.4 * w * d;
        case 5:
            return 1.8 * w * h + 1.4 * w * d + d * h;
        case 6:
            return 1.4 * w * (h + d) + d * h;
        case 7:
            return 1.4 * w * h + 0.7 * w * d + d * h;
        default:
            return 2 * d * h + 2 * h * w + d * w;
    }
}

double AltitudeFactor(double altitude) {
    return 3.1 / std::pow(1 - 2.25577e-5 * altitude, 4.25588);
}

std::optional<double> DewPoint(double t, double rh) {
    if (!(rh > 0 && rh <= 100)) return std::nullopt;
    const double g = std::log(rh / 100) + 17.27 * t / (237.7 + t);
    return 237.7 * g / (17.27 - g);
}

ClimateResult ComputeClimate(const ClimateInput& in) {
    ClimateResult r;
    const double m = 1 + in.marginPercent / 100;
    r.area = EffectiveArea(in.installation, in.height, in.width, in.depth);
    const double dt = in.insideMax - in.ambientMax;
    r.wallHeat = in.uValue * r.area * dt;
    r.solarGain = in.sun ? in.absorptance * in.irradiance * in.sunArea : 0;
    r.coolingPower = (in.internalHeat - r.wallHeat + r.solarGain) * m;
    r.altitudeFactor = AltitudeFactor(in.altitude);
    if (dt > 0) {
        r.specificCapacity = (in.internalHeat + r.solarGain - r.wallHeat) / dt * m;
        r.airflow = r.altitudeFactor * (in.internalHeat + r.solarGain - r.wallHeat) / dt * m;
    }
    r.heaterPower = in.uValue * r.area * (in.insideMin - in.ambientMin) - in.heatAtMin;
    if (r.heaterPower < 0) r.heaterPower = 0;
    r.dewPoint = DewPoint(in.insideMax, in.humidity);
    return r;
}
