// SPDX-License-Identifier: MIT
#include "config/ProductTables.h"
#include "platform/TextTable.h"

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

using namespace zentravolix::config;

namespace {

struct Row {
    std::int16_t platform, version, config, hardware;
    EditorLimits limits;
};

constexpr std::int32_t G128 = 268435456, G256 = 536870912, G950 = 1992294400;

const Row kExpected[] = {
    {0, 0, 6, 2, {1, 2048, 4, 2, G128, G256, false}}, {0, 1, 7, 3, {1, 3684, 4, 2, G128, G256, false}},
    {1, 0, 6, 2, {1, 1024, 3, 2, G128, G256, false}}, {1, 1, 7, 3, {1, 1024, 3, 2, G128, G256, false}},
    {1, 2, 7, 3, {1, 1024, 3, 2, G128, G256, false}}, {1, 3, 8, 4, {1, 3684, 4, 2, G950, G950, true}},
    {1, 4, 8, 4, {2, 3684, 4, 4, G950, G950, true}},  {2, 0, 8, 4, {1, 3684, 4, 2, G950, G950, true}},
    {3, 0, 8, 4, {2, 3684, 4, 3, G950, G950, true}},
};

} // namespace

TEST(VersionSettings, EveryRowWritesVersionsAndReturnsItsLimits)
{
    for (const Row& row : kExpected) {
        SCOPED_TRACE(testing::Message() << "platform " << row.platform << " version " << row.version);
        tarvonel::VirtualMachine vm;
        auto general = vm.Options()->GeneralOptions();
        general->SetTargetPlatform(row.platform);
        general->SetPlatformVersion(row.version);
        const auto limits = ApplyVersionSettings(*general);
        ASSERT_TRUE(limits.has_value());
        EXPECT_EQ(general->ConfigVersion(), row.config);
        EXPECT_EQ(general->HardwareVersion(), row.hardware);
        EXPECT_EQ(*limits, row.limits);
    }
}

TEST(VersionSettings, PairOutsideTheTableChangesNothing)
{
    tarvonel::VirtualMachine vm;
    auto general = vm.Options()->GeneralOptions();
    general->SetConfigVersion(8);
    general->SetHardwareVersion(4);
    for (auto [platform, version] : {std::pair<std::int16_t, std::int16_t>{0, 2}, {1, 5}, {2, 1}, {4, 0}, {-1, 0}}) {
        general->SetTargetPlatform(platform);
        general->SetPlatformVersion(version);
        EXPECT_FALSE(ApplyVersionSettings(*general).has_value());
        EXPECT_EQ(general->ConfigVersion(), 8);
        EXPECT_EQ(general->HardwareVersion(), 4);
    }
}

TEST(VersionSettings, PlatformAndVersionLists)
{
    std::vector<std::string> platforms;
    for (int id : TargetPlatformTextIds())
        platforms.push_back(zentravolix::platform::LoadCaption(id));
    EXPECT_EQ(platforms, (std::vector<std::string>{"GSX Server", "Workstation", "Player", "Server"}));
    EXPECT_EQ(PlatformVersionCaptions(0), (std::vector<std::string>{"2.5x", "3.x"}));
    EXPECT_EQ(PlatformVersionCaptions(1), (std::vector<std::string>{"3.x", "4.0x", "4.5x", "5.0x", "5.5x"}));
    EXPECT_EQ(PlatformVersionCaptions(2), (std::vector<std::string>{"1.x"}));
    EXPECT_EQ(PlatformVersionCaptions(3), (std::vector<std::string>{"1.x"}));
    EXPECT_TRUE(PlatformVersionCaptions(4).empty());
}
