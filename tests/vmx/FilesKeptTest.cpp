// SPDX-License-Identifier: MIT
// Files are never lost: backups as the original, every kind of line end, what is written can be
// read again, shares that do not exist stay as they were, and oversized numbers say so.
#include "TestMachine.h"

#include "platform/IoError.h"
#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

namespace zentravolix::vmx {
namespace {

using test::newMachine;
namespace fs = std::filesystem;

struct stat statOf(const fs::path& path)
{
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

TEST(VmxBackupOfOpenedFile, ReadingWritesNoBackupAndTheBackupIsTheFileAsOpenedWithItsOwnerAndMode)
{
    test::TempFolder folder("backup");
    const fs::path path = folder.path() / "m.vmx";
    const std::string opened = "displayName = \"B\"\r\nremotedisplay.vnc.password = \"secret\"\r\n";
    test::writeFile(path, opened);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_EQ(::chown(path.c_str(), 4321, 8765), 0) << "tests run as root";
    test::writeFile(folder.path() / "m.vmx.bak", "older backup");

    const auto vm = newMachine();
    const ReadResult result = ReadVmxFile(path, *vm, ReadOptions{true});
    ASSERT_TRUE(result.original);
    EXPECT_EQ(test::readFile(folder.path() / "m.vmx.bak"), "older backup") << "opening leaves the backup alone";

    test::writeFile(path, "changed since it was opened");
    const fs::path backup = WriteBackup(*result.original);
    EXPECT_EQ(backup, folder.path() / "m.vmx.bak");
    EXPECT_EQ(test::readFile(backup), opened);
    const struct stat st = statOf(backup);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 8765u);

    EXPECT_FALSE(ReadVmxFile(path, *newMachine()).original) << "kept only when asked for";
}

TEST(VmxBackupOfOpenedFile, TheHashOfTheBytesReadIsGivenWithoutKeepingThem)
{
    // A change by another program is noticed by the hash of the file as read, also when no
    // backup keeps its bytes; the hash is of the bytes as they are, line ends and marks included.
    test::TempFolder folder("hash");
    const fs::path path = folder.path() / "m.vmx";
    const std::string bytes = "\xEF\xBB\xBF" "displayName = \"H\"\r\nunknown.key = \"1\"\n";
    test::writeFile(path, bytes);
    ReadOptions hashOnly;
    hashOnly.hashContent = true;
    const ReadResult hashed = ReadVmxFile(path, *newMachine(), hashOnly);
    EXPECT_FALSE(hashed.original);
    ASSERT_TRUE(hashed.contentHash);
    EXPECT_EQ(*hashed.contentHash, std::hash<std::string_view>()(bytes));
    EXPECT_EQ(hashed.otherParams, std::vector<std::string>{"unknown.key = \"1\""});

    ReadOptions both = hashOnly;
    both.keepOriginal = true;
    const ReadResult kept = ReadVmxFile(path, *newMachine(), both);
    ASSERT_TRUE(kept.original);
    EXPECT_EQ(kept.original->content, bytes);
    EXPECT_EQ(kept.contentHash, hashed.contentHash);
    EXPECT_FALSE(ReadVmxFile(path, *newMachine()).contentHash) << "given only when asked for";
}

TEST(VmxBackupOfOpenedFile, APlantedLinkIsReplacedNeverFollowed)
{
    test::TempFolder folder("backup-link");
    const fs::path path = folder.path() / "m.vmx";
    test::writeFile(path, "displayName = \"B\"\n");
    test::writeFile(folder.path() / "victim", "not to be overwritten");
    fs::create_symlink(folder.path() / "victim", folder.path() / "m.vmx.bak");

    const ReadResult result = ReadVmxFile(path, *newMachine(), ReadOptions{true});
    WriteBackup(*result.original);
    EXPECT_FALSE(fs::is_symlink(folder.path() / "m.vmx.bak"));
    EXPECT_EQ(test::readFile(folder.path() / "m.vmx.bak"), "displayName = \"B\"\n");
    EXPECT_EQ(test::readFile(folder.path() / "victim"), "not to be overwritten");
}

TEST(VmxLineEnds, LoneCarriageReturnsEndLinesAsLfAndCrLfDo)
{
    const std::string lines[] = {"displayName = \"Old Mac\"", "memsize = \"384\"", "numvcpus = \"2\"",
                                 "ethernet0.present = \"TRUE\"", "# a comment"};
    for (const char* end : {"\r", "\n", "\r\n"}) {
        std::string text;
        for (const auto& line : lines)
            text += line + end;
        const auto vm = newMachine();
        const ReadResult result = ReadVmxText(text, *vm, "/vms/mac/mac.vmx");
        EXPECT_EQ(vm->Options()->GeneralOptions()->DisplayName(), "Old Mac") << int(end[0]);
        EXPECT_EQ(vm->Hardware()->Memory()->Item(1)->MBs(), 384);
        EXPECT_EQ(vm->Hardware()->CPUs()->Count(), 2);
        EXPECT_EQ(vm->Hardware()->NetworkAdapters()->Count(), 1);
        EXPECT_EQ(result.otherParams, std::vector<std::string>{"# a comment"});
    }
    // Mixed ends count one line each, so the numbers in messages match an editor's.
    const auto vm = newMachine();
    const ReadResult mixed = ReadVmxText("memsize = \"x\"\rmemsize2 = \"1\"\r\n\rnumvcpus = \"y\"\n", *vm);
    ASSERT_EQ(mixed.problems.size(), 2u);
    EXPECT_EQ(mixed.problems[0].line, 1);
    EXPECT_EQ(mixed.problems[1].line, 4);
}

TEST(VmxSizeLimit, WhatTheWriterMakesOfALargeLfFileCanBeReadAgain)
{
    test::TempFolder folder("limit");
    const fs::path path = folder.path() / "big.vmx";
    // Just under 63 MiB of short kept lines with LF ends: with CR LF they take over 64 MiB.
    std::string text = "displayName = \"Big\"\n";
    text.reserve(64u << 20);
    for (std::size_t i = 0; text.size() < (63u << 20) - 64; ++i)
        text += "custom" + std::to_string(i) + ".setting = \"0123456789abcdef\"\n";
    test::writeFile(path, text);

    const auto vm = newMachine();
    const ReadResult first = ReadVmxFile(path, *vm);
    const SavedFile saved = SaveVmxFile(*vm, first.otherParams, first.valuesAfterRead);
    ASSERT_GT(saved.text.size(), MaxVmxFileSize) << "the case this test is about";
    const auto again = newMachine();
    EXPECT_NO_THROW(ReadVmxFile(path, *again));
    EXPECT_EQ(again->Options()->GeneralOptions()->DisplayName(), "Big");
}

TEST(VmxSizeLimit, AConfigurationTooLargeToReadAgainIsNotWritten)
{
    test::TempFolder folder("limit-write");
    const auto vm = newMachine("Huge", folder.path().string() + "/");
    std::vector<std::string> kept;
    for (int i = 0; i < 700000; ++i)
        kept.push_back("custom" + std::to_string(i) + ".line = \"" + std::string(90, 'y') + "\"");
    try {
        SaveVmxFile(*vm, kept);
        FAIL() << "a file larger than the reader takes was written";
    } catch (const platform::IoError& e) {
        EXPECT_NE(std::string(e.what()).find("larger than 64 MiB"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(fs::exists(folder.path() / "Huge.vmx"));
}

TEST(VmxSharedFolders, ASharePresentFalseMakesNoShareAndIsWrittenBackAsItWas)
{
    const std::string file = "displayName = \"S\"\n"
                             "sharedFolder.maxNum = \"2\"\n"
                             "sharedFolder0.present = \"TRUE\"\n"
                             "sharedFolder0.enabled = \"TRUE\"\n"
                             "sharedFolder0.hostPath = \"/srv/data\"\n"
                             "sharedFolder0.guestName = \"data\"\n"
                             "sharedFolder1.present = \"FALSE\"\n"
                             "sharedFolder1.hostPath = \"/srv/old\"\n"
                             "sharedFolder1.guestName = \"old\"\n";
    const auto vm = newMachine();
    const ReadResult result = ReadVmxText(file, *vm, "/vms/s/s.vmx");
    const auto shares = vm->Options()->SharedFoldersOptions();
    ASSERT_EQ(shares->Count(), 1);
    EXPECT_EQ(shares->Item(1)->HostFolder(), "/srv/data");

    const std::string written = WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    for (const char* line : {"sharedFolder.maxNum = \"2\"\r\n", "sharedFolder1.present = \"FALSE\"\r\n",
                             "sharedFolder1.hostPath = \"/srv/old\"\r\n", "sharedFolder1.guestName = \"old\"\r\n"})
        EXPECT_NE(written.find(line), std::string::npos) << line << written;
    const auto keys = test::keysOf(written);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "sharedfolder1.present"), 1);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "sharedfolder.maxnum"), 1);

    // Read again, the same: still one share, and the text does not change.
    const auto again = newMachine();
    const ReadResult reread = ReadVmxText(written, *again, "/vms/s/s.vmx");
    EXPECT_EQ(again->Options()->SharedFoldersOptions()->Count(), 1);
    EXPECT_EQ(WriteVmxText(*again, reread.otherParams, reread.valuesAfterRead), written);
}

TEST(VmxSharedFolders, AnAbsentShareBelowTheCountHoldsItsPlaceAndReadsBackTheSame)
{
    // The count makes four shares, so the absent third one still takes its place in the model: its
    // ".present" line stays as the file had it, its other lines are the share's. Before, its lines
    // were kept while the count made a share there too, and the second save differed.
    const std::string file = "sharedFolder2.guestName = \"old\"\n"
                             "sharedFolder2.present = \"FALSE\"\n"
                             "sharedFolder.maxNum = \"4\"\n";
    const auto vm = newMachine();
    const ReadResult result = ReadVmxText(file, *vm, "/vms/s/s.vmx");
    const auto shares = vm->Options()->SharedFoldersOptions();
    ASSERT_EQ(shares->Count(), 4);
    EXPECT_EQ(shares->Item(3)->ShareName(), "old");
    EXPECT_EQ(result.otherParams, std::vector<std::string>{"sharedFolder2.present = \"FALSE\""});

    const std::string written = WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    const auto again = newMachine();
    const ReadResult reread = ReadVmxText(written, *again, "/vms/s/s.vmx");
    EXPECT_EQ(again->Options()->SharedFoldersOptions()->Count(), 4);
    EXPECT_EQ(WriteVmxText(*again, reread.otherParams, reread.valuesAfterRead), written);
}

TEST(VmxNodeNumbers, ANodeNumberTooLargeForAnyControllerIsReportedAsTooLarge)
{
    const auto vm = newMachine();
    const ReadResult result =
        ReadVmxText("scsi0:99999.present = \"TRUE\"\nscsi0:-99999.present = \"TRUE\"\nscsi0:x.present = \"TRUE\"\n", *vm);
    ASSERT_EQ(result.problems.size(), 3u);
    EXPECT_EQ(result.problems[0].code, ProblemCode::IndexTooLarge);
    EXPECT_EQ(result.problems[1].code, ProblemCode::BadIndex);
    EXPECT_EQ(result.problems[2].code, ProblemCode::BadIndex);
    EXPECT_STREQ(ProblemCodeName(ProblemCode::IndexTooLarge), "index-too-large");
}

} // namespace
} // namespace zentravolix::vmx
