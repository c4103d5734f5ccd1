// SPDX-License-Identifier: MIT
// A failed creation removes what it made and never touches a file that was there before.
#include "disk/DiskCreator.h"
#include "disk/DiskLibrary.h"
#include "disk/FileOps.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestSupport.h"

using namespace zentravolix::disk;
using zvtest::FaultyFileOps;
using zvtest::ListFolder;
using zvtest::TempFolder;
using Strings = std::vector<std::string>;

namespace {

struct Fault {
    const char* name;
    DiskKind kind;
    CreateMethod method;
    FaultyFileOps::Op op;
    int failAt;
    int error;
};

class FaultTest : public ::testing::TestWithParam<Fault> {};

DiskRequest Request(const std::string& path, DiskKind kind, CreateMethod method, AdapterType adapter)
{
    DiskRequest r;
    r.names = ApplyNameRule(path);
    r.kind = kind;
    r.method = method;
    r.adapter = adapter;
    r.sectorCount = 4192256 + 4096; // two pieces of either kind
    return r;
}

} // namespace

TEST_P(FaultTest, FailureReportsTheErrorAndLeavesNoFiles)
{
    const Fault& f = GetParam();
    TempFolder tmp;
    FaultyFileOps files;
    files.sparsePreallocate = true;
    files.failing = f.op;
    files.failAt = f.failAt;
    files.error = f.error;
    CreateEnvironment env;
    env.files = &files;
    const CreateResult r = CreateDisk(Request(tmp / "bad", f.kind, f.method, AdapterType::LsiLogic), env);
    EXPECT_EQ(r.status, CreateResult::Status::Failed);
    EXPECT_EQ(r.errorNumber, f.error);
    // The system's reason and the file, in the system's own words.
    EXPECT_EQ(r.reason.text, DiskText::None);
    ASSERT_EQ(r.reason.args.size(), 2u);
    EXPECT_EQ(r.reason.args[0], ErrorDescription(f.error));
    EXPECT_NE(r.reason.args[1].find(tmp.path()), std::string::npos) << "names the file: " << r.reason.args[1];
    EXPECT_TRUE(ListFolder(tmp.path()).empty()) << f.name;
}

INSTANTIATE_TEST_SUITE_P(
    Injected, FaultTest,
    ::testing::Values(Fault{"DescriptorWriteFullDisk", DiskKind::GrowableSplit, CreateMethod::External,
                            FaultyFileOps::Op::Write, 5, ENOSPC},
                      Fault{"SecondSparseHeader", DiskKind::GrowableSplit, CreateMethod::External,
                            FaultyFileOps::Op::Write, 3, EIO},
                      Fault{"SparseLength", DiskKind::GrowableSplit, CreateMethod::Library,
                            FaultyFileOps::Op::SetLength, 2, EFBIG},
                      Fault{"SecondFlatPiece", DiskKind::PreallocatedSplit, CreateMethod::External,
                            FaultyFileOps::Op::Preallocate, 3, ENOSPC},
                      Fault{"FlatFile", DiskKind::SinglePreallocated, CreateMethod::Library,
                            FaultyFileOps::Op::Preallocate, 1, ENOSPC},
                      Fault{"ExtentCreate", DiskKind::PreallocatedSplit, CreateMethod::Library,
                            FaultyFileOps::Op::Create, 3, EMFILE},
                      Fault{"CloseOfExtent", DiskKind::GrowableSplit, CreateMethod::External,
                            FaultyFileOps::Op::Close, 1, EIO},
                      Fault{"FixAdapterTypeRead", DiskKind::SingleGrowable, CreateMethod::Library,
                            FaultyFileOps::Op::Read, 1, EIO},
                      Fault{"FixAdapterTypeSplit", DiskKind::PreallocatedSplit, CreateMethod::Library,
                            FaultyFileOps::Op::Read, 1, EIO}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CreateDiskFailure, ExistingFilesAreNeverReplacedOrRemoved)
{
    TempFolder tmp;
    zvtest::WriteFile(tmp / "keep.vmdk", "old descriptor");
    CreateResult r = CreateDisk(
        Request(tmp / "keep", DiskKind::GrowableSplit, CreateMethod::External, AdapterType::Ide), {});
    EXPECT_EQ(r.errorNumber, EEXIST);
    EXPECT_EQ(zvtest::ReadFile(tmp / "keep.vmdk"), "old descriptor");
    EXPECT_EQ(ListFolder(tmp.path()), (Strings{"keep.vmdk"}));

    // A leftover extent of another disk stops the creation; the files made before it are removed.
    zvtest::WriteFile(tmp / "new-s002.vmdk", "someone else's data");
    r = CreateDisk(Request(tmp / "new", DiskKind::GrowableSplit, CreateMethod::External, AdapterType::Ide),
                   {});
    EXPECT_EQ(r.errorNumber, EEXIST);
    EXPECT_NE(r.reason.args.at(1).find("new-s002.vmdk"), std::string::npos);
    EXPECT_EQ(zvtest::ReadFile(tmp / "new-s002.vmdk"), "someone else's data");
    EXPECT_EQ(ListFolder(tmp.path()), (Strings{"keep.vmdk", "new-s002.vmdk"}));
}

TEST(CreateDiskFailure, FolderThatIsAFile)
{
    TempFolder tmp;
    zvtest::WriteFile(tmp / "notafolder", "x");
    const CreateResult r = CreateDisk(
        Request(tmp / "notafolder/d", DiskKind::PreallocatedSplit, CreateMethod::External, AdapterType::Ide),
        {});
    EXPECT_EQ(r.errorNumber, ENOTDIR);
    EXPECT_NE(r.reason.args.at(1).find("notafolder/d.vmdk"), std::string::npos);
}

TEST(CreateDiskFailure, NonPositiveSizeIsRefused)
{
    TempFolder tmp;
    DiskRequest request =
        Request(tmp / "z", DiskKind::GrowableSplit, CreateMethod::External, AdapterType::Ide);
    request.sectorCount = 0;
    EXPECT_EQ(CreateDisk(request, {}).errorNumber, EINVAL);
    request.method = CreateMethod::Library;
    request.sectorCount = 1000; // rounds to 0 MiB
    EXPECT_EQ(CreateDisk(request, {}).errorNumber, EINVAL);
    EXPECT_TRUE(ListFolder(tmp.path()).empty());
}

TEST(FixAdapterType, ReplacesEveryBuslogicKeepingTheSize)
{
    TempFolder tmp;
    const std::string text = "ddb.adapterType = \"buslogic\"\r\n# buslogic\r\n";
    zvtest::WriteFile(tmp / "d.vmdk", text);
    auto files = MakeSystemFileOps();
    EXPECT_EQ(FixAdapterType(DiskKind::GrowableSplit, tmp / "d.vmdk", *files), 0);
    EXPECT_EQ(zvtest::ReadFile(tmp / "d.vmdk"), "ddb.adapterType = \"lsilogic\"\r\n# lsilogic\r\n");
    // A single-file disk without a sparse header: only its first 1024 bytes are looked at.
    std::string big(2048, 'x');
    big.replace(100, 8, "buslogic");
    big.replace(1500, 8, "buslogic");
    zvtest::WriteFile(tmp / "m.vmdk", big);
    EXPECT_EQ(FixAdapterType(DiskKind::SingleGrowable, tmp / "m.vmdk", *files), 0);
    const std::string after = zvtest::ReadFile(tmp / "m.vmdk");
    EXPECT_EQ(after.size(), 2048u);
    EXPECT_EQ(after.substr(100, 8), "lsilogic");
    EXPECT_EQ(after.substr(1500, 8), "buslogic");
    EXPECT_EQ(FixAdapterType(DiskKind::GrowableSplit, tmp / "missing.vmdk", *files), ENOENT);
}

TEST(FixAdapterType, ReadsADescriptorLongerThanOneReadPiece)
{
    // The descriptor is read piece by piece; a word across the seam of two pieces and one near the
    // end are both found, and nothing past the file's end is written.
    TempFolder tmp;
    std::string text(200 * 1024 + 7, '#');
    text.replace(64 * 1024 - 3, 8, "buslogic");
    text.replace(text.size() - 8, 8, "buslogic");
    zvtest::WriteFile(tmp / "long.vmdk", text);
    auto files = MakeSystemFileOps();
    ASSERT_EQ(FixAdapterType(DiskKind::PreallocatedSplit, tmp / "long.vmdk", *files), 0);
    const std::string after = zvtest::ReadFile(tmp / "long.vmdk");
    ASSERT_EQ(after.size(), text.size());
    EXPECT_EQ(after.substr(64 * 1024 - 3, 8), "lsilogic");
    EXPECT_EQ(after.substr(after.size() - 8), "lsilogic");
    EXPECT_EQ(after.find("buslogic"), std::string::npos);
}

TEST(CreateDiskFailure, NamesADescriptorCannotHoldAreRefusedNamingTheCharacter)
{
    TempFolder tmp;
    const std::pair<const char*, DiskText> cases[] = {{"say \"hi\"", DiskText::NameHasDoubleQuote},
                                                      {"two\nlines", DiskText::NameHasLineBreak},
                                                      {"old\rmac", DiskText::NameHasCarriageReturn}};
    for (const auto& [name, reason] : cases) {
        for (const CreateMethod method : {CreateMethod::Library, CreateMethod::External}) {
            const CreateResult r =
                CreateDisk(Request(tmp / name, DiskKind::GrowableSplit, method, AdapterType::Ide), {});
            EXPECT_EQ(r.status, CreateResult::Status::Failed) << name;
            EXPECT_EQ(r.errorNumber, EINVAL);
            EXPECT_EQ(r.reason, (DiskMessage{reason, {tmp / name + ".vmdk"}})) << name;
        }
    }
    EXPECT_TRUE(ListFolder(tmp.path()).empty());
    // Only the part the descriptor holds counts: a quote in a folder name is fine for a split disk,
    // but the external single preallocated disk writes its full path.
    const DiskNames inFolder = ApplyNameRule("/vms/\"q\"/disk");
    EXPECT_EQ(UnwritableNameReason(inFolder, false), DiskText::None);
    EXPECT_EQ(UnwritableNameReason(inFolder, true), DiskText::NameHasDoubleQuote);
}

TEST(CreateDiskFailure, FileSizeLimitFailsTheCreationAndLeavesNoFiles)
{
    TempFolder tmp;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{64 * 1024, 64 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const CreateResult r =
            CreateDisk(Request(tmp / "limited", DiskKind::GrowableSplit, CreateMethod::External, AdapterType::Ide), {});
        ::_exit(r.status == CreateResult::Status::Failed && r.errorNumber == EFBIG ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFSIGNALED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(ListFolder(tmp.path()).empty());
}
