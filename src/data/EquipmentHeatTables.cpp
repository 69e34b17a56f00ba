#include "data/EquipmentHeatTables.h"

#include <type_traits>
#include <utility>

#include "calc/NumberText.h"

namespace {

// A section whose key list and table have the same length: a list of
// another length than its table does not compile.
template <auto Table, size_t N>
constexpr EquipmentSection section(std::string_view name,
                                   const std::array<std::string_view, N>& keys) {
    using TableType = std::remove_cvref_t<decltype(std::declval<EquipmentHeatTables&>().*Table)>;
    static_assert(std::is_same_v<TableType, std::array<double, N>>,
                  "a section needs one key for every entry of its table");
    return {name, keys, [](EquipmentHeatTables& t) { return std::span<double>(t.*Table); }};
}

}  // namespace

const std::array<std::string_view, kFanModelKeys.size()>& fanModelNames() { return kFanModelKeys; }

const std::array<EquipmentSection, 10>& equipmentSections() {
    using T = EquipmentHeatTables;
    static constexpr std::array<EquipmentSection, 10> sections = {
        section<&T::TransformerLoss>("Transformer", kTransformerKeys),
        section<&T::CircuitBreakerLoss>("PowerCircuitBreaker", kCircuitBreakerKeys),
        section<&T::PlcLoss>("PLC", kPlcKeys),
        section<&T::ContactorRelayLoss>("ContactorRelay", kContactorRelayKeys),
        section<&T::PowerContactorLoss>("PowerContactor", kPowerContactorKeys),
        section<&T::IndicatorLoss>("Indicator", kIndicatorKeys),
        section<&T::PowerSupplyLoss>("PowerSupply", kPowerSupplyKeys),
        section<&T::InverterLoss>("Inverter", kInverterKeys),
        section<&T::FanModelCapacity>("FAN-Model", kFanModelKeys),
        section<&T::AirconModelCapacity>("Aircon-Model", kAirconModelKeys),
    };
    return sections;
}

IniSelection equipmentIniSelection() {
    IniSelection selection;
    for (const EquipmentSection& s : equipmentSections()) {
        for (std::string_view key : s.keys) selection.key(s.section, key);
    }
    return selection;
}

std::filesystem::path iniPathFor(const std::filesystem::path& programDir) {
    return programDir / "env" / "app.ini";
}

void LoadIniValues(EquipmentHeatTables& tables, const std::filesystem::path& iniPath) {
    // One read of the file per load, keeping only these keys; every key is
    // then looked up in memory.
    const IniFile file = IniFile::load(iniPath, equipmentIniSelection());
    for (const EquipmentSection& s : equipmentSections()) {
        const std::span<double> table = s.table(tables);
        for (size_t i = 0; i < s.keys.size(); ++i) {
            table[i] = ParseNumber(file.value(s.section, s.keys[i]));
        }
        if (s.section == "FAN-Model") {
            for (size_t i = 0; i < fanModelNames().size(); ++i) {
                tables.FanModelName[i] = std::string(fanModelNames()[i]);
            }
        }
    }
}
