#include "report/ReportCommands.h"

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <functional>

#include "climate/ClimateCommands.h"
#include "climate/frmClimate.h"
#include "kit/CabinetCoolApp.h"
#include "kit/FileAccess.h"
#include "kit/MainWindow.h"
#include "kit/PlatformServices.h"
#include "kit/ProjectSession.h"
#include "kit/WorkProgress.h"
#include "projectwindow/frmProject.h"
#include "report/DesignReport.h"
#include "report/ProjectReport.h"
#include "report/ReportPdf.h"

namespace {

PlatformServices::FileDialog reportDialog(const CabinetCoolApp& app, const QString& defaultName) {
    PlatformServices::FileDialog d;
    d.title = QStringLiteral("보고서 PDF 저장");
    // Where Save As and Open start, the calculation files' folder that the
    // user can write to (Cool/ of a portable program, ~/Documents/CabinetCool
    // of an installed one): a report usually goes beside its calculation.
    d.startFolder = QDir::fromNativeSeparators(
        QString::fromStdU16String(app.paths().calculationFolder().u16string()));
    d.filters = {QStringLiteral("PDF 문서 (*.pdf) (*.pdf)"), QStringLiteral("모든 파일 (*.*) (*)")};
    d.confirmOverwrite = true;
    d.defaultName = defaultName;
    d.defaultSuffix = QStringLiteral("pdf");
    return d;
}

}  // namespace

void makeDesignReport(CabinetCoolApp& app, QWidget* parent) {
    MainWindow* form = app.mainWindow();
    if (!form) return;
    const QDateTime now = QDateTime::currentDateTime();
    const QString path = app.platform().saveFileName(
        parent, reportDialog(app, defaultReportFileName(now.date(), form->selectedMode())));
    if (path.isEmpty()) return;

    const DesignReport report = collectDesignReport(app, now);
    QString error;
    if (!writeDesignReportPdf(report, path, &error)) {
        app.platform().messageBox(
            parent, QStringLiteral(
                        "보고서를 저장하지 못했습니다. 그 이름의 파일은 바뀌지 않았습니다.\n%1\n%2")
                        .arg(QDir::toNativeSeparators(path), error));
    }
}

namespace {

void reportWritten(CabinetCoolApp& app, QWidget* parent, const QString& path, bool ok,
                   const QString& error, const QString& what) {
    if (!ok) {
        app.platform().messageBox(parent,
                                  QStringLiteral("%1 저장하지 못했습니다. 그 이름의 파일은 바뀌지 "
                                                 "않았습니다.\n%2\n%3")
                                      .arg(what, QDir::toNativeSeparators(path), error));
        return;
    }
    // The project window's status line says where it went.
    if (auto* window = qobject_cast<frmProject*>(parent))
        window->showNote(
            QStringLiteral("%1 저장했습니다: %2").arg(what, QDir::toNativeSeparators(path)));
}

}  // namespace

void makeProjectReport(CabinetCoolApp& app, QWidget* parent) {
    if (!app.mainWindow()) return;
    const QDateTime now = QDateTime::currentDateTime();
    const QString path = app.platform().saveFileName(
        parent,
        reportDialog(app, defaultProjectReportFileName(now.date(), app.project().displayName())));
    if (path.isEmpty()) return;

    // Each cabinet three times: evaluated, its pages counted, drawn.
    const int count = static_cast<int>(app.project().project().cabinets.size());
    WorkProgress progress(parent, QStringLiteral("프로젝트 보고서를 만드는 중..."), 3 * count);
    const ProjectReport report =
        collectProjectReport(app, now, [&progress](int i) { return progress.step(i); });
    // A cancelled report writes nothing.
    if (report.cancelled) return;
    // The pages are laid out and drawn aside: the report holds plain values
    // (its charts as strokes and texts), no widget.
    std::atomic<int> done = 0;
    std::atomic<bool> cancel = false;
    QByteArray pdf;
    progress.runAside(
        [&]() {
            pdf = projectReportPdf(report, [&]() {
                ++done;
                return !cancel.load();
            });
        },
        done, count, cancel);
    if (cancel) return;
    QString error;
    const bool ok = writePdfBytes(pdf, path, &error);
    reportWritten(app, parent, path, ok, error, QStringLiteral("프로젝트 보고서를"));
}

void exportProjectBill(CabinetCoolApp& app, QWidget* parent) {
    if (!app.mainWindow()) return;
    const QDateTime now = QDateTime::currentDateTime();
    PlatformServices::FileDialog d = reportDialog(app, QString());
    d.title = QStringLiteral("장비 목록 저장");
    d.filters = {QStringLiteral("CSV 파일 (*.csv) (*.csv)"), QStringLiteral("모든 파일 (*.*) (*)")};
    d.defaultSuffix = QStringLiteral("csv");
    QString name = defaultProjectReportFileName(now.date(), app.project().displayName());
    name.chop(4);
    d.defaultName = name + QStringLiteral(" 장비 목록.csv");
    const QString path = app.platform().saveFileName(parent, d);
    if (path.isEmpty()) return;
    WorkProgress progress(parent, QStringLiteral("장비 목록을 만드는 중..."),
                          static_cast<int>(app.project().project().cabinets.size()));
    const ProjectReport report =
        collectProjectReport(app, now, [&progress](int i) { return progress.step(i); });
    if (report.cancelled) return;
    errno = 0;
    const bool ok = replaceFileContents(path, projectBillCsv(report));
    const int code = errno;
    reportWritten(app, parent, path, ok,
                  code != 0 ? QString::fromLocal8Bit(std::strerror(code))
                            : QStringLiteral("파일을 쓸 수 없습니다."),
                  QStringLiteral("장비 목록을"));
}

void openClimateDesign(CabinetCoolApp& app) {
    const bool fresh = app.loadedWindow<frmClimate>() == nullptr;
    showClimateWindow(app);
    frmClimate* window = app.loadedWindow<frmClimate>();
    // A window loaded here is connected once; it goes with its connection.
    if (!fresh || !window) return;
    QObject::connect(window, &frmClimate::reportRequested, window, [&app, window]() {
        // The design the user reports belongs to the cabinet.
        app.project().keepWindowInputs(window);
        makeDesignReport(app, window);
    });
}
