#include "heat/HeatValueTable.h"

#include <algorithm>

const std::array<HeatFamilyRows, kHeatFamilyCount>& heatFamilies() {
    static const std::array<HeatFamilyRows, kHeatFamilyCount> families = {{
        {HeatFamily::Transformer,
         " [ Transformer ] ",
         "txtTransformerNum",
         "Transformer",
         {{"250", "Transformer 250VA x"},
          {"500", "Transformer 500VA x"},
          {"750", "Transformer 750VA x"},
          {"1000", "Transformer 1000VA x"},
          {"2000", "Transformer 2000VA x"},
          {"3000", "Transformer 3000VA x"},
          {"4000", "Transformer 4000VA x"},
          {"5000", "Transformer 5000VA x"},
          {"6000", "Transformer 6000VA x"},
          {"7000", "Transformer 7000VA x"},
          {"8000", "Transformer 8000VA x"},
          {"10000", "Transformer 10kVA x"}},
         {480, 360, 3255, 4935},
         480,
         2280},
        {HeatFamily::CircuitBreaker,
         " [ Power circuit-breaker ] ",
         "txtCircuitBreakerNum",
         "PowerCircuitBreaker",
         {{"63", "Power circuit-breaker 63A x"},
          {"125", "Power circuit-breaker 125A x"},
          {"160", "Power circuit-breaker 160A x"},
          {"250", "Power circuit-breaker 250A x"},
          {"400", "Power circuit-breaker 400A x"},
          {"630", "Power circuit-breaker 630A x"},
          {"1000", "Power circuit-breaker 1000A x"},
          {"1250", "Power circuit-breaker 1250A x"},
          {"1600", "Power circuit-breaker 1600A x"},
          {"2000", "Power circuit-breaker 2000A x"},
          {"2500", "Power circuit-breaker 2500A x"}},
         {240, 5520, 3735, 4575},
         480,
         3000},
        {HeatFamily::Plc,
         " [ PLC ] ",
         "txtPLCNum",
         "PLC",
         {{"0.5", "PLC 0.5A Number of outlets x"},
          {"2.0", "PLC 2.0A Number of outlets x"},
          {"5.0", "PLC 5.0A Number of outlets x"}},
         {4080, 360, 3615, 1815},
         360,
         3000},
        {HeatFamily::ContactorRelay,
         " [ Contactor relay ] ",
         "txtContactorRelayNum",
         "ContactorRelay",
         {{"AC", "Contactor relay/time-delay relay AC x"},
          {"DC", "Contactor relay/time-delay relay DC x"}},
         {4080, 2400, 4575, 1215},
         360,
         3720},
        {HeatFamily::PowerContactor,
         " [ Power contactor ] ",
         "txtPowerContactorNum",
         "PowerContactor",
         {{"4000", "Power contactor 4kw x"},
          {"7500", "Power contactor 7.5kw x"},
          {"11000", "Power contactor 11kw x"},
          {"15000", "Power contactor 15kw x"},
          {"22000", "Power contactor 22kw x"},
          {"30000", "Power contactor 30kw x"},
          {"37000", "Power contactor 37kw x"},
          {"55000", "Power contactor 55kw x"},
          {"90000", "Power contactor 90kw x"},
          {"130000", "Power contactor 130kw x"},
          {"200000", "Power contactor 200kw x"},
          {"325000", "Power contactor 325kw x"}},
         {4080, 3960, 3495, 5055},
         480,
         2640},
        {HeatFamily::Indicator,
         " [ Indicator ] ",
         "txtIndicatorNum",
         "Indicator",
         {{"1.2", "Indicator lamp 1.2W x"},
          {"2.0", "Indicator lamp 2.0W x"},
          {"5.0", "Indicator lamp 5.0W x"}},
         {7800, 360, 3255, 1815},
         480,
         2280},
        {HeatFamily::PowerSupply,
         " [ Power supply unit ] ",
         "txtPowerSupplyNum",
         "PowerSupply",
         {{"250", "Power supply unit 250VA x"},
          {"500", "Power supply unit 500VA x"},
          {"750", "Power supply unit 750VA x"},
          {"1000", "Power supply unit 1000VA x"},
          {"2000", "Power supply unit 2000VA x"},
          {"3000", "Power supply unit 3000VA x"},
          {"4000", "Power supply unit 4000VA x"},
          {"5000", "Power supply unit 5000VA x"},
          {"6000", "Power supply unit 6000VA x"},
          {"7000", "Power supply unit 7000VA x"},
          {"8000", "Power supply unit 8000VA x"},
          {"9000", "Power supply unit 9000VA x"},
          {"10000", "Power supply unit 10kVA x"}},
         {7800, 3960, 3495, 5295},
         480,
         2760},
        {HeatFamily::Inverter,
         " [ Inverter ] ",
         "txtInverterNum",
         "Inverter",
         {{"250", "Inverter 0.25kVA x"},   {"370", "Inverter 0.37kVA x"},
          {"550", "Inverter 0.55kVA x"},   {"750", "Inverter 0.75kVA x"},
          {"1100", "Inverter 1.10kVA x"},  {"1500", "Inverter 1.50kVA x"},
          {"2200", "Inverter 2.20kVA x"},  {"3000", "Inverter 3.00kVA x"},
          {"4000", "Inverter 4.00kVA x"},  {"5500", "Inverter 5.50kVA x"},
          {"7500", "Inverter 7.50kVA x"},  {"11000", "Inverter 11.0kVA x"},
          {"15000", "Inverter 15.0kVA x"}, {"18500", "Inverter 18.5kVA x"},
          {"22000", "Inverter 22.0kVA x"}, {"30000", "Inverter 30.0kVA x"},
          {"37000", "Inverter 37.0kVA x"}, {"45000", "Inverter 45.0kVA x"},
          {"55000", "Inverter 55.0kVA x"}, {"75000", "Inverter 75.0kVA x"},
          {"90000", "Inverter 90.0kVA x"}, {"110000", "Inverter 110kVA x"},
          {"132000", "Inverter 132kVA x"}, {"160000", "Inverter 160kVA x"},
          {"200000", "Inverter 200kVA x"}, {"220000", "Inverter 220kVA x"},
          {"250000", "Inverter 250kVA x"}},
         {11400, 120, 3255, 10095},
         240,
         2280},
    }};
    return families;
}

const std::array<HeatFamily, kHeatFamilyCount>& heatSumOrder() {
    static constexpr std::array<HeatFamily, kHeatFamilyCount> order = {
        HeatFamily::Transformer,    HeatFamily::Plc,           HeatFamily::Indicator,
        HeatFamily::Inverter,       HeatFamily::ContactorRelay, HeatFamily::PowerContactor,
        HeatFamily::CircuitBreaker, HeatFamily::PowerSupply};
    return order;
}

const std::array<HeatFamily, kHeatFamilyCount>& heatTotalOrder() {
    static constexpr std::array<HeatFamily, kHeatFamilyCount> order = {
        HeatFamily::Plc,           HeatFamily::Transformer,    HeatFamily::Indicator,
        HeatFamily::Inverter,      HeatFamily::ContactorRelay, HeatFamily::PowerContactor,
        HeatFamily::CircuitBreaker, HeatFamily::PowerSupply};
    return order;
}

std::span<const double> familyLosses(const EquipmentHeatTables& tables, HeatFamily family) {
    switch (family) {
    case HeatFamily::Transformer: return tables.TransformerLoss;
    case HeatFamily::CircuitBreaker: return tables.CircuitBreakerLoss;
    case HeatFamily::Plc: return tables.PlcLoss;
    case HeatFamily::ContactorRelay: return tables.ContactorRelayLoss;
    case HeatFamily::PowerContactor: return tables.PowerContactorLoss;
    case HeatFamily::Indicator: return tables.IndicatorLoss;
    case HeatFamily::PowerSupply: return tables.PowerSupplyLoss;
    case HeatFamily::Inverter: return tables.InverterLoss;
    }
    return {};
}

HeatSum sumHeat(const HeatCounts& counts, const EquipmentHeatTables& tables) {
    HeatSum sum;
    for (HeatFamily family : heatSumOrder()) {
        const int f = familyIndex(family);
        const std::span<const double> losses = familyLosses(tables, family);
        const size_t rows = std::min(losses.size(), counts[f].size());
        for (size_t i = 0; i < rows; ++i) sum.subtotals[f] += counts[f][i] * losses[i];
    }
    for (HeatFamily family : heatTotalOrder()) sum.total += sum.subtotals[familyIndex(family)];
    return sum;
}
