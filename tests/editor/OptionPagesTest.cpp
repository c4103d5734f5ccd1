// SPDX-License-Identifier: MIT
// Every control of the option pages writes its model member (with its polarity) and marks the
// configuration changed; some refresh the options list's summary column.
#include "EditorFixture.h"

#include "editor/widget/pages/options/SharedFoldersPage.h"

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include <functional>

namespace zentravolix::testing {
namespace {

using tarvonel::VirtualMachine;

struct CheckCase {
    const char* control;
    int row;
    bool inverted;
    std::function<bool(const VirtualMachine&)> member;
};

std::ostream& operator<<(std::ostream& os, const CheckCase& c)
{
    return os << c.control;
}

class CheckBoxes : public EditorTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckBoxes, ClickWritesTheMemberWithItsPolarityAndMarksChanged)
{
    const CheckCase& c = GetParam();
    const auto editor = newEditor();
    selectOptionsRow(*editor, c.row);
    auto* box = child<QCheckBox>(*editor, c.control);
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->isEnabled());
    // The box shows the member by its polarity before anything is clicked.
    EXPECT_EQ(box->isChecked(), c.inverted ? !c.member(*editor->Machine()) : c.member(*editor->Machine()));

    for (int click = 0; click < 2; ++click) {
        box->click();
        EXPECT_EQ(c.member(*editor->Machine()), c.inverted ? !box->isChecked() : box->isChecked());
    }
    EXPECT_TRUE(editor->ChangesPending());
}

auto power(const VirtualMachine& vm)
{
    return vm.Options()->PowerOptions();
}
auto advanced(const VirtualMachine& vm)
{
    return vm.Options()->AdvancedOptions();
}
auto isolation(const VirtualMachine& vm)
{
    return vm.Options()->GuestIsolationOptions();
}

INSTANTIATE_TEST_SUITE_P(
    OptionPages, CheckBoxes,
    ::testing::Values(
        CheckCase{"chkPowerOnAfterOpen", 1, false,
                  [](const VirtualMachine& vm) { return power(vm)->PowerOnAfterOpening(); }},
        CheckCase{"chkFullScreenAfterPowerOn", 1, false,
                  [](const VirtualMachine& vm) { return power(vm)->EnterFullScreenAfterPowerOn(); }},
        CheckCase{"chkCloseAfterPowerOff", 1, false,
                  [](const VirtualMachine& vm) { return power(vm)->CloseAfterPowerOff(); }},
        CheckCase{"chkRunToolsAfterPowerOn", 1, false,
                  [](const VirtualMachine& vm) { return power(vm)->RunToolsAfterPowerOn(); }},
        CheckCase{"chkRunToolsAfterResume", 1, false,
                  [](const VirtualMachine& vm) { return power(vm)->RunToolsAfterResume(); }},
        CheckCase{"chkRunToolsBeforeSuspend", 1, false,
                  [](const VirtualMachine& vm) { return power(vm)->RunToolsBeforeSuspend(); }},
        CheckCase{"chkRunToolsBeforePowerOff", 1, false,
                  [](const VirtualMachine& vm) { return power(vm)->RunToolsBeforePowerOff(); }},
        CheckCase{"chkSyncGuestTime", 1, false,
                  [](const VirtualMachine& vm) { return power(vm)->SyncGuestTime().value_or(false); }},
        CheckCase{"chkSharedDisable", 2, true,
                  [](const VirtualMachine& vm) { return vm.Options()->SharedFoldersOptions()->Enabled(); }},
        CheckCase{
            "chkSnapshotsEnabled", 3, true,
            [](const VirtualMachine& vm) { return vm.Options()->SnapshotsOptions()->SnapshotsEnabled(); }},
        CheckCase{"chkInteractDND", 4, true,
                  [](const VirtualMachine& vm) { return isolation(vm)->DragAndDropEnabled(); }},
        CheckCase{"chkInteractPaste", 4, true,
                  [](const VirtualMachine& vm) { return isolation(vm)->PasteEnabled(); }},
        CheckCase{"chkInteractCopy", 4, true,
                  [](const VirtualMachine& vm) { return isolation(vm)->CopyEnabled(); }},
        CheckCase{"chkDebug", 5, false, [](const VirtualMachine& vm) { return advanced(vm)->Debugging(); }},
        CheckCase{"chkAcceleration", 5, false,
                  [](const VirtualMachine& vm) { return advanced(vm)->AccelerationDisabled(); }},
        CheckCase{"chkMemPageTrim", 5, false,
                  [](const VirtualMachine& vm) { return advanced(vm)->MemoryPageTrimDisabled(); }},
        CheckCase{"chkLogging", 5, false,
                  [](const VirtualMachine& vm) { return advanced(vm)->LoggingEnabled(); }},
        CheckCase{"chkLogPeriodic", 5, false,
                  [](const VirtualMachine& vm) { return advanced(vm)->LogPeriodic(); }},
        CheckCase{"chkTemplate", 5, false,
                  [](const VirtualMachine& vm) { return advanced(vm)->TemplateMode(); }},
        CheckCase{"chkClusterEnabled", 5, false,
                  [](const VirtualMachine& vm) { return advanced(vm)->ClusteringSupport(); }}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.control); });

using OptionPages = EditorTest;

TEST_F(OptionPages, ComboPositionsAreTheStoredValues)
{
    const auto editor = newEditor();
    const auto vm = editor->Machine();
    selectOptionsRow(*editor, 1);
    child<QComboBox>(*editor, "cboPowerOff")->setCurrentIndex(1);
    EXPECT_EQ(vm->Options()->PowerOptions()->StopButtonAction(), 1);
    child<QComboBox>(*editor, "cboReset")->setCurrentIndex(1);
    EXPECT_EQ(vm->Options()->PowerOptions()->ResetButtonAction(), 1);
    EXPECT_TRUE(editor->ChangesPending());

    selectOptionsRow(*editor, 5);
    child<QComboBox>(*editor, "cboInputGrabPri")->setCurrentIndex(1);
    child<QComboBox>(*editor, "cboInputUngrabPri")->setCurrentIndex(0);
    EXPECT_EQ(vm->Options()->AdvancedOptions()->InputGrabPriority(), 1);
    EXPECT_EQ(vm->Options()->AdvancedOptions()->InputUngrabPriority(), 0);
    EXPECT_EQ(summaryOfRow(*editor, 5), QString::fromStdString(vm->Options()->AdvancedOptions()->Summary()));
    EXPECT_EQ(summaryOfRow(*editor, 5), QStringLiteral("High, Low"));
}

TEST_F(OptionPages, SettingsAFileMayLeaveOutStayUnsetUntilTheUserPicksThem)
{
    const auto editor = newEditor();
    const auto power = editor->Machine()->Options()->PowerOptions();
    selectOptionsRow(*editor, 1);
    auto* powerOn = child<QComboBox>(*editor, "cboPowerOn");
    auto* suspend = child<QComboBox>(*editor, "cboSuspend");
    ASSERT_NE(powerOn, nullptr);
    ASSERT_NE(suspend, nullptr);
    // Unset shows the last entry and filling the page writes nothing.
    EXPECT_EQ(powerOn->currentIndex(), 2);
    EXPECT_EQ(suspend->currentIndex(), 2);
    EXPECT_FALSE(child<QCheckBox>(*editor, "chkSyncGuestTime")->isChecked());
    EXPECT_FALSE(power->SyncGuestTime().has_value());
    EXPECT_EQ(power->PowerOnButtonAction(), -1);
    EXPECT_FALSE(editor->ChangesPending());

    powerOn->setCurrentIndex(1);
    suspend->setCurrentIndex(0);
    EXPECT_EQ(power->PowerOnButtonAction(), 1);
    EXPECT_EQ(power->SuspendButtonAction(), 0);
    EXPECT_TRUE(editor->ChangesPending());
    // Back to the product's default: no line again.
    powerOn->setCurrentIndex(2);
    EXPECT_EQ(power->PowerOnButtonAction(), -1);

    // A value set elsewhere is shown when the row is selected again.
    power->SetSuspendButtonAction(1);
    power->SetSyncGuestTime(true);
    selectOptionsRow(*editor, 2);
    selectOptionsRow(*editor, 1);
    EXPECT_EQ(suspend->currentIndex(), 1);
    EXPECT_TRUE(child<QCheckBox>(*editor, "chkSyncGuestTime")->isChecked());
}

TEST_F(OptionPages, ToolsUpgradeListWritesItsPolicyOrNoLine)
{
    const auto editor = newEditor();
    const auto power = editor->Machine()->Options()->PowerOptions();
    selectOptionsRow(*editor, 1);
    auto* upgrade = child<QComboBox>(*editor, "cboToolsUpgrade");
    ASSERT_NE(upgrade, nullptr);
    ASSERT_EQ(upgrade->count(), 4);
    EXPECT_EQ(upgrade->currentIndex(), 3) << "unset shows the product's default";
    EXPECT_FALSE(editor->ChangesPending());

    upgrade->setCurrentIndex(1);
    EXPECT_EQ(power->ToolsUpgradePolicy(), 1);
    EXPECT_TRUE(editor->ChangesPending());
    upgrade->setCurrentIndex(3);
    EXPECT_EQ(power->ToolsUpgradePolicy(), -1);

    power->SetToolsUpgradePolicy(2);
    selectOptionsRow(*editor, 2);
    selectOptionsRow(*editor, 1);
    EXPECT_EQ(upgrade->currentIndex(), 2);
}

TEST_F(OptionPages, SnapshotOptionButtonsAndReselection)
{
    const auto editor = newEditor();
    const auto snapshots = editor->Machine()->Options()->SnapshotsOptions();
    selectOptionsRow(*editor, 3);
    EXPECT_TRUE(child<QRadioButton>(*editor, "optSnapPowerOff")->isChecked());
    child<QRadioButton>(*editor, "optSnapRevert")->click();
    EXPECT_EQ(snapshots->SnapshotPowerOffAction(), 1);
    EXPECT_TRUE(editor->ChangesPending());

    // Re-selecting the row shows what the model holds.
    snapshots->SetSnapshotPowerOffAction(3);
    selectOptionsRow(*editor, 0);
    selectOptionsRow(*editor, 3);
    EXPECT_TRUE(child<QRadioButton>(*editor, "optSnapAsk")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(*editor, "chkSnapshotsEnabled")->isChecked());
}

TEST_F(OptionPages, SummaryColumnFollowsTheSummarisedControls)
{
    const auto editor = newEditor();
    const auto options = editor->Machine()->Options();
    selectOptionsRow(*editor, 2);
    child<QCheckBox>(*editor, "chkSharedDisable")->click();
    EXPECT_FALSE(options->SharedFoldersOptions()->Enabled());
    EXPECT_EQ(summaryOfRow(*editor, 2), QStringLiteral("Disabled"));

    selectOptionsRow(*editor, 3);
    child<QCheckBox>(*editor, "chkSnapshotsEnabled")->click();
    EXPECT_EQ(summaryOfRow(*editor, 3), QStringLiteral("Disabled"));

    selectOptionsRow(*editor, 4);
    const QString before = summaryOfRow(*editor, 4);
    child<QCheckBox>(*editor, "chkInteractDND")->click();
    EXPECT_NE(summaryOfRow(*editor, 4), before);
    EXPECT_EQ(summaryOfRow(*editor, 4), QString::fromStdString(options->GuestIsolationOptions()->Summary()));
}

TEST_F(OptionPages, DisplayNameUpdatesSummaryAndTellsTheHost)
{
    const auto editor = newEditor();
    QSignalSpy spy(editor.get(), &editor::Velmire::displayNameChanged);
    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("Renamed"));
    EXPECT_EQ(general(*editor)->DisplayName(), "Renamed");
    EXPECT_EQ(summaryOfRow(*editor, 0), QStringLiteral("Renamed"));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.front().front().toString(), QStringLiteral("Renamed"));
    EXPECT_TRUE(editor->ChangesPending());
}

TEST_F(OptionPages, FileNameAndFolderRulesRewriteTheFieldAndTrackValidity)
{
    const auto editor = newEditor();
    auto* name = child<QLineEdit>(*editor, "txtVmxFileName");
    leave(name, QStringLiteral("TEST.VMX"));
    EXPECT_EQ(name->text(), QStringLiteral("TEST.VMX.vmx"));
    EXPECT_EQ(general(*editor)->VmxFileName(), "TEST.VMX.vmx");
    EXPECT_TRUE(editor->VmxNameValid());

    leave(name, QString());
    EXPECT_EQ(general(*editor)->VmxFileName(), "");
    EXPECT_FALSE(editor->VmxNameValid());

    auto* folder = child<QLineEdit>(*editor, "txtVmxFolder");
    leave(folder, QStringLiteral("/srv/vms"));
    EXPECT_EQ(folder->text(), QStringLiteral("/srv/vms/"));
    EXPECT_EQ(general(*editor)->VmxPath(), "/srv/vms/");
    EXPECT_FALSE(editor->VmxNameValid());
    leave(name, QStringLiteral("x"));
    EXPECT_TRUE(editor->VmxNameValid());

    auto* work = child<QLineEdit>(*editor, "txtWorkingDir");
    leave(work, QStringLiteral("snap"));
    EXPECT_EQ(general(*editor)->WorkingPath(), "snap/");
    leave(work, QStringLiteral("."));
    EXPECT_EQ(general(*editor)->WorkingPath(), ".");
}

TEST_F(OptionPages, FolderButtonsUseTheFolderBrowserAndTheFieldRule)
{
    const auto editor = newEditor();
    dialogs.paths = {QStringLiteral("/srv/vms"), QStringLiteral("/srv/logs")};
    child<QPushButton>(*editor, "cmdBrowseVmxFolder")->click();
    EXPECT_EQ(general(*editor)->VmxPath(), "/srv/vms/");
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].title, QStringLiteral("New Virtual Disk Location"));

    selectOptionsRow(*editor, 5);
    child<QPushButton>(*editor, "cmdBrowseLogFolder")->click();
    EXPECT_EQ(editor->Machine()->Options()->AdvancedOptions()->LogFolder(), "/srv/logs");

    // A cancelled browser changes nothing.
    child<QPushButton>(*editor, "cmdBrowseWorkingFolder")->click();
    EXPECT_EQ(general(*editor)->WorkingPath(), ".");
}

TEST_F(OptionPages, LogFolderIsStoredAsTyped)
{
    const auto editor = newEditor();
    selectOptionsRow(*editor, 5);
    leave(child<QLineEdit>(*editor, "txtLogFolder"), QStringLiteral("vmware.log"));
    EXPECT_EQ(editor->Machine()->Options()->AdvancedOptions()->LogFolder(), "vmware.log");
    EXPECT_TRUE(editor->ChangesPending());
}

TEST_F(OptionPages, SharedFolderRemoveAndAddThroughTheDialog)
{
    // The share is there before the editor is loaded, as one read from a file is: removing it is an edit.
    const auto editor = std::make_unique<editor::Velmire>(context);
    const auto shares = editor->Machine()->Options()->SharedFoldersOptions();
    shares->Add()->SetShareName("docs");
    ASSERT_TRUE(editor->Load());
    selectOptionsRow(*editor, 2);
    auto* list = child<QTreeWidget>(*editor, "lvwSharedFolders");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("docs"));
    auto* remove = child<QPushButton>(*editor, "cmdSharedRemove");
    auto* add = child<QPushButton>(*editor, "cmdSharedAdd");
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_TRUE(add->isEnabled()); // the shared-folder dialog is built in

    list->setCurrentItem(list->topLevelItem(0));
    ASSERT_TRUE(remove->isEnabled());
    remove->click();
    EXPECT_EQ(shares->Count(), 0);
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_TRUE(editor->ChangesPending());

    editor->sharedFoldersPage()->setShareEditor([](QWidget*, const editor::ShareValues&) {
        return std::optional<editor::ShareValues>(editor::ShareValues{"src", "/home/src", true, true, false});
    });
    ASSERT_TRUE(add->isEnabled());
    add->click();
    ASSERT_EQ(shares->Count(), 1);
    EXPECT_EQ(shares->Item(1)->HostFolder(), "/home/src");
    EXPECT_TRUE(shares->Item(1)->ReadOnly());
    EXPECT_EQ(list->topLevelItem(0)->text(2), QStringLiteral("Enabled"));
}

} // namespace
} // namespace zentravolix::testing
