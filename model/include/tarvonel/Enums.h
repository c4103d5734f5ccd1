// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace tarvonel {

/** The device kinds, in the order of the hardware container's collections. */
enum class VirtualHardwareType : std::int16_t {
    CPU = 0,
    RAM = 1,
    Floppy = 2,
    Parallel = 3,
    Serial = 4,
    Audio = 5,
    Network = 6,
    USB = 7,
    IDEController = 8,
    SCSIController = 9,
    HardDrive = 10,
    CDRomDrive = 11,
    GenericSCSI = 12,
    Display = 13,
    Mouse = 14,
    Device = 15,
    // Kinds added later; they follow Device so that no earlier value moves.
    SATAController = 16,
    NVMeController = 17,
};

/** The option objects, in the order of the options container. */
enum class OptionsType : std::int16_t {
    General = 0,
    Power = 1,
    SharedFolders = 2,
    Snapshots = 3,
    GuestIsolation = 4,
    Advanced = 5,
};

} // namespace tarvonel
