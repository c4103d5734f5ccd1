// SPDX-License-Identifier: MIT
// The adapter types and devices of today's products: read from a file of such a product, written
// back in their sections, offered only by the versions that have them, and left as they were in
// the files of the classic versions.
#include "config/ChoiceLists.h"
#include "config/ConfigSession.h"
#include "config/DeviceFieldRules.h"
#include "config/ProductLimits.h"
#include "config/ProductTables.h"
#include "vmx/VmxReader.h"

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace zentravolix::config {
namespace {

/** A Workstation 17.x machine with every new key, its values in unusual letter case. */
constexpr std::string_view kToday = R"(.encoding = "UTF-8"
displayName = "Today"
# Platform = Workstation
# Version = 17.x
config.version = "8"
virtualHW.version = "20"
numvcpus = "4"
cpuid.coresPerSocket = "2"
memsize = "4096"
scsi0.present = "TRUE"
scsi0.virtualDev = "PVSCSI"
scsi1.present = "TRUE"
scsi1.virtualDev = "lsisas1068"
ethernet0.present = "TRUE"
ethernet0.virtualDev = "VMXNET3"
ethernet1.present = "TRUE"
ethernet1.virtualDev = "e1000e"
sound.present = "TRUE"
sound.virtualDev = "HDAudio"
usb.present = "TRUE"
ehci.present = "TRUE"
usb_xhci.present = "TRUE"
svga.graphicsMemoryKB = "8388608"
firmware = "EFI"
uefi.secureBoot.enabled = "TRUE"
uuid.bios = "56 4d 12 34"
ethernet0.pciSlotNumber = "160"
pciBridge0.present = "TRUE"
vmci0.present = "TRUE"
)";

bool has(const std::string& text, const std::string& line)
{
    return text.find(line + "\r\n") != std::string::npos;
}

std::size_t at(const std::string& text, const std::string& line)
{
    return text.find(line + "\r\n");
}

TEST(TodaysDevices, AFileOfTodaysProductIsReadIntoTheModelAndWrittenInItsSections)
{
    ConfigSession session("/tmp/");
    session.OpenText(kToday, "/vms/today/Today.vmx");
    const auto vm = session.Machine();
    const auto hw = vm->Hardware();
    EXPECT_EQ(hw->SCSIControllers()->Item(1)->ControllerType(), 3);
    EXPECT_EQ(hw->SCSIControllers()->Item(2)->ControllerType(), 2);
    EXPECT_EQ(hw->NetworkAdapters()->Item(1)->DeviceType(), 4);
    EXPECT_EQ(hw->NetworkAdapters()->Item(2)->DeviceType(), 3);
    EXPECT_EQ(hw->AudioDevices()->Item(1)->DeviceType(), 3);
    EXPECT_TRUE(hw->USBControllers()->Item(1)->EhciEnabled());
    EXPECT_TRUE(hw->USBControllers()->Item(1)->XhciEnabled());
    EXPECT_EQ(hw->CPUs()->CoresPerSocket(), 2);
    EXPECT_EQ(hw->Displays()->Item(1)->GraphicsMemoryKB(), 8388608);
    EXPECT_EQ(vm->Options()->AdvancedOptions()->Firmware(), 1);
    EXPECT_TRUE(vm->Options()->AdvancedOptions()->SecureBoot());

    const std::string text = session.Text();
    EXPECT_LT(at(text, "scsi0.virtualDev = \"pvscsi\""), at(text, "####### scsi-disks"));
    EXPECT_TRUE(has(text, "scsi1.virtualDev = \"lsisas1068\""));
    EXPECT_LT(at(text, "ethernet0.virtualDev = \"vmxnet3\""), at(text, "####### sound"));
    EXPECT_TRUE(has(text, "ethernet1.virtualDev = \"e1000e\""));
    EXPECT_TRUE(has(text, "sound.virtualDev = \"hdaudio\""));
    EXPECT_LT(at(text, "usb_xhci.present = \"TRUE\""), text.find("##### other params"));
    EXPECT_TRUE(has(text, "ehci.present = \"TRUE\""));
    EXPECT_TRUE(has(text, "cpuid.coresPerSocket = \"2\""));
    EXPECT_TRUE(has(text, "svga.graphicsMemoryKB = \"8388608\""));
    EXPECT_TRUE(has(text, "firmware = \"efi\""));
    EXPECT_TRUE(has(text, "uefi.secureBoot.enabled = \"TRUE\""));
    // What the product writes for itself stays as it was, below the other params' header.
    for (const char* kept : {"uuid.bios = \"56 4d 12 34\"", "ethernet0.pciSlotNumber = \"160\"",
                             "pciBridge0.present = \"TRUE\"", "vmci0.present = \"TRUE\""})
        EXPECT_GT(at(text, kept), text.find("##### other params")) << kept;
    for (const auto& line : session.OtherParams()) {
        for (const char* understood : {"virtualDev", "ehci", "xhci", "coresPerSocket", "graphicsMemoryKB", "firmware",
                                       "secureBoot"})
            EXPECT_EQ(line.find(understood), std::string::npos) << line;
    }
}

TEST(TodaysDevices, ChangedValuesAreWrittenAndTheDefaultsWriteNoNewLines)
{
    ConfigSession session("/tmp/");
    session.OpenText(kToday, "/vms/today/Today.vmx");
    const auto hw = session.Machine()->Hardware();
    hw->NetworkAdapters()->Item(1)->SetDeviceType(2);
    hw->USBControllers()->Item(1)->SetXhciEnabled(false);
    session.Machine()->Options()->AdvancedOptions()->SetFirmware(0);
    session.Machine()->Options()->AdvancedOptions()->SetSecureBoot(false);
    hw->CPUs()->SetCoresPerSocket(0);
    const std::string text = session.Text();
    EXPECT_TRUE(has(text, "ethernet0.virtualDev = \"e1000\""));
    EXPECT_TRUE(has(text, "ehci.present = \"TRUE\""));
    for (const char* gone : {"usb_xhci.present", "firmware", "uefi.secureBoot", "cpuid.coresPerSocket"})
        EXPECT_EQ(text.find(gone), std::string::npos) << gone;
}

TEST(TodaysDevices, AClassicVersionKeepsTheNewLinesAsTheyWereAndItsModelUnchanged)
{
    std::string classic(kToday);
    classic.replace(classic.find("17.x"), 4, "5.5x");
    ConfigSession session("/tmp/");
    session.OpenText(classic, "/vms/today/Today.vmx");
    const auto hw = session.Machine()->Hardware();
    EXPECT_EQ(hw->NetworkAdapters()->Item(1)->DeviceType(), 0);
    EXPECT_EQ(hw->SCSIControllers()->Item(1)->ControllerType(), 0);
    EXPECT_FALSE(hw->USBControllers()->Item(1)->XhciEnabled());
    EXPECT_EQ(session.Machine()->Options()->AdvancedOptions()->Firmware(), 0);
    const auto& kept = session.OtherParams();
    for (const char* line : {"scsi0.virtualDev = \"PVSCSI\"", "ethernet0.virtualDev = \"VMXNET3\"",
                             "sound.virtualDev = \"HDAudio\"", "usb_xhci.present = \"TRUE\"", "firmware = \"EFI\"",
                             "cpuid.coresPerSocket = \"2\"", "svga.graphicsMemoryKB = \"8388608\""})
        EXPECT_NE(std::find(kept.begin(), kept.end(), line), kept.end()) << line;
    // In file order, among the other kept lines.
    const auto pvscsi = std::find(kept.begin(), kept.end(), "scsi0.virtualDev = \"PVSCSI\"");
    const auto uuid = std::find(kept.begin(), kept.end(), "uuid.bios = \"56 4d 12 34\"");
    EXPECT_LT(pvscsi, uuid);
}

TEST(TodaysDevices, AFileWithoutProductLinesTakesTheNewLinesOnceItsProductIsFound)
{
    // The hardware version 18 of this corpus file makes it a Workstation 16 machine.
    ConfigSession session("/tmp/");
    session.Open(std::filesystem::path(ZV_CORPUS_DIR) / "vmx/ics-honeypot/somachinev4.3.vmx");
    const auto vm = session.Machine();
    EXPECT_FALSE(IsClassicVersion(vm->Options()->GeneralOptions()->TargetPlatform(),
                                  vm->Options()->GeneralOptions()->PlatformVersion()));
    const auto hw = vm->Hardware();
    EXPECT_EQ(hw->NetworkAdapters()->Item(1)->DeviceType(), 3);
    EXPECT_EQ(hw->AudioDevices()->Item(1)->DeviceType(), 3);
    EXPECT_TRUE(hw->USBControllers()->Item(1)->XhciEnabled());
    EXPECT_EQ(hw->CPUs()->CoresPerSocket(), 2);
    EXPECT_EQ(hw->Displays()->Item(1)->GraphicsMemoryKB(), 8388608);
    for (const auto& line : session.OtherParams()) {
        EXPECT_NE(line, "usb_xhci.present = \"TRUE\"");
        EXPECT_NE(line, "sound.virtualDev = \"hdaudio\"");
    }
    // Read back, the written file gives the same model.
    ConfigSession again("/tmp/");
    again.OpenText(session.Text(), "/vms/x/somachinev4.3.vmx");
    EXPECT_EQ(again.Text(), session.Text());
}

TEST(TodaysDevices, TypeListsOfferWhatTheVersionHasAndKeepTheCurrentType)
{
    const auto captions = [](const std::vector<TypeChoice>& list) {
        std::vector<std::string> out;
        for (const auto& c : list)
            out.push_back(c.caption);
        return out;
    };
    const auto limits = [](std::int16_t p, std::int16_t v) { return FindVersionSettings(p, v)->Limits; };
    using V = std::vector<std::string>;
    // Workstation 17.x, 6.5x (vmxnet3 but no e1000e) and the classic 5.5x and 5.0x.
    EXPECT_EQ(captions(NicTypeChoices(1, 17, limits(1, 17), 0)), (V{"AMD Lance", "VMXNet", "E1000", "E1000e", "VMXNET 3"}));
    EXPECT_EQ(captions(NicTypeChoices(1, 6, limits(1, 6), 0)), (V{"AMD Lance", "VMXNet", "E1000", "VMXNET 3"}));
    EXPECT_EQ(captions(NicTypeChoices(1, 4, limits(1, 4), 0)), (V{"AMD Lance", "VMXNet", "E1000"}));
    EXPECT_EQ(captions(NicTypeChoices(1, 3, limits(1, 3), 2)), (V{"AMD Lance", "VMXNet"})) << "classic list unchanged";
    EXPECT_EQ(captions(NicTypeChoices(1, 4, limits(1, 4), 4)), (V{"AMD Lance", "VMXNet", "E1000", "VMXNET 3"}));
    EXPECT_EQ(NicTypeChoices(1, 6, limits(1, 6), 3)[3], (TypeChoice{3, "E1000e"}));

    EXPECT_EQ(captions(ScsiTypeChoices(1, 17, limits(1, 17), 0)),
              (V{"Buslogic", "LSIlogic", "LSI Logic SAS", "VMware Paravirtual"}));
    EXPECT_EQ(captions(ScsiTypeChoices(1, 4, limits(1, 4), 0)), (V{"Buslogic", "LSIlogic"}));
    EXPECT_EQ(captions(ScsiTypeChoices(1, 4, limits(1, 4), 3)), (V{"Buslogic", "LSIlogic", "VMware Paravirtual"}));

    EXPECT_EQ(captions(AudioTypeChoices(1, 17, limits(1, 17), 0)),
              (V{"ES1371", "SB16", "SB16 + OPL3/Yamaha Synth", "HD Audio"}));
    EXPECT_EQ(captions(AudioTypeChoices(1, 9, limits(1, 9), 0)), (V{"ES1371", "SB16", "SB16 + OPL3/Yamaha Synth"}));
    EXPECT_EQ(captions(AudioTypeChoices(1, 4, limits(1, 4), 0)), (V{"ES1371", "SB16", "SB16 + OPL3/Yamaha Synth"}));

    EXPECT_EQ(captions(UsbVersionChoices(limits(1, 17), 0)), (V{"USB 1.1", "USB 2.0", "USB 3.x"}));
    EXPECT_EQ(captions(UsbVersionChoices(limits(1, 6), 0)), (V{"USB 1.1", "USB 2.0"}));
    EXPECT_EQ(captions(UsbVersionChoices(limits(1, 4), 2)), (V{"USB 1.1", "USB 3.x"}));
    EXPECT_FALSE(OffersUsbVersions(limits(1, 4)));
    EXPECT_TRUE(OffersUsbVersions(limits(1, 17)));
}

TEST(TodaysDevices, CoresPerProcessorMustDivideTheProcessors)
{
    EXPECT_EQ(CheckCoresPerSocket("2", 4, 32), 2);
    EXPECT_EQ(CheckCoresPerSocket("4", 4, 32), 4);
    EXPECT_EQ(CheckCoresPerSocket("3", 4, 32), std::nullopt);
    EXPECT_EQ(CheckCoresPerSocket("8", 4, 32), std::nullopt);
    EXPECT_EQ(CheckCoresPerSocket("0", 4, 32), std::nullopt);
    EXPECT_EQ(CheckCoresPerSocket("2x", 4, 32), std::nullopt);
    EXPECT_EQ(CheckCoresPerSocket("4", 8, 2), std::nullopt) << "beyond the version's limit";
}

TEST(TodaysDevices, CoresPerProcessorFollowAChangedProcessorCount)
{
    // The largest divisor of the new count that is no more than before (and the version allows).
    EXPECT_EQ(FittingCoresPerSocket(4, 6, 0), 3);
    EXPECT_EQ(FittingCoresPerSocket(2, 3, 0), 1);
    EXPECT_EQ(FittingCoresPerSocket(4, 2, 0), 2);
    EXPECT_EQ(FittingCoresPerSocket(2, 8, 0), 2) << "a divisor stays";
    EXPECT_EQ(FittingCoresPerSocket(8, 8, 4), 4);
    EXPECT_EQ(FittingCoresPerSocket(0, 5, 1), 0) << "not set stays not set";

    ConfigSession session("/tmp/");
    session.StartNew("Machine", "/tmp/zv-cores");
    ASSERT_TRUE(session.ChooseProduct({1, 17}).has_value()); // Workstation 17.x
    const auto hw = session.Machine()->Hardware();
    while (hw->CPUs()->Count() < 4)
        hw->CPUs()->Add();
    hw->CPUs()->SetCoresPerSocket(4);
    EXPECT_FALSE(FitCoresPerSocket(*hw, 0).has_value()) << "4 of 4 fits";
    hw->CPUs()->Remove(hw->CPUs()->Count());
    EXPECT_EQ(FitCoresPerSocket(*hw, 0), 3);
    EXPECT_NE(session.Text().find("cpuid.coresPerSocket = \"3\""), std::string::npos);

    // A version of two processors brings the machine within it: 3 cores do not divide 2.
    const auto changes = session.ChooseProduct({1, 4}); // Workstation 5.5x
    ASSERT_TRUE(changes.has_value());
    EXPECT_EQ(hw->CPUs()->Count(), 2);
    EXPECT_EQ(changes->coresPerSocket, 2);
    EXPECT_EQ(hw->CPUs()->CoresPerSocket(), 2);
}

constexpr std::string_view kEncrypted = R"vmx(.encoding = "UTF-8"
displayName = "Sealed"
encryption.keySafe = "vmware:key/list/(pair/(phrase/abc/pass2key%3dPBKDF2%2dHMAC%2dSHA%2d1%3acipher%3dAES%2d256))"
encryption.data = "QUJDREVGR0g="
)vmx";

TEST(TodaysDevices, AnEncryptedConfigurationOpensButIsNeverSaved)
{
    ConfigSession session("/tmp/");
    session.OpenText(kEncrypted, "/vms/sealed/Sealed.vmx");
    EXPECT_TRUE(session.Encrypted());
    const auto refusal = session.CheckBeforeSave();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->kind, vmx::SaveRefusal::Kind::Encrypted);
    const std::string message = vmx::RefusalMessage(*refusal, [](int id) {
        return id == 2767 ? std::string("%1 is encrypted") : std::string("?");
    });
    EXPECT_EQ(message, "Sealed.vmx is encrypted");

    // Any other setting makes it an ordinary file whose encryption lines are kept.
    ConfigSession ordinary("/tmp/");
    ordinary.OpenText(std::string(kEncrypted) + "memsize = \"256\"\n", "/vms/sealed/Sealed.vmx");
    EXPECT_FALSE(ordinary.Encrypted());
    EXPECT_FALSE(ordinary.CheckBeforeSave());
    ConfigSession plain("/tmp/");
    plain.OpenText("displayName = \"x\"\n", "/vms/x/x.vmx");
    EXPECT_FALSE(plain.Encrypted());
}

} // namespace
} // namespace zentravolix::config
