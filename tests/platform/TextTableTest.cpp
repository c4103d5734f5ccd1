// SPDX-License-Identifier: MIT
#include "platform/TextTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <vector>

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

TEST_F(TextTableTest, EveryEnglishTextHasARowInEachLanguageAndNothingElse)
{
    // The two English blocks: 0..499 (classic texts and the first own block) and 2500..2999.
    const auto englishBlocks = {std::pair{0, kLanguageOffsetStep}, std::pair{2500, 2500 + kLanguageOffsetStep}};
    std::vector<int> english;
    for (const auto& [first, end] : englishBlocks) {
        for (int id = first; id < end; ++id) {
            if (!LoadTextById(id).empty())
                english.push_back(id);
        }
    }
    // The original block 1..358 with its 285 texts, then the texts added since.
    EXPECT_EQ(std::count_if(english.begin(), english.end(), [](int id) { return id <= 358; }), 285);
    EXPECT_GE(english.front(), 1);
    for (int id : english) {
        EXPECT_TRUE(id <= 358 || IsOwnTextId(id)) << id;
    }

    for (int language = 1; language < kLanguageCount; ++language) {
        const std::int32_t offset = LanguageOffsetFromIndex(language);
        for (const auto& [first, end] : englishBlocks) {
            for (int id = first; id < end; ++id) {
                const bool hasEnglish = std::binary_search(english.begin(), english.end(), id);
                EXPECT_EQ(!LoadLocalizedText(id, offset).empty(), hasEnglish)
                    << "language " << language << " id " << id;
            }
        }
    }
    EXPECT_EQ(LoadTextById(2500), "");
    EXPECT_EQ(LoadTextById(5000), "");
    // A stray offset reaches no other block: 1 + 2500 is an English text of the second block.
    ASSERT_NE(LoadTextById(2751), "");
    EXPECT_EQ(LoadLocalizedText(251, 2500), "");
    EXPECT_EQ(LoadLocalizedText(2751, -2500), "");
    EXPECT_EQ(LoadLocalizedText(2751, 250), "");
    EXPECT_EQ(LoadCaption(251, 2500), LoadTextById(251));
    EXPECT_EQ(LoadLocalizedText(2751, 500), LoadTextById(3251));
}

namespace {

std::string leadingBlanks(const std::string& text)
{
    return text.substr(0, text.find_first_not_of(' '));
}

std::string trailingBlanks(const std::string& text)
{
    const auto last = text.find_last_not_of(' ');
    return last == std::string::npos ? text : text.substr(last + 1);
}

std::string digitsOf(const std::string& text)
{
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), [](char c) { return c >= '0' && c <= '9'; });
    return digits;
}

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

std::size_t countOf(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++n;
    return n;
}

} // namespace

TEST_F(TextTableTest, TranslationsKeepBlanksNumbersMarkersAndNames)
{
    // Pieces that are joined with a number or a name keep their blanks; numbers, accelerators,
    // line breaks and the technical names a text mentions survive translation.
    const char* names[] = {"VMX", "IDE", "SCSI", "PCI", "USB", "MAC", "CD-ROM", "ISO", "PAE", "NAT",
                           "Direct3D", "Qemu-img", "Contig", "SysInternals", "Zentravolix"};
    for (int id = 1; id <= kMoreOwnTextLast; ++id) {
        const std::string english = LoadTextById(id);
        if (english.empty() || (id >= kLanguageOffsetStep && !IsOwnTextId(id)))
            continue;
        for (int language = 1; language < kLanguageCount; ++language) {
            const std::string text = LoadLocalizedText(id, LanguageOffsetFromIndex(language));
            SCOPED_TRACE("language " + std::to_string(language) + " id " + std::to_string(id) + ": " + text);
            EXPECT_EQ(leadingBlanks(text), leadingBlanks(english));
            EXPECT_EQ(trailingBlanks(text), trailingBlanks(english));
            EXPECT_EQ(digitsOf(text), digitsOf(english));
            for (const char* marker : {"&", "%", "\\n", "\n", "...", "|"})
                EXPECT_EQ(countOf(text, marker), countOf(english, marker)) << marker;
            for (const char* name : names) {
                if (english.find(name) != std::string::npos) {
                    EXPECT_NE(text.find(name), std::string::npos) << name;
                }
            }
            // The English texts spell the product three ways; the translations spell it right.
            if (lower(english).find("vmware") != std::string::npos) {
                EXPECT_NE(text.find("VMware"), std::string::npos);
            }
        }
    }
}

TEST_F(TextTableTest, TextsThatEndUpInFilesOrNameProductsStayAsTheyAre)
{
    // 26 names a new machine and its .vmx file; the others are product and system names.
    for (int id : {1, 26, 129, 130, 131, 213, 214, 215, 216, 220, 221, 222, 223, 320, 332}) {
        for (int language = 1; language < kLanguageCount; ++language)
            EXPECT_EQ(LoadLocalizedText(id, LanguageOffsetFromIndex(language)), LoadTextById(id)) << id;
    }
}

TEST_F(TextTableTest, CaptionsFallBackToEnglishWhereALanguageHasNoRow)
{
    // The block above Italian has no rows at all: every caption comes out in English.
    const std::int32_t emptyBlock = LanguageOffsetFromIndex(kLanguageCount);
    EXPECT_EQ(LoadLocalizedText(4, emptyBlock), "");
    EXPECT_EQ(LoadCaption(4, emptyBlock), "Create New Virtual Machine");
    EXPECT_EQ(LoadCaption(187, emptyBlock), "You currently have ");
    EXPECT_EQ(LoadCaption(4, 500), "Neue virtuelle Maschine erstellen");
    EXPECT_EQ(LoadCaption(31, 500), "") << "no English row either";
    EXPECT_EQ(LoadCaption(0, 0), "");
    SetLanguageOffset(emptyBlock);
    EXPECT_EQ(LoadCaption(6), "File");
    SetLanguageOffset(1000);
    EXPECT_EQ(LoadCaption(6), "Fichier");
}

TEST_F(TextTableTest, EachLanguageIsNamedInItself)
{
    EXPECT_EQ(LanguageNameInItself(0), "English");
    EXPECT_EQ(LanguageNameInItself(1), "Deutsch");
    EXPECT_EQ(LanguageNameInItself(2), "Fran\xC3\xA7"
                                       "ais");
    EXPECT_EQ(LanguageNameInItself(3), "Espa\xC3\xB1ol");
    EXPECT_EQ(LanguageNameInItself(4), "Italiano");
    EXPECT_EQ(LanguageNameInItself(5), "");
    // Whatever language is current.
    SetLanguageOffset(500);
    EXPECT_EQ(LanguageNameInItself(0), "English");
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
    EXPECT_EQ(LoadLocalizedText(4), "Neue virtuelle Maschine erstellen"); // id 504
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

TEST_F(TextTableTest, EveryOwnTextIsTranslatedAndTheTableReadsItsEscapes)
{
    // The program's own range: each text in English has a row in every language, and every row of
    // the range belongs to an English text.
    int own = 0;
    for (int id = kOwnTextFirst; id <= kMoreOwnTextLast; ++id) {
        if (!IsOwnTextId(id))
            continue;
        const bool english = !LoadTextById(id).empty();
        own += english ? 1 : 0;
        for (int language = 1; language < kLanguageCount; ++language)
            EXPECT_EQ(!LoadLocalizedText(id, LanguageOffsetFromIndex(language)).empty(), english)
                << "language " << language << " id " << id;
    }
    EXPECT_GE(own, 87);
    // "\n" in the data file is a line break; placeholders stay for the caller to fill.
    EXPECT_EQ(LoadLocalizedText(412), "\n... and %1 more");
    EXPECT_EQ(LoadLocalizedText(439, 500), "Einige Einstellungen konnten nicht geladen werden:\n\n%1");
}

TEST_F(TextTableTest, FillTextReplacesPlaceholdersInOnePass)
{
    EXPECT_EQ(FillText(LoadLocalizedText(475), {"/srv/vms", "Permission denied"}),
              "Cannot create the folder /srv/vms: Permission denied");
    // An argument is never read for placeholders; a lone '%' and a missing argument stay.
    EXPECT_EQ(FillText("%1 and %2", {"%2", "b"}), "%2 and b");
    EXPECT_EQ(FillText(LoadLocalizedText(477), {"disk.vmdk", "42"}), "Creating disk.vmdk: 42%");
    EXPECT_EQ(FillText("%3 %", {"a"}), "%3 %");
    EXPECT_EQ(FillText("100%", {}), "100%");
}
