#include "design/LibraryOffer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "calc/NumberText.h"

namespace {

// A temperature or a rating as people read it: whole above 10, one
// decimal below.
QString rounded(double v) {
    const double a = std::fabs(v);
    return QString::fromStdString(FormatNumber(v, a >= 10 || a == std::floor(a) ? "0" : "0.0"));
}

// One unit's capacity along Tu on a line of equal Ti, the points sorted by
// Tu: linear between the two nearest points around `tu`, none outside.
std::optional<double> alongTu(const LibraryPoint* first, const LibraryPoint* last, double tu) {
    if (first == last || tu < first->tu || tu > (last - 1)->tu) return std::nullopt;
    for (const LibraryPoint* p = first; p != last; ++p) {
        if (p->tu == tu) return p->capacity;
        if (p + 1 != last && p->tu < tu && tu < (p + 1)->tu) {
            const double f = (tu - p->tu) / ((p + 1)->tu - p->tu);
            return p->capacity + f * ((p + 1)->capacity - p->capacity);
        }
    }
    return std::nullopt;
}

}  // namespace

DeviceKind libraryDeviceKind(const LibraryDevice& device) {
    return deviceKindOfName(device.kind).value_or(DeviceKind::None);
}

std::optional<OperatingPoint> operatingPoint(const CabinetEvaluation& e) {
    if (e.answer.method == GoverningMethod::Climate && e.climate) {
        if (!e.climate->errors.isEmpty()) return std::nullopt;
        return OperatingPoint{e.climate->input.insideDesired, e.climate->input.ambientMax};
    }
    if (!e.main.errors.isEmpty()) return std::nullopt;
    return OperatingPoint{e.main.input.t2, e.main.input.t1};
}

DeviceCapacity libraryCapacity(const LibraryDevice& d, const std::optional<OperatingPoint>& at) {
    DeviceCapacity c;
    if (!libraryDeviceGap(d).isEmpty() || !libraryDeviceFault(d).isEmpty()) {
        c.why.kind = NotOfferedReason::Gap;
        return c;
    }
    switch (libraryDeviceKind(d)) {
        case DeviceKind::HeatExchanger:
            c.value = d.specific;
            return c;
        case DeviceKind::FilterFan:
            // Filter fans are sized by the flow they move through their
            // outlet filter, the lower of the two.
            c.value = d.flowFilter;
            return c;
        case DeviceKind::Heater:
            c.value = d.power;
            return c;
        case DeviceKind::Aircon:
            break;
        case DeviceKind::None:
            c.why.kind = NotOfferedReason::Gap;
            return c;
    }
    if (!at) {
        c.why.kind = NotOfferedReason::NoPoint;
        return c;
    }
    const double ti = at->ti, tu = at->tu;
    if (tu > *d.tuMax) {
        c.why = {NotOfferedReason::AboveTuMax, tu, 0, *d.tuMax};
        return c;
    }
    // The points by Ti, then Tu: each run of equal Ti is a line of the
    // data sheet's diagram.
    thread_local std::vector<LibraryPoint> points;
    points.assign(d.points.begin(), d.points.end());
    std::sort(points.begin(), points.end(), [](const LibraryPoint& a, const LibraryPoint& b) {
        return a.ti < b.ti || (a.ti == b.ti && a.tu < b.tu);
    });
    const LibraryPoint* begin = points.data();
    const LibraryPoint* end = begin + points.size();
    std::optional<std::pair<double, double>> below, above;  // (Ti, capacity)
    for (const LibraryPoint* line = begin; line != end;) {
        const LibraryPoint* next = line;
        while (next != end && next->ti == line->ti) ++next;
        if (line->ti <= ti || !above) {
            if (const std::optional<double> v = alongTu(line, next, tu)) {
                if (line->ti <= ti) below = {line->ti, *v};
                if (line->ti >= ti && !above) above = {line->ti, *v};
            }
        }
        line = next;
    }
    if (below && above) {
        c.value = below->first == above->first
                      ? below->second
                      : below->second + (ti - below->first) / (above->first - below->first) *
                                            (above->second - below->second);
        return c;
    }
    const double tiLow = begin->ti, tiHigh = (end - 1)->ti;
    if (ti < tiLow || ti > tiHigh) {
        c.why = {NotOfferedReason::TiOutside, ti, tiLow, tiHigh};
        return c;
    }
    double tuLow = end[-1].tu, tuHigh = begin->tu;
    for (const LibraryPoint& p : points) {
        tuLow = std::min(tuLow, p.tu);
        tuHigh = std::max(tuHigh, p.tu);
    }
    c.why = {NotOfferedReason::TuOutside, tu, tuLow, tuHigh};
    return c;
}

std::optional<double> libraryRating(const LibraryDevice& d) {
    if (libraryDeviceKind(d) == DeviceKind::Aircon) {
        for (const LibraryPoint& p : d.points)
            if (p.ti == 35 && p.tu == 35) return p.capacity;
        return std::nullopt;
    }
    return libraryCapacity(d, std::nullopt).value;
}

QString notOfferedText(const NotOfferedReason& r, const LibraryDevice& d) {
    switch (r.kind) {
        case NotOfferedReason::None:
            break;
        case NotOfferedReason::Gap: {
            const QString fault = libraryDeviceFault(d);
            return QStringLiteral("데이터가 모자랍니다: ") +
                   (fault.isEmpty() ? libraryDeviceGap(d) : fault);
        }
        case NotOfferedReason::NoPoint:
            return QStringLiteral("운전점(Ti, Tu)을 계산할 수 없습니다.");
        case NotOfferedReason::AboveTuMax:
            return QStringLiteral(
                       "주위 온도 Tu %1 °C가 이 장비의 최고 주위 온도 %2 °C보다 높습니다.")
                .arg(rounded(r.value), rounded(r.high));
        case NotOfferedReason::TiOutside:
            return QStringLiteral(
                       "반내 온도 Ti %1 °C가 데이터 점의 범위(Ti %2 ~ %3 °C) 밖입니다 (외삽하지 "
                       "않음).")
                .arg(rounded(r.value), rounded(r.low), rounded(r.high));
        case NotOfferedReason::TuOutside:
            return QStringLiteral(
                       "주위 온도 Tu %1 °C가 데이터 점의 범위(Tu %2 ~ %3 °C) 밖입니다 (외삽하지 "
                       "않음).")
                .arg(rounded(r.value), rounded(r.low), rounded(r.high));
        case NotOfferedReason::FourShort:
            return QStringLiteral("%1대로도 필요 능력 %2 %4에 모자랍니다 (한 대 %3 %4).")
                .arg(kMaxLibraryUnits)
                .arg(rounded(r.value), rounded(r.low), deviceRatingUnit(libraryDeviceKind(d)));
    }
    return QString();
}

LibraryOffer offerLibraryDevices(const CabinetEvaluation& e, const QList<LibraryDevice>& library) {
    LibraryOffer offer;
    const GoverningAnswer& a = e.answer;
    offer.kind = a.kind;
    offer.unit = a.unit;
    if (a.inputError || !a.value) {
        offer.why = a.why.isEmpty() ? QStringLiteral("필요 능력을 계산할 수 없습니다.") : a.why;
        return offer;
    }
    if (a.notNeeded || a.kind == DeviceKind::None) {
        offer.why = QStringLiteral("장치가 필요 없습니다.");
        return offer;
    }
    const double need = *a.value;
    offer.need = need;
    offer.at = operatingPoint(e);
    const QString kindName = deviceKindName(a.kind);
    for (qsizetype i = 0; i < library.size(); ++i) {
        const LibraryDevice& d = library[i];
        if (d.kind != kindName) continue;
        const DeviceCapacity c = libraryCapacity(d, offer.at);
        if (!c.value) {
            offer.notOffered.append({i, c.why});
            continue;
        }
        const double units = std::ceil(need / *c.value);
        if (units > kMaxLibraryUnits) {
            offer.notOffered.append({i, {NotOfferedReason::FourShort, need, *c.value, 0}});
            continue;
        }
        const int n = std::max(1, static_cast<int>(units));
        offer.lines.append({i, *c.value, n, n * *c.value - need});
    }
    std::stable_sort(offer.lines.begin(), offer.lines.end(),
                     [](const OfferLine& x, const OfferLine& y) {
                         if (x.units != y.units) return x.units < y.units;
                         return x.capacity < y.capacity;
                     });
    return offer;
}

void applyLibraryPick(const Cabinet& cabinet, const DesignTables& tables, CabinetEvaluation& e) {
    const LibraryPick& pick = cabinet.libraryDevice;
    if (!pick.picked()) return;
    GoverningAnswer& a = e.answer;
    // No device is needed, or none can be sized: the pick waits.
    if (a.inputError || !a.value || a.notNeeded || a.kind == DeviceKind::None) return;
    const qsizetype at = findLibraryDevice(tables.library, pick.designation);
    if (at < 0) {
        a.remarks << QStringLiteral(
                         "선정한 라이브러리 장비 \"%1\"의 데이터가 없어 기본 목록의 모델로 "
                         "답합니다.")
                         .arg(pick.designation);
        return;
    }
    const LibraryDevice& d = tables.library[at];
    if (libraryDeviceKind(d) != a.kind) {
        a.remarks << QStringLiteral(
                         "선정한 라이브러리 장비 \"%1\"은(는) %2(이)라 %3을(를) 답하는 "
                         "이 제어반에 쓰지 않고 기본 목록의 모델로 답합니다.")
                         .arg(d.designation, deviceKindText(libraryDeviceKind(d)),
                              deviceKindText(a.kind));
        return;
    }
    const std::optional<OperatingPoint> point = operatingPoint(e);
    const DeviceCapacity c = libraryCapacity(d, point);
    if (!c.value) {
        a.remarks << QStringLiteral(
                         "선정한 라이브러리 장비 \"%1\"은(는) 이 운전점에서 쓸 수 "
                         "없어 기본 목록의 모델로 답합니다: %2")
                         .arg(d.designation, notOfferedText(c.why, d));
        return;
    }
    const int units = std::clamp(pick.units, 1, kMaxLibraryUnits);
    const double need = *a.value;
    LibraryChoice choice;
    choice.designation = d.designation;
    choice.maker = d.maker;
    choice.units = units;
    choice.capacity = *c.value;
    choice.margin = units * *c.value - need;
    if (libraryDeviceKind(d) == DeviceKind::Aircon) choice.at = point;
    // The built-in lists' remarks were of their model.
    a.remarks.removeIf(
        [](const QString& r) { return r.startsWith(QStringLiteral("필요 능력이")); });
    a.device = DesignDevice{a.kind, d.designation, libraryRating(d).value_or(*c.value), units};
    a.library = choice;
    if (choice.margin < 0)
        a.remarks << QStringLiteral("선정 장비 %1대의 능력이 필요 능력보다 %2 %3 모자랍니다.")
                         .arg(units)
                         .arg(rounded(-choice.margin), a.unit);
}

QList<LibraryDevice> designLibrary(const Project& project, const QList<LibraryDevice>& user) {
    if (project.library.isEmpty()) return user;
    QList<LibraryDevice> all = project.library;
    for (const LibraryDevice& d : user)
        if (findLibraryDevice(project.library, d.designation) < 0) all.append(d);
    return all;
}

QString operatingPointText(const OperatingPoint& at) {
    return QStringLiteral("Ti %1 °C / Tu %2 °C").arg(rounded(at.ti), rounded(at.tu));
}

QString marginText(double margin, double need, const QString& unit) {
    QString text = QStringLiteral("%1 %2").arg(rounded(margin), unit);
    if (need > 0) text += QStringLiteral(" (%1 %)").arg(rounded(100 * margin / need));
    return text;
}

namespace {
QString deviceName(const QString& designation, const QString& maker, int units) {
    QString text = designation;
    if (!maker.trimmed().isEmpty()) text += QStringLiteral(" (%1)").arg(maker.trimmed());
    if (units > 1) text += QStringLiteral(" × %1").arg(units);
    return text;
}
}  // namespace

QString libraryChoiceLine(const GoverningAnswer& a) {
    if (!a.library || !a.value) return QString();
    const LibraryChoice& c = *a.library;
    const QString capacity = QStringLiteral("%1 %2").arg(rounded(c.capacity), a.unit) +
                             (c.units > 1 ? QStringLiteral(" (한 대)") : QString());
    const QString where =
        c.at ? QStringLiteral("운전점 %1에서 ").arg(operatingPointText(*c.at)) : QString();
    return QStringLiteral("선정 장비: %1, %2%3, 여유 %4")
        .arg(deviceName(c.designation, c.maker, c.units), where, capacity,
             marginText(c.margin, *a.value, a.unit));
}

QString offerLineText(const OfferLine& line, const LibraryDevice& d, const LibraryOffer& offer) {
    return QStringLiteral("%1 — %2%3 %4, 여유 %5")
        .arg(deviceName(d.designation, d.maker, line.units),
             line.units > 1 ? QStringLiteral("한 대 ") : QString(), rounded(line.capacity),
             offer.unit, marginText(line.margin, offer.need.value_or(0), offer.unit));
}
