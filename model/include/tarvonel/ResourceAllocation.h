// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>

namespace tarvonel {

/**
 * How much of the host's processor time or memory an ESXi machine is guaranteed, allowed and
 * given in competition with other machines. Every value is unset while the file says nothing of it;
 * an unset value writes no line.
 */
struct ResourceAllocation {
    bool operator==(const ResourceAllocation&) const = default;

    /** What the shares are when they are no plain number. */
    enum class SharesLevel : std::int16_t { Low = 0, Normal = 1, High = 2 };

    /** Guaranteed amount: MHz for processors, MB for memory. */
    std::optional<std::int64_t> Reservation;
    /** Upper bound in the same unit; empty with LimitUnlimited false: no line. */
    std::optional<std::int64_t> Limit;
    /** The limit is written as "unlimited" (wins over Limit). */
    bool LimitUnlimited = false;
    /** Shares as a level; unset when they are a number or not named. */
    std::optional<SharesLevel> Level;
    /** Shares as a number, when no level is set. */
    std::optional<std::int64_t> CustomShares;
    /** The smallest memory size the machine is given, in MB (memory only). */
    std::optional<std::int64_t> MinimumSize;
    /** The unit line of the processor amounts ("mhz") is written (processors only). */
    bool UnitsInMhz = false;
};

} // namespace tarvonel
