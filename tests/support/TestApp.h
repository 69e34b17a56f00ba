#pragma once

#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "FakePlatform.h"
#include "app/Form1.h"
#include "kit/CabinetCoolApp.h"

// A program object on the fake platform, with its own program folder (a
// temporary directory holding env/app.ini when one is given).
struct TestApp {
    // `iniText`: the configuration file's content; the shipped file when
    // empty; no file at all with noIni().
    explicit TestApp(const QByteArray& iniText = QByteArray());
    static std::unique_ptr<TestApp> noIni();
    ~TestApp();

    // Creates the main window and runs the start-up.
    Form1* start();
    Form1* form() const { return app->loadedWindow<Form1>(); }
    QString programDir() const { return dir.path(); }
    void writeIni(const QByteArray& text);

    QTemporaryDir dir;
    // The user's own data: recovery copies, the recent projects, journals.
    QTemporaryDir userDir;
    FakePlatform platform;
    std::unique_ptr<CabinetCoolApp> app;
};

// Reads the shipped configuration file.
QByteArray shippedIni();

// A file's bytes, "<unreadable>" when it cannot be read; a file written
// whole (the test fails at once when it cannot be).
QByteArray readFileBytes(const QString& path);
void writeFileBytes(const QString& path, const QByteArray& bytes);

// Lets windows closed with deleteLater() go.
void processDeferredDeletes();
