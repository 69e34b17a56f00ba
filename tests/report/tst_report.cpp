#include <sys/resource.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <csignal>

#include "CommaLocale.h"
#include "FileSizeLimit.h"
#include "TestApp.h"
#include "charts/frmFan2.h"
#include "climate/frmClimate.h"
#include "design/HeatValueTable.h"
#include "heat/frmHeatValue.h"
#include "kit/ProjectSession.h"
#include "projectwindow/ProjectCommands.h"
#include "projectwindow/frmProject.h"
#include "report/DesignReport.h"
#include "report/PdfJoin.h"
#include "report/ProjectReport.h"
#include "report/ReportCommands.h"
#include "report/ReportPdf.h"
#include "report/ReportRise.h"
#include "report/ReportText.h"
#include "rise/frmRise.h"

namespace {

const QString kTitle = QStringLiteral("제어반 열 설계 보고서");
// The calculation's findings as the report words them: findings, never
// instructions.
const QString kHotter = QStringLiteral("희망 설정 온도 T2가 최고 외기 온도 T1보다 낮아");
const QString kCooler = QStringLiteral("희망 설정 온도 T2가 최고 외기 온도 T1 이상이어서");
const QString kHigh = QStringLiteral("반내 허용 온도 T2가 최고 외기 온도 T1보다 낮습니다");
const QString kEqual = QStringLiteral("최고 외기 온도 T1과 반내 허용 온도 T2가 같아");
const QString kNegative = QStringLiteral("필요 냉각 능력이 0 이하입니다");
const QString kExceeded = QStringLiteral("필요 능력이 추천 모델 한 대의 능력보다 큽니다");
const QString kSmall = QStringLiteral("최고 외기 온도와 설정 온도의 차이가 10 K 미만입니다");
const QString kOutOfRange = QStringLiteral("계산할 수 있는 범위를 벗어나 결과를 내지 않았습니다");
const QString kNoResults = QStringLiteral("계산하지 않음 (입력 오류)");
const QString kChartTag = QStringLiteral("(도표 판독값, 참고)");
// The footnote of a report whose numbers were calculated for it.
const QString kRecalculated = QStringLiteral("현재 입력으로 다시 계산했습니다");

// Runs a poppler tool and returns its standard output.
QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
    return p.readAllStandardOutput();
}

// The text of a PDF as a reader finds it, in the order it was written
// (-raw: the blanks as written, not guessed from the gaps between words),
// every run of blanks and line breaks made one blank.
QString pdfText(const QString& path) {
    const QString text = QString::fromUtf8(run("pdftotext", {"-raw", "-enc", "UTF-8", path, "-"}));
    return text.simplified();
}

// Every value the chart and the tables show, as a reader searches for it.
void verifyContains(const QString& text, const QStringList& expected) {
    for (const QString& e : expected)
        QVERIFY2(text.contains(e.simplified()), qPrintable("missing: " + e + "\nin: " + text));
}

// Nothing on paper reads like a raw double or an instruction to the user.
void verifyForCustomer(const QString& text) {
    const QRegularExpressionMatch raw = QRegularExpression("\\d\\.\\d{4,}").match(text);
    QVERIFY2(!raw.hasMatch(), qPrintable("unrounded: " + raw.captured()));
    for (const char* instruction : {"하세요", "다시 입력", "잡으셔야"})
        QVERIFY2(!text.contains(instruction), qPrintable(QString("instruction: ") + instruction));
}

void setField(Form1* form, const QString& name, const QString& text) {
    auto* field = form->findChild<QLineEdit*>(name);
    if (!field) qFatal("no field %s", qPrintable(name));
    field->setText(text);
}

// name=text pairs for fields; material=1 selects resin.
void applyEdits(Form1* form, const QStringList& edits) {
    for (const QString& edit : edits) {
        const qsizetype eq = edit.indexOf('=');
        if (edit.left(eq) == "material") {
            form->selectMaterial(edit.mid(eq + 1).toInt());
        } else {
            setField(form, edit.left(eq), edit.mid(eq + 1));
        }
    }
}

void clickMode(Form1* form, const QString& mode) {
    form->findChild<QAbstractButton*>(mode)->click();
}

// Makes a report through the main window's button, answering the dialog
// with `path`.
void makeReport(TestApp& t, const QString& path) {
    t.platform.saveAnswers.enqueue(path);
    t.form()->findChild<QPushButton*>("cmdReport")->click();
}

// What the main window shows, to see that a report changes none of it.
QStringList fieldTexts(Form1* form) {
    QStringList texts;
    for (QLineEdit* e : form->findChildren<QLineEdit*>())
        texts << e->objectName() + "=" + e->text();
    return texts;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

}  // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void reportOfEachMode_data();
    void reportOfEachMode();
    void dialogOffersDateAndMode_data();
    void dialogOffersDateAndMode();
    void koreanFontEmbeddedChartAsVectors();
    void recalculatesWhenInputsChanged_data();
    void recalculatesWhenInputsChanged();
    void leavesTheProgramAsItWas();
    void componentHeatRows();
    void calculationFileName();
    void badInputNeverShowsInfOrNan_data();
    void badInputNeverShowsInfOrNan();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void cancelledDialogWritesNothing();
    void climateWindowReport_data();
    void climateWindowReport();
    void climateSectionOnlyWhileOpen();
    void impossibleInputsGiveNoModel_data();
    void impossibleInputsGiveNoModel();
    void summaryNamesTheGoverningMethod_data();
    void summaryNamesTheGoverningMethod();
    void roundingForPeople_data();
    void roundingForPeople();
    void chartLabelsShowOnPaper_data();
    void chartLabelsShowOnPaper();
    void tableAcrossPagesRepeatsItsHeading();
    void documentInformation();
    void dialogStartsWhereTheUserCanWrite();
    void headerAndSignOff_data();
    void headerAndSignOff();
    void riseSection();
    void riseSectionOnlyWhileOpen();
    void devicesSection();
    void projectReport();
    void projectReportIsAFunctionOfTheFile();
    void projectReportDrawnInParts();
    void cancelledProjectReportWritesNothing_data();
    void cancelledProjectReportWritesNothing();
    void riseVerdictOfKeptInputs_data();
    void riseVerdictOfKeptInputs();
    void projectReportFileName_data();
    void projectReportFileName();
};

void TestReport::initTestCase() {
    // QApplication has set the locale from the environment, as in the program.
    if (commaLocaleRunRequested()) {
        QVERIFY2(decimalPointIsComma(),
                 qPrintable("this run needs the comma locale, the decimal point is \"" +
                            QString::fromStdString(currentDecimalPoint()) + "\""));
    }
}

void TestReport::reportOfEachMode_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("expected");
    // Inputs, results with their units, the messages and the chart's readings,
    // as the calculation and the chart of each mode give them for these inputs.
    QTest::newRow("aircon defaults") << "OptBoxAircon" << QStringList{}
                                     << QStringList{"Box Aircon (내부발열량으로 측정)",
                                                    "높이 H 2 m",
                                                    "폭 W 1 m",
                                                    "깊이 D 0.6 m",
                                                    "재질 철판",
                                                    "열관류율 U 5 W/(m²·K)",
                                                    "제어반내 발열량 P (추정치) 1100 W",
                                                    "최고 외기 온도 T1 40 °C",
                                                    "제어반내 희망 설정 온도 T2 35 °C",
                                                    "표면적 A (모든 면) 7.000 m²",
                                                    "설계 온도 차 ΔT 5.0 K",
                                                    "벽을 통한 열 U·A·ΔT 175.0 W",
                                                    "필요 냉각 능력 R (기본 계산) 1275.0 W",
                                                    "추천 모델 (기본 계산) VKA-1600BR",
                                                    "추천 모델 냉각 능력 1600.0 W",
                                                    kHotter,
                                                    kSmall,
                                                    "Cabinet Aircon - 내부 발열량 Diagram",
                                                    "희망 설정 온도 대역 35 °C ≤ T2 < 40 °C",
                                                    "선 값 " + kChartTag + " 15.2",
                                                    "필요한 냉각 능력 " + kChartTag + " 1216.0 W"};
    QTest::newRow("aircon resin, chart opens")
        << "OptBoxAircon" << QStringList{"material=1", "txtT2=30", "txtPP=3400"}
        << QStringList{"열관류율 U 3.7 W/(m²·K)", "재질 수지", "벽을 통한 열 U·A·ΔT 259.0 W",
                       "필요 냉각 능력 R (기본 계산) 3659.0 W", "추천 모델 (기본 계산) VKA-3500BR",
                       kHotter, kExceeded,
                       // 3659 W over 3500 W a unit
                       "이 모델 2대면 충분합니다", "선 값 " + kChartTag + " 14.2",
                       "필요한 냉각 능력 " + kChartTag + " 1136.0 W"};
    QTest::newRow("fan1 defaults")
        << "OptBoxFan1" << QStringList{}
        << QStringList{"Box Fan (내부발열량으로 측정)",
                       "높이 H 1.25 m",
                       "폭 W 0.63 m",
                       "깊이 D 0.63 m",
                       "제어반내 발열량 P (추정치) 500 W",
                       "반내 허용 온도 T2 55 °C",
                       "표면적 A (모든 면) 3.547 m²",
                       "설계 온도 차 ΔT = T2 - T1 15.0 K",
                       "필요 열교환 능력 R (기본 계산) 15.6 W/K",
                       "추천 모델 (기본 계산) VK-280",
                       "추천 모델 열교환 능력 17.5 W/K",
                       "Cabinet FAN - 반내발열량(Diagram)",
                       "반내 발열량 P 500 W",
                       "유효 방열 면적 S 3.547 m²",
                       "열교환기 정격 능력 X " + kChartTag + " 15.6 W/K"};
    QTest::newRow("fan2 defaults") << "OptBoxFan2" << QStringList{}
                                   << QStringList{"Box Fan (측정온도로 측정)",
                                                  "외기 온도 (측정치) T3 40 °C",
                                                  "반내 온도 (측정치) T4 68 °C",
                                                  "측정 온도 차 T4 - T3 28.0 K",
                                                  "필요 열교환 능력 R (기본 계산) 15.4 W/K",
                                                  "추천 모델 (기본 계산) VK-280",
                                                  "Cabinet FAN - 측정 온도로 측정(Diagram)",
                                                  "허용 온도 차 ΔT = T2 - T1 15.0 K",
                                                  "Y축 결과값 (점 A) " + kChartTag + " 23.2",
                                                  "최소값 (점 B) " + kChartTag + " 14.1 W/K",
                                                  "최대값 " + kChartTag + " 20.1 W/K"};
}

void TestReport::reportOfEachMode() {
    QFETCH(QString, mode);
    QFETCH(QStringList, edits);
    QFETCH(QStringList, expected);
    TestApp t;
    Form1* form = t.start();
    clickMode(form, mode);
    applyEdits(form, edits);
    form->cmdCal->click();
    t.platform.messages.clear();

    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);
    QCOMPARE(t.platform.messages, QStringList());
    const QString text = pdfText(path);
    verifyContains(text, {kTitle, "CabinetCool 1.0.0",
                          "작성 일시 " + QDate::currentDate().toString("yyyy-MM-dd")});
    verifyContains(text, expected);
    // Results of a calculation the user made: no footnote.
    QVERIFY(!text.contains(kRecalculated));
    // Only the mode's own inputs.
    QCOMPARE(text.contains("T3"), mode == "OptBoxFan2");
    QCOMPARE(text.contains("(추정치)"), mode != "OptBoxFan2");
    verifyForCustomer(text);
}

void TestReport::dialogOffersDateAndMode_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("name");
    QTest::newRow("aircon") << "OptBoxAircon"
                            << "Aircon";
    QTest::newRow("fan1") << "OptBoxFan1"
                          << "Fan1";
    QTest::newRow("fan2") << "OptBoxFan2"
                          << "Fan2";
}

void TestReport::dialogOffersDateAndMode() {
    QFETCH(QString, mode);
    QFETCH(QString, name);
    TestApp t;
    Form1* form = t.start();
    clickMode(form, mode);
    const QDate before = QDate::currentDate();
    form->findChild<QPushButton*>("cmdReport")->click();  // cancelled
    const QDate after = QDate::currentDate();
    QCOMPARE(t.platform.saveDialogs.size(), 1);
    const PlatformServices::FileDialog& d = t.platform.saveDialogs.first();
    QVERIFY2(d.defaultName == before.toString("yyyy-MM-dd") + " " + name + ".pdf" ||
                 d.defaultName == after.toString("yyyy-MM-dd") + " " + name + ".pdf",
             qPrintable(d.defaultName));
    QCOMPARE(d.startFolder, t.programDir() + "/Cool");
    QCOMPARE(d.defaultSuffix, QStringLiteral("pdf"));
    QVERIFY(d.confirmOverwrite);
    QVERIFY(d.filters.first().contains("*.pdf"));
    // The button: its caption, and a file command that a print leaves out.
    QCOMPARE(form->findChild<QPushButton*>("cmdReport")->text(), QStringLiteral("보고서"));
    QVERIFY(form->screenOnlyButtons().contains(form->findChild<QPushButton*>("cmdReport")));
}

void TestReport::koreanFontEmbeddedChartAsVectors() {
    TestApp t;
    Form1* form = t.start();
    clickMode(form, "OptBoxFan2");
    form->cmdCal->click();
    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);

    // name type encoding emb sub uni object ID: every font embedded, the
    // Korean one among them, each with its Unicode map (searchable text).
    const QStringList lines =
        QString::fromUtf8(run("pdffonts", {path})).split('\n', Qt::SkipEmptyParts);
    QVERIFY(lines.size() > 2);
    bool nanum = false;
    for (const QString& line : lines.mid(2)) {
        const QStringList columns = line.split(' ', Qt::SkipEmptyParts);
        QVERIFY2(columns.size() >= 7, qPrintable(line));
        QCOMPARE(columns[columns.size() - 5], QStringLiteral("yes"));  // emb
        QCOMPARE(columns[columns.size() - 3], QStringLiteral("yes"));  // uni
        nanum = nanum || line.contains("Nanum");
    }
    QVERIFY(nanum);
    // The chart is drawn, not pasted in as a picture.
    const QStringList images =
        QString::fromUtf8(run("pdfimages", {"-list", path})).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(images.size(), 2);  // the header lines only
    // A4 portrait.
    const QString info = QString::fromUtf8(run("pdfinfo", {path})).simplified();
    QVERIFY2(
        info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 84[12](\\.\\d+)? pts")),
        qPrintable(info));
}

void TestReport::recalculatesWhenInputsChanged_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("calculate");
    QTest::addColumn<QStringList>("edits");  // after the calculation
    QTest::addColumn<bool>("recalculated");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("calculated, unchanged") << "OptBoxAircon" << true << QStringList{} << false
                                           << QStringList{"1275.0 W", kHotter, kSmall};
    QTest::newRow("never calculated") << "OptBoxAircon" << false << QStringList{} << true
                                      << QStringList{"1275.0 W", "VKA-1600BR"};
    QTest::newRow("heat changed") << "OptBoxAircon" << true << QStringList{"txtPP=2000"} << true
                                  << QStringList{"2175.0 W", "VKA-3000BR", kHotter, kSmall};
    QTest::newRow("changed and changed back")
        << "OptBoxAircon" << true << QStringList{"txtPP=2000", "txtPP=1100"} << false
        << QStringList{"1275.0 W"};
    QTest::newRow("result field typed over")
        << "OptBoxAircon" << true << QStringList{"txtPT=99"} << true << QStringList{"1275.0 W"};
    // R = 500 / -5 - 5 · 3.5469: below 0 because T2 is below T1, which is the
    // finding; no model for it.
    QTest::newRow("fan1 set temperature high")
        << "OptBoxFan1" << true << QStringList{"txtT2=35"} << true
        << QStringList{"-117.7 W/K", "추천 모델 (기본 계산) —", kHigh, kSmall, "해당 없음"};
    QTest::newRow("fan2 hidden heat does not count")
        << "OptBoxFan2" << true << QStringList{"txtPP=20"} << false << QStringList{"15.4 W/K"};
    QTest::newRow("fan2 equal temperatures")
        << "OptBoxFan2" << true << QStringList{"txtT2=40"} << true
        << QStringList{kEqual, kSmall, "두 온도가 같아 계산할 수 없습니다",
                       "계산할 수 없음: 최고 외기 온도와 반내 허용 온도가 같습니다"};
}

void TestReport::recalculatesWhenInputsChanged() {
    QFETCH(QString, mode);
    QFETCH(bool, calculate);
    QFETCH(QStringList, edits);
    QFETCH(bool, recalculated);
    QFETCH(QStringList, expected);
    TestApp t;
    Form1* form = t.start();
    clickMode(form, mode);
    if (calculate) form->cmdCal->click();
    applyEdits(form, edits);
    t.platform.messages.clear();
    const QStringList before = fieldTexts(form);

    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);
    // No message box, and the main window's fields as they were.
    QCOMPARE(t.platform.messages, QStringList());
    QCOMPARE(fieldTexts(form), before);
    const QString text = pdfText(path);
    verifyContains(text, expected);
    QCOMPARE(text.contains(kRecalculated), recalculated);
    if (mode != "OptBoxAircon" && (edits.contains("txtT2=40") || edits.contains("txtT2=35"))) {
        // No model from an earlier result or for a requirement that cannot
        // be met: nothing the current inputs do not give.
        QVERIFY(!text.contains("VK-"));
    }
    verifyForCustomer(text);
}

void TestReport::leavesTheProgramAsItWas() {
    TestApp t;
    Form1* form = t.start();
    clickMode(form, "OptBoxFan2");
    form->cmdCal->click();  // opens the chart window with these values
    auto* chart = t.app->loadedWindow<frmFan2>();
    QVERIFY(chart);
    const QString chartMin = chart->txtXX0->text();
    const FanChartValues fanBefore = t.app->fanValues();
    const QList<QWidget*> windowsBefore = t.app->loadedWindows();
    // New temperatures, not calculated: the report's chart is of these.
    applyEdits(form, {"txtT2=65", "txtT4=80"});

    makeReport(t, t.programDir() + "/report.pdf");
    const QString text = pdfText(t.programDir() + "/report.pdf");
    verifyContains(text, {"허용 온도 차 ΔT = T2 - T1 25.0 K", "측정 온도 차 T4 - T3 40.0 K"});
    QCOMPARE(t.app->loadedWindows(), windowsBefore);
    QCOMPARE(t.app->mainWindow(), static_cast<MainWindow*>(form));
    QCOMPARE(chart->txtXX0->text(), chartMin);
    const FanChartValues& fan = t.app->fanValues();
    QCOMPARE(fan.FanDeltaT, fanBefore.FanDeltaT);
    QCOMPARE(fan.FanMeasuredDeltaT, fanBefore.FanMeasuredDeltaT);
    QCOMPARE(fan.FanOutsideMinusInside, fanBefore.FanOutsideMinusInside);
    QCOMPARE(fan.FanReadingY, fanBefore.FanReadingY);
    QCOMPARE(fan.FanHeatP, fanBefore.FanHeatP);
}

void TestReport::componentHeatRows() {
    QByteArray ini = shippedIni();
    TestApp t(ini);
    Form1* form = t.start();
    form->cmdHeatValue->click();
    auto* heat = t.app->loadedWindow<frmHeatValue>();
    QVERIFY(heat);
    // Losses of the shipped tables: transformer 250 VA 23 W, 500 VA 36 W;
    // inverter 0.25 kVA 21 W.
    heat->countField(HeatFamily::Transformer, 0)->setText("2");
    heat->countField(HeatFamily::Transformer, 1)->setText("0.5");
    heat->countField(HeatFamily::Inverter, 0)->setText("3");
    heat->cmdCalValue->click();  // 46 + 18 + 63 = 127 W into the main window
    QCOMPARE(form->txtPP->text(), QStringLiteral("127"));
    form->cmdCal->click();

    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);
    const QString text = pdfText(path);
    verifyContains(text, {"Transformer 250VA 2 23.0 W 46.0 W",
                          "Transformer 500VA 0.5 36.0 W 18.0 W", "Inverter 0.25kVA 3 21.0 W 63.0 W",
                          "합계 127.0 W", "제어반내 발열량 P (추정치) 127 W"});
    QVERIFY(!text.contains("Transformer 750VA"));  // rows counted 0 are left out
    QVERIFY(!text.contains("다릅니다"));

    // P typed over after the window applied its sum: the report says so.
    form->txtPP->setText("500");
    makeReport(t, path);
    verifyContains(pdfText(path), {"합계 127.0 W", "이 합계는 위의 제어반내 발열량 P와 다릅니다"});
}

void TestReport::calculationFileName() {
    TestApp t;
    Form1* form = t.start();
    QDir(t.programDir()).mkpath("Cool");
    const QString file = t.programDir() + "/Cool/pump room.col";
    t.platform.saveAnswers.enqueue(file);
    form->cmdSaveAs->click();
    QCOMPARE(form->calculationFile(), file);
    makeReport(t, t.programDir() + "/a.pdf");
    verifyContains(pdfText(t.programDir() + "/a.pdf"), {"계산 파일 pump room.col"});

    t.platform.openAnswers.enqueue(t.programDir() + "/Cool/missing.col");
    form->cmdOpen->click();  // fails: the values are no longer the file's
    QCOMPARE(form->calculationFile(), QString());
    makeReport(t, t.programDir() + "/b.pdf");
    QVERIFY(!pdfText(t.programDir() + "/b.pdf").contains("계산 파일"));
}

void TestReport::badInputNeverShowsInfOrNan_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<bool>("withIni");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("dimensions 1E+200")
        << "OptBoxAircon" << QStringList{"txtHeight=1E+200", "txtDepth=1E+200"} << true
        << QStringList{kOutOfRange, "범위를 벗어나 차트를 그리지 않았습니다",
                       "계산할 수 없음 (값이 계산 범위를 벗어남)"};
    QTest::newRow("huge but finite result")
        << "OptBoxAircon" << QStringList{"txtPP=1E+300"} << true
        << QStringList{"필요 냉각 능력 R (기본 계산) 1E+300 W", kExceeded};
    QTest::newRow("fan2 outside the chart's bands")
        << "OptBoxFan2" << QStringList{"txtT2=85"} << true
        << QStringList{"차트를 읽을 수 없습니다"};
    QTest::newRow("fan2 area beyond the S lines")
        << "OptBoxFan2" << QStringList{"txtHeight=3", "txtWidth=3"} << true
        << QStringList{"최소값과 최대값을 읽을 수 없습니다"};
    QTest::newRow("aircon beyond the diagram's bands")
        << "OptBoxAircon" << QStringList{"txtT1=150", "txtT2=200"} << true
        << QStringList{"없음 (T2 = 200 ≥ 55 °C)", kNegative, "필요 없음"};
    // Every capacity 0: the last model, which falls short.
    QTest::newRow("no configuration: empty tables")
        << "OptBoxFan1" << QStringList{} << false
        << QStringList{"추천 모델 열교환 능력 0.0 W/K", kExceeded};
}

void TestReport::badInputNeverShowsInfOrNan() {
    QFETCH(QString, mode);
    QFETCH(QStringList, edits);
    QFETCH(bool, withIni);
    QFETCH(QStringList, expected);
    std::unique_ptr<TestApp> t = withIni ? std::make_unique<TestApp>() : TestApp::noIni();
    Form1* form = t->start();
    clickMode(form, mode);
    applyEdits(form, edits);
    t->platform.messages.clear();

    const QString path = t->programDir() + "/report.pdf";
    makeReport(*t, path);
    QCOMPARE(t->platform.messages, QStringList());
    const QString text = pdfText(path);
    verifyContains(text, {kTitle});
    verifyContains(text, expected);
    QVERIFY2(!text.contains(
                 QRegularExpression("\\b(inf|nan)\\b", QRegularExpression::CaseInsensitiveOption)),
             qPrintable(text));
}

void TestReport::failedWriteKeepsOldFile_data() {
    QTest::addColumn<QString>("kind");
    // Failures that hold for root too.
    QTest::newRow("disk full part-way") << "size-limit";
    QTest::newRow("a folder in place of the file") << "target-is-folder";
    QTest::newRow("missing folder") << "missing-folder";
}

void TestReport::failedWriteKeepsOldFile() {
    QFETCH(QString, kind);
    TestApp t;
    t.start();
    const QString dir = t.programDir() + "/reports";
    QVERIFY(QDir().mkpath(dir));
    QString path = dir + "/old.pdf";
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("the old report");
    old.close();
    std::unique_ptr<FileSizeLimit> limit;
    if (kind == "size-limit") {
        limit = std::make_unique<FileSizeLimit>(4096);
        QVERIFY(limit->ok());
    } else if (kind == "target-is-folder") {
        path = dir + "/folder.pdf";
        QVERIFY(QDir(dir).mkdir("folder.pdf"));
    } else {
        path = dir + "/missing/new.pdf";
    }
    const QStringList before = entries(dir);

    makeReport(t, path);
    limit.reset();

    QCOMPARE(t.platform.messages.size(), 1);
    QVERIFY2(
        t.platform.messages.first().startsWith(QStringLiteral("보고서를 저장하지 못했습니다.")),
        qPrintable(t.platform.messages.first()));
    QVERIFY(t.platform.messages.first().contains(QDir::toNativeSeparators(path)));
    QCOMPARE(readAll(dir + "/old.pdf"), QByteArray("the old report"));
    QCOMPARE(entries(dir), before);  // no temporary left behind
    if (kind == "target-is-folder") QVERIFY(QFileInfo(path).isDir());
}

void TestReport::cancelledDialogWritesNothing() {
    TestApp t;
    Form1* form = t.start();
    QDir(t.programDir()).mkpath("Cool");
    const QStringList before = entries(t.programDir() + "/Cool");
    form->findChild<QPushButton*>("cmdReport")->click();
    QCOMPARE(t.platform.saveDialogs.size(), 1);
    QCOMPARE(t.platform.messages, QStringList());
    QCOMPARE(entries(t.programDir() + "/Cool"), before);
}

void TestReport::climateWindowReport_data() {
    QTest::addColumn<QStringList>("edits");  // fields of the climate window; "sun" ticks the sun
    QTest::addColumn<QStringList>("expected");
    // The main window's defaults carried over: H 2, W 1, D 0.6, P 1100, k 5,
    // Tu 40, Ti 35; the window's own: altitude 0, -10 and 10 °C, 60 %, 10 %
    // margin, type 1 (A = 1.8·H·(W + D) + 1.4·W·D = 6.6 ㎡).
    QTest::newRow("defaults")
        << QStringList{}
        << QStringList{
               "높이 H 2 m", "희망 반내 온도 Ti 35 °C", "습한 날 상대습도 60 %",
               "옥외 설치, 햇빛을 받음 아니오", "안전 여유 10 %", "유효 방열 면적 A 6.600 m²",
               // U·A·(Ti - Tu) = 5 · 6.6 · (-5); (P - Qs)·1.1 = 1391.5
               "벽면 통과 열량 Qs -165.0 W", "일사 열량 Qsun 0.0 W",
               "에어컨 냉각 능력 (상세 설계) 1391.5 W · 추천 VKA-1600BR",
               // Ti below Tu: no fan; 5 · 6.6 · 20 = 660 W of heater
               "열교환기·팬 용량 (상세 설계) — (희망 반내 온도가 최고 외기 온도 이하여서",
               "동결 방지 히터 출력 (겨울 최저 기온) (상세 설계) 660.0 W · 추천 HT-800",
               // Magnus for the humid day's air, 25 °C and 60 %: 16.68 °C;
               // that night the cabinet without heat is at the night's 18 °C,
               // above it; 19.68 °C would keep the margin, with
               // 5 · 6.6 · (19.684 - 18) = 55.6 W of heater
               "습한 날 공기의 이슬점 16.7 °C", "그날 밤 히터 없는 반내 온도 18.0 °C",
               "결로 위험 (습한 날 밤) 없음", "결로 방지 히터 출력 (습한 날 밤) (상세 설계) 55.6 W",
               "결로를 피하는 반내 온도는 19.7 °C (이슬점 + 3 K)"};
    QTest::newRow("sun, inside above outside")
        << QStringList{"sun", "txtClimTi=50"}
        << QStringList{"옥외 설치, 햇빛을 받음 예", "일사량 800 W/m²", "표면 일사 흡수율 α 0.5",
                       "햇빛 받는 면적 2.600 m² (지붕과 앞면)", "외표면 열저항 Rse 0.04 m²·K/W",
                       // Qs = 5 · 6.6 · 10; Qsun = α·E·A_sun·U·Rse = 0.5 · 800 · 2.6 · 5 · 0.04
                       "벽면 통과 열량 Qs 330.0 W", "일사 열량 Qsun 208.0 W",
                       // (1100 - 330 + 208) · 1.1; per K: / 10; airflow: · 3.1 m³·K/(W·h)
                       "에어컨 냉각 능력 (상세 설계) 1075.8 W · 추천 VKA-1100BR",
                       "열교환기·팬 용량 (상세 설계) 107.6 W/K · 추천 VK-400",
                       "필터팬 풍량 (상세 설계) 333 m³/h · 추천 FF-450",
                       "필터팬 풍량 (cfm) 196 cfm", "습한 날 공기의 이슬점 16.7 °C"};
}

void TestReport::climateWindowReport() {
    QFETCH(QStringList, edits);
    QFETCH(QStringList, expected);
    TestApp t;
    Form1* form = t.start();
    form->cmdCal->click();
    form->findChild<QPushButton*>("cmdClimate")->click();
    auto* climate = t.app->loadedWindow<frmClimate>();
    QVERIFY(climate);
    for (const QString& edit : edits) {
        if (edit == "sun") {
            climate->chkClimSun->setChecked(true);
            continue;
        }
        const qsizetype eq = edit.indexOf('=');
        climate->findChild<QLineEdit*>(edit.left(eq))->setText(edit.mid(eq + 1));
    }
    t.platform.messages.clear();

    const QString path = t.programDir() + "/climate.pdf";
    t.platform.saveAnswers.enqueue(path);
    climate->cmdClimateReport->click();
    QCOMPARE(t.platform.messages, QStringList());
    QCOMPARE(t.platform.saveDialogs.size(), 1);
    QVERIFY(t.platform.saveDialogs.first().defaultName.endsWith(" Aircon.pdf"));
    const QString text = pdfText(path);
    // The whole report, the climate design as its third part, before the chart.
    verifyContains(text, {kTitle, "1. 선정 요약", "2. 입력값", "3. 기본 계산 결과", "1275.0 W",
                          "4. 상세 기후 설계", "설치 방식: " + climate->installationCaption(),
                          "5. 차트", "6. 가정과 방법"});
    verifyContains(text, expected);
    QVERIFY(text.indexOf("4. 상세 기후 설계") < text.indexOf("5. 차트"));
    verifyForCustomer(text);
    QVERIFY2(!text.contains(
                 QRegularExpression("\\b(inf|nan)\\b", QRegularExpression::CaseInsensitiveOption)),
             qPrintable(text));
    // The pictogram is drawn as the chart is, not pasted in as a picture.
    const QStringList images =
        QString::fromUtf8(run("pdfimages", {"-list", path})).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(images.size(), 2);
}

void TestReport::climateSectionOnlyWhileOpen() {
    TestApp t;
    Form1* form = t.start();
    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);
    QVERIFY(!pdfText(path).contains("상세 기후 설계"));

    // Opened without an edit: no design of the cabinet's yet.
    form->findChild<QPushButton*>("cmdClimate")->click();
    makeReport(t, path);
    QVERIFY(!pdfText(path).contains("상세 기후 설계"));

    // Its own report keeps the design with the cabinet; closed, the
    // cabinet's report still gives it, and it governs.
    t.platform.saveDialogs.clear();
    t.platform.saveAnswers.enqueue(path);
    t.app->loadedWindow<frmClimate>()->cmdClimateReport->click();
    QCOMPARE(t.platform.saveDialogs.size(), 1);
    verifyContains(pdfText(path), {"4. 상세 기후 설계"});
    t.app->loadedWindow<frmClimate>()->cmdClimateExit->click();
    processDeferredDeletes();
    QVERIFY(!t.app->loadedWindow<frmClimate>());
    makeReport(t, path);
    verifyContains(pdfText(path), {"기준 방법 상세 설계", "4. 상세 기후 설계", "5. 차트"});
}

void TestReport::impossibleInputsGiveNoModel_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("expected");  // the inputs as typed and the errors
    QTest::newRow("negative height") << "OptBoxAircon" << QStringList{"txtHeight=-2"}
                                     << QStringList{"높이 H -2 m", "높이 H: -2 m은 0 이하입니다"};
    QTest::newRow("empty height") << "OptBoxAircon" << QStringList{"txtHeight="}
                                  << QStringList{"높이 H (비어 있음)",
                                                 "높이 H: 값이 비어 있습니다"};
    QTest::newRow("height with a decimal comma")
        << "OptBoxFan1" << QStringList{"txtHeight=1,5"}
        << QStringList{"높이 H \"1,5\" (숫자가 아님)",
                       "높이 H: 입력 \"1,5\"는 하나의 숫자가 아닙니다"};
    QTest::newRow("heat with a thousands separator")
        << "OptBoxAircon" << QStringList{"txtPP=1,100"}
        << QStringList{"\"1,100\" (숫자가 아님)", "제어반내 발열량 P: 입력 \"1,100\""};
    QTest::newRow("depth with a unit")
        << "OptBoxAircon" << QStringList{"txtDepth=12abc"} << QStringList{"깊이 D: 입력 \"12abc\""};
    QTest::newRow("blank inside a number") << "OptBoxAircon" << QStringList{"txtPP=1 100"}
                                           << QStringList{"제어반내 발열량 P: 입력 \"1 100\""};
    QTest::newRow("U of 0") << "OptBoxFan1" << QStringList{"txtUU=0"}
                            << QStringList{"열관류율 U: 0 W/(m²·K)은 0 이하입니다"};
    QTest::newRow("negative heat") << "OptBoxAircon" << QStringList{"txtPP=-1"}
                                   << QStringList{"제어반내 발열량 P: -1 W는 음수입니다"};
    QTest::newRow("outside above 200 °C")
        << "OptBoxAircon" << QStringList{"txtT1=250"}
        << QStringList{"최고 외기 온도 T1: 250 °C는 계산하는 온도 범위(-100 °C ~ 200 °C) 밖입니다"};
    QTest::newRow("measured below -100 °C") << "OptBoxFan2" << QStringList{"txtT3=-150"}
                                            << QStringList{"외기 온도 (측정치) T3: -150 °C는"};
    QTest::newRow("no number at all")
        << "OptBoxFan2" << QStringList{"txtT4=x", "txtT1=?"}
        << QStringList{"반내 온도 (측정치) T4: 입력 \"x\"", "최고 외기 온도 T1: 입력 \"?\""};
    QTest::newRow("with the climate window")
        << "climate" << QStringList{"txtHeight=-2"}
        << QStringList{"높이 H: -2 m은 0 이하입니다", "상세 기후 설계"};
}

void TestReport::impossibleInputsGiveNoModel() {
    QFETCH(QString, mode);
    QFETCH(QStringList, edits);
    QFETCH(QStringList, expected);
    TestApp t;
    Form1* form = t.start();
    if (mode == "climate") {
        applyEdits(form, edits);
        form->findChild<QPushButton*>("cmdClimate")->click();  // takes the height as well
        t.app->project().keepWindowInputs(t.app->loadedWindow<frmClimate>());
    } else {
        clickMode(form, mode);
        applyEdits(form, edits);
    }
    t.platform.messages.clear();

    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);
    QCOMPARE(t.platform.messages, QStringList());
    const QString text = pdfText(path);
    verifyContains(text, {kTitle, "선정 요약", kNoResults, "입력 오류"});
    verifyContains(text, expected);
    // The inputs, the error and nothing computed from them.
    for (const char* result : {"기본 계산 결과", "표면적 A", "벽을 통한 열", "VKA-", "VK-",
                               "차트 (도표", "에어컨 냉각 능력 (상세 설계)", "도표 판독값"})
        QVERIFY2(!text.contains(result), qPrintable(QString("shows ") + result));
    verifyForCustomer(text);
}

void TestReport::summaryNamesTheGoverningMethod_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("climate");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("expected");  // in the order they stand on the page
    QTest::addColumn<QString>("absent");
    QTest::newRow("aircon, main calculation")
        << "OptBoxAircon" << false << QStringList{}
        << QStringList{"1. 선정 요약",
                       "기준 방법 기본 계산",
                       "필요 냉각 능력 R 1275.0 W",
                       "추천 모델 VKA-1600BR",
                       "추천 모델의 능력 1600.0 W",
                       "주 화면의 기본 계산을 기준으로 합니다"}
        << "상세 기후 설계";
    // Type 1: A = 1.8·2·1.6 + 1.4·0.6 = 6.6 m²; (1100 + 5·6.6·5)·1.1 = 1391.5 W.
    QTest::newRow("aircon, climate design") << "OptBoxAircon" << true << QStringList{}
                                            << QStringList{"1. 선정 요약",
                                                           "기준 방법 상세 설계",
                                                           "에어컨 냉각 능력 1391.5 W",
                                                           "추천 모델 VKA-1600BR",
                                                           "상세 설계를 기준으로 정했습니다",
                                                           "필요 냉각 능력 R (기본 계산) 1275.0 W"}
                                            << "";
    QTest::newRow("fan1, main calculation")
        << "OptBoxFan1" << false << QStringList{}
        << QStringList{"기준 방법 기본 계산", "필요 열교환 능력 R 15.6 W/K", "추천 모델 VK-280",
                       "추천 모델의 능력 17.5 W/K"}
        << "상세 설계를 기준으로";
    // A = 1.8·1.25·1.26 + 1.4·0.63² = 3.39066 m²;
    // (500 - 5·3.39066·15) / 15 · 1.1 = 18.018 W/K: above VK-280's 17.5.
    QTest::newRow("fan1, climate design")
        << "OptBoxFan1" << true << QStringList{}
        << QStringList{"기준 방법 상세 설계", "열교환기·팬 용량 18.0 W/K", "추천 모델 VK-310",
                       "추천 모델의 능력 20.0 W/K"}
        << "주 화면의 기본 계산을 기준으로";
    QTest::newRow("fan2, main calculation")
        << "OptBoxFan2" << false << QStringList{}
        << QStringList{"기준 방법 기본 계산", "필요 열교환 능력 R 15.4 W/K", "추천 모델 VK-280"}
        << "상세 설계를 기준으로";
    // Which heat the climate design takes in this mode is its own: only the
    // method is checked here.
    QTest::newRow("fan2, climate design") << "OptBoxFan2" << true << QStringList{}
                                          << QStringList{"기준 방법 상세 설계", "열교환기·팬 용량"}
                                          << "주 화면의 기본 계산을 기준으로";
    // 100 - 5·7·15 = -425 W: the walls carry it all, no model.
    QTest::newRow("aircon, not needed")
        << "OptBoxAircon" << false << QStringList{"txtPP=100", "txtT1=20"}
        << QStringList{"필요 없음 (벽으로 425.0 W 방출)", "추천 모델 —"} << "VKA-";
    // Ti 35 below Tu 40: no fan cools below the outside air.
    QTest::newRow("fan1 climate, outside hotter")
        << "OptBoxFan1" << true << QStringList{"txtT2=35"}
        << QStringList{"기준 방법 상세 설계", "희망 반내 온도가 최고 외기 온도 이하여서",
                       "추천 모델 —"}
        << "VK-";
}

void TestReport::summaryNamesTheGoverningMethod() {
    QFETCH(QString, mode);
    QFETCH(bool, climate);
    QFETCH(QStringList, edits);
    QFETCH(QStringList, expected);
    QFETCH(QString, absent);
    TestApp t;
    Form1* form = t.start();
    clickMode(form, mode);
    applyEdits(form, edits);
    form->cmdCal->click();
    if (climate) {
        // The cabinet's climate design, as its window's report keeps it.
        form->findChild<QPushButton*>("cmdClimate")->click();
        t.app->project().keepWindowInputs(t.app->loadedWindow<frmClimate>());
    }
    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);
    const QString text = pdfText(path);
    verifyContains(text, expected);
    qsizetype at = 0;
    for (const QString& e : expected) {
        const qsizetype found = text.indexOf(e, at);
        QVERIFY2(found >= 0, qPrintable("out of order: " + e));
        at = found;
    }
    // The summary comes first, before the inputs.
    QVERIFY(text.indexOf("선정 요약") < text.indexOf("2. 입력값"));
    if (!absent.isEmpty()) {
        const QString summary = text.left(text.indexOf("2. 입력값"));
        QVERIFY2(!summary.contains(absent), qPrintable(summary));
    }
    verifyForCustomer(text);
}

void TestReport::roundingForPeople_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("power") << 1275.0 << "W"
                           << "1275.0 W";
    QTest::newRow("power half up") << 1391.45 << "W"
                                   << "1391.5 W";
    QTest::newRow("W/K of fan 1") << 15.5988333333333 << "W/K"
                                  << "15.6 W/K";
    QTest::newRow("negative W/K") << -117.73 << "W/K"
                                  << "-117.7 W/K";
    QTest::newRow("rounds to zero") << -0.04 << "W"
                                    << "0.0 W";
    QTest::newRow("dew point") << 26.0498858774122 << "°C"
                               << "26.0 °C";
    QTest::newRow("difference") << 28.0 << "K"
                                << "28.0 K";
    QTest::newRow("area") << 3.5469 << "m²"
                          << "3.547 m²";
    QTest::newRow("airflow") << 617.43 << "m³/h"
                             << "617 m³/h";
    QTest::newRow("not finite") << std::nan("") << "W"
                                << "—";
    QTest::newRow("beyond a line") << 1e300 << "W"
                                   << "1E+300 W";
    QTest::newRow("input as typed") << 0.6 << "input m"
                                    << "0.6 m";
    QTest::newRow("input computed") << 15.5988333333333 << "input W"
                                    << "15.6 W";
}

void TestReport::roundingForPeople() {
    QFETCH(double, value);
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    QString text;
    if (kind == "W") text = reportPower(value);
    if (kind == "W/K") text = reportConductance(value);
    if (kind == "°C") text = reportTemperature(value);
    if (kind == "K") text = reportDifference(value);
    if (kind == "m²") text = reportArea(value);
    if (kind == "m³/h") text = reportAirflow(value);
    if (kind == "input m") text = reportInput(value, 3, ReportUnit::kMetres);
    if (kind == "input W") text = reportInput(value, 1, ReportUnit::kWatt);
    QCOMPARE(text, expected);
}

void TestReport::chartLabelsShowOnPaper_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("panel");  // the part of the window on the page
    // Differences of 10 K and more: the calculation opens the chart window.
    QTest::newRow("aircon") << "OptBoxAircon" << QStringList{"txtT2=30"} << "frmAircon"
                            << "SSPanel1";
    QTest::newRow("fan1") << "OptBoxFan1" << QStringList{} << "frmFan1"
                          << "Frame1";
    QTest::newRow("fan2 measured temperatures") << "OptBoxFan2" << QStringList{} << "frmFan2"
                                                << "SSPanel1";
}

void TestReport::chartLabelsShowOnPaper() {
    QFETCH(QString, mode);
    QFETCH(QStringList, edits);
    QFETCH(QString, window);
    QFETCH(QString, panel);
    TestApp t;
    Form1* form = t.start();
    clickMode(form, mode);
    applyEdits(form, edits);
    form->cmdCal->click();
    QWidget* chartWindow = nullptr;
    for (QWidget* w : t.app->loadedWindows())
        if (w->objectName() == window) chartWindow = w;
    QVERIFY(chartWindow);
    const QWidget* onScreen = chartWindow->findChild<QWidget*>(panel);
    QVERIFY(onScreen);

    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);
    const std::optional<ReportChartPlace> place =
        designReportChartPlace(collectDesignReport(*t.app, QDateTime::currentDateTime()));
    QVERIFY(place);
    constexpr int kDpi = 192;
    run("pdftoppm", {"-png", "-r", QString::number(kDpi), "-f", QString::number(place->page), "-l",
                     QString::number(place->page), "-singlefile", path, t.programDir() + "/page"});
    const QImage page = QImage(t.programDir() + "/page.png").convertToFormat(QImage::Format_RGB32);
    QVERIFY(!page.isNull());
    const double scale = place->rect.width() / onScreen->width();
    const double toPixels = kDpi / 96.0;

    // Every label the window shows, in the window's place scaled onto the
    // page, has pixels of its colour there.
    int checked = 0;
    for (const QLabel* label : onScreen->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(chartWindow) || label->text().trimmed().isEmpty()) continue;
        const QRect inPanel =
            QRect(label->mapTo(onScreen, QPoint(0, 0)), label->size()) & onScreen->rect();
        if (inPanel.isEmpty()) continue;
        const QRectF onPage(place->rect.topLeft() + QPointF(inPanel.topLeft()) * scale,
                            QSizeF(inPanel.size()) * scale);
        const QRect box =
            QRectF(onPage.topLeft() * toPixels, onPage.size() * toPixels).toAlignedRect() &
            page.rect();
        const QColor colour = label->palette().color(label->foregroundRole());
        const bool red = colour.red() > 150 && colour.green() < 100;
        int ink = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                const QColor c = page.pixelColor(x, y);
                ink += red ? (c.red() > 150 && c.green() < 110 && c.blue() < 110)
                           : (c.red() < 110 && c.green() < 110 && c.blue() < 110);
            }
        }
        QVERIFY2(ink >= 4, qPrintable(QStringLiteral("label \"%1\" not on the page at %2,%3")
                                          .arg(label->text())
                                          .arg(box.x())
                                          .arg(box.y())));
        ++checked;
    }
    QVERIFY(checked > 10);
}

void TestReport::tableAcrossPagesRepeatsItsHeading() {
    TestApp t(shippedIni());
    Form1* form = t.start();
    form->cmdHeatValue->click();
    auto* heat = t.app->loadedWindow<frmHeatValue>();
    QVERIFY(heat);
    // Every component once: more rows than the first page holds.
    int rows = 0;
    for (const HeatFamilyRows& family : heatFamilies()) {
        for (size_t i = 0; i < family.rows.size(); ++i, ++rows)
            heat->countField(family.family, static_cast<int>(i))->setText("1");
    }
    QVERIFY(rows > 40);
    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);
    const QString first =
        QString::fromUtf8(run("pdftotext", {"-raw", "-f", "1", "-l", "1", path, "-"})).simplified();
    const QString second =
        QString::fromUtf8(run("pdftotext", {"-raw", "-f", "2", "-l", "2", path, "-"})).simplified();
    const QString header = "부품 개수 개당 발열량 소계";
    QVERIFY2(first.contains(header), qPrintable(first));
    // The rows go on under the heading and the header row again.
    QVERIFY2(second.startsWith("종류별 발열량 창의 부품 (계속) " + header), qPrintable(second));
}

void TestReport::documentInformation() {
    TestApp t;
    t.start();
    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);
    const QString info = QString::fromUtf8(run("pdfinfo", {path})).simplified();
    verifyContains(info,
                   {"Title: 제어반 열 설계 보고서", "Author: CabinetCool",
                    "Subject: 제어반 열 설계 보고서: 필요 냉각 능력 R 1275.0 W, 추천 VKA-1600BR",
                    "Keywords: 제어반, 열 설계, Box Aircon (내부발열량으로 측정), VKA-1600BR"});
    // Every object still stands where the cross-reference table says.
    const QByteArray pdf = readAll(path);
    const qsizetype startXref = pdf.lastIndexOf("startxref\n");
    QVERIFY(startXref > 0);
    const qsizetype xref = pdf.mid(startXref + 10).split('\n').first().trimmed().toLongLong();
    QVERIFY(pdf.mid(xref, 5) == "xref\n");
    const QList<QByteArray> head = pdf.mid(xref + 5, 20).split('\n').first().split(' ');
    const int count = head.value(1).toInt();
    QVERIFY(count > 10);
    const qsizetype entries = xref + 5 + pdf.indexOf('\n', xref + 5) - (xref + 5) + 1;
    for (int i = 0; i < count; ++i) {
        const QByteArray entry = pdf.mid(entries + 20 * i, 20);
        if (entry.at(17) != 'n') continue;
        const qsizetype offset = entry.left(10).toLongLong();
        QVERIFY2(pdf.mid(offset).startsWith(QByteArray::number(i) + " 0 obj"),
                 qPrintable(QString("object %1 not at %2").arg(i).arg(offset)));
    }
    QVERIFY(pdfText(path).contains("가정과 방법"));
}

void TestReport::dialogStartsWhereTheUserCanWrite() {
    // Cool/ is a plain file here, as a read-only program folder is to a user.
    TestApp t;
    QFile cool(t.programDir() + "/Cool");
    QVERIFY(cool.open(QIODevice::WriteOnly));
    cool.close();
    QTemporaryDir documents;
    InstallPaths paths = desktopInstallPaths(t.programDir());
    paths.userDocumentsDir = documents.path().toStdU16String();
    t.app = std::make_unique<CabinetCoolApp>(t.platform, paths);
    Form1* form = t.start();
    const QString userFolder = documents.path() + "/CabinetCool";

    form->cmdSaveAs->click();  // cancelled
    const QString report = userFolder + "/report.pdf";
    makeReport(t, report);
    QCOMPARE(t.platform.saveDialogs.size(), 2);
    QCOMPARE(t.platform.saveDialogs[1].startFolder, userFolder);
    QCOMPARE(t.platform.saveDialogs[1].startFolder, t.platform.saveDialogs[0].startFolder);
    QCOMPARE(t.platform.messages, QStringList());
    QVERIFY(QFileInfo(report).size() > 0);
}

void TestReport::headerAndSignOff_data() {
    QTest::addColumn<QStringList>("info");  // name, customer, site, author, company, revision, date
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("everything given")
        << QStringList{"남부 변전소", "한빛전력",  "광주 2공장", "김민수", "CabinetCool 엔지니어링",
                       "B",           "2026-12-10"}
        << "주 배전반 입선반" << 3
        << QStringList{"프로젝트 남부 변전소", "고객 한빛전력", "현장 광주 2공장", "작성자 김민수",
                       "회사 CabinetCool 엔지니어링", "개정 B", "날짜 2026-12-10", "제어반 +A1",
                       "설명 주 배전반 입선반", "수량 3대",
                       // 작성 signed by the author; 검토 and 승인 blank lines
                       "작성 성명 김민수 날짜 검토 성명 날짜 승인 성명 날짜"}
        << QStringList{};
    QTest::newRow("only a name") << QStringList{"남부 변전소", "", " ", "", "", "", ""} << "" << 1
                                 << QStringList{"프로젝트 남부 변전소", "제어반 +A1", "수량 1대",
                                                "작성 성명 날짜 검토 성명 날짜 승인 성명 날짜"}
                                 << QStringList{"고객", "현장", "작성자", "회사", "개정", "설명"};
}

void TestReport::headerAndSignOff() {
    QFETCH(QStringList, info);
    QFETCH(QString, description);
    QFETCH(int, count);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, absent);
    TestApp t;
    t.start();
    ProjectSession& session = t.app->project();
    ProjectInfo i;
    i.name = info[0];
    i.customer = info[1];
    i.site = info[2];
    i.author = info[3];
    i.company = info[4];
    i.revision = info[5];
    i.date = info[6];
    session.setInfo(i);
    session.setCabinetDescription(0, description);
    QCOMPARE(session.setCabinetCount(0, count), QString());

    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);
    const QString text = pdfText(path);
    verifyContains(text, expected);
    for (const QString& a : absent)
        QVERIFY2(!text.contains(a + " "), qPrintable("not given, yet printed: " + a));
    // The header on the first page, the sign-off after the methods.
    const QString first =
        QString::fromUtf8(run("pdftotext", {"-raw", "-f", "1", "-l", "1", path, "-"}));
    QVERIFY(first.contains("제어반 +A1"));
    QVERIFY(text.indexOf("가정과 방법") < text.indexOf("승인"));
}

namespace {

// The temperature rise window opened through its button and given `values`.
frmRise* openRise(TestApp& t, const QVariantMap& values) {
    t.form()->findChild<QPushButton*>("cmdRise")->click();
    frmRise* rise = t.app->loadedWindow<frmRise>();
    if (!rise) qFatal("no temperature rise window");
    rise->applyInputValues(values);
    return rise;
}

// A 2000 × 800 × 600 mm enclosure against a wall (arrangement 2), one
// horizontal partition, 800 W, closed; 35 °C outside, 75 °C allowed at half
// the height and 90 °C at the top.
QVariantMap wallEnclosure() {
    return {{"cboRiseInstall", 2},   {"txtRiseHeight", "2"},     {"txtRiseWidth", "0.8"},
            {"txtRiseDepth", "0.6"}, {"txtRisePartitions", "1"}, {"chkRiseVent", false},
            {"txtRiseP", "800"},     {"txtRiseTu", "35"},        {"txtRiseTmax05", "75"},
            {"txtRiseTmax10", "90"}, {"chkRiseOverride", false}};
}

}  // namespace

void TestReport::riseSection() {
    TestApp t;
    t.start();
    openRise(t, wallEnclosure());
    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);
    const QString text = pdfText(path);
    // By hand: Ae = 1.4·0.48 + 0.9·1.6 + 0.5·1.6 + 2·0.9·1.2 = 5.072 m²;
    // f = 2^1.35 / 0.48 = 5.311; k = 0.58·5.072^-0.795 = 0.1595;
    // c (curve 2, one covered face) = -0.0017·f² + 0.055·f + 1.164 = 1.408;
    // d (one partition, closed) = 1.05; x = 0.804;
    // Δt0.5 = 1.05·0.1595·800^0.804 = 36.15 K, Δt1.0 = c·Δt0.5 = 50.90 K,
    // Δt0.75 = (36.15 + 50.90) / 2 = 43.52 K; air 71.1, 78.5, 85.9 °C;
    // margins 75 - 71.15 = 3.85 K, 90 - 85.90 = 4.10 K.
    verifyContains(text, {"온도 상승 검증 (IEC/TR 60890)",
                          "높이 H 2 m",
                          "폭 W 0.8 m",
                          "깊이 D 0.6 m",
                          "수평 칸막이 수 1",
                          "환기구 없음",
                          "손실 전력 P 800 W",
                          "외기 온도 Tu 35 °C",
                          "허용 온도 (1/2 높이) 75 °C",
                          "허용 온도 (상부) 90 °C",
                          "유효 냉각 표면 Ae 5.072 m²",
                          "f = H^1.35 / (W·D) 5.31",
                          "외함 상수 k 0.160",
                          "온도 분포 계수 c (배치 곡선 2) 1.408",
                          "칸막이 계수 d 1.05",
                          "지수 x 0.804",
                          "c, d, k 직접 지정 아니오",
                          "Δt0.5 (1/2 높이) 36.1 K",
                          "공기 온도 (1/2 높이) 71.1 °C",
                          "Δt0.75 (3/4 높이) 43.5 K",
                          "공기 온도 (3/4 높이) 78.5 °C",
                          "Δt1.0 (상부) 50.9 K",
                          "공기 온도 (상부) 85.9 °C",
                          "적합 (1/2 높이 여유 3.9 K, 상부 여유 4.1 K)",
                          "IEC/TR 60890의 적용 범위 안에서 계산했습니다.",
                          "k = 0.58·Ae^-0.795",
                          "x = 0.804 (밀폐), 0.715 (환기구)"});
    // Rounded results; the method's fitted constants stand as the source
    // gives them.
    verifyForCustomer(text.left(text.indexOf("가정과 방법")));

    // Beyond the method: four partitions give no rise, and the report says
    // why without telling anyone what to type; overridden factors are named.
    QVariantMap beyond = wallEnclosure();
    beyond.insert("txtRisePartitions", "4");
    t.app->loadedWindow<frmRise>()->applyInputValues(beyond);
    makeReport(t, path);
    const QString refused = pdfText(path);
    verifyContains(refused, {"Δt0.5 (1/2 높이) —", "판정 (허용 온도 대비) —",
                             "수평 칸막이가 3개를 넘어 IEC/TR 60890의 방법을 적용할 수 없습니다."});
    verifyForCustomer(refused.left(refused.indexOf("가정과 방법")));
    QVariantMap overridden = wallEnclosure();
    overridden.insert("chkRiseOverride", true);
    overridden.insert("txtRiseOverrideC", "1.5");
    overridden.insert("txtRiseOverrideD", "1");
    overridden.insert("txtRiseOverrideK", "0.2");
    t.app->loadedWindow<frmRise>()->applyInputValues(overridden);
    makeReport(t, path);
    verifyContains(pdfText(path),
                   {"c, d, k 직접 지정 예", "외함 상수 k 0.200",
                    "c, d, k는 설계자가 직접 정한 값입니다 (곡선과 표의 값: c = 1.408, d = 1.05, "
                    "k = 0.160)."});
}

// The device list on paper, from the cabinet the project keeps: the lines
// with the factors used, the sums, each margin, the critical device, the
// methods and constants; the project's summary names the critical device.
void TestReport::devicesSection() {
    TestApp t;
    t.start();
    ProjectSession& session = t.app->project();
    auto line = [](std::initializer_list<std::pair<const char*, const char*>> members) {
        DeviceLineTexts l;
        for (const auto& [k, v] : members) l.insert(k, v);
        return l;
    };
    session.setCabinetDevices(
        0,
        {line({{"kind", "device"},
               {"description", "주 차단기"},
               {"count", "4"},
               {"in", "32"},
               {"pn", "5"},
               {"group", "G1"},
               {"height", "0.9"},
               {"tmax", "40"}}),
         line({{"kind", "device"},
               {"description", "PLC"},
               {"count", "1"},
               {"pn", "12"},
               {"height", "하부"},
               {"tmax", "55"}}),
         line({{"kind", "conductor"},
               {"description", "주 회로 도체"},
               {"count", "3"},
               {"section", "16"},
               {"length", "2"},
               {"current", "63"}}),
         line({{"kind", "device"}, {"description", "잘못된 줄"}, {"count", "1.5"}, {"pn", "3"}})});
    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);
    const QString text = pdfText(path);
    // 4 · 5 · 0.8² = 12.8 W; 12 W; 3 · 63² · 1.15e-3 · 2 · 1.1965 = 32.77 W.
    verifyContains(text, {"기기 발열 및 허용 온도", "1 주 차단기 4 32 A 5 W 32 A 0.80 12.8 W",
                          "2 PLC 1 — 12 W — — 12.0 W",
                          "3 주 회로 도체 (구리 2등급, 70 °C) 3 16 mm² 2 m 63 A 1.00 32.8 W",
                          "기기 손실 합계 24.8 W", "도체 손실 합계 32.8 W", "손실 합계 57.6 W",
                          "합계에서 제외한 줄 1줄 (입력 오류)",
                          "4행 잘못된 줄: 수량: 1.5은(는) 0부터의 정수가 아닙니다.",
                          "주 계산의 반내 온도 Ti 35 °C", "주 계산에 쓴 발열량 P 1100.0 W",
                          "2 PLC 0.25 35.0 °C 55.0 °C 20.0 K 적합",
                          "1 주 차단기 0.9 35.0 °C 40.0 °C 5.0 K 적합",
                          "적합 — 임계 기기: 1행 주 차단기, 주위 온도 35.0 °C, 허용 온도 40.0 °C, "
                          "여유 5.0 K",
                          "IEC 61439-2 표 101", "IEC 60228 표 2", "α = 0.00393 /K", "70 °C"});
    verifyForCustomer(text.left(text.indexOf("가정과 방법")));

    const ProjectReport project = collectProjectReport(*t.app, QDateTime::currentDateTime());
    QCOMPARE(project.rows[0].critical, QStringLiteral("주 차단기 (적합, 여유 5.0 K)"));
    session.addCabinet();
    const ProjectReport two = collectProjectReport(*t.app, QDateTime::currentDateTime());
    QCOMPARE(two.rows[1].critical, QStringLiteral("—"));
    QVERIFY(two.cabinets[0].devices && !two.cabinets[1].devices);
}

void TestReport::riseSectionOnlyWhileOpen() {
    TestApp t;
    t.start();
    const QString path = t.programDir() + "/report.pdf";
    makeReport(t, path);
    QVERIFY(!pdfText(path).contains("온도 상승"));
    // Opened and closed without an edit: the cabinet has no verification.
    t.form()->findChild<QPushButton*>("cmdRise")->click();
    t.app->loadedWindow<frmRise>()->cmdRiseExit->click();
    processDeferredDeletes();
    makeReport(t, path);
    QVERIFY(!pdfText(path).contains("온도 상승"));
    // Edited: the verification belongs to the cabinet, window open or not,
    // and its verdict follows the main window's P it was not given.
    QVariantMap followsP = wallEnclosure();
    followsP.remove("txtRiseP");
    openRise(t, followsP);
    t.app->loadedWindow<frmRise>()->cmdRiseExit->click();
    processDeferredDeletes();
    makeReport(t, path);
    verifyContains(pdfText(path), {"온도 상승 검증 (IEC/TR 60890)", "손실 전력 P 1100 W"});
    setField(t.form(), "txtPP", "800");
    makeReport(t, path);
    verifyContains(pdfText(path), {"손실 전력 P 800 W", "공기 온도 (상부) 85.9 °C"});
}

namespace {

// The pages of a PDF as pdfinfo counts them.
int pageCount(const QString& path) {
    const QString info = QString::fromUtf8(run("pdfinfo", {path}));
    const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pageText(const QString& path, int page) {
    const QString n = QString::number(page);
    return QString::fromUtf8(
               run("pdftotext", {"-raw", "-enc", "UTF-8", "-f", n, "-l", n, path, "-"}))
        .simplified();
}

}  // namespace

void TestReport::projectReport() {
    TestApp t;
    Form1* form = t.start();
    ProjectSession& session = t.app->project();
    ProjectInfo info;
    info.name = "남부 변전소";
    info.customer = "한빛전력";
    info.author = "김민수";
    session.setInfo(info);
    // +A1: the aircon's start-up values, two of them; +A2: a fan; +A3: an
    // input that is no number.
    QCOMPARE(session.setCabinetCount(0, 2), QString());
    form->cmdCal->click();
    session.addCabinet();
    clickMode(form, "OptBoxFan1");
    form->cmdCal->click();
    session.addCabinet();
    setField(form, "txtHeight", "2m");
    // +A3 keeps the temperature-rise window's inputs of a design that fits.
    Project project = session.project();
    project.cabinets[2].rise = wallEnclosure();
    session.openProject(project, QString(), false, kProjectFormatVersion);
    QCOMPARE(session.project().cabinets.size(), 3);

    // The window open on +A2 and +A2 current when the report is made.
    session.makeCurrent(1);
    form->cmdCal->click();
    QVariantMap tooWarm = wallEnclosure();
    tooWarm.insert("txtRiseTmax10", "80");
    openRise(t, tooWarm);
    form->setCalculationFile(t.programDir() + "/Cool/fan.col");
    const QStringList before = fieldTexts(form);
    const Project projectBefore = session.project();
    const bool modifiedBefore = session.modified();
    t.platform.messages.clear();

    form->findChild<QPushButton*>("cmdProject")->click();
    QPushButton* button = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!button) button = w->findChild<QPushButton*>("cmdProjReport");
    QVERIFY(button);
    const QString path = t.programDir() + "/project.pdf";
    t.platform.saveAnswers.enqueue(path);
    button->click();
    QCOMPARE(t.platform.messages, QStringList());

    // The dialog starts where the design report's does and offers the name.
    QVERIFY(!t.platform.saveDialogs.isEmpty());
    const auto dialog = t.platform.saveDialogs.last();
    QCOMPARE(dialog.defaultName, QDate::currentDate().toString("yyyy-MM-dd") + " 남부 변전소.pdf");
    makeReport(t, t.programDir() + "/one.pdf");
    QCOMPARE(t.platform.saveDialogs.last().startFolder, dialog.startFolder);

    // The cover: the project's data and a line per cabinet.
    const QString cover = pageText(path, 1);
    verifyContains(cover, {"프로젝트 열 설계 보고서", "프로젝트 남부 변전소", "고객 한빛전력",
                           "제어반 수량 필요 능력 장치 추천 모델 기준 방법 온도 상승 검증",
                           "+A1 2 1275.0 W 에어컨 VKA-1600BR 기본 계산 —",
                           "+A2 1 15.6 W/K 열교환기·팬 VK-280 기본 계산 부적합",
                           "+A3 1 계산하지 않음 (입력 오류) 에어컨 — 기본 계산 적합",
                           // One line per model over the project, a cabinet's count
                           // multiplying its units.
                           "장비 목록", "종류 모델 능력 제어반 대수",
                           "에어컨 VKA-1600BR 1600.0 W +A1 2", "열교환기·팬 VK-280 17.5 W/K +A2 1",
                           "작성 성명 김민수 날짜 검토 성명 날짜 승인 성명 날짜"});
    QVERIFY(!cover.contains("현장"));

    // Every page numbered through the whole document; each cabinet from a
    // page of its own, in the order of the project.
    const int pages = pageCount(path);
    QVERIFY2(pages > 4, qPrintable(QString::number(pages)));
    QList<int> starts;
    for (int page = 1; page <= pages; ++page) {
        const QString text = pageText(path, page);
        QVERIFY2(text.endsWith(QStringLiteral("%1 / %2").arg(page).arg(pages)),
                 qPrintable(text.right(40)));
        if (text.startsWith("제어반 열 설계 보고서 작성 일시")) starts << page;
        for (int i = 0; i < 3; ++i) {
            if (text.contains(QStringLiteral("제어반 +A%1 ").arg(i + 1)))
                QCOMPARE(starts.size(), i + 1);
        }
    }
    QCOMPARE(starts.size(), 3);
    QCOMPARE(starts.first(), 2);
    const QString text = pdfText(path);
    verifyContains(text, {"수량 2대", "Box Fan (내부발열량으로 측정)",
                          "높이 H: 입력 \"2m\"는 하나의 숫자가 아닙니다"});
    // The verification of every cabinet that keeps one, whichever window is
    // open: +A2 (the window's inputs went into it) and +A3.
    QCOMPARE(text.count("온도 상승 검증 (IEC/TR 60890)"), 2);
    QVERIFY(text.indexOf("제어반 +A2 ") < text.indexOf("온도 상승 검증 (IEC/TR 60890)"));
    // +A2 is cooled by a fan: its verification is of the enclosure alone.
    QVERIFY(text.contains("냉각 장치 없이 닫힌 외함만의 온도 상승"));

    // The program as it was.
    QCOMPARE(session.currentIndex(), 1);
    QCOMPARE(fieldTexts(form), before);
    QCOMPARE(form->selectedMode(), SelectionMode::Fan1);
    QCOMPARE(form->calculationFile(), t.programDir() + "/Cool/fan.col");
    QCOMPARE(session.project().cabinets[0].count, 2);
    QVERIFY(session.project() == projectBefore);
    QCOMPARE(session.modified(), modifiedBefore);

    // A project as its file opens it, every cabinet calculated: the report
    // only visits the cabinets.
    Project opened = session.project();
    for (Cabinet& c : opened.cabinets) c.results.calculated = true;
    session.openProject(opened, QString(), false, kProjectFormatVersion);
    QVERIFY(!session.modified());
    t.platform.saveAnswers.enqueue(path);
    button->click();
    QCOMPARE(t.platform.messages, QStringList());
    QCOMPARE(session.currentIndex(), 0);
    // Visiting the cabinets changes none of them: each keeps the status its
    // results were kept with, and the project is as unmodified as before.
    QVERIFY(session.project() == opened);
    QVERIFY(!session.modified());
}

namespace {

// A PDF without what changes from one writing to the next: the moment it
// was written.
QByteArray withoutTimes(QByteArray pdf) {
    static const QRegularExpression date("/(CreationDate|ModDate) ?\\(D:[^)]*\\)");
    return QString::fromLatin1(pdf).replace(date, "/\\1 ()").toLatin1();
}

}  // namespace

void TestReport::projectReportIsAFunctionOfTheFile() {
    // The three cabinets of a saved project: a switchboard, an outdoor
    // cabinet with its climate design (sun, heater, humid air) and a wall
    // box that keeps a temperature-rise verification.
    TestApp t;
    Form1* form = t.start();
    QVERIFY(openProjectFile(*t.app, form, CC_TEST_DATA_DIR "/project/three-cabinets-v1.ccproj"));
    const QDateTime made(QDate(2026, 12, 11), QTime(9, 30));
    const QByteArray alone = withoutTimes(projectReportPdf(collectProjectReport(*t.app, made)));
    QVERIFY(!alone.isEmpty());

    // Every window open, on one cabinet and then another: the same document.
    form->findChild<QPushButton*>("cmdProject")->click();
    for (int current : {2, 1}) {
        t.app->project().makeCurrent(current);
        form->findChild<QPushButton*>("cmdClimate")->click();
        form->findChild<QPushButton*>("cmdRise")->click();
        form->findChild<QPushButton*>("cmdHeatValue")->click();
        QVERIFY(t.app->loadedWindow<frmClimate>());
        QVERIFY(t.app->loadedWindow<frmRise>());
        QVERIFY(t.app->loadedWindow<frmHeatValue>());
        const QByteArray open = withoutTimes(projectReportPdf(collectProjectReport(*t.app, made)));
        QVERIFY2(open == alone, qPrintable(QString("with the windows on cabinet %1").arg(current)));
    }

    // What the file holds, on paper: the outdoor cabinet's climate design
    // governs, its sunlit area follows its height; the wall box's verdict is
    // of the main window's 100 W, not the 32 W its window once showed.
    const ProjectReport report = collectProjectReport(*t.app, made);
    QCOMPARE(report.rows.size(), 3);
    QCOMPARE(report.rows[1].method, QString("상세 설계"));
    QCOMPARE(report.rows[2].rise, QString("부적합"));
    const QString path = t.programDir() + "/project.pdf";
    QString error;
    QVERIFY(writeProjectReportPdf(report, path, &error));
    const QString text = pdfText(path);
    verifyContains(text, {"햇빛 받는 면적 1.380 m² (지붕과 앞면)", "손실 전력 P 100 W", "장비 목록",
                          "종류별 발열량 창의 부품"});
    // A second glance after the height changed: 0.6·0.5 + 0.6·2.2 m².
    setField(form, "txtHeight", "2.2");
    t.app->project().makeCurrent(0);
    const ProjectReport taller = collectProjectReport(*t.app, made);
    QVERIFY(writeProjectReportPdf(taller, path, &error));
    verifyContains(pdfText(path), {"햇빛 받는 면적 1.620 m² (지붕과 앞면)"});
}

// A large project is drawn in parts side by side and joined: the same pages
// as one piece, numbered through, in a file a reader takes without a fault.
void TestReport::projectReportDrawnInParts() {
    TestApp t;
    Form1* form = t.start();
    QVERIFY(openProjectFile(*t.app, form, CC_TEST_DATA_DIR "/project/three-cabinets-v1.ccproj"));
    const ProjectReport report = collectProjectReport(*t.app, QDateTime::currentDateTime());
    QTemporaryDir dir;
    auto pages = [&](int parts) {
        const QString path = dir.filePath(QString("parts-%1.pdf").arg(parts));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(projectReportPdf(report, {}, parts)) <= 0)
            qFatal("no report in %d parts", parts);
        file.close();
        QProcess p;
        p.start("pdftotext", {"-raw", "-enc", "UTF-8", path, "-"});
        if (!p.waitForFinished(30000) || p.exitCode() != 0) qFatal("pdftotext failed");
        const QByteArray faults = p.readAllStandardError();
        if (!faults.isEmpty()) qFatal("the reader found faults: %s", faults.constData());
        return QString::fromUtf8(p.readAllStandardOutput()).split(QChar('\f'));
    };
    const QStringList whole = pages(1);
    const int count = static_cast<int>(whole.size()) - 1;  // after the last page's form feed
    QVERIFY(count >= 4);
    for (int parts : {2, 3}) {
        const QStringList joined = pages(parts);
        QCOMPARE(joined, whole);
    }
    for (int page = 1; page <= count; ++page) {
        QVERIFY2(whole[page - 1].contains(QString("%1 / %2").arg(page).arg(count)),
                 qPrintable(QString("page %1").arg(page)));
    }
    // Documents that do not join give nothing, never a damaged file.
    const QByteArray one = projectReportPdf(report, {}, 1);
    QVERIFY(joinPdfs({one, QByteArray("%PDF-1.4\nnot a document")}).isEmpty());
    QVERIFY(joinPdfs({one.left(one.size() / 2), one}).isEmpty());
}

void TestReport::cancelledProjectReportWritesNothing_data() {
    QTest::addColumn<int>("after");  // progress steps before "취소"
    QTest::newRow("first cabinet") << 0;
    QTest::newRow("third cabinet") << 2;
}

void TestReport::cancelledProjectReportWritesNothing() {
    QFETCH(int, after);
    TestApp t;
    Form1* form = t.start();
    QVERIFY(openProjectFile(*t.app, form, CC_TEST_DATA_DIR "/project/three-cabinets-v1.ccproj"));
    form->findChild<QPushButton*>("cmdProject")->click();
    auto* button = t.app->loadedWindow<frmProject>()->cmdProjReport;
    QTemporaryDir dir;
    const QString path = dir.filePath("project.pdf");
    t.platform.saveAnswers.enqueue(path);
    // The user presses "취소" once the bar has come that far.
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&]() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* bar = qobject_cast<QProgressDialog*>(w);
            if (bar && bar->value() >= after) bar->cancel();
        }
    });
    watch.start();
    button->click();
    watch.stop();
    QCOMPARE(t.platform.messages, QStringList());
    // No file, and nothing of one left beside it.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
    // The same report, not cancelled, is written.
    t.platform.saveAnswers.enqueue(path);
    button->click();
    QVERIFY(QFileInfo(path).size() > 0);

    // Stopped while its pages are laid out or drawn: no bytes to write.
    const ProjectReport report = collectProjectReport(*t.app, QDateTime::currentDateTime());
    for (int stop : {0, 3, 5}) {
        int steps = 0;
        QVERIFY(projectReportPdf(report, [&]() { return steps++ < stop; }).isEmpty());
    }
    int steps = 0;
    QVERIFY(!projectReportPdf(report, [&]() { return ++steps > 0; }).isEmpty());
    QCOMPARE(steps, 6);  // each cabinet counted, then drawn
}

void TestReport::riseVerdictOfKeptInputs_data() {
    QTest::addColumn<QVariantMap>("changes");
    QTest::addColumn<QStringList>("removed");
    QTest::addColumn<QString>("expected");  // empty: none
    const QVariantMap none;
    QTest::newRow("fits") << none << QStringList{} << "적합";
    QTest::newRow("too warm at the top")
        << QVariantMap{{"txtRiseTmax10", "80"}} << QStringList{} << "부적합";
    // The faces on their own, as the window keeps them: all exposed but the
    // back, as arrangement 2.
    QTest::newRow("faces without arrangement") << QVariantMap{{"cboRiseTop", 0},
                                                              {"cboRiseFront", 0},
                                                              {"cboRiseBack", 1},
                                                              {"cboRiseLeft", 0},
                                                              {"cboRiseRight", 0}}
                                               << QStringList{"cboRiseInstall"} << "적합";
    // A face of its own over the arrangement: the back exposed too makes the
    // enclosure cooler, not warmer.
    QTest::newRow("a face over the arrangement")
        << QVariantMap{{"cboRiseBack", 0}, {"txtRiseTmax10", "85"}} << QStringList{} << "적합";
    QTest::newRow("outlet too small")
        << QVariantMap{{"chkRiseVent", true}, {"txtRiseInlet", "300"}, {"txtRiseOutlet", "200"}}
        << QStringList{} << "적합 (적용 범위 밖, 참고)";
    QTest::newRow("openings without their areas")
        << QVariantMap{{"chkRiseVent", true}} << QStringList{} << "";
    QTest::newRow("four partitions")
        << QVariantMap{{"txtRisePartitions", "4"}} << QStringList{} << "";
    QTest::newRow("not a number") << QVariantMap{{"txtRiseP", "800W"}} << QStringList{} << "";
    QTest::newRow("a face out of range") << QVariantMap{{"cboRiseLeft", 7}} << QStringList{} << "";
    QTest::newRow("no power kept") << none << QStringList{"txtRiseP"} << "";
    // Nothing of the arrangement kept: the window's own start, a single
    // free-standing enclosure, which is cooler than one against a wall.
    QTest::newRow("no arrangement kept")
        << QVariantMap{{"txtRiseTmax10", "86"}} << QStringList{"cboRiseInstall"} << "적합";
}

void TestReport::riseVerdictOfKeptInputs() {
    QFETCH(QVariantMap, changes);
    QFETCH(QStringList, removed);
    QFETCH(QString, expected);
    QVariantMap inputs = wallEnclosure();
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        inputs.insert(it.key(), it.value());
    for (const QString& name : removed) inputs.remove(name);
    const std::optional<QString> verdict = riseVerdictOfInputs(inputs);
    QCOMPARE(verdict.value_or(QString()), expected);
    QVERIFY(!riseVerdictOfInputs({}));
}

void TestReport::projectReportFileName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "남부 변전소"
                           << "2026-12-10 남부 변전소.pdf";
    QTest::newRow("separators") << "A/B:C*?"
                                << "2026-12-10 A_B_C__.pdf";
    QTest::newRow("blank") << "  "
                           << "2026-12-10 프로젝트.pdf";
    QTest::newRow("dots") << ".."
                          << "2026-12-10 프로젝트.pdf";
}

void TestReport::projectReportFileName() {
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(defaultProjectReportFileName(QDate(2026, 12, 10), name), expected);
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
