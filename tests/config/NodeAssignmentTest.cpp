// SPDX-License-Identifier: MIT
#include "config/NodeAssignment.h"

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

using namespace zentravolix::config;
using tarvonel::VirtualHardwareType;
using Outcome = NodeChoice::Outcome;

namespace {

const RuleMessage kNoIde{170, 171, {}, RuleIcon::Information};
const RuleMessage kNoScsi{170, 172, {}, RuleIcon::Information};
const RuleMessage kNoScsiEither{170, 173, {}, RuleIcon::Information};
const RuleMessage kControllerNode{191, 192, {}, RuleIcon::Exclamation};

/** A machine with two IDE controllers and one SCSI controller, as a new configuration has. */
class NodeAssignmentTest : public testing::Test {
protected:
    NodeAssignmentTest()
    {
        hw.IDEControllers()->Add();
        hw.IDEControllers()->Add();
        hw.SCSIControllers()->Add();
    }

    template <class Item>
    static void put(Item& item, const char* bus, std::int16_t controller, std::int16_t node)
    {
        item.SetBusType(bus);
        item.SetController(controller);
        item.SetBusNode(node);
    }
    NodeDevice disk(const char* bus, std::int16_t controller, std::int16_t node)
    {
        auto d = hw.HardDisks()->Add();
        put(*d, bus, controller, node);
        return {VirtualHardwareType::HardDrive, d->ID()};
    }
    NodeDevice cdrom(const char* bus, std::int16_t controller, std::int16_t node)
    {
        auto d = hw.CDRoms()->Add();
        put(*d, bus, controller, node);
        return {VirtualHardwareType::CDRomDrive, d->ID()};
    }
    NodeDevice newCdrom() { return {VirtualHardwareType::CDRomDrive, hw.CDRoms()->Add()->ID()}; }
    NodeDevice newGeneric() { return {VirtualHardwareType::GenericSCSI, hw.GenericSCSIDevices()->Add()->ID()}; }
    /** "IDE 0:1" style position of a hard disk or CD-ROM. */
    std::string where(const NodeDevice& d) const
    {
        auto show = [](const auto& item) {
            return item->BusType() + ' ' + std::to_string(item->Controller()) + ':' + std::to_string(item->BusNode());
        };
        if (d.type == VirtualHardwareType::HardDrive)
            return show(hw.HardDisks()->Item(-1, d.id));
        if (d.type == VirtualHardwareType::CDRomDrive)
            return show(hw.CDRoms()->Item(-1, d.id));
        return show(hw.GenericSCSIDevices()->Item(-1, d.id));
    }
    void fillScsi(std::int16_t nodes)
    {
        for (std::int16_t n = 0; n < nodes; ++n)
            disk("SCSI", 0, n);
    }

    tarvonel::VirtualMachine vm;
    tarvonel::clsHardware& hw = *vm.Hardware();
};

} // namespace

TEST(NodeEntries, ParsedIntoControllerNodeAndOccupant)
{
    EXPECT_EQ(ParseNodeEntry(NodeBus::IDE, "IDE 1:0"), (NodeEntry{1, 0, ""}));
    EXPECT_EQ(ParseNodeEntry(NodeBus::IDE, "IDE 0:0 - Hard Disk 0"), (NodeEntry{0, 0, "Hard Disk 0"}));
    EXPECT_EQ(ParseNodeEntry(NodeBus::SCSI, "SCSI 0:7 - SCSI Controller 0"), (NodeEntry{0, 7, "Controller 0"}));
    EXPECT_EQ(ParseNodeEntry(NodeBus::SCSI, "SCSI 2:3 - Gen SCSI 1"), (NodeEntry{2, 3, "Gen 1"}));
    EXPECT_EQ(ParseNodeEntry(NodeBus::SCSI, "SCSI 0:12 - CD-ROM 3"), (NodeEntry{0, 12, "CD-ROM 3"}));
    for (const char* bad : {"N/A", "", "IDE", "IDE x:1", "IDE 0:", "SCSI 0:1"})
        EXPECT_FALSE(ParseNodeEntry(NodeBus::IDE, bad).has_value()) << bad;
}

TEST(NodeEntries, FirstFreeIsTheFirstWithoutADash)
{
    EXPECT_EQ(FirstFreeNode({"IDE 0:0 - Hard Disk 0", "IDE 0:1", "IDE 1:0"}), 1u);
    EXPECT_FALSE(FirstFreeNode({"IDE 0:0 - Hard Disk 0", "IDE 0:1 - CD-ROM 0"}).has_value());
    EXPECT_EQ(FirstFreeNode({"N/A"}), 0u);
    EXPECT_FALSE(FirstFreeNode({}).has_value());
}

TEST_F(NodeAssignmentTest, ListsComeFromTheControllersAndSurviveABrokenModel)
{
    cdrom("IDE", 1, 0);
    auto lists = RefreshNodeLists(hw);
    EXPECT_EQ(lists.ide, (std::vector<std::string>{"IDE 0:0", "IDE 0:1", "IDE 1:0 - CD-ROM 0", "IDE 1:1"}));
    ASSERT_EQ(lists.scsi.size(), 8u);
    EXPECT_EQ(lists.scsi[7], "SCSI 0:7 - SCSI Controller 0");

    disk("IDE", 0, 5); // a file put a disk on a node controller 0 does not have
    lists = RefreshNodeLists(hw);
    EXPECT_TRUE(lists.ide.empty());
    EXPECT_EQ(lists.scsi.size(), 8u);
}

TEST_F(NodeAssignmentTest, ChoosingAnOccupiedNodeMovesTheOccupantToTheFirstFreeNode)
{
    const auto hd = disk("IDE", 0, 0);
    const auto cd = cdrom("IDE", 0, 1);
    const auto choice = ChooseNode(hw, hd, NodeBus::IDE, "IDE 0:1 - CD-ROM 0");
    EXPECT_EQ(choice.outcome, Outcome::Assigned);
    EXPECT_TRUE(choice.messages.empty());
    EXPECT_EQ(choice.moved, cd);
    // 0:0 was still the disk's when the CD-ROM moved.
    EXPECT_EQ(where(cd), "IDE 1:0");
    EXPECT_EQ(where(hd), "IDE 0:1");
    EXPECT_EQ(hw.HardDisks()->Item(1)->DisplayName(), "Hard Disk (IDE0:1)");
    EXPECT_EQ(hw.CDRoms()->Item(1)->DisplayName(), "CD-ROM (IDE1:0)");
}

TEST_F(NodeAssignmentTest, NoFreeNodeRefusesTheChoiceAndMovesNobody)
{
    const auto hd = disk("IDE", 0, 0);
    const auto cd = cdrom("IDE", 0, 1);
    disk("IDE", 1, 0);
    cdrom("IDE", 1, 1);
    const auto choice = ChooseNode(hw, hd, NodeBus::IDE, "IDE 0:1 - CD-ROM 0");
    EXPECT_EQ(choice.outcome, Outcome::Refused);
    EXPECT_EQ(choice.messages, std::vector<RuleMessage>{kNoIde});
    EXPECT_FALSE(choice.moved.has_value());
    EXPECT_EQ(where(hd), "IDE 0:0");
    EXPECT_EQ(where(cd), "IDE 0:1");

    for (std::int16_t n = 0; n < 7; ++n)
        disk("SCSI", 0, n);
    const auto scsiCd = cdrom("SCSI", 5, 5); // not on any node the lists show
    const auto onScsi = ChooseNode(hw, scsiCd, NodeBus::SCSI, "SCSI 0:3 - Hard Disk 7");
    EXPECT_EQ(onScsi.messages, std::vector<RuleMessage>{kNoScsi});
    EXPECT_EQ(where(scsiCd), "SCSI 5:5");
}

TEST_F(NodeAssignmentTest, TheScsiControllersOwnNodeCannotBeTaken)
{
    const auto gen = newGeneric();
    const auto choice = ChooseNode(hw, gen, NodeBus::SCSI, "SCSI 0:7 - SCSI Controller 0");
    EXPECT_EQ(choice.outcome, Outcome::Refused);
    EXPECT_EQ(choice.messages, std::vector<RuleMessage>{kControllerNode});
    EXPECT_EQ(where(gen), "SCSI -1:-1");
}

TEST_F(NodeAssignmentTest, GenericScsiDeviceMovesAnOccupantOnTheScsiBus)
{
    const auto hd = disk("SCSI", 0, 0);
    const auto gen = newGeneric();
    const auto choice = ChooseNode(hw, gen, NodeBus::SCSI, "SCSI 0:0 - Hard Disk 0");
    EXPECT_EQ(choice.outcome, Outcome::Assigned);
    EXPECT_EQ(where(hd), "SCSI 0:1");
    EXPECT_EQ(where(gen), "SCSI 0:0");
    EXPECT_EQ(hw.GenericSCSIDevices()->Item(1)->DisplayName(), "Generic SCSI (SCSI0:0)");
    // Moving the disk back onto the generic device's node moves the generic device.
    EXPECT_EQ(ChooseNode(hw, hd, NodeBus::SCSI, "SCSI 0:0 - Gen SCSI 0").moved, gen);
    EXPECT_EQ(where(gen), "SCSI 0:2");
}

TEST_F(NodeAssignmentTest, OnlyTheSelectedBusAndRealEntriesAssign)
{
    const auto hd = disk("IDE", 0, 0);
    EXPECT_EQ(ChooseNode(hw, hd, NodeBus::SCSI, "SCSI 0:1").outcome, Outcome::Ignored);
    EXPECT_EQ(ChooseNode(hw, hd, NodeBus::IDE, "N/A").outcome, Outcome::Ignored);
    EXPECT_EQ(ChooseNode(hw, NodeDevice{VirtualHardwareType::HardDrive, "unknown"}, NodeBus::IDE, "IDE 0:1").outcome,
              Outcome::Ignored);
    EXPECT_EQ(ChooseNode(hw, newGeneric(), NodeBus::IDE, "IDE 0:1").outcome, Outcome::Ignored);
    EXPECT_EQ(where(hd), "IDE 0:0");
    // The node the device already holds: nothing moves.
    const auto same = ChooseNode(hw, hd, NodeBus::IDE, "IDE 0:0 - Hard Disk 0");
    EXPECT_EQ(same.outcome, Outcome::Assigned);
    EXPECT_FALSE(same.moved.has_value());
    EXPECT_EQ(where(hd), "IDE 0:0");
}

TEST_F(NodeAssignmentTest, ChooseBusChangesOnlyTheBusType)
{
    const auto hd = disk("IDE", 1, 1);
    ChooseBus(hw, hd, NodeBus::SCSI);
    EXPECT_EQ(where(hd), "SCSI 1:1");
    EXPECT_EQ(hw.HardDisks()->Item(1)->DisplayName(), "Hard Disk (IDE1:1)");
    EXPECT_EQ(ChooseNode(hw, hd, NodeBus::SCSI, "SCSI 0:2").outcome, Outcome::Assigned);
    EXPECT_EQ(where(hd), "SCSI 0:2");
}

TEST_F(NodeAssignmentTest, NewCdRomTakesTheFirstFreeIdeNodeThenScsi)
{
    disk("IDE", 0, 0);
    const auto first = newCdrom();
    auto result = AssignAutomaticNode(hw, first);
    EXPECT_TRUE(result.assigned);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(where(first), "IDE 0:1");

    cdrom("IDE", 1, 0);
    cdrom("IDE", 1, 1);
    const auto scsi = newCdrom();
    result = AssignAutomaticNode(hw, scsi);
    EXPECT_TRUE(result.assigned);
    EXPECT_EQ(result.messages, std::vector<RuleMessage>{kNoIde});
    EXPECT_EQ(where(scsi), "SCSI 0:0");
    // A device with a node keeps it.
    EXPECT_FALSE(NeedsAutomaticNode(hw, scsi));
    EXPECT_TRUE(AssignAutomaticNode(hw, scsi).messages.empty());
    EXPECT_EQ(where(scsi), "SCSI 0:0");
}

TEST_F(NodeAssignmentTest, NewCdRomWithEveryNodeTakenShowsBothMessagesAndStaysUnassigned)
{
    for (std::int16_t c = 0; c < 2; ++c)
        for (std::int16_t n = 0; n < 2; ++n)
            disk("IDE", c, n);
    fillScsi(7);
    const auto cd = newCdrom();
    const auto result = AssignAutomaticNode(hw, cd);
    EXPECT_FALSE(result.assigned);
    EXPECT_EQ(result.messages, (std::vector<RuleMessage>{kNoIde, kNoScsiEither}));
    EXPECT_TRUE(NeedsAutomaticNode(hw, cd));
    EXPECT_EQ(hw.CDRoms()->Item(1)->DisplayName(), "CD-ROM");
}

TEST_F(NodeAssignmentTest, HardDiskStaysOnItsBusAndGenericScsiOnScsi)
{
    fillScsi(7);
    auto hd = hw.HardDisks()->Add();
    hd->SetBusType("SCSI");
    const NodeDevice disk{VirtualHardwareType::HardDrive, hd->ID()};
    auto result = AssignAutomaticNode(hw, disk);
    EXPECT_FALSE(result.assigned);
    EXPECT_EQ(result.messages, std::vector<RuleMessage>{kNoScsi}); // IDE is free, but no fallback
    EXPECT_EQ(hd->BusType(), "SCSI");
    EXPECT_EQ(AssignAutomaticNode(hw, newGeneric()).messages, std::vector<RuleMessage>{kNoScsi});

    hd->SetBusType("IDE");
    result = AssignAutomaticNode(hw, disk);
    EXPECT_TRUE(result.assigned);
    EXPECT_EQ(where(disk), "IDE 0:0");

    // A disk whose bus is not chosen yet gets nothing.
    const NodeDevice unchosen{VirtualHardwareType::HardDrive, hw.HardDisks()->Add()->ID()};
    result = AssignAutomaticNode(hw, unchosen);
    EXPECT_FALSE(result.assigned);
    EXPECT_TRUE(result.messages.empty());
}

TEST_F(NodeAssignmentTest, SwitchingTheBusNeverLandsOnATakenOrMissingNode)
{
    // Held by another device, by a generic SCSI device, by the controller itself, or missing.
    const auto onOther = disk("SCSI", 0, 0);
    const auto gen = newGeneric();
    put(*hw.GenericSCSIDevices()->Item(-1, gen.id), "SCSI", 0, 1);
    const auto a = disk("IDE", 0, 0);
    EXPECT_TRUE(SwitchBus(hw, a, NodeBus::SCSI).moved);
    EXPECT_EQ(where(a), "SCSI 0:2");
    EXPECT_EQ(where(onOther), "SCSI 0:0") << "the other device is never moved";
    const auto b = disk("IDE", 0, 1);
    EXPECT_TRUE(SwitchBus(hw, b, NodeBus::SCSI).moved);
    EXPECT_EQ(where(b), "SCSI 0:3");
    hw.SCSIControllers()->Item(1)->SetBusNode(4);
    const auto c = disk("IDE", 1, 0);
    hw.HardDisks()->Item(-1, c.id)->SetController(0);
    hw.HardDisks()->Item(-1, c.id)->SetBusNode(4);
    EXPECT_TRUE(SwitchBus(hw, c, NodeBus::SCSI).moved);
    EXPECT_EQ(where(c), "SCSI 0:5");
    const auto d = disk("SCSI", 0, 6); // IDE has no node 0:6
    EXPECT_TRUE(SwitchBus(hw, d, NodeBus::IDE).moved);
    EXPECT_EQ(where(d), "IDE 0:0");
    EXPECT_EQ(hw.HardDisks()->Item(-1, d.id)->DisplayName(), "Hard Disk5 (IDE0:0)");

    // Its own node, free on the new bus, is kept; a device without a node takes the first free one.
    const auto e = disk("SCSI", 1, 1);
    EXPECT_TRUE(SwitchBus(hw, e, NodeBus::IDE).moved);
    EXPECT_EQ(where(e), "IDE 1:1");
    const auto f = cdrom("", -1, -1);
    EXPECT_TRUE(SwitchBus(hw, f, NodeBus::IDE).moved);
    EXPECT_EQ(where(f), "IDE 0:1");
    // The bus it is on already: nothing to do.
    EXPECT_FALSE(SwitchBus(hw, f, NodeBus::IDE).moved);
    EXPECT_FALSE(SwitchBus(hw, NodeDevice{VirtualHardwareType::HardDrive, "nope"}, NodeBus::IDE).moved);
}

TEST_F(NodeAssignmentTest, SwitchingToAFullBusKeepsTheOldNodeAndSaysWhy)
{
    for (std::int16_t n = 0; n < 4; ++n)
        disk("IDE", n / 2, n % 2);
    const auto scsi = disk("SCSI", 0, 0);
    const auto result = SwitchBus(hw, scsi, NodeBus::IDE);
    EXPECT_FALSE(result.moved);
    EXPECT_EQ(result.messages, std::vector<RuleMessage>{kNoIde});
    EXPECT_EQ(where(scsi), "SCSI 0:0");

    hw.SCSIControllers()->Remove(1);
    const auto ide = hw.HardDisks()->Item(1);
    const NodeDevice first{VirtualHardwareType::HardDrive, ide->ID()};
    EXPECT_EQ(SwitchBus(hw, first, NodeBus::SCSI).messages, std::vector<RuleMessage>{kNoScsi})
        << "no SCSI controller: no node to go to";
    EXPECT_EQ(where(first), "IDE 0:0");
}

TEST(NodeAssignmentWithoutControllers, NotAvailableListAssignsNothingSilently)
{
    tarvonel::VirtualMachine vm;
    auto& hw = *vm.Hardware();
    hw.SCSIControllers()->Add();
    const NodeDevice cd{VirtualHardwareType::CDRomDrive, hw.CDRoms()->Add()->ID()};
    EXPECT_EQ(AvailableNodes(hw, NodeBus::IDE), std::vector<std::string>{"N/A"});
    const auto result = AssignAutomaticNode(hw, cd);
    EXPECT_FALSE(result.assigned);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(hw.CDRoms()->Item(1)->BusType(), "IDE");
    EXPECT_TRUE(NeedsAutomaticNode(hw, cd));
}

TEST_F(NodeAssignmentTest, DevicesOnAControllerAreThoseNamingItsBusAndNumber)
{
    const auto third = hw.IDEControllers()->Add(); // number 2
    const auto onThird = disk("IDE", 2, 0);
    const auto cdOnThird = cdrom("IDE", 2, 1);
    disk("IDE", 1, 0);
    disk("SCSI", 2, 0); // another bus with the same number
    cdrom("IDE", 2, -1); // names the number but holds no node
    const std::vector<NodeDevice> expected{onThird, cdOnThird};
    EXPECT_EQ(DevicesOnController(hw, VirtualHardwareType::IDEController, third->ID()), expected);

    auto generic = newGeneric();
    put(*hw.GenericSCSIDevices()->Item(-1, generic.id), "SCSI", 0, 3);
    const auto scsi = hw.SCSIControllers()->Item(1)->ID();
    EXPECT_EQ(DevicesOnController(hw, VirtualHardwareType::SCSIController, scsi), std::vector<NodeDevice>{generic});
    EXPECT_TRUE(DevicesOnController(hw, VirtualHardwareType::HardDrive, onThird.id).empty());
    EXPECT_TRUE(DevicesOnController(hw, VirtualHardwareType::IDEController, "unknown").empty());
}
