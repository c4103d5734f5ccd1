// SPDX-License-Identifier: MIT
#pragma once

#include "platform/IoError.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zentravolix::platform {

/** Failures to inject into an atomic write, so tests can check that the old file survives. */
struct WriteHooks {
    /** The data write fails with "No space left on device" once this many bytes are written. */
    std::optional<std::size_t> failAfterBytes;
    /** fsync of the temporary file fails with an I/O error. */
    bool failSync = false;
    /** The final rename fails with an I/O error. */
    bool failRename = false;
    /** When set, the hooks apply only to targets for which it returns true. */
    std::function<bool(const std::filesystem::path&)> appliesTo;

    /** The data write fails once `bytes` bytes are written (0: nothing gets written). */
    static WriteHooks ShortWrite(std::size_t bytes);
    static WriteHooks SyncFailure();
    static WriteHooks RenameFailure();
    /** The same hooks, limited to targets whose file name is `fileName`. */
    WriteHooks onlyFor(std::string fileName) &&;
};

/**
 * What a save carries over from the file it replaces: permission bits, owner, group and the
 * extended attributes that belong to the file's content and access (user.* and the access ACL,
 * system.posix_acl_access).
 */
struct FileAttributes {
    std::uint32_t mode = 0; ///< permission bits (07777)
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
    /** Name and value of each kept extended attribute, in the order the file system lists them. */
    std::vector<std::pair<std::string, std::string>> extended;
};

/**
 * The attributes of the regular file at path (a symbolic link is followed), or nothing when no
 * regular file stands there. Extended attributes the file system does not offer are left out.
 */
std::optional<FileAttributes> ReadFileAttributes(const std::filesystem::path& path);

/** How WriteFileAtomically treats what stands at the path. */
struct WriteOptions {
    /**
     * A symbolic link at the path is replaced by the new file instead of being followed (for
     * copies such as backups, where a planted link must never redirect the write).
     */
    bool replaceLink = false;
    /** The new file gets these attributes instead of those of the file it replaces. */
    const FileAttributes* attributes = nullptr;
};

/**
 * Writes content to path through a temporary file in the same folder, flush (fsync), rename.
 * A symbolic link is followed, so the file it points to is replaced (or, when the link dangles,
 * created) and the link stays. The new file keeps the replaced file's permission bits, owner and
 * group (as far as the process may set them) and its extended attributes. A device, FIFO, socket
 * or folder at the path is refused and left alone. Other hard links of a replaced file keep the
 * old content. In an append-only folder a new file is created in one step and an existing one is
 * refused, as it cannot be replaced there.
 * A temporary file is named ".<name>.tmp-<process id>-<random>"; one left behind by a process
 * that was killed is removed by the next save of the same file.
 * On failure throws IoError whose what() names the path and the system's reason ("File too
 * large" when the process's file size limit is reached); the old file is then untouched and the
 * temporary removed. The folder must exist.
 */
void WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

/** The same with options (see WriteOptions). */
void WriteFileAtomically(const std::filesystem::path& path, std::string_view content,
                         const WriteOptions& options);

/** The same with failures injected by hooks (used instead of any scoped test failure). */
void WriteFileAtomically(const std::filesystem::path& path, std::string_view content,
                         const WriteHooks& hooks);

/**
 * For tests of writers built on WriteFileAtomically: while an object lives, every atomic write
 * of this thread uses its hooks. Objects nest; the previous hooks come back on destruction.
 */
class ScopedWriteFailureForTesting {
public:
    explicit ScopedWriteFailureForTesting(WriteHooks hooks);
    ~ScopedWriteFailureForTesting();
    ScopedWriteFailureForTesting(const ScopedWriteFailureForTesting&) = delete;
    ScopedWriteFailureForTesting& operator=(const ScopedWriteFailureForTesting&) = delete;

private:
    WriteHooks m_hooks;
    const WriteHooks* m_previous;
};

} // namespace zentravolix::platform
