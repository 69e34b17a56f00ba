#pragma once

#include "kit/PlatformServices.h"

// The desktop as Qt offers it.
class QtPlatformServices : public PlatformServices {
public:
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
