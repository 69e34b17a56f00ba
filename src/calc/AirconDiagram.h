#pragma once

#include <cstdint>
#include <optional>

// The air-conditioner capacity diagram: cooling capacity against the
// maximum outside temperature, one sloped line per band of the desired set
// temperature inside the cabinet.

struct AirconDiagram {
    std::optional<int> band;          // 1 to 8; none for T2 >= 55
    int highlightedLine = 0;          // line element of the band, 27 to 34; 0 for none
    std::optional<double> lineValue;  // c(band) - T1 / 5
    double capacity = 0;              // line value * 80; 0 for none
    std::int32_t markerX = 0;         // twips of T1 on the outside-temperature axis
};

// `t1`: maximum outside temperature; `t2`: desired set temperature.
AirconDiagram CalcAirconDiagram(double t1, double t2);
