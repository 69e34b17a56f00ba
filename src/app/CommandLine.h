#pragma once

#include <QString>
#include <QStringList>

// The program's command line: `cabinetcool [FILE.ccproj | FILE.col]`, --help, --version.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString file;   // the calculation file to open after start-up; empty for none
    QString error;  // what is wrong, for Action::Error
};

// Reads the arguments that follow the program name. --help (-h) and
// --version win wherever they stand before "--"; after "--" every argument
// is a file name. More than one file, or an unknown option, is an error.
CommandLine parseCommandLine(const QStringList& arguments);

// The texts that --help and --version print.
QString commandLineHelp();
QString commandLineVersion();

// Why the program cannot open a window here, or empty text when it can try.
// On Linux and the other X11/Wayland systems a window needs DISPLAY,
// WAYLAND_DISPLAY or a platform chosen with QT_QPA_PLATFORM or -platform;
// without one Qt would abort with a message about its plugins.
QString missingDisplayMessage(const QStringList& rawArguments);

// Prints to the terminal the program was started from (standard output, or
// standard error when `error`).
void writeToTerminal(const QString& text, bool error);
