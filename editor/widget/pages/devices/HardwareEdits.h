// SPDX-License-Identifier: MIT
#pragma once

// Adding and removing devices of the hardware container by kind and ID, for the hardware tab's
// Add and Remove buttons. Qt-free apart from filling the add-hardware dialog.

#include "config/ProductTables.h"
#include "editor/widget/ConfigNames.h"

#include <tarvonel/Enums.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tarvonel {
class clsHardware;
}

namespace zentravolix::editor {

class frmAddHardware;

/** Number of devices of a kind; 0 for a value that is no kind (config/DeviceKinds.h). */
std::int32_t DeviceCount(const tarvonel::clsHardware& hardware, tarvonel::VirtualHardwareType type);

/**
 * Adds a device of a kind through its collection (the model fills the defaults) and returns its
 * ID; nothing for a value that is no kind. Throws what the collection throws (Overflow when it
 * is full); nothing is added then.
 */
std::optional<std::string> AddDevice(tarvonel::clsHardware& hardware, tarvonel::VirtualHardwareType type);

/** Removes the device with this ID from its kind's collection; false when it is not there. */
bool RemoveDevice(tarvonel::clsHardware& hardware, tarvonel::VirtualHardwareType type, const std::string& id);

/** DeviceNum of the device with this ID; nothing when it is not in its kind's collection. */
std::optional<std::int16_t> DeviceNumber(const tarvonel::clsHardware& hardware, tarvonel::VirtualHardwareType type,
                                         const std::string& id);

/**
 * Whether the remove button may act on a device: the first CPU, memory, SCSI controller, display
 * and mouse (number 0) and the two IDE controllers 0 and 1 always stay (the kinds' table says so).
 */
bool MayRemoveDevice(tarvonel::VirtualHardwareType type, std::int16_t deviceNum);

/** Hands the dialog the count of every kind in the container and the product's three maxima. */
void SetAddHardwareCounts(frmAddHardware& dialog, const tarvonel::clsHardware& hardware, const EditorLimits& limits);

} // namespace zentravolix::editor
