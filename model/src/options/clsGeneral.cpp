// SPDX-License-Identifier: MIT
#include <tarvonel/clsGeneral.h>

#include <tarvonel/Error.h>

#include "options/GuestTables.h"

#include <cstddef>

namespace tarvonel {
clsGeneral::clsGeneral(detail::Passkey) {}
clsGeneral::~clsGeneral() = default;

void clsGeneral::SetDisplayName(const std::string& value)
{
    std::string summary = value; // copy first: a failed allocation leaves both texts as they were
    m_displayName = value;
    m_summary = std::move(summary);
}

void clsGeneral::SetTargetPlatform(std::int16_t value)
{
    m_targetPlatform = value;
    SelectGuestTable();
}

void clsGeneral::SetPlatformVersion(std::int16_t value)
{
    m_platformVersion = value;
    SelectGuestTable();
}

void clsGeneral::SelectGuestTable()
{
    // A pair that names no table keeps the current one; the guest itself is left alone, the
    // editor chooses it again after a product change.
    if (const detail::GuestTable* table = detail::FindGuestTable(m_targetPlatform, m_platformVersion))
        m_currentTable = table;
}

void clsGeneral::SetGuestVersion(std::int16_t value)
{
    const detail::GuestTable* table = m_currentTable;
    if (!table || m_guestFamily < 0 || m_guestFamily >= table->Families || value < 0 ||
        value >= table->Versions)
        throw SubscriptOutOfRange("Guest version " + std::to_string(value) + " of family " +
                                  std::to_string(m_guestFamily) + " is outside the guest table");
    std::string name(table->Cell(m_guestFamily, value).ConfigName);
    m_guestVersion = value;
    m_guestOSName = std::move(name);
}

void clsGeneral::SetGuestOSName(const std::string& value)
{
    const detail::GuestTable* table = m_currentTable;
    if (!table)
        throw SubscriptOutOfRange("Guest OS \"" + value + "\" set before a product version was chosen");
    // The name is kept as given: a file's own spelling ("winxppro") is written back unchanged.
    // guestOS values are ASCII identifiers that files spell in any letter case, so the cell is
    // found ignoring case.
    m_guestOSName = value;
    if (const auto cell = detail::FindGuestCell(*table, value)) {
        m_guestFamily = cell->Family;
        m_guestVersion = cell->Version;
    }
}

std::vector<std::vector<GuestOSVer>> clsGeneral::SupportedGuests() const
{
    std::vector<std::vector<GuestOSVer>> guests;
    const detail::GuestTable* table = m_currentTable;
    if (!table)
        return guests;
    guests.resize(static_cast<std::size_t>(table->Families));
    for (std::int16_t family = 0; family < table->Families; ++family) {
        auto& row = guests[static_cast<std::size_t>(family)];
        row.resize(static_cast<std::size_t>(table->Versions));
        for (std::int16_t version = 0; version < table->Versions; ++version) {
            const detail::GuestCell cell = table->Cell(family, version);
            row[static_cast<std::size_t>(version)] = {std::string(cell.DisplayedName),
                                                      std::string(cell.ConfigName)};
        }
    }
    return guests;
}

} // namespace tarvonel
