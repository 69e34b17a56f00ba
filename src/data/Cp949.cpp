#include "data/Cp949.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

#ifdef _WIN32

constexpr UINT kCodePage949 = 949;

std::optional<std::wstring> wideFrom(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return std::wstring();
    const int inSize = static_cast<int>(bytes.size());
    const int size =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), inSize, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), inSize, wide.data(), size);
    return wide;
}

std::string utf8From(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int inSize = static_cast<int>(wide.size());
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), inSize, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), inSize, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

bool isLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

#else

// One iconv conversion descriptor, closed on every path.
class Iconv {
public:
    Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) iconv_close(m_cd);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

#endif

}  // namespace

#ifdef _WIN32

std::optional<std::string> Utf8ToCp949(std::string_view utf8) {
    const std::optional<std::wstring> wide = wideFrom(CP_UTF8, utf8);
    if (!wide) return std::nullopt;
    if (wide->empty()) return std::string();
    const int inSize = static_cast<int>(wide->size());
    // No best fit: a character without its own CP949 form is refused, not
    // replaced by a look-alike.
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(kCodePage949, WC_NO_BEST_FIT_CHARS, wide->data(), inSize,
                                         nullptr, 0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(kCodePage949, WC_NO_BEST_FIT_CHARS, wide->data(), inSize, out.data(), size,
                        nullptr, &usedDefault);
    if (usedDefault) return std::nullopt;
    return out;
}

std::string Cp949ToUtf8(std::string_view bytes) {
    // Character by character, so that one bad byte costs one replacement
    // character and not the whole line.
    std::string utf8;
    size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
            ++i;
            continue;
        }
        if (isLeadByte(c) && i + 1 < bytes.size()) {
            if (const std::optional<std::wstring> wide =
                    wideFrom(kCodePage949, bytes.substr(i, 2))) {
                utf8 += utf8From(*wide);
                i += 2;
                continue;
            }
        }
        utf8 += kReplacement;
        ++i;
    }
    return utf8;
}

#else

std::optional<std::string> Utf8ToCp949(std::string_view utf8) {
    Iconv cd("CP949", "UTF-8");
    if (!cd.ok()) return std::nullopt;
    std::string in(utf8);
    std::string out;
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) return std::nullopt;
        // A reversible converter maps every character it accepts exactly; an
        // approximated one (rc > 0) would change the text.
        if (rc != static_cast<size_t>(-1) && rc > 0) return std::nullopt;
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    if (iconv(cd.get(), nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        return std::nullopt;
    }
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    return out;
}

std::string Cp949ToUtf8(std::string_view bytes) {
    Iconv cd("UTF-8", "CP949");
    std::string utf8;
    if (!cd.ok()) {
        for (char c : bytes) {
            if (static_cast<unsigned char>(c) < 0x80) {
                utf8 += c;
            } else {
                utf8 += kReplacement;
            }
        }
        return utf8;
    }
    std::string in(bytes);
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft);
        utf8.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // An invalid or cut-off sequence: one replacement character for its
        // first byte, then go on with the next byte.
        utf8 += kReplacement;
        ++inPtr;
        --inLeft;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return utf8;
}

#endif
