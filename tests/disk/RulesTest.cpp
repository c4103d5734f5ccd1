// SPDX-License-Identifier: MIT
// The new-disk rules: size conversion, size checks, geometry and the name rule.
#include "disk/DiskNames.h"
#include "disk/DiskParameters.h"
#include "disk/Geometry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "TestSupport.h"

using namespace zentravolix::disk;

TEST(SizeToSectors, ScalesByUnitAndRoundsTiesToEven)
{
    EXPECT_EQ(SizeToSectors(2, SizeUnit::Gb), 4194304);
    EXPECT_EQ(SizeToSectors(100, SizeUnit::Mb), 204800);
    EXPECT_EQ(SizeToSectors(1.5, SizeUnit::Kb), 3);
    EXPECT_EQ(SizeToSectors(0.7, SizeUnit::Sectors), 1);
    EXPECT_EQ(SizeToSectors(2.5, SizeUnit::Sectors), 2);
    EXPECT_EQ(SizeToSectors(3.5, SizeUnit::Sectors), 4);
    EXPECT_EQ(SizeToSectors(0.25, SizeUnit::Kb), 0); // 0.5 rounds to the even 0
    EXPECT_EQ(SizeToSectors(-1, SizeUnit::Mb), -2048);
}

TEST(SizeToSectors, SizesBeyondThirtyTwoBitsStayLargeAndAreRefusedAsTooLarge)
{
    const std::int64_t sectors = SizeToSectors(5000, SizeUnit::Gb);
    EXPECT_EQ(sectors, 10485760000LL);
    EXPECT_EQ(CheckDiskSize(sectors, AdapterType::Ide, DiskKind::SingleGrowable, 1992294400, {}).verdict,
              SizeCheck::Verdict::TooLarge);
    EXPECT_GT(SizeToSectors(1e300, SizeUnit::Gb), 0);
}

TEST(ParseSizeValue, AcceptsDecimalNumbersOnly)
{
    EXPECT_EQ(ParseSizeValue("2"), 2.0);
    EXPECT_EQ(ParseSizeValue(" 1.5 "), 1.5);
    EXPECT_EQ(ParseSizeValue(".5"), 0.5);
    EXPECT_EQ(ParseSizeValue("-3"), -3.0);
    EXPECT_EQ(ParseSizeValue("+4"), 4.0);
    EXPECT_EQ(ParseSizeValue("1e3"), 1000.0);
    for (const char* bad : {"", " ", "abc", "2G", "1,5", "inf", "nan", "0x10", "--1", ".", "1e"})
        EXPECT_FALSE(ParseSizeValue(bad).has_value()) << bad;
}

TEST(CheckDiskSize, MinimumAndMaximumWithDefaultLimits)
{
    const DiskLimits limits;
    const std::int32_t ide = limits.maxSectors(AdapterType::Ide);
    EXPECT_EQ(ide, 268435456);
    EXPECT_EQ(limits.maxSectors(AdapterType::LsiLogic), 536870912);
    EXPECT_TRUE(CheckDiskSize(204800, AdapterType::Ide, DiskKind::SingleGrowable, ide, {}).accepted());
    const SizeCheck small =
        CheckDiskSize(SizeToSectors(99, SizeUnit::Mb), AdapterType::Ide, DiskKind::SingleGrowable, ide, {});
    EXPECT_EQ(small.verdict, SizeCheck::Verdict::TooSmall);
    EXPECT_EQ(small.message, DiskText::SizeTooSmall);
    const SizeCheck large = CheckDiskSize(268435457, AdapterType::Ide, DiskKind::SingleGrowable, ide, {});
    EXPECT_EQ(large.verdict, SizeCheck::Verdict::TooLarge);
    EXPECT_EQ(TextNumber(large.message), 154);
}

TEST(CheckDiskSize, VeryLargeIdeDiskIsAcceptedOnlyAfterYes)
{
    const std::int32_t max950 = 1992294400;
    std::vector<SizeQuestion> asked;
    auto yes = [&](SizeQuestion q) {
        asked.push_back(q);
        return true;
    };
    EXPECT_TRUE(CheckDiskSize(268435457, AdapterType::Ide, DiskKind::SingleGrowable, max950, yes).accepted());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], SizeQuestion::VeryLargeIde);
    const SizeCheck no = CheckDiskSize(268435457, AdapterType::Ide, DiskKind::SingleGrowable, max950, {});
    EXPECT_EQ(no.verdict, SizeCheck::Verdict::Declined);
    EXPECT_EQ(no.declined, SizeQuestion::VeryLargeIde);
    EXPECT_TRUE(
        CheckDiskSize(268435457, AdapterType::LsiLogic, DiskKind::SingleGrowable, max950, {}).accepted());
}

TEST(CheckDiskSize, LargeSinglePreallocatedDiskAsksOnlyTheIdeQuestion)
{
    std::vector<SizeQuestion> asked;
    auto record = [&](SizeQuestion q) {
        asked.push_back(q);
        return true;
    };
    // The one flat file is preallocated directly: no temporary pieces, so no 1.99 GB question.
    EXPECT_TRUE(CheckDiskSize(300000000, AdapterType::Ide, DiskKind::SinglePreallocated, 1992294400, record)
                    .accepted());
    EXPECT_EQ(asked, (std::vector<SizeQuestion>{SizeQuestion::VeryLargeIde}));
    const auto refuseAll = [](SizeQuestion) { return false; };
    EXPECT_TRUE(CheckDiskSize(4193793, AdapterType::Ide, DiskKind::SinglePreallocated, 268435456, refuseAll)
                    .accepted());
    EXPECT_TRUE(CheckDiskSize(4193793, AdapterType::LsiLogic, DiskKind::SinglePreallocated, 536870912, refuseAll)
                    .accepted());
    EXPECT_EQ(TextNumber(QuestionText(SizeQuestion::VeryLargeIde)), 158);
    EXPECT_EQ(TextNumber(QuestionTitle(SizeQuestion::VeryLargeIde)), 157);
}

TEST(DiskLimits, ZeroMeansDefault)
{
    const DiskLimits d = DiskLimits{0, 1992294400, 0}.withDefaults();
    EXPECT_EQ(d.maxScsiSectors, 536870912);
    EXPECT_EQ(d.maxIdeSectors, 1992294400);
    EXPECT_EQ(d.virtualHWVersion, 3);
}

TEST(AdapterSelectable, ExternalGrowableDisksAreIdeOnly)
{
    EXPECT_FALSE(AdapterSelectable(AdapterType::LsiLogic, DiskKind::SingleGrowable, CreateMethod::External));
    EXPECT_FALSE(AdapterSelectable(AdapterType::BusLogic, DiskKind::GrowableSplit, CreateMethod::External));
    EXPECT_TRUE(
        AdapterSelectable(AdapterType::LsiLogic, DiskKind::PreallocatedSplit, CreateMethod::External));
    EXPECT_TRUE(AdapterSelectable(AdapterType::LsiLogic, DiskKind::SingleGrowable, CreateMethod::Library));
    EXPECT_TRUE(AdapterSelectable(AdapterType::Ide, DiskKind::GrowableSplit, CreateMethod::External));
}

TEST(Geometry, ExamplesOfBothAdapterFamilies)
{
    EXPECT_EQ(ComputeGeometry(4194304, AdapterType::BusLogic), (Geometry{1024, 128, 32}));
    EXPECT_EQ(ComputeGeometry(4194304, AdapterType::Ide), (Geometry{4161, 16, 63}));
    EXPECT_EQ(ComputeGeometry(10000000, AdapterType::Ide), (Geometry{9921, 16, 63}));
    EXPECT_EQ(ComputeGeometry(20000000, AdapterType::Ide), (Geometry{16383, 16, 63}));
    EXPECT_EQ(ComputeGeometry(2097152, AdapterType::LsiLogic), (Geometry{1024, 64, 32}));
    EXPECT_EQ(ComputeGeometry(4194305, AdapterType::LsiLogic), (Geometry{261, 255, 63}));
    EXPECT_EQ(ComputeGeometry(1992294400, AdapterType::LsiLogic).cylinders, 124015);
}

TEST(Geometry, CylindersRoundHalfToEven)
{
    EXPECT_EQ(DivideRoundHalfEven(1008 * 2 + 504, 1008), 2); // 2.5 -> 2
    EXPECT_EQ(DivideRoundHalfEven(1008 * 3 + 504, 1008), 4); // 3.5 -> 4
    EXPECT_EQ(DivideRoundHalfEven(1008 * 3 + 505, 1008), 4);
    EXPECT_EQ(DivideRoundHalfEven(1008 * 3 + 503, 1008), 3);
}

TEST(NameRule, AppendsSuffixCaseSensitivelyAndDerivesBaseNames)
{
    DiskNames n = ApplyNameRule("/vms/web/disk");
    EXPECT_EQ(n.diskName, "/vms/web/disk.vmdk");
    EXPECT_EQ(n.folder, "/vms/web/");
    EXPECT_EQ(n.basePath, "/vms/web/disk");
    EXPECT_EQ(n.baseName, "disk");
    EXPECT_EQ(ApplyNameRule("/vms/a.vmdk").diskName, "/vms/a.vmdk");
    n = ApplyNameRule("/vms/A.VMDK");
    EXPECT_EQ(n.diskName, "/vms/A.VMDK.vmdk");
    EXPECT_EQ(n.baseName, "A.VMDK");
    n = ApplyNameRule("plain");
    EXPECT_EQ(n.folder, "");
    EXPECT_EQ(n.basePath, "plain");
}

TEST(NameRule, FolderIsCreatedOneLevelOnly)
{
    zvtest::TempFolder tmp;
    bool created = false;
    EXPECT_FALSE(EnsureDiskFolder(tmp / "new/", created));
    EXPECT_TRUE(created);
    EXPECT_TRUE(std::filesystem::is_directory(tmp / "new"));
    EXPECT_FALSE(EnsureDiskFolder(tmp / "new/", created));
    EXPECT_FALSE(created);
    EXPECT_TRUE(EnsureDiskFolder(tmp / "a/b/", created)); // parent missing
    zvtest::WriteFile(tmp / "file", "x");
    EXPECT_TRUE(EnsureDiskFolder(tmp / "file/", created));
    EXPECT_FALSE(created);
}

TEST(NameRule, ExtentNumbersHaveAtLeastThreeDigits)
{
    EXPECT_EQ(ExtentNumber(1), "001");
    EXPECT_EQ(ExtentNumber(10), "010");
    EXPECT_EQ(ExtentNumber(999), "999");
    EXPECT_EQ(ExtentNumber(1000), "1000");
}

// The table of disk kinds names each kind once: the tool's --type value and the library's type code
// lead back to the same kind, and the codes are those the disk library documents.
TEST(DiskKinds, EveryKindHasItsOwnNameAndLibraryCode)
{
    std::set<std::string> names;
    std::set<LibraryDiskType> codes;
    for (const DiskKindNames& row : DiskKinds()) {
        EXPECT_TRUE(names.insert(row.commandName).second) << row.commandName;
        EXPECT_TRUE(codes.insert(row.libraryType).second) << row.commandName;
        EXPECT_EQ(LibraryTypeForKind(row.kind), row.libraryType) << row.commandName;
        EXPECT_EQ(KindForLibraryType(row.libraryType), row.kind) << row.commandName;
    }
    EXPECT_EQ(LibraryTypeForKind(DiskKind::SingleGrowable), LibraryDiskType::Growable);
    EXPECT_EQ(LibraryTypeForKind(DiskKind::GrowableSplit), LibraryDiskType::GrowableSplit);
    EXPECT_EQ(LibraryTypeForKind(DiskKind::SinglePreallocated), LibraryDiskType::Preallocated);
    EXPECT_EQ(LibraryTypeForKind(DiskKind::PreallocatedSplit), LibraryDiskType::PreallocatedSplit);
    EXPECT_EQ(std::string(DiskKinds()[static_cast<std::size_t>(DiskKind::GrowableSplit)].commandName),
              "growable-split");
}
