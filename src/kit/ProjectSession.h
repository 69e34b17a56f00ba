#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include "kit/MainWindow.h"
#include "project/Project.h"

class CabinetCoolApp;
class QWidget;

// The project the program works on, always one: a new, unnamed one with one
// cabinet holding the start-up values until the user opens another. One
// cabinet is current: the main window, and every window whose inputs belong
// to a cabinet (StoredInputs), show it, and every edit in them is kept in
// it at once. Knows no window: it reads and writes the main window through
// MainWindow and the others through StoredInputs and their control names.
class ProjectSession : public QObject {
    Q_OBJECT
public:
    explicit ProjectSession(CabinetCoolApp& app);
    ~ProjectSession() override;

    // The main window has started: its values become the first cabinet, and
    // the start-up values of every new one.
    void attachMainWindow(MainWindow& form);
    // A window was loaded: it shows the current cabinet's inputs, if the
    // cabinet has any, and its edits go into the cabinet.
    void windowLoaded(QWidget* window);

    const Project& project() const { return m_project; }
    int currentIndex() const { return m_current; }
    const Cabinet& current() const { return m_project.cabinets[m_current]; }
    QString filePath() const { return m_path; }
    bool readOnly() const { return m_readOnly; }
    int fileVersion() const { return m_fileVersion; }
    bool modified() const { return m_modified; }
    // The project's name, else its file's name, else "새 프로젝트".
    QString displayName() const;

    // ---- edits of the project, each marking it modified -------------------
    void setInfo(const ProjectInfo& info);
    // Empty text when taken; otherwise why not (a blank or used tag, a count
    // out of range), and nothing changed. Tags are compared without the
    // spaces at their ends, as the windows show them.
    QString setCabinetTag(int index, const QString& tag);
    void setCabinetDescription(int index, const QString& description);
    QString setCabinetCount(int index, int count);
    // The governing method and the kind of device of cabinet `index`, by
    // their kept names ("" for the program's choice).
    void setCabinetDesign(int index, const QString& method, const QString& device);
    // The device list of cabinet `index`, as the list window holds it (at
    // most kMaxDeviceLines).
    void setCabinetDevices(int index, const QList<DeviceLineTexts>& lines);
    // The library device that answers cabinet `index` (`pick` without a
    // designation for the built-in lists' model); `device` is the library's
    // entry of that designation, kept as the project's copy.
    void setCabinetLibraryDevice(int index, const LibraryPick& pick, const LibraryDevice& device);
    // The project's copies of library devices take the values of the
    // library's devices of the same designation; marks the project modified
    // when one changed. Returns how many changed.
    int refreshLibraryCopies(const QList<LibraryDevice>& library);
    // A new cabinet with the start-up values at the end; it becomes current.
    int addCabinet();
    // A copy of cabinet `index` right after it, with a tag of its own; it
    // becomes current.
    int duplicateCabinet(int index);
    // Removes cabinet `index` (never the last one left); the one after it,
    // or else before it, becomes current.
    void removeCabinet(int index);
    // Moves cabinet `index` one place up (-1) or down (+1).
    void moveCabinet(int index, int step);
    // Appends cabinets (imported calculation files), without making them
    // current.
    void appendCabinets(const QList<Cabinet>& cabinets);

    // The main window has opened a calculation file into the current
    // cabinet: the file's results are a calculation's, kept as such until
    // the cabinet is edited.
    void calculationFileOpened();

    // The window's inputs become the current cabinet's, as if edited: a
    // method the user asks to see on paper belongs to the cabinet.
    void keepWindowInputs(QWidget* window) { captureWindow(window); }

    // Shows cabinet `index` in the windows.
    void makeCurrent(int index);
    // The main window's calculation has written its results: they belong
    // to the inputs now.
    void mainWindowCalculated() {
        m_calculatedSinceLoad = true;
        captureMain();
    }

    // ---- the project as a whole ----------------------------------------------
    // A new project with one cabinet of start-up values.
    void newProject();
    // The project read from `path` (read-only when a later version wrote it,
    // `version` being that version, or when the reader cut texts of it).
    void openProject(const Project& project, const QString& path, bool readOnly, int version);
    // The project differs from its file: the reader had to change it.
    void markModified() { setModified(true); }
    // The bytes of the project file as the windows stand now.
    QByteArray fileBytes();
    // After a save to `path`.
    void markSaved(const QString& path);

    // The results a cabinet's inputs give now, by the main window's
    // calculation and model tables; not calculated when its numbers do not
    // give one.
    CabinetResults recalculate(const Cabinet& cabinet) const;
    // The current cabinet's main window as it stands.
    Cabinet capturedCurrent() const;

    // ---- recovery copies ------------------------------------------------------
    // Where the recovery copies of unsaved projects are kept (per user; for
    // tests, set otherwise).
    static QString recoveryFolder();
    static void setRecoveryFolder(const QString& folder);
    // How long after a change the copy is written, at most.
    void setRecoveryDelay(int ms) { m_recoveryTimer.setInterval(ms); }
    QString recoveryFile() const;
    // Writes the copy now, if anything changed since the last one; the file
    // is written on a worker thread. Returns when the bytes are handed over.
    void writeRecoveryCopy();
    // Waits for a copy being written (tests, shutting down).
    void waitForRecoveryWrites();
    // Removes this run's copy (a clean save or exit); never another's.
    void discardRecoveryCopy();

    // A copy left by a run that did not end: its file, the project's name
    // and when it was written.
    struct Leftover {
        QString file;
        QString name;
        QDateTime written;
    };
    // The copies, newest first, whose lock no running program holds, this
    // process's own excepted; the copies of older versions, named after
    // their process id alone, are among them.
    static QList<Leftover> leftoverRecoveryCopies();
    // Takes a left-over copy as the project (modified, with the file it was
    // saved to, if any) and removes the copy; false with `error` when it
    // cannot be read or another running program holds its lock.
    bool restoreRecoveryCopy(const Leftover& copy, QString* error);
    // Removes a left-over copy, unless a running program holds its lock.
    static void discardLeftover(const Leftover& copy);

signals:
    // The project's data or its list changed.
    void projectChanged();
    // What the windows show of the current cabinet changed (an edit); its
    // row alone needs showing again.
    void cabinetEdited(int index);
    // Another cabinet became current, or the project was replaced.
    void currentChanged(int index);
    void modifiedChanged(bool modified);

private:
    Cabinet startUpCabinet() const;
    void captureMain();
    void captureWindow(QWidget* window);
    void loadIntoWindows(const Cabinet& cabinet);
    void connectEdits(QWidget* window, const QList<QWidget*>& controls, bool main);
    void setModified(bool modified);
    void edited();
    void currentEdited();
    int clampIndex(int index) const;

    CabinetCoolApp& m_app;
    MainWindow* m_main = nullptr;
    QPointer<QWidget> m_mainWidget;
    Project m_project;
    int m_current = 0;
    QString m_path;
    bool m_readOnly = false;
    int m_fileVersion = kProjectFormatVersion;
    bool m_modified = false;
    bool m_applying = false;
    Cabinet m_startUp;  // the main window's values at start-up
    // The current cabinet as it was loaded into the windows, and whether the
    // main window has calculated since: until either changes, the cabinet's
    // results keep the status they were kept with (the main window cannot
    // tell, having had its fields written).
    Cabinet m_loaded;
    bool m_calculatedSinceLoad = false;

    // This run's recovery copy is "<m_recoveryName>.ccproj", with its lock
    // beside it: a name no other run has.
    QString m_recoveryName;
    QTimer m_recoveryTimer;
    bool m_recoveryDue = false;
    int m_lockFd = -1;
};

// The name of the main window's field (its control's objectName).
QString cabinetFieldName(CabinetField field);
// "Aircon", "Fan1", "Fan2" and back.
QString projectModeName(SelectionMode mode);
SelectionMode projectModeOfName(const QString& name);
