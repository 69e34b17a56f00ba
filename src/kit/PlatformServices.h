#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;

// Everything the windows ask of the desktop: message boxes, file and printer
// dialogs, the browser, other programs, the clock. Production uses
// QtPlatformServices; tests hand in a fake that records and answers.
class PlatformServices {
public:
    virtual ~PlatformServices() = default;

    // Modal message box: OK only, no icon, titled with the application title.
    virtual void messageBox(QWidget* parent, const QString& text) = 0;
    // The one failure message of the calculation-file commands, with an error icon.
    virtual void fileErrorBox(QWidget* parent) = 0;
    // A calculation file that could not be written: `text` with an error
    // icon, under the title of the failure message above.
    virtual void fileWriteErrorBox(QWidget* parent, const QString& text) = 0;
    // Any other failure: `text` with an error icon under `title`.
    virtual void errorBox(QWidget* parent, const QString& title, const QString& text) = 0;

    struct FileDialog {
        QString title;
        QString startFolder;
        QStringList filters;  // e.g. "Cool File (*.COL) (*.col)"; the first is selected
        bool confirmOverwrite = true;
        QString defaultName;    // the file name the dialog offers; empty: none
        QString defaultSuffix;  // added to a name typed without one; empty: none
    };
    // The chosen file name, or empty text when the user cancelled.
    virtual QString openFileName(QWidget* parent, const FileDialog& dialog) = 0;
    virtual QString saveFileName(QWidget* parent, const FileDialog& dialog) = 0;
    // Several existing files at once; empty when the user cancelled.
    virtual QStringList openFileNames(QWidget* parent, const FileDialog& dialog) = 0;

    // Modal question with a button per answer, titled with the application
    // title: the index of the button chosen; `escapeIndex` when the box was
    // closed or Escape pressed. `defaultIndex` is the button Enter presses.
    virtual int askQuestion(QWidget* parent, const QString& text, const QStringList& buttons,
                            int defaultIndex, int escapeIndex) = 0;

    enum class PrintOutcome { Printed, Cancelled, Failed };
    // Shows the printer dialog and prints `window` as one page: a window's
    // client area, or the widget that holds a window's whole content.
    virtual PrintOutcome printWindow(QWidget* parent, QWidget* window) = 0;

    // Opens an address in a browser; false when nothing could open it.
    virtual bool openUrl(const QUrl& url) = 0;
    // Starts a program detached from this one; false when it did not start.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // The full path of a program found on the search path, or empty text.
    virtual QString findProgram(const QString& name) = 0;
    virtual bool fileExists(const QString& path) = 0;
    // Raw data of a registry value (Windows only; elsewhere always false).
    virtual bool readRegistryValue(const QString& root, const QString& keyPath,
                                   const QString& valueName, QByteArray* data) = 0;

    // Seconds since midnight, as the waiting routine reads them.
    virtual float secondsSinceMidnight() = 0;
    // Handles pending user-interface events, waiting at most `maxWaitMs` for one.
    virtual void processEvents(int maxWaitMs) = 0;
};
