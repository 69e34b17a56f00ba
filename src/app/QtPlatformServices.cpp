#include "app/QtPlatformServices.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTime>
#include <QTimer>
#include <QWidget>

#include "app/AppInfo.h"

void QtPlatformServices::messageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

void QtPlatformServices::fileErrorBox(QWidget* parent) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Cool file error"),
                    QStringLiteral("Cool file format error"), QMessageBox::Ok, parent);
    box.exec();
}

namespace {

QString runFileDialog(QWidget* parent, const PlatformServices::FileDialog& d, bool save) {
    QFileDialog dialog(parent, d.title, d.startFolder);
    dialog.setNameFilters(d.filters);
    if (!d.filters.isEmpty()) dialog.selectNameFilter(d.filters.first());
    dialog.setDefaultSuffix(QString());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The open dialog also takes the typed name of a file that does not exist.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(save && d.confirmOverwrite));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

}  // namespace

QString QtPlatformServices::openFileName(QWidget* parent, const FileDialog& dialog) {
    return runFileDialog(parent, dialog, false);
}

QString QtPlatformServices::saveFileName(QWidget* parent, const FileDialog& dialog) {
    return runFileDialog(parent, dialog, true);
}

PlatformServices::PrintOutcome QtPlatformServices::printWindow(QWidget* parent, QWidget* window) {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return PrintOutcome::Cancelled;

    const QPixmap image = window->grab();
    QPainter painter;
    if (!painter.begin(&printer)) return PrintOutcome::Failed;
    // The window at its own size on paper: its logical pixels are 1/96 inch.
    const double scale = printer.resolution() / 96.0;
    painter.scale(scale, scale);
    painter.drawPixmap(0, 0, image.scaled(image.size() / image.devicePixelRatio()));
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

bool QtPlatformServices::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

bool QtPlatformServices::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

QString QtPlatformServices::findProgram(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

bool QtPlatformServices::fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

bool QtPlatformServices::readRegistryValue(const QString&, const QString&, const QString&,
                                           QByteArray*) {
    return false;
}

float QtPlatformServices::secondsSinceMidnight() {
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
}

void QtPlatformServices::processEvents(int maxWaitMs) {
    // Sleeps in the event loop until an event comes or the bound passes, so a
    // wait costs no processor time and the windows still answer at once.
    QEventLoop loop;
    QTimer::singleShot(maxWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
}
