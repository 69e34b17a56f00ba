#include <sys/resource.h>

#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

#include "CommaLocale.h"
#include "FileSizeLimit.h"
#include "TestApp.h"
#include "charts/frmFan2.h"
#include "climate/frmClimate.h"
#include "heat/frmHeatValue.h"
#include "report/ReportCommands.h"

namespace {

const QString kTitle = QStringLiteral("제어반 열 설계 보고서");
const QString kHotter = QStringLiteral("계산 결과입니다.(희망설정온도<최고외기온도)");
const QString kCooler = QStringLiteral("계산 결과입니다.(희망설정온도>최고외기온도)");
const QString kHigh = QStringLiteral("설정 온도가 높습니다");
const QString kEqual = QStringLiteral("최고 외기온도와 설정온도가 같습니다. 다시 입력하세요");
const QString kNegative = QStringLiteral("반 자연발생 열량 값을 높게 잡으셔야 됩니다!~");
const QString kExceeded =
    QStringLiteral("선정된 모델을 초과 하였습니다. (추천모델 냉각능력 X 갯수)로 계산하세요.");
const QString kSmall =
    QStringLiteral("최고 외기온도와 설정온도가 차이가 적습니다(10 이상). 다시 입력하세요.");
const QString kOutOfRange =
    QStringLiteral("입력한 값이 계산할 수 있는 범위를 벗어났습니다. 값을 확인하세요.");
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
        QVERIFY2(text.contains(e.simplified()), qPrintable("missing: " + e));
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
                                                    "열관류율 U 5 W/㎡K",
                                                    "제어반내 발열량 P (추정치) 1100 W",
                                                    "최고 외기 온도 T1 40 °C",
                                                    "제어반내 희망 설정 온도 T2 35 °C",
                                                    "표면적 A 7 ㎡",
                                                    "설계 온도 차 ΔT 5 K",
                                                    "벽을 통한 열 U·A·ΔT 175 W",
                                                    "필요 냉각 능력 R 1275.00 W",
                                                    "추천 모델 VKA-1600BR",
                                                    "추천 모델 냉각 능력 1600 W",
                                                    kHotter,
                                                    kSmall,
                                                    "Cabinet Aircon - 내부 발열량 Diagram",
                                                    "희망 설정 온도 대역 35 °C ≤ T2 < 40 °C",
                                                    "선 값 15.2",
                                                    "필요한 냉각 능력 1216 W"};
    QTest::newRow("aircon resin, chart opens")
        << "OptBoxAircon" << QStringList{"material=1", "txtT2=30", "txtPP=3400"}
        << QStringList{"열관류율 U 3.7 W/㎡K",
                       "재질 수지",
                       "벽을 통한 열 U·A·ΔT 259 W",
                       "필요 냉각 능력 R 3659.00 W",
                       "추천 모델 VKA-3500BR",
                       kHotter,
                       kExceeded,
                       "선 값 14.2",
                       "필요한 냉각 능력 1136 W"};
    QTest::newRow("fan1 defaults") << "OptBoxFan1" << QStringList{}
                                   << QStringList{"Box Fan (내부발열량으로 측정)",
                                                  "높이 H 1.25 m",
                                                  "폭 W 0.63 m",
                                                  "깊이 D 0.63 m",
                                                  "제어반내 발열량 P (추정치) 500 W",
                                                  "반내 허용 온도 T2 55 °C",
                                                  "표면적 A 3.5469 ㎡",
                                                  "설계 온도 차 ΔT = T2 - T1 15 K",
                                                  "필요 열교환 능력 R 15.60 W/K",
                                                  "추천 모델 VK-280",
                                                  "추천 모델 열교환 능력 17.5 W/K",
                                                  "Cabinet FAN - 반내발열량(Diagram)",
                                                  "반내 발열량 P 500 W",
                                                  "유효 방열 면적 S 3.5469 ㎡",
                                                  "열교환기 정격 능력 X 15.5988333333333 W/K"};
    QTest::newRow("fan2 defaults") << "OptBoxFan2" << QStringList{}
                                   << QStringList{"Box Fan (측정온도로 측정)",
                                                  "외기 온도 (측정치) T3 40 °C",
                                                  "반내 온도 (측정치) T4 68 °C",
                                                  "측정 온도 차 T4 - T3 28 K",
                                                  "필요 열교환 능력 R 15.37 W/K",
                                                  "추천 모델 VK-280",
                                                  "Cabinet FAN - 측정 온도로 측정(Diagram)",
                                                  "허용 온도 차 ΔT = T2 - T1 15 K",
                                                  "Y축 결과값 (점 A) 23.1636363636364",
                                                  "최소값 (점 B) 14.1260606060606 W/K",
                                                  "최대값 (점 C) 20.0676363636364 W/K"};
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
    const QString info = QString::fromUtf8(run("pdfinfo", {path}));
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
                                           << QStringList{"1275.00 W", kHotter, kSmall};
    QTest::newRow("never calculated") << "OptBoxAircon" << false << QStringList{} << true
                                      << QStringList{"1275.00 W", "VKA-1600BR"};
    QTest::newRow("heat changed") << "OptBoxAircon" << true << QStringList{"txtPP=2000"} << true
                                  << QStringList{"2175.00 W", "VKA-3000BR", kHotter, kSmall};
    QTest::newRow("changed and changed back")
        << "OptBoxAircon" << true << QStringList{"txtPP=2000", "txtPP=1100"} << false
        << QStringList{"1275.00 W"};
    QTest::newRow("result field typed over")
        << "OptBoxAircon" << true << QStringList{"txtPT=99"} << true << QStringList{"1275.00 W"};
    QTest::newRow("fan1 set temperature high")
        << "OptBoxFan1" << true << QStringList{"txtT2=35"} << true
        << QStringList{"-117.73 W/K", "VK-170", kHigh, kNegative, kSmall};
    QTest::newRow("fan2 hidden heat does not count")
        << "OptBoxFan2" << true << QStringList{"txtPP=20"} << false << QStringList{"15.37 W/K"};
    QTest::newRow("fan2 equal temperatures")
        << "OptBoxFan2" << true << QStringList{"txtT2=40"} << true
        << QStringList{kEqual, kSmall, "두 온도가 같아 계산할 수 없습니다"};
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
    if (mode == "OptBoxFan2" && edits == QStringList{"txtT2=40"}) {
        // No model from an earlier result: nothing the current inputs do not give.
        QVERIFY(!text.contains("VK-280"));
    }
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
    verifyContains(text, {"허용 온도 차 ΔT = T2 - T1 25 K", "측정 온도 차 T4 - T3 40 K"});
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
    verifyContains(
        text, {"Transformer 250VA 2 23 W 46 W", "Transformer 500VA 0.5 36 W 18 W",
               "Inverter 0.25kVA 3 21 W 63 W", "합계 127 W", "제어반내 발열량 P (추정치) 127 W"});
    QVERIFY(!text.contains("Transformer 750VA"));  // rows counted 0 are left out
    QVERIFY(!text.contains("다릅니다"));

    // P typed over after the window applied its sum: the report says so.
    form->txtPP->setText("500");
    makeReport(t, path);
    verifyContains(pdfText(path), {"합계 127 W", "이 합계는 위의 제어반내 발열량 P와 다릅니다"});
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
        << QStringList{kOutOfRange, "범위를 벗어나 차트를 그리지 않았습니다"};
    QTest::newRow("temperature 1E999")
        << "OptBoxAircon" << QStringList{"txtT2=-1E999"} << true << QStringList{kOutOfRange};
    QTest::newRow("huge but finite result") << "OptBoxAircon" << QStringList{"txtPP=1E+300"} << true
                                            << QStringList{"필요 냉각 능력 R 1E+300 W", kExceeded};
    QTest::newRow("every field empty")
        << "OptBoxFan1" << QStringList{"txtHeight=", "txtWidth=", "txtDepth=", "txtPP=",
                                       "txtT1=",     "txtT2=",    "txtUU="}
        << true << QStringList{kEqual, kSmall, "표면적 A 0 ㎡"};
    QTest::newRow("text without numbers")
        << "OptBoxFan2" << QStringList{"txtT3=abc", "txtT4=x", "txtT1=?"} << true
        << QStringList{"외기 온도 (측정치) T3 0 °C"};
    QTest::newRow("fan2 outside the chart's bands")
        << "OptBoxFan2" << QStringList{"txtT2=85"} << true
        << QStringList{"차트를 읽을 수 없습니다"};
    QTest::newRow("fan2 area beyond the S lines")
        << "OptBoxFan2" << QStringList{"txtHeight=3", "txtWidth=3"} << true
        << QStringList{"최소값과 최대값을 읽을 수 없습니다"};
    QTest::newRow("aircon far outside the diagram")
        << "OptBoxAircon" << QStringList{"txtT1=1E+15", "txtT2=1E+20"} << true
        << QStringList{"없음 (T2 = 1E+20 ≥ 55 °C)", "필요 냉각 능력 R -3.499965E+21 W", kNegative};
    // Every capacity 0: the last model, which falls short.
    QTest::newRow("no configuration: empty tables")
        << "OptBoxFan1" << QStringList{} << false
        << QStringList{"추천 모델 열교환 능력 0 W/K", kExceeded};
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
        << QStringList{"높이 H 2 m", "희망 반내 온도 Ti 35 °C", "반내 상대 습도 60 %",
                       "옥외 설치, 햇빛을 받음 아니오", "안전 여유 10 %", "유효 방열 면적 A 6.6 ㎡",
                       // k·A·(Ti - Tu) = 5 · 6.6 · (-5); (P - Qs)·1.1 = 1391.5
                       "벽면 통과 열량 -165 W", "일사 열량 0 W",
                       "에어컨 냉각 능력 1392 W · 추천 VKA-1600BR",
                       // Ti below Tu: no fan; 5 · 6.6 · 20 = 660 W of heater
                       "열교환기·팬 용량 —", "히터 출력 660 W · 추천 HT-800",
                       // Magnus at 35 °C and 60 %: 26.05 °C, above the 10 °C inside at the coldest
                       "반내 공기 이슬점 26 °C", "결로 위험 있음",
                       "결로 위험: 최저 반내 온도 10 °C"};
    QTest::newRow("sun, inside above outside")
        << QStringList{"sun", "txtClimTi=50"}
        << QStringList{"옥외 설치, 햇빛을 받음 예", "일사량 800 W/㎡", "표면 일사 흡수율 0.5",
                       "햇빛 받는 면적 2.6 ㎡",
                       // Qs = 5 · 6.6 · 10; Qsun = 0.5 · 800 · (W·D + W·H)
                       "벽면 통과 열량 330 W", "일사 열량 1040 W",
                       // (1100 - 330 + 1040) · 1.1; per K: / 10; airflow: · 3.1 m³·K/(W·h)
                       "에어컨 냉각 능력 1991 W · 추천 VKA-2000BR",
                       "열교환기·팬 용량 199 W/K · 추천 VK-400",
                       "필터팬 풍량 617 ㎥/h · 추천 FF-650", "필터팬 풍량 (cfm) 363 cfm",
                       "반내 공기 이슬점 40.1 °C"};
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
    verifyContains(text, {kTitle, "1. 입력값", "2. 계산 결과", "1275.00 W", "3. 상세 기후 설계",
                          "설치 방식: " + climate->installationCaption(), "4. 차트"});
    verifyContains(text, expected);
    QVERIFY(text.indexOf("3. 상세 기후 설계") < text.indexOf("4. 차트"));
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

    form->findChild<QPushButton*>("cmdClimate")->click();
    makeReport(t, path);
    verifyContains(pdfText(path), {"3. 상세 기후 설계", "4. 차트"});

    // Closed and opened again: its button still makes the report, once.
    t.app->loadedWindow<frmClimate>()->cmdClimateExit->click();
    processDeferredDeletes();
    QVERIFY(!t.app->loadedWindow<frmClimate>());
    makeReport(t, path);
    QVERIFY(!pdfText(path).contains("상세 기후 설계"));
    form->findChild<QPushButton*>("cmdClimate")->click();
    form->findChild<QPushButton*>("cmdClimate")->click();  // only brought to the front
    t.platform.saveDialogs.clear();
    t.platform.saveAnswers.enqueue(path);
    t.app->loadedWindow<frmClimate>()->cmdClimateReport->click();
    QCOMPARE(t.platform.saveDialogs.size(), 1);
    verifyContains(pdfText(path), {"3. 상세 기후 설계"});
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
