// SPDX-License-Identifier: MIT
// The table of device kinds: every value of the enum is a kind or the "any device" value, each
// kind reaches its own collection, and the add and remove limits the dialog and the Remove button
// follow.

#include "config/DeviceKinds.h"

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace zentravolix::config {
namespace {

using tarvonel::VirtualHardwareType;
using T = VirtualHardwareType;

TEST(DeviceKinds, EveryEnumValueIsAKindInEnumOrderButDevice)
{
    std::vector<VirtualHardwareType> original;
    for (int value = 0; value < static_cast<int>(T::Device); ++value) {
        const auto type = static_cast<VirtualHardwareType>(value);
        ASSERT_TRUE(IsDeviceKind(type)) << value;
        EXPECT_EQ(FindDeviceKind(type)->type, type) << value;
        ASSERT_TRUE(DeviceKindPosition(type)) << value;
        EXPECT_EQ(DeviceKinds()[*DeviceKindPosition(type)], type) << value;
        original.push_back(type);
    }
    for (const auto type : {T::Device, static_cast<VirtualHardwareType>(-1), static_cast<VirtualHardwareType>(1000)}) {
        EXPECT_FALSE(IsDeviceKind(type)) << static_cast<int>(type);
        EXPECT_FALSE(DeviceKindPosition(type)) << static_cast<int>(type);
        EXPECT_FALSE(FindDeviceKind(type)) << static_cast<int>(type);
    }
    // The hardware list and the add-hardware dialog keep the model's order, CPU to Mouse (kinds
    // added later may sit between them).
    std::vector<VirtualHardwareType> listed;
    for (const auto type : DeviceKinds()) {
        if (static_cast<int>(type) < static_cast<int>(T::Device))
            listed.push_back(type);
    }
    EXPECT_EQ(listed, original);
}

TEST(DeviceKinds, EachKindReachesItsOwnCollection)
{
    // The display name the model gives a kind's first device tells its collection apart.
    const std::map<VirtualHardwareType, std::string> firstName = {
        {T::CPU, "Virtual Processor"}, {T::RAM, "Memory"},
        {T::Floppy, "Floppy"},         {T::Parallel, "Parallel"},
        {T::Serial, "Serial"},         {T::Audio, "Audio"},
        {T::Network, "Ethernet"},      {T::USB, "USB Controller"},
        {T::IDEController, "IDE Controller"}, {T::SCSIController, "SCSI Controller"},
        {T::HardDrive, "Hard Disk"},   {T::CDRomDrive, "CD-ROM"},
        {T::GenericSCSI, "Generic SCSI"}, {T::Display, "Display"},
        {T::Mouse, "Mouse"},           {T::SATAController, "SATA Controller"},
        {T::NVMeController, "NVMe Controller"}};
    ASSERT_EQ(firstName.size(), DeviceKinds().size()) << "a kind has no expected name here";
    for (const auto type : DeviceKinds()) {
        tarvonel::VirtualMachine vm;
        const auto hw = vm.Hardware();
        const std::string id = VisitDeviceKind(type, std::string{},
                                               [&](const auto& kind) { return kind.collection(*hw)->Add()->ID(); });
        std::vector<std::pair<VirtualHardwareType, std::string>> devices;
        ForEachDevice(*hw, [&](VirtualHardwareType listed, const tarvonel::DeviceItem& device) {
            devices.emplace_back(listed, device.ID());
            EXPECT_EQ(device.DisplayName(), firstName.at(type)) << hw->HWTypeToText(type);
        });
        ASSERT_EQ(devices.size(), 1u) << hw->HWTypeToText(type);
        EXPECT_EQ(devices.front(), std::make_pair(type, id));
        // The model names every kind, and knows it again by that name.
        EXPECT_FALSE(hw->HWTypeToText(type).empty());
        EXPECT_EQ(hw->HWTextToType(hw->HWTypeToText(type)), type);
    }
}

TEST(DeviceKinds, ListsDevicesKindByKindInCollectionOrder)
{
    tarvonel::VirtualMachine vm;
    const auto hw = vm.Hardware();
    hw->Mice()->Add();
    const std::string disk1 = hw->HardDisks()->Add()->ID();
    hw->CPUs()->Add();
    const std::string disk2 = hw->HardDisks()->Add()->ID();
    std::vector<std::pair<VirtualHardwareType, std::string>> devices;
    ForEachDevice(*hw, [&](VirtualHardwareType type, const tarvonel::DeviceItem& device) {
        devices.emplace_back(type, device.ID());
    });
    ASSERT_EQ(devices.size(), 4u);
    EXPECT_EQ(devices[0].first, T::CPU);
    EXPECT_EQ(devices[1], std::make_pair(T::HardDrive, disk1));
    EXPECT_EQ(devices[2], std::make_pair(T::HardDrive, disk2));
    EXPECT_EQ(devices[3].first, T::Mouse);
}

TEST(DeviceKinds, CaptionsAreDistinct)
{
    std::set<int> entries;
    std::set<int> headings;
    for (const auto type : DeviceKinds()) {
        const auto kind = *FindDeviceKind(type);
        EXPECT_TRUE(entries.insert(kind.entryTextId).second) << static_cast<int>(type);
        EXPECT_TRUE(headings.insert(kind.pageTextId).second) << static_cast<int>(type);
    }
}

TEST(DeviceKinds, AddLimits)
{
    const AddMaxima maxima{2, 3, 4};
    struct Case {
        VirtualHardwareType type;
        std::int32_t firstRefused;
    };
    // 32 = four IDE nodes and seven on each of the four SCSI controllers; 28 = the SCSI ones alone.
    for (const Case c : {Case{T::CPU, 2}, Case{T::RAM, 1}, Case{T::Floppy, 2}, Case{T::Parallel, 3},
                         Case{T::Serial, 4}, Case{T::Audio, 1}, Case{T::Network, 3}, Case{T::USB, 1},
                         Case{T::IDEController, 2}, Case{T::SCSIController, 4}, Case{T::HardDrive, 32},
                         Case{T::CDRomDrive, 32}, Case{T::GenericSCSI, 28}, Case{T::Display, 1}, Case{T::Mouse, 1}}) {
        EXPECT_TRUE(MayAddDevice(c.type, c.firstRefused - 1, maxima)) << static_cast<int>(c.type);
        EXPECT_FALSE(MayAddDevice(c.type, c.firstRefused, maxima)) << static_cast<int>(c.type);
    }
    EXPECT_FALSE(MayAddDevice(T::Device, 0, maxima));
    // Node counts are computed wide: the largest maxima do not wrap.
    const AddMaxima huge{0x7fffffff, 0x7fffffff, 0x7fffffff};
    EXPECT_TRUE(MayAddDevice(T::HardDrive, 0x7fffffff, huge));
    EXPECT_TRUE(MayAddDevice(T::GenericSCSI, 0x7fffffff, huge));
}

TEST(DeviceKinds, RemoveKeepsTheFirstOfTheFixedKinds)
{
    for (const auto type : {T::CPU, T::RAM, T::SCSIController, T::Display, T::Mouse}) {
        EXPECT_FALSE(MayRemoveDevice(type, 0)) << static_cast<int>(type);
        EXPECT_TRUE(MayRemoveDevice(type, 1)) << static_cast<int>(type);
    }
    EXPECT_FALSE(MayRemoveDevice(T::IDEController, 0));
    EXPECT_FALSE(MayRemoveDevice(T::IDEController, 1));
    EXPECT_TRUE(MayRemoveDevice(T::IDEController, 2));
    for (const auto type : {T::Floppy, T::Parallel, T::Serial, T::Audio, T::Network, T::USB, T::HardDrive,
                            T::CDRomDrive, T::GenericSCSI})
        EXPECT_TRUE(MayRemoveDevice(type, 0)) << static_cast<int>(type);
}

} // namespace
} // namespace zentravolix::config
