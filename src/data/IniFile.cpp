#include "data/IniFile.h"

#include <algorithm>
#include <cstring>

#include "data/RegularFile.h"

namespace {

char lowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void lowerInto(std::string_view text, std::string& out) {
    out.assign(text);
    for (char& c : out) c = lowerChar(c);
}

std::string lower(std::string_view text) {
    std::string out;
    lowerInto(text, out);
    return out;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trimRight(std::string_view text) {
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerChar(x) == lowerChar(y);
           });
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

// ---- IniSelection ---------------------------------------------------------

IniSelection::Section& IniSelection::section(std::string_view name) {
    const std::string lowerName = lower(name);
    if (const size_t i = indexOf(lowerName); i != kNone) return m_sections[i];
    m_sections.push_back({lowerName, {}, 0});
    return m_sections.back();
}

size_t IniSelection::indexOf(std::string_view lowerName) const {
    for (size_t i = 0; i < m_sections.size(); ++i) {
        if (m_sections[i].name == lowerName) return i;
    }
    return kNone;
}

IniSelection& IniSelection::key(std::string_view sectionName, std::string_view keyName) {
    Section& s = section(sectionName);
    if (s.keys.emplace(lower(keyName), m_slots).second) ++m_slots;
    return *this;
}

IniSelection& IniSelection::list(std::string_view sectionName, size_t maxEntries) {
    Section& s = section(sectionName);
    s.listMax = std::max(s.listMax, maxEntries);
    return *this;
}

// ---- IniFile --------------------------------------------------------------

IniFile::IniFile(std::string_view text, IniSelection selection) {
    IniParser parser(std::move(selection));
    parser.feed(text);
    *this = parser.finish();
}

IniFile IniFile::load(const std::filesystem::path& path, IniSelection selection) {
    std::optional<RegularFile> file = RegularFile::open(path);
    if (!file) return {};
    IniParser parser(std::move(selection));
    std::string buffer(64 * 1024, '\0');
    size_t total = 0;
    while (total < kMaxFileSize) {
        const std::optional<size_t> n =
            file->read(buffer.data(), std::min(buffer.size(), kMaxFileSize - total));
        if (!n) return {};  // a file that fails half way is not to be trusted in part
        if (*n == 0) break;
        parser.feed(std::string_view(buffer.data(), *n));
        total += *n;
    }
    return parser.finish();
}

std::string IniFile::value(std::string_view section, std::string_view key) const {
    const size_t s = m_selection.indexOf(lower(section));
    if (s == IniSelection::kNone) return {};
    const IniSelection::Section& selected = m_selection.m_sections[s];
    if (const auto slot = selected.keys.find(lower(key)); slot != selected.keys.end()) {
        return m_found[slot->second] ? m_values[slot->second] : std::string();
    }
    for (const IniEntry& e : m_lists[s]) {
        if (sameName(e.key, key)) return e.value;
    }
    return {};
}

const std::vector<IniEntry>& IniFile::entries(std::string_view section) const {
    static const std::vector<IniEntry> none;
    const size_t s = m_selection.indexOf(lower(section));
    return s == IniSelection::kNone ? none : m_lists[s];
}

size_t IniFile::retainedBytes() const {
    auto text = [](const std::string& s) { return sizeof s + s.capacity(); };
    size_t bytes = 0;
    for (size_t i = 0; i < m_values.size(); ++i) {
        if (m_found[i]) bytes += text(m_values[i]);
    }
    for (const std::vector<IniEntry>& list : m_lists) {
        bytes += (list.capacity() - list.size()) * sizeof(IniEntry);
        for (const IniEntry& e : list) bytes += text(e.key) + text(e.value);
    }
    return bytes;
}

// ---- IniParser ------------------------------------------------------------
//
// One character at a time, so that no line is ever held whole: of a line the
// parser keeps at most a name of kMaxNameLength characters and the first
// kMaxValueLength + 1 characters of a value it was asked for. Everything it
// keeps is therefore bounded, whatever the length of a line or of the file.

IniParser::IniParser(IniSelection selection) {
    m_file.m_selection = std::move(selection);
    m_file.m_values.resize(m_file.m_selection.m_slots);
    m_file.m_found.resize(m_file.m_selection.m_slots);
    m_file.m_lists.resize(m_file.m_selection.m_sections.size());
    m_listed.resize(m_file.m_selection.m_sections.size());
}

void IniParser::feed(std::string_view piece) {
    if (!m_headDone) {
        const size_t take = std::min(piece.size(), kByteOrderMark.size() - m_head.size());
        m_head.append(piece.substr(0, take));
        piece.remove_prefix(take);
        if (m_head.size() < kByteOrderMark.size()) return;
        m_headDone = true;
        if (m_head != kByteOrderMark) process(m_head);
    }
    process(piece);
}

IniFile IniParser::finish() {
    if (!m_headDone) {
        m_headDone = true;
        process(m_head);
    }
    endLine();
    m_listed.clear();
    return std::move(m_file);
}

void IniParser::process(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end) {
        if (m_mode == Mode::Skip) {
            const void* newline = std::memchr(p, '\n', static_cast<size_t>(end - p));
            if (!newline) return;
            p = static_cast<const char*>(newline) + 1;
            endLine();
            continue;
        }
        const char c = *p++;
        if (c == '\n') {
            endLine();
        } else {
            step(c);
        }
    }
}

void IniParser::step(char c) {
    switch (m_mode) {
        case Mode::LineStart:
            if (isBlank(c)) return;
            if (c == ';' || c == '#') {
                m_mode = Mode::Skip;
                return;
            }
            m_name.clear();
            m_nameTooLong = false;
            if (c == '[') {
                m_mode = Mode::Section;
            } else {
                m_mode = Mode::Key;
                addNameChar(c);
            }
            return;
        case Mode::Section:
            if (c == ']') {
                closeSection();
                m_mode = Mode::Skip;  // the rest of the line is not read
            } else {
                addNameChar(c);
            }
            return;
        case Mode::Key:
            if (c == '=') {
                openValue();
            } else {
                addNameChar(c);
            }
            return;
        case Mode::Value:
            valueChar(c);
            return;
        case Mode::Skip:
            return;
    }
}

void IniParser::addNameChar(char c) {
    if (m_name.empty() && isBlank(c)) return;  // blanks before the name
    if (m_name.size() < IniFile::kMaxNameLength) {
        m_name.push_back(c);
    } else if (!isBlank(c)) {
        m_nameTooLong = true;  // even without its trailing blanks
    }
}

void IniParser::endLine() {
    // A section line without "]" and a key line without "=" say nothing.
    if (m_mode == Mode::Value) commitValue();
    m_mode = Mode::LineStart;
}

void IniParser::closeSection() {
    m_inSection = true;
    m_section = IniSelection::kNone;
    if (m_nameTooLong) return;
    lowerInto(trimRight(m_name), m_lower);
    m_section = m_file.m_selection.indexOf(m_lower);
}

void IniParser::openValue() {
    m_mode = Mode::Skip;
    const std::string_view key = trimRight(m_name);
    if (!m_inSection || key.empty() || m_nameTooLong || m_section == IniSelection::kNone) return;
    const IniSelection::Section& section = m_file.m_selection.m_sections[m_section];
    lowerInto(key, m_lower);

    m_toSlot = false;
    if (const auto slot = section.keys.find(m_lower); slot != section.keys.end()) {
        m_toSlot = !m_file.m_found[slot->second];
        m_slot = slot->second;
    }
    m_toList = false;
    if (m_file.m_lists[m_section].size() < section.listMax &&
        m_listed[m_section].insert(m_lower).second) {
        m_toList = true;
        m_listKey.assign(key);
    }
    if (!m_toSlot && !m_toList) return;

    m_mode = Mode::Value;
    m_value.clear();
    m_valueStarted = false;
    m_valueLength = 0;
    m_valueEnd = 0;
    m_valueLast = 0;
}

void IniParser::valueChar(char c) {
    if (!m_valueStarted) {
        if (isBlank(c)) return;
        m_valueStarted = true;
    }
    if (c == '\0') {
        // The private-profile service hands over text up to its first NUL.
        commitValue();
        m_mode = Mode::Skip;
        return;
    }
    // One more than the longest value, for an opening quote.
    if (m_value.size() <= IniFile::kMaxValueLength) m_value.push_back(c);
    ++m_valueLength;
    if (!isBlank(c)) {
        m_valueEnd = m_valueLength;
        m_valueLast = c;
    }
}

void IniParser::commitValue() {
    const std::string_view v(m_value);
    const size_t length = m_valueEnd;  // without trailing blanks
    std::string value;
    if (length >= 2 && (v[0] == '"' || v[0] == '\'') && m_valueLast == v[0]) {
        value.assign(v.substr(1, std::min(length - 2, IniFile::kMaxValueLength)));
    } else {
        value.assign(v.substr(0, std::min(length, IniFile::kMaxValueLength)));
    }
    if (m_toSlot) {
        m_file.m_found[m_slot] = true;
        m_file.m_values[m_slot] = value;
    }
    if (m_toList) m_file.m_lists[m_section].push_back({std::move(m_listKey), std::move(value)});
    m_toSlot = false;
    m_toList = false;
}

std::string ReadIniString(std::string_view section, std::string_view key,
                          const std::filesystem::path& file) {
    return IniFile::load(file, IniSelection().key(section, key)).value(section, key);
}
