#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include "TestApp.h"
#include "charts/frmAircon.h"
#include "charts/frmFan1.h"
#include "charts/frmFan2.h"
#include "heat/frmHeatProduced.h"
#include "heat/frmHeatValue.h"
#include "info/frmAbout.h"
#include "kit/FieldCues.h"

// The keyboard of the windows, their tooltips, and the main window's cues:
// stale results and fields read only in part.

namespace {

const QString kHotter = QStringLiteral("계산 결과입니다.(희망설정온도<최고외기온도)");
const QString kSmall =
    QStringLiteral("최고 외기온도와 설정온도가 차이가 적습니다(10 이상). 다시 입력하세요.");
const QString kEqual = QStringLiteral("최고 외기온도와 설정온도가 같습니다. 다시 입력하세요");
const QString kOutOfRange =
    QStringLiteral("입력한 값이 계산할 수 있는 범위를 벗어났습니다. 값을 확인하세요.");
const QString kCoolData = QStringLiteral(CC_TEST_DATA_DIR "/cool/");

template <class W = QWidget>
W* child(QWidget* window, const QString& name) {
    W* w = window->objectName() == name ? qobject_cast<W*>(window) : window->findChild<W*>(name);
    if (!w) qFatal("%s has no %s", qPrintable(window->objectName()), qPrintable(name));
    return w;
}

QLineEdit* field(QWidget* window, const QString& name) { return child<QLineEdit>(window, name); }

// Opens a secondary window the way the main window does.
QWidget* openWindow(TestApp& t, const QString& name) {
    Form1* form = t.form();
    if (name == QLatin1String("frmFan1")) {
        form->selectMode(SelectionMode::Fan1);
        form->cmdFan1Diagram_update();
        return t.app->loadedWindow<frmFan1>();
    }
    if (name == QLatin1String("frmFan2")) {
        form->selectMode(SelectionMode::Fan2);
        form->cmdFan2Diagram();
        return t.app->loadedWindow<frmFan2>();
    }
    if (name == QLatin1String("frmAircon")) {
        form->cmdAirconDiagram();
        return t.app->loadedWindow<frmAircon>();
    }
    if (name == QLatin1String("frmHeatValue")) {
        form->cmdHeatValue_Click();
        return t.app->loadedWindow<frmHeatValue>();
    }
    if (name == QLatin1String("frmHeatProduced")) {
        form->cmdHeatproduced_Click();
        return t.app->loadedWindow<frmHeatProduced>();
    }
    if (name == QLatin1String("frmAbout")) {
        form->cmdHelp_Click();
        return t.app->loadedWindow<frmAbout>();
    }
    if (name == QLatin1String("Form1")) return form;
    qFatal("no window %s", qPrintable(name));
}

bool isLoaded(TestApp& t, const QString& name) {
    for (QWidget* w : t.app->loadedWindows()) {
        if (w->objectName() == name) return true;
    }
    return false;
}

// Replaces a field's text as the user does: into the field, select all, type.
void typeInto(QLineEdit* f, const QString& text) {
    QApplication::setActiveWindow(f->window());
    f->setFocus(Qt::TabFocusReason);
    QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(f, Qt::Key_Delete);
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, f, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE_EQ(f->text(), text);
}

// The first line of a tooltip: where the cues stand.
QString firstLine(const QWidget* w) { return w->toolTip().section(QLatin1Char('\n'), 0, 0); }

// Whether a result field shows the stale cue, checked on all that the user sees.
bool looksStale(Form1* form, QLineEdit* result) {
    const bool muted =
        result->palette().color(QPalette::Text) != form->txtHeight->palette().color(QPalette::Text);
    const bool told = firstLine(result) == staleNotice();
    if (muted != told || muted != isFieldStale(result)) {
        qWarning("%s: colour and tooltip disagree", qPrintable(result->objectName()));
    }
    return muted && told;
}

bool resultsLookStale(Form1* form) {
    const bool pt = looksStale(form, form->txtPT);
    if (looksStale(form, form->txtKind) != pt || looksStale(form, form->txtCoolValue) != pt) {
        qWarning("the three results do not agree");
        return !pt;  // make the comparison fail either way
    }
    return pt;
}

// Walks the window with Tab from its focused widget and names each stop
// until the focus comes back.
QStringList tabWalk(QWidget* window) {
    QStringList names;
    QWidget* start = QApplication::focusWidget();
    if (!start) return {QStringLiteral("<no focus>")};
    QWidget* w = start;
    for (int i = 0; i < 100; ++i) {
        names << w->objectName();
        QTest::keyClick(w, Qt::Key_Tab);
        w = QApplication::focusWidget();
        if (!w || w == start || w->window() != window) break;
    }
    return names;
}

}  // namespace

class TestKeys : public QObject {
    Q_OBJECT
private slots:
    void enterInMainWindow_data();
    void enterInMainWindow();
    void escapeClosesWindow_data();
    void escapeClosesWindow();
    void enterInFan1Chart_data();
    void enterInFan1Chart();
    void enterInHeatValue_data();
    void enterInHeatValue();
    void tabOrder_data();
    void tabOrder();
    void typingWhereTheHeatWindowOpens();
    void staleCueAppears_data();
    void staleCueAppears();
    void staleCueClears_data();
    void staleCueClears();
    void staleCueFollowsColourScheme();
    void readValueCue_data();
    void readValueCue();
    void readValueCueOnHeatCounts();
    void everyControlHasToolTip_data();
    void everyControlHasToolTip();
};

// ---- keys -----------------------------------------------------------------

void TestKeys::enterInMainWindow_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("openDialogs");
    const QStringList once{kHotter, kSmall};  // the defaults' calculation, run one time
    const int none = Qt::NoModifier;
    const int keypad = Qt::KeypadModifier;
    for (const char* name : {"txtHeight", "txtWidth", "txtDepth", "txtSS", "txtPP", "txtT1",
                             "txtT2", "txtUU", "txtPT", "txtKind", "txtCoolValue"}) {
        QTest::addRow("return in %s", name) << name << int(Qt::Key_Return) << none << once << 0;
    }
    QTest::newRow("keypad enter in a field")
        << "txtHeight" << int(Qt::Key_Enter) << keypad << once << 0;
    QTest::newRow("return on the calculate button")
        << "cmdCal" << int(Qt::Key_Return) << none << once << 0;
    QTest::newRow("keypad enter on the calculate button")
        << "cmdCal" << int(Qt::Key_Enter) << keypad << once << 0;
    // Another focused button takes Enter itself.
    QTest::newRow("return on Open")
        << "cmdOpen" << int(Qt::Key_Return) << none << QStringList() << 1;
    QTest::newRow("ctrl+return in a field")
        << "txtHeight" << int(Qt::Key_Return) << int(Qt::ControlModifier) << QStringList() << 0;
    QTest::newRow("escape in a field")
        << "txtHeight" << int(Qt::Key_Escape) << none << QStringList() << 0;
}

void TestKeys::enterInMainWindow() {
    QFETCH(QString, target);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QStringList, messages);
    QFETCH(int, openDialogs);
    TestApp t;
    Form1* form = t.start();
    QWidget* w = child(form, target);
    QTest::keyClick(w, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(t.platform.messages, messages);
    QCOMPARE(t.platform.openDialogs.size(), openDialogs);
    QCOMPARE(form->txtPT->text(), messages.isEmpty() ? QString() : QStringLiteral("1275.00"));
    QVERIFY(isLoaded(t, QStringLiteral("Form1")));
}

void TestKeys::escapeClosesWindow_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("target");
    QTest::newRow("fan-1 chart, field") << "frmFan1"
                                        << "txtPP";
    QTest::newRow("fan-1 chart, button") << "frmFan1"
                                         << "cmdcaldraw";
    QTest::newRow("fan-1 chart, canvas") << "frmFan1"
                                         << "Picture1";
    QTest::newRow("fan-2 chart, scroll bar") << "frmFan2"
                                             << "HScroll1";
    QTest::newRow("fan-2 chart, window") << "frmFan2"
                                         << "frmFan2";
    QTest::newRow("aircon chart, field") << "frmAircon"
                                         << "txtWW";
    QTest::newRow("component heat, count") << "frmHeatValue"
                                           << "txtTransformerNum_0";
    QTest::newRow("component heat, button") << "frmHeatValue"
                                            << "cmdInitValue";
    QTest::newRow("pictures, button") << "frmHeatProduced"
                                      << "OptHeatProduced3";
    QTest::newRow("pictures, window") << "frmHeatProduced"
                                      << "frmHeatProduced";
}

void TestKeys::escapeClosesWindow() {
    QFETCH(QString, window);
    QFETCH(QString, target);
    TestApp t;
    t.start();
    QWidget* w = openWindow(t, window);
    QVERIFY(w && w->isVisible());
    QTest::keyClick(child(w, target), Qt::Key_Escape);
    QVERIFY(!isLoaded(t, window));
    processDeferredDeletes();
    QVERIFY(!isLoaded(t, window));
    QVERIFY(isLoaded(t, QStringLiteral("Form1")));
    QVERIFY(t.platform.messages.isEmpty());
    // Opened again, it starts afresh.
    QVERIFY(openWindow(t, window)->isVisible());
}

void TestKeys::enterInFan1Chart_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("closes");
    QTest::newRow("heat field") << "txtPP" << false;
    QTest::newRow("area field") << "txtSS" << false;
    QTest::newRow("result field") << "txtXX" << false;
    QTest::newRow("canvas") << "Picture1" << false;
    QTest::newRow("calculate button") << "cmdcaldraw" << false;
    QTest::newRow("Exit button") << "cmdExit" << true;
}

void TestKeys::enterInFan1Chart() {
    QFETCH(QString, target);
    QFETCH(bool, closes);
    TestApp t;
    t.start();
    QWidget* w = openWindow(t, QStringLiteral("frmFan1"));
    // P 500, S 3.5469, dT 15: X = 500 / 15 - 5 x 3.5469 = 15.5988333333333.
    QCOMPARE(field(w, "txtXX")->text(), QStringLiteral("15.5988333333333"));
    // A new dT stored by the main window is drawn on "계산": 500 / 20 - 17.7345.
    t.app->fanValues().FanDeltaT = 20;
    QTest::keyClick(child(w, target), Qt::Key_Return);
    if (closes) {
        QVERIFY(!isLoaded(t, QStringLiteral("frmFan1")));
        return;
    }
    QCOMPARE(field(w, "txtXX")->text(), QStringLiteral("7.2655"));
    QVERIFY(t.platform.messages.isEmpty());
}

void TestKeys::enterInHeatValue_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("total");  // the total field afterwards
    QTest::addColumn<QString>("heat");   // the main window's txtPP afterwards
    // The shipped losses: transformer 250 VA 23 W, so 2 of them make 46 W.
    QTest::newRow("count field") << "txtTransformerNum_0"
                                 << "46"
                                 << "46";
    QTest::newRow("another family's count") << "txtInverterNum_26"
                                            << "46"
                                            << "46";
    QTest::newRow("total field") << "txtTotalHeatValue"
                                 << "46"
                                 << "46";
    QTest::newRow("calculate button") << "cmdCalValue"
                                      << "46"
                                      << "46";
    QTest::newRow("reset button") << "cmdInitValue"
                                  << "0"
                                  << "1100";
}

void TestKeys::enterInHeatValue() {
    QFETCH(QString, target);
    QFETCH(QString, total);
    QFETCH(QString, heat);
    TestApp t;
    Form1* form = t.start();
    QWidget* w = openWindow(t, QStringLiteral("frmHeatValue"));
    field(w, "txtTransformerNum_0")->setText(QStringLiteral("2"));
    QTest::keyClick(child(w, target), Qt::Key_Return);
    QCOMPARE(field(w, "txtTotalHeatValue")->text(), total);
    QCOMPARE(form->txtPP->text(), heat);
    QVERIFY(isLoaded(t, QStringLiteral("frmHeatValue")));
}

// ---- Tab ---------------------------------------------------------------------

void TestKeys::tabOrder_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("stops");
    QTest::addColumn<bool>("whole");  // the whole round, or its first stops
    // Tab stops on the selected one of the mode buttons and of the material
    // buttons; arrow keys move within them.
    const QStringList head{"txtHeight", "txtWidth", "txtDepth", "cmdSS", "txtSS"};
    const QStringList tail{"txtT1",   "txtT2",      "optSel_0",     "txtUU",      "cmdCal",
                           "txtPT",   "txtKind",    "txtCoolValue", "cmdClimate", "cmdReport",
                           "cmdRise", "cmdDevices", "cmdOpen",      "cmdSaveAs",  "cmdPrint",
                           "cmdHelp", "cmdProject", "cmdURL",       "cmdExit"};
    QTest::newRow("main window, Box Aircon")
        << "Form1" << int(SelectionMode::Aircon)
        << QStringList{"OptBoxAircon"} + head +
               QStringList{"txtPP", "cmdHeatValue", "cmdHeatproduced"} + tail
        << true;
    QTest::newRow("main window, Box Fan")
        << "Form1" << int(SelectionMode::Fan1)
        << QStringList{"OptBoxFan1"} + head +
               QStringList{"txtPP", "cmdHeatValue", "cmdHeatproduced"} + tail
        << true;
    QTest::newRow("main window, measured temperatures")
        << "Form1" << int(SelectionMode::Fan2)
        << QStringList{"OptBoxFan2"} + head + QStringList{"txtT3", "txtT4"} + tail << true;
    QTest::newRow("fan-1 chart") << "frmFan1" << 0
                                 << QStringList{"txtSS", "txtPP", "cmdcaldraw", "txtXX", "cmdExit"}
                                 << true;
    QTest::newRow("aircon chart") << "frmAircon" << 0
                                  << QStringList{"txtSS", "cmdExit", "txtWW", "txtyy2"} << true;
    QTest::newRow("fan-2 chart") << "frmFan2" << 0
                                 << QStringList{"txtSS",  "txtDetaT", "txtdeltaT1",
                                                "txtXX0", "txtXX",    "cmdExit"}
                                 << true;
    // Down the first frame and on to the second; the window's own order.
    QStringList counts;
    for (int i = 0; i < 12; ++i) counts << QStringLiteral("txtTransformerNum_%1").arg(i);
    QTest::newRow("component heat")
        << "frmHeatValue" << 0 << counts + QStringList{"txtCircuitBreakerNum_0"} << false;
    QTest::newRow("pictures") << "frmHeatProduced" << 0 << QStringList{"OptHeatProduced1"} << false;
}

void TestKeys::tabOrder() {
    QFETCH(QString, window);
    QFETCH(int, mode);
    QFETCH(QStringList, stops);
    QFETCH(bool, whole);
    TestApp t;
    Form1* form = t.start();
    form->selectMode(SelectionMode(mode));
    QWidget* w = openWindow(t, window);
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    // Each window opens with the focus on its first stop; the main window on
    // the mode it opened in.
    QCOMPARE(QApplication::focusWidget()->objectName(),
             window == QLatin1String("Form1") ? QStringLiteral("OptBoxAircon") : stops.first());
    // Where the user who chose a mode stands: on its button.
    if (window == QLatin1String("Form1")) child(w, stops.first())->setFocus(Qt::TabFocusReason);
    QStringList walk = tabWalk(w);
    if (!whole) walk = walk.mid(0, stops.size());
    QCOMPARE(walk.join(QLatin1Char(' ')), stops.join(QLatin1Char(' ')));
}

// The component heat window opens on its first count, ready to be typed over.
void TestKeys::typingWhereTheHeatWindowOpens() {
    TestApp t;
    Form1* form = t.start();
    QWidget* w = openWindow(t, QStringLiteral("frmHeatValue"));
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    QLineEdit* first = field(w, "txtTransformerNum_0");
    QCOMPARE(QApplication::focusWidget(), first);
    QTest::keyClicks(first, "3");
    QTest::keyClick(first, Qt::Key_Return);
    QCOMPARE(first->text(), QStringLiteral("3"));
    // 3 x 23 W.
    QCOMPARE(form->txtPP->text(), QStringLiteral("69"));
}

// ---- the stale cue --------------------------------------------------------------

// What may happen after a calculation, and whether the results it left are
// then shown as stale.
void TestKeys::staleCueAppears_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("stale");
    QTest::newRow("typing a dimension") << "type height" << true;
    QTest::newRow("typing the internal heat") << "type heat" << true;
    QTest::newRow("typing a temperature") << "type t2" << true;
    QTest::newRow("typing the coefficient") << "type u" << true;
    QTest::newRow("typing over a result") << "type result" << true;
    QTest::newRow("choosing the material") << "resin" << true;
    QTest::newRow("component heat applied") << "heat window" << true;
    QTest::newRow("file opened, same mode") << "open aircon-lf.col" << true;
    QTest::newRow("file opened, other mode") << "open fan2-lf.col" << true;
    QTest::newRow("component heat applied in Fan2") << "fan2 heat window" << false;
    // Results of another mode, now under this mode's unit.
    QTest::newRow("mode changed") << "mode" << true;
    QTest::newRow("mode changed to the measured mode") << "mode fan2" << true;
    QTest::newRow("mode changed and back") << "mode and back" << false;
    QTest::newRow("calculating again") << "calculate" << false;
    QTest::newRow("surface area button") << "area" << false;
    QTest::newRow("typing into the area field") << "type area" << false;
    QTest::newRow("typing without a result yet") << "fresh type height" << false;
    // What counts is the number read, not the keys pressed.
    QTest::newRow("typing the same number") << "type same height" << false;
    QTest::newRow("typing the same number otherwise") << "type 2.0 height" << false;
    QTest::newRow("typing and typing back") << "type height and back" << false;
    QTest::newRow("component heat with the same total") << "same heat window" << false;
    QTest::newRow("choosing the material back") << "resin and back" << false;
}

void TestKeys::staleCueAppears() {
    QFETCH(QString, action);
    QFETCH(bool, stale);
    TestApp t;
    Form1* form = t.start();
    if (action.startsWith(QLatin1String("fan2"))) form->selectMode(SelectionMode::Fan2);
    if (action.startsWith(QLatin1String("same heat"))) typeInto(form->txtPP, "46");
    if (!action.startsWith(QLatin1String("fresh"))) form->cmdCal_Click();
    QVERIFY(!resultsLookStale(form));
    QVERIFY(form->txtHeight->toolTip().startsWith(QStringLiteral("높이")));

    if (action.endsWith(QLatin1String("type height"))) typeInto(form->txtHeight, "2.5");
    if (action == QLatin1String("type same height")) typeInto(form->txtHeight, "2");
    if (action == QLatin1String("type 2.0 height")) typeInto(form->txtHeight, "2.0");
    if (action == QLatin1String("type height and back")) {
        typeInto(form->txtHeight, "3");
        QVERIFY(resultsLookStale(form));
        typeInto(form->txtHeight, "2");
    }
    if (action == QLatin1String("resin and back")) {
        form->optSel[1]->click();
        QVERIFY(resultsLookStale(form));
        form->optSel[0]->click();
    }
    if (action == QLatin1String("type heat")) typeInto(form->txtPP, "900");
    if (action == QLatin1String("type t2")) typeInto(form->txtT2, "30");
    if (action == QLatin1String("type u")) typeInto(form->txtUU, "4");
    if (action == QLatin1String("type result")) typeInto(form->txtKind, "VKA-X");
    if (action == QLatin1String("type area")) typeInto(form->txtSS, "9");
    if (action == QLatin1String("resin")) form->optSel[1]->click();
    if (action.endsWith(QLatin1String("heat window"))) {
        QWidget* heat = openWindow(t, QStringLiteral("frmHeatValue"));
        field(heat, "txtTransformerNum_0")->setText(QStringLiteral("2"));
        child<QAbstractButton>(heat, "cmdCalValue")->click();
        QCOMPARE(form->txtPP->text(), QStringLiteral("46"));
        QCOMPARE(field(heat, "txtTotalHeatValue")->text(), QStringLiteral("46"));
    }
    if (action.startsWith(QLatin1String("open "))) {
        t.platform.openAnswers.enqueue(kCoolData + action.mid(5));
        form->cmdOpen->click();
        QVERIFY(!form->txtPT->text().isEmpty());
    }
    if (action == QLatin1String("mode")) form->OptBoxFan1->click();
    if (action == QLatin1String("mode fan2")) form->OptBoxFan2->click();
    if (action == QLatin1String("mode and back")) {
        form->OptBoxFan1->click();
        QVERIFY(resultsLookStale(form));
        form->OptBoxAircon->click();
    }
    if (action == QLatin1String("calculate")) form->cmdCal->click();
    if (action == QLatin1String("area")) form->cmdSS->click();

    QCOMPARE(resultsLookStale(form), stale);
    // The inputs themselves never look stale.
    QCOMPARE(form->txtHeight->palette().color(QPalette::Text),
             form->Frame1->palette().color(QPalette::Text));
}

void TestKeys::staleCueClears_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("stale");
    QTest::addColumn<QString>("result");  // txtPT afterwards
    QTest::newRow("calculation") << "calculate" << false << "1150.00";
    QTest::newRow("enter in a field") << "enter" << false << "1150.00";
    // A mode change keeps the results' text but not their being current;
    // the calculation in the new mode clears the cue.
    QTest::newRow("mode change") << "mode" << true << "1275.00";
    QTest::newRow("mode change, then calculation") << "mode and calculate" << false << "15.60";
    QTest::newRow("same mode again") << "same mode" << true << "1275.00";
    // A calculation that writes no result leaves the old one stale.
    QTest::newRow("calculation out of range") << "out of range" << true << "1275.00";
    QTest::newRow("fan calculation with equal temperatures")
        << "equal temperatures" << true << "15.60";
}

void TestKeys::staleCueClears() {
    QFETCH(QString, action);
    QFETCH(bool, stale);
    QFETCH(QString, result);
    TestApp t;
    Form1* form = t.start();
    if (action == QLatin1String("equal temperatures")) form->selectMode(SelectionMode::Fan1);
    form->cmdCal_Click();
    // 1100 + 5 x 7 x 5 = 1275; with 975 W of heat, 1150.
    typeInto(form->txtPP, "975");
    QVERIFY(resultsLookStale(form));
    t.platform.messages.clear();

    if (action == QLatin1String("calculate")) form->cmdCal->click();
    if (action == QLatin1String("enter")) QTest::keyClick(form->txtPP, Qt::Key_Return);
    if (action == QLatin1String("mode")) form->OptBoxFan1->click();
    if (action == QLatin1String("same mode")) form->OptBoxAircon->click();
    if (action == QLatin1String("mode and calculate")) {
        form->OptBoxFan1->click();
        form->cmdCal->click();
    }
    if (action == QLatin1String("out of range")) {
        typeInto(form->txtHeight, "1E300");
        typeInto(form->txtWidth, "1E300");
        form->cmdCal->click();
        QCOMPARE(t.platform.messages, QStringList{kOutOfRange});
    }
    if (action == QLatin1String("equal temperatures")) {
        typeInto(form->txtT2, "40");
        form->cmdCal->click();
        QCOMPARE(t.platform.messages.first(), kEqual);
    }

    QCOMPARE(form->txtPT->text(), result);
    QCOMPARE(resultsLookStale(form), stale);
}

// Muted text lies between the text and the background of the scheme in use,
// also when the scheme changes while the results are stale.
void TestKeys::staleCueFollowsColourScheme() {
    TestApp t;
    Form1* form = t.start();
    form->cmdCal_Click();
    typeInto(form->txtPP, "975");
    const QPalette light = QApplication::palette();
    QCOMPARE(form->txtPT->palette().color(QPalette::Text),
             mutedTextColor(light.color(QPalette::Text), light.color(QPalette::Base)));

    QPalette dark = light;
    for (const QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
        dark.setColor(g, QPalette::Window, QColor(40, 40, 40));
        dark.setColor(g, QPalette::Base, QColor(20, 20, 20));
        dark.setColor(g, QPalette::Text, QColor(230, 230, 230));
        dark.setColor(g, QPalette::WindowText, QColor(230, 230, 230));
    }
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();  // the change reaches the widgets as an event
    const QColor muted = form->txtPT->palette().color(QPalette::Active, QPalette::Text);
    const QColor normal = form->txtHeight->palette().color(QPalette::Active, QPalette::Text);
    QApplication::setPalette(light);
    QCoreApplication::processEvents();
    // Half way between 230 and 20.
    QCOMPARE(muted, QColor(125, 125, 125));
    QCOMPARE(normal, QColor(230, 230, 230));
    // On a dark background the warning frame is a light amber.
    QVERIFY(warningFrameColor(dark).lightness() > warningFrameColor(light).lightness());
}

// ---- the read-value cue ---------------------------------------------------------

void TestKeys::readValueCue_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("notice");  // empty: read whole, no cue
    QTest::addColumn<QString>("area");    // txtSS for that height, 1 m wide and 0.6 m deep
    // The area is 2 x 0.6 x H + 2 x H x 1 + 0.6 x 1 = 3.2 H + 0.6.
    QTest::newRow("number") << "2.5"
                            << ""
                            << "8.6";
    QTest::newRow("trailing blank") << "2 "
                                    << ""
                                    << "7";
    QTest::newRow("exponent") << "1.5E1"
                              << ""
                              << "48.6";
    QTest::newRow("hex") << "&H1F"
                         << ""
                         << "99.8";
    QTest::newRow("decimal comma") << "1,2"
                                   << "계산에 쓰는 값: 1"
                                   << "3.8";
    QTest::newRow("letters") << "abc"
                             << "계산에 쓰는 값: 0"
                             << "0.6";
    QTest::newRow("unit typed") << "2m"
                                << "계산에 쓰는 값: 2"
                                << "7";
    QTest::newRow("empty") << ""
                           << "계산에 쓰는 값: 0"
                           << "0.6";
    QTest::newRow("second period") << "1.2.5"
                                   << "계산에 쓰는 값: 1.2"
                                   << "4.44";
    QTest::newRow("korean unit") << "0.8미터"
                                 << "계산에 쓰는 값: 0.8"
                                 << "3.16";
}

void TestKeys::readValueCue() {
    QFETCH(QString, text);
    QFETCH(QString, notice);
    QFETCH(QString, area);
    TestApp t;
    Form1* form = t.start();
    const bool cue = !notice.isEmpty();
    for (QLineEdit* f : {form->txtHeight, form->txtPP, form->txtT1, form->txtUU}) {
        typeInto(f, text);
        QCOMPARE(isFieldReadPartly(f), cue);
        QVERIFY(!firstLine(f).isEmpty());
        if (cue) {
            QCOMPARE(firstLine(f), notice);
        } else {
            QVERIFY(description(f).startsWith(firstLine(f)));
        }
        QVERIFY(!description(f).isEmpty());
        // The frame as painted: warning colour two pixels in from the left
        // edge, half way down; the field's background there otherwise.
        const QImage image = f->grab().toImage();
        const QColor pixel = image.pixelColor(1 * image.devicePixelRatio(), image.height() / 2);
        QCOMPARE(pixel == warningFrameColor(f->palette()), cue);
    }
    // The surface area is worked out from the height the notice gives.
    form->cmdSS->click();
    QCOMPARE(form->txtSS->text(), area);
    // A mode's defaults are whole numbers: the cue goes.
    form->OptBoxFan1->click();
    QVERIFY(!isFieldReadPartly(form->txtHeight));
    QCOMPARE(form->txtHeight->toolTip(), description(form->txtHeight));
}

void TestKeys::readValueCueOnHeatCounts() {
    TestApp t;
    t.start();
    QWidget* w = openWindow(t, QStringLiteral("frmHeatValue"));
    QLineEdit* count = field(w, "txtTransformerNum_0");
    QVERIFY(!isFieldReadPartly(count));
    // Each count says the loss it multiplies, as the configuration file gives it.
    QVERIFY(description(count).contains(QStringLiteral("23 W")));
    QVERIFY(description(count).contains(QStringLiteral("[Transformer] 250")));
    typeInto(count, QStringLiteral("2개"));
    QVERIFY(isFieldReadPartly(count));
    QCOMPARE(firstLine(count), QStringLiteral("계산에 쓰는 값: 2"));
    child<QAbstractButton>(w, "cmdCalValue")->click();
    QCOMPARE(field(w, "txtTotalHeatValue")->text(), QStringLiteral("46"));
    // Reset writes whole numbers.
    child<QAbstractButton>(w, "cmdInitValue")->click();
    QVERIFY(!isFieldReadPartly(count));
}

// ---- tooltips ---------------------------------------------------------------------

void TestKeys::everyControlHasToolTip_data() {
    QTest::addColumn<QString>("window");
    for (const char* w : {"Form1", "frmFan1", "frmFan2", "frmAircon", "frmHeatValue",
                          "frmHeatProduced", "frmAbout"}) {
        QTest::newRow(w) << w;
    }
}

void TestKeys::everyControlHasToolTip() {
    QFETCH(QString, window);
    TestApp t;
    t.start();
    QWidget* w = openWindow(t, window);
    QStringList missing;
    int controls = 0;
    for (QWidget* c : w->findChildren<QWidget*>()) {
        if (!qobject_cast<QLineEdit*>(c) && !qobject_cast<QAbstractButton*>(c)) continue;
        ++controls;
        // In Korean: at least one Hangul syllable.
        const QString tip = c->toolTip();
        const bool korean = std::any_of(tip.begin(), tip.end(), [](QChar ch) {
            return ch.unicode() >= 0xAC00 && ch.unicode() <= 0xD7A3;
        });
        if (!korean) missing << c->objectName();
        // Broken into lines that stay near the control.
        for (const QString& line : tip.split(QLatin1Char('\n'))) {
            if (line.size() > 60) missing << c->objectName() + QStringLiteral(" (long line)");
        }
    }
    QVERIFY(controls > 0);
    QCOMPARE(missing, QStringList());
}

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
