// SPDX-License-Identifier: MIT
#include "config/ChoiceLists.h"
#include "platform/TextTable.h"

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

#include <algorithm>

using namespace zentravolix::config;
using Strings = std::vector<std::string>;

namespace {
bool contains(const Strings& list, const std::string& text)
{
    return std::find(list.begin(), list.end(), text) != list.end();
}

// The lists hand out text ids; these look them up as the editor and the tool do.
Strings captions(const std::vector<int>& ids)
{
    Strings out;
    for (int id : ids)
        out.push_back(zentravolix::platform::LoadCaption(id));
    return out;
}

Strings captions(const std::vector<ListEntry>& entries)
{
    Strings out;
    for (const auto& entry : entries)
        out.push_back(entry.textId != 0 ? zentravolix::platform::LoadCaption(entry.textId) : entry.name);
    return out;
}
} // namespace

TEST(GuestFamilies, FourOrFiveFamiliesByProductVersion)
{
    const Strings four{"Microsoft Windows", "Linux", "NetWare", "Other"};
    const Strings five{"Microsoft Windows", "Linux", "NetWare", "Solaris", "Other"};
    EXPECT_EQ(captions(GuestFamilyTextIds(0, 0)), four); // GSX Server 2.5x: Other at position 3
    EXPECT_EQ(captions(GuestFamilyTextIds(1, 0)), four);
    EXPECT_EQ(captions(GuestFamilyTextIds(1, 1)), four);
    EXPECT_EQ(captions(GuestFamilyTextIds(0, 1)), five); // GSX Server 3.x: Solaris at position 3
    for (std::int16_t v : {2, 3, 4})
        EXPECT_EQ(captions(GuestFamilyTextIds(1, v)), five);
    EXPECT_EQ(captions(GuestFamilyTextIds(2, 0)), five);
    EXPECT_EQ(captions(GuestFamilyTextIds(3, 0)), five);
    // Today's versions have the five families; pairs outside the catalog none.
    EXPECT_EQ(captions(GuestFamilyTextIds(2, 1)), five);
    EXPECT_EQ(captions(GuestFamilyTextIds(1, 5)), five);
    EXPECT_EQ(captions(GuestFamilyTextIds(4, 0)), five);
    EXPECT_TRUE(captions(GuestFamilyTextIds(2, 13)).empty());
    EXPECT_TRUE(captions(GuestFamilyTextIds(5, 0)).empty());
}

TEST(GuestFamilies, VersionListSkipsEmptyCellsAndSurvivesBadFamily)
{
    tarvonel::VirtualMachine vm;
    auto general = vm.Options()->GeneralOptions();
    EXPECT_TRUE(GuestVersionCaptions(*general).empty()); // no table current yet

    general->SetTargetPlatform(1);
    general->SetPlatformVersion(4);
    general->SetGuestFamily(3); // Solaris of Workstation 5.5x
    EXPECT_EQ(GuestVersionCaptions(*general),
              (Strings{"Solaris 9 (exp)", "Solaris 10 (exp)", "Solaris 10-64 (exp)"}));
    general->SetGuestFamily(0);
    EXPECT_EQ(GuestVersionCaptions(*general).size(), 19u);

    general->SetGuestFamily(7);
    EXPECT_TRUE(GuestVersionCaptions(*general).empty());
}

TEST(DeviceChoices, E1000OnlyForWorkstation55PlayerAndServer)
{
    for (std::int16_t v = 0; v <= 3; ++v)
        EXPECT_EQ(NicTypeCaptions(1, v), (Strings{"AMD Lance", "VMXNet"}));
    EXPECT_EQ(NicTypeCaptions(0, 1), (Strings{"AMD Lance", "VMXNet"}));
    EXPECT_EQ(NicTypeCaptions(1, 4), (Strings{"AMD Lance", "VMXNet", "E1000"}));
    EXPECT_TRUE(contains(NicTypeCaptions(2, 0), "E1000"));
    EXPECT_TRUE(contains(NicTypeCaptions(3, 0), "E1000"));
}

TEST(DeviceChoices, AutoDetectOnlyForWorkstation55AndPlayer)
{
    const Strings none;
    // A host without ports of its own is offered the usual device paths.
    const Strings ttys{"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
    const Strings parports{"/dev/parport0", "/dev/parport1", "/dev/parport2"};
    Strings withAuto{"auto detect"};
    withAuto.insert(withAuto.end(), ttys.begin(), ttys.end());
    EXPECT_EQ(captions(SerialPortChoices(1, 4, none)), withAuto);
    EXPECT_EQ(captions(SerialPortChoices(2, 0, none)).front(), "auto detect");
    EXPECT_EQ(captions(SerialPortChoices(1, 3, none)), ttys); // 5.0x
    EXPECT_EQ(captions(SerialPortChoices(3, 0, none)), ttys); // Server
    EXPECT_EQ(captions(ParallelPortChoices(1, 4, none)),
              (Strings{"auto detect", "/dev/parport0", "/dev/parport1", "/dev/parport2"}));
    EXPECT_EQ(captions(ParallelPortChoices(3, 0, none)), parports);
    EXPECT_EQ(captions(FloppyDriveChoices(1, 4, none)), (Strings{"auto detect"}));
    EXPECT_TRUE(captions(FloppyDriveChoices(0, 0, none)).empty());
}

TEST(DeviceChoices, HostPortsReplaceTheFallbackNames)
{
    const Strings host{"/dev/ttyS0", "/dev/ttyUSB0"};
    EXPECT_EQ(captions(SerialPortChoices(1, 4, host)),
              (Strings{"auto detect", "/dev/ttyS0", "/dev/ttyUSB0"}));
    EXPECT_EQ(captions(SerialPortChoices(1, 3, host)), host);
    EXPECT_EQ(captions(ParallelPortChoices(2, 0, {"/dev/parport0"})),
              (Strings{"auto detect", "/dev/parport0"}));
    EXPECT_EQ(captions(FloppyDriveChoices(0, 1, {"/dev/fd0", "/dev/sdb"})),
              (Strings{"/dev/fd0", "/dev/sdb"}));
}

TEST(DeviceChoices, FixedLists)
{
    const auto nets = VirtualNetworkCaptions();
    ASSERT_EQ(nets.size(), 10u);
    EXPECT_EQ(nets[0], "VMnet0 (Bridged)");
    EXPECT_EQ(nets[1], "VMnet1 (Host-Only)");
    EXPECT_EQ(nets[8], "VMnet8 (NAT)");
    EXPECT_EQ(nets[9], "VMnet9");
    EXPECT_EQ(AudioTypeCaptions(), (Strings{"ES1371", "SB16", "SB16 + OPL3/Yamaha Synth"}));
    EXPECT_EQ(captions(PipeEnd1TextIds()), (Strings{"Server", "Client"}));
    EXPECT_EQ(captions(PipeEnd2TextIds()), (Strings{"VM", "Application"}));
}

TEST(ChoiceLists, TranslatedEntriesComeAsTextIdsWhateverTheLanguage)
{
    // The lists never look texts up: in German they are the same ids and host names.
    zentravolix::platform::SetLanguageOffset(500);
    EXPECT_EQ(GuestFamilyTextIds(1, 4), (std::vector<int>{220, 221, 222, 223, 224}));
    EXPECT_EQ(SerialPortChoices(1, 4, {"/dev/ttyS0"}),
              (std::vector<ListEntry>{{AutoDetectTextId, {}}, {0, "/dev/ttyS0"}}));
    EXPECT_EQ(FloppyDriveChoices(2, 0, {}), (std::vector<ListEntry>{{AutoDetectTextId, {}}}));
    EXPECT_EQ(PipeEnd2TextIds(), (std::vector<int>{8, 317}));
    zentravolix::platform::SetLanguageOffset(0);
}
