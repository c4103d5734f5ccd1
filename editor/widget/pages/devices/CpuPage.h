// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;
class QLabel;

namespace zentravolix::editor {

class ResourcesBox;

/** Device page 0: a virtual processor (PAE emulation, cores, hot add and ESXi resources). */
class CpuPage final : public DevicePage {
    Q_OBJECT
public:
    CpuPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks = {},
            QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::CPU; }
    void updateUILabels() override;

protected:
    void fill() override;
    bool validateField(QLineEdit* box, const QString& value) override;

private:
    /** The largest cores per processor the field takes. */
    std::int32_t maxCores() const;

    QGroupBox* m_fraCPU;
    QCheckBox* m_chkCPUPae;
    QLabel* m_lblCoresPerSocket;
    QLineEdit* m_txtCoresPerSocket;
    /** Adding processors while running; offered where the version has it or the file names it. */
    QCheckBox* m_chkCpuHotAdd;
    /** Reservation, limit and shares; shown for ESXi machines or a file that has them. */
    ResourcesBox* m_fraResources;
};

} // namespace zentravolix::editor
