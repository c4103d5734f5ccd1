// SPDX-License-Identifier: MIT
// A device removed after reading stays removed: the kept lines of its slot go with it, while the
// kept lines of every device still there are written as they were read.
#include "TestMachine.h"

#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"
#include "vmx/detail/DeviceSlots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

namespace zentravolix::vmx {
namespace {

using tarvonel::VirtualMachine;
using test::newMachine;

bool hasLine(const std::string& text, const std::string& line)
{
    return text.find("\n" + line + "\r\n") != std::string::npos;
}

struct RemovalCase {
    const char* name;
    /** Lines of the file; the last one is one the program keeps without understanding it. */
    const char* text;
    const char* keptLine;
    std::function<void(VirtualMachine&)> remove;
    std::function<std::int32_t(const VirtualMachine&)> count;
};

/** Removes the last item: the new-machine defaults (a floppy, a SCSI controller) come back on reading anyway.
 */
template <class Collection> void removeLast(Collection& collection)
{
    collection.Remove(collection.Count());
}

const std::vector<RemovalCase>& removalCases()
{
    static const std::vector<RemovalCase> cases = {
        {"NetworkAdapter", "ethernet0.present = \"TRUE\"\n", "ethernet0.pciSlotNumber = \"32\"",
         [](VirtualMachine& vm) { removeLast(*vm.Hardware()->NetworkAdapters()); },
         [](const VirtualMachine& vm) { return vm.Hardware()->NetworkAdapters()->Count(); }},
        {"SerialPort", "serial0.present = \"TRUE\"\n", "serial0.hardwareFlowControl = \"TRUE\"",
         [](VirtualMachine& vm) { removeLast(*vm.Hardware()->SerialPorts()); },
         [](const VirtualMachine& vm) { return vm.Hardware()->SerialPorts()->Count(); }},
        {"ParallelPort", "parallel0.present = \"TRUE\"\n", "parallel0.extra = \"1\"",
         [](VirtualMachine& vm) { removeLast(*vm.Hardware()->ParallelPorts()); },
         [](const VirtualMachine& vm) { return vm.Hardware()->ParallelPorts()->Count(); }},
        {"SecondFloppy", "floppy1.present = \"TRUE\"\n", "floppy1.extra = \"1\"",
         [](VirtualMachine& vm) { removeLast(*vm.Hardware()->Floppies()); },
         [](const VirtualMachine& vm) { return vm.Hardware()->Floppies()->Count(); }},
        {"SharedFolder", "sharedFolder0.hostPath = \"/srv\"\n", "sharedFolder0.unknown = \"x\"",
         [](VirtualMachine& vm) { removeLast(*vm.Options()->SharedFoldersOptions()); },
         [](const VirtualMachine& vm) { return vm.Options()->SharedFoldersOptions()->Count(); }},
        {"SecondScsiControllerWithANodeLine", "scsi1.present = \"TRUE\"\n", "scsi1:3.redo = \"\"",
         [](VirtualMachine& vm) { removeLast(*vm.Hardware()->SCSIControllers()); },
         [](const VirtualMachine& vm) { return vm.Hardware()->SCSIControllers()->Count(); }},
        {"CdRomWithAModeLine", "ide1:0.deviceType = \"cdrom-raw\"\nide1:0.fileName = \"auto detect\"\n",
         "ide1:0.mode = \"persistent\"", [](VirtualMachine& vm) { removeLast(*vm.Hardware()->CDRoms()); },
         [](const VirtualMachine& vm) {
             return vm.Hardware()->CDRoms()->Count() + vm.Hardware()->HardDisks()->Count();
         }},
        {"Sound", "sound.present = \"TRUE\"\n", "sound.startConnected = \"maybe\"",
         [](VirtualMachine& vm) { removeLast(*vm.Hardware()->AudioDevices()); },
         [](const VirtualMachine& vm) { return vm.Hardware()->AudioDevices()->Count(); }},
        {"Usb", "usb.present = \"TRUE\"\n", "usb.generic.autoconnect = \"sometimes\"",
         [](VirtualMachine& vm) { removeLast(*vm.Hardware()->USBControllers()); },
         [](const VirtualMachine& vm) { return vm.Hardware()->USBControllers()->Count(); }},
    };
    return cases;
}

class VmxRemovedDevice : public ::testing::TestWithParam<RemovalCase> {};

TEST_P(VmxRemovedDevice, DoesNotComeBackFromItsKeptLines)
{
    const RemovalCase& c = GetParam();
    const auto vm = newMachine();
    const ReadResult read = ReadVmxText(std::string(c.text) + c.keptLine + "\n", *vm);
    ASSERT_GT(c.count(*vm), 0);
    ASSERT_EQ(std::count(read.otherParams.begin(), read.otherParams.end(), c.keptLine), 1)
        << "the line must be one the program keeps";
    EXPECT_TRUE(hasLine(WriteVmxText(*vm, read.otherParams, read.valuesAfterRead), c.keptLine))
        << "an unchanged model keeps it";

    c.remove(*vm);
    const std::string saved = WriteVmxText(*vm, read.otherParams, read.valuesAfterRead);
    EXPECT_FALSE(hasLine(saved, c.keptLine));
    const auto back = newMachine();
    const ReadResult reread = ReadVmxText(saved, *back);
    EXPECT_EQ(c.count(*back), c.count(*vm));
    EXPECT_EQ(WriteVmxText(*back, reread.otherParams, reread.valuesAfterRead), saved);
}

INSTANTIATE_TEST_SUITE_P(Families, VmxRemovedDevice, ::testing::ValuesIn(removalCases()),
                         [](const ::testing::TestParamInfo<RemovalCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(VmxRemovedDevices, LinesOfTheDevicesLeftAndOfOtherKeysStay)
{
    const auto vm = newMachine();
    const ReadResult read = ReadVmxText("ethernet0.present = \"TRUE\"\nethernet0.pciSlotNumber = \"32\"\n"
                                        "ethernet1.present = \"TRUE\"\nethernet1.pciSlotNumber = \"33\"\n"
                                        "ethernet2.present = \"TRUE\"\nethernet2.pciSlotNumber = \"34\"\n"
                                        "serial0.present = \"TRUE\"\nserial0.fileType = \"thinprint\"\n"
                                        "ethernetX.present = \"TRUE\"\nnvram = \"a.nvram\"\n",
                                        *vm);
    vm->Hardware()->NetworkAdapters()->Remove(3);
    const std::string saved = WriteVmxText(*vm, read.otherParams, read.valuesAfterRead);
    EXPECT_TRUE(hasLine(saved, "ethernet0.pciSlotNumber = \"32\""));
    EXPECT_TRUE(hasLine(saved, "ethernet1.pciSlotNumber = \"33\""));
    EXPECT_FALSE(hasLine(saved, "ethernet2.pciSlotNumber = \"34\""));
    EXPECT_TRUE(hasLine(saved, "serial0.fileType = \"thinprint\""));
    EXPECT_TRUE(hasLine(saved, "ethernetX.present = \"TRUE\"")) << "a key of no slot is never dropped";
    EXPECT_TRUE(hasLine(saved, "nvram = \"a.nvram\""));

    // A device added back in the slot takes the slot's lines again.
    vm->Hardware()->NetworkAdapters()->Add();
    EXPECT_TRUE(hasLine(WriteVmxText(*vm, read.otherParams, read.valuesAfterRead),
                        "ethernet2.pciSlotNumber = \"34\""));
}

TEST(VmxRemovedDevices, AMovedNodeDeviceLeavesItsOldNodesLinesBehind)
{
    const auto vm = newMachine();
    const ReadResult read = ReadVmxText(
        "scsi0:1.fileName = \"a.vmdk\"\nscsi0:1.redo = \"\"\nscsi0:2.deviceType = \"odd\"\n", *vm);
    ASSERT_EQ(vm->Hardware()->HardDisks()->Count(), 1);
    vm->Hardware()->HardDisks()->Item(1)->SetBusNode(4);
    const std::string saved = WriteVmxText(*vm, read.otherParams, read.valuesAfterRead);
    EXPECT_FALSE(hasLine(saved, "scsi0:1.redo = \"\""));
    EXPECT_TRUE(hasLine(saved, "scsi0:4.fileName = \"a.vmdk\""));
    EXPECT_TRUE(hasLine(saved, "scsi0:2.deviceType = \"odd\""))
        << "a node that held no device keeps its lines";
}

/** A controller or position slot below one of slots in the same family ("ethernet1" below "ethernet3"). */
bool filledInBelow(const std::string& slot, const std::vector<std::string>& slots)
{
    const auto split = [](const std::string& s) {
        const auto digits = s.find_first_of("0123456789");
        return std::pair(s.substr(0, digits), digits == std::string::npos ? -1 : std::stoi(s.substr(digits)));
    };
    if (slot.find(':') != std::string::npos)
        return false;
    const auto [family, number] = split(slot);
    return std::any_of(slots.begin(), slots.end(), [&](const std::string& other) {
        const auto [otherFamily, otherNumber] = split(other);
        return other.find(':') == std::string::npos && otherFamily == family && number < otherNumber;
    });
}

// The writer's slots must be the reader's: a line makes an item only in the slot its key names
// (and the reader fills the numbers below it), or a removed device would still come back.
TEST(VmxDeviceSlots, EverySlotTheReaderMakesIsTheSlotOfItsKey)
{
    const char* const keys[] = {"ethernet3.foo",     "Ethernet01.foo",  "serial2.x",     "parallel1.x",
                                "floppy1.x",         "sharedFolder4.x", "ide1.x",        "scsi2:5.deviceType",
                                "scsi1:02.fileName", "ide0:1.mode",     "sound.present", "usb.present"};
    const char* const values[] = {"\"x\"", "\"cdrom-raw\"", "\"a.vmdk\"", "\"persistent\"", "\"maybe\""};
    for (const char* key : keys) {
        for (const char* value : values) {
            const auto vm = newMachine();
            const auto before = detail::deviceSlots(*vm);
            ReadVmxText(std::string(key) + " = " + value + "\n", *vm);
            const auto keySlots = detail::slotsOfKey(ToLower(key));
            const std::vector<std::string> slots(keySlots.begin(), keySlots.end());
            for (const auto& slot : detail::deviceSlots(*vm)) {
                if (!before.count(slot) && !filledInBelow(slot, slots)) {
                    EXPECT_NE(std::find(slots.begin(), slots.end(), slot), slots.end())
                        << key << " = " << value << " made " << slot;
                }
            }
        }
    }
    EXPECT_TRUE(detail::slotsOfKey("sharedfolder.maxnum").empty());
    EXPECT_TRUE(detail::slotsOfKey("usb_xhci.present").empty());
    EXPECT_TRUE(detail::slotsOfKey("ethernetx.present").empty());
    const auto nodeSlots = detail::slotsOfKey("scsi0:01.redo");
    EXPECT_EQ(std::vector<std::string>(nodeSlots.begin(), nodeSlots.end()), (std::vector<std::string>{"scsi0:1", "scsi0"}));
}

} // namespace
} // namespace zentravolix::vmx
