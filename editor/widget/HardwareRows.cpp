// SPDX-License-Identifier: MIT
#include "editor/widget/HardwareRows.h"

#include "config/DeviceKinds.h"

#include <tarvonel/tarvonel.h>

#include <charconv>
#include <limits>

namespace zentravolix::editor {

namespace {

using tarvonel::VirtualHardwareType;

HardwareRow rowOf(VirtualHardwareType type, const tarvonel::DeviceItem& device)
{
    return {type, device.ID(), device.DisplayName(), device.Summary()};
}

} // namespace

std::string HardwareRow::key() const
{
    return "H" + std::to_string(static_cast<int>(type)) + "|" + id;
}

std::vector<HardwareRow> CollectHardwareRows(const tarvonel::clsHardware& hardware)
{
    std::vector<HardwareRow> rows;
    config::ForEachDevice(hardware, [&rows](VirtualHardwareType type, const tarvonel::DeviceItem& device) {
        rows.push_back(rowOf(type, device));
    });
    return rows;
}

std::optional<HardwareRow> FindHardwareRow(const tarvonel::clsHardware& hardware, VirtualHardwareType type,
                                           const std::string& id)
{
    // Only this type's collection is consulted: the same ID elsewhere is never a match.
    return config::VisitDeviceKind(type, std::optional<HardwareRow>{},
                                   [&](const auto& kind) -> std::optional<HardwareRow> {
                                       const auto collection = kind.collection(hardware);
                                       for (std::int32_t i = 1; i <= collection->Count(); ++i) {
                                           const auto item = collection->Item(i);
                                           if (item->ID() == id)
                                               return rowOf(type, *item);
                                       }
                                       return std::nullopt;
                                   });
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
    if (ec != std::errc() || end != last || type < 0 || type > std::numeric_limits<std::int16_t>::max() ||
        !config::IsDeviceKind(static_cast<VirtualHardwareType>(type)))
        return std::nullopt;
    return std::make_pair(static_cast<VirtualHardwareType>(type), key.substr(bar + 1));
}

int DeviceTabTextId(VirtualHardwareType type)
{
    const auto kind = config::FindDeviceKind(type);
    return kind ? kind->pageTextId : 0;
}

} // namespace zentravolix::editor
