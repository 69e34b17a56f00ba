#include "climate/ClimateModels.h"

#include <algorithm>
#include <fstream>

#include "calc/NumberText.h"

namespace {

std::string_view trim(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto low = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return low(x) == low(y);
           });
}

}  // namespace

std::vector<ModelRating> readModelList(const std::filesystem::path& iniPath,
                                       std::string_view section) {
    std::ifstream in(iniPath, std::ios::binary);
    std::vector<ModelRating> out;
    bool inside = false;
    for (std::string raw; std::getline(in, raw);) {
        const std::string_view line = trim(raw);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            if (close != std::string_view::npos)
                inside = sameName(trim(line.substr(1, close - 1)), section);
            continue;
        }
        const size_t eq = line.find('=');
        if (!inside || eq == std::string_view::npos) continue;
        const std::string_view name = trim(line.substr(0, eq));
        if (name.empty()) continue;
        if (std::any_of(out.begin(), out.end(),
                        [&](const ModelRating& m) { return sameName(m.name, name); }))
            continue;
        out.push_back({std::string(name), ParseNumber(trim(line.substr(eq + 1)))});
    }
    return out;
}

ModelPick pickModel(double requirement, const std::vector<ModelRating>& models,
                    bool strictlyAbove) {
    ModelPick pick;
    int last = -1;
    for (size_t i = 0; i < models.size(); ++i) {
        const double r = models[i].rating;
        if (!(r > 0)) continue;
        last = static_cast<int>(i);
        if (strictlyAbove ? requirement < r : requirement <= r) {
            pick.index = last;
            return pick;
        }
    }
    pick.index = last;
    pick.fallsShort = last >= 0;
    return pick;
}
