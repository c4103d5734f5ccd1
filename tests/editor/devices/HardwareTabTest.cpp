// SPDX-License-Identifier: MIT
// The hardware tab inside the editor: selecting rows fills the pages, edits refresh the row,
// adding through the add-hardware dialog, removing with the remove rules, and a click-through of
// every real configuration file that must not change what is saved.

#include "../EditorFixture.h"

#include "config/DeviceKinds.h"
#include "editor/dialogs/frmAddHardware.h"
#include "editor/widget/HardwareTab.h"
#include "editor/widget/pages/devices/DevicePage.h"
#include "editor/widget/pages/devices/HardwareEdits.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>

#include <set>

namespace zentravolix::testing {
namespace {

using tarvonel::VirtualHardwareType;

class HardwareTabTest : public EditorTest {
protected:
    static QTreeWidget* list(const editor::Velmire& e) { return child<QTreeWidget>(e, "lvwHardwareList"); }

    /** Clicks the row of the device with this display name. */
    static void clickRow(const editor::Velmire& e, const std::string& displayName)
    {
        const auto rows = list(e)->findItems(QString::fromStdString(displayName), Qt::MatchExactly);
        ASSERT_EQ(rows.size(), 1) << displayName;
        list(e)->setCurrentItem(rows.front());
        emit list(e)->itemClicked(rows.front(), 0);
    }

    static bool removeEnabled(const editor::Velmire& e)
    {
        return child<QPushButton>(e, "cmdHardwareRemove")->isEnabled();
    }

    /**
     * Clicks Add and answers the dialog: picks the kind with this code, or cancels when code is
     * negative. Returns the codes the dialog offered.
     */
    static std::vector<int> addThroughDialog(editor::Velmire& e, int code)
    {
        std::vector<int> offered;
        QTimer::singleShot(0, &e, [&offered, code] {
            auto* dialog = qobject_cast<editor::frmAddHardware*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* kinds = dialog->findChild<QTreeWidget*>(QStringLiteral("lvwAvailableHardware"));
            for (int i = 0; i < kinds->topLevelItemCount(); ++i) {
                offered.push_back(kinds->topLevelItem(i)->text(1).toInt());
                if (offered.back() == code)
                    emit kinds->itemClicked(kinds->topLevelItem(i), 0);
            }
            dialog->findChild<QPushButton*>(QLatin1String(code < 0 ? "cmdCancel" : "cmdOK"))->click();
        });
        child<QPushButton>(e, "cmdHardwareAdd")->click();
        return offered;
    }
};

TEST_F(HardwareTabTest, SelectingARowShowsAndFillsItsPage)
{
    const auto editor = newEditor(QStringLiteral("Rows"));
    const auto hw = editor->Machine()->Hardware();
    hw->Floppies()->Item(1)->SetDeviceType("file");
    hw->Floppies()->Item(1)->SetDeviceName("/img/a.flp");
    clickRow(*editor, "Floppy");
    EXPECT_EQ(child<QStackedWidget>(*editor, "sstHardware")->currentIndex(), 2);
    EXPECT_EQ(child<QLineEdit>(*editor, "txtFloppyImage")->text(), QStringLiteral("/img/a.flp"));
    EXPECT_EQ(editor->hardwareTab()->SelectedDeviceType(), VirtualHardwareType::Floppy);
    EXPECT_FALSE(editor->ChangesPending()) << "filling a page is no edit";
}

TEST_F(HardwareTabTest, EditsMarkTheEditorChangedAndRefreshTheRow)
{
    const auto editor = newEditor(QStringLiteral("Rows"));
    clickRow(*editor, "Floppy");
    child<QRadioButton>(*editor, "optFloppyImage")->click();
    EXPECT_TRUE(editor->ChangesPending());
    leave(child<QLineEdit>(*editor, "txtFloppyImage"), QStringLiteral("/img/b.flp"));
    const auto rows = list(*editor)->findItems(QStringLiteral("Floppy"), Qt::MatchExactly);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.front()->text(1), QStringLiteral("Using image /img/b.flp"));
}

TEST_F(HardwareTabTest, RemoveButtonFollowsTheRemoveRules)
{
    const auto editor = newEditor(QStringLiteral("Rules"));
    for (const char* fixed : {"Virtual Processor", "Memory", "IDE Controller", "IDE Controller2", "SCSI Controller", "Display",
                              "Mouse"}) {
        const auto rows = list(*editor)->findItems(QLatin1String(fixed), Qt::MatchStartsWith);
        ASSERT_FALSE(rows.isEmpty()) << fixed << " in " << [&] {
            std::string all;
            for (int i = 0; i < list(*editor)->topLevelItemCount(); ++i)
                all += list(*editor)->topLevelItem(i)->text(0).toStdString() + "; ";
            return all;
        }();
        list(*editor)->setCurrentItem(rows.front());
        EXPECT_FALSE(removeEnabled(*editor)) << rows.front()->text(0).toStdString();
    }
    clickRow(*editor, "Floppy");
    EXPECT_TRUE(removeEnabled(*editor));

    // Workstation 5.5x allows a second processor; that one may go again.
    addThroughDialog(*editor, 0);
    EXPECT_EQ(editor->hardwareTab()->SelectedDeviceType(), VirtualHardwareType::CPU);
    EXPECT_TRUE(removeEnabled(*editor));
}

TEST_F(HardwareTabTest, AddAppendsAndSelectsTheNewRow)
{
    const auto editor = newEditor(QStringLiteral("Add"));
    const int before = list(*editor)->topLevelItemCount();
    const auto offered = addThroughDialog(*editor, 10);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), 1), 0) << "a second memory is never offered";

    const auto hw = editor->Machine()->Hardware();
    ASSERT_EQ(hw->HardDisks()->Count(), 1);
    ASSERT_EQ(list(*editor)->topLevelItemCount(), before + 1);
    auto* added = list(*editor)->topLevelItem(before);
    EXPECT_EQ(list(*editor)->currentItem(), added);
    EXPECT_EQ(added->text(0), QStringLiteral("Hard Disk"));
    EXPECT_EQ(added->text(1), QStringLiteral("Present"));
    EXPECT_EQ(editor->hardwareTab()->SelectedDeviceID(), hw->HardDisks()->Item(1)->ID());
    EXPECT_EQ(editor->hardwareTab()->SelectedRowIndex(), before);
    EXPECT_EQ(child<QStackedWidget>(*editor, "sstHardware")->currentIndex(), 10);
    EXPECT_TRUE(editor->ChangesPending());
}

TEST_F(HardwareTabTest, CancelledAddChangesNothing)
{
    const auto editor = newEditor(QStringLiteral("Add"));
    const int before = list(*editor)->topLevelItemCount();
    addThroughDialog(*editor, -1);
    EXPECT_EQ(list(*editor)->topLevelItemCount(), before);
    EXPECT_FALSE(editor->ChangesPending());
}

TEST_F(HardwareTabTest, RemoveTakesDeviceAndRowAndLeavesNoSelection)
{
    const auto editor = newEditor(QStringLiteral("Remove"));
    const auto hw = editor->Machine()->Hardware();
    const int before = list(*editor)->topLevelItemCount();
    clickRow(*editor, "Floppy");
    child<QPushButton>(*editor, "cmdHardwareRemove")->click();
    EXPECT_EQ(hw->Floppies()->Count(), 0);
    EXPECT_EQ(list(*editor)->topLevelItemCount(), before - 1);
    EXPECT_EQ(editor->hardwareTab()->SelectedRowIndex(), -1);
    EXPECT_EQ(list(*editor)->currentItem(), nullptr);
    EXPECT_FALSE(removeEnabled(*editor));
    EXPECT_TRUE(editor->ChangesPending());
    EXPECT_TRUE(child<QStackedWidget>(*editor, "sstHardware")->isHidden());

    // A click on another row brings the page back.
    clickRow(*editor, "Mouse");
    EXPECT_FALSE(child<QStackedWidget>(*editor, "sstHardware")->isHidden());
}

TEST_F(HardwareTabTest, EveryKindShowsItsOwnPageHeadingAndIcon)
{
    // One device of every kind in the list, then a click on each row: the page shown must be the
    // page of the row's kind, filled from the row's device, under the kind's heading.
    const auto editor = newEditor(QStringLiteral("Kinds"));
    const auto hw = editor->Machine()->Hardware();
    for (const auto type : config::DeviceKinds()) {
        if (editor::DeviceCount(*hw, type) == 0) {
            ASSERT_TRUE(editor::AddDevice(*hw, type)) << static_cast<int>(type);
        }
    }
    editor->hardwareTab()->rebuild();

    auto* rows = list(*editor);
    auto* stack = child<QStackedWidget>(*editor, "sstHardware");
    auto* heading = child<QLabel>(*editor, "lblDevicePage");
    std::set<VirtualHardwareType> seen;
    for (int i = 0; i < rows->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = rows->topLevelItem(i);
        rows->setCurrentItem(row);
        emit rows->itemClicked(row, 0);
        const VirtualHardwareType type = editor->hardwareTab()->SelectedDeviceType();
        const std::string& id = editor->hardwareTab()->SelectedDeviceID();
        const std::string name = row->text(0).toStdString();
        ASSERT_TRUE(editor::DeviceNumber(*hw, type, id)) << name << ": the selected device is no "
                                                         << hw->HWTypeToText(type);
        seen.insert(type);

        const auto pages = stack->currentWidget()->findChildren<editor::DevicePage*>();
        ASSERT_EQ(pages.size(), 1) << name;
        EXPECT_TRUE(pages.front()->isVisibleTo(stack)) << name;
        EXPECT_EQ(pages.front()->deviceType(), type) << name << " shows the page of another kind";
        EXPECT_EQ(pages.front()->deviceId(), id) << name << ": the page is filled from another device";
        EXPECT_EQ(heading->text().toStdString(), platform::LoadCaption(config::FindDeviceKind(type)->pageTextId))
            << name;
        EXPECT_FALSE(row->icon(0).isNull()) << name;
    }
    EXPECT_EQ(seen.size(), config::DeviceKinds().size()) << "a kind has no row in the list";
}

TEST_F(HardwareTabTest, ClickingThroughEveryCorpusFileChangesNothingThatIsSaved)
{
    int saved = 0;
    int files = 0;
    for (const auto& entry : corpusVmxFiles()) {
        const std::string name = entry.relative;
        ++files;
        // The same file saved twice: once as read, once after every row was clicked.
        std::string written[2];
        std::vector<std::string> preserved;
        bool savedBoth = true;
        for (int pass = 0; pass < 2; ++pass) {
            const auto folder = temp.path() / (std::to_string(files) + "-" + std::to_string(pass));
            std::filesystem::create_directories(folder);
            const auto file = folder / "machine.vmx";
            std::filesystem::copy_file(entry.path, file);
            const auto editor = openEditor(file);
            dialogs.clear();
            if (pass == 1) {
                auto* rows = list(*editor);
                for (int i = 0; i < rows->topLevelItemCount(); ++i) {
                    rows->setCurrentItem(rows->topLevelItem(i));
                    emit rows->itemClicked(rows->topLevelItem(i), 0);
                }
                EXPECT_TRUE(dialogs.calls.empty()) << name << ": clicking rows showed a message";
                EXPECT_FALSE(editor->ChangesPending()) << name << ": clicking rows is no edit";
                preserved = editor->OtherParams();
            }
            if (!editor->CreateVmxFile()) {
                // A file the pre-checks refuse (too many PCI devices, ...) is refused both times.
                savedBoth = false;
                continue;
            }
            written[pass] = readFile(file);
        }
        if (!savedBoth)
            continue;
        ++saved;
        EXPECT_EQ(written[0], written[1]) << name;
        for (const auto& line : preserved)
            EXPECT_NE(written[1].find(line), std::string::npos) << name << ": lost " << line;
    }
    EXPECT_GT(saved, 10);
}

} // namespace
} // namespace zentravolix::testing
