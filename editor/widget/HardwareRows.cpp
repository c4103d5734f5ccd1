// SPDX-License-Identifier: MIT
#include "editor/widget/HardwareRows.h"

#include <tarvonel/tarvonel.h>

#include <array>
#include <charconv>

namespace zentravolix::editor {

namespace {

using tarvonel::VirtualHardwareType;

template <class CollectionPtr>
void appendRows(const CollectionPtr& collection, VirtualHardwareType type, std::vector<HardwareRow>& rows)
{
    for (std::int32_t i = 1; i <= collection->Count(); ++i) {
        const auto item = collection->Item(i);
        rows.push_back({type, item->ID(), item->DisplayName(), item->Summary()});
    }
}

/** Calls f(collection, type) for the fifteen device collections in type order. */
template <class F> void forEachCollection(const tarvonel::clsHardware& hw, F&& f)
{
    f(hw.CPUs(), VirtualHardwareType::CPU);
    f(hw.Memory(), VirtualHardwareType::RAM);
    f(hw.Floppies(), VirtualHardwareType::Floppy);
    f(hw.ParallelPorts(), VirtualHardwareType::Parallel);
    f(hw.SerialPorts(), VirtualHardwareType::Serial);
    f(hw.AudioDevices(), VirtualHardwareType::Audio);
    f(hw.NetworkAdapters(), VirtualHardwareType::Network);
    f(hw.USBControllers(), VirtualHardwareType::USB);
    f(hw.IDEControllers(), VirtualHardwareType::IDEController);
    f(hw.SCSIControllers(), VirtualHardwareType::SCSIController);
    f(hw.HardDisks(), VirtualHardwareType::HardDrive);
    f(hw.CDRoms(), VirtualHardwareType::CDRomDrive);
    f(hw.GenericSCSIDevices(), VirtualHardwareType::GenericSCSI);
    f(hw.Displays(), VirtualHardwareType::Display);
    f(hw.Mice(), VirtualHardwareType::Mouse);
}

} // namespace

std::string HardwareRow::key() const
{
    return "H" + std::to_string(static_cast<int>(type)) + "|" + id;
}

std::vector<HardwareRow> CollectHardwareRows(const tarvonel::clsHardware& hardware)
{
    std::vector<HardwareRow> rows;
    forEachCollection(hardware, [&rows](const auto& collection, VirtualHardwareType type) {
        appendRows(collection, type, rows);
    });
    return rows;
}

std::optional<HardwareRow> FindHardwareRow(const tarvonel::clsHardware& hardware, VirtualHardwareType type,
                                           const std::string& id)
{
    std::optional<HardwareRow> row;
    forEachCollection(hardware, [&](const auto& collection, VirtualHardwareType t) {
        if (t != type || row)
            return;
        // Only this type's collection is consulted: the same ID elsewhere is never a match.
        for (std::int32_t i = 1; i <= collection->Count(); ++i) {
            const auto item = collection->Item(i);
            if (item->ID() == id) {
                row = HardwareRow{type, item->ID(), item->DisplayName(), item->Summary()};
                return;
            }
        }
    });
    return row;
}

std::optional<std::pair<VirtualHardwareType, std::string>> ParseHardwareRowKey(const std::string& key)
{
    const auto bar = key.find('|');
    if (key.size() < 3 || key[0] != 'H' || bar == std::string::npos || bar < 2)
        return std::nullopt;
    int type = -1;
    const char* first = key.data() + 1;
    const char* last = key.data() + bar;
    const auto [end, ec] = std::from_chars(first, last, type);
    if (ec != std::errc() || end != last || type < 0 || type >= kDeviceTypeCount)
        return std::nullopt;
    return std::make_pair(static_cast<VirtualHardwareType>(type), key.substr(bar + 1));
}

int DeviceTabTextId(VirtualHardwareType type)
{
    static constexpr std::array<int, kDeviceTypeCount> ids{290, 96,  294, 303, 309, 319, 320, 102,
                                                           103, 104, 105, 344, 351, 108, 109};
    const int index = static_cast<int>(type);
    return index >= 0 && index < kDeviceTypeCount ? ids[static_cast<std::size_t>(index)] : 0;
}

} // namespace zentravolix::editor
