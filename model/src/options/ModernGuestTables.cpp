// SPDX-License-Identifier: MIT
// The guests of today's products (virtual hardware 6 and later), one table per range of hardware
// versions.
#include "options/GuestTables.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace tarvonel::detail {
namespace {

// Each guest carries the first hardware version whose table offers it. The configuration names
// are spelt exactly as VMware's guest key map spells them (open-vm-tools guest_os_tables.h,
// GUEST_OS_KEY_MAP, source S28): one-way aliases such as centos7 are never offered. A 64-bit guest
// ends in "-64" and its shown name in "x64" (Windows) or "64-bit".
//
// The first version follows one rule, chosen to claim no guest a product did not offer:
//  - the first range whose first product came out after the system's release (year in the
//    comments; range starts: 6 = 2007, 7 = 2008, 8 = 2011, 11 = 2014, 14 = 2017, 18 = 2020,
//    20 = 2022); a system released later than that goes into the newest range;
//  - earlier where real files show a key of that release with a hardware version of an
//    earlier range: then from that range (corpus C);
//  - never before the version of the vSphere API release that added the key (S29): API 7.0.1.0
//    is ESXi 7.0 U1, hardware 18; API 8.0.0.1 is ESXi 8.0, hardware 20.
struct DatedGuest {
    GuestCell Cell;
    std::int16_t Since;
};

// --- Windows ---------------------------------------------------------------------------------

constexpr DatedGuest kWindows[] = {
    {{"Windows XP Home", "winXPHome"}, 6},
    {{"Windows XP Professional", "winXPPro"}, 6},
    {{"Windows XP Professional x64", "winXPPro-64"}, 6},
    {{"Windows Server 2003 Web", "winNetWeb"}, 6},
    {{"Windows Server 2003 Standard", "winNetStandard"}, 6},
    {{"Windows Server 2003 Standard x64", "winNetStandard-64"}, 6},
    {{"Windows Server 2003 Enterprise", "winNetEnterprise"}, 6},
    {{"Windows Server 2003 Enterprise x64", "winNetEnterprise-64"}, 6},
    {{"Windows Server 2003 Datacenter", "winNetDatacenter"}, 6},
    {{"Windows Server 2003 Datacenter x64", "winNetDatacenter-64"}, 6},
    {{"Windows Server 2003 Small Business", "winNetBusiness"}, 6},
    {{"Windows Vista", "winvista"}, 6}, // 2007
    {{"Windows Vista x64", "winvista-64"}, 6},
    // Server 2008 took over the key of Vista's pre-release name.
    {{"Windows Server 2008", "longhorn"}, 7}, // 2008
    {{"Windows Server 2008 x64", "longhorn-64"}, 7},
    {{"Windows 7", "windows7"}, 8}, // 2009; C: hardware 8
    {{"Windows 7 x64", "windows7-64"}, 8},
    {{"Windows Server 2008 R2 x64", "windows7srv-64"}, 8},
    {{"Windows 8", "windows8"}, 8}, // 2012; C: Server 2012 at hardware 10
    {{"Windows 8 x64", "windows8-64"}, 8},
    {{"Windows Server 2012 x64", "windows8srv-64"}, 8},
    // Windows 10 keeps the key of its pre-release name.
    {{"Windows 10", "windows9"}, 11}, // 2015; C: hardware 11
    {{"Windows 10 x64", "windows9-64"}, 11},
    {{"Windows Server 2016 x64", "windows9srv-64"}, 14},        // 2016
    {{"Windows Server 2019 x64", "windows2019srv-64"}, 14},     // 2018; C: hardware 17
    {{"Windows Server 2022 x64", "windows2019srvNext-64"}, 20}, // 2021; API 7.0.1.0
    {{"Windows 11 x64", "windows11-64"}, 20},                   // 2021; API 8.0.0.1
    {{"Windows Server 2025 x64", "windows2022srvNext-64"}, 20}, // 2024; API 8.0.0.1
};

// --- Linux -----------------------------------------------------------------------------------

constexpr DatedGuest kLinux[] = {
    {{"Red Hat Enterprise Linux 6", "rhel6"}, 7}, // 2010; C: hardware 7
    {{"Red Hat Enterprise Linux 6 64-bit", "rhel6-64"}, 7},
    {{"Red Hat Enterprise Linux 7", "rhel7"}, 11}, // 2014
    {{"Red Hat Enterprise Linux 7 64-bit", "rhel7-64"}, 11},
    {{"Red Hat Enterprise Linux 8 64-bit", "rhel8-64"}, 18}, // 2019
    {{"Red Hat Enterprise Linux 9 64-bit", "rhel9-64"}, 20}, // 2022; API 7.0.1.0
    {{"CentOS 7 64-bit", "centos7-64"}, 11},                 // 2014
    {{"CentOS 8 64-bit", "centos8-64"}, 18},                 // 2019
    {{"CentOS 9 64-bit", "centos9-64"}, 20},                 // 2021; API 7.0.1.0
    {{"Oracle Linux 6", "oraclelinux6"}, 8},                 // 2011
    {{"Oracle Linux 6 64-bit", "oraclelinux6-64"}, 8},
    {{"Oracle Linux 7 64-bit", "oraclelinux7-64"}, 11}, // 2014
    {{"Oracle Linux 8 64-bit", "oraclelinux8-64"}, 18}, // 2019
    {{"Oracle Linux 9 64-bit", "oraclelinux9-64"}, 20}, // 2022; API 7.0.1.0
    {{"Rocky Linux 64-bit", "rockylinux-64"}, 20},      // 2021; API 8.0.0.1
    {{"AlmaLinux 64-bit", "almalinux-64"}, 20},         // 2021; API 8.0.0.1
    {{"Fedora", "fedora"}, 6},
    {{"Fedora 64-bit", "fedora-64"}, 6},
    {{"SUSE Linux Enterprise 12", "sles12"}, 11}, // 2014
    {{"SUSE Linux Enterprise 12 64-bit", "sles12-64"}, 11},
    {{"SUSE Linux Enterprise 15 64-bit", "sles15-64"}, 18}, // 2018
    {{"Debian 8", "debian8"}, 14},                          // 2015
    {{"Debian 8 64-bit", "debian8-64"}, 14},
    {{"Debian 9", "debian9"}, 14}, // 2017
    {{"Debian 9 64-bit", "debian9-64"}, 14},
    {{"Debian 10", "debian10"}, 18}, // 2019
    {{"Debian 10 64-bit", "debian10-64"}, 18},
    {{"Debian 11", "debian11"}, 18}, // 2021; C: hardware 19
    {{"Debian 11 64-bit", "debian11-64"}, 18},
    {{"Debian 12", "debian12"}, 20}, // 2023; API 8.0.0.1
    {{"Debian 12 64-bit", "debian12-64"}, 20},
    {{"Ubuntu", "ubuntu"}, 6},
    {{"Ubuntu 64-bit", "ubuntu-64"}, 6},
    {{"VMware Photon OS 64-bit", "vmware-photon-64"}, 14}, // 2016
    {{"Other Linux 3.x kernel", "other3xlinux"}, 8},       // 2011
    {{"Other Linux 3.x kernel 64-bit", "other3xlinux-64"}, 8},
    {{"Other Linux 4.x kernel", "other4xlinux"}, 14}, // 2015
    {{"Other Linux 4.x kernel 64-bit", "other4xlinux-64"}, 14},
    {{"Other Linux 5.x kernel", "other5xlinux"}, 18}, // 2019; API 7.0.1.0
    {{"Other Linux 5.x kernel 64-bit", "other5xlinux-64"}, 18},
    {{"Other Linux 6.x kernel", "other6xlinux"}, 20}, // 2022; API 8.0.0.1
    {{"Other Linux 6.x kernel 64-bit", "other6xlinux-64"}, 20},
    {{"Other Linux", "otherlinux"}, 6},
    {{"Other Linux 64-bit", "otherlinux-64"}, 6},
};

// --- NetWare: no product of these hardware versions is known to offer it; the row stays empty
// so that Solaris and Other keep their family positions.

// --- Solaris ---------------------------------------------------------------------------------

constexpr DatedGuest kSolaris[] = {
    {{"Solaris 11 64-bit", "solaris11-64"}, 11}, // 2011
};

// --- Other -----------------------------------------------------------------------------------

constexpr DatedGuest kOther[] = {
    {{"FreeBSD 11", "freeBSD11"}, 14},                                              // 2016
    {{"FreeBSD 11 64-bit", "freeBSD11-64"}, 14}, {{"FreeBSD 12", "freeBSD12"}, 18}, // 2018
    {{"FreeBSD 12 64-bit", "freeBSD12-64"}, 18}, {{"FreeBSD 13", "freeBSD13"}, 20}, // 2021; API 7.0.1.0
    {{"FreeBSD 13 64-bit", "freeBSD13-64"}, 20}, {{"FreeBSD 14", "freeBSD14"}, 20}, // 2023; API 8.0.0.1
    {{"FreeBSD 14 64-bit", "freeBSD14-64"}, 20}, {{"Other", "other"}, 6},
    {{"Other 64-bit", "other-64"}, 6},
};

// --- The tables: one per range, derived from the lists above -----------------------------------

template <const auto& Guests>
constexpr std::size_t OfferedCount(std::int16_t hardware)
{
    return static_cast<std::size_t>(std::count_if(std::begin(Guests), std::end(Guests),
                                                  [&](const DatedGuest& g) { return g.Since <= hardware; }));
}

/** The guests of a list that hardware version Hardware offers, in list order. */
template <const auto& Guests, std::int16_t Hardware>
constexpr auto kOffered = [] {
    std::array<GuestCell, OfferedCount<Guests>(Hardware)> row{};
    std::size_t n = 0;
    for (const DatedGuest& g : Guests) {
        if (g.Since <= Hardware)
            row[n++] = g.Cell;
    }
    return row;
}();

template <std::int16_t Hardware>
constexpr GuestTable MakeTable()
{
    // Windows, Linux, NetWare (empty), Solaris, Other.
    GuestTable table{5, 0,
                     {kOffered<kWindows, Hardware>, kOffered<kLinux, Hardware>, {}, kOffered<kSolaris, Hardware>,
                      kOffered<kOther, Hardware>}};
    for (const auto& row : table.Rows)
        table.Versions = std::max(table.Versions, static_cast<std::int16_t>(row.size()));
    return table;
}

template <std::int16_t Hardware>
constexpr GuestTable kTable = MakeTable<Hardware>();

struct HardwareRange {
    std::int16_t First; // the range runs up to the next range's first version
    const GuestTable* Table;
};

constexpr HardwareRange kRanges[] = {
    {6, &kTable<6>},   // Workstation 6.0
    {7, &kTable<7>},   // Workstation 6.5-7.x, ESX 4.x, Server 2.x, Player 3.x
    {8, &kTable<8>},   // 8-10: Workstation 8-10, ESXi 5.x, Player 4-6
    {11, &kTable<11>}, // 11-13: Workstation 11-12, ESXi 6.0-6.5, Player 7-12
    {14, &kTable<14>}, // 14-17: Workstation 14-15, ESXi 6.7-7.0
    {18, &kTable<18>}, // 18-19: Workstation 16.x, ESXi 7.0 U1-U3
    {20, &kTable<20>}, // 20 and later: Workstation 17.x, ESXi 8.0
};

// A guest's first version starts a range; otherwise the range's first versions would claim it.
template <const auto& Guests>
constexpr bool SinceStartsARange()
{
    return std::all_of(std::begin(Guests), std::end(Guests), [](const DatedGuest& g) {
        return std::any_of(std::begin(kRanges), std::end(kRanges),
                           [&](const HardwareRange& r) { return r.First == g.Since; });
    });
}
static_assert(SinceStartsARange<kWindows>() && SinceStartsARange<kLinux>() && SinceStartsARange<kSolaris>() &&
              SinceStartsARange<kOther>());

// Ranges ascend, and every row fits its table (a longer row would silently lose guests).
constexpr bool RangesFit()
{
    for (std::size_t i = 0; i < std::size(kRanges); ++i) {
        if (i > 0 && kRanges[i].First <= kRanges[i - 1].First)
            return false;
        const GuestTable& t = *kRanges[i].Table;
        for (const auto& row : t.Rows) {
            if (row.size() > static_cast<std::size_t>(t.Versions))
                return false;
        }
    }
    return true;
}
static_assert(RangesFit());

} // namespace

const GuestTable* FindGuestTableForHardware(std::int16_t hardwareVersion)
{
    const GuestTable* table = nullptr;
    for (const HardwareRange& r : kRanges) {
        if (r.First <= hardwareVersion)
            table = r.Table;
    }
    return table;
}

} // namespace tarvonel::detail
