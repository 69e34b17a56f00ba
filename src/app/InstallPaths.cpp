#include "app/InstallPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#ifndef CABINETCOOL_RELATIVE_DATA_DIR
#define CABINETCOOL_RELATIVE_DATA_DIR "../share/cabinetcool"
#endif

namespace {

const QString kProgramFolder = QStringLiteral("CabinetCool");

QString userConfigRoot() {
    // Not AppConfigLocation: that follows the organisation and application
    // names, and the folder a user is told to put app.ini in must not move.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(kProgramFolder);
}

QString userDocumentsRoot() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

bool holdsProgramData(const QString& dir) {
    return QFileInfo(QDir(dir).filePath(QStringLiteral("env"))).isDir() ||
           QFileInfo(QDir(dir).filePath(QStringLiteral("www"))).isDir();
}

}  // namespace

InstallPaths InstallPaths::portable(const QString& dir) {
    InstallPaths paths;
    paths.layout = Layout::Portable;
    paths.dataDir = dir;
    paths.userConfigDir = userConfigRoot();
    paths.userDocumentsDir = userDocumentsRoot();
    return paths;
}

QString InstallPaths::shippedConfigFile() const {
    return QDir(dataDir).filePath(QStringLiteral("env/app.ini"));
}

QString InstallPaths::userConfigFile() const {
    return QDir(userConfigDir).filePath(QStringLiteral("app.ini"));
}

QString InstallPaths::configFile() const {
    if (layout == Layout::System && !userConfigDir.isEmpty() &&
        QFileInfo(userConfigFile()).isFile()) {
        return userConfigFile();
    }
    return shippedConfigFile();
}

QString InstallPaths::userCalculationFolder() const {
    return QDir(userDocumentsDir).filePath(kProgramFolder);
}

QString InstallPaths::calculationFolder() const {
    if (layout == Layout::Portable) {
        const QString cool = QDir(dataDir).filePath(QStringLiteral("Cool"));
        const QFileInfo info(cool);
        // A missing Cool/ in a folder the user owns stays as it always was:
        // the dialog starts wherever the desktop puts it, and nothing is made.
        if (info.isDir() ? isWritableFolder(cool) : (!info.exists() && isWritableFolder(dataDir))) {
            return cool;
        }
    }
    const QString folder = userCalculationFolder();
    if (QDir().mkpath(folder)) return folder;
    return userDocumentsDir;
}

InstallPaths resolveInstallPaths(const QString& exeDir, const QString& relativeDataDir,
                                 const QString& userConfigDir, const QString& userDocumentsDir) {
    InstallPaths paths;
    paths.userConfigDir = userConfigDir;
    paths.userDocumentsDir = userDocumentsDir;
    paths.dataDir = exeDir;
    if (!holdsProgramData(exeDir) && !relativeDataDir.isEmpty()) {
        const QString shared = QDir::cleanPath(QDir(exeDir).filePath(relativeDataDir));
        if (holdsProgramData(shared)) {
            paths.layout = InstallPaths::Layout::System;
            paths.dataDir = shared;
        }
    }
    return paths;
}

InstallPaths programInstallPaths() {
    return resolveInstallPaths(QCoreApplication::applicationDirPath(),
                               QStringLiteral(CABINETCOOL_RELATIVE_DATA_DIR), userConfigRoot(),
                               userDocumentsRoot());
}

bool isWritableFolder(const QString& dir) {
    if (!QFileInfo(dir).isDir()) return false;
    QTemporaryFile probe(QDir(dir).filePath(QStringLiteral(".cabinetcool-XXXXXX")));
    return probe.open();
}
