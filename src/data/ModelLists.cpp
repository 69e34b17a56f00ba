#include "data/ModelLists.h"

#include <array>

#include "calc/NumberText.h"
#include "data/EquipmentHeatTables.h"

IniSelection& selectModelLists(IniSelection& selection) {
    return selection.list(kFilterFanModelSection, kMaxModelListEntries)
        .list(kHeaterModelSection, kMaxModelListEntries);
}

std::vector<NamedValue> LoadModelList(const IniFile& file, std::string_view section) {
    std::vector<NamedValue> models;
    for (const IniEntry& e : file.entries(section)) {
        if (models.size() == kMaxModelListEntries) break;
        models.push_back({e.key, ParseNumber(e.value)});
    }
    return models;
}

namespace {

bool sameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

template <size_t N>
bool known(const std::array<std::string_view, N>& keys, std::string_view key) {
    for (std::string_view k : keys)
        if (sameKey(k, key)) return true;
    return false;
}

// More lines than a configuration file has in these sections.
constexpr size_t kMaxMainModelLines = 256;

}  // namespace

IniSelection& selectMainModelLines(IniSelection& selection) {
    return selection.list(kFanModelSection, kMaxMainModelLines)
        .list(kAirconModelSection, kMaxMainModelLines);
}

std::vector<UnmatchedModelLine> unmatchedModelLines(const IniFile& file) {
    std::vector<UnmatchedModelLine> lines;
    for (const IniEntry& e : file.entries(kFanModelSection)) {
        if (!known(kFanModelKeys, e.key))
            lines.push_back({std::string(kFanModelSection), e.key, e.value, {}});
    }
    for (const IniEntry& e : file.entries(kAirconModelSection)) {
        if (!known(kAirconModelKeys, e.key)) {
            lines.push_back({std::string(kAirconModelSection), e.key, e.value, {}});
            continue;
        }
        // The designation on screen carries the capacity: a key that names
        // another one is shown under a designation of its own. The letters
        // behind the number tell variants of one capacity apart, which the
        // screen shows alike ("VKA-500AR" as "VKA-500BR").
        const std::string number = NumberText(ParseNumber(e.value));
        const std::string shown = "VKA-" + number + "BR";
        const std::string_view keyNumber =
            std::string_view(e.key).substr(4, e.key.size() >= 6 ? e.key.size() - 6 : 0);
        if (keyNumber != number)
            lines.push_back({std::string(kAirconModelSection), e.key, e.value, shown});
    }
    return lines;
}
