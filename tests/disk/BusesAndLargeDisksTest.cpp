// SPDX-License-Identifier: MIT
// Disks for SATA and NVMe nodes, and disks whose sector counts pass 2^31 and 2^32: the rules,
// the descriptors and the files, checked with qemu-img and qemu-io where they matter.
#include "disk/Descriptor.h"
#include "disk/DiskCreator.h"
#include "disk/DiskInfo.h"
#include "disk/Geometry.h"
#include "disk/SparseExtent.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

using namespace zentravolix::disk;
using zvtest::ReadBack;
using zvtest::ReadFile;
using zvtest::Request;
using zvtest::TempFolder;
using Strings = std::vector<std::string>;

namespace {

constexpr std::int64_t kGiB = 2097152;         // sectors
constexpr std::int64_t kTiB = 1024 * kGiB;     // 2^31 sectors
constexpr std::int64_t k8TB = 8 * kTiB;        // Workstation 10 and later
constexpr std::int64_t k62TB = 62 * kTiB;      // ESXi 5.5 and later
constexpr std::int64_t k2TBPlus1 = 2 * kTiB + 1; // 2^32 + 1 sectors

CreateEnvironment Environment()
{
    CreateEnvironment env;
    env.qemuImg = zvtest::QemuImg();
    env.runCommand = zvtest::RunTool;
    env.random01 = zvtest::FixedRandom({0.2, 0.7});
    return env;
}

std::uint64_t AllocatedInFolder(const std::string& folder)
{
    std::uint64_t total = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        total += zvtest::AllocatedBytes(e.path().string());
    return total;
}

} // namespace

TEST(Adapters, SataAndNvmeArePickedByNameAndWrittenAsLsiLogic)
{
    EXPECT_EQ(ParseAdapterType("sata"), AdapterType::Sata);
    EXPECT_EQ(ParseAdapterType("nvme"), AdapterType::Nvme);
    EXPECT_EQ(ParseAdapterType("SATA"), std::nullopt);
    EXPECT_EQ(ParseAdapterType("pvscsi"), std::nullopt);
    // The classic three keep their names, positions and descriptor words.
    const auto all = AdapterTypes();
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[0], AdapterType::Ide);
    EXPECT_EQ(all[1], AdapterType::BusLogic);
    EXPECT_EQ(all[2], AdapterType::LsiLogic);
    for (AdapterType a : all)
        EXPECT_EQ(ParseAdapterType(AdapterChoiceName(a)), a);
    EXPECT_STREQ(AdapterTypeName(AdapterType::Ide), "ide");
    EXPECT_STREQ(AdapterTypeName(AdapterType::BusLogic), "buslogic");
    EXPECT_STREQ(AdapterTypeName(AdapterType::LsiLogic), "lsilogic");
    EXPECT_STREQ(AdapterTypeName(AdapterType::Sata), "lsilogic");
    EXPECT_STREQ(AdapterTypeName(AdapterType::Nvme), "lsilogic");
    // The library hears "scsi" for them; the disk belongs on its own controller.
    EXPECT_STREQ(BusTypeName(AdapterType::Nvme), "scsi");
    EXPECT_STREQ(NodeBusName(AdapterType::Sata), "sata");
    EXPECT_STREQ(NodeBusName(AdapterType::Nvme), "nvme");
    EXPECT_STREQ(NodeBusName(AdapterType::BusLogic), "scsi");
    // SATA and NVMe disks get the SCSI geometry that goes with "lsilogic".
    for (AdapterType a : {AdapterType::Sata, AdapterType::Nvme}) {
        EXPECT_EQ(ComputeGeometry(4194304, a), ComputeGeometry(4194304, AdapterType::LsiLogic));
        EXPECT_EQ(ComputeGeometry(k8TB, a), (Geometry{1069397, 255, 63}));
    }
    // IDE stays capped at 16383 cylinders however large the disk.
    EXPECT_EQ(ComputeGeometry(k8TB, AdapterType::Ide), (Geometry{16383, 16, 63}));
}

TEST(Adapters, DescriptorAdapterTypeTellsTheBusesItFits)
{
    EXPECT_EQ(BusesOfAdapterType("ide"), (Strings{"ide"}));
    EXPECT_EQ(BusesOfAdapterType("lsilogic"), (Strings{"scsi", "sata", "nvme"}));
    EXPECT_EQ(BusesOfAdapterType("LSILOGIC"), (Strings{"scsi", "sata", "nvme"}));
    EXPECT_EQ(BusesOfAdapterType("buslogic"), (Strings{"scsi"}));
    EXPECT_EQ(BusesOfAdapterType("legacyESX"), (Strings{"scsi"}));
    EXPECT_EQ(BusesOfAdapterType("pvscsi"), (Strings{"scsi"}));
    EXPECT_EQ(BusesOfAdapterType("sata"), (Strings{"sata"}));
    EXPECT_EQ(BusesOfAdapterType("nvme"), (Strings{"nvme"}));
    EXPECT_TRUE(BusesOfAdapterType("floppy").empty());

    // A descriptor naming its bus shows it; the classic words show their lines as they always did.
    const std::string text = "# Disk DescriptorFile\nversion=1\nCID=0badf00d\nparentCID=ffffffff\n"
                             "createType=\"monolithicFlat\"\nRW 209715200 FLAT \"x-flat.vmdk\" 0\n"
                             "ddb.virtualHWVersion = \"21\"\nddb.geometry.cylinders = \"13054\"\n"
                             "ddb.geometry.heads = \"255\"\nddb.geometry.sectors = \"63\"\n"
                             "ddb.adapterType = \"nvme\"\n";
    DiskInfo info;
    ASSERT_TRUE(ParseDiskDescriptor(text, info));
    EXPECT_EQ(info.buses, (Strings{"nvme"}));
    const auto lines = DiskInformationLines(info);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[3], (DiskMessage{DiskText::InfoAdapterType, {"nvme"}}));
    EXPECT_EQ(lines[4], (DiskMessage{DiskText::InfoBuses, {"NVMe"}}));

    std::string lsi = text;
    lsi.replace(lsi.find("\"nvme\""), 6, "\"lsilogic\"");
    ASSERT_TRUE(ParseDiskDescriptor(lsi, info));
    EXPECT_EQ(info.buses, (Strings{"scsi", "sata", "nvme"}));
    EXPECT_EQ(DiskInformationLines(info).size(), 8u);
}

TEST(LargeDiskLimits, LimitsBeyond32BitsAreKeptPerAdapter)
{
    const DiskLimits hosted{k8TB, k8TB, 0};
    EXPECT_EQ(hosted.maxSectors(AdapterType::Ide), k8TB);
    EXPECT_EQ(hosted.maxSectors(AdapterType::LsiLogic), k8TB);
    EXPECT_EQ(hosted.maxSectors(AdapterType::Sata), k8TB);
    EXPECT_EQ(hosted.maxSectors(AdapterType::Nvme), k8TB);
    // BusLogic addresses 32-bit blocks: 2 TB whatever the product allows.
    EXPECT_EQ(hosted.maxSectors(AdapterType::BusLogic), 4294967295);
    EXPECT_EQ((DiskLimits{k62TB, 0, 0}.maxSectors(AdapterType::Nvme)), k62TB);
    // The classic limits stay what they were, BusLogic included.
    EXPECT_EQ((DiskLimits{1992294400, 1992294400, 0}.maxSectors(AdapterType::BusLogic)), 1992294400);
    EXPECT_EQ(DiskLimits{}.maxSectors(AdapterType::BusLogic), 536870912);
}

TEST(LargeDiskLimits, SizesAcrossThe32BitBoundaries)
{
    // Just past 2^31 and 2^32 sectors, up to the 8 TB limit, as a split growable disk.
    for (std::int64_t sectors : {kTiB + 1, k2TBPlus1, k8TB}) {
        for (AdapterType a : {AdapterType::LsiLogic, AdapterType::Sata, AdapterType::Nvme}) {
            const SizeCheck c = CheckDiskSize(sectors, a, DiskKind::GrowableSplit, k8TB, {});
            EXPECT_TRUE(c.accepted()) << sectors;
        }
    }
    EXPECT_EQ(SizeToSectors(8192, SizeUnit::Gb), k8TB);

    // One sector beyond the limit names the limit; the classic limits keep the classic message.
    SizeCheck over = CheckDiskSize(k8TB + 1, AdapterType::Nvme, DiskKind::GrowableSplit, k8TB, {});
    EXPECT_EQ(over.verdict, SizeCheck::Verdict::TooLarge);
    EXPECT_EQ(over.text(), (DiskMessage{DiskText::SizeTooLargeFor, Strings{"8192 Gb", "17179869184"}}));
    over = CheckDiskSize(k62TB + 1, AdapterType::Sata, DiskKind::PreallocatedSplit, k62TB, {});
    EXPECT_EQ(over.text(), (DiskMessage{DiskText::SizeTooLargeFor, Strings{"63488 Gb", "133143986176"}}));
    over = CheckDiskSize(1992294401, AdapterType::LsiLogic, DiskKind::GrowableSplit, 1992294400, {});
    EXPECT_EQ(over.text(), (DiskMessage{DiskText::SizeTooLarge, {}}));

    // A single growable disk cannot pass its 32-bit grain addresses, whatever the limit; an IDE
    // disk that large still asks the very large disk question first of all the checks that pass.
    const SizeCheck single = CheckDiskSize(k2TBPlus1, AdapterType::Nvme, DiskKind::SingleGrowable, k8TB, {});
    EXPECT_EQ(single.verdict, SizeCheck::Verdict::TooLarge);
    EXPECT_EQ(single.text(), (DiskMessage{DiskText::SingleGrowableTooLarge, Strings{"4294441984", "2047.75 Gb"}}));
    EXPECT_TRUE(CheckDiskSize(MaxSingleGrowableSectors(), AdapterType::Sata, DiskKind::SingleGrowable, k8TB, {})
                    .accepted());
    int asked = 0;
    const auto yes = [&](SizeQuestion) { return ++asked > 0; };
    EXPECT_TRUE(CheckDiskSize(k8TB, AdapterType::Ide, DiskKind::GrowableSplit, k8TB, yes).accepted());
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(CheckDiskSize(k8TB, AdapterType::Ide, DiskKind::GrowableSplit, k8TB, {}).accepted());
}

TEST(LargeDiskLimits, LargestSingleGrowableDiskEndsWithin32BitSectors)
{
    const std::uint64_t max = static_cast<std::uint64_t>(MaxSingleGrowableSectors());
    const std::uint64_t addressable = std::uint64_t(1) << 32;
    EXPECT_EQ(max % kGrainSectors, 0u);
    EXPECT_LE(PlanSparseExtent(max, kEmbeddedDescriptorSectors).overHead + max, addressable);
    const std::uint64_t more = max + kGrainSectors;
    EXPECT_GT(PlanSparseExtent(more, kEmbeddedDescriptorSectors).overHead + more, addressable);
    // Its directory still points at tables within 32 bits, and the header carries the full capacity.
    const SparseLayout layout = PlanSparseExtent(max, kEmbeddedDescriptorSectors);
    const auto header = SparseHeader(layout);
    EXPECT_EQ(ParseSparseHeader(header.data(), header.size()).capacity, max);
}

namespace {

class LargeDiskCreateTest : public zvtest::QemuDiskTest {};

} // namespace

TEST_F(LargeDiskCreateTest, SataAndNvmeDisksReadBackAsLsiLogicWithScsiGeometry)
{
    struct Case {
        AdapterType adapter;
        DiskKind kind;
        CreateMethod method;
        std::int64_t sectors;
        const char* name;
    };
    // The preallocated ones stay small: their space is really reserved.
    const Case cases[] = {
        {AdapterType::Sata, DiskKind::SingleGrowable, CreateMethod::Library, 4194304, "sata-one.vmdk"},
        {AdapterType::Nvme, DiskKind::GrowableSplit, CreateMethod::Library, 8388608, "nvme-split.vmdk"},
        {AdapterType::Nvme, DiskKind::SinglePreallocated, CreateMethod::External, 204800, "nvme-flat.vmdk"},
        {AdapterType::Sata, DiskKind::PreallocatedSplit, CreateMethod::External, 204800, "sata-pieces.vmdk"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DiskRequest request = Request(tmp / c.name, c.kind, c.sectors, c.adapter, c.method);
        request.virtualHWVersion = 21;
        const CreateResult r = CreateDisk(request, Environment());
        ASSERT_TRUE(r.created()) << testing::PrintToString(r.reason.args);
        const DiskInfo info = ReadBack(tmp.path(), c.name);
        EXPECT_EQ(info.adapterType, "lsilogic");
        EXPECT_EQ(info.buses, (Strings{"scsi", "sata", "nvme"}));
        EXPECT_EQ(info.sectors, c.sectors);
        const Geometry scsi = ComputeGeometry(c.sectors, AdapterType::LsiLogic);
        EXPECT_EQ((Geometry{info.cylinders, info.heads, info.sectorsPerTrack}), scsi);
        EXPECT_EQ(zvtest::QemuVirtualSize(tmp / c.name), c.sectors * 512);
        // The library writes hardware version 3 like the vendor's; the own writer the machine's.
        EXPECT_EQ(info.hardwareVersion, c.method == CreateMethod::Library ? 3 : 21);
    }
}

TEST_F(LargeDiskCreateTest, SplitGrowableDisksBeyond2TbWriteOnlyTheirTables)
{
    // Our own writer takes any sector count (for IDE); the library whole MiB (for every adapter).
    struct Case {
        std::int64_t sectors;
        AdapterType adapter;
        CreateMethod method;
        const char* adapterType;
    };
    for (const Case& c : {Case{k2TBPlus1, AdapterType::Ide, CreateMethod::External, "ide"},
                          Case{k8TB, AdapterType::Nvme, CreateMethod::Library, "lsilogic"}}) {
        SCOPED_TRACE(c.sectors);
        const std::string folder = tmp / (std::to_string(c.sectors) + "/");
        std::filesystem::create_directory(folder);
        const CreateResult r =
            CreateDisk(Request(folder + "big", DiskKind::GrowableSplit, c.sectors, c.adapter, c.method), Environment());
        ASSERT_TRUE(r.created()) << testing::PrintToString(r.reason.args);
        const std::int64_t pieces = (c.sectors + kSparsePieceSectors - 1) / kSparsePieceSectors;
        EXPECT_EQ(static_cast<std::int64_t>(zvtest::ListFolder(folder).size()), pieces + 1);
        const DiskInfo info = ReadBack(folder, "big.vmdk");
        EXPECT_EQ(info.sectors, c.sectors);
        EXPECT_EQ(info.adapterType, c.adapterType);
        const std::string text = ReadFile(folder + "big.vmdk");
        const std::string last = "RW " + std::to_string(c.sectors - (pieces - 1) * kSparsePieceSectors) +
                                 " SPARSE \"big-s" + ExtentNumber(static_cast<int>(pieces)) + ".vmdk\"\r\n";
        EXPECT_NE(text.find(last), std::string::npos) << last;
        // qemu opens thousands of pieces slowly; the 2 TB disk shows it takes what we write.
        if (c.sectors == k2TBPlus1) {
            EXPECT_EQ(zvtest::QemuVirtualSize(folder + "big.vmdk"), c.sectors * 512);
        }
        // Terabytes of disk, a few kilobytes per piece on the host.
        EXPECT_LT(AllocatedInFolder(folder), static_cast<std::uint64_t>(pieces + 1) * 16384);
    }
}

TEST_F(LargeDiskCreateTest, SingleGrowableDiskBeyond31BitSectorsTakesDataNearItsEnd)
{
    // 1.5 TiB: more sectors than a signed 32-bit number holds, within one sparse extent.
    const std::int64_t sectors = kTiB + kTiB / 2;
    const CreateResult r = CreateDisk(
        Request(tmp / "one", DiskKind::SingleGrowable, sectors, AdapterType::Sata, CreateMethod::Library),
        Environment());
    ASSERT_TRUE(r.created()) << testing::PrintToString(r.reason.args);
    EXPECT_EQ(zvtest::ListFolder(tmp.path()), (Strings{"one.vmdk"}));
    EXPECT_EQ(ReadBack(tmp.path(), "one.vmdk").sectors, sectors);
    EXPECT_EQ(zvtest::QemuVirtualSize(tmp / "one.vmdk"), sectors * 512);
    EXPECT_LT(zvtest::AllocatedBytes(tmp / "one.vmdk"), 1u << 20);

    const std::string io = zvtest::QemuIo();
    ASSERT_FALSE(io.empty());
    const std::string at = std::to_string(sectors * 512 - 65536);
    EXPECT_EQ(zvtest::RunCapture(io, {"-f", "vmdk", "-c", "write -P 0x6b " + at + " 64k", tmp / "one.vmdk"}).exitCode,
              0);
    const auto read = zvtest::RunCapture(io, {"-f", "vmdk", "-c", "read -P 0x6b " + at + " 64k", tmp / "one.vmdk"});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(read.output.find("Pattern verification failed"), std::string::npos) << read.output;
}

TEST_F(LargeDiskCreateTest, SingleGrowableDiskBeyondItsGrainAddressesIsNotMade)
{
    for (CreateMethod method : {CreateMethod::Library, CreateMethod::External}) {
        const CreateResult r = CreateDisk(
            Request(tmp / "toolarge", DiskKind::SingleGrowable, k2TBPlus1, AdapterType::LsiLogic, method),
            Environment());
        EXPECT_EQ(r.status, CreateResult::Status::Failed);
        EXPECT_EQ(r.reason.text, DiskText::InvalidDiskSize);
        EXPECT_TRUE(zvtest::ListFolder(tmp.path()).empty());
    }
}
