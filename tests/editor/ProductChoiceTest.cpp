// SPDX-License-Identifier: MIT
// The product, version and guest lists of the General page and what a choice sets.
#include "EditorFixture.h"

#include "editor/widget/HardwareTab.h"

#include <QSignalSpy>
#include <QTreeWidget>

namespace zentravolix::testing {
namespace {

using ProductChoice = EditorTest;

TEST_F(ProductChoice, NewPlatformOffersItsVersionsWithNoneChosen)
{
    const auto editor = newEditor();
    const auto g = general(*editor);
    auto* versions = child<QComboBox>(*editor, "cboPlatformVersion");
    child<QComboBox>(*editor, "cboTargetPlatform")->setCurrentIndex(2); // Player
    EXPECT_EQ(g->TargetPlatform(), 2);
    ASSERT_EQ(versions->count(), 13);
    EXPECT_EQ(versions->itemText(0), QStringLiteral("1.x"));
    EXPECT_EQ(versions->itemText(12), QStringLiteral("17.5x"));
    EXPECT_EQ(versions->currentIndex(), -1);
    EXPECT_EQ(g->PlatformVersion(), 4); // kept until a version is picked
    EXPECT_EQ(g->ConfigVersion(), 8);
    EXPECT_TRUE(editor->ChangesPending());

    versions->setCurrentIndex(0);
    EXPECT_EQ(g->PlatformVersion(), 0);
    EXPECT_EQ(g->ConfigVersion(), 8);
    EXPECT_EQ(g->HardwareVersion(), 4);
    EXPECT_EQ(editor->Limits().MaxCPUs, 1);
    EXPECT_EQ(editor->Limits().MaxSCSIControllers, 2);
}

TEST_F(ProductChoice, VersionChoiceSetsVersionsLimitsAndGuestFamilies)
{
    const auto editor = newEditor();
    const auto g = general(*editor);
    auto* versions = child<QComboBox>(*editor, "cboPlatformVersion");
    auto* families = child<QComboBox>(*editor, "cboGuestFamilies");
    QSignalSpy chosen(editor.get(), &editor::Velmire::productVersionChosen);
    versions->setCurrentIndex(2); // Workstation 4.5x
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(g->ConfigVersion(), 7);
    EXPECT_EQ(g->HardwareVersion(), 3);
    EXPECT_EQ(editor->Limits().MaxMemoryMB, 1024);
    EXPECT_EQ(families->count(), 5);

    versions->setCurrentIndex(1); // Workstation 4.0x: no Solaris
    ASSERT_EQ(families->count(), 4);
    EXPECT_EQ(families->itemText(3), QStringLiteral("Other"));

    child<QComboBox>(*editor, "cboTargetPlatform")->setCurrentIndex(0); // GSX Server
    versions->setCurrentIndex(1);                                       // 3.x
    ASSERT_EQ(families->count(), 5);
    EXPECT_EQ(families->itemText(3), QStringLiteral("Solaris"));
    EXPECT_EQ(g->ConfigVersion(), 7);
    EXPECT_EQ(editor->Limits().MaxMemoryMB, 3684);
}

TEST_F(ProductChoice, GuestFamilyThenVersionNamesTheGuest)
{
    const auto editor = newEditor();
    const auto g = general(*editor);
    auto* guestVersions = child<QComboBox>(*editor, "cboGuestVersions");
    child<QComboBox>(*editor, "cboGuestFamilies")->setCurrentIndex(1); // Linux
    EXPECT_EQ(g->GuestFamily(), 1);
    const auto linuxGuests = g->SupportedGuests()[1];
    ASSERT_GT(guestVersions->count(), 1);
    EXPECT_EQ(guestVersions->itemText(0), QString::fromStdString(linuxGuests[0].DisplayedName));
    // The family's first guest is chosen with it: guestOS never stays a Windows name under Linux.
    EXPECT_EQ(guestVersions->currentIndex(), 0);
    EXPECT_EQ(g->GuestVersion(), 0);
    EXPECT_EQ(g->GuestOSName(), linuxGuests[0].ConfigName);
    EXPECT_NE(g->GuestOSName(), "winXPPro");

    guestVersions->setCurrentIndex(1);
    EXPECT_EQ(g->GuestVersion(), 1);
    EXPECT_EQ(g->GuestOSName(), linuxGuests[1].ConfigName);
    EXPECT_TRUE(editor->ChangesPending());
}

TEST_F(ProductChoice, ProductChangeBringsMemoryProcessorsAndAdaptersWithinTheNewLimits)
{
    const auto editor = newEditor();
    const auto hw = editor->Machine()->Hardware();
    hw->Memory()->Item(1)->SetMBs(3000);
    hw->CPUs()->Add(); // two processors: Workstation 5.5x allows them
    for (int i = 0; i < 4; ++i)
        hw->NetworkAdapters()->Add();
    editor->hardwareTab()->rebuild();
    dialogs.clear();

    // Workstation 4.0x: at most 1024 MB, one processor, three adapters; told once per kind.
    child<QComboBox>(*editor, "cboPlatformVersion")->setCurrentIndex(1);
    EXPECT_EQ(hw->Memory()->Item(1)->MBs(), 1024);
    EXPECT_EQ(hw->CPUs()->Count(), 1);
    EXPECT_EQ(hw->NetworkAdapters()->Count(), 3);
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].title, QStringLiteral("Invalid Memory Size"));
    EXPECT_EQ(dialogs.messages()[0].text,
              QStringLiteral("RAM size out of valid range for Selected Product/Version"));
    EXPECT_EQ(dialogs.messages()[1].title, QStringLiteral("Too many devices for Selected Product/Version"));
    EXPECT_TRUE(dialogs.messages()[1].text.endsWith(QStringLiteral("\n\nVirtual Processor2\nEthernet4")))
        << dialogs.messages()[1].text.toStdString();
    // The list shows what is left, and the memory row its new size.
    auto* list = child<QTreeWidget>(*editor, "lvwHardwareList");
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        rows << list->topLevelItem(i)->text(0) + QStringLiteral(": ") + list->topLevelItem(i)->text(1);
    EXPECT_TRUE(rows.contains(QStringLiteral("Memory: 1024 MB"))) << rows.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(rows.join(QLatin1Char('|')).contains(QStringLiteral("Virtual Processor2")));

    // Within the limits nothing is said.
    dialogs.clear();
    child<QComboBox>(*editor, "cboPlatformVersion")->setCurrentIndex(4);
    EXPECT_TRUE(dialogs.messages().empty());

    // A platform whose every version allows one processor removes the second at once.
    hw->CPUs()->Add();
    child<QComboBox>(*editor, "cboTargetPlatform")->setCurrentIndex(0); // GSX Server
    EXPECT_EQ(hw->CPUs()->Count(), 1);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(hw->Memory()->Item(1)->MBs(), 1024);
}


TEST_F(ProductChoice, TodaysVersionShowsTheNewerLinesAClassicVersionKeptAsText)
{
    const auto file = std::filesystem::path(temp.withSlash()) / "newer.vmx";
    writeFile(file, "config.version = \"8\"\nvirtualHW.version = \"4\"\nmemsize = \"256\"\n"
                    "ethernet0.present = \"TRUE\"\nethernet0.virtualDev = \"vmxnet3\"\n");
    const auto editor = openEditor(file);
    const auto nic = [&] { return editor->Machine()->Hardware()->NetworkAdapters()->Item(1); };
    EXPECT_EQ(nic()->DeviceType(), 0) << "read as Workstation 5.5x: the line is kept as text";

    child<QComboBox>(*editor, "cboPlatformVersion")->setCurrentIndex(17); // Workstation 17.x
    EXPECT_EQ(editor->Machine()->Options()->GeneralOptions()->PlatformVersion(), 17);
    EXPECT_EQ(nic()->DeviceType(), 4) << "vmxnet3 is the adapter's type now";
    EXPECT_TRUE(editor->ChangesPending());
}

} // namespace
} // namespace zentravolix::testing
