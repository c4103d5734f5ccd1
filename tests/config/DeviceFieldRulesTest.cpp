// SPDX-License-Identifier: MIT
#include "config/DeviceFieldRules.h"
#include "config/NumericText.h"
#include "config/ProductTables.h"

#include <gtest/gtest.h>

using namespace zentravolix::config;
using Outcome = FieldDecision::Outcome;

namespace {

std::int32_t maxMemory(std::int16_t platform, std::int16_t version)
{
    const auto settings = FindVersionSettings(platform, version);
    return settings ? settings->Limits.MaxMemoryMB : 0;
}

const RuleMessage kRamNotNumeric{176, 177, {}, RuleIcon::Exclamation};
const RuleMessage kRamOutOfRange{178, 179, {}, RuleIcon::Exclamation};

} // namespace

TEST(NumericText, AcceptsPlainDecimalNumbersOnly)
{
    EXPECT_EQ(ParseNumeric("128"), 128.0);
    EXPECT_EQ(ParseNumeric("  -12.5\t"), -12.5);
    EXPECT_EQ(ParseNumeric("+4"), 4.0);
    EXPECT_EQ(ParseNumeric(".5"), 0.5);
    EXPECT_EQ(ParseNumeric("1e3"), 1000.0);
    for (const char* bad : {"", " ", "abc", "12a", "1 2", "0x10", "inf", "nan", "1e", "-", ".", "1,5", "1e999"})
        EXPECT_FALSE(ParseNumeric(bad).has_value()) << '"' << bad << '"';
}

TEST(NumericText, RoundsHalfToEvenAndRefusesWhatDoesNotFit)
{
    EXPECT_EQ(RoundToInt16(2.5), 2);
    EXPECT_EQ(RoundToInt16(3.5), 4);
    EXPECT_EQ(RoundToInt16(-32768.0), -32768);
    EXPECT_FALSE(RoundToInt16(32767.6).has_value());
    EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
    EXPECT_FALSE(RoundToInt32(2147483648.0).has_value());
    EXPECT_EQ(FormatDecimal(3.515625), "3.515625");
    EXPECT_EQ(FormatDecimal(16.0), "16");
}

TEST(MemoryRule, RangeFollowsProductAndVersion)
{
    const std::int32_t ws45 = maxMemory(1, 2), ws55 = maxMemory(1, 4);
    ASSERT_EQ(ws45, 1024);
    ASSERT_EQ(ws55, 3684);

    EXPECT_EQ(CheckMemorySize("3", ws55).message, kRamOutOfRange);
    EXPECT_TRUE(CheckMemorySize("3", ws55).keepFocus);
    EXPECT_EQ(CheckMemorySize("4", ws55).megabytes, 4);
    EXPECT_TRUE(CheckMemorySize("4", ws55).stored());
    EXPECT_TRUE(CheckMemorySize("1028", ws45).refused());
    EXPECT_EQ(CheckMemorySize("1024", ws45).megabytes, 1024);
    EXPECT_EQ(CheckMemorySize("3684", ws55).megabytes, 3684);
    EXPECT_EQ(CheckMemorySize("3688", ws55).message, kRamOutOfRange);
    // GSX Server 2.5x allows 2048.
    EXPECT_TRUE(CheckMemorySize("2048", maxMemory(0, 0)).stored());
    EXPECT_TRUE(CheckMemorySize("2052", maxMemory(0, 0)).refused());
}

TEST(MemoryRule, RoundsDownToAMultipleOfFourAndShowsIt)
{
    const auto d = CheckMemorySize("130", 3684);
    EXPECT_TRUE(d.stored());
    EXPECT_EQ(d.megabytes, 128);
    EXPECT_EQ(d.shownText, "128");
    EXPECT_FALSE(CheckMemorySize("128", 3684).shownText.has_value());
    // A fraction is rounded first, then cut to the step; the box shows what is stored.
    EXPECT_EQ(CheckMemorySize("131.6", 3684).megabytes, 132);
    EXPECT_EQ(CheckMemorySize("127.6", 3684).shownText, "128");
    EXPECT_FALSE(CheckMemorySize(" 128 ", 3684).shownText.has_value());
}

TEST(MemoryRule, EmptyTextIsIgnoredAndOtherTextRefused)
{
    EXPECT_EQ(CheckMemorySize("", 3684).outcome, Outcome::Ignore);
    EXPECT_FALSE(CheckMemorySize("", 3684).message.has_value());
    const auto d = CheckMemorySize("12x", 3684);
    EXPECT_TRUE(d.refused());
    EXPECT_EQ(d.message, kRamNotNumeric);
    EXPECT_TRUE(d.keepFocus);
    EXPECT_FALSE(d.shownText.has_value());
}

TEST(MemoryRule, SizesBeyondSixteenBitsAreOutOfRangeNotAnOverflow)
{
    EXPECT_EQ(CheckMemorySize("40000", 65536).message, kRamOutOfRange);
    EXPECT_EQ(CheckMemorySize("1e300", 3684).message, kRamOutOfRange);
    EXPECT_EQ(CheckMemorySize("-8", 3684).message, kRamOutOfRange);
}

TEST(MacBoxRule, FixedGroupsDependOnTheAddressType)
{
    struct Case {
        int index;
        const char* text;
        bool generated, statik;
    };
    const Case cases[] = {
        {0, "00", true, true},  {0, "01", false, false}, {1, "0C", true, false}, {1, "0c", true, false},
        {1, "50", false, true}, {2, "29", true, false},  {2, "56", false, true}, {3, "3F", true, true},
        {3, "3f", true, true},  {3, "40", true, false},  {3, "FF", true, false}, {4, "aB", true, true},
        {5, "G0", false, false}, {5, "0", false, false}, {5, "000", false, false}, {6, "00", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "box " << c.index << " \"" << c.text << '"');
        EXPECT_EQ(CheckMacBox(c.index, c.text, kMacGenerated).stored(), c.generated);
        EXPECT_EQ(CheckMacBox(c.index, c.text, kMacStatic).stored(), c.statik);
    }
}

TEST(MacBoxRule, InvalidBoxIsClearedWithTheRangeMessage)
{
    const auto generated = CheckMacBox(1, "50", kMacGenerated);
    EXPECT_TRUE(generated.refused());
    EXPECT_EQ(generated.shownText, "");
    EXPECT_FALSE(generated.keepFocus);
    EXPECT_EQ(generated.message, (RuleMessage{180, 181, " 00:0C:29:xx:yy:zz", RuleIcon::Information}));

    const auto statik = CheckMacBox(3, "40", kMacStatic);
    EXPECT_EQ(statik.message, (RuleMessage{182, 183, " 00:50:56:00:00:00-00:50:56:3F:FF:FF", RuleIcon::Information}));
    EXPECT_EQ(statik.shownText, "");

    // vCenter's addresses: 00:50:56 and a fourth group from 80 to BF.
    EXPECT_EQ(CheckMacBox(3, "bf", kMacVCenter).outcome, Outcome::Store);
    EXPECT_EQ(CheckMacBox(3, "80", kMacVCenter).outcome, Outcome::Store);
    EXPECT_EQ(CheckMacBox(1, "50", kMacVCenter).outcome, Outcome::Store);
    const auto vcenter = CheckMacBox(3, "3f", kMacVCenter);
    EXPECT_EQ(vcenter.message, (RuleMessage{2950, 2951, " 00:50:56:80:00:00-00:50:56:BF:FF:FF", RuleIcon::Information}));
    EXPECT_TRUE(CheckMacBox(3, "c0", kMacVCenter).refused());

    // Another address type: cleared, but no message names a range.
    const auto other = CheckMacBox(0, "x", 3);
    EXPECT_TRUE(other.refused());
    EXPECT_EQ(other.shownText, "");
    EXPECT_FALSE(other.message.has_value());

    EXPECT_EQ(CheckMacBox(2, "", kMacStatic).outcome, Outcome::Ignore);
}

TEST(MacAddress, AssembledAsTypedOnlyWhenEveryBoxIsFilled)
{
    EXPECT_EQ(AssembleMacAddress({"00", "0c", "29", "12", "34", "56"}), "00:0c:29:12:34:56");
    EXPECT_FALSE(AssembleMacAddress({"00", "0c", "29", "", "34", "56"}).has_value());
    EXPECT_EQ(SplitMacAddress("00:50:56:3F:FF:0A"), (MacGroups{"00", "50", "56", "3F", "FF", "0A"}));
    EXPECT_EQ(SplitMacAddress("00:50:5"), (MacGroups{"00", "50", "5", "", "", ""}));
}

TEST(GenAddressOffsetRule, NumbersAreStoredOtherTextKeepsTheBox)
{
    EXPECT_EQ(CheckGenAddressOffset("").outcome, Outcome::Ignore);
    EXPECT_EQ(CheckGenAddressOffset("12").offset, 12);
    EXPECT_EQ(CheckGenAddressOffset("-70000").offset, -70000);
    for (const char* bad : {"abc", "1e10", "2147483648"}) {
        const auto d = CheckGenAddressOffset(bad);
        EXPECT_TRUE(d.refused()) << bad;
        EXPECT_EQ(d.message, (RuleMessage{184, 185, {}, RuleIcon::Exclamation})) << bad;
        EXPECT_FALSE(d.keepFocus);
        EXPECT_FALSE(d.shownText.has_value());
    }
}

TEST(DisplayRule, VideoMemoryIsRaisedToTheScreensFloor)
{
    const DisplayValues screen{1024, 768, 2 * kBytesPerMB};
    const auto d = CheckDisplayField(DisplayField::VRamSize, "2", screen);
    EXPECT_TRUE(d.stored());
    EXPECT_TRUE(d.vramRaised);
    EXPECT_EQ(d.values.VramSize, 3145728);
    EXPECT_EQ(VramMegabytesText(d.values.VramSize), "3");

    const auto taller = CheckDisplayField(DisplayField::MaxHeight, "900", screen);
    EXPECT_EQ(taller.values, (DisplayValues{1024, 900, 3686400}));
    EXPECT_EQ(VramMegabytesText(taller.values.VramSize), "3.515625");

    const auto plenty = CheckDisplayField(DisplayField::VRamSize, "32", screen);
    EXPECT_EQ(plenty.values.VramSize, 33554432);
    EXPECT_FALSE(plenty.vramRaised);
    EXPECT_EQ(CheckDisplayField(DisplayField::MaxWidth, "640", screen).values, (DisplayValues{640, 768, 2 * kBytesPerMB}));
}

TEST(DisplayRule, RefusedEntriesKeepTheFocusAndSayWhy)
{
    const DisplayValues screen{800, 600, 4 * kBytesPerMB};
    EXPECT_EQ(CheckDisplayField(DisplayField::MaxWidth, "", screen).outcome, Outcome::Ignore);
    constexpr int notNumeric = 185, vramTooLarge = 403, screenTooLarge = 404;
    struct Case {
        DisplayField field;
        const char* text;
        int why;
    };
    for (const Case& c : {Case{DisplayField::VRamSize, "abc", notNumeric},
                          Case{DisplayField::MaxWidth, "wide", notNumeric},
                          // 2048 MB and more do not fit the model's bytes.
                          Case{DisplayField::VRamSize, "2048", vramTooLarge},
                          Case{DisplayField::MaxHeight, "3000000000", screenTooLarge},
                          // 1000000 x 600 x 4 bytes is beyond 32 bits.
                          Case{DisplayField::MaxWidth, "1000000", screenTooLarge}}) {
        const auto d = CheckDisplayField(c.field, c.text, screen);
        EXPECT_TRUE(d.refused()) << c.text;
        EXPECT_TRUE(d.keepFocus) << c.text;
        ASSERT_TRUE(d.message.has_value()) << c.text;
        EXPECT_EQ(d.message->titleId, 176) << c.text;
        EXPECT_EQ(d.message->textId, c.why) << c.text;
    }
    EXPECT_TRUE(CheckDisplayField(DisplayField::VRamSize, "2047", screen).stored());
    EXPECT_EQ(VramFloor(-10, 20), 0);
    EXPECT_FALSE(VramFloor(65536, 65536).has_value());
}
