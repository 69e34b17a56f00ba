#include "design/CabinetDesign.h"

#include <QHash>
#include <cmath>
#include <limits>

#include "calc/NumberText.h"
#include "data/ModelLists.h"
#include "design/LibraryOffer.h"
#include "kit/CabinetCoolApp.h"
#include "kit/ProjectSession.h"
#include "kit/UserLibrary.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

QString numberText(double v) { return QString::fromStdString(NumberText(v)); }

QString mainText(const Cabinet& c, CabinetField f) {
    switch (f) {
        case CabinetField::Height:
            return c.fields.value(QStringLiteral("txtHeight"));
        case CabinetField::Width:
            return c.fields.value(QStringLiteral("txtWidth"));
        case CabinetField::Depth:
            return c.fields.value(QStringLiteral("txtDepth"));
        case CabinetField::InternalHeat:
            return c.fields.value(QStringLiteral("txtPP"));
        case CabinetField::T1:
            return c.fields.value(QStringLiteral("txtT1"));
        case CabinetField::T2:
            return c.fields.value(QStringLiteral("txtT2"));
        case CabinetField::T3:
            return c.fields.value(QStringLiteral("txtT3"));
        case CabinetField::T4:
            return c.fields.value(QStringLiteral("txtT4"));
        case CabinetField::UValue:
            return c.fields.value(QStringLiteral("txtUU"));
        default:
            break;
    }
    return {};
}

// As the main window reads its own fields (ParseNumber: a leading number).
double mainNumber(const Cabinet& c, CabinetField f) {
    return ParseNumber(mainText(c, f).toStdString());
}

SelectionMode modeOf(const Cabinet& c) {
    if (c.mode == QLatin1String("Fan1")) return SelectionMode::Fan1;
    if (c.mode == QLatin1String("Fan2")) return SelectionMode::Fan2;
    return SelectionMode::Aircon;
}

// The heat the main window's measurements imply in its measured mode,
// U·A·(T4 − T3) with its all-faces surface: the climate design's P there.
double measuredHeat(const Cabinet& c) {
    const double a =
        ComputeSurfaceArea(mainNumber(c, CabinetField::Height), mainNumber(c, CabinetField::Width),
                           mainNumber(c, CabinetField::Depth));
    return mainNumber(c, CabinetField::UValue) * a *
           (mainNumber(c, CabinetField::T4) - mainNumber(c, CabinetField::T3));
}

// ---- strict reading -----------------------------------------------------------

enum class Rule { Positive, NotNegative, Temperature, Humidity, Fraction, Any };

struct FieldRule {
    const char* name;
    const char* caption;
    Rule rule;
};

// Reads `text` whole; records why not, or why the value is out of its range.
std::optional<double> readStrict(const QString& text, const QString& name, const QString& caption,
                                 Rule rule, QList<DesignInputError>& errors,
                                 const QString& unit = QString()) {
    const QString trimmed = text.trimmed();
    const std::optional<double> v = ParseWholeNumber(trimmed.toStdString());
    QString why;
    const QString number = v ? numberText(*v) : QString();
    if (trimmed.isEmpty()) {
        why = QStringLiteral("%1: 값이 비어 있습니다.").arg(caption);
    } else if (!v) {
        why = QStringLiteral("%1: 입력 \"%2\"는 하나의 숫자가 아닙니다.").arg(caption, trimmed);
    } else {
        switch (rule) {
            case Rule::Positive:
                if (!(*v > 0))
                    why = QStringLiteral("%1: %2은(는) 0 이하입니다. 0보다 커야 합니다.")
                              .arg(caption, number);
                break;
            case Rule::NotNegative:
                if (*v < 0 && unit == QLatin1String("W"))
                    why = QStringLiteral("%1: %2 W는 음수입니다. 발열량은 0 W 이상이어야 합니다.")
                              .arg(caption, number);
                else if (*v < 0)
                    why = QStringLiteral("%1: %2은(는) 음수입니다. 0 이상이어야 합니다.")
                              .arg(caption, number);
                break;
            case Rule::Temperature:
                if (!(*v >= kDesignMinTemperature && *v <= kDesignMaxTemperature))
                    why =
                        QStringLiteral("%1: %2 °C는 계산하는 온도 범위(-100 °C ~ 200 °C) 밖입니다.")
                            .arg(caption, number);
                break;
            case Rule::Humidity:
                if (!(*v > 0 && *v <= 100))
                    why = QStringLiteral("%1: %2 %는 0 % 초과 100 % 이하의 범위 밖입니다.")
                              .arg(caption, number);
                break;
            case Rule::Fraction:
                if (!(*v >= 0 && *v <= 1))
                    why = QStringLiteral("%1: %2는 0 ~ 1의 범위 밖입니다.").arg(caption, number);
                break;
            case Rule::Any:
                break;
        }
    }
    if (!why.isEmpty()) errors.append({name, caption, text, why});
    return v;
}

// ---- the climate design's inputs ----------------------------------------------

constexpr FieldRule kClimateRules[] = {
    {"txtClimH", "높이 H", Rule::Positive},
    {"txtClimW", "폭 W", Rule::Positive},
    {"txtClimD", "깊이 D", Rule::Positive},
    {"txtClimP", "내부 발열량 P", Rule::NotNegative},
    {"txtClimK", "열관류율 U", Rule::Positive},
    {"txtClimTu", "최고 외기 온도 Tu", Rule::Temperature},
    {"txtClimTi", "희망 반내 온도 Ti", Rule::Temperature},
    {"txtClimAlt", "설치 고도", Rule::Any},
    {"txtClimTuMin", "최저 외기 온도", Rule::Temperature},
    {"txtClimTiMin", "최저 반내 온도", Rule::Temperature},
    {"txtClimPMin", "그때 켜져 있는 장비 발열", Rule::NotNegative},
    {"txtClimDayT", "습한 날 기온", Rule::Temperature},
    {"txtClimRH", "습한 날 상대습도", Rule::Humidity},
    {"txtClimNightT", "그날 밤 최저 기온", Rule::Temperature},
    {"txtClimSunE", "일사량", Rule::NotNegative},
    {"txtClimSunAbs", "표면 일사 흡수율", Rule::Fraction},
    {"txtClimSunArea", "햇빛 받는 면적", Rule::NotNegative},
    {"txtClimSunRse", "외표면 열저항 Rse", Rule::Positive},
    {"txtClimMargin", "안전 여유", Rule::NotNegative},
};

bool isSunInput(const QString& name) { return name.startsWith(QLatin1String("txtClimSun")); }

// ---- the rise verification's inputs ---------------------------------------------

constexpr FieldRule kRiseRules[] = {
    {"txtRiseHeight", "높이 H", Rule::Any},
    {"txtRiseWidth", "폭 W", Rule::Any},
    {"txtRiseDepth", "깊이 D", Rule::Any},
    {"txtRisePartitions", "수평 칸막이 수", Rule::Any},
    {"txtRiseInlet", "흡기구 면적", Rule::Any},
    {"txtRiseOutlet", "배기구 면적", Rule::Any},
    {"txtRiseP", "손실 전력 P", Rule::Any},
    {"txtRiseTu", "외기 온도 Tu", Rule::Any},
    {"txtRiseTmax05", "허용 온도 (1/2 높이)", Rule::Any},
    {"txtRiseTmax10", "허용 온도 (상부)", Rule::Any},
    {"txtRiseOverrideC", "c", Rule::Any},
    {"txtRiseOverrideD", "d", Rule::Any},
    {"txtRiseOverrideK", "k", Rule::Any},
};

QString arrangementCaption(int index) {
    if (index <= 0) return QStringLiteral("사용자 지정");
    const std::string_view text = CabinetInstallationText(index);
    if (text.empty()) return QStringLiteral("사용자 지정");
    return QStringLiteral("%1. %2").arg(index).arg(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

QString topCaption(RiseTop top) {
    return top == RiseTop::Covered ? QStringLiteral("덮임") : QStringLiteral("노출");
}
QString faceCaption(RiseFace face) {
    switch (face) {
        case RiseFace::AgainstWall:
            return QStringLiteral("벽에 붙음");
        case RiseFace::AgainstNeighbour:
            return QStringLiteral("이웃 외함에 붙음");
        case RiseFace::Exposed:
            break;
    }
    return QStringLiteral("노출");
}

QString verdictText(const RiseResult& r) {
    if (!r.fits) return QStringLiteral("—");
    return *r.fits ? QStringLiteral("적합") : QStringLiteral("부적합");
}

// ---- picks ----------------------------------------------------------------------

DesignPick pickAircon(double need, const EquipmentHeatTables& t) {
    DesignPick p;
    const auto& caps = t.AirconModelCapacity;
    if (std::all_of(caps.begin(), caps.end(), [](double c) { return c <= 0; })) {
        p.missing = true;
        return p;
    }
    const double capacity = caps[static_cast<size_t>(RecommendAirconModel(need, caps))];
    p.designation = airconModelDesignation(capacity);
    p.rating = capacity;
    p.exceeds = capacity < need;
    return p;
}

DesignPick pickFan(double need, const EquipmentHeatTables& t) {
    DesignPick p;
    const auto& caps = t.FanModelCapacity;
    if (std::all_of(caps.begin(), caps.end(), [](double c) { return c <= 0; })) {
        p.missing = true;
        return p;
    }
    const auto i = static_cast<size_t>(RecommendFanModel(need, caps));
    p.designation = QString::fromStdString(t.FanModelName[i]);
    p.rating = caps[i];
    p.exceeds = caps[i] < need;
    return p;
}

DesignPick pickFromList(double need, const std::vector<ClimateModel>& models) {
    DesignPick p;
    const ModelChoice choice = PickModel(need, models);
    if (!choice.index) {
        p.missing = true;
        return p;
    }
    p.designation = QString::fromStdString(models[*choice.index].designation);
    p.rating = models[*choice.index].value;
    p.exceeds = choice.exceeds;
    return p;
}

}  // namespace

// ---- why a climate result does not apply ---

QString climateReasonText(ClimateReason reason) {
    switch (reason) {
        case ClimateReason::None:
            break;
        case ClimateReason::InvalidDimensions:
            return QStringLiteral("치수가 0 이하입니다");
        case ClimateReason::InvalidInstallation:
            return QStringLiteral("설치 방식이 정해지지 않았습니다");
        case ClimateReason::InvalidCoefficient:
            return QStringLiteral("열관류율이 0 미만입니다");
        case ClimateReason::InvalidSolarInput:
            return QStringLiteral("일사 입력이 범위 밖입니다");
        case ClimateReason::InvalidMargin:
            return QStringLiteral("안전 여유가 0 % 미만입니다");
        case ClimateReason::AmbientNotBelowInside:
            return QStringLiteral(
                "희망 반내 온도가 최고 외기 온도 이하여서 외기로는 식힐 수 없습니다");
        case ClimateReason::AltitudeOutOfRange:
            return QStringLiteral("설치 고도가 -5000 m ~ 11000 m 밖입니다");
        case ClimateReason::HumidityOutOfRange:
            return QStringLiteral("상대 습도가 0 % 초과 100 % 이하의 범위 밖입니다");
        case ClimateReason::TemperatureOutOfRange:
            return QStringLiteral("이 온도에서는 이슬점을 구할 수 없습니다");
        case ClimateReason::OutOfRange:
            return QStringLiteral("값이 계산할 수 있는 범위를 벗어났습니다");
    }
    return {};
}

// ---- following inputs -------------------------------------------------------------

const QStringList kClimateFollowingInputs = {
    QStringLiteral("txtClimH"),  QStringLiteral("txtClimW"),      QStringLiteral("txtClimD"),
    QStringLiteral("txtClimP"),  QStringLiteral("txtClimK"),      QStringLiteral("txtClimTu"),
    QStringLiteral("txtClimTi"), QStringLiteral("txtClimSunArea")};

const QStringList kRiseFollowingInputs = {
    QStringLiteral("txtRiseHeight"), QStringLiteral("txtRiseWidth"), QStringLiteral("txtRiseDepth"),
    QStringLiteral("txtRiseP")};

std::optional<FollowedValue> climateFollowedValue(const Cabinet& c, const QString& name) {
    struct From {
        const char* name;
        CabinetField field;
        const char* source;
    };
    static const From kFrom[] = {
        {"txtClimH", CabinetField::Height, "주 화면의 높이 H"},
        {"txtClimW", CabinetField::Width, "주 화면의 폭 W"},
        {"txtClimD", CabinetField::Depth, "주 화면의 깊이 D"},
        {"txtClimK", CabinetField::UValue, "주 화면의 열관류율 U"},
        {"txtClimTu", CabinetField::T1, "주 화면의 최고 외기 온도 T1"},
        {"txtClimTi", CabinetField::T2, "주 화면의 설정 온도 T2"},
    };
    for (const From& f : kFrom) {
        if (name == QLatin1String(f.name))
            return FollowedValue{numberText(mainNumber(c, f.field)), QString::fromUtf8(f.source)};
    }
    if (name == QLatin1String("txtClimP")) {
        if (modeOf(c) == SelectionMode::Fan2) {
            const double p = measuredHeat(c);
            return FollowedValue{std::isfinite(p) ? numberText(p) : QString(),
                                 QStringLiteral("주 화면의 측정값에서 추정: U·A·(T4 − T3)")};
        }
        return FollowedValue{numberText(mainNumber(c, CabinetField::InternalHeat)),
                             QStringLiteral("주 화면의 내부 발열량 P")};
    }
    if (name == QLatin1String("txtClimSunArea")) {
        auto dim = [&](const char* n) {
            return ParseWholeNumber(climateInputText(c, QLatin1String(n)).toStdString())
                .value_or(kNaN);
        };
        const ClimateValue area =
            DefaultSunlitArea(dim("txtClimH"), dim("txtClimW"), dim("txtClimD"));
        return FollowedValue{area.applicable() ? numberText(*area.value) : QString(),
                             QStringLiteral("치수에서: 지붕과 앞면 W·D + W·H")};
    }
    return std::nullopt;
}

std::optional<FollowedValue> riseFollowedValue(const Cabinet& c, const QString& name) {
    struct From {
        const char* name;
        CabinetField field;
        const char* source;
    };
    static const From kFrom[] = {
        {"txtRiseHeight", CabinetField::Height, "주 화면의 높이 H"},
        {"txtRiseWidth", CabinetField::Width, "주 화면의 폭 W"},
        {"txtRiseDepth", CabinetField::Depth, "주 화면의 깊이 D"},
        {"txtRiseP", CabinetField::InternalHeat, "주 화면의 내부 발열량 P"},
    };
    for (const From& f : kFrom) {
        if (name == QLatin1String(f.name))
            return FollowedValue{numberText(mainNumber(c, f.field)), QString::fromUtf8(f.source)};
    }
    return std::nullopt;
}

const WindowInputs& climateDefaults() {
    static const WindowInputs d = {
        {QStringLiteral("cboClimInstall"), 1},
        {QStringLiteral("txtClimAlt"), QStringLiteral("0")},
        {QStringLiteral("txtClimTuMin"), QStringLiteral("-10")},
        {QStringLiteral("txtClimTiMin"), QStringLiteral("10")},
        {QStringLiteral("txtClimPMin"), QStringLiteral("0")},
        // A humid summer day and its night: 25 °C at 60 % (dew point about
        // 16.7 °C), the night 7 K cooler. Typical of a temperate summer; the
        // engineer puts in the site's figures.
        {QStringLiteral("txtClimDayT"), QStringLiteral("25")},
        {QStringLiteral("txtClimRH"), QStringLiteral("60")},
        {QStringLiteral("txtClimNightT"), QStringLiteral("18")},
        {QStringLiteral("chkClimSun"), false},
        {QStringLiteral("txtClimSunE"), QStringLiteral("800")},
        {QStringLiteral("txtClimSunAbs"), QStringLiteral("0.5")},
        {QStringLiteral("txtClimSunRse"), numberText(kOutsideSurfaceResistance)},
        {QStringLiteral("txtClimMargin"), QStringLiteral("10")},
    };
    return d;
}

const WindowInputs& riseDefaults() {
    static const WindowInputs d = {
        {QStringLiteral("cboRiseInstall"), 1},
        {QStringLiteral("txtRisePartitions"), QStringLiteral("0")},
        {QStringLiteral("chkRiseVent"), false},
        {QStringLiteral("txtRiseInlet"), QString()},
        {QStringLiteral("txtRiseOutlet"), QString()},
        // IEC 61439-1: the ambient air's daily mean does not exceed 35 °C.
        {QStringLiteral("txtRiseTu"), QStringLiteral("35")},
        // What devices for enclosures are commonly rated for.
        {QStringLiteral("txtRiseTmax05"), QStringLiteral("55")},
        {QStringLiteral("txtRiseTmax10"), QStringLiteral("55")},
        {QStringLiteral("chkRiseOverride"), false},
        {QStringLiteral("txtRiseOverrideC"), QString()},
        {QStringLiteral("txtRiseOverrideD"), QString()},
        {QStringLiteral("txtRiseOverrideK"), QString()},
    };
    return d;
}

// A value that may follow does so while the cabinet keeps no text of its
// own for it: no entry, or an emptied one.
QString climateInputText(const Cabinet& c, const QString& name) {
    const auto it = c.climate.constFind(name);
    const bool kept = it != c.climate.constEnd() && !(kClimateFollowingInputs.contains(name) &&
                                                      it->toString().trimmed().isEmpty());
    if (kept) return it->toString();
    if (const std::optional<FollowedValue> f = climateFollowedValue(c, name)) return f->text;
    return climateDefaults().value(name).toString();
}

QString riseInputText(const Cabinet& c, const QString& name) {
    const auto it = c.rise.constFind(name);
    const bool kept = it != c.rise.constEnd() &&
                      !(kRiseFollowingInputs.contains(name) && it->toString().trimmed().isEmpty());
    if (kept) return it->toString();
    if (const std::optional<FollowedValue> f = riseFollowedValue(c, name)) return f->text;
    return riseDefaults().value(name).toString();
}

// ---- governing method and device ----------------------------------------------------

std::optional<GoverningMethod> governingMethodOfName(const QString& name) {
    if (name == QLatin1String("main")) return GoverningMethod::Main;
    if (name == QLatin1String("climate")) return GoverningMethod::Climate;
    return std::nullopt;
}

std::optional<DeviceKind> deviceKindOfName(const QString& name) {
    if (name == QLatin1String("aircon")) return DeviceKind::Aircon;
    if (name == QLatin1String("heat-exchanger")) return DeviceKind::HeatExchanger;
    if (name == QLatin1String("filter-fan")) return DeviceKind::FilterFan;
    if (name == QLatin1String("heater")) return DeviceKind::Heater;
    if (name == QLatin1String("none")) return DeviceKind::None;
    return std::nullopt;
}

QString governingMethodName(GoverningMethod m) {
    return m == GoverningMethod::Climate ? QStringLiteral("climate") : QStringLiteral("main");
}

QString deviceKindName(DeviceKind k) {
    switch (k) {
        case DeviceKind::Aircon:
            return QStringLiteral("aircon");
        case DeviceKind::HeatExchanger:
            return QStringLiteral("heat-exchanger");
        case DeviceKind::FilterFan:
            return QStringLiteral("filter-fan");
        case DeviceKind::Heater:
            return QStringLiteral("heater");
        case DeviceKind::None:
            break;
    }
    return QStringLiteral("none");
}

QString governingMethodText(GoverningMethod m) {
    return m == GoverningMethod::Climate ? QStringLiteral("상세 설계")
                                         : QStringLiteral("기본 계산");
}

QString deviceKindText(DeviceKind k) {
    switch (k) {
        case DeviceKind::Aircon:
            return QStringLiteral("에어컨");
        case DeviceKind::HeatExchanger:
            return QStringLiteral("열교환기·팬");
        case DeviceKind::FilterFan:
            return QStringLiteral("필터팬");
        case DeviceKind::Heater:
            return QStringLiteral("히터");
        case DeviceKind::None:
            break;
    }
    return QStringLiteral("없음 (벽으로 방열)");
}

QString deviceRatingUnit(DeviceKind k) {
    switch (k) {
        case DeviceKind::HeatExchanger:
            return QStringLiteral("W/K");
        case DeviceKind::FilterFan:
            return QStringLiteral("m³/h");
        default:
            break;
    }
    return QStringLiteral("W");
}

GoverningMethod governingMethod(const Cabinet& c) {
    if (const std::optional<GoverningMethod> m = governingMethodOfName(c.method)) {
        // The climate design governs only a cabinet that has one.
        if (*m == GoverningMethod::Climate && c.climate.isEmpty()) return GoverningMethod::Main;
        return *m;
    }
    return c.climate.isEmpty() ? GoverningMethod::Main : GoverningMethod::Climate;
}

DeviceKind deviceKind(const Cabinet& c) {
    if (const std::optional<DeviceKind> k = deviceKindOfName(c.device)) return *k;
    return modeOf(c) == SelectionMode::Aircon ? DeviceKind::Aircon : DeviceKind::HeatExchanger;
}

// ---- the main calculation -------------------------------------------------------------

QString mainFieldCaption(CabinetField field, SelectionMode mode) {
    switch (field) {
        case CabinetField::Height:
            return QStringLiteral("높이 H");
        case CabinetField::Width:
            return QStringLiteral("폭 W");
        case CabinetField::Depth:
            return QStringLiteral("깊이 D");
        case CabinetField::InternalHeat:
            return QStringLiteral("제어반내 발열량 P");
        case CabinetField::T1:
            return QStringLiteral("최고 외기 온도 T1");
        case CabinetField::T2:
            return mode == SelectionMode::Aircon ? QStringLiteral("제어반내 희망 설정 온도 T2")
                                                 : QStringLiteral("반내 허용 온도 T2");
        case CabinetField::T3:
            return QStringLiteral("외기 온도 (측정치) T3");
        case CabinetField::T4:
            return QStringLiteral("반내 온도 (측정치) T4");
        case CabinetField::UValue:
            return QStringLiteral("열관류율 U");
        default:
            break;
    }
    return {};
}

MainEvaluation evaluateMain(const Cabinet& cabinet, const EquipmentHeatTables& tables) {
    MainEvaluation c;
    HeatBalanceInput& in = c.input;
    in.mode = modeOf(cabinet);
    in.height = mainNumber(cabinet, CabinetField::Height);
    in.width = mainNumber(cabinet, CabinetField::Width);
    in.depth = mainNumber(cabinet, CabinetField::Depth);
    in.internalHeat = mainNumber(cabinet, CabinetField::InternalHeat);
    in.t1 = mainNumber(cabinet, CabinetField::T1);
    in.t2 = mainNumber(cabinet, CabinetField::T2);
    in.t3 = mainNumber(cabinet, CabinetField::T3);
    in.t4 = mainNumber(cabinet, CabinetField::T4);
    in.uValue = mainNumber(cabinet, CabinetField::UValue);

    // The inputs of the mode, read whole, as a document states them.
    QList<std::pair<CabinetField, Rule>> checks{{CabinetField::Height, Rule::Positive},
                                                {CabinetField::Width, Rule::Positive},
                                                {CabinetField::Depth, Rule::Positive},
                                                {CabinetField::UValue, Rule::Positive}};
    // The measured mode reads no internal heat: the measured temperatures
    // stand for it.
    if (in.mode != SelectionMode::Fan2)
        checks.append({CabinetField::InternalHeat, Rule::NotNegative});
    checks.append({CabinetField::T1, Rule::Temperature});
    checks.append({CabinetField::T2, Rule::Temperature});
    if (in.mode == SelectionMode::Fan2) {
        checks.append({CabinetField::T3, Rule::Temperature});
        checks.append({CabinetField::T4, Rule::Temperature});
    }
    static const QHash<int, const char*> kNames = {
        {int(CabinetField::Height), "txtHeight"}, {int(CabinetField::Width), "txtWidth"},
        {int(CabinetField::Depth), "txtDepth"},   {int(CabinetField::InternalHeat), "txtPP"},
        {int(CabinetField::T1), "txtT1"},         {int(CabinetField::T2), "txtT2"},
        {int(CabinetField::T3), "txtT3"},         {int(CabinetField::T4), "txtT4"},
        {int(CabinetField::UValue), "txtUU"}};
    for (const auto& [field, rule] : checks) {
        const QString caption = mainFieldCaption(field, in.mode);
        const QString text = mainText(cabinet, field);
        const qsizetype before = c.errors.size();
        readStrict(text, QLatin1String(kNames.value(int(field))), caption, rule, c.errors,
                   field == CabinetField::InternalHeat ? QStringLiteral("W") : QString());
        // Dimensions, U and P say which kind of value they are.
        if (c.errors.size() > before && rule == Rule::Positive &&
            ParseWholeNumber(text.trimmed().toStdString())) {
            const QString unit =
                field == CabinetField::UValue ? QStringLiteral(" W/(m²·K)") : QStringLiteral(" m");
            c.errors.last().why =
                QStringLiteral("%1: %2%3은 0 이하입니다. 치수와 열관류율은 0보다 커야 합니다.")
                    .arg(caption, numberText(*ParseWholeNumber(text.trimmed().toStdString())),
                         unit);
        }
    }

    const HeatBalanceResult r = ComputeHeatBalance(in);
    c.finite = r.finite;
    if (!r.finite) {
        c.messages << CalculationMessage::OutOfRange;
        return c;
    }
    c.area = r.area;
    c.deltaT = r.deltaT;
    for (HeatBalanceFinding finding : r.findings) c.messages << messageOfFinding(finding);
    c.chartOpens = std::fabs(r.deltaT) >= kMinimumChartDeltaT;
    if (r.result) {
        c.result = r.result;
        c.resultText = QString::fromStdString(FormatNumber(*r.result, "0.00"));
        // The checks read the result as the field holds it: two decimals.
        const double shown = ParseNumber(c.resultText.toStdString());
        if (shown < 0) c.messages << CalculationMessage::NegativeResult;
        if (in.mode == SelectionMode::Aircon) {
            const int i = RecommendAirconModel(shown, tables.AirconModelCapacity);
            c.modelCapacity = tables.AirconModelCapacity[static_cast<size_t>(i)];
            c.modelName = airconModelDesignation(c.modelCapacity);
            c.modelIndex = i;
        } else {
            const int i = RecommendFanModel(shown, tables.FanModelCapacity);
            c.modelCapacity = tables.FanModelCapacity[static_cast<size_t>(i)];
            c.modelName = QString::fromStdString(tables.FanModelName[static_cast<size_t>(i)]);
            c.modelIndex = i;
        }
        const double capacity = ParseNumber(NumberText(c.modelCapacity));
        if (capacity < shown) c.messages << CalculationMessage::ModelExceeded;
    }
    if (!c.chartOpens) c.messages << CalculationMessage::SmallDifference;
    return c;
}

// ---- the component heat --------------------------------------------------------------------

namespace {

HeatEvaluation evaluateHeat(const Cabinet& cabinet, const EquipmentHeatTables& tables) {
    HeatEvaluation h;
    if (cabinet.heat.isEmpty()) return h;
    HeatCounts counts;
    for (const HeatFamilyRows& family : heatFamilies()) {
        std::vector<double>& row = counts[static_cast<size_t>(familyIndex(family.family))];
        const std::span<const double> losses = familyLosses(tables, family.family);
        for (size_t i = 0; i < family.rows.size(); ++i) {
            const QString name = QStringLiteral("%1_%2")
                                     .arg(QString::fromUtf8(family.fieldName.data(),
                                                            qsizetype(family.fieldName.size())))
                                     .arg(i);
            // Counts as the window reads them.
            const double count = ParseNumber(cabinet.heat.value(name).toString().toStdString());
            row.push_back(count);
            if (count == 0) continue;
            const double loss = i < losses.size() ? losses[i] : 0;
            QString label = QString::fromUtf8(family.rows[i].label.data(),
                                              qsizetype(family.rows[i].label.size()));
            if (label.endsWith(QStringLiteral(" x"))) label.chop(2);
            h.rows << HeatRowEvaluation{label, count, loss, count * loss};
        }
    }
    h.total = sumHeat(counts, tables).total;
    return h;
}

}  // namespace

// ---- the climate design ----------------------------------------------------------------------

ClimateEvaluation evaluateClimate(const Cabinet& cabinet, const DesignTables& tables) {
    ClimateEvaluation e;
    const bool sun = cabinet.climate
                         .value(QStringLiteral("chkClimSun"),
                                climateDefaults().value(QStringLiteral("chkClimSun")))
                         .toBool();
    e.sunlitAreaFollows =
        !cabinet.climate.contains(QStringLiteral("txtClimSunArea")) ||
        cabinet.climate.value(QStringLiteral("txtClimSunArea")).toString().trimmed().isEmpty();
    QHash<QString, double> v;
    for (const FieldRule& f : kClimateRules) {
        const QString name = QLatin1String(f.name);
        if (isSunInput(name) && !sun) continue;
        if (name == QLatin1String("txtClimSunArea") && e.sunlitAreaFollows) continue;
        const std::optional<double> value = readStrict(
            climateInputText(cabinet, name), name, QString::fromUtf8(f.caption), f.rule, e.errors);
        v.insert(name, value.value_or(kNaN));
    }
    auto get = [&](const char* n) { return v.value(QLatin1String(n), kNaN); };
    ClimateDesignInput& in = e.input;
    const int installation = cabinet.climate
                                 .value(QStringLiteral("cboClimInstall"),
                                        climateDefaults().value(QStringLiteral("cboClimInstall")))
                                 .toInt();
    in.installation = installation;
    in.height = get("txtClimH");
    in.width = get("txtClimW");
    in.depth = get("txtClimD");
    in.internalHeat = get("txtClimP");
    in.uValue = get("txtClimK");
    in.ambientMax = get("txtClimTu");
    in.insideDesired = get("txtClimTi");
    in.altitude = get("txtClimAlt");
    in.ambientMin = get("txtClimTuMin");
    in.insideMin = get("txtClimTiMin");
    in.internalHeatMin = get("txtClimPMin");
    in.humidDayTemperature = get("txtClimDayT");
    in.relativeHumidity = get("txtClimRH");
    in.humidNightMin = get("txtClimNightT");
    in.sun = sun;
    if (sun) {
        in.irradiance = get("txtClimSunE");
        in.absorptance = get("txtClimSunAbs");
        if (!e.sunlitAreaFollows) in.sunlitArea = get("txtClimSunArea");
        in.sunRse = get("txtClimSunRse");
    }
    in.safetyMargin = get("txtClimMargin");
    e.result = ComputeClimateDesign(in);
    const ClimateDesignResult& r = e.result;

    // The picks of the results that stand and are needed.
    const EquipmentHeatTables& t = *tables.equipment;
    if (!r.coolingNotNeeded()) {
        if (r.coolingPower.value) e.aircon = pickAircon(*r.coolingPower.value, t);
        if (r.heatExchangerCapacity.value) e.fan = pickFan(*r.heatExchangerCapacity.value, t);
        if (r.airflow.value) e.filterFan = pickFromList(*r.airflow.value, tables.filterFans);
    }
    if (r.heaterPower.value && *r.heaterPower.value > 0)
        e.heater = pickFromList(*r.heaterPower.value, tables.heaters);
    if (r.condensationFreeHeaterPower.value && *r.condensationFreeHeaterPower.value > 0)
        e.condensationHeater = pickFromList(*r.condensationFreeHeaterPower.value, tables.heaters);
    e.condensation = r.condensation.value_or(false);
    return e;
}

// ---- the temperature rise ---------------------------------------------------------------------

RiseEvaluation evaluateRise(const Cabinet& cabinet) {
    RiseEvaluation e;
    const WindowInputs& kept = cabinet.rise;
    auto index = [&](const char* name, int fallback) {
        return kept.value(QLatin1String(name), fallback).toInt();
    };
    auto checked = [&](const char* name) {
        return kept.value(QLatin1String(name), riseDefaults().value(QLatin1String(name))).toBool();
    };
    RiseInput& in = e.input;
    // The arrangement sets the faces; a face kept on its own overrides it,
    // as the window applies them.
    const int arrangement = index("cboRiseInstall", 1);
    RiseFaces faces = RiseFacesOfInstallation(arrangement).value_or(RiseFaces{});
    bool facesRead = true;
    auto face = [&](const char* name, int highest, int current) {
        const auto it = kept.constFind(QLatin1String(name));
        if (it == kept.constEnd()) return current;
        const int value = it->toInt();
        if (value < 0 || value > highest) {
            facesRead = false;
            return current;
        }
        return value;
    };
    faces.top = RiseTop(face("cboRiseTop", 1, int(faces.top)));
    faces.front = RiseFace(face("cboRiseFront", 2, int(faces.front)));
    faces.back = RiseFace(face("cboRiseBack", 2, int(faces.back)));
    faces.left = RiseFace(face("cboRiseLeft", 2, int(faces.left)));
    faces.right = RiseFace(face("cboRiseRight", 2, int(faces.right)));
    in.faces = faces;
    e.arrangement = RiseFacesOfInstallation(arrangement) == faces ? arrangementCaption(arrangement)
                                                                  : arrangementCaption(0);
    e.faces = {topCaption(faces.top), faceCaption(faces.front), faceCaption(faces.back),
               faceCaption(faces.left), faceCaption(faces.right)};
    in.openings = checked("chkRiseVent");
    in.overrideFactors = checked("chkRiseOverride");
    auto read = [&](const char* name, bool used) -> std::optional<double> {
        if (!used) return std::nullopt;
        const QString n = QLatin1String(name);
        QString caption;
        for (const FieldRule& f : kRiseRules)
            if (n == QLatin1String(f.name)) caption = QString::fromUtf8(f.caption);
        return readStrict(riseInputText(cabinet, n), n, caption, Rule::Any, e.errors);
    };
    in.height = read("txtRiseHeight", true);
    in.width = read("txtRiseWidth", true);
    in.depth = read("txtRiseDepth", true);
    in.partitions = read("txtRisePartitions", true);
    in.inletArea = read("txtRiseInlet", in.openings);
    in.outletArea = read("txtRiseOutlet", in.openings);
    in.power = read("txtRiseP", true);
    in.ambient = read("txtRiseTu", true);
    in.permissibleMid = read("txtRiseTmax05", true);
    in.permissibleTop = read("txtRiseTmax10", true);
    in.overrideC = read("txtRiseOverrideC", in.overrideFactors);
    in.overrideD = read("txtRiseOverrideD", in.overrideFactors);
    in.overrideK = read("txtRiseOverrideK", in.overrideFactors);
    e.result = ComputeTemperatureRise(in);
    if (!facesRead) {
        // A face the file names by no known index: no verdict on a guess.
        e.errors.append(
            {QStringLiteral("cboRiseInstall"), QStringLiteral("면"), QString(),
             QStringLiteral("면의 설치 상태가 알 수 없는 값이어서 판정하지 않았습니다.")});
        e.result.fits.reset();
    }
    e.verdict = verdictText(e.result);
    e.summaryVerdict = e.result.fits && !e.result.withinMethod
                           ? e.verdict + QStringLiteral(" (적용 범위 밖, 참고)")
                           : e.verdict;
    return e;
}

// ---- the governing answer -----------------------------------------------------------------------

namespace {

void addShortfall(GoverningAnswer& a, double need, double rating) {
    if (!(std::isfinite(rating) && rating < need)) return;
    if (rating > 0 && need / rating <= 1000) {
        const int units = static_cast<int>(std::ceil(need / rating));
        a.device->units = units;
        a.remarks
            << QStringLiteral(
                   "필요 능력이 추천 모델 한 대의 능력보다 큽니다: 이 모델 %1대면 충분합니다.")
                   .arg(units);
    } else {
        a.remarks << QStringLiteral("필요 능력이 추천 모델 한 대의 능력보다 큽니다.");
    }
}

GoverningAnswer mainAnswer(const Cabinet& cabinet, const MainEvaluation& m, DeviceKind kind) {
    GoverningAnswer a;
    a.method = GoverningMethod::Main;
    const bool aircon = m.input.mode == SelectionMode::Aircon;
    // The main calculation sizes the device of its mode; a closed enclosure
    // is answered by the same balance.
    a.kind = kind == DeviceKind::None ? DeviceKind::None
             : aircon                 ? DeviceKind::Aircon
                                      : DeviceKind::HeatExchanger;
    if (kind != DeviceKind::None && kind != a.kind) {
        a.remarks << QStringLiteral(
                         "기본 계산은 %1을(를) 선정하지 않으므로 주 화면 방식의 %2으로 답합니다.")
                         .arg(deviceKindText(kind), deviceKindText(a.kind));
    }
    a.requirement =
        aircon ? QStringLiteral("필요 냉각 능력 R") : QStringLiteral("필요 열교환 능력 R");
    a.unit = aircon ? QStringLiteral("W") : QStringLiteral("W/K");
    if (!m.errors.isEmpty()) {
        a.inputError = true;
        a.why = QStringLiteral("계산하지 않음 (입력 오류)");
        return a;
    }
    if (!m.finite) {
        a.why = QStringLiteral("계산할 수 없음 (값이 계산 범위를 벗어남)");
        return a;
    }
    if (!aircon && m.deltaT < 0) {
        a.why = QStringLiteral(
            "해당 없음: 반내 허용 온도 T2가 최고 외기 온도 T1보다 낮아 팬이나 열교환기로는 식힐 수 "
            "없습니다");
        return a;
    }
    if (!m.result) {
        a.why = QStringLiteral("계산할 수 없음: 최고 외기 온도와 반내 허용 온도가 같습니다");
        return a;
    }
    const double r = *m.result;
    a.value = r;
    if (r <= 0) {
        a.notNeeded = true;
        // What the walls carry beyond the heat, W.
        a.wallsCarry = aircon ? -r : -r * std::fabs(m.deltaT);
        return a;
    }
    if (a.kind == DeviceKind::None) {
        a.wallsShort = true;
        return a;
    }
    if (!m.modelIndex) return a;
    a.device = DesignDevice{
        a.kind, m.modelName.trimmed().isEmpty() ? QStringLiteral("(이름 없음)") : m.modelName,
        m.modelCapacity, 1};
    addShortfall(a, r, m.modelCapacity);
    Q_UNUSED(cabinet);
    return a;
}

GoverningAnswer climateAnswer(const ClimateEvaluation& e, DeviceKind kind) {
    GoverningAnswer a;
    a.method = GoverningMethod::Climate;
    a.kind = kind;
    const ClimateDesignResult& r = e.result;
    const ClimateValue* v = nullptr;
    const DesignPick* pick = nullptr;
    switch (kind) {
        case DeviceKind::Aircon:
            a.requirement = QStringLiteral("에어컨 냉각 능력");
            v = &r.coolingPower;
            pick = &e.aircon;
            break;
        case DeviceKind::HeatExchanger:
            a.requirement = QStringLiteral("열교환기·팬 용량");
            v = &r.heatExchangerCapacity;
            pick = &e.fan;
            break;
        case DeviceKind::FilterFan:
            a.requirement = QStringLiteral("필터팬 풍량");
            v = &r.airflow;
            pick = &e.filterFan;
            break;
        case DeviceKind::Heater:
            a.requirement = QStringLiteral("히터 출력");
            v = &r.heaterPower;
            pick = &e.heater;
            break;
        case DeviceKind::None:
            a.requirement = QStringLiteral("벽으로 내보낼 열");
            v = &r.heatSurplus;
            break;
    }
    a.unit = deviceRatingUnit(kind);
    if (!e.errors.isEmpty()) {
        a.inputError = true;
        a.why = QStringLiteral("계산하지 않음 (입력 오류)");
        return a;
    }
    if (!v->value) {
        const QString reason = climateReasonText(v->reason);
        a.why = reason.isEmpty() ? QStringLiteral("—") : QStringLiteral("— (%1)").arg(reason);
        return a;
    }
    a.value = *v->value;
    if (kind == DeviceKind::Heater) {
        // The heater that answers both: frost and condensation.
        double need = *v->value;
        const DesignPick* p = pick;
        if (r.condensationFreeHeaterPower.value && *r.condensationFreeHeaterPower.value > need) {
            need = *r.condensationFreeHeaterPower.value;
            p = &e.condensationHeater;
        }
        a.value = need;
        if (need <= 0) {
            a.notNeeded = true;
            return a;
        }
        if (p->picked()) {
            a.device = DesignDevice{kind, p->designation, p->rating, 1};
            addShortfall(a, need, p->rating);
        }
        return a;
    }
    if (r.coolingNotNeeded()) {
        a.notNeeded = true;
        a.wallsCarry = -*r.heatSurplus.value;
        return a;
    }
    if (kind == DeviceKind::None) {
        a.wallsShort = true;
        return a;
    }
    if (pick && pick->picked()) {
        a.device = DesignDevice{kind, pick->designation, pick->rating, 1};
        addShortfall(a, *v->value, pick->rating);
    }
    return a;
}

}  // namespace

CabinetEvaluation evaluateCabinet(const Cabinet& cabinet, const DesignTables& tables) {
    CabinetEvaluation e;
    e.main = evaluateMain(cabinet, *tables.equipment);
    e.heat = evaluateHeat(cabinet, *tables.equipment);
    if (!cabinet.climate.isEmpty()) e.climate = evaluateClimate(cabinet, tables);
    const DeviceKind kind = deviceKind(cabinet);
    if (governingMethod(cabinet) == GoverningMethod::Climate && e.climate)
        e.answer = climateAnswer(*e.climate, kind);
    else
        e.answer = mainAnswer(cabinet, e.main, kind);
    // The climate design takes what it does not keep from the main window:
    // an input there that cannot be calculated with leaves no answer.
    if (!e.main.errors.isEmpty() && !e.answer.inputError) {
        GoverningAnswer a;
        a.method = e.answer.method;
        a.kind = e.answer.kind;
        a.requirement = e.answer.requirement;
        a.unit = e.answer.unit;
        a.inputError = true;
        a.why = QStringLiteral("계산하지 않음 (입력 오류)");
        e.answer = a;
    }
    applyLibraryPick(cabinet, tables, e);
    if (!cabinet.rise.isEmpty()) {
        e.rise = evaluateRise(cabinet);
        // The verification is of the closed enclosure; a device that cools
        // or ventilates it changes what it shows.
        e.rise->enclosureAlone = e.answer.device.has_value() && e.answer.kind != DeviceKind::Heater;
    }
    if (!cabinet.devices.isEmpty())
        e.deviceList = evaluateDeviceList(cabinet.devices, e.main, e.rise ? &*e.rise : nullptr);
    if (e.answer.device) e.devices << *e.answer.device;
    // A heater the climate design calls for beside a cooling device: the
    // larger of frost and condensation.
    if (e.climate && e.answer.kind != DeviceKind::Heater) {
        const ClimateDesignResult& r = e.climate->result;
        const double frost = r.heaterPower.value.value_or(0);
        const double dew = r.condensationFreeHeaterPower.value.value_or(0);
        const DesignPick& p = dew > frost ? e.climate->condensationHeater : e.climate->heater;
        if (e.climate->errors.isEmpty() && std::max(frost, dew) > 0 && p.picked()) {
            const double need = std::max(frost, dew);
            const int units = p.rating > 0 && p.rating < need && need / p.rating <= 1000
                                  ? static_cast<int>(std::ceil(need / p.rating))
                                  : 1;
            e.devices << DesignDevice{DeviceKind::Heater, p.designation, p.rating, units};
        }
    }
    return e;
}

QList<BillLine> billOfDevices(const Project& project, const QList<CabinetEvaluation>& evaluations) {
    QList<BillLine> bill;
    for (qsizetype i = 0; i < project.cabinets.size() && i < evaluations.size(); ++i) {
        const Cabinet& c = project.cabinets[i];
        for (const DesignDevice& d : evaluations[i].devices) {
            auto it = std::find_if(bill.begin(), bill.end(), [&](const BillLine& l) {
                return l.kind == d.kind && l.designation == d.designation;
            });
            if (it == bill.end()) {
                bill.append(BillLine{d.kind, d.designation, d.rating, {}, 0});
                it = bill.end() - 1;
            }
            if (!it->cabinets.contains(c.tag)) it->cabinets << c.tag;
            it->units += static_cast<long long>(d.units) * c.count;
        }
    }
    return bill;
}

DesignTables loadDesignTables(CabinetCoolApp& app) {
    DesignTables t;
    t.equipment = &app.tables();
    IniSelection selection;
    const IniFile file = IniFile::load(app.iniPath(), selectModelLists(selection));
    auto models = [&file](std::string_view section) {
        std::vector<ClimateModel> list;
        for (const NamedValue& m : LoadModelList(file, section)) list.push_back({m.name, m.value});
        return list;
    };
    t.filterFans = models(kFilterFanModelSection);
    t.heaters = models(kHeaterModelSection);
    t.library = designLibrary(app.project().project(), app.library().devices());
    return t;
}
