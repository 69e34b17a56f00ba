#pragma once

#include <QImage>
#include <QList>
#include <QMap>
#include <QQueue>
#include <QSet>
#include <QStringList>
#include <functional>

#include "kit/PlatformServices.h"

// A desktop for tests: records every message and request in order, answers
// dialogs from queues, and runs a clock that advances by itself.
class FakePlatform : public PlatformServices {
public:
    // Every message box, in order. The file error box is recorded as
    // "[file error] Cool file format error".
    QStringList messages;
    static QString fileErrorText() { return QStringLiteral("[file error] Cool file format error"); }
    // The write error box is recorded as "[file write error] " and its text.
    static QString fileWriteErrorText(const QString& text) {
        return QStringLiteral("[file write error] ") + text;
    }
    // Any other error box as its title in brackets, then its text.
    static QString errorText(const QString& title, const QString& text) {
        return QLatin1Char('[') + title + QStringLiteral("] ") + text;
    }

    // Answers of the file dialogs; an empty queue answers "cancelled".
    QQueue<QString> openAnswers;
    QQueue<QString> saveAnswers;
    QList<FileDialog> openDialogs;
    QList<FileDialog> saveDialogs;
    // Answers of the dialog for several files; an empty queue answers "cancelled".
    QQueue<QStringList> openManyAnswers;

    // Every question asked (its text), and the answers to give, as button
    // indexes; an empty queue answers as Escape would.
    QStringList questions;
    QQueue<int> questionAnswers;

    // Printing: the outcome to report, and the image of each printed window.
    PrintOutcome printOutcome = PrintOutcome::Printed;
    QList<QImage> printedImages;
    int printDialogs = 0;
    // Called while the printer dialog would be open (the window as it is then).
    std::function<void(QWidget*)> onPrintDialog;

    QList<QUrl> openedUrls;
    bool openUrlSucceeds = true;
    QList<QStringList> startedPrograms;  // program followed by its arguments
    bool startProgramSucceeds = true;
    QMap<QString, QString> programsOnPath;  // name -> full path
    QSet<QString> existingFiles;
    QMap<QString, QByteArray> registry;  // "root\\keyPath\\valueName" -> data

    // The clock: starts at `clock` and advances by `clockStep` at every
    // event-processing call.
    float clock = 36000.0f;
    float clockStep = 0.25f;
    int processEventsCalls = 0;
    // Run inside an event-processing call (for example, a click during start-up).
    std::function<void()> duringProcessEvents;

    void messageBox(QWidget* parent, const QString& text) override;
    void fileErrorBox(QWidget* parent) override;
    void fileWriteErrorBox(QWidget* parent, const QString& text) override;
    void errorBox(QWidget* parent, const QString& title, const QString& text) override;
    QString openFileName(QWidget* parent, const FileDialog& dialog) override;
    QString saveFileName(QWidget* parent, const FileDialog& dialog) override;
    QStringList openFileNames(QWidget* parent, const FileDialog& dialog) override;
    int askQuestion(QWidget* parent, const QString& text, const QStringList& buttons,
                    int defaultIndex, int escapeIndex) override;
    PrintOutcome printWindow(QWidget* parent, QWidget* window) override;
    bool openUrl(const QUrl& url) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    QString findProgram(const QString& name) override;
    bool fileExists(const QString& path) override;
    bool readRegistryValue(const QString& root, const QString& keyPath, const QString& valueName,
                           QByteArray* data) override;
    float secondsSinceMidnight() override;
    void processEvents(int maxWaitMs) override;
};
