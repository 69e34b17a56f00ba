#include "TestApp.h"

#include <QDir>
#include <QEvent>
#include <QFile>

#include "kit/FileAccess.h"
#include "kit/ProjectSession.h"
#include "kit/UserLibrary.h"
#include "projectwindow/ProjectCommands.h"

QByteArray shippedIni() {
    QFile file(QStringLiteral(CC_ASSETS_DIR "/env/app.ini"));
    if (!file.open(QIODevice::ReadOnly)) qFatal("cannot read the shipped app.ini");
    return file.readAll();
}

QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
    return file.readAll();
}

void writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write");
    file.write(bytes);
}

TestApp::TestApp(const QByteArray& iniText) {
    // Nothing of a test reaches the real user's folders.
    ProjectSession::setRecoveryFolder(userDir.filePath(QStringLiteral("recovery")));
    setRecentProjectsFile(userDir.filePath(QStringLiteral("recent-projects.ini")));
    setUnfinishedSaveFolder(userDir.filePath(QStringLiteral("unfinished-saves")));
    UserLibrary::setFilePath(userDir.filePath(QStringLiteral("device-library.json")));
    writeIni(iniText.isEmpty() ? shippedIni() : iniText);
    app = std::make_unique<CabinetCoolApp>(platform, dir.path());
}

std::unique_ptr<TestApp> TestApp::noIni() {
    auto t = std::make_unique<TestApp>();
    QFile::remove(t->dir.filePath(QStringLiteral("env/app.ini")));
    return t;
}

TestApp::~TestApp() {
    app.reset();
    processDeferredDeletes();
}

void TestApp::writeIni(const QByteArray& text) {
    QDir(dir.path()).mkpath(QStringLiteral("env"));
    QFile file(dir.filePath(QStringLiteral("env/app.ini")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write app.ini");
    file.write(text);
}

Form1* TestApp::start() { return app->start<Form1>(); }

void processDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
