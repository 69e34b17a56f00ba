#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The model lists of the climate design, from optional sections of the
// configuration file: each key a model's designation, its value the rating.
inline constexpr std::string_view kFilterFanSection = "FilterFan-Model";  // m³/h
inline constexpr std::string_view kHeaterSection = "Heater-Model";        // W

struct ModelRating {
    std::string name;
    double rating = 0;
};

// The models of `section` of the file at `iniPath` in file order; empty when
// the file or the section is missing.
std::vector<ModelRating> readModelList(const std::filesystem::path& iniPath,
                                       std::string_view section);

// Which model of a list meets a requirement: the first whose rating reaches
// it (`strictlyAbove`: exceeds it), else the last one, which then falls
// short. No index when the list holds no model with a positive rating.
struct ModelPick {
    int index = -1;
    bool fallsShort = false;
};
ModelPick pickModel(double requirement, const std::vector<ModelRating>& models,
                    bool strictlyAbove = false);
