// SPDX-License-Identifier: MIT
#pragma once

#include "disk/DiskCreator.h"
#include "disk/DiskInfo.h"
#include "disk/FileOps.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zvtest {

/** A fresh folder under the temporary folder, removed with everything in it. */
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    /** The folder with a trailing "/". */
    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
/** Names of the files in a folder, sorted. */
std::vector<std::string> ListFolder(const std::string& folder);
/** Bytes the file really occupies on disk (st_blocks × 512). */
std::uint64_t AllocatedBytes(const std::string& path);

struct Captured {
    int exitCode = -1;
    std::string output;
};
/** Runs a program with arguments (no shell), capturing standard output and error together. */
Captured RunCapture(const std::string& program, const std::vector<std::string>& arguments);
/** qemu-img on PATH, or "" when it is not installed. */
std::string QemuImg();
std::string QemuIo();
/** A command runner for CreateDisk that runs the program directly. */
zentravolix::disk::ToolRun RunTool(const std::string& program, const std::vector<std::string>& arguments);
/** The "virtual-size" qemu-img info reports, or -1. */
long long QemuVirtualSize(const std::string& path);

/** A fixed sequence for NewCID: draws cycle through `values`. */
std::function<double()> FixedRandom(std::vector<double> values);

/**
 * The system's files with faults: the `failAt`-th call (1-based) of the operation `failing` fails
 * with `error`; with `sparsePreallocate` a preallocation only sets the length (no real space).
 */
class FaultyFileOps : public zentravolix::disk::FileOps {
public:
    enum class Op { None, Create, Write, SetLength, Preallocate, Close, Read };
    Op failing = Op::None;
    int failAt = 1;
    int error = 5;
    bool sparsePreallocate = false;
    std::vector<std::string> created;

    int createNew(const std::string& path, int& handle) override;
    int openExisting(const std::string& path, int& handle) override;
    int readAt(int handle, std::uint64_t offset, void* data, std::size_t size, std::size_t& done) override;
    int writeAt(int handle, std::uint64_t offset, const void* data, std::size_t size) override;
    int setLength(int handle, std::uint64_t bytes) override;
    int preallocate(int handle, std::uint64_t offset, std::uint64_t bytes) override;
    int close(int handle) override;
    void remove(const std::string& path) noexcept override;

private:
    bool trip(Op op);
    std::unique_ptr<zentravolix::disk::FileOps> m_real = zentravolix::disk::MakeSystemFileOps();
    int m_counts[7] = {};
};

/** Tests that check the disks they make with qemu-img: skipped where it is not installed. */
class QemuDiskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QemuImg().empty())
            GTEST_SKIP() << "qemu-img is not installed (scripts/install-deps)";
    }
    TempFolder tmp;
};

/** What CreateDisk is asked for: a disk of `sectors` for `adapter` at `path`, by `method`. */
inline zentravolix::disk::DiskRequest Request(const std::string& path, zentravolix::disk::DiskKind kind,
                                              std::int64_t sectors, zentravolix::disk::AdapterType adapter,
                                              zentravolix::disk::CreateMethod method)
{
    zentravolix::disk::DiskRequest r;
    r.names = zentravolix::disk::ApplyNameRule(path);
    r.kind = kind;
    r.sectorCount = sectors;
    r.adapter = adapter;
    r.method = method;
    return r;
}

/** The facts of the disk `name` in `folder`, read as the information box reads them. */
inline zentravolix::disk::DiskInfo ReadBack(const std::string& folder, const std::string& name)
{
    zentravolix::disk::DiskInfo info;
    info.folder = folder;
    info.fileName = name;
    const zentravolix::disk::ReadOutcome r = zentravolix::disk::ReadDiskDescriptor(info);
    EXPECT_TRUE(r.ok()) << r.detail;
    return info;
}

} // namespace zvtest
