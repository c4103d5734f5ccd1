// SPDX-License-Identifier: MIT
// The clustering option writes fixed node lines for scsi0:0 and scsi0:1; reading them back must
// neither make disks nor move lines, whatever the machine holds at those nodes.
#include "HardeningSupport.h"

#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

namespace zentravolix::hardening {
namespace {

/** Reads text on top of the new-machine defaults and writes it again, as opening and saving does. */
std::string rewrite(const std::string& text, std::shared_ptr<tarvonel::VirtualMachine>* model = nullptr)
{
    auto vm = newMachine();
    const vmx::ReadResult result = vmx::ReadVmxText(text, *vm);
    std::string written = vmx::WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    if (model)
        *model = std::move(vm);
    return written;
}

std::vector<std::int32_t> storageCounts(const tarvonel::VirtualMachine& vm)
{
    const auto hw = vm.Hardware();
    return {hw->SCSIControllers()->Count(), hw->HardDisks()->Count(), hw->CDRoms()->Count(),
            hw->GenericSCSIDevices()->Count()};
}

std::shared_ptr<tarvonel::VirtualMachine> clusteredMachine()
{
    auto vm = newMachine();
    vm->Options()->AdvancedOptions()->SetClusteringSupport(true);
    return vm;
}

TEST(ClusteringRoundTrip, EmptyNodesStayEmptyAndTheFileReadsBackAsWritten)
{
    const auto vm = clusteredMachine();
    const std::string first = vmx::WriteVmxText(*vm);
    std::shared_ptr<tarvonel::VirtualMachine> reread;
    EXPECT_EQ(rewrite(first, &reread), first);
    EXPECT_EQ(storageCounts(*reread), storageCounts(*vm));
    EXPECT_TRUE(reread->Options()->AdvancedOptions()->ClusteringSupport());
    EXPECT_EQ(first.find("##### other params from old file"), std::string::npos) << "nothing is left over";
}

TEST(ClusteringRoundTrip, WithoutScsiControllerTheBlockAddsNothing)
{
    // A file without SCSI lines reads on top of the defaults like any other; the block's node
    // lines must not make a difference to that.
    const auto vm = clusteredMachine();
    while (vm->Hardware()->SCSIControllers()->Count() > 0)
        vm->Hardware()->SCSIControllers()->Remove(1);
    const std::string clustered = vmx::WriteVmxText(*vm);
    vm->Options()->AdvancedOptions()->SetClusteringSupport(false);
    const std::string plain = vmx::WriteVmxText(*vm);

    std::shared_ptr<tarvonel::VirtualMachine> fromClustered;
    std::shared_ptr<tarvonel::VirtualMachine> fromPlain;
    const std::string once = rewrite(clustered, &fromClustered);
    rewrite(plain, &fromPlain);
    EXPECT_EQ(storageCounts(*fromClustered), storageCounts(*fromPlain));
    EXPECT_EQ(rewrite(once), once);
}

TEST(ClusteringRoundTrip, ADiskOnTheSharedNodeKeepsItsFileAndTheFileReadsBackAsWritten)
{
    const auto vm = clusteredMachine();
    if (vm->Hardware()->SCSIControllers()->Count() == 0)
        vm->Hardware()->SCSIControllers()->Add();
    const auto disk = vm->Hardware()->HardDisks()->Add();
    disk->SetBusType("SCSI");
    disk->SetController(0);
    disk->SetBusNode(0);
    disk->SetDeviceName("/vms/test/shared.vmdk");
    const std::string first = vmx::WriteVmxText(*vm);

    std::shared_ptr<tarvonel::VirtualMachine> reread;
    EXPECT_EQ(rewrite(first, &reread), first);
    EXPECT_EQ(storageCounts(*reread), storageCounts(*vm));
    EXPECT_EQ(first.find("##### other params from old file"), std::string::npos) << "nothing is left over";
}

// Found by the "nothing lost" test: the block's "plainDisk" won over a CD-ROM's own type at
// scsi0:0, and the CD-ROM was gone after the next read.
TEST(ClusteringRoundTrip, ACdRomOnASharedNodeIsNotOverwritten)
{
    const auto vm = clusteredMachine();
    if (vm->Hardware()->SCSIControllers()->Count() == 0)
        vm->Hardware()->SCSIControllers()->Add();
    const auto cd = vm->Hardware()->CDRoms()->Add();
    cd->SetBusType("SCSI");
    cd->SetController(0);
    cd->SetBusNode(1);
    cd->SetDeviceType("cdrom-image");
    cd->SetDeviceName("/srv/iso/install.iso");
    const std::string first = vmx::WriteVmxText(*vm);
    EXPECT_EQ(first.find("scsi0:1.deviceType = \"plainDisk\""), std::string::npos);
    EXPECT_NE(first.find("scsi0:0.deviceType = \"plainDisk\""), std::string::npos)
        << "the other node keeps the block";

    std::shared_ptr<tarvonel::VirtualMachine> reread;
    EXPECT_EQ(rewrite(first, &reread), first);
    EXPECT_EQ(storageCounts(*reread), storageCounts(*vm));
}

// Found by fuzz_vmx: a disk without a disk image's name on scsi0:0 or scsi0:1 is a disk on
// reading only by its ".mode"; the block's line replaced it and the disk was gone.
TEST(ClusteringRoundTrip, ADiskWithoutFileNameOnASharedNodeStays)
{
    const auto vm = clusteredMachine();
    if (vm->Hardware()->SCSIControllers()->Count() == 0)
        vm->Hardware()->SCSIControllers()->Add();
    const auto disk = vm->Hardware()->HardDisks()->Add();
    disk->SetBusType("SCSI");
    disk->SetController(0);
    disk->SetBusNode(1);
    const std::string first = vmx::WriteVmxText(*vm);

    std::shared_ptr<tarvonel::VirtualMachine> reread;
    const std::string second = rewrite(first, &reread);
    EXPECT_EQ(storageCounts(*reread), storageCounts(*vm));
    EXPECT_EQ(rewrite(second), second);
}

TEST(ClusteringRoundTrip, ADiskWithTheBlocksOwnValuesAndNoFileNameStays)
{
    // Its own lines read exactly as the block's; only the block's ".sharedBus" tells them apart.
    const auto vm = clusteredMachine();
    if (vm->Hardware()->SCSIControllers()->Count() == 0)
        vm->Hardware()->SCSIControllers()->Add();
    for (const std::int16_t node : {std::int16_t{0}, std::int16_t{1}}) {
        const auto disk = vm->Hardware()->HardDisks()->Add();
        disk->SetBusType("SCSI");
        disk->SetController(0);
        disk->SetBusNode(node);
        disk->SetMode("independent-persistent");
        disk->SetDeviceType("plainDisk");
        disk->SetDeviceName(node == 0 ? "" : "/vms/test/CAPITALS.VMDK");
    }
    const std::string first = vmx::WriteVmxText(*vm);

    std::shared_ptr<tarvonel::VirtualMachine> reread;
    EXPECT_EQ(rewrite(first, &reread), first);
    ASSERT_EQ(storageCounts(*reread), storageCounts(*vm));
    EXPECT_EQ(reread->Hardware()->HardDisks()->Item(1)->Mode(), "independent-persistent");
}

TEST(ClusteringRoundTrip, WithoutItsSharedBusTheBlocksModeIsTheNodesOwn)
{
    const std::string own = "disk.locking = \"FALSE\"\r\n"
                            "scsi0.present = \"TRUE\"\r\n"
                            "scsi0:1.present = \"TRUE\"\r\n"
                            "scsi0:1.mode = \"independent-persistent\"\r\n"
                            "scsi0:1.deviceType = \"plainDisk\"\r\n";
    const auto vm = newMachine();
    const std::int32_t disks = vm->Hardware()->HardDisks()->Count();
    vmx::ReadVmxText(own, *vm);
    EXPECT_EQ(vm->Hardware()->HardDisks()->Count(), disks + 1);

    const auto block = newMachine();
    const vmx::ReadResult result = vmx::ReadVmxText(own + "scsi0:1.sharedBus = \"virtual\"\r\n", *block);
    EXPECT_EQ(block->Hardware()->HardDisks()->Count(), disks);
    EXPECT_EQ(result.otherParams, std::vector<std::string>{"scsi0:1.present = \"TRUE\""})
        << "the block's lines are the option's";

    // Found by fuzz_vmx: a kept ".sharedBus" line of another value replaces the block's own on
    // writing, and the block's ".mode" beside it must still not make a disk on the next read.
    const auto kept = newMachine();
    vmx::ReadVmxText(own + "scsi0:1.sharedBus = \"none\"\r\n", *kept);
    EXPECT_EQ(kept->Hardware()->HardDisks()->Count(), disks);
}

// Found by the "nothing lost" test on an early fix that took the block's lines as a disk's
// wherever a ".fileName" line stood: a node whose lines the program keeps without knowing its
// device turned into a disk when clustering was switched on.
TEST(ClusteringRoundTrip, SwitchingItOnMakesNoDiskOfANodeOfUnknownDevice)
{
    const std::string text = "scsi0.present = \"TRUE\"\r\n"
                             "scsi0:0.present = \"TRUE\"\r\n"
                             "scsi0:0.fileName = \"OLD.VMDK\"\r\n"
                             "scsi0:0.deviceType = \"scsi-hardDisk\"\r\n";
    const auto vm = newMachine();
    const vmx::ReadResult read = vmx::ReadVmxText(text, *vm);
    vm->Options()->AdvancedOptions()->SetClusteringSupport(true);
    const std::string saved = vmx::WriteVmxText(*vm, read.otherParams, read.valuesAfterRead);

    std::shared_ptr<tarvonel::VirtualMachine> reread;
    EXPECT_EQ(rewrite(saved, &reread), saved);
    EXPECT_EQ(storageCounts(*reread), storageCounts(*vm));
    EXPECT_NE(saved.find("scsi0:0.fileName = \"OLD.VMDK\""), std::string::npos) << "its lines are kept";
}

TEST(ClusteringRoundTrip, FixedLinesWithoutTheSwitchStillMakeADisk)
{
    // Without disk.locking = "FALSE" the lines are an ordinary disk's (another program wrote them).
    const std::string text = "scsi0.present = \"TRUE\"\r\n"
                             "scsi0:1.mode = \"independent-persistent\"\r\n";
    const auto vm = newMachine();
    const std::int32_t disks = vm->Hardware()->HardDisks()->Count();
    vmx::ReadVmxText(text, *vm);
    EXPECT_EQ(vm->Hardware()->HardDisks()->Count(), disks + 1);
}

TEST(ClusteringRoundTrip, OtherValuesAtTheNodesAreNotTakenForTheBlock)
{
    const std::string text = "disk.locking = \"FALSE\"\r\n"
                             "scsi0.present = \"TRUE\"\r\n"
                             "scsi0:0.mode = \"persistent\"\r\n"
                             "diskLib.dataCacheMaxSize = \"512\"\r\n";
    const auto vm = newMachine();
    const std::int32_t disks = vm->Hardware()->HardDisks()->Count();
    const vmx::ReadResult result = vmx::ReadVmxText(text, *vm);
    EXPECT_EQ(vm->Hardware()->HardDisks()->Count(), disks + 1) << "a mode of its own makes a disk";
    ASSERT_EQ(result.otherParams.size(), 1u);
    EXPECT_EQ(result.otherParams[0], "diskLib.dataCacheMaxSize = \"512\"");
}

} // namespace
} // namespace zentravolix::hardening
