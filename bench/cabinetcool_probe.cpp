// CabinetCool's own start-up, instrumented: main.cpp's steps with a probe
// that notes when each window is on screen. Run by bench_driver, which
// started the clock before it started this process.
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "Probe.h"
#include "ProjectTiming.h"
#include "ReportTiming.h"
#include "SecondaryWindows.h"
#include "app/Form1.h"
#include "climate/ClimateCommands.h"
#include "devices/DeviceCommands.h"
#include "devices/DeviceSources.h"
#include "kit/ApplicationSetup.h"
#include "kit/CabinetCoolApp.h"
#include "kit/FileAccess.h"
#include "kit/ProjectSession.h"
#include "kit/QtPlatformServices.h"
#include "kit/UserLibrary.h"
#include "projectwindow/ProjectCommands.h"
#include "rise/RiseCommands.h"

namespace {

// The real desktop, except that nothing waits for a person: message boxes
// (a calculation shows some before it opens its chart) return at once.
class BenchPlatform : public QtPlatformServices {
public:
    void messageBox(QWidget*, const QString&) override {}
    void fileErrorBox(QWidget*) override {}
    bool openUrl(const QUrl&) override { return true; }
    bool startProgram(const QString&, const QStringList&) override { return true; }
    // Unsaved changes are never kept: "저장 안 함".
    int askQuestion(QWidget*, const QString&, const QStringList&, int, int) override { return 1; }
    // The design report's dialog, answered while the reports are timed.
    QString saveAnswer;
    QString saveFileName(QWidget* parent, const FileDialog& dialog) override {
        return saveAnswer.isEmpty() ? QtPlatformServices::saveFileName(parent, dialog) : saveAnswer;
    }
};

// Edits a field of a live-calculating window as typing does, one key at a
// time, and records the median time a key takes to be handled: the field's
// change and the calculation it sets off, which runs before the key returns.
void timeEdits(QWidget* window, const char* fieldName, const char* name) {
    auto* field = window->findChild<QLineEdit*>(QLatin1String(fieldName));
    if (!field) {
        probe::record("edit", name, -1);
        return;
    }
    field->setCursorPosition(field->text().size());
    auto key = [field](int code, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
        QApplication::sendEvent(field, &press);
        QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
        QApplication::sendEvent(field, &release);
    };
    std::vector<int64_t> times;
    for (int i = 0; i < 20; ++i) {
        const bool typing = i % 2 == 0;  // a digit, then take it back
        const int64_t start = probe::now();
        if (typing) {
            key(Qt::Key_5, QStringLiteral("5"));
        } else {
            key(Qt::Key_Backspace, QString());
        }
        times.push_back(probe::now() - start);
        probe::settle(20);  // the window repaints between keys, as between a user's
    }
    std::sort(times.begin(), times.end());
    probe::record("edit", name, times[times.size() / 2]);
}

}  // namespace

int main(int argc, char* argv[]) {
    probe::record("t", "main", probe::now());
    ProbeApplication application(argc, argv);
    setUpApplication();
    BenchPlatform platform;
    // The files of the run's own, empty as a new user's: the user's recent
    // list, recovery copies, save journals and libraries stay as they are.
    QTemporaryDir userData;
    setRecentProjectsFile(userData.filePath(QStringLiteral("recent-projects.ini")));
    ProjectSession::setRecoveryFolder(userData.filePath(QStringLiteral("recovery")));
    setUnfinishedSaveFolder(userData.filePath(QStringLiteral("unfinished-saves")));
    UserLibrary::setFilePath(userData.filePath(QStringLiteral("device-library.json")));
    setUserLossLibraryFile(userData.filePath(QStringLiteral("loss-library.json")));
    CabinetCoolApp app(platform, QCoreApplication::applicationDirPath());

    bool infoShown = false;
    bool infoHidden = false;
    application.onExposed = [&](QWidget* w, int64_t t) {
        if (infoShown || w->objectName() != QLatin1String("frmHelp")) return;
        infoShown = true;
        probe::record("t", "info_shown", t);
        probe::record("cpu", "info_shown", probe::cpuTime());
        probe::record("controls", "info", probe::controlCount(w));
    };
    application.onHidden = [&](QWidget* w, int64_t t) {
        if (!infoShown || infoHidden || w->objectName() != QLatin1String("frmHelp")) return;
        infoHidden = true;
        probe::record("t", "info_hidden", t);
        probe::record("cpu", "info_hidden", probe::cpuTime());
    };

    app.start<Form1>();
    keepClimateWindowReady(app);  // as main.cpp
    keepRiseWindowReady(app);
    keepDevicesWindowReady(app);
    keepProjectWindowReady(app);
    const int64_t mainShown = application.waitExposed(QStringLiteral("Form1"), 0, 10000);
    probe::record("t", "main_shown", mainShown);
    Form1* form = app.loadedWindow<Form1>();
    probe::record("controls", "main", probe::controlCount(form));
    probe::settle(500);
    probe::record("rss", "main", probe::residentKb());

    int index = 0;
    for (const SecondaryWindow& row : secondaryWindows()) {
        probe::record("order", row.window, index++);
        if (row.prepare) row.prepare(*form);
        probe::settle(100);
        QWidget* holder = form;
        if (row.from) {
            holder = nullptr;
            for (QWidget* w : app.loadedWindows())
                if (w->objectName() == QLatin1String(row.from)) holder = w;
        }
        auto* button =
            holder ? holder->findChild<QAbstractButton*>(QLatin1String(row.button)) : nullptr;
        if (!button || !button->isVisible()) {
            probe::record("open", row.window, -2);
            continue;
        }
        const int64_t clicked = probe::now();
        ProbeApplication::clickWithMouse(button);
        bool loaded = false;
        for (QWidget* w : app.loadedWindows())
            loaded = loaded || w->objectName() == QLatin1String(row.window);
        if (!loaded) {
            probe::record("open", row.window, -1);
            continue;
        }
        const int64_t shown = application.waitExposed(QLatin1String(row.window), clicked, 3000);
        probe::record("open", row.window, shown < 0 ? -3 : shown - clicked);
    }
    for (QWidget* w : app.loadedWindows()) {
        if (w->objectName() == QLatin1String("frmClimate")) timeEdits(w, "txtClimP", "frmClimate");
        if (w->objectName() == QLatin1String("frmRise")) timeEdits(w, "txtRiseP", "frmRise");
    }
    timeReports(app, *form, platform.saveAnswer);
    timeProjects(app, form);
    timeLongTexts(app, form);
    timeTyping(app, form);
    probe::settle(500);
    probe::record("rss", "all", probe::residentKb());
    probe::record("windows", "all", app.loadedWindows().size());
    probe::flush();
    return 0;
}
