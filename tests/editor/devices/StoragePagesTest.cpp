// SPDX-License-Identifier: MIT
// The floppy, CD-ROM, hard disk, generic SCSI and controller pages, each built on its own.

#include "StoragePageFixture.h"

#include <algorithm>

#include "editor/widget/pages/devices/CDRomPage.h"
#include "editor/widget/pages/devices/FloppyPage.h"
#include "editor/widget/pages/devices/GenSCSIPage.h"
#include "editor/widget/pages/devices/HardDiskPage.h"
#include "editor/widget/pages/devices/IDEControllerPage.h"
#include "editor/widget/pages/devices/SCSIControllerPage.h"

#include <QPushButton>

namespace zentravolix::testing {
namespace {

using editor::CDRomPage;
using editor::FloppyPage;
using editor::GenSCSIPage;
using editor::HardDiskPage;
using editor::IDEControllerPage;
using editor::SCSIControllerPage;

// ---- Floppy ---------------------------------------------------------------------------------

TEST_F(StoragePageTest, FloppyFillFindsTheDriveIgnoringCaseAndReportsNothing)
{
    context.hostDevices.removableDrives = {"/dev/fd0", "/dev/sdb"};
    auto floppy = hw()->Floppies()->Item(1);
    floppy->SetDeviceName("/DEV/SDB");
    auto page = makePage<FloppyPage>(floppy->ID());

    auto* drives = child<QComboBox>(*page, "cboFloppyDrive");
    EXPECT_EQ(entries(drives), (QStringList{QStringLiteral("auto detect"), QStringLiteral("/dev/fd0"),
                                            QStringLiteral("/dev/sdb")}));
    EXPECT_EQ(drives->currentIndex(), 2);
    EXPECT_TRUE(child<QRadioButton>(*page, "optFloppyDrive")->isChecked());
    EXPECT_FALSE(child<QLineEdit>(*page, "txtFloppyImage")->isEnabled());
    EXPECT_TRUE(edits.empty());

    floppy->SetDeviceName("/dev/fd7");
    page->load(floppy->ID());
    EXPECT_EQ(drives->currentIndex(), -1) << "a name the list does not offer selects nothing";
    EXPECT_TRUE(edits.empty());
}

TEST_F(StoragePageTest, FloppyAutoDetectIsStoredUntranslatedAndFoundInAnyLanguage)
{
    context.hostDevices.removableDrives = {"/dev/fd0"};
    auto floppy = hw()->Floppies()->Item(1);
    floppy->SetDeviceType("device");
    floppy->SetDeviceName("auto detect");
    platform::SetLanguageOffset(500); // German shows its own text for the entry
    auto page = makePage<FloppyPage>(floppy->ID());
    auto* drives = child<QComboBox>(*page, "cboFloppyDrive");
    EXPECT_EQ(drives->currentIndex(), 0);
    EXPECT_EQ(drives->currentText(), QStringLiteral("Automatisch erkennen"));

    choose(drives, 1);
    EXPECT_EQ(floppy->DeviceName(), "/dev/fd0");
    choose(drives, 0);
    EXPECT_EQ(floppy->DeviceName(), "auto detect");
    platform::SetLanguageOffset(0);
}

TEST_F(StoragePageTest, FloppyImageOptionAndBoxWriteTheModel)
{
    auto floppy = hw()->Floppies()->Item(1);
    auto page = makePage<FloppyPage>(floppy->ID());
    auto* image = child<QLineEdit>(*page, "txtFloppyImage");

    leave(image, QStringLiteral("/img/boot.flp"));
    EXPECT_EQ(floppy->DeviceName(), "auto detect") << "the box acts only while the image option is on";

    child<QRadioButton>(*page, "optFloppyImage")->click();
    EXPECT_EQ(floppy->DeviceType(), "file");
    EXPECT_TRUE(image->isEnabled());
    EXPECT_FALSE(child<QComboBox>(*page, "cboFloppyDrive")->isEnabled());

    leave(image, QStringLiteral("/img/boot.flp"));
    EXPECT_EQ(floppy->DeviceName(), "/img/boot.flp");
    EXPECT_EQ(floppy->Summary(), "Using image /img/boot.flp");
    leave(image, QString());
    EXPECT_EQ(floppy->DeviceName(), "/img/boot.flp") << "an empty box keeps the name";
    EXPECT_EQ(edits, (std::vector<bool>{true, true}));
}

TEST_F(StoragePageTest, FloppyBrowseStartsInTheImageFolderAndStoresTheChoice)
{
    settings.ImagePath = "/srv/images";
    auto floppy = hw()->Floppies()->Item(1);
    floppy->SetDeviceType("file");
    auto page = makePage<FloppyPage>(floppy->ID());

    dialogs.paths.push_back(QStringLiteral("/srv/images/dos.img"));
    child<QPushButton>(*page, "cmdBrowseFloppyImage")->click();
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].initial, QStringLiteral("/srv/images"));
    EXPECT_EQ(floppy->DeviceName(), "/srv/images/dos.img");

    child<QPushButton>(*page, "cmdBrowseFloppyImage")->click(); // cancelled
    EXPECT_EQ(floppy->DeviceName(), "/srv/images/dos.img");
}

TEST_F(StoragePageTest, FloppyDriveChoiceStoresTheEntryText)
{
    context.hostDevices.removableDrives = {"/dev/fd0"};
    auto floppy = hw()->Floppies()->Item(1);
    auto page = makePage<FloppyPage>(floppy->ID());
    choose(child<QComboBox>(*page, "cboFloppyDrive"), 1);
    EXPECT_EQ(floppy->DeviceName(), "/dev/fd0");
    EXPECT_EQ(floppy->Summary(), "Using device /dev/fd0");
    EXPECT_EQ(edits, std::vector<bool>{true});
}

// ---- CD-ROM ---------------------------------------------------------------------------------

TEST_F(StoragePageTest, CDRomFillChoosesOptionByType)
{
    auto cd = hw()->CDRoms()->Add();
    cd->SetDeviceType("file");
    cd->SetDeviceName("/iso/debian.iso");
    auto page = makePage<CDRomPage>(cd->ID());
    EXPECT_TRUE(child<QRadioButton>(*page, "optCDRImage")->isChecked());
    EXPECT_EQ(child<QLineEdit>(*page, "txtCDRImage")->text(), QStringLiteral("/iso/debian.iso"));
    EXPECT_FALSE(child<QCheckBox>(*page, "chkCDRLegacy")->isEnabled());

    cd->SetDeviceType("atapi-cdrom");
    cd->SetDeviceName("Auto Detect");
    page->load(cd->ID());
    EXPECT_TRUE(child<QRadioButton>(*page, "optCDRDrive")->isChecked());
    EXPECT_EQ(child<QComboBox>(*page, "cboCDRDrive")->currentIndex(), 0);
    EXPECT_TRUE(child<QLineEdit>(*page, "txtCDRImage")->text().isEmpty());

    cd->SetDeviceType("something-else");
    page->load(cd->ID());
    EXPECT_FALSE(child<QRadioButton>(*page, "optCDRDrive")->isChecked());
    EXPECT_FALSE(child<QRadioButton>(*page, "optCDRImage")->isChecked());
    EXPECT_TRUE(edits.empty());
}

TEST_F(StoragePageTest, ClientDeviceTickIsForEsxiOrADriveThatSetsIt)
{
    auto cd = hw()->CDRoms()->Add();
    cd->SetDeviceType("atapi-cdrom");
    auto floppy = hw()->Floppies()->Add();
    auto cdPage = makePage<CDRomPage>(cd->ID());
    auto floppyPage = makePage<FloppyPage>(floppy->ID());
    auto* cdClient = child<QCheckBox>(*cdPage, "chkCDRClientDevice");
    auto* floppyClient = child<QCheckBox>(*floppyPage, "chkFloppyClientDevice");
    EXPECT_TRUE(cdClient->isHidden());
    EXPECT_TRUE(floppyClient->isHidden());

    floppy->SetClientDevice(false);
    floppyPage->load(floppy->ID());
    EXPECT_FALSE(floppyClient->isHidden());
    EXPECT_FALSE(floppyClient->isChecked());
    floppyClient->click();
    EXPECT_EQ(floppy->ClientDevice(), true);

    setProduct(4, 0);
    cdPage->load(cd->ID());
    EXPECT_FALSE(cdClient->isHidden());
    EXPECT_FALSE(cd->ClientDevice().has_value());
    cdClient->click();
    EXPECT_EQ(cd->ClientDevice(), true);
    EXPECT_EQ(edits, (std::vector<bool>{false, false}));
}

TEST_F(StoragePageTest, CDRomLegacyBoxSwitchesTheDriveTypeAndSurvivesAnImageDetour)
{
    auto cd = hw()->CDRoms()->Add();
    auto page = makePage<CDRomPage>(cd->ID());
    auto* legacy = child<QCheckBox>(*page, "chkCDRLegacy");

    child<QRadioButton>(*page, "optCDRDrive")->click();
    EXPECT_EQ(cd->DeviceType(), "cdrom-raw");
    legacy->click();
    EXPECT_TRUE(cd->LegacyEmulation());
    EXPECT_EQ(cd->DeviceType(), "atapi-cdrom");

    child<QRadioButton>(*page, "optCDRImage")->click();
    EXPECT_EQ(cd->DeviceType(), "cdrom-image");
    EXPECT_EQ(cd->Summary(), "Using image auto detect");
    // Back to the drive with the legacy box still ticked: the type must still say legacy.
    child<QRadioButton>(*page, "optCDRDrive")->click();
    EXPECT_EQ(cd->DeviceType(), "atapi-cdrom");
    legacy->click();
    EXPECT_EQ(cd->DeviceType(), "cdrom-raw");
}

TEST_F(StoragePageTest, CDRomDriveAndImageWritesNeedTheirOption)
{
    context.hostDevices.cdromDrives = {"/dev/sr0"};
    auto cd = hw()->CDRoms()->Add();
    cd->SetDeviceType("cdrom-image");
    cd->SetDeviceName("/iso/a.iso");
    auto page = makePage<CDRomPage>(cd->ID());
    auto* drives = child<QComboBox>(*page, "cboCDRDrive");
    EXPECT_EQ(entries(drives), (QStringList{QStringLiteral("auto detect"), QStringLiteral("/dev/sr0")}));

    choose(drives, 1);
    EXPECT_EQ(cd->DeviceName(), "/iso/a.iso") << "the drive list acts only while the drive option is on";
    child<QCheckBox>(*page, "chkCDRExclusive")->click();
    EXPECT_FALSE(cd->ExclusiveConnection());

    settings.ImagePath = "/iso";
    dialogs.paths.push_back(QStringLiteral("/iso/b.iso"));
    child<QPushButton>(*page, "cmdBrowseCDRImage")->click();
    EXPECT_EQ(cd->DeviceName(), "/iso/b.iso");
    EXPECT_EQ(dialogs.calls.back().initial, QStringLiteral("/iso"));

    child<QRadioButton>(*page, "optCDRDrive")->click();
    choose(drives, 1);
    EXPECT_EQ(cd->DeviceName(), "/dev/sr0");
    EXPECT_EQ(cd->Summary(), "Using drive /dev/sr0");
    child<QCheckBox>(*page, "chkCDRExclusive")->click();
    EXPECT_TRUE(cd->ExclusiveConnection());
}

TEST_F(StoragePageTest, CDRomNodeListsComeFromTheControllersAndShowTheNode)
{
    auto cd = hw()->CDRoms()->Add();
    cd->SetBusType("IDE");
    cd->SetController(1);
    cd->SetBusNode(0);
    auto page = makePage<CDRomPage>(cd->ID());

    auto* ide = child<QComboBox>(*page, "cboCDRIDE");
    auto* scsi = child<QComboBox>(*page, "cboCDRSCSI");
    EXPECT_EQ(entries(ide), (QStringList{QStringLiteral("IDE 0:0"), QStringLiteral("IDE 0:1"),
                                         QStringLiteral("IDE 1:0 - CD-ROM 0"), QStringLiteral("IDE 1:1")}));
    EXPECT_EQ(ide->currentIndex(), 2);
    EXPECT_EQ(scsi->count(), 8);
    EXPECT_EQ(scsi->currentIndex(), -1);
    EXPECT_TRUE(child<QRadioButton>(*page, "optCDRIDE")->isChecked());
    EXPECT_TRUE(ide->isEnabled());
    EXPECT_FALSE(scsi->isEnabled());

    // A bus button moves the drive to a node of that bus: there is no SCSI controller 1, so the
    // first free SCSI node; the row shows it.
    child<QRadioButton>(*page, "optCDRSCSI")->click();
    EXPECT_EQ(cd->BusType(), "SCSI");
    EXPECT_EQ(cd->Controller(), 0);
    EXPECT_EQ(cd->BusNode(), 0);
    EXPECT_EQ(scsi->currentIndex(), 0);
    EXPECT_TRUE(scsi->isEnabled());
    EXPECT_FALSE(ide->isEnabled());
    EXPECT_EQ(edits, std::vector<bool>{true});
}

TEST_F(StoragePageTest, NodeListOfABrokenAssignmentStaysEmpty)
{
    auto cd = hw()->CDRoms()->Add();
    cd->SetBusType("IDE");
    cd->SetController(0);
    cd->SetBusNode(5); // an IDE controller has nodes 0 and 1 only
    auto page = makePage<CDRomPage>(cd->ID());
    EXPECT_EQ(child<QComboBox>(*page, "cboCDRIDE")->count(), 0);
    EXPECT_EQ(child<QComboBox>(*page, "cboCDRSCSI")->count(), 8);
}

// ---- Hard disk ------------------------------------------------------------------------------

TEST_F(StoragePageTest, HardDiskIndependentBoxAndModeOptions)
{
    auto disk = hw()->HardDisks()->Add();
    disk->SetMode("independent-nonpersistent");
    auto page = makePage<HardDiskPage>(disk->ID());
    auto* independent = child<QCheckBox>(*page, "chkHDIndependent");
    auto* persist = child<QRadioButton>(*page, "optHDPersist");
    auto* nonPersist = child<QRadioButton>(*page, "optHDNonPersist");
    EXPECT_TRUE(independent->isChecked());
    EXPECT_TRUE(nonPersist->isChecked());

    independent->click();
    EXPECT_EQ(disk->Mode(), "persistent") << "unticking writes persistent whatever option is on";
    EXPECT_FALSE(persist->isEnabled());
    EXPECT_FALSE(nonPersist->isEnabled());
    independent->click();
    EXPECT_EQ(disk->Mode(), "independent-nonpersistent");
    persist->click();
    EXPECT_EQ(disk->Mode(), "independent-persistent");

    disk->SetMode("persistent");
    page->load(disk->ID());
    EXPECT_FALSE(independent->isChecked());
    independent->click();
    EXPECT_EQ(disk->Mode(), "independent-persistent") << "a fresh tick starts on persistent";
}

TEST_F(StoragePageTest, HardDiskFileEnabledAndBrowse)
{
    auto disk = hw()->HardDisks()->Add();
    auto page = makePage<HardDiskPage>(disk->ID());

    child<QCheckBox>(*page, "chkHDEnabled")->click();
    EXPECT_FALSE(disk->Enabled());
    EXPECT_EQ(disk->Summary(), "Disabled");
    EXPECT_EQ(edits, std::vector<bool>{true});

    leave(child<QLineEdit>(*page, "txtHDFile"), QStringLiteral("disk.vmdk"));
    EXPECT_EQ(disk->DeviceName(), "disk.vmdk");
    leave(child<QLineEdit>(*page, "txtHDFile"), QString());
    EXPECT_EQ(disk->DeviceName(), "disk.vmdk");

    settings.ImagePath = "/elsewhere";
    dialogs.paths.push_back(QStringLiteral("/vms/test/other.vmdk"));
    child<QPushButton>(*page, "cmdBrowseHDFile")->click();
    const auto browse = std::find_if(dialogs.calls.begin(), dialogs.calls.end(), [](const auto& call) {
        return call.kind == RecordingDialogs::Kind::OpenFile;
    });
    ASSERT_NE(browse, dialogs.calls.end());
    EXPECT_EQ(browse->initial, QStringLiteral("/vms/test/")) << "disks are looked for beside the machine";
    // A chosen file that cannot be read as a disk is not taken.
    EXPECT_EQ(disk->DeviceName(), "disk.vmdk");
}

TEST_F(StoragePageTest, HardDiskCreateNewUsesTheHookWithTheChosenBus)
{
    auto disk = hw()->HardDisks()->Add();
    auto plain = makePage<HardDiskPage>(disk->ID());
    EXPECT_FALSE(child<QPushButton>(*plain, "cmdHDCreate")->isEnabled());

    std::vector<std::string> buses;
    editor::DevicePageHooks hooks;
    hooks.createDisk = [&buses](const std::string& bus, std::string&) {
        buses.push_back(bus);
        return QStringLiteral("/vms/test/new.vmdk");
    };
    disk->SetBusType("SCSI");
    auto page = makePage<HardDiskPage>(disk->ID(), hooks);
    child<QPushButton>(*page, "cmdHDCreate")->click();
    EXPECT_EQ(buses, std::vector<std::string>{"SCSI"});
    EXPECT_EQ(disk->DeviceName(), "/vms/test/new.vmdk");

    // A disk the dialog made for SATA goes to the SATA bus, whatever its descriptor's adapter says.
    hw()->SATAControllers()->Add();
    hooks.createDisk = [](const std::string&, std::string& madeFor) {
        madeFor = "SATA";
        return QStringLiteral("/vms/test/sata.vmdk");
    };
    auto onSata = makePage<HardDiskPage>(disk->ID(), hooks);
    child<QPushButton>(*onSata, "cmdHDCreate")->click();
    EXPECT_EQ(disk->BusType(), "SATA");
    EXPECT_EQ(disk->Controller(), 0);
    EXPECT_GE(disk->BusNode(), 0);
    EXPECT_EQ(disk->DeviceName(), "/vms/test/sata.vmdk");
}

// ---- Generic SCSI and controllers -----------------------------------------------------------

TEST_F(StoragePageTest, GenericScsiDeviceNameBecomesTheSummary)
{
    auto gen = hw()->GenericSCSIDevices()->Add();
    gen->SetController(0);
    gen->SetBusNode(2);
    auto page = makePage<GenSCSIPage>(gen->ID());
    auto* nodes = child<QComboBox>(*page, "cboGenSCSI");
    EXPECT_EQ(nodes->currentText(), QStringLiteral("SCSI 0:2 - Gen SCSI 0"));

    leave(child<QLineEdit>(*page, "txtGenSCSIDevice"), QStringLiteral("/dev/sg1"));
    EXPECT_EQ(gen->Summary(), "/dev/sg1");
    leave(child<QLineEdit>(*page, "txtGenSCSIDevice"), QString());
    EXPECT_EQ(gen->DeviceName(), "/dev/sg1");
    child<QCheckBox>(*page, "chkGenConnectedBoot")->click();
    EXPECT_FALSE(gen->ConnectedAtBoot());
    EXPECT_EQ(edits, (std::vector<bool>{true, false}));
}

TEST_F(StoragePageTest, ControllerPagesWriteTheirMembers)
{
    auto ide = hw()->IDEControllers()->Item(2);
    auto idePage = makePage<IDEControllerPage>(ide->ID());
    child<QCheckBox>(*idePage, "chkIDEEnabled")->click();
    EXPECT_FALSE(ide->Enabled());
    EXPECT_EQ(ide->Summary(), "Disabled");
    EXPECT_TRUE(hw()->IDEControllers()->Item(1)->Enabled()) << "only the shown controller changes";

    auto scsi = hw()->SCSIControllers()->Item(1);
    auto scsiPage = makePage<SCSIControllerPage>(scsi->ID());
    auto* type = child<QComboBox>(*scsiPage, "cboSCSICont");
    EXPECT_EQ(type->currentIndex(), 0);
    choose(type, 1);
    EXPECT_EQ(scsi->ControllerType(), 1);
    EXPECT_EQ(scsi->Summary(), "LSIlogic");
    EXPECT_EQ(edits, (std::vector<bool>{true, true}));

    scsi->SetControllerType(5);
    scsiPage->load(scsi->ID());
    EXPECT_EQ(type->currentIndex(), -1) << "a stored type outside the list selects nothing";
}

TEST_F(StoragePageTest, EditsAfterTheDeviceWasRemovedChangeNothing)
{
    auto disk = hw()->HardDisks()->Add();
    auto page = makePage<HardDiskPage>(disk->ID());
    hw()->HardDisks()->Remove(-1, disk->ID());
    child<QCheckBox>(*page, "chkHDEnabled")->click();
    leave(child<QLineEdit>(*page, "txtHDFile"), QStringLiteral("x.vmdk"));
    EXPECT_TRUE(disk->Enabled());
    EXPECT_EQ(disk->DeviceName(), "");
    page->load(disk->ID()); // no device: an empty page, no error
}

} // namespace
} // namespace zentravolix::testing
