// SPDX-License-Identifier: MIT
// A new configuration: what the pages show right after loading, and that showing is not editing.
#include "EditorFixture.h"

#include "editor/widget/HardwareTab.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabWidget>

namespace zentravolix::testing {
namespace {

using NewConfiguration = EditorTest;

TEST_F(NewConfiguration, GeneralPageShowsTheNewMachineDefaults)
{
    const auto editor = newEditor();
    EXPECT_EQ(child<QLineEdit>(*editor, "txtDisplayName")->text(), QStringLiteral("New VM"));
    EXPECT_EQ(child<QLineEdit>(*editor, "txtVmxFileName")->text(), QStringLiteral("New VM.vmx"));
    EXPECT_EQ(child<QLineEdit>(*editor, "txtVmxFolder")->text(), QString::fromStdString(temp.withSlash()));
    EXPECT_EQ(child<QComboBox>(*editor, "cboTargetPlatform")->currentText(), QStringLiteral("Workstation"));
    EXPECT_EQ(child<QComboBox>(*editor, "cboPlatformVersion")->currentText(), QStringLiteral("5.5x"));
    EXPECT_EQ(child<QComboBox>(*editor, "cboGuestFamilies")->currentText(),
              QStringLiteral("Microsoft Windows"));
    EXPECT_EQ(child<QComboBox>(*editor, "cboGuestFamilies")->count(), 5);
    const auto guests = general(*editor)->SupportedGuests();
    EXPECT_EQ(child<QComboBox>(*editor, "cboGuestVersions")->currentText(),
              QString::fromStdString(guests[0][9].DisplayedName));
    EXPECT_EQ(child<QLineEdit>(*editor, "txtWorkingDir")->text(), QStringLiteral("."));
    EXPECT_EQ(summaryOfRow(*editor, 0), QStringLiteral("New VM"));
    EXPECT_EQ(child<QTabWidget>(*editor, "sstMain")->currentIndex(), 0);
    EXPECT_FALSE(editor->ChangesPending());
    // Name and folder are both set, so the machine can be saved as it is.
    EXPECT_TRUE(editor->VmxNameValid());
    EXPECT_EQ(editor->Limits().MaxMemoryMB, 3684);
}

TEST_F(NewConfiguration, CallersNameAndFolderAreApplied)
{
    const auto folder = temp.path() / "vms";
    const auto editor = newEditor(QStringLiteral("Build Box"), QString::fromStdString(folder.string()));
    EXPECT_EQ(general(*editor)->DisplayName(), "Build Box");
    EXPECT_EQ(general(*editor)->VmxFileName(), "Build Box.vmx");
    // The file's path is folder + name, so a folder given without the separator gets one.
    EXPECT_EQ(general(*editor)->VmxPath(), folder.string() + "/");
    EXPECT_EQ(child<QLineEdit>(*editor, "txtDisplayName")->text(), QStringLiteral("Build Box"));
}

TEST_F(NewConfiguration, ShowingEveryPageNeverMarksTheConfigurationChanged)
{
    const auto editor = newEditor();
    QSignalSpy spy(editor.get(), &editor::Velmire::changesPendingChanged);
    for (int row = 5; row >= 0; --row)
        selectOptionsRow(*editor, row);
    editor->UpdateUILabels();
    EXPECT_FALSE(editor->ChangesPending());
    EXPECT_EQ(spy.count(), 0);
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(favorites.empty()); // a new machine is added to the favourites only once saved
}

TEST_F(NewConfiguration, OptionsRowsSelectTheirPages)
{
    const auto editor = newEditor();
    auto* pages = child<QStackedWidget>(*editor, "sstOptions");
    selectOptionsRow(*editor, 3);
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("pgSnapshots"));
    selectOptionsRow(*editor, 0);
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("pgGeneral"));
}

TEST_F(NewConfiguration, HardwareListShowsEveryDeviceInTypeOrder)
{
    const auto editor = newEditor();
    auto* list = child<QTreeWidget>(*editor, "lvwHardwareList");
    ASSERT_EQ(list->topLevelItemCount(), 8);
    const auto hw = editor->Machine()->Hardware();
    EXPECT_EQ(list->topLevelItem(0)->text(0), QString::fromStdString(hw->CPUs()->Item(1)->DisplayName()));
    EXPECT_EQ(list->topLevelItem(1)->text(1), QString::fromStdString(hw->Memory()->Item(1)->Summary()));
    EXPECT_EQ(list->topLevelItem(4)->text(0),
              QString::fromStdString(hw->IDEControllers()->Item(2)->DisplayName()));
    EXPECT_EQ(list->topLevelItem(7)->text(0), QString::fromStdString(hw->Mice()->Item(1)->DisplayName()));
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));

    // A row shows the page of its device kind.
    list->setCurrentItem(list->topLevelItem(6));
    EXPECT_EQ(child<QStackedWidget>(*editor, "sstHardware")->currentIndex(), 13);
    EXPECT_EQ(editor->hardwareTab()->SelectedDeviceID(), hw->Displays()->Item(1)->ID());
    EXPECT_EQ(editor->hardwareTab()->SelectedRowIndex(), 6);
    EXPECT_FALSE(editor->ChangesPending());
}

TEST_F(NewConfiguration, NotesAreStoredWithCrLfLineEnds)
{
    const auto editor = newEditor();
    child<QPlainTextEdit>(*editor, "txtNotes")->setPlainText(QStringLiteral("a\nb"));
    EXPECT_EQ(editor->Machine()->Notes(), "a\r\nb");
    EXPECT_TRUE(editor->ChangesPending());
}

} // namespace
} // namespace zentravolix::testing
