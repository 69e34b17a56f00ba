#include "app/ProjectLinks.h"

#include <QDir>
#include <QFileInfo>

#include "files/CoolFile.h"
#include "files/FileCommands.h"
#include "kit/CabinetCoolApp.h"
#include "kit/PlatformServices.h"
#include "kit/ProjectSession.h"
#include "kit/WindowPlacement.h"
#include "kit/WorkProgress.h"
#include "library/frmLibrary.h"
#include "projectwindow/ProjectCommands.h"
#include "projectwindow/frmProject.h"
#include "report/ReportCommands.h"

namespace {

// Reads a calculation file without taking any of its values.
class NoSink : public CoolFileSink {
public:
    void applyMode(SelectionMode) override {}
    void applyNumber(CoolField, double) override {}
    void applyModelName(const QString&) override {}
};

}  // namespace

bool isProjectFile(const QString& path) {
    return QFileInfo(path).suffix().compare(kProjectFileSuffix, Qt::CaseInsensitive) == 0;
}

void importCalculationFiles(CabinetCoolApp& app, QWidget* parent, const QStringList& paths) {
    ProjectSession& session = app.project();
    const int before = session.currentIndex();
    QStringList refused;
    int imported = 0;
    int left = 0;  // not reached: the user cancelled
    {
        WorkProgress progress(parent, QStringLiteral("계산 파일을 가져오는 중..."),
                              static_cast<int>(paths.size()));
        for (int i = 0; i < paths.size(); ++i) {
            if (!progress.step(i)) {
                left = static_cast<int>(paths.size()) - i;
                break;
            }
            const QString& path = paths[i];
            if (session.project().cabinets.size() >= kMaxCabinets) {
                refused << QDir::toNativeSeparators(path);
                continue;
            }
            // Read by the main window's own Open into a new cabinet, so that
            // the cabinet holds exactly what opening the file shows.
            const int index = session.addCabinet();
            session.setCabinetTag(
                index, UniqueCabinetTag(session.project(), QFileInfo(path).completeBaseName()));
            MainWindow* form = app.mainWindow();
            NoSink check;
            if (form && ReadCoolFile(path, check)) {
                openCalculationFile(app, path);
                if (!form->calculationFile().isEmpty()) {
                    session.calculationFileOpened();
                    ++imported;
                    continue;
                }
            }
            refused << QDir::toNativeSeparators(path);
            session.removeCabinet(index);
        }
    }
    session.makeCurrent(before);
    // The project window's status line says what came in.
    if (auto* window = qobject_cast<frmProject*>(parent)) {
        QString note = QStringLiteral("계산 파일 %1개를 제어반으로 가져왔습니다.").arg(imported);
        if (!refused.isEmpty())
            note += QStringLiteral(" %1개는 가져오지 못했습니다.").arg(refused.size());
        if (left > 0)
            note += QStringLiteral(" 취소하여 나머지 %1개는 가져오지 않았습니다.").arg(left);
        window->showNote(note);
    }
    if (!refused.isEmpty()) {
        app.platform().messageBox(
            parent,
            QStringLiteral("다음 계산 파일은 가져오지 못했습니다.\n%1").arg(refused.join('\n')));
    }
}

void openNamedFile(CabinetCoolApp& app, QWidget* parent, const QString& path) {
    if (isProjectFile(path))
        openProjectFile(app, parent, path);
    else
        openCalculationFileNamed(app, path);
}

void openProjectWindow(CabinetCoolApp& app) {
    const bool fresh = app.loadedWindow<frmProject>() == nullptr;
    frmProject* window = app.showWindow<frmProject>();
    if (!fresh) return;
    // The device library opens from the project window only: it is built
    // while the user looks at the project, so that its click only loads it.
    app.keepWindowReady<frmLibrary>(50);
    QObject::connect(window, &frmProject::importRequested, window, [&app, window]() {
        PlatformServices::FileDialog d;
        d.title = QStringLiteral(".col 가져오기");
        d.startFolder = projectStartFolder(app);
        d.filters = {QStringLiteral("Cool File (*.COL) (*.col)"),
                     QStringLiteral(" ALL File (*.*) (*)")};
        d.confirmOverwrite = false;
        const QStringList paths = app.platform().openFileNames(window, d);
        if (!paths.isEmpty()) importCalculationFiles(app, window, paths);
    });
    QObject::connect(window, &frmProject::exportRequested, window, [&app]() {
        saveCalculationAs(app, app.project().current().tag + QStringLiteral(".col"));
    });
    QObject::connect(window, &frmProject::reportRequested, window,
                     [&app, window]() { makeProjectReport(app, window); });
    QObject::connect(window, &frmProject::billRequested, window,
                     [&app, window]() { exportProjectBill(app, window); });
    QObject::connect(window, &frmProject::libraryRequested, window, [&app, window]() {
        const bool fresh = app.loadedWindow<frmLibrary>() == nullptr;
        frmLibrary* library = app.loadWindow<frmLibrary>();
        if (fresh) placeWindowBeside(library, window);
        CabinetCoolApp::bringToFront(library);
    });
    QObject::connect(window, &frmProject::calculationFileDropped, window,
                     [&app](const QString& path) { openCalculationFileNamed(app, path); });
}
