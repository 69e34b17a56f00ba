// fuzz-libs: cc_data
// fuzz-seeds: tests/data/ini assets/env
//
// The configuration reader on any text: from memory (IniFile), and from a
// file (ReadIniString, LoadIniValues) that holds the same bytes. Both must
// agree, every value must respect the reader's limits and every table entry
// must be a finite number.
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "calc/NumberText.h"
#include "data/EquipmentHeatTables.h"
#include "data/IniFile.h"

namespace {

// An in-memory file with a path, so that the file readers run without disk.
int g_file = -1;
std::filesystem::path g_path;

void writeFile(std::string_view text) {
    if (ftruncate(g_file, 0) != 0) fuzzFailure("ftruncate", "");
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = pwrite(g_file, text.data() + done, text.size() - done, static_cast<off_t>(done));
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

void checkValue(const std::string& value, std::string_view section, std::string_view key) {
    const std::string where = std::string(section) + "/" + std::string(key) + " = " + escaped(value);
    FUZZ_CHECK(value.size() <= IniFile::kMaxValueLength, where);
    FUZZ_CHECK(value.find('\n') == std::string::npos, where);
    FUZZ_CHECK(value.find('\0') == std::string::npos, where);
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
    const IniFile ini(text);
    writeFile(text);

    // Names taken from the input itself reach sections and keys that the
    // tables never ask for.
    const std::string_view ownSection = text.substr(0, std::min<size_t>(size, 6));
    const std::string_view ownKey = text.substr(std::min<size_t>(size, 6), 6);
    checkValue(ini.value(ownSection, ownKey), ownSection, ownKey);

    EquipmentHeatTables tables;
    LoadIniValues(tables, g_path);
    bool firstKey = true;
    for (const EquipmentSection& s : equipmentSections()) {
        const std::span<double> loaded = s.table(tables);
        for (size_t i = 0; i < s.keys.size(); ++i) {
            const std::string value = ini.value(s.section, s.keys[i]);
            checkValue(value, s.section, s.keys[i]);
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
    return 0;
}
