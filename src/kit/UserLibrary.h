#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include "kit/FileAccess.h"
#include "project/DeviceLibrary.h"

// The engineer's own device library: one JSON file per user, read at its
// first use and saved through the one writer of the program's files. A file
// that cannot be read is left as it is: the library is then empty and
// read-only, and `problem()` names the file and what is wrong; a file of a
// later version is shown read-only.
class UserLibrary : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The library's devices, read from the file at the first call.
    const QList<LibraryDevice>& devices();
    // The file; "device-library.json" in the per-user data folder unless set
    // otherwise (tests, the benchmark).
    static QString filePath();
    static void setFilePath(const QString& path);

    bool readOnly();
    // Why the library is read-only, in Korean, naming the file; empty when
    // it may be saved.
    QString problem();

    // Replaces the devices and saves the file; false (and `error` set) when
    // the library is read-only or the save fails, the devices then unchanged.
    bool replace(const QList<LibraryDevice>& devices, FileWriteError* error = nullptr);
    // Reads the file again (another file was set, tests).
    void reload();

signals:
    void changed();

private:
    void ensureLoaded();

    bool m_loaded = false;
    bool m_readOnly = false;
    QString m_problem;
    QList<LibraryDevice> m_devices;
};
