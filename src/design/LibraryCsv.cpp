#include "design/LibraryCsv.h"

#include <QHash>
#include <cmath>

#include "calc/NumberText.h"

namespace {

struct CsvRow {
    int line = 0;  // 1-based, in the file
    QStringList fields;
};

// Splits the text into rows of fields: a field in double quotes may hold
// commas, line breaks and doubled quotes. `error` names the first line of an
// unterminated quote.
QList<CsvRow> splitCsv(const QString& text, QString* error) {
    QList<CsvRow> rows;
    CsvRow row;
    QString field;
    bool quoted = false, fieldQuoted = false;
    int line = 1;
    row.line = 1;
    int quoteLine = 0;
    auto endField = [&]() {
        row.fields << (fieldQuoted ? field : field.trimmed());
        field.clear();
        fieldQuoted = false;
    };
    auto endRow = [&]() {
        endField();
        const bool blank = row.fields.size() == 1 && row.fields[0].isEmpty();
        if (!blank) rows << row;
        row = CsvRow{};
        row.line = line;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n')) ++line;
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.trimmed().isEmpty()) {
            quoted = fieldQuoted = true;
            field.clear();
            quoteLine = line;
        } else if (c == QLatin1Char(',')) {
            endField();
        } else if (c == QLatin1Char('\n')) {
            ++line;
            endRow();
        } else if (c != QLatin1Char('\r')) {
            field += c;
        }
    }
    if (quoted) {
        *error = QStringLiteral("%1행: 따옴표가 닫히지 않았습니다.").arg(quoteLine);
        return {};
    }
    endRow();
    return rows;
}

QString csvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')) &&
        text.trimmed() == text)
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString numberField(const std::optional<double>& v) {
    return v ? QString::fromStdString(NumberText(*v)) : QString();
}

}  // namespace

LibraryCsvReading readLibraryCsv(const QByteArray& bytes) {
    LibraryCsvReading reading;
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
    const QString text = QString::fromUtf8(data);
    if (text.contains(QChar::ReplacementCharacter) && !data.contains("\xEF\xBF\xBD")) {
        reading.errors << QStringLiteral("UTF-8 텍스트가 아닙니다.");
        return reading;
    }
    QString error;
    const QList<CsvRow> rows = splitCsv(text, &error);
    if (!error.isEmpty()) {
        reading.errors << error;
        return reading;
    }
    if (rows.isEmpty()) {
        reading.errors << QStringLiteral("머리글 행이 없습니다.");
        return reading;
    }
    // The header: every column named once.
    QHash<QString, int> column;
    for (int i = 0; i < rows[0].fields.size(); ++i)
        column.insert(rows[0].fields[i].trimmed().toLower(), i);
    QStringList missing;
    for (const QString& name : kLibraryCsvColumns)
        if (!column.contains(name)) missing << name;
    if (!missing.isEmpty()) {
        reading.errors << QStringLiteral("%1행 (머리글): 열 %2이(가) 없습니다.")
                              .arg(rows[0].line)
                              .arg(missing.join(QStringLiteral(", ")));
        return reading;
    }

    QList<LibraryDevice> devices;
    QList<int> firstLine;  // each device's first row
    for (qsizetype r = 1; r < rows.size(); ++r) {
        const CsvRow& row = rows[r];
        const auto field = [&](const QString& name) {
            const int i = column.value(name);
            return i < row.fields.size() ? row.fields[i] : QString();
        };
        QStringList why;
        const auto numberOf = [&](const QString& name) -> std::optional<double> {
            const QString t = field(name);
            if (t.isEmpty()) return std::nullopt;
            const std::optional<double> v = ParseWholeNumber(t.toStdString());
            if (!v || !std::isfinite(*v)) {
                why << QStringLiteral("%1 \"%2\"이(가) 수가 아닙니다").arg(name, t);
                return std::nullopt;
            }
            return v;
        };
        if (row.fields.size() > rows[0].fields.size())
            why << QStringLiteral("열이 머리글보다 많습니다 (%1개)").arg(row.fields.size());
        const QString kind = field(QStringLiteral("kind"));
        const QString designation = field(QStringLiteral("designation"));
        if (!kLibraryKinds.contains(kind))
            why << QStringLiteral(
                       "kind \"%1\"은(는) aircon, heat-exchanger, filter-fan, heater 중 "
                       "하나여야 합니다")
                       .arg(kind);
        if (designation.isEmpty()) why << QStringLiteral("designation이 비어 있습니다");
        LibraryDevice d;
        d.kind = kind;
        d.designation = designation;
        d.maker = field(QStringLiteral("maker"));
        const auto ti = numberOf(QStringLiteral("ti"));
        const auto tu = numberOf(QStringLiteral("tu"));
        const auto capacity = numberOf(QStringLiteral("capacity_w"));
        d.specific = numberOf(QStringLiteral("specific_w_per_k"));
        d.flowFree = numberOf(QStringLiteral("airflow_free_m3h"));
        d.flowFilter = numberOf(QStringLiteral("airflow_filter_m3h"));
        d.power = numberOf(QStringLiteral("power_w"));
        d.tuMax = numberOf(QStringLiteral("tu_max"));
        const bool aircon = kind == QLatin1String("aircon");
        if (aircon) {
            // A row without a point keeps a device whose points are still to
            // come.
            if (ti && tu && capacity)
                d.points << LibraryPoint{*ti, *tu, *capacity};
            else if (ti || tu || capacity || !field(QStringLiteral("ti")).isEmpty() ||
                     !field(QStringLiteral("tu")).isEmpty() ||
                     !field(QStringLiteral("capacity_w")).isEmpty())
                why << QStringLiteral("에어컨 행에는 ti, tu, capacity_w가 모두 있어야 합니다");
        } else if (ti || tu || capacity || d.tuMax) {
            why << QStringLiteral("ti, tu, capacity_w, tu_max는 에어컨에만 씁니다");
        }
        // A column of another kind stays empty.
        const std::pair<const char*, bool> others[] = {
            {"specific_w_per_k", d.specific && kind != QLatin1String("heat-exchanger")},
            {"airflow_free_m3h", d.flowFree && kind != QLatin1String("filter-fan")},
            {"airflow_filter_m3h", d.flowFilter && kind != QLatin1String("filter-fan")},
            {"power_w", d.power && kind != QLatin1String("heater")}};
        for (const auto& [name, filled] : others)
            if (filled && kLibraryKinds.contains(kind))
                why << QStringLiteral("%1은(는) 이 종류(%2)에 쓰지 않습니다")
                           .arg(QLatin1String(name), kind);

        const qsizetype at = why.isEmpty() ? findLibraryDevice(devices, designation) : -1;
        if (why.isEmpty() && at >= 0) {
            LibraryDevice& known = devices[at];
            if (!aircon || known.kind != kind)
                why << QStringLiteral("모델명 \"%1\"이(가) %2행에 이미 있습니다")
                           .arg(designation)
                           .arg(firstLine[at]);
            else if (known.maker != d.maker)
                why << QStringLiteral("같은 모델의 %1행과 제조사가 다릅니다").arg(firstLine[at]);
            else if (d.tuMax && known.tuMax && *d.tuMax != *known.tuMax)
                why << QStringLiteral("같은 모델의 %1행과 tu_max가 다릅니다").arg(firstLine[at]);
            if (why.isEmpty()) {
                known.points << d.points;
                if (!known.tuMax) known.tuMax = d.tuMax;
                // A point that contradicts another is this row's fault.
                const QString fault = libraryDeviceFault(known);
                if (!fault.isEmpty()) {
                    known.points.removeLast();
                    why << fault.chopped(1);
                }
            }
        } else if (why.isEmpty()) {
            const QString fault = libraryDeviceFault(d);
            if (!fault.isEmpty()) why << fault.chopped(1);
            devices << d;
            firstLine << row.line;
        }
        if (!why.isEmpty())
            reading.errors
                << QStringLiteral("%1행: %2.").arg(row.line).arg(why.join(QStringLiteral("; ")));
    }
    if (rows.size() == 1 && reading.errors.isEmpty())
        reading.errors << QStringLiteral("장비 행이 없습니다.");
    if (reading.errors.isEmpty()) reading.devices = devices;
    return reading;
}

QByteArray libraryCsvBytes(const QList<LibraryDevice>& devices) {
    QString out = kLibraryCsvColumns.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    // Only the columns of the device's kind: a value kept from another kind
    // it had before stays out.
    const auto row = [&](const LibraryDevice& d, const LibraryPoint* p) {
        const QString& kind = d.kind;
        const QStringList fields = {
            d.kind,
            csvField(d.designation),
            csvField(d.maker),
            p ? numberField(p->ti) : QString(),
            p ? numberField(p->tu) : QString(),
            p ? numberField(p->capacity) : QString(),
            numberField(kind == "heat-exchanger" ? d.specific : std::nullopt),
            numberField(kind == "filter-fan" ? d.flowFree : std::nullopt),
            numberField(kind == "filter-fan" ? d.flowFilter : std::nullopt),
            numberField(kind == "heater" ? d.power : std::nullopt),
            numberField(kind == "aircon" ? d.tuMax : std::nullopt)};
        out += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    };
    for (const LibraryDevice& d : devices) {
        if (d.kind == QLatin1String("aircon") && !d.points.isEmpty()) {
            for (const LibraryPoint& p : d.points) row(d, &p);
        } else {
            row(d, nullptr);
        }
    }
    return out.toUtf8();
}
