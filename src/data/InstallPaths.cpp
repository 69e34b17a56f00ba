#include "data/InstallPaths.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool isRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool pathExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

bool holdsProgramData(const fs::path& dir) {
    return isDirectory(dir / "env") || isDirectory(dir / "www");
}

}  // namespace

fs::path InstallPaths::shippedConfigFile() const { return dataDir / "env" / "app.ini"; }

fs::path InstallPaths::userConfigFile() const { return userConfigDir / "app.ini"; }

fs::path InstallPaths::configFile() const {
    if (layout == Layout::System && !userConfigDir.empty() && isRegularFile(userConfigFile())) {
        return userConfigFile();
    }
    return shippedConfigFile();
}

fs::path InstallPaths::userCalculationFolder() const { return userDocumentsDir / "CabinetCool"; }

fs::path InstallPaths::calculationFolder() const {
    if (layout == Layout::Portable) {
        const fs::path cool = dataDir / "Cool";
        if (isDirectory(cool) ? isWritableFolder(cool)
                              : (!pathExists(cool) && isWritableFolder(dataDir))) {
            return cool;
        }
    }
    const fs::path folder = userCalculationFolder();
    std::error_code error;
    fs::create_directories(folder, error);
    if (isDirectory(folder)) return folder;
    return userDocumentsDir;
}

InstallPaths resolveInstallPaths(const fs::path& exeDir, const fs::path& relativeDataDir,
                                 const fs::path& userConfigDir, const fs::path& userDocumentsDir) {
    InstallPaths paths;
    paths.userConfigDir = userConfigDir;
    paths.userDocumentsDir = userDocumentsDir;
    paths.dataDir = exeDir;
    if (!holdsProgramData(exeDir) && !relativeDataDir.empty()) {
        const fs::path shared = (exeDir / relativeDataDir).lexically_normal();
        if (holdsProgramData(shared)) {
            paths.layout = InstallPaths::Layout::System;
            paths.dataDir = shared;
        }
    }
    return paths;
}

bool isWritableFolder(const fs::path& dir) {
    if (!isDirectory(dir)) return false;
    // A name no one else uses at the same moment: time, a counter, and the
    // address of a local (which differs between processes often enough;
    // a clash only makes the trial fail, never touches another file).
    static std::atomic<unsigned> counter{0};
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    int local = 0;
    const std::string name = ".cabinetcool-write-test-" + std::to_string(now) + "-" +
                             std::to_string(counter++) + "-" +
                             std::to_string(reinterpret_cast<std::uintptr_t>(&local) % 100000);
    const fs::path probe = dir / name;
    if (pathExists(probe)) return false;
    bool writable = false;
    {
        std::ofstream file(probe, std::ios::binary | std::ios::out);
        writable = file.is_open() && static_cast<bool>(file << 'x' << std::flush);
    }
    std::error_code error;
    fs::remove(probe, error);
    return writable;
}
