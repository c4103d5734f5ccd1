// SPDX-License-Identifier: MIT
#pragma once

#include "config/ProductTables.h"

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

/** One entry of an adapter type list: the model's code for the type and its caption. */
struct TypeChoice {
    std::int16_t code = 0;
    std::string caption;

    bool operator==(const TypeChoice&) const = default;
};

/**
 * The adapter type lists of today's products, in code order. A classic version offers the
 * entries of its caption list above; a newer one the types its limits name. A current code the
 * version does not offer is listed too, at its place, so the file's value stays shown and kept.
 */
std::vector<TypeChoice> NicTypeChoices(std::int16_t targetPlatform, std::int16_t platformVersion,
                                       const EditorLimits& limits, std::int16_t current);
/** SCSI controller types: Buslogic, LSIlogic, LSI Logic SAS, VMware Paravirtual. */
std::vector<TypeChoice> ScsiTypeChoices(std::int16_t targetPlatform, std::int16_t platformVersion,
                                        const EditorLimits& limits, std::int16_t current);
/** Sound adapter types: the three classic ones, then HD Audio. */
std::vector<TypeChoice> AudioTypeChoices(std::int16_t targetPlatform, std::int16_t platformVersion,
                                         const EditorLimits& limits, std::int16_t current);

/**
 * USB compatibility: code 0 USB 1.1 (usb), 1 USB 2.0 (with ehci), 2 USB 3.x (with usb_xhci), as
 * the version's USB controllers offer them; the current code is always listed.
 */
std::vector<TypeChoice> UsbVersionChoices(const EditorLimits& limits, std::int16_t current);

/** Whether the USB page offers a choice of USB versions: the version has more than USB 1.1. */
bool OffersUsbVersions(const EditorLimits& limits);

/** Text ids of the near end of a serial pipe: Server, Client. */
std::vector<int> PipeEnd1TextIds();
/** Text ids of the far end of a serial pipe: VM, Application. */
std::vector<int> PipeEnd2TextIds();

} // namespace zentravolix::config
