// SPDX-License-Identifier: MIT
#pragma once

#include "platform/IoError.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

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
 * Writes content to path through a temporary file in the same folder, flush (fsync), rename.
 * A symbolic link is followed, so the file it points to is replaced and the link stays; an
 * existing file's permission bits are kept. On failure throws IoError whose what() names the
 * path and the system's reason; the old file is then untouched and the temporary removed.
 * The folder must exist.
 */
void WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

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
