// SPDX-License-Identifier: MIT
// SATA and NVMe controllers with their disks and CD-ROMs, and the SCSI bus that widens with the
// hardware version: read from real and hand-made files, written, and read back.
#include "TestMachine.h"
#include "support/Corpus.h"

#include "vmx/KnownKeys.h"
#include "vmx/SaveChecks.h"
#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace zentravolix::vmx {
namespace {

namespace fs = std::filesystem;
namespace corpus = ::zentravolix::test::corpus;
using test::newMachine;

struct Read {
    std::shared_ptr<tarvonel::VirtualMachine> vm;
    ReadResult result;
    std::string written;
};

Read readText(std::string_view text)
{
    Read r{newMachine(), {}, {}};
    r.result = ReadVmxText(text, *r.vm, "/vms/test/Test.vmx");
    r.written = WriteVmxText(*r.vm, r.result.otherParams, r.result.valuesAfterRead);
    return r;
}

bool hasLine(const std::string& text, const std::string& line)
{
    const auto lines = test::linesOf(text);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool hasKey(const std::string& text, const std::string& key)
{
    const auto keys = test::keysOf(text);
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

/** The device of a collection on a bus's node, or nullptr. */
template <class Collection>
auto onNode(const Collection& devices, const std::string& bus, std::int16_t controller, std::int16_t node)
    -> decltype(devices.Item(1))
{
    for (std::int32_t i = 1; i <= devices.Count(); ++i) {
        const auto item = devices.Item(i);
        if (item->BusType() == bus && item->Controller() == controller && item->BusNode() == node)
            return item;
    }
    return nullptr;
}

// --- real files -------------------------------------------------------------------------------

struct CorpusCase {
    const char* file;
    std::int32_t sataControllers;
    std::int32_t nvmeControllers;
    /** Disks and CD-ROMs expected, as "SATA 0:1 cd emptyBackingString". */
    std::vector<std::string> devices;
    /** Lines of those devices the model does not hold: kept, and written back. */
    std::vector<std::string> keptLines;
};

std::vector<std::string> busDevices(const tarvonel::clsHardware& hw)
{
    std::vector<std::string> out;
    const auto add = [&out](const auto& item, const char* what) {
        const std::string bus = item->BusType();
        if (bus == "SATA" || bus == "NVMe")
            out.push_back(bus + " " + std::to_string(item->Controller()) + ":" + std::to_string(item->BusNode()) +
                          " " + what + " " + item->DeviceName());
    };
    for (std::int32_t i = 1; i <= hw.HardDisks()->Count(); ++i)
        add(hw.HardDisks()->Item(i), "disk");
    for (std::int32_t i = 1; i <= hw.CDRoms()->Count(); ++i)
        add(hw.CDRoms()->Item(i), "cd");
    std::sort(out.begin(), out.end());
    return out;
}

const CorpusCase kCorpusCases[] = {
    {"libvirt/esx-in-the-wild-15.vmx",
     0,
     1,
     {"NVMe 0:0 disk dokuwiki.vmdk", "NVMe 0:1 disk dokuwiki_1.vmdk"},
     {"nvme0.pciSlotNumber = \"224\"", "nvme0.subnqnUUID = \"52 1c 76 62 33 0a 35 92-ec d2 e8 fb b6 1e 48 40\"",
      "nvme0:0.redo = \"\"", "nvme0:1.redo = \"\""}},
    {"libvirt/esx-in-the-wild-16.vmx",
     1,
     1,
     {"NVMe 0:0 disk Auto-esx8.0-rhel9.4-efi-nvme-disk.vmdk", "SATA 0:0 cd emptyBackingString"},
     {"sata0.pciSlotNumber = \"34\"", "nvme0:0.redo = \"\""}},
    {"libvirt/vmx2xml-esx-in-the-wild-10.vmx",
     1,
     0,
     {"SATA 0:0 disk windows2019biosvmware.vmdk", "SATA 0:1 cd emptyBackingString"},
     {"sata0.pciSlotNumber = \"33\"", "sata0:0.redo = \"\""}},
    {"ics-honeypot/workstation.vmx",
     1,
     0,
     {"SATA 0:0 disk workstation-disk1-000001.vmdk"},
     {"sata0:0.allowguestconnectioncontrol = \"false\"", "sata0:0.redo = \"\""}},
    {"ics-honeypot/somachinev4.3.vmx",
     1,
     1,
     {"NVMe 0:0 disk somachinev4.3-000001.vmdk",
      "SATA 0:0 cd F:\\SoMachine V4.3\\SoMachine-4.3.0.0-Final_17.06.21.01.iso",
      "SATA 0:1 cd F:\\vm_machine\\SW_DVD9_Win_Pro_10_21H1_64BIT_ChnSimp_Pro_Ent_EDU_N_MLF_X22-55090.iso",
      "SATA 0:2 cd F:\\vm_machine\\UnityPro_XL_V13.0_IR18B_20170914B.iso"},
     {"sata0:0.connectionStatus = \"1\"", "nvme0:0.redo = \"\"", "nvme0.pciSlotNumber = \"224\""}},
};

class BusCorpus : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(BusCorpus, DevicesAreReadKeptLinesStayAndASecondSaveIsTheFirst)
{
    const CorpusCase& c = GetParam();
    const fs::path path = corpus::InRepository() / "vmx" / c.file;
    const auto vm = newMachine();
    const ReadResult result = ReadVmxFile(path, *vm);
    EXPECT_TRUE(result.problems.empty()) << result.problems.front().text;
    const auto hw = vm->Hardware();
    EXPECT_EQ(hw->SATAControllers()->Count(), c.sataControllers);
    EXPECT_EQ(hw->NVMeControllers()->Count(), c.nvmeControllers);
    EXPECT_EQ(busDevices(*hw), c.devices);
    for (const auto& line : c.keptLines)
        EXPECT_NE(std::find(result.otherParams.begin(), result.otherParams.end(), line), result.otherParams.end())
            << "not kept: " << line;

    const std::string first = WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    for (const auto& line : result.otherParams)
        EXPECT_TRUE(hasLine(first, line)) << "kept line lost: " << line;
    // The new sections follow the SCSI ones, before the network adapters.
    const auto sata = first.find("####### sata-controllers ##############");
    const auto nvme = first.find("####### nvme-controllers ##############");
    const auto nics = first.find("####### nics ##########################");
    EXPECT_EQ(sata != std::string::npos, c.sataControllers > 0);
    EXPECT_EQ(nvme != std::string::npos, c.nvmeControllers > 0);
    if (sata != std::string::npos && nvme != std::string::npos) {
        EXPECT_LT(sata, nvme);
    }
    EXPECT_LT(std::max(sata == std::string::npos ? 0 : sata, nvme == std::string::npos ? 0 : nvme), nics);

    const auto again = newMachine();
    const ReadResult reread = ReadVmxText(first, *again, path.string());
    EXPECT_EQ(busDevices(*again->Hardware()), c.devices);
    const std::string second = WriteVmxText(*again, reread.otherParams, reread.valuesAfterRead);
    EXPECT_EQ(second, first);
    const auto third = newMachine();
    const ReadResult rereread = ReadVmxText(second, *third, path.string());
    EXPECT_EQ(WriteVmxText(*third, rereread.otherParams, rereread.valuesAfterRead), second);
}

INSTANTIATE_TEST_SUITE_P(Files, BusCorpus, ::testing::ValuesIn(kCorpusCases),
                         [](const ::testing::TestParamInfo<CorpusCase>& info) {
                             std::string name = fs::path(info.param.file).stem().string();
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

// --- SATA and NVMe nodes ---------------------------------------------------------------------

TEST(VmxSataNvme, NodesKeepWhatTheFileGaveAndNoMore)
{
    const auto r = readText(R"(config.version = "8"
virtualHW.version = "20"
sata0.present = "TRUE"
sata0:0.fileName = "plain.vmdk"
sata0:0.present = "TRUE"
sata0:1.autodetect = "TRUE"
sata0:1.deviceType = "cdrom-raw"
sata0:1.fileName = "auto detect"
sata0:1.exclusive = "TRUE"
sata0:2.fileName = ""
nvme0.present = "TRUE"
nvme0:0.fileName = "fast.vmdk"
nvme0:0.present = "TRUE"
nvme0:1.deviceType = "cdrom-image"
nvme0:1.fileName = "boot.iso"
)");
    EXPECT_TRUE(r.result.problems.empty());
    const auto hw = r.vm->Hardware();
    const auto disk = onNode(*hw->HardDisks(), "SATA", 0, 0);
    ASSERT_TRUE(disk);
    EXPECT_TRUE(disk->Enabled());
    EXPECT_EQ(disk->DisplayName(), "Hard Disk (SATA0:0)");
    const auto cd = onNode(*hw->CDRoms(), "SATA", 0, 1);
    ASSERT_TRUE(cd);
    EXPECT_FALSE(cd->Enabled()) << "VMware takes a node without a present line as absent";
    EXPECT_EQ(cd->DeviceName(), "auto detect");
    ASSERT_TRUE(onNode(*hw->HardDisks(), "NVMe", 0, 0));
    EXPECT_FALSE(onNode(*hw->CDRoms(), "NVMe", 0, 1)) << "an NVMe controller holds disks only";

    // A plain disk gets no deviceType or mode it did not have; empty nodes get no lines.
    EXPECT_FALSE(hasKey(r.written, "sata0:0.devicetype"));
    EXPECT_FALSE(hasKey(r.written, "sata0:0.mode"));
    EXPECT_FALSE(hasKey(r.written, "nvme0:0.devicetype"));
    EXPECT_FALSE(hasKey(r.written, "sata0:3.present"));
    EXPECT_TRUE(hasLine(r.written, "sata0:1.autodetect = \"TRUE\""));
    EXPECT_TRUE(hasLine(r.written, "sata0:1.present = \"FALSE\""));
    // What the model does not hold is kept as it was.
    for (const char* kept : {"sata0:1.exclusive = \"TRUE\"", "sata0:2.fileName = \"\"",
                             "nvme0:1.deviceType = \"cdrom-image\"", "nvme0:1.fileName = \"boot.iso\""})
        EXPECT_TRUE(hasLine(r.written, kept)) << kept;
    const auto again = readText(r.written);
    EXPECT_EQ(again.written, r.written);
}

TEST(VmxSataNvme, AClassicFileKeepsItsSataLinesAsText)
{
    // No hardware version (or 4): the classic products' files, written as they always were.
    for (const char* version : {"", "virtualHW.version = \"4\"\n"}) {
        const std::string text = std::string("config.version = \"8\"\n") + version +
                                 "sata0.present = \"TRUE\"\nsata0:0.fileName = \"disk.vmdk\"\nscsi0.present = \"TRUE\"\n"
                                 "scsi0:9.fileName = \"wide.vmdk\"\n";
        const auto r = readText(text);
        EXPECT_EQ(r.vm->Hardware()->SATAControllers()->Count(), 0);
        EXPECT_EQ(r.vm->Hardware()->HardDisks()->Count(), 0);
        EXPECT_EQ(r.vm->Hardware()->SCSIControllers()->MaxNodesPerController(), 8);
        EXPECT_EQ(r.result.otherParams, (std::vector<std::string>{"sata0.present = \"TRUE\"",
                                                                  "sata0:0.fileName = \"disk.vmdk\"",
                                                                  "scsi0:9.fileName = \"wide.vmdk\""}));
        ASSERT_EQ(r.result.problems.size(), 1u);
        EXPECT_EQ(r.result.problems[0].code, ProblemCode::NodeOutOfRange);
        EXPECT_EQ(r.written.find("sata-controllers"), std::string::npos);
    }
}

TEST(VmxSataNvme, BadAddressesAreReportedAsOnTheScsiBus)
{
    const auto r = readText(R"(virtualHW.version = "20"
sata-1.present = "TRUE"
sata0:99999999.fileName = "far.vmdk"
sata0:30.fileName = "past.vmdk"
nvme0:15.fileName = "past.vmdk"
sata0:29.fileName = "last.vmdk"
)");
    std::vector<ProblemCode> codes;
    for (const auto& p : r.result.problems)
        codes.push_back(p.code);
    EXPECT_EQ(codes, (std::vector<ProblemCode>{ProblemCode::BadIndex, ProblemCode::IndexTooLarge,
                                               ProblemCode::NodeOutOfRange, ProblemCode::NodeOutOfRange}));
    EXPECT_EQ(r.vm->Hardware()->HardDisks()->Count(), 1) << "node 29 is SATA's last";
    EXPECT_TRUE(hasLine(r.written, "sata0:30.fileName = \"past.vmdk\""));
    EXPECT_TRUE(hasLine(r.written, "nvme0:15.fileName = \"past.vmdk\""));
}

TEST(VmxSataNvme, KeptLinesOfARemovedControllerAndDiskGoWithThem)
{
    const auto vm = newMachine();
    const ReadResult read = ReadVmxText(R"(virtualHW.version = "19"
nvme0.present = "TRUE"
nvme0.pciSlotNumber = "224"
nvme0:0.fileName = "a.vmdk"
nvme0:0.present = "TRUE"
nvme0:0.redo = ""
sata0.present = "TRUE"
sata0.pciSlotNumber = "35"
sata0:1.deviceType = "cdrom-image"
sata0:1.fileName = "x.iso"
sata0:1.present = "TRUE"
sata0:1.connectionStatus = "1"
)",
                                        *vm, "/vms/test/Test.vmx");
    const auto hw = vm->Hardware();
    hw->NVMeControllers()->Remove(1);
    hw->HardDisks()->Remove(1);
    hw->CDRoms()->Remove(1);
    const std::string text = WriteVmxText(*vm, read.otherParams, read.valuesAfterRead);
    EXPECT_FALSE(hasKey(text, "nvme0.pcislotnumber"));
    EXPECT_FALSE(hasKey(text, "nvme0:0.redo"));
    EXPECT_FALSE(hasKey(text, "sata0:1.connectionstatus"));
    EXPECT_TRUE(hasLine(text, "sata0.pciSlotNumber = \"35\"")) << "its controller stays";
    const auto back = readText(text);
    EXPECT_EQ(back.vm->Hardware()->NVMeControllers()->Count(), 0);
    EXPECT_EQ(back.vm->Hardware()->CDRoms()->Count(), 0);
}

TEST(VmxSataNvme, KnownKeysNameTheBusesAndLeaveTheProductsOwnKeys)
{
    EXPECT_EQ(FindKnownKey("sata1:29.deviceType")->place, KnownKeyPlace::SataNode);
    EXPECT_EQ(FindKnownKey("SATA0.present")->place, KnownKeyPlace::SataController);
    EXPECT_EQ(FindKnownKey("nvme0:0.fileName")->place, KnownKeyPlace::NvmeNode);
    EXPECT_EQ(FindKnownKey("nvme3.present")->place, KnownKeyPlace::NvmeController);
    for (const char* own : {"nvme0.subnqnUUID", "sata0.pciSlotNumber", "nvme0:0.redo", "sata0:0.exclusive"})
        EXPECT_FALSE(FindKnownKey(own)) << own;
}

TEST(VmxSataNvme, ControllersCountForThePciRuleAndTheVersionLimits)
{
    const auto vm = newMachine();
    const auto hw = vm->Hardware();
    const std::int32_t before = CountEnabledPciDevices(*vm);
    hw->SATAControllers()->Add();
    hw->NVMeControllers()->Add();
    hw->NVMeControllers()->Add()->SetEnabled(false);
    EXPECT_EQ(CountEnabledPciDevices(*vm), before + 2);

    const VersionDeviceLimits limits{"Workstation 17.x", 10, 4, 4, 1};
    EXPECT_FALSE(CheckVersionLimits(*vm, true, limits)) << "a disabled controller does not count";
    hw->NVMeControllers()->Item(2)->SetEnabled(true);
    const auto refusal = CheckVersionLimits(*vm, true, limits);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->kind, SaveRefusal::Kind::TooManyForVersion);
    EXPECT_EQ(refusal->deviceCount, 2);
    EXPECT_EQ(refusal->limit, 1);
}

// --- wide SCSI -------------------------------------------------------------------------------

TEST(VmxWideScsi, TheNodesFollowTheHardwareVersionWhereverItsLineStands)
{
    struct Case {
        const char* version;
        std::int16_t node;
        bool disk;
    };
    for (const Case c : {Case{"7", 15, true}, Case{"7", 16, false}, Case{"12", 12, true}, Case{"13", 64, true},
                         Case{"14", 16, true}, Case{"20", 65, false}}) {
        const std::string node = "scsi0:" + std::to_string(c.node);
        // The version line comes after the SCSI lines, as in many files of ESXi.
        const auto r = readText("scsi0.present = \"TRUE\"\n" + node + ".fileName = \"wide.vmdk\"\n" + node +
                                ".present = \"TRUE\"\nscsi0:9.present = \"FALSE\"\nvirtualHW.version = \"" +
                                c.version + "\"\n");
        SCOPED_TRACE(std::string("HW ") + c.version + " " + node);
        EXPECT_EQ(static_cast<bool>(onNode(*r.vm->Hardware()->HardDisks(), "SCSI", 0, c.node)), c.disk);
        EXPECT_EQ(r.result.problems.empty(), c.disk);
        EXPECT_TRUE(hasLine(r.written, node + ".fileName = \"wide.vmdk\""));
        // Empty nodes past the classic eight are not filled with FALSE lines; one the file had stays.
        EXPECT_TRUE(hasLine(r.written, "scsi0:9.present = \"FALSE\""));
        EXPECT_FALSE(hasKey(r.written, "scsi0:10.present"));
        EXPECT_TRUE(hasLine(r.written, "scsi0:6.present = \"FALSE\""));
        EXPECT_EQ(readText(r.written).written, r.written);
    }
}

TEST(VmxSataNvme, TheBusesFollowTheVersionTheSavedFileDeclares)
{
    struct Case {
        const char* versionLines;
        bool modern;
    };
    // Any virtualHW key with a number but the product compatibility sets the version, which the save
    // writes as virtualHW.version; a virtualHW.version line that is no number is kept and written
    // instead of the save's own.
    for (const Case c : {Case{"virtualHW.=20\n", true}, Case{"virtualHW.versio[ = \"14\"\n", true},
                         Case{"virtualHW.version = \"4\"\nvirtualHW.other = \"12\"\n", true},
                         Case{"virtualHW.version = \"abc\"\nvirtualHW.other = \"12\"\n", false},
                         Case{"virtualHW.other = \"12\"\nvirtualHW.version = \"4\"\n", false},
                         // The product compatibility is a word: as a number it is kept and sets nothing.
                         Case{"virtualHW.productCompatibility = \"14\"\nvirtualHW.=4\n", false},
                         Case{"virtualHW.version = \"4\"\nvirtualHW.productCompatibility = \"14\"\n", false}}) {
        SCOPED_TRACE(c.versionLines);
        const auto r = readText(std::string(c.versionLines) +
                                "sata0.=\nsata0:0.present = \"TRUE\"\nsata0:0.fileName = \"disk.vmdk\"\n"
                                "scsi0.present = \"TRUE\"\nscsi0:9.fileName = \"wide.vmdk\"\n");
        EXPECT_EQ(r.vm->Hardware()->SATAControllers()->Count(), c.modern ? 1 : 0);
        EXPECT_EQ(static_cast<bool>(onNode(*r.vm->Hardware()->HardDisks(), "SCSI", 0, 9)), c.modern);
        const auto again = readText(r.written);
        EXPECT_EQ(again.vm->Hardware()->SATAControllers()->Count(), c.modern ? 1 : 0);
        EXPECT_EQ(again.written, r.written);
    }
}

TEST(VmxWideScsi, LibvirtsFifteenDiskFileShowsEveryDisk)
{
    const fs::path path = corpus::InRepository() / "vmx" / "libvirt" / "scsi-driver-max.vmx";
    const auto vm = newMachine();
    const ReadResult result = ReadVmxFile(path, *vm);
    std::int32_t scsiDisks = 0;
    for (std::int32_t i = 1; i <= vm->Hardware()->HardDisks()->Count(); ++i)
        scsiDisks += vm->Hardware()->HardDisks()->Item(i)->BusType() == "SCSI" ? 1 : 0;
    const std::string text = test::readFile(path);
    std::int32_t inFile = 0;
    for (const auto& line : test::linesOf(text))
        inFile += line.find(".fileName") != std::string::npos && line.rfind("scsi", 0) == 0 ? 1 : 0;
    EXPECT_EQ(scsiDisks, inFile);
    EXPECT_TRUE(result.problems.empty());
}

} // namespace
} // namespace zentravolix::vmx
