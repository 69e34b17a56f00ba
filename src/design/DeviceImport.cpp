#include "design/DeviceImport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include "design/CabinetDesign.h"
#include "design/DeviceList.h"

using namespace deviceline;

namespace {

// The line of a byte offset, from 1.
int lineOf(const QByteArray& bytes, qsizetype offset) {
    return int(bytes.left(offset).count('\n')) + 1;
}

}  // namespace

LossLibraryReading readLossLibrary(const QByteArray& bytes) {
    LossLibraryReading r;
    if (bytes.size() > kMaxDeviceFileBytes) {
        r.error = QStringLiteral("파일이 너무 큽니다 (4 MiB 초과).");
        return r;
    }
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    if (parse.error != QJsonParseError::NoError) {
        r.error = QStringLiteral("%1번째 줄: JSON 형식이 아닙니다 (%2).")
                      .arg(lineOf(bytes, parse.offset))
                      .arg(parse.errorString());
        return r;
    }
    const QJsonObject top = doc.object();
    if (!doc.isObject() || top.value(QStringLiteral("format")).toString() != kLossLibraryFormat) {
        r.error = QStringLiteral("CabinetCool 기기 라이브러리 파일이 아닙니다.");
        return r;
    }
    const QJsonValue list = top.value(QStringLiteral("devices"));
    if (!list.isArray()) {
        r.error = QStringLiteral("devices: 기기 목록(배열)이 없습니다.");
        return r;
    }
    const QJsonArray devices = list.toArray();
    if (devices.size() > kMaxLossLibraryEntries) {
        r.error = QStringLiteral("devices: 기기가 %1개로, 최대 %2개를 넘습니다.")
                      .arg(devices.size())
                      .arg(kMaxLossLibraryEntries);
        return r;
    }
    for (qsizetype i = 0; i < devices.size(); ++i) {
        const QJsonObject o = devices[i].toObject();
        auto member = [&](const char* name, QString& into) {
            const QJsonValue v = o.value(QLatin1String(name));
            if (v.isUndefined()) return true;
            if (!v.isString() || v.toString().size() > kMaxProjectLineLength) {
                r.error = QStringLiteral("devices[%1].%2: %3자 이하의 문자열이어야 합니다.")
                              .arg(i)
                              .arg(QLatin1String(name))
                              .arg(kMaxProjectLineLength);
                return false;
            }
            into = v.toString();
            return true;
        };
        LossLibraryEntry d;
        if (!devices[i].isObject()) {
            r.error = QStringLiteral("devices[%1]: 객체여야 합니다.").arg(i);
        } else if (member("description", d.description) && member("in", d.ratedCurrent) &&
                   member("pn", d.ratedLoss) && member("note", d.note) &&
                   d.description.trimmed().isEmpty()) {
            r.error = QStringLiteral("devices[%1].description: 품목이 비어 있습니다.").arg(i);
        }
        if (!r.error.isEmpty()) {
            r.devices.clear();
            return r;
        }
        r.devices << d;
    }
    return r;
}

QByteArray lossLibraryBytes(const QList<LossLibraryEntry>& devices) {
    QJsonArray list;
    for (const LossLibraryEntry& d : devices) {
        QJsonObject o{{QStringLiteral("description"), d.description},
                      {QStringLiteral("in"), d.ratedCurrent},
                      {QStringLiteral("pn"), d.ratedLoss}};
        if (!d.note.isEmpty()) o.insert(QStringLiteral("note"), d.note);
        list.append(o);
    }
    const QJsonObject top{{QStringLiteral("format"), kLossLibraryFormat},
                          {QStringLiteral("version"), kLossLibraryVersion},
                          {QStringLiteral("devices"), list}};
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

DeviceLineTexts deviceLineOf(const LossLibraryEntry& device) {
    DeviceLineTexts line = newDeviceLine();
    line.insert(kDescription, device.description);
    if (!device.ratedCurrent.isEmpty()) line.insert(kIn, device.ratedCurrent);
    line.insert(kPn, device.ratedLoss);
    return line;
}

CsvTable readCsv(const QByteArray& bytes) {
    CsvTable t;
    if (bytes.size() > kMaxDeviceFileBytes) {
        t.error = QStringLiteral("파일이 너무 큽니다 (4 MiB 초과).");
        return t;
    }
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    if (text.contains(QChar::ReplacementCharacter)) {
        t.error = QStringLiteral("%1번째 줄: UTF-8 텍스트가 아닙니다.")
                      .arg(text.left(text.indexOf(QChar::ReplacementCharacter)).count('\n') + 1);
        return t;
    }
    const QString firstLine = text.left(text.indexOf(QLatin1Char('\n')));
    QChar separator = QLatin1Char(',');
    for (QChar c : {QChar(u';'), QChar(u'\t'), QChar(u',')}) {
        if (firstLine.contains(c)) {
            separator = c;
            break;
        }
    }
    QStringList row;
    QString field;
    bool quoted = false, fieldStarted = false;
    int line = 1, rowLine = 1, quoteLine = 1;
    auto endRow = [&]() {
        row << field;
        const bool blank = row.size() == 1 && row[0].trimmed().isEmpty();
        if (!blank) {
            t.rows << row;
            t.lineNumbers << rowLine;
        }
        row.clear();
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"' && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
            quoteLine = line;
        } else if (c == separator) {
            row << field;
            field.clear();
            fieldStarted = false;
        } else if (c == u'\n') {
            endRow();
            ++line;
            rowLine = line;
        } else if (c != u'\r') {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        t.error = QStringLiteral("%1번째 줄: 따옴표가 닫히지 않았습니다.").arg(quoteLine);
        t.rows.clear();
        t.lineNumbers.clear();
        return t;
    }
    if (!field.isEmpty() || !row.isEmpty()) endRow();
    if (t.rows.isEmpty()) t.error = QStringLiteral("파일에 줄이 없습니다.");
    return t;
}

CsvMapping guessCsvMapping(const QStringList& header) {
    CsvMapping m;
    auto is = [](const QString& h, std::initializer_list<const char*> names) {
        const QString k = h.trimmed().toLower();
        for (const char* n : names)
            if (k == QString::fromUtf8(n) || k.startsWith(QString::fromUtf8(n) + u' ') ||
                k.startsWith(QString::fromUtf8(n) + u'('))
                return true;
        return false;
    };
    for (int i = 0; i < header.size(); ++i) {
        const QString& h = header[i];
        if (m.description < 0 &&
            is(h, {"품목", "품명", "description", "item", "name", "part", "bezeichnung"}))
            m.description = i;
        else if (m.count < 0 && is(h, {"수량", "count", "qty", "quantity", "menge", "n"}))
            m.count = i;
        else if (m.ratedCurrent < 0 &&
                 is(h, {"정격 전류", "정격전류", "in", "rated current", "current", "i"}))
            m.ratedCurrent = i;
        else if (m.ratedLoss < 0 &&
                 is(h, {"손실", "정격 손실", "loss", "power loss", "pv", "pn", "verlustleistung"}))
            m.ratedLoss = i;
    }
    return m;
}

CsvImport importCsv(const CsvTable& table, const CsvMapping& mapping, qsizetype existing) {
    CsvImport result;
    if (mapping.description < 0 || mapping.ratedLoss < 0) {
        result.errors << QStringLiteral("품목과 손실의 열을 정해야 합니다.");
        return result;
    }
    const MainEvaluation noMain;
    QList<DeviceLineTexts> lines;
    for (qsizetype r = 1; r < table.rows.size(); ++r) {
        const QStringList& row = table.rows[r];
        auto cell = [&](int column) {
            return column >= 0 && column < row.size() ? row[column].trimmed() : QString();
        };
        DeviceLineTexts line = newDeviceLine();
        line.insert(kDescription, cell(mapping.description).left(kMaxProjectLineLength));
        if (mapping.count >= 0) line.insert(kCount, cell(mapping.count));
        if (mapping.ratedCurrent >= 0 && !cell(mapping.ratedCurrent).isEmpty())
            line.insert(kIn, cell(mapping.ratedCurrent));
        line.insert(kPn, cell(mapping.ratedLoss));
        const DeviceListEvaluation e = evaluateDeviceList({line}, noMain, nullptr);
        if (e.lines[0].bad())
            result.errors
                << QStringLiteral("%1행: %2").arg(table.lineNumbers[r]).arg(e.lines[0].why);
        lines << line;
    }
    if (lines.isEmpty() && result.errors.isEmpty())
        result.errors << QStringLiteral("머리글 아래에 줄이 없습니다.");
    if (existing + lines.size() > kMaxDeviceLines)
        result.errors << QStringLiteral("가져올 %1줄을 더하면 목록이 %2줄을 넘습니다.")
                             .arg(lines.size())
                             .arg(kMaxDeviceLines);
    if (result.errors.isEmpty()) result.lines = lines;
    return result;
}
