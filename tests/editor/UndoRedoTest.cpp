// SPDX-License-Identifier: MIT
// Undo and redo in one editor: every kind of edit goes back and comes again, the pages and the
// hardware list show each state, and the changed flag follows the last save.
#include "editor/nodes/HardwareListFixture.h"

#include "editor/dialogs/frmAddSharedFolder.h"

#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QUndoStack>

namespace zentravolix::testing {
namespace {

using tarvonel::VirtualHardwareType;

class UndoRedoTest : public HardwareListTest {
protected:
    static QUndoStack& steps(const editor::Velmire& e) { return *e.undoStack(); }
    static void undo(const editor::Velmire& e) { steps(e).undo(); }
    static void redo(const editor::Velmire& e) { steps(e).redo(); }

    /** The CD-ROM the dialog adds, with an image so it takes the first free IDE node. */
    std::shared_ptr<tarvonel::clsCDRom> addCdRomWithImage(editor::Velmire& e)
    {
        addThroughDialog(e, static_cast<int>(VirtualHardwareType::CDRomDrive));
        const auto cdroms = e.Machine()->Hardware()->CDRoms();
        auto cd = cdroms->Item(cdroms->Count());
        child<QRadioButton>(e, "optCDRImage")->click();
        leave(child<QLineEdit>(e, "txtCDRImage"), QStringLiteral("/iso/tools.iso"));
        return cdroms->Item(-1, cd->ID());
    }

    /** The list's rows in any order: a rebuilt list is in type order, an added row comes last. */
    static QStringList rowSet(const editor::Velmire& e)
    {
        QStringList rows = rowTexts(e);
        rows.sort();
        return rows;
    }

    static std::string where(const editor::Velmire& e, const std::string& cdId)
    {
        const auto cd = e.Machine()->Hardware()->CDRoms()->Item(-1, cdId);
        return cd->BusType() + " " + std::to_string(cd->Controller()) + ":" + std::to_string(cd->BusNode());
    }
};

TEST_F(UndoRedoTest, TypedValueCheckBoxAndChoiceGoBackAndComeAgainOnTheirPages)
{
    const auto editor = newEditor(QStringLiteral("Before"));
    const auto vm = editor->Machine();
    QStringList captions;
    QObject::connect(editor.get(), &editor::Velmire::displayNameChanged,
                     [&captions](const QString& name) { captions << name; });

    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("After"));
    selectOptionsRow(*editor, 1);
    child<QCheckBox>(*editor, "chkPowerOnAfterOpen")->click();
    child<QComboBox>(*editor, "cboPowerOff")->setCurrentIndex(1);
    ASSERT_EQ(steps(*editor).count(), 3);

    undo(*editor);
    EXPECT_EQ(vm->Options()->PowerOptions()->StopButtonAction(), 0);
    EXPECT_EQ(child<QComboBox>(*editor, "cboPowerOff")->currentIndex(), 0);
    undo(*editor);
    EXPECT_FALSE(vm->Options()->PowerOptions()->PowerOnAfterOpening());
    EXPECT_FALSE(child<QCheckBox>(*editor, "chkPowerOnAfterOpen")->isChecked());
    undo(*editor);
    EXPECT_EQ(general(*editor)->DisplayName(), "Before");
    EXPECT_EQ(child<QLineEdit>(*editor, "txtDisplayName")->text(), QStringLiteral("Before"));
    EXPECT_EQ(summaryOfRow(*editor, 0), QString::fromStdString(general(*editor)->Summary()));
    EXPECT_FALSE(editor->ChangesPending()) << "back at the state it was created in";

    redo(*editor);
    redo(*editor);
    redo(*editor);
    EXPECT_EQ(general(*editor)->DisplayName(), "After");
    EXPECT_TRUE(child<QCheckBox>(*editor, "chkPowerOnAfterOpen")->isChecked());
    EXPECT_EQ(child<QComboBox>(*editor, "cboPowerOff")->currentIndex(), 1);
    EXPECT_TRUE(editor->ChangesPending());
    // The host's tab caption follows the name back and forth.
    EXPECT_EQ(captions,
              (QStringList{QStringLiteral("After"), QStringLiteral("Before"), QStringLiteral("After")}));
}

TEST_F(UndoRedoTest, AddedDeviceWithItsNodeGoesAndComesBackInTheList)
{
    const auto editor = newEditor(QStringLiteral("Add"));
    const QStringList rowsBefore = rowSet(*editor);
    const int stepsBefore = steps(*editor).count();
    const auto cd = addCdRomWithImage(*editor);
    const std::string id = cd->ID();
    const std::string node = where(*editor, id);
    ASSERT_EQ(cd->BusType(), "IDE");
    // Add, image option, image (with its automatic node): three steps.
    ASSERT_EQ(steps(*editor).count(), stepsBefore + 3);
    const QStringList rowsAfter = rowSet(*editor);

    for (int i = 0; i < 3; ++i)
        undo(*editor);
    EXPECT_THROW(editor->Machine()->Hardware()->CDRoms()->Item(-1, id), tarvonel::Error);
    EXPECT_EQ(rowSet(*editor), rowsBefore);
    EXPECT_FALSE(editor->ChangesPending());

    for (int i = 0; i < 3; ++i)
        redo(*editor);
    EXPECT_EQ(where(*editor, id), node) << "the same device, on the same node";
    EXPECT_EQ(rowSet(*editor), rowsAfter);
    EXPECT_EQ(editor->hardwareTab()->SelectedDeviceID(), id);
    EXPECT_EQ(child<QLineEdit>(*editor, "txtCDRImage")->text(), QStringLiteral("/iso/tools.iso"));
}

TEST_F(UndoRedoTest, RemovedDeviceComesBackOnItsNodeAndIsShown)
{
    const auto editor = newEditor(QStringLiteral("Remove"));
    const auto cd = addCdRomWithImage(*editor);
    const std::string id = cd->ID();
    const std::string node = where(*editor, id);
    const QStringList rows = rowSet(*editor);
    ASSERT_TRUE(clickRow(*editor, QString::fromStdString(cd->DisplayName())));
    clickRemove(*editor);
    ASSERT_EQ(editor->Machine()->Hardware()->CDRoms()->Count(), 0);

    undo(*editor);
    EXPECT_EQ(where(*editor, id), node);
    EXPECT_EQ(rowSet(*editor), rows);
    EXPECT_EQ(editor->hardwareTab()->SelectedDeviceID(), id) << "the device brought back is selected";
    EXPECT_FALSE(child<QStackedWidget>(*editor, "sstHardware")->isHidden());

    redo(*editor);
    EXPECT_EQ(editor->Machine()->Hardware()->CDRoms()->Count(), 0);
    EXPECT_FALSE(rowTexts(*editor).contains(QString::fromStdString(cd->DisplayName())));
}

TEST_F(UndoRedoTest, MoveBetweenBusesGoesBackToTheOldNode)
{
    const auto editor = newEditor(QStringLiteral("Move"));
    const std::string id = addCdRomWithImage(*editor)->ID();
    const std::string ideNode = where(*editor, id);
    const int stepsBefore = steps(*editor).count();
    child<QRadioButton>(*editor, "optCDRSCSI")->click();
    const std::string scsiNode = where(*editor, id);
    ASSERT_EQ(scsiNode.rfind("SCSI", 0), 0u) << scsiNode;
    ASSERT_EQ(steps(*editor).count(), stepsBefore + 1);

    undo(*editor);
    EXPECT_EQ(where(*editor, id), ideNode);
    EXPECT_TRUE(child<QRadioButton>(*editor, "optCDRIDE")->isChecked());
    EXPECT_FALSE(child<QComboBox>(*editor, "cboCDRSCSI")->isEnabled());
    const auto row = list(*editor)->currentItem();
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->text(0).contains(QStringLiteral("IDE"))) << row->text(0).toStdString();

    redo(*editor);
    EXPECT_EQ(where(*editor, id), scsiNode);
    EXPECT_TRUE(child<QRadioButton>(*editor, "optCDRSCSI")->isChecked());
}

TEST_F(UndoRedoTest, VersionChoiceWithTheDevicesItRemovedIsOneStep)
{
    const auto editor = newEditor(QStringLiteral("Version"));
    const auto hw = editor->Machine()->Hardware();
    addThroughDialog(*editor, static_cast<int>(VirtualHardwareType::CPU)); // Workstation 5.5x allows two
    ASSERT_EQ(hw->CPUs()->Count(), 2);
    const auto limits = editor->Limits();
    auto* versions = child<QComboBox>(*editor, "cboPlatformVersion");
    const int version = versions->currentIndex();
    const int before = steps(*editor).count();

    versions->setCurrentIndex(1); // Workstation 4.0x: one processor
    ASSERT_EQ(hw->CPUs()->Count(), 1);
    EXPECT_EQ(steps(*editor).count(), before + 1);

    undo(*editor);
    EXPECT_EQ(hw->CPUs()->Count(), 2);
    EXPECT_TRUE(rowTexts(*editor).contains(QStringLiteral("Virtual Processor2")));
    EXPECT_EQ(editor->Limits(), limits);
    EXPECT_EQ(versions->currentIndex(), version);
    redo(*editor);
    EXPECT_EQ(hw->CPUs()->Count(), 1);
    EXPECT_EQ(editor->Limits().MaxMemoryMB, 1024);
    EXPECT_EQ(versions->currentIndex(), 1);
}

TEST_F(UndoRedoTest, SharedFolderAddedThroughTheDialogGoesAndComesBack)
{
    const auto editor = newEditor();
    selectOptionsRow(*editor, 2);
    const auto shares = editor->Machine()->Options()->SharedFoldersOptions();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<editor::frmAddSharedFolder*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        leave(dialog->findChild<QLineEdit*>(QStringLiteral("txtShareName")), QStringLiteral("src"));
        leave(dialog->findChild<QLineEdit*>(QStringLiteral("txtHostFolder")), QStringLiteral("/home/src/"));
        dialog->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    });
    child<QPushButton>(*editor, "cmdSharedAdd")->click();
    ASSERT_EQ(shares->Count(), 1);
    auto* list = child<QTreeWidget>(*editor, "lvwSharedFolders");

    undo(*editor);
    EXPECT_EQ(shares->Count(), 0);
    EXPECT_EQ(list->topLevelItemCount(), 0);
    redo(*editor);
    ASSERT_EQ(shares->Count(), 1);
    EXPECT_EQ(shares->Item(1)->HostFolder(), "/home/src/");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("src"));
}

TEST_F(UndoRedoTest, ChangedFlagFollowsTheLastSave)
{
    const auto editor = newEditor(QStringLiteral("Saved"), QString::fromStdString(temp.withSlash()));
    selectOptionsRow(*editor, 1);
    auto* first = child<QCheckBox>(*editor, "chkPowerOnAfterOpen");
    auto* second = child<QCheckBox>(*editor, "chkCloseAfterPowerOff");
    first->click();
    ASSERT_TRUE(editor->CreateVmxFile());
    const std::string saved = readFile(temp.path() / "Saved.vmx");
    EXPECT_FALSE(editor->ChangesPending());
    second->click();
    EXPECT_TRUE(editor->ChangesPending());

    undo(*editor);
    EXPECT_FALSE(editor->ChangesPending()) << "back at the saved state";
    undo(*editor);
    EXPECT_TRUE(editor->ChangesPending()) << "before the saved state";
    EXPECT_FALSE(first->isChecked());
    redo(*editor);
    EXPECT_FALSE(editor->ChangesPending());
    EXPECT_TRUE(first->isChecked());
    redo(*editor);
    EXPECT_TRUE(editor->ChangesPending());

    // Saved again after undoing to the saved state: the file is what it was.
    undo(*editor);
    ASSERT_TRUE(editor->CreateVmxFile());
    EXPECT_EQ(readFile(temp.path() / "Saved.vmx"), saved);
}

TEST_F(UndoRedoTest, RefusedAndEmptyEditsLeaveNoStep)
{
    // Every IDE node is taken; the CD-ROM is on SCSI.
    writeFile(temp.path() / "full.vmx",
              "config.version = \"8\"\nvirtualHW.version = \"4\"\n"
              "displayName = \"Full\"\nmemsize = \"256\"\n"
              "ide0:0.present = \"TRUE\"\nide0:0.fileName = \"a.vmdk\"\n"
              "ide0:1.present = \"TRUE\"\nide0:1.fileName = \"b.vmdk\"\n"
              "ide1:0.present = \"TRUE\"\nide1:0.fileName = \"c.vmdk\"\n"
              "ide1:1.present = \"TRUE\"\nide1:1.fileName = \"d.vmdk\"\n"
              "scsi0.present = \"TRUE\"\nscsi0:1.present = \"TRUE\"\n"
              "scsi0:1.deviceType = \"cdrom-image\"\nscsi0:1.fileName = \"/iso/a.iso\"\n");
    const auto editor = openEditor(temp.path() / "full.vmx");
    ASSERT_TRUE(dialogs.messages().empty()) << dialogs.messages().front().text.toStdString();

    ASSERT_TRUE(clickRow(*editor, QStringLiteral("Memory")));
    leave(child<QLineEdit>(*editor, "txtMemSize"), QStringLiteral("999999"));
    EXPECT_EQ(dialogs.messages().size(), 1u) << "the range rule refused the size";
    EXPECT_EQ(editor->Machine()->Hardware()->Memory()->Item(1)->MBs(), 256);

    const auto cd = editor->Machine()->Hardware()->CDRoms()->Item(1);
    ASSERT_TRUE(clickRow(*editor, QString::fromStdString(cd->DisplayName())));
    child<QRadioButton>(*editor, "optCDRIDE")->click();
    EXPECT_EQ(dialogs.messages().size(), 2u) << "no free IDE node";
    EXPECT_EQ(where(*editor, cd->ID()), "SCSI 0:1");

    // Choosing the entry already shown changes nothing either.
    auto* scsi = child<QComboBox>(*editor, "cboCDRSCSI");
    choose(scsi, scsi->currentIndex());

    EXPECT_EQ(steps(*editor).count(), 0);
    EXPECT_FALSE(steps(*editor).canUndo());
    EXPECT_FALSE(editor->ChangesPending());
}

TEST_F(UndoRedoTest, TypingInTheNotesIsOneStep)
{
    const auto editor = newEditor();
    auto* notes = child<QPlainTextEdit>(*editor, "txtNotes");
    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("Named"));
    const int before = steps(*editor).count();
    for (QChar c : QStringLiteral("word"))
        notes->insertPlainText(QString(c));
    EXPECT_EQ(editor->Machine()->Notes(), "word");
    EXPECT_EQ(steps(*editor).count(), before + 1);

    undo(*editor);
    EXPECT_EQ(editor->Machine()->Notes(), "");
    EXPECT_TRUE(notes->toPlainText().isEmpty());
    EXPECT_EQ(general(*editor)->DisplayName(), "Named") << "one undo takes back the typing only";
    redo(*editor);
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("word"));
}

} // namespace
} // namespace zentravolix::testing
