#include "design/DeviceList.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <cmath>

#include "calc/NumberText.h"
#include "design/CabinetDesign.h"

using namespace deviceline;

namespace {

QString number(double v) { return QString::fromStdString(NumberText(v)); }

// Reads a text whole: none when it is not one number.
std::optional<double> whole(const QString& text) {
    return ParseWholeNumber(text.trimmed().toStdString());
}

// Beyond these a value is a typo, and the sums stay finite: a current of a
// million amperes, a loss of ten megawatts, a conductor of ten kilometres.
constexpr double kMaxCurrent = 1e6;  // A
constexpr double kMaxLoss = 1e7;     // W
constexpr double kMaxLength = 1e4;   // m

// Collects a line's faults: the member and why, the first reason worded.
class LineFaults {
public:
    LineFaults(DeviceLineEvaluation& line) : m_line(line) {}
    void add(const QString& member, const QString& why) {
        if (m_line.badMembers.contains(member)) return;
        m_line.badMembers << member;
        const QString text =
            QStringLiteral("%1: %2").arg(deviceMemberCaption(member, m_line.kind), why);
        m_line.why = m_line.why.isEmpty() ? text : m_line.why + QStringLiteral(" ") + text;
    }

    // A number above zero and at most `most`; none (and a fault) otherwise.
    // Empty is a fault unless `optional`.
    std::optional<double> positive(const DeviceLineTexts& t, const QString& member, double most,
                                   bool optional = false) {
        const QString text = t.value(member).trimmed();
        if (text.isEmpty()) {
            if (!optional) add(member, QStringLiteral("값이 비어 있습니다."));
            return std::nullopt;
        }
        const std::optional<double> v = whole(text);
        if (!v) {
            add(member, QStringLiteral("\"%1\"은(는) 하나의 숫자가 아닙니다.").arg(text));
            return std::nullopt;
        }
        if (!(*v > 0) || !std::isfinite(*v)) {
            add(member,
                QStringLiteral("%1은(는) 0 이하입니다. 0보다 커야 합니다.").arg(number(*v)));
            return std::nullopt;
        }
        if (*v > most) {
            add(member, QStringLiteral("%1은(는) %2보다 큽니다.").arg(number(*v), number(most)));
            return std::nullopt;
        }
        return v;
    }

    // A whole count from 0.
    double count(const DeviceLineTexts& t) {
        const QString text = t.value(kCount).trimmed();
        const std::optional<double> v = whole(text);
        if (text.isEmpty()) {
            add(kCount, QStringLiteral("값이 비어 있습니다."));
        } else if (!v) {
            add(kCount, QStringLiteral("\"%1\"은(는) 하나의 숫자가 아닙니다.").arg(text));
        } else if (*v < 0 || *v != std::floor(*v) || *v > 1e6) {
            add(kCount, QStringLiteral("%1은(는) 0부터의 정수가 아닙니다.").arg(number(*v)));
        } else {
            return *v;
        }
        return 0;
    }

    // A temperature within what the design calculates with; none when empty.
    std::optional<double> temperature(const DeviceLineTexts& t, const QString& member) {
        const QString text = t.value(member).trimmed();
        if (text.isEmpty()) return std::nullopt;
        const std::optional<double> v = whole(text);
        if (!v) {
            add(member, QStringLiteral("\"%1\"은(는) 하나의 숫자가 아닙니다.").arg(text));
            return std::nullopt;
        }
        if (*v < kDesignMinTemperature || *v > kDesignMaxTemperature) {
            add(member,
                QStringLiteral("%1 °C는 %2 °C에서 %3 °C 밖입니다.")
                    .arg(number(*v), number(kDesignMinTemperature), number(kDesignMaxTemperature)));
            return std::nullopt;
        }
        return v;
    }

private:
    DeviceLineEvaluation& m_line;
};

// IEC 60228 Table 2 (class 2, plain copper) and Table 3 (class 5, plain
// copper): the largest resistance at 20 °C, Ω/km.
struct ResistanceRow {
    double section;  // mm²
    double class2;
    double class5;
};
constexpr std::array<ResistanceRow, 22> kCopperResistance20 = {{
    {0.5, 36.0, 39.0},     {0.75, 24.5, 26.0},    {1, 18.1, 19.5},       {1.5, 12.1, 13.3},
    {2.5, 7.41, 7.98},     {4, 4.61, 4.95},       {6, 3.08, 3.30},       {10, 1.83, 1.91},
    {16, 1.15, 1.21},      {25, 0.727, 0.780},    {35, 0.524, 0.554},    {50, 0.387, 0.386},
    {70, 0.268, 0.272},    {95, 0.193, 0.206},    {120, 0.153, 0.161},   {150, 0.124, 0.129},
    {185, 0.0991, 0.106},  {240, 0.0754, 0.0801}, {300, 0.0601, 0.0641}, {400, 0.0470, 0.0486},
    {500, 0.0366, 0.0384}, {630, 0.0283, 0.0287},
}};

// "하부", "중간", "상부" or a fraction from 0 to 1; empty: the top.
void readHeight(const DeviceLineTexts& t, DeviceLineEvaluation& e, LineFaults& faults) {
    const QString text = t.value(kHeight).trimmed();
    if (text.isEmpty()) return;
    if (text == QStringLiteral("하부")) {
        e.height = kHeightLow;
    } else if (text == QStringLiteral("중간")) {
        e.height = kHeightMiddle;
    } else if (text == QStringLiteral("상부")) {
        e.height = kHeightTop;
    } else if (const std::optional<double> v = whole(text); !v) {
        faults.add(kHeight,
                   QStringLiteral("\"%1\"은(는) 0에서 1 사이의 수도, 하부/중간/상부도 아닙니다.")
                       .arg(text));
        return;
    } else if (*v < 0 || *v > 1) {
        faults.add(kHeight,
                   QStringLiteral("%1은(는) 0에서 1 밖입니다 (높이에 대한 비율).").arg(number(*v)));
        return;
    } else {
        e.height = *v;
    }
    e.heightTyped = true;
}

// The diversity factor typed over Table 101's: from above 0 to 1.
std::optional<double> typedFactor(const DeviceLineTexts& t, LineFaults& faults) {
    const QString text = t.value(kFactor).trimmed();
    if (text.isEmpty()) return std::nullopt;
    const std::optional<double> v = whole(text);
    if (!v) {
        faults.add(kFactor, QStringLiteral("\"%1\"은(는) 하나의 숫자가 아닙니다.").arg(text));
    } else if (!(*v > 0) || *v > 1) {
        faults.add(kFactor, QStringLiteral("%1은(는) 0 초과 1 이하가 아닙니다.").arg(number(*v)));
    } else {
        return v;
    }
    return std::nullopt;
}

DeviceLineEvaluation readDevice(const DeviceLineTexts& t) {
    DeviceLineEvaluation e;
    e.kind = DeviceLineKind::Device;
    LineFaults faults(e);
    e.description = t.value(kDescription).trimmed();
    e.count = faults.count(t);
    e.ratedCurrent = faults.positive(t, kIn, kMaxCurrent, true);
    const std::optional<double> pn = faults.positive(t, kPn, kMaxLoss);
    e.ratedLoss = pn.value_or(0);
    const bool ibTyped = !t.value(kIb).trimmed().isEmpty();
    const std::optional<double> ib = faults.positive(t, kIb, kMaxCurrent, true);
    const bool inTyped = !t.value(kIn).trimmed().isEmpty();
    if (ibTyped && !inTyped)
        faults.add(kIn, QStringLiteral("부하 전류가 있으면 정격 전류도 있어야 합니다."));
    e.loadCurrent = ib ? ib : e.ratedCurrent;
    if (ib && e.ratedCurrent && *ib > kMaxLoadToRated * *e.ratedCurrent)
        faults.add(kIb, QStringLiteral("%1 A는 정격 전류 %2 A의 %3배를 넘습니다.")
                            .arg(number(*ib), number(*e.ratedCurrent), number(kMaxLoadToRated)));
    e.factorApplies = inTyped;
    readHeight(t, e, faults);
    e.permitted = faults.temperature(t, kTmax);
    e.group = t.value(kGroup).trimmed();
    if (const std::optional<double> f = typedFactor(t, faults)) {
        e.factor = *f;
        e.factorTyped = true;
    }
    return e;
}

DeviceLineEvaluation readConductor(const DeviceLineTexts& t) {
    DeviceLineEvaluation e;
    e.kind = DeviceLineKind::Conductor;
    LineFaults faults(e);
    e.description = t.value(kDescription).trimmed();
    e.count = faults.count(t);
    const std::optional<double> section = faults.positive(t, kSection, 1000);
    e.length = faults.positive(t, kLength, kMaxLength).value_or(0);
    e.loadCurrent = faults.positive(t, kCurrent, kMaxCurrent);
    e.temperature = faults.temperature(t, kTemp).value_or(kDefaultConductorTemperature);
    const QString cls = t.value(kClass).trimmed();
    if (cls.isEmpty() || cls == QLatin1String("2"))
        e.conductorClass = 2;
    else if (cls == QLatin1String("5"))
        e.conductorClass = 5;
    else
        faults.add(kClass, QStringLiteral("\"%1\"은(는) 2도 5도 아닙니다.").arg(cls));
    if (section) {
        e.section = *section;
        if (const std::optional<double> r = copperResistance20(*section, e.conductorClass))
            e.r20 = *r;
        else
            faults.add(kSection, QStringLiteral("%1 mm²는 IEC 60228의 표준 단면적이 아닙니다.")
                                     .arg(number(*section)));
    }
    e.factorApplies = true;
    e.group = t.value(kGroup).trimmed();
    if (const std::optional<double> f = typedFactor(t, faults)) {
        e.factor = *f;
        e.factorTyped = true;
    }
    e.resistance = resistanceAt(e.r20, e.temperature) * e.length / 1000.0;
    return e;
}

// The air at a height by the profile of IEC TR 60890: Δt0.5 below half the
// height, straight from 0.5 to 0.75 and from 0.75 to 1.0 of it, as the
// method draws it.
std::optional<double> riseAirAt(const RiseResult& r, double h) {
    if (!r.t05.value || !r.t075.value || !r.t10.value) return std::nullopt;
    const double t05 = *r.t05.value, t075 = *r.t075.value, t10 = *r.t10.value;
    if (h <= 0.5) return t05;
    if (h <= 0.75) return t05 + (t075 - t05) * (h - 0.5) / 0.25;
    return t075 + (t10 - t075) * (h - 0.75) / 0.25;
}

}  // namespace

DeviceLineTexts newDeviceLine() { return {{kKind, kDevice}, {kCount, QStringLiteral("1")}}; }

DeviceLineTexts newConductorLine() {
    return {{kKind, kConductor}, {kCount, QStringLiteral("3")}, {kClass, QStringLiteral("2")}};
}

// IEC 61439-2 Table 101: the rated diversity factor of an assembly's main
// circuits by their number.
double ratedDiversityFactor(int circuits) {
    if (circuits >= 10) return 0.6;
    if (circuits >= 6) return 0.7;
    if (circuits >= 4) return 0.8;
    if (circuits >= 2) return 0.9;
    return 1;
}

std::optional<double> copperResistance20(double section, int conductorClass) {
    if (conductorClass != 2 && conductorClass != 5) return std::nullopt;
    for (const ResistanceRow& row : kCopperResistance20)
        if (std::fabs(row.section - section) < 1e-9)
            return conductorClass == 2 ? row.class2 : row.class5;
    return std::nullopt;
}

// IEC 60228 Annex B: the resistance of copper corrected to another
// temperature with α20 = 0.00393 /K.
double resistanceAt(double r20, double temperature) {
    return r20 * (1 + kCopperAlpha * (temperature - 20));
}

QString deviceMemberCaption(const QString& member, DeviceLineKind kind) {
    static const QHash<QString, QString> device = {
        {kDescription, QStringLiteral("품목")},    {kCount, QStringLiteral("수량")},
        {kIn, QStringLiteral("정격 전류 In")},     {kPn, QStringLiteral("정격 손실 Pn")},
        {kIb, QStringLiteral("부하 전류 Ib")},     {kHeight, QStringLiteral("설치 높이")},
        {kTmax, QStringLiteral("허용 주위 온도")}, {kGroup, QStringLiteral("회로")},
        {kFactor, QStringLiteral("분산율")}};
    static const QHash<QString, QString> conductor = {
        {kDescription, QStringLiteral("품목")}, {kCount, QStringLiteral("도체 수")},
        {kSection, QStringLiteral("단면적")},   {kLength, QStringLiteral("길이")},
        {kCurrent, QStringLiteral("전류")},     {kTemp, QStringLiteral("도체 온도")},
        {kClass, QStringLiteral("등급")},       {kGroup, QStringLiteral("회로")},
        {kFactor, QStringLiteral("분산율")}};
    return (kind == DeviceLineKind::Device ? device : conductor).value(member, member);
}

QString deviceLossText(double watts) {
    return QString::fromStdString(FormatNumber(watts, std::fabs(watts) < 100 ? "0.0" : "0"));
}

DeviceListEvaluation evaluateDeviceList(const QList<DeviceLineTexts>& lines,
                                        const MainEvaluation& main, const RiseEvaluation* rise) {
    DeviceListEvaluation e;
    e.lines.reserve(lines.size());
    // The main circuits of each group: the units of its devices with a
    // rated current.
    QHash<QString, int> circuits;
    for (const DeviceLineTexts& t : lines) {
        e.lines.append(t.value(kKind) == kConductor ? readConductor(t) : readDevice(t));
        const DeviceLineEvaluation& l = e.lines.back();
        if (l.kind == DeviceLineKind::Device && l.factorApplies && !l.group.isEmpty() &&
            !l.badMembers.contains(kCount))
            circuits[l.group] += static_cast<int>(std::min(l.count, 1e6));
    }

    if (rise && rise->result.t05.value && rise->result.t10.value) {
        e.source = DeviceAirSource::Rise;
        e.sourceText = QStringLiteral("온도 상승 검증 (IEC TR 60890)의 높이별 공기 온도");
    } else if (rise) {
        e.source = DeviceAirSource::None;
        e.sourceText = QStringLiteral("온도 상승 검증의 결과가 없어 여유를 구하지 않음");
    } else if (main.errors.isEmpty() && std::isfinite(main.input.t2)) {
        e.source = DeviceAirSource::Main;
        e.sourceText =
            QStringLiteral(
                "온도 상승 검증이 없어 주 계산의 반내 온도 Ti %1 °C 기준 (높이에 따른 분포 없음)")
                .arg(number(main.input.t2));
    } else {
        e.source = DeviceAirSource::None;
        e.sourceText = QStringLiteral("주 계산의 입력 오류로 반내 온도가 없어 여유를 구하지 않음");
    }

    for (qsizetype i = 0; i < e.lines.size(); ++i) {
        DeviceLineEvaluation& l = e.lines[i];
        if (l.factorApplies && !l.group.isEmpty()) {
            l.circuits = circuits.value(l.group, 1);
            if (!l.factorTyped) l.factor = ratedDiversityFactor(l.circuits);
        } else if (!l.factorTyped) {
            l.factor = 1;
        }
        if (l.bad()) {
            ++e.leftOut;
            continue;
        }
        if (l.kind == DeviceLineKind::Device) {
            // IEC 61439-1 10.10.4.3 and IEC TR 60890: a device's loss at a
            // current other than its rated one goes with the current's
            // square; the diversity of IEC 61439-2 Table 101 scales the
            // current, so the loss by its square.
            double ratio = 1;
            if (l.ratedCurrent && l.loadCurrent)
                ratio = l.factor * *l.loadCurrent / *l.ratedCurrent;
            l.loss = l.count * l.ratedLoss * ratio * ratio;
            e.devicesLoss += l.loss;
        } else {
            // P = n · I² · R (IEC 61439-1 10.10.4.3 counts the conductors'
            // losses beside the devices').
            const double current = l.factor * l.loadCurrent.value_or(0);
            l.loss = l.count * current * current * l.resistance;
            e.conductorsLoss += l.loss;
        }
        if (l.kind != DeviceLineKind::Device) continue;
        if (e.source == DeviceAirSource::Rise)
            l.air = riseAirAt(rise->result, l.height);
        else if (e.source == DeviceAirSource::Main)
            l.air = main.input.t2;
        if (!l.air || !l.permitted) continue;
        l.margin = *l.permitted - *l.air;
        l.fits = *l.margin >= 0;
        if (!e.critical || *l.margin < *e.lines[*e.critical].margin) e.critical = int(i);
    }
    e.total = e.devicesLoss + e.conductorsLoss;
    if (e.critical)
        e.verdict = *e.lines[*e.critical].fits ? QStringLiteral("적합") : QStringLiteral("부적합");
    return e;
}
