// SPDX-License-Identifier: MIT
// One device per controller node: lines of one node that point at two device kinds make one
// device, the same whatever their order, and the written file reads back as written.
#include "TestMachine.h"

#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zentravolix::vmx {
namespace {

using test::newMachine;

struct NodeCase {
    const char* name;
    const char* text;
    std::int32_t hardDisks;
    std::int32_t cdRoms;
    std::int32_t genericScsi;
    /** The device's DeviceName afterwards (of the one device the node holds). */
    const char* deviceName;
};

std::vector<std::int32_t> storage(const tarvonel::VirtualMachine& vm)
{
    const auto hw = vm.Hardware();
    return {hw->HardDisks()->Count(), hw->CDRoms()->Count(), hw->GenericSCSIDevices()->Count()};
}

std::string deviceNameOfOnlyDevice(const tarvonel::VirtualMachine& vm)
{
    const auto hw = vm.Hardware();
    if (hw->HardDisks()->Count() == 1)
        return hw->HardDisks()->Item(1)->DeviceName();
    if (hw->CDRoms()->Count() == 1)
        return hw->CDRoms()->Item(1)->DeviceName();
    if (hw->GenericSCSIDevices()->Count() == 1)
        return hw->GenericSCSIDevices()->Item(1)->DeviceName();
    return "<not one device>";
}

class VmxOneDevicePerNode : public ::testing::TestWithParam<NodeCase> {};

TEST_P(VmxOneDevicePerNode, TheExplicitTypeDecidesAndTheFileReadsBackAsWritten)
{
    const NodeCase& c = GetParam();
    const auto vm = newMachine();
    const ReadResult read = ReadVmxText(c.text, *vm, "/vms/test/test.vmx");
    EXPECT_EQ(storage(*vm), (std::vector<std::int32_t>{c.hardDisks, c.cdRoms, c.genericScsi}));
    EXPECT_EQ(deviceNameOfOnlyDevice(*vm), c.deviceName);

    const std::string first = WriteVmxText(*vm, read.otherParams, read.valuesAfterRead);
    auto keys = test::keysOf(first);
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end()) << "a key was written twice";

    const auto again = newMachine();
    const ReadResult reread = ReadVmxText(first, *again, "/vms/test/test.vmx");
    EXPECT_EQ(storage(*again), storage(*vm));
    EXPECT_EQ(WriteVmxText(*again, reread.otherParams, reread.valuesAfterRead), first);
}

const NodeCase kNodeCases[] = {
    {"CdRomTypeWithADiskImageAndAMode",
     "ide0:0.deviceType = \"cdrom-raw\"\nide0:0.fileName = \"hda.vmdk\"\nide0:0.mode = \"persistent\"\n", 0,
     1, 0, "hda.vmdk"},
    {"TypeAfterTheDiskImageName", "ide1:0.fileName = \"image.vmdk\"\nide1:0.deviceType = \"cdrom-image\"\n",
     0, 1, 0, "image.vmdk"},
    {"PassthroughWithADiskImageName",
     "scsi0:2.fileName = \"/dev/sg2.pln\"\nscsi0:2.deviceType = \"scsi-passthru\"\nscsi0:2.mode = "
     "\"persistent\"\n",
     0, 0, 1, "/dev/sg2.pln"},
    {"UnknownTypeLeavesTheDecisionToTheName",
     "scsi0:0.deviceType = \"scsi-hardDisk\"\nscsi0:0.fileName = \"disk.vmdk\"\n", 1, 0, 0, "disk.vmdk"},
    {"LaterOfTwoSpellingsOfTheNodeWins",
     "ide0:0.deviceType = \"cdrom-raw\"\nide0:00.deviceType = \"disk\"\nide0:0.fileName = \"a.iso\"\n", 1, 0,
     0, "a.iso"},
};

INSTANTIATE_TEST_SUITE_P(Cases, VmxOneDevicePerNode, ::testing::ValuesIn(kNodeCases),
                         [](const ::testing::TestParamInfo<NodeCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(VmxOneDevicePerNodeLines, LinesTheChosenDeviceDoesNotReadAreKept)
{
    // A CD-ROM has no mode: the line stays for the next program, and decides nothing on rereading.
    const auto vm = newMachine();
    const ReadResult read = ReadVmxText(
        "ide0:0.deviceType = \"cdrom-raw\"\nide0:0.fileName = \"hda.vmdk\"\nide0:0.mode = \"persistent\"\n",
        *vm, "/vms/test/test.vmx");
    EXPECT_EQ(read.otherParams, (std::vector<std::string>{"ide0:0.mode = \"persistent\""}));
    ASSERT_EQ(vm->Hardware()->CDRoms()->Count(), 1);
    EXPECT_EQ(vm->Hardware()->CDRoms()->Item(1)->DeviceType(), "cdrom-raw");
    EXPECT_EQ(vm->Hardware()->CDRoms()->Item(1)->DisplayName(), "CD-ROM (IDE0:0)");
}

} // namespace
} // namespace zentravolix::vmx
