// SPDX-License-Identifier: MIT
// clsGeneral: defaults, the display name and its summary, and keeping the guest's name and its
// table position in step.
#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

#include <limits>

namespace {

class GeneralOptions : public ::testing::Test {
protected:
    void SelectTable(std::int16_t platform, std::int16_t version)
    {
        general->SetTargetPlatform(platform);
        general->SetPlatformVersion(version);
    }
    void ExpectGuest(std::int16_t family, std::int16_t version, const std::string& name)
    {
        EXPECT_EQ(general->GuestFamily(), family);
        EXPECT_EQ(general->GuestVersion(), version);
        EXPECT_EQ(general->GuestOSName(), name);
    }

    tarvonel::VirtualMachine vm;
    std::shared_ptr<tarvonel::clsGeneral> general = vm.Options()->GeneralOptions();
};

TEST_F(GeneralOptions, NewObjectIsEmpty)
{
    EXPECT_EQ(general->ID(), "");
    EXPECT_EQ(general->Summary(), "");
    EXPECT_EQ(general->DisplayName(), "");
    EXPECT_EQ(general->VmxFileName(), "");
    EXPECT_EQ(general->VmxPath(), "");
    EXPECT_EQ(general->WorkingPath(), "");
    EXPECT_EQ(general->ConfigVersion(), 0);
    EXPECT_EQ(general->HardwareVersion(), 0);
    EXPECT_EQ(general->TargetPlatform(), 0);
    EXPECT_EQ(general->PlatformVersion(), 0);
    ExpectGuest(0, 0, "");
    EXPECT_TRUE(general->SupportedGuests().empty());
}

TEST_F(GeneralOptions, SummaryFollowsDisplayNameOnly)
{
    general->SetDisplayName("Build box");
    EXPECT_EQ(general->Summary(), "Build box");
    general->SetVmxFileName("other.vmx");
    general->SetWorkingPath(".");
    EXPECT_EQ(general->Summary(), "Build box");
    general->SetDisplayName("");
    EXPECT_EQ(general->Summary(), "");
    EXPECT_EQ(general->ID(), "");
}

TEST_F(GeneralOptions, PlainValuesKeepTheFull16BitRange)
{
    const auto lo = std::numeric_limits<std::int16_t>::min();
    const auto hi = std::numeric_limits<std::int16_t>::max();
    general->SetConfigVersion(hi);
    general->SetHardwareVersion(lo);
    general->SetGuestFamily(lo);
    EXPECT_EQ(general->ConfigVersion(), hi);
    EXPECT_EQ(general->HardwareVersion(), lo);
    EXPECT_EQ(general->GuestFamily(), lo);
    general->SetTargetPlatform(hi);
    general->SetPlatformVersion(lo);
    EXPECT_EQ(general->TargetPlatform(), hi);
    EXPECT_EQ(general->PlatformVersion(), lo);
    EXPECT_TRUE(general->SupportedGuests().empty());
}

TEST_F(GeneralOptions, GuestNameFindsItsCellIgnoringCase)
{
    SelectTable(0, 0);
    general->SetGuestOSName("WINXPPRO");
    ExpectGuest(0, 9, "WINXPPRO"); // the name is kept as given

    general->SetGuestOSName("rhel4"); // not a GSX Server 2.5x guest
    ExpectGuest(0, 9, "rhel4");

    general->SetGuestOSName("Other");
    ExpectGuest(3, 2, "Other");

    // Darwin's configuration name has a capital D; files with "darwin" still find it.
    SelectTable(1, 4);
    general->SetGuestOSName("darwin");
    ExpectGuest(4, 3, "darwin");
}

TEST_F(GeneralOptions, GuestNameTakesTheFirstMatch)
{
    // "netware6" is in family 2 at version 2 for GSX Server 2.5x, at version 0 for Workstation 3.x.
    SelectTable(0, 0);
    general->SetGuestOSName("netware6");
    ExpectGuest(2, 2, "netware6");
    SelectTable(1, 0);
    general->SetGuestOSName("netware6");
    ExpectGuest(2, 0, "netware6");
}

TEST_F(GeneralOptions, EmptyGuestNameSelectsTheFirstEmptyCell)
{
    SelectTable(0, 0); // Windows fills all 13 versions; Linux has one guest
    general->SetGuestOSName("");
    ExpectGuest(1, 1, "");
    SelectTable(1, 4); // Windows has 19 of 22
    general->SetGuestOSName("");
    ExpectGuest(0, 19, "");
}

TEST_F(GeneralOptions, GuestVersionSetsTheName)
{
    SelectTable(1, 0);
    general->SetGuestFamily(2);
    EXPECT_EQ(general->GuestOSName(), ""); // the family alone changes nothing else
    general->SetGuestVersion(0);
    ExpectGuest(2, 0, "netware6");

    general->SetGuestVersion(1); // past NetWare's one guest: an empty cell
    ExpectGuest(2, 1, "");

    SelectTable(1, 4);
    general->SetGuestFamily(0);
    general->SetGuestVersion(18);
    ExpectGuest(0, 18, "longhorn-64");
    general->SetGuestFamily(4);
    general->SetGuestVersion(21); // last cell of the widest table
    ExpectGuest(4, 21, "");
}

TEST_F(GeneralOptions, GuestCallsWithoutATableFailAndChangeNothing)
{
    general->SetGuestFamily(1);
    EXPECT_THROW(general->SetGuestOSName("winXPPro"), tarvonel::SubscriptOutOfRange);
    ExpectGuest(1, 0, "");
    try {
        general->SetGuestVersion(0);
        FAIL() << "no table is current";
    } catch (const tarvonel::Error& e) {
        EXPECT_EQ(e.Number(), 9);
    }
    ExpectGuest(1, 0, "");
}

TEST_F(GeneralOptions, GuestVersionOutsideTheTableFailsAndChangesNothing)
{
    SelectTable(0, 0); // 4 x 13
    general->SetGuestOSName("win98");
    ExpectGuest(0, 2, "win98");

    EXPECT_THROW(general->SetGuestVersion(13), tarvonel::SubscriptOutOfRange);
    EXPECT_THROW(general->SetGuestVersion(-1), tarvonel::SubscriptOutOfRange);
    EXPECT_THROW(general->SetGuestVersion(std::numeric_limits<std::int16_t>::max()),
                 tarvonel::SubscriptOutOfRange);
    ExpectGuest(0, 2, "win98");

    general->SetGuestFamily(4); // a 4-family table has no family 4
    EXPECT_THROW(general->SetGuestVersion(0), tarvonel::SubscriptOutOfRange);
    general->SetGuestFamily(-1);
    EXPECT_THROW(general->SetGuestVersion(0), tarvonel::SubscriptOutOfRange);
    ExpectGuest(-1, 2, "win98");

    // The same family exists in a 5-family table.
    SelectTable(1, 4);
    general->SetGuestFamily(4);
    general->SetGuestVersion(0);
    ExpectGuest(4, 0, "dos");
}

} // namespace
