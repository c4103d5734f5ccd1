// SPDX-License-Identifier: MIT
#include "disk/Geometry.h"

#include <algorithm>

namespace zentravolix::disk {

std::int64_t DivideRoundHalfEven(std::int64_t n, std::int64_t d)
{
    const std::int64_t q = n / d;
    const std::int64_t twice = 2 * (n % d);
    if (twice > d || (twice == d && (q % 2) != 0))
        return q + 1;
    return q;
}

Geometry ComputeGeometry(std::int64_t sectors, AdapterType adapter)
{
    Geometry g;
    if (adapter == AdapterType::Ide) {
        g.heads = 16;
        g.sectorsPerTrack = 63;
    } else if (sectors <= 2097152) {
        g.heads = 64;
        g.sectorsPerTrack = 32;
    } else if (sectors <= 4194304) {
        g.heads = 128;
        g.sectorsPerTrack = 32;
    } else {
        g.heads = 255;
        g.sectorsPerTrack = 63;
    }
    std::int64_t cylinders =
        DivideRoundHalfEven(std::max<std::int64_t>(sectors, 0), std::int64_t(g.heads) * g.sectorsPerTrack);
    if (adapter == AdapterType::Ide)
        cylinders = std::min<std::int64_t>(cylinders, 16383);
    g.cylinders = static_cast<std::int32_t>(std::min<std::int64_t>(cylinders, INT32_MAX));
    return g;
}

} // namespace zentravolix::disk
