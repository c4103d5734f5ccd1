// SPDX-License-Identifier: MIT
// Descriptor texts written byte for byte, extent splitting and content ids.
#include "disk/Descriptor.h"
#include "disk/DiskPlan.h"

#include <gtest/gtest.h>

#include <set>

using namespace zentravolix::disk;

namespace {

DescriptorFields FieldsFor(DiskKind kind, const char* name, std::int64_t sectors, AdapterType adapter)
{
    DiskPlan plan = PlanDisk(kind, ApplyNameRule(name), sectors);
    plan.descriptor.cid = "1a2b3c4d";
    plan.descriptor.virtualHWVersion = 3;
    plan.descriptor.geometry = ComputeGeometry(sectors, adapter);
    plan.descriptor.adapterType = AdapterTypeName(adapter);
    return plan.descriptor;
}

std::string Expected(const std::string& createType, const std::string& extents, const std::string& ddb)
{
    return "# Disk DescriptorFile\r\nversion=1\r\nCID=1a2b3c4d\r\nparentCID=ffffffff\r\ncreateType=\"" +
           createType + "\"\r\n\r\n# Extent description\r\n" + extents +
           "\r\n# The Disk Data Base\r\n#DDB\r\n\r\n" + ddb;
}

} // namespace

TEST(DescriptorText, PreallocatedSplitThreeGigabyteIdeExample)
{
    const std::string text =
        DescriptorText(FieldsFor(DiskKind::PreallocatedSplit, "disk.vmdk", 6291456, AdapterType::Ide));
    EXPECT_EQ(text, Expected("twoGbMaxExtentFlat",
                             "RW 4193792 FLAT \"disk-f001.vmdk\" 0\r\n"
                             "RW 2097664 FLAT \"disk-f002.vmdk\" 0\r\n",
                             "ddb.virtualHWVersion = \"3\"\r\n"
                             "ddb.geometry.cylinders = \"6242\"\r\n"
                             "ddb.geometry.heads = \"16\"\r\n"
                             "ddb.geometry.sectors = \"63\"\r\n"
                             "ddb.adapterType = \"ide\"\r\n"));
}

TEST(DescriptorText, GrowableSplitNamesSparsePiecesByBaseName)
{
    const std::string text =
        DescriptorText(FieldsFor(DiskKind::GrowableSplit, "/vm/big.vmdk", 4192257, AdapterType::LsiLogic));
    EXPECT_EQ(text, Expected("twoGbMaxExtentSparse",
                             "RW 4192256 SPARSE \"big-s001.vmdk\"\r\n"
                             "RW 1 SPARSE \"big-s002.vmdk\"\r\n",
                             "ddb.virtualHWVersion = \"3\"\r\n"
                             "ddb.geometry.cylinders = \"1024\"\r\n"
                             "ddb.geometry.heads = \"128\"\r\n"
                             "ddb.geometry.sectors = \"32\"\r\n"
                             "ddb.adapterType = \"lsilogic\"\r\n"));
}

TEST(DescriptorText, SinglePreallocatedNamesTheFlatFileRelativeToTheDescriptor)
{
    // A moved machine folder keeps its disk: the extent is found beside the descriptor.
    DescriptorFields f = FieldsFor(DiskKind::SinglePreallocated, "/vm/one", 204800, AdapterType::BusLogic);
    f.virtualHWVersion = 4;
    EXPECT_EQ(DescriptorText(f), Expected("monolithicFlat", "RW 204800 FLAT \"one-flat.vmdk\" 0\r\n",
                                          "ddb.virtualHWVersion = \"4\"\r\n"
                                          "ddb.geometry.cylinders = \"100\"\r\n"
                                          "ddb.geometry.heads = \"64\"\r\n"
                                          "ddb.geometry.sectors = \"32\"\r\n"
                                          "ddb.adapterType = \"buslogic\"\r\n"));
}

TEST(PlanDisk, PieceBoundaries)
{
    EXPECT_EQ(PlanDisk(DiskKind::GrowableSplit, ApplyNameRule("/d"), 4192256).extents.size(), 1u);
    const DiskPlan two = PlanDisk(DiskKind::GrowableSplit, ApplyNameRule("/d"), 4192257);
    ASSERT_EQ(two.extents.size(), 2u);
    EXPECT_EQ(two.extents[1].line.sectors, 1);
    EXPECT_EQ(two.extents[1].path, "/d-s002.vmdk");
    EXPECT_EQ(PlanDisk(DiskKind::PreallocatedSplit, ApplyNameRule("/d"), 4193792).extents.size(), 1u);
    // Our preallocation has no 2 GiB limit: a big single preallocated disk is one flat file.
    const DiskPlan single = PlanDisk(DiskKind::SinglePreallocated, ApplyNameRule("/d"), 4193792 * 3);
    ASSERT_EQ(single.extents.size(), 1u);
    EXPECT_EQ(single.extents[0].path, "/d-flat.vmdk");
    // 950 GiB split sparse: 476 pieces, the last of 972800 sectors.
    const DiskPlan big = PlanDisk(DiskKind::GrowableSplit, ApplyNameRule("/d"), 1992294400);
    ASSERT_EQ(big.extents.size(), 476u);
    EXPECT_EQ(big.extents.back().line.sectors, 972800);
    EXPECT_EQ(big.extents.back().line.fileName, "d-s476.vmdk");
    const DiskPlan mono = PlanDisk(DiskKind::SingleGrowable, ApplyNameRule("/x/m"), 204800);
    EXPECT_TRUE(mono.embeddedDescriptor);
    EXPECT_EQ(mono.extents.at(0).path, "/x/m.vmdk");
    EXPECT_EQ(mono.descriptor.createType, CreateType::MonolithicSparse);
}

TEST(NewCID, EightLowerCaseHexDigitsWithSixteenWrittenAsTen)
{
    int calls = 0;
    const double draws[] = {15.5 / 16, 0.0, 9.0 / 16, 10.0 / 16};
    EXPECT_EQ(NewCID([&] { return draws[calls++ % 4]; }), "101ab101");
    EXPECT_EQ(NewCID([] { return 0.0; }), "11111111");
    const auto random = SeededRandom01();
    std::set<std::string> seen;
    for (int i = 0; i < 50; ++i) {
        const std::string cid = NewCID(random);
        ASSERT_EQ(cid.size(), 8u);
        EXPECT_EQ(cid.find_first_not_of("0123456789abcdef"), std::string::npos) << cid;
        seen.insert(cid);
    }
    EXPECT_GT(seen.size(), 45u);
}

TEST(CreateTypeNames, RoundTripAndCaseSensitivity)
{
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(ParseCreateType(CreateTypeName(static_cast<CreateType>(i))), static_cast<CreateType>(i));
    EXPECT_FALSE(ParseCreateType("MonolithicSparse"));
    EXPECT_FALSE(ParseCreateType("vmfs"));
}
