#pragma once

#include <QString>

class CabinetCoolApp;
class QWidget;

// The project window as the main window opens it, with its commands that
// reach calculation files and reports connected.
void openProjectWindow(CabinetCoolApp& app);

// Opens a file given by name (the command line, a drop on the main window):
// a project (*.ccproj) as the project window's "열기" does, anything else as
// a calculation file into the current cabinet, as "Open" does.
void openNamedFile(CabinetCoolApp& app, QWidget* parent, const QString& path);
bool isProjectFile(const QString& path);

// Each calculation file as a new cabinet named after its file; a file that
// cannot be read is named in a message and adds nothing.
void importCalculationFiles(CabinetCoolApp& app, QWidget* parent, const QStringList& paths);
