#include "kit/QtPlatformServices.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTime>
#include <QTimer>
#include <QWidget>
#include <algorithm>

#include "kit/AppInfo.h"

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

void QtPlatformServices::fileWriteErrorBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Cool file error"), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

void QtPlatformServices::errorBox(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    box.exec();
}

namespace {

QStringList runFileDialog(QWidget* parent, const PlatformServices::FileDialog& d, bool save,
                          bool many = false) {
    QFileDialog dialog(parent, d.title, d.startFolder);
    dialog.setNameFilters(d.filters);
    if (!d.filters.isEmpty()) dialog.selectNameFilter(d.filters.first());
    dialog.setDefaultSuffix(d.defaultSuffix);
    if (!d.defaultName.isEmpty()) dialog.selectFile(d.defaultName);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The open dialog also takes the typed name of a file that does not exist.
    dialog.setFileMode(many ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(save && d.confirmOverwrite));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    // "Cool File (*.COL) (*.col)" shows as "Cool File (*.COL)": the label
    // names the files, the last parentheses hold the patterns that match.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

}  // namespace

QString QtPlatformServices::openFileName(QWidget* parent, const FileDialog& dialog) {
    const QStringList files = runFileDialog(parent, dialog, false);
    return files.isEmpty() ? QString() : files.first();
}

QString QtPlatformServices::saveFileName(QWidget* parent, const FileDialog& dialog) {
    const QStringList files = runFileDialog(parent, dialog, true);
    return files.isEmpty() ? QString() : files.first();
}

QStringList QtPlatformServices::openFileNames(QWidget* parent, const FileDialog& dialog) {
    return runFileDialog(parent, dialog, false, true);
}

int QtPlatformServices::askQuestion(QWidget* parent, const QString& text,
                                    const QStringList& buttons, int defaultIndex, int escapeIndex) {
    QMessageBox box(QMessageBox::Question, applicationTitle(), text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> made;
    for (const QString& caption : buttons)
        made.append(box.addButton(caption, QMessageBox::ActionRole));
    if (defaultIndex >= 0 && defaultIndex < made.size())
        box.setDefaultButton(qobject_cast<QPushButton*>(made[defaultIndex]));
    if (escapeIndex >= 0 && escapeIndex < made.size()) box.setEscapeButton(made[escapeIndex]);
    box.exec();
    const qsizetype chosen = made.indexOf(box.clickedButton());
    return chosen < 0 ? escapeIndex : static_cast<int>(chosen);
}

PlatformServices::PrintOutcome QtPlatformServices::printWindow(QWidget* parent, QWidget* window) {
    QPrinter printer(QPrinter::HighResolution);
    // Names the job, and the file when the user prints to a PDF file.
    printer.setDocName(QStringLiteral("CabinetCool"));
    QPrintDialog dialog(&printer, parent);
    // The print is one page: there is no range or selection to choose.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted) return PrintOutcome::Cancelled;

    // The window drawn afresh at three times the screen's 96 pixels per inch:
    // text and numbers stay sharp on paper, and the one-pixel lines of the
    // drawing stay thick enough to see (drawn straight at the printer's
    // resolution they would be hairlines). Hidden controls are not drawn.
    constexpr int kImageScale = 3;
    QImage image(window->size() * kImageScale, QImage::Format_RGB32);
    image.setDevicePixelRatio(kImageScale);
    image.fill(Qt::white);
    {
        QPainter imagePainter(&image);
        window->render(&imagePainter, QPoint(), QRegion(),
                       QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }

    QPainter painter;
    if (!painter.begin(&printer)) return PrintOutcome::Failed;
    // The painter's origin is the top-left corner of the printable area. The
    // window's logical pixels are 15 twips, 1/96 inch, so the window comes
    // out at its own size. Only a page too small for it (a landscape A5, say)
    // shrinks the window, so that it still fits on the one page.
    const QSizeF size = window->size();
    double scale = printer.resolution() / 96.0;
    scale = std::min({scale, printer.width() / size.width(), printer.height() / size.height()});
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), size * scale), image);
    if (!painter.end() || printer.printerState() == QPrinter::Error) return PrintOutcome::Failed;
    return PrintOutcome::Printed;
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
