// SPDX-License-Identifier: MIT
// Device settings of today's files: read into their device, written back with it, and never
// added to a file that did not have them.
#include "TestMachine.h"

#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

namespace zentravolix::vmx {
namespace {

using test::linesWithKey;
using test::newMachine;
using Lines = std::vector<std::string>;

ReadResult read(tarvonel::VirtualMachine& vm, const std::string& text)
{
    return ReadVmxText(text, vm, "/vms/test/test.vmx");
}

/** Reads the text and writes it again with its kept lines. */
std::string rewrite(tarvonel::VirtualMachine& vm, const std::string& text, Lines* kept = nullptr)
{
    const auto result = read(vm, text);
    if (kept)
        *kept = result.otherParams;
    return WriteVmxText(vm, result.otherParams, result.valuesAfterRead);
}

TEST(VCenterAddress, ReadAsItsOwnTypeAndWrittenLikeAGeneratedOne)
{
    const auto vm = newMachine();
    Lines kept;
    const std::string text = rewrite(*vm,
                                     "ethernet0.present = \"TRUE\"\nethernet0.addressType = \"VPX\"\n"
                                     "ethernet0.generatedAddress = \"00:50:56:be:00:15\"\n",
                                     &kept);
    const auto nic = vm->Hardware()->NetworkAdapters()->Item(1);
    EXPECT_EQ(nic->AddressType(), 2);
    EXPECT_EQ(nic->MacAddress(), "00:50:56:be:00:15");
    EXPECT_TRUE(kept.empty()) << kept.front();
    EXPECT_EQ(linesWithKey(text, "ethernet0.addressType"), Lines{"ethernet0.addressType = \"vpx\""});
    EXPECT_EQ(linesWithKey(text, "ethernet0.generated"),
              (Lines{"ethernet0.generatedAddress = \"00:50:56:be:00:15\"", "ethernet0.generatedAddressOffset = \"0\""}));

    // Changed in the model, the adapter's lines follow the new type.
    nic->SetAddressType(1);
    nic->SetMacAddress("00:50:56:00:00:01");
    const std::string fixed = WriteVmxText(*vm);
    EXPECT_EQ(linesWithKey(fixed, "ethernet0.addressType"), Lines{"ethernet0.addressType = \"static\""});
    EXPECT_TRUE(linesWithKey(fixed, "ethernet0.generated").empty());
}

TEST(AdapterTicks, ReadTrueOrFalseAndWrittenOnlyWhenTheFileHadThem)
{
    const auto vm = newMachine();
    Lines kept;
    const std::string text = rewrite(*vm,
                                     "ethernet0.present = \"TRUE\"\nethernet0.uptCompatibility = \"TRUE\"\n"
                                     "ethernet0.wakeonpcktrcv = \"false\"\nethernet1.present = \"TRUE\"\n"
                                     "ethernet1.allowguestconnectioncontrol = \"true\"\n"
                                     "ethernet1.wakeOnPcktRcv = \"sometimes\"\n",
                                     &kept);
    const auto nics = vm->Hardware()->NetworkAdapters();
    EXPECT_EQ(nics->Item(1)->UptCompatibility(), true);
    EXPECT_EQ(nics->Item(1)->WakeOnPacket(), false);
    EXPECT_FALSE(nics->Item(2)->UptCompatibility().has_value());
    EXPECT_FALSE(nics->Item(2)->WakeOnPacket().has_value());
    EXPECT_FALSE(nics->Item(1)->GuestConnectionControl().has_value());
    EXPECT_EQ(nics->Item(2)->GuestConnectionControl(), true);
    EXPECT_EQ(kept, Lines{"ethernet1.wakeOnPcktRcv = \"sometimes\""});
    EXPECT_EQ(linesWithKey(text, "ethernet0.uptCompatibility"), Lines{"ethernet0.uptCompatibility = \"TRUE\""});
    EXPECT_EQ(linesWithKey(text, "ethernet0.wakeOnPcktRcv"), Lines{"ethernet0.wakeOnPcktRcv = \"FALSE\""});
    EXPECT_TRUE(linesWithKey(text, "ethernet1.uptCompatibility").empty());
    EXPECT_TRUE(linesWithKey(text, "ethernet0.allowGuestConnectionControl").empty());
    EXPECT_EQ(linesWithKey(text, "ethernet1.allowGuestConnectionControl"),
              Lines{"ethernet1.allowGuestConnectionControl = \"TRUE\""});
    EXPECT_EQ(linesWithKey(text, "ethernet1.wakeOnPcktRcv"), Lines{"ethernet1.wakeOnPcktRcv = \"sometimes\""});

    // A new machine's adapter says nothing of either.
    const std::string fresh = WriteVmxText(*newMachine());
    EXPECT_EQ(fresh.find("uptCompatibility"), std::string::npos);
    EXPECT_EQ(fresh.find("wakeOnPcktRcv"), std::string::npos);
    EXPECT_EQ(fresh.find("allowGuestConnectionControl"), std::string::npos);
}

TEST(DisplayPresent, WrittenBackAsReadAndNotAddedToOtherFiles)
{
    const auto vm = newMachine();
    Lines kept;
    const std::string text = rewrite(*vm, "svga.present = \"TRUE\"\nsvga.vramSize = \"8388608\"\n", &kept);
    EXPECT_EQ(vm->Hardware()->Displays()->Item(1)->Present(), true);
    EXPECT_TRUE(kept.empty());
    EXPECT_EQ(linesWithKey(text, "svga.present"), Lines{"svga.present = \"TRUE\""});
    EXPECT_EQ(WriteVmxText(*newMachine()).find("svga.present"), std::string::npos);
}

TEST(SoundHostDefault, TheHostDefaultLinesAreUnderstoodAndANamedDeviceIsKept)
{
    const auto vm = newMachine();
    Lines kept;
    const std::string text = rewrite(*vm,
                                     "sound.present = \"TRUE\"\nsound.autoDetect = \"TRUE\"\n"
                                     "sound.fileName = \"-1\"\n",
                                     &kept);
    const auto audio = vm->Hardware()->AudioDevices()->Item(1);
    EXPECT_EQ(audio->DeviceName(), "-1");
    EXPECT_EQ(audio->AutoDetect(), true);
    EXPECT_TRUE(kept.empty());
    EXPECT_EQ(linesWithKey(text, "sound.fileName"), Lines{"sound.fileName = \"-1\""});
    EXPECT_EQ(linesWithKey(text, "sound.autodetect"), Lines{"sound.autodetect = \"TRUE\""});

    // A host device by name is not something the model holds: the line stays as it was.
    const auto named = newMachine();
    const std::string namedText = rewrite(*named, "sound.present = \"TRUE\"\nsound.fileName = \"hw:1,0\"\n", &kept);
    EXPECT_TRUE(named->Hardware()->AudioDevices()->Item(1)->DeviceName().empty());
    EXPECT_EQ(kept, Lines{"sound.fileName = \"hw:1,0\""});
    EXPECT_EQ(linesWithKey(namedText, "sound.fileName"), Lines{"sound.fileName = \"hw:1,0\""});
    EXPECT_TRUE(linesWithKey(namedText, "sound.autodetect").empty());
}

TEST(ClientDevice, CdRomsOnEveryBusAndFloppiesKeepIt)
{
    const auto vm = newMachine();
    Lines kept;
    const std::string text =
        rewrite(*vm,
                "virtualHW.version = \"19\"\nide1:0.present = \"TRUE\"\nide1:0.deviceType = \"atapi-cdrom\"\n"
                "ide1:0.fileName = \"auto detect\"\nide1:0.clientDevice = \"true\"\n"
                "sata0.present = \"TRUE\"\nsata0:1.present = \"TRUE\"\nsata0:1.deviceType = \"cdrom-raw\"\n"
                "sata0:1.fileName = \"auto detect\"\nsata0:1.clientDevice = \"FALSE\"\n"
                "floppy0.present = \"TRUE\"\nfloppy0.clientDevice = \"TRUE\"\n",
                &kept);
    const auto cds = vm->Hardware()->CDRoms();
    ASSERT_EQ(cds->Count(), 2);
    for (std::int32_t i = 1; i <= 2; ++i) {
        const auto cd = cds->Item(i);
        EXPECT_EQ(cd->ClientDevice(), cd->BusType() == "IDE") << cd->DisplayName();
    }
    EXPECT_EQ(vm->Hardware()->Floppies()->Item(1)->ClientDevice(), true);
    EXPECT_TRUE(kept.empty()) << kept.front();
    EXPECT_EQ(linesWithKey(text, "ide1:0.clientDevice"), Lines{"ide1:0.clientDevice = \"TRUE\""});
    EXPECT_EQ(linesWithKey(text, "sata0:1.clientDevice"), Lines{"sata0:1.clientDevice = \"FALSE\""});
    EXPECT_EQ(linesWithKey(text, "floppy0.clientDevice"), Lines{"floppy0.clientDevice = \"TRUE\""});

    // The line leaves with its drive.
    cds->Remove(1);
    const std::string after = WriteVmxText(*vm, kept, {});
    EXPECT_TRUE(linesWithKey(after, "ide1:0.clientDevice").empty());
}

} // namespace
} // namespace zentravolix::vmx
