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

#ifdef Q_OS_WIN
#include <windows.h>
#endif

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

bool QtPlatformServices::readRegistryValue(const QString& root, const QString& keyPath,
                                           const QString& valueName, QByteArray* data) {
#ifdef Q_OS_WIN
    HKEY rootKey = nullptr;
    if (root == QLatin1String("HKEY_LOCAL_MACHINE")) {
        rootKey = HKEY_LOCAL_MACHINE;
    } else if (root == QLatin1String("HKEY_CURRENT_USER")) {
        rootKey = HKEY_CURRENT_USER;
    } else {
        return false;
    }
    // Read access is all a look-up needs; asking for write access as well
    // fails under HKEY_LOCAL_MACHINE for users without administrator rights.
    HKEY key = nullptr;
    if (RegOpenKeyExA(rootKey, keyPath.toLocal8Bit().constData(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    char buffer[1024];
    DWORD type = 0;
    DWORD size = sizeof buffer;
    const LONG result = RegQueryValueExA(key, valueName.toLocal8Bit().constData(), nullptr, &type,
                                         reinterpret_cast<LPBYTE>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return false;
    *data = QByteArray(buffer, static_cast<qsizetype>(size));
    return true;
#else
    Q_UNUSED(root);
    Q_UNUSED(keyPath);
    Q_UNUSED(valueName);
    Q_UNUSED(data);
    return false;
#endif
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
