// SPDX-License-Identifier: MIT
#include "config/ProductTables.h"
#include "platform/TextTable.h"

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

using namespace zentravolix::config;

namespace {

/** The limits every version always had; today's products add more fields after them. */
struct ClassicLimits {
    std::int16_t MaxCPUs;
    std::int32_t MaxMemoryMB;
    std::int16_t MaxNICs;
    std::int16_t MaxSCSIControllers;
    std::int32_t MaxIdeDiskSize;
    std::int32_t MaxScsiDiskSize;
    bool Display3DAvailable;
    bool operator==(const ClassicLimits&) const = default;
};

ClassicLimits classicPart(const EditorLimits& l)
{
    return {l.MaxCPUs, l.MaxMemoryMB, l.MaxNICs, l.MaxSCSIControllers, l.MaxIdeDiskSize, l.MaxScsiDiskSize,
            l.Display3DAvailable};
}

void PrintTo(const ClassicLimits& l, std::ostream* os)
{
    *os << l.MaxCPUs << " CPUs, " << l.MaxMemoryMB << " MB, " << l.MaxNICs << " NICs, " << l.MaxSCSIControllers
        << " SCSI, " << l.MaxIdeDiskSize << "/" << l.MaxScsiDiskSize << " sectors, 3D " << l.Display3DAvailable;
}

struct Row {
    std::int16_t platform, version, config, hardware;
    ClassicLimits limits;
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
        EXPECT_EQ(classicPart(*limits), row.limits);
        // The classic versions offer what their pages always offered, and nothing of today's.
        EXPECT_EQ(limits->MaxSATAControllers + limits->MaxNVMeControllers + limits->MaxGraphicsMemoryMB, 0);
        EXPECT_EQ(limits->Firmware, std::vector<std::string>{"bios"});
        EXPECT_FALSE(limits->SecureBoot);
        EXPECT_EQ(limits->ScsiTypes, (std::vector<std::string>{"buslogic", "lsilogic"}));
        EXPECT_TRUE(IsClassicVersion(row.platform, row.version));
    }
}

TEST(VersionSettings, PairOutsideTheTableChangesNothing)
{
    tarvonel::VirtualMachine vm;
    auto general = vm.Options()->GeneralOptions();
    general->SetConfigVersion(8);
    general->SetHardwareVersion(4);
    for (auto [platform, version] :
         {std::pair<std::int16_t, std::int16_t>{0, 2}, {1, 19}, {2, 13}, {3, 2}, {4, 14}, {5, 0}, {-1, 0}}) {
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
    EXPECT_EQ(platforms, (std::vector<std::string>{"GSX Server", "Workstation", "Player", "Server", "ESXi"}));
    // The classic versions keep their places; today's follow them.
    EXPECT_EQ(PlatformVersionCaptions(0), (std::vector<std::string>{"2.5x", "3.x"}));
    EXPECT_EQ(PlatformVersionCaptions(1),
              (std::vector<std::string>{"3.x", "4.0x", "4.5x", "5.0x", "5.5x", "6.0x", "6.5x", "7.x", "8.x", "9.x",
                                        "10.x", "11.x", "12.x", "14.x", "15.x", "16.x", "16.2x", "17.x", "17.5x"}));
    EXPECT_EQ(PlatformVersionCaptions(2),
              (std::vector<std::string>{"1.x", "3.x", "4.x", "5.x", "6.x", "7.x", "12.x", "14.x", "15.x", "16.x",
                                        "16.2x", "17.x", "17.5x"}));
    EXPECT_EQ(PlatformVersionCaptions(3), (std::vector<std::string>{"1.x", "2.x"}));
    EXPECT_EQ(PlatformVersionCaptions(4),
              (std::vector<std::string>{"3.5", "4.x", "5.0", "5.1", "5.5", "6.0", "6.5", "6.7", "6.7 U2", "7.0",
                                        "7.0 U1", "7.0 U2", "8.0", "8.0 U2"}));
    EXPECT_TRUE(PlatformVersionCaptions(5).empty());
    for (std::int16_t platform = 0; platform < 5; ++platform) {
        const auto versions = PlatformVersionCaptions(platform);
        for (std::size_t v = 0; v < versions.size(); ++v)
            EXPECT_TRUE(FindVersionSettings(platform, static_cast<std::int16_t>(v)).has_value());
    }
}
