// SPDX-License-Identifier: MIT
// The product catalog: every version once, in list order, with the hardware and limits its
// sources give.
#include <tarvonel/ProductCatalog.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

using namespace tarvonel;

namespace {

const ProductVersionInfo& row(std::int16_t platform, const std::string& caption)
{
    for (const ProductVersionInfo* info : ProductVersions(platform)) {
        if (info->Caption == caption)
            return *info;
    }
    ADD_FAILURE() << "no version " << caption << " of product " << platform;
    static const ProductVersionInfo none;
    return none;
}

bool offers(const std::vector<std::string>& list, const std::string& value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

constexpr std::int16_t kWorkstation = 1, kPlayer = 2, kServer = 3, kESXi = 4;
constexpr std::int64_t kGB = 1024 * 1024 * 1024 / 512;

} // namespace

TEST(ProductCatalog, ListsEveryVersionOnceInListOrder)
{
    const auto& catalog = ProductCatalog();
    // Nine classic versions, then 14 Workstation, 12 Player, 1 Server and 14 ESXi versions.
    ASSERT_EQ(catalog.size(), 50u);
    EXPECT_EQ(ProductCount(), 5);
    std::set<std::pair<int, int>> pairs;
    for (std::int16_t platform = 0; platform < ProductCount(); ++platform) {
        const auto versions = ProductVersions(platform);
        ASSERT_FALSE(versions.empty());
        for (std::size_t v = 0; v < versions.size(); ++v) {
            SCOPED_TRACE(versions[v]->PlatformName + " " + versions[v]->Caption);
            EXPECT_EQ(versions[v]->PlatformVersion, static_cast<std::int16_t>(v)) << "versions are numbered 0, 1, ...";
            EXPECT_EQ(FindProductVersion(platform, static_cast<std::int16_t>(v)), versions[v]);
            EXPECT_TRUE(pairs.insert({platform, static_cast<int>(v)}).second);
            EXPECT_EQ(versions[v]->PlatformName, versions[0]->PlatformName);
            EXPECT_FALSE(versions[v]->Source.empty());
            // A later release never creates older hardware.
            EXPECT_TRUE(v == 0 || versions[v]->HardwareVersion >= versions[v - 1]->HardwareVersion);
        }
    }
    EXPECT_EQ(FindProductVersion(0, 2), nullptr);
    EXPECT_EQ(FindProductVersion(5, 0), nullptr);
    EXPECT_TRUE(ProductVersions(-1).empty());
}

TEST(ProductCatalog, TodaysVersionsCreateTheHardwareTheirSourcesGive)
{
    struct Expected {
        std::int16_t platform;
        const char* caption;
        std::int16_t hardware;
    };
    const Expected expected[] = {
        {kWorkstation, "6.0x", 6},  {kWorkstation, "6.5x", 7},  {kWorkstation, "7.x", 7},
        {kWorkstation, "8.x", 8},   {kWorkstation, "9.x", 9},   {kWorkstation, "10.x", 10},
        {kWorkstation, "11.x", 11}, {kWorkstation, "12.x", 12}, {kWorkstation, "14.x", 14},
        {kWorkstation, "15.x", 16}, {kWorkstation, "16.x", 18}, {kWorkstation, "16.2x", 19},
        {kWorkstation, "17.x", 20}, {kWorkstation, "17.5x", 21}, {kPlayer, "3.x", 7},
        {kPlayer, "4.x", 8},        {kPlayer, "5.x", 9},        {kPlayer, "6.x", 10},
        {kPlayer, "7.x", 11},       {kPlayer, "12.x", 12},      {kPlayer, "14.x", 14},
        {kPlayer, "15.x", 16},      {kPlayer, "16.x", 18},      {kPlayer, "16.2x", 19},
        {kPlayer, "17.x", 20},      {kPlayer, "17.5x", 21},     {kServer, "2.x", 7},
        {kESXi, "3.5", 4},          {kESXi, "4.x", 7},          {kESXi, "5.0", 8},
        {kESXi, "5.1", 9},          {kESXi, "5.5", 10},         {kESXi, "6.0", 11},
        {kESXi, "6.5", 13},         {kESXi, "6.7", 14},         {kESXi, "6.7 U2", 15},
        {kESXi, "7.0", 17},         {kESXi, "7.0 U1", 18},      {kESXi, "7.0 U2", 19},
        {kESXi, "8.0", 20},         {kESXi, "8.0 U2", 21},
    };
    for (const Expected& e : expected) {
        const ProductVersionInfo& info = row(e.platform, e.caption);
        SCOPED_TRACE(info.PlatformName + " " + info.Caption);
        EXPECT_EQ(info.HardwareVersion, e.hardware);
        EXPECT_EQ(info.ConfigVersion, 8);
    }
    // No desktop product makes 13, 15 or 17; ESXi never runs 6, 12 or 16.
    for (const ProductVersionInfo& info : ProductCatalog()) {
        const bool esxiOnly = info.HardwareVersion == 13 || info.HardwareVersion == 15 || info.HardwareVersion == 17;
        const bool desktopOnly = info.HardwareVersion == 6 || info.HardwareVersion == 12 || info.HardwareVersion == 16;
        EXPECT_TRUE(info.TargetPlatform == kESXi || !esxiOnly) << info.Caption;
        EXPECT_TRUE(info.TargetPlatform != kESXi || !desktopOnly) << info.Caption;
    }
}

TEST(ProductCatalog, LimitsAndFeaturesFollowTheHardwareVersion)
{
    // ESXi, from the vSphere compatibility tables.
    EXPECT_EQ(row(kESXi, "3.5").MaxCPUs, 4);
    EXPECT_EQ(row(kESXi, "3.5").MaxMemoryMB, 65532);
    EXPECT_EQ(row(kESXi, "3.5").MaxNICs, 4);
    EXPECT_EQ(row(kESXi, "4.x").MaxMemoryMB, 255 * 1024) << "255 GB, the lower of the two figures";
    EXPECT_EQ(row(kESXi, "4.x").MaxNICs, 10);
    EXPECT_TRUE(offers(row(kESXi, "4.x").NicTypes, "vmxnet3"));
    EXPECT_FALSE(offers(row(kESXi, "4.x").NicTypes, "e1000e"));
    EXPECT_TRUE(offers(row(kESXi, "4.x").ScsiTypes, "pvscsi"));
    EXPECT_FALSE(offers(row(kESXi, "4.x").UsbControllers, "usb_xhci"));
    EXPECT_TRUE(offers(row(kESXi, "5.0").Firmware, "efi"));
    EXPECT_TRUE(offers(row(kESXi, "5.0").UsbControllers, "usb_xhci"));
    EXPECT_EQ(row(kESXi, "5.1").MaxSATAControllers, 0);
    EXPECT_EQ(row(kESXi, "5.5").MaxSATAControllers, 4);
    EXPECT_EQ(row(kESXi, "6.0").MaxNVMeControllers, 0);
    EXPECT_EQ(row(kESXi, "6.0").MaxCoresPerSocket, 64) << "64, not 128: the sources disagree";
    EXPECT_EQ(row(kESXi, "6.5").MaxNVMeControllers, 4);
    EXPECT_FALSE(row(kESXi, "6.0").SecureBoot);
    EXPECT_TRUE(row(kESXi, "6.5").SecureBoot);
    EXPECT_EQ(row(kESXi, "6.7 U2").MaxCPUs, 256);
    EXPECT_EQ(row(kESXi, "7.0 U1").MaxCPUs, 768);
    EXPECT_EQ(row(kESXi, "7.0 U1").MaxMemoryMB, 24560 * 1024);
    EXPECT_EQ(row(kESXi, "8.0").MaxCoresPerSocket, 256);
    EXPECT_EQ(row(kESXi, "5.5").MaxScsiDiskSectors, 62 * 1024 * kGB);

    // Nodes per controller: the classic SCSI bus of eight IDs, wide SCSI from hardware version 7,
    // 64 units from 13; SATA and NVMe the same everywhere.
    EXPECT_EQ(row(kWorkstation, "5.5x").ScsiNodes, 8);
    EXPECT_EQ(row(kESXi, "4.x").ScsiNodes, 16);
    EXPECT_EQ(row(kESXi, "6.5").ScsiNodes, 65);
    EXPECT_EQ(row(kWorkstation, "17.x").SataNodes, 30);
    EXPECT_EQ(row(kWorkstation, "17.x").NvmeNodes, 15);
    EXPECT_EQ(ScsiNodesForHardwareVersion(4), 8);
    EXPECT_EQ(ScsiNodesForHardwareVersion(0), 8);
    EXPECT_EQ(ScsiNodesForHardwareVersion(7), 16);
    EXPECT_EQ(ScsiNodesForHardwareVersion(12), 16);
    EXPECT_EQ(ScsiNodesForHardwareVersion(14), 65);
    EXPECT_EQ(ScsiNodesForHardwareVersion(99), 65);

    // Hosted products: what their own documents give, else the previous release's value.
    EXPECT_EQ(row(kServer, "2.x").MaxMemoryMB, 8192);
    EXPECT_EQ(row(kServer, "2.x").MaxNICs, 10);
    EXPECT_EQ(row(kWorkstation, "8.x").MaxCPUs, 8);
    EXPECT_EQ(row(kWorkstation, "8.x").MaxMemoryMB, 65536);
    EXPECT_EQ(row(kWorkstation, "10.x").MaxIdeDiskSectors, 8 * 1024 * kGB);
    EXPECT_EQ(row(kWorkstation, "17.5x").MaxCPUs, 32);
    EXPECT_EQ(row(kWorkstation, "17.5x").MaxMemoryMB, 128 * 1024);
    EXPECT_EQ(row(kWorkstation, "14.x").MaxNVMeControllers, 0) << "no source for NVMe on the desktop before 16.x";
    EXPECT_EQ(row(kWorkstation, "16.x").MaxNVMeControllers, 4);
    EXPECT_EQ(row(kWorkstation, "10.x").MaxGraphicsMemoryMB, 0);
    EXPECT_GT(row(kWorkstation, "11.x").MaxGraphicsMemoryMB, 0);
    EXPECT_TRUE(offers(row(kWorkstation, "10.x").SoundTypes, "hdaudio"));
    EXPECT_FALSE(offers(row(kWorkstation, "9.x").SoundTypes, "hdaudio"));

    // Player releases are the Workstation releases of the same number.
    for (const char* caption : {"12.x", "14.x", "15.x", "16.x", "16.2x", "17.x", "17.5x"}) {
        const ProductVersionInfo& player = row(kPlayer, caption);
        const ProductVersionInfo& workstation = row(kWorkstation, caption);
        EXPECT_EQ(player.HardwareVersion, workstation.HardwareVersion) << caption;
        EXPECT_EQ(player.MaxMemoryMB, workstation.MaxMemoryMB) << caption;
        EXPECT_EQ(player.NicTypes, workstation.NicTypes) << caption;
    }

    // Whatever a version offers, it offers from its hardware version on: a feature never
    // disappears in a later version of the same product.
    for (std::int16_t platform = 0; platform < ProductCount(); ++platform) {
        const auto versions = ProductVersions(platform);
        for (std::size_t v = 1; v < versions.size(); ++v) {
            const ProductVersionInfo& before = *versions[v - 1];
            const ProductVersionInfo& after = *versions[v];
            SCOPED_TRACE(after.PlatformName + " " + after.Caption);
            for (const auto& type : before.NicTypes)
                EXPECT_TRUE(offers(after.NicTypes, type)) << type;
            for (const auto& type : before.ScsiTypes)
                EXPECT_TRUE(offers(after.ScsiTypes, type)) << type;
            for (const auto& type : before.UsbControllers)
                EXPECT_TRUE(offers(after.UsbControllers, type)) << type;
            EXPECT_GE(after.MaxSATAControllers, before.MaxSATAControllers);
            EXPECT_GE(after.MaxNVMeControllers, before.MaxNVMeControllers);
            EXPECT_TRUE(!before.SecureBoot || after.SecureBoot);
        }
    }
}
