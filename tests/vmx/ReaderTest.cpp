// SPDX-License-Identifier: MIT
// The key-to-model mapping of the reader and the edge cases of its line rules.
#include "TestMachine.h"

#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

namespace zentravolix::vmx {
namespace {

using test::newMachine;
using Lines = std::vector<std::string>;

ReadResult read(tarvonel::VirtualMachine& vm, const std::string& text)
{
    return ReadVmxText(text, vm, "/vms/test/test.vmx");
}

TEST(VmxReader, PathGivesFolderAndFileName)
{
    const auto vm = newMachine();
    read(*vm, "");
    EXPECT_EQ(vm->Options()->GeneralOptions()->VmxPath(), "/vms/test/");
    EXPECT_EQ(vm->Options()->GeneralOptions()->VmxFileName(), "test.vmx");
}

TEST(VmxReader, KeysAreTrimmedAndQuotesRemoved)
{
    const auto vm = newMachine();
    const auto result = read(*vm, "  displayName  =  \"My \"VM\"\"  \nannotation = \"a|0D|0Ab |22q|22\"\n");
    EXPECT_EQ(vm->Options()->GeneralOptions()->DisplayName(), "My VM");
    EXPECT_EQ(vm->Notes(), "a\r\nb \"q\"");
    EXPECT_TRUE(result.otherParams.empty());
}

TEST(VmxReader, EmptyLinesVanishBlankLinesAndUnknownLinesAreKeptKeysFirst)
{
    const auto vm = newMachine();
    const auto result = read(*vm, "# user comment\n\n   \nnvram = \"x\"\nno equals here\n#######\n"
                                  "####### test.vmx\n# Platform = Server\n");
    EXPECT_EQ(result.otherParams, (Lines{"   ", "nvram = \"x\"", "no equals here", "# user comment"}));
    EXPECT_EQ(vm->Options()->GeneralOptions()->TargetPlatform(), 3);
    EXPECT_TRUE(result.problems.empty());
}

TEST(VmxReader, VersionLineResolvesAgainstThePlatformReadBeforeIt)
{
    const auto vm = newMachine(); // Workstation 5.5x
    read(*vm, "# Version = 3.x\n# Platform = GSX Server\n");
    EXPECT_EQ(vm->Options()->GeneralOptions()->TargetPlatform(), 0);
    EXPECT_EQ(vm->Options()->GeneralOptions()->PlatformVersion(), 0) << "3.x of Workstation";

    const auto gsx = newMachine();
    read(*gsx, "# Platform = GSX Server\n# Version = 3.x\n");
    EXPECT_EQ(gsx->Options()->GeneralOptions()->PlatformVersion(), 1);
}

// Found by fuzz_vmx: "config.version = 8" gives Workstation 5.5x, and a lone GSX Server line
// after it made a pair with no version of that name; the file saved without product lines and
// read back as another product.
TEST(VmxReader, APlatformLineLeavesAVersionOfThatPlatform)
{
    const auto vm = newMachine();
    read(*vm, "config.version = \"8\"\n# Platform = GSX Server\n");
    EXPECT_EQ(vm->Options()->GeneralOptions()->TargetPlatform(), 0);
    EXPECT_EQ(vm->Options()->GeneralOptions()->PlatformVersion(), 1) << "its latest, 3.x";

    const auto player = newMachine();
    read(*player, "config.version = \"8\"\n# Platform = Player\n# Version = 1.x\n");
    EXPECT_EQ(player->Options()->GeneralOptions()->TargetPlatform(), 2);
    EXPECT_EQ(player->Options()->GeneralOptions()->PlatformVersion(), 0);

    const auto listed = newMachine();
    read(*listed, "config.version = \"6\"\n# Platform = GSX Server\n");
    EXPECT_EQ(listed->Options()->GeneralOptions()->PlatformVersion(), 0) << "a listed pair stays";

    // ESXi has no classic version to fall back on: a Workstation version line before its
    // platform line left it with a version it does not have, and the file saved without product
    // lines. It takes its newest version below the one given, which a save writes and a read finds again.
    for (const char* text : {"# Version = 17.x\n# Platform = ESXi", "# Version = 5.5x\n# Platform = ESXi\n"}) {
        const auto esxi = newMachine();
        read(*esxi, text);
        const auto general = esxi->Options()->GeneralOptions();
        EXPECT_EQ(general->TargetPlatform(), 4) << text;
        const std::string written = WriteVmxText(*esxi);
        EXPECT_NE(written.find("\r\n# Platform = ESXi\r\n"), std::string::npos) << text;
        const auto again = newMachine();
        read(*again, written);
        EXPECT_EQ(again->Options()->GeneralOptions()->TargetPlatform(), 4) << text;
        EXPECT_EQ(again->Options()->GeneralOptions()->PlatformVersion(), general->PlatformVersion()) << text;
    }
}

TEST(VmxReader, ConfigVersionSetsTheProductOfOldFiles)
{
    const auto vm = newMachine();
    read(*vm, "config.version = \"6\"\nvirtualHW.version = \"3\"\nvirtualHW.productCompatibility = \"hosted\"\n");
    const auto general = vm->Options()->GeneralOptions();
    EXPECT_EQ(general->ConfigVersion(), 6);
    EXPECT_EQ(general->HardwareVersion(), 3);
    EXPECT_EQ(general->TargetPlatform(), 1);
    EXPECT_EQ(general->PlatformVersion(), 0);
}

TEST(VmxReader, TriggerKeysIgnoreOtherValuesAndKeywordKeysKeepThem)
{
    const auto vm = newMachine();
    const auto result = read(*vm, "gui.powerOnAtStartup = \"false\"\ngui.exitAtPowerOff = \"TRUE\"\n"
                                  "powerType.powerOff = \"default\"\npowerType.reset = \"Soft\"\n"
                                  "memtrimrate = \"-1\"\nMemTrimRate = \"10\"\nsnapshot.action = \"autoRevert\"\n"
                                  "priority.grabbed = \"HIGH\"\nlogging = \"false\"\n");
    const auto power = vm->Options()->PowerOptions();
    EXPECT_FALSE(power->PowerOnAfterOpening());
    EXPECT_TRUE(power->CloseAfterPowerOff());
    EXPECT_EQ(power->StopButtonAction(), 0);
    EXPECT_EQ(power->ResetButtonAction(), 1);
    EXPECT_FALSE(vm->Options()->AdvancedOptions()->MemoryPageTrimDisabled());
    EXPECT_EQ(vm->Options()->SnapshotsOptions()->SnapshotPowerOffAction(), 1);
    EXPECT_EQ(vm->Options()->AdvancedOptions()->InputGrabPriority(), 1);
    EXPECT_FALSE(vm->Options()->AdvancedOptions()->LoggingEnabled());
    EXPECT_EQ(result.otherParams, (Lines{"powerType.powerOff = \"default\"", "MemTrimRate = \"10\""}));
}

TEST(VmxReader, ProcessorsAndMemory)
{
    const auto vm = newMachine();
    read(*vm, "numvcpus = \"1\"\nmemsize = \"40000\"\n");
    EXPECT_EQ(vm->Hardware()->CPUs()->Count(), 1);
    EXPECT_EQ(vm->Hardware()->Memory()->Item(1)->MBs(), 40000);
    read(*vm, "numvcpus = \"4\"\npaevm = \"TRUE\"\n");
    ASSERT_EQ(vm->Hardware()->CPUs()->Count(), 4);
    EXPECT_TRUE(vm->Hardware()->CPUs()->Item(4)->EmulatePAE());
}

TEST(VmxReader, NodeDevicesAreDecidedByTypeNameAndMode)
{
    const auto vm = newMachine();
    const auto result = read(*vm, "scsi0:0.fileName = \"a.vmdk\"\n"
                                  "scsi0:1.fileName = \"B.VMDK\"\n"
                                  "scsi0:2.fileName = \"C.VMDK\"\nscsi0:2.mode = \"persistent\"\n"
                                  "ide1:0.deviceType = \"cdrom-raw\"\nide1:0.fileName = \"auto detect\"\n"
                                  "ide1:0.autodetect = \"TRUE\"\nide1:0.startConnected = \"FALSE\"\n"
                                  "ide0:0.deviceType = \"Disk\"\n"
                                  "scsi1:3.deviceType = \"scsi-passthru\"\nscsi1:3.fileName = \"/dev/sg1\"\n");
    const auto hw = vm->Hardware();
    ASSERT_EQ(hw->HardDisks()->Count(), 2);
    EXPECT_EQ(hw->HardDisks()->Item(1)->DisplayName(), "Hard Disk (SCSI0:0)");
    EXPECT_EQ(hw->HardDisks()->Item(2)->DeviceName(), "C.VMDK");
    EXPECT_EQ(hw->HardDisks()->Item(2)->BusNode(), 2);
    ASSERT_EQ(hw->CDRoms()->Count(), 1);
    EXPECT_EQ(hw->CDRoms()->Item(1)->BusType(), "IDE");
    EXPECT_EQ(hw->CDRoms()->Item(1)->Controller(), 1);
    EXPECT_FALSE(hw->CDRoms()->Item(1)->ConnectedAtBoot());
    ASSERT_EQ(hw->GenericSCSIDevices()->Count(), 1);
    EXPECT_EQ(hw->GenericSCSIDevices()->Item(1)->DeviceName(), "/dev/sg1");
    EXPECT_EQ(hw->SCSIControllers()->Count(), 2);
    // Nodes that decide no device keep their lines.
    EXPECT_EQ(result.otherParams, (Lines{"scsi0:1.fileName = \"B.VMDK\"", "ide0:0.deviceType = \"Disk\""}));
}

TEST(VmxReader, NetworkAdapters)
{
    const auto vm = newMachine();
    const auto result = read(*vm, "ethernet1.virtualDev = \"E1000\"\nethernet1.connectionType = \"nat\"\n"
                                  "ethernet0.connectionType = \"custom\"\nethernet0.vnet = \"VMnet5\"\n"
                                  "ethernet0.addressType = \"static\"\nethernet0.address = \"00:50:56:00:00:01\"\n"
                                  "ethernet1.generatedAddressOffset = \"-4\"\nethernet0.fileName = \"x\"\n");
    const auto nics = vm->Hardware()->NetworkAdapters();
    ASSERT_EQ(nics->Count(), 2);
    EXPECT_EQ(nics->Item(2)->DeviceType(), 2);
    EXPECT_EQ(nics->Item(2)->ConnectionType(), 2);
    EXPECT_EQ(nics->Item(2)->VNet(), 8);
    EXPECT_EQ(nics->Item(2)->GenAddressOffset(), -4);
    EXPECT_EQ(nics->Item(1)->Summary(), "Custom5");
    EXPECT_EQ(nics->Item(1)->AddressType(), 1);
    EXPECT_EQ(nics->Item(1)->MacAddress(), "00:50:56:00:00:01");
    EXPECT_EQ(result.otherParams, (Lines{"ethernet0.fileName = \"x\""}));
}

TEST(VmxReader, PortsSoundUsbAndDisplay)
{
    const auto vm = newMachine();
    read(*vm, "serial0.fileType = \"pipe\"\nserial0.fileName = \"/tmp/p\"\nserial0.pipe.endPoint = \"client\"\n"
              "serial0.tryNoRxLoss = \"TRUE\"\nserial0.yieldOnMsrRead = \"true\"\n"
              "parallel0.bidirectional = \"FALSE\"\nfloppy0.autodetect = \"FALSE\"\nfloppy0.present = \"FALSE\"\n"
              "sound.virtualDev = \"sb16\"\nsound.synth.operational = \"TRUE\"\nusb.generic.autoconnect = \"FALSE\"\n"
              "svga.vramSize = \"8388608\"\nmks.enable3d = \"TRUE\"\nvmmouse.present = \"FALSE\"\n");
    const auto hw = vm->Hardware();
    const auto serial = hw->SerialPorts()->Item(1);
    EXPECT_EQ(serial->Summary(), "Using pipe /tmp/p");
    EXPECT_EQ(serial->PipeEnd1(), 1);
    EXPECT_EQ(serial->PipeEnd2(), 1);
    EXPECT_TRUE(serial->YieldCpu());
    EXPECT_FALSE(hw->ParallelPorts()->Item(1)->Bidirectional());
    EXPECT_EQ(hw->Floppies()->Count(), 1);
    EXPECT_FALSE(hw->Floppies()->Item(1)->Enabled());
    EXPECT_EQ(hw->Floppies()->Item(1)->DeviceName(), "auto detect");
    EXPECT_EQ(hw->AudioDevices()->Item(1)->DeviceType(), 2);
    EXPECT_FALSE(hw->USBControllers()->Item(1)->AutoConnect());
    EXPECT_EQ(hw->Displays()->Item(1)->Summary(), "8 MB");
    EXPECT_TRUE(hw->Displays()->Item(1)->Enable3D());
    EXPECT_FALSE(hw->Mice()->Item(1)->Enabled());
}

TEST(VmxReader, SharedFoldersAndIsolation)
{
    const auto vm = newMachine();
    const auto result = read(*vm, "isolation.tools.hgfs.disable = \"TRUE\"\nsharedFolder.maxNum = \"2\"\n"
                                  "sharedFolder1.enabled = \"TRUE\"\nsharedFolder1.writeAccess = \"FALSE\"\n"
                                  "sharedFolder1.hostPath = \"/home\"\nsharedFolder1.guestName = \"Home\"\n"
                                  "sharedFolder1.expiration = \"session\"\nsharedFolder1.readAccess = \"TRUE\"\n"
                                  "isolation.tools.copy.enable = \"false\"\nisolation.tools.unity.disable = \"x\"\n");
    const auto folders = vm->Options()->SharedFoldersOptions();
    EXPECT_FALSE(folders->Enabled());
    ASSERT_EQ(folders->Count(), 2);
    const auto share = folders->Item(2);
    EXPECT_EQ(share->Status(), "Enabled");
    EXPECT_TRUE(share->ReadOnly());
    EXPECT_EQ(share->HostFolder(), "/home");
    EXPECT_EQ(share->ShareName(), "Home");
    EXPECT_TRUE(share->DisableAfterThisSession());
    EXPECT_FALSE(vm->Options()->GuestIsolationOptions()->CopyEnabled());
    EXPECT_EQ(result.otherParams, (Lines{"isolation.tools.unity.disable = \"x\""}));
}

TEST(VmxReader, ANewlyAddedCdRomComesBackAfterASave)
{
    const auto vm = newMachine();
    read(*vm, "ide0:1.present = \"TRUE\"\nide0:1.fileName = \"auto detect\"\nide0:1.deviceType = \"device\"\n");
    ASSERT_EQ(vm->Hardware()->CDRoms()->Count(), 1);
    EXPECT_EQ(vm->Hardware()->CDRoms()->Item(1)->BusNode(), 1);
}

TEST(VmxReader, LfAndCrLfFilesReadAlikeAndAByteOrderMarkIsSkipped)
{
    const std::string text = "displayName = \"A\"\nnvram = \"a.nvram\"\n# note\n";
    const auto lf = newMachine();
    const auto crlf = newMachine();
    const auto bom = newMachine();
    const auto a = read(*lf, text);
    const auto b = read(*crlf, test::crlf(text));
    const auto c = read(*bom, "\xEF\xBB\xBF" + text);
    EXPECT_EQ(a.otherParams, b.otherParams);
    EXPECT_EQ(a.otherParams, c.otherParams);
    EXPECT_EQ(bom->Options()->GeneralOptions()->DisplayName(), "A");
}

} // namespace
} // namespace zentravolix::vmx
