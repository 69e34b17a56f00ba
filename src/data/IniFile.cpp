#include "data/IniFile.h"

#include "data/RegularFile.h"

namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string cleanValue(std::string_view raw) {
    std::string_view v = trim(raw);
    // The private-profile service hands over text up to its first NUL.
    if (const size_t nul = v.find('\0'); nul != std::string_view::npos) v = trim(v.substr(0, nul));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    if (v.size() > IniFile::kMaxValueLength) v = v.substr(0, IniFile::kMaxValueLength);
    return std::string(v);
}

}  // namespace

IniFile::IniFile(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    bool inSection = false;
    std::string section;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);

        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            if (close == std::string_view::npos) continue;
            section = lower(trim(line.substr(1, close - 1)));
            inSection = true;
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        std::string key = lower(trim(line.substr(0, equals)));
        if (key.empty()) continue;
        m_entries.push_back({section, std::move(key), cleanValue(line.substr(equals + 1))});
    }
}

IniFile IniFile::load(const std::filesystem::path& path) {
    std::optional<RegularFile> file = RegularFile::open(path);
    if (!file) return {};
    std::string text;
    char buffer[65536];
    while (text.size() < kMaxFileSize) {
        const std::optional<size_t> n = file->read(buffer, sizeof buffer);
        if (!n) return {};  // a file that fails half way is not to be trusted in part
        if (*n == 0) break;
        text.append(buffer, *n);
    }
    if (text.size() > kMaxFileSize) text.resize(kMaxFileSize);
    return IniFile(text);
}

std::string IniFile::value(std::string_view section, std::string_view key) const {
    const std::string s = lower(section);
    const std::string k = lower(key);
    for (const Entry& e : m_entries) {
        if (e.section == s && e.key == k) return e.value;
    }
    return {};
}

std::string ReadIniString(std::string_view section, std::string_view key,
                          const std::filesystem::path& file) {
    return IniFile::load(file).value(section, key);
}
