#include "projectwindow/ProjectCommands.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>

#include "kit/CabinetCoolApp.h"
#include "kit/FileAccess.h"
#include "kit/PlatformServices.h"
#include "kit/ProjectSession.h"
#include "projectwindow/frmProject.h"

namespace {

constexpr int kRecentCount = 8;
QString g_recentFile;

QString recentFile() {
    if (!g_recentFile.isEmpty()) return g_recentFile;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           QStringLiteral("/recent-projects.ini");
}

PlatformServices::FileDialog projectDialog(const CabinetCoolApp& app, const QString& title) {
    PlatformServices::FileDialog d;
    d.title = title;
    d.startFolder = projectStartFolder(app);
    d.filters = {QStringLiteral("CabinetCool 프로젝트 (*.ccproj)"),
                 QStringLiteral("모든 파일 (*)")};
    d.defaultSuffix = kProjectFileSuffix;
    return d;
}

QString nativePath(const QString& path) { return QDir::toNativeSeparators(path); }

}  // namespace

QString projectStartFolder(const CabinetCoolApp& app) {
    return QDir::fromNativeSeparators(
        QString::fromStdU16String(app.paths().calculationFolder().u16string()));
}

bool confirmProjectSaved(CabinetCoolApp& app, QWidget* parent) {
    ProjectSession& session = app.project();
    if (!session.modified()) return true;
    const int answer = app.platform().askQuestion(
        parent,
        QStringLiteral("프로젝트 \"%1\"에 저장하지 않은 변경이 있습니다. 저장할까요?")
            .arg(session.displayName()),
        {QStringLiteral("저장"), QStringLiteral("저장 안 함"), QStringLiteral("취소")}, 0, 2);
    if (answer == 0) return saveProject(app, parent, false);
    return answer == 1;
}

bool saveProject(CabinetCoolApp& app, QWidget* parent, bool askName) {
    ProjectSession& session = app.project();
    QString path = session.filePath();
    if (askName || path.isEmpty() || session.readOnly()) {
        PlatformServices::FileDialog d = projectDialog(app, QStringLiteral("프로젝트 저장"));
        d.defaultName = session.displayName() + QStringLiteral(".") + kProjectFileSuffix;
        path = app.platform().saveFileName(parent, d);
        if (path.isEmpty()) return false;
    }
    // The date of the project is the day it was last saved.
    ProjectInfo info = session.project().info;
    info.date = QDate::currentDate().toString(Qt::ISODate);
    session.setInfo(info);
    FileWriteError error = FileWriteError::None;
    if (!replaceFileContents(path, session.fileBytes(), &error)) {
        app.platform().errorBox(
            parent, QStringLiteral("프로젝트 저장 오류"),
            QStringLiteral("프로젝트를 저장할 수 없습니다. 그 이름의 파일은 바뀌지 "
                           "않았습니다.\n%1\n\n%2")
                .arg(nativePath(path), fileWriteErrorText(error)));
        return false;
    }
    // The list first: the window shows it when the project says it is saved.
    rememberRecentProject(path);
    session.markSaved(path);
    return true;
}

bool openProjectFile(CabinetCoolApp& app, QWidget* parent, const QString& path) {
    if (!confirmProjectSaved(app, parent)) return false;
    PlatformServices& platform = app.platform();
    auto refuse = [&](const QString& why) {
        platform.messageBox(
            parent,
            QStringLiteral("프로젝트를 열 수 없습니다.\n%1\n\n%2").arg(nativePath(path), why));
        return false;
    };
    if (!QFileInfo::exists(path)) return refuse(QStringLiteral("파일을 찾을 수 없습니다."));
    QFile file;
    if (!openRegularFile(file, path)) return refuse(QStringLiteral("파일을 읽을 수 없습니다."));
    // One byte over the limit tells a file that is too large.
    const QByteArray bytes = file.read(kMaxProjectFileBytes + 1);
    const ProjectReading reading = ReadProject(bytes);
    if (!reading.project) return refuse(reading.error);
    rememberRecentProject(path);
    app.project().openProject(*reading.project, path, reading.readOnly || reading.textsCut,
                              reading.version);
    if (!reading.changes.isEmpty()) {
        // What is shown is not what the file holds: a save writes it.
        app.project().markModified();
        platform.messageBox(
            parent,
            QStringLiteral("프로젝트를 열면서 다음을 바꿨습니다. 파일은 그대로입니다.\n%1\n\n%2%3")
                .arg(nativePath(path), reading.changes.join(QLatin1Char('\n')),
                     reading.textsCut
                         ? QStringLiteral("\n\n잘린 글의 나머지를 잃지 않도록 읽기 전용으로 "
                                          "엽니다: 저장하려면 다른 이름으로 저장하세요.")
                         : QString()));
    }
    if (reading.readOnly) {
        platform.messageBox(
            parent, QStringLiteral("이 프로젝트는 더 새로운 형식 버전 %1로 저장되었습니다. 읽기 "
                                   "전용으로 엽니다: 저장하려면 다른 이름으로 저장하세요.\n%2")
                        .arg(reading.version)
                        .arg(nativePath(path)));
    }
    return true;
}

bool openProjectDialog(CabinetCoolApp& app, QWidget* parent) {
    PlatformServices::FileDialog d = projectDialog(app, QStringLiteral("프로젝트 열기"));
    d.confirmOverwrite = false;
    const QString path = app.platform().openFileName(parent, d);
    if (path.isEmpty()) return false;
    return openProjectFile(app, parent, path);
}

bool startNewProject(CabinetCoolApp& app, QWidget* parent) {
    if (!confirmProjectSaved(app, parent)) return false;
    app.project().newProject();
    return true;
}

void offerProjectRecovery(CabinetCoolApp& app, QWidget* parent) {
    const QList<ProjectSession::Leftover> copies = ProjectSession::leftoverRecoveryCopies();
    bool restored = false;
    for (const ProjectSession::Leftover& copy : copies) {
        // One project at a time: after one is restored, the rest stay for
        // a later start.
        if (restored) break;
        const int answer = app.platform().askQuestion(
            parent,
            QStringLiteral("프로그램이 정상적으로 끝나지 않았습니다. 저장하지 않은 프로젝트 "
                           "\"%1\"의 복구본이 있습니다 (%2).\n복구할까요?")
                .arg(copy.name,
                     QLocale(QLocale::Korean).toString(copy.written, QLocale::ShortFormat)),
            {QStringLiteral("복구"), QStringLiteral("버리기")}, 0, 0);
        if (answer == 1) {
            ProjectSession::discardLeftover(copy);
            continue;
        }
        QString error;
        if (app.project().restoreRecoveryCopy(copy, &error)) {
            restored = true;
        } else {
            app.platform().messageBox(parent, QStringLiteral("복구본을 읽을 수 없습니다.\n%1\n\n%2")
                                                  .arg(nativePath(copy.file), error));
        }
    }
}

QStringList recentProjects() {
    QSettings settings(recentFile(), QSettings::IniFormat);
    QStringList list = settings.value(QStringLiteral("recent")).toStringList();
    list.removeAll(QString());
    return list.mid(0, kRecentCount);
}

void rememberRecentProject(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = recentProjects();
    list.removeAll(absolute);
    list.prepend(absolute);
    QSettings settings(recentFile(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("recent"), QStringList(list.mid(0, kRecentCount)));
}

void forgetRecentProject(const QString& path) {
    QStringList list = recentProjects();
    list.removeAll(path);
    QSettings settings(recentFile(), QSettings::IniFormat);
    settings.setValue(QStringLiteral("recent"), list);
}

void setRecentProjectsFile(const QString& path) { g_recentFile = path; }

void keepProjectWindowReady(CabinetCoolApp& app) { app.keepWindowReady<frmProject>(300); }
