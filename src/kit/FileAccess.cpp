#include "kit/FileAccess.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// When this program started, as far as the files it wrote are concerned:
// the first time a file is saved or this unit is initialised, whichever
// comes first, is before any save of this run.
const QDateTime& programStart() {
    static const QDateTime start = QDateTime::currentDateTimeUtc();
    return start;
}
[[maybe_unused]] const QDateTime& kProgramStartInitialised = programStart();

FileWriteProbe g_probe = nullptr;
QString g_journalFolder;

// The marker that makes a temporary file provably ours: no user names a
// backup ".plan.col.cabinetcool-Ab12Cd".
const QString kTemporaryMarker = QStringLiteral(".cabinetcool-");

QString temporaryPrefix(const QFileInfo& target) {
    return QStringLiteral(".") + target.fileName() + kTemporaryMarker;
}

#ifdef Q_OS_UNIX

// Runs the test probe before a call that changes a file; false (with errno
// set) when the probe makes the call fail.
bool allowed(const char* call) {
    if (!g_probe) return true;
    const int error = g_probe(call);
    if (error == 0) return true;
    errno = error;
    return false;
}

QByteArray encoded(const QString& path) { return QFile::encodeName(path); }

// Writes all of `size` bytes at `offset`, in pieces of at most a page so that
// a failure part-way is a failure of one piece (and so that the test probe
// sees each write call).
bool writeAt(int fd, const char* data, qint64 size, qint64 offset, const char* call) {
    constexpr qint64 kPiece = 4096;
    while (size > 0) {
        if (!allowed(call)) return false;
        const ssize_t written = ::pwrite(fd, data, static_cast<size_t>(std::min(size, kPiece)),
                                         static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        data += written;
        size -= written;
        offset += written;
    }
    return true;
}

bool readAll(int fd, QByteArray* out, qint64 size) {
    out->resize(size);
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, out->data() + done, static_cast<size_t>(size - done),
                                    static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += got;
    }
    return true;
}

// Writes the folder's entries to the disk, so that a rename survives a
// power cut. A folder that cannot be synced changes nothing about the save.
void syncFolder(const QString& folder) {
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A name for a new temporary file: six letters or digits after the marker.
QString randomSuffix() {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < 6; ++i)
        suffix.append(QLatin1Char(kLetters[QRandomGenerator::system()->bounded(62)]));
    return suffix;
}

enum class Outcome { Written, Failed, FolderNotWritable };

// The new content in a temporary file beside the target, renamed over it.
// `keepOpen`, when not null, receives the open descriptor of the new file,
// locked, so that a journal stays held while its save goes on.
Outcome replaceByRename(const QString& target, const QByteArray& bytes, const struct stat* old,
                        int* keepOpen = nullptr) {
    const QFileInfo info(target);
    const QString prefix = info.absolutePath() + QLatin1Char('/') + temporaryPrefix(info);
    QString temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = prefix + randomSuffix();
        if (!allowed("create")) break;
        fd = ::open(encoded(temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        return (errno == EACCES || errno == EPERM) ? Outcome::FolderNotWritable : Outcome::Failed;
    }
    auto fail = [&] {
        const int error = errno;
        ::close(fd);
        ::unlink(encoded(temporary).constData());
        errno = error;
        return Outcome::Failed;
    };
    // A journal is held locked while its save goes on, and only its owner
    // reads it.
    if (keepOpen && (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fchmod(fd, 0600) != 0)) return fail();
    // The permissions of the file it replaces; a new file has those of the
    // umask, as open() gave it.
    if (old && ::fchmod(fd, old->st_mode & 07777) != 0) return fail();
    if (!writeAt(fd, bytes.constData(), bytes.size(), 0, "write")) return fail();
    if (!allowed("sync") || ::fsync(fd) != 0) return fail();
    if (!allowed("rename") ||
        ::rename(encoded(temporary).constData(), encoded(target).constData()) != 0)
        return fail();
    if (keepOpen) {
        *keepOpen = fd;
    } else if (::close(fd) != 0) {
        // The content was synced before the rename; a late close error
        // changes nothing on the disk.
    }
    syncFolder(info.absolutePath());
    return Outcome::Written;
}

// Puts the old bytes back into an open file; true when it holds them again.
bool writeBack(int fd, const QByteArray& old) {
    return writeAt(fd, old.constData(), old.size(), 0, "restore") &&
           ::ftruncate(fd, static_cast<off_t>(old.size())) == 0 && ::fsync(fd) == 0;
}

// Keeps errno: a failed save reports the failure's cause, not the clean-up's.
void removeJournal(const QString& path, int fd) {
    const int error = errno;
    if (allowed("unlink")) ::unlink(encoded(path).constData());
    ::close(fd);
    errno = error;
}

// Overwrites the open regular file `fd` (whose status is `st`) with `bytes`.
bool overwriteInPlace(const QString& target, int fd, const struct stat& st,
                      const QByteArray& bytes) {
    SaveJournal journal;
    journal.target = target;
    journal.device = st.st_dev;
    journal.inode = st.st_ino;
    journal.oldSize = st.st_size;
    journal.newSize = bytes.size();
    journal.newBytes = bytes;
    if (!readAll(fd, &journal.oldBytes, st.st_size)) return false;

    // The journal first: without it nothing of the file is touched.
    const QString folder = unfinishedSaveFolder();
    if (folder.isEmpty() || !QDir().mkpath(folder)) return false;
    const QString journalPath =
        folder + QLatin1Char('/') +
        QString::fromLatin1(
            QCryptographicHash::hash(encoded(target), QCryptographicHash::Sha1).toHex()) +
        QStringLiteral(".journal");
    int journalFd = -1;
    if (replaceByRename(journalPath, saveJournalBytes(journal), nullptr, &journalFd) !=
        Outcome::Written)
        return false;

    // Room for the new content before the first byte changes. A file system
    // that cannot reserve space says so; the journal and the write-back below
    // then stand for it.
    // posix_fallocate returns its error instead of setting errno.
    const int reserveError =
        allowed("reserve") ? ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size())) : errno;
    if (reserveError != 0) {
        struct stat now {};
        if (::fstat(fd, &now) == 0 && now.st_size != st.st_size)
            (void)::ftruncate(fd, static_cast<off_t>(st.st_size));
        if (reserveError != EOPNOTSUPP && reserveError != ENOSYS && reserveError != EINVAL) {
            removeJournal(journalPath, journalFd);
            errno = reserveError;
            return false;
        }
    }

    const bool written = writeAt(fd, bytes.constData(), bytes.size(), 0, "overwrite") &&
                         allowed("truncate") &&
                         ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
                         allowed("sync") && ::fsync(fd) == 0;
    // Why the overwrite failed, whatever the write-back meets.
    const int cause = errno;
    if (written || writeBack(fd, journal.oldBytes)) {
        removeJournal(journalPath, journalFd);
        errno = cause;
        return written;
    }
    // Neither the new nor the old content could be written whole: the journal
    // stays, and the next start puts the old content back.
    ::close(journalFd);
    errno = cause;
    return false;
}

// Whether `now` is what an overwrite interrupted part-way leaves: the new
// content's first k bytes, then the old content's (the space reserved beyond
// the old end reads as zeros), at one of the lengths the overwrite passes
// through. Anything else was changed by someone else since, and is left.
bool looksInterrupted(const QByteArray& now, const SaveJournal& j) {
    const qint64 size = now.size();
    if (size != j.oldSize && size != j.newSize && size != std::max(j.oldSize, j.newSize))
        return false;
    qint64 k = 0;
    while (k < size && k < j.newSize && now[k] == j.newBytes[k]) ++k;
    for (qint64 i = k; i < size; ++i) {
        const char expected = i < j.oldSize ? j.oldBytes[i] : '\0';
        if (now[i] != expected) return false;
    }
    return true;
}

#endif  // Q_OS_UNIX

FileWriteError writeErrorOf(int error) {
    switch (error) {
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
        case EFBIG:
            return FileWriteError::NoSpace;
        case EACCES:
        case EPERM:
        case EROFS:
            return FileWriteError::NoPermission;
        case ENOENT:
        case ENOTDIR:
            return FileWriteError::NoFolder;
        case ENAMETOOLONG:
            return FileWriteError::NameTooLong;
        case EISDIR:
            return FileWriteError::NotAFile;
        default:
            return FileWriteError::Other;
    }
}

}  // namespace

// ---- Journals of in-place saves --------------------------------------------
//
// One file per save in progress: a header of three lines, then the old
// bytes, then the new ones.
//   CabinetCool unfinished save 1
//   <the target's path, hex of its bytes>
//   <device> <inode> <old size> <new size>

namespace {
const QByteArray kJournalMagic = QByteArrayLiteral("CabinetCool unfinished save 1");
}  // namespace

QByteArray saveJournalBytes(const SaveJournal& j) {
    QByteArray out = kJournalMagic + '\n';
    out += QFile::encodeName(j.target).toHex() + '\n';
    out += QByteArray::number(j.device) + ' ' + QByteArray::number(j.inode) + ' ' +
           QByteArray::number(j.oldSize) + ' ' + QByteArray::number(j.newSize) + '\n';
    out += j.oldBytes;
    out += j.newBytes;
    return out;
}

std::optional<SaveJournal> readSaveJournal(const QByteArray& bytes) {
    qsizetype at = 0;
    QList<QByteArray> lines;
    for (int i = 0; i < 3; ++i) {
        const qsizetype end = bytes.indexOf('\n', at);
        if (end < 0) return std::nullopt;
        lines.append(bytes.mid(at, end - at));
        at = end + 1;
    }
    if (lines[0] != kJournalMagic) return std::nullopt;
    SaveJournal j;
    j.target = QFile::decodeName(QByteArray::fromHex(lines[1]));
    const QList<QByteArray> numbers = lines[2].split(' ');
    if (numbers.size() != 4 || j.target.isEmpty()) return std::nullopt;
    bool ok[4] = {};
    j.device = numbers[0].toULongLong(&ok[0]);
    j.inode = numbers[1].toULongLong(&ok[1]);
    j.oldSize = numbers[2].toLongLong(&ok[2]);
    j.newSize = numbers[3].toLongLong(&ok[3]);
    if (!(ok[0] && ok[1] && ok[2] && ok[3]) || j.oldSize < 0 || j.newSize < 0) return std::nullopt;
    // The sizes are compared one at a time: their sum may not fit.
    const qsizetype rest = bytes.size() - at;
    if (j.oldSize > rest || j.newSize != rest - j.oldSize) return std::nullopt;
    j.oldBytes = bytes.mid(at, j.oldSize);
    j.newBytes = bytes.mid(at + j.oldSize);
    return j;
}

QString fileWriteErrorText(FileWriteError error) {
    switch (error) {
        case FileWriteError::None:
            break;
        case FileWriteError::NoSpace:
            return QStringLiteral(
                "디스크에 남은 공간이 없습니다. 필요 없는 파일을 지워 공간을 만들거나, "
                "공간이 있는 다른 드라이브에 저장하세요.");
        case FileWriteError::NoPermission:
            return QStringLiteral(
                "이 폴더나 파일에 쓸 권한이 없습니다 (읽기 전용일 수 있습니다). 쓸 수 있는 "
                "폴더(예: 문서 폴더)를 골라 다른 이름으로 저장하세요.");
        case FileWriteError::NoFolder:
            return QStringLiteral(
                "저장할 폴더가 없습니다. 폴더가 지워졌거나 이름이 바뀌었거나 드라이브가 "
                "분리되었을 수 있습니다. 있는 폴더를 골라 다른 이름으로 저장하세요.");
        case FileWriteError::NameTooLong:
            return QStringLiteral(
                "파일 이름이나 경로가 너무 깁니다. 더 짧은 이름으로, 또는 덜 깊은 폴더에 "
                "저장하세요.");
        case FileWriteError::NotAFile:
            return QStringLiteral(
                "그 이름은 폴더나 특수 파일의 이름입니다. 다른 이름으로 저장하세요.");
        case FileWriteError::Other:
            return QStringLiteral(
                "파일을 쓰는 중에 시스템 오류가 났습니다. 다른 폴더나 이름으로 다시 "
                "저장해 보세요.");
    }
    return QString();
}

QString unfinishedSaveFolder() {
    if (!g_journalFolder.isEmpty()) return g_journalFolder;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/unfinished-saves");
}

void setUnfinishedSaveFolder(const QString& folder) { g_journalFolder = folder; }

void setFileWriteProbe(FileWriteProbe probe) { g_probe = probe; }

QString droppedOpenableFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1) return QString();
    const QUrl url = mime->urls().first();
    if (!url.isLocalFile()) return QString();
    const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
    return suffix == QLatin1String("col") || suffix == QLatin1String("ccproj") ? url.toLocalFile()
                                                                               : QString();
}

bool openRegularFile(QFile& file, const QString& path) {
#ifdef Q_OS_UNIX
    // O_NONBLOCK: opening a pipe nobody writes to returns at once instead of
    // waiting for a writer. The descriptor is checked before anything is read.
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    if (!QFileInfo(path).isFile()) return false;
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
#endif
}

int removeStaleTemporaryFiles(const QString& path) {
    const QFileInfo target(path);
    QDir folder = target.absoluteDir();
    const QString prefix = temporaryPrefix(target);
    const QRegularExpression pattern(
        QStringLiteral("^%1[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(prefix)));
    int removed = 0;
    const QStringList candidates = folder.entryList({prefix + QStringLiteral("??????")},
                                                    QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : candidates) {
        if (!pattern.match(name).hasMatch()) continue;
        const QString file = folder.filePath(name);
#ifdef Q_OS_UNIX
        // Only a regular file of this user (never a link, a folder or
        // another user's file), from before this run.
        struct stat st {};
        if (::lstat(encoded(file).constData(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        const QDateTime changed = QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec, Qt::UTC)
                                      .addMSecs(st.st_mtim.tv_nsec / 1000000);
        if (changed >= programStart()) continue;
        if (allowed("unlink") && ::unlink(encoded(file).constData()) == 0) ++removed;
#else
        const QFileInfo info(file);
        if (info.isSymLink() || info.lastModified().toUTC() >= programStart()) continue;
        if (folder.remove(name)) ++removed;
#endif
    }
    return removed;
}

bool replaceFileContents(const QString& path, const QByteArray& bytes, FileWriteError* error) {
    FileWriteError ignored = FileWriteError::None;
    if (!error) error = &ignored;
    *error = FileWriteError::None;
    // A failure whose cause errno tells, and one known without it.
    [[maybe_unused]] auto failed = [error]() {
        *error = writeErrorOf(errno);
        return false;
    };
    auto failedAs = [error](FileWriteError kind) {
        *error = kind;
        return false;
    };
    programStart();
#ifdef Q_OS_UNIX
    // A link is followed: the file it points to is the one replaced.
    QString target = QFileInfo(path).absoluteFilePath();
    if (QFileInfo(target).isSymLink()) {
        const QString canonical = QFileInfo(target).canonicalFilePath();
        if (!canonical.isEmpty()) target = canonical;
    }
    struct stat st {};
    const bool exists = ::stat(encoded(target).constData(), &st) == 0;
    if (exists && !S_ISREG(st.st_mode)) return failedAs(FileWriteError::NotAFile);
    // A file the user made read-only stays as it is.
    if (exists && ::access(encoded(target).constData(), W_OK) != 0) return failed();

    removeStaleTemporaryFiles(target);
    const Outcome outcome = replaceByRename(target, bytes, exists ? &st : nullptr);
    if (outcome == Outcome::Written) return true;
    if (outcome == Outcome::Failed) return failed();
    if (!exists) return failedAs(FileWriteError::NoPermission);

    // A folder the user may not write, with a file in it the user may: the
    // file is rewritten where it is, as any editor would.
    const int fd = ::open(encoded(target).constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return failed();
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return failedAs(FileWriteError::NotAFile);
    }
    if (!overwriteInPlace(target, fd, opened, bytes)) {
        const int cause = errno;
        ::close(fd);
        errno = cause;
        return failed();
    }
    if (::close(fd) != 0) return failed();
    return true;
#else
    // No in-place fallback here: a failed direct write would leave the old
    // file cut short.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failedAs(file.error() == QFileDevice::PermissionsError ? FileWriteError::NoPermission
                                                                      : FileWriteError::Other);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return failedAs(FileWriteError::Other);
    }
    return file.commit() || failedAs(FileWriteError::Other);
#endif
}

int recoverUnfinishedSaves() {
#ifdef Q_OS_UNIX
    const QString folder = unfinishedSaveFolder();
    if (folder.isEmpty()) return 0;
    const QDir dir(folder);
    int restored = 0;
    // Journals that a kill cut off before they were whole never held a save.
    for (const QString& name :
         dir.entryList({QStringLiteral(".*.journal") + kTemporaryMarker + QStringLiteral("??????")},
                       QDir::Files | QDir::Hidden | QDir::System)) {
        const QString temporary = name.left(name.size() - 6 - kTemporaryMarker.size());
        removeStaleTemporaryFiles(dir.filePath(temporary.mid(1)));
    }
    for (const QString& name : dir.entryList({QStringLiteral("*.journal")}, QDir::Files)) {
        const QString journalPath = dir.filePath(name);
        const int journalFd = ::open(encoded(journalPath).constData(), O_RDONLY | O_CLOEXEC);
        if (journalFd < 0) continue;
        // A save still running in another instance holds its journal.
        if (::flock(journalFd, LOCK_EX | LOCK_NB) != 0) {
            ::close(journalFd);
            continue;
        }
        struct stat js {};
        QByteArray bytes;
        std::optional<SaveJournal> read;
        if (::fstat(journalFd, &js) == 0 && S_ISREG(js.st_mode) &&
            readAll(journalFd, &bytes, js.st_size))
            read = readSaveJournal(bytes);
        const bool readable = read.has_value();
        const SaveJournal journal = read.value_or(SaveJournal{});
        bool keep = false;
        const int fd =
            readable ? ::open(encoded(journal.target).constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW)
                     : -1;
        struct stat st {};
        if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
            static_cast<quint64>(st.st_dev) == journal.device &&
            static_cast<quint64>(st.st_ino) == journal.inode) {
            QByteArray now;
            if (readAll(fd, &now, st.st_size) && now != journal.oldBytes &&
                now != journal.newBytes && looksInterrupted(now, journal)) {
                if (writeBack(fd, journal.oldBytes))
                    ++restored;
                else
                    keep = true;  // try again at the next start
            }
        }
        if (fd >= 0) ::close(fd);
        if (!keep)
            removeJournal(journalPath, journalFd);
        else
            ::close(journalFd);
    }
    return restored;
#else
    return 0;
#endif
}
