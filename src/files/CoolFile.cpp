#include "files/CoolFile.h"

#include <QBuffer>
#include <QFile>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>
#include <string_view>

#include "calc/NumberText.h"
#include "files/FileAccess.h"
#include "files/ModelLineCodec.h"

namespace {

QByteArray numberLine(double value) {
    // Every value here comes from ParseNumber and is finite; should one not
    // be, "0" keeps the file readable where an empty last line would not.
    if (!std::isfinite(value)) return QByteArrayLiteral("0");
    return QByteArray::fromStdString(NumberText(value));
}

QString modelLineText(QString text) {
    // A line break inside the model would shift every later line.
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.trimmed();
}

enum class LineRead { Line, End, TooLong };

// The next line without its line end (LF, or CR LF).
LineRead nextLine(QIODevice& device, QByteArray* line) {
    // A little more than the longest line, so that a longer one shows as
    // such without reading it all (device files and pipes may never end).
    *line = device.readLine(kMaxCoolFileLine + 3);
    if (line->isEmpty()) return LineRead::End;
    if (line->endsWith('\n')) {
        line->chop(1);
        if (line->endsWith('\r')) line->chop(1);
    } else if (line->endsWith('\r')) {
        line->chop(1);  // CR LF cut after the CR at the very end of the data
    }
    return line->size() > kMaxCoolFileLine ? LineRead::TooLong : LineRead::Line;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int digitValue(char c, int radix) {
    int d = -1;
    if (isDigit(c)) d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    return d < radix ? d : -1;
}

std::optional<double> strictRadix(std::string_view s, int radix) {
    if (s.empty()) return std::nullopt;
    double value = 0;
    for (char c : s) {
        const int d = digitValue(c, radix);
        if (d < 0) return std::nullopt;
        value = value * radix + d;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

std::optional<double> strictDecimal(std::string_view s) {
    std::string clean;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) clean.push_back(s[i++]);
    bool digits = false;
    bool period = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            digits = true;
        } else if (s[i] == '.' && !period) {
            period = true;
        } else {
            break;
        }
        clean.push_back(s[i]);
    }
    if (!digits) return std::nullopt;
    if (i < s.size()) {
        const char e = s[i];
        if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return std::nullopt;
        clean.push_back('e');
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) clean.push_back(s[i++]);
        if (i == s.size()) return std::nullopt;
        std::string exponent;
        for (; i < s.size(); ++i) {
            if (!isDigit(s[i])) return std::nullopt;
            if (exponent.empty() && s[i] == '0') continue;
            exponent.push_back(s[i]);
        }
        // Beyond six digits an exponent only says "overflow" or "underflow".
        if (exponent.size() > 6) exponent = "999999";
        clean += exponent.empty() ? "0" : exponent;
    }
    const double value = strtod_l(clean.c_str(), nullptr, cLocale());
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

QString CoolModeMarker(SelectionMode mode) {
    switch (mode) {
    case SelectionMode::Fan1: return QStringLiteral("FAN1");
    case SelectionMode::Fan2: return QStringLiteral("FAN2");
    case SelectionMode::Aircon: break;
    }
    return QStringLiteral("Aircon");
}

QByteArray CoolFileBytes(const CoolFileRecord& r) {
    QByteArray out;
    auto line = [&out](const QByteArray& bytes) {
        out += bytes;
        out += "\r\n";
    };
    line(CoolModeMarker(r.mode).toLatin1());
    for (double v : {r.width, r.depth, r.height, r.surfaceArea, r.internalHeat, r.t1, r.t2}) {
        line(numberLine(v));
    }
    if (r.mode == SelectionMode::Fan2) {
        line(numberLine(r.t3));
        line(numberLine(r.t4));
    }
    line(numberLine(r.uValue));
    line(numberLine(r.coolingPower));
    line(EncodeModelLine(modelLineText(r.modelName)));
    line(numberLine(r.modelCapacity));
    return out;
}

bool WriteCoolFile(const QString& path, const CoolFileRecord& record) {
    // A full disk or a broken medium never leaves the user's old file half
    // overwritten (see replaceFileContents).
    return replaceFileContents(path, CoolFileBytes(record));
}

bool ReadCoolFile(QIODevice& device, CoolFileSink& sink) {
    QByteArray line;
    if (nextLine(device, &line) != LineRead::Line) return false;
    if (line.startsWith("\xEF\xBB\xBF")) line.remove(0, 3);  // editors' UTF-8 mark

    const bool fan2 = line == "FAN2";
    if (line == "Aircon") sink.applyMode(SelectionMode::Aircon);
    else if (line == "FAN1") sink.applyMode(SelectionMode::Fan1);
    else if (fan2) sink.applyMode(SelectionMode::Fan2);

    auto number = [&](CoolField field) {
        if (nextLine(device, &line) != LineRead::Line) return false;
        sink.applyNumber(field, ParseNumber(std::string_view(line.constData(), line.size())));
        return true;
    };
    for (CoolField f : {CoolField::Width, CoolField::Depth, CoolField::Height, CoolField::SurfaceArea,
                        CoolField::InternalHeat, CoolField::T1, CoolField::T2}) {
        if (!number(f)) return false;
    }
    if (fan2 && !(number(CoolField::T3) && number(CoolField::T4))) return false;
    if (!number(CoolField::UValue) || !number(CoolField::CoolingPower)) return false;

    if (nextLine(device, &line) != LineRead::Line) return false;
    sink.applyModelName(DecodeModelLine(line));

    if (nextLine(device, &line) != LineRead::Line) return false;
    const std::optional<double> capacity = ParseStrictNumber(line);
    if (!capacity) return false;
    sink.applyNumber(CoolField::ModelCapacity, *capacity);
    return true;
}

bool ReadCoolFile(const QString& path, CoolFileSink& sink) {
    QFile file;
    if (!openRegularFile(file, path)) return false;
    return ReadCoolFile(file, sink);
}

bool ReadCoolFileData(const QByteArray& data, CoolFileSink& sink) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return ReadCoolFile(buffer, sink);
}

std::optional<double> ParseStrictNumber(const QByteArray& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    const std::string_view s(text.constData() + begin, static_cast<size_t>(end - begin));
    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') return strictRadix(s.substr(2), 16);
        if (s[1] == 'O' || s[1] == 'o') return strictRadix(s.substr(2), 8);
        return std::nullopt;
    }
    return strictDecimal(s);
}

std::optional<int> MaterialOfUValue(double uValue) {
    if (uValue == 5.0) return 0;
    if (uValue == 3.7) return 1;
    return std::nullopt;
}
