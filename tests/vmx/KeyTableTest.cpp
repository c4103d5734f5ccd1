// SPDX-License-Identifier: MIT
// The reader and the writer share one table of keys and one of comment lines: every key the
// reader takes into the model is in the table, and the writer writes every key of the table
// back, spelt as the table spells it, unless the table says why not.
#include "TestMachine.h"

#include "vmx/VmxReader.h"
#include "vmx/VmxFileError.h"
#include "vmx/VmxWriter.h"
#include "vmx/detail/VmxLines.h"
#include "vmx/detail/FileComments.h"
#include "vmx/detail/KeyNames.h"
#include "vmx/detail/OptionKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

namespace zentravolix::vmx {
namespace {

using detail::KeyPlace;

/** A machine file that sets every key the reader knows, each with a value it takes. */
constexpr std::string_view kEveryKey = R"(displayName = "Every key"
# Platform = Workstation
# Version = 17.x
config.version = "8"
virtualHW.version = "20"
virtualHW.productCompatibility = "hosted"
guestOS = "winxppro"
workingDir = "/vms/test/work"
annotation = "notes|0D|0Amore"
numvcpus = "2"
cpuid.coresPerSocket = "2"
paevm = "TRUE"
vcpu.hotadd = "TRUE"
sched.cpu.min = "100"
sched.cpu.max = "2000"
sched.cpu.units = "mhz"
sched.cpu.shares = "high"
memsize = "256"
mem.hotadd = "FALSE"
sched.mem.min = "64"
sched.mem.minSize = "32"
sched.mem.max = "256"
sched.mem.shares = "1000"
ide0.present = "TRUE"
ide1.present = "TRUE"
ide0:0.present = "TRUE"
ide0:0.fileName = "disk.vmdk"
ide0:0.mode = "persistent"
ide0:0.deviceType = "disk"
ide1:0.present = "TRUE"
ide1:0.fileName = "auto detect"
ide1:0.deviceType = "atapi-cdrom"
ide1:0.autodetect = "TRUE"
ide1:0.startConnected = "TRUE"
ide1:0.exclusive = "FALSE"
ide1:0.clientDevice = "TRUE"
scsi0.present = "TRUE"
scsi0.virtualDev = "lsilogic"
scsi0:0.sharedBus = "virtual"
scsi0:0.mode = "independent-persistent"
scsi0:0.deviceType = "plainDisk"
scsi0:2.present = "TRUE"
scsi0:2.fileName = "scsi.vmdk"
scsi0:2.mode = "persistent"
scsi0:3.present = "TRUE"
scsi0:3.fileName = "auto detect"
scsi0:3.deviceType = "cdrom-raw"
scsi0:3.autodetect = "TRUE"
scsi0:3.startConnected = "TRUE"
scsi0:3.exclusive = "TRUE"
scsi0:3.clientDevice = "FALSE"
scsi0:4.present = "TRUE"
scsi0:4.fileName = "/dev/sg1"
scsi0:4.deviceType = "scsi-passthru"
scsi0:4.startConnected = "FALSE"
sata0.present = "TRUE"
sata0:0.deviceType = "disk"
sata0:0.fileName = "sata.vmdk"
sata0:0.mode = "independent-persistent"
sata0:0.present = "TRUE"
sata0:1.autodetect = "TRUE"
sata0:1.deviceType = "cdrom-raw"
sata0:1.fileName = "auto detect"
sata0:1.present = "TRUE"
sata0:1.startConnected = "FALSE"
sata0:1.clientDevice = "TRUE"
nvme0.present = "TRUE"
nvme0:0.deviceType = "disk"
nvme0:0.fileName = "nvme.vmdk"
nvme0:0.mode = "persistent"
nvme0:0.present = "TRUE"
ethernet0.present = "TRUE"
ethernet0.startConnected = "TRUE"
ethernet0.virtualDev = "e1000"
ethernet0.connectionType = "custom"
ethernet0.vnet = "VMnet3"
ethernet0.addressType = "static"
ethernet0.address = "00:50:56:00:00:01"
ethernet0.networkName = "VM Network"
ethernet0.uptCompatibility = "TRUE"
ethernet0.wakeOnPcktRcv = "FALSE"
ethernet0.allowGuestConnectionControl = "TRUE"
ethernet1.present = "TRUE"
ethernet1.addressType = "generated"
ethernet1.generatedAddress = "00:0c:29:00:00:02"
ethernet1.generatedAddressOffset = "10"
sound.present = "TRUE"
sound.startConnected = "TRUE"
sound.virtualDev = "sb16"
sound.synth.operational = "TRUE"
sound.fileName = "-1"
sound.autodetect = "TRUE"
svga.present = "TRUE"
usb.present = "TRUE"
usb.generic.autoconnect = "TRUE"
ehci.present = "TRUE"
usb_xhci.present = "TRUE"
floppy0.present = "TRUE"
floppy0.clientDevice = "TRUE"
floppy0.startConnected = "TRUE"
floppy0.fileType = "device"
floppy0.fileName = "auto detect"
floppy0.autodetect = "TRUE"
parallel0.present = "TRUE"
parallel0.startConnected = "FALSE"
parallel0.fileType = "device"
parallel0.fileName = "auto detect"
parallel0.autodetect = "TRUE"
parallel0.bidirectional = "TRUE"
serial0.present = "TRUE"
serial0.startConnected = "TRUE"
serial0.yieldOnMsrRead = "TRUE"
serial0.fileType = "pipe"
serial0.fileName = "/tmp/pipe"
serial0.pipe.endPoint = "client"
serial0.tryNoRxLoss = "TRUE"
serial1.fileType = "device"
serial1.fileName = "auto detect"
serial1.autodetect = "TRUE"
svga.maxWidth = "1024"
svga.maxHeight = "768"
svga.vramSize = "8388608"
mks.enable3d = "TRUE"
svga.graphicsMemoryKB = "262144"
vmmouse.present = "FALSE"
gui.powerOnAtStartup = "TRUE"
gui.fullScreenAtPowerOn = "TRUE"
gui.exitAtPowerOff = "TRUE"
powerType.powerOff = "hard"
powerType.reset = "soft"
powerType.powerOn = "soft"
powerType.suspend = "hard"
toolScripts.afterPowerOn = "TRUE"
toolScripts.afterResume = "TRUE"
toolScripts.beforeSuspend = "TRUE"
toolScripts.beforePowerOff = "TRUE"
tools.syncTime = "TRUE"
tools.upgrade.policy = "upgradeAtPowerCycle"
isolation.tools.hgfs.disable = "TRUE"
sharedFolder.maxNum = "1"
sharedFolder0.present = "TRUE"
sharedFolder0.enabled = "TRUE"
sharedFolder0.readAccess = "TRUE"
sharedFolder0.writeAccess = "FALSE"
sharedFolder0.hostPath = "/srv/share"
sharedFolder0.guestName = "share"
sharedFolder0.expiration = "session"
snapshot.disabled = "TRUE"
snapshot.action = "prompt"
isolation.tools.dnd.disable = "TRUE"
isolation.tools.paste.disable = "TRUE"
isolation.tools.paste.enabled = "FALSE"
isolation.tools.copy.disable = "TRUE"
isolation.tools.copy.enable = "FALSE"
priority.grabbed = "high"
priority.ungrabbed = "idle"
debug = "TRUE"
disable_acceleration = "TRUE"
MemTrimRate = "0"
logging = "FALSE"
monitor_control.log_vmsample = "TRUE"
log.filename = "/tmp/log"
templateVM = "TRUE"
disk.locking = "FALSE"
diskLib.dataCacheMaxSize = "0"
diskLib.dataCacheMaxReadAheadSize = "0"
diskLib.dataCacheMinReadAheadSize = "0"
diskLib.dataCachePageSize = "4096"
diskLib.maxUnsyncedWrites = "0"
firmware = "efi"
uefi.secureBoot.enabled = "TRUE"
unknown.key = "kept"
)";

/** A key of the table: how to recognise a key of a file as this one. */
struct TableKey {
    KeyPlace place;
    std::string_view name;
    std::string_view notWritten;
};

std::vector<TableKey> tableKeys()
{
    std::vector<TableKey> keys;
    for (const auto& known : detail::kKnownKeys)
        keys.push_back({known.place, known.name, known.notWritten});
    for (const auto& option : detail::optionKeys())
        keys.push_back({KeyPlace::Own, option.name, option.notWritten});
    return keys;
}

/** Takes "digits" (or "digits:digits" for a node) from the front of text. */
bool takeNumber(std::string_view& text, bool node)
{
    const auto digits = [&text] {
        std::size_t n = 0;
        while (n < text.size() && text[n] >= '0' && text[n] <= '9')
            ++n;
        text.remove_prefix(n);
        return n > 0;
    };
    if (!digits())
        return false;
    if (!node)
        return true;
    if (text.empty() || text.front() != ':')
        return false;
    text.remove_prefix(1);
    return digits();
}

/** The key as the file spells it belongs to this table key (exact spelling when exact is set). */
bool matches(const TableKey& entry, std::string_view key, bool exact)
{
    const auto same = [exact](std::string_view a, std::string_view b) {
        return exact ? a == b : EqualsIgnoreCase(a, b);
    };
    std::string_view family;
    bool node = false;
    switch (entry.place) {
    case KeyPlace::Own:
    case KeyPlace::Option: // the option keys stand in the table as keys of their own
        return same(key, entry.name);
    case KeyPlace::SharedFolder:
        family = detail::family::SharedFolder;
        break;
    case KeyPlace::Floppy:
        family = detail::family::Floppy;
        break;
    case KeyPlace::Parallel:
        family = detail::family::Parallel;
        break;
    case KeyPlace::Serial:
        family = detail::family::Serial;
        break;
    case KeyPlace::Ethernet:
        family = detail::family::Ethernet;
        break;
    case KeyPlace::IdeController:
        family = detail::family::Ide;
        break;
    case KeyPlace::ScsiController:
        family = detail::family::Scsi;
        break;
    case KeyPlace::IdeNode:
        family = detail::family::Ide;
        node = true;
        break;
    case KeyPlace::ScsiNode:
        family = detail::family::Scsi;
        node = true;
        break;
    case KeyPlace::SataController:
        family = detail::family::Sata;
        break;
    case KeyPlace::NvmeController:
        family = detail::family::Nvme;
        break;
    case KeyPlace::SataNode:
        family = detail::family::Sata;
        node = true;
        break;
    case KeyPlace::NvmeNode:
        family = detail::family::Nvme;
        node = true;
        break;
    }
    if (key.size() < family.size() || !same(key.substr(0, family.size()), family))
        return false;
    key.remove_prefix(family.size());
    return takeNumber(key, node) && same(key, entry.name);
}

std::string describe(const TableKey& entry)
{
    static const char* const kPlaces[] = {"",       "sharedFolderN", "floppyN", "parallelN", "serialN",
                                          "ethernetN", "ideN",       "scsiN",   "ideN:M",    "scsiN:M",
                                          "sataN",  "nvmeN",       "sataN:M", "nvmeN:M"};
    return kPlaces[static_cast<int>(entry.place)] + std::string(entry.name);
}

class KeyTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        vm = test::newMachine();
        read = ReadVmxText(kEveryKey, *vm, "/vms/test/test.vmx");
        for (const auto& line : read.otherParams)
            kept.insert(std::string(RawLineKey(line)));
    }

    std::shared_ptr<tarvonel::VirtualMachine> vm;
    ReadResult read;
    std::set<std::string> kept;
};

TEST_F(KeyTable, EveryKeyTheReaderTakesIsInTheTableAndTheSampleHasEveryTableKey)
{
    ASSERT_TRUE(read.problems.empty()) << read.problems.front().text;
    EXPECT_EQ(kept, std::set<std::string>{"unknown.key"}) << "the sample's values are all ones the reader takes";
    const auto keys = tableKeys();
    const auto fileKeys = test::linesOf(kEveryKey);
    for (const auto& line : fileKeys) {
        const std::string key(RawLineKey(line));
        if (key.empty() || kept.count(key))
            continue;
        const bool inTable = std::any_of(keys.begin(), keys.end(), [&](const TableKey& e) { return matches(e, key, false); });
        EXPECT_TRUE(inTable) << key << " is taken by the reader but missing from the key table";
    }
    for (const auto& entry : keys) {
        const bool sampled = std::any_of(fileKeys.begin(), fileKeys.end(),
                                         [&](const std::string& line) { return matches(entry, RawLineKey(line), false); });
        EXPECT_TRUE(sampled) << describe(entry) << " has no line in the sample above: add one the reader takes";
    }
}

TEST_F(KeyTable, TheWriterWritesEveryTableKeyInItsSpellingOrTheTableSaysWhyNot)
{
    const std::string written = WriteVmxText(*vm, read.otherParams, read.valuesAfterRead);
    std::vector<std::string> writtenKeys;
    for (const auto& line : test::linesOf(written)) {
        if (const std::string_view key = RawLineKey(line); !key.empty())
            writtenKeys.emplace_back(key);
    }
    for (const auto& entry : tableKeys()) {
        const auto has = [&](bool exact) {
            return std::any_of(writtenKeys.begin(), writtenKeys.end(),
                               [&](const std::string& key) { return matches(entry, key, exact); });
        };
        if (entry.notWritten.empty()) {
            EXPECT_TRUE(has(true)) << describe(entry) << " is read but not written back in the table's spelling";
        } else {
            EXPECT_FALSE(has(false)) << describe(entry) << " is listed as not written, yet the writer writes it";
        }
    }
}

// A write of a few keys leaves out whole sections whose keys are of other places; each key of the
// sample (clustering on, every device kind) alone must still give the whole writer's line.
TEST_F(KeyTable, EachWrittenKeyAloneGivesItsWholeLine)
{
    const auto full = detail::modelLines(*vm);
    std::size_t keys = 0;
    for (const auto& line : full) {
        if (line.key().empty())
            continue;
        ++keys;
        const detail::WantedKeys only{line.key()};
        const auto alone = detail::modelLines(*vm, only);
        ASSERT_EQ(alone.size(), 1u) << line.text;
        EXPECT_EQ(alone[0].text, line.text);
    }
    EXPECT_GT(keys, 100u);
}

// Kept lines are checked against the model's lines only when FindKnownKey knows their key, so
// every key the writer can write must be one it knows.
TEST_F(KeyTable, FindKnownKeyKnowsEveryTableKeyAndEveryKeyTheWriterWrites)
{
    const auto table = tableKeys();
    for (const auto& line : test::linesOf(kEveryKey)) {
        const std::string key(RawLineKey(line));
        if (key.empty() || kept.count(key))
            continue;
        std::string shouted = "  " + key + "\t";
        for (char& c : shouted)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const auto known = FindKnownKey(shouted);
        ASSERT_TRUE(known) << key;
        const auto entry = std::find_if(table.begin(), table.end(), [&](const TableKey& e) { return matches(e, key, false); });
        ASSERT_NE(entry, table.end()) << key;
        const bool option = detail::findOptionKey(ToLower(key)) != nullptr;
        EXPECT_EQ(known->place, option ? KnownKeyPlace::Option : entry->place) << key;
    }
    for (const char* other : {"unknown.key", "scsi0:.present", "ethernet0:1.present", "scsix0.present", "scsi.present",
                              "sound0.present", "ide0:0.present.x", "0.present"})
        EXPECT_FALSE(FindKnownKey(other)) << other;

    std::vector<std::pair<std::string, std::shared_ptr<tarvonel::VirtualMachine>>> models{{"the sample", vm}};
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ZV_TEST_DATA_DIR)) {
        if (entry.path().extension() != ".vmx")
            continue;
        auto model = test::newMachine();
        try {
            (void)ReadVmxText(test::readFile(entry.path()), *model, entry.path().string());
        } catch (const VmxFileError&) {
            continue; // a file the reader refuses as a whole
        }
        models.emplace_back(entry.path().filename().string(), model);
    }
    ASSERT_GT(models.size(), 40u);
    for (const auto& [name, model] : models) {
        for (const auto& line : detail::modelLines(*model))
            EXPECT_TRUE(line.key().empty() || FindKnownKey(line.key())) << line.text << " (written for " << name << ")";
    }
}

TEST(FileCommentTable, EveryProductPairIsWrittenAndReadBack)
{
    for (const auto& row : detail::allPlatformComments()) {
        auto vm = test::newMachine();
        vm->Options()->GeneralOptions()->SetTargetPlatform(row.platform);
        vm->Options()->GeneralOptions()->SetPlatformVersion(row.version);
        const std::string text = WriteVmxText(*vm, {}, {});
        EXPECT_NE(text.find(std::string(row.platformLine) + "\r\n" + std::string(row.versionLine) + "\r\n"),
                  std::string::npos);
        auto back = test::newMachine();
        const ReadResult result = ReadVmxText(text, *back, "/vms/test/Test.vmx");
        for (const auto& kept : result.otherParams)
            EXPECT_NE(kept.front(), '#') << "the comment lines are the reader's: " << kept;
        EXPECT_EQ(back->Options()->GeneralOptions()->TargetPlatform(), row.platform) << row.platformLine;
        EXPECT_EQ(back->Options()->GeneralOptions()->PlatformVersion(), row.version) << row.versionLine;
    }
}

TEST(FileCommentTable, AVersionLineSharedByPlatformsFollowsThePlatformLine)
{
    // "3.x" is Workstation's first version and GSX Server's second; "1.x" is first of two platforms.
    EXPECT_EQ(detail::versionOfLine("# Version = 3.x", 1, 4), 0);
    EXPECT_EQ(detail::versionOfLine("# Version = 3.x", 0, 0), 1);
    EXPECT_EQ(detail::versionOfLine("# Version = 3.x", 3, 0), 0) << "another platform keeps its version";
    EXPECT_EQ(detail::versionOfLine("# Version = 3.x", 2, 0), 1) << "Player's 3.x is its second version";
    EXPECT_EQ(detail::versionOfLine("# Version = 1.x", 1, 3), 0);
    EXPECT_EQ(detail::versionOfLine("# Version = 13.x", 1, 3), std::nullopt);
    EXPECT_EQ(detail::versionOfLine("# Version = 7.0 U2", 4, 0), 11);
    EXPECT_EQ(detail::platformOfLine("# Platform = ESXi"), 4);
    EXPECT_EQ(detail::platformOfLine("# Platform = Player"), 2);
    EXPECT_EQ(detail::platformOfLine("# Platform = player"), std::nullopt);
}

} // namespace
} // namespace zentravolix::vmx
