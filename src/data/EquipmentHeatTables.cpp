#include "data/EquipmentHeatTables.h"

#include "calc/NumberText.h"
#include "data/IniFile.h"

const std::array<std::string_view, 15>& fanModelNames() {
    static const std::array<std::string_view, 15> names = {
        "VK-170", "VK-153", "VK-12",  "VK-150", "VK-280", "VK-310", "VK-210", "VK-300",
        "VK-320", "VK-420", "VK-370", "VK-200", "VK-360", "VK-421", "VK-400"};
    return names;
}

const std::vector<EquipmentSection>& equipmentSections() {
    static const std::vector<EquipmentSection> sections = {
        {"Transformer",
         {"250", "500", "750", "1000", "2000", "3000", "4000", "5000", "6000", "7000", "8000", "10000"},
         [](EquipmentHeatTables& t) { return t.TransformerLoss.data(); }},
        {"PowerCircuitBreaker",
         {"63", "125", "160", "250", "400", "630", "1000", "1250", "1600", "2000", "2500"},
         [](EquipmentHeatTables& t) { return t.CircuitBreakerLoss.data(); }},
        {"PLC", {"0.5", "2.0", "5.0"}, [](EquipmentHeatTables& t) { return t.PlcLoss.data(); }},
        {"ContactorRelay", {"AC", "DC"},
         [](EquipmentHeatTables& t) { return t.ContactorRelayLoss.data(); }},
        {"PowerContactor",
         {"4000", "7500", "11000", "15000", "22000", "30000", "37000", "55000", "90000", "130000",
          "200000", "325000"},
         [](EquipmentHeatTables& t) { return t.PowerContactorLoss.data(); }},
        {"Indicator", {"1.2", "2.0", "5.0"},
         [](EquipmentHeatTables& t) { return t.IndicatorLoss.data(); }},
        {"PowerSupply",
         {"250", "500", "750", "1000", "2000", "3000", "4000", "5000", "6000", "7000", "8000", "9000",
          "10000"},
         [](EquipmentHeatTables& t) { return t.PowerSupplyLoss.data(); }},
        {"Inverter",
         {"250",   "370",   "550",   "750",   "1100",   "1500",   "2200",   "3000",   "4000",
          "5500",  "7500",  "11000", "15000", "18500",  "22000",  "30000",  "37000",  "45000",
          "55000", "75000", "90000", "110000", "132000", "160000", "200000", "220000", "250000"},
         [](EquipmentHeatTables& t) { return t.InverterLoss.data(); }},
        {"FAN-Model",
         {fanModelNames().begin(), fanModelNames().end()},
         [](EquipmentHeatTables& t) { return t.FanModelCapacity.data(); }},
        {"Aircon-Model",
         {"VKA-350BR", "VKA-500BR", "VKA-500AR", "VKA-750BR", "VKA-1100AR", "VKA-1100BR",
          "VKA-1600AR", "VKA-1600BR", "VKA-2000BR", "VKA-3000BR", "VKA-3500BR"},
         [](EquipmentHeatTables& t) { return t.AirconModelCapacity.data(); }},
    };
    return sections;
}

std::filesystem::path iniPathFor(const std::filesystem::path& programDir) {
    return programDir / "env" / "app.ini";
}

void LoadIniValues(EquipmentHeatTables& tables, const std::filesystem::path& iniPath) {
    // One read of the file per load; every key is then looked up in memory.
    const IniFile file = IniFile::load(iniPath);
    for (const EquipmentSection& s : equipmentSections()) {
        double* target = s.target(tables);
        for (size_t i = 0; i < s.keys.size(); ++i) {
            target[i] = ParseNumber(file.value(s.section, s.keys[i]));
        }
        if (s.section == "FAN-Model") {
            for (size_t i = 0; i < fanModelNames().size(); ++i) {
                tables.FanModelName[i] = std::string(fanModelNames()[i]);
            }
        }
    }
}
