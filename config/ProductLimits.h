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

    bool any() const { return memoryMB.has_value() || !removedDevices.empty() || coresPerSocket.has_value(); }
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

} // namespace zentravolix::config
