// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;
class QLabel;

namespace zentravolix::editor {

/** Device page 7: a USB controller (present, and whether devices connect automatically). */
class UsbPage final : public DevicePage {
    Q_OBJECT
public:
    UsbPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks = {},
            QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::USB; }
    void updateUILabels() override;

protected:
    void fill() override;

private:
    QGroupBox* m_fraUSB;
    QCheckBox* m_chkUsbEnable;
    QCheckBox* m_chkUsbAutoConnect;
    QLabel* m_lblUsbVersion;
    QComboBox* m_cboUsbVersion;
};

} // namespace zentravolix::editor
