// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/GuestOSVer.h>
#include <tarvonel/OptionObject.h>
#include <tarvonel/Passkey.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tarvonel {

namespace detail {
struct GuestTable;
}

/**
 * Identity of the configuration (display name, file and folders), the version numbers written to
 * the file, the host product it is made for and the guest operating system.
 *
 * The pair (TargetPlatform, PlatformVersion) selects one of the fixed guest tables (nine for the
 * classic products, and one per range of hardware versions for today's, see ProductCatalog) as the
 * current one; the guest is then kept as (GuestFamily, GuestVersion) indices into it and as the
 * configuration name GuestOSName. No table is current until a listed pair has been assigned.
 */
class TARVONEL_EXPORT clsGeneral final : public OptionObject {
public:
    explicit clsGeneral(detail::Passkey);
    ~clsGeneral() override;

    bool operator==(const clsGeneral&) const = default;

    /** Always empty. */
    std::string ID() const { return {}; }
    /** A copy of DisplayName, refreshed whenever DisplayName is assigned. */
    std::string Summary() const { return m_summary; }

    std::string DisplayName() const { return m_displayName; }
    /** Also sets Summary to the same text. */
    void SetDisplayName(const std::string& value);

    std::string VmxFileName() const { return m_vmxFileName; }
    void SetVmxFileName(const std::string& value) { m_vmxFileName = value; }
    std::string VmxPath() const { return m_vmxPath; }
    void SetVmxPath(const std::string& value) { m_vmxPath = value; }
    std::string WorkingPath() const { return m_workingPath; }
    void SetWorkingPath(const std::string& value) { m_workingPath = value; }

    std::int16_t ConfigVersion() const { return m_configVersion; }
    void SetConfigVersion(std::int16_t value) { m_configVersion = value; }
    std::int16_t HardwareVersion() const { return m_hardwareVersion; }
    void SetHardwareVersion(std::int16_t value) { m_hardwareVersion = value; }

    /** 0 GSX Server, 1 Workstation, 2 Player, 3 Server. */
    std::int16_t TargetPlatform() const { return m_targetPlatform; }
    /** Stores the code, then selects the current table; a pair that names none keeps the old one. */
    void SetTargetPlatform(std::int16_t value);
    /** Index of the product version within the product. */
    std::int16_t PlatformVersion() const { return m_platformVersion; }
    /** Stores the index, then selects the current table as SetTargetPlatform does. */
    void SetPlatformVersion(std::int16_t value);

    std::int16_t GuestFamily() const { return m_guestFamily; }
    /** Stores only: GuestOSName follows when the version is assigned. */
    void SetGuestFamily(std::int16_t value) { m_guestFamily = value; }

    std::int16_t GuestVersion() const { return m_guestVersion; }
    /**
     * Stores the version and sets GuestOSName to the configuration name of the current table's
     * cell (GuestFamily, value); an empty cell gives "". Throws SubscriptOutOfRange, changing
     * nothing, when no table is current or the cell lies outside it.
     */
    void SetGuestVersion(std::int16_t value);

    std::string GuestOSName() const { return m_guestOSName; }
    /**
     * Stores the name and selects the first cell of the current table (family by family, version
     * by version) whose configuration name equals it ignoring letter case; GuestFamily and
     * GuestVersion keep their values when no cell matches. An empty name matches the first empty
     * cell. Throws SubscriptOutOfRange, changing nothing, when no table is current.
     */
    void SetGuestOSName(const std::string& value);

    /**
     * A copy of the current table indexed [family][version], every row as long as the table is
     * wide (empty cells included); empty when no table has been selected yet.
     */
    std::vector<std::vector<GuestOSVer>> SupportedGuests() const;

    /**
     * The kind of product the hardware version is meant for, as the file's
     * virtualHW.productCompatibility line says: 0 hosted (the desktop products), 1 ESXi; any other
     * value: the file has no such line and none is written.
     */
    std::int16_t ProductCompatibility() const { return m_productCompatibility; }
    void SetProductCompatibility(std::int16_t value) { m_productCompatibility = value; }

private:
    void SelectGuestTable();

    std::string m_summary;
    std::string m_displayName;
    std::string m_vmxFileName;
    std::string m_vmxPath;
    std::string m_workingPath;
    std::int16_t m_configVersion = 0;
    std::int16_t m_hardwareVersion = 0;
    std::int16_t m_targetPlatform = 0;
    std::int16_t m_platformVersion = 0;
    std::int16_t m_guestFamily = 0;
    std::int16_t m_guestVersion = 0;
    std::string m_guestOSName;
    /** One of the fixed tables (they never change, so pointing at one is as good as a copy). */
    const detail::GuestTable* m_currentTable = nullptr;
    std::int16_t m_productCompatibility = -1;
};

} // namespace tarvonel
