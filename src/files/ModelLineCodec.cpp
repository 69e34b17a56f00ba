#include "files/ModelLineCodec.h"

#include <QStringDecoder>
#include <cerrno>
#include <iconv.h>

namespace {

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

bool isAscii(const QByteArray& bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// `text` in CP949, or nothing when a character has no CP949 form (or the
// C library offers no CP949 converter).
bool toCp949(const QString& text, QByteArray* out) {
    Iconv cd("CP949", "UTF-8");
    if (!cd.ok()) return false;
    QByteArray in = text.toUtf8();
    out->clear();
    char* inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft);
        out->append(buffer, static_cast<qsizetype>(outPtr - buffer));
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) return false;
        // A reversible converter maps every character it accepts exactly; an
        // approximated one (rc > 0) would change the text.
        if (rc != static_cast<size_t>(-1) && rc > 0) return false;
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    if (iconv(cd.get(), nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return false;
    out->append(buffer, static_cast<qsizetype>(outPtr - buffer));
    return true;
}

QString fromCp949(const QByteArray& bytes) {
    Iconv cd("UTF-8", "CP949");
    QString text;
    if (!cd.ok()) {
        // Without a converter only ASCII can be read for sure.
        for (char c : bytes) {
            const auto u = static_cast<unsigned char>(c);
            text.append(u < 0x80 ? QChar(u) : QChar(QChar::ReplacementCharacter));
        }
        return text;
    }
    QByteArray in = bytes;
    char* inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    QByteArray utf8;
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft);
        utf8.append(buffer, static_cast<qsizetype>(outPtr - buffer));
        if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // An invalid or cut-off sequence: one replacement character for its
        // first byte, then go on with the next byte.
        utf8.append("\xEF\xBF\xBD");
        ++inPtr;
        --inLeft;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return QString::fromUtf8(utf8);
}

}  // namespace

QByteArray EncodeModelLine(const QString& text) {
    QByteArray cp949;
    if (toCp949(text, &cp949)) {
        // CP949 that happens to be valid UTF-8 (a name of only a few Hangul
        // syllables such as 짱, C2 AF) would read back as other characters.
        if (isAscii(cp949) || !isValidUtf8(cp949)) return cp949;
    }
    return text.toUtf8();
}

QString DecodeModelLine(const QByteArray& bytes) {
    if (isValidUtf8(bytes)) return QString::fromUtf8(bytes);
    return fromCp949(bytes);
}
