// SPDX-License-Identifier: MIT
// A configuration's life: a new machine's name and folder, the rules of an opened file, the save
// with its checks and the backup of the file as it was opened.
#include "config/ConfigSession.h"

#include "platform/IoError.h"
#include "platform/TextTable.h"
#include "support/Files.h"
#include "vmx/VmxFileError.h"

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace zentravolix;
using config::ConfigSession;

namespace {

using test::readFile;
using test::writeFile;

class ConfigSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetLanguageOffset(0);
        std::string pattern = (fs::temp_directory_path() / "zv-session-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string displayName(const ConfigSession& session) const
    {
        return session.Machine()->Options()->GeneralOptions()->DisplayName();
    }

    fs::path folder;
};

TEST_F(ConfigSessionTest, NewMachineIsNamedAndPlacedByTheCallerOrTheDefaults)
{
    ConfigSession unnamed("/tmp/zv-temp/");
    EXPECT_FALSE(unnamed.NameValid()) << "nothing named yet";
    unnamed.StartNew("", "");
    const auto general = unnamed.Machine()->Options()->GeneralOptions();
    EXPECT_EQ(general->DisplayName(), "New VM");
    EXPECT_EQ(unnamed.FilePath(), fs::path("/tmp/zv-temp/New VM.vmx"));
    EXPECT_TRUE(unnamed.NameValid());
    EXPECT_TRUE(unnamed.OpenedPath().empty());

    // A folder without the separator gets it: the path is folder and name run together.
    ConfigSession named("/tmp/zv-temp/");
    named.StartNew("Build box", "/srv/vms/build");
    EXPECT_EQ(named.FilePath(), fs::path("/srv/vms/build/Build box.vmx"));
    EXPECT_EQ(named.Limits().MaxMemoryMB, 3684) << "Workstation 5.5x";
    EXPECT_FALSE(named.CheckBeforeSave());
}

TEST_F(ConfigSessionTest, OpenedFileWithoutDisplayNameGoesByItsKnownNameElseItsFileName)
{
    const fs::path file = folder / "Lab box.vmx";
    writeFile(file, "memsize = \"256\"\n");

    ConfigSession byFile(folder.string());
    byFile.Open(file);
    EXPECT_EQ(displayName(byFile), "Lab box") << "never the new machine's \"New VM\"";
    EXPECT_TRUE(byFile.NameValid());
    EXPECT_EQ(byFile.OpenedPath(), file);
    EXPECT_NE(byFile.Text().find("displayName = \"Lab box\""), std::string::npos);

    ConfigSession byFavourite(folder.string());
    byFavourite.Open(file, {false, "Favourite"});
    EXPECT_EQ(displayName(byFavourite), "Favourite");

    writeFile(file, "displayName = \"Own\"\n");
    ConfigSession own(folder.string());
    own.Open(file, {false, "Favourite"});
    EXPECT_EQ(displayName(own), "Own");
}

TEST_F(ConfigSessionTest, OpenedFileSetsLimitsAndReportsProblemsAndKeptLines)
{
    ConfigSession session(folder.string());
    const auto& problems = session.OpenText("# Platform = Workstation\n# Version = 4.5x\nmemsize = \"lots\"\n"
                                            "nvram = \"a.nvram\"\nNVRAM = \"b.nvram\"\n",
                                            folder / "w45.vmx");
    EXPECT_EQ(session.Limits().MaxMemoryMB, 1024) << "Workstation 4.5x";
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].line, 3);
    EXPECT_EQ(session.OtherParams().size(), 2u) << "a key the file sets twice is kept once";
    EXPECT_EQ(session.KeptValue("nvram"), "b.nvram") << "the last line of a key wins";
    EXPECT_FALSE(session.KeptValue(""));
    session.DropKept("nvram");
    EXPECT_FALSE(session.KeptValue("nvram"));
    EXPECT_EQ(session.OtherParams().size(), 1u);
}

TEST_F(ConfigSessionTest, UnreadableFileThrowsAndLeavesTheDefaults)
{
    ConfigSession session(folder.string());
    EXPECT_THROW(session.Open(folder / "missing.vmx"), vmx::VmxFileError);
    EXPECT_TRUE(session.OpenedPath().empty());
    EXPECT_FALSE(session.NameValid());
    EXPECT_EQ(session.Machine()->Hardware()->IDEControllers()->Count(), 2);
}

TEST_F(ConfigSessionTest, SaveUnderAnotherNameNeedsAFileNameAndWritesTheText)
{
    const fs::path file = folder / "a.vmx";
    writeFile(file, "displayName = \"A\"\nunknown.key = \"kept\"\n");
    ConfigSession session(folder.string());
    session.Open(file);

    session.SaveAs(folder.string() + "/");
    ASSERT_TRUE(session.CheckBeforeSave());
    EXPECT_EQ(session.CheckBeforeSave()->kind, vmx::SaveRefusal::Kind::InvalidVmxName);

    session.SaveAs(folder / "sub" / ".." / "b.vmx");
    EXPECT_FALSE(session.CheckBeforeSave());
    EXPECT_EQ(session.FilePath(), folder / "b.vmx");
    const vmx::SavedFile saved = session.Save();
    EXPECT_EQ(saved.path, folder / "b.vmx");
    EXPECT_EQ(readFile(saved.path), session.Text());
    EXPECT_NE(saved.text.find("unknown.key = \"kept\""), std::string::npos);
}

TEST_F(ConfigSessionTest, BackupIsTheFileAsOpenedMadeOnceAtTheFirstSaveOverIt)
{
    const fs::path file = folder / "m.vmx";
    const std::string original = "displayName = \"M\"\r\nmemsize = \"128\"\r\n";
    writeFile(file, original);
    ConfigSession session(folder.string());
    session.Open(file, {true, {}});
    ASSERT_TRUE(session.BackupPending());
    // The file changes on disk after opening: the backup still holds what was opened.
    writeFile(file, "changed\n");

    session.SaveAs(folder / "other.vmx");
    EXPECT_FALSE(session.BackupIfDue()) << "a save under another name leaves the file alone";
    EXPECT_TRUE(session.BackupPending());

    session.SaveAs(file);
    const auto backup = session.BackupIfDue();
    ASSERT_TRUE(backup);
    EXPECT_EQ(*backup, fs::path(file.string() + ".bak"));
    EXPECT_EQ(readFile(*backup), original);
    session.Save();
    EXPECT_FALSE(session.BackupPending());
    EXPECT_FALSE(session.BackupIfDue()) << "only the first save makes it";
    EXPECT_EQ(readFile(*backup), original);

    ConfigSession without(folder.string());
    without.Open(file);
    EXPECT_FALSE(without.BackupPending());
    EXPECT_FALSE(without.BackupIfDue());
}

TEST_F(ConfigSessionTest, BackupThatCannotBeWrittenThrowsAndStaysPending)
{
    const fs::path file = folder / "m.vmx";
    writeFile(file, "displayName = \"M\"\n");
    ConfigSession session(folder.string());
    session.Open(file, {true, {}});
    // A folder standing at the backup's name cannot be replaced by a file.
    fs::create_directory(folder / "m.vmx.bak");
    fs::create_directory(folder / "m.vmx.bak" / "inside");
    EXPECT_THROW(session.BackupIfDue(), platform::IoError);
    EXPECT_TRUE(session.BackupPending());
}

TEST_F(ConfigSessionTest, AChangeByAnotherProgramIsNoticedUntilTheNextSave)
{
    const fs::path file = folder / "m.vmx";
    writeFile(file, "displayName = \"M\"\r\nmemsize = \"128\"\r\n");
    ConfigSession session(folder.string());
    session.Open(file);
    EXPECT_FALSE(session.ChangedOnDisk());
    EXPECT_EQ(session.TextOnDisk(), readFile(file));

    // Written again with the same bytes (a newer time): nothing changed.
    writeFile(file, readFile(file));
    fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(5));
    EXPECT_FALSE(session.ChangedOnDisk());

    // Same size, other bytes, the time put back: the content tells.
    const auto time = fs::last_write_time(file);
    writeFile(file, "displayName = \"N\"\r\nmemsize = \"128\"\r\n");
    fs::last_write_time(file, time);
    EXPECT_TRUE(session.ChangedOnDisk());

    // A save under another name replaces another file: that one was never known.
    session.SaveAs(folder / "other.vmx");
    EXPECT_FALSE(session.ChangedOnDisk());
    EXPECT_FALSE(session.TextOnDisk());
    session.SaveAs(file);
    EXPECT_TRUE(session.ChangedOnDisk());

    // The save writes over it and knows the file again.
    const auto saved = session.Save();
    EXPECT_FALSE(session.ChangedOnDisk());
    EXPECT_EQ(session.TextOnDisk(), saved.text);
    writeFile(file, saved.text + "extra = \"1\"\r\n");
    EXPECT_TRUE(session.ChangedOnDisk());
    // A file gone is nothing a save would replace.
    fs::remove(file);
    EXPECT_FALSE(session.ChangedOnDisk());
    EXPECT_FALSE(session.TextOnDisk());
}

TEST_F(ConfigSessionTest, ParametersSetOnTheSessionAreSavedAndReadBack)
{
    const fs::path file = folder / "m.vmx";
    writeFile(file, "displayName = \"M\"\nuuid.bios = \"1\"\nguestinfo.a = \"x\"\n");
    ConfigSession session(folder.string());
    session.Open(file);
    ASSERT_EQ(session.OtherParams().size(), 2u);
    session.SetOtherParams({"guestinfo.a = \"y\"", "monitor.virtual_exec = \"hardware\""});
    session.Save();

    ConfigSession again(folder.string());
    again.Open(file);
    EXPECT_EQ(again.OtherParams(), (std::vector<std::string>{"guestinfo.a = \"y\"", "monitor.virtual_exec = \"hardware\""}));
}

} // namespace
