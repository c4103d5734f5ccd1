// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;

namespace zentravolix::editor {

/** Device page 0: a virtual processor (PAE emulation). */
class CpuPage final : public DevicePage {
    Q_OBJECT
public:
    CpuPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks = {},
            QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::CPU; }
    void updateUILabels() override;

protected:
    void fill() override;

private:
    QGroupBox* m_fraCPU;
    QCheckBox* m_chkCPUPae;
};

} // namespace zentravolix::editor
