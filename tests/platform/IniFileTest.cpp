// SPDX-License-Identifier: MIT
#include "TestFolder.h"

#include "platform/AtomicFile.h"
#include "platform/IniDocument.h"
#include "platform/cInifile.h"

#include <gtest/gtest.h>

using namespace zentravolix::platform;
using zvtest::ReadFile;
using zvtest::WriteFile;

namespace {

class IniFileTest : public ::testing::Test {
protected:
    cInifile ini(const std::string& section, const std::string& key, const std::string& def = "dflt")
    {
        cInifile file;
        file.SetPath(path.string());
        file.SetSection(section);
        file.SetKey(key);
        file.SetDefault(def);
        return file;
    }
    zvtest::TestFolder folder;
    std::filesystem::path path = folder / "sub" / "test.ini";
};

} // namespace

TEST_F(IniFileTest, ValuesRoundTripWholeAndCreateFolderFileAndSection)
{
    const std::string longValue(300, 'x');
    auto a = ini("General", "Long");
    a.SetValue(longValue);
    EXPECT_NE(a.LastReturnCode(), 0);
    auto b = ini("Other", "Mixed");
    b.SetValue(std::string("a=b;c \"q\" \xC3\xA4") + '\0' + "tail");
    EXPECT_EQ(ini("General", "Long").Value(), longValue); // no 254-character cut
    EXPECT_EQ(ini("other", "MIXED").Value(), "a=b;c \"q\" \xC3\xA4tail");
    EXPECT_EQ(ReadFile(path),
              "[General]\r\nLong=" + longValue + "\r\n\r\n[Other]\r\nMixed=a=b;c \"q\" \xC3\xA4tail\r\n");
}

TEST_F(IniFileTest, MissingFileSectionOrKeyReadsDefault)
{
    EXPECT_EQ(ini("General", "Key").Value(), "dflt");
    EXPECT_TRUE(ini("General", "Key").EnumerateCurrentSection().empty());
    WriteFile(path, "[General]\nOther=1\nBare\n");
    EXPECT_EQ(ini("General", "Key").Value(), "dflt");
    EXPECT_EQ(ini("Missing", "Other").Value(), "dflt");
    EXPECT_EQ(ini("General", "Bare").Value(), "dflt"); // a name without "=" has no value
}

TEST_F(IniFileTest, HandWrittenFilesReadLikeThePlatformReader)
{
    WriteFile(path, "\xEF\xBB\xBF[General]\r\n"
                    "  Spaced   =   value with  inner blanks   \r\n"
                    "; Comment=not a key\r\n"
                    "Dup=first\r\n"
                    "dup=second\r\n"
                    "Quoted=\"kept\"\r\n"
                    "Empty=\r\n"
                    "[general]\r\n"
                    "Late=only in the second section\r\n"
                    "[Last]\n"
                    "NoNewline=end");
    EXPECT_EQ(ini("General", " spaced ").Value(), "value with  inner blanks");
    EXPECT_EQ(ini("General", "DUP").Value(), "first");
    EXPECT_EQ(ini("General", "Quoted").Value(), "\"kept\"");
    EXPECT_EQ(ini("General", "Empty").Value(), "");
    EXPECT_EQ(ini("General", "; Comment").Value(), "dflt");
    EXPECT_EQ(ini("General", "Late").Value(), "dflt"); // the first section of a name wins
    EXPECT_EQ(ini("Last", "NoNewline").Value(), "end");
    EXPECT_EQ(ini("General", "").EnumerateCurrentSection(),
              (std::vector<std::string>{"Spaced", "Dup", "dup", "Quoted", "Empty"}));
}

TEST_F(IniFileTest, WriteChangesOnlyItsOwnLine)
{
    const std::string before = "; settings\n[A]\n  Key = old  \nKeep=1\n\n[B]\nX=1\n";
    WriteFile(path, before);
    ini("a", "KEY").SetValue("new");
    EXPECT_EQ(ReadFile(path), "; settings\n[A]\nKey=new\nKeep=1\n\n[B]\nX=1\n");
    ini("A", "Added").SetValue("2"); // after the last line of A, before the blank separator
    ini("C", "Y").SetValue("3");
    EXPECT_EQ(ReadFile(path), "; settings\n[A]\nKey=new\nKeep=1\nAdded=2\n\n[B]\nX=1\n\n[C]\nY=3\n");
}

TEST_F(IniFileTest, WriteAfterLastLineWithoutNewline)
{
    WriteFile(path, "[A]\r\nX=1");
    ini("A", "Y").SetValue("2");
    EXPECT_EQ(ReadFile(path), "[A]\r\nX=1\r\nY=2\r\n");
}

TEST_F(IniFileTest, LineBreaksInValuesAreRefusedAndLeaveTheFile)
{
    WriteFile(path, "[A]\nX=1\n");
    auto file = ini("A", "X");
    file.SetValue("evil\n[General]\nCreateBackups=0");
    EXPECT_EQ(file.LastReturnCode(), 0);
    EXPECT_NE(file.LastError().find(path.string()), std::string::npos);
    auto badKey = ini("A", "a=b");
    badKey.SetValue("1");
    EXPECT_EQ(badKey.LastReturnCode(), 0);
    EXPECT_EQ(ReadFile(path), "[A]\nX=1\n");
}

TEST_F(IniFileTest, DeleteSectionRemovesEveryCopyWithItsLines)
{
    WriteFile(path,
              "[Keep]\nA=1\n[Favorites]\n; note\nFavorite0=x\n\n[Other]\nB=2\n[FAVORITES]\nFavorite1=y\n");
    auto del = ini("favorites", "");
    del.DeleteSection();
    EXPECT_NE(del.LastReturnCode(), 0);
    EXPECT_EQ(ReadFile(path), "[Keep]\nA=1\n[Other]\nB=2\n");
    del.DeleteSection(); // already gone: success, file left alone
    EXPECT_NE(del.LastReturnCode(), 0);
    EXPECT_EQ(ReadFile(path), "[Keep]\nA=1\n[Other]\nB=2\n");
}

TEST_F(IniFileTest, EnumerationHasNoBufferLimit)
{
    IniDocument doc;
    std::vector<std::pair<std::string, std::string>> entries;
    for (int i = 0; i < 600; ++i)
        entries.emplace_back("AFairlyLongKeyName" + std::to_string(i), std::to_string(i));
    doc.replaceSection("Big", entries); // about 12,000 characters of names
    doc.save(path);
    const auto keys = ini("Big", "").EnumerateCurrentSection();
    ASSERT_EQ(keys.size(), 600u);
    EXPECT_EQ(keys.front(), "AFairlyLongKeyName0");
    EXPECT_EQ(keys.back(), "AFairlyLongKeyName599");
}

TEST_F(IniFileTest, FailedWriteKeepsTheOldFile)
{
    WriteFile(path, "[A]\nX=1\n");
    {
        ScopedWriteFailureForTesting failure(WriteHooks::ShortWrite(3));
        auto file = ini("A", "X");
        file.SetValue("2");
        EXPECT_EQ(file.LastReturnCode(), 0);
        EXPECT_NE(file.LastError().find("No space left"), std::string::npos);
    }
    EXPECT_EQ(ReadFile(path), "[A]\nX=1\n");
    EXPECT_EQ(zvtest::Listing(path.parent_path()), std::vector<std::string>{"test.ini"});

    // A folder that is really a file: root ignores permissions, so this is how writes fail.
    WriteFile(folder / "plain", "");
    cInifile blocked;
    blocked.SetPath((folder / "plain" / "x.ini").string());
    blocked.SetSection("A");
    blocked.SetKey("X");
    blocked.SetValue("1");
    EXPECT_EQ(blocked.LastReturnCode(), 0);
    EXPECT_NE(blocked.LastError().find("plain"), std::string::npos);
}
