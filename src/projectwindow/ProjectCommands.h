#pragma once

#include <QString>
#include <QStringList>

class CabinetCoolApp;
class QWidget;

// What the program does with projects, for the project window, the main
// window and the command line.

// When the project has unsaved changes, asks "저장 / 저장 안 함 / 취소" and
// saves when asked to. True when the caller may go on (saved, or not to be
// saved); false when the user cancelled or the save did not happen.
bool confirmProjectSaved(CabinetCoolApp& app, QWidget* parent);

// Saves the project to its file, or asks for a name first (`askName`, a new
// project, or one opened read-only). True when it was written.
bool saveProject(CabinetCoolApp& app, QWidget* parent, bool askName);

// Opens the project file `path` after confirmProjectSaved. A file that
// cannot be read gives a message naming it and what is wrong, and the
// current project stays; a later version's file opens read-only with a
// message naming its version. True when it was opened.
bool openProjectFile(CabinetCoolApp& app, QWidget* parent, const QString& path);
// Asks for a project file and opens it.
bool openProjectDialog(CabinetCoolApp& app, QWidget* parent);
// A new project, after confirmProjectSaved.
bool startNewProject(CabinetCoolApp& app, QWidget* parent);

// At start-up: offers each recovery copy that a run which did not end left
// behind ("복구", the default, or "버리기").
void offerProjectRecovery(CabinetCoolApp& app, QWidget* parent);

// The last eight projects opened or saved, newest first; kept per user.
QStringList recentProjects();
void rememberRecentProject(const QString& path);
void forgetRecentProject(const QString& path);
// Where the list is kept (tests: a file of their own).
void setRecentProjectsFile(const QString& path);

// Keeps a project window built ahead while the program waits, so that the
// main window's button only fills and shows it.
void keepProjectWindowReady(CabinetCoolApp& app);

// Where the project dialogs start: the calculation files' folder.
QString projectStartFolder(const CabinetCoolApp& app);
