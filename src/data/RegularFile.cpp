#include "data/RegularFile.h"

#include <utility>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#ifdef _WIN32

std::optional<RegularFile> RegularFile::open(const std::filesystem::path& path) {
    // Pipes, consoles and devices have no regular directory entry here;
    // asking first keeps the stream from ever opening one.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return RegularFile(std::move(in));
}

RegularFile::RegularFile(RegularFile&& other) noexcept : m_in(std::move(other.m_in)) {}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
    m_in = std::move(other.m_in);
    return *this;
}

RegularFile::~RegularFile() = default;

std::optional<size_t> RegularFile::read(char* buffer, size_t size) {
    if (size == 0) return 0;
    m_in.read(buffer, static_cast<std::streamsize>(size));
    if (m_in.bad()) return std::nullopt;
    return static_cast<size_t>(m_in.gcount());
}

#else

std::optional<RegularFile> RegularFile::open(const std::filesystem::path& path) {
    // O_NONBLOCK: a named pipe without a writer would block open() itself.
    // Whether the file is regular is asked of the opened descriptor, so that
    // nothing can be swapped in between the question and the reading.
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return std::nullopt;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    return RegularFile(fd);
}

RegularFile::RegularFile(RegularFile&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

RegularFile::~RegularFile() {
    if (m_fd >= 0) ::close(m_fd);
}

std::optional<size_t> RegularFile::read(char* buffer, size_t size) {
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, size);
        if (n >= 0) return static_cast<size_t>(n);
        if (errno != EINTR) return std::nullopt;
    }
}

#endif
