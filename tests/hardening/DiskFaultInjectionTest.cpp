// SPDX-License-Identifier: MIT
// Disk creation with the descriptor write failing after every byte count up to its size: the
// creation reports the descriptor and the reason, removes every file it made and leaves the
// files that were there before alone.
#include "HardeningSupport.h"

#include "disk/DiskCreator.h"
#include "disk/FileOps.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iostream>
#include <map>
#include <optional>

namespace zentravolix::hardening {
namespace {

using namespace zentravolix::disk;

/** The system's files, except that writes to one file stop with ENOSPC after a byte budget. */
class ShortDescriptorWrites : public FileOps {
public:
    ShortDescriptorWrites(std::string descriptor, std::optional<std::size_t> budget)
        : m_descriptor(std::move(descriptor)), m_budget(budget)
    {
    }

    std::size_t descriptorBytes = 0; // bytes written to the descriptor, counted without a budget

    int createNew(const std::string& path, int& handle) override
    {
        const int e = m_real->createNew(path, handle);
        if (e == 0)
            m_paths[handle] = path;
        return e;
    }
    int openExisting(const std::string& path, int& handle) override
    {
        const int e = m_real->openExisting(path, handle);
        if (e == 0)
            m_paths[handle] = path;
        return e;
    }
    int readAt(int handle, std::uint64_t offset, void* data, std::size_t size, std::size_t& done) override
    {
        return m_real->readAt(handle, offset, data, size, done);
    }
    int writeAt(int handle, std::uint64_t offset, const void* data, std::size_t size) override
    {
        if (m_paths[handle] != m_descriptor)
            return m_real->writeAt(handle, offset, data, size);
        if (m_budget && descriptorBytes + size > *m_budget) {
            // A full disk takes what fits, then refuses the rest.
            const std::size_t fits = *m_budget - descriptorBytes;
            if (fits > 0)
                m_real->writeAt(handle, offset, data, fits);
            descriptorBytes += fits;
            return ENOSPC;
        }
        descriptorBytes += size;
        return m_real->writeAt(handle, offset, data, size);
    }
    int setLength(int handle, std::uint64_t bytes) override { return m_real->setLength(handle, bytes); }
    // Preallocated extents only get their length: the test is about the descriptor, not space.
    int preallocate(int handle, std::uint64_t offset, std::uint64_t bytes) override
    {
        return m_real->setLength(handle, offset + bytes);
    }
    int close(int handle) override
    {
        m_paths.erase(handle);
        return m_real->close(handle);
    }
    void remove(const std::string& path) noexcept override { m_real->remove(path); }

private:
    std::string m_descriptor;
    std::optional<std::size_t> m_budget;
    std::map<int, std::string> m_paths;
    std::unique_ptr<FileOps> m_real = MakeSystemFileOps();
};

struct DiskCase {
    const char* name;
    DiskKind kind;
    CreateMethod method;
    AdapterType adapter;
};

class DescriptorWriteFaults : public ::testing::TestWithParam<DiskCase> {};

TEST_P(DescriptorWriteFaults, EveryShortWriteRemovesTheNewFilesAndNamesTheDescriptor)
{
    const DiskCase& c = GetParam();
    TempFolder folder(std::string("disk-") + c.name);
    writeFile(folder / "other.vmdk", "# Disk DescriptorFile\nCID=12345678\n");
    const auto before = listing(folder.path());

    DiskRequest request;
    request.names = ApplyNameRule((folder / "new").string());
    request.kind = c.kind;
    request.method = c.method;
    request.adapter = c.adapter;
    request.sectorCount = 8192;

    // One creation without a fault gives the descriptor's size.
    std::size_t size = 0;
    {
        TempFolder probe(std::string("disk-probe-") + c.name);
        DiskRequest probeRequest = request;
        probeRequest.names = ApplyNameRule((probe / "new").string());
        ShortDescriptorWrites files(probeRequest.names.diskName, std::nullopt);
        CreateEnvironment env;
        env.files = &files;
        ASSERT_TRUE(CreateDisk(probeRequest, env).created());
        size = files.descriptorBytes;
        ASSERT_GT(size, 100u);
    }

    for (std::size_t n = 0; n < size; ++n) {
        SCOPED_TRACE("after " + std::to_string(n) + " bytes");
        ShortDescriptorWrites files(request.names.diskName, n);
        CreateEnvironment env;
        env.files = &files;
        const CreateResult result = CreateDisk(request, env);
        ASSERT_EQ(result.status, CreateResult::Status::Failed);
        EXPECT_EQ(result.errorNumber, ENOSPC);
        EXPECT_EQ(result.reason, (DiskMessage{DiskText::None, {"No space left on device", request.names.diskName}}));
        ASSERT_EQ(listing(folder.path()), before) << "files of the failed creation were left";
    }
    EXPECT_EQ(readFile(folder / "other.vmdk"), "# Disk DescriptorFile\nCID=12345678\n");
    std::cout << "[ hardening ] " << size << " fault points injected into the descriptor of " << c.name
              << std::endl;
}

INSTANTIATE_TEST_SUITE_P(Kinds, DescriptorWriteFaults,
                         ::testing::Values(DiskCase{"growable_split", DiskKind::GrowableSplit,
                                                    CreateMethod::Library, AdapterType::Ide},
                                           DiskCase{"growable_split_lsilogic", DiskKind::GrowableSplit,
                                                    CreateMethod::Library, AdapterType::LsiLogic},
                                           DiskCase{"preallocated_split", DiskKind::PreallocatedSplit,
                                                    CreateMethod::External, AdapterType::BusLogic}),
                         [](const ::testing::TestParamInfo<DiskCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace zentravolix::hardening
