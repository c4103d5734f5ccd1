// SPDX-License-Identifier: MIT
#include "platform/SettingsFile.h"

#include "platform/IoError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zentravolix::platform {

namespace {

/** Why a file of this mode is not read, or nothing for a regular file. */
const char* refusal(mode_t mode)
{
    if (S_ISREG(mode))
        return nullptr;
    if (S_ISDIR(mode))
        return "it is a folder, not a file";
    if (S_ISFIFO(mode))
        return "it is a FIFO (named pipe), not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a regular file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a regular file";
    return "it is not a regular file";
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { ::close(m_fd); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

std::optional<std::string> ReadSettingsFile(const std::filesystem::path& path)
{
    // Look before opening: opening a FIFO waits for a writer, and opening a device may act on it.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        throw IoError("Cannot read", path, std::strerror(errno));
    }
    if (const char* why = refusal(info.st_mode))
        throw IoError("Cannot read", path, why);

    // The file may have been swapped since: O_NONBLOCK keeps a FIFO from blocking the open, and
    // the descriptor is checked again.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        throw IoError("Cannot read", path, std::strerror(errno));
    }
    const FileDescriptor file(fd);
    if (::fstat(fd, &info) != 0)
        throw IoError("Cannot read", path, std::strerror(errno));
    if (const char* why = refusal(info.st_mode))
        throw IoError("Cannot read", path, why);

    std::string content;
    content.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw IoError("Cannot read", path, std::strerror(errno));
        }
        if (got == 0)
            return content;
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace zentravolix::platform
