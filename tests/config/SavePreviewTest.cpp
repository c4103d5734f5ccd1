// SPDX-License-Identifier: MIT
// The save preview: the line diff and the settings whose meaning a save changes.
#include "config/SavePreview.h"

#include <gtest/gtest.h>

#include <string>

using namespace zentravolix;
using config::DiffLine;
using config::SettingChange;

namespace {

/** The diff as one string: " " same, "-" removed, "+" added, one line each with its number. */
std::string render(const std::vector<DiffLine>& lines)
{
    std::string out;
    for (const auto& line : lines) {
        out += line.kind == DiffLine::Kind::Same ? ' ' : line.kind == DiffLine::Kind::Removed ? '-' : '+';
        out += std::to_string(line.number) + ' ' + line.text + '\n';
    }
    return out;
}

TEST(SavePreviewTest, TheDiffMarksExactlyTheChangedLines)
{
    EXPECT_EQ(render(config::DiffLines("a\nb\nc\n", "a\nB\nc\n")), " 1 a\n-2 b\n+2 B\n 3 c\n");
    EXPECT_EQ(render(config::DiffLines("a\nb\n", "a\nb\nc\n")), " 1 a\n 2 b\n+3 c\n");
    EXPECT_EQ(render(config::DiffLines("x\na\nb\n", "a\nb\n")), "-1 x\n 2 a\n 3 b\n");
    EXPECT_EQ(render(config::DiffLines("", "")), "");
    EXPECT_EQ(render(config::DiffLines("", "a")), "+1 a\n");
    // Line ends are layout: the same lines with other ends are the same lines.
    EXPECT_EQ(render(config::DiffLines("a\r\nb\r\n", "a\nb\rc")), " 1 a\n 2 b\n+3 c\n");
    // A line moved is one removal and one addition, the rest stays the same.
    EXPECT_EQ(render(config::DiffLines("a\nb\nc\nd\n", "b\nc\nd\na\n")), "-1 a\n 2 b\n 3 c\n 4 d\n+4 a\n");
}

TEST(SavePreviewTest, TheDiffIsMinimalAndBoundedForTextsWithLittleInCommon)
{
    std::string before;
    std::string after;
    for (int i = 0; i < 300; ++i) {
        before += "line" + std::to_string(i) + "\n";
        after += (i % 50 == 7 ? "changed" : "line") + std::to_string(i) + "\n";
    }
    int removed = 0;
    int added = 0;
    for (const auto& line : config::DiffLines(before, after)) {
        removed += line.kind == DiffLine::Kind::Removed;
        added += line.kind == DiffLine::Kind::Added;
    }
    EXPECT_EQ(removed, 6);
    EXPECT_EQ(added, 6);

    // Beyond the bound the middle goes whole, and still every line is there once.
    const auto bounded = config::DiffLines("a\nb\nc\nd\n", "a\nx\ny\nd\n", 2);
    EXPECT_EQ(render(bounded), " 1 a\n-2 b\n-3 c\n+2 x\n+3 y\n 4 d\n");
}

TEST(SavePreviewTest, OnlySettingsThatChangeMeaningAreSummed)
{
    const std::string before = "# header\r\nmemsize = \"256\"\r\nguestOS = \"winxp\"\r\nuuid.bios = \"1\"\r\n"
                               "dup = \"old\"\r\ndup = \"new\"\r\n";
    // Another order, other line ends, other comments, other quoting and letter case of keys.
    const std::string sameMeaning = "GUESTOS=winxp\nuuid.bios = \"1\"\n# other header\nmemsize = \"256\"\ndup = \"new\"\n";
    EXPECT_TRUE(config::CompareSettings(before, sameMeaning).empty());

    const std::string after = "memsize = \"512\"\nguestOS = \"winxp\"\nguestinfo.hostname = \"web|221\"\ndup = \"new\"\n";
    const auto changes = config::CompareSettings(before, after);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].kind, SettingChange::Kind::Changed);
    EXPECT_EQ(changes[0].key, "memsize");
    EXPECT_EQ(changes[0].before, "256");
    EXPECT_EQ(changes[0].after, "512");
    EXPECT_EQ(changes[1].kind, SettingChange::Kind::Added);
    EXPECT_EQ(changes[1].key, "guestinfo.hostname");
    EXPECT_EQ(changes[1].after, "web\"1");
    EXPECT_EQ(changes[2].kind, SettingChange::Kind::Removed);
    EXPECT_EQ(changes[2].key, "uuid.bios");
    EXPECT_EQ(changes[2].before, "1");

    const auto preview = config::MakeSavePreview(before, sameMeaning);
    EXPECT_TRUE(preview.linesDiffer);
    EXPECT_TRUE(preview.changes.empty());
    EXPECT_FALSE(config::MakeSavePreview("a\r\n", "a\n").linesDiffer);
}

} // namespace
