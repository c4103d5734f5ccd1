// SPDX-License-Identifier: MIT
// The nine guest tables: which (product, version) pair selects which table, and their content.
#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using tarvonel::GuestOSVer;
using Rows = std::vector<std::vector<GuestOSVer>>;

// Expected guests, written out independently of the library's own tables.
const std::vector<GuestOSVer> kWindows13 = {
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
const std::vector<GuestOSVer> kOther3 = {{"MS-DOS", "dos"}, {"FreeBSD", "freeBSD"}, {"Other", "other"}};

/** Every cell of a table: the listed guests of each family, then empty cells up to the width. */
void ExpectTable(const Rows& actual, const Rows& guestsByFamily, std::size_t versions)
{
    ASSERT_EQ(actual.size(), guestsByFamily.size());
    for (std::size_t f = 0; f < actual.size(); ++f) {
        ASSERT_EQ(actual[f].size(), versions) << "family " << f;
        for (std::size_t v = 0; v < versions; ++v) {
            const GuestOSVer expected = v < guestsByFamily[f].size() ? guestsByFamily[f][v] : GuestOSVer{};
            EXPECT_EQ(actual[f][v].DisplayedName, expected.DisplayedName) << "cell (" << f << ", " << v << ")";
            EXPECT_EQ(actual[f][v].ConfigName, expected.ConfigName) << "cell (" << f << ", " << v << ")";
        }
    }
}

class GuestTables : public ::testing::Test {
protected:
    Rows Select(std::int16_t platform, std::int16_t version)
    {
        general->SetTargetPlatform(platform);
        general->SetPlatformVersion(version);
        return general->SupportedGuests();
    }

    /** Number of guests per family (cells before the first empty one). */
    static std::vector<std::size_t> Counts(const Rows& rows)
    {
        std::vector<std::size_t> counts;
        for (const auto& row : rows) {
            std::size_t n = 0;
            while (n < row.size() && !row[n].ConfigName.empty())
                ++n;
            for (std::size_t v = n; v < row.size(); ++v)
                EXPECT_EQ(row[v], GuestOSVer{}) << "gap before a guest at version " << v;
            counts.push_back(n);
        }
        return counts;
    }

    tarvonel::VirtualMachine vm;
    std::shared_ptr<tarvonel::clsGeneral> general = vm.Options()->GeneralOptions();
};

TEST_F(GuestTables, GsxServer25IsT1)
{
    ExpectTable(Select(0, 0),
                {kWindows13,
                 {{"Linux", "linux"}},
                 {{"NetWare 4", "netware4"}, {"NetWare 5", "netware5"}, {"NetWare 6", "netware6"}},
                 kOther3},
                13);
}

TEST_F(GuestTables, Workstation3IsT3WithExperimentalEntries)
{
    std::vector<GuestOSVer> windows = kWindows13;
    windows[10].DisplayedName = "2003 Web Edition (exp)";
    windows[11].DisplayedName = "2003 Standard (exp)";
    windows[12].DisplayedName = "2003 Enterprise (exp)";
    ExpectTable(Select(1, 0), {windows, {{"Linux", "linux"}}, {{"NetWare 6 (exp)", "netware6"}}, kOther3}, 13);
}

TEST_F(GuestTables, Workstation55IsT7)
{
    std::vector<GuestOSVer> windows(kWindows13.begin(), kWindows13.begin() + 10);
    for (GuestOSVer g : std::vector<GuestOSVer>{{"XP Professional-64", "winXPPro-64"},
                                                {"2003 Web Edition", "winNetWeb"},
                                                {"2003 Standard", "winNetStandard"},
                                                {"2003 Standard-64", "winNetStandard-64"},
                                                {"2003 Enterprise", "winNetEnterprise"},
                                                {"2003 Enterprise-64", "winNetEnterprise-64"},
                                                {"2003 Small Business Server", "winNetBusiness"},
                                                {"Vista (exp)", "longhorn"},
                                                {"Vista-64 (exp)", "longhorn-64"}})
        windows.push_back(g);
    const std::vector<GuestOSVer> linuxGuests = {
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
    const Rows t7 = {windows,
                     linuxGuests,
                     {{"NetWare 5", "netware5"}, {"NetWare 6", "netware6"}},
                     {{"Solaris 9 (exp)", "solaris9"},
                      {"Solaris 10 (exp)", "solaris10"},
                      {"Solaris 10-64 (exp)", "solaris10-64"}},
                     {{"MS-DOS", "dos"},
                      {"FreeBSD", "freeBSD"},
                      {"FreeBSD-64", "freeBSD-64"},
                      {"Darwin (unsupported)", "Darwin"},
                      {"Other", "other"},
                      {"Other-64", "other-64"}}};
    ExpectTable(Select(1, 4), t7, 22);

    // Player 1.x and Server 1.x offer the same guests.
    ExpectTable(Select(2, 0), t7, 22);
    ExpectTable(Select(3, 0), t7, 22);
}

TEST_F(GuestTables, EveryTableHasItsShapeAndFamilySizes)
{
    struct Expected {
        std::int16_t platform, version;
        std::size_t versions;
        std::vector<std::size_t> counts;
    };
    const std::vector<Expected> tables = {
        {0, 0, 13, {13, 1, 3, 3}},     {0, 1, 15, {15, 11, 3, 2, 3}}, {1, 0, 13, {13, 1, 1, 3}},
        {1, 1, 13, {13, 1, 2, 3}},     {1, 2, 15, {15, 10, 2, 2, 3}}, {1, 3, 15, {15, 13, 2, 2, 3}},
        {1, 4, 22, {19, 22, 2, 3, 6}}, {2, 0, 22, {19, 22, 2, 3, 6}}, {3, 0, 22, {19, 22, 2, 3, 6}},
    };
    for (const Expected& t : tables) {
        SCOPED_TRACE("platform " + std::to_string(t.platform) + " version " + std::to_string(t.version));
        const Rows rows = Select(t.platform, t.version);
        for (const auto& row : rows)
            EXPECT_EQ(row.size(), t.versions);
        EXPECT_EQ(Counts(rows), t.counts);
    }
}

TEST_F(GuestTables, TablesThatDifferOnlyInAFewGuests)
{
    // GSX Server 3.x: the 15 Windows guests end with Small Business Server and Longhorn, NetWare 4 stays.
    Rows rows = Select(0, 1);
    EXPECT_EQ(rows[0][13], (GuestOSVer{"2003 Small Business Server", "winNetBusiness"}));
    EXPECT_EQ(rows[0][14], (GuestOSVer{"Longhorn (exp)", "longhorn"}));
    EXPECT_EQ(rows[1][3], (GuestOSVer{"Red Hat Enterprise Linux 4", "rhel4"}));
    EXPECT_EQ(rows[2][0], (GuestOSVer{"NetWare 4", "netware4"}));
    EXPECT_EQ(rows[3][1], (GuestOSVer{"Solaris 10 (exp)", "solaris10"}));

    // Workstation 4.0x: NetWare starts at 5, Windows without the "(exp)" marks.
    rows = Select(1, 1);
    EXPECT_EQ(rows[0][10], (GuestOSVer{"2003 Web Edition", "winNetWeb"}));
    EXPECT_EQ(rows[2][0], (GuestOSVer{"NetWare 5", "netware5"}));

    // Workstation 4.5x: Red Hat Enterprise Linux 4 is missing, SUSE moves up.
    rows = Select(1, 2);
    EXPECT_EQ(rows[1][3], (GuestOSVer{"SUSE Linux", "suse"}));
    EXPECT_EQ(rows[1][9], (GuestOSVer{"Other Linux", "otherLinux"}));

    // Workstation 5.0x: the two desktops come after SUSE Linux Enterprise Server.
    rows = Select(1, 3);
    EXPECT_EQ(rows[1][6], (GuestOSVer{"Novell Linux Desktop 9", "nld9"}));
    EXPECT_EQ(rows[1][7], (GuestOSVer{"Sun Java Desktop System", "sjds"}));
    EXPECT_EQ(rows[1][8], (GuestOSVer{"Mandrake Linux", "mandrake"}));
    EXPECT_EQ(rows[4][2], (GuestOSVer{"Other", "other"}));
}

TEST_F(GuestTables, NoTableUntilAListedPairIsAssigned)
{
    EXPECT_TRUE(general->SupportedGuests().empty());
    general->SetTargetPlatform(3); // (3, 0) is Server 1.x: the default version already selects it
    EXPECT_EQ(general->SupportedGuests().size(), 5u);

    tarvonel::VirtualMachine other;
    auto g = other.Options()->GeneralOptions();
    g->SetPlatformVersion(3);  // (0, 3): GSX Server has no fourth version
    g->SetTargetPlatform(3);   // (3, 3): Server has two
    g->SetPlatformVersion(14); // (3, 14)
    g->SetTargetPlatform(4);   // (4, 14): ESXi has fourteen versions, 0 to 13
    g->SetTargetPlatform(2);   // (2, 14): Player has thirteen
    g->SetTargetPlatform(5);   // (5, 14)
    g->SetPlatformVersion(0);  // (5, 0): there are five products
    g->SetTargetPlatform(-1);  // (-1, 0)
    EXPECT_TRUE(g->SupportedGuests().empty());
    g->SetTargetPlatform(0); // (0, 0) at last
    EXPECT_EQ(g->SupportedGuests().size(), 4u);
    // Today's versions select the table of the hardware they create.
    g->SetTargetPlatform(4);
    g->SetPlatformVersion(13); // ESXi 8.0 U2, hardware 21
    const auto guests = g->SupportedGuests();
    ASSERT_EQ(guests.size(), 5u);
    g->SetGuestOSName("windows11-64");
    EXPECT_EQ(g->GuestOSName(), "windows11-64");
    EXPECT_EQ(guests[static_cast<std::size_t>(g->GuestFamily())][static_cast<std::size_t>(g->GuestVersion())].ConfigName,
              "windows11-64");
}

TEST_F(GuestTables, UnlistedPairKeepsTheCurrentTableAndTheGuest)
{
    Select(1, 4);
    general->SetGuestOSName("winXPPro-64");
    general->SetTargetPlatform(0); // (0, 4): nothing
    EXPECT_EQ(general->SupportedGuests()[0].size(), 22u);
    EXPECT_EQ(general->SupportedGuests()[0][10].ConfigName, "winXPPro-64");
    EXPECT_EQ(general->GuestVersion(), 10);
    EXPECT_EQ(general->GuestOSName(), "winXPPro-64");

    // A listed pair switches the table but leaves the guest fields alone, even when they no
    // longer fit it: the editor chooses the guest again.
    general->SetPlatformVersion(0);
    EXPECT_EQ(general->SupportedGuests().size(), 4u);
    EXPECT_EQ(general->GuestFamily(), 0);
    EXPECT_EQ(general->GuestVersion(), 10);
    EXPECT_EQ(general->GuestOSName(), "winXPPro-64");
}

TEST_F(GuestTables, SupportedGuestsIsACopy)
{
    Rows rows = Select(1, 4);
    rows[0][0].ConfigName = "changed";
    rows.clear();
    EXPECT_EQ(general->SupportedGuests()[0][0].ConfigName, "win31");
}

} // namespace
