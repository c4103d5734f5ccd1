// SPDX-License-Identifier: MIT
// The bus option buttons of the hard disk and CD-ROM pages, and a disk file that cannot be read:
// a device never ends up on a node another device holds or on one its bus does not have.
#include "editor/devices/StoragePageFixture.h"

#include "editor/widget/pages/devices/CDRomPage.h"
#include "editor/widget/pages/devices/HardDiskPage.h"

#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <random>

using namespace zentravolix;
using zentravolix::testing::NodePlacementTest;

namespace {

class BusSwitchTest : public NodePlacementTest {
protected:
    std::shared_ptr<tarvonel::clsHardDisk> disk(const char* bus, std::int16_t controller, std::int16_t node)
    {
        auto d = hw()->HardDisks()->Add();
        d->SetDeviceName("disk" + std::to_string(hw()->HardDisks()->Count()) + ".vmdk");
        put(*d, bus, controller, node);
        return d;
    }
};

} // namespace

TEST_F(BusSwitchTest, DiskKeepsItsNodeWhenTheNewBusHasItFree)
{
    auto hd = disk("IDE", 0, 1);
    auto page = makePage<editor::HardDiskPage>(hd->ID());
    child<QRadioButton>(*page, "optHDSCSI")->click();
    EXPECT_EQ(where(*hd), "SCSI 0:1");
    // The name (and with it the list row) tells the new bus at once.
    EXPECT_EQ(hd->DisplayName(), "Hard Disk (SCSI0:1)");
    EXPECT_EQ(edits, std::vector<bool>{true});
    EXPECT_TRUE(dialogs.messages().empty());
    auto* scsi = child<QComboBox>(*page, "cboHDSCSI");
    EXPECT_TRUE(scsi->isEnabled());
    EXPECT_EQ(scsi->currentText(), QStringLiteral("SCSI 0:1 - Hard Disk 0"));
    EXPECT_FALSE(child<QComboBox>(*page, "cboHDIDE")->isEnabled());
}

TEST_F(BusSwitchTest, DiskTakesTheFirstFreeNodeWhenItsNodeIsHeldOrMissing)
{
    // SCSI 0:0 is held by another disk: the moved disk must not land on it.
    auto other = disk("SCSI", 0, 0);
    auto hd = disk("IDE", 0, 0);
    auto page = makePage<editor::HardDiskPage>(hd->ID());
    child<QRadioButton>(*page, "optHDSCSI")->click();
    EXPECT_EQ(where(*other), "SCSI 0:0");
    EXPECT_EQ(where(*hd), "SCSI 0:1");

    // IDE has two nodes per controller: SCSI 0:3 has no IDE counterpart.
    auto far = disk("SCSI", 0, 3);
    page->load(far->ID());
    child<QRadioButton>(*page, "optHDIDE")->click();
    EXPECT_EQ(where(*far), "IDE 0:0");
    EXPECT_EQ(child<QComboBox>(*page, "cboHDIDE")->currentIndex(), 0);

    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(BusSwitchTest, TheScsiControllersOwnNodeIsNoPlaceForAMovedDisk)
{
    hw()->SCSIControllers()->Item(1)->SetBusNode(1);
    auto hd = disk("IDE", 0, 1);
    auto page = makePage<editor::HardDiskPage>(hd->ID());
    child<QRadioButton>(*page, "optHDSCSI")->click();
    EXPECT_EQ(where(*hd), "SCSI 0:0");
}

TEST_F(BusSwitchTest, WithoutAFreeNodeTheDeviceStaysOnItsOldBus)
{
    for (std::int16_t n = 0; n < 4; ++n)
        disk("IDE", n / 2, n % 2);
    auto hd = disk("SCSI", 0, 2);
    auto page = makePage<editor::HardDiskPage>(hd->ID());
    child<QRadioButton>(*page, "optHDIDE")->click();
    ASSERT_EQ(messageTexts(), texts({"No Available Nodes / No available IDE nodes!"}));
    EXPECT_EQ(dialogs.messages().front().icon, editor::MessageIcon::Information);
    EXPECT_EQ(where(*hd), "SCSI 0:2");
    EXPECT_TRUE(edits.empty());
    // The buttons and lists show where the disk still is.
    EXPECT_TRUE(child<QRadioButton>(*page, "optHDSCSI")->isChecked());
    EXPECT_FALSE(child<QRadioButton>(*page, "optHDIDE")->isChecked());
    EXPECT_TRUE(child<QComboBox>(*page, "cboHDSCSI")->isEnabled());
    EXPECT_EQ(child<QComboBox>(*page, "cboHDSCSI")->currentIndex(), 2);
}

TEST_F(BusSwitchTest, CdRomButtonsFollowTheSameRules)
{
    auto hd = disk("SCSI", 0, 0);
    auto cd = cdrom("IDE", 0, 0);
    auto page = makePage<editor::CDRomPage>(cd->ID());
    child<QRadioButton>(*page, "optCDRSCSI")->click();
    EXPECT_EQ(where(*hd), "SCSI 0:0");
    EXPECT_EQ(where(*cd), "SCSI 0:1");
    EXPECT_EQ(cd->DisplayName(), "CD-ROM (SCSI0:1)");
    child<QRadioButton>(*page, "optCDRIDE")->click();
    EXPECT_EQ(where(*cd), "IDE 0:1");

    // No SCSI controller at all: nothing to move to, and the user is told.
    hw()->SCSIControllers()->Remove(1);
    hd->SetBusType("IDE");
    hd->SetBusNode(0);
    page->load(cd->ID());
    dialogs.clear();
    child<QRadioButton>(*page, "optCDRSCSI")->click();
    EXPECT_EQ(messageTexts(), texts({"No Available Nodes / No available SCSI nodes!"}));
    EXPECT_EQ(where(*cd), "IDE 0:1");
    EXPECT_TRUE(child<QRadioButton>(*page, "optCDRIDE")->isChecked());
}

TEST_F(BusSwitchTest, ClickingTheBusTheDeviceIsOnChangesNothing)
{
    auto hd = disk("IDE", 1, 1);
    auto page = makePage<editor::HardDiskPage>(hd->ID());
    child<QRadioButton>(*page, "optHDIDE")->click();
    EXPECT_EQ(where(*hd), "IDE 1:1");
    EXPECT_TRUE(edits.empty());
}

namespace {

/** A disk file folder with a readable descriptor, a split disk's extent and a text file. */
class UnreadableDiskTest : public BusSwitchTest {
protected:
    void SetUp() override
    {
        BusSwitchTest::SetUp();
        std::random_device rd;
        folder = std::filesystem::temp_directory_path() / ("zv-busdisk-" + std::to_string(rd()));
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "ide.vmdk", std::ios::binary)
            << "# Disk DescriptorFile\r\nversion=1\r\nCID=fffffffe\r\nparentCID=ffffffff\r\n"
               "createType=\"monolithicSparse\"\r\n\r\nRW 2048 SPARSE \"ide.vmdk\"\r\n\r\n"
               "ddb.virtualHWVersion = \"4\"\r\nddb.geometry.cylinders = \"2\"\r\n"
               "ddb.geometry.heads = \"16\"\r\nddb.geometry.sectors = \"63\"\r\nddb.adapterType = \"ide\"\r\n";
        // The second extent of a split sparse disk: a sparse header and no descriptor of its own.
        std::string extent(65536, '\0');
        extent.replace(0, 4, "KDMV");
        std::ofstream(folder / "disk-s001.vmdk", std::ios::binary) << extent;
        std::ofstream(folder / "notes.txt", std::ios::binary) << "shopping list\n";
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        BusSwitchTest::TearDown();
    }
    QString path(const char* name) const { return QString::fromStdString((folder / name).string()); }

    std::filesystem::path folder;
};

} // namespace

TEST_F(UnreadableDiskTest, ATypoInTheFileNameLeavesBusAndNode)
{
    auto hd = disk("IDE", 0, 1);
    auto page = makePage<editor::HardDiskPage>(hd->ID());
    const QString typo = path("ide.vmdkk");
    leave(child<QLineEdit>(*page, "txtHDFile"), typo);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const auto shown = dialogs.messages().front();
    EXPECT_EQ(shown.title, QStringLiteral("Current Disk Information"));
    EXPECT_TRUE(shown.text.startsWith(QStringLiteral("Unable to Read current disk"))) << shown.text.toStdString();
    EXPECT_TRUE(shown.text.contains(typo)) << "the message names the file";
    EXPECT_TRUE(shown.text.contains(QStringLiteral("The file cannot be read: "))) << shown.text.toStdString();
    EXPECT_EQ(where(*hd), "IDE 0:1");
    EXPECT_TRUE(child<QRadioButton>(*page, "optHDIDE")->isChecked());
    // The typed name is kept, as the box shows it: the disk may be created later.
    EXPECT_EQ(hd->DeviceName(), typo.toStdString());
}

TEST_F(UnreadableDiskTest, UseExistingRefusesFilesThatAreNoDiskDescriptor)
{
    auto hd = disk("IDE", 0, 1);
    const std::string before = hd->DeviceName();
    auto page = makePage<editor::HardDiskPage>(hd->ID());
    auto* box = child<QLineEdit>(*page, "txtHDFile");
    for (const char* name : {"disk-s001.vmdk", "notes.txt"}) {
        dialogs.clear();
        dialogs.paths.push_back(path(name));
        child<QPushButton>(*page, "cmdBrowseHDFile")->click();
        const auto shown = dialogs.messages();
        ASSERT_EQ(shown.size(), 1u) << name;
        EXPECT_EQ(shown.front().icon, editor::MessageIcon::Warning);
        EXPECT_TRUE(shown.front().text.contains(path(name))) << shown.front().text.toStdString();
        EXPECT_TRUE(shown.front().text.contains(QStringLiteral("not a disk descriptor")))
            << shown.front().text.toStdString();
        EXPECT_EQ(hd->DeviceName(), before) << name;
        EXPECT_EQ(box->text().toStdString(), before) << name;
        EXPECT_EQ(where(*hd), "IDE 0:1") << name;
    }
    EXPECT_TRUE(edits.empty());

    // A real descriptor is taken, and its adapter decides the bus.
    auto scsiDisk = disk("SCSI", 0, 4);
    page->load(scsiDisk->ID());
    dialogs.clear();
    dialogs.paths.push_back(path("ide.vmdk"));
    child<QPushButton>(*page, "cmdBrowseHDFile")->click();
    EXPECT_EQ(scsiDisk->DeviceName(), path("ide.vmdk").toStdString());
    EXPECT_EQ(scsiDisk->BusType(), "IDE");
    EXPECT_EQ(where(*scsiDisk), "IDE 0:0");
}

TEST_F(UnreadableDiskTest, AnIdeFileForADiskWhenNoIdeNodeIsFreeKeepsItsScsiNode)
{
    for (std::int16_t n = 0; n < 4; ++n)
        disk("IDE", n / 2, n % 2);
    auto hd = disk("SCSI", 0, 2);
    auto page = makePage<editor::HardDiskPage>(hd->ID());
    leave(child<QLineEdit>(*page, "txtHDFile"), path("ide.vmdk"));
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[0].title, QStringLiteral("Current Disk Information"));
    EXPECT_EQ(dialogs.messages()[1].text, QStringLiteral("No available IDE nodes!"));
    // Told so, and still saved on the node it had rather than left without one.
    EXPECT_EQ(where(*hd), "SCSI 0:2");
    EXPECT_EQ(hd->DeviceName(), path("ide.vmdk").toStdString());
}
