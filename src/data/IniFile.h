#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// What a reading of a private-profile (INI) text keeps: single values, and
// sections whose keys are wanted in file order. Nothing else of the text is
// kept, so that the memory a reading needs does not grow with the file:
// a file of millions of lines costs no more than the values asked for.
class IniSelection {
public:
    // The value of `key` in `section`.
    IniSelection& key(std::string_view section, std::string_view key);
    // The keys of `section` with their values, in file order: the first
    // occurrence of the first `maxEntries` different keys.
    IniSelection& list(std::string_view section, size_t maxEntries);

private:
    friend class IniFile;
    friend class IniParser;

    struct Section {
        std::string name;                              // lower case
        std::unordered_map<std::string, size_t> keys;  // lower-case key -> value slot
        size_t listMax = 0;                            // 0: not listed
    };
    Section& section(std::string_view name);
    // The index of a section in m_sections, or kNone.
    static constexpr size_t kNone = static_cast<size_t>(-1);
    size_t indexOf(std::string_view lowerName) const;

    std::vector<Section> m_sections;
    size_t m_slots = 0;
};

// One key of a listed section: the key as written, and its value.
struct IniEntry {
    std::string key;
    std::string value;
};

// A private-profile (INI) text, read the way the configuration file is meant
// to be read: section and key names compared without regard to ASCII letter
// case, the value taken after the first "=", blanks around it and one pair of
// matching quotes removed, cut at a NUL and to at most 1023 characters.
// Lines that are neither a section nor a key line are ignored, and so are
// lines that begin with ";" or "#"; a UTF-8 byte order mark is skipped,
// lines may end in CR LF. The first occurrence of a key in a section counts,
// also when the section appears more than once. Section and key names
// longer than 1023 characters name nothing.
class IniFile {
public:
    static constexpr size_t kMaxValueLength = 1023;
    static constexpr size_t kMaxNameLength = 1023;
    // Larger files are read only this far; a configuration file is a few kB.
    static constexpr size_t kMaxFileSize = 16u << 20;

    IniFile() = default;
    // Keeps from `text` what `selection` asks for.
    IniFile(std::string_view text, IniSelection selection);

    // The same from the first kMaxFileSize bytes of a file. A missing or
    // unreadable file, or one that is not a regular file (a named pipe, a
    // device, a folder), gives an empty IniFile, without waiting.
    static IniFile load(const std::filesystem::path& path, IniSelection selection);

    // The value, or empty text when the section or key does not exist or
    // was not selected.
    std::string value(std::string_view section, std::string_view key) const;

    // The keys of a listed section in file order (empty for a section that
    // is missing or was not listed).
    const std::vector<IniEntry>& entries(std::string_view section) const;

    // The bytes kept from the text: the values and listed keys with their
    // strings' storage. Bounded by the selection, whatever the text.
    size_t retainedBytes() const;

private:
    friend class IniParser;

    IniSelection m_selection;
    std::vector<std::string> m_values;           // by slot
    std::vector<bool> m_found;                   // by slot
    std::vector<std::vector<IniEntry>> m_lists;  // by section of m_selection
};

// Reads a text piece by piece, as it comes from a file, keeping what the
// selection asks for. Pieces may split a line, or a byte order mark,
// anywhere; the result is that of the whole text.
class IniParser {
public:
    explicit IniParser(IniSelection selection);

    void feed(std::string_view piece);
    // Ends the text: its last line need not end in a line break.
    IniFile finish();

private:
    enum class Mode { LineStart, Skip, Section, Key, Value };

    void process(std::string_view text);
    void step(char c);
    void addNameChar(char c);
    void endLine();
    void closeSection();
    void openValue();
    void valueChar(char c);
    void commitValue();

    IniFile m_file;
    std::vector<std::unordered_set<std::string>> m_listed;  // lower-case keys seen, by section

    bool m_headDone = false;
    std::string m_head;  // the first bytes, until it is known whether they are a byte order mark

    Mode m_mode = Mode::LineStart;
    bool m_inSection = false;
    size_t m_section = IniSelection::kNone;  // the current section's index in the selection

    std::string m_name;  // section name or key as written, at most kMaxNameLength
    bool m_nameTooLong = false;
    std::string m_lower;

    // The value being read: its first characters, its length and where its
    // last non-blank character stands.
    std::string m_value;
    bool m_valueStarted = false;
    size_t m_valueLength = 0;
    size_t m_valueEnd = 0;
    char m_valueLast = 0;
    bool m_toSlot = false;
    size_t m_slot = 0;
    bool m_toList = false;
    std::string m_listKey;
};

// One value of the configuration file at `file`; empty text when the file,
// the section or the key is missing. Never fails.
std::string ReadIniString(std::string_view section, std::string_view key,
                          const std::filesystem::path& file);
