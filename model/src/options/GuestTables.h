// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace tarvonel::detail {

/** One guest of a fixed table: shown name and the guestOS value of the .vmx file. */
struct GuestCell {
    std::string_view DisplayedName;
    std::string_view ConfigName;
};

/**
 * A fixed guest table of Families x Versions cells. Row f holds the guests of family f from
 * version 0 on without gaps; the cells after them (up to Versions) are empty. Unused rows of a
 * 4-family table are empty spans.
 */
struct GuestTable {
    std::int16_t Families;
    std::int16_t Versions;
    std::array<std::span<const GuestCell>, 5> Rows;

    /** The cell (family, version); both must lie inside the table. Empty past a row's guests. */
    GuestCell Cell(std::int16_t family, std::int16_t version) const
    {
        const auto& row = Rows[static_cast<std::size_t>(family)];
        if (static_cast<std::size_t>(version) < row.size())
            return row[static_cast<std::size_t>(version)];
        return {};
    }
};

/** The table a (TargetPlatform, PlatformVersion) pair selects, or nullptr for any other pair. */
const GuestTable* FindGuestTable(std::int16_t targetPlatform, std::int16_t platformVersion);

} // namespace tarvonel::detail
