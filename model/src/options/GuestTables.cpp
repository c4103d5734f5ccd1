// SPDX-License-Identifier: MIT
#include "options/GuestTables.h"

#include <tarvonel/ProductCatalog.h>

namespace tarvonel::detail {
namespace {

// The guestOS vocabulary of each host product release. The names are the products' own texts,
// suffixes included: "(exp)" marks guests the release supports only experimentally, and the
// configuration name of Darwin really starts with a capital D.

// --- Windows ---------------------------------------------------------------------------------

constexpr GuestCell kWindows13[] = {
    {"Win 3.1", "win31"},
    {"Win 95", "win95"},
    {"Win 98", "win98"},
    {"Win Me", "winMe"},
    {"Win NT", "winNT"},
    {"2000 Professional", "win2000Pro"},
    {"2000 Server", "win2000Serv"},
    {"2000 Advanced Server", "win2000AdvServ"},
    {"XP Home", "winXPHome"},
    {"XP Professional", "winXPPro"},
    {"2003 Web Edition", "winNetWeb"},
    {"2003 Standard", "winNetStandard"},
    {"2003 Enterprise", "winNetEnterprise"},
};

// Workstation 3.x knew the 2003 editions only as experimental guests.
constexpr GuestCell kWindows13Exp[] = {
    {"Win 3.1", "win31"},
    {"Win 95", "win95"},
    {"Win 98", "win98"},
    {"Win Me", "winMe"},
    {"Win NT", "winNT"},
    {"2000 Professional", "win2000Pro"},
    {"2000 Server", "win2000Serv"},
    {"2000 Advanced Server", "win2000AdvServ"},
    {"XP Home", "winXPHome"},
    {"XP Professional", "winXPPro"},
    {"2003 Web Edition (exp)", "winNetWeb"},
    {"2003 Standard (exp)", "winNetStandard"},
    {"2003 Enterprise (exp)", "winNetEnterprise"},
};

constexpr GuestCell kWindows15[] = {
    {"Win 3.1", "win31"},
    {"Win 95", "win95"},
    {"Win 98", "win98"},
    {"Win Me", "winMe"},
    {"Win NT", "winNT"},
    {"2000 Professional", "win2000Pro"},
    {"2000 Server", "win2000Serv"},
    {"2000 Advanced Server", "win2000AdvServ"},
    {"XP Home", "winXPHome"},
    {"XP Professional", "winXPPro"},
    {"2003 Web Edition", "winNetWeb"},
    {"2003 Standard", "winNetStandard"},
    {"2003 Enterprise", "winNetEnterprise"},
    {"2003 Small Business Server", "winNetBusiness"},
    {"Longhorn (exp)", "longhorn"},
};

// Vista keeps the guestOS value of its pre-release name, longhorn.
constexpr GuestCell kWindows19[] = {
    {"Win 3.1", "win31"},
    {"Win 95", "win95"},
    {"Win 98", "win98"},
    {"Win Me", "winMe"},
    {"Win NT", "winNT"},
    {"2000 Professional", "win2000Pro"},
    {"2000 Server", "win2000Serv"},
    {"2000 Advanced Server", "win2000AdvServ"},
    {"XP Home", "winXPHome"},
    {"XP Professional", "winXPPro"},
    {"XP Professional-64", "winXPPro-64"},
    {"2003 Web Edition", "winNetWeb"},
    {"2003 Standard", "winNetStandard"},
    {"2003 Standard-64", "winNetStandard-64"},
    {"2003 Enterprise", "winNetEnterprise"},
    {"2003 Enterprise-64", "winNetEnterprise-64"},
    {"2003 Small Business Server", "winNetBusiness"},
    {"Vista (exp)", "longhorn"},
    {"Vista-64 (exp)", "longhorn-64"},
};

// --- Linux -----------------------------------------------------------------------------------

constexpr GuestCell kLinux1[] = {
    {"Linux", "linux"},
};

constexpr GuestCell kLinux11[] = {
    {"Red Hat Linux", "redhat"},
    {"Red Hat Enterprise Linux 2", "rhel2"},
    {"Red Hat Enterprise Linux 3", "rhel3"},
    {"Red Hat Enterprise Linux 4", "rhel4"},
    {"SUSE Linux", "suse"},
    {"SUSE Linux Enterprise Server", "sles"},
    {"Mandrake Linux", "mandrake"},
    {"Turbolinux", "turbolinux"},
    {"Other Linux 2.4.x kernel", "other24xlinux"},
    {"Other Linux 2.6.x kernel", "other26xlinux"},
    {"Other Linux", "otherLinux"},
};

// Workstation 4.5x does not offer Red Hat Enterprise Linux 4.
constexpr GuestCell kLinux10[] = {
    {"Red Hat Linux", "redhat"},
    {"Red Hat Enterprise Linux 2", "rhel2"},
    {"Red Hat Enterprise Linux 3", "rhel3"},
    {"SUSE Linux", "suse"},
    {"SUSE Linux Enterprise Server", "sles"},
    {"Mandrake Linux", "mandrake"},
    {"Turbolinux", "turbolinux"},
    {"Other Linux 2.4.x kernel", "other24xlinux"},
    {"Other Linux 2.6.x kernel", "other26xlinux"},
    {"Other Linux", "otherLinux"},
};

constexpr GuestCell kLinux13[] = {
    {"Red Hat Linux", "redhat"},
    {"Red Hat Enterprise Linux 2", "rhel2"},
    {"Red Hat Enterprise Linux 3", "rhel3"},
    {"Red Hat Enterprise Linux 4", "rhel4"},
    {"SUSE Linux", "suse"},
    {"SUSE Linux Enterprise Server", "sles"},
    {"Novell Linux Desktop 9", "nld9"},
    {"Sun Java Desktop System", "sjds"},
    {"Mandrake Linux", "mandrake"},
    {"Turbolinux", "turbolinux"},
    {"Other Linux 2.4.x kernel", "other24xlinux"},
    {"Other Linux 2.6.x kernel", "other26xlinux"},
    {"Other Linux", "otherLinux"},
};

constexpr GuestCell kLinux22[] = {
    {"Red Hat Linux", "redhat"},
    {"Red Hat Enterprise Linux 2", "rhel2"},
    {"Red Hat Enterprise Linux 3", "rhel3"},
    {"Red Hat Enterprise Linux 3-64", "rhel3-64"},
    {"Red Hat Enterprise Linux 4", "rhel4"},
    {"Red Hat Enterprise Linux 4-64", "rhel4-64"},
    {"SUSE Linux", "suse"},
    {"SUSE Linux-64", "suse-64"},
    {"SUSE Linux Enterprise Server", "sles"},
    {"SUSE Linux Enterprise Server-64", "sles-64"},
    {"Novell Linux Desktop 9", "nld9"},
    {"Sun Java Desktop System", "sjds"},
    {"Mandrake Linux", "mandrake"},
    {"Turbolinux", "turbolinux"},
    {"Ubuntu", "ubuntu"},
    {"Ubuntu-64 (exp)", "ubuntu-64"},
    {"Other Linux 2.4.x kernel", "other24xlinux"},
    {"Other Linux 2.4.x kernel-64", "other24xlinux-64"},
    {"Other Linux 2.6.x kernel", "other26xlinux"},
    {"Other Linux 2.6.x kernel-64", "other26xlinux-64"},
    {"Other Linux", "otherLinux"},
    {"Other Linux-64", "otherLinux-64"},
};

// --- NetWare ---------------------------------------------------------------------------------

constexpr GuestCell kNetWare456[] = {
    {"NetWare 4", "netware4"},
    {"NetWare 5", "netware5"},
    {"NetWare 6", "netware6"},
};

constexpr GuestCell kNetWare6Exp[] = {
    {"NetWare 6 (exp)", "netware6"},
};

constexpr GuestCell kNetWare56[] = {
    {"NetWare 5", "netware5"},
    {"NetWare 6", "netware6"},
};

// --- Solaris ---------------------------------------------------------------------------------

constexpr GuestCell kSolaris2[] = {
    {"Solaris 9 (exp)", "solaris9"},
    {"Solaris 10 (exp)", "solaris10"},
};

constexpr GuestCell kSolaris3[] = {
    {"Solaris 9 (exp)", "solaris9"},
    {"Solaris 10 (exp)", "solaris10"},
    {"Solaris 10-64 (exp)", "solaris10-64"},
};

// --- Other -----------------------------------------------------------------------------------

constexpr GuestCell kOther3[] = {
    {"MS-DOS", "dos"},
    {"FreeBSD", "freeBSD"},
    {"Other", "other"},
};

constexpr GuestCell kOther6[] = {
    {"MS-DOS", "dos"},
    {"FreeBSD", "freeBSD"},
    {"FreeBSD-64", "freeBSD-64"},
    {"Darwin (unsupported)", "Darwin"},
    {"Other", "other"},
    {"Other-64", "other-64"},
};

// --- The nine tables -------------------------------------------------------------------------
// Four-family tables: Windows, Linux, NetWare, Other.
// Five-family tables: Windows, Linux, NetWare, Solaris, Other.

constexpr GuestTable kGsx25 = {4, 13, {kWindows13, kLinux1, kNetWare456, kOther3, {}}};
constexpr GuestTable kGsx3 = {5, 15, {kWindows15, kLinux11, kNetWare456, kSolaris2, kOther3}};
constexpr GuestTable kWs3 = {4, 13, {kWindows13Exp, kLinux1, kNetWare6Exp, kOther3, {}}};
constexpr GuestTable kWs40 = {4, 13, {kWindows13, kLinux1, kNetWare56, kOther3, {}}};
constexpr GuestTable kWs45 = {5, 15, {kWindows15, kLinux10, kNetWare56, kSolaris2, kOther3}};
constexpr GuestTable kWs50 = {5, 15, {kWindows15, kLinux13, kNetWare56, kSolaris2, kOther3}};
constexpr GuestTable kWs55 = {5, 22, {kWindows19, kLinux22, kNetWare56, kSolaris3, kOther6}};
constexpr GuestTable kPlayer1 = {5, 22, {kWindows19, kLinux22, kNetWare56, kSolaris3, kOther6}};
constexpr GuestTable kServer1 = {5, 22, {kWindows19, kLinux22, kNetWare56, kSolaris3, kOther6}};

struct Selection {
    std::int16_t TargetPlatform;
    std::int16_t PlatformVersion;
    const GuestTable* Table;
};

// TargetPlatform: 0 GSX Server, 1 Workstation, 2 Player, 3 Server.
constexpr Selection kSelections[] = {
    {0, 0, &kGsx25},   // GSX Server 2.5x
    {0, 1, &kGsx3},    // GSX Server 3.x
    {1, 0, &kWs3},     // Workstation 3.x
    {1, 1, &kWs40},    // Workstation 4.0x
    {1, 2, &kWs45},    // Workstation 4.5x
    {1, 3, &kWs50},    // Workstation 5.0x
    {1, 4, &kWs55},    // Workstation 5.5x
    {2, 0, &kPlayer1}, // Player 1.x
    {3, 0, &kServer1}, // Server 1.x
};

// Every row fits its table; a longer row would silently lose guests.
constexpr bool RowsFit()
{
    for (const Selection& s : kSelections) {
        for (std::size_t f = 0; f < s.Table->Rows.size(); ++f) {
            const auto size = s.Table->Rows[f].size();
            if (static_cast<std::int16_t>(f) >= s.Table->Families ? size != 0
                                                                    : size > static_cast<std::size_t>(s.Table->Versions))
                return false;
        }
    }
    return true;
}
static_assert(RowsFit());

} // namespace

const GuestTable* FindGuestTable(std::int16_t targetPlatform, std::int16_t platformVersion)
{
    for (const Selection& s : kSelections) {
        if (s.TargetPlatform == targetPlatform && s.PlatformVersion == platformVersion)
            return s.Table;
    }
    // Today's product versions offer the guests of the hardware version they create.
    if (const ProductVersionInfo* product = FindProductVersion(targetPlatform, platformVersion))
        return FindGuestTableForHardware(product->HardwareVersion);
    return nullptr;
}

bool SameGuestName(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::optional<GuestPosition> FindGuestCell(const GuestTable& table, std::string_view configName)
{
    // Empty cells compare as "", so an empty name finds the first free cell in scan order.
    for (std::int16_t family = 0; family < table.Families; ++family) {
        for (std::int16_t version = 0; version < table.Versions; ++version) {
            if (SameGuestName(table.Cell(family, version).ConfigName, configName))
                return GuestPosition{family, version};
        }
    }
    return std::nullopt;
}

} // namespace tarvonel::detail
