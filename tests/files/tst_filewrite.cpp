// Saving a file: a failed or killed save leaves its target byte for byte as
// it was, or whole with the new content; nothing beside it is touched.
#include <sched.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <map>
#include <string>

#include "kit/FileAccess.h"

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
    return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                               QDir::System);
}

// The journals in a folder, less the temporaries of ours that a kill left
// while one was being written.
QStringList journals(const QString& dir) {
    QStringList names = entries(dir);
    names.removeIf([](const QString& name) { return name.contains(".cabinetcool-"); });
    return names;
}

// A calculation file of `modelLength` model characters: long enough that the
// writer needs more than one write call for it.
QByteArray calculation(int modelLength, char letter) {
    return "Aircon\r\n1\r\n0.6\r\n2\r\n7\r\n1100\r\n40\r\n35\r\n5\r\n0\r\n" +
           QByteArray(modelLength, letter) + "\r\n0\r\n";
}

// ---- The probe: which call fails, or where the process dies ---------------

// "overwrite#2" fails the second overwrite call with the given errno.
std::map<std::string, int> g_failures;
std::map<std::string, int> g_seen;
int g_killAt = 0;      // the n-th call of any kind raises SIGKILL; 0: never
std::string g_killOn;  // or the call of this key
int g_calls = 0;

int probe(const char* call) {
    ++g_calls;
    if (g_killAt != 0 && g_calls == g_killAt) ::raise(SIGKILL);
    const std::string key = std::string(call) + "#" + std::to_string(++g_seen[call]);
    if (key == g_killOn) ::raise(SIGKILL);
    const auto rule = g_failures.find(key);
    return rule == g_failures.end() ? 0 : rule->second;
}

void resetProbe(std::map<std::string, int> failures = {}, int killAt = 0) {
    g_failures = std::move(failures);
    g_seen.clear();
    g_killAt = killAt;
    g_killOn.clear();
    g_calls = 0;
    setFileWriteProbe(&probe);
}

// The first temporary file cannot be made: the save takes the in-place path,
// as in a folder the user may not write.
constexpr const char* kFolderNotWritable = "create#1";

}  // namespace

class TestFileWrite : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void failedInPlaceSaveKeepsOldBytes_data();
    void failedInPlaceSaveKeepsOldBytes();
    void failedReplaceKeepsOldBytes_data();
    void failedReplaceKeepsOldBytes();
    void killedSaveLeavesOldOrNewWhole_data();
    void killedSaveLeavesOldOrNewWhole();
    void recoveryTouchesOnlyWhatItInterrupted_data();
    void recoveryTouchesOnlyWhatItInterrupted();
    void fullFileSystem_data();
    void fullFileSystem();
    void journalHeader_data();
    void journalHeader();

private:
    QTemporaryDir m_tmp;
    QString m_dir;
    QString m_journals;
};

void TestFileWrite::init() {
    QVERIFY(m_tmp.isValid());
    m_dir = m_tmp.path() + "/" + QTest::currentDataTag();
    m_dir.replace(' ', '_');
    m_dir += QString::number(QRandomGenerator::global()->generate());
    QVERIFY(QDir().mkpath(m_dir));
    m_journals = m_dir + "-journals";
    setUnfinishedSaveFolder(m_journals);
}

void TestFileWrite::cleanup() {
    setFileWriteProbe(nullptr);
    setUnfinishedSaveFolder(QString());
}

void TestFileWrite::failedInPlaceSaveKeepsOldBytes_data() {
    QTest::addColumn<bool>("longer");
    QTest::addColumn<QString>("failing");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("reservable");
    QTest::addColumn<int>("cause");  // FileWriteError

    struct Row {
        const char* name;
        const char* failing;
        int error;
        bool reservable;
        FileWriteError cause;
    };
    const Row rows[] = {
        {"no room to reserve", "reserve#1", ENOSPC, true, FileWriteError::NoSpace},
        {"no journal can be written", "create#2", ENOSPC, true, FileWriteError::NoSpace},
        {"journal not synced", "sync#1", EIO, true, FileWriteError::Other},
        {"disk full at the second write, space not reservable", "overwrite#2", ENOSPC, false,
         FileWriteError::NoSpace},
        {"disk full at the first write, space not reservable", "overwrite#1", ENOSPC, false,
         FileWriteError::NoSpace},
        {"medium error at the second write", "overwrite#2", EIO, true, FileWriteError::Other},
        {"cut to length fails", "truncate#1", EIO, true, FileWriteError::Other},
        {"sync fails", "sync#2", EIO, true, FileWriteError::Other},
    };
    for (const Row& row : rows) {
        for (const bool longer : {true, false}) {
            QTest::addRow("%s, %s", row.name, longer ? "longer" : "shorter")
                << longer << QString::fromLatin1(row.failing) << row.error << row.reservable
                << int(row.cause);
        }
    }
}

void TestFileWrite::failedInPlaceSaveKeepsOldBytes() {
    QFETCH(bool, longer);
    QFETCH(QString, failing);
    QFETCH(int, error);
    QFETCH(bool, reservable);
    QFETCH(int, cause);
    const QString path = m_dir + "/victim.col";
    // Both contents span more than one write call.
    const QByteArray old = calculation(longer ? 5000 : 9000, 'o');
    const QByteArray fresh = calculation(longer ? 9000 : 5000, 'n');
    writeFile(path, old);

    std::map<std::string, int> failures = {{kFolderNotWritable, EACCES},
                                           {failing.toStdString(), error}};
    if (!reservable) failures["reserve#1"] = EOPNOTSUPP;
    resetProbe(failures);
    // The failure's cause, not that of the clean-up after it.
    FileWriteError why = FileWriteError::None;
    QVERIFY(!replaceFileContents(path, fresh, &why));
    QCOMPARE(int(why), cause);
    QVERIFY2(g_seen.count(failing.left(failing.indexOf('#')).toStdString()),
             "the failing call was never made");

    QCOMPARE(readAll(path), old);
    QCOMPARE(entries(m_dir), QStringList{"victim.col"});
    QCOMPARE(entries(m_journals), QStringList());

    // With the failure gone, the same save goes through in place.
    resetProbe({{kFolderNotWritable, EACCES}});
    QVERIFY(replaceFileContents(path, fresh, &why));
    QCOMPARE(why, FileWriteError::None);
    QCOMPARE(readAll(path), fresh);
    QCOMPARE(entries(m_dir), QStringList{"victim.col"});
    QCOMPARE(entries(m_journals), QStringList());
}

void TestFileWrite::failedReplaceKeepsOldBytes_data() {
    QTest::addColumn<QString>("failing");
    QTest::addColumn<int>("cause");  // FileWriteError
    const int other = int(FileWriteError::Other);
    QTest::newRow("temporary not written") << "write#1" << other;
    QTest::newRow("temporary not synced") << "sync#1" << other;
    QTest::newRow("rename refused") << "rename#1" << other;
    // The write-back after a failed overwrite fails too: the old content
    // comes back at the next start, from the journal. The cause is the full
    // disk that stopped the overwrite.
    QTest::newRow("in place, write-back fails") << "restore#1" << int(FileWriteError::NoSpace);
}

void TestFileWrite::failedReplaceKeepsOldBytes() {
    QFETCH(QString, failing);
    QFETCH(int, cause);
    const QString path = m_dir + "/plan.col";
    const QByteArray old = calculation(6000, 'o');
    writeFile(path, old);
    std::map<std::string, int> failures = {{failing.toStdString(), EIO}};
    const bool inPlace = failing.startsWith("restore");
    if (inPlace) {
        failures[kFolderNotWritable] = EACCES;
        failures["overwrite#2"] = ENOSPC;
    }
    resetProbe(failures);
    FileWriteError why = FileWriteError::None;
    QVERIFY(!replaceFileContents(path, calculation(7000, 'n'), &why));
    QCOMPARE(int(why), cause);
    setFileWriteProbe(nullptr);
    if (inPlace) {
        QCOMPARE(entries(m_journals).size(), 1);
        QCOMPARE(recoverUnfinishedSaves(), 1);
    }
    QCOMPARE(readAll(path), old);
    QCOMPARE(entries(m_dir), QStringList{"plan.col"});
    QCOMPARE(entries(m_journals), QStringList());
}

void TestFileWrite::killedSaveLeavesOldOrNewWhole_data() {
    QTest::addColumn<bool>("inPlace");
    QTest::addColumn<bool>("longer");
    for (const bool inPlace : {false, true}) {
        for (const bool longer : {true, false}) {
            QTest::addRow("%s, %s", inPlace ? "in place" : "replaced",
                          longer ? "longer" : "shorter")
                << inPlace << longer;
        }
    }
}

void TestFileWrite::killedSaveLeavesOldOrNewWhole() {
    // SIGKILL before each call that changes a file, in a child that saves;
    // after the start that follows, the target holds its old or its new
    // content whole.
    QFETCH(bool, inPlace);
    QFETCH(bool, longer);
    const QString path = m_dir + "/plan.col";
    const QByteArray old = calculation(longer ? 5000 : 9000, 'o');
    const QByteArray fresh = calculation(longer ? 9000 : 5000, 'n');
    int kills = 0;
    bool sawNew = false;
    for (int killAt = 1; killAt < 100; ++killAt) {
        writeFile(path, old);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            std::map<std::string, int> failures;
            if (inPlace) failures[kFolderNotWritable] = EACCES;
            resetProbe(failures, killAt);
            _exit(replaceFileContents(path, fresh) ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        recoverUnfinishedSaves();
        const QByteArray now = readAll(path);
        QVERIFY2(now == old || now == fresh,
                 qPrintable(QString("killed at call %1: %2 bytes, neither old nor new")
                                .arg(killAt)
                                .arg(now.size())));
        sawNew = sawNew || now == fresh;
        QCOMPARE(journals(m_journals), QStringList());
        // Beside the target, at most temporaries of ours that the kill left.
        for (const QString& name : entries(m_dir))
            QVERIFY2(name == "plan.col" || name.startsWith(".plan.col.cabinetcool-"),
                     qPrintable(name));
        if (WIFEXITED(status)) {
            QCOMPARE(WEXITSTATUS(status), 0);
            QCOMPARE(now, fresh);
            break;
        }
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        ++kills;
    }
    QVERIFY(sawNew);
    // Every call of the save was a kill point: the in-place path has the
    // journal's calls and at least two overwrites on top of the rename's.
    QVERIFY(kills >= (inPlace ? 8 : 3));
}

void TestFileWrite::recoveryTouchesOnlyWhatItInterrupted_data() {
    QTest::addColumn<QString>("afterwards");
    QTest::addColumn<bool>("restored");
    QTest::newRow("left as the kill left it") << "nothing" << true;
    QTest::newRow("changed by someone else since") << "edited" << false;
    QTest::newRow("removed") << "removed" << false;
    QTest::newRow("save still running elsewhere") << "locked" << false;
}

void TestFileWrite::recoveryTouchesOnlyWhatItInterrupted() {
    QFETCH(QString, afterwards);
    QFETCH(bool, restored);
    const QString path = m_dir + "/plan.col";
    const QByteArray old = calculation(6000, 'o');
    writeFile(path, old);
    // A save killed after its first overwrite call.
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        resetProbe({{kFolderNotWritable, EACCES}});
        g_killOn = "overwrite#2";
        _exit(replaceFileContents(path, calculation(7000, 'n')) ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    const QByteArray interrupted = readAll(path);
    QVERIFY(interrupted != old);
    QCOMPARE(journals(m_journals).size(), 1);

    QByteArray expected = old;
    int lock = -1;
    if (afterwards == "edited") {
        expected = interrupted;
        expected[10] = 'x';
        writeFile(path, expected);
    } else if (afterwards == "removed") {
        QVERIFY(QFile::remove(path));
        expected = "<unreadable>";
    } else if (afterwards == "locked") {
        expected = interrupted;
        const QString journal = m_journals + "/" + journals(m_journals).first();
        lock = ::open(QFile::encodeName(journal).constData(), O_RDONLY);
        QVERIFY(lock >= 0 && ::flock(lock, LOCK_EX) == 0);
    }
    QCOMPARE(recoverUnfinishedSaves(), restored ? 1 : 0);
    QCOMPARE(readAll(path), expected);
    QCOMPARE(journals(m_journals).size(), afterwards == "locked" ? 1 : 0);
    if (lock >= 0) {
        ::close(lock);
        // Once that save is gone, its journal is dealt with.
        QCOMPARE(recoverUnfinishedSaves(), 1);
        QCOMPARE(readAll(path), old);
    }
}

void TestFileWrite::fullFileSystem_data() {
    QTest::addColumn<bool>("longer");
    QTest::newRow("longer") << true;
    QTest::newRow("shorter") << false;
}

void TestFileWrite::fullFileSystem() {
    // A small file system filled up, as a user meets it: the file may be
    // written, its folder may not. Needs a tmpfs of its own, which only a
    // process allowed to make mount namespaces can have.
    if (geteuid() != 0) QSKIP("needs root for a tmpfs of its own");
    QFETCH(bool, longer);
    const QString mountPoint = m_dir + "/small";
    QVERIFY(QDir().mkpath(mountPoint));
    // The unprivileged user reaches the journal folder.
    QVERIFY(::chmod(QFile::encodeName(m_tmp.path()).constData(), 0755) == 0);
    QVERIFY(::chmod(QFile::encodeName(m_dir).constData(), 0755) == 0);
    const QByteArray old = calculation(longer ? 2000 : 9000, 'o');
    const QByteArray fresh = calculation(longer ? 9000 : 2000, 'n');

    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        // 3: no tmpfs here; 4: set-up failed; 1: the check failed.
        if (::unshare(CLONE_NEWNS) != 0) _exit(3);
        if (::system(qPrintable(QString("mount --make-rprivate / 2>/dev/null; mount -t tmpfs -o "
                                        "size=64k,mode=755 tmpfs '%1' 2>/dev/null")
                                    .arg(mountPoint))) != 0)
            _exit(3);
        const QString path = mountPoint + "/victim.col";
        writeFile(path, old);
        if (::chown(QFile::encodeName(path).constData(), 65534, 65534) != 0) _exit(4);
        // Fill what is left.
        {
            QFile filler(mountPoint + "/filler");
            if (!filler.open(QIODevice::WriteOnly)) _exit(4);
            const QByteArray block(512, 'f');
            while (filler.write(block) == block.size() && filler.flush()) {
            }
        }
        const QString journals = m_journals;
        QDir().mkpath(journals);
        ::chmod(QFile::encodeName(journals).constData(), 0777);
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(4);
        const bool saved = replaceFileContents(path, fresh);
        const QByteArray now = readAll(path);
        if (longer) _exit(!saved && now == old ? 0 : 1);
        // Shorter content fits in the space the old one had.
        _exit(saved && now == fresh ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3) QSKIP("no tmpfs can be mounted here");
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(entries(m_journals), QStringList());
}

// A journal left behind is read only when it is whole: its sizes are those
// of the bytes that follow, whatever numbers its header holds.
void TestFileWrite::journalHeader_data() {
    QTest::addColumn<QByteArray>("sizes");  // the header's third line
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("read");
    QTest::newRow("whole") << QByteArray("1 2 3 2") << QByteArray("oldnw") << true;
    QTest::newRow("nothing old") << QByteArray("1 2 0 3") << QByteArray("new") << true;
    QTest::newRow("a byte short") << QByteArray("1 2 3 2") << QByteArray("oldn") << false;
    QTest::newRow("a byte over") << QByteArray("1 2 3 2") << QByteArray("oldnew") << false;
    QTest::newRow("negative size") << QByteArray("1 2 -1 6") << QByteArray("oldnw") << false;
    // Sizes whose sum is beyond a 64-bit number.
    QTest::newRow("sum overflows") << QByteArray("1 2 9223372036854775807 9223372036854775807")
                                   << QByteArray("oldnw") << false;
    QTest::newRow("largest old size")
        << QByteArray("1 2 9223372036854775807 0") << QByteArray("oldnw") << false;
    QTest::newRow("three numbers") << QByteArray("1 3 2") << QByteArray("oldnw") << false;
}

void TestFileWrite::journalHeader() {
    QFETCH(QByteArray, sizes);
    QFETCH(QByteArray, content);
    QFETCH(bool, read);
    const QByteArray bytes = "CabinetCool unfinished save 1\n" +
                             QFile::encodeName(m_dir + "/a.col").toHex() + "\n" + sizes + "\n" +
                             content;
    const std::optional<SaveJournal> journal = readSaveJournal(bytes);
    QCOMPARE(journal.has_value(), read);
    if (!journal) return;
    QCOMPARE(journal->target, m_dir + "/a.col");
    QCOMPARE(journal->oldBytes + journal->newBytes, content);
    QCOMPARE(saveJournalBytes(*journal), bytes);
}

QTEST_GUILESS_MAIN(TestFileWrite)
#include "tst_filewrite.moc"
