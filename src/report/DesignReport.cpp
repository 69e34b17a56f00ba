#include "report/DesignReport.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "calc/ClimateDesign.h"
#include "climate/InstallationPictogram.h"
#include "climate/frmClimate.h"
#include "data/EquipmentHeatTables.h"
#include "files/CoolFile.h"
#include "design/HeatValueTable.h"
#include "heat/frmHeatValue.h"
#include "info/InfoTexts.h"
#include "kit/AppInfo.h"
#include "kit/CabinetCoolApp.h"
#include "kit/MainWindow.h"
#include "kit/ProjectSession.h"
#include "kit/Widgets.h"
#include "report/ReportCalculation.h"
#include "report/ReportRise.h"
#include "rise/frmRise.h"

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

QString componentName(std::string_view label) {
    QString name = QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
    if (name.endsWith(QStringLiteral(" x"))) name.chop(2);
    return name;
}

// The rows of the component heat window that count, and their sum; nothing
// when the window is not open or every count is 0.
void addHeatRows(DesignReport& report, CabinetCoolApp& app, const MainWindow& form) {
    const frmHeatValue* window = app.loadedWindow<frmHeatValue>();
    if (!window) return;
    HeatCounts counts;
    for (const HeatFamilyRows& family : heatFamilies()) {
        std::vector<double>& row = counts[static_cast<size_t>(familyIndex(family.family))];
        const std::span<const double> losses = familyLosses(app.tables(), family.family);
        for (size_t i = 0; i < family.rows.size(); ++i) {
            const QLineEdit* field = window->countField(family.family, static_cast<int>(i));
            const double count = field ? fieldNumber(field) : 0;
            row.push_back(count);
            if (count == 0) continue;
            const double loss = i < losses.size() ? losses[i] : 0;
            report.heatRows << ReportHeatRow{componentName(family.rows[i].label),
                                             reportNumber(count), reportPower(loss),
                                             reportPower(count * loss)};
        }
    }
    if (report.heatRows.isEmpty()) return;
    const double total = sumHeat(counts, app.tables()).total;
    report.heatTotal = reportPower(total);
    const std::optional<double> p =
        ParseWholeNumber(form.fieldText(CabinetField::InternalHeat).toStdString());
    if (form.selectedMode() != SelectionMode::Fan2 && !(std::isfinite(total) && p && total == *p)) {
        report.heatNote =
            QStringLiteral("이 합계는 위의 제어반내 발열량 P와 다릅니다. 계산에는 P가 쓰였습니다.");
    }
}

// ---- the climate design window ------------------------------------------

// Why a result of the climate design does not apply, in plain words.
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

// The climate window's own fields, read strictly as the report reads the
// main window's: their texts and what each must hold.
struct ClimateField {
    const char* name;
    const char* caption;
    enum Rule { Positive, NotNegative, Temperature, Humidity, Fraction, Any } rule;
    bool sunOnly = false;
    bool mayBeEmpty = false;
};
constexpr ClimateField kClimateFields[] = {
    {"txtClimH", "높이 H", ClimateField::Positive},
    {"txtClimW", "폭 W", ClimateField::Positive},
    {"txtClimD", "깊이 D", ClimateField::Positive},
    {"txtClimP", "내부 발열량 P", ClimateField::NotNegative},
    {"txtClimK", "열관류율 U", ClimateField::Positive},
    {"txtClimTu", "최고 외기 온도 Tu", ClimateField::Temperature},
    {"txtClimTi", "희망 반내 온도 Ti", ClimateField::Temperature},
    {"txtClimAlt", "설치 고도", ClimateField::Any},
    {"txtClimTuMin", "최저 외기 온도", ClimateField::Temperature},
    {"txtClimTiMin", "최저 반내 온도", ClimateField::Temperature},
    {"txtClimPMin", "그때 켜져 있는 장비 발열", ClimateField::NotNegative},
    {"txtClimRH", "외기 상대습도 (Tu 기준)", ClimateField::Humidity},
    {"txtClimSunE", "일사량", ClimateField::NotNegative, true},
    {"txtClimSunAbs", "표면 일사 흡수율", ClimateField::Fraction, true},
    {"txtClimSunArea", "햇빛 받는 면적", ClimateField::NotNegative, true, true},
    {"txtClimSunRse", "외표면 열저항 Rse", ClimateField::Positive, true},
    {"txtClimMargin", "안전 여유", ClimateField::NotNegative},
};

QStringList climateInputErrors(const frmClimate& w) {
    QStringList errors;
    const bool sun = w.inputs().sun;
    for (const ClimateField& f : kClimateFields) {
        if (f.sunOnly && !sun) continue;
        // A field this window does not have is not part of its design.
        const auto* field = w.findChild<QLineEdit*>(QLatin1String(f.name));
        if (!field) continue;
        const QString name = QString::fromUtf8(f.caption);
        const QString text = field->text().trimmed();
        if (text.isEmpty()) {
            if (!f.mayBeEmpty) errors << QStringLiteral("%1: 값이 비어 있습니다.").arg(name);
            continue;
        }
        const std::optional<double> v = ParseWholeNumber(text.toStdString());
        if (!v) {
            errors << QStringLiteral("%1: 입력 \"%2\"는 하나의 숫자가 아닙니다.").arg(name, text);
            continue;
        }
        const QString number = QString::fromStdString(NumberText(*v));
        switch (f.rule) {
            case ClimateField::Positive:
                if (!(*v > 0))
                    errors << QStringLiteral("%1: %2은(는) 0 이하입니다. 0보다 커야 합니다.")
                                  .arg(name, number);
                break;
            case ClimateField::NotNegative:
                if (*v < 0)
                    errors << QStringLiteral("%1: %2은(는) 음수입니다. 0 이상이어야 합니다.")
                                  .arg(name, number);
                break;
            case ClimateField::Temperature:
                if (!(*v >= kReportMinTemperature && *v <= kReportMaxTemperature))
                    errors << QStringLiteral(
                                  "%1: %2 °C는 계산하는 온도 범위(-100 °C ~ 200 °C) 밖입니다.")
                                  .arg(name, number);
                break;
            case ClimateField::Humidity:
                if (!(*v > 0 && *v <= 100))
                    errors << QStringLiteral("%1: %2 %는 0 % 초과 100 % 이하의 범위 밖입니다.")
                                  .arg(name, number);
                break;
            case ClimateField::Fraction:
                if (!(*v >= 0 && *v <= 1))
                    errors << QStringLiteral("%1: %2는 0 ~ 1의 범위 밖입니다.").arg(name, number);
                break;
            case ClimateField::Any:
                break;
        }
    }
    return errors;
}

// Rse as the window holds it; the standard's value where it has no field.
double climateRse(const frmClimate& w) {
    const auto* field = w.findChild<QLineEdit*>(QStringLiteral("txtClimSunRse"));
    if (!field) return kDefaultRse;
    return ParseWholeNumber(field->text().toStdString()).value_or(kDefaultRse);
}

QString powerText(double v) { return reportPower(v); }
QString conductanceText(double v) { return reportConductance(v); }
QString areaText(double v) { return reportArea(v); }
QString airflowText(double v) { return reportAirflow(v); }
QString temperatureText(double v) { return reportTemperature(v); }
QString cfmText(double v) { return reportRounded(v, 0, QStringLiteral("cfm")); }

// The climate design window's inputs and results as it computed them last.
ClimateReportPart climatePart(const frmClimate& w) {
    ClimateReportPart part;
    const ClimateDesignInput& in = w.inputs();
    const ClimateDesignResult& r = w.results();
    const ClimatePicks& picks = w.picks();
    const int type = w.installationType();
    part.installation = w.installationCaption();
    part.drawPictogram = [type](QPainter& p, const QRectF& box) {
        drawInstallationPictogram(p, box, type);
    };
    part.formula = installationFormula(type);

    // Each input as the window used it; a text that is not one number as
    // it stands, for the error below names it.
    auto input = [&w](const char* name, const QString& label, double value, int decimals,
                      const QString& unit) {
        const auto* field = w.findChild<QLineEdit*>(QLatin1String(name));
        if (field) {
            const QString text = field->text().trimmed();
            if (!text.isEmpty() && !ParseWholeNumber(text.toStdString()))
                return ReportLine{label, QStringLiteral("\"%1\" (숫자가 아님)").arg(text)};
        }
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
        input("txtClimTuMin", QStringLiteral("최저 외기 온도"), in.ambientMin, 1, kDegrees),
        input("txtClimTiMin", QStringLiteral("최저 반내 온도"), in.insideMin, 1, kDegrees),
        input("txtClimPMin", QStringLiteral("그때 켜져 있는 장비 발열"), in.internalHeatMin, 1,
              kWatt),
        input("txtClimRH", QStringLiteral("외기 상대습도 (Tu 기준)"), in.relativeHumidity, 1,
              kPercent),
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
                    << input("txtClimSunRse", QStringLiteral("외표면 열저항 Rse"), climateRse(w), 3,
                             QStringLiteral("m²·K/W"));
    }
    part.inputs << input("txtClimMargin", QStringLiteral("안전 여유"), in.safetyMargin, 1,
                         kPercent);

    part.inputErrors = climateInputErrors(w);
    if (!part.inputErrors.isEmpty()) return part;

    const QString tag = QStringLiteral(" (%1)").arg(kClimateMethod);
    part.results = {
        {QStringLiteral("유효 방열 면적 A"), climateValue(r.area, areaText)},
        {QStringLiteral("벽면 통과 열량 Qs"), climateValue(r.wallHeat, powerText)},
        {QStringLiteral("일사 열량 Qsun"), climateValue(r.solarHeat, powerText)},
        {QStringLiteral("에어컨 냉각 능력") + tag,
         climateRequirement(r.coolingPower, powerText, in, r, picks.aircon)},
        {QStringLiteral("열교환기·팬 용량") + tag,
         climateRequirement(r.heatExchangerCapacity, conductanceText, in, r, picks.fan)},
        {QStringLiteral("필터팬 풍량") + tag,
         climateRequirement(r.airflow, airflowText, in, r, picks.filterFan)},
        // The same airflow: its reason, if any, stands on the line above.
        {QStringLiteral("필터팬 풍량 (cfm)"), !r.airflow.value ? noValueText()
                                              : *r.airflow.value <= 0
                                                  ? QStringLiteral("필요 없음")
                                                  : climateValue(r.airflowCfm, cfmText)},
        {QStringLiteral("히터 출력") + tag,
         !r.heaterPower.value ? climateValue(r.heaterPower, powerText)
         : *r.heaterPower.value <= 0
             ? QStringLiteral("필요 없음")
             : powerText(*r.heaterPower.value) + (picks.heater.isEmpty()
                                                      ? QString()
                                                      : QStringLiteral(" · 추천 ") + picks.heater)},
        {QStringLiteral("외기 이슬점 (Tu 기준)"), climateValue(r.dewPoint, temperatureText)},
        {QStringLiteral("결로 위험"),
         !r.condensation || !r.dewPoint.value
             ? noValueText()
             : (w.condensationRisk() ? QStringLiteral("있음") : QStringLiteral("없음"))},
    };
    if (r.airflowFactor.value) {
        part.findings << QStringLiteral(
                             "필터팬 풍량은 고도 %1의 풍량 계수 f = %2 m³·K/(W·h)로 "
                             "계산했습니다 (해수면에서 f = %3).")
                             .arg(reportInput(in.altitude, 0, kMetres),
                                  reportRounded(*r.airflowFactor.value, 3),
                                  reportNumber(kSeaLevelAirflowFactor));
    }
    if (w.condensationRisk() && r.dewPoint.value) {
        part.findings << QStringLiteral(
                             "결로 위험: 최저 반내 온도 %1가 외기 이슬점 %2 이하여서 반내에 이슬이 "
                             "맺힐 수 있습니다.")
                             .arg(reportTemperature(in.insideMin),
                                  reportTemperature(*r.dewPoint.value));
        if (r.condensationFreeInsideMin.value && r.condensationFreeHeaterPower.value) {
            part.findings << QStringLiteral(
                                 "결로를 피하는 최저 반내 온도는 %1 (이슬점 + %2 K)이고, 이를 "
                                 "유지하는 히터 출력은 %3입니다.")
                                 .arg(reportTemperature(*r.condensationFreeInsideMin.value),
                                      reportNumber(kDewPointMargin),
                                      powerText(*r.condensationFreeHeaterPower.value));
        }
    }
    return part;
}

// ---- the summary ----------------------------------------------------------

// The capacity of a model the climate window picked, from the tables it
// picks from; NaN when it is none of theirs.
double climatePickRating(const EquipmentHeatTables& tables, bool aircon, const QString& pick) {
    if (aircon) {
        for (double c : tables.AirconModelCapacity)
            if (airconModelDesignation(c) == pick) return c;
    } else {
        for (size_t i = 0; i < tables.FanModelName.size(); ++i)
            if (QString::fromStdString(tables.FanModelName[i]) == pick)
                return tables.FanModelCapacity[i];
    }
    return std::nan("");
}

// The note for a model that falls short, with how many make up the need.
void addShortfall(ReportSummary& s, double requirement, double rating) {
    if (!(std::isfinite(rating) && rating < requirement)) return;
    // A count of units only where one can be bought in such numbers.
    if (rating > 0 && requirement / rating <= 1000) {
        s.remarks
            << QStringLiteral(
                   "필요 능력이 추천 모델 한 대의 능력보다 큽니다: 이 모델 %1대면 충분합니다.")
                   .arg(static_cast<long long>(std::ceil(requirement / rating)));
    } else {
        s.remarks << QStringLiteral("필요 능력이 추천 모델 한 대의 능력보다 큽니다.");
    }
}

ReportSummary summaryOfInputErrors(const QString& method) {
    ReportSummary s;
    s.method = method;
    s.why = QStringLiteral(
        "입력값 가운데 계산할 수 없는 값이 있어, 이 보고서는 결과와 추천 모델을 내지 "
        "않습니다. 입력 오류는 아래에 적었습니다.");
    s.requirement = QStringLiteral("필요 능력");
    s.value = QStringLiteral("계산하지 않음 (입력 오류)");
    s.model = noValueText();
    s.modelRating = noValueText();
    return s;
}

ReportSummary mainSummary(const MainCalculation& c) {
    ReportSummary s;
    const bool aircon = isAircon(c);
    s.method = kMainMethod + QStringLiteral(" (주 화면: 모든 면의 표면적, 열 평형)");
    s.why = QStringLiteral(
        "상세 설계 창이 열려 있지 않아, 주 화면의 기본 계산을 기준으로 합니다. 차트의 값은 "
        "도표에서 읽은 참고값입니다.");
    s.requirement =
        aircon ? QStringLiteral("필요 냉각 능력 R") : QStringLiteral("필요 열교환 능력 R");
    s.model = noValueText();
    s.modelRating = noValueText();
    if (!c.finite) {
        s.value = QStringLiteral("계산할 수 없음 (값이 계산 범위를 벗어남)");
        return s;
    }
    if (!aircon && c.deltaT < 0) {
        s.value = QStringLiteral(
            "해당 없음: 반내 허용 온도 T2가 최고 외기 온도 T1보다 낮아 팬이나 열교환기로는 식힐 수 "
            "없습니다");
        return s;
    }
    if (!c.result) {
        s.value = QStringLiteral("계산할 수 없음: 최고 외기 온도와 반내 허용 온도가 같습니다");
        return s;
    }
    const double r = *c.result;
    if (r <= 0) {
        s.value = aircon ? QStringLiteral("필요 없음: 벽이 내부 발열보다 %1 더 내보냅니다")
                               .arg(reportPower(-r))
                         : QStringLiteral("필요 없음: 벽만으로 %1의 여유가 있습니다")
                               .arg(reportConductance(-r));
        return s;
    }
    s.value = aircon ? reportPower(r) : reportConductance(r);
    if (!c.modelIndex) return s;
    s.model = c.modelName.trimmed().isEmpty() ? QStringLiteral("(이름 없음)") : c.modelName;
    s.modelRating = aircon ? reportPower(c.modelCapacity) : reportConductance(c.modelCapacity);
    s.answered = true;
    addShortfall(s, r, c.modelCapacity);
    return s;
}

ReportSummary climateSummary(const frmClimate& w, const ClimateReportPart& part, bool aircon,
                             const EquipmentHeatTables& tables) {
    ReportSummary s;
    s.method =
        kClimateMethod + QStringLiteral(" (설치 방식별 유효 방열 면적, 일사, 안전 여유 포함)");
    s.why = QStringLiteral(
        "상세 설계 창이 열려 있어, 설치 방식·일사·안전 여유까지 반영한 상세 설계를 기준으로 "
        "합니다. 주 화면의 기본 계산과 차트의 도표 판독값은 참고입니다.");
    s.model = noValueText();
    s.modelRating = noValueText();
    if (!part.inputErrors.isEmpty()) {
        ReportSummary e = summaryOfInputErrors(s.method);
        e.why = QStringLiteral(
            "상세 설계의 입력값 가운데 계산할 수 없는 값이 있어, 이 보고서는 결과와 추천 모델을 "
            "내지 않습니다. 입력 오류는 상세 설계 절에 적었습니다.");
        return e;
    }
    const ClimateDesignInput& in = w.inputs();
    const ClimateDesignResult& r = w.results();
    const ClimateValue& v = aircon ? r.coolingPower : r.heatExchangerCapacity;
    s.requirement =
        aircon ? QStringLiteral("에어컨 냉각 능력") : QStringLiteral("열교환기·팬 용량");
    if (!v.value) {
        s.value = climateValue(v, aircon ? powerText : conductanceText);
        return s;
    }
    if (*v.value <= 0) {
        s.value = QStringLiteral("필요 없음: 벽이 발열보다 %1 더 내보냅니다")
                      .arg(reportPower(climateSurplus(in, r)));
        return s;
    }
    s.value = aircon ? reportPower(*v.value) : reportConductance(*v.value);
    const QString pick = aircon ? w.picks().aircon : w.picks().fan;
    if (pick.isEmpty()) return s;
    const double rating = climatePickRating(tables, aircon, pick);
    s.model = pick;
    s.modelRating = aircon ? reportPower(rating) : reportConductance(rating);
    s.answered = true;
    addShortfall(s, *v.value, rating);
    return s;
}

// ---- methods and constants ------------------------------------------------

QStringList methodLines(SelectionMode mode, const std::optional<ClimateReportPart>& climate,
                        const frmClimate* w) {
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
        const ClimateDesignInput& in = w->inputs();
        lines << QStringLiteral(
                     "상세 설계: 벽면 통과 열량 Qs = U·A·(Ti - Tu); 냉각 능력 = (P - Qs + Qsun)·"
                     "(1 + 여유); 열교환기 용량 = (P + Qsun - Qs) / (Ti - Tu)·(1 + 여유); 히터 "
                     "출력 = U·A·(최저 반내 온도 - 최저 외기 온도) - 그때의 장비 발열.")
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
                     .arg(reportInput(climateRse(*w), 3, QStringLiteral("m²·K/W")))
              << QStringLiteral(
                     "이슬점: 들어올 수 있는 외기의 것, 최고 외기 온도 Tu와 외기 상대습도에서 "
                     "Magnus 식 Td = b·γ / (a - γ), γ = a·T / (b + T) + ln(RH/100), "
                     "a = %1, b = %2 °C. 결로를 피하는 최저 반내 온도는 이슬점 + 3 K.")
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

// The project's data and the current cabinet's, as given: a text left
// empty is left out.
ReportHeader headerOf(const ProjectSession& session) {
    ReportHeader h;
    auto add = [](ReportLines& lines, const QString& label, const QString& text) {
        if (!text.trimmed().isEmpty()) lines << ReportLine{label, text.trimmed()};
    };
    const ProjectInfo& info = session.project().info;
    add(h.project, QStringLiteral("프로젝트"), info.name);
    add(h.project, QStringLiteral("고객"), info.customer);
    add(h.project, QStringLiteral("현장"), info.site);
    add(h.project, QStringLiteral("작성자"), info.author);
    add(h.project, QStringLiteral("회사"), info.company);
    add(h.project, QStringLiteral("개정"), info.revision);
    add(h.project, QStringLiteral("날짜"), info.date);
    const Cabinet& cabinet = session.current();
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

DesignReport collectDesignReport(CabinetCoolApp& app, const QDateTime& made) {
    DesignReport report;
    report.made = made;
    report.program = applicationTitle() + QLatin1Char(' ') + programVersion();
    MainWindow* form = app.mainWindow();
    if (!form) return report;
    const QString file = form->calculationFile();
    if (!file.isEmpty()) report.calculationFile = QFileInfo(file).fileName();

    report.header = headerOf(app.project());

    const SelectionMode mode = form->selectedMode();
    report.mode = modeText(mode);
    report.inputs = inputLines(*form);
    addHeatRows(report, app, *form);
    for (const ReportInputError& e : checkMainInputs(*form)) report.inputErrors << e.why;

    const frmClimate* climate = app.loadedWindow<frmClimate>();
    if (climate) report.climate = climatePart(*climate);
    report.methods = methodLines(mode, report.climate, climate);
    if (const frmRise* rise = app.loadedWindow<frmRise>()) {
        report.rise = risePart(*rise);
        report.methods << report.rise->methods;
    }
    // The cabinet's own status: a cabinet of the project loaded unchanged
    // keeps the status its results were kept with.
    report.recalculated = !app.project().capturedCurrent().results.calculated;

    if (!report.inputErrors.isEmpty()) {
        report.summary = summaryOfInputErrors(climate ? kClimateMethod : kMainMethod);
        report.summary.methodName = climate ? kClimateMethod : kMainMethod;
        // Nothing computed from inputs that cannot be: the climate design
        // took its inputs from these fields as well.
        if (report.climate) report.climate->results.clear();
        return report;
    }

    const MainCalculation c = runMainCalculation(*form, app.tables());
    report.results = resultLines(c);
    for (CalculationMessage m : c.messages) {
        // Below zero because T2 is below T1: the finding before says so.
        if (m == CalculationMessage::NegativeResult && !isAircon(c) && c.deltaT < 0) continue;
        report.messages << findingText(m, c);
    }
    report.summary = climate ? climateSummary(*climate, *report.climate,
                                              mode == SelectionMode::Aircon, app.tables())
                             : mainSummary(c);
    report.summary.methodName = climate ? kClimateMethod : kMainMethod;
    if (report.recalculated) {
        report.footnotes << QStringLiteral(
            "마지막 \"계 산\" 뒤에 입력이 바뀌었거나 아직 계산하지 않아, 이 보고서를 만들 때 현재 "
            "입력으로 다시 계산했습니다. 주 화면의 결과 칸과 다를 수 있습니다.");
    }
    report.chart = ReportChart::build(app, *form, c);
    return report;
}
