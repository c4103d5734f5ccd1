// SPDX-License-Identifier: MIT
// Reading descriptors back: our own, other programs' (the corpus), embedded ones and broken ones.
#include "disk/DiskInfo.h"
#include "disk/Descriptor.h"
#include "disk/DiskPlan.h"
#include "disk/SparseExtent.h"
#include "platform/TextTable.h"

#include <gtest/gtest.h>

#include <cstring>

#include "TestSupport.h"
#include "support/Corpus.h"

using namespace zentravolix::disk;
using zvtest::TempFolder;

namespace {

std::string OurDescriptor(AdapterType adapter = AdapterType::Ide)
{
    DiskPlan plan = PlanDisk(DiskKind::GrowableSplit, ApplyNameRule("disk"), 6291456);
    plan.descriptor.cid = "0a1b2c3d";
    plan.descriptor.virtualHWVersion = 3;
    plan.descriptor.geometry = ComputeGeometry(6291456, adapter);
    plan.descriptor.adapterType = AdapterTypeName(adapter);
    return DescriptorText(plan.descriptor);
}

ReadOutcome Parse(const std::string& text, DiskInfo& info)
{
    return ParseDiskDescriptor(text, info);
}

std::string Replace(std::string s, const std::string& from, const std::string& to)
{
    s.replace(s.find(from), from.size(), to);
    return s;
}

} // namespace

TEST(ParseDiskDescriptor, OurDescriptorReadsBack)
{
    DiskInfo info;
    ASSERT_TRUE(Parse(OurDescriptor(), info));
    EXPECT_EQ(info.cid, "0a1b2c3d");
    EXPECT_EQ(info.hardwareVersion, 3);
    EXPECT_EQ(info.createType, "twoGbMaxExtentSparse");
    EXPECT_EQ(info.typeIndex, 1);
    EXPECT_EQ(info.adapterType, "ide");
    EXPECT_EQ(info.sectors, 6291456);
    EXPECT_EQ(info.sizeText, "3 Gb");
    EXPECT_EQ(info.cylinders, 6242);
    EXPECT_EQ(info.heads, 16);
    EXPECT_EQ(info.sectorsPerTrack, 63);
    EXPECT_FALSE(info.hasBiosGeometry);
}

TEST(ParseDiskDescriptor, LfOnlyLineEndsKeepTheWholeCid)
{
    std::string text = OurDescriptor();
    for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    DiskInfo info;
    ASSERT_TRUE(Parse(text, info));
    EXPECT_EQ(info.cid, "0a1b2c3d");
    EXPECT_EQ(info.createType, "twoGbMaxExtentSparse");
    EXPECT_EQ(info.adapterType, "ide");
    // A last line without any line end still has its value.
    text.pop_back();
    ASSERT_TRUE(Parse(text, info));
    EXPECT_EQ(info.adapterType, "ide");
}

TEST(ParseDiskDescriptor, CidIsTheFirstOccurrenceOfTheThreeLetters)
{
    DiskInfo info;
    ASSERT_TRUE(Parse(Replace(OurDescriptor(), "CID=0a1b2c3d", "XID=0a1b2c3d"), info));
    EXPECT_EQ(info.cid, "ffffffff"); // parentCID's value
}

TEST(ParseDiskDescriptor, BiosGeometryOnlyWithAllThreeKeys)
{
    const std::string bios = "ddb.geometry.biosCylinders = \"1024\"\r\nddb.geometry.biosHeads = \"255\"\r\n";
    DiskInfo info;
    ASSERT_TRUE(Parse(OurDescriptor() + bios, info));
    EXPECT_FALSE(info.hasBiosGeometry);
    ASSERT_TRUE(Parse(OurDescriptor() + bios + "ddb.geometry.biosSectors = \"63\"\r\n", info));
    EXPECT_TRUE(info.hasBiosGeometry);
    EXPECT_EQ(info.biosCylinders, 1024);
    EXPECT_EQ(info.biosHeads, 255);
    EXPECT_EQ(info.biosSectors, 63);
}

TEST(ParseDiskDescriptor, FailuresNameTheKeyAndResetTheFields)
{
    struct Case {
        std::string text;
        ReadProblem problem;
        std::string detail;
    };
    const std::string ok = OurDescriptor();
    const Case cases[] = {
        {Replace(Replace(ok, "CID=0a1b2c3d", "XID=0a1b2c3d"), "parentCID", "parentXID"),
         ReadProblem::MissingKey, "CID"},
        {Replace(ok, "ddb.virtualHWVersion", "ddb.virtualHWversion"), ReadProblem::MissingKey,
         "ddb.virtualHWVersion"},
        {Replace(ok, "\"3\"\r\nddb.geometry.cylinders", "\"three\"\r\nddb.geometry.cylinders"),
         ReadProblem::BadNumber, "ddb.virtualHWVersion"},
        {Replace(ok, "\"3\"\r\nddb.geometry.cylinders", "\"99999\"\r\nddb.geometry.cylinders"),
         ReadProblem::BadNumber, "ddb.virtualHWVersion"},
        {Replace(ok, "twoGbMaxExtentSparse", "vmfs"), ReadProblem::UnknownCreateType, "vmfs"},
        {Replace(ok, "twoGbMaxExtentSparse", "TwoGbMaxExtentSparse"), ReadProblem::UnknownCreateType,
         "TwoGbMaxExtentSparse"},
        {Replace(ok, "createType=", "createType ="), ReadProblem::MissingKey, "createType"},
        {Replace(ok, "RW 4192256", "RW 41x2256"), ReadProblem::BadNumber, "RW"},
        {Replace(ok, "ddb.adapterType", "ddb.adapter"), ReadProblem::MissingKey, "ddb.adapterType"},
        {Replace(ok, "ddb.geometry.heads", "ddb.geometry.Heads"), ReadProblem::MissingKey,
         "ddb.geometry.heads"},
        {Replace(ok, "\"6242\"", "\"\""), ReadProblem::BadNumber, "ddb.geometry.cylinders"},
        {ok + "ddb.geometry.biosCylinders = \"x\"\r\n", ReadProblem::BadNumber, "ddb.geometry.biosCylinders"},
        {"", ReadProblem::MissingKey, "CID"},
    };
    for (const Case& c : cases) {
        DiskInfo info;
        info.folder = "/f/";
        info.fileName = "d.vmdk";
        const ReadOutcome r = Parse(c.text, info);
        EXPECT_EQ(r.problem, c.problem) << c.detail;
        EXPECT_EQ(r.detail, c.detail);
        EXPECT_NE(r.message().text, DiskText::None);
        EXPECT_EQ(r.message().args, std::vector<std::string>{c.detail});
        EXPECT_EQ(info.typeIndex, 0) << "a failed read leaves the type index 0";
        EXPECT_EQ(info.cid, "");
        EXPECT_EQ(info.folder, "/f/");
    }
}

TEST(SizeText, GigaMegaAndKilobytes)
{
    EXPECT_EQ(SizeText(4194304), "2 Gb");
    EXPECT_EQ(SizeText(3145728), "1.5 Gb");
    EXPECT_EQ(SizeText(1000), "500 Kb");
    EXPECT_EQ(SizeText(1001), "500.5 Kb");
    EXPECT_EQ(SizeText(2048), "1 Mb");
    EXPECT_EQ(SizeText(2097000), "1023.926 Mb");
    EXPECT_EQ(SizeText(1992294400), "950 Gb");
}

TEST(DiskInformation, LinesOfTheBox)
{
    DiskInfo info;
    info.folder = "/vms/";
    info.fileName = "disk.vmdk";
    ASSERT_TRUE(ParseDiskDescriptor(OurDescriptor(AdapterType::BusLogic), info));
    // The lines in English, through the text table like the editor and the tool show them.
    const auto english = [](const DiskMessage& line) {
        return zentravolix::platform::FillTextFrom(zentravolix::platform::LoadCaption(TextNumber(line.text), 0), line.args);
    };
    std::string text;
    for (const DiskMessage& line : DiskInformationLines(info))
        text += english(line) + "\r\n";
    EXPECT_EQ(text,
              "Disk Path: /vms/\r\nDisk Name: disk.vmdk\r\nDisk Type: twoGbMaxExtentSparse (1)\r\n"
              "Adapter Type: buslogic\r\nSize: 6291456 sectors (3 Gb)\r\n"
              "Geometry: Cylinders 392, Heads 255, Sectors 63\r\nHardware Version: 3\r\nCID: 0a1b2c3d\r\n");
    info.hasBiosGeometry = true;
    info.biosCylinders = 1;
    info.biosHeads = 2;
    info.biosSectors = 3;
    EXPECT_EQ(english(DiskInformationLines(info).at(6)), "Bios Geometry: Cylinders 1, Heads 2, Sectors 3");
}

TEST(ReadDiskDescriptor, TheTwentyFiveThousandSixHundredByteRule)
{
    TempFolder tmp;
    const std::string descriptor = OurDescriptor();
    // A large file that is no descriptor file: only its first 1024 bytes count.
    std::string near = descriptor + std::string(25601 - descriptor.size(), 'x');
    near[0] = '#';
    near[1] = '#';
    zvtest::WriteFile(tmp / "near.vmdk", near);
    std::string far = std::string(1024, 'x') + descriptor;
    far.resize(30000, 'x');
    zvtest::WriteFile(tmp / "far.vmdk", far);
    zvtest::WriteFile(tmp / "exact.vmdk", std::string(25600 - descriptor.size(), 'x') + descriptor);
    DiskInfo info;
    info.folder = tmp.path();
    info.fileName = "near.vmdk";
    EXPECT_TRUE(ReadDiskDescriptor(info));
    info.fileName = "far.vmdk";
    EXPECT_EQ(ReadDiskDescriptor(info).problem, ReadProblem::MissingKey);
    info.fileName = "exact.vmdk"; // not larger than 25600: read whole
    EXPECT_TRUE(ReadDiskDescriptor(info));

    // A descriptor file of a big split disk with long names passes 25600 bytes and still reads.
    DiskPlan plan = PlanDisk(DiskKind::GrowableSplit, ApplyNameRule(std::string(60, 'n')), 1992294400);
    plan.descriptor.cid = "12345678";
    const std::string text = DescriptorText(plan.descriptor);
    ASSERT_GT(text.size(), 25600u);
    zvtest::WriteFile(tmp / "long.vmdk", text);
    info.fileName = "long.vmdk";
    ASSERT_TRUE(ReadDiskDescriptor(info));
    EXPECT_EQ(info.sectors, 1992294400);
}

TEST(ReadDiskDescriptor, EmbeddedDescriptorIsFoundThroughTheSparseHeader)
{
    TempFolder tmp;
    std::string descriptor = OurDescriptor();
    descriptor = std::string(600, '#') + "\n" + descriptor; // pushes the keys past byte 1024
    const SparseLayout layout = PlanSparseExtent(204800, 20);
    const auto header = SparseHeader(layout);
    std::string file(layout.fileBytes(), '\0');
    std::memcpy(file.data(), header.data(), header.size());
    file.replace(512, descriptor.size(), descriptor);
    zvtest::WriteFile(tmp / "m.vmdk", file);
    DiskInfo info;
    info.folder = tmp.path();
    info.fileName = "m.vmdk";
    ASSERT_TRUE(ReadDiskDescriptor(info));
    EXPECT_EQ(info.cid, "0a1b2c3d");
}

TEST(ReadDiskDescriptor, UnreadablePaths)
{
    TempFolder tmp;
    DiskInfo info;
    info.folder = tmp.path();
    info.fileName = "missing.vmdk";
    ReadOutcome r = ReadDiskDescriptor(info);
    EXPECT_EQ(r.problem, ReadProblem::CannotOpen);
    EXPECT_NE(r.detail.find("missing.vmdk"), std::string::npos);
    info.fileName = "";
    EXPECT_EQ(ReadDiskDescriptor(info).problem, ReadProblem::CannotOpen); // a folder
}

struct CorpusCase {
    const char* file;
    bool ok;
    std::int64_t sectors;
    const char* cid;
    const char* adapter;
    int hwVersion;
};

void PrintTo(const CorpusCase& c, std::ostream* out)
{
    *out << c.file;
}

namespace corpus = zentravolix::test::corpus;

class CorpusTest : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(CorpusTest, ReadsAsExpected)
{
    const CorpusCase& c = GetParam();
    const std::string relative = std::string("vmdk/") + c.file;
    const auto file = corpus::Find(relative);
    if (!file)
        GTEST_SKIP() << corpus::MissingReason(relative);
    const std::string path = file->path.string();
    DiskInfo info;
    info.folder = path.substr(0, path.rfind('/') + 1);
    info.fileName = path.substr(path.rfind('/') + 1);
    const ReadOutcome r = ReadDiskDescriptor(info);
    ASSERT_EQ(r.ok(), c.ok) << r.detail;
    if (!c.ok)
        return;
    EXPECT_EQ(info.sectors, c.sectors);
    EXPECT_EQ(info.cid, c.cid);
    EXPECT_EQ(info.adapterType, c.adapter);
    EXPECT_EQ(info.hardwareVersion, c.hwVersion);
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, CorpusTest,
    ::testing::Values(
        CorpusCase{"openstack-queens/Ubuntu 64-bit.vmdk", true, 5 * 8323072LL + 327680, "1bbbeed7",
                   "lsilogic", 14},
        CorpusCase{"vmconfig/CentOS 7 64 位.vmdk", true, 5 * 8323072LL + 327680, "96e60093", "lsilogic", 20},
        CorpusCase{"vmdk-forensic/ms3-win.vmdk", true, 15 * 8323072LL + 983040, "216bc064", "lsilogic", 13},
        CorpusCase{"vmdk-forensic/flat.vmdk", true, 2048, "49bcfa17", "ide", 4},
        CorpusCase{"vmdk-forensic/mono_flat.vmdk", true, 2048, "c80e763b", "ide", 4},
        CorpusCase{"vmdk-forensic/tw_sparse_data.vmdk", true, 8192, "9c913b49", "ide",
                   4}, // NUL-padded by qemu
        CorpusCase{"vmdk-rs/monolithicFlat.vmdk", true, 20480, "00000000", "buslogic", 7},
        CorpusCase{"vmdk-rs/twoGbMaxExtentSparse.vmdk", true, 20480, "00000000", "buslogic", 7},
        CorpusCase{"windows7-vmware17/Windows 7 x64.vmdk", true, 7 * 8323072LL + 4653056, "2ec296ff",
                   "lsilogic", 16},
        CorpusCase{"windows7-vmware17/Windows7-Data1.vmdk", false, 0, "", "", 0}, // no geometry keys
        CorpusCase{"vmdk-rs/vmfs_thick.vmdk", false, 0, "", "", 0},
        CorpusCase{"vmdk-rs/vmfs_thick-000001.vmdk", false, 0, "", "", 0}),
    [](const ::testing::TestParamInfo<CorpusCase>& info) {
        return corpus::TestName(std::filesystem::path(info.param.file).replace_extension().generic_string());
    });
