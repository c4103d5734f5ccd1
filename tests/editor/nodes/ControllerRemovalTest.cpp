// SPDX-License-Identifier: MIT
// In the whole editor: a device moved to the other bus shows its new node in the hardware list,
// and a controller that still holds devices goes only with them, after the user agreed.
#include "HardwareListFixture.h"

namespace zentravolix::testing {
namespace {

class ControllerRemovalTest : public HardwareListTest {
protected:
    /** A new configuration with a second SCSI controller holding a disk (1:0) and a CD-ROM (1:1). */
    std::unique_ptr<editor::Velmire> machineWithSecondScsiController()
    {
        auto editor = newEditor(QStringLiteral("Controllers"), QString::fromStdString(temp.withSlash()));
        addThroughDialog(*editor, 9);
        addThroughDialog(*editor, 10);
        child<QRadioButton>(*editor, "optHDSCSI")->click();
        EXPECT_TRUE(chooseEntry(child<QComboBox>(*editor, "cboHDSCSI"), QStringLiteral("SCSI 1:0")));
        addThroughDialog(*editor, 11);
        child<QRadioButton>(*editor, "optCDRSCSI")->click();
        EXPECT_TRUE(chooseEntry(child<QComboBox>(*editor, "cboCDRSCSI"), QStringLiteral("SCSI 1:1")));
        EXPECT_TRUE(rowTexts(*editor).contains(QStringLiteral("Hard Disk (SCSI1:0)"))) << rowTexts(*editor).join(QLatin1Char(';')).toStdString();
        EXPECT_TRUE(rowTexts(*editor).contains(QStringLiteral("CD-ROM (SCSI1:1)")));
        dialogs.clear();
        return editor;
    }
};

TEST_F(ControllerRemovalTest, ABusButtonRefreshesTheDevicesRow)
{
    const auto editor = newEditor(QStringLiteral("Bus"));
    addThroughDialog(*editor, 10);
    child<QRadioButton>(*editor, "optHDIDE")->click();
    ASSERT_TRUE(chooseEntry(child<QComboBox>(*editor, "cboHDIDE"), QStringLiteral("IDE 0:1")));
    EXPECT_TRUE(rowTexts(*editor).contains(QStringLiteral("Hard Disk (IDE0:1)")));
    child<QRadioButton>(*editor, "optHDSCSI")->click();
    EXPECT_TRUE(rowTexts(*editor).contains(QStringLiteral("Hard Disk (SCSI0:1)"))) << rowTexts(*editor).join(QLatin1Char(';')).toStdString();
    EXPECT_FALSE(rowTexts(*editor).contains(QStringLiteral("Hard Disk (IDE0:1)")));
}

TEST_F(ControllerRemovalTest, NoKeepsTheControllerAndItsDevices)
{
    const auto editor = machineWithSecondScsiController();
    const QStringList before = rowTexts(*editor);
    ASSERT_TRUE(clickRow(*editor, QStringLiteral("SCSI Controller2")));
    dialogs.answers.push_back(editor::Answer::No);
    clickRemove(*editor);

    const auto shown = dialogs.messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown.front().title, QStringLiteral("Remove Controller"));
    EXPECT_EQ(shown.front().icon, editor::MessageIcon::Question);
    EXPECT_EQ(shown.front().buttons, editor::Buttons::YesNo);
    EXPECT_EQ(shown.front().defaultButton, editor::Answer::No) << "Enter keeps everything";
    EXPECT_EQ(shown.front().text, QStringLiteral("These devices are attached to SCSI Controller2:\n\n"
                                                 "    Hard Disk (SCSI1:0)\n    CD-ROM (SCSI1:1)\n\n"
                                                 "Remove the controller together with these devices?"));
    EXPECT_EQ(rowTexts(*editor), before);
    const auto hw = editor->Machine()->Hardware();
    EXPECT_EQ(hw->SCSIControllers()->Count(), 2);
    EXPECT_EQ(hw->HardDisks()->Count(), 1);
    EXPECT_EQ(hw->CDRoms()->Count(), 1);
    EXPECT_EQ(editor->hardwareTab()->SelectedDeviceType(), tarvonel::VirtualHardwareType::SCSIController);
}

TEST_F(ControllerRemovalTest, YesRemovesTheControllerWithItsDevicesAndSaveWritesNoneOfThem)
{
    const auto editor = machineWithSecondScsiController();
    ASSERT_TRUE(clickRow(*editor, QStringLiteral("SCSI Controller2")));
    dialogs.answers.push_back(editor::Answer::Yes);
    clickRemove(*editor);

    const auto hw = editor->Machine()->Hardware();
    EXPECT_EQ(hw->SCSIControllers()->Count(), 1);
    EXPECT_EQ(hw->HardDisks()->Count(), 0);
    EXPECT_EQ(hw->CDRoms()->Count(), 0);
    for (const QString& row : rowTexts(*editor))
        EXPECT_FALSE(row.contains(QStringLiteral("SCSI1:")) || row == QStringLiteral("SCSI Controller2"))
            << row.toStdString();
    EXPECT_EQ(editor->hardwareTab()->SelectedRowIndex(), -1);
    EXPECT_FALSE(child<QPushButton>(*editor, "cmdHardwareRemove")->isEnabled());
    ASSERT_TRUE(editor->CreateVmxFile());
    const std::string written = readFile(temp.path() / "Controllers.vmx");
    EXPECT_EQ(written.find("scsi1"), std::string::npos);
}

TEST_F(ControllerRemovalTest, AThirdIdeControllerFromAFileAsksToo)
{
    const auto file = temp.path() / "third.vmx";
    writeFile(file, "config.version = \"8\"\nvirtualHW.version = \"4\"\nide2:0.present = \"TRUE\"\n"
                    "ide2:0.fileName = \"third.vmdk\"\nide2:0.deviceType = \"disk\"\n");
    const auto editor = openEditor(file);
    ASSERT_TRUE(rowTexts(*editor).contains(QStringLiteral("Hard Disk (IDE2:0)"))) << rowTexts(*editor).join(QLatin1Char(';')).toStdString();
    ASSERT_TRUE(clickRow(*editor, QStringLiteral("IDE Controller3")));
    dialogs.clear();
    clickRemove(*editor); // the recorded dialogs answer Yes
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages().front().text.contains(QStringLiteral("    Hard Disk (IDE2:0)\n")));
    EXPECT_EQ(editor->Machine()->Hardware()->IDEControllers()->Count(), 2);
    EXPECT_EQ(editor->Machine()->Hardware()->HardDisks()->Count(), 0);
    ASSERT_TRUE(editor->CreateVmxFile());
    EXPECT_EQ(readFile(file).find("ide2"), std::string::npos);
}

TEST_F(ControllerRemovalTest, AControllerWithoutDevicesGoesWithoutAQuestion)
{
    const auto editor = newEditor(QStringLiteral("Bare"));
    addThroughDialog(*editor, 9);
    // A device on the first controller is no reason to ask about the second.
    addThroughDialog(*editor, 10);
    child<QRadioButton>(*editor, "optHDSCSI")->click();
    dialogs.clear();
    ASSERT_TRUE(clickRow(*editor, QStringLiteral("SCSI Controller2")));
    clickRemove(*editor);
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_EQ(editor->Machine()->Hardware()->SCSIControllers()->Count(), 1);
    EXPECT_EQ(editor->Machine()->Hardware()->HardDisks()->Count(), 1);
}

} // namespace
} // namespace zentravolix::testing
