#include "report/DesignReport.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "calc/ClimateDesign.h"
#include "climate/InstallationPictogram.h"
#include "data/EquipmentHeatTables.h"
#include "design/HeatValueTable.h"
#include "design/LibraryOffer.h"
#include "files/CoolFile.h"
#include "info/InfoTexts.h"
#include "kit/AppInfo.h"
#include "kit/CabinetCoolApp.h"
#include "kit/MainWindow.h"
#include "kit/ProjectSession.h"
#include "kit/Widgets.h"
#include "report/ReportCalculation.h"
#include "report/ReportDevices.h"
#include "report/ReportRise.h"

namespace {

using namespace ReportUnit;

// The names of the methods, as every number of the report carries them.
const QString kMainMethod = QStringLiteral("기본 계산");
const QString kClimateMethod = QStringLiteral("상세 설계");

// The outside surface resistance the sol-air relation takes when the
// climate window offers none (EN ISO 6946, 0.04 m²·K/W).
constexpr double kDefaultRse = 0.04;

QString modeText(SelectionMode mode) {
    switch (mode) {
        case SelectionMode::Aircon:
            return QStringLiteral("Box Aircon (내부발열량으로 측정)");
        case SelectionMode::Fan1:
            return QStringLiteral("Box Fan (내부발열량으로 측정)");
        case SelectionMode::Fan2:
            break;
    }
    return QStringLiteral("Box Fan (측정온도로 측정)");
}

QString materialText(double uValue) {
    const std::optional<int> material = MaterialOfUValue(uValue);
    if (!material) return QStringLiteral("직접 입력한 열관류율");
    return *material == 0 ? QStringLiteral("철판") : QStringLiteral("수지");
}

// An input as its field holds it: the number rounded as its kind is, or
// the text itself when it is not one number.
QString inputText(const QString& text, int decimals, const QString& unit) {
    if (text.trimmed().isEmpty()) return QStringLiteral("(비어 있음)");
    const std::optional<double> value = ParseWholeNumber(text.toStdString());
    if (!value) return QStringLiteral("\"%1\" (숫자가 아님)").arg(text.trimmed());
    return reportInput(*value, decimals, unit);
}

ReportLines inputLines(const MainWindow& form) {
    const SelectionMode mode = form.selectedMode();
    auto line = [&](CabinetField field, int decimals, const QString& unit,
                    const QString& suffix = QString()) {
        return ReportLine{reportFieldName(field, mode) + suffix,
                          inputText(form.fieldText(field), decimals, unit)};
    };
    const std::optional<double> u =
        ParseWholeNumber(form.fieldText(CabinetField::UValue).toStdString());
    ReportLines lines{line(CabinetField::Height, 3, kMetres),
                      line(CabinetField::Width, 3, kMetres),
                      line(CabinetField::Depth, 3, kMetres),
                      {QStringLiteral("재질"), u ? materialText(*u) : noValueText()},
                      line(CabinetField::UValue, 2, kUValue)};
    if (mode != SelectionMode::Fan2)
        lines << line(CabinetField::InternalHeat, 1, kWatt, QStringLiteral(" (추정치)"));
    lines << line(CabinetField::T1, 1, kDegrees) << line(CabinetField::T2, 1, kDegrees);
    if (mode == SelectionMode::Fan2)
        lines << line(CabinetField::T3, 1, kDegrees) << line(CabinetField::T4, 1, kDegrees);
    return lines;
}

bool isAircon(const MainCalculation& c) { return c.input.mode == SelectionMode::Aircon; }

// U·A·ΔT of the main window's method, W.
double mainWallHeat(const MainCalculation& c) { return c.input.uValue * c.area * c.deltaT; }

// What the main window's message boxes say, as findings on paper.
QString findingText(CalculationMessage m, const MainCalculation& c) {
    switch (m) {
        case CalculationMessage::AirconOutsideHotter:
            return QStringLiteral(
                       "희망 설정 온도 T2가 최고 외기 온도 T1보다 낮아, 벽을 통해 %1의 열이 "
                       "들어옵니다.")
                .arg(reportPower(mainWallHeat(c)));
        case CalculationMessage::AirconOutsideCooler:
            return QStringLiteral(
                       "희망 설정 온도 T2가 최고 외기 온도 T1 이상이어서, 벽을 통해 %1의 열이 "
                       "빠져나갑니다.")
                .arg(reportPower(mainWallHeat(c)));
        case CalculationMessage::SetTemperatureHigh:
            return QStringLiteral(
                "반내 허용 온도 T2가 최고 외기 온도 T1보다 낮습니다. 외기를 쓰는 팬이나 "
                "열교환기로는 반내를 T2까지 식힐 수 없습니다.");
        case CalculationMessage::TemperaturesEqual:
            return QStringLiteral(
                "최고 외기 온도 T1과 반내 허용 온도 T2가 같아 필요 열교환 능력을 계산할 수 "
                "없습니다.");
        case CalculationMessage::NegativeResult:
            return isAircon(c) ? QStringLiteral(
                                     "필요 냉각 능력이 0 이하입니다. 벽을 통해 빠져나가는 열이 "
                                     "내부 발열보다 많습니다.")
                               : QStringLiteral("필요 열교환 능력이 0 이하입니다.");
        case CalculationMessage::ModelExceeded:
            return QStringLiteral("필요 능력이 추천 모델 한 대의 능력보다 큽니다.");
        case CalculationMessage::SmallDifference:
            return QStringLiteral(
                "최고 외기 온도와 설정 온도의 차이가 10 K 미만입니다 (도표는 10 K 이상을 "
                "다룹니다).");
        case CalculationMessage::OutOfRange:
            return QStringLiteral(
                "입력값으로 만든 값이 계산할 수 있는 범위를 벗어나 결과를 내지 않았습니다.");
    }
    return {};
}

ReportLines resultLines(const MainCalculation& c) {
    const bool aircon = isAircon(c);
    const QString tag = QStringLiteral(" (%1)").arg(kMainMethod);
    if (!c.finite) return {};
    ReportLines lines{{QStringLiteral("표면적 A (모든 면)"), reportArea(c.area)}};
    if (aircon) {
        lines << ReportLine{QStringLiteral("설계 온도 차 ΔT"), reportDifference(c.deltaT)}
              << ReportLine{QStringLiteral("벽을 통한 열 U·A·ΔT"), reportPower(mainWallHeat(c))};
    } else {
        lines << ReportLine{QStringLiteral("설계 온도 차 ΔT = T2 - T1"),
                            reportDifference(c.deltaT)};
        if (c.input.mode == SelectionMode::Fan2) {
            lines << ReportLine{QStringLiteral("측정 온도 차 T4 - T3"),
                                reportDifference(c.input.t4 - c.input.t3)};
        }
    }
    const QString requirement =
        aircon ? QStringLiteral("필요 냉각 능력 R") : QStringLiteral("필요 열교환 능력 R");
    QString value;
    if (!c.result) {
        value = QStringLiteral("없음 (두 온도가 같아 계산할 수 없습니다)");
    } else {
        value = aircon ? reportPower(*c.result) : reportConductance(*c.result);
    }
    lines << ReportLine{requirement + tag, value};
    // A model only for a requirement above 0: none is needed otherwise.
    const bool needed = c.result && *c.result > 0 && c.modelIndex;
    const QString model =
        c.modelName.trimmed().isEmpty() ? QStringLiteral("(이름 없음)") : c.modelName;
    lines << ReportLine{QStringLiteral("추천 모델") + tag, needed ? model : noValueText()}
          << ReportLine{aircon ? QStringLiteral("추천 모델 냉각 능력")
                               : QStringLiteral("추천 모델 열교환 능력"),
                        needed ? (aircon ? reportPower(c.modelCapacity)
                                         : reportConductance(c.modelCapacity))
                               : noValueText()};
    return lines;
}

// The rows of the component heat window that count, and their sum; nothing
// when every count is 0.
void addHeatRows(DesignReport& report, const HeatEvaluation& heat, const MainWindow& form) {
    for (const HeatRowEvaluation& row : heat.rows) {
        report.heatRows << ReportHeatRow{row.component, reportNumber(row.count),
                                         reportPower(row.perUnit), reportPower(row.subtotal)};
    }
    if (report.heatRows.isEmpty()) return;
    report.heatTotal = reportPower(heat.total);
    const std::optional<double> p =
        ParseWholeNumber(form.fieldText(CabinetField::InternalHeat).toStdString());
    if (form.selectedMode() != SelectionMode::Fan2 &&
        !(std::isfinite(heat.total) && p && heat.total == *p)) {
        report.heatNote =
            QStringLiteral("이 합계는 위의 제어반내 발열량 P와 다릅니다. 계산에는 P가 쓰였습니다.");
    }
}

// ---- the climate design window ------------------------------------------

QString climateValue(const ClimateValue& v, QString (*format)(double)) {
    if (v.value) return format(*v.value);
    const QString why = climateReasonText(v.reason);
    return why.isEmpty() ? noValueText() : noValueText() + QStringLiteral(" (") + why + u')';
}

// The heat the walls carry away beyond what the cabinet takes in, W.
double climateSurplus(const ClimateDesignInput& in, const ClimateDesignResult& r) {
    return r.wallHeat.value.value_or(0) - in.internalHeat - r.solarHeat.value.value_or(0);
}

// A requirement of the climate design: its value, or that none is needed.
QString climateRequirement(const ClimateValue& v, QString (*format)(double),
                           const ClimateDesignInput& in, const ClimateDesignResult& r,
                           const QString& pick) {
    if (!v.value) return climateValue(v, format);
    if (*v.value <= 0) {
        return QStringLiteral("필요 없음 (벽이 발열보다 %1 더 내보냄)")
            .arg(reportPower(climateSurplus(in, r)));
    }
    QString text = format(*v.value);
    if (!pick.isEmpty()) text += QStringLiteral(" · 추천 ") + pick;
    return text;
}

QString powerText(double v) { return reportPower(v); }
QString conductanceText(double v) { return reportConductance(v); }
QString areaText(double v) { return reportArea(v); }
QString airflowText(double v) { return reportAirflow(v); }
QString temperatureText(double v) { return reportTemperature(v); }
QString cfmText(double v) { return reportRounded(v, 0, QStringLiteral("cfm")); }

QString pickText(const DesignPick& p) { return p.picked() ? p.designation : QString(); }

// The climate design of a cabinet, from its kept inputs.
ClimateReportPart climatePart(const Cabinet& cabinet, const ClimateEvaluation& e) {
    ClimateReportPart part;
    const ClimateDesignInput& in = e.input;
    const ClimateDesignResult& r = e.result;
    const int type = in.installation;
    part.installation = installationCaption(type);
    part.drawPictogram = [type](QPainter& p, const QRectF& box) {
        drawInstallationPictogram(p, box, type);
    };
    part.formula = installationFormula(type);

    // Each input as the design used it; a text that is not one number as
    // it stands, for the error below names it.
    auto input = [&cabinet](const char* name, const QString& label, double value, int decimals,
                            const QString& unit) {
        const QString text = climateInputText(cabinet, QLatin1String(name)).trimmed();
        if (text.isEmpty()) return ReportLine{label, QStringLiteral("(비어 있음)")};
        if (!ParseWholeNumber(text.toStdString()))
            return ReportLine{label, QStringLiteral("\"%1\" (숫자가 아님)").arg(text)};
        return ReportLine{label, reportInput(value, decimals, unit)};
    };
    part.inputs = {
        input("txtClimH", QStringLiteral("높이 H"), in.height, 3, kMetres),
        input("txtClimW", QStringLiteral("폭 W"), in.width, 3, kMetres),
        input("txtClimD", QStringLiteral("깊이 D"), in.depth, 3, kMetres),
        input("txtClimP", QStringLiteral("내부 발열량 P"), in.internalHeat, 1, kWatt),
        input("txtClimK", QStringLiteral("열관류율 U"), in.uValue, 2, kUValue),
        input("txtClimTu", QStringLiteral("최고 외기 온도 Tu"), in.ambientMax, 1, kDegrees),
        input("txtClimTi", QStringLiteral("희망 반내 온도 Ti"), in.insideDesired, 1, kDegrees),
        input("txtClimAlt", QStringLiteral("설치 고도"), in.altitude, 0, kMetres),
        input("txtClimTuMin", QStringLiteral("최저 외기 온도 (겨울)"), in.ambientMin, 1, kDegrees),
        input("txtClimTiMin", QStringLiteral("최저 반내 온도 (겨울)"), in.insideMin, 1, kDegrees),
        input("txtClimPMin", QStringLiteral("그때 켜져 있는 장비 발열"), in.internalHeatMin, 1,
              kWatt),
        input("txtClimDayT", QStringLiteral("습한 날 기온"), in.humidDayTemperature, 1, kDegrees),
        input("txtClimRH", QStringLiteral("습한 날 상대습도"), in.relativeHumidity, 1, kPercent),
        input("txtClimNightT", QStringLiteral("그날 밤 최저 기온"), in.humidNightMin, 1, kDegrees),
        {QStringLiteral("옥외 설치, 햇빛을 받음"),
         in.sun ? QStringLiteral("예") : QStringLiteral("아니오")},
    };
    if (in.sun) {
        ReportLine sunArea = input("txtClimSunArea", QStringLiteral("햇빛 받는 면적"),
                                   in.sunlitArea.value_or(0), 3, kSquareMetres);
        if (!in.sunlitArea) {
            sunArea.value = r.sunlitArea.value
                                ? reportArea(*r.sunlitArea.value) + QStringLiteral(" (지붕과 앞면)")
                                : noValueText();
        }
        part.inputs << input("txtClimSunE", QStringLiteral("일사량"), in.irradiance, 0,
                             QStringLiteral("W/m²"))
                    << input("txtClimSunAbs", QStringLiteral("표면 일사 흡수율 α"), in.absorptance,
                             2, QString())
                    << sunArea
                    << input("txtClimSunRse", QStringLiteral("외표면 열저항 Rse"), in.sunRse, 3,
                             QStringLiteral("m²·K/W"));
    }
    part.inputs << input("txtClimMargin", QStringLiteral("안전 여유"), in.safetyMargin, 1,
                         kPercent);

    for (const DesignInputError& error : e.errors) part.inputErrors << error.why;
    if (!part.inputErrors.isEmpty()) return part;

    const QString tag = QStringLiteral(" (%1)").arg(kClimateMethod);
    auto heaterLine = [](const ClimateValue& v, const DesignPick& pick) {
        if (!v.value) return climateValue(v, powerText);
        if (*v.value <= 0) return QStringLiteral("필요 없음");
        return powerText(*v.value) +
               (pick.picked() ? QStringLiteral(" · 추천 ") + pick.designation : QString());
    };
    part.results = {
        {QStringLiteral("유효 방열 면적 A"), climateValue(r.area, areaText)},
        {QStringLiteral("벽면 통과 열량 Qs"), climateValue(r.wallHeat, powerText)},
        {QStringLiteral("일사 열량 Qsun"), climateValue(r.solarHeat, powerText)},
        {QStringLiteral("에어컨 냉각 능력") + tag,
         climateRequirement(r.coolingPower, powerText, in, r, pickText(e.aircon))},
        {QStringLiteral("열교환기·팬 용량") + tag,
         climateRequirement(r.heatExchangerCapacity, conductanceText, in, r, pickText(e.fan))},
        {QStringLiteral("필터팬 풍량") + tag,
         climateRequirement(r.airflow, airflowText, in, r, pickText(e.filterFan))},
        // The same airflow: its reason, if any, stands on the line above.
        {QStringLiteral("필터팬 풍량 (cfm)"), !r.airflow.value ? noValueText()
                                              : *r.airflow.value <= 0
                                                  ? QStringLiteral("필요 없음")
                                                  : climateValue(r.airflowCfm, cfmText)},
        {QStringLiteral("동결 방지 히터 출력 (겨울 최저 기온)") + tag,
         heaterLine(r.heaterPower, e.heater)},
        {QStringLiteral("습한 날 공기의 이슬점"), climateValue(r.dewPoint, temperatureText)},
        {QStringLiteral("그날 밤 히터 없는 반내 온도"),
         climateValue(r.nightInsideTemperature, temperatureText)},
        {QStringLiteral("결로 위험 (습한 날 밤)"),
         !r.condensation ? noValueText()
                         : (e.condensation ? QStringLiteral("있음") : QStringLiteral("없음"))},
        {QStringLiteral("결로 방지 히터 출력 (습한 날 밤)") + tag,
         heaterLine(r.condensationFreeHeaterPower, e.condensationHeater)},
    };
    if (r.airflowFactor.value) {
        part.findings << QStringLiteral(
                             "필터팬 풍량은 고도 %1의 풍량 계수 f = %2 m³·K/(W·h)로 "
                             "계산했습니다 (해수면에서 f = %3).")
                             .arg(reportInput(in.altitude, 0, kMetres),
                                  reportRounded(*r.airflowFactor.value, 3),
                                  reportNumber(kSeaLevelAirflowFactor));
    }
    if (r.dewPoint.value && r.nightInsideTemperature.value) {
        part.findings << (e.condensation
                              ? QStringLiteral(
                                    "결로 위험: 습한 날(%1, 상대습도 %2)의 공기는 이슬점이 %3이고, "
                                    "그날 밤 최저 기온 %4에서 히터 없는 반내 온도는 %5로 이슬점 "
                                    "이하입니다.")
                              : QStringLiteral(
                                    "습한 날(%1, 상대습도 %2)의 공기는 이슬점이 %3이고, 그날 밤 "
                                    "최저 기온 %4에서 히터 없는 반내 온도는 %5로 이슬점보다 "
                                    "높습니다."))
                             .arg(reportTemperature(in.humidDayTemperature),
                                  reportInput(in.relativeHumidity, 1, kPercent),
                                  reportTemperature(*r.dewPoint.value),
                                  reportTemperature(in.humidNightMin),
                                  reportTemperature(*r.nightInsideTemperature.value));
        if (r.condensationFreeInsideMin.value && r.condensationFreeHeaterPower.value &&
            *r.condensationFreeHeaterPower.value > 0) {
            part.findings << QStringLiteral(
                                 "결로를 피하는 반내 온도는 %1 (이슬점 + %2 K)이고, 그날 밤 이를 "
                                 "유지하는 히터 출력은 %3입니다.")
                                 .arg(reportTemperature(*r.condensationFreeInsideMin.value),
                                      reportNumber(kDewPointMargin),
                                      powerText(*r.condensationFreeHeaterPower.value));
        }
    }
    return part;
}

// ---- the summary ----------------------------------------------------------

QString ratingText(DeviceKind kind, double value) {
    switch (kind) {
        case DeviceKind::HeatExchanger:
            return reportConductance(value);
        case DeviceKind::FilterFan:
            return reportAirflow(value);
        default:
            break;
    }
    return reportPower(value);
}

// The governing answer of the cabinet, worded for the first page.
ReportSummary summaryOf(const CabinetEvaluation& e) {
    const GoverningAnswer& a = e.answer;
    ReportSummary s;
    const bool climate = a.method == GoverningMethod::Climate;
    s.method = climate ? kClimateMethod +
                             QStringLiteral(" (설치 방식별 유효 방열 면적, 일사, 안전 여유 포함)")
                       : kMainMethod + QStringLiteral(" (주 화면: 모든 면의 표면적, 열 평형)");
    s.methodName = climate ? kClimateMethod : kMainMethod;
    s.device = deviceKindText(a.kind);
    if (climate) {
        s.why = QStringLiteral(
            "이 제어반은 설치 방식·일사·안전 여유까지 반영한 상세 설계를 기준으로 정했습니다. 주 "
            "화면의 기본 계산과 차트의 도표 판독값은 참고입니다.");
    } else if (e.climate) {
        s.why = QStringLiteral(
            "이 제어반은 주 화면의 기본 계산을 기준으로 정했습니다. 상세 설계와 차트의 도표 "
            "판독값은 참고입니다.");
    } else {
        s.why = QStringLiteral(
            "이 제어반은 주 화면의 기본 계산을 기준으로 합니다. 차트의 값은 도표에서 읽은 "
            "참고값입니다.");
    }
    s.requirement = a.requirement;
    s.model = noValueText();
    s.modelRating = noValueText();
    if (a.inputError) {
        s.why = QStringLiteral(
            "입력값 가운데 계산할 수 없는 값이 있어, 이 보고서는 결과와 추천 모델을 내지 "
            "않습니다. 입력 오류는 아래에 적었습니다.");
        s.value = QStringLiteral("계산하지 않음 (입력 오류)");
        return s;
    }
    if (!a.value) {
        s.value = a.why;
        return s;
    }
    if (a.notNeeded) {
        s.value = a.kind == DeviceKind::Heater
                      ? QStringLiteral("필요 없음")
                      : QStringLiteral("필요 없음 (벽으로 %1 방출)").arg(reportPower(a.wallsCarry));
        s.answered = true;
        return s;
    }
    if (a.wallsShort) {
        s.value = climate ? QStringLiteral("벽만으로는 부족: %1를 더 내보내야 합니다")
                                .arg(reportPower(*a.value))
                          : QStringLiteral("벽만으로는 부족: 필요 %1")
                                .arg(a.unit == QLatin1String("W") ? reportPower(*a.value)
                                                                  : reportConductance(*a.value));
        s.remarks << QStringLiteral("냉각 장치 없이 닫힌 외함으로는 이 발열을 내보낼 수 없습니다.");
        return s;
    }
    s.value = a.unit == QLatin1String("W/K")    ? reportConductance(*a.value)
              : a.unit == QLatin1String("m³/h") ? reportAirflow(*a.value)
                                                : reportPower(*a.value);
    s.remarks << a.remarks;
    if (!a.device) return s;
    s.model = a.device->designation;
    s.modelRating = ratingText(a.kind, a.device->rating);
    if (a.library) {
        if (a.device->units > 1) s.model += QStringLiteral(" × %1").arg(a.device->units);
        if (a.kind == DeviceKind::Aircon) s.modelRating += QStringLiteral(" (L35/L35)");
        s.libraryDevice = libraryChoiceLine(a);
    }
    s.answered = true;
    return s;
}

// How a library device's capacity at the operating point was found.
QString libraryMethodLine(const GoverningAnswer& a) {
    if (a.kind == DeviceKind::Aircon)
        return QStringLiteral(
            "선정 장비 (장비 라이브러리): 제조사 데이터시트의 운전점 (반내 Ti, 주위 Tu; EN 14511 "
            "정격점 L35/L35, L35/L50 포함) 사이를 Ti와 Tu 각각 가장 가까운 점 사이에서 선형 보간한 "
            "운전점 냉각 능력, 점의 범위 밖으로는 외삽하지 않음; 여유 = 대수 × 운전점 능력 - 필요 "
            "냉각 능력.");
    return QStringLiteral(
               "선정 장비 (장비 라이브러리): 제조사 데이터의 %1 그대로; 여유 = 대수 × 능력 - 필요 "
               "능력.")
        .arg(a.kind == DeviceKind::HeatExchanger ? QStringLiteral("비열출력 W/K")
             : a.kind == DeviceKind::FilterFan ? QStringLiteral("출구 필터 장착 풍량 m³/h")
                                               : QStringLiteral("출력 W"));
}

// ---- methods and constants ------------------------------------------------

QStringList methodLines(SelectionMode mode, const std::optional<ClimateReportPart>& climate,
                        const ClimateEvaluation* w) {
    QStringList lines;
    lines << QStringLiteral(
        "표면적 (기본 계산): 옆면 둘, 앞뒤, 지붕의 면적 A = 2·H·D + 2·H·W + W·D.");
    if (climate) {
        lines << QStringLiteral(
                     "유효 방열 면적 (상세 설계): 설치 방식에 따라 면마다 방열 계수를 둔 "
                     "IEC/TR 60890의 면적, 이 보고서에서는 %1.")
                     .arg(climate->formula);
    }
    lines << QStringLiteral("열관류율 U: 철판 5 W/(m²·K), 수지 3.7 W/(m²·K), 그 밖에는 입력한 값.");
    switch (mode) {
        case SelectionMode::Aircon:
            lines << QStringLiteral(
                "필요 냉각 능력 (기본 계산): R = P + U·A·(T1 - T2); 안전 여유 없음.");
            break;
        case SelectionMode::Fan1:
            lines << QStringLiteral(
                "필요 열교환 능력 (기본 계산): R = P / (T2 - T1) - U·A; 안전 여유 없음.");
            break;
        case SelectionMode::Fan2:
            lines << QStringLiteral(
                "필요 열교환 능력 (기본 계산): R = ((T4 - T3) / (T2 - T1) - 1)·U·A, 측정한 "
                "온도 차에서 추정; 안전 여유 없음.");
            break;
    }
    if (climate && w) {
        const ClimateDesignInput& in = w->input;
        lines << QStringLiteral(
                     "상세 설계: 벽면 통과 열량 Qs = U·A·(Ti - Tu); 냉각 능력 = (P - Qs + Qsun)·"
                     "(1 + 여유); 열교환기 용량 = (P + Qsun - Qs) / (Ti - Tu)·(1 + 여유); 히터 "
                     "출력 (동결 방지) = U·A·(최저 반내 온도 - 최저 외기 온도) - 그때의 장비 발열.")
              << QStringLiteral(
                     "안전 여유: 상세 설계의 냉각 능력, 열교환기 용량과 풍량에 %1를 더했습니다.")
                     .arg(reportInput(in.safetyMargin, 1, kPercent))
              << QStringLiteral(
                     "필터팬 풍량: V = f·(P + Qsun - Qs) / (Ti - Tu)·(1 + 여유), 해수면의 풍량 "
                     "계수 f = %1 m³·K/(W·h) (공기 1 m³의 열용량 약 1.16 kJ/K에서).")
                     .arg(reportNumber(kSeaLevelAirflowFactor))
              << QStringLiteral(
                     "고도 보정: ICAO 표준 대기 (대류권, 해면 288.15 K, 기온 감률 6.5 K/km)의 "
                     "공기 밀도비를 f에 곱합니다.")
              << QStringLiteral(
                     "일사: 벽을 지나 들어오는 열 Q_sun = α·E·A_sun·U·Rse (sol-air 관계), 외표면 "
                     "열저항 Rse = %1 (기본값 0.04 m²·K/W, EN ISO 6946).")
                     .arg(
                         reportInput(in.sun ? in.sunRse : kDefaultRse, 3, QStringLiteral("m²·K/W")))
              << QStringLiteral(
                     "결로: 습한 날 들어온 공기의 이슬점을 그날 기온과 상대습도에서 Magnus 식 "
                     "Td = b·γ / (a - γ), γ = a·T / (b + T) + ln(RH/100), a = %1, b = %2 °C로 "
                     "구합니다. 그날 밤 히터 없는 반내 온도 = 밤 최저 기온 + 장비 발열 / (U·A); "
                     "결로 방지 히터 출력 = U·A·(이슬점 + 3 K - 밤 최저 기온) - 장비 발열.")
                     .arg(reportNumber(17.27), reportNumber(237.7));
    }
    lines << QStringLiteral(
                 "추천 모델: 필요 능력보다 능력이 큰 첫 모델 (목록에 없으면 가장 큰 모델).")
          << QStringLiteral(
                 "차트: 도표의 선과 눈금에서 읽은 값으로, 계산식과 다른 단순화를 쓰므로 참고로만 "
                 "적었습니다.")
          << QStringLiteral(
                 "반올림: W, W/K, °C, K는 소수 한 자리, 풍량은 m³/h 정수, 면적은 소수 세 "
                 "자리.");
    return lines;
}

// The project's data and the cabinet's, as given: a text left empty is
// left out.
ReportHeader headerOf(const ProjectInfo& info, const Cabinet& cabinet) {
    ReportHeader h;
    auto add = [](ReportLines& lines, const QString& label, const QString& text) {
        if (!text.trimmed().isEmpty()) lines << ReportLine{label, text.trimmed()};
    };
    add(h.project, QStringLiteral("프로젝트"), info.name);
    add(h.project, QStringLiteral("고객"), info.customer);
    add(h.project, QStringLiteral("현장"), info.site);
    add(h.project, QStringLiteral("작성자"), info.author);
    add(h.project, QStringLiteral("회사"), info.company);
    add(h.project, QStringLiteral("개정"), info.revision);
    add(h.project, QStringLiteral("날짜"), info.date);
    add(h.cabinet, QStringLiteral("제어반"), cabinet.tag);
    add(h.cabinet, QStringLiteral("설명"), cabinet.description);
    add(h.cabinet, QStringLiteral("수량"), QStringLiteral("%1대").arg(cabinet.count));
    h.author = info.author.trimmed();
    return h;
}

}  // namespace

QString defaultReportFileName(const QDate& date, SelectionMode mode) {
    const QString name = mode == SelectionMode::Aircon ? QStringLiteral("Aircon")
                         : mode == SelectionMode::Fan1 ? QStringLiteral("Fan1")
                                                       : QStringLiteral("Fan2");
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') + name +
           QStringLiteral(".pdf");
}

DesignReport designReportOf(CabinetCoolApp& app, const ProjectInfo& info, const Cabinet& cabinet,
                            const CabinetEvaluation& e, const QDateTime& made) {
    DesignReport report;
    report.made = made;
    report.program = applicationTitle() + QLatin1Char(' ') + programVersion();
    report.header = headerOf(info, cabinet);
    const CabinetMainWindow form(cabinet, nullptr);
    const SelectionMode mode = form.selectedMode();
    report.mode = modeText(mode);
    report.inputs = inputLines(form);
    addHeatRows(report, e.heat, form);
    for (const DesignInputError& error : e.main.errors) report.inputErrors << error.why;

    if (e.climate) report.climate = climatePart(cabinet, *e.climate);
    report.methods = methodLines(mode, report.climate, e.climate ? &*e.climate : nullptr);
    if (e.rise) {
        report.rise = risePart(cabinet, *e.rise);
        report.methods << report.rise->methods;
    }
    if (e.deviceList) {
        if (report.rise) report.rise->profile.devices = riseProfileMarks(*e.deviceList);
        report.devices = devicesPart(*e.deviceList, e.main);
        report.methods << report.devices->methods;
    }
    report.summary = summaryOf(e);
    if (e.answer.library) report.methods << libraryMethodLine(e.answer);
    // The cabinet's own status: results kept with a calculation of these
    // inputs, or computed for this report.
    report.recalculated = !cabinet.results.calculated;

    if (!report.inputErrors.isEmpty()) {
        // Nothing computed from inputs that cannot be: the climate design
        // takes its inputs from these fields as well.
        if (report.climate) report.climate->results.clear();
        return report;
    }

    const MainCalculation& c = e.main;
    report.results = resultLines(c);
    for (CalculationMessage m : c.messages) {
        // Below zero because T2 is below T1: the finding before says so.
        if (m == CalculationMessage::NegativeResult && !isAircon(c) && c.deltaT < 0) continue;
        report.messages << findingText(m, c);
    }
    if (report.recalculated) {
        report.footnotes << QStringLiteral(
            "마지막 \"계 산\" 뒤에 입력이 바뀌었거나 아직 계산하지 않아, 이 보고서를 만들 때 현재 "
            "입력으로 다시 계산했습니다. 주 화면의 결과 칸과 다를 수 있습니다.");
    }
    CabinetMainWindow chartForm(cabinet, app.mainWindow());
    report.chart = ReportChart::build(app, chartForm, c);
    return report;
}

DesignReport collectDesignReport(CabinetCoolApp& app, const QDateTime& made) {
    MainWindow* form = app.mainWindow();
    if (!form) {
        DesignReport report;
        report.made = made;
        report.program = applicationTitle() + QLatin1Char(' ') + programVersion();
        return report;
    }
    ProjectSession& session = app.project();
    const Cabinet cabinet = session.capturedCurrent();
    const CabinetEvaluation e = evaluateCabinet(cabinet, loadDesignTables(app));
    DesignReport report = designReportOf(app, session.project().info, cabinet, e, made);
    const QString file = form->calculationFile();
    if (!file.isEmpty()) report.calculationFile = QFileInfo(file).fileName();
    return report;
}
