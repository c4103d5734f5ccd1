// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace zentravolix::disk {

/**
 * The file operations disk creation needs, as an interface so that tests can inject a full disk,
 * a short write or a failing create (tests run as root, where permissions stop nothing).
 * Every call returns 0 or a positive errno-style error number; handles are small integers.
 */
class FileOps {
public:
    virtual ~FileOps() = default;

    /** Creates a new, empty file; fails with EEXIST when the path exists. Sets `handle`. */
    virtual int createNew(const std::string& path, int& handle) = 0;
    /** Opens an existing file for reading and writing. Sets `handle`. */
    virtual int openExisting(const std::string& path, int& handle) = 0;
    /** Reads up to `size` bytes at `offset`; `done` is the count read (less at the end of file). */
    virtual int readAt(int handle, std::uint64_t offset, void* data, std::size_t size, std::size_t& done) = 0;
    /** Writes all `size` bytes at `offset`. */
    virtual int writeAt(int handle, std::uint64_t offset, const void* data, std::size_t size) = 0;
    /** Sets the file length; a grown part is a hole that reads as zeros and takes no space. */
    virtual int setLength(int handle, std::uint64_t bytes) = 0;
    /** Reserves real disk space for [offset, offset + bytes), growing the file as needed. */
    virtual int preallocate(int handle, std::uint64_t offset, std::uint64_t bytes) = 0;
    /** Closes the handle. */
    virtual int close(int handle) = 0;
    /** Removes a file; errors are ignored (used to clean up after a failure). */
    virtual void remove(const std::string& path) noexcept = 0;
};

/**
 * The operating system's files (POSIX: open with O_EXCL, pwrite, ftruncate, posix_fallocate). This
 * is the one place of the disk library that calls the operating system directly.
 */
std::unique_ptr<FileOps> MakeSystemFileOps();

/** The system's description of an error number ("No space left on device"). */
std::string ErrorDescription(int errorNumber);

} // namespace zentravolix::disk
