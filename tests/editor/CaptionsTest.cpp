// SPDX-License-Identifier: MIT
// Captions come from the text table in the current language; the options rows stay English.
#include "EditorFixture.h"

#include "editor/dialogs/frmSummary.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>

namespace zentravolix::testing {
namespace {

using Captions = EditorTest;

TEST_F(Captions, EnglishCaptionsComeFromTheTextTable)
{
    const auto editor = newEditor();
    auto* tabs = child<QTabWidget>(*editor, "sstMain");
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Options"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Hardware"));
    EXPECT_EQ(child<QGroupBox>(*editor, "fraNotes")->title(), QStringLiteral("Notes"));
    EXPECT_EQ(child<QTreeWidget>(*editor, "lvwOptionsList")->headerItem()->text(1),
              QStringLiteral("Summary"));
    EXPECT_EQ(child<QTreeWidget>(*editor, "lvwHardwareList")->headerItem()->text(0),
              QStringLiteral("Device"));
    EXPECT_EQ(child<QPushButton>(*editor, "cmdHardwareAdd")->text(), QStringLiteral("Add"));
    EXPECT_EQ(child<QCheckBox>(*editor, "chkSnapshotsEnabled")->text(), QStringLiteral("Disable Snapshots"));
    EXPECT_EQ(child<QGroupBox>(*editor, "fraWorkingDir")->title(), QStringLiteral("Working Directory"));
    auto* power = child<QComboBox>(*editor, "cboPowerOff");
    EXPECT_EQ(power->itemText(1), QStringLiteral("Shut Down Guest"));
}

TEST_F(Captions, GermanShowsGermanCaptions)
{
    const auto editor = newEditor();
    editor->Machine()->Options()->PowerOptions()->SetStopButtonAction(1);
    selectOptionsRow(*editor, 1);
    auto* power = child<QComboBox>(*editor, "cboPowerOff");
    ASSERT_EQ(power->currentIndex(), 1);

    platform::SetLanguageOffset(
        platform::LanguageOffsetFromIndex(static_cast<int>(platform::Language::German)));
    editor->UpdateUILabels();
    auto* tabs = child<QTabWidget>(*editor, "sstMain");
    EXPECT_EQ(tabs->tabText(0), QString::fromStdString(platform::LoadTextById(512)));
    EXPECT_FALSE(tabs->tabText(0).isEmpty());
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Hardware"));
    EXPECT_EQ(child<QGroupBox>(*editor, "fraNotes")->title(), QStringLiteral("Notizen"));
    EXPECT_EQ(child<QCheckBox>(*editor, "chkPowerOnAfterOpen")->text(),
              QStringLiteral("Nach dem \u00d6ffnen der virtuellen Maschine einschalten"));
    EXPECT_EQ(power->itemText(1), QStringLiteral("Gast herunterfahren"));
    EXPECT_EQ(child<QPushButton>(*editor, "cmdHardwareAdd")->text(), QStringLiteral("Hinzuf\u00fcgen"));
    // The options rows are fixed texts, not looked up.
    auto* list = child<QTreeWidget>(*editor, "lvwOptionsList");
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("General"));
    EXPECT_EQ(list->topLevelItem(4)->text(0), QStringLiteral("Guest Isolation"));
    // Re-captioning a list keeps what it shows selected and writes nothing.
    EXPECT_EQ(power->currentIndex(), 1);
    EXPECT_EQ(child<QComboBox>(*editor, "cboTargetPlatform")->currentIndex(), 1);
    EXPECT_EQ(child<QComboBox>(*editor, "cboGuestFamilies")->currentIndex(), 0);
    EXPECT_FALSE(editor->ChangesPending());

    platform::SetLanguageOffset(0);
    editor->UpdateUILabels();
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Hardware"));
    EXPECT_EQ(child<QComboBox>(*editor, "cboGuestFamilies")->currentText(),
              QStringLiteral("Microsoft Windows"));
}

TEST_F(Captions, SummaryWindowCaptionNamesTheFileAsReadOnly)
{
    editor::frmSummary summary;
    summary.SetFileName(QStringLiteral("a.vmx"));
    summary.AddToOutput(QStringLiteral("x\r\ny\r\n"));
    EXPECT_EQ(summary.windowTitle(), QStringLiteral("a.vmx - (Read-Only)"));
    EXPECT_EQ(summary.Output(), QStringLiteral("x\ny\n"));
    EXPECT_EQ(summary.findChild<QPushButton*>(QStringLiteral("cmdClose"))->text(), QStringLiteral("OK"));
}

} // namespace
} // namespace zentravolix::testing

namespace zentravolix::testing {
namespace {

TEST_F(Captions, UnnamedMachineIsNamedInEnglishInEveryLanguage)
{
    platform::SetLanguageOffset(
        platform::LanguageOffsetFromIndex(static_cast<int>(platform::Language::German)));
    const auto editor = newEditor();
    EXPECT_EQ(general(*editor)->DisplayName(), "New VM");
    EXPECT_EQ(general(*editor)->VmxFileName(), "New VM.vmx");
}

} // namespace
} // namespace zentravolix::testing
