#include "files/FileAccess.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
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

#ifdef Q_OS_UNIX
// Writes the folder's entries to the disk, so that a rename survives a
// power cut. A folder that cannot be synced changes nothing about the save.
void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
#endif

}  // namespace

bool openRegularFile(QFile& file, const QString& path) {
#ifdef Q_OS_UNIX
    // O_NONBLOCK: opening a pipe nobody writes to returns at once instead of
    // waiting for a writer. The descriptor is checked before anything is read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
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
    // QSaveFile names its temporary file after the target with a dot and six
    // letters or digits; nothing else of the user's is touched.
    const QRegularExpression pattern(
        QStringLiteral("^%1\\.[A-Za-z0-9]{6}$").arg(QRegularExpression::escape(target.fileName())));
    int removed = 0;
    const QStringList candidates = folder.entryList({target.fileName() + QStringLiteral(".??????")},
                                                    QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : candidates) {
        if (!pattern.match(name).hasMatch()) continue;
        const QFileInfo info(folder.filePath(name));
        if (info.lastModified().toUTC() >= programStart()) continue;
        if (folder.remove(name)) ++removed;
    }
    return removed;
}

bool replaceFileContents(const QString& path, const QByteArray& bytes) {
    programStart();
    removeStaleTemporaryFiles(path);
    // Unbuffered, so that a short write shows here: when the data is only
    // flushed by commit(), Qt 6.4 commits a file cut short by a full disk.
    QSaveFile file(path);
    // A folder the user may not write, with a file in it the user may: the
    // file is rewritten where it is, as any editor would.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) return false;
#ifdef Q_OS_UNIX
    syncFolder(QFileInfo(path).absolutePath());
#endif
    return true;
}
