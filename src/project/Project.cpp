#include "project/Project.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace {

const QStringList kModes = {QStringLiteral("Aircon"), QStringLiteral("Fan1"),
                            QStringLiteral("Fan2")};

// The first fault found while reading, with where it is ("cabinets[2].count").
class Fault {
public:
    bool found() const { return !m_text.isEmpty(); }
    const QString& text() const { return m_text; }
    void set(const QString& where, const QString& what) {
        if (m_text.isEmpty()) m_text = where.isEmpty() ? what : where + QStringLiteral(": ") + what;
    }

private:
    QString m_text;
};

QString at(const QString& where, const QString& member) {
    return where.isEmpty() ? member : where + QLatin1Char('.') + member;
}

QString typeName(const QJsonValue& v) {
    switch (v.type()) {
        case QJsonValue::Null:
            return QStringLiteral("null");
        case QJsonValue::Bool:
            return QStringLiteral("참/거짓");
        case QJsonValue::Double:
            return QStringLiteral("수");
        case QJsonValue::String:
            return QStringLiteral("문자열");
        case QJsonValue::Array:
            return QStringLiteral("배열");
        case QJsonValue::Object:
            return QStringLiteral("객체");
        case QJsonValue::Undefined:
            break;
    }
    return QStringLiteral("값 없음");
}

// A member that must be a text when present.
QString text(const QJsonObject& o, const QString& member, const QString& where, Fault& fault) {
    const QJsonValue v = o.value(member);
    if (v.isUndefined()) return QString();
    if (!v.isString()) {
        fault.set(at(where, member),
                  QStringLiteral("문자열이어야 하는데 %1입니다.").arg(typeName(v)));
        return QString();
    }
    return v.toString();
}

// A whole number within [low, high].
std::optional<qint64> wholeNumber(const QJsonValue& v) {
    if (!v.isDouble()) return std::nullopt;
    const double d = v.toDouble();
    if (!std::isfinite(d) || d != std::floor(d) || std::fabs(d) > 1e15) return std::nullopt;
    return static_cast<qint64>(d);
}

int integer(const QJsonObject& o, const QString& member, const QString& where, int fallback,
            int low, int high, Fault& fault) {
    const QJsonValue v = o.value(member);
    if (v.isUndefined()) return fallback;
    const std::optional<qint64> n = wholeNumber(v);
    if (!n || *n < low || *n > high) {
        fault.set(at(where, member),
                  QStringLiteral("%1에서 %2 사이의 정수여야 합니다.").arg(low).arg(high));
        return fallback;
    }
    return static_cast<int>(*n);
}

QJsonObject object(const QJsonObject& o, const QString& member, const QString& where,
                   Fault& fault) {
    const QJsonValue v = o.value(member);
    if (v.isUndefined()) return QJsonObject();
    if (!v.isObject()) {
        fault.set(at(where, member), QStringLiteral("객체여야 하는데 %1입니다.").arg(typeName(v)));
        return QJsonObject();
    }
    return v.toObject();
}

QJsonObject without(QJsonObject o, std::initializer_list<const char*> members) {
    for (const char* m : members) o.remove(QLatin1String(m));
    return o;
}

WindowInputs windowInputs(const QJsonObject& o, const QString& where, Fault& fault) {
    WindowInputs inputs;
    for (auto it = o.begin(); it != o.end(); ++it) {
        const QJsonValue v = it.value();
        if (v.isString()) {
            inputs.insert(it.key(), v.toString());
        } else if (v.isBool()) {
            inputs.insert(it.key(), v.toBool());
        } else if (const std::optional<qint64> n = wholeNumber(v);
                   n && *n >= INT_MIN && *n <= INT_MAX) {
            inputs.insert(it.key(), static_cast<int>(*n));
        } else {
            fault.set(at(where, it.key()),
                      QStringLiteral("문자열, 정수 또는 참/거짓이어야 합니다."));
        }
    }
    return inputs;
}

QJsonObject windowInputsJson(const WindowInputs& inputs) {
    QJsonObject o;
    for (auto it = inputs.begin(); it != inputs.end(); ++it) {
        const QVariant& v = it.value();
        if (v.typeId() == QMetaType::Bool)
            o.insert(it.key(), v.toBool());
        else if (v.typeId() == QMetaType::Int)
            o.insert(it.key(), v.toInt());
        else
            o.insert(it.key(), v.toString());
    }
    return o;
}

// "devices": a list of objects of texts, at most kMaxDeviceLines.
QList<DeviceLineTexts> readDeviceLines(const QJsonObject& cabinet, const QString& where,
                                       Fault& fault) {
    QList<DeviceLineTexts> lines;
    const QString listAt = at(where, QStringLiteral("devices"));
    const QJsonValue v = cabinet.value(QStringLiteral("devices"));
    if (v.isUndefined()) return lines;
    if (!v.isArray()) {
        fault.set(listAt, QStringLiteral("배열이어야 하는데 %1입니다.").arg(typeName(v)));
        return lines;
    }
    const QJsonArray list = v.toArray();
    if (list.size() > kMaxDeviceLines) {
        fault.set(listAt, QStringLiteral("기기 줄이 %1개로, 최대 %2개를 넘습니다.")
                              .arg(list.size())
                              .arg(kMaxDeviceLines));
        return lines;
    }
    for (qsizetype i = 0; i < list.size() && !fault.found(); ++i) {
        const QString lineAt = QStringLiteral("%1[%2]").arg(listAt).arg(i);
        if (!list[i].isObject()) {
            fault.set(lineAt, QStringLiteral("객체여야 하는데 %1입니다.").arg(typeName(list[i])));
            break;
        }
        const QJsonObject o = list[i].toObject();
        DeviceLineTexts line;
        for (auto it = o.begin(); it != o.end(); ++it) {
            if (!it.value().isString()) {
                fault.set(
                    at(lineAt, it.key()),
                    QStringLiteral("문자열이어야 하는데 %1입니다.").arg(typeName(it.value())));
                break;
            }
            line.insert(it.key(), it.value().toString());
        }
        const QString kind = line.value(QStringLiteral("kind"));
        if (!fault.found() && kind != QLatin1String("device") && kind != QLatin1String("conductor"))
            fault.set(at(lineAt, QStringLiteral("kind")),
                      QStringLiteral("\"device\" 또는 \"conductor\"여야 합니다."));
        lines.append(line);
    }
    return lines;
}

QJsonArray deviceLinesJson(const QList<DeviceLineTexts>& lines) {
    QJsonArray list;
    for (const DeviceLineTexts& line : lines) {
        QJsonObject o;
        for (auto it = line.begin(); it != line.end(); ++it) o.insert(it.key(), it.value());
        list.append(o);
    }
    return list;
}

// ---- the library devices a project keeps ----------------------------------------

// A cabinet's pick: {"designation": "...", "units": 1}.
LibraryPick readLibraryPick(const QJsonObject& design, const QString& designAt, Fault& fault) {
    LibraryPick pick;
    const QString where = at(designAt, QStringLiteral("libraryDevice"));
    const QJsonObject o = object(design, QStringLiteral("libraryDevice"), designAt, fault);
    if (o.isEmpty()) return pick;
    pick.designation = text(o, QStringLiteral("designation"), where, fault);
    pick.units = integer(o, QStringLiteral("units"), where, 1, 1, kMaxLibraryUnits, fault);
    return pick;
}

QJsonObject libraryPickJson(const LibraryPick& pick) {
    return {{QStringLiteral("designation"), pick.designation},
            {QStringLiteral("units"), pick.units}};
}

// The top-level "library": the copies of the devices the cabinets pick.
QList<LibraryDevice> readProjectLibrary(const QJsonObject& top, Fault& fault) {
    QList<LibraryDevice> library;
    const QJsonValue v = top.value(QStringLiteral("library"));
    if (v.isUndefined()) return library;
    if (!v.isArray()) {
        fault.set(QStringLiteral("library"),
                  QStringLiteral("배열이어야 하는데 %1입니다.").arg(typeName(v)));
        return library;
    }
    const QJsonArray list = v.toArray();
    for (qsizetype i = 0; i < list.size() && !fault.found(); ++i) {
        const QString where = QStringLiteral("library[%1]").arg(i);
        QString why = list[i].isObject() ? QString() : QStringLiteral("객체여야 합니다.");
        const LibraryDevice d =
            why.isEmpty() ? readLibraryDevice(list[i].toObject(), &why) : LibraryDevice{};
        if (why.isEmpty() && findLibraryDevice(library, d.designation) >= 0)
            why = QStringLiteral("모델명 \"%1\"이(가) 두 번 있습니다.").arg(d.designation);
        if (!why.isEmpty()) fault.set(where, why);
        library.append(d);
    }
    return library;
}

// The copies of the devices some cabinet picks, in the library's order.
QJsonArray projectLibraryJson(const Project& project) {
    QJsonArray list;
    for (const LibraryDevice& d : project.library) {
        const bool used = std::any_of(
            project.cabinets.begin(), project.cabinets.end(),
            [&](const Cabinet& c) { return c.libraryDevice.designation == d.designation; });
        if (used) list.append(libraryDeviceJson(d));
    }
    return list;
}

Cabinet readCabinet(const QJsonObject& o, const QString& where, Fault& fault) {
    Cabinet c;
    c.tag = text(o, QStringLiteral("tag"), where, fault);
    if (!fault.found() && c.tag.trimmed().isEmpty())
        fault.set(at(where, QStringLiteral("tag")), QStringLiteral("태그가 비어 있습니다."));
    c.description = text(o, QStringLiteral("description"), where, fault);
    c.count = integer(o, QStringLiteral("count"), where, 1, 1, 1000000, fault);

    const QString mainAt = at(where, QStringLiteral("main"));
    const QJsonObject main = object(o, QStringLiteral("main"), where, fault);
    if (main.contains(QStringLiteral("mode"))) {
        c.mode = text(main, QStringLiteral("mode"), mainAt, fault);
        if (!fault.found() && !kModes.contains(c.mode))
            fault.set(at(mainAt, QStringLiteral("mode")),
                      QStringLiteral("\"%1\"은(는) 알 수 없는 방식입니다.").arg(c.mode));
    }
    c.material = integer(main, QStringLiteral("material"), mainAt, 0, 0, 1, fault);
    const QJsonObject fields = object(main, QStringLiteral("fields"), mainAt, fault);
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        if (!it.value().isString()) {
            fault.set(at(at(mainAt, QStringLiteral("fields")), it.key()),
                      QStringLiteral("문자열이어야 하는데 %1입니다.").arg(typeName(it.value())));
            break;
        }
        c.fields.insert(it.key(), it.value().toString());
    }

    c.heat = windowInputs(object(o, QStringLiteral("heat"), where, fault),
                          at(where, QStringLiteral("heat")), fault);
    c.climate = windowInputs(object(o, QStringLiteral("climate"), where, fault),
                             at(where, QStringLiteral("climate")), fault);
    c.rise = windowInputs(object(o, QStringLiteral("rise"), where, fault),
                          at(where, QStringLiteral("rise")), fault);
    c.devices = readDeviceLines(o, where, fault);

    const QString designAt = at(where, QStringLiteral("design"));
    const QJsonObject design = object(o, QStringLiteral("design"), where, fault);
    c.method = text(design, QStringLiteral("method"), designAt, fault);
    c.device = text(design, QStringLiteral("device"), designAt, fault);
    c.libraryDevice = readLibraryPick(design, designAt, fault);

    const QString resultsAt = at(where, QStringLiteral("results"));
    const QJsonObject results = object(o, QStringLiteral("results"), where, fault);
    if (results.contains(QStringLiteral("calculated"))) {
        const QJsonValue v = results.value(QStringLiteral("calculated"));
        if (!v.isBool())
            fault.set(at(resultsAt, QStringLiteral("calculated")),
                      QStringLiteral("참/거짓이어야 하는데 %1입니다.").arg(typeName(v)));
        c.results.calculated = v.toBool();
    }
    c.results.requirement = text(results, QStringLiteral("requirement"), resultsAt, fault);
    c.results.unit = text(results, QStringLiteral("unit"), resultsAt, fault);
    c.results.model = text(results, QStringLiteral("model"), resultsAt, fault);
    c.results.method = text(results, QStringLiteral("method"), resultsAt, fault);

    // What a later version added, kept for saving again.
    c.unknown = without(o, {"tag", "description", "count", "main", "heat", "climate", "rise",
                            "devices", "design", "results"});
    const QJsonObject designRest = without(design, {"method", "device", "libraryDevice"});
    if (!designRest.isEmpty()) c.unknown.insert(QStringLiteral("design"), designRest);
    const QJsonObject mainRest = without(main, {"mode", "material", "fields"});
    if (!mainRest.isEmpty()) c.unknown.insert(QStringLiteral("main"), mainRest);
    const QJsonObject resultsRest =
        without(results, {"calculated", "requirement", "unit", "model", "method"});
    if (!resultsRest.isEmpty()) c.unknown.insert(QStringLiteral("results"), resultsRest);
    return c;
}

// Known members over the kept ones: a nested object keeps what a later
// version put into it.
QJsonObject merged(QJsonObject kept, const QJsonObject& known) {
    for (auto it = known.begin(); it != known.end(); ++it) kept.insert(it.key(), it.value());
    return kept;
}

QJsonObject cabinetJson(const Cabinet& c) {
    QJsonObject fields;
    for (auto it = c.fields.begin(); it != c.fields.end(); ++it)
        fields.insert(it.key(), it.value());
    QJsonObject main{{QStringLiteral("mode"), c.mode},
                     {QStringLiteral("material"), c.material},
                     {QStringLiteral("fields"), fields}};
    QJsonObject results{{QStringLiteral("calculated"), c.results.calculated},
                        {QStringLiteral("requirement"), c.results.requirement},
                        {QStringLiteral("unit"), c.results.unit},
                        {QStringLiteral("model"), c.results.model},
                        {QStringLiteral("method"), c.results.method}};
    QJsonObject o = c.unknown;
    o.insert(QStringLiteral("tag"), c.tag);
    o.insert(QStringLiteral("description"), c.description);
    o.insert(QStringLiteral("count"), c.count);
    o.insert(QStringLiteral("main"),
             merged(c.unknown.value(QStringLiteral("main")).toObject(), main));
    o.insert(QStringLiteral("heat"), windowInputsJson(c.heat));
    o.insert(QStringLiteral("climate"), windowInputsJson(c.climate));
    o.insert(QStringLiteral("rise"), windowInputsJson(c.rise));
    o.insert(QStringLiteral("devices"), deviceLinesJson(c.devices));
    QJsonObject design{{QStringLiteral("method"), c.method}, {QStringLiteral("device"), c.device}};
    if (c.libraryDevice.picked())
        design.insert(QStringLiteral("libraryDevice"), libraryPickJson(c.libraryDevice));
    o.insert(QStringLiteral("design"),
             merged(c.unknown.value(QStringLiteral("design")).toObject(), design));
    o.insert(QStringLiteral("results"),
             merged(c.unknown.value(QStringLiteral("results")).toObject(), results));
    return o;
}

struct InfoMember {
    const char* name;
    QString ProjectInfo::*field;
};
const InfoMember kInfoMembers[] = {
    {"name", &ProjectInfo::name},       {"customer", &ProjectInfo::customer},
    {"site", &ProjectInfo::site},       {"author", &ProjectInfo::author},
    {"company", &ProjectInfo::company}, {"revision", &ProjectInfo::revision},
    {"date", &ProjectInfo::date},       {"note", &ProjectInfo::note},
};

// Version 1 kept what the climate and rise windows took from the main window
// as the window last showed it, while the windows themselves took it afresh
// at every opening: those values follow their source. The climate window's
// sunlit area was filled from the dimensions and replaced at their next
// edit whatever it held: it follows too. Its humidity was of the summer's
// air; it stands for the humid day's now.
void upgradeFromVersion1(Project& project) {
    for (Cabinet& c : project.cabinets) {
        for (const char* name : {"txtClimH", "txtClimW", "txtClimD", "txtClimP", "txtClimK",
                                 "txtClimTu", "txtClimTi", "txtClimSunArea"})
            c.climate.remove(QLatin1String(name));
        for (const char* name : {"txtRiseHeight", "txtRiseWidth", "txtRiseDepth", "txtRiseP"})
            c.rise.remove(QLatin1String(name));
    }
}

void cutText(QString& text, int limit, const QString& where, ProjectReading& reading) {
    if (text.size() <= limit) return;
    reading.changes << QStringLiteral("%1: %2자로 최대 %3자를 넘어 앞의 %3자만 보입니다.")
                           .arg(where)
                           .arg(text.size())
                           .arg(limit);
    text.truncate(limit);
    // Not half of a character made of two code units.
    if (text.back().isHighSurrogate()) text.chop(1);
    reading.textsCut = true;
}

// A device line's texts are one-line texts.
void fitDeviceLineTexts(Cabinet& c, const QString& where, ProjectReading& reading) {
    for (qsizetype i = 0; i < c.devices.size(); ++i) {
        DeviceLineTexts& line = c.devices[i];
        for (auto it = line.begin(); it != line.end(); ++it)
            cutText(it.value(), kMaxProjectLineLength,
                    QStringLiteral("%1.devices[%2].%3").arg(where).arg(i).arg(it.key()), reading);
    }
}

// Texts within their limits, tags that the windows can tell apart.
void fitTexts(Project& project, ProjectReading& reading) {
    for (const InfoMember& m : kInfoMembers) {
        const bool note = &ProjectInfo::note == m.field;
        cutText(project.info.*m.field, note ? kMaxProjectNoteLength : kMaxProjectLineLength,
                at(QStringLiteral("project"), QLatin1String(m.name)), reading);
    }
    for (qsizetype i = 0; i < project.cabinets.size(); ++i) {
        const QString where = QStringLiteral("cabinets[%1]").arg(i);
        Cabinet& c = project.cabinets[i];
        cutText(c.tag, kMaxProjectLineLength, at(where, QStringLiteral("tag")), reading);
        cutText(c.description, kMaxProjectLineLength, at(where, QStringLiteral("description")),
                reading);
        fitDeviceLineTexts(c, where, reading);
    }
    // "+A1" and "+A1 " look the same in every window, which then refuses
    // to tell them apart: the later one gets a tag of its own.
    QSet<QString> seen;
    for (qsizetype i = 0; i < project.cabinets.size(); ++i) {
        Cabinet& c = project.cabinets[i];
        if (seen.contains(c.tag.trimmed())) {
            const QString unique = UniqueCabinetTag(project, c.tag.trimmed());
            reading.changes << QStringLiteral(
                                   "cabinets[%1].tag: 태그 \"%2\"이(가) 앞 제어반의 태그와 "
                                   "공백만 달라 \"%3\"(으)로 바꿨습니다.")
                                   .arg(i)
                                   .arg(c.tag, unique);
            c.tag = unique;
        }
        seen.insert(c.tag.trimmed());
    }
}

}  // namespace

ProjectReading ReadProject(const QByteArray& bytes) {
    ProjectReading reading;
    if (bytes.size() > kMaxProjectFileBytes) {
        reading.error = QStringLiteral("파일이 너무 큽니다 (16 MiB 초과).");
        return reading;
    }
    if (bytes.trimmed().isEmpty()) {
        reading.error = QStringLiteral("파일이 비어 있습니다.");
        return reading;
    }
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    if (parse.error != QJsonParseError::NoError) {
        const bool cut = parse.error == QJsonParseError::UnterminatedObject ||
                         parse.error == QJsonParseError::UnterminatedArray ||
                         parse.error == QJsonParseError::UnterminatedString ||
                         parse.error == QJsonParseError::IllegalEscapeSequence ||
                         (parse.offset >= bytes.size() - 1);
        reading.error =
            cut ? QStringLiteral("파일이 중간에 끊겼습니다 (%1바이트 위치).").arg(parse.offset)
                : QStringLiteral("JSON 형식이 아닙니다 (%1바이트 위치: %2).")
                      .arg(parse.offset)
                      .arg(parse.errorString());
        return reading;
    }
    if (!doc.isObject() ||
        doc.object().value(QStringLiteral("format")).toString() != kProjectFormatName) {
        reading.error = QStringLiteral("CabinetCool 프로젝트 파일이 아닙니다.");
        return reading;
    }
    const QJsonObject top = doc.object();
    const std::optional<qint64> version = wholeNumber(top.value(QStringLiteral("version")));
    if (!version || *version < 1 || *version > INT_MAX) {
        reading.error = QStringLiteral("형식 버전(version)이 없거나 올바르지 않습니다.");
        return reading;
    }
    reading.version = static_cast<int>(*version);

    Fault fault;
    Project project;
    const QJsonObject info = object(top, QStringLiteral("project"), QString(), fault);
    for (const InfoMember& m : kInfoMembers)
        project.info.*m.field = text(info, QLatin1String(m.name), QStringLiteral("project"), fault);
    project.info.unknown = info;
    for (const InfoMember& m : kInfoMembers) project.info.unknown.remove(QLatin1String(m.name));

    const QJsonValue cabinets = top.value(QStringLiteral("cabinets"));
    if (!cabinets.isArray()) {
        fault.set(QStringLiteral("cabinets"), QStringLiteral("제어반 목록(배열)이 없습니다."));
    } else if (cabinets.toArray().size() > kMaxCabinets) {
        fault.set(QStringLiteral("cabinets"),
                  QStringLiteral("제어반이 %1개로, 최대 %2개를 넘습니다.")
                      .arg(cabinets.toArray().size())
                      .arg(kMaxCabinets));
    } else {
        QSet<QString> tags;
        const QJsonArray list = cabinets.toArray();
        for (qsizetype i = 0; i < list.size() && !fault.found(); ++i) {
            const QString where = QStringLiteral("cabinets[%1]").arg(i);
            if (!list[i].isObject()) {
                fault.set(where,
                          QStringLiteral("객체여야 하는데 %1입니다.").arg(typeName(list[i])));
                break;
            }
            Cabinet c = readCabinet(list[i].toObject(), where, fault);
            if (!fault.found() && tags.contains(c.tag))
                fault.set(at(where, QStringLiteral("tag")),
                          QStringLiteral("태그 \"%1\"이(가) 두 번 쓰였습니다.").arg(c.tag));
            tags.insert(c.tag);
            project.cabinets.append(std::move(c));
        }
    }
    if (!fault.found()) project.library = readProjectLibrary(top, fault);
    project.unknown = without(top, {"format", "version", "project", "cabinets", "library"});

    if (fault.found()) {
        reading.error = reading.version > kProjectFormatVersion
                            ? QStringLiteral(
                                  "더 새로운 형식 버전 %1의 파일이라 읽을 수 없습니다. "
                                  "(%2)")
                                  .arg(reading.version)
                                  .arg(fault.text())
                            : fault.text();
        return reading;
    }
    if (reading.version == 1) upgradeFromVersion1(project);
    reading.readOnly = reading.version > kProjectFormatVersion;
    fitTexts(project, reading);
    reading.project = std::move(project);
    return reading;
}

QByteArray ProjectBytes(const Project& project) {
    QJsonObject info = project.info.unknown;
    for (const InfoMember& m : kInfoMembers)
        info.insert(QLatin1String(m.name), project.info.*m.field);
    QJsonArray cabinets;
    for (const Cabinet& c : project.cabinets) cabinets.append(cabinetJson(c));
    QJsonObject top = project.unknown;
    top.insert(QStringLiteral("format"), kProjectFormatName);
    top.insert(QStringLiteral("version"), kProjectFormatVersion);
    top.insert(QStringLiteral("project"), info);
    top.insert(QStringLiteral("cabinets"), cabinets);
    if (const QJsonArray library = projectLibraryJson(project); !library.isEmpty())
        top.insert(QStringLiteral("library"), library);
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}

QString NextCabinetTag(const Project& project) {
    for (int n = project.cabinets.size() + 1;; ++n) {
        const QString tag = QStringLiteral("+A%1").arg(n);
        if (UniqueCabinetTag(project, tag) == tag) return tag;
    }
}

QString UniqueCabinetTag(const Project& project, const QString& tag) {
    auto used = [&](const QString& t) {
        return std::any_of(project.cabinets.begin(), project.cabinets.end(),
                           [&](const Cabinet& c) { return c.tag.trimmed() == t.trimmed(); });
    };
    if (!used(tag)) return tag;
    for (int n = 2;; ++n) {
        // Within a tag's limit: the number takes the place of the end of a
        // long tag, which a reader would otherwise cut off again.
        const QString number = QStringLiteral(" (%1)").arg(n);
        QString base = tag;
        if (base.size() + number.size() > kMaxProjectLineLength) {
            base.truncate(std::max<qsizetype>(kMaxProjectLineLength - number.size(), 0));
            if (!base.isEmpty() && base.back().isHighSurrogate()) base.chop(1);
        }
        const QString candidate = base + number;
        if (!used(candidate)) return candidate;
    }
}
