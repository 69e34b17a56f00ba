#include "design/HeatValueTable.h"

#include <algorithm>

namespace {

// The rows of a family: its configuration keys with one label each. A label
// list of another length than the key list does not compile.
template <size_t N>
std::vector<HeatRow> rowsOf(const std::array<std::string_view, N>& keys,
                            const std::string_view (&labels)[N]) {
    std::vector<HeatRow> rows;
    for (size_t i = 0; i < N; ++i) rows.push_back({keys[i], labels[i]});
    return rows;
}

}  // namespace

const std::array<HeatFamilyRows, kHeatFamilyCount>& heatFamilies() {
    static const std::array<HeatFamilyRows, kHeatFamilyCount> families = {{
        {HeatFamily::Transformer,
         " [ Transformer ] ",
         "txtTransformerNum",
         "Transformer",
         rowsOf(kTransformerKeys,
                {"Transformer 250VA x", "Transformer 500VA x", "Transformer 750VA x",
                 "Transformer 1000VA x", "Transformer 2000VA x", "Transformer 3000VA x",
                 "Transformer 4000VA x", "Transformer 5000VA x", "Transformer 6000VA x",
                 "Transformer 7000VA x", "Transformer 8000VA x", "Transformer 10kVA x"}),
         {480, 360, 3255, 4935},
         480,
         2280},
        {HeatFamily::CircuitBreaker,
         " [ Power circuit-breaker ] ",
         "txtCircuitBreakerNum",
         "PowerCircuitBreaker",
         rowsOf(kCircuitBreakerKeys,
                {"Power circuit-breaker 63A x", "Power circuit-breaker 125A x",
                 "Power circuit-breaker 160A x", "Power circuit-breaker 250A x",
                 "Power circuit-breaker 400A x", "Power circuit-breaker 630A x",
                 "Power circuit-breaker 1000A x", "Power circuit-breaker 1250A x",
                 "Power circuit-breaker 1600A x", "Power circuit-breaker 2000A x",
                 "Power circuit-breaker 2500A x"}),
         {240, 5520, 3735, 4575},
         480,
         3000},
        {HeatFamily::Plc,
         " [ PLC ] ",
         "txtPLCNum",
         "PLC",
         rowsOf(kPlcKeys, {"PLC 0.5A Number of outlets x", "PLC 2.0A Number of outlets x",
                           "PLC 5.0A Number of outlets x"}),
         {4080, 360, 3615, 1815},
         360,
         3000},
        {HeatFamily::ContactorRelay,
         " [ Contactor relay ] ",
         "txtContactorRelayNum",
         "ContactorRelay",
         rowsOf(kContactorRelayKeys,
                {"Contactor relay/time-delay relay AC x", "Contactor relay/time-delay relay DC x"}),
         {4080, 2400, 4575, 1215},
         360,
         3720},
        {HeatFamily::PowerContactor,
         " [ Power contactor ] ",
         "txtPowerContactorNum",
         "PowerContactor",
         rowsOf(kPowerContactorKeys,
                {"Power contactor 4kw x", "Power contactor 7.5kw x", "Power contactor 11kw x",
                 "Power contactor 15kw x", "Power contactor 22kw x", "Power contactor 30kw x",
                 "Power contactor 37kw x", "Power contactor 55kw x", "Power contactor 90kw x",
                 "Power contactor 130kw x", "Power contactor 200kw x", "Power contactor 325kw x"}),
         {4080, 3960, 3495, 5055},
         480,
         2640},
        {HeatFamily::Indicator,
         " [ Indicator ] ",
         "txtIndicatorNum",
         "Indicator",
         rowsOf(kIndicatorKeys,
                {"Indicator lamp 1.2W x", "Indicator lamp 2.0W x", "Indicator lamp 5.0W x"}),
         {7800, 360, 3255, 1815},
         480,
         2280},
        {HeatFamily::PowerSupply,
         " [ Power supply unit ] ",
         "txtPowerSupplyNum",
         "PowerSupply",
         rowsOf(kPowerSupplyKeys, {"Power supply unit 250VA x", "Power supply unit 500VA x",
                                   "Power supply unit 750VA x", "Power supply unit 1000VA x",
                                   "Power supply unit 2000VA x", "Power supply unit 3000VA x",
                                   "Power supply unit 4000VA x", "Power supply unit 5000VA x",
                                   "Power supply unit 6000VA x", "Power supply unit 7000VA x",
                                   "Power supply unit 8000VA x", "Power supply unit 9000VA x",
                                   "Power supply unit 10kVA x"}),
         {7800, 3960, 3495, 5295},
         480,
         2760},
        {HeatFamily::Inverter,
         " [ Inverter ] ",
         "txtInverterNum",
         "Inverter",
         rowsOf(kInverterKeys, {"Inverter 0.25kVA x", "Inverter 0.37kVA x", "Inverter 0.55kVA x",
                                "Inverter 0.75kVA x", "Inverter 1.10kVA x", "Inverter 1.50kVA x",
                                "Inverter 2.20kVA x", "Inverter 3.00kVA x", "Inverter 4.00kVA x",
                                "Inverter 5.50kVA x", "Inverter 7.50kVA x", "Inverter 11.0kVA x",
                                "Inverter 15.0kVA x", "Inverter 18.5kVA x", "Inverter 22.0kVA x",
                                "Inverter 30.0kVA x", "Inverter 37.0kVA x", "Inverter 45.0kVA x",
                                "Inverter 55.0kVA x", "Inverter 75.0kVA x", "Inverter 90.0kVA x",
                                "Inverter 110kVA x",  "Inverter 132kVA x",  "Inverter 160kVA x",
                                "Inverter 200kVA x",  "Inverter 220kVA x",  "Inverter 250kVA x"}),
         {11400, 120, 3255, 10095},
         240,
         2280},
    }};
    return families;
}

const std::array<HeatFamily, kHeatFamilyCount>& heatSumOrder() {
    static constexpr std::array<HeatFamily, kHeatFamilyCount> order = {
        HeatFamily::Transformer,    HeatFamily::Plc,
        HeatFamily::Indicator,      HeatFamily::Inverter,
        HeatFamily::ContactorRelay, HeatFamily::PowerContactor,
        HeatFamily::CircuitBreaker, HeatFamily::PowerSupply};
    return order;
}

const std::array<HeatFamily, kHeatFamilyCount>& heatTotalOrder() {
    static constexpr std::array<HeatFamily, kHeatFamilyCount> order = {HeatFamily::Plc,
                                                                       HeatFamily::Transformer,
                                                                       HeatFamily::Indicator,
                                                                       HeatFamily::Inverter,
                                                                       HeatFamily::ContactorRelay,
                                                                       HeatFamily::PowerContactor,
                                                                       HeatFamily::CircuitBreaker,
                                                                       HeatFamily::PowerSupply};
    return order;
}

std::span<const double> familyLosses(const EquipmentHeatTables& tables, HeatFamily family) {
    switch (family) {
        case HeatFamily::Transformer:
            return tables.TransformerLoss;
        case HeatFamily::CircuitBreaker:
            return tables.CircuitBreakerLoss;
        case HeatFamily::Plc:
            return tables.PlcLoss;
        case HeatFamily::ContactorRelay:
            return tables.ContactorRelayLoss;
        case HeatFamily::PowerContactor:
            return tables.PowerContactorLoss;
        case HeatFamily::Indicator:
            return tables.IndicatorLoss;
        case HeatFamily::PowerSupply:
            return tables.PowerSupplyLoss;
        case HeatFamily::Inverter:
            return tables.InverterLoss;
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
