// SPDX-License-Identifier: MIT
// IDE, SCSI, SATA and NVMe controllers: node labels, attachment queries, their failures, and what happens to
// a controller a client keeps after its model was released.

#include <tarvonel/Error.h>
#include <tarvonel/VirtualMachine.h>
#include <tarvonel/clsCDRom.h>
#include <tarvonel/clsGenSCSI.h>
#include <tarvonel/clsHardDisk.h>
#include <tarvonel/clsHardware.h>
#include <tarvonel/clsIDEController.h>
#include <tarvonel/clsNVMeController.h>
#include <tarvonel/clsSATAController.h>
#include <tarvonel/clsSCSIController.h>

#include <gtest/gtest.h>

#include <optional>

using namespace tarvonel;
using Labels = std::vector<std::string>;

namespace {

class ControllerTest : public ::testing::Test {
protected:
    std::optional<VirtualMachine> vm{std::in_place};
    std::shared_ptr<clsHardware> hw = vm->Hardware();
    std::shared_ptr<clsIDEControllers> ide = hw->IDEControllers();
    std::shared_ptr<clsSCSIControllers> scsi = hw->SCSIControllers();

    template <class Device>
    static void Attach(Device& device, const char* bus, std::int16_t controller, std::int16_t node)
    {
        device->SetBusType(bus);
        device->SetController(controller);
        device->SetBusNode(node);
    }
    std::shared_ptr<clsHardDisk> Disk(const char* bus, std::int16_t controller, std::int16_t node)
    {
        auto disk = hw->HardDisks()->Add();
        Attach(disk, bus, controller, node);
        return disk;
    }
    std::shared_ptr<clsCDRom> CDRom(const char* bus, std::int16_t controller, std::int16_t node)
    {
        auto cdrom = hw->CDRoms()->Add();
        Attach(cdrom, bus, controller, node);
        return cdrom;
    }
};

template <class F>
void ExpectErrorNumber(F&& call, int number)
{
    try {
        call();
        ADD_FAILURE() << "no error raised";
    } catch (const Error& error) {
        EXPECT_EQ(error.Number(), number) << error.what();
    }
}

} // namespace

TEST_F(ControllerTest, NewCollectionsHaveNoNodes)
{
    EXPECT_EQ(ide->MaxNodesPerController(), 2);
    EXPECT_EQ(scsi->MaxNodesPerController(), 8);
    EXPECT_EQ(ide->GetAvailableNodes(), Labels{"N/A"});
    EXPECT_EQ(scsi->GetAvailableNodes(), Labels{"N/A"});
    // Even a useless node count does not matter while there is no controller.
    ide->SetMaxNodesPerController(0);
    EXPECT_EQ(ide->GetAvailableNodes(), Labels{"N/A"});
}

TEST_F(ControllerTest, NewIdeController)
{
    const auto first = ide->Add();
    const auto second = ide->Add();
    EXPECT_EQ(first->DisplayName(), "IDE Controller");
    EXPECT_EQ(second->DisplayName(), "IDE Controller2");
    EXPECT_EQ(first->Summary(), "Present");
    EXPECT_TRUE(first->Enabled());
    EXPECT_EQ(first->MaxNodes(), 2);
    EXPECT_EQ(first->Nodes(), (Labels{"", ""}));
    first->SetEnabled(false);
    EXPECT_EQ(first->Summary(), "Disabled");
}

TEST_F(ControllerTest, NewScsiControllerOccupiesNodeSeven)
{
    const auto controller = scsi->Add();
    EXPECT_EQ(controller->DisplayName(), "SCSI Controller");
    EXPECT_EQ(controller->Summary(), "Buslogic");
    EXPECT_EQ(controller->BusNode(), 7);
    EXPECT_EQ(controller->MaxNodes(), 8);
    EXPECT_EQ(controller->ControllerType(), 0);
    EXPECT_EQ(controller->Nodes(), (Labels{"", "", "", "", "", "", "", "SCSI Controller 0"}));

    controller->SetControllerType(1);
    EXPECT_EQ(controller->Summary(), "LSIlogic");
    controller->SetControllerType(2);
    EXPECT_EQ(controller->Summary(), "LSIlogic");
    controller->SetEnabled(false);
    EXPECT_EQ(controller->Summary(), "LSIlogic");
    EXPECT_EQ(scsi->Add()->DisplayName(), "SCSI Controller2");
}

TEST_F(ControllerTest, AvailableNodesListEveryNodeOfEveryController)
{
    ide->Add();
    ide->Add();
    Disk("IDE", 0, 0);
    CDRom("IDE", 1, 0);
    EXPECT_EQ(ide->GetAvailableNodes(),
              (Labels{"IDE 0:0 - Hard Disk 0", "IDE 0:1", "IDE 1:0 - CD-ROM 0", "IDE 1:1"}));

    scsi->Add();
    const auto generic = hw->GenericSCSIDevices()->Add();
    generic->SetController(0);
    generic->SetBusNode(2);
    const Labels expected = {"SCSI 0:0", "SCSI 0:1", "SCSI 0:2 - Gen SCSI 0",       "SCSI 0:3", "SCSI 0:4",
                             "SCSI 0:5", "SCSI 0:6", "SCSI 0:7 - SCSI Controller 0"};
    EXPECT_EQ(scsi->GetAvailableNodes(), expected);
}

TEST_F(ControllerTest, LabelsUseDeviceNumbersAndLaterKindsWin)
{
    const auto controller = ide->Add();
    hw->CDRoms()->Add(); // number 0, unattached
    CDRom("IDE", 0, 1);  // number 1, shown as CD-ROM2
    EXPECT_EQ(controller->Nodes(), (Labels{"", "CD-ROM 1"}));
    Disk("IDE", 0, 1);
    EXPECT_EQ(controller->Nodes(), (Labels{"", "Hard Disk 0"}));

    const auto scsiController = scsi->Add();
    CDRom("SCSI", 0, 7); // a device claiming the controller's own node wins the label
    Disk("SCSI", 0, 3);
    const auto generic = hw->GenericSCSIDevices()->Add();
    generic->SetController(0);
    generic->SetBusNode(3);
    const Labels nodes = scsiController->Nodes();
    EXPECT_EQ(nodes[7], "CD-ROM 2");
    EXPECT_EQ(nodes[3], "Gen SCSI 0");
}

TEST_F(ControllerTest, OnlyExactBusAndControllerMatch)
{
    const auto controller = ide->Add();
    Disk("ide", 0, 0);  // letter case matters
    Disk("SCSI", 0, 1); // other bus, same number
    Disk("IDE", 1, 0);  // other controller
    std::vector<HDInfo> disks;
    std::int32_t count = -5;
    EXPECT_EQ(controller->GetConnectedHardDisks(disks, count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(controller->Nodes(), (Labels{"", ""}));
}

TEST_F(ControllerTest, NoAttachedDeviceGivesOneEmptyRecord)
{
    const auto controller = scsi->Add();
    std::vector<HDInfo> disks(3, HDInfo{7, true, "old", "old", 1, "old", "IDE", 1, 1});
    std::int32_t count = 99;
    EXPECT_EQ(controller->GetConnectedHardDisks(disks, count), 0);
    EXPECT_EQ(count, 0);
    ASSERT_EQ(disks.size(), 1u);
    EXPECT_EQ(disks[0].iDeviceNum, 0);
    EXPECT_EQ(disks[0].szName, "");
    EXPECT_FALSE(disks[0].bEnabled);

    std::vector<GenSCSIInfo> generic;
    EXPECT_EQ(controller->GetConnectedGenericSCSIs(generic, count), 0);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(generic.size(), 1u);
}

TEST_F(ControllerTest, RecordsCarryTheDevicesProperties)
{
    const auto controller = ide->Add();
    ide->Add();
    const auto first = CDRom("IDE", 1, 1);
    CDRom("IDE", 0, 0);
    const auto third = CDRom("IDE", 1, 0);
    third->SetDeviceType("cdrom-image");
    third->SetDeviceName("disc.iso");
    third->SetLegacyEmulation(true);
    third->SetConnectedAtBoot(false);

    std::vector<CDRInfo> records;
    std::int32_t count = 0;
    EXPECT_EQ(ide->Item(2)->GetConnectedCDRoms(records, count), 0);
    ASSERT_EQ(count, 2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].iDeviceNum, first->DeviceNum());
    EXPECT_EQ(records[0].iNode, 1);
    const CDRInfo& r = records[1];
    EXPECT_EQ(r.iDeviceNum, 2);
    EXPECT_TRUE(r.bEnabled);
    EXPECT_FALSE(r.bConnectAtBoot);
    EXPECT_EQ(r.szName, "disc.iso");
    EXPECT_EQ(r.szType, "cdrom-image");
    EXPECT_TRUE(r.bLegacy);
    EXPECT_FALSE(r.bExclusive);
    EXPECT_EQ(r.szBusType, "IDE");
    EXPECT_EQ(r.iController, 1);
    EXPECT_EQ(r.iNode, 0);

    const auto disk = Disk("IDE", 0, 1);
    disk->SetDiskSize(8192);
    disk->SetMode("independent-nonpersistent");
    std::vector<HDInfo> disks;
    controller->GetConnectedHardDisks(disks, count);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(disks[0].lSize, 8192);
    EXPECT_EQ(disks[0].szMode, "independent-nonpersistent");
    EXPECT_EQ(disks[0].szType, "disk");
}

TEST_F(ControllerTest, NodeCountChangesReachExistingAndLaterControllers)
{
    ide->Add();
    ide->Add();
    ide->SetMaxNodesPerController(4);
    EXPECT_EQ(ide->Item(1)->MaxNodes(), 4);
    EXPECT_EQ(ide->Item(2)->MaxNodes(), 4);
    EXPECT_EQ(ide->Add()->MaxNodes(), 4);
    EXPECT_EQ(ide->GetAvailableNodes().size(), 12u);
    EXPECT_EQ(ide->Item(1)->Nodes().size(), 4u);
}

TEST_F(ControllerTest, NodeOutsideTheControllerFails)
{
    const auto controller = ide->Add();
    const auto disk = Disk("IDE", 0, 2); // nodes are 0 and 1
    ExpectErrorNumber([&] { controller->Nodes(); }, 9);
    ExpectErrorNumber([&] { ide->GetAvailableNodes(); }, 9);
    disk->SetBusNode(-1); // claims the controller but sits on no node
    EXPECT_THROW(controller->Nodes(), SubscriptOutOfRange);
    disk->SetBusNode(1);
    EXPECT_EQ(controller->Nodes(), (Labels{"", "Hard Disk 0"}));
    // The failures changed nothing.
    EXPECT_EQ(disk->Controller(), 0);
    EXPECT_EQ(controller->MaxNodes(), 2);
}

TEST_F(ControllerTest, NoNodesFails)
{
    const auto controller = scsi->Add();
    scsi->SetMaxNodesPerController(0);
    ExpectErrorNumber([&] { controller->Nodes(); }, 9);
    ExpectErrorNumber([&] { scsi->GetAvailableNodes(); }, 9);
    scsi->SetMaxNodesPerController(-3);
    EXPECT_THROW(scsi->GetAvailableNodes(), SubscriptOutOfRange);

    scsi->SetMaxNodesPerController(16);
    controller->SetBusNode(16);
    EXPECT_THROW(controller->Nodes(), SubscriptOutOfRange);
    controller->SetBusNode(-1);
    EXPECT_THROW(controller->Nodes(), SubscriptOutOfRange);
    controller->SetBusNode(15);
    EXPECT_EQ(controller->Nodes()[15], "SCSI Controller 0");
}

TEST_F(ControllerTest, RemovedControllerLeavesItsDevicesAttached)
{
    ide->Add();
    const auto disk = Disk("IDE", 0, 0);
    ide->Remove(1);
    EXPECT_EQ(disk->Controller(), 0);
    EXPECT_EQ(ide->GetAvailableNodes(), Labels{"N/A"});
    ide->Add();
    EXPECT_EQ(ide->GetAvailableNodes(), (Labels{"IDE 0:0 - Hard Disk 0", "IDE 0:1"}));
}

TEST_F(ControllerTest, QueriesOnAReleasedModelThrow)
{
    const auto ideController = ide->Add();
    const auto scsiController = scsi->Add();
    CDRom("IDE", 0, 0);
    const std::weak_ptr<clsHardware> watch = hw;
    hw.reset();
    vm.reset();
    ASSERT_TRUE(watch.expired());

    // The collections are still held here, the container is gone.
    ExpectErrorNumber([&] { ideController->Nodes(); }, 91);
    ExpectErrorNumber([&] { scsiController->Nodes(); }, 91);
    ExpectErrorNumber([&] { ide->GetAvailableNodes(); }, 91);

    std::vector<CDRInfo> records(2);
    records[0].szName = "kept";
    std::int32_t count = 2;
    ExpectErrorNumber([&] { ideController->GetConnectedCDRoms(records, count); }, 91);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].szName, "kept");
    std::vector<GenSCSIInfo> generic;
    ExpectErrorNumber([&] { scsiController->GetConnectedGenericSCSIs(generic, count); }, 91);

    // Now the collections go as well.
    ide.reset();
    scsi.reset();
    ExpectErrorNumber([&] { ideController->Nodes(); }, 91);
    std::vector<HDInfo> disks;
    ExpectErrorNumber([&] { scsiController->GetConnectedHardDisks(disks, count); }, 91);
    EXPECT_EQ(ideController->DisplayName(), "IDE Controller"); // plain values stay readable
}

TEST_F(ControllerTest, SataAndNvmeControllersTakeNoNodeAndListTheirOwnBus)
{
    const auto sata = hw->SATAControllers();
    const auto nvme = hw->NVMeControllers();
    EXPECT_EQ(sata->MaxNodesPerController(), 30);
    EXPECT_EQ(nvme->MaxNodesPerController(), 15);
    EXPECT_EQ(sata->GetAvailableNodes(), Labels{"N/A"});

    const auto sataController = sata->Add();
    const auto nvmeController = nvme->Add();
    EXPECT_EQ(sataController->DisplayName(), "SATA Controller");
    EXPECT_EQ(nvmeController->DisplayName(), "NVMe Controller");
    EXPECT_EQ(sataController->Summary(), "Present");
    EXPECT_EQ(sataController->MaxNodes(), 30);
    EXPECT_EQ(nvmeController->MaxNodes(), 15);
    // Neither controller holds a node of its own: every node starts free.
    EXPECT_EQ(sataController->Nodes(), Labels(30, ""));

    CDRom("SATA", 0, 1);
    const auto disk = Disk("NVMe", 0, 0);
    Disk("SATA", 1, 0); // no such SATA controller: listed nowhere
    Disk("sata", 0, 2); // letter case of the bus matters, as on IDE and SCSI
    const Labels sataNodes = sataController->Nodes();
    EXPECT_EQ(sataNodes[1], "CD-ROM 0");
    EXPECT_EQ(sataNodes[2], "");
    EXPECT_EQ(nvmeController->Nodes()[0], "Hard Disk 0");
    EXPECT_EQ(disk->DisplayName(), "Hard Disk (NVMe0:0)");

    const Labels available = sata->GetAvailableNodes();
    ASSERT_EQ(available.size(), 30U);
    EXPECT_EQ(available[1], "SATA 0:1 - CD-ROM 0");
    EXPECT_EQ(nvme->GetAvailableNodes()[0], "NVMe 0:0 - Hard Disk 0");

    std::vector<HDInfo> disks;
    std::int32_t count = 0;
    nvmeController->GetConnectedHardDisks(disks, count);
    EXPECT_EQ(count, 1);
    std::vector<CDRInfo> cdroms;
    sataController->GetConnectedCDRoms(cdroms, count);
    EXPECT_EQ(count, 1);

    // The kinds are named like the others and found by their names.
    EXPECT_EQ(hw->HWTypeToText(VirtualHardwareType::SATAController), "SATA Controller");
    EXPECT_EQ(hw->HWTextToType("nvme controller"), VirtualHardwareType::NVMeController);

    // A node count change reaches the controllers already there.
    nvme->SetMaxNodesPerController(4);
    EXPECT_EQ(nvmeController->Nodes().size(), 4U);
    // A device beyond the nodes fails as on the other buses.
    Disk("NVMe", 0, 9);
    ExpectErrorNumber([&] { (void)nvmeController->Nodes(); }, 9);
}

TEST_F(ControllerTest, SataControllerOfAReleasedModelThrows)
{
    const auto controller = hw->SATAControllers()->Add();
    hw.reset();
    ide.reset();
    scsi.reset();
    vm.reset();
    ExpectErrorNumber([&] { (void)controller->Nodes(); }, 91);
}
