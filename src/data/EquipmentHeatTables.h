#pragma once

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "data/IniFile.h"

// The keys of every section of the configuration file, in the order of the
// entries of the table they fill: entry i is the value of key i. Each table
// of EquipmentHeatTables is declared with its key list's length, so a key
// added to or taken from a list changes its table with it.
inline constexpr auto kTransformerKeys = std::to_array<std::string_view>(
    {"250", "500", "750", "1000", "2000", "3000", "4000", "5000", "6000", "7000", "8000", "10000"});
inline constexpr auto kCircuitBreakerKeys = std::to_array<std::string_view>(
    {"63", "125", "160", "250", "400", "630", "1000", "1250", "1600", "2000", "2500"});
inline constexpr auto kPlcKeys = std::to_array<std::string_view>({"0.5", "2.0", "5.0"});
inline constexpr auto kContactorRelayKeys = std::to_array<std::string_view>({"AC", "DC"});
inline constexpr auto kPowerContactorKeys =
    std::to_array<std::string_view>({"4000", "7500", "11000", "15000", "22000", "30000", "37000",
                                     "55000", "90000", "130000", "200000", "325000"});
inline constexpr auto kIndicatorKeys = std::to_array<std::string_view>({"1.2", "2.0", "5.0"});
inline constexpr auto kPowerSupplyKeys =
    std::to_array<std::string_view>({"250", "500", "750", "1000", "2000", "3000", "4000", "5000",
                                     "6000", "7000", "8000", "9000", "10000"});
inline constexpr auto kInverterKeys = std::to_array<std::string_view>(
    {"250",   "370",   "550",   "750",    "1100",   "1500",   "2200",   "3000",   "4000",
     "5500",  "7500",  "11000", "15000",  "18500",  "22000",  "30000",  "37000",  "45000",
     "55000", "75000", "90000", "110000", "132000", "160000", "200000", "220000", "250000"});
// The box-fan designations, which are also the keys of section "FAN-Model".
inline constexpr auto kFanModelKeys = std::to_array<std::string_view>(
    {"VK-170", "VK-153", "VK-12", "VK-150", "VK-280", "VK-310", "VK-210", "VK-300", "VK-320",
     "VK-420", "VK-370", "VK-200", "VK-360", "VK-421", "VK-400"});
inline constexpr auto kAirconModelKeys = std::to_array<std::string_view>(
    {"VKA-350BR", "VKA-500BR", "VKA-500AR", "VKA-750BR", "VKA-1100AR", "VKA-1100BR", "VKA-1600AR",
     "VKA-1600BR", "VKA-2000BR", "VKA-3000BR", "VKA-3500BR"});

// The heat losses of typical cabinet components and the capacities of the
// models the program recommends, as read from env/app.ini.
struct EquipmentHeatTables {
    std::array<double, kTransformerKeys.size()> TransformerLoss{};
    std::array<double, kCircuitBreakerKeys.size()> CircuitBreakerLoss{};
    std::array<double, kPlcKeys.size()> PlcLoss{};
    std::array<double, kContactorRelayKeys.size()> ContactorRelayLoss{};
    std::array<double, kPowerContactorKeys.size()> PowerContactorLoss{};
    std::array<double, kIndicatorKeys.size()> IndicatorLoss{};
    std::array<double, kPowerSupplyKeys.size()> PowerSupplyLoss{};
    std::array<double, kInverterKeys.size()> InverterLoss{};
    std::array<double, kFanModelKeys.size()> FanModelCapacity{};
    std::array<std::string, kFanModelKeys.size()> FanModelName{};
    std::array<double, kAirconModelKeys.size()> AirconModelCapacity{};
    double TotalHeatValue = 0;  // last total of the component heat window
};

// One section of the configuration file and the table it fills: entry i of
// the table is the value of keys[i]. Built only from a key list and the table
// of the same length (see equipmentSections()), so that the two always match.
struct EquipmentSection {
    std::string_view section;
    std::span<const std::string_view> keys;
    std::span<double> (*table)(EquipmentHeatTables&);  // keys.size() entries
};

// The ten sections in the order they are read.
const std::array<EquipmentSection, 10>& equipmentSections();

// The box-fan designations, which are also the keys of section "FAN-Model".
const std::array<std::string_view, kFanModelKeys.size()>& fanModelNames();

// Every key of the ten sections: what LoadIniValues reads of the file.
IniSelection equipmentIniSelection();

// The configuration file of a program whose executable lies in `programDir`.
std::filesystem::path iniPathFor(const std::filesystem::path& programDir);

// Fills every table (not TotalHeatValue) from the file at `iniPath`; a
// missing file, section, key or number gives 0 for that entry alone.
void LoadIniValues(EquipmentHeatTables& tables, const std::filesystem::path& iniPath);
