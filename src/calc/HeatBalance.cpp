#include "calc/HeatBalance.h"

#include <algorithm>
#include <cmath>

double ComputeSurfaceArea(double height, double width, double depth) {
    return (depth + depth) * height + (height + height) * width + depth * width;
}

HeatBalanceResult ComputeHeatBalance(const HeatBalanceInput& in) {
    HeatBalanceResult out;
    out.area = ComputeSurfaceArea(in.height, in.width, in.depth);
    const double a = out.area;

    switch (in.mode) {
        case SelectionMode::Aircon:
            out.deltaT = in.t1 - in.t2;
            if (out.deltaT > 0) {
                out.findings.push_back(HeatBalanceFinding::AirconOutsideHotter);
                const double wallHeat = in.uValue * a * out.deltaT;
                out.result = in.internalHeat + wallHeat;
            } else {
                out.findings.push_back(HeatBalanceFinding::AirconOutsideCooler);
                out.deltaT = in.t2 - in.t1;
                const double wallHeat = in.uValue * a * out.deltaT;
                out.result = in.internalHeat - wallHeat;
            }
            break;
        case SelectionMode::Fan1:
        case SelectionMode::Fan2:
            out.deltaT = in.t2 - in.t1;
            if (out.deltaT < 0) out.findings.push_back(HeatBalanceFinding::SetTemperatureHigh);
            if (out.deltaT != 0) {
                if (in.mode == SelectionMode::Fan1) {
                    out.result = in.internalHeat / out.deltaT - in.uValue * a;
                } else {
                    const double measured = in.t4 - in.t3;
                    out.result = (measured / out.deltaT - 1) * in.uValue * a;
                }
            } else {
                out.findings.push_back(HeatBalanceFinding::TemperaturesEqual);
            }
            break;
    }

    out.finite = std::isfinite(out.area) && std::isfinite(out.deltaT) &&
                 (!out.result || std::isfinite(*out.result));
    return out;
}

int RecommendModel(double requirement, std::span<const double> capacities) {
    if (capacities.empty()) return 0;
    const auto it = std::find_if(capacities.begin(), capacities.end(),
                                 [requirement](double capacity) { return requirement < capacity; });
    if (it == capacities.end()) return static_cast<int>(capacities.size()) - 1;
    return static_cast<int>(it - capacities.begin());
}

int RecommendAirconModel(double requirement, std::span<const double> airconCapacities) {
    return RecommendModel(requirement,
                          airconCapacities.first(std::min<size_t>(11, airconCapacities.size())));
}

int RecommendFanModel(double requirement, std::span<const double> fanCapacities) {
    return RecommendModel(requirement,
                          fanCapacities.first(std::min<size_t>(15, fanCapacities.size())));
}
