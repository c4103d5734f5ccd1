// SPDX-License-Identifier: MIT
#include "platform/TextTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

using namespace zentravolix::platform;

namespace {

/** Restores English after a test that switches the language. */
class TextTableTest : public ::testing::Test {
protected:
    void TearDown() override { SetLanguageOffset(0); }
};

} // namespace

TEST_F(TextTableTest, ExactTextsKeepTheirBlanks)
{
    EXPECT_EQ(LoadLocalizedText(30),
              "You currently have outstanding changes.  Do you  really want to exit without "
              "saving?  If you want to continue anyway, click Yes.  If you want to go back "
              "and Save, click No.");
    EXPECT_EQ(LoadLocalizedText(187), "You currently have ");
    EXPECT_EQ(LoadLocalizedText(188),
              " virtual PCI devices enabled (SCSI controllers, Network adapters, Sound "
              "adapters).  VMware will only accept 5.  Please go back and Disable some "
              "devices.");
    EXPECT_EQ(LoadLocalizedText(269),
              "These settings override the global values specified in  Edit > Preferences > Priority.");
    EXPECT_EQ(LoadLocalizedText(4), "Create New Virtual Machine");
    EXPECT_EQ(LoadLocalizedText(358), "Enabled (turn off for relative positioning in 3D Guests)");
}

TEST_F(TextTableTest, TableHoldsExactlyTheKnownIdBlocks)
{
    // The original English texts hold ids 1 to 358; the program's own texts sit above them in
    // the English block (359 to 499), so a translation of them would be at id + offset too.
    int english = 0;
    int own = 0;
    for (int id = 0; id <= 500; ++id) {
        if (LoadTextById(id).empty())
            continue;
        if (id >= kOwnTextFirst && id <= kOwnTextLast) {
            ++own;
            continue;
        }
        ++english;
        EXPECT_GE(id, 1);
        EXPECT_LE(id, 358);
    }
    EXPECT_EQ(english, 285);
    EXPECT_GE(own, 3) << "the Linux wording of the disk texts";

    // Every other language has the title, "Options" and the language block, and nothing else.
    const std::set<int> translated{1, 12, 61, 62, 63, 64, 65, 66};
    for (int language = 1; language < kLanguageCount; ++language) {
        for (int id = 1; id <= 499; ++id) {
            const bool present = !LoadLocalizedText(id, LanguageOffsetFromIndex(language)).empty();
            EXPECT_EQ(present, translated.count(id) == 1) << "language " << language << " id " << id;
        }
    }
    EXPECT_EQ(LoadTextById(2067), "");
    EXPECT_EQ(LoadTextById(2500), "");
}

TEST_F(TextTableTest, TranslatedRowsAreUtf8)
{
    EXPECT_EQ(LoadTextById(512), "Wahlen");
    EXPECT_EQ(LoadTextById(564), "Franz\xC3\xB6sisch");
    EXPECT_EQ(LoadTextById(1064), "Fran\xC3\xA7"
                                  "ais");
    EXPECT_EQ(LoadTextById(1562), "Ingl\xC3\xA9s");
    EXPECT_EQ(LoadTextById(2066), "Italiano");
}

TEST_F(TextTableTest, LookupAddsTheCurrentOffsetAtCallTime)
{
    EXPECT_EQ(LanguageOffset(), 0);
    SetLanguageOffset(500);
    EXPECT_EQ(LoadLocalizedText(4), "");            // id 504 has no row
    EXPECT_EQ(LoadLocalizedText(1), "Zentravolix"); // id 501
    EXPECT_EQ(LoadLocalizedText(12), "Wahlen");
    EXPECT_EQ(LoadLocalizedText(61), "Sprache");
    SetLanguageOffset(1500);
    EXPECT_EQ(LoadLocalizedText(12), "Opciones"); // nothing cached from the previous language
    EXPECT_EQ(LoadLocalizedText(12, 0), "Options");
}

TEST_F(TextTableTest, MissingIdsGiveEmptyTextWithoutWrapping)
{
    EXPECT_EQ(LoadLocalizedText(0), "");
    EXPECT_EQ(LoadLocalizedText(-1), "");
    EXPECT_EQ(LoadLocalizedText(31), "");
    EXPECT_EQ(LoadLocalizedText(INT_MAX, INT_MAX), "");
    // (INT_MIN + 4) + INT_MIN would be id 4 if the sum wrapped around in 32 bits.
    EXPECT_EQ(LoadLocalizedText(INT_MIN + 4, INT_MIN), "");
    SetLanguageOffset(-499);
    EXPECT_EQ(LoadLocalizedText(500), "Zentravolix"); // offsets are plain additions
}

TEST_F(TextTableTest, LanguageIndexAndOffsetConvert)
{
    for (int index = 0; index < kLanguageCount; ++index) {
        EXPECT_EQ(LanguageOffsetFromIndex(index), index * 500);
        EXPECT_EQ(LanguageIndexFromOffset(index * 500), index);
    }
    EXPECT_EQ(LanguageOffsetFromIndex(static_cast<int>(Language::Italian)), 2000);
    EXPECT_EQ(LanguageIndexFromOffset(740), 1);
    EXPECT_EQ(LanguageIndexFromOffset(760), 2);
    EXPECT_EQ(LanguageIndexFromOffset(250), 0); // halves round to even
    EXPECT_EQ(LanguageIndexFromOffset(750), 2);
    EXPECT_EQ(LanguageIndexFromOffset(-500), -1);
}
