// SPDX-License-Identifier: MIT
// The processor, sound, USB and mouse pages: one or two switches each, and a type list.

#include "DevicePageFixture.h"

#include "editor/widget/pages/devices/AudioPage.h"
#include "editor/widget/pages/devices/CpuPage.h"
#include "editor/widget/pages/devices/MousePage.h"
#include "editor/widget/pages/devices/UsbPage.h"

namespace zentravolix::testing {
namespace {

using editor::AudioPage;
using editor::CpuPage;
using editor::MousePage;
using editor::UsbPage;

TEST_F(DevicePageTest, CpuPageWritesTheProcessorItShowsAndFillsSilently)
{
    auto first = hw()->CPUs()->Item(1);
    auto second = hw()->CPUs()->Add();
    second->SetEmulatePAE(true);
    auto page = makePage<CpuPage>(second->ID());
    auto* pae = child<QCheckBox>(*page, "chkCPUPae");
    EXPECT_TRUE(pae->isChecked());
    EXPECT_TRUE(edits.empty()) << "filling a page is not an edit";

    pae->click();
    EXPECT_FALSE(second->EmulatePAE());
    EXPECT_FALSE(first->EmulatePAE());
    EXPECT_EQ(edits, std::vector<bool>{false}) << "the processor's summary never changes";

    page->load(first->ID());
    EXPECT_FALSE(pae->isChecked());
    pae->click();
    EXPECT_TRUE(first->EmulatePAE());
    EXPECT_FALSE(second->EmulatePAE());
}

TEST_F(DevicePageTest, CpuPageDoesNothingOnceItsDeviceIsGone)
{
    auto second = hw()->CPUs()->Add();
    const std::string id = second->ID();
    auto page = makePage<CpuPage>(id);
    hw()->CPUs()->Remove(-1, id);
    child<QCheckBox>(*page, "chkCPUPae")->click(); // must not throw or touch another processor
    EXPECT_FALSE(hw()->CPUs()->Item(1)->EmulatePAE());
}

TEST_F(DevicePageTest, MousePageEnabledBoxRewritesTheRow)
{
    auto mouse = hw()->Mice()->Item(1);
    auto page = makePage<MousePage>(mouse->ID());
    auto* enabled = child<QCheckBox>(*page, "chkMouseEnabled");
    EXPECT_TRUE(enabled->isChecked());
    enabled->click();
    EXPECT_FALSE(mouse->Enabled());
    EXPECT_EQ(mouse->Summary(), "Disabled");
    EXPECT_EQ(edits, std::vector<bool>{true});
}

TEST_F(DevicePageTest, UsbPageEnableRewritesTheRowAutoConnectDoesNot)
{
    auto usb = hw()->USBControllers()->Add();
    auto page = makePage<UsbPage>(usb->ID());
    auto* enable = child<QCheckBox>(*page, "chkUsbEnable");
    auto* autoConnect = child<QCheckBox>(*page, "chkUsbAutoConnect");
    EXPECT_TRUE(enable->isChecked());
    EXPECT_TRUE(autoConnect->isChecked());

    enable->click();
    autoConnect->click();
    EXPECT_FALSE(usb->Enabled());
    EXPECT_EQ(usb->Summary(), "Disabled");
    EXPECT_FALSE(usb->AutoConnect());
    EXPECT_EQ(edits, (std::vector<bool>{true, false}));
}

TEST_F(DevicePageTest, AudioPageShowsTheTypeByPositionAndWritesIt)
{
    auto audio = hw()->AudioDevices()->Add();
    audio->SetDeviceType(2);
    audio->SetConnectedAtBoot(false);
    auto page = makePage<AudioPage>(audio->ID());
    auto* type = child<QComboBox>(*page, "cboAudioDevice");
    EXPECT_EQ(entries(type), (QStringList{QStringLiteral("ES1371"), QStringLiteral("SB16"),
                                          QStringLiteral("SB16 + OPL3/Yamaha Synth")}));
    EXPECT_EQ(type->currentIndex(), 2);
    EXPECT_FALSE(child<QCheckBox>(*page, "chkAudioConnectedBoot")->isChecked());

    choose(type, 1);
    EXPECT_EQ(audio->DeviceType(), 1);
    child<QCheckBox>(*page, "chkAudioEnabled")->click();
    EXPECT_EQ(audio->Summary(), "Disabled");
    child<QCheckBox>(*page, "chkAudioConnectedBoot")->click();
    EXPECT_TRUE(audio->ConnectedAtBoot());
    EXPECT_EQ(edits, (std::vector<bool>{false, true, false}));

    audio->SetDeviceType(7);
    page->load(audio->ID());
    EXPECT_EQ(type->currentIndex(), -1) << "a type the list does not know shows no selection";
}

TEST_F(DevicePageTest, AudioPageHostDefaultTickWritesBothLinesOrNeither)
{
    auto audio = hw()->AudioDevices()->Add();
    auto page = makePage<AudioPage>(audio->ID());
    auto* hostDefault = child<QCheckBox>(*page, "chkAudioHostDefault");
    EXPECT_FALSE(hostDefault->isChecked());

    hostDefault->click();
    EXPECT_EQ(audio->DeviceName(), "-1");
    EXPECT_EQ(audio->AutoDetect(), true);
    hostDefault->click();
    EXPECT_TRUE(audio->DeviceName().empty());
    EXPECT_FALSE(audio->AutoDetect().has_value());

    // A file with only the auto-detect line shows the tick, since that is what it writes.
    audio->SetAutoDetect(true);
    page->load(audio->ID());
    EXPECT_TRUE(hostDefault->isChecked());
}

} // namespace
} // namespace zentravolix::testing
