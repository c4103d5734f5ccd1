// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <optional>
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

/**
 * The guests that products of virtual hardware version hardwareVersion offer: one of a few
 * five-family tables (Windows, Linux, NetWare, Solaris, Other), each for a range of hardware
 * versions. Versions above the newest range take the newest table; below 6, nullptr.
 */
const GuestTable* FindGuestTableForHardware(std::int16_t hardwareVersion);

/** Whether two guestOS values are equal ignoring ASCII letter case (files spell them either way). */
bool SameGuestName(std::string_view a, std::string_view b);

/** Position of a cell in a guest table. */
struct GuestPosition {
    std::int16_t Family;
    std::int16_t Version;
};

/**
 * The first cell of table, family by family and version by version, whose configuration name
 * equals configName ignoring letter case; an empty name finds the first empty cell.
 */
std::optional<GuestPosition> FindGuestCell(const GuestTable& table, std::string_view configName);

} // namespace tarvonel::detail
