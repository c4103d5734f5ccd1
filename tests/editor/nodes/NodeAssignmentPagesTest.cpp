// SPDX-License-Identifier: MIT
// Choosing nodes on the hard disk, CD-ROM and generic SCSI pages, and the automatic node.
#include "editor/devices/StoragePageFixture.h"

#include "editor/widget/pages/devices/CDRomPage.h"
#include "editor/widget/pages/devices/GenSCSIPage.h"
#include "editor/widget/pages/devices/HardDiskPage.h"

using namespace zentravolix;
using zentravolix::testing::NodePlacementTest;

namespace {

class NodePagesTest : public NodePlacementTest {
protected:
    std::shared_ptr<tarvonel::clsHardDisk> disk(const char* bus, std::int16_t controller, std::int16_t node)
    {
        auto d = hw()->HardDisks()->Add();
        put(*d, bus, controller, node);
        return d;
    }
};

} // namespace

TEST_F(NodePagesTest, ChoosingTheCdRomsNodeMovesTheCdRomToTheFirstFreeNode)
{
    auto hd = disk("IDE", 0, 0);
    auto cd = cdrom("IDE", 0, 1);
    auto page = makePage<editor::HardDiskPage>(hd->ID());
    auto* list = child<QComboBox>(*page, "cboHDIDE");
    ASSERT_EQ(list->itemText(1), QStringLiteral("IDE 0:1 - CD-ROM 0"));
    choose(list, 1);
    EXPECT_EQ(where(*hd), "IDE 0:1");
    EXPECT_EQ(where(*cd), "IDE 1:0");
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(edits, std::vector<bool>{true});
    // The list shows the new state, on the disk's node.
    EXPECT_EQ(entries(list), (texts({"IDE 0:0", "IDE 0:1 - Hard Disk 0", "IDE 1:0 - CD-ROM 0", "IDE 1:1"})));
    EXPECT_EQ(list->currentIndex(), 1);
}

TEST_F(NodePagesTest, WithEveryIdeNodeTakenTheChoiceIsRefused)
{
    auto hd = disk("IDE", 0, 0);
    auto cd = cdrom("IDE", 0, 1);
    disk("IDE", 1, 0);
    cdrom("IDE", 1, 1);
    auto page = makePage<editor::HardDiskPage>(hd->ID());
    auto* list = child<QComboBox>(*page, "cboHDIDE");
    choose(list, 1);
    EXPECT_EQ(messageTexts(), texts({"No Available Nodes / No available IDE nodes!"}));
    EXPECT_EQ(dialogs.messages().front().icon, editor::MessageIcon::Information);
    EXPECT_EQ(where(*hd), "IDE 0:0");
    EXPECT_EQ(where(*cd), "IDE 0:1");
    EXPECT_TRUE(edits.empty());
    EXPECT_EQ(list->currentIndex(), 0);
}

TEST_F(NodePagesTest, TheScsiControllersNodeCannotBeChosen)
{
    auto gen = hw()->GenericSCSIDevices()->Add();
    put(*gen, "SCSI", 0, 2);
    auto page = makePage<editor::GenSCSIPage>(gen->ID());
    auto* list = child<QComboBox>(*page, "cboGenSCSI");
    ASSERT_EQ(list->itemText(7), QStringLiteral("SCSI 0:7 - SCSI Controller 0"));
    choose(list, 7);
    EXPECT_EQ(messageTexts(), texts({"Invalid Node Selection / Node already occupied - cannot move"}));
    EXPECT_EQ(dialogs.messages().front().icon, editor::MessageIcon::Warning);
    EXPECT_EQ(where(*gen), "SCSI 0:2");
    EXPECT_EQ(list->currentIndex(), 2);
}

TEST_F(NodePagesTest, NewCdRomImageWithEveryNodeTakenShowsBothMessages)
{
    for (std::int16_t n = 0; n < 4; ++n)
        disk("IDE", n / 2, n % 2);
    for (std::int16_t n = 0; n < 7; ++n)
        disk("SCSI", 0, n);
    auto cd = hw()->CDRoms()->Add();
    auto page = makePage<editor::CDRomPage>(cd->ID());
    child<QRadioButton>(*page, "optCDRImage")->click();
    leave(child<QLineEdit>(*page, "txtCDRImage"), QStringLiteral("/isos/install.iso"));
    EXPECT_EQ(cd->DeviceName(), "/isos/install.iso");
    EXPECT_EQ(messageTexts(), (texts({"No Available Nodes / No available IDE nodes!",
                                           "No Available Nodes / No available SCSI nodes either!"})));
    EXPECT_EQ(cd->BusNode(), -1);
}

TEST_F(NodePagesTest, NewCdRomImageTakesTheFirstFreeIdeNode)
{
    disk("IDE", 0, 0);
    auto cd = hw()->CDRoms()->Add();
    auto page = makePage<editor::CDRomPage>(cd->ID());
    child<QRadioButton>(*page, "optCDRImage")->click();
    leave(child<QLineEdit>(*page, "txtCDRImage"), QStringLiteral("/isos/install.iso"));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(where(*cd), "IDE 0:1");
    EXPECT_TRUE(child<QRadioButton>(*page, "optCDRIDE")->isChecked());
    EXPECT_EQ(child<QComboBox>(*page, "cboCDRIDE")->currentIndex(), 1);
}

TEST_F(NodePagesTest, WithoutIdeControllersTheListIsNotAvailableAndAssignsNothing)
{
    while (hw()->IDEControllers()->Count() > 0)
        hw()->IDEControllers()->Remove(1);
    auto cd = cdrom("IDE", -1, -1);
    auto page = makePage<editor::CDRomPage>(cd->ID());
    auto* list = child<QComboBox>(*page, "cboCDRIDE");
    EXPECT_EQ(entries(list), texts({"N/A"}));
    choose(list, 0);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(cd->BusNode(), -1);
    EXPECT_TRUE(edits.empty());
}

TEST_F(NodePagesTest, BusButtonsKeepTheNodeWhenTheNewBusHasItFree)
{
    auto hd = disk("IDE", 0, 0);
    auto page = makePage<editor::HardDiskPage>(hd->ID());
    child<QRadioButton>(*page, "optHDSCSI")->click();
    EXPECT_EQ(where(*hd), "SCSI 0:0");
    EXPECT_EQ(hd->DisplayName(), "Hard Disk (SCSI0:0)");
    EXPECT_TRUE(child<QComboBox>(*page, "cboHDSCSI")->isEnabled());
    EXPECT_FALSE(child<QComboBox>(*page, "cboHDIDE")->isEnabled());
    EXPECT_TRUE(dialogs.messages().empty());
    // A node of the new bus is then taken on its list.
    choose(child<QComboBox>(*page, "cboHDSCSI"), 3);
    EXPECT_EQ(where(*hd), "SCSI 0:3");
    EXPECT_EQ(hd->DisplayName(), "Hard Disk (SCSI0:3)");
}
