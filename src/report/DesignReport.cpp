#include "report/DesignReport.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "climate/InstallationPictogram.h"
#include "climate/frmClimate.h"
#include "files/CoolFile.h"
#include "heat/HeatValueTable.h"
#include "heat/frmHeatValue.h"
#include "info/InfoTexts.h"
#include "kit/AppInfo.h"
#include "kit/CabinetCoolApp.h"
#include "kit/MainWindow.h"
#include "kit/Widgets.h"
#include "report/ReportCalculation.h"

namespace {

const QString kDegrees = QStringLiteral("°C");
const QString kKelvin = QStringLiteral("K");
const QString kWatt = QStringLiteral("W");
const QString kWattPerKelvin = QStringLiteral("W/K");
const QString kSquareMetres = QStringLiteral("㎡");
const QString kMetres = QStringLiteral("m");

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

ReportLines inputLines(const HeatBalanceInput& in) {
    const bool aircon = in.mode == SelectionMode::Aircon;
    ReportLines lines{
        {QStringLiteral("높이 H"), reportNumber(in.height, kMetres)},
        {QStringLiteral("폭 W"), reportNumber(in.width, kMetres)},
        {QStringLiteral("깊이 D"), reportNumber(in.depth, kMetres)},
        {QStringLiteral("재질"), materialText(in.uValue)},
        {QStringLiteral("열관류율 U"), reportNumber(in.uValue, QStringLiteral("W/㎡K"))},
    };
    // Mode Fan2 reads no internal heat: the measured temperatures stand for it.
    if (in.mode != SelectionMode::Fan2)
        lines << ReportLine{QStringLiteral("제어반내 발열량 P (추정치)"),
                            reportNumber(in.internalHeat, kWatt)};
    lines << ReportLine{QStringLiteral("최고 외기 온도 T1"), reportNumber(in.t1, kDegrees)}
          << ReportLine{aircon ? QStringLiteral("제어반내 희망 설정 온도 T2")
                               : QStringLiteral("반내 허용 온도 T2"),
                        reportNumber(in.t2, kDegrees)};
    if (in.mode == SelectionMode::Fan2) {
        lines << ReportLine{QStringLiteral("외기 온도 (측정치) T3"), reportNumber(in.t3, kDegrees)}
              << ReportLine{QStringLiteral("반내 온도 (측정치) T4"), reportNumber(in.t4, kDegrees)};
    }
    return lines;
}

ReportLines resultLines(const MainCalculation& c) {
    const bool aircon = c.input.mode == SelectionMode::Aircon;
    const QString unit = aircon ? kWatt : kWattPerKelvin;
    if (!c.finite) {
        return {{QStringLiteral("계산 결과"),
                 QStringLiteral("입력값이 계산할 수 있는 범위를 벗어났습니다")}};
    }
    ReportLines lines{{QStringLiteral("표면적 A"), reportNumber(c.area, kSquareMetres)}};
    if (aircon) {
        lines << ReportLine{QStringLiteral("설계 온도 차 ΔT"), reportNumber(c.deltaT, kKelvin)}
              << ReportLine{QStringLiteral("벽을 통한 열 U·A·ΔT"),
                            reportNumber(c.input.uValue * c.area * c.deltaT, kWatt)};
    } else {
        lines << ReportLine{QStringLiteral("설계 온도 차 ΔT = T2 - T1"),
                            reportNumber(c.deltaT, kKelvin)};
        if (c.input.mode == SelectionMode::Fan2) {
            lines << ReportLine{QStringLiteral("측정 온도 차 T4 - T3"),
                                reportNumber(c.input.t4 - c.input.t3, kKelvin)};
        }
    }
    lines << ReportLine{
        aircon ? QStringLiteral("필요 냉각 능력 R") : QStringLiteral("필요 열교환 능력 R"),
        c.result ? reportResult(*c.result, unit)
                 : QStringLiteral("없음 (두 온도가 같아 계산할 수 없습니다)")};
    lines << ReportLine{QStringLiteral("추천 모델"),
                        c.modelIndex
                            ? (c.modelName.trimmed().isEmpty() ? QStringLiteral("(이름 없음)")
                                                               : c.modelName)
                            : noValueText()}
          << ReportLine{aircon ? QStringLiteral("추천 모델 냉각 능력")
                               : QStringLiteral("추천 모델 열교환 능력"),
                        c.modelIndex ? reportNumber(c.modelCapacity, unit) : noValueText()};
    return lines;
}

QString componentName(std::string_view label) {
    QString name = QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
    if (name.endsWith(QStringLiteral(" x"))) name.chop(2);
    return name;
}

// The rows of the component heat window that count, and their sum; nothing
// when the window is not open or every count is 0.
void addHeatRows(DesignReport& report, CabinetCoolApp& app, const MainCalculation& c) {
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
                                             reportNumber(count), reportNumber(loss, kWatt),
                                             reportNumber(count * loss, kWatt)};
        }
    }
    if (report.heatRows.isEmpty()) return;
    const double total = sumHeat(counts, app.tables()).total;
    report.heatTotal = reportNumber(total, kWatt);
    if (c.input.mode != SelectionMode::Fan2 &&
        !(std::isfinite(total) && total == c.input.internalHeat)) {
        report.heatNote =
            QStringLiteral("이 합계는 위의 제어반내 발열량 P와 다릅니다. 계산에는 P가 쓰였습니다.");
    }
}

// A result as the climate window shows it, with its unit and the model it
// picks; "—" where it does not apply.
QString climateField(const QLineEdit* field, const QString& unit,
                     const QLineEdit* model = nullptr) {
    QString text = field->text().trimmed();
    if (text.isEmpty() || text == noValueText()) return noValueText();
    text += QLatin1Char(' ') + unit;
    const QString pick = model ? model->text().trimmed() : QString();
    if (!pick.isEmpty() && pick != noValueText()) text += QStringLiteral(" · 추천 ") + pick;
    return text;
}

// The climate design window's inputs and results as it shows them now.
ClimateReportPart climatePart(const frmClimate& w) {
    ClimateReportPart part;
    const ClimateDesignInput& in = w.inputs();
    const ClimateDesignResult& r = w.results();
    const int type = w.installationType();
    part.installation = w.installationCaption();
    part.drawPictogram = [type](QPainter& p, const QRectF& box) {
        drawInstallationPictogram(p, box, type);
    };
    part.formula = installationFormula(type);

    part.inputs = {
        {QStringLiteral("높이 H"), reportNumber(in.height, kMetres)},
        {QStringLiteral("폭 W"), reportNumber(in.width, kMetres)},
        {QStringLiteral("깊이 D"), reportNumber(in.depth, kMetres)},
        {QStringLiteral("내부 발열량 P"), reportNumber(in.internalHeat, kWatt)},
        {QStringLiteral("열통과율 k"), reportNumber(in.uValue, QStringLiteral("W/(㎡·K)"))},
        {QStringLiteral("최고 외기 온도 Tu"), reportNumber(in.ambientMax, kDegrees)},
        {QStringLiteral("희망 반내 온도 Ti"), reportNumber(in.insideDesired, kDegrees)},
        {QStringLiteral("설치 고도"), reportNumber(in.altitude, kMetres)},
        {QStringLiteral("최저 외기 온도"), reportNumber(in.ambientMin, kDegrees)},
        {QStringLiteral("최저 반내 온도"), reportNumber(in.insideMin, kDegrees)},
        {QStringLiteral("그때 켜져 있는 장비 발열"), reportNumber(in.internalHeatMin, kWatt)},
        {QStringLiteral("반내 상대 습도"), reportNumber(in.relativeHumidity, QStringLiteral("%"))},
        {QStringLiteral("옥외 설치, 햇빛을 받음"),
         in.sun ? QStringLiteral("예") : QStringLiteral("아니오")},
    };
    if (in.sun) {
        const QString sunArea =
            in.sunlitArea ? reportNumber(*in.sunlitArea, kSquareMetres)
                          : (r.sunlitArea.value ? reportNumber(*r.sunlitArea.value, kSquareMetres) +
                                                      QStringLiteral(" (지붕과 앞면)")
                                                : noValueText());
        part.inputs << ReportLine{QStringLiteral("일사량"),
                                  reportNumber(in.irradiance, QStringLiteral("W/㎡"))}
                    << ReportLine{QStringLiteral("표면 일사 흡수율"), reportNumber(in.absorptance)}
                    << ReportLine{QStringLiteral("햇빛 받는 면적"), sunArea};
    }
    part.inputs << ReportLine{QStringLiteral("안전 여유"),
                              reportNumber(in.safetyMargin, QStringLiteral("%"))};

    part.results = {
        {QStringLiteral("유효 방열 면적 A"), climateField(w.txtClimA, kSquareMetres)},
        {QStringLiteral("벽면 통과 열량"), climateField(w.txtClimQs, kWatt)},
        {QStringLiteral("일사 열량"), climateField(w.txtClimQsun, kWatt)},
        {QStringLiteral("에어컨 냉각 능력"),
         climateField(w.txtClimCool, kWatt, w.txtClimCoolModel)},
        {QStringLiteral("열교환기·팬 용량"),
         climateField(w.txtClimQw, kWattPerKelvin, w.txtClimFanModel)},
        {QStringLiteral("필터팬 풍량"),
         climateField(w.txtClimFlow, QStringLiteral("㎥/h"), w.txtClimFlowModel)},
        {QStringLiteral("필터팬 풍량 (cfm)"),
         climateField(w.txtClimFlowCfm, QStringLiteral("cfm"))},
        {QStringLiteral("히터 출력"), climateField(w.txtClimHeater, kWatt, w.txtClimHeaterModel)},
        {QStringLiteral("반내 공기 이슬점"), climateField(w.txtClimDew, kDegrees)},
        {QStringLiteral("결로 위험"),
         !r.condensation || !r.dewPoint.value
             ? noValueText()
             : (w.condensationRisk() ? QStringLiteral("있음") : QStringLiteral("없음"))},
    };
    if (!w.lblClimFlowFactor->text().isEmpty()) part.notes << w.lblClimFlowFactor->text();
    if (w.condensationRisk() && w.lblClimCondensation) part.notes << w.lblClimCondensation->text();
    part.notes << w.statusNotes();
    return part;
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

    const MainCalculation c = runMainCalculation(*form, app.tables());
    report.mode = modeText(c.input.mode);
    report.inputs = inputLines(c.input);
    addHeatRows(report, app, c);
    report.results = resultLines(c);
    if (const frmClimate* climate = app.loadedWindow<frmClimate>())
        report.climate = climatePart(*climate);
    report.messages = c.messages;
    report.recalculated = form->inputsChangedSinceCalculation();
    if (report.recalculated) {
        report.footnotes << QStringLiteral(
            "마지막 \"계 산\" 뒤에 입력이 바뀌었거나 아직 계산하지 않아, 이 보고서를 만들 때 현재 "
            "입력으로 "
            "다시 계산했습니다. 메시지는 그 계산이 보였을 내용입니다.");
    }
    report.chart = ReportChart::build(app, *form, c);
    return report;
}
