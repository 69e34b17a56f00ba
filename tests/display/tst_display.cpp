// Every window on the screens users have. The same tests run once for each
// screen ctest sets up (size and scale, see CMakeLists.txt): what a window
// shows and where it stands depends on them.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolTip>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "TestApp.h"
#include "charts/ChartCanvas.h"
#include "charts/ChartCommands.h"
#include "charts/frmAircon.h"
#include "charts/frmFan1.h"
#include "charts/frmFan2.h"
#include "devices/frmDevices.h"
#include "heat/HeatCommands.h"
#include "heat/frmHeatProduced.h"
#include "heat/frmHeatValue.h"
#include "info/InfoCommands.h"
#include "info/frmAbout.h"
#include "info/frmHelp.h"
#include "kit/ProjectSession.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"
#include "kit/WindowPlacement.h"
#include "projectwindow/frmProject.h"
#include "rise/frmRise.h"

namespace {

const QStringList kWindows = {"Form1",        "frmAircon",       "frmFan1",   "frmFan2",
                              "frmHeatValue", "frmHeatProduced", "frmAbout",  "frmHelp",
                              "frmRise",      "frmProject",      "frmDevices"};

// Room a window leaves on the screen for the title bar and borders, as the
// windows reserve it (ScrollableClient).
const QSize kDecoration(8, 48);

// Starts the program and opens `name` as a user does; the chart windows
// from a calculation that opens them.
QWidget* openWindow(TestApp& t, const QString& name) {
    Form1* form = t.start();
    if (name == "Form1") {
        form->cmdCal->click();
        return form;
    }
    if (name == "frmAircon") {
        form->txtT2->setText(QStringLiteral("25"));
        form->cmdCal->click();
        return t.app->loadedWindow<frmAircon>();
    }
    if (name == "frmFan1") {
        form->OptBoxFan1->click();
        form->cmdCal->click();
        return t.app->loadedWindow<frmFan1>();
    }
    if (name == "frmFan2") {
        form->OptBoxFan2->click();
        form->cmdCal->click();
        return t.app->loadedWindow<frmFan2>();
    }
    if (name == "frmHeatValue") {
        showHeatValueWindow(*t.app);
        return t.app->loadedWindow<frmHeatValue>();
    }
    if (name == "frmHeatProduced") {
        showHeatProducedWindow(*t.app);
        return t.app->loadedWindow<frmHeatProduced>();
    }
    if (name == "frmAbout") {
        showAboutBox(*t.app);
        return t.app->loadedWindow<frmAbout>();
    }
    if (name == "frmProject") {
        form->cmdProject->click();
        return t.app->loadedWindow<frmProject>();
    }
    if (name == "frmRise") {
        form->cmdRise->click();
        return t.app->loadedWindow<frmRise>();
    }
    if (name == "frmDevices") {
        // A device with its margin, a conductor and a line with a bad cell.
        t.app->project().setCabinetDevices(
            0, {{{"kind", "device"},
                 {"description", "배선용 차단기 3P 100 A"},
                 {"count", "2"},
                 {"in", "100"},
                 {"pn", "20"},
                 {"ib", "80"},
                 {"height", "상부"},
                 {"tmax", "55"}},
                {{"kind", "conductor"},
                 {"description", "주 회로"},
                 {"count", "3"},
                 {"section", "16"},
                 {"length", "2"},
                 {"current", "63"}},
                {{"kind", "device"}, {"description", "PLC"}, {"count", "1,5"}, {"pn", "10"}}});
        form->cmdDevices->click();
        return t.app->loadedWindow<frmDevices>();
    }
    return t.app->showWindow<frmHelp>();
}

// The widgets of `root` in the order they are painted: a parent before its
// children, siblings from bottom to top.
void paintOrder(QWidget* root, QList<QWidget*>* order) {
    order->append(root);
    for (QObject* child : root->children()) {
        if (auto* w = qobject_cast<QWidget*>(child); w && !w->isWindow()) paintOrder(w, order);
    }
}

bool shown(const QWidget* w, const QWidget* window) { return w->isVisibleTo(window); }

// What a widget shows as text, or nothing.
QString textOf(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (qobject_cast<const ChartMarker*>(w)) return {};  // placed by the calculation
        return label->pixmap().isNull() ? label->text() : QString();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (const auto* field = qobject_cast<const QLineEdit*>(w)) return field->displayText();
    return {};
}

// The part of a label its text takes, in the label's coordinates.
QRect labelTextRect(const QLabel* label) {
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text());
}

// The box of a control that shows text, in `client` coordinates: a label's
// text, a button's or a field's whole box.
QRect textArea(const QWidget* w, const QWidget* client) {
    const auto* label = qobject_cast<const QLabel*>(w);
    return (label ? labelTextRect(label) : w->rect()).translated(w->mapTo(client, QPoint(0, 0)));
}

// Where the letters of a control's text stand, in `client` coordinates.
QRect inkArea(const QWidget* w, const QWidget* client) {
    QRect local = w->rect();
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        local = labelTextRect(label);
        if (!label->wordWrap() && !label->text().contains(QLatin1Char('\n'))) {
            // The letters themselves, not the line's full height.
            const QFontMetrics fm = label->fontMetrics();
            local = fm.tightBoundingRect(label->text())
                        .translated(local.left(), local.top() + fm.ascent());
        }
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        local = button->fontMetrics().boundingRect(w->rect(), Qt::AlignCenter, button->text());
    } else if (const auto* field = qobject_cast<const QLineEdit*>(w)) {
        // QLineEdit keeps two pixels free on either side of its text.
        const QRect room = w->rect().marginsRemoved(field->textMargins()).adjusted(2, 0, -2, 0);
        const int align = int(field->alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
        local =
            field->fontMetrics().boundingRect(room, align, field->displayText()).intersected(room);
    }
    return local.translated(w->mapTo(client, QPoint(0, 0)));
}

bool isControl(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractSlider*>(w);
}

// Widgets that only hold others and paint nothing over them.
bool isContainer(const QWidget* w) {
    return w->metaObject() == &QWidget::staticMetaObject ||
           qobject_cast<const QScrollArea*>(w) != nullptr ||
           (w->parentWidget() &&
            qobject_cast<const QScrollArea*>(w->parentWidget()->parentWidget()) &&
            w->objectName() == QLatin1String("qt_scrollarea_viewport"));
}

// WCAG contrast of two colours, 1 to 21.
double contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The commonest colour of an image region (its ground) and the contrast of
// the pixel that stands out most from it (the text's ink).
std::pair<QColor, double> groundAndInk(const QImage& image) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
    }
    const auto most =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    const QColor ground = QColor::fromRgb(most->first);
    double best = 1;
    for (const auto& [rgb, n] : counts)
        best = std::max(best, contrast(ground, QColor::fromRgb(rgb)));
    return {ground, best};
}

// A dark colour scheme as Breeze Dark and Adwaita dark have it.
QPalette darkPalette() {
    QPalette p;
    const QColor window(49, 54, 59), base(35, 38, 41), text(239, 240, 241);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Light, QColor(70, 75, 80));
    p.setColor(QPalette::Midlight, QColor(60, 64, 69));
    p.setColor(QPalette::Mid, QColor(40, 43, 46));
    p.setColor(QPalette::Dark, QColor(25, 27, 29));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, QColor(61, 174, 233));
    p.setColor(QPalette::HighlightedText, text);
    p.setColor(QPalette::Link, QColor(41, 128, 185));
    p.setColor(QPalette::ToolTipBase, window);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, QColor(160, 160, 160));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(110, 113, 116));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(110, 113, 116));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(110, 113, 116));
    return p;
}

}  // namespace

class TestDisplay : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void windowFitsOrScrollsToEveryControl_data();
    void windowFitsOrScrollsToEveryControl();
    void printHoldsWholeMainWindow();
    void chartOpensBesideMainWindow_data();
    void chartOpensBesideMainWindow();
    void placeBeside_data();
    void placeBeside();

    void textsAreWholeAndUncovered_data();
    void textsAreWholeAndUncovered();
    void resultUnitsFollowMode_data();
    void resultUnitsFollowMode();
    void longReadingShowsStartAndWholeTip_data();
    void longReadingShowsStartAndWholeTip();
    void tipFollowsNewValue();

    void chartPensScaleWithDensity();

    void textContrastsInEveryScheme_data();
    void textContrastsInEveryScheme();

private:
    QPalette m_palette;  // the scheme the tests start in
};

void TestDisplay::initTestCase() {
    // ctest names the screen each run stands on; make sure it is that one.
    m_palette = QApplication::palette();
    const QByteArray expected = qgetenv("CC_EXPECTED_SCREEN");
    const QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    const qreal dpr = screen->devicePixelRatio();
    const QSize pixels = screen->geometry().size() * dpr;
    qInfo("screen %dx%d pixels at scale %g, %dx%d available", pixels.width(), pixels.height(), dpr,
          screen->availableGeometry().width(), screen->availableGeometry().height());
    if (!expected.isEmpty()) {
        QCOMPARE(QStringLiteral("%1x%2@%3").arg(pixels.width()).arg(pixels.height()).arg(dpr),
                 QString::fromLatin1(expected));
    }
}

void TestDisplay::cleanup() {
    QApplication::setPalette(m_palette);
    processDeferredDeletes();
}

// ---- Small screens and high density -------------------------------------

void TestDisplay::windowFitsOrScrollsToEveryControl_data() {
    QTest::addColumn<QString>("window");
    for (const QString& w : kWindows) QTest::newRow(qPrintable(w)) << w;
}

// A window stands wholly on the screen. Where its design fits the screen it
// shows exactly that, without scroll bars; where not, it scrolls, and every
// control can be scrolled into view.
void TestDisplay::windowFitsOrScrollsToEveryControl() {
    QFETCH(QString, window);
    TestApp t;
    QWidget* w = openWindow(t, window);
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QRect available = w->screen()->availableGeometry();
    QVERIFY2(available.contains(w->frameGeometry()),
             qPrintable(QStringLiteral("frame (%1,%2 %3x%4) leaves the screen")
                            .arg(w->frameGeometry().x())
                            .arg(w->frameGeometry().y())
                            .arg(w->frameGeometry().width())
                            .arg(w->frameGeometry().height())));

    QWidget* client = scrollableClientOf(w);
    QScrollArea* area = clientScrollArea(w);
    const QSize design = client->size();
    const bool fits = design.width() + kDecoration.width() <= available.width() &&
                      design.height() + kDecoration.height() <= available.height();
    if (fits) {
        QCOMPARE(w->size(), design);
        if (area) {
            QVERIFY(!area->horizontalScrollBar()->isVisible());
            QVERIFY(!area->verticalScrollBar()->isVisible());
        }
    } else {
        QVERIFY2(area, "a window larger than the screen must scroll");
    }

    QList<QWidget*> order;
    paintOrder(client, &order);
    int controls = 0;
    for (QWidget* c : order) {
        if (c == client || !shown(c, w) || textOf(c).isEmpty()) continue;
        if (!qobject_cast<QAbstractButton*>(c) && !qobject_cast<QLineEdit*>(c) &&
            !qobject_cast<QLabel*>(c))
            continue;
        ++controls;
        // Scrolled so that the whole of its text shows (a field's own
        // ensureWidgetVisible would bring only its cursor into view).
        const QWidget* view = area ? area->viewport() : w;
        const QRect text = textArea(c, client);
        if (area) {
            area->ensureVisible(text.center().x(), text.center().y(), text.width() / 2 + 1,
                                text.height() / 2 + 1);
        }
        const QRect r(client->mapTo(view, text.topLeft()), text.size());
        QVERIFY2(view->rect().contains(r),
                 qPrintable(QStringLiteral("%1 \"%2\" at %3,%4 %5x%6, view %7x%8")
                                .arg(c->objectName(), textOf(c))
                                .arg(r.x())
                                .arg(r.y())
                                .arg(r.width())
                                .arg(r.height())
                                .arg(view->width())
                                .arg(view->height())));
    }
    QVERIFY(controls > 0);
}

// The print holds all of the main window's content at its design size, also
// where the screen shows only part of it.
void TestDisplay::printHoldsWholeMainWindow() {
    TestApp t;
    Form1* form = t.start();
    form->cmdPrint->click();
    QCOMPARE(t.platform.printedImages.size(), 1);
    const QImage printed = t.platform.printedImages.first();
    QCOMPARE(printed.size() / printed.devicePixelRatio(), twipsSize(8130, 10650));
    // The bottom row is on paper as on screen, wherever the window scrolled.
    QWidget* client = scrollableClientOf(form);
    const QImage screen = client->grab().toImage();
    const qreal dpr = screen.devicePixelRatio();
    const QRect calc(form->cmdCal->mapTo(client, QPoint()) * dpr, form->cmdCal->size() * dpr);
    QCOMPARE(printed.copy(calc), screen.copy(calc));
}

void TestDisplay::chartOpensBesideMainWindow_data() {
    QTest::addColumn<QString>("chart");
    QTest::addColumn<QString>("mainAt");  // where the main window stands
    for (const char* chart : {"frmAircon", "frmFan1", "frmFan2"}) {
        for (const char* at : {"left", "centre", "right"})
            QTest::newRow(qPrintable(QStringLiteral("%1, main window %2").arg(chart, at)))
                << QString::fromLatin1(chart) << QString::fromLatin1(at);
    }
}

// A chart opens on the screen, and where the screen has room beside the
// main window (at least half the chart's width) it covers none of the main
// window's buttons.
void TestDisplay::chartOpensBesideMainWindow() {
    QFETCH(QString, chart);
    QFETCH(QString, mainAt);
    TestApp t;
    Form1* form = t.start();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    const QRect available = form->screen()->availableGeometry();
    const QSize mainSize = form->frameGeometry().size();
    const int x = mainAt == "left"     ? available.left()
                  : mainAt == "centre" ? available.center().x() - mainSize.width() / 2
                                       : available.right() + 1 - mainSize.width();
    form->move(x, available.top());
    QTRY_COMPARE(form->frameGeometry().topLeft(), QPoint(x, available.top()));
    const QRect mainFrame = form->frameGeometry();

    if (chart == "frmFan1") form->OptBoxFan1->click();
    if (chart == "frmFan2") form->OptBoxFan2->click();
    if (chart == "frmAircon") form->txtT2->setText(QStringLiteral("25"));
    form->cmdCal->click();
    QWidget* w = nullptr;
    for (QWidget* loaded : t.app->loadedWindows()) {
        if (loaded->objectName() == chart) w = loaded;
    }
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QRect frame = w->frameGeometry();
    QVERIFY(available.contains(frame));

    const int designWidth = scrollableClientOf(w)->width() + (frame.width() - w->width());
    const int room = std::max(available.right() + 1 - (mainFrame.right() + 1),
                              mainFrame.left() - available.left());
    if (room < designWidth / 2) return;  // no room: it may cover the main window
    QVERIFY(!frame.intersects(mainFrame));
    for (QAbstractButton* b : form->findChildren<QAbstractButton*>()) {
        if (!b->isVisibleTo(form)) continue;
        QVERIFY2(!frame.intersects(QRect(b->mapToGlobal(QPoint(0, 0)), b->size())),
                 qPrintable(b->objectName()));
    }
}

void TestDisplay::placeBeside_data() {
    QTest::addColumn<QRect>("anchor");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QRect>("expected");
    const QRect screen(0, 0, 1920, 1040);
    QTest::addColumn<QRect>("available");
    QTest::newRow("room on the right")
        << QRect(0, 0, 550, 760) << QSize(580, 620) << QRect(550, 0, 580, 620) << screen;
    QTest::newRow("right edge: left of it")
        << QRect(1370, 100, 550, 760) << QSize(580, 620) << QRect(790, 100, 580, 620) << screen;
    QTest::newRow("lower part of the screen: kept on it")
        << QRect(100, 800, 550, 240) << QSize(580, 620) << QRect(650, 420, 580, 620) << screen;
    QTest::newRow("taller than the screen")
        << QRect(0, 0, 550, 760) << QSize(580, 1200) << QRect(550, 0, 580, 1040) << screen;
    // Scale 2 on 1920 x 1080: 960 x 540 logical pixels with a panel.
    const QRect half(0, 0, 960, 510);
    QTest::newRow("scale 2, main window left: narrower beside it")
        << QRect(0, 0, 565, 510) << QSize(580, 510) << QRect(565, 0, 395, 510) << half;
    QTest::newRow("scale 2, main window right: narrower left of it")
        << QRect(395, 0, 565, 510) << QSize(580, 510) << QRect(0, 0, 395, 510) << half;
    QTest::newRow("scale 2, main window centred: over it at the edge")
        << QRect(197, 0, 565, 510) << QSize(580, 510) << QRect(380, 0, 580, 510) << half;
    QTest::newRow("screen narrower than the chart")
        << QRect(0, 0, 300, 400) << QSize(580, 400) << QRect(0, 0, 500, 400)
        << QRect(0, 0, 500, 400);
    QTest::newRow("screen with an offset")
        << QRect(1920, 30, 550, 700) << QSize(580, 620) << QRect(2470, 30, 580, 620)
        << QRect(1920, 30, 1366, 728);
}

void TestDisplay::placeBeside() {
    QFETCH(QRect, anchor);
    QFETCH(QSize, frame);
    QFETCH(QRect, expected);
    QFETCH(QRect, available);
    QCOMPARE(PlaceBeside(anchor, frame, frame.width() / 2, available), expected);
}

// ---- Texts that fit -------------------------------------------------------

void TestDisplay::textsAreWholeAndUncovered_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("mode");  // of the main window
    for (const QString& w : kWindows) QTest::newRow(qPrintable(w)) << w << QString();
    QTest::newRow("Form1, Fan1") << "Form1"
                                 << "Fan1";
    QTest::newRow("Form1, Fan2") << "Form1"
                                 << "Fan2";
}

// Every label shows its whole text within its box and its parents, and no
// control lies over it; no control lies over a field or a button either.
void TestDisplay::textsAreWholeAndUncovered() {
    QFETCH(QString, window);
    QFETCH(QString, mode);
    TestApp t;
    QWidget* w = openWindow(t, window);
    QVERIFY(w);
    if (mode == "Fan1") t.form()->OptBoxFan1->click();
    if (mode == "Fan2") t.form()->OptBoxFan2->click();
    if (!mode.isEmpty()) t.form()->cmdCal->click();
    QWidget* client = scrollableClientOf(w);

    QList<QWidget*> order;
    paintOrder(client, &order);
    for (qsizetype i = 0; i < order.size(); ++i) {
        QWidget* c = order[i];
        if (!shown(c, w) || textOf(c).isEmpty()) continue;
        const QString name = c->objectName() + QLatin1Char(' ') + textOf(c);
        const QRect text = inkArea(c, client);
        const auto* label = qobject_cast<const QLabel*>(c);
        if (label) {
            // One pixel of a glyph's side bearing may stand outside.
            QVERIFY2(label->contentsRect().adjusted(-1, -1, 1, 1).contains(labelTextRect(label)),
                     qPrintable("cut by its own box: " + name));
        }
        for (QWidget* p = c->parentWidget(); p && p != client->parentWidget();
             p = p->parentWidget()) {
            const QRect parent(p->mapTo(client, QPoint(0, 0)), p->size());
            QVERIFY2(parent.adjusted(-1, -1, 1, 1).contains(text),
                     qPrintable("cut by " + p->objectName() + ": " + name));
        }
        for (qsizetype j = 0; j < order.size(); ++j) {
            QWidget* other = order[j];
            if (j == i || !shown(other, w) || isContainer(other) || c->isAncestorOf(other) ||
                other->isAncestorOf(c))
                continue;
            if (qobject_cast<ChartMarker*>(other)) continue;  // placed by the calculation
            // A label over another hides it only with its letters.
            const QRect r = qobject_cast<QLabel*>(other)
                                ? inkArea(other, client)
                                : QRect(other->mapTo(client, QPoint(0, 0)), other->size());
            // Nothing lies over a text; a label's text keeps clear of the
            // controls around it, even of those below it.
            const bool above = j > i;
            QVERIFY2(!(above || (label && isControl(other))) || !r.intersects(text),
                     qPrintable(QStringLiteral("%1 %2 %3 %4")
                                    .arg(name, above ? "covered by" : "touches",
                                         other->objectName(), textOf(other))));
        }
    }
}

void TestDisplay::resultUnitsFollowMode_data() {
    QTest::addColumn<QStringList>("modes");  // selected in this order
    QTest::addColumn<QString>("unit");
    QTest::newRow("Aircon") << QStringList{} << "W";
    QTest::newRow("Fan1") << QStringList{"Fan1"} << "W/K";
    QTest::newRow("Fan2") << QStringList{"Fan2"} << "W/K";
    QTest::newRow("Fan1, then Aircon again") << QStringList{"Fan1", "Aircon"} << "W";
}

// The result of the fan modes is a specific capacity: its unit and that of
// the model's capacity read W/K there, W for the air-conditioner. The arrow
// and the units stay whole beside the fields.
void TestDisplay::resultUnitsFollowMode() {
    QFETCH(QStringList, modes);
    QFETCH(QString, unit);
    TestApp t;
    Form1* form = t.start();
    for (const QString& m : modes) {
        (m == "Fan1"   ? form->OptBoxFan1
         : m == "Fan2" ? form->OptBoxFan2
                       : form->OptBoxAircon)
            ->click();
    }
    auto* pt = form->findChild<QLabel*>(QStringLiteral("lblPTUnit"));
    auto* cool = form->findChild<QLabel*>(QStringLiteral("lblCoolValueUnit"));
    QVERIFY(pt && cool);
    QCOMPARE(pt->text(), unit);
    QCOMPARE(cool->text(), unit);
    // Whole, and between the field and the next control.
    QWidget* client = scrollableClientOf(form);
    for (auto [label, field, next] :
         {std::tuple<QLabel*, QWidget*, QWidget*>{pt, form->txtPT, form->txtKind},
          {cool, form->txtCoolValue, form->cmdExit}}) {
        QVERIFY(label->contentsRect().adjusted(-1, -1, 1, 1).contains(labelTextRect(label)));
        const QRect text = textArea(label, client);
        QVERIFY(text.left() > QRect(field->mapTo(client, QPoint()), field->size()).right());
        QVERIFY(text.right() < next->mapTo(client, QPoint()).x());
        // Readable: the size of the window's other units.
        QCOMPARE(label->font().pointSizeF(), 9.0);
    }
    // The capacity field gives the longer unit room, and has its design
    // width back for "W".
    QVERIFY(form->txtCoolValue->width() <= twips(1095));
    if (unit == "W") QCOMPARE(form->txtCoolValue->width(), twips(1095));
}

void TestDisplay::longReadingShowsStartAndWholeTip_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("fan-1 result") << "frmFan1"
                                  << "txtXX"
                                  << "15.5988333333333";
    QTest::newRow("fan-2 minimum") << "frmFan2"
                                   << "txtXX0"
                                   << "14.1260606060606";
    QTest::newRow("fan-2 maximum") << "frmFan2"
                                   << "txtXX"
                                   << "20.0676363636364";
}

// Chart readings keep every digit the calculation wrote. A box too narrow
// for them shows their start, cut off with "…", and its tip shows them whole.
void TestDisplay::longReadingShowsStartAndWholeTip() {
    QFETCH(QString, window);
    QFETCH(QString, field);
    QFETCH(QString, text);
    TestApp t;
    QWidget* w = openWindow(t, window);
    QVERIFY(w && QTest::qWaitForWindowExposed(w));
    auto* x = w->findChild<QLineEdit*>(field);
    QVERIFY(x);
    QCOMPARE(x->text(), text);
    QVERIFY(!fieldShowsWholeText(x));
    QCOMPARE(x->cursorPosition(), 0);
    const QString shown = fieldShownText(x);
    QVERIFY2(
        shown.size() >= 3 && shown.endsWith(QChar(0x2026)) && text.startsWith(shown.chopped(1)),
        qPrintable(shown));
    // The whole value first; the field's own description, if any, under it.
    QCOMPARE(fieldToolTip(x).section(QLatin1Char('\n'), 0, 0), text);

    const QPoint middle = x->rect().center();
    QHelpEvent help(QEvent::ToolTip, middle, x->mapToGlobal(middle));
    QApplication::sendEvent(x, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text().section(QLatin1Char('\n'), 0, 0), text);
    QToolTip::hideText();
}

// The tip shows the value the field holds when the pointer rests on it, also
// after the window wrote a new one; a description the field carries follows
// the value, and a value that fits shows only the description.
void TestDisplay::tipFollowsNewValue() {
    TestApp t;
    QWidget* w = openWindow(t, QStringLiteral("frmFan1"));
    auto* fan1 = qobject_cast<frmFan1*>(w);
    QVERIFY(fan1 && QTest::qWaitForWindowExposed(w));
    QLineEdit* x = fan1->txtXX;
    // Without their descriptions first: the value alone.
    x->setToolTip(QString());
    fan1->txtPP->setToolTip(QString());
    t.app->fanValues().FanDeltaT = 7;
    fan1->cmdcaldraw->click();
    QVERIFY(x->text() != QStringLiteral("15.5988333333333"));
    QVERIFY(!fieldShowsWholeText(x));
    QCOMPARE(x->cursorPosition(), 0);
    const QPoint middle = x->rect().center();
    QHelpEvent help(QEvent::ToolTip, middle, x->mapToGlobal(middle));
    QApplication::sendEvent(x, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), x->text());
    QToolTip::hideText();

    x->setToolTip(QStringLiteral("열관류율"));
    QCOMPARE(fieldToolTip(x), x->text() + QStringLiteral("\n열관류율"));
    QVERIFY(fieldShowsWholeText(fan1->txtPP));
    QCOMPARE(fieldShownText(fan1->txtPP), fan1->txtPP->text());
    QCOMPARE(fieldToolTip(fan1->txtPP), QString());
    fan1->txtPP->setToolTip(QStringLiteral("반내 발열량"));
    QCOMPARE(fieldToolTip(fan1->txtPP), QStringLiteral("반내 발열량"));
}

// Chart lines are as wide as designed in logical pixels: two device pixels
// a pixel at scale 2.
void TestDisplay::chartPensScaleWithDensity() {
    TestApp t;
    Form1* form = t.start();
    form->txtT2->setText(QStringLiteral("25"));
    form->cmdCal->click();
    auto* w = t.app->loadedWindow<frmAircon>();
    QVERIFY(w);
    const QImage image = w->SSPanel1->grab().toImage();
    const qreal dpr = image.devicePixelRatio();
    QCOMPARE(dpr, w->devicePixelRatioF());
    // Count the pixels of a colour along a row, from x0 to x1 (logical).
    auto run = [&](int y, int x0, int x1, const QColor& colour) {
        int n = 0;
        const int row = int(std::lround(y * dpr));
        for (int x = int(x0 * dpr); x < int(x1 * dpr); ++x) n += image.pixelColor(x, row) == colour;
        return n;
    };
    // The 3-pixel marker at 40 degrees (x = 3720 twips, 248 pixels), the
    // 1-pixel grid line of 45 degrees (x = 4440 twips, 296 pixels), across
    // the row at y = 2000 twips.
    const int y = 2000 / kTwipsPerPixel;
    QCOMPARE(run(y, 240, 256, QColor(0, 128, 0)), int(3 * dpr));
    QCOMPARE(run(y, 290, 302, QColor(192, 192, 192)), int(1 * dpr));
    // The blue line of 25 degrees crosses the column x = 3000 twips; it is
    // as thick as the black lines beside it.
    const int column = int(std::lround(3000.0 / kTwipsPerPixel * dpr));
    int blue = 0;
    for (int row = 0; row < image.height(); ++row)
        blue += image.pixelColor(column, row) == QColor(0, 0, 255);
    QVERIFY2(blue >= int(dpr), qPrintable(QString::number(blue)));
}

// ---- Colour schemes -------------------------------------------------------

void TestDisplay::textContrastsInEveryScheme_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("dark");
    for (const QString& w : kWindows) {
        QTest::newRow(qPrintable(w + ", light")) << w << false;
        QTest::newRow(qPrintable(w + ", dark")) << w << true;
    }
}

// Every text a window shows, in fields, labels and buttons, contrasts with
// the ground it stands on, in a light and in a dark scheme; and the charts'
// black lines stand on a light ground.
void TestDisplay::textContrastsInEveryScheme() {
    QFETCH(QString, window);
    QFETCH(bool, dark);
    if (dark) QApplication::setPalette(darkPalette());
    TestApp t;
    QWidget* w = openWindow(t, window);
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QWidget* client = scrollableClientOf(w);
    const QImage image = client->grab().toImage();
    const qreal dpr = image.devicePixelRatio();

    QList<QWidget*> order;
    paintOrder(client, &order);
    int texts = 0;
    for (QWidget* c : order) {
        if (!shown(c, w) || textOf(c).isEmpty()) continue;
        // Only where the letters stand: a field's frame is no text.
        const QRect area =
            inkArea(c, client).intersected(QRect(c->mapTo(client, QPoint()), c->size()));
        const QRect pixels(area.topLeft() * dpr, area.size() * dpr);
        const auto [ground, ink] = groundAndInk(image.copy(pixels));
        QVERIFY2(ink >= 3.0, qPrintable(QStringLiteral("%1 \"%2\": contrast %3 on %4")
                                            .arg(c->objectName(), textOf(c))
                                            .arg(ink, 0, 'f', 2)
                                            .arg(ground.name())));
        ++texts;
    }
    QVERIFY(texts > 0);

    for (ChartCanvas* canvas : client->findChildren<ChartCanvas*>()) {
        const QImage chart = canvas->grab().toImage();
        const QColor ground = groundAndInk(chart).first;
        QVERIFY2(contrast(ground, Qt::black) >= 7.0, qPrintable(ground.name()));
    }
}

QTEST_MAIN(TestDisplay)
#include "tst_display.moc"
