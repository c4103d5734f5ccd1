// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;

namespace zentravolix::editor {

/** Device page 14: the mouse (absolute positioning on or off). */
class MousePage final : public DevicePage {
    Q_OBJECT
public:
    MousePage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks = {},
              QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::Mouse; }
    void updateUILabels() override;

protected:
    void fill() override;

private:
    QGroupBox* m_fraMouse;
    QCheckBox* m_chkMouseEnabled;
};

} // namespace zentravolix::editor
