// SPDX-License-Identifier: MIT
#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zentravolix::platform {

namespace fs = std::filesystem;

namespace {

thread_local const WriteHooks* t_scopedHooks = nullptr;

std::string reasonOf(int error)
{
    return std::strerror(error);
}

bool applies(const WriteHooks* hooks, const fs::path& target)
{
    return hooks && (!hooks->appliesTo || hooks->appliesTo(target));
}

std::string randomSuffix()
{
    thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    auto bits = generator();
    for (int i = 0; i < 12; ++i, bits >>= 4)
        out += digits[bits & 0xf];
    return out;
}

fs::path resolveTarget(const fs::path& path)
{
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        fs::path resolved = fs::canonical(path, ec);
        if (!ec)
            return resolved;
    }
    return path;
}

/** Owns the temporary file until it has been renamed into place. */
class TemporaryFile {
public:
    explicit TemporaryFile(const fs::path& target)
    {
        const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
        const std::string stem = "." + target.filename().string() + ".tmp-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = folder / (stem + randomSuffix());
            // 0666 lets the umask decide, as for any newly created file.
            m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0 || errno != EEXIST)
                break;
        }
        if (m_fd < 0)
            throw IoError("Cannot write", target, reasonOf(errno));
    }
    ~TemporaryFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_committed)
            ::unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return m_fd; }
    const fs::path& path() const { return m_path; }
    int close()
    {
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc;
    }
    void committed() { m_committed = true; }

private:
    fs::path m_path;
    int m_fd = -1;
    bool m_committed = false;
};

void writeAll(int fd, std::string_view content, std::optional<std::size_t> limit, const fs::path& target)
{
    std::size_t written = 0;
    while (written < content.size()) {
        std::size_t chunk = content.size() - written;
        if (limit) {
            if (written >= *limit)
                throw IoError("Cannot write", target, reasonOf(ENOSPC));
            chunk = std::min(chunk, *limit - written);
        }
        const ssize_t n = ::write(fd, content.data() + written, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw IoError("Cannot write", target, reasonOf(errno));
        }
        written += static_cast<std::size_t>(n);
    }
}

void writeWith(const fs::path& path, std::string_view content, const WriteHooks* hooks)
{
    const fs::path target = resolveTarget(path);
    TemporaryFile temp(target);

    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(temp.fd(), old.st_mode & 07777);

    writeAll(temp.fd(), content, hooks ? hooks->failAfterBytes : std::nullopt, target);
    if ((hooks && hooks->failSync) || ::fsync(temp.fd()) != 0)
        throw IoError("Cannot write", target, reasonOf(hooks && hooks->failSync ? EIO : errno));
    if (temp.close() != 0)
        throw IoError("Cannot write", target, reasonOf(errno));
    if (hooks && hooks->failRename)
        throw IoError("Cannot replace", target, reasonOf(EIO));
    if (::rename(temp.path().c_str(), target.c_str()) != 0)
        throw IoError("Cannot replace", target, reasonOf(errno));
    temp.committed();

    // Make the rename itself durable; a failure here no longer endangers either version.
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

} // namespace

void WriteFileAtomically(const fs::path& path, std::string_view content)
{
    writeWith(path, content, applies(t_scopedHooks, path) ? t_scopedHooks : nullptr);
}

void WriteFileAtomically(const fs::path& path, std::string_view content, const WriteHooks& hooks)
{
    writeWith(path, content, applies(&hooks, path) ? &hooks : nullptr);
}

WriteHooks WriteHooks::ShortWrite(std::size_t bytes)
{
    WriteHooks hooks;
    hooks.failAfterBytes = bytes;
    return hooks;
}

WriteHooks WriteHooks::SyncFailure()
{
    WriteHooks hooks;
    hooks.failSync = true;
    return hooks;
}

WriteHooks WriteHooks::RenameFailure()
{
    WriteHooks hooks;
    hooks.failRename = true;
    return hooks;
}

WriteHooks WriteHooks::onlyFor(std::string fileName) &&
{
    appliesTo = [name = std::move(fileName)](const fs::path& target) { return target.filename() == name; };
    return std::move(*this);
}

ScopedWriteFailureForTesting::ScopedWriteFailureForTesting(WriteHooks hooks)
    : m_hooks(std::move(hooks)), m_previous(t_scopedHooks)
{
    t_scopedHooks = &m_hooks;
}

ScopedWriteFailureForTesting::~ScopedWriteFailureForTesting()
{
    t_scopedHooks = m_previous;
}

} // namespace zentravolix::platform
