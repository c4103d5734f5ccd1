// SPDX-License-Identifier: MIT
#pragma once

#include "disk/DiskParameters.h"

#include <cstdint>

namespace zentravolix::disk {

/** Cylinders, heads and sectors per track written to the descriptor's `ddb.geometry.*` keys. */
struct Geometry {
    std::int32_t cylinders = 0;
    std::int32_t heads = 0;
    std::int32_t sectorsPerTrack = 0;

    bool operator==(const Geometry&) const = default;
};

/** n / d rounded to the nearest integer, ties to even (d > 0, n >= 0). */
std::int64_t DivideRoundHalfEven(std::int64_t n, std::int64_t d);

/**
 * The geometry of a disk of `sectors` sectors: IDE 16 heads × 63 sectors with at most 16383
 * cylinders; SCSI 64 × 32 up to 1 GiB, 128 × 32 up to 2 GiB, 255 × 63 above.
 */
Geometry ComputeGeometry(std::int64_t sectors, AdapterType adapter);

} // namespace zentravolix::disk
