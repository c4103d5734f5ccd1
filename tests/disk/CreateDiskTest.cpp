// SPDX-License-Identifier: MIT
// Disks made by CreateDisk, checked with qemu-img and qemu-io.
#include "disk/DiskCreator.h"
#include "disk/DiskInfo.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

using namespace zentravolix::disk;
using zvtest::ListFolder;
using zvtest::ReadBack;
using zvtest::ReadFile;
using zvtest::Request;
using zvtest::TempFolder;
using Strings = std::vector<std::string>;

namespace {

CreateEnvironment Environment(FileOps* files = nullptr)
{
    CreateEnvironment env;
    env.qemuImg = zvtest::QemuImg();
    env.runCommand = zvtest::RunTool;
    env.files = files;
    env.random01 = zvtest::FixedRandom({0.1, 0.5, 0.9, 0.3});
    return env;
}

bool QemuChecks(const std::string& path)
{
    return zvtest::RunCapture(zvtest::QemuImg(), {"check", path}).exitCode == 0;
}

class CreateDiskTest : public zvtest::QemuDiskTest {};

} // namespace

TEST_F(CreateDiskTest, SplitSparseDiskIsReadAndWrittenByQemu)
{
    const std::int64_t sectors = 4192256 + 204800;
    const CreateResult r = CreateDisk(
        Request(tmp / "web", DiskKind::GrowableSplit, sectors, AdapterType::Ide, CreateMethod::External),
        Environment());
    ASSERT_TRUE(r.created()) << testing::PrintToString(r.reason.args);
    EXPECT_EQ(ListFolder(tmp.path()), (Strings{"web-s001.vmdk", "web-s002.vmdk", "web.vmdk"}));
    EXPECT_EQ(std::filesystem::file_size(tmp / "web-s001.vmdk"), 327680u);
    // The zeroed grain tables are a hole: a few blocks per extent, not 320 KiB.
    EXPECT_LT(zvtest::AllocatedBytes(tmp / "web-s001.vmdk"), 65536u);
    EXPECT_EQ(zvtest::QemuVirtualSize(tmp / "web.vmdk"), sectors * 512);
    EXPECT_TRUE(QemuChecks(tmp / "web.vmdk"));

    // A write that straddles the two extents reads back, and the disk still checks clean.
    const std::string io = zvtest::QemuIo();
    ASSERT_FALSE(io.empty());
    const std::string at = std::to_string(4192256LL * 512 - 65536);
    EXPECT_EQ(zvtest::RunCapture(io, {"-f", "vmdk", "-c", "write -P 0x5a " + at + " 128k", tmp / "web.vmdk"})
                  .exitCode,
              0);
    const auto read =
        zvtest::RunCapture(io, {"-f", "vmdk", "-c", "read -P 0x5a " + at + " 128k", tmp / "web.vmdk"});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(read.output.find("Pattern verification failed"), std::string::npos) << read.output;
    EXPECT_TRUE(QemuChecks(tmp / "web.vmdk"));
}

TEST_F(CreateDiskTest, SinglePreallocatedDiskReservesItsSpace)
{
    const CreateResult r = CreateDisk(Request(tmp / "pre", DiskKind::SinglePreallocated, 204800,
                                              AdapterType::LsiLogic, CreateMethod::External),
                                      Environment());
    ASSERT_TRUE(r.created()) << testing::PrintToString(r.reason.args);
    EXPECT_EQ(ListFolder(tmp.path()), (Strings{"pre-flat.vmdk", "pre.vmdk"}));
    EXPECT_EQ(std::filesystem::file_size(tmp / "pre-flat.vmdk"), 104857600u);
    EXPECT_GE(zvtest::AllocatedBytes(tmp / "pre-flat.vmdk"), 104857600u);
    EXPECT_NE(ReadFile(tmp / "pre.vmdk").find("RW 204800 FLAT \"pre-flat.vmdk\" 0\r\n"), std::string::npos);
    EXPECT_EQ(zvtest::QemuVirtualSize(tmp / "pre.vmdk"), 104857600);
    EXPECT_TRUE(QemuChecks(tmp / "pre.vmdk"));
    EXPECT_EQ(ReadBack(tmp.path(), "pre.vmdk").adapterType, "lsilogic");

    // The extent is named relative to the descriptor: the disk still opens from a moved folder.
    const std::string moved = tmp / "moved/";
    std::filesystem::create_directory(moved);
    std::filesystem::rename(tmp / "pre.vmdk", moved + "pre.vmdk");
    std::filesystem::rename(tmp / "pre-flat.vmdk", moved + "pre-flat.vmdk");
    EXPECT_EQ(zvtest::QemuVirtualSize(moved + "pre.vmdk"), 104857600);
    EXPECT_TRUE(QemuChecks(moved + "pre.vmdk"));
}

TEST_F(CreateDiskTest, PreallocatedSplitThreeGigabyteExampleOnDisk)
{
    zvtest::FaultyFileOps files;
    files.sparsePreallocate = true; // keep the test from reserving 3 GiB
    const CreateResult r = CreateDisk(Request(tmp / "disk.vmdk", DiskKind::PreallocatedSplit, 6291456,
                                              AdapterType::Ide, CreateMethod::External),
                                      Environment(&files));
    ASSERT_TRUE(r.created()) << testing::PrintToString(r.reason.args);
    EXPECT_EQ(ListFolder(tmp.path()), (Strings{"disk-f001.vmdk", "disk-f002.vmdk", "disk.vmdk"}));
    EXPECT_EQ(std::filesystem::file_size(tmp / "disk-f001.vmdk"), 4193792u * 512);
    EXPECT_EQ(std::filesystem::file_size(tmp / "disk-f002.vmdk"), 2097664u * 512);
    const std::string text = ReadFile(tmp / "disk.vmdk");
    EXPECT_EQ(
        text.substr(text.find("createType")),
        "createType=\"twoGbMaxExtentFlat\"\r\n\r\n# Extent description\r\n"
        "RW 4193792 FLAT \"disk-f001.vmdk\" 0\r\nRW 2097664 FLAT \"disk-f002.vmdk\" 0\r\n\r\n"
        "# The Disk Data Base\r\n#DDB\r\n\r\nddb.virtualHWVersion = \"3\"\r\nddb.geometry.cylinders = "
        "\"6242\"\r\n"
        "ddb.geometry.heads = \"16\"\r\nddb.geometry.sectors = \"63\"\r\nddb.adapterType = \"ide\"\r\n");
    EXPECT_EQ(zvtest::QemuVirtualSize(tmp / "disk.vmdk"), 6291456LL * 512);
}

TEST_F(CreateDiskTest, LibrarySingleGrowableIsOneSparseFileWithItsEmbeddedDescriptor)
{
    const CreateResult r = CreateDisk(
        Request(tmp / "mono", DiskKind::SingleGrowable, 204801, AdapterType::LsiLogic, CreateMethod::Library),
        Environment());
    ASSERT_TRUE(r.created()) << testing::PrintToString(r.reason.args);
    EXPECT_EQ(ListFolder(tmp.path()), (Strings{"mono.vmdk"}));
    // The library works in whole MiB.
    EXPECT_EQ(zvtest::QemuVirtualSize(tmp / "mono.vmdk"), 204800LL * 512);
    EXPECT_TRUE(QemuChecks(tmp / "mono.vmdk"));
    const DiskInfo info = ReadBack(tmp.path(), "mono.vmdk");
    EXPECT_EQ(info.createType, "monolithicSparse");
    EXPECT_EQ(info.adapterType, "lsilogic"); // written as buslogic, then fixed
    EXPECT_EQ(info.hardwareVersion, 3);
    EXPECT_EQ(info.sectors, 204800);
    // The descriptor sits in sectors 1 to 20, byte for byte, padded with NULs.
    const std::string file = ReadFile(tmp / "mono.vmdk");
    const std::string expected =
        "# Disk DescriptorFile\r\nversion=1\r\nCID=29f529f5\r\nparentCID=ffffffff\r\n"
        "createType=\"monolithicSparse\"\r\n\r\n# Extent description\r\nRW 204800 SPARSE "
        "\"mono.vmdk\"\r\n\r\n"
        "# The Disk Data Base\r\n#DDB\r\n\r\nddb.virtualHWVersion = \"3\"\r\nddb.geometry.cylinders = "
        "\"100\"\r\n"
        "ddb.geometry.heads = \"64\"\r\nddb.geometry.sectors = \"32\"\r\nddb.adapterType = \"lsilogic\"\r\n";
    EXPECT_EQ(file.substr(512, 20 * 512), expected + std::string(20 * 512 - expected.size(), '\0'));
    EXPECT_EQ(file.find("buslogic"), std::string::npos);
}

TEST_F(CreateDiskTest, LibrarySplitAndFlatTypesUseRelativeNames)
{
    zvtest::FaultyFileOps files;
    files.sparsePreallocate = true;
    struct Case {
        DiskKind kind;
        AdapterType adapter;
        const char* createType;
        Strings files;
    };
    const Case cases[] = {
        {DiskKind::GrowableSplit,
         AdapterType::BusLogic,
         "twoGbMaxExtentSparse",
         {"d0-s001.vmdk", "d0-s002.vmdk", "d0.vmdk"}},
        {DiskKind::SinglePreallocated, AdapterType::LsiLogic, "monolithicFlat", {"d1-flat.vmdk", "d1.vmdk"}},
        {DiskKind::PreallocatedSplit,
         AdapterType::Ide,
         "twoGbMaxExtentFlat",
         {"d2-f001.vmdk", "d2-f002.vmdk", "d2.vmdk"}},
    };
    int n = 0;
    for (const Case& c : cases) {
        TempFolder folder;
        const std::string name = "d" + std::to_string(n++);
        const CreateResult r =
            CreateDisk(Request(folder / name, c.kind, 4194304 + 2048, c.adapter, CreateMethod::Library),
                       Environment(&files));
        ASSERT_TRUE(r.created()) << testing::PrintToString(r.reason.args);
        EXPECT_EQ(ListFolder(folder.path()), c.files);
        const DiskInfo info = ReadBack(folder.path(), name + ".vmdk");
        EXPECT_EQ(info.createType, c.createType);
        EXPECT_EQ(info.adapterType, AdapterTypeName(c.adapter));
        EXPECT_EQ(info.sectors, 4194304 + 2048);
        EXPECT_EQ(ReadFile(folder / (name + ".vmdk")).find(folder.path()), std::string::npos);
        EXPECT_EQ(zvtest::QemuVirtualSize(folder / (name + ".vmdk")), (4194304LL + 2048) * 512);
    }
}

TEST_F(CreateDiskTest, QemuImgGetsTheSizeInKilobytes)
{
    EXPECT_EQ(QemuImgCreateArguments("/d/a.vmdk", 204801),
              (Strings{"create", "-f", "vmdk", "/d/a.vmdk", "102400.5K"}));
    for (std::int64_t sectors : {204800, 204801}) {
        TempFolder folder;
        const CreateResult r = CreateDisk(Request(folder / "q", DiskKind::SingleGrowable, sectors,
                                                  AdapterType::Ide, CreateMethod::External),
                                          Environment());
        ASSERT_TRUE(r.created()) << testing::PrintToString(r.reason.args);
        EXPECT_EQ(zvtest::QemuVirtualSize(folder / "q.vmdk"), sectors * 512);
        // qemu-img's disk is larger than 25600 bytes: its embedded descriptor is found and read.
        EXPECT_EQ(ReadBack(folder.path(), "q.vmdk").sectors, sectors);
    }
}

TEST_F(CreateDiskTest, MissingOrFailingQemuImg)
{
    CreateEnvironment env = Environment();
    env.qemuImg.clear();
    const DiskRequest request =
        Request(tmp / "q", DiskKind::SingleGrowable, 204800, AdapterType::Ide, CreateMethod::External);
    CreateResult r = CreateDisk(request, env);
    EXPECT_EQ(r.status, CreateResult::Status::MissingTool);
    EXPECT_EQ(r.message, DiskText::QemuImgNotFound);
    EXPECT_EQ(r.title, DiskText::MissingToolTitle);

    env.qemuImg = "/usr/bin/qemu-img";
    env.runCommand = [&](const std::string&, const Strings& args) {
        zvtest::WriteFile(args.at(3), "half"); // a tool that leaves a partial file and fails
        return ToolRun{true, 1, {}};
    };
    r = CreateDisk(request, env);
    EXPECT_EQ(r.status, CreateResult::Status::Failed);
    EXPECT_EQ(r.errorNumber, 1);
    EXPECT_TRUE(ListFolder(tmp.path()).empty());
    env.runCommand = [](const std::string&, const Strings&) { return ToolRun{false, -1, "no such file"}; };
    EXPECT_EQ(CreateDisk(request, env).status, CreateResult::Status::Failed);
}

TEST_F(CreateDiskTest, ProgressCoversTheDiskAndCancelRemovesEverything)
{
    std::vector<CreationProgress> seen;
    CreateEnvironment env = Environment();
    env.progress = [&](const CreationProgress& p) {
        seen.push_back(p);
        return true;
    };
    const std::int64_t sectors = 4192256 * 2 + 2048;
    ASSERT_TRUE(CreateDisk(Request(tmp / "p", DiskKind::GrowableSplit, sectors, AdapterType::Ide,
                                   CreateMethod::External),
                           env)
                    .created());
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen.front().doneBytes, 0u);
    EXPECT_EQ(seen.back().doneBytes, static_cast<std::uint64_t>(sectors) * 512);
    for (std::size_t i = 1; i < seen.size(); ++i)
        EXPECT_GE(seen[i].doneBytes, seen[i - 1].doneBytes);

    TempFolder other;
    int calls = 0;
    env.progress = [&](const CreationProgress&) { return ++calls < 3; }; // cancel after the first extent
    const CreateResult r = CreateDisk(
        Request(other / "p", DiskKind::GrowableSplit, sectors, AdapterType::Ide, CreateMethod::External),
        env);
    EXPECT_EQ(r.status, CreateResult::Status::Cancelled);
    EXPECT_TRUE(ListFolder(other.path()).empty());
}
