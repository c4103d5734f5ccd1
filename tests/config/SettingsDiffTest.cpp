// SPDX-License-Identifier: MIT
// Settings compared key by key, the unified diff of two texts, and where a file's keys are.
#include "config/ConfigChecks.h"
#include "config/SettingsDiff.h"
#include "disk/ExtentCheck.h"

#include <gtest/gtest.h>

namespace {

using namespace zentravolix::config;

TEST(SettingsDiff, SettingsIgnoreKeyCaseAndTheLaterLineWins)
{
    const auto a = ReadSettings("# comment\r\nmemsize = \"256\"\r\nMemSize = \"512\"\r\nguestOS = \"a|22b\"\n");
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(FindSetting(a, "MEMSIZE")->value, "512");
    EXPECT_EQ(FindSetting(a, "MEMSIZE")->line, 3);
    EXPECT_EQ(FindSetting(a, "guestos")->value, "a\"b");
    EXPECT_FALSE(FindSetting(a, "nvram"));

    const auto b = ReadSettings("MEMSIZE = \"512\"\nnvram = \"x\"\n");
    const auto changes = CompareSettings(a, b);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].key, "guestOS");
    EXPECT_EQ(changes[0].before, "a\"b");
    EXPECT_FALSE(changes[0].after);
    EXPECT_EQ(changes[1].key, "nvram");
    EXPECT_FALSE(changes[1].before);
}

TEST(SettingsDiff, UnifiedDiffMakesSeparateHunksForDistantChanges)
{
    std::string before, after;
    for (int i = 1; i <= 20; ++i) {
        before += "k" + std::to_string(i) + " = \"" + std::to_string(i) + "\"\r\n";
        after += "k" + std::to_string(i) + " = \"" + std::to_string(i == 2 || i == 18 ? -i : i) + "\"\n";
    }
    EXPECT_EQ(UnifiedDiff(before, after, "a", "b"),
              "--- a\n+++ b\n"
              "@@ -1,5 +1,5 @@\n k1 = \"1\"\n-k2 = \"2\"\n+k2 = \"-2\"\n k3 = \"3\"\n k4 = \"4\"\n k5 = \"5\"\n"
              "@@ -15,6 +15,6 @@\n k15 = \"15\"\n k16 = \"16\"\n k17 = \"17\"\n-k18 = \"18\"\n+k18 = \"-18\"\n"
              " k19 = \"19\"\n k20 = \"20\"\n");
    // Line ends alone are no difference.
    EXPECT_EQ(UnifiedDiff("a\r\nb\r\n", "a\nb\n", "x", "y"), "");
    EXPECT_EQ(UnifiedDiff("", "a\n", "x", "y"), "--- x\n+++ y\n@@ -0,0 +1 @@\n+a\n");
}

TEST(SettingsDiff, ReplaceKeyLineTakesTheFirstPlaceAndDropsTheOthers)
{
    EXPECT_EQ(ReplaceKeyLine("a = \"1\"\nMEMSIZE = \"4\"\nb = \"2\"\nmemsize = \"8\"\n", "memSize", "memsize = \"16\""),
              "a = \"1\"\r\nmemsize = \"16\"\r\nb = \"2\"\r\n");
    EXPECT_EQ(ReplaceKeyLine("a = \"1\"\n", "new.key", "new.key = \"x\""), "a = \"1\"\r\nnew.key = \"x\"\r\n");
}

TEST(KeyLines, IndexFindsKeysAndSlotsOverEveryLineEnd)
{
    const KeyLineIndex index("\xEF\xBB\xBF# c\r\nmemsize = \"4\"\rethernet0.present = \"TRUE\"\n\nScsi0:1.fileName = \"d\"\n");
    EXPECT_EQ(index.keyLines(), 3);
    EXPECT_EQ(index.lineOf("MEMSIZE"), 2);
    EXPECT_EQ(index.lineOfSlot("ethernet0"), 3);
    EXPECT_EQ(index.lineOf("scsi0:1.filename"), 5);
    EXPECT_EQ(index.lineOfSlot("scsi0:1"), 5);
    EXPECT_EQ(index.lineOf("nvram"), 0);
}

TEST(ExtentLines, EveryShapeOfExtentLineIsRead)
{
    const auto extents = zentravolix::disk::ParseExtentLines(
        "# Extent description\r\nRW 4192256 SPARSE \"d-s001.vmdk\"\r\nRDONLY 10 FLAT \"/abs/d-flat.vmdk\" 7\n"
        "NOACCESS 5 ZERO\nRW x SPARSE \"bad\"\nddb.adapterType = \"ide\"\n\0RW 1 SPARSE \"after-nul\"\n");
    ASSERT_EQ(extents.size(), 3u);
    EXPECT_EQ(extents[0].sectors, 4192256);
    EXPECT_EQ(extents[0].fileName, "d-s001.vmdk");
    EXPECT_EQ(extents[0].line, 2);
    EXPECT_EQ(extents[1].access, "RDONLY");
    EXPECT_EQ(extents[1].offset, 7);
    EXPECT_EQ(extents[2].type, "ZERO");
    EXPECT_EQ(extents[2].fileName, "");
}

} // namespace
