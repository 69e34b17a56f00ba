#include "data/ModelLists.h"

#include "calc/NumberText.h"

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
