#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "app/CommandLine.h"
#include "data/InstallPaths.h"

namespace {

void makeFile(const QString& path, const QByteArray& bytes = "x") {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

// Creates each entry below `root`: a name ending in "/" is a folder, any
// other a file.
void makeTree(const QString& root, const QStringList& entries) {
    for (const QString& entry : entries) {
        if (entry.endsWith('/')) {
            QDir(root).mkpath(entry);
        } else {
            makeFile(root + "/" + entry);
        }
    }
}

QStringList entriesOf(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
}

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

QString qPath(const std::filesystem::path& path) {
    return QDir::cleanPath(QString::fromStdU16String(path.u16string()));
}

}  // namespace

class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void configFile_data();
    void configFile();
    void calculationFolder_data();
    void calculationFolder();
    void commandLine_data();
    void commandLine();
    void programWithoutWindow_data();
    void programWithoutWindow();
};

void TestInstall::layout_data() {
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("exeDir");
    QTest::addColumn<bool>("system");
    QTest::addColumn<QString>("dataDir");
    QTest::newRow("portable folder")
        << QStringList{"app/cabinetcool", "app/env/app.ini", "app/www/", "app/Cool/"} << "app"
        << false << "app";
    QTest::newRow("portable folder with pages only")
        << QStringList{"app/cabinetcool", "app/www/index.html"} << "app" << false << "app";
    QTest::newRow("system layout")
        << QStringList{"usr/bin/cabinetcool", "usr/share/cabinetcool/env/app.ini",
                       "usr/share/cabinetcool/www/"}
        << "usr/bin" << true << "usr/share/cabinetcool";
    QTest::newRow("system layout, tables removed")
        << QStringList{"usr/bin/cabinetcool", "usr/share/cabinetcool/www/"} << "usr/bin" << true
        << "usr/share/cabinetcool";
    // A portable folder unpacked into a bin/ folder of a system prefix keeps
    // its own files.
    QTest::newRow("beside the executable wins")
        << QStringList{"usr/bin/cabinetcool", "usr/bin/env/app.ini",
                       "usr/share/cabinetcool/env/app.ini"}
        << "usr/bin" << false << "usr/bin";
    QTest::newRow("nothing anywhere") << QStringList{"opt/cabinetcool"} << "opt" << false << "opt";
    QTest::newRow("a shared folder of another name does not count")
        << QStringList{"usr/bin/cabinetcool", "usr/share/other/env/app.ini"} << "usr/bin" << false
        << "usr/bin";
}

void TestInstall::layout() {
    QFETCH(QStringList, tree);
    QFETCH(QString, exeDir);
    QFETCH(bool, system);
    QFETCH(QString, dataDir);
    QTemporaryDir root;
    makeTree(root.path(), tree);
    const InstallPaths paths =
        resolveInstallPaths(fsPath(root.filePath(exeDir)), "../share/cabinetcool",
                            fsPath(root.filePath("config")), fsPath(root.filePath("documents")));
    QCOMPARE(paths.layout == InstallPaths::Layout::System, system);
    QCOMPARE(qPath(paths.dataDir), QDir::cleanPath(root.filePath(dataDir)));
    // env/ of the tables is found in the data folder (and www/ of the web
    // links beside it).
    QCOMPARE(qPath(paths.configFile()), QDir::cleanPath(root.filePath(dataDir) + "/env/app.ini"));
}

void TestInstall::configFile_data() {
    QTest::addColumn<bool>("system");
    QTest::addColumn<QStringList>("tree");  // under data/ and config/
    QTest::addColumn<QString>("expected");
    QTest::newRow("system, the user's own tables")
        << true << QStringList{"data/env/app.ini", "config/app.ini"} << "config/app.ini";
    QTest::newRow("system, no tables of the user's")
        << true << QStringList{"data/env/app.ini", "config/"} << "data/env/app.ini";
    QTest::newRow("system, no user configuration folder")
        << true << QStringList{"data/env/app.ini"} << "data/env/app.ini";
    QTest::newRow("system, a folder named app.ini")
        << true << QStringList{"data/env/app.ini", "config/app.ini/"} << "data/env/app.ini";
    QTest::newRow("system, only the user's tables")
        << true << QStringList{"config/app.ini"} << "config/app.ini";
    // The portable folder is the user's own: its env/app.ini is the one to edit.
    QTest::newRow("portable ignores the configuration folder")
        << false << QStringList{"data/env/app.ini", "config/app.ini"} << "data/env/app.ini";
}

void TestInstall::configFile() {
    QFETCH(bool, system);
    QFETCH(QStringList, tree);
    QFETCH(QString, expected);
    QTemporaryDir root;
    makeTree(root.path(), tree);
    InstallPaths paths;
    paths.layout = system ? InstallPaths::Layout::System : InstallPaths::Layout::Portable;
    paths.dataDir = fsPath(root.filePath("data"));
    paths.userConfigDir = fsPath(root.filePath("config"));
    paths.userDocumentsDir = fsPath(root.filePath("documents"));
    QCOMPARE(qPath(paths.configFile()), root.filePath(expected));
}

void TestInstall::calculationFolder_data() {
    QTest::addColumn<bool>("system");
    QTest::addColumn<QString>("cool");  // "folder", "missing", "file", "read-only"
    QTest::addColumn<bool>("perUser");
    QTest::newRow("portable, Cool writable") << false << "folder" << false;
    QTest::newRow("portable, Cool missing in a writable folder") << false << "missing" << false;
    QTest::newRow("portable, Cool is a file") << false << "file" << true;
    QTest::newRow("portable, Cool read-only") << false << "read-only" << true;
    QTest::newRow("portable, program folder read-only, no Cool")
        << false << "read-only-parent" << true;
    QTest::newRow("system layout") << true << "missing" << true;
    QTest::newRow("system layout, even with a Cool folder") << true << "folder" << true;
}

void TestInstall::calculationFolder() {
    QFETCH(bool, system);
    QFETCH(QString, cool);
    QFETCH(bool, perUser);
    if (cool.startsWith("read-only") && geteuid() == 0) QSKIP("root writes into read-only folders");
    QTemporaryDir root;
    const QString data = root.filePath("data");
    const QString coolPath = data + "/Cool";
    QDir().mkpath(data);
    if (cool == "folder" || cool == "read-only") QDir().mkpath(coolPath);
    if (cool == "file") makeFile(coolPath);
    if (cool == "read-only") QFile::setPermissions(coolPath, QFile::ReadOwner | QFile::ExeOwner);
    if (cool == "read-only-parent") QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner);

    InstallPaths paths;
    paths.layout = system ? InstallPaths::Layout::System : InstallPaths::Layout::Portable;
    paths.dataDir = fsPath(data);
    paths.userConfigDir = fsPath(root.filePath("config"));
    paths.userDocumentsDir = fsPath(root.filePath("documents"));
    const QString folder = qPath(paths.calculationFolder());
    const QStringList dataAfter = entriesOf(data);
    const QStringList coolAfter = QFileInfo(coolPath).isDir() ? entriesOf(coolPath) : QStringList();
    QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (QFileInfo(coolPath).isDir()) {
        QFile::setPermissions(coolPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    const QString userFolder = root.filePath("documents/CabinetCool");
    QCOMPARE(folder, perUser ? userFolder : coolPath);
    // The per-user folder is made when it is the answer, and only then.
    QCOMPARE(QFileInfo(userFolder).isDir(), perUser);
    // Asking leaves nothing behind in the program's folders, and makes no Cool/.
    QCOMPARE(dataAfter,
             cool == "missing" || cool == "read-only-parent" ? QStringList() : QStringList{"Cool"});
    QCOMPARE(coolAfter, QStringList());
}

void TestInstall::commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("errorNames");  // what the error message must name
    using A = CommandLine::Action;
    QTest::newRow("nothing") << QStringList{} << int(A::Run) << ""
                             << "";
    QTest::newRow("a file") << QStringList{"calc.col"} << int(A::Run) << "calc.col"
                            << "";
    QTest::newRow("a Korean file name") << QStringList{"계산 1.col"} << int(A::Run) << "계산 1.col"
                                        << "";
    QTest::newRow("a file address")
        << QStringList{"file:///tmp/a%20b.col"} << int(A::Run) << "/tmp/a b.col"
        << "";
    QTest::newRow("--help") << QStringList{"--help"} << int(A::Help) << ""
                            << "";
    QTest::newRow("-h") << QStringList{"-h"} << int(A::Help) << ""
                        << "";
    QTest::newRow("--version") << QStringList{"--version"} << int(A::Version) << ""
                               << "";
    QTest::newRow("help after a file") << QStringList{"calc.col", "--help"} << int(A::Help) << ""
                                       << "";
    QTest::newRow("help after an unknown option")
        << QStringList{"-platform", "--help"} << int(A::Help) << ""
        << "";
    QTest::newRow("after --, an option is a file name")
        << QStringList{"--", "--help"} << int(A::Run) << "--help"
        << "";
    QTest::newRow("after --, a dash-file") << QStringList{"--", "-x.col"} << int(A::Run) << "-x.col"
                                           << "";
    QTest::newRow("unknown option")
        << QStringList{"--frobnicate", "calc.col"} << int(A::Error) << ""
        << "--frobnicate";
    QTest::newRow("two files") << QStringList{"a.col", "b.col"} << int(A::Error) << ""
                               << "b.col";
    QTest::newRow("an empty name") << QStringList{""} << int(A::Error) << ""
                                   << "";
}

void TestInstall::commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, file);
    QFETCH(QString, errorNames);
    const CommandLine line = parseCommandLine(arguments);
    QCOMPARE(int(line.action), action);
    QCOMPARE(line.file, file);
    QCOMPARE(line.error.isEmpty(), action != int(CommandLine::Action::Error));
    QVERIFY(line.error.contains(errorNames));
}

void TestInstall::programWithoutWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("platform");  // QT_QPA_PLATFORM, empty: unset
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    // --help and --version need no display at all.
    QTest::newRow("--help") << QStringList{"--help"} << "" << 0
                            << "Usage: cabinetcool [FILE.ccproj | FILE.col]"
                            << "";
    QTest::newRow("--version") << QStringList{"--version"} << "" << 0
                               << QString("CabinetCool " CC_PROJECT_VERSION "\n") << "";
    QTest::newRow("--version with a file") << QStringList{"x.col", "--version"} << "" << 0
                                           << QString("CabinetCool " CC_PROJECT_VERSION "\n") << "";
    // No display: a plain message, not Qt's abort.
    QTest::newRow("no display") << QStringList{} << "" << 1 << ""
                                << "DISPLAY";
    QTest::newRow("no display, with a file") << QStringList{"x.col"} << "" << 1 << ""
                                             << "WAYLAND_DISPLAY";
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << "offscreen" << 2 << ""
                                    << "--frobnicate";
    QTest::newRow("two files") << QStringList{"a.col", "b.col"} << "offscreen" << 2 << ""
                               << "b.col";
}

void TestInstall::programWithoutWindow() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, platform);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(name);
    if (!platform.isEmpty()) env.insert("QT_QPA_PLATFORM", platform);
    env.insert("LC_ALL", "C.UTF-8");
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(CC_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(60000));
    const QString stdOut = QString::fromUtf8(program.readAllStandardOutput());
    const QString stdErr = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    if (out.isEmpty()) {
        QCOMPARE(stdOut, QString());
    } else {
        QVERIFY2(stdOut.contains(out), qPrintable(stdOut));
    }
    if (err.isEmpty()) {
        QCOMPARE(stdErr, QString());
    } else {
        QVERIFY2(stdErr.contains(err), qPrintable(stdErr));
    }
}

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
