// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;

namespace zentravolix::editor {

/** The IDE controller page. */
class IDEControllerPage final : public DevicePage {
    Q_OBJECT
public:
    IDEControllerPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                      QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::IDEController; }
    void updateUILabels() override;

protected:
    void fill() override;

private:
    QGroupBox* m_fraIDEController;
    QCheckBox* m_chkIDEEnabled;
};

} // namespace zentravolix::editor
