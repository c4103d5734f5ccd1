// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;
class QPushButton;

namespace zentravolix::editor {

/** The floppy drive page: a host drive or an image file. */
class FloppyPage final : public DevicePage {
    Q_OBJECT
public:
    FloppyPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
               QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::Floppy; }
    void updateUILabels() override;

protected:
    void fill() override;

private:
    /** Enables the drive list or the image box and its button, as the chosen option says. */
    void enableChoice(bool physical);
    /** Whether the drive list starts with the auto-detect entry (by product and version). */
    bool offersAutoDetect() const;
    void refillDrives();

    QGroupBox* m_fraFloppy;
    QCheckBox* m_chkFloppyEnabled;
    QCheckBox* m_chkFloppyConnectedBoot;
    /** Shown for an ESXi machine or a drive whose file says where it connects. */
    QCheckBox* m_chkFloppyClientDevice;
    QRadioButton* m_optFloppyDrive;
    QComboBox* m_cboFloppyDrive;
    QRadioButton* m_optFloppyImage;
    QLineEdit* m_txtFloppyImage;
    QPushButton* m_cmdBrowseFloppyImage;
};

} // namespace zentravolix::editor
