// SPDX-License-Identifier: MIT
// The fuzz targets' properties over their seeds and over every input a fuzz run once found
// (fuzz/regressions/<target>/), so a finding that was fixed stays fixed without clang.
#include "HardeningSupport.h"
#include "support/Corpus.h"

#include "fuzz/checks/FuzzChecks.h"
#include "platform/RegistryStore.h"
#include "platform/cRegistry.h"
#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <algorithm>
#include <map>
#include <tuple>

#include <gtest/gtest.h>

namespace zentravolix::hardening {
namespace {

namespace corpus = ::zentravolix::test::corpus;

struct FuzzInput {
    std::string target;
    fs::path file;
    std::string name; ///< where it comes from, e.g. "corpus/vmx/libvirt/annotation.vmx"
};

void PrintTo(const FuzzInput& input, std::ostream* out)
{
    *out << input.target << ": " << input.name;
}

fuzz::Finding check(const std::string& target, std::string_view input)
{
    if (target == "vmx") // the whole check, also on the past findings with many items
        return fuzz::CheckVmxWithItemLimit(input, INT32_MAX);
    if (target == "descriptor")
        return fuzz::CheckDescriptor(input);
    if (target == "ini")
        return fuzz::CheckIni(input);
    return fuzz::CheckRegistryStore(input);
}

std::vector<FuzzInput> inputs()
{
    const fs::path fuzzDir = ZV_FUZZ_DIR;
    const fs::path data = ZV_TEST_DATA_DIR;
    // Besides the corpus (both of its folders): the folders named relative to their root.
    const std::vector<std::tuple<std::string, std::string, std::vector<std::pair<fs::path, std::string>>>> sources =
        {
            {"vmx",
             "vmx",
             {{data, "vmx"}, {data, "roundtrip"}, {fuzzDir, "regressions/vmx"}}},
            {"descriptor", "vmdk", {{fuzzDir, "regressions/descriptor"}}},
            {"ini", "", {{fuzzDir, "seeds/ini"}, {fuzzDir, "regressions/ini"}}},
            {"registry_store", "", {{fuzzDir, "seeds/registry"}, {fuzzDir, "regressions/registry_store"}}},
        };
    std::vector<FuzzInput> all;
    for (const auto& [target, corpusFolder, folders] : sources) {
        if (!corpusFolder.empty()) {
            for (const auto& file : corpus::Files(corpusFolder))
                all.push_back({target, file.path, "corpus/" + file.relative});
        }
        for (const auto& [root, folder] : folders) {
            for (const auto& file : filesUnder(root / folder))
                all.push_back({target, file, fs::relative(file, root).generic_string()});
        }
    }
    return all;
}

class FuzzProperties : public ::testing::TestWithParam<FuzzInput> {};

TEST_P(FuzzProperties, HoldForSeedsAndPastFindings)
{
    const auto& [target, file, name] = GetParam();
    const fuzz::Finding finding = check(target, readFile(file));
    EXPECT_FALSE(finding) << name << ": " << *finding;
}

INSTANTIATE_TEST_SUITE_P(Inputs, FuzzProperties, ::testing::ValuesIn(inputs()),
                         [](const ::testing::TestParamInfo<FuzzInput>& info) {
                             return corpus::TestName(info.param.name);
                         });

TEST(FuzzPropertiesPresent, EveryTargetHasInputsAndFindingsAreKept)
{
    std::map<std::string, int> perTarget;
    for (const auto& input : inputs())
        ++perTarget[input.target];
    for (const char* target : {"vmx", "descriptor", "ini", "registry_store"})
        EXPECT_GE(perTarget[target], 2) << target;
    EXPECT_FALSE(filesUnder(fs::path(ZV_FUZZ_DIR) / "regressions").empty());
}

// Found by fuzz_registry_store: reading drops one CR before each LF, so a line the store keeps
// as it is lost one CR on every save when it ended in CR CR LF.
TEST(RegistryStoreFinding, KeptLineEndingInCrCrLfSurvivesEverySave)
{
    const std::string text = "[HKEY_CURRENT_USER\\Software\\Quindrel\\Zentravolix]\n"
                             "not a value line\r\r\n"
                             "IniLocation=sz:/home/a\n";
    const std::string once = platform::RegistryStore::fromText(text).text();
    EXPECT_EQ(once, text);
    EXPECT_EQ(platform::RegistryStore::fromText(once).text(), once);
}

// Found by fuzz_registry_store: the values under an empty header "[]" were written without it
// and read back as values of the key before.
TEST(RegistryStoreFinding, ValuesUnderAnEmptyHeaderStayThere)
{
    const std::string text = "[HKEY_CURRENT_USER\\Software\\Quindrel\\Zentravolix]\n"
                             "IniLocation=sz:/home/a\n"
                             "[]\n"
                             "Stray=sz:b\n";
    const platform::RegistryStore store = platform::RegistryStore::fromText(text);
    EXPECT_EQ(store.text(), text);
    const auto names = platform::RegistryStore::fromText(store.text())
                           .valueNames(platform::kHkeyCurrentUser, "Software\\Quindrel\\Zentravolix");
    EXPECT_EQ(names, std::vector<std::string>{"IniLocation"});
}

// Found by fuzz_vmx: with a key set twice, the earlier line was kept verbatim and won over the
// value the later line gave the model, so the next read gave another machine.
TEST(VmxFinding, EarlierLineOfAKeySetTwiceIsNotKept)
{
    const std::string text = "ethernet0.present = \"TRUE\"\r\n"
                             "ethernet0.addressType = \"vpx\"\r\n"
                             "ethernet0.addressType = \"static\"\r\n"
                             "ethernet0.address = \"00:50:56:01:02:03\"\r\n";
    const auto vm = newMachine();
    const vmx::ReadResult result = vmx::ReadVmxText(text, *vm);
    EXPECT_TRUE(result.otherParams.empty());
    EXPECT_EQ(vm->Hardware()->NetworkAdapters()->Item(1)->AddressType(), 1);
    EXPECT_FALSE(fuzz::CheckVmx(text));
}

// Found by fuzz_vmx next: the earlier line applied, the later kept verbatim; the model must
// hold what the later line gives, or the written machine reads back as another one.
TEST(VmxFinding, EarlierAppliedLineOfAKeySetTwiceIsIgnored)
{
    const std::string text = "ethernet0.present = \"TRUE\"\r\n"
                             "ethernet0.addressType = \"static\"\r\n"
                             "ethernet0.address = \"00:50:56:01:02:03\"\r\n"
                             "ethernet0.addressType = \"manual\"\r\n";
    const auto vm = newMachine();
    const auto fresh = newMachine();
    fresh->Hardware()->NetworkAdapters()->Add();
    const vmx::ReadResult result = vmx::ReadVmxText(text, *vm);
    EXPECT_EQ(result.otherParams, std::vector<std::string>{"ethernet0.addressType = \"manual\""});
    EXPECT_EQ(vm->Hardware()->NetworkAdapters()->Item(1)->AddressType(),
              fresh->Hardware()->NetworkAdapters()->Item(1)->AddressType());
    EXPECT_FALSE(fuzz::CheckVmx(text));
}

// Found by fuzz_vmx after that: the node pass must skip a superseded line as well, or an
// earlier "cdrom-raw" makes a CD-ROM that the later line of the same key does not.
TEST(VmxFinding, SupersededNodeLineDecidesNoDevice)
{
    const std::string text = "ide0:0.deviceType = \"cdrom-raw\"\r\n"
                             "IDE0:0.DEVICETYPE = \"CDROM-RAW\"\r\n";
    const auto vm = newMachine();
    const std::int32_t cdroms = vm->Hardware()->CDRoms()->Count();
    const vmx::ReadResult result = vmx::ReadVmxText(text, *vm);
    EXPECT_EQ(vm->Hardware()->CDRoms()->Count(), cdroms);
    EXPECT_EQ(result.otherParams, std::vector<std::string>{"IDE0:0.DEVICETYPE = \"CDROM-RAW\""});
    EXPECT_FALSE(fuzz::CheckVmx(text));
}

// Found by fuzz_vmx: a preserved key the file sets twice is written once (the later line, as
// VMware reads it), and that line survives a second save.
TEST(VmxFinding, PreservedKeySetTwiceKeepsTheLaterLine)
{
    const std::string text = "pciBridge5.pciSlotNumber = \"9\"\r\n"
                             "memsize = \"256\"\r\n"
                             "PCIBRIDGE5.pciSlotNumber = \"22\"\r\n";
    const auto vm = newMachine();
    const vmx::ReadResult result = vmx::ReadVmxText(text, *vm);
    const std::string written = vmx::WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    EXPECT_EQ(written.find("pciBridge5.pciSlotNumber = \"9\""), std::string::npos);
    EXPECT_NE(written.find("PCIBRIDGE5.pciSlotNumber = \"22\"\r\n"), std::string::npos);
    EXPECT_FALSE(fuzz::CheckVmx(text));
}

// Found by fuzz_vmx: "scsi0:+1" and "scsi0:01" are node 1 to the reader, so a line of such a key
// and one of the plain key set the same member twice. Both counted: the earlier made a generic
// SCSI device, the later gave it an empty type, and the written node was no device on rereading.
TEST(VmxFinding, OddlySpeltItemNumbersAreTheSameKeyAsThePlainSpelling)
{
    struct Case {
        const char* text;
        std::int32_t generic;
        std::int32_t cdroms;
    };
    const Case cases[] = {
        {"scsi0:+1.deviceType=scsi-passthru\nscsi0:1.deviceType=\n", 0, 0},
        {"scsi0:01.deviceType = \"cdrom-raw\"\nscsi0:1.deviceType = \"scsi-passthru\"\n", 1, 0},
        {"scsi0:1.deviceType = \"scsi-passthru\"\nSCSI00:+001.deviceType = \"cdrom-raw\"\n", 0, 1},
    };
    for (const Case& c : cases) {
        const auto vm = newMachine();
        (void)vmx::ReadVmxText(c.text, *vm);
        EXPECT_EQ(vm->Hardware()->GenericSCSIDevices()->Count(), c.generic) << c.text;
        EXPECT_EQ(vm->Hardware()->CDRoms()->Count() - newMachine()->Hardware()->CDRoms()->Count(), c.cdroms) << c.text;
        EXPECT_FALSE(fuzz::CheckVmx(c.text)) << c.text;
    }
    // Keys the reader does not take stay apart, each kept as the file has it.
    const std::string unknown = "ethernet01.foo = \"a\"\nethernet1.foo = \"b\"\n";
    const auto vm = newMachine();
    const vmx::ReadResult result = vmx::ReadVmxText(unknown, *vm);
    EXPECT_EQ(std::count_if(result.otherParams.begin(), result.otherParams.end(),
                            [](const std::string& line) { return line.find(".foo") != std::string::npos; }),
              2);
    EXPECT_FALSE(fuzz::CheckVmx(unknown));
}

// Found by fuzz_vmx: "sata0:0.mode =" with no value made a disk, but the writer writes a SATA or
// NVMe disk's mode only when it has one, so the next read found no disk and kept its lines as
// text. Such a line now makes no disk there; on IDE and SCSI the mode is always written.
TEST(VmxFinding, AnEmptyModeMakesNoDiskWhereTheWriterLeavesItOut)
{
    struct Case {
        const char* text;
        std::int32_t disks;
    };
    const Case cases[] = {
        {"virtualHW.=6\nsata0:0.mode=\n", 0},
        {"virtualHW.version = \"20\"\nnvme0:1.mode = \"\"\n", 0},
        {"virtualHW.version = \"20\"\nsata0:0.mode = \"\"\nsata0:0.fileName = \"d.vmdk\"\n", 1},
        {"virtualHW.version = \"20\"\nsata0:0.mode = \"persistent\"\n", 1},
        {"scsi0:0.mode = \"\"\n", 1},
    };
    for (const Case& c : cases) {
        const auto vm = newMachine();
        const vmx::ReadResult result = vmx::ReadVmxText(c.text, *vm);
        EXPECT_EQ(vm->Hardware()->HardDisks()->Count() - newMachine()->Hardware()->HardDisks()->Count(), c.disks)
            << c.text;
        if (c.disks == 0) { // the line is kept as the file has it
            EXPECT_EQ(result.otherParams.size(), 1u) << c.text;
        }
        EXPECT_FALSE(fuzz::CheckVmx(c.text)) << c.text;
    }
}

// Found by fuzz_vmx: with disk.locking = "FALSE", a kept "scsi00:1.sharedBus" line replaces the
// clustering block's "scsi0:1.sharedBus" (the same key to the reader), but the node it stands in
// for was looked for by its spelling. On the next read the block's ".mode" beside it made a disk.
TEST(VmxFinding, AnOddlySpeltSharedBusLineStandsInForTheClusteringBlocks)
{
    for (const char* text : {"disk.locking=FALSE\nscsi00:1.sharedBus=\n",
                             "disk.locking = \"FALSE\"\nscsi0:01.sharedBus = \"none\"\n",
                             "disk.locking = \"FALSE\"\nSCSI0:+0.sharedBus = \"virtual\"\n"}) {
        const auto vm = newMachine();
        const std::int32_t disks = vm->Hardware()->HardDisks()->Count();
        const vmx::ReadResult result = vmx::ReadVmxText(text, *vm);
        const std::string written = vmx::WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
        const auto again = newMachine();
        (void)vmx::ReadVmxText(written, *again);
        EXPECT_EQ(again->Hardware()->HardDisks()->Count(), disks) << text;
        EXPECT_FALSE(fuzz::CheckVmx(text)) << text;
    }
}

// The check itself: a preserved line missing from the written file, or written fewer times than
// it was kept, is a finding; of a key kept twice only the later line must be written.
TEST(VmxCheckProperty, PreservedLinesMustBeWrittenAsOftenAsKept)
{
    const std::string written = "memsize = \"256\"\r\nfoo.bar = \"1\"\r\n# note\r\nFoo.Baz = \"2\"\r\n";
    EXPECT_FALSE(fuzz::CheckPreservedLinesWritten({}, written));
    EXPECT_FALSE(fuzz::CheckPreservedLinesWritten({"foo.bar = \"1\"", "# note", "Foo.Baz = \"2\""}, written));

    const auto missing = fuzz::CheckPreservedLinesWritten({"foo.bar = \"1\"", "foo.qux = \"3\""}, written);
    ASSERT_TRUE(missing);
    EXPECT_NE(missing->find("foo.qux"), std::string::npos) << *missing;
    EXPECT_TRUE(fuzz::CheckPreservedLinesWritten({"foo.bar = \"1 \""}, written)) << "a line differs by one byte";
    EXPECT_TRUE(fuzz::CheckPreservedLinesWritten({"# note", "# note"}, written)) << "kept twice, written once";

    // The earlier line of a key set twice (letter case ignored) need not be written, the later must.
    EXPECT_FALSE(fuzz::CheckPreservedLinesWritten({"FOO.BAR = \"0\"", "foo.bar = \"1\""}, written));
    EXPECT_TRUE(fuzz::CheckPreservedLinesWritten({"foo.bar = \"1\"", "FOO.BAR = \"0\""}, written));
}

// The fuzz target reads, writes and reads again only files of a few dozen items, or inputs with
// indexes in the hundreds would take most of its time. Here such a model gets the whole check:
// devices and shares at high indexes on every kind of collection, with gaps below them.
TEST(VmxLargeIndexes, HundredsOfItemsSurviveWriteReadWrite)
{
    std::string text = "config.version = \"8\"\r\nvirtualHW.version = \"4\"\r\n"
                       "memsize = \"256\"\r\nsharedFolder.maxNum = \"400\"\r\n";
    for (const char* prefix : {"ethernet", "serial", "parallel", "floppy", "sound", "usb", "sharedFolder"})
        text += std::string(prefix) + "300.present = \"TRUE\"\r\n";
    text += "ethernet250.connectionType = \"hostonly\"\r\n"
            "sharedFolder399.present = \"TRUE\"\r\nsharedFolder399.hostPath = \"/srv/share\"\r\n"
            "sharedFolder399.guestName = \"share\"\r\n"
            "scsi3.present = \"TRUE\"\r\nscsi3:15.present = \"TRUE\"\r\nscsi3:15.fileName = \"d.vmdk\"\r\n"
            "ide1:1.present = \"TRUE\"\r\nide1:1.deviceType = \"cdrom-raw\"\r\n";

    const auto vm = newMachine();
    vmx::ReadVmxText(text, *vm);
    ASSERT_GT(vm->Hardware()->NetworkAdapters()->Count() + vm->Options()->SharedFoldersOptions()->Count(),
              fuzz::kVmxRoundTripItemLimit); // beyond what the fuzz target writes
    fuzz::VmxCheckWork whole;
    const fuzz::Finding finding = fuzz::CheckVmxWithItemLimit(text, INT32_MAX, &whole);
    EXPECT_FALSE(finding) << *finding;
    EXPECT_TRUE(whole.roundTrip);

    // The fuzz target's check neither reads nor writes such a file: a line makes hundreds of items.
    fuzz::VmxCheckWork bounded;
    EXPECT_FALSE(fuzz::CheckVmxWithItemLimit(text, fuzz::kVmxRoundTripItemLimit, &bounded));
    EXPECT_FALSE(bounded.read);
    EXPECT_FALSE(bounded.roundTrip);
    EXPECT_EQ(bounded.bytesWritten, 0u);
}

// What one line makes decides whether the fuzz target reads a file; what all lines make together
// decides whether it writes the model. Numbers the reader refuses make nothing and are read.
TEST(VmxLargeIndexes, TheBoundFollowsTheItemsALineMakes)
{
    const std::string head = "config.version = \"8\"\r\nvirtualHW.version = \"4\"\r\n";
    struct Case {
        std::string lines;
        bool read;
        bool roundTrip;
    };
    const Case cases[] = {
        {"numvcpus = \"200\"\r\n", false, false},
        {"sharedFolder.maxNum = \"300\"\r\n", false, false},
        {"SERIAL64.present = \"TRUE\"\r\n", false, false}, // 65 ports
        {"serial32.present = \"TRUE\"\r\n", false, false}, // 33 ports
        {"serial20.present = \"TRUE\"\r\n", true, true},   // 21 ports and the defaults
        {"scsi3:15.present = \"TRUE\"\r\nscsi3:15.fileName = \"d.vmdk\"\r\n", true, true},
        // Refused by the reader, line by line: nothing is made.
        {"ethernet5000.present = \"TRUE\"\r\nnumvcpus = \"100000\"\r\n"
         "sharedFolder99999999999999999999.present = \"TRUE\"\r\n",
         true, true},
        // A score of items on each of two lines: read, but more than the limit in all.
        {"ethernet20.present = \"TRUE\"\r\nserial20.present = \"TRUE\"\r\n", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        fuzz::VmxCheckWork work;
        const fuzz::Finding finding = fuzz::CheckVmxWithItemLimit(head + c.lines, fuzz::kVmxRoundTripItemLimit, &work);
        EXPECT_FALSE(finding) << *finding;
        EXPECT_EQ(work.read, c.read);
        EXPECT_EQ(work.roundTrip, c.roundTrip);
        EXPECT_EQ(work.items > fuzz::kVmxRoundTripItemLimit, c.read && !c.roundTrip) << work.items;
        fuzz::VmxCheckWork whole;
        EXPECT_FALSE(fuzz::CheckVmxWithItemLimit(head + c.lines, INT32_MAX, &whole));
        EXPECT_TRUE(whole.read && whole.roundTrip);
    }
}

// The bound leaves ordinary files alone: they get the write, read and write, and the second
// write is the first one again.
TEST(VmxLargeIndexes, OrdinaryFileGetsTheWholeCheckUnderTheItemLimit)
{
    const std::string text = "config.version = \"8\"\r\nvirtualHW.version = \"7\"\r\nmemsize = \"512\"\r\n"
                             "ethernet0.present = \"TRUE\"\r\nscsi0.present = \"TRUE\"\r\n"
                             "scsi0:0.present = \"TRUE\"\r\nscsi0:0.fileName = \"disk.vmdk\"\r\n";
    fuzz::VmxCheckWork work;
    EXPECT_FALSE(fuzz::CheckVmxWithItemLimit(text, fuzz::kVmxRoundTripItemLimit, &work));
    EXPECT_TRUE(work.read);
    EXPECT_GT(work.items, 0);
    EXPECT_LE(work.items, fuzz::kVmxRoundTripItemLimit);
    EXPECT_TRUE(work.roundTrip);
    EXPECT_GT(work.bytesWritten, 0u);
    EXPECT_EQ(work.bytesWritten % 2, 0u);
}

} // namespace
} // namespace zentravolix::hardening
