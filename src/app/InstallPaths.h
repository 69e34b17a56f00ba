#pragma once

#include <QString>

// Where the program's files lie. One program, two layouts:
// - the portable folder: the executable with env/app.ini, www/ and Cool/
//   beside it, everything in one folder the user owns;
// - the system layout of a package: the executable in bin/, the shipped
//   tables and pages read-only in share/cabinetcool/, the user's own tables
//   in the user's configuration folder and calculation files in the user's
//   documents.
struct InstallPaths {
    enum class Layout { Portable, System };

    Layout layout = Layout::Portable;
    QString dataDir;           // env/ and www/; in a portable folder also Cool/
    QString userConfigDir;     // the user's own app.ini (system layout)
    QString userDocumentsDir;  // where the per-user calculation folder is made

    // A portable folder at `dir`; the per-user folders are the desktop's.
    static InstallPaths portable(const QString& dir);

    // The tables to read: in the system layout the user's own app.ini when
    // it exists, otherwise the shipped env/app.ini.
    QString configFile() const;
    QString shippedConfigFile() const;
    QString userConfigFile() const;

    // Where the calculation-file dialogs start. In a portable folder Cool/
    // beside the executable while it can be written (or, when it is
    // missing, could be made); otherwise, and always in the system layout,
    // the per-user folder, made when it does not exist yet.
    QString calculationFolder() const;
    // <documents>/CabinetCool
    QString userCalculationFolder() const;
};

// The layout of a program whose executable lies in `exeDir`: a portable
// folder when env/ or www/ lies beside the executable, the system layout
// when they lie in `exeDir`/`relativeDataDir` (e.g. "../share/cabinetcool"),
// and a portable folder at `exeDir` when neither holds them (no tables then).
InstallPaths resolveInstallPaths(const QString& exeDir, const QString& relativeDataDir,
                                 const QString& userConfigDir, const QString& userDocumentsDir);

// This program's paths: the executable's folder, the installed data folder,
// and the desktop's configuration and documents folders.
InstallPaths programInstallPaths();

// True when a file can be created in the folder `dir` (tried, not guessed
// from permission bits: access lists and read-only media count too).
bool isWritableFolder(const QString& dir);
