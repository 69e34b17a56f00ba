#include "kit/UserLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString g_libraryFile;
}

QString UserLibrary::filePath() {
    if (!g_libraryFile.isEmpty()) return g_libraryFile;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/device-library.json");
}

void UserLibrary::setFilePath(const QString& path) { g_libraryFile = path; }

const QList<LibraryDevice>& UserLibrary::devices() {
    ensureLoaded();
    return m_devices;
}

bool UserLibrary::readOnly() {
    ensureLoaded();
    return m_readOnly;
}

QString UserLibrary::problem() {
    ensureLoaded();
    return m_problem;
}

void UserLibrary::reload() {
    m_loaded = false;
    ensureLoaded();
    emit changed();
}

void UserLibrary::ensureLoaded() {
    if (m_loaded) return;
    m_loaded = true;
    m_devices.clear();
    m_readOnly = false;
    m_problem.clear();
    const QString path = filePath();
    const QString shown = QDir::toNativeSeparators(path);
    if (path.isEmpty()) {
        m_readOnly = true;
        m_problem = QStringLiteral(
            "사용자 데이터 폴더를 찾을 수 없어 장비 라이브러리를 저장할 수 "
            "없습니다.");
        return;
    }
    // No file yet: the library starts empty.
    if (!QFileInfo::exists(path)) return;
    QFile file(path);
    if (!openRegularFile(file, path)) {
        m_readOnly = true;
        m_problem = QStringLiteral(
                        "장비 라이브러리 \"%1\"을(를) 열 수 없습니다: %2. 파일은 그대로 "
                        "두고 읽기 전용으로 엽니다.")
                        .arg(shown, file.errorString());
        return;
    }
    const QByteArray bytes = file.read(kMaxLibraryFileBytes + 1);
    const LibraryReading reading = ReadLibrary(bytes);
    if (!reading.devices) {
        m_readOnly = true;
        m_problem = QStringLiteral(
                        "장비 라이브러리 \"%1\"을(를) 읽을 수 없습니다: %2 파일은 그대로 "
                        "두고 읽기 전용으로 엽니다.")
                        .arg(shown, reading.error);
        return;
    }
    m_devices = *reading.devices;
    if (reading.readOnly) {
        m_readOnly = true;
        m_problem = QStringLiteral(
                        "장비 라이브러리 \"%1\"은(는) 더 새로운 형식 버전 %2의 파일이라 "
                        "읽기 전용으로 엽니다.")
                        .arg(shown)
                        .arg(reading.version);
    }
}

bool UserLibrary::replace(const QList<LibraryDevice>& devices, FileWriteError* error) {
    ensureLoaded();
    if (m_readOnly) {
        if (error) *error = FileWriteError::NoPermission;
        return false;
    }
    const QString path = filePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    FileWriteError why = FileWriteError::None;
    if (!replaceFileContents(path, LibraryBytes(devices), &why)) {
        if (error) *error = why;
        return false;
    }
    if (error) *error = FileWriteError::None;
    m_devices = devices;
    emit changed();
    return true;
}
