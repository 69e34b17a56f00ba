#include "report/ReportDevices.h"

#include <cmath>

#include "report/ReportText.h"

namespace {

QString rounded(double v, int decimals, const QString& unit = QString()) {
    return reportRounded(v, decimals, unit);
}

QString name(const DeviceLineEvaluation& l, int index) {
    return l.description.isEmpty() ? QStringLiteral("%1행").arg(index + 1) : l.description;
}

QString heightText(const DeviceLineEvaluation& l) {
    return l.heightTyped ? reportInput(l.height, 2) : QStringLiteral("1 (미지정: 상부)");
}

}  // namespace

DevicesReportPart devicesPart(const DeviceListEvaluation& e, const MainEvaluation& main) {
    DevicesReportPart d;
    d.lossHeader = {QStringLiteral("번호"),      QStringLiteral("품목"),
                    QStringLiteral("수량"),      QStringLiteral("In / 단면적"),
                    QStringLiteral("Pn / 길이"), QStringLiteral("Ib / I"),
                    QStringLiteral("분산율"),    QStringLiteral("손실")};
    d.lossShares = {0.06, 0.34, 0.07, 0.13, 0.12, 0.1, 0.08, 0.1};
    d.marginHeader = {QStringLiteral("번호"),      QStringLiteral("품목"),
                      QStringLiteral("설치 높이"), QStringLiteral("주위 온도"),
                      QStringLiteral("허용 온도"), QStringLiteral("여유"),
                      QStringLiteral("판정")};
    d.marginShares = {0.06, 0.34, 0.13, 0.12, 0.12, 0.11, 0.12};
    for (int i = 0; i < e.lines.size(); ++i) {
        const DeviceLineEvaluation& l = e.lines[i];
        if (l.bad()) {
            d.leftOut << QStringLiteral("%1행 %2: %3").arg(i + 1).arg(name(l, i), l.why);
            continue;
        }
        const QString factor =
            l.factorApplies || l.factorTyped
                ? rounded(l.factor, 2) + (l.factorTyped ? QStringLiteral(" (지정)") : QString())
                : noValueText();
        if (l.kind == DeviceLineKind::Device) {
            d.lossRows << QStringList{
                QString::number(i + 1),
                name(l, i),
                reportInput(l.count, 0),
                l.ratedCurrent ? reportInput(*l.ratedCurrent, 2, QStringLiteral("A"))
                               : noValueText(),
                reportInput(l.ratedLoss, 2, ReportUnit::kWatt),
                l.loadCurrent ? reportInput(*l.loadCurrent, 2, QStringLiteral("A")) : noValueText(),
                factor,
                reportPower(l.loss)};
        } else {
            d.lossRows << QStringList{
                QString::number(i + 1),
                QStringLiteral("%1 (구리 %2등급, %3)")
                    .arg(name(l, i))
                    .arg(l.conductorClass)
                    .arg(reportInput(l.temperature, 1, ReportUnit::kDegrees)),
                reportInput(l.count, 0),
                reportInput(l.section, 2, QStringLiteral("mm²")),
                reportInput(l.length, 2, ReportUnit::kMetres),
                reportInput(l.loadCurrent.value_or(0), 2, QStringLiteral("A")),
                factor,
                reportPower(l.loss)};
        }
        if (l.permitted && l.margin)
            d.marginRows << QStringList{
                QString::number(i + 1),
                name(l, i),
                heightText(l),
                reportTemperature(*l.air),
                reportTemperature(*l.permitted),
                reportDifference(*l.margin),
                *l.fits ? QStringLiteral("적합") : QStringLiteral("부적합")};
    }
    d.sums = {{QStringLiteral("기기 손실 합계"), reportPower(e.devicesLoss)},
              {QStringLiteral("도체 손실 합계"), reportPower(e.conductorsLoss)},
              {QStringLiteral("손실 합계"), reportPower(e.total)}};
    if (e.leftOut > 0)
        d.sums << ReportLine{QStringLiteral("합계에서 제외한 줄"),
                             QStringLiteral("%1줄 (입력 오류)").arg(e.leftOut)};
    if (main.errors.isEmpty() && std::isfinite(main.input.internalHeat))
        d.sums << ReportLine{QStringLiteral("주 계산에 쓴 발열량 P"),
                             reportPower(main.input.internalHeat)};
    d.source = QStringLiteral("주위 온도: ") + e.sourceText + QLatin1Char('.');
    if (e.critical) {
        const DeviceLineEvaluation& c = e.lines[*e.critical];
        d.critical = QStringLiteral("%1 (%2, 여유 %3)")
                         .arg(name(c, *e.critical), e.verdict, reportDifference(*c.margin));
        d.verdict = QStringLiteral("%1 — 임계 기기: %2행 %3, 주위 온도 %4, 허용 온도 %5, 여유 %6")
                        .arg(e.verdict)
                        .arg(*e.critical + 1)
                        .arg(name(c, *e.critical), reportTemperature(*c.air),
                             reportTemperature(*c.permitted), reportDifference(*c.margin));
    } else {
        d.critical = noValueText();
        d.verdict = e.source == DeviceAirSource::None
                        ? QStringLiteral("— (주위 온도를 구할 수 없음)")
                        : QStringLiteral("— (허용 주위 온도가 주어진 기기 없음)");
    }
    d.methods = {
        QStringLiteral("기기 손실: Pv = n · Pn · (f · Ib / In)², 정격 전류 외의 부하에서 손실은 "
                       "전류의 제곱에 비례 (IEC TR 60890, IEC 61439-1 10.10.4.3). 전류가 없는 "
                       "기기는 Pn 그대로."),
        QStringLiteral("정격 분산율 f: IEC 61439-2 표 101 (주 회로 2~3: 0.9, 4~5: 0.8, "
                       "6~9: 0.7, 10 이상: 0.6), 회로 그룹의 주 회로 수 (정격 전류가 있는 기기의 "
                       "수량 합)로 정함."),
        QStringLiteral("도체 손실: P = n · I² · R, R = R20 · (1 + α (θ − 20 °C)) · 길이, R20은 "
                       "IEC 60228 표 2 (2등급) / 표 3 (5등급) 구리 도체, α = 0.00393 /K, 도체 "
                       "온도 θ는 주어지지 않으면 70 °C."),
        QStringLiteral("설치 높이의 공기 온도: IEC TR 60890의 온도 분포 (1/2 높이 아래는 "
                       "Δt0.5, 1/2~3/4~상부는 직선), 온도 상승 검증이 없으면 주 계산의 반내 "
                       "온도."),
    };
    return d;
}
