// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;

namespace zentravolix::editor {

/** Device page 5: a sound adapter (present, connected at boot, adapter type). */
class AudioPage final : public DevicePage {
    Q_OBJECT
public:
    AudioPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks = {},
              QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::Audio; }
    void updateUILabels() override;

protected:
    void fill() override;

private:
    QGroupBox* m_fraAudio;
    QCheckBox* m_chkAudioEnabled;
    QCheckBox* m_chkAudioConnectedBoot;
    /** The host's default sound device, picked by the product: sound.fileName "-1" with sound.autodetect. */
    QCheckBox* m_chkAudioHostDefault;
    QComboBox* m_cboAudioDevice;
};

} // namespace zentravolix::editor
