// Extreme input everywhere: every text field of every open window is set to
// texts at and beyond the range of a double, odd radix numbers, very long
// digit runs and control characters, and then every button a user can reach
// is clicked, in every selection mode. Nothing may crash or hang, and no
// field or label may show an infinity or a NaN.
//
// The sweep's rows are shared out among parts that run side by side
// (CC_SWEEP_PART "k/n", see CMakeLists.txt): row i of every function
// belongs to part i mod n. Without it, one run takes every row.
//
// The sweep knows no window by name: it walks the program's loaded windows
// and their QLineEdit and button children, so a new window joins it as soon
// as a button of an open window opens it.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QtTest>
#include <algorithm>

#include "TestApp.h"
#include "kit/ProjectSession.h"

namespace {

// The main window's mode buttons: the sweep selects the modes itself, since
// a mode resets the fields. Its Exit ends the program.
const QStringList kDrivenButtons = {QStringLiteral("OptBoxAircon"), QStringLiteral("OptBoxFan1"),
                                    QStringLiteral("OptBoxFan2"), QStringLiteral("cmdExit")};

// The project window's file commands read and write whole projects and
// reports, not the numbers swept here; its own tests drive them.
const QStringList kProjectFileButtons = {
    QStringLiteral("cmdProjNew"),       QStringLiteral("cmdProjOpen"),
    QStringLiteral("cmdProjSave"),      QStringLiteral("cmdProjSaveAs"),
    QStringLiteral("cmdProjImportCol"), QStringLiteral("cmdProjExportCol"),
    QStringLiteral("cmdProjReport"),    QStringLiteral("cmdProjExportBill")};

const SelectionMode kModes[] = {SelectionMode::Aircon, SelectionMode::Fan1, SelectionMode::Fan2};

const char* modeName(SelectionMode mode) {
    switch (mode) {
        case SelectionMode::Aircon:
            return "Aircon";
        case SelectionMode::Fan1:
            return "Fan1";
        case SelectionMode::Fan2:
            return "Fan2";
    }
    return "?";
}

// Texts that read as the largest doubles of either sign, a subnormal, the
// end of the range, and numbers in other notations.
QStringList numericExtremes() {
    return {QStringLiteral("1E+308"),
            QStringLiteral("-1E+308"),
            QStringLiteral("1.79769313486232E+308"),
            QStringLiteral("1E-320"),
            QStringLiteral("1E999"),
            QStringLiteral("-1E999"),
            QStringLiteral("&HFFFFFFFF"),
            QStringLiteral("&O777777777777"),
            QStringLiteral("4.94065645841247E-324"),
            QStringLiteral("-0")};
}

// A reason to look again: a field that shows what a broken calculation
// writes. Matches whole words only, so "Info" or "Inverter" do not count.
const QRegularExpression kNotANumber(
    QStringLiteral("(^|[^a-z])([-+]?(inf|infinity|nan)|#in[fd]|#qnan)($|[^a-z])"),
    QRegularExpression::CaseInsensitiveOption);

struct Sweep {
    TestApp t;
    Form1* form = nullptr;
    QString fileName;  // answer of the save and open dialogs
    QString context;   // what was being done, for failure messages
    QString failure;
    // What the sweep typed into each field, by window and field name (a
    // window opened again shows what its cabinet kept): a field that still
    // shows the typed "NaN" is not a finding.
    QHash<QString, QString> typed;
    static QString key(const QLineEdit* f) {
        return f->window()->objectName() + QLatin1Char('.') + f->objectName();
    }

    // The main window's field texts just after start-up.
    QHash<QString, QString> startTexts;

    Sweep() {
        form = t.start();
        for (QLineEdit* f : fields(form)) startTexts.insert(f->objectName(), f->text());
        fileName = t.dir.filePath(QStringLiteral("Cool/sweep.col"));
        QDir(t.dir.path()).mkpath(QStringLiteral("Cool"));
    }

    QList<QWidget*> windows() const { return t.app->loadedWindows(); }

    static QList<QLineEdit*> fields(QWidget* window) { return window->findChildren<QLineEdit*>(); }

    // The mode's own defaults in the main window, with no other window open.
    void reset(SelectionMode mode) {
        for (QWidget* w : windows()) {
            if (w != form) t.app->unloadWindow(w);
        }
        processDeferredDeletes();
        // A fresh project: nothing typed before is kept for a window.
        t.app->project().newProject();
        for (QLineEdit* f : fields(form)) f->setText(startTexts.value(f->objectName()));
        form->selectMode(mode == SelectionMode::Aircon ? SelectionMode::Fan1
                                                       : SelectionMode::Aircon);
        form->selectMode(mode);
        t.platform.messages.clear();
        typed.clear();
    }

    void type(QLineEdit* field, const QString& text) {
        field->setText(text);
        typed.insert(key(field), text);
    }

    void fillAll(const QString& text) {
        for (QWidget* w : windows()) {
            for (QLineEdit* f : fields(w)) type(f, text);
        }
    }

    // The buttons a user can click now, window by window; the ones that
    // close a window last, so that its other buttons are reached first.
    QList<QPointer<QAbstractButton>> reachableButtons(bool mainWindowOnly) const {
        QList<QPointer<QAbstractButton>> buttons;
        QList<QPointer<QAbstractButton>> closing;
        for (QWidget* w : windows()) {
            if (mainWindowOnly && w != form) continue;
            for (QAbstractButton* b : w->findChildren<QAbstractButton*>()) {
                if (w == form && kDrivenButtons.contains(b->objectName())) continue;
                if (kProjectFileButtons.contains(b->objectName())) continue;
                if (!b->isVisibleTo(w) || !b->isEnabled()) continue;
                const QString name = b->objectName();
                const bool closes = name.contains(QStringLiteral("Exit"), Qt::CaseInsensitive) ||
                                    name == QStringLiteral("cmdOK") ||
                                    name.contains(QStringLiteral("Close"), Qt::CaseInsensitive);
                (closes ? closing : buttons).append(b);
            }
        }
        return buttons + closing;
    }

    // Clicks one button as a user would and checks every window afterwards.
    // Save and open dialogs answer with one file in the program's folder,
    // so that extreme values also travel through a calculation file.
    bool click(QAbstractButton* button) {
        if (!button || !button->isVisible() || !button->isEnabled()) return true;
        t.platform.saveAnswers.clear();
        t.platform.saveAnswers.enqueue(fileName);
        t.platform.openAnswers.clear();
        t.platform.openAnswers.enqueue(fileName);
        const QString name =
            button->window()->objectName() + QLatin1Char('.') + button->objectName();
        button->click();
        processDeferredDeletes();
        t.platform.messages.clear();
        if (!form || !t.app->mainWindow()) {
            failure = context + QStringLiteral(": the main window went away after ") + name;
            return false;
        }
        return check(name);
    }

    bool check(const QString& after) {
        for (QWidget* w : windows()) {
            QList<std::pair<QString, QString>> shown;  // (what, text)
            for (QLineEdit* f : fields(w)) {
                if (typed.contains(key(f)) && typed.value(key(f)) == f->text()) continue;
                shown.append({f->objectName(), f->text()});
            }
            for (QLabel* l : w->findChildren<QLabel*>()) {
                shown.append({QStringLiteral("label ") + l->objectName(), l->text()});
            }
            for (const auto& [what, text] : shown) {
                if (kNotANumber.match(text).hasMatch()) {
                    failure = QStringLiteral("%1, after %2: %3.%4 shows %5")
                                  .arg(context, after, w->objectName(), what, text.left(200));
                    return false;
                }
            }
        }
        return true;
    }

    // Clicks everything reachable, twice, so that buttons of the windows the
    // first round opened are clicked too. `before` runs before every click.
    bool clickEverything(const std::function<void()>& before) {
        for (int round = 0; round < 2; ++round) {
            if (!clickAll(reachableButtons(false), before)) return false;
        }
        return true;
    }

    bool clickAll(const QList<QPointer<QAbstractButton>>& buttons,
                  const std::function<void()>& before) {
        for (const QPointer<QAbstractButton>& b : buttons) {
            if (!b) continue;  // its window was closed by an earlier click
            if (before) before();
            if (!click(b)) return false;
        }
        return true;
    }
};

// This run's part of the rows: row i (counted over every function) is
// part i mod n.
struct Part {
    int k = 0, n = 1;
};
Part sweepPart() {
    const QStringList kn = qEnvironmentVariable("CC_SWEEP_PART").split(QLatin1Char('/'));
    bool okK = false, okN = false;
    const int k = kn.value(0).toInt(&okK), n = kn.value(1).toInt(&okN);
    if (!okK || !okN || n < 1 || k < 1 || k > n) return {};
    return {k - 1, n};
}

bool nextRowIsMine() {
    static const Part part = sweepPart();
    static int row = 0;
    return row++ % part.n == part.k;
}

// Adds a row of one value when it belongs to this run's part.
template <typename Value>
void addRow(const char* name, const Value& value) {
    if (nextRowIsMine()) QTest::newRow(name) << value;
}

void addTextRows() {
    QTest::addColumn<QString>("text");
    QStringList names = {QStringLiteral("1E+308"),
                         QStringLiteral("-1E+308"),
                         QStringLiteral("largest double"),
                         QStringLiteral("1E-320"),
                         QStringLiteral("1E999"),
                         QStringLiteral("-1E999"),
                         QStringLiteral("&HFFFFFFFF"),
                         QStringLiteral("&O777777777777"),
                         QStringLiteral("smallest subnormal"),
                         QStringLiteral("negative zero")};
    const QStringList numbers = numericExtremes();
    for (int i = 0; i < numbers.size(); ++i) addRow<QString>(qPrintable(names[i]), numbers[i]);
    addRow<QString>("thousand digits", QString(1000, QLatin1Char('9')));
    addRow<QString>("thousand negative digits", QLatin1Char('-') + QString(1000, QLatin1Char('9')));
    addRow<QString>("thousand-digit fraction",
                    QStringLiteral("0.") + QString(998, QLatin1Char('0')) + QLatin1Char('1'));
    addRow<QString>("thousand-digit exponent",
                    QStringLiteral("1E") + QString(1000, QLatin1Char('9')));
    addRow<QString>("control characters",
                    QString::fromUtf8("\x01\x02\x1b\x7f\t\r\n") + QChar(0) + QStringLiteral("5"));
    addRow<QString>("line breaks in a number", QStringLiteral("1\n2\r\n3\t4"));
    addRow<QString>("words", QStringLiteral("NaN"));
    addRow<QString>("infinity word", QStringLiteral("-Infinity"));
    addRow<QString>("korean", QStringLiteral("높이 이(2) 미터"));
    addRow<QString>("full-width digits", QStringLiteral("１２３"));
    addRow<QString>("empty", QString());
    addRow<QString>("sign only", QStringLiteral("-"));
    addRow<QString>("hex prefix only", QStringLiteral("&H"));
    addRow<QString>("beyond 64 bits", QStringLiteral("18446744073709551617"));
    addRow<QString>("comma decimal", QStringLiteral("1,5E+308"));
}

}  // namespace

class TestSweep : public QObject {
    Q_OBJECT
private slots:
    void everyFieldAtOnce_data() { addTextRows(); }
    void everyFieldAtOnce();
    void oneMainFieldAtATime_data() { addTextRows(); }
    void oneMainFieldAtATime();
    void mixedExtremes_data();
    void mixedExtremes();
};

// Every field of every window holds the text whenever a button is clicked.
void TestSweep::everyFieldAtOnce() {
    QFETCH(QString, text);
    Sweep s;
    for (SelectionMode mode : kModes) {
        s.reset(mode);
        s.context = QStringLiteral("mode %1").arg(QLatin1String(modeName(mode)));
        if (!s.clickEverything([&] { s.fillAll(text); })) QFAIL(qPrintable(s.failure));
    }
}

// One main-window field holds the text, the others their defaults: the
// calculation then goes on far enough to open its chart with that value.
// Only the main window's buttons are clicked; every open window is checked.
void TestSweep::oneMainFieldAtATime() {
    QFETCH(QString, text);
    Sweep s;
    for (SelectionMode mode : kModes) {
        const QList<QLineEdit*> mainFields = Sweep::fields(s.form);
        for (int i = 0; i < mainFields.size(); ++i) {
            s.reset(mode);
            QLineEdit* field = Sweep::fields(s.form).value(i);
            s.context = QStringLiteral("mode %1, %2 = text")
                            .arg(QLatin1String(modeName(mode)), field->objectName());
            s.type(field, text);
            if (!s.clickAll(s.reachableButtons(true), {})) QFAIL(qPrintable(s.failure));
        }
    }
}

void TestSweep::mixedExtremes_data() {
    QTest::addColumn<int>("shift");
    for (int shift = 0; shift < numericExtremes().size(); ++shift) {
        addRow<int>(qPrintable(QStringLiteral("rotation %1").arg(shift)), shift);
    }
}

// The fields hold different extremes at once, in every rotation, so that
// huge values of opposite sign meet in one calculation.
void TestSweep::mixedExtremes() {
    QFETCH(int, shift);
    const QStringList texts = numericExtremes();
    Sweep s;
    for (SelectionMode mode : kModes) {
        s.reset(mode);
        s.context =
            QStringLiteral("mode %1, rotation %2").arg(QLatin1String(modeName(mode))).arg(shift);
        auto fill = [&] {
            int i = shift;
            for (QWidget* w : s.windows()) {
                for (QLineEdit* f : Sweep::fields(w)) s.type(f, texts[i++ % texts.size()]);
            }
        };
        if (!s.clickEverything(fill)) QFAIL(qPrintable(s.failure));
    }
}

QTEST_MAIN(TestSweep)
#include "tst_sweep.moc"
