// fuzz-libs: cc_data
// fuzz-seeds: tests/data/ini assets/env
//
// The configuration reader on any text: from memory (IniFile), in pieces
// (IniParser), and from a file (ReadIniString, LoadIniValues) that holds the
// same bytes. The reader keeps only what it is asked for and reads one
// character at a time; here it must give exactly what a plain reading of
// the whole text, line by line, gives. Every value must respect the reader's
// limits and every table entry must be a finite number.
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "calc/NumberText.h"
#include "data/EquipmentHeatTables.h"
#include "data/IniFile.h"
#include "data/ModelLists.h"

namespace {

// An in-memory file with a path, so that the file readers run without disk.
int g_file = -1;
std::filesystem::path g_path;

void writeFile(std::string_view text) {
    if (ftruncate(g_file, 0) != 0) fuzzFailure("ftruncate", "");
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n =
            pwrite(g_file, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (n <= 0) fuzzFailure("pwrite", "");
        done += static_cast<size_t>(n);
    }
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

void checkValue(const std::string& value, std::string_view section, std::string_view key) {
    const std::string where =
        std::string(section) + "/" + std::string(key) + " = " + escaped(value);
    FUZZ_CHECK(value.size() <= IniFile::kMaxValueLength, where);
    FUZZ_CHECK(value.find('\n') == std::string::npos, where);
    FUZZ_CHECK(value.find('\0') == std::string::npos, where);
}

// ---- The reading rules, plainly: the whole text, line by line ------------

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string cleanValue(std::string_view raw) {
    std::string_view v = trim(raw);
    if (const size_t nul = v.find('\0'); nul != std::string_view::npos) v = trim(v.substr(0, nul));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return std::string(v.substr(0, IniFile::kMaxValueLength));
}

struct PlainEntry {
    std::string section;  // lower case; names too long to match are marked
    std::string key;      // as written
    std::string value;
};

std::vector<PlainEntry> plainEntries(std::string_view text) {
    std::vector<PlainEntry> entries;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    bool inSection = false;
    std::string section;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            if (close == std::string_view::npos) continue;
            const std::string_view name = trim(line.substr(1, close - 1));
            section =
                name.size() > IniFile::kMaxNameLength ? std::string("\n(too long)") : lower(name);
            inSection = true;
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        const std::string_view key = trim(line.substr(0, equals));
        if (key.empty() || key.size() > IniFile::kMaxNameLength) continue;
        entries.push_back({section, std::string(key), cleanValue(line.substr(equals + 1))});
    }
    return entries;
}

std::string plainValue(const std::vector<PlainEntry>& entries, std::string_view section,
                       std::string_view key) {
    for (const PlainEntry& e : entries) {
        if (e.section == lower(section) && lower(e.key) == lower(key)) return e.value;
    }
    return {};
}

std::vector<IniEntry> plainList(const std::vector<PlainEntry>& entries, std::string_view section,
                                size_t max) {
    std::vector<IniEntry> list;
    for (const PlainEntry& e : entries) {
        if (list.size() == max) break;
        if (e.section != lower(section)) continue;
        bool seen = false;
        for (const IniEntry& l : list) seen = seen || lower(l.key) == lower(e.key);
        if (!seen) list.push_back({e.key, e.value});
    }
    return list;
}

bool sameList(const std::vector<IniEntry>& a, const std::vector<IniEntry>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].key != b[i].key || a[i].value != b[i].value) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    g_file = memfd_create("fuzz_ini", 0);
    if (g_file < 0) fuzzFailure("memfd_create", "");
    g_path = "/proc/self/fd/" + std::to_string(g_file);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<PlainEntry> plain = plainEntries(text);

    // Names taken from the input itself reach sections and keys that the
    // tables never ask for.
    const std::string_view ownSection = text.substr(0, std::min<size_t>(size, 6));
    const std::string_view ownKey = text.substr(std::min<size_t>(size, 6), 6);

    IniSelection selection = equipmentIniSelection();
    selectModelLists(selection);
    selection.key(ownSection, ownKey).list(ownSection, 8);
    const IniFile ini(text, selection);

    // The same text in pieces whose sizes come from the input.
    IniParser parser(selection);
    for (size_t at = 0, n = 1; at < size; at += n) {
        n = 1 + static_cast<unsigned char>(text[at]) % 97;
        parser.feed(text.substr(at, n));
    }
    const IniFile pieces = parser.finish();

    FUZZ_CHECK(ini.value(ownSection, ownKey) == plainValue(plain, ownSection, ownKey),
               escaped(ownKey));
    FUZZ_CHECK(pieces.value(ownSection, ownKey) == ini.value(ownSection, ownKey), escaped(ownKey));
    checkValue(ini.value(ownSection, ownKey), ownSection, ownKey);
    for (std::string_view list : {kFilterFanModelSection, kHeaterModelSection, ownSection}) {
        const size_t max = list == ownSection ? 8 : kMaxModelListEntries;
        const std::vector<IniEntry> expected = plainList(plain, list, max);
        FUZZ_CHECK(sameList(ini.entries(list), expected), escaped(list));
        FUZZ_CHECK(sameList(pieces.entries(list), expected), escaped(list));
    }
    // Whatever the text, the reader keeps no more than it was asked for:
    // 110 values and 2 x 64 + 8 listed keys of at most 1023 characters.
    FUZZ_CHECK(ini.retainedBytes() < 512 * 1024, std::to_string(ini.retainedBytes()));

    writeFile(text);
    EquipmentHeatTables tables;
    LoadIniValues(tables, g_path);
    bool firstKey = true;
    for (const EquipmentSection& s : equipmentSections()) {
        const std::span<double> loaded = s.table(tables);
        FUZZ_CHECK(loaded.size() == s.keys.size(), s.section);
        for (size_t i = 0; i < s.keys.size(); ++i) {
            const std::string value = ini.value(s.section, s.keys[i]);
            checkValue(value, s.section, s.keys[i]);
            FUZZ_CHECK(value == plainValue(plain, s.section, s.keys[i]), s.keys[i]);
            FUZZ_CHECK(pieces.value(s.section, s.keys[i]) == value, s.keys[i]);
            // Section and key names are compared without regard to case.
            FUZZ_CHECK(ini.value(upper(s.section), upper(s.keys[i])) == value, s.keys[i]);
            // The file gives what the text gives.
            FUZZ_CHECK(std::isfinite(loaded[i]), value);
            FUZZ_CHECK(loaded[i] == ParseNumber(value), value);
            if (firstKey) {
                FUZZ_CHECK(ReadIniString(s.section, s.keys[i], g_path) == value, value);
                firstKey = false;
            }
        }
    }
    FUZZ_CHECK(ReadIniString(ownSection, ownKey, g_path) == ini.value(ownSection, ownKey),
               escaped(ownKey));
    return 0;
}
