#pragma once

#include <filesystem>

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
    std::filesystem::path dataDir;           // env/ and www/; in a portable folder also Cool/
    std::filesystem::path userConfigDir;     // holds the user's own app.ini (system layout)
    std::filesystem::path userDocumentsDir;  // where the per-user calculation folder is made

    // The tables to read: in the system layout the user's own app.ini when
    // it exists, otherwise the shipped env/app.ini.
    std::filesystem::path configFile() const;
    std::filesystem::path shippedConfigFile() const;
    std::filesystem::path userConfigFile() const;

    // Where the calculation-file dialogs start. In a portable folder Cool/
    // beside the executable while it can be written (or, when it is
    // missing, could be made: it stays missing, as it always has);
    // otherwise, and always in the system layout, the per-user folder,
    // made when it does not exist yet.
    std::filesystem::path calculationFolder() const;
    // <documents>/CabinetCool
    std::filesystem::path userCalculationFolder() const;
};

// The layout of a program whose executable lies in `exeDir`: a portable
// folder when env/ or www/ lies beside the executable, the system layout
// when they lie in `exeDir`/`relativeDataDir` (e.g. "../share/cabinetcool";
// empty: never), and a portable folder at `exeDir` when neither holds them
// (no tables then).
InstallPaths resolveInstallPaths(const std::filesystem::path& exeDir,
                                 const std::filesystem::path& relativeDataDir,
                                 const std::filesystem::path& userConfigDir,
                                 const std::filesystem::path& userDocumentsDir);

// True when a file can be created in the folder `dir`: tried, not guessed
// from permission bits, so that access lists and read-only media count too.
// The trial file is removed again.
bool isWritableFolder(const std::filesystem::path& dir);
