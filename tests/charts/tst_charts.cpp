#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "TestApp.h"
#include "calc/ChartGeometry.h"
#include "charts/ChartCanvas.h"
#include "charts/frmAircon.h"
#include "charts/frmFan1.h"
#include "charts/frmFan2.h"

namespace {

const QColor kBlack(0, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kGrey(192, 192, 192);

// Sets main-window fields from "name=value" pairs.
void edit(Form1* form, const QStringList& edits) {
    for (const QString& e : edits) {
        const qsizetype eq = e.indexOf('=');
        auto* field = form->findChild<QLineEdit*>(e.left(eq));
        if (!field) qFatal("no field %s", qPrintable(e.left(eq)));
        field->setText(e.mid(eq + 1));
    }
}

QAbstractButton* modeButton(Form1* form, const QString& mode) {
    if (mode == "Fan1") return form->OptBoxFan1;
    if (mode == "Fan2") return form->OptBoxFan2;
    return form->OptBoxAircon;
}

QStringList chartWindows(TestApp& t) {
    QStringList names;
    for (QWidget* w : t.app->loadedWindows()) {
        if (w != t.form()) names.append(w->objectName());
    }
    return names;
}

// The colours of the named lines, for comparing whole families at once.
QMap<QString, QColor> colours(const ChartCanvas* canvas, int first, int last) {
    QMap<QString, QColor> map;
    for (int n = first; n <= last; ++n) {
        const QString name = QStringLiteral("Line%1").arg(n);
        if (const ChartLine* l = canvas->line(name)) map.insert(name, l->color());
    }
    return map;
}

QMap<QString, QColor> allOf(const QMap<QString, QColor>& map, const QColor& colour,
                            const QMap<QString, QColor>& except = {}) {
    QMap<QString, QColor> expected;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        expected.insert(it.key(), except.value(it.key(), colour));
    return expected;
}

// Whether a pixel of that colour lies within `radius` pixels of (x, y).
bool colourNear(const QImage& image, int x, int y, const QColor& colour, int radius = 1) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (image.valid(x + dx, y + dy) && image.pixelColor(x + dx, y + dy) == colour)
                return true;
        }
    }
    return false;
}

int countSegments(const ChartCanvas* canvas, const QColor& colour) {
    int n = 0;
    for (const ChartSegment& s : canvas->segments()) n += s.color == colour ? 1 : 0;
    return n;
}

bool hasSegment(const ChartCanvas* canvas, QLineF ends, const QColor& colour) {
    for (const ChartSegment& s : canvas->segments()) {
        if (s.color == colour && std::fabs(s.ends.x1() - ends.x1()) < 0.01 &&
            std::fabs(s.ends.y1() - ends.y1()) < 0.01 &&
            std::fabs(s.ends.x2() - ends.x2()) < 0.01 &&
            std::fabs(s.ends.y2() - ends.y2()) < 0.01) {
            return true;
        }
    }
    return false;
}

void exitWindow(QWidget* window) {
    auto* exit = window->findChild<QPushButton*>(QStringLiteral("cmdExit"));
    QVERIFY(exit);
    exit->click();
    processDeferredDeletes();
}

}  // namespace

class TestCharts : public QObject {
    Q_OBJECT
private slots:
    void calculationOpensChartOfMode_data();
    void calculationOpensChartOfMode();

    void airconDiagram_data();
    void airconDiagram();
    void airconPaintsInTwips();
    void airconOpenWindowIsOnlyRaised();

    void fan1Defaults();
    void fan1ShowsParsedHeatAndCopiedArea();
    void fan1RedrawLaysNewConstructionOverOld();
    void fan1ExitStartsAfresh();
    void fan1ZeroDeltaT();
    void fan1HugeInputs();
    void fan1FarLineKeepsDirection();

    void fan2Defaults();
    void fan2BandLinesAccumulate();
    void fan2WithoutBand();
    void fan2AreaOutsideBands();
    void fan2ScrollBarsPinned_data();
    void fan2ScrollBarsPinned();
    void fan2ScrollBarsAreIndicators();
    void fan2HugeInputs();

    void closingMainWindowUnloadsCharts();
};

void TestCharts::calculationOpensChartOfMode_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("window");  // empty: none opens
    QTest::newRow("aircon difference 5") << "Aircon" << QStringList{} << "";
    QTest::newRow("aircon difference 10") << "Aircon" << QStringList{"txtT2=30"} << "frmAircon";
    QTest::newRow("fan1 defaults") << "Fan1" << QStringList{} << "frmFan1";
    QTest::newRow("fan1 difference 5") << "Fan1" << QStringList{"txtT2=45"} << "";
    QTest::newRow("fan1 difference -10") << "Fan1" << QStringList{"txtT2=30"} << "frmFan1";
    QTest::newRow("fan2 defaults") << "Fan2" << QStringList{} << "frmFan2";
    QTest::newRow("fan2 difference 9") << "Fan2" << QStringList{"txtT2=49"} << "";
}

void TestCharts::calculationOpensChartOfMode() {
    QFETCH(QString, mode);
    QFETCH(QStringList, edits);
    QFETCH(QString, window);
    TestApp t;
    Form1* form = t.start();
    modeButton(form, mode)->click();
    edit(form, edits);
    form->cmdCal->click();
    QCOMPARE(chartWindows(t), window.isEmpty() ? QStringList{} : QStringList{window});
    if (window.isEmpty()) return;
    QWidget* chart = t.app->loadedWindows().last();
    QVERIFY(chart->isVisible());
    QCOMPARE(chart->windowModality(), Qt::NonModal);
    QVERIFY(form->isVisible() && form->isEnabled());
}

void TestCharts::airconDiagram_data() {
    QTest::addColumn<QString>("t1");
    QTest::addColumn<QString>("t2");
    QTest::addColumn<QString>("blue");  // empty: no line
    QTest::addColumn<QString>("lineValue");
    QTest::addColumn<QString>("capacity");
    QTest::addColumn<int>("markerX");
    QTest::newRow("defaults") << "40"
                              << "35"
                              << "Line31"
                              << "15.2"
                              << "1216" << 3720;
    QTest::newRow("set 20") << "40"
                            << "20"
                            << "Line28"
                            << "11.8"
                            << "944" << 3720;
    QTest::newRow("set 19.9") << "40"
                              << "19.9"
                              << "Line27"
                              << "11.8"
                              << "944" << 3720;
    QTest::newRow("set 54.9") << "40"
                              << "54.9"
                              << "Line34"
                              << "19"
                              << "1520" << 3720;
    QTest::newRow("set 55") << "40"
                            << "55"
                            << ""
                            << ""
                            << "0" << 3720;
    QTest::newRow("outside 60, set 45") << "60"
                                        << "45"
                                        << "Line33"
                                        << "14"
                                        << "1120" << 6600;
    QTest::newRow("outside 22.5") << "22.5"
                                  << "35"
                                  << "Line31"
                                  << "18.7"
                                  << "1496" << 1200;
    QTest::newRow("texts without numbers") << "abc"
                                           << ""
                                           << "Line27"
                                           << "19.8"
                                           << "1584" << -2040;
    QTest::newRow("outside 1E+300") << "1E+300"
                                    << "35"
                                    << "Line31"
                                    << "-2E+299"
                                    << "-1.6E+301" << kChartFarAway;
}

void TestCharts::airconDiagram() {
    QFETCH(QString, t1);
    QFETCH(QString, t2);
    QFETCH(QString, blue);
    QFETCH(QString, lineValue);
    QFETCH(QString, capacity);
    QFETCH(int, markerX);
    TestApp t;
    Form1* form = t.start();
    edit(form, {"txtT1=" + t1, "txtT2=" + t2, "txtSS=7.25"});
    form->cmdAirconDiagram();
    auto* w = t.app->loadedWindow<frmAircon>();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Cabinet Aircon - 내부 발열량 Diagram"));
    const QMap<QString, QColor> lines = colours(w->SSPanel1, 27, 34);
    QCOMPARE(lines.size(), 8);
    QMap<QString, QColor> highlighted;
    if (!blue.isEmpty()) highlighted.insert(blue, kBlue);
    QCOMPARE(lines, allOf(lines, kBlack, highlighted));
    QCOMPARE(w->txtyy2->text(), lineValue);
    QCOMPARE(w->txtWW->text(), capacity);
    QCOMPARE(w->txtSS->text(), QStringLiteral("7.25"));
    const ChartLine* marker = w->SSPanel1->line(QStringLiteral("Line51"));
    QCOMPARE(marker->color(), kGreen);
    QCOMPARE(marker->width(), 3);
    QCOMPARE(marker->ends(), QLineF(markerX, 6480, markerX, 700));
    QVERIFY(t.platform.messages.isEmpty());
    QVERIFY(!w->grab().isNull());  // painting a marker a billion twips away
}

void TestCharts::airconPaintsInTwips() {
    TestApp t;
    Form1* form = t.start();
    edit(form, {"txtT2=30"});
    form->cmdCal->click();
    auto* w = t.app->loadedWindow<frmAircon>();
    QVERIFY(w);
    const QImage image = w->SSPanel1->grab().toImage();
    // 15 twips to a pixel: the marker of 40 degrees at x = 3720 twips,
    // the blue line of 30 degrees a quarter of the way along at (2280, 3947.5),
    // the grid line of 1400 at y = 4320.
    QVERIFY(colourNear(image, 248, 200, kGreen));
    QVERIFY(colourNear(image, 152, 263, kBlue));
    QVERIFY(colourNear(image, 100, 288, kGrey, 0));
    QVERIFY(!colourNear(image, 100, 280, kGrey, 2));
}

void TestCharts::airconOpenWindowIsOnlyRaised() {
    TestApp t;
    Form1* form = t.start();
    edit(form, {"txtT2=30"});
    form->cmdCal->click();
    QPointer<frmAircon> first = t.app->loadedWindow<frmAircon>();
    QVERIFY(first);
    edit(form, {"txtT2=25", "txtT1=45"});
    form->cmdCal->click();
    QCOMPARE(t.app->loadedWindow<frmAircon>(), first.data());
    QCOMPARE(first->SSPanel1->line("Line30")->color(), kBlue);
    QCOMPARE(first->SSPanel1->line("Line29")->color(), kBlack);
    QCOMPARE(first->txtyy2->text(), QStringLiteral("14.2"));
    QCOMPARE(first->SSPanel1->line("Line51")->p1().x(), 3720.0);

    exitWindow(first);
    QVERIFY(first.isNull());
    QVERIFY(!t.app->loadedWindow<frmAircon>());
    form->cmdCal->click();
    auto* second = t.app->loadedWindow<frmAircon>();
    QVERIFY(second);
    QCOMPARE(second->SSPanel1->line("Line30")->color(), kBlack);
    QCOMPARE(second->SSPanel1->line("Line29")->color(), kBlue);
    QCOMPARE(second->txtyy2->text(), QStringLiteral("12"));  // 21 - 45 / 5
    QCOMPARE(second->SSPanel1->line("Line51")->p1().x(), 4440.0);
}

void TestCharts::fan1Defaults() {
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan1->click();
    form->cmdCal->click();
    auto* w = t.app->loadedWindow<frmFan1>();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Cabinet FAN - 반내발열량(Diagram)"));
    QCOMPARE(t.app->fanValues().FanHeatP, 500.0);
    QCOMPARE(t.app->fanValues().FanDeltaT, 15.0);
    QCOMPARE(w->txtPP->text(), QStringLiteral("500"));
    QCOMPARE(w->txtSS->text(), QStringLiteral("3.5469"));
    QCOMPARE(w->txtXX->text(), QStringLiteral("15.5988333333333"));
    QVERIFY(std::fabs(w->ResultX() - 15.5988333333333) < 1e-12);
    QVERIFY(w->txtPP->isReadOnly() && w->txtSS->isReadOnly() && w->txtXX->isReadOnly());
    QCOMPARE(w->cmdcaldraw->text(), QStringLiteral("계산"));

    QCOMPARE(w->LabelAA->position(), QPointF(1960, 2935));
    QCOMPARE(w->LabelBB->position().y(), 2935.0);
    QVERIFY(std::fabs(w->LabelBB->position().x() - 3081.558) < 0.001);
    QCOMPARE(w->LabelAA->palette().color(QPalette::WindowText), kRed);

    const ChartCanvas* c = w->Picture1;
    QCOMPARE(countSegments(c, kBlack), 18);
    QCOMPARE(countSegments(c, kBlue), 2);
    QCOMPARE(countSegments(c, kGreen), 3);
    QVERIFY(hasSegment(c, QLineF(2520, 4335, 2160, 3135), kBlue));
    QVERIFY(hasSegment(c, QLineF(2520, 4335 - 638.442, 6120, 735 - 638.442), kBlue));
    QVERIFY(hasSegment(c, QLineF(2160, 3135, 3081.558, 3135), kGreen));
    QVERIFY(hasSegment(c, QLineF(3081.558, 3135, 3081.558, 4335), kGreen));
    // The fixed drawing: grey grid and the two black axes.
    int grey = 0;
    int black = 0;
    for (const ChartLine* l : c->lines()) {
        grey += l->color() == kGrey ? 1 : 0;
        black += l->color() == kBlack ? 1 : 0;
    }
    QCOMPARE(grey, 11 + 15);
    QCOMPARE(black, 2);

    // Drawn through the window mapping, inside the 3-D border: O-A halfway at (2340, 3735).
    const QImage image = w->Picture1->grab().toImage();
    const QPoint origin = w->Picture1->originPixels();
    QVERIFY(colourNear(image, origin.x() + 156, origin.y() + 249, kBlue));
}

void TestCharts::fan1ShowsParsedHeatAndCopiedArea() {
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan1->click();
    edit(form, {"txtPP=500 W", "txtSS=3.5469 m2"});
    form->cmdFan1Diagram_update();
    auto* w = t.app->loadedWindow<frmFan1>();
    QVERIFY(w);
    QCOMPARE(w->txtPP->text(), QStringLiteral("500"));
    QCOMPARE(w->txtSS->text(), QStringLiteral("3.5469 m2"));
    QCOMPARE(w->txtXX->text(), QStringLiteral("15.5988333333333"));
}

void TestCharts::fan1RedrawLaysNewConstructionOverOld() {
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan1->click();
    form->cmdCal->click();
    QPointer<frmFan1> w = t.app->loadedWindow<frmFan1>();
    QVERIFY(w);
    const QImage before = w->grab().toImage();
    w->cmdcaldraw->click();
    QCOMPARE(w->grab().toImage(), before);
    QCOMPARE(w->txtXX->text(), QStringLiteral("15.5988333333333"));

    // A new difference in the main window only raises the open chart...
    edit(form, {"txtT2=65"});
    form->cmdCal->click();
    QCOMPARE(t.app->loadedWindow<frmFan1>(), w.data());
    QCOMPARE(t.app->fanValues().FanDeltaT, 25.0);
    QCOMPARE(w->txtXX->text(), QStringLiteral("15.5988333333333"));
    QCOMPARE(w->grab().toImage(), before);

    // ...until "계산" draws with it, over the old construction.
    w->cmdcaldraw->click();
    QCOMPARE(w->txtXX->text(), QStringLiteral("2.2655"));  // 500 / 25 - 5 * 3.5469
    QVERIFY(hasSegment(w->Picture1, QLineF(2520, 4335, 2160, 3135), kBlue));
    QVERIFY(hasSegment(w->Picture1, QLineF(2520, 4335, 2160, 3615), kBlue));
    QCOMPARE(w->LabelAA->position(), QPointF(1960, 3415));
}

void TestCharts::fan1ExitStartsAfresh() {
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan1->click();
    form->cmdCal->click();
    QPointer<frmFan1> first = t.app->loadedWindow<frmFan1>();
    QVERIFY(first);
    exitWindow(first);
    QVERIFY(first.isNull());
    QVERIFY(!t.app->loadedWindow<frmFan1>());

    edit(form, {"txtPP=1100"});
    form->cmdCal->click();
    auto* second = t.app->loadedWindow<frmFan1>();
    QVERIFY(second);
    QCOMPARE(second->txtPP->text(), QStringLiteral("1100"));
    QCOMPARE(second->txtXX->text(), QStringLiteral("55.5988333333333"));
    QCOMPARE(second->LabelAA->position(), QPointF(1528, 1495));
    QCOMPARE(countSegments(second->Picture1, kBlue), 2);  // nothing of the first window's drawing
}

void TestCharts::fan1ZeroDeltaT() {
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan1->click();
    edit(form, {"txtT2=40"});
    form->cmdFan1Diagram_update();  // the diagram operation, without the calculation's guard
    auto* w = t.app->loadedWindow<frmFan1>();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->txtXX->text(), QString());
    QCOMPARE(w->ResultX(), 0.0);
    QCOMPARE(w->Picture1->segments().size(), size_t(18));
    QCOMPARE(countSegments(w->Picture1, kBlack), 18);
    QCOMPARE(w->LabelAA->position(), QPointF(6240, 4800));
    QCOMPARE(w->LabelBB->position(), QPointF(6480, 4800));
    exitWindow(w);

    // An open chart whose difference drops to 0 keeps its result on "계산".
    edit(form, {"txtT2=55"});
    form->cmdFan1Diagram_update();
    w = t.app->loadedWindow<frmFan1>();
    edit(form, {"txtT2=40"});
    form->cmdFan1Diagram_update();
    w->cmdcaldraw->click();
    QCOMPARE(w->txtXX->text(), QStringLiteral("15.5988333333333"));
    QVERIFY(std::fabs(w->ResultX() - 15.5988333333333) < 1e-12);
    QVERIFY(t.platform.messages.isEmpty());
}

void TestCharts::fan1HugeInputs() {
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan1->click();
    edit(form, {"txtPP=1E+300", "txtT1=-1E+300"});
    form->cmdFan1Diagram_update();
    auto* w = t.app->loadedWindow<frmFan1>();
    QVERIFY(w);
    // dT = 55 + 1E+300: Y = 1, X = 1 - 5 * 3.5469.
    QCOMPARE(w->txtXX->text(), QStringLiteral("-16.7345"));
    QCOMPARE(w->LabelAA->position().x(), -double(kChartFarAway));
    QVERIFY(!w->grab().isNull());

    exitWindow(w);
    edit(form, {"txtT1=40"});
    form->cmdFan1Diagram_update();
    w = t.app->loadedWindow<frmFan1>();
    QVERIFY(w);
    QCOMPARE(w->txtXX->text(), QStringLiteral("6.66666666666667E+298"));
    QCOMPARE(w->LabelAA->position(), QPointF(-kChartFarAway, -kChartFarAway));
    QVERIFY(!w->grab().isNull());
}

void TestCharts::fan1FarLineKeepsDirection() {
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan1->click();
    edit(form, {"txtPP=1E9"});
    form->cmdFan1Diagram_update();
    auto* w = t.app->loadedWindow<frmFan1>();
    QVERIFY(w);
    // A = (2520 - 0.72E9, 4335 - 36 * 1E9 / 15): O-A climbs 10 twips for
    // every 3 to the left, however far away A lies.
    const ChartSegment* oa = nullptr;
    for (const ChartSegment& s : w->Picture1->segments()) {
        if (s.color == kBlue && s.ends.p1() == QPointF(2520, 4335)) oa = &s;
    }
    QVERIFY(oa);
    const double ratio = (oa->ends.x2() - oa->ends.x1()) / (oa->ends.y2() - oa->ends.y1());
    QVERIFY2(std::fabs(ratio - 0.3) < 1e-6, qPrintable(QString::number(ratio, 'g', 17)));
    // On screen: at y = 1500 twips (100 px) the line stands at x = 2520 -
    // 0.3 * 2835 = 1669.5 twips (111.3 px).
    const QImage image = w->Picture1->grab().toImage();
    const QPoint origin = w->Picture1->originPixels();
    QVERIFY(colourNear(image, origin.x() + 111, origin.y() + 100, kBlue));
}

void TestCharts::fan2Defaults() {
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan2->click();
    form->cmdCal->click();
    auto* w = t.app->loadedWindow<frmFan2>();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Cabinet FAN - 측정 온도로 측정(Diagram)"));
    const FanChartValues& v = t.app->fanValues();
    QCOMPARE(v.FanMeasuredDeltaT, 28.0);
    QCOMPARE(v.FanOutsideMinusInside, -28.0);
    QCOMPARE(v.FanDeltaT, 15.0);
    QVERIFY(std::fabs(v.FanReadingY - 23.1636363636364) < 1e-12);

    QCOMPARE(w->txtDetaT->text(), QStringLiteral("28"));
    QCOMPARE(w->txtdeltaT1->text(), QStringLiteral("15"));
    QCOMPARE(w->txtSS->text(), QStringLiteral("3.5469"));
    QCOMPARE(w->txtXX0->text(), QStringLiteral("14.1260606060606"));
    QCOMPARE(w->txtXX->text(), QStringLiteral("20.0676363636364"));
    QCOMPARE(w->txtYY->text(), QStringLiteral("23.1636363636364"));
    QVERIFY(!w->txtYY->isVisible() && !w->lblYY->isVisible());
    QCOMPARE(w->AreaS(), 3.5469);

    const ChartCanvas* c = w->SSPanel1;
    const QMap<QString, QColor> bands = colours(c, 20, 26);
    QCOMPARE(bands, allOf(bands, kBlack, {{"Line24", kBlue}}));
    const QMap<QString, QColor> sLines = colours(c, 27, 36);
    QCOMPARE(sLines.size(), 10);
    QCOMPARE(sLines, allOf(sLines, kBlack, {{"Line34", kRed}, {"Line33", kRed}}));

    QCOMPARE(w->HScroll1->value(), 28);
    QCOMPARE(w->VScroll1->value(), 15);
    QCOMPARE(w->HScroll2->value(), 20);
    QCOMPARE(c->line("Line48")->ends(), QLineF(2112, 4440, 2112, 3606));
    QCOMPARE(c->line("Line49")->ends(), QLineF(2112, 3606, 3629, 3606));
    QCOMPARE(c->line("Line50")->ends(), QLineF(3629, 3606, 3629, 4440));
    QCOMPARE(c->line("Line51")->ends(), QLineF(3629, 3606, 3842, 3606));
    QCOMPARE(c->line("Line52")->ends(), QLineF(3842, 3606, 3842, 4440));
    for (int n = 48; n <= 52; ++n) {
        QCOMPARE(c->line(QStringLiteral("Line%1").arg(n))->color(), kGreen);
        QCOMPARE(c->line(QStringLiteral("Line%1").arg(n))->width(), 3);
    }
    QCOMPARE(w->labelA->position(), QPointF(2112, 3406));
    QCOMPARE(w->labelB->position(), QPointF(3629, 3406));
    QVERIFY(t.platform.messages.isEmpty());
}

void TestCharts::fan2BandLinesAccumulate() {
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan2->click();
    form->cmdCal->click();
    QPointer<frmFan2> w = t.app->loadedWindow<frmFan2>();
    QVERIFY(w);
    edit(form, {"txtT2=65"});  // dT 25
    form->cmdCal->click();
    QCOMPARE(t.app->loadedWindow<frmFan2>(), w.data());
    const QMap<QString, QColor> bands = colours(w->SSPanel1, 20, 26);
    QCOMPARE(bands, allOf(bands, kBlack, {{"Line24", kBlue}, {"Line26", kBlue}}));
    QCOMPARE(w->txtYY->text(), QStringLiteral("3.2"));
    // The readings still belong to the first opening.
    QCOMPARE(w->txtdeltaT1->text(), QStringLiteral("15"));
    QCOMPARE(w->txtXX0->text(), QStringLiteral("14.1260606060606"));
    QCOMPARE(w->txtXX->text(), QStringLiteral("20.0676363636364"));
    QCOMPARE(w->SSPanel1->line("Line48")->p2(), QPointF(2112, 3606));

    exitWindow(w);
    QVERIFY(w.isNull());
    form->cmdCal->click();
    w = t.app->loadedWindow<frmFan2>();
    QVERIFY(w);
    const QMap<QString, QColor> fresh = colours(w->SSPanel1, 20, 26);
    QCOMPARE(fresh, allOf(fresh, kBlack, {{"Line26", kBlue}}));
    QCOMPARE(w->txtdeltaT1->text(), QStringLiteral("25"));
    QCOMPARE(w->txtXX0->text(), QStringLiteral("2.81333333333334"));
    QCOMPARE(w->txtXX->text(), QStringLiteral("4.49600000000001"));
    QCOMPARE(w->SSPanel1->line("Line48")->p2(), QPointF(2112, 4325));
}

void TestCharts::fan2WithoutBand() {
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan2->click();
    edit(form, {"txtT2=85"});  // dT 45: no band
    form->cmdCal->click();
    auto* w = t.app->loadedWindow<frmFan2>();
    QVERIFY(w);
    QCOMPARE(t.app->fanValues().FanReadingY, 0.0);
    const QMap<QString, QColor> bands = colours(w->SSPanel1, 20, 26);
    QCOMPARE(bands, allOf(bands, kBlack));
    QCOMPARE(w->txtYY->text(), QStringLiteral("0"));
    QCOMPARE(w->txtXX0->text(), QStringLiteral("1"));
    QCOMPARE(w->txtXX->text(), QStringLiteral("2"));
    QCOMPARE(w->VScroll1->value(), 40);  // pinned to its bottom end
    QCOMPARE(w->txtdeltaT1->text(), QStringLiteral("45"));

    // With the window open, a band opening changes the band line and Y
    // only; a second opening without a band changes nothing.
    edit(form, {"txtT2=55"});
    form->cmdCal->click();
    QCOMPARE(w->SSPanel1->line("Line24")->color(), kBlue);
    QCOMPARE(w->txtYY->text(), QStringLiteral("23.1636363636364"));
    edit(form, {"txtT2=85"});
    form->cmdCal->click();
    QCOMPARE(w->txtYY->text(), QStringLiteral("23.1636363636364"));
    QCOMPARE(w->txtXX0->text(), QStringLiteral("1"));
    QVERIFY(std::fabs(t.app->fanValues().FanReadingY - 23.1636363636364) < 1e-12);
}

void TestCharts::fan2AreaOutsideBands() {
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan2->click();
    edit(form, {"txtSS=12"});
    form->cmdFan2Diagram();
    auto* w = t.app->loadedWindow<frmFan2>();
    QVERIFY(w);
    QCOMPARE(w->txtSS->text(), QStringLiteral("12"));
    QCOMPARE(w->txtXX0->text(), QString());
    QCOMPARE(w->txtXX->text(), QString());
    const QMap<QString, QColor> sLines = colours(w->SSPanel1, 27, 36);
    QCOMPARE(sLines, allOf(sLines, kBlack));
    QCOMPARE(w->HScroll2->value(), 0);
    QCOMPARE(w->SSPanel1->line("Line49")->ends(), QLineF(2112, 3606, 3120, 3606));
    QCOMPARE(w->SSPanel1->line("Line50")->ends(), QLineF(3120, 3606, 3120, 4440));
    QCOMPARE(w->SSPanel1->line("Line52")->ends(), QLineF(3120, 3606, 3120, 4440));
    QCOMPARE(w->labelB->position(), QPointF(3120, 3406));
}

void TestCharts::fan2ScrollBarsPinned_data() {
    QTest::addColumn<QString>("t4");  // measured inside; outside stays 40
    QTest::addColumn<int>("hScroll1");
    QTest::addColumn<QString>("measured");
    QTest::addColumn<int>("hScroll2");
    // d = 120: Y = (98/55) * 105 = 187.1, the maximum 0.78 * Y + 2 = 147.9 is beyond 100.
    QTest::newRow("measured above 70") << "160" << 70 << "120" << 100;
    QTest::newRow("measured below 10") << "45" << 10 << "5" << 0;
    QTest::newRow("half to even below") << "68.5" << 28 << "28.5" << 21;
    QTest::newRow("half to even above") << "67.5" << 28 << "27.5" << 19;
    QTest::newRow("negative maximum") << "50" << 10 << "10" << 0;
}

void TestCharts::fan2ScrollBarsPinned() {
    QFETCH(QString, t4);
    QFETCH(int, hScroll1);
    QFETCH(QString, measured);
    QFETCH(int, hScroll2);
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan2->click();
    edit(form, {"txtT4=" + t4});
    form->cmdFan2Diagram();
    auto* w = t.app->loadedWindow<frmFan2>();
    QVERIFY(w);
    QCOMPARE(w->HScroll1->value(), hScroll1);
    QCOMPARE(w->txtDetaT->text(), measured);
    QCOMPARE(w->HScroll2->value(), hScroll2);
    QVERIFY(t.platform.messages.isEmpty());
}

void TestCharts::fan2ScrollBarsAreIndicators() {
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan2->click();
    form->cmdCal->click();
    auto* w = t.app->loadedWindow<frmFan2>();
    QVERIFY(w);
    const QLineF construction = w->SSPanel1->line("Line48")->ends();
    w->VScroll1->setValue(w->VScroll1->maximum());
    QCOMPARE(w->txtdeltaT1->text(), QStringLiteral("40"));
    w->HScroll1->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(w->txtDetaT->text(), QStringLiteral("70"));
    w->HScroll2->setValue(80);
    QCOMPARE(w->SSPanel1->line("Line48")->ends(), construction);
    QCOMPARE(w->txtXX0->text(), QStringLiteral("14.1260606060606"));
    QCOMPARE(w->txtXX->text(), QStringLiteral("20.0676363636364"));
    QCOMPARE(w->SSPanel1->line("Line24")->color(), kBlue);
}

void TestCharts::fan2HugeInputs() {
    TestApp t;
    Form1* form = t.start();
    form->OptBoxFan2->click();
    edit(form, {"txtT4=1E+300", "txtSS=-1E+300"});
    form->cmdFan2Diagram();
    auto* w = t.app->loadedWindow<frmFan2>();
    QVERIFY(w);
    QCOMPARE(w->HScroll1->value(), 70);
    QCOMPARE(w->txtDetaT->text(), QStringLiteral("1E+300"));
    QCOMPARE(w->SSPanel1->line("Line48")->p1(), QPointF(-kChartFarAway, 4440));
    QCOMPARE(w->labelA->position(), QPointF(-kChartFarAway, -kChartFarAway - 200));
    QVERIFY(!w->grab().isNull());
    QVERIFY(t.platform.messages.isEmpty());
}

void TestCharts::closingMainWindowUnloadsCharts() {
    TestApp t;
    Form1* form = t.start();
    form->cmdAirconDiagram();
    form->cmdFan1Diagram_update();
    form->cmdFan2Diagram();
    QCOMPARE(chartWindows(t), (QStringList{"frmAircon", "frmFan1", "frmFan2"}));
    form->cmdExit->click();
    QVERIFY(t.app->loadedWindows().isEmpty());
}

QTEST_MAIN(TestCharts)
#include "tst_charts.moc"
