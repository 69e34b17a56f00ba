#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class QFile;
class QMimeData;

// Opening and replacing the user's files safely.

// Opens `path` for reading only when it is a regular file, without ever
// blocking: a named pipe, a device, a socket or a folder is refused at once
// instead of hanging the window on open() or on the first read.
bool openRegularFile(QFile& file, const QString& path);

// Creates or replaces `path` with `bytes`; false on any failure, and then
// the file is byte for byte as it was (or still absent). Nothing but the
// target and the program's own temporary and journal files is ever written
// or removed.
//
// Where the folder can be written, the new content goes to a temporary file
// beside the target, ".NAME.cabinetcool-XXXXXX", which replaces the target
// by a rename only when everything was written and synced; the folder is
// then synced. A replaced file keeps its permissions. A target the user
// made read-only is not replaced.
//
// Where only the file can be written (a folder the user may not write), the
// file is overwritten where it is, keeping its owner and links. Before the
// first byte changes, the old content is copied into a journal in the
// per-user data folder (see unfinishedSaveFolder) and the space for the new
// content is reserved; on any failure the old bytes are written back. A
// program killed part-way leaves the journal, and recoverUnfinishedSaves()
// at the next start puts the old content back. Where no journal can be
// written the save is refused and the file left as it was.
//
// `error`, when given, receives why a save failed (None after a success).
enum class FileWriteError {
    None,
    NoSpace,       // the disk or the user's quota is full
    NoPermission,  // the folder or the file may not be written, or the disk is read-only
    NoFolder,      // a folder of the path does not exist
    NameTooLong,   // the name or the path is longer than the system allows
    NotAFile,      // a folder or a special file has the name
    Other,
};
bool replaceFileContents(const QString& path, const QByteArray& bytes,
                         FileWriteError* error = nullptr);

// The cause of a failed save and what the user can do, in Korean, for a
// message box: "디스크에 남은 공간이 없습니다. ...".
QString fileWriteErrorText(FileWriteError error);

// The temporary files of `path` that a save of an earlier run of the
// program left behind when it was killed: ".NAME.cabinetcool-XXXXXX"
// beside it, regular files of this user last changed before this program
// started. Removes them and nothing else; returns how many it removed.
int removeStaleTemporaryFiles(const QString& path);

// Where the journals of in-place saves are kept: "unfinished-saves" in the
// per-user data folder, unless set otherwise (tests).
QString unfinishedSaveFolder();
void setUnfinishedSaveFolder(const QString& folder);

// The journal of an in-place save: the file, which file it was (device and
// inode), and its old and new content. A start-up reads each journal left
// behind (readSaveJournal: none unless the bytes are one whole journal).
struct SaveJournal {
    QString target;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 oldSize = 0;
    qint64 newSize = 0;
    QByteArray oldBytes;
    QByteArray newBytes;
};
QByteArray saveJournalBytes(const SaveJournal& journal);
std::optional<SaveJournal> readSaveJournal(const QByteArray& bytes);

// Finishes the in-place saves that an earlier run left unfinished: a file
// that holds neither its old nor its new content whole, but exactly what an
// interrupted overwrite leaves, gets its old content back. A journal whose
// file is gone, or was changed since by someone else, is dropped without
// touching the file. Journals held by a save still running in another
// instance of the program are left alone. Returns how many files were put
// back.
int recoverUnfinishedSaves();

// The one local file of a drop that the program opens: a project
// (*.ccproj) or a calculation file (*.col); empty for anything else.
QString droppedOpenableFile(const QMimeData* mime);

// For tests: called before each system call that changes a file on disk,
// with the call's name ("create", "write", "sync", "rename", "reserve",
// "overwrite", "truncate", "restore", "unlink"); a non-zero return makes
// that call fail with it as errno. Null (the default) calls nothing.
using FileWriteProbe = int (*)(const char* call);
void setFileWriteProbe(FileWriteProbe probe);
