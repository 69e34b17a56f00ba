#include "report/ReportRise.h"

#include <cmath>

#include "calc/NumberText.h"

namespace {

using namespace ReportUnit;

const QString kSquareCentimetres = QStringLiteral("cm²");

// An input as the report repeats it: the number rounded as its kind is, or
// what it holds when that is not one number.
QString inputText(const QString& typed, int decimals, const QString& unit) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) return QStringLiteral("(비어 있음)");
    const std::optional<double> value = ParseWholeNumber(text.toStdString());
    if (!value) return QStringLiteral("\"%1\" (숫자가 아님)").arg(text);
    return reportInput(*value, decimals, unit);
}

QString valueText(const RiseValue& v, int decimals, const QString& unit = QString()) {
    return v.value ? reportRounded(*v.value, decimals, unit) : noValueText();
}

// Why a result is not there, as a finding.
QString reasonText(RiseReason reason) {
    switch (reason) {
        case RiseReason::None:
            break;
        case RiseReason::Unreadable:
            return QStringLiteral("숫자로 읽을 수 없는 입력이 있어 계산하지 않았습니다.");
        case RiseReason::InvalidDimensions:
            return QStringLiteral("높이·폭·깊이 가운데 0 이하인 값이 있어 계산하지 않았습니다.");
        case RiseReason::InvalidPower:
            return QStringLiteral("손실 전력 P가 0 이하여서 계산하지 않았습니다.");
        case RiseReason::InvalidPartitions:
            return QStringLiteral(
                "수평 칸막이 수가 0에서 3 사이의 정수가 아니어서 계산하지 않았습니다.");
        case RiseReason::TooManyPartitions:
            return QStringLiteral(
                "수평 칸막이가 3개를 넘어 IEC/TR 60890의 방법을 적용할 수 없습니다.");
        case RiseReason::InvalidOpeningArea:
            return QStringLiteral("환기구 면적이 0 미만이어서 계산하지 않았습니다.");
        case RiseReason::InvalidOverride:
            return QStringLiteral(
                "직접 정한 c, d, k 가운데 0 이하인 값이 있어 계산하지 않았습니다.");
        case RiseReason::InvalidTemperature:
            return QStringLiteral("-273.15 °C 미만의 온도가 있어 계산하지 않았습니다.");
        case RiseReason::OutOfRange:
            return QStringLiteral("값이 계산할 수 있는 범위를 벗어나 계산하지 않았습니다.");
    }
    return {};
}

QString noteText(const RiseNote& n, const RiseResult& r) {
    switch (n.kind) {
        case RiseNoteKind::OutletTooSmall:
            return QStringLiteral(
                       "배기구 %1가 흡기구의 1.1배(%2)보다 작아 IEC/TR 60890의 적용 조건 밖입니다. "
                       "결과는 참고값입니다.")
                .arg(reportInput(n.given, 1, kSquareCentimetres),
                     reportInput(n.used, 1, kSquareCentimetres));
        case RiseNoteKind::OpeningsOnSmallEnclosure:
            return QStringLiteral(
                "Ae ≤ 1.25 m²인 소형 외함의 곡선은 밀폐 외함용이어서, 환기구 없이 계산한 "
                "참고값입니다.");
        case RiseNoteKind::AeBelowCurve:
            return QStringLiteral("Ae %1는 k 곡선의 범위(%2 이상) 밖이어서 k = %3을 썼습니다.")
                .arg(reportArea(n.given), reportInput(n.used, 3, kSquareMetres),
                     reportInput(kSmallKBelowRange, 1));
        case RiseNoteKind::AeAboveCurve:
            return QStringLiteral(
                       "Ae %1는 k 곡선의 범위(%2까지) 밖이어서 곡선 끝 %2의 값을 썼습니다.")
                .arg(reportArea(n.given), reportInput(n.used, 3, kSquareMetres));
        case RiseNoteKind::FBelowCurve:
        case RiseNoteKind::FAboveCurve:
            return QStringLiteral("f = %1은 c 곡선의 범위 밖이어서 곡선 끝 f = %2의 값을 썼습니다.")
                .arg(reportRounded(n.given, 2), reportInput(n.used, 2));
        case RiseNoteKind::GAboveCurve:
            return QStringLiteral("g = %1은 c 곡선의 범위(3까지) 밖이어서 g = %2의 값을 썼습니다.")
                .arg(reportRounded(n.given, 2), reportInput(n.used, 2));
        case RiseNoteKind::InletBelowCurve:
        case RiseNoteKind::InletAboveCurve:
            return QStringLiteral(
                       "흡기구 %1는 곡선의 범위(10 ~ 1000 cm²) 밖이어서 %2의 값을 썼습니다.")
                .arg(reportInput(n.given, 1, kSquareCentimetres),
                     reportInput(n.used, 1, kSquareCentimetres));
        case RiseNoteKind::CustomArrangement:
            return QStringLiteral(
                       "일곱 가지 배치에 없는 면 조합입니다. c는 덮인 옆·앞·뒷면의 수로 정한 배치 "
                       "곡선 %1에서 읽었습니다.")
                .arg(r.curve);
        case RiseNoteKind::Overridden:
            return QStringLiteral(
                       "c, d, k는 설계자가 직접 정한 값입니다 (곡선과 표의 값: c = %1, d = %2, "
                       "k = %3).")
                .arg(valueText(r.cCurve, 3), valueText(r.dTable, 2), valueText(r.kCurve, 3));
    }
    return {};
}

QString marginText(const QString& where, double margin) {
    if (margin >= 0) return QStringLiteral("%1 여유 %2").arg(where, reportDifference(margin));
    return QStringLiteral("%1 %2 초과").arg(where, reportDifference(-margin));
}

QString verdictText(const RiseResult& r) {
    if (!r.fits) return noValueText();
    return *r.fits ? QStringLiteral("적합") : QStringLiteral("부적합");
}

// The verdict in a line of the project's summary: a verdict reached beyond
// the method's conditions says so.
QString summaryVerdictText(const RiseResult& r) {
    if (r.fits && !r.withinMethod) return verdictText(r) + QStringLiteral(" (적용 범위 밖, 참고)");
    return verdictText(r);
}

QStringList methodLines() {
    auto n = [](double v) { return reportNumber(v); };
    return {
        QStringLiteral(
            "온도 상승 검증 (IEC/TR 60890의 계산 방법, IEC 61439-1 10.10.4.3): 유효 냉각 표면 "
            "Ae = Σ A0·b, b는 노출된 지붕 1.4, 덮인 지붕 0.7, 노출된 옆·앞·뒷면 0.9, 벽이나 "
            "이웃 외함에 붙은 면 0.5; 바닥은 넣지 않습니다."),
        QStringLiteral(
            "Ae > 1.25 m²: f = H^1.35 / (W·D); 밀폐 외함 k = 0.58·Ae^-0.795 (Ae %1 ~ %2 m²), "
            "c = -0.0017·f² + 0.055·f + c0, c0 = 1.182, 1.164, 1.146, 1.125, 1.087 (배치 곡선 "
            "1 ~ 5, f %3 ~ %4); Δt1.0 = c·Δt0.5, Δt0.75는 Δt0.5와 Δt1.0의 가운데.")
            .arg(n(kClosedAeMin), n(kClosedAeMax), n(kClosedFMin), n(kClosedFMax)),
        QStringLiteral(
            "환기구가 있는 외함: k = Ak·ln S - Bk, Ak = 0.0283·ln Ae - 0.1039, Bk = 0.1952·ln "
            "Ae - 0.7656, c = 0.01·(7.6·f + 69)·S^(0.00051·f² - 0.0135·f + 0.14931), S는 "
            "흡기구 면적 (%1 ~ %2 cm²); 배기구는 흡기구의 %3배 이상.")
            .arg(n(kInletMin), n(kInletMax), n(kOutletToInlet)),
        QStringLiteral(
            "Ae ≤ 1.25 m² (소형 밀폐 외함): g = H / W, k = 0.626·Ae^-0.737 (%1 m² 미만은 "
            "k = %2), c = 1 + 0.19354·g (g ≤ 0.8147), 그 위는 0.93643 + 0.324055·(1 - "
            "e^(-1.8827·g + 0.38579)), g %3까지; Δt0.75 = Δt1.0 = c·Δt0.5.")
            .arg(n(kSmallAeMin), n(kSmallKBelowRange), n(kSmallGMax)),
        QStringLiteral(
            "Δt0.5 = d·k·P^x, x = %1 (밀폐), %2 (환기구); 칸막이 계수 d (수평 칸막이 0 ~ 3개): "
            "밀폐 1.00, 1.05, 1.15, 1.30, 환기구 1.00, 1.05, 1.10, 1.15. 곡선 밖의 값은 곡선의 "
            "가까운 끝에서 읽었습니다. 공기 온도 = 외기 온도 Tu + Δt.")
            .arg(n(kExponentClosed), n(kExponentOpenings)),
    };
}

}  // namespace

RiseReportPart risePart(const Cabinet& cabinet, const RiseEvaluation& e) {
    const RiseInput& in = e.input;
    const RiseResult& r = e.result;
    RiseReportPart part;
    auto fieldText = [&cabinet](const char* name, int decimals, const QString& unit) {
        return inputText(riseInputText(cabinet, QLatin1String(name)), decimals, unit);
    };

    part.inputs = {
        {QStringLiteral("배치"), e.arrangement},
        {QStringLiteral("면 (지붕 / 앞 / 뒤 / 왼쪽 / 오른쪽)"),
         e.faces.join(QStringLiteral(" / "))},
        {QStringLiteral("높이 H"), fieldText("txtRiseHeight", 3, kMetres)},
        {QStringLiteral("폭 W"), fieldText("txtRiseWidth", 3, kMetres)},
        {QStringLiteral("깊이 D"), fieldText("txtRiseDepth", 3, kMetres)},
        {QStringLiteral("수평 칸막이 수"), fieldText("txtRisePartitions", 0, QString())},
        {QStringLiteral("환기구"), in.openings ? QStringLiteral("있음") : QStringLiteral("없음")},
    };
    if (in.openings) {
        part.inputs << ReportLine{QStringLiteral("흡기구 면적"),
                                  fieldText("txtRiseInlet", 1, kSquareCentimetres)}
                    << ReportLine{QStringLiteral("배기구 면적"),
                                  fieldText("txtRiseOutlet", 1, kSquareCentimetres)};
    }
    part.inputs << ReportLine{QStringLiteral("손실 전력 P"), fieldText("txtRiseP", 1, kWatt)}
                << ReportLine{QStringLiteral("외기 온도 Tu"), fieldText("txtRiseTu", 1, kDegrees)}
                << ReportLine{QStringLiteral("허용 온도 (1/2 높이)"),
                              fieldText("txtRiseTmax05", 1, kDegrees)}
                << ReportLine{QStringLiteral("허용 온도 (상부)"),
                              fieldText("txtRiseTmax10", 1, kDegrees)};

    // Which curve of c was read: only the closed curves above 1.25 m² have five.
    const bool curveUsed = !in.overrideFactors && !r.small && !r.openingsUsed && r.ae.applicable();
    part.factors = {
        {QStringLiteral("유효 냉각 표면 Ae"), valueText(r.ae, 3, kSquareMetres)},
        {r.small ? QStringLiteral("g = H / W") : QStringLiteral("f = H^1.35 / (W·D)"),
         valueText(r.small ? r.g : r.f, 2)},
        {QStringLiteral("외함 상수 k"), valueText(r.k, 3)},
        {QStringLiteral("온도 분포 계수 c") +
             (curveUsed ? QStringLiteral(" (배치 곡선 %1)").arg(r.curve) : QString()),
         valueText(r.c, 3)},
        {QStringLiteral("칸막이 계수 d"), valueText(r.d, 2)},
        {QStringLiteral("지수 x"), valueText(r.x, 3)},
        {QStringLiteral("c, d, k 직접 지정"),
         in.overrideFactors ? QStringLiteral("예") : QStringLiteral("아니오 (곡선과 표의 값)")},
    };
    part.rises = {
        {QStringLiteral("Δt0.5 (1/2 높이)"), valueText(r.dt05, 1, kKelvin)},
        {QStringLiteral("Δt0.75 (3/4 높이)"), valueText(r.dt075, 1, kKelvin)},
        {QStringLiteral("Δt1.0 (상부)"), valueText(r.dt10, 1, kKelvin)},
    };
    part.temperatures = {
        {QStringLiteral("공기 온도 (1/2 높이)"), valueText(r.t05, 1, kDegrees)},
        {QStringLiteral("공기 온도 (3/4 높이)"), valueText(r.t075, 1, kDegrees)},
        {QStringLiteral("공기 온도 (상부)"), valueText(r.t10, 1, kDegrees)},
    };
    part.verdict = verdictText(r);
    part.summaryVerdict = summaryVerdictText(r);
    if (r.marginMid.value)
        part.margins << marginText(QStringLiteral("1/2 높이"), *r.marginMid.value);
    if (r.marginTop.value) part.margins << marginText(QStringLiteral("상부"), *r.marginTop.value);

    // Why a result is missing, then where the method was stretched.
    for (const RiseValue* v : {&r.ae, &r.f, &r.g, &r.k, &r.c, &r.d, &r.x, &r.dt05, &r.dt075,
                               &r.dt10, &r.t05, &r.t075, &r.t10, &r.marginMid, &r.marginTop}) {
        // f and g: only the one the enclosure's size calls for.
        if ((v == &r.f && r.small) || (v == &r.g && !r.small)) continue;
        const QString why = reasonText(v->reason);
        if (!why.isEmpty() && !part.notes.contains(why)) part.notes << why;
    }
    for (const RiseNote& n : r.notes) {
        const QString text = noteText(n, r);
        if (!text.isEmpty() && !part.notes.contains(text)) part.notes << text;
    }
    if (r.fits && !r.withinMethod)
        part.notes << QStringLiteral("판정은 방법의 적용 범위 밖에서 얻은 참고값입니다.");

    part.profile.ambient = in.ambient;
    part.profile.mid = r.t05.value;
    part.profile.threeQuarters = r.t075.value;
    part.profile.top = r.t10.value;
    part.profile.permissibleMid = in.permissibleMid;
    part.profile.permissibleTop = in.permissibleTop;
    if (!part.profile.mid || !part.profile.top || !part.profile.ambient)
        part.profile.missing = noValueText();
    // The drawing's own text where it has no curve: the report's reason.
    if (!part.profile.missing.isEmpty())
        part.profile.missing = part.notes.isEmpty() ? noValueText() : part.notes.first();
    if (e.enclosureAlone) {
        part.scope = QStringLiteral(
            "이 검증은 냉각 장치 없이 닫힌 외함만의 온도 상승입니다. 이 제어반에는 냉각 장치가 "
            "있어 실제 반내 온도는 장치가 정합니다.");
    }
    for (const DesignInputError& error : e.errors) {
        if (!part.notes.contains(error.why)) part.notes.prepend(error.why);
    }
    part.methods = methodLines();
    return part;
}

std::optional<QString> riseVerdictOfInputs(const WindowInputs& inputs) {
    if (inputs.isEmpty()) return std::nullopt;
    Cabinet cabinet;
    cabinet.rise = inputs;
    const RiseEvaluation e = evaluateRise(cabinet);
    if (!e.result.fits) return std::nullopt;
    return e.summaryVerdict;
}
