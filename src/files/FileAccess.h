#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Opening and replacing the user's files safely.

// Opens `path` for reading only when it is a regular file, without ever
// blocking: a named pipe, a device, a socket or a folder is refused at once
// instead of hanging the window on open() or on the first read.
bool openRegularFile(QFile& file, const QString& path);

// Creates or replaces `path` with `bytes`. Where the folder can be written,
// the new content goes to a temporary file beside the target that replaces
// it only when everything was written (the old file stays whole on any
// failure), and the folder is synced after the rename. Where only the file
// itself can be written, it is rewritten in place. The permissions of a
// replaced file are kept. Temporary files of the same target left behind by
// an earlier save that was killed before it finished are removed first.
// False on any failure; every write is checked.
bool replaceFileContents(const QString& path, const QByteArray& bytes);

// The temporary files of `path` that an interrupted save of an earlier
// program run left behind: "NAME.XXXXXX" beside it, last changed before
// this program started. Removes them; returns how many it removed.
int removeStaleTemporaryFiles(const QString& path);
