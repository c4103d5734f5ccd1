// SPDX-License-Identifier: MIT
// SATA and NVMe controllers as device kinds, their nodes, the wide SCSI bus of today's versions,
// and version changes the machine's devices would not fit.
#include "config/ConfigSession.h"
#include "config/DeviceKinds.h"
#include "config/NodeAssignment.h"
#include "config/ProductLimits.h"

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

#include <algorithm>

using namespace zentravolix::config;
using tarvonel::VirtualHardwareType;
using T = tarvonel::VirtualHardwareType;
using Outcome = NodeChoice::Outcome;

namespace {

constexpr std::int16_t kWorkstation = 1;
constexpr std::int16_t kWs55 = 4;   // classic, 8 SCSI nodes, no SATA or NVMe
constexpr std::int16_t kWs65 = 6;   // HW 7: 16 SCSI nodes, no SATA
constexpr std::int16_t kWs10 = 10;  // HW 10: SATA, no NVMe
constexpr std::int16_t kWs14 = 13;  // HW 14: 65 SCSI nodes
constexpr std::int16_t kWs17 = 17;  // HW 20: SATA and NVMe

const RuleMessage kNoSata{170, 2872, {}, RuleIcon::Information};
const RuleMessage kNoNvme{170, 2873, {}, RuleIcon::Information};

/** A new machine (two IDE controllers, one SCSI controller) made for a product version. */
class BusSession : public testing::Test {
protected:
    void choose(std::int16_t version)
    {
        const auto changes = session.ChooseProduct({kWorkstation, version});
        ASSERT_TRUE(changes.has_value());
        ASSERT_FALSE(changes->refused());
    }
    tarvonel::clsHardware& hw() { return *session.Machine()->Hardware(); }

    template <class Item>
    static void put(Item& item, const char* bus, std::int16_t controller, std::int16_t node)
    {
        item.SetBusType(bus);
        item.SetController(controller);
        item.SetBusNode(node);
    }
    NodeDevice disk(const char* bus, std::int16_t controller, std::int16_t node)
    {
        auto d = hw().HardDisks()->Add();
        put(*d, bus, controller, node);
        return {T::HardDrive, d->ID()};
    }
    NodeDevice cdrom(const char* bus, std::int16_t controller, std::int16_t node)
    {
        auto d = hw().CDRoms()->Add();
        put(*d, bus, controller, node);
        return {T::CDRomDrive, d->ID()};
    }
    std::string where(const NodeDevice& d)
    {
        auto show = [](const auto& item) {
            return item->BusType() + ' ' + std::to_string(item->Controller()) + ':' + std::to_string(item->BusNode());
        };
        return d.type == T::HardDrive ? show(hw().HardDisks()->Item(-1, d.id)) : show(hw().CDRoms()->Item(-1, d.id));
    }
    std::string nameOf(const NodeDevice& d)
    {
        return d.type == T::HardDrive ? hw().HardDisks()->Item(-1, d.id)->DisplayName()
                                      : hw().CDRoms()->Item(-1, d.id)->DisplayName();
    }

    ConfigSession session{"/tmp/"};
};

} // namespace

TEST(SataNvmeKinds, ListedAfterTheScsiControllerWithTheirCaptionsAndLimits)
{
    const auto kinds = DeviceKinds();
    const auto scsi = *DeviceKindPosition(T::SCSIController);
    ASSERT_LT(scsi + 2, kinds.size());
    EXPECT_EQ(kinds[scsi + 1], T::SATAController);
    EXPECT_EQ(kinds[scsi + 2], T::NVMeController);
    EXPECT_EQ(kinds[scsi + 3], T::HardDrive);
    EXPECT_EQ(FindDeviceKind(T::SATAController)->entryTextId, 2870);
    EXPECT_EQ(FindDeviceKind(T::NVMeController)->pageTextId, 2871);

    AddMaxima maxima{2, 3, 4};
    // A version without these buses offers none of their controllers.
    EXPECT_FALSE(MayAddDevice(T::SATAController, 0, maxima));
    EXPECT_FALSE(MayAddDevice(T::NVMeController, 0, maxima));
    maxima.sataControllers = 4;
    maxima.nvmeControllers = 2;
    EXPECT_TRUE(MayAddDevice(T::SATAController, 3, maxima));
    EXPECT_FALSE(MayAddDevice(T::SATAController, 4, maxima));
    EXPECT_TRUE(MayAddDevice(T::NVMeController, 1, maxima));
    EXPECT_FALSE(MayAddDevice(T::NVMeController, 2, maxima));
    // No controller is kept for good: the first SATA or NVMe controller may go too.
    EXPECT_TRUE(MayRemoveDevice(T::SATAController, 0));
    EXPECT_TRUE(MayRemoveDevice(T::NVMeController, 0));
}

TEST(SataNvmeKinds, DiskAndCdromLimitsCountTheNodesOfEveryBus)
{
    // Four IDE nodes, 4 SCSI controllers of 16 nodes less their own (60), 4 x 30 SATA, 2 x 15 NVMe.
    const AddMaxima maxima{2, 3, 4, 4, 2, 16, 30, 15};
    EXPECT_TRUE(MayAddDevice(T::HardDrive, 4 + 60 + 120 + 30 - 1, maxima));
    EXPECT_FALSE(MayAddDevice(T::HardDrive, 4 + 60 + 120 + 30, maxima));
    // CD-ROMs do not sit on NVMe.
    EXPECT_TRUE(MayAddDevice(T::CDRomDrive, 4 + 60 + 120 - 1, maxima));
    EXPECT_FALSE(MayAddDevice(T::CDRomDrive, 4 + 60 + 120, maxima));
    EXPECT_FALSE(MayAddDevice(T::GenericSCSI, 60, maxima));
    EXPECT_TRUE(MayAddDevice(T::GenericSCSI, 59, maxima));
}

TEST_F(BusSession, NodeCountsFollowTheChosenVersion)
{
    const auto scsiEntries = [&] { return AvailableNodes(hw(), NodeBus::SCSI); };
    // A new machine is the classic Workstation 5.5x: eight nodes, the controller's own at 7.
    EXPECT_EQ(scsiEntries().size(), 8u);
    EXPECT_EQ(scsiEntries()[7], "SCSI 0:7 - SCSI Controller 0");
    choose(kWs65);
    EXPECT_EQ(scsiEntries().size(), 16u);
    EXPECT_EQ(scsiEntries()[15], "SCSI 0:15");
    choose(kWs17);
    EXPECT_EQ(scsiEntries().size(), 65u);
    EXPECT_EQ(scsiEntries()[64], "SCSI 0:64");
    hw().SATAControllers()->Add();
    hw().NVMeControllers()->Add();
    EXPECT_EQ(AvailableNodes(hw(), NodeBus::SATA).size(), 30u);
    EXPECT_EQ(AvailableNodes(hw(), NodeBus::NVMe).size(), 15u);
    EXPECT_EQ(AvailableNodes(hw(), NodeBus::NVMe).back(), "NVMe 0:14");
    // A controller added later takes the version's count too.
    hw().SCSIControllers()->Add();
    EXPECT_EQ(scsiEntries().size(), 130u);
}

TEST_F(BusSession, UnitsBeyondSevenAreTakenOnAWideBus)
{
    choose(kWs14);
    for (std::int16_t n = 0; n < 7; ++n)
        disk("SCSI", 0, n);
    // The automatic node skips the controller's own node 7 and goes on at 8.
    const NodeDevice more{T::HardDrive, hw().HardDisks()->Add()->ID()};
    hw().HardDisks()->Item(-1, more.id)->SetBusType("SCSI");
    EXPECT_TRUE(AssignAutomaticNode(hw(), more).assigned);
    EXPECT_EQ(where(more), "SCSI 0:8");
    const NodeDevice far = disk("SCSI", 0, 40);
    EXPECT_EQ(ChooseNode(hw(), far, NodeBus::SCSI, "SCSI 0:64").outcome, Outcome::Assigned);
    EXPECT_EQ(where(far), "SCSI 0:64");
    EXPECT_EQ(ChooseNode(hw(), far, NodeBus::SCSI, "SCSI 0:7 - SCSI Controller 0").outcome, Outcome::Refused);
    EXPECT_EQ(where(far), "SCSI 0:64");
}

TEST_F(BusSession, DisksMoveBetweenEveryBusAndBackWithNothingLost)
{
    choose(kWs17);
    hw().SATAControllers()->Add();
    hw().NVMeControllers()->Add();
    const NodeDevice d = disk("IDE", 0, 1);
    const NodeDevice cd = cdrom("SATA", 0, 0);
    hw().HardDisks()->Item(-1, d.id)->SetDeviceName("system.vmdk");

    // SATA 0:1 is free (the CD-ROM holds 0:0): the disk keeps its numbers.
    EXPECT_TRUE(SwitchBus(hw(), d, NodeBus::SATA).moved);
    EXPECT_EQ(where(d), "SATA 0:1");
    EXPECT_EQ(AvailableNodes(hw(), NodeBus::SATA)[1], "SATA 0:1 - Hard Disk 0");
    EXPECT_TRUE(SwitchBus(hw(), d, NodeBus::NVMe).moved);
    EXPECT_EQ(where(d), "NVMe 0:1");
    EXPECT_EQ(AvailableNodes(hw(), NodeBus::NVMe)[1], "NVMe 0:1 - Hard Disk 0");
    EXPECT_TRUE(SwitchBus(hw(), d, NodeBus::IDE).moved);
    EXPECT_EQ(where(d), "IDE 0:1");
    EXPECT_EQ(hw().HardDisks()->Item(-1, d.id)->DeviceName(), "system.vmdk");
    EXPECT_EQ(where(cd), "SATA 0:0");

    // Choosing the CD-ROM's node moves the CD-ROM to the first free SATA node; never two on one.
    EXPECT_TRUE(SwitchBus(hw(), d, NodeBus::SATA).moved);
    const NodeChoice taken = ChooseNode(hw(), d, NodeBus::SATA, "SATA 0:0 - CD-ROM 0");
    EXPECT_EQ(taken.outcome, Outcome::Assigned);
    EXPECT_EQ(taken.moved, cd);
    EXPECT_EQ(where(d), "SATA 0:0");
    EXPECT_EQ(where(cd), "SATA 0:2");
}

TEST_F(BusSession, CdromsStayOffNvmeAndFullBusesSaySo)
{
    choose(kWs17);
    hw().SATAControllers()->Add();
    hw().NVMeControllers()->Add();
    const NodeDevice cd = cdrom("SATA", 0, 3);
    EXPECT_FALSE(BusTakes(T::CDRomDrive, NodeBus::NVMe));
    EXPECT_FALSE(SwitchBus(hw(), cd, NodeBus::NVMe).moved);
    EXPECT_EQ(ChooseNode(hw(), cd, NodeBus::NVMe, "NVMe 0:0").outcome, Outcome::Ignored);
    EXPECT_EQ(where(cd), "SATA 0:3");

    // One NVMe controller of 15 namespaces, every one taken.
    for (std::int16_t n = 0; n < 15; ++n)
        disk("NVMe", 0, n);
    const NodeDevice d = disk("IDE", 1, 0);
    const BusSwitch full = SwitchBus(hw(), d, NodeBus::NVMe);
    EXPECT_FALSE(full.moved);
    ASSERT_EQ(full.messages.size(), 1u);
    EXPECT_EQ(full.messages[0], kNoNvme);
    EXPECT_EQ(where(d), "IDE 1:0");
}

TEST_F(BusSession, AutomaticNodeOnSataForCdromsAndDisksTheUserPutThere)
{
    choose(kWs17);
    hw().SATAControllers()->Add();
    const auto cd = hw().CDRoms()->Add();
    cd->SetBusType("SATA");
    const NodeDevice cdDevice{T::CDRomDrive, cd->ID()};
    const AutomaticNode first = AssignAutomaticNode(hw(), cdDevice);
    EXPECT_TRUE(first.assigned);
    EXPECT_EQ(where(cdDevice), "SATA 0:0");

    for (std::int16_t n = 1; n < 30; ++n)
        disk("SATA", 0, n);
    const auto late = hw().CDRoms()->Add();
    late->SetBusType("SATA");
    const AutomaticNode none = AssignAutomaticNode(hw(), {T::CDRomDrive, late->ID()});
    EXPECT_FALSE(none.assigned);
    ASSERT_EQ(none.messages.size(), 1u);
    EXPECT_EQ(none.messages[0], kNoSata);
    EXPECT_EQ(late->BusType(), "SATA") << "no fallback to another bus the user did not choose";
}

TEST_F(BusSession, DevicesOnSataAndNvmeControllersAreFoundForRemoval)
{
    choose(kWs17);
    const auto sata = hw().SATAControllers()->Add();
    const auto nvme = hw().NVMeControllers()->Add();
    const NodeDevice cd = cdrom("SATA", 0, 0);
    const NodeDevice d = disk("NVMe", 0, 0);
    disk("IDE", 0, 0);
    EXPECT_EQ(DevicesOnController(hw(), T::SATAController, sata->ID()), std::vector<NodeDevice>{cd});
    EXPECT_EQ(DevicesOnController(hw(), T::NVMeController, nvme->ID()), std::vector<NodeDevice>{d});
    EXPECT_TRUE(DevicesOnController(hw(), T::SATAController, nvme->ID()).empty());
}

TEST_F(BusSession, AVersionWithoutRoomForTheDevicesIsRefusedAndNothingChanges)
{
    choose(kWs17);
    const auto sata = hw().SATAControllers()->Add();
    const auto nvme = hw().NVMeControllers()->Add();
    const NodeDevice cd = cdrom("SATA", 0, 1);
    const NodeDevice d = disk("NVMe", 0, 0);
    const auto general = session.Machine()->Options()->GeneralOptions();

    // Workstation 10.x has SATA but no NVMe: the NVMe controller and its disk do not fit.
    const auto noNvme = session.ChooseProduct({kWorkstation, kWs10});
    ASSERT_TRUE(noNvme.has_value());
    EXPECT_EQ(noNvme->unfit, (std::vector<std::string>{nvme->DisplayName(), nameOf(d)}));
    const auto classic = session.ChooseProduct({kWorkstation, kWs55});
    ASSERT_TRUE(classic.has_value());
    EXPECT_EQ(classic->unfit,
              (std::vector<std::string>{sata->DisplayName(), nameOf(cd), nvme->DisplayName(), nameOf(d)}));
    EXPECT_EQ(general->PlatformVersion(), kWs17);
    EXPECT_EQ(general->HardwareVersion(), 20);
    EXPECT_GT(session.Limits().MaxNVMeControllers, 0);
    EXPECT_EQ(where(d), "NVMe 0:0");
    EXPECT_EQ(hw().SATAControllers()->Count(), 1);

    // Without the NVMe disk and controller the SATA version is taken.
    hw().HardDisks()->Remove(-1, d.id);
    hw().NVMeControllers()->Remove(-1, nvme->ID());
    choose(kWs10);
    EXPECT_EQ(general->HardwareVersion(), 10);
}

TEST_F(BusSession, AScsiUnitBeyondTheNarrowerBusRefusesTheVersion)
{
    choose(kWs14);
    const NodeDevice d = disk("SCSI", 0, 20);
    const auto narrower = session.ChooseProduct({kWorkstation, kWs65});
    ASSERT_TRUE(narrower.has_value());
    EXPECT_EQ(narrower->unfit, std::vector<std::string>{nameOf(d)});
    EXPECT_EQ(AvailableNodes(hw(), NodeBus::SCSI).size(), 65u);
    // Unit 12 fits 16 nodes, not 8.
    ASSERT_EQ(ChooseNode(hw(), d, NodeBus::SCSI, "SCSI 0:12").outcome, Outcome::Assigned);
    choose(kWs65);
    EXPECT_EQ(AvailableNodes(hw(), NodeBus::SCSI).size(), 16u);
    EXPECT_EQ(AvailableNodes(hw(), NodeBus::SCSI)[12], "SCSI 0:12 - Hard Disk 0");
    EXPECT_TRUE(session.ChooseProduct({kWorkstation, kWs55})->refused());
    EXPECT_EQ(where(d), "SCSI 0:12");
}

TEST(SataNvmeNodeCounts, ABusKeepsTheNodesItsDevicesUse)
{
    tarvonel::VirtualMachine vm;
    auto& hw = *vm.Hardware();
    hw.SCSIControllers()->Add();
    hw.SCSIControllers()->SetMaxNodesPerController(65);
    const auto d = hw.HardDisks()->Add();
    d->SetBusType("SCSI");
    d->SetController(0);
    d->SetBusNode(12);
    // A file that names a classic product but holds unit 12: the bus keeps 13 nodes, not 8.
    EditorLimits classic;
    ApplyNodeCounts(hw, classic);
    EXPECT_EQ(hw.SCSIControllers()->MaxNodesPerController(), 13);
    EXPECT_EQ(AvailableNodes(hw, NodeBus::SCSI).size(), 13u);
    EXPECT_EQ(NodesInUse(hw, NodeBus::SATA), 0);
    EXPECT_EQ(hw.SATAControllers()->MaxNodesPerController(), 30);
}
