// SPDX-License-Identifier: MIT
// The device pages of a Workstation 17.x machine: today's adapter types, USB versions, cores per
// processor, 3D graphics memory, firmware and secure boot are shown, changed and written; the
// classic versions' pages stay as they were.
#include "DevicePageFixture.h"

#include "editor/widget/pages/devices/HardwareEdits.h"
#include "editor/widget/pages/devices/AudioPage.h"
#include "editor/widget/pages/devices/CpuPage.h"
#include "editor/widget/pages/devices/DisplayPage.h"
#include "editor/widget/pages/devices/EthernetPage.h"
#include "editor/widget/pages/devices/SCSIControllerPage.h"
#include "editor/widget/pages/devices/UsbPage.h"
#include "editor/widget/pages/options/AdvancedPage.h"
#include "editor/widget/pages/options/GeneralPage.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>

namespace zentravolix::testing {
namespace {

constexpr std::string_view kWorkstation17 = R"(.encoding = "UTF-8"
displayName = "Today"
# Platform = Workstation
# Version = 17.x
config.version = "8"
virtualHW.version = "20"
guestOS = "ubuntu-64"
numvcpus = "4"
cpuid.coresPerSocket = "2"
memsize = "4096"
scsi0.present = "TRUE"
scsi0.virtualDev = "pvscsi"
ethernet0.present = "TRUE"
ethernet0.virtualDev = "vmxnet3"
ethernet0.connectionType = "nat"
sound.present = "TRUE"
sound.virtualDev = "hdaudio"
usb.present = "TRUE"
ehci.present = "TRUE"
usb_xhci.present = "TRUE"
svga.graphicsMemoryKB = "8388608"
firmware = "efi"
uefi.secureBoot.enabled = "TRUE"
)";

class TodaysDevicePages : public DevicePageTest {
protected:
    void open(std::string_view text)
    {
        session = std::make_unique<config::ConfigSession>("/tmp/");
        session->OpenText(text, "/vms/today/Today.vmx");
        vm = session->Machine();
    }
    editor::DevicePageHooks hooks()
    {
        editor::DevicePageHooks h;
        h.limits = [this] { return session->Limits(); };
        return h;
    }
    bool written(const std::string& line) const { return session->Text().find(line + "\r\n") != std::string::npos; }
    static void shoot(QWidget& page, const char* name)
    {
        page.resize(520, 420);
        page.show();
        page.grab().save(QStringLiteral("/tmp/zv-todays-%1.png").arg(QLatin1String(name)));
    }
    std::unique_ptr<config::ConfigSession> session;
};

TEST_F(TodaysDevicePages, TheAdapterTypesAreShownChangedAndWritten)
{
    open(kWorkstation17);
    auto nic = makePage<editor::EthernetPage>(hw()->NetworkAdapters()->Item(1)->ID(), hooks());
    auto* nicType = child<QComboBox>(*nic, "cboNicType");
    EXPECT_EQ(entries(nicType), texts({"AMD Lance", "VMXNet", "E1000", "E1000e", "VMXNET 3"}));
    EXPECT_EQ(nicType->currentText(), QStringLiteral("VMXNET 3"));
    shoot(*nic, "network");
    choose(nicType, 3);
    EXPECT_EQ(hw()->NetworkAdapters()->Item(1)->DeviceType(), 3);
    EXPECT_TRUE(written("ethernet0.virtualDev = \"e1000e\""));

    auto scsi = makePage<editor::SCSIControllerPage>(hw()->SCSIControllers()->Item(1)->ID(), hooks());
    auto* scsiType = child<QComboBox>(*scsi, "cboSCSICont");
    EXPECT_EQ(entries(scsiType), texts({"Buslogic", "LSIlogic", "LSI Logic SAS", "VMware Paravirtual"}));
    EXPECT_EQ(scsiType->currentText(), QStringLiteral("VMware Paravirtual"));
    shoot(*scsi, "scsi");
    choose(scsiType, 2);
    EXPECT_TRUE(written("scsi0.virtualDev = \"lsisas1068\""));

    auto sound = makePage<editor::AudioPage>(hw()->AudioDevices()->Item(1)->ID(), hooks());
    auto* soundType = child<QComboBox>(*sound, "cboAudioDevice");
    EXPECT_EQ(soundType->currentText(), QStringLiteral("HD Audio"));
    shoot(*sound, "sound");
    choose(soundType, 0);
    EXPECT_TRUE(written("sound.virtualDev = \"es1371\""));
    choose(soundType, 3);
    EXPECT_TRUE(written("sound.virtualDev = \"hdaudio\""));
}

TEST_F(TodaysDevicePages, TheUsbPageChoosesTheUsbVersion)
{
    open(kWorkstation17);
    auto usb = makePage<editor::UsbPage>(hw()->USBControllers()->Item(1)->ID(), hooks());
    auto* version = child<QComboBox>(*usb, "cboUsbVersion");
    EXPECT_FALSE(version->isHidden());
    EXPECT_EQ(entries(version), texts({"USB 1.1", "USB 2.0", "USB 3.x"}));
    EXPECT_EQ(version->currentText(), QStringLiteral("USB 3.x"));
    shoot(*usb, "usb");
    choose(version, 1);
    EXPECT_TRUE(written("ehci.present = \"TRUE\""));
    EXPECT_EQ(session->Text().find("usb_xhci.present"), std::string::npos);
    choose(version, 0);
    EXPECT_EQ(session->Text().find("ehci.present"), std::string::npos);
}

TEST_F(TodaysDevicePages, CoresGraphicsMemoryAndFirmwareAreEditedWhereTheVersionHasThem)
{
    open(kWorkstation17);
    auto cpu = makePage<editor::CpuPage>(hw()->CPUs()->Item(1)->ID(), hooks());
    auto* cores = child<QLineEdit>(*cpu, "txtCoresPerSocket");
    EXPECT_EQ(cores->text(), QStringLiteral("2"));
    leave(cores, QStringLiteral("3"));
    EXPECT_EQ(hw()->CPUs()->CoresPerSocket(), 2) << "3 does not divide 4 processors";
    ASSERT_FALSE(dialogs.calls.empty());
    EXPECT_TRUE(dialogs.calls.back().text.contains(QStringLiteral("Cores per processor")));
    leave(cores, QStringLiteral("4"));
    EXPECT_TRUE(written("cpuid.coresPerSocket = \"4\""));
    // A processor removed or added keeps the cores a divisor of the count.
    ASSERT_TRUE(editor::RemoveDevice(*hw(), tarvonel::VirtualHardwareType::CPU, hw()->CPUs()->Item(4)->ID()));
    EXPECT_TRUE(written("cpuid.coresPerSocket = \"3\""));
    ASSERT_TRUE(editor::AddDevice(*hw(), tarvonel::VirtualHardwareType::CPU).has_value());
    EXPECT_TRUE(written("cpuid.coresPerSocket = \"2\""));

    auto display = makePage<editor::DisplayPage>(hw()->Displays()->Item(1)->ID(), hooks());
    auto* memory = child<QLineEdit>(*display, "txtGraphicsMemory");
    EXPECT_EQ(memory->text(), QStringLiteral("8192"));
    leave(memory, QStringLiteral("2048"));
    EXPECT_TRUE(written("svga.graphicsMemoryKB = \"2097152\""));

    editor::AdvancedPage advanced(vm, context);
    advanced.updateUILabels();
    advanced.load();
    auto* firmware = child<QComboBox>(advanced, "cboFirmware");
    auto* secureBoot = child<QCheckBox>(advanced, "chkSecureBoot");
    EXPECT_EQ(firmware->currentText(), QStringLiteral("UEFI"));
    EXPECT_TRUE(secureBoot->isChecked());
    shoot(advanced, "advanced");
    choose(firmware, 0);
    EXPECT_EQ(session->Text().find("firmware"), std::string::npos);
    EXPECT_EQ(session->Text().find("uefi.secureBoot"), std::string::npos) << "BIOS machines have no secure boot";

    editor::GeneralPage general(vm, context);
    general.updateUILabels();
    general.load();
    shoot(general, "general");
}

TEST_F(TodaysDevicePages, ClassicVersionsShowTheirPagesAsBefore)
{
    // The same file for Workstation 5.5x: its newer lines are kept as text, the pages are the classic ones.
    std::string classic(kWorkstation17);
    classic.replace(classic.find("17.x"), 4, "5.5x");
    open(classic);
    auto nic = makePage<editor::EthernetPage>(hw()->NetworkAdapters()->Item(1)->ID(), hooks());
    EXPECT_EQ(entries(child<QComboBox>(*nic, "cboNicType")), texts({"AMD Lance", "VMXNet", "E1000"}));
    auto usb = makePage<editor::UsbPage>(hw()->USBControllers()->Item(1)->ID(), hooks());
    EXPECT_TRUE(child<QComboBox>(*usb, "cboUsbVersion")->isHidden());
    auto cpu = makePage<editor::CpuPage>(hw()->CPUs()->Item(1)->ID(), hooks());
    EXPECT_TRUE(child<QLineEdit>(*cpu, "txtCoresPerSocket")->isHidden());
    editor::AdvancedPage advanced(vm, context);
    advanced.load();
    EXPECT_TRUE(child<QComboBox>(advanced, "cboFirmware")->isHidden());
    EXPECT_TRUE(child<QCheckBox>(advanced, "chkSecureBoot")->isHidden());
}

} // namespace
} // namespace zentravolix::testing
