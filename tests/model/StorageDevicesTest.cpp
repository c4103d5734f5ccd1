// SPDX-License-Identifier: MIT
// Hard disks, CD-ROM drives, generic SCSI devices and floppies: values after Add, the attachment
// shown in the display name, and the summary rules.

#include <tarvonel/VirtualMachine.h>
#include <tarvonel/clsCDRom.h>
#include <tarvonel/clsFloppy.h>
#include <tarvonel/clsGenSCSI.h>
#include <tarvonel/clsHardDisk.h>
#include <tarvonel/clsHardware.h>

#include <gtest/gtest.h>

using namespace tarvonel;

namespace {

class StorageDevicesTest : public ::testing::Test {
protected:
    VirtualMachine vm;
    std::shared_ptr<clsHardware> hw = vm.Hardware();
};

} // namespace

TEST_F(StorageDevicesTest, NewDevicesAreNotAttached)
{
    const auto disk = hw->HardDisks()->Add();
    EXPECT_EQ(disk->DisplayName(), "Hard Disk");
    EXPECT_EQ(disk->Summary(), "Present");
    EXPECT_TRUE(disk->Enabled());
    EXPECT_EQ(disk->DeviceName(), "");
    EXPECT_EQ(disk->DeviceType(), "disk");
    EXPECT_EQ(disk->DiskSize(), 0);
    EXPECT_EQ(disk->Mode(), "persistent");
    EXPECT_EQ(disk->BusType(), "");
    EXPECT_EQ(disk->Controller(), -1);
    EXPECT_EQ(disk->BusNode(), -1);

    const auto cdrom = hw->CDRoms()->Add();
    EXPECT_EQ(cdrom->DisplayName(), "CD-ROM");
    EXPECT_EQ(cdrom->Summary(), "Using drive auto detect");
    EXPECT_TRUE(cdrom->Enabled());
    EXPECT_TRUE(cdrom->ConnectedAtBoot());
    EXPECT_EQ(cdrom->DeviceType(), "device");
    EXPECT_FALSE(cdrom->LegacyEmulation());
    EXPECT_FALSE(cdrom->ExclusiveConnection());
    EXPECT_EQ(cdrom->BusType(), "");
    EXPECT_EQ(cdrom->Controller(), -1);
    EXPECT_EQ(cdrom->BusNode(), -1);

    const auto generic = hw->GenericSCSIDevices()->Add();
    EXPECT_EQ(generic->DisplayName(), "Generic SCSI");
    EXPECT_EQ(generic->Summary(), "");
    EXPECT_TRUE(generic->Enabled());
    EXPECT_TRUE(generic->ConnectedAtBoot());
    EXPECT_EQ(generic->DeviceName(), "");
    EXPECT_EQ(generic->DeviceType(), "scsi-passthru");
    EXPECT_EQ(generic->BusType(), "SCSI");
    EXPECT_EQ(generic->Controller(), -1);
    EXPECT_EQ(generic->BusNode(), -1);

    const auto floppy = hw->Floppies()->Add();
    EXPECT_EQ(floppy->DisplayName(), "Floppy");
    EXPECT_EQ(floppy->Summary(), "Using device auto detect");
    EXPECT_TRUE(floppy->Enabled());
    EXPECT_TRUE(floppy->ConnectedAtBoot());
    EXPECT_EQ(floppy->DeviceType(), "device");
    EXPECT_EQ(floppy->DeviceName(), "auto detect");
    EXPECT_EQ(hw->Floppies()->Add()->DisplayName(), "Floppy2");
}

TEST_F(StorageDevicesTest, DisplayNameShowsAttachmentOnceBusNodeIsSet)
{
    const auto disk = hw->HardDisks()->Add();
    disk->SetBusType("SCSI");
    disk->SetController(0);
    EXPECT_EQ(disk->DisplayName(), "Hard Disk"); // BusNode still -1
    disk->SetBusNode(3);
    EXPECT_EQ(disk->DisplayName(), "Hard Disk (SCSI0:3)");
    disk->SetController(1);
    disk->SetBusType("IDE");
    EXPECT_EQ(disk->DisplayName(), "Hard Disk (SCSI0:3)");
    disk->SetBusNode(1);
    EXPECT_EQ(disk->DisplayName(), "Hard Disk (IDE1:1)");
    disk->SetBusNode(-1);
    EXPECT_EQ(disk->DisplayName(), "Hard Disk");

    hw->CDRoms()->Add();
    const auto cdrom = hw->CDRoms()->Add();
    cdrom->SetBusType("SCSI");
    cdrom->SetController(0);
    cdrom->SetBusNode(3);
    EXPECT_EQ(cdrom->DisplayName(), "CD-ROM2 (SCSI0:3)");

    const auto generic = hw->GenericSCSIDevices()->Add();
    generic->SetController(2);
    generic->SetBusNode(14);
    EXPECT_EQ(generic->DisplayName(), "Generic SCSI (SCSI2:14)");
    // The bus type is shown as stored.
    generic->SetBusType("scsi");
    generic->SetBusNode(0);
    EXPECT_EQ(generic->DisplayName(), "Generic SCSI (scsi2:0)");
}

TEST_F(StorageDevicesTest, HardDiskSummaryFollowsEnabled)
{
    const auto disk = hw->HardDisks()->Add();
    disk->SetEnabled(false);
    EXPECT_EQ(disk->Summary(), "Disabled");
    disk->SetDeviceName("disk.vmdk");
    disk->SetMode("independent-persistent");
    disk->SetDiskSize(4096);
    EXPECT_EQ(disk->Summary(), "Disabled");
    EXPECT_EQ(disk->DiskSize(), 4096);
    disk->SetEnabled(true);
    EXPECT_EQ(disk->Summary(), "Present");
}

TEST_F(StorageDevicesTest, CDRomSummaryFollowsTypeAndName)
{
    const auto cdrom = hw->CDRoms()->Add();
    for (const char* type : {"atapi-cdrom", "device", "cdrom-raw"}) {
        cdrom->SetDeviceName("x");
        cdrom->SetDeviceType(type);
        cdrom->SetDeviceName("/dev/sr0");
        EXPECT_EQ(cdrom->Summary(), "Using drive /dev/sr0") << type;
    }
    for (const char* type : {"cdrom-image", "file"}) {
        cdrom->SetDeviceName("/dev/sr0");
        cdrom->SetDeviceType(type);
        EXPECT_EQ(cdrom->Summary(), "Using image /dev/sr0") << type;
        cdrom->SetDeviceName("/iso/disc.iso");
        EXPECT_EQ(cdrom->Summary(), "Using image /iso/disc.iso") << type;
    }
    cdrom->SetDeviceType("CDROM-IMAGE");
    cdrom->SetDeviceName("other.iso");
    EXPECT_EQ(cdrom->Summary(), "Using image /iso/disc.iso");
    cdrom->SetEnabled(false);
    EXPECT_EQ(cdrom->Summary(), "Using image /iso/disc.iso");
}

TEST_F(StorageDevicesTest, GenericScsiSummaryIsTheDeviceName)
{
    const auto generic = hw->GenericSCSIDevices()->Add();
    generic->SetDeviceName("/dev/sg1");
    EXPECT_EQ(generic->Summary(), "/dev/sg1");
    generic->SetDeviceType("other");
    generic->SetEnabled(false);
    EXPECT_EQ(generic->Summary(), "/dev/sg1");
    generic->SetDeviceName("");
    EXPECT_EQ(generic->Summary(), "");
}

TEST_F(StorageDevicesTest, FloppySummaryFollowsTypeAndName)
{
    const auto floppy = hw->Floppies()->Add();
    floppy->SetDeviceType("file");
    EXPECT_EQ(floppy->Summary(), "Using image auto detect");
    floppy->SetDeviceName("boot.flp");
    EXPECT_EQ(floppy->Summary(), "Using image boot.flp");
    floppy->SetDeviceType("File");
    floppy->SetDeviceName("/dev/fd0");
    EXPECT_EQ(floppy->Summary(), "Using image boot.flp");
    floppy->SetDeviceType("device");
    EXPECT_EQ(floppy->Summary(), "Using device /dev/fd0");
}
