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

// ---- the main window's model lines --------------------------------------
//
// The main window's model sections hold a fixed set of keys: "FAN-Model"
// the box fans' designations, "Aircon-Model" the air-conditioners', whose
// designation on screen is built from the capacity ("VKA-" capacity "BR").
// A line of another key is not read, and a line whose key names another
// capacity than its value is shown under the designation of its value.

inline constexpr std::string_view kFanModelSection = "FAN-Model";
inline constexpr std::string_view kAirconModelSection = "Aircon-Model";

struct UnmatchedModelLine {
    std::string section;
    std::string key;
    std::string value;    // as written
    std::string shownAs;  // the designation shown for it; empty: the line is not read
};

// Asks a reading of the configuration file to keep both sections' lines.
IniSelection& selectMainModelLines(IniSelection& selection);
// The lines of the two sections, in file order, that the main window does
// not show under their key: unknown keys (compared without regard to letter
// case, as the file's keys are), and air-conditioner keys whose number is
// not the capacity written.
std::vector<UnmatchedModelLine> unmatchedModelLines(const IniFile& file);
