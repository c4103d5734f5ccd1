// SPDX-License-Identifier: MIT
// The new-disk dialog's defaults, option handlers, size and name rules.
#include "CreateHDFixture.h"

#include <QGroupBox>
#include <QLabel>

#include <filesystem>

namespace zentravolix::testing {

namespace fs = std::filesystem;
using editor::Answer;
using editor::MessageIcon;

TEST_F(CreateHDTest, LoadShowsTheDefaultsWithoutAnyMessage)
{
    load();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Create New Hard Disk"));
    EXPECT_EQ(child<QLabel>("lblNewDisk")->text(), QStringLiteral("New Disk Name:"));
    EXPECT_EQ(box("txtNewDisk")->text(), QString::fromStdString(folder + "test.vmdk"));
    EXPECT_TRUE(option("optAdaptIde")->isChecked());
    EXPECT_TRUE(option("optSizeGb")->isChecked());
    EXPECT_TRUE(option("optTypeGrow")->isChecked());
    EXPECT_EQ(box("txtDiskSize")->text(), QStringLiteral("2"));
    // Our own disk library is always there, so it is the method chosen.
    EXPECT_TRUE(option("optMethodVMware")->isEnabled());
    EXPECT_TRUE(option("optMethodVMware")->isChecked());
    // The captions say what the methods are here: no VMware product, no Windows tools.
    EXPECT_EQ(option("optMethodVMware")->text(), QStringLiteral("Built-in disk library (no VMware product needed)"));
    EXPECT_EQ(option("optMethodExternal")->text(),
              QStringLiteral("qemu-img (package qemu-utils) and built-in preallocation"));
    EXPECT_FALSE(child<QLabel>("lblCaution")->isHidden());
    EXPECT_TRUE(option("optAdaptBus")->isEnabled());
    EXPECT_TRUE(option("optAdaptLsi")->isEnabled());
    EXPECT_FALSE(child<QGroupBox>("fraSlice")->isEnabled());
    EXPECT_FALSE(option("optTypeSpecial")->isEnabled());
    EXPECT_TRUE(button("cmdOK")->isEnabled());
    EXPECT_TRUE(dialogs.calls.empty()) << dialogs.messageTitles().join(QStringLiteral(", ")).toStdString();
    EXPECT_EQ(dialog->MaxIdeSectors, 268435456);
    EXPECT_EQ(dialog->MaxScsiSectors, 536870912);
    EXPECT_EQ(dialog->VirtualHWVersion, 3);
    EXPECT_TRUE(dialog->Cancelled);
}

TEST_F(CreateHDTest, LimitsAndHardwareVersionHandedInAreKept)
{
    dialog->MaxIdeSectors = 1992294400;
    dialog->MaxScsiSectors = 1992294400;
    dialog->VirtualHWVersion = 4;
    load();
    EXPECT_EQ(dialog->MaxIdeSectors, 1992294400);
    EXPECT_EQ(dialog->MaxScsiSectors, 1992294400);
    EXPECT_EQ(dialog->VirtualHWVersion, 4);
}

TEST_F(CreateHDTest, ExternalMethodHidesTheCautionAndLimitsGrowableDisksToIde)
{
    load();
    choose(option("optMethodExternal"));
    EXPECT_TRUE(child<QLabel>("lblCaution")->isHidden());
    EXPECT_FALSE(option("optTypeGrowSplit")->isEnabled());
    EXPECT_FALSE(option("optAdaptBus")->isEnabled());
    EXPECT_FALSE(option("optAdaptLsi")->isEnabled());

    // Preallocated disks take every adapter with either method.
    choose(option("optTypeFixed"));
    EXPECT_TRUE(option("optAdaptBus")->isEnabled());
    EXPECT_TRUE(option("optAdaptLsi")->isEnabled());
    choose(option("optTypeFixedSplit"));
    EXPECT_TRUE(option("optAdaptLsi")->isEnabled());
    choose(option("optTypeGrow"));
    EXPECT_FALSE(option("optAdaptLsi")->isEnabled());

    choose(option("optMethodVMware"));
    EXPECT_FALSE(child<QLabel>("lblCaution")->isHidden());
    EXPECT_TRUE(option("optTypeGrowSplit")->isEnabled());
    EXPECT_TRUE(option("optAdaptBus")->isEnabled());
    EXPECT_FALSE(child<QGroupBox>("fraSlice")->isEnabled());
}

TEST_F(CreateHDTest, SwitchingMethodKeepsTheKindButNotAnAdapterItCannotHave)
{
    load();
    choose(option("optTypeGrowSplit"));
    choose(option("optAdaptBus"));
    choose(option("optMethodExternal"));
    // The disabled kind stays chosen; the SCSI adapter falls back to IDE.
    EXPECT_TRUE(option("optTypeGrowSplit")->isChecked());
    EXPECT_FALSE(option("optTypeGrowSplit")->isEnabled());
    EXPECT_TRUE(option("optAdaptIde")->isChecked());
    EXPECT_FALSE(option("optAdaptBus")->isChecked());
}

TEST_F(CreateHDTest, MinimumSizeIs100Mb)
{
    load();
    typeSize("optSizeMb", QStringLiteral("100"));
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(button("cmdOK")->isEnabled());

    typeSize("optSizeMb", QStringLiteral("99"));
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].text, text(153));
    EXPECT_EQ(dialogs.messages()[0].title, text(150));
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(dialogs.messages()[1].text, text(151));
    EXPECT_EQ(dialogs.messages()[1].title, text(150));
    EXPECT_FALSE(button("cmdOK")->isEnabled());

    // 0.7 sectors rounds to 1 and fails the minimum.
    dialogs.clear();
    typeSize("optSizeSectors", QStringLiteral("0.7"));
    EXPECT_EQ(messageTexts().value(0), text(153));
}

TEST_F(CreateHDTest, AUnitChangeRechecksTheTypedNumber)
{
    load();
    leave(box("txtDiskSize"), QStringLiteral("300"));
    EXPECT_FALSE(button("cmdOK")->isEnabled()); // 300 Gb is more than 128 Gb
    EXPECT_EQ(messageTexts().value(0), text(154));
    dialogs.clear();
    choose(option("optSizeMb"));
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(button("cmdOK")->isEnabled());
}

TEST_F(CreateHDTest, IdeDiskAboveTheLimitIsRefusedOrAskedAboutByProduct)
{
    load();
    typeSize("optSizeSectors", QStringLiteral("268435457"));
    EXPECT_EQ(messageTexts(), (QStringList{text(154), text(151)}));
    EXPECT_FALSE(button("cmdOK")->isEnabled());

    // With the 950 GiB limit the same size asks the large-disk question.
    dialog = std::make_unique<editor::frmCreateHD>(dialogs);
    dialog->MaxIdeSectors = 1992294400;
    load();
    dialogs.clear();
    typeSize("optSizeSectors", QStringLiteral("268435457"));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, text(157));
    EXPECT_EQ(dialogs.messages()[0].text, text(158));
    EXPECT_EQ(dialogs.messages()[0].buttons, editor::Buttons::YesNo);
    EXPECT_TRUE(button("cmdOK")->isEnabled());

    dialogs.clear();
    dialogs.answers.push_back(Answer::No);
    leave(box("txtDiskSize"), QStringLiteral("268435458"));
    EXPECT_EQ(dialogs.messageTitles(), (QStringList{text(157), text(150)}));
    EXPECT_FALSE(button("cmdOK")->isEnabled());
}

TEST_F(CreateHDTest, LargeSinglePreallocatedDiskAsksNothing)
{
    // The flat file is preallocated in one piece, so there is no temporary copy to warn about.
    load();
    choose(option("optTypeFixed"));
    dialogs.answers.push_back(Answer::No);
    leave(box("txtDiskSize"), QStringLiteral("3"));
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(button("cmdOK")->isEnabled());
}

TEST_F(CreateHDTest, NonNumericSizeIsRefusedAndDisablesOk)
{
    load();
    leave(box("txtDiskSize"), QStringLiteral("2x"));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, text(152));
    EXPECT_EQ(dialogs.messages()[0].title, text(150));
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(button("cmdOK")->isEnabled());
}

TEST_F(CreateHDTest, NameRuleAppendsTheCaseSensitiveSuffix)
{
    load();
    leave(box("txtNewDisk"), QString::fromStdString(folder + "disk"));
    EXPECT_EQ(box("txtNewDisk")->text(), QString::fromStdString(folder + "disk.vmdk"));
    EXPECT_EQ(dialog->DiskName, box("txtNewDisk")->text());
    leave(box("txtNewDisk"), QString::fromStdString(folder + "disk.VMDK"));
    EXPECT_EQ(box("txtNewDisk")->text(), QString::fromStdString(folder + "disk.VMDK.vmdk"));
    leave(box("txtNewDisk"), QString::fromStdString(folder + "other.vmdk"));
    EXPECT_EQ(box("txtNewDisk")->text(), QString::fromStdString(folder + "other.vmdk"));
    // A name without a folder goes beside the proposal, i.e. beside the configuration.
    leave(box("txtNewDisk"), QStringLiteral("plain"));
    EXPECT_EQ(box("txtNewDisk")->text(), QString::fromStdString(folder + "plain.vmdk"));
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(CreateHDTest, MissingFolderIsMadeOneLevelAndRemovedOnCancelWhenEmpty)
{
    load();
    leave(box("txtNewDisk"), QString::fromStdString(folder + "new/disk.vmdk"));
    EXPECT_TRUE(fs::is_directory(folder + "new"));

    // Two levels cannot be made: the user hears which folder, nothing crashes.
    leave(box("txtNewDisk"), QString::fromStdString(folder + "a/b/disk.vmdk"));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith(QString::fromStdString(folder + "a/b/")));
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Critical);

    button("cmdCancel")->click();
    EXPECT_TRUE(dialog->Cancelled);
    EXPECT_FALSE(fs::exists(folder + "new"));
}

TEST_F(CreateHDTest, SelectFolderKeepsTheFileName)
{
    load();
    fs::create_directory(folder + "picked");
    dialogs.paths.push_back(QString::fromStdString(folder + "picked"));
    button("cmdBrowseFolder")->click();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].title, text(147));
    EXPECT_EQ(box("txtNewDisk")->text(), QString::fromStdString(folder + "picked/test.vmdk"));

    // Cancelling the browser changes nothing.
    button("cmdBrowseFolder")->click();
    EXPECT_EQ(box("txtNewDisk")->text(), QString::fromStdString(folder + "picked/test.vmdk"));
}

TEST(ProposedDiskName, ReplacesTheVmxSuffixOrNamesANewDisk)
{
    EXPECT_EQ(editor::ProposedDiskName("/vms/a/", "a.vmx"), QStringLiteral("/vms/a/a.vmdk"));
    EXPECT_EQ(editor::ProposedDiskName("/vms/a", "a.vmx"), QStringLiteral("/vms/a/a.vmdk"));
    EXPECT_EQ(editor::ProposedDiskName("/vms/a/", ""), QStringLiteral("/vms/a/NewDisk.vmdk"));
    EXPECT_EQ(editor::ProposedDiskName("/vms/a/", "x"), QStringLiteral("/vms/a/x.vmdk"));
}

} // namespace zentravolix::testing
