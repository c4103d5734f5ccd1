// SPDX-License-Identifier: MIT
#pragma once

// What a product change forbids in a machine that was fine before: more memory than the new
// product version allows, more virtual processors or network adapters than it takes.

#include "config/ProductTables.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvonel {
class clsHardware;
}

namespace zentravolix::config {

/**
 * The largest value of each limit over the versions of a platform: what a machine may not exceed
 * whichever version of that platform is then chosen. Nothing for an unknown platform.
 */
std::optional<EditorLimits> LoosestLimits(std::int16_t targetPlatform);

/** What BringWithinLimits changed. */
struct LimitChanges {
    /** The memory size now stored, when a memory item held more than the maximum. */
    std::optional<std::int32_t> memoryMB;
    /** Display names of the processors and network adapters removed, in removal order. */
    std::vector<std::string> removedDevices;
    /** The cores per processor now stored, when the old number no longer fitted. */
    std::optional<std::int32_t> coresPerSocket;
    /**
     * What the version has no room for (VersionMisfits): when any, the version was refused and
     * nothing changed.
     */
    std::vector<std::string> unfit;

    bool any() const { return memoryMB.has_value() || !removedDevices.empty() || coresPerSocket.has_value(); }
    bool refused() const { return !unfit.empty(); }
};

/**
 * Brings the hardware within the limits: every memory size above MaxMemoryMB becomes the largest
 * multiple of 4 MB the limit allows; processors and network adapters beyond MaxCPUs and MaxNICs
 * are removed from the end of their collections (the first processor always stays). Nothing else
 * changes.
 */
LimitChanges BringWithinLimits(tarvonel::clsHardware& hardware, const EditorLimits& limits);

/**
 * The cores per processor to keep with `processors` virtual processors: the largest number that
 * divides them, is at most `cores` and, when `most` is above 0, at most `most`. 0 (not set) stays 0.
 */
std::int32_t FittingCoresPerSocket(std::int32_t cores, std::int32_t processors, std::int32_t most);

/**
 * Makes the machine's cores per processor fit its processor count again after processors were
 * added or removed (a machine whose cores do not divide its processors does not start); `most` as
 * for FittingCoresPerSocket. Returns the new value when it changed.
 */
std::optional<std::int32_t> FitCoresPerSocket(tarvonel::clsHardware& hardware, std::int32_t most);

/** How ApplyNodeCounts treats a bus that has fewer nodes than the version. */
enum class NodeWidening {
    /** The bus takes the version's count (a version chosen, a new machine). */
    ToVersion,
    /**
     * The bus keeps the count it has when that is fewer (an opened file): the reader gave it the
     * nodes it read, and the lines of units beyond them are kept as they were in the file, which
     * a wider bus would write over.
     */
    KeepFewer,
};

/**
 * Gives the SCSI, SATA and NVMe controllers the version's nodes per controller. A device read
 * from a file may already sit beyond them (a SCSI unit 12 in a file that names a classic product):
 * the bus then keeps as many nodes as its devices use, so the node lists still show every device
 * and nothing is dropped.
 */
void ApplyNodeCounts(tarvonel::clsHardware& hardware, const EditorLimits& limits,
                     NodeWidening widening = NodeWidening::ToVersion);

/**
 * What a version with these limits has no room for, by display name, in list order: SATA and NVMe
 * controllers beyond the version's maximum (from the end of their collections) with the devices
 * on them, then devices on a node beyond the version's nodes per controller. Removing them would
 * lose disks and CD-ROMs the user set up, so such a version is not taken (see
 * ConfigSession::ChooseProduct); empty when everything fits.
 */
std::vector<std::string> VersionMisfits(const tarvonel::clsHardware& hardware, const EditorLimits& limits);

} // namespace zentravolix::config
