#include "files/ModelLineCodec.h"

#include <QStringDecoder>
#include <optional>
#include <string>
#include <string_view>

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

// The conversions. Each says only whether the bytes or the text convert;
// which one a line uses is decided below, apart from them.

// `text` in CP949, or nothing when a character has no CP949 form (or the
// system offers no CP949 converter).
std::optional<QByteArray> cp949Bytes(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const std::optional<std::string> cp949 =
        Utf8ToCp949(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
    if (!cp949) return std::nullopt;
    return QByteArray(cp949->data(), static_cast<qsizetype>(cp949->size()));
}

// The CP949 bytes as text. With `lenient`, a byte that starts no valid
// character (or a character cut off at the end) becomes one replacement
// character and reading goes on with the next byte; without it such bytes
// give nothing. CP949 itself has no replacement character, so one in the
// converted text marks a byte the converter could not read.
std::optional<QString> cp949Text(const QByteArray& bytes, bool lenient) {
    if (isAscii(bytes)) return QString::fromLatin1(bytes);
    const std::string utf8 =
        Cp949ToUtf8(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!lenient && utf8.find("\xEF\xBF\xBD") != std::string::npos) return std::nullopt;
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool isValidCp949(const QByteArray& bytes) { return cp949Text(bytes, false).has_value(); }

bool startsWithMark(const QByteArray& bytes) {
    return bytes.startsWith(QByteArrayView(kModelLineUtf8Mark));
}

}  // namespace

QByteArray EncodeModelLine(const QString& text) {
    // CP949 whenever it holds the text, unless its bytes begin as the UTF-8
    // mark does (癤 is EF BB, and a syllable after it may start with BF):
    // such a line would read back as UTF-8.
    if (const std::optional<QByteArray> cp949 = cp949Bytes(text); cp949 && !startsWithMark(*cp949))
        return *cp949;
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
        case ModelLineEncoding::Utf8Marked: {
            // Past the line's own mark, a second one is the text's first
            // character (U+FEFF), which fromUtf8 would drop.
            QStringDecoder decoder(
                QStringDecoder::Utf8,
                QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
            return decoder.decode(bytes.mid(qsizetype(sizeof kModelLineUtf8Mark) - 1));
        }
        case ModelLineEncoding::Utf8:
            return QString::fromUtf8(bytes);
        case ModelLineEncoding::Cp949:
        case ModelLineEncoding::Cp949Damaged:
            break;
    }
    return *cp949Text(bytes, true);
}
