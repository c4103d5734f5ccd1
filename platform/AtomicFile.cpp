// SPDX-License-Identifier: MIT
#include "platform/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <mutex>
#include <random>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace zentravolix::platform {

namespace fs = std::filesystem;

namespace {

thread_local const WriteHooks* t_scopedHooks = nullptr;

constexpr std::string_view kTemporaryInfix = ".tmp-";

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

fs::path folderOf(const fs::path& target)
{
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

/** "." + name + ".tmp-": the start of every temporary file made for the file `name`. */
std::string temporaryStem(const fs::path& target)
{
    return "." + target.filename().string() + std::string(kTemporaryInfix);
}

/**
 * A write past the process's file size limit raises SIGXFSZ, whose default action ends the
 * process and leaves the temporary file behind. Ignored, the write fails with EFBIG ("File too
 * large") and the failure is handled like any other. A handler the program installed is kept.
 */
void ignoreFileSizeSignal()
{
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current {};
        if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
            struct sigaction ignore {};
            ignore.sa_handler = SIG_IGN;
            sigemptyset(&ignore.sa_mask);
            ::sigaction(SIGXFSZ, &ignore, nullptr);
        }
    });
}

/** Follows symbolic links to the file they name, also when it does not exist yet. */
fs::path resolveTarget(const fs::path& path)
{
    fs::path current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n < 0)
            throw IoError("Cannot write", path, reasonOf(errno));
        link.resize(static_cast<std::size_t>(n));
        const fs::path next(link);
        current = next.is_absolute() ? next : folderOf(current) / next;
    }
    throw IoError("Cannot write", path, reasonOf(ELOOP));
}

/** The refusal for a target that is not a regular file: nothing is written or replaced. */
void refuseSpecialFile(const fs::path& target, mode_t mode)
{
    const char* kind = S_ISDIR(mode)    ? "a folder"
                       : S_ISFIFO(mode) ? "a FIFO (named pipe)"
                       : S_ISSOCK(mode) ? "a socket"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                                        : "not a regular file";
    throw IoError("Cannot write", target,
                  std::string("it is ") + kind + ", not a regular file; it was left as it is");
}

bool isKeptAttribute(std::string_view name)
{
    return name.substr(0, 5) == "user." || name == "system.posix_acl_access";
}

/** The flags of a folder (FS_APPEND_FL and others); 0 when the file system has none. */
int folderFlags(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    int flags = 0; // the kernel reads and writes an int, whatever the macro's type says
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0)
        flags = 0;
    ::close(fd);
    return flags;
}

/**
 * Removes temporary files of this target that a killed process left: the process named in the
 * name is gone and nobody holds the file's lock. Anything else is left alone.
 */
void removeLeftovers(const fs::path& target)
{
    const std::string stem = temporaryStem(target);
    const fs::path folder = folderOf(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() <= stem.size() || name.substr(0, stem.size()) != stem)
            continue;
        // "<pid>-<12 hex digits>"
        const std::string_view rest = name.substr(stem.size());
        const auto dash = rest.find('-');
        if (dash == std::string_view::npos || dash == 0 || rest.size() - dash - 1 != 12)
            continue;
        long pid = 0;
        bool digits = true;
        for (char c : rest.substr(0, dash)) {
            digits = digits && c >= '0' && c <= '9' && pid < 100000000;
            pid = pid * 10 + (c - '0');
        }
        if (!digits || pid <= 0)
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)
            continue; // the process lives (or is not ours to ask about)
        const fs::path path = folder / std::string(name);
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

/** Owns the temporary file until it has been renamed into place. */
class TemporaryFile {
public:
    /**
     * A named temporary file beside target, or with `unnamed` one without a name (O_TMPFILE)
     * that only gets one when it is linked into place. `mode` is the creation mode (the umask
     * applies).
     */
    TemporaryFile(const fs::path& target, mode_t mode, bool unnamed)
    {
        const fs::path folder = folderOf(target);
        if (unnamed) {
            m_fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
            if (m_fd < 0)
                throw IoError("Cannot write", target, reasonOf(errno));
            return;
        }
        const std::string stem = temporaryStem(target) + std::to_string(::getpid()) + "-";
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = folder / (stem + randomSuffix());
            m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (m_fd >= 0 || errno != EEXIST)
                break;
        }
        if (m_fd < 0)
            throw IoError("Cannot write", target, reasonOf(errno));
        // Held until the file is closed: it tells a later save that this file is still being written.
        ::flock(m_fd, LOCK_EX | LOCK_NB);
    }
    ~TemporaryFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_committed && !m_path.empty())
            ::unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return m_fd; }
    const fs::path& path() const { return m_path; }
    bool unnamed() const { return m_path.empty(); }
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

/** Gives the new file the kept attributes: owner and group first (a chown clears set-id bits), then the extended attributes and the mode. */
void applyAttributes(int fd, const FileAttributes& attributes, const fs::path& target)
{
    struct stat now {};
    if (::fstat(fd, &now) == 0 && (now.st_uid != attributes.owner || now.st_gid != attributes.group)) {
        // Only a privileged process may give a file away; an ordinary one may still set a group
        // it belongs to. Where neither is allowed the file is the saving user's, as any new file.
        if (::fchown(fd, attributes.owner, attributes.group) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), attributes.group);
    }
    bool hasAccessAcl = false;
    for (const auto& [name, value] : attributes.extended) {
        hasAccessAcl = hasAccessAcl || name == "system.posix_acl_access";
        if (::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) != 0)
            throw IoError("Cannot keep the extended attribute " + name + " of", target, reasonOf(errno));
    }
    // A folder's default ACL gives a new file an access ACL the replaced file did not have.
    if (!hasAccessAcl)
        (void)::fremovexattr(fd, "system.posix_acl_access");
    if (::fchmod(fd, attributes.mode & 07777) != 0)
        throw IoError("Cannot write", target, reasonOf(errno));
}

void writeWith(const fs::path& path, std::string_view content, const WriteHooks* hooks, const WriteOptions& options)
{
    ignoreFileSizeSignal();
    const fs::path target = options.replaceLink ? path : resolveTarget(path);

    struct stat old {};
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    const bool replacesLink = exists && S_ISLNK(old.st_mode);
    if (exists && !replacesLink && !S_ISREG(old.st_mode))
        refuseSpecialFile(target, old.st_mode);

    std::optional<FileAttributes> kept;
    if (options.attributes)
        kept = *options.attributes;
    else if (exists && !replacesLink)
        kept = ReadFileAttributes(target);

    // In an append-only folder names can be added but never removed or replaced: a temporary
    // file could neither be renamed into place nor removed again.
    const bool appendOnly = (folderFlags(folderOf(target)) & FS_APPEND_FL) != 0;
    if (appendOnly && exists)
        throw IoError("Cannot replace", target,
                      "its folder is append-only (files can be added there but not replaced)");

    removeLeftovers(target);
    // With attributes to give, nobody else may read the file before it has them.
    TemporaryFile temp(target, kept ? 0600 : 0666, appendOnly);
    if (kept)
        applyAttributes(temp.fd(), *kept, target);

    writeAll(temp.fd(), content, hooks ? hooks->failAfterBytes : std::nullopt, target);
    if ((hooks && hooks->failSync) || ::fsync(temp.fd()) != 0)
        throw IoError("Cannot write", target, reasonOf(hooks && hooks->failSync ? EIO : errno));
    if (hooks && hooks->failRename)
        throw IoError("Cannot replace", target, reasonOf(EIO));
    if (temp.unnamed()) {
        // The file gets its name only now, complete: a failure leaves no name behind.
        const std::string self = "/proc/self/fd/" + std::to_string(temp.fd());
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) != 0)
            throw IoError("Cannot write", target, reasonOf(errno));
        temp.committed();
        if (temp.close() != 0)
            throw IoError("Cannot write", target, reasonOf(errno));
    } else {
        if (temp.close() != 0)
            throw IoError("Cannot write", target, reasonOf(errno));
        if (::rename(temp.path().c_str(), target.c_str()) != 0)
            throw IoError("Cannot replace", target, reasonOf(errno));
        temp.committed();
    }

    // Make the rename itself durable; a failure here no longer endangers either version.
    const int dirFd = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

} // namespace

std::optional<FileAttributes> ReadFileAttributes(const fs::path& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    FileAttributes attributes;
    attributes.mode = st.st_mode & 07777;
    attributes.owner = st.st_uid;
    attributes.group = st.st_gid;

    std::string names;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = ::listxattr(path.c_str(), nullptr, 0);
        if (size <= 0)
            return attributes; // none, or a file system without extended attributes
        names.assign(static_cast<std::size_t>(size), '\0');
        const ssize_t got = ::listxattr(path.c_str(), names.data(), names.size());
        if (got >= 0) {
            names.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno != ERANGE)
            return attributes;
        names.clear(); // an attribute was added meanwhile: ask again
    }
    for (std::size_t at = 0; at < names.size();) {
        const std::string name(names.c_str() + at);
        at += name.size() + 1;
        if (!isKeptAttribute(name))
            continue;
        const ssize_t size = ::getxattr(path.c_str(), name.c_str(), nullptr, 0);
        if (size < 0)
            continue;
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t got = ::getxattr(path.c_str(), name.c_str(), value.data(), value.size());
        if (got < 0)
            continue;
        value.resize(static_cast<std::size_t>(got));
        attributes.extended.emplace_back(name, std::move(value));
    }
    return attributes;
}

void WriteFileAtomically(const fs::path& path, std::string_view content)
{
    writeWith(path, content, applies(t_scopedHooks, path) ? t_scopedHooks : nullptr, {});
}

void WriteFileAtomically(const fs::path& path, std::string_view content, const WriteOptions& options)
{
    writeWith(path, content, applies(t_scopedHooks, path) ? t_scopedHooks : nullptr, options);
}

void WriteFileAtomically(const fs::path& path, std::string_view content, const WriteHooks& hooks)
{
    writeWith(path, content, applies(&hooks, path) ? &hooks : nullptr, {});
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
