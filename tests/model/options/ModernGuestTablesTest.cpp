// SPDX-License-Identifier: MIT
// The guest tables of today's products, chosen by virtual hardware version: which guests each
// hardware version offers, their guestOS keys, and finding a file's key in them.
#include "options/GuestTables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using tarvonel::detail::FindGuestCell;
using tarvonel::detail::FindGuestTableForHardware;
using tarvonel::detail::GuestTable;
using tarvonel::detail::SameGuestName;

constexpr std::int16_t kNewest = 21;

std::vector<std::string> KeysOf(const GuestTable& table, std::int16_t family)
{
    std::vector<std::string> keys;
    for (std::int16_t v = 0; v < table.Versions; ++v) {
        const auto cell = table.Cell(family, v);
        if (!cell.ConfigName.empty())
            keys.emplace_back(cell.ConfigName);
    }
    return keys;
}

bool Offers(const GuestTable& table, const std::string& key)
{
    for (std::int16_t f = 0; f < table.Families; ++f) {
        for (const auto& k : KeysOf(table, f)) {
            if (k == key)
                return true;
        }
    }
    return false;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

TEST(ModernGuestTables, EachHardwareVersionFindsTheTableOfItsRange)
{
    for (const std::int16_t hw : {std::numeric_limits<std::int16_t>::min(), std::int16_t{-1}, std::int16_t{0},
                                  std::int16_t{3}, std::int16_t{4}, std::int16_t{5}})
        EXPECT_EQ(FindGuestTableForHardware(hw), nullptr) << "hardware " << hw;

    // Hardware versions that share a table, one group per range; the newest range goes on.
    const std::vector<std::vector<std::int16_t>> ranges = {
        {6}, {7}, {8, 9, 10}, {11, 12, 13}, {14, 15, 16, 17}, {18, 19}, {20, 21, 22, 100, 32767}};
    std::set<const GuestTable*> seen;
    for (const auto& range : ranges) {
        const GuestTable* first = FindGuestTableForHardware(range.front());
        ASSERT_NE(first, nullptr) << "hardware " << range.front();
        EXPECT_TRUE(seen.insert(first).second)
            << "hardware " << range.front() << " shares an earlier range's table";
        for (const std::int16_t hw : range)
            EXPECT_EQ(FindGuestTableForHardware(hw), first) << "hardware " << hw;
    }

    // None of them is one of the tables of the older products.
    for (const auto& [platform, version] : std::vector<std::pair<int, int>>{
             {0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 0}, {3, 0}})
        EXPECT_EQ(seen.count(tarvonel::detail::FindGuestTable(static_cast<std::int16_t>(platform),
                                                              static_cast<std::int16_t>(version))),
                  0u);
}

TEST(ModernGuestTables, TheNewestTableHoldsTodaysGuestsWithTheKeyMapsSpelling)
{
    const GuestTable* t = FindGuestTableForHardware(kNewest);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->Families, 5);
    // Written out from VMware's guest key map, family by family.
    EXPECT_EQ(KeysOf(*t, 0), (std::vector<std::string>{"winXPHome",         "winXPPro",
                                                       "winXPPro-64",       "winNetWeb",
                                                       "winNetStandard",    "winNetStandard-64",
                                                       "winNetEnterprise",  "winNetEnterprise-64",
                                                       "winNetDatacenter",  "winNetDatacenter-64",
                                                       "winNetBusiness",    "winvista",
                                                       "winvista-64",       "longhorn",
                                                       "longhorn-64",       "windows7",
                                                       "windows7-64",       "windows7srv-64",
                                                       "windows8",          "windows8-64",
                                                       "windows8srv-64",    "windows9",
                                                       "windows9-64",       "windows9srv-64",
                                                       "windows2019srv-64", "windows2019srvNext-64",
                                                       "windows11-64",      "windows2022srvNext-64"}));
    EXPECT_EQ(
        KeysOf(*t, 1),
        (std::vector<std::string>{
            "rhel6",           "rhel6-64",        "rhel7",           "rhel7-64",         "rhel8-64",
            "rhel9-64",        "centos7-64",      "centos8-64",      "centos9-64",       "oraclelinux6",
            "oraclelinux6-64", "oraclelinux7-64", "oraclelinux8-64", "oraclelinux9-64",  "rockylinux-64",
            "almalinux-64",    "fedora",          "fedora-64",       "sles12",           "sles12-64",
            "sles15-64",       "debian8",         "debian8-64",      "debian9",          "debian9-64",
            "debian10",        "debian10-64",     "debian11",        "debian11-64",      "debian12",
            "debian12-64",     "ubuntu",          "ubuntu-64",       "vmware-photon-64", "other3xlinux",
            "other3xlinux-64", "other4xlinux",    "other4xlinux-64", "other5xlinux",     "other5xlinux-64",
            "other6xlinux",    "other6xlinux-64", "otherlinux",      "otherlinux-64"}));
    EXPECT_TRUE(KeysOf(*t, 2).empty()) << "NetWare keeps its position but no guest";
    EXPECT_EQ(KeysOf(*t, 3), std::vector<std::string>{"solaris11-64"});
    EXPECT_EQ(KeysOf(*t, 4),
              (std::vector<std::string>{"freeBSD11", "freeBSD11-64", "freeBSD12", "freeBSD12-64", "freeBSD13",
                                        "freeBSD13-64", "freeBSD14", "freeBSD14-64", "other", "other-64"}));
    // One-way aliases of the key map are never offered: they would be written back as another key.
    for (const char* alias : {"centos7", "oraclelinux7", "linux", "nt4", "win2000"})
        EXPECT_FALSE(Offers(*t, alias)) << alias;
}

TEST(ModernGuestTables, EachGuestAppearsFromItsHardwareVersionOnAndStays)
{
    // The first hardware version offering each guest; every key of the newest table is listed.
    const std::map<std::int16_t, std::vector<std::string>> firstOffered = {
        {6, {"winXPHome",        "winXPPro",
             "winXPPro-64",      "winNetWeb",
             "winNetStandard",   "winNetStandard-64",
             "winNetEnterprise", "winNetEnterprise-64",
             "winNetDatacenter", "winNetDatacenter-64",
             "winNetBusiness",   "winvista",
             "winvista-64",      "fedora",
             "fedora-64",        "ubuntu",
             "ubuntu-64",        "otherlinux",
             "otherlinux-64",    "other",
             "other-64"}},
        {7, {"longhorn", "longhorn-64", "rhel6", "rhel6-64"}},
        {8,
         {"windows7", "windows7-64", "windows7srv-64", "windows8", "windows8-64", "windows8srv-64",
          "oraclelinux6", "oraclelinux6-64", "other3xlinux", "other3xlinux-64"}},
        {11,
         {"windows9", "windows9-64", "rhel7", "rhel7-64", "centos7-64", "oraclelinux7-64", "sles12",
          "sles12-64", "solaris11-64"}},
        {14,
         {"windows9srv-64", "windows2019srv-64", "debian8", "debian8-64", "debian9", "debian9-64",
          "vmware-photon-64", "other4xlinux", "other4xlinux-64", "freeBSD11", "freeBSD11-64"}},
        {18,
         {"rhel8-64", "centos8-64", "oraclelinux8-64", "sles15-64", "debian10", "debian10-64", "debian11",
          "debian11-64", "other5xlinux", "other5xlinux-64", "freeBSD12", "freeBSD12-64"}},
        {20,
         {"windows2019srvNext-64", "windows11-64", "windows2022srvNext-64", "rhel9-64", "centos9-64",
          "oraclelinux9-64", "rockylinux-64", "almalinux-64", "debian12", "debian12-64", "other6xlinux",
          "other6xlinux-64", "freeBSD13", "freeBSD13-64", "freeBSD14", "freeBSD14-64"}},
    };
    std::size_t listed = 0;
    for (const auto& [since, keys] : firstOffered) {
        for (const auto& key : keys) {
            ++listed;
            for (std::int16_t hw = 6; hw <= kNewest; ++hw)
                EXPECT_EQ(Offers(*FindGuestTableForHardware(hw), key), hw >= since)
                    << key << " at hardware " << hw;
        }
    }
    const GuestTable* newest = FindGuestTableForHardware(kNewest);
    std::size_t inNewest = 0;
    for (std::int16_t f = 0; f < newest->Families; ++f)
        inNewest += KeysOf(*newest, f).size();
    EXPECT_EQ(listed, inNewest);

    // The cut-offs asked of the two best-known guests.
    EXPECT_FALSE(Offers(*FindGuestTableForHardware(10), "windows9-64"));
    EXPECT_TRUE(Offers(*FindGuestTableForHardware(11), "windows9-64"));
    EXPECT_FALSE(Offers(*FindGuestTableForHardware(19), "windows11-64"));
    EXPECT_TRUE(Offers(*FindGuestTableForHardware(20), "windows11-64"));
}

TEST(ModernGuestTables, EveryTableIsWellFormed)
{
    for (std::int16_t hw = 6; hw <= kNewest; ++hw) {
        SCOPED_TRACE("hardware " + std::to_string(hw));
        const GuestTable& t = *FindGuestTableForHardware(hw);
        ASSERT_EQ(t.Families, 5);
        std::size_t widest = 0;
        std::set<std::string> keys, names;
        for (std::int16_t f = 0; f < t.Families; ++f) {
            const auto& row = t.Rows[static_cast<std::size_t>(f)];
            EXPECT_LE(row.size(), static_cast<std::size_t>(t.Versions)) << "family " << f;
            widest = std::max(widest, row.size());
            for (const auto& cell : row) {
                const std::string key(cell.ConfigName), name(cell.DisplayedName);
                EXPECT_FALSE(key.empty()) << "a gap in family " << f;
                EXPECT_FALSE(name.empty()) << key;
                // Unique ignoring case, so a file's key finds exactly one cell; names unique too.
                EXPECT_TRUE(keys.insert(Lower(key)).second) << key;
                EXPECT_TRUE(names.insert(name).second) << name;
                // A 64-bit key says so in its shown name, and only then.
                const bool key64 = key.size() > 3 && key.compare(key.size() - 3, 3, "-64") == 0;
                const bool name64 = name.ends_with(" x64") || name.ends_with(" 64-bit");
                EXPECT_EQ(key64, name64) << key << " / " << name;
            }
        }
        EXPECT_EQ(static_cast<std::size_t>(t.Versions), widest);
        // Every family keeps at least one guest but NetWare, so the families' captions stay put.
        EXPECT_FALSE(t.Rows[0].empty());
        EXPECT_FALSE(t.Rows[1].empty());
        EXPECT_TRUE(t.Rows[2].empty());
        EXPECT_FALSE(t.Rows[4].empty());
    }
}

TEST(ModernGuestTables, AFilesKeyFindsItsCellWhateverItsLetterCase)
{
    const GuestTable& t = *FindGuestTableForHardware(kNewest);
    const auto at = [&](const char* key) {
        const auto cell = FindGuestCell(t, key);
        return cell ? std::pair<int, std::string>{cell->Family,
                                                  std::string(t.Cell(cell->Family, cell->Version).ConfigName)}
                    : std::pair<int, std::string>{-1, ""};
    };
    EXPECT_EQ(at("WINDOWS11-64"), (std::pair<int, std::string>{0, "windows11-64"}));
    EXPECT_EQ(at("winxppro"), (std::pair<int, std::string>{0, "winXPPro"}));
    EXPECT_EQ(at("Windows2019SrvNext-64"), (std::pair<int, std::string>{0, "windows2019srvNext-64"}));
    EXPECT_EQ(at("RHEL9-64"), (std::pair<int, std::string>{1, "rhel9-64"}));
    EXPECT_EQ(at("otherLinux-64"), (std::pair<int, std::string>{1, "otherlinux-64"}));
    EXPECT_EQ(at("Solaris11-64"), (std::pair<int, std::string>{3, "solaris11-64"}));
    EXPECT_EQ(at("freebsd14-64"), (std::pair<int, std::string>{4, "freeBSD14-64"}));
    // Keys these products do not list find nothing (the model then keeps the file's name as is).
    EXPECT_EQ(at("RHEL5"), (std::pair<int, std::string>{-1, ""}));
    EXPECT_EQ(at("win31"), (std::pair<int, std::string>{-1, ""}));
    EXPECT_EQ(at("windows11"), (std::pair<int, std::string>{-1, ""}));
    // An empty name finds the first empty cell: Windows is narrower than Linux.
    const auto empty = FindGuestCell(t, "");
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->Family, 0);
    EXPECT_EQ(empty->Version, 28);

    EXPECT_TRUE(SameGuestName("freeBSD", "FREEBSD"));
    EXPECT_FALSE(SameGuestName("rhel7", "rhel7-64"));
    EXPECT_FALSE(SameGuestName("other-64", "other_64"));
}

} // namespace
