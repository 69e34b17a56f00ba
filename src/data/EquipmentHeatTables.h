#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The heat losses of typical cabinet components and the capacities of the
// models the program recommends, as read from env/app.ini.
struct EquipmentHeatTables {
    std::array<double, 12> TransformerLoss{};
    std::array<double, 11> CircuitBreakerLoss{};
    std::array<double, 3> PlcLoss{};
    std::array<double, 2> ContactorRelayLoss{};
    std::array<double, 12> PowerContactorLoss{};
    std::array<double, 3> IndicatorLoss{};
    std::array<double, 13> PowerSupplyLoss{};
    std::array<double, 27> InverterLoss{};
    std::array<double, 15> FanModelCapacity{};
    std::array<std::string, 15> FanModelName{};
    std::array<double, 11> AirconModelCapacity{};
    double TotalHeatValue = 0;  // last total of the component heat window
};

// One section of the configuration file and the array it fills: entry i of
// the array is the value of keys[i].
struct EquipmentSection {
    std::string_view section;
    std::vector<std::string_view> keys;
    double* (*target)(EquipmentHeatTables&);
};

// The ten sections in the order they are read.
const std::vector<EquipmentSection>& equipmentSections();

// The box-fan designations, which are also the keys of section "FAN-Model".
const std::array<std::string_view, 15>& fanModelNames();

// The configuration file of a program whose executable lies in `programDir`.
std::filesystem::path iniPathFor(const std::filesystem::path& programDir);

// Fills every table (not TotalHeatValue) from the file at `iniPath`; a
// missing file, section, key or number gives 0 for that entry alone.
void LoadIniValues(EquipmentHeatTables& tables, const std::filesystem::path& iniPath);
