#include "files/ModelLineCodec.h"

#include <iconv.h>

#include <QStringDecoder>
#include <cerrno>
#include <optional>

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

// The conversions. Each says only whether the bytes or the text convert;
// which one a line uses is decided below, apart from them.

// `text` in CP949, or nothing when a character has no CP949 form (or the
// C library offers no CP949 converter).
std::optional<QByteArray> cp949Bytes(const QString& text) {
    Iconv cd("CP949", "UTF-8");
    if (!cd.ok()) return std::nullopt;
    QByteArray in = text.toUtf8();
    QByteArray out;
    char* inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd.get(), &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) return std::nullopt;
        // A reversible converter maps every character it accepts exactly; an
        // approximated one (rc > 0) would change the text.
        if (rc != static_cast<size_t>(-1) && rc > 0) return std::nullopt;
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    if (iconv(cd.get(), nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1))
        return std::nullopt;
    out.append(buffer, static_cast<qsizetype>(outPtr - buffer));
    return out;
}

// The CP949 bytes as text. With `lenient`, a byte that starts no valid
// character (or a character cut off at the end) becomes one replacement
// character and reading goes on with the next byte; without it such bytes
// give nothing.
std::optional<QString> cp949Text(const QByteArray& bytes, bool lenient) {
    if (isAscii(bytes)) return QString::fromLatin1(bytes);
    Iconv cd("UTF-8", "CP949");
    if (!cd.ok()) {
        if (!lenient) return std::nullopt;
        // Without a converter only ASCII can be read for sure.
        QString text;
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
        // An invalid or cut-off sequence.
        if (!lenient) return std::nullopt;
        utf8.append("\xEF\xBF\xBD");
        ++inPtr;
        --inLeft;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return QString::fromUtf8(utf8);
}

bool isValidCp949(const QByteArray& bytes) { return cp949Text(bytes, false).has_value(); }

bool startsWithMark(const QByteArray& bytes) {
    return bytes.startsWith(QByteArrayView(kModelLineUtf8Mark));
}

}  // namespace

QByteArray EncodeModelLine(const QString& text) {
    if (const std::optional<QByteArray> cp949 = cp949Bytes(text)) return *cp949;
    return QByteArray(kModelLineUtf8Mark) + text.toUtf8();
}

ModelLineEncoding DetectModelLineEncoding(const QByteArray& bytes) {
    if (startsWithMark(bytes)) return ModelLineEncoding::Utf8Marked;
    if (isValidCp949(bytes)) return ModelLineEncoding::Cp949;
    if (isValidUtf8(bytes)) return ModelLineEncoding::Utf8;
    return ModelLineEncoding::Cp949Damaged;
}

QString DecodeModelLine(const QByteArray& bytes) {
    switch (DetectModelLineEncoding(bytes)) {
        case ModelLineEncoding::Utf8Marked:
            return QString::fromUtf8(bytes.mid(qsizetype(sizeof kModelLineUtf8Mark) - 1));
        case ModelLineEncoding::Utf8:
            return QString::fromUtf8(bytes);
        case ModelLineEncoding::Cp949:
        case ModelLineEncoding::Cp949Damaged:
            break;
    }
    return *cp949Text(bytes, true);
}
