#include "ProjectTiming.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "Probe.h"
#include "app/ProjectLinks.h"
#include "design/CabinetDesign.h"
#include "design/LibraryOffer.h"
#include "kit/CabinetCoolApp.h"
#include "kit/FileAccess.h"
#include "kit/ProjectSession.h"
#include "kit/WorkProgress.h"
#include "projectwindow/ProjectCommands.h"
#include "projectwindow/frmProject.h"
#include "report/ProjectReport.h"
#include "report/ReportPdf.h"

namespace {

// A switchboard line-up: 200 sections of three sizes and every mode, each
// with a climate design and component counts of its own.
Project lineUp(int cabinets = 200) {
    Project p;
    p.info.name = QStringLiteral("벤치마크 라인업");
    for (int i = 0; i < cabinets; ++i) {
        Cabinet c;
        c.tag = QStringLiteral("+A%1").arg(i + 1);
        c.description = QStringLiteral("섹션 %1").arg(i + 1);
        c.count = 1 + i % 3;
        c.mode = QStringList{"Aircon", "Fan1", "Fan2"}[i % 3];
        c.fields = {{"txtHeight", QString::number(1.8 + 0.2 * (i % 3))},
                    {"txtWidth", QString::number(0.6 + 0.2 * (i % 4))},
                    {"txtDepth", "0.6"},
                    {"txtPP", QString::number(300 + 10 * i)},
                    {"txtT1", "40"},
                    {"txtT2", "35"},
                    {"txtT3", "40"},
                    {"txtT4", "68"},
                    {"txtUU", "5"}};
        c.climate = {{"cboClimInstall", i % 8}, {"txtClimAlt", QString::number(10 * i)}};
        c.heat = {{"txtTransformerNum_0", QString::number(i % 5)}};
        // Every other cabinet keeps a temperature-rise verification too.
        if (i % 2 == 0) c.rise = {{"cboRiseInstall", 1 + i % 7}, {"txtRiseTu", "35"}};
        p.cabinets.append(c);
    }
    return p;
}

int64_t median(std::vector<int64_t> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace

void timeProjects(CabinetCoolApp& app, QWidget* parent) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("line-up.ccproj"));
    if (!replaceFileContents(path, ProjectBytes(lineUp()))) {
        probe::record("project", "open200", -1);
        return;
    }
    openProjectWindow(app);
    auto* window = app.loadedWindow<frmProject>();
    probe::settle(200);

    const int64_t start = probe::now();
    const bool opened = openProjectFile(app, parent, path);
    window->tblProjCabinets->viewport()->repaint();
    probe::record("project", "open200", opened ? probe::now() - start : -1);
    probe::settle(200);

    std::vector<int64_t> switches;
    for (int i = 1; i <= 21; ++i) {
        const int64_t t = probe::now();
        app.project().makeCurrent((i * 37) % 200);
        switches.push_back(probe::now() - t);
        probe::settle(20);
    }
    probe::record("project", "switch", median(switches));
    probe::record("project", "switch_max", *std::max_element(switches.begin(), switches.end()));

    // A recovery copy of the whole line-up after each edit.
    std::vector<int64_t> copies;
    auto* height = app.mainWindow()->widget()->findChild<QLineEdit*>(QStringLiteral("txtHeight"));
    for (int i = 0; i < 11; ++i) {
        height->setText(QString::number(2.0 + 0.01 * i));
        const int64_t t = probe::now();
        app.project().writeRecoveryCopy();
        copies.push_back(probe::now() - t);
        app.project().waitForRecoveryWrites();
    }
    probe::record("project", "recovery", median(copies));
    probe::record("project", "recovery_max", *std::max_element(copies.begin(), copies.end()));
    app.project().discardRecoveryCopy();

    // One cabinet evaluated with every method it keeps, no window.
    const DesignTables tables = loadDesignTables(app);
    const Project line = app.project().project();
    std::vector<int64_t> evaluations;
    for (int round = 0; round < 5; ++round) {
        for (const Cabinet& c : line.cabinets) {
            const int64_t t = probe::now();
            const CabinetEvaluation e = evaluateCabinet(c, tables);
            evaluations.push_back(probe::now() - t);
            if (e.devices.size() > 100) return;  // keeps the work from being dropped
        }
    }
    probe::record("project", "evaluate", median(evaluations));
    probe::record("project", "evaluate_max",
                  *std::max_element(evaluations.begin(), evaluations.end()));

    // A cabinet with 500 device lines: devices in groups, conductors, one
    // line in ten at a height with a permitted temperature.
    Cabinet listed = line.cabinets.first();
    listed.rise = {{"txtRiseTu", "35"}};
    for (int i = 0; i < 500; ++i) {
        DeviceLineTexts l;
        if (i % 5 == 4) {
            l = {{"kind", "conductor"},
                 {"count", "3"},
                 {"section", "16"},
                 {"length", "1.5"},
                 {"current", QString::number(20 + i % 40)}};
        } else {
            l = {{"kind", "device"},
                 {"description", QStringLiteral("기기 %1").arg(i)},
                 {"count", QString::number(1 + i % 3)},
                 {"in", "32"},
                 {"pn", "4.5"},
                 {"ib", QString::number(10 + i % 20)},
                 {"group", QStringLiteral("G%1").arg(i % 12)}};
            if (i % 10 == 0) {
                l.insert("height", QString::number((i % 100) / 100.0));
                l.insert("tmax", "55");
            }
        }
        listed.devices << l;
    }
    std::vector<int64_t> listEvaluations;
    for (int round = 0; round < 11; ++round) {
        const int64_t t = probe::now();
        const CabinetEvaluation e = evaluateCabinet(listed, tables);
        listEvaluations.push_back(probe::now() - t);
        if (!e.deviceList || e.deviceList->lines.size() != 500) return;
    }
    probe::record("project", "devices500", median(listEvaluations));
    probe::record("project", "devices500_max",
                  *std::max_element(listEvaluations.begin(), listEvaluations.end()));

    // The offer of a library of 2000 devices for each cabinet: every kind,
    // air-conditioners with the points of a data sheet's diagram.
    QList<LibraryDevice> library;
    for (int i = 0; i < 2000; ++i) {
        LibraryDevice d;
        d.designation = QStringLiteral("DEV-%1").arg(i);
        d.maker = QStringLiteral("제조사 %1").arg(i % 7);
        const double size = 200 + 15 * i;
        switch (i % 5) {
            case 0:
            case 1:
                d.kind = QStringLiteral("aircon");
                for (const double ti : {25.0, 30.0, 35.0, 40.0})
                    for (const double tu : {20.0, 35.0, 45.0, 50.0, 55.0})
                        d.points.append(
                            {ti, tu, size * (1 + 0.01 * (ti - 35) - 0.012 * (tu - 35))});
                d.tuMax = 55;
                break;
            case 2:
                d.kind = QStringLiteral("heat-exchanger");
                d.specific = size / 20;
                break;
            case 3:
                d.kind = QStringLiteral("filter-fan");
                d.flowFree = size / 5;
                d.flowFilter = size / 6;
                break;
            default:
                d.kind = QStringLiteral("heater");
                d.power = size / 4;
                break;
        }
        library.append(d);
    }
    // Cabinets that need no device, or whose requirement cannot be
    // computed, are offered nothing at once: they are left out.
    std::vector<int64_t> offers;
    for (int round = 0; round < 3; ++round) {
        for (const Cabinet& c : line.cabinets) {
            const CabinetEvaluation e = evaluateCabinet(c, tables);
            const int64_t t = probe::now();
            const LibraryOffer offer = offerLibraryDevices(e, library);
            const int64_t spent = probe::now() - t;
            if (offer.need) offers.push_back(spent);
            if (offer.lines.size() > 100000) return;  // keeps the work from being dropped
        }
    }
    if (offers.empty()) offers.push_back(-1);
    probe::record("project", "offer", median(offers));
    probe::record("project", "offer_max", *std::max_element(offers.begin(), offers.end()));

    // The project report of 200 and of 1000 cabinets, collected and laid
    // out, with the longest the interface waits between two cabinets.
    probe::record("rss", "before_reports", probe::residentKb());
    for (const int count : {200, 1000}) {
        const Project project = lineUp(count);
        const QDateTime made = QDateTime::currentDateTime();
        int64_t last = probe::now();
        int64_t pause = 0;
        const int64_t t = probe::now();
        const ProjectReport report =
            projectReportOf(app, project, project.info.name, made, [&](int) {
                const int64_t n = probe::now();
                pause = std::max(pause, n - last);
                QCoreApplication::processEvents();
                last = probe::now();
                return true;
            });
        const std::string name = "report" + std::to_string(count);
        probe::record("project", name + "_collect", probe::now() - t);
        // The pages aside, as the program draws them, the interface's
        // event loop running meanwhile.
        QByteArray pdf;
        QEventLoop loop;
        QThread* thread = QThread::create([&]() { pdf = projectReportPdf(report); });
        QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
        QTimer tick;
        tick.setInterval(10);
        last = probe::now();
        QObject::connect(&tick, &QTimer::timeout, &loop, [&]() {
            const int64_t n = probe::now();
            pause = std::max(pause, n - last);
            last = n;
        });
        tick.start();
        thread->start();
        loop.exec();
        thread->wait();
        delete thread;
        probe::record("project", name, pdf.isEmpty() ? -1 : probe::now() - t);
        probe::record("project", name + "_pause", pause);
        probe::settle(100);
    }
    // What the reports leave held once they are written, their values gone
    // and the freed memory given back as the program's report command does.
    releaseFreedMemory();
    probe::settle(500);
    probe::record("rss", "after_reports", probe::residentKb());
}

void timeLongTexts(CabinetCoolApp& app, QWidget* parent) {
    Project p;
    const QString line(kMaxProjectLineLength, QChar(0xD55C));  // 한
    for (QString* text : {&p.info.name, &p.info.customer, &p.info.site, &p.info.author,
                          &p.info.company, &p.info.revision, &p.info.date})
        *text = line;
    // Room for the keys typed below.
    constexpr int kKeys = 11;
    p.info.note = QString(kMaxProjectNoteLength - kKeys, QLatin1Char('x'));
    Cabinet c;
    c.tag = line;
    c.description = line;
    p.cabinets.append(c);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long-texts.ccproj"));
    // Unsaved changes would ask before the project is replaced.
    app.project().newProject();
    auto* window = app.loadedWindow<frmProject>();
    if (!window || !replaceFileContents(path, ProjectBytes(p))) {
        probe::record("project", "longtexts", -1);
        return;
    }
    probe::settle(200);
    const int64_t start = probe::now();
    const bool opened = openProjectFile(app, parent, path);
    window->repaint();
    probe::record("project", "longtexts", opened ? probe::now() - start : -1);
    probe::settle(200);

    std::vector<int64_t> keys;
    QPlainTextEdit* note = window->txtProjNote;
    note->setFocus();
    note->moveCursor(QTextCursor::End);
    for (int i = 0; i < kKeys; ++i) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Y, Qt::NoModifier, QStringLiteral("y"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Y, Qt::NoModifier, QStringLiteral("y"));
        const int64_t t = probe::now();
        QCoreApplication::sendEvent(note, &press);
        QCoreApplication::sendEvent(note, &release);
        note->viewport()->repaint();
        keys.push_back(probe::now() - t);
        probe::settle(20);
    }
    probe::record("project", "notekey", median(keys));
    probe::record("project", "notekey_max", *std::max_element(keys.begin(), keys.end()));
    app.project().newProject();
}

void timeTyping(CabinetCoolApp& app, QWidget* parent) {
    // A key typed in the main window with the project window open, at 1, 100
    // and 1000 cabinets: its cost must not grow with the project.
    QTemporaryDir dir;
    openProjectWindow(app);
    auto* height = app.mainWindow()->widget()->findChild<QLineEdit*>(QStringLiteral("txtHeight"));
    for (const int count : {1, 100, 1000}) {
        const QString path = dir.filePath(QStringLiteral("typing-%1.ccproj").arg(count));
        app.project().newProject();
        if (!height || !replaceFileContents(path, ProjectBytes(lineUp(count))) ||
            !openProjectFile(app, parent, path)) {
            probe::record("project", "typing" + std::to_string(count), -1);
            continue;
        }
        probe::settle(200);
        app.project().makeCurrent(count / 2);
        probe::settle(50);
        std::vector<int64_t> keys;
        height->setFocus();
        height->end(false);
        for (int i = 0; i < 21; ++i) {
            const bool erase = i % 2 == 1;
            const int key = erase ? Qt::Key_Backspace : Qt::Key_5;
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier,
                            erase ? QString() : QStringLiteral("5"));
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier,
                              erase ? QString() : QStringLiteral("5"));
            const int64_t t = probe::now();
            QCoreApplication::sendEvent(height, &press);
            QCoreApplication::sendEvent(height, &release);
            QCoreApplication::processEvents();
            keys.push_back(probe::now() - t);
            probe::settle(10);
        }
        const std::string name = "typing" + std::to_string(count);
        probe::record("project", name, median(keys));
        probe::record("project", name + "_max", *std::max_element(keys.begin(), keys.end()));
    }
    app.project().newProject();
}
