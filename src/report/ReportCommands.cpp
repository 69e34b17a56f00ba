#include "report/ReportCommands.h"

#include <QDateTime>
#include <QDir>

#include "climate/ClimateCommands.h"
#include "climate/frmClimate.h"
#include "kit/CabinetCoolApp.h"
#include "kit/MainWindow.h"
#include "kit/PlatformServices.h"
#include "kit/ProjectSession.h"
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

void makeProjectReport(CabinetCoolApp& app, QWidget* parent) {
    if (!app.mainWindow()) return;
    const QDateTime now = QDateTime::currentDateTime();
    const QString path = app.platform().saveFileName(
        parent,
        reportDialog(app, defaultProjectReportFileName(now.date(), app.project().displayName())));
    if (path.isEmpty()) return;

    const ProjectReport report = collectProjectReport(app, now);
    QString error;
    if (!writeProjectReportPdf(report, path, &error)) {
        app.platform().messageBox(
            parent, QStringLiteral(
                        "보고서를 저장하지 못했습니다. 그 이름의 파일은 바뀌지 않았습니다.\n%1\n%2")
                        .arg(QDir::toNativeSeparators(path), error));
    }
}

void openClimateDesign(CabinetCoolApp& app) {
    const bool fresh = app.loadedWindow<frmClimate>() == nullptr;
    showClimateWindow(app);
    frmClimate* window = app.loadedWindow<frmClimate>();
    // A window loaded here is connected once; it goes with its connection.
    if (!fresh || !window) return;
    QObject::connect(window, &frmClimate::reportRequested, window,
                     [&app, window]() { makeDesignReport(app, window); });
}
