// SPDX-License-Identifier: MIT
// Copying a whole machine into another and comparing two machines: what the editor's undo and
// redo stand on.

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

#include <functional>

using namespace tarvonel;

namespace {

/** A machine with something in every kind of part: devices on nodes, a gap in the numbers, options. */
void fill(VirtualMachine& vm)
{
    const auto hw = vm.Hardware();
    hw->IDEControllers()->Add();
    hw->SCSIControllers()->Add();
    for (int i = 0; i < 3; ++i) {
        auto disk = hw->HardDisks()->Add();
        disk->SetDeviceName("disk" + std::to_string(i) + ".vmdk");
        disk->SetBusType(i == 2 ? "SCSI" : "IDE");
        disk->SetController(0);
        disk->SetBusNode(static_cast<std::int16_t>(i == 2 ? 0 : i));
    }
    hw->HardDisks()->Remove(2); // number 1 is free again
    hw->NetworkAdapters()->Add()->SetMacAddress("00:50:56:00:00:01");
    auto share = vm.Options()->SharedFoldersOptions()->Add();
    share->SetShareName("src");
    share->SetEnabled(true);
    vm.Options()->SharedFoldersOptions()->SetEnabled(true);
    vm.Options()->GeneralOptions()->SetDisplayName("Build box");
    vm.Options()->PowerOptions()->SetRunToolsAfterResume(true);
    vm.SetNotes("first line\r\nsecond");
}

TEST(MachineCopyTest, CopyHoldsEverythingWithItsIdsAndStaysApart)
{
    VirtualMachine source;
    fill(source);
    VirtualMachine copy;
    copy.CopyFrom(source);
    ASSERT_TRUE(copy == source);

    const auto disks = copy.Hardware()->HardDisks();
    ASSERT_EQ(disks->Count(), 2);
    EXPECT_EQ(disks->Item(1)->ID(), source.Hardware()->HardDisks()->Item(1)->ID());
    EXPECT_EQ(disks->Item(2)->DisplayName(), source.Hardware()->HardDisks()->Item(2)->DisplayName());
    EXPECT_EQ(disks->Item(-1, source.Hardware()->HardDisks()->Item(2)->ID())->DeviceName(), "disk2.vmdk");
    // The next device takes the number the source would give it.
    EXPECT_EQ(disks->Add()->DeviceNum(), source.Hardware()->HardDisks()->Add()->DeviceNum());

    // Editing one machine leaves the other as it was, down to the controllers' node queries.
    source.Hardware()->HardDisks()->Item(1)->SetBusNode(1);
    source.Hardware()->HardDisks()->Item(1)->SetController(0);
    source.Options()->SharedFoldersOptions()->Item(1)->SetShareName("other");
    EXPECT_EQ(copy.Options()->SharedFoldersOptions()->Item(1)->ShareName(), "src");
    EXPECT_EQ(copy.Hardware()->IDEControllers()->Item(1)->Nodes(),
              (std::vector<std::string>{"Hard Disk 0", ""}));
}

TEST(MachineCopyTest, CopyingBackKeepsTheMachinesOwnObjects)
{
    VirtualMachine vm;
    fill(vm);
    VirtualMachine saved;
    saved.CopyFrom(vm);

    const auto disks = vm.Hardware()->HardDisks();
    const auto general = vm.Options()->GeneralOptions();
    const auto shares = vm.Options()->SharedFoldersOptions();
    const std::string removedId = disks->Item(1)->ID();
    disks->Remove(1);
    vm.Hardware()->SCSIControllers()->SetMaxNodesPerController(16);
    general->SetDisplayName("Renamed");
    shares->SetEnabled(false);
    vm.SetNotes({});
    ASSERT_FALSE(vm == saved);

    vm.CopyFrom(saved);
    EXPECT_TRUE(vm == saved);
    EXPECT_EQ(vm.Hardware()->HardDisks(), disks);
    EXPECT_EQ(vm.Options()->GeneralOptions(), general);
    EXPECT_EQ(vm.Options()->SharedFoldersOptions(), shares);
    EXPECT_EQ(general->DisplayName(), "Build box");
    EXPECT_EQ(disks->Item(-1, removedId)->DeviceName(), "disk0.vmdk");
    EXPECT_EQ(vm.Hardware()->SCSIControllers()->MaxNodesPerController(), 8);
    EXPECT_EQ(vm.Hardware()->SCSIControllers()->Item(1)->MaxNodes(), 8);
    // The restored devices belong to this machine: its controller finds them.
    EXPECT_EQ(vm.Hardware()->IDEControllers()->Item(1)->Nodes(),
              (std::vector<std::string>{"Hard Disk 0", ""}));
}

TEST(MachineCopyTest, ComparisonSeesAChangeInEveryKindOfPart)
{
    VirtualMachine a;
    fill(a);
    const std::vector<std::function<void(VirtualMachine&)>> edits{
        [](VirtualMachine& vm) { vm.Hardware()->HardDisks()->Item(1)->SetMode("independent-persistent"); },
        [](VirtualMachine& vm) {
            vm.Hardware()->NetworkAdapters()->Item(1)->SetMacAddress("00:50:56:00:00:02");
        },
        [](VirtualMachine& vm) { vm.Hardware()->Mice()->Add(); },
        [](VirtualMachine& vm) { vm.Hardware()->IDEControllers()->SetMaxNodesPerController(4); },
        [](VirtualMachine& vm) { vm.Options()->SharedFoldersOptions()->Item(1)->SetReadOnly(true); },
        [](VirtualMachine& vm) { vm.Options()->SharedFoldersOptions()->SetEnabled(false); },
        [](VirtualMachine& vm) { vm.Options()->AdvancedOptions()->SetLogFolder("/tmp"); },
        [](VirtualMachine& vm) { vm.Options()->GuestIsolationOptions()->SetCopyEnabled(true); },
        [](VirtualMachine& vm) { vm.SetNotes("changed"); },
    };
    for (std::size_t i = 0; i < edits.size(); ++i) {
        VirtualMachine b;
        b.CopyFrom(a);
        edits[i](b);
        EXPECT_FALSE(a == b) << "edit " << i;
    }
}

} // namespace
