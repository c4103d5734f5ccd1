// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/AudioPage.h"

#include "config/ChoiceLists.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/WidgetHelpers.h"
#include "editor/widget/pages/devices/DevicePageSupport.h"

#include <tarvonel/tarvonel.h>

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace zentravolix::editor {

namespace {
/** The file key of the sound adapter's type; the writer names the one adapter "sound". */
const std::string kKeptKey = "sound.virtualdev";
/** The file name that stands for the host's default sound device. */
const std::string kHostDefault = "-1";
} // namespace

AudioPage::AudioPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                     QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraAudio = makeGroup(this, "fraAudio");
    auto* inner = new QVBoxLayout(m_fraAudio);
    m_chkAudioEnabled = makeCheck(m_fraAudio, "chkAudioEnabled", inner);
    m_chkAudioConnectedBoot = makeCheck(m_fraAudio, "chkAudioConnectedBoot", inner);
    m_cboAudioDevice = makeCombo(m_fraAudio, "cboAudioDevice");
    m_cboAudioDevice->setMinimumContentsLength(12);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(m_cboAudioDevice);
    typeRow->addStretch(1);
    inner->addLayout(typeRow);
    m_chkAudioHostDefault = makeCheck(m_fraAudio, "chkAudioHostDefault", inner);
    layout->addWidget(m_fraAudio);
    layout->addStretch(1);

    bindCheck(m_chkAudioEnabled, true, [this](bool checked) {
        if (auto audio = findDevice(m_vm->Hardware()->AudioDevices()))
            audio->SetEnabled(checked);
    });
    bindCheck(m_chkAudioConnectedBoot, false, [this](bool checked) {
        if (auto audio = findDevice(m_vm->Hardware()->AudioDevices()))
            audio->SetConnectedAtBoot(checked);
    });
    // Both lines go together, as the product writes them; off writes neither.
    bindCheck(m_chkAudioHostDefault, false, [this](bool checked) {
        if (auto audio = findDevice(m_vm->Hardware()->AudioDevices())) {
            audio->SetDeviceName(checked ? kHostDefault : std::string());
            audio->SetAutoDetect(checked ? std::optional<bool>(true) : std::nullopt);
        }
    });
    bindCombo(m_cboAudioDevice, false, [this](std::int16_t position) {
        auto audio = findDevice(m_vm->Hardware()->AudioDevices());
        const auto code = CodeAt(*m_cboAudioDevice, position);
        if (!audio || !code || !takeComboKept(m_cboAudioDevice, kKeptKey, position))
            return false;
        audio->SetDeviceType(*code);
        return true;
    });
    updateUILabels();
}

void AudioPage::fill()
{
    const auto audio = findDevice(m_vm->Hardware()->AudioDevices());
    m_chkAudioEnabled->setChecked(audio && audio->Enabled());
    m_chkAudioConnectedBoot->setChecked(audio && audio->ConnectedAtBoot());
    m_chkAudioHostDefault->setChecked(audio && (audio->DeviceName() == kHostDefault || audio->AutoDetect().value_or(false)));
    {
        LoadScope scope(*this);
        FillTypeCombo(*m_cboAudioDevice, AudioTypeChoices(CurrentPlatform(*m_vm), CurrentPlatformVersion(*m_vm),
                                                          CurrentLimits(m_hooks, *m_vm), audio ? audio->DeviceType() : -1));
    }
    showComboKept(m_cboAudioDevice, kKeptKey, audio ? PositionOfCode(*m_cboAudioDevice, audio->DeviceType()) : -1);
}

void AudioPage::updateUILabels()
{
    m_fraAudio->setTitle(text(319));
    m_chkAudioEnabled->setText(text(295));
    m_chkAudioConnectedBoot->setText(text(296));
    m_chkAudioHostDefault->setText(text(2955));
}

} // namespace zentravolix::editor
