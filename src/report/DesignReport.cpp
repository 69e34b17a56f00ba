#include "report/DesignReport.h"

#include <QFileInfo>
#include <QLineEdit>
#include <cmath>

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
