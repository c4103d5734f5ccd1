// SPDX-License-Identifier: MIT
#pragma once

// The rows of the hardware list, computed from the model without Qt: one per device, kind by kind
// in the order of the device-kind table (config/DeviceKinds.h) and, within a kind, in collection
// order.

#include <tarvonel/Enums.h>

#include <optional>
#include <string>
#include <vector>

namespace tarvonel {
class clsHardware;
class DeviceItem;
} // namespace tarvonel

namespace zentravolix::editor {

struct HardwareRow {
    tarvonel::VirtualHardwareType type = tarvonel::VirtualHardwareType::CPU;
    std::string id;
    std::string displayName;
    std::string summary;

    /** "H" + type number + "|" + ID, e.g. "H10|0F3A..." for a hard disk. */
    std::string key() const;
};

/** Every device of the hardware container as a list row, in the list's order. */
std::vector<HardwareRow> CollectHardwareRows(const tarvonel::clsHardware& hardware);

/** The row of one device (display name and summary as the model has them now). */
std::optional<HardwareRow> FindHardwareRow(const tarvonel::clsHardware& hardware,
                                           tarvonel::VirtualHardwareType type, const std::string& id);

/** Splits a row key into type and ID; nothing when it is not of the form "H<kind>|<ID>". */
std::optional<std::pair<tarvonel::VirtualHardwareType, std::string>>
ParseHardwareRowKey(const std::string& key);

/** The page heading text id of a device kind (290 "Virtual Processor" ... 109 "Mouse"); 0 for no kind. */
int DeviceTabTextId(tarvonel::VirtualHardwareType type);

} // namespace zentravolix::editor
