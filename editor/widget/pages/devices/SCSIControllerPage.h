// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;

namespace tarvonel {
class clsSCSIController;
}

namespace zentravolix::editor {

/** The SCSI controller page: enabled and the emulated controller type. */
class SCSIControllerPage final : public DevicePage {
    Q_OBJECT
public:
    SCSIControllerPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                       QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::SCSIController; }
    void updateUILabels() override;

protected:
    void fill() override;

private:
    /** The file key of the controller's type ("scsi0.virtualdev"). */
    static std::string keptKey(const tarvonel::clsSCSIController& controller);

    QGroupBox* m_fraSCSIController;
    QCheckBox* m_chkSCSIEnabled;
    QComboBox* m_cboSCSICont;
};

} // namespace zentravolix::editor
