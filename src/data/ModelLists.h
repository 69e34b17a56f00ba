#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "data/IniFile.h"

// The model lists of the climate design: optional sections of the
// configuration file in which each key is a model's designation and its
// value the model's rating. Nothing but the climate design reads them.
//   [FilterFan-Model]  designation = airflow in m³/h
//   [Heater-Model]     designation = heating power in W

inline constexpr std::string_view kFilterFanModelSection = "FilterFan-Model";
inline constexpr std::string_view kHeaterModelSection = "Heater-Model";
// More models than a list shows are not read.
inline constexpr size_t kMaxModelListEntries = 64;

struct NamedValue {
    std::string name;
    double value = 0;
};

// Asks a reading of the configuration file to keep both model lists.
IniSelection& selectModelLists(IniSelection& selection);

// The models of `section` in file order, each designation once (its first
// line counts), at most kMaxModelListEntries of them; the value read as a
// number the way every configuration value is (no number gives 0). Empty
// when the section is missing or `file` was read without selectModelLists.
std::vector<NamedValue> LoadModelList(const IniFile& file, std::string_view section);
