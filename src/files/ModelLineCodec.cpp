#include "files/ModelLineCodec.h"

#include <QStringDecoder>

#include "data/Cp949.h"

namespace {

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
// system offers no CP949 converter).
bool toCp949(const QString& text, QByteArray* out) {
    const QByteArray utf8 = text.toUtf8();
    const std::optional<std::string> cp949 =
        Utf8ToCp949(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
    if (!cp949) return false;
    *out = QByteArray(cp949->data(), static_cast<qsizetype>(cp949->size()));
    return true;
}

QString fromCp949(const QByteArray& bytes) {
    const std::string utf8 =
        Cp949ToUtf8(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
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
