// SPDX-License-Identifier: MIT
#include "TestFolder.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace zentravolix::platform;
using zvtest::Listing;
using zvtest::ReadFile;
using zvtest::WriteFile;

namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    zvtest::TestFolder folder;
    std::filesystem::path target = folder / "config.vmx";
};

struct FailureCase {
    const char* name;
    WriteHooks hooks;
    const char* reason;
};

void PrintTo(const FailureCase& failure, std::ostream* os)
{
    *os << failure.name;
}

class AtomicFileFailureTest : public AtomicFileTest, public ::testing::WithParamInterface<FailureCase> {};

} // namespace

TEST_F(AtomicFileTest, WritesAndReplacesKeepingPermissions)
{
    const std::string binary("a\0b\r\n", 5);
    WriteFileAtomically(target, binary);
    EXPECT_EQ(ReadFile(target), binary);
    ::chmod(target.c_str(), 0640);
    WriteFileAtomically(target, "second");
    EXPECT_EQ(ReadFile(target), "second");
    struct stat st {};
    ::stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Listing(folder.path()), std::vector<std::string>{"config.vmx"});
}

TEST_F(AtomicFileTest, FollowsSymbolicLinks)
{
    WriteFile(folder / "real" / "file.ini", "old");
    std::filesystem::create_symlink(folder / "real" / "file.ini", folder / "link.ini");
    WriteFileAtomically(folder / "link.ini", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.ini"));
    EXPECT_EQ(ReadFile(folder / "real" / "file.ini"), "new");
}

TEST_P(AtomicFileFailureTest, OldFileSurvivesAndTemporaryIsRemoved)
{
    WriteFile(target, "old content");
    try {
        WriteFileAtomically(target, "new content that is longer", GetParam().hooks);
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(GetParam().reason), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadFile(target), "old content");
    EXPECT_EQ(Listing(folder.path()), std::vector<std::string>{"config.vmx"});
}

INSTANTIATE_TEST_SUITE_P(
    Injected, AtomicFileFailureTest,
    ::testing::Values(FailureCase{"ShortWrite", WriteHooks::ShortWrite(4), "No space left"},
                      FailureCase{"NothingWritten", WriteHooks::ShortWrite(0), "No space left"},
                      FailureCase{"Sync", WriteHooks::SyncFailure(), "Input/output error"},
                      FailureCase{"Rename", WriteHooks::RenameFailure(), "Input/output error"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AtomicFileTest, RealFailuresNameThePath)
{
    std::filesystem::create_directories(target); // the target is a folder: the rename fails
    EXPECT_THROW(WriteFileAtomically(target, "x"), IoError);
    EXPECT_EQ(Listing(folder.path()), std::vector<std::string>{"config.vmx"});
    WriteFile(folder / "plain", "");
    try {
        WriteFileAtomically(folder / "plain" / "x.vmx", "x");
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.path(), folder / "plain" / "x.vmx");
        EXPECT_EQ(e.reason(), "Not a directory");
    }
}

TEST_F(AtomicFileTest, ScopedFailuresNestAndFilter)
{
    ScopedWriteFailureForTesting outer(WriteHooks::RenameFailure());
    {
        ScopedWriteFailureForTesting inner(WriteHooks::SyncFailure().onlyFor("only.txt"));
        EXPECT_NO_THROW(WriteFileAtomically(folder / "other.txt", "x")); // the inner filter lets it through
        EXPECT_THROW(WriteFileAtomically(folder / "only.txt", "x"), IoError);
    }
    EXPECT_THROW(WriteFileAtomically(folder / "other.txt", "y"), IoError); // outer hooks again
    EXPECT_EQ(ReadFile(folder / "other.txt"), "x");
}

TEST(Paths, FoldersAndNames)
{
    EXPECT_EQ(JoinPath("/a/", "b.ini"), "/a/b.ini");
    EXPECT_EQ(JoinPath("/a", "b.ini"), "/a/b.ini");
    EXPECT_EQ(JoinPath("", "b.ini"), "b.ini");
    EXPECT_EQ(FolderOf("/vms/My VM/a.vmx"), "/vms/My VM");
    EXPECT_EQ(FolderOf("/a.vmx"), "/");
    EXPECT_EQ(FolderOf("a.vmx"), "");
    EXPECT_EQ(FileNameOf("/vms/a.vmx"), "a.vmx");
}
