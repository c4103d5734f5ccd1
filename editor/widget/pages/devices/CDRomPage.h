// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;
class QPushButton;

namespace zentravolix::editor {

/** The CD-ROM page: a host drive or an ISO image, and the bus and node the drive sits on. */
class CDRomPage final : public DevicePage {
    Q_OBJECT
public:
    CDRomPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
              QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::CDRomDrive; }
    void updateUILabels() override;

    /** The value the model keeps for "let the host pick its drive" (a file value, never translated). */
    static constexpr const char* kAutoDetect = "auto detect";

protected:
    void fill() override;

private:
    void enableChoice(bool physical);
    void enableBus(const std::string& busType);
    void refillDrives();
    void refillNodes();

    QGroupBox* m_fraCDRom;
    QCheckBox* m_chkCDREnabled;
    QCheckBox* m_chkCDRConnectedBoot;
    /** Shown for an ESXi machine or a drive whose file says where it connects. */
    QCheckBox* m_chkCDRClientDevice;
    QGroupBox* m_fraCDRConnection;
    QRadioButton* m_optCDRDrive;
    QComboBox* m_cboCDRDrive;
    QCheckBox* m_chkCDRExclusive;
    QCheckBox* m_chkCDRLegacy;
    QRadioButton* m_optCDRImage;
    QLineEdit* m_txtCDRImage;
    QPushButton* m_cmdBrowseCDRImage;
    QGroupBox* m_fraCDRNode;
    QRadioButton* m_optCDRIDE;
    QRadioButton* m_optCDRSCSI;
    QComboBox* m_cboCDRIDE;
    QComboBox* m_cboCDRSCSI;
    QRadioButton* m_optCDRSATA;
    QComboBox* m_cboCDRSATA;
};

} // namespace zentravolix::editor
