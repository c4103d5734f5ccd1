// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvonel {
class clsGeneral;
}

namespace zentravolix::config {

/**
 * The fixed choice lists of the editor's pages as functions of the target product and version.
 * In every list the position of an entry is the value stored in the model. Captions that are
 * translated come as text ids; the editor and the tool look them up in their own language.
 */

/** One entry of a list that mixes translated captions with names of the host: a text id, or,
 * where textId is 0, the name itself (a device file such as /dev/ttyS0). */
struct ListEntry {
    int textId = 0;
    std::string name;

    bool operator==(const ListEntry&) const = default;
};

/** Text id of the "auto detect" entry that starts the floppy, parallel and serial lists where offered. */
inline constexpr int AutoDetectTextId = 298;

/** Text ids of the guest families offered for a product version, in list order (empty if none). */
std::vector<int> GuestFamilyTextIds(std::int16_t targetPlatform, std::int16_t platformVersion);

/**
 * Display names of the guest versions of the general options' current family, in version order,
 * skipping empty cells; empty when no guest table is current or the family is outside it.
 */
std::vector<std::string> GuestVersionCaptions(const tarvonel::clsGeneral& general);

/** Network adapter types: AMD Lance, VMXNet, and E1000 for Workstation 5.5x, Player and Server. */
std::vector<std::string> NicTypeCaptions(std::int16_t targetPlatform, std::int16_t platformVersion);

/** The ten virtual networks VMnet0 to VMnet9. */
std::vector<std::string> VirtualNetworkCaptions();

/** Sound adapter types. */
std::vector<std::string> AudioTypeCaptions();

/** Whether the floppy, parallel and serial lists start with "auto detect" (Workstation 5.5x, Player). */
bool OffersAutoDetect(std::int16_t targetPlatform, std::int16_t platformVersion);

/** "auto detect" where offered, then the host's removable drives in the host's order. */
std::vector<ListEntry> FloppyDriveChoices(std::int16_t targetPlatform, std::int16_t platformVersion,
                                          const std::vector<std::string>& hostRemovableDrives);

/** "auto detect" where offered, then the host's parallel ports, or /dev/parport0 to
 * /dev/parport2 when it has none. */
std::vector<ListEntry> ParallelPortChoices(std::int16_t targetPlatform, std::int16_t platformVersion,
                                           const std::vector<std::string>& hostParallelPorts);

/** "auto detect" where offered, then the host's serial ports, or /dev/ttyS0 to
 * /dev/ttyS3 when it has none. */
std::vector<ListEntry> SerialPortChoices(std::int16_t targetPlatform, std::int16_t platformVersion,
                                         const std::vector<std::string>& hostSerialPorts);

/** Text ids of the near end of a serial pipe: Server, Client. */
std::vector<int> PipeEnd1TextIds();
/** Text ids of the far end of a serial pipe: VM, Application. */
std::vector<int> PipeEnd2TextIds();

} // namespace zentravolix::config
