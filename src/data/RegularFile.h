#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>

#ifdef _WIN32
#include <fstream>
#endif

// A file opened for reading only when it is a regular file. A named pipe,
// a device, a socket or a folder is refused at once: opening a pipe for
// reading waits for a writer that may never come, and a device such as
// /dev/zero never ends. The program reads only files a user could edit, so
// anything else counts as a file it cannot read.
class RegularFile {
public:
    // Nothing when `path` is missing, unreadable or not a regular file.
    static std::optional<RegularFile> open(const std::filesystem::path& path);

    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;
    ~RegularFile();

    // Reads up to `size` bytes into `buffer`: the count read, 0 at the end
    // of the file, nothing on a read error.
    std::optional<size_t> read(char* buffer, size_t size);

private:
#ifdef _WIN32
    explicit RegularFile(std::ifstream in) : m_in(std::move(in)) {}
    std::ifstream m_in;
#else
    explicit RegularFile(int fd) : m_fd(fd) {}
    int m_fd = -1;
#endif
};
