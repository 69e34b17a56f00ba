#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A private-profile (INI) text, read the way the configuration file is meant
// to be read: section and key names compared without regard to ASCII letter
// case, the value taken after the first "=", blanks around it and one pair of
// matching quotes removed, at most 1023 characters delivered. Lines that are
// neither a section nor a key line are ignored, and so are lines that begin
// with ";" or "#". The first occurrence of a section and of a key counts.
class IniFile {
public:
    static constexpr size_t kMaxValueLength = 1023;
    // Larger files are read only this far; a configuration file is a few kB.
    static constexpr size_t kMaxFileSize = 16u << 20;

    IniFile() = default;
    explicit IniFile(std::string_view text);

    // A missing or unreadable file, or one that is not a regular file (a
    // named pipe, a device, a folder), gives an empty IniFile, without
    // waiting.
    static IniFile load(const std::filesystem::path& path);

    // The value, or empty text when the section or key does not exist.
    std::string value(std::string_view section, std::string_view key) const;

private:
    struct Entry {
        std::string section;  // lower case
        std::string key;      // lower case
        std::string value;
    };
    std::vector<Entry> m_entries;
};

// One value of the configuration file at `file`; empty text when the file,
// the section or the key is missing. Never fails.
std::string ReadIniString(std::string_view section, std::string_view key,
                          const std::filesystem::path& file);
