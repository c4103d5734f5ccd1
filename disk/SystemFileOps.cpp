// SPDX-License-Identifier: MIT
#include "disk/FileOps.h"

#include "disk/RemoveOnSignal.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zentravolix::disk {

namespace {

class SystemFileOps final : public FileOps {
public:
    int createNew(const std::string& path, int& handle) override
    {
        const RemoveOnSignal::Hold hold; // the file is recorded before an interrupt can strike
        handle = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (handle < 0)
            return errno;
        RemoveOnSignal::fileCreated(path);
        return 0;
    }

    int openExisting(const std::string& path, int& handle) override
    {
        handle = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        return handle < 0 ? errno : 0;
    }

    int readAt(int handle, std::uint64_t offset, void* data, std::size_t size, std::size_t& done) override
    {
        done = 0;
        auto* p = static_cast<char*>(data);
        while (done < size) {
            const ssize_t n = ::pread(handle, p + done, size - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return errno;
            if (n == 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        return 0;
    }

    int writeAt(int handle, std::uint64_t offset, const void* data, std::size_t size) override
    {
        const auto* p = static_cast<const char*>(data);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pwrite(handle, p + done, size - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return errno;
            if (n == 0)
                return EIO;
            done += static_cast<std::size_t>(n);
        }
        return 0;
    }

    int setLength(int handle, std::uint64_t bytes) override
    {
        return ::ftruncate(handle, static_cast<off_t>(bytes)) < 0 ? errno : 0;
    }

    int preallocate(int handle, std::uint64_t offset, std::uint64_t bytes) override
    {
        // posix_fallocate returns the error number instead of setting errno.
        return ::posix_fallocate(handle, static_cast<off_t>(offset), static_cast<off_t>(bytes));
    }

    int close(int handle) override { return ::close(handle) < 0 ? errno : 0; }

    void remove(const std::string& path) noexcept override { ::unlink(path.c_str()); }
};

} // namespace

std::unique_ptr<FileOps> MakeSystemFileOps()
{
    return std::make_unique<SystemFileOps>();
}

std::string ErrorDescription(int errorNumber)
{
    return std::strerror(errorNumber);
}

} // namespace zentravolix::disk
