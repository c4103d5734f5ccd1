// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;
class QLabel;

namespace zentravolix::editor {

/** The generic SCSI page: the host device passed through and its SCSI node. */
class GenSCSIPage final : public DevicePage {
    Q_OBJECT
public:
    GenSCSIPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::GenericSCSI; }
    void updateUILabels() override;

protected:
    void fill() override;

private:
    void refillNodes();

    QGroupBox* m_fraGenSCSI;
    QCheckBox* m_chkGenEnabled;
    QCheckBox* m_chkGenConnectedBoot;
    QLabel* m_lblGenSCSIDevice;
    QLineEdit* m_txtGenSCSIDevice;
    QGroupBox* m_fraGenNode;
    QComboBox* m_cboGenSCSI;
};

} // namespace zentravolix::editor
