#include "project/DeviceLibrary.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <cmath>

#include "calc/NumberText.h"

namespace {

QString number(double v) { return QString::fromStdString(NumberText(v)); }

// A positive value where the kind has one: the fault of a value at or below
// zero.
QString positiveFault(const std::optional<double>& v, const char* what, const char* unit) {
    if (v && !(*v > 0))
        return QStringLiteral("%1이(가) %2 %3로, 0보다 커야 합니다.")
            .arg(QString::fromUtf8(what), number(*v), QString::fromUtf8(unit));
    return QString();
}

bool hasPoint(const LibraryDevice& d, double ti, double tu) {
    for (const LibraryPoint& p : d.points)
        if (p.ti == ti && p.tu == tu) return true;
    return false;
}

// A member that is a finite number when present.
std::optional<double> numberMember(const QJsonObject& o, const char* member, QString* fault) {
    const QJsonValue v = o.value(QLatin1String(member));
    if (v.isUndefined() || v.isNull()) return std::nullopt;
    if (!v.isDouble() || !std::isfinite(v.toDouble())) {
        if (fault->isEmpty())
            *fault = QStringLiteral("%1: 수여야 합니다.").arg(QLatin1String(member));
        return std::nullopt;
    }
    return v.toDouble();
}

QString textMember(const QJsonObject& o, const char* member, QString* fault) {
    const QJsonValue v = o.value(QLatin1String(member));
    if (v.isUndefined()) return QString();
    if (!v.isString()) {
        if (fault->isEmpty())
            *fault = QStringLiteral("%1: 문자열이어야 합니다.").arg(QLatin1String(member));
        return QString();
    }
    return v.toString();
}

}  // namespace

QString libraryDeviceFault(const LibraryDevice& d) {
    if (d.designation.trimmed().isEmpty()) return QStringLiteral("모델명이 비어 있습니다.");
    if (!kLibraryKinds.contains(d.kind))
        return QStringLiteral(
                   "종류 \"%1\"은(는) 알 수 없습니다 (aircon, heat-exchanger, "
                   "filter-fan, heater 중 하나).")
            .arg(d.kind);
    for (qsizetype i = 0; i < d.points.size(); ++i) {
        const LibraryPoint& p = d.points[i];
        if (!std::isfinite(p.ti) || !std::isfinite(p.tu) || !std::isfinite(p.capacity))
            return QStringLiteral("운전점 %1: 수가 아닌 값이 있습니다.").arg(i + 1);
        if (!(p.capacity > 0))
            return QStringLiteral("운전점 %1 (L%2/L%3): 냉각 능력이 %4 W로, 0보다 커야 합니다.")
                .arg(i + 1)
                .arg(number(p.ti), number(p.tu), number(p.capacity));
        for (qsizetype j = 0; j < i; ++j) {
            const LibraryPoint& q = d.points[j];
            if (q.ti == p.ti && q.tu == p.tu && q.capacity != p.capacity)
                return QStringLiteral(
                           "운전점 %1과 %2가 같은 온도 L%3/L%4에서 다른 냉각 능력(%5 W, %6 W)을 "
                           "가집니다.")
                    .arg(j + 1)
                    .arg(i + 1)
                    .arg(number(p.ti), number(p.tu), number(q.capacity), number(p.capacity));
        }
    }
    for (const QString& fault : {positiveFault(d.specific, "비열출력", "W/K"),
                                 positiveFault(d.flowFree, "자유 풍량", "m³/h"),
                                 positiveFault(d.flowFilter, "필터 장착 풍량", "m³/h"),
                                 positiveFault(d.power, "출력", "W")})
        if (!fault.isEmpty()) return fault;
    if (d.tuMax && !std::isfinite(*d.tuMax))
        return QStringLiteral("최고 주위 온도가 수가 아닙니다.");
    return QString();
}

QString libraryDeviceGap(const LibraryDevice& d) {
    if (d.kind == QLatin1String("aircon")) {
        QStringList missing;
        if (!hasPoint(d, 35, 35)) missing << QStringLiteral("L35/L35 운전점");
        if (!hasPoint(d, 35, 50)) missing << QStringLiteral("L35/L50 운전점");
        if (!d.tuMax) missing << QStringLiteral("최고 주위 온도");
        if (!missing.isEmpty())
            return QStringLiteral("%1이(가) 없습니다.").arg(missing.join(QStringLiteral(", ")));
    } else if (d.kind == QLatin1String("heat-exchanger")) {
        if (!d.specific) return QStringLiteral("비열출력(W/K)이 없습니다.");
    } else if (d.kind == QLatin1String("filter-fan")) {
        if (!d.flowFilter) return QStringLiteral("필터 장착 풍량이 없습니다.");
    } else if (d.kind == QLatin1String("heater")) {
        if (!d.power) return QStringLiteral("출력이 없습니다.");
    }
    return QString();
}

QJsonObject libraryDeviceJson(const LibraryDevice& d) {
    QJsonObject o{{QStringLiteral("kind"), d.kind},
                  {QStringLiteral("designation"), d.designation},
                  {QStringLiteral("maker"), d.maker}};
    if (!d.points.isEmpty()) {
        QJsonArray points;
        for (const LibraryPoint& p : d.points)
            points.append(QJsonObject{{QStringLiteral("ti"), p.ti},
                                      {QStringLiteral("tu"), p.tu},
                                      {QStringLiteral("capacity_w"), p.capacity}});
        o.insert(QStringLiteral("points"), points);
    }
    const std::pair<const char*, const std::optional<double>*> values[] = {
        {"tu_max", &d.tuMax},
        {"specific_w_per_k", &d.specific},
        {"airflow_free_m3h", &d.flowFree},
        {"airflow_filter_m3h", &d.flowFilter},
        {"power_w", &d.power}};
    for (const auto& [name, value] : values)
        if (*value) o.insert(QLatin1String(name), **value);
    return o;
}

LibraryDevice readLibraryDevice(const QJsonObject& o, QString* fault) {
    LibraryDevice d;
    QString f;
    d.kind = textMember(o, "kind", &f);
    d.designation = textMember(o, "designation", &f);
    d.maker = textMember(o, "maker", &f);
    const QJsonValue points = o.value(QStringLiteral("points"));
    if (!points.isUndefined() && !points.isArray() && f.isEmpty())
        f = QStringLiteral("points: 배열이어야 합니다.");
    const QJsonArray list = points.toArray();
    for (qsizetype i = 0; i < list.size() && f.isEmpty(); ++i) {
        const QJsonObject p = list[i].toObject();
        QString pf;
        const auto ti = numberMember(p, "ti", &pf);
        const auto tu = numberMember(p, "tu", &pf);
        const auto capacity = numberMember(p, "capacity_w", &pf);
        if (pf.isEmpty() && !(list[i].isObject() && ti && tu && capacity))
            pf = QStringLiteral("ti, tu, capacity_w를 가진 객체여야 합니다.");
        if (!pf.isEmpty()) {
            f = QStringLiteral("points[%1].%2").arg(i).arg(pf);
            break;
        }
        d.points.append({*ti, *tu, *capacity});
    }
    d.tuMax = numberMember(o, "tu_max", &f);
    d.specific = numberMember(o, "specific_w_per_k", &f);
    d.flowFree = numberMember(o, "airflow_free_m3h", &f);
    d.flowFilter = numberMember(o, "airflow_filter_m3h", &f);
    d.power = numberMember(o, "power_w", &f);
    if (f.isEmpty()) f = libraryDeviceFault(d);
    if (fault) *fault = f;
    return d;
}

qsizetype findLibraryDevice(const QList<LibraryDevice>& devices, const QString& designation) {
    for (qsizetype i = 0; i < devices.size(); ++i)
        if (devices[i].designation == designation) return i;
    return -1;
}

LibraryReading ReadLibrary(const QByteArray& bytes) {
    LibraryReading reading;
    if (bytes.size() > kMaxLibraryFileBytes) {
        reading.error = QStringLiteral("파일이 너무 큽니다 (16 MiB 초과).");
        return reading;
    }
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    if (bytes.trimmed().isEmpty()) {
        reading.error = QStringLiteral("파일이 비어 있습니다.");
        return reading;
    }
    if (parse.error != QJsonParseError::NoError) {
        reading.error = QStringLiteral("JSON 형식이 아닙니다 (%1바이트 위치: %2).")
                            .arg(parse.offset)
                            .arg(parse.errorString());
        return reading;
    }
    const QJsonObject top = doc.object();
    if (!doc.isObject() || top.value(QStringLiteral("format")).toString() != kLibraryFormatName) {
        reading.error = QStringLiteral("CabinetCool 장비 라이브러리 파일이 아닙니다.");
        return reading;
    }
    const QJsonValue version = top.value(QStringLiteral("version"));
    const double v = version.toDouble(-1);
    if (!version.isDouble() || v < 1 || v != std::floor(v) || v > 1e9) {
        reading.error = QStringLiteral("형식 버전(version)이 없거나 올바르지 않습니다.");
        return reading;
    }
    reading.version = static_cast<int>(v);
    reading.readOnly = reading.version > kLibraryFormatVersion;
    const QJsonValue devices = top.value(QStringLiteral("devices"));
    if (!devices.isArray()) {
        reading.error = QStringLiteral("devices: 장비 목록(배열)이 없습니다.");
        return reading;
    }
    const QJsonArray list = devices.toArray();
    if (list.size() > kMaxLibraryDevices) {
        reading.error = QStringLiteral("devices: 장비가 %1개로, 최대 %2개를 넘습니다.")
                            .arg(list.size())
                            .arg(kMaxLibraryDevices);
        return reading;
    }
    QList<LibraryDevice> result;
    QHash<QString, qsizetype> seen;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString where = QStringLiteral("devices[%1]").arg(i);
        QString fault;
        if (!list[i].isObject()) fault = QStringLiteral("객체여야 합니다.");
        const LibraryDevice d =
            fault.isEmpty() ? readLibraryDevice(list[i].toObject(), &fault) : LibraryDevice{};
        if (fault.isEmpty() && seen.contains(d.designation))
            fault = QStringLiteral("모델명 \"%1\"이(가) devices[%2]에도 있습니다.")
                        .arg(d.designation)
                        .arg(seen.value(d.designation));
        if (!fault.isEmpty()) {
            reading.error = reading.readOnly ? QStringLiteral(
                                                   "더 새로운 형식 버전 %1의 파일이라 읽을 수 "
                                                   "없습니다. (%2: %3)")
                                                   .arg(reading.version)
                                                   .arg(where, fault)
                                             : where + QStringLiteral(": ") + fault;
            return reading;
        }
        seen.insert(d.designation, i);
        result.append(d);
    }
    reading.devices = std::move(result);
    return reading;
}

QByteArray LibraryBytes(const QList<LibraryDevice>& devices) {
    QJsonArray list;
    for (const LibraryDevice& d : devices) list.append(libraryDeviceJson(d));
    const QJsonObject top{{QStringLiteral("format"), kLibraryFormatName},
                          {QStringLiteral("version"), kLibraryFormatVersion},
                          {QStringLiteral("devices"), list}};
    return QJsonDocument(top).toJson(QJsonDocument::Indented);
}
