#include "FakePlatform.h"

#include <QCoreApplication>
#include <QWidget>

void FakePlatform::messageBox(QWidget*, const QString& text) { messages.append(text); }

void FakePlatform::fileErrorBox(QWidget*) { messages.append(fileErrorText()); }

void FakePlatform::fileWriteErrorBox(QWidget*, const QString& text) {
    messages.append(fileWriteErrorText(text));
}

void FakePlatform::errorBox(QWidget*, const QString& title, const QString& text) {
    messages.append(errorText(title, text));
}

QString FakePlatform::openFileName(QWidget*, const FileDialog& dialog) {
    openDialogs.append(dialog);
    return openAnswers.isEmpty() ? QString() : openAnswers.dequeue();
}

QString FakePlatform::saveFileName(QWidget*, const FileDialog& dialog) {
    saveDialogs.append(dialog);
    return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
}

QStringList FakePlatform::openFileNames(QWidget*, const FileDialog& dialog) {
    openDialogs.append(dialog);
    return openManyAnswers.isEmpty() ? QStringList() : openManyAnswers.dequeue();
}

int FakePlatform::askQuestion(QWidget*, const QString& text, const QStringList&, int,
                              int escapeIndex) {
    questions.append(text);
    return questionAnswers.isEmpty() ? escapeIndex : questionAnswers.dequeue();
}

PlatformServices::PrintOutcome FakePlatform::printWindow(QWidget*, QWidget* window) {
    ++printDialogs;
    if (onPrintDialog) onPrintDialog(window);
    if (printOutcome == PrintOutcome::Printed) printedImages.append(window->grab().toImage());
    return printOutcome;
}

bool FakePlatform::openUrl(const QUrl& url) {
    openedUrls.append(url);
    return openUrlSucceeds;
}

bool FakePlatform::startProgram(const QString& program, const QStringList& arguments) {
    startedPrograms.append(QStringList{program} + arguments);
    return startProgramSucceeds;
}

QString FakePlatform::findProgram(const QString& name) { return programsOnPath.value(name); }

bool FakePlatform::fileExists(const QString& path) { return existingFiles.contains(path); }

bool FakePlatform::readRegistryValue(const QString& root, const QString& keyPath,
                                     const QString& valueName, QByteArray* data) {
    const QString key = root + QLatin1Char('\\') + keyPath + QLatin1Char('\\') + valueName;
    if (!registry.contains(key)) return false;
    *data = registry.value(key);
    return true;
}

float FakePlatform::secondsSinceMidnight() { return clock; }

void FakePlatform::processEvents(int) {
    ++processEventsCalls;
    QCoreApplication::processEvents();
    if (duringProcessEvents) duringProcessEvents();
    clock += clockStep;
    if (clock >= 86400.0f) clock -= 86400.0f;
}
