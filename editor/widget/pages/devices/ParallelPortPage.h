// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;
class QPushButton;

namespace zentravolix::editor {

/** Device page 3: a parallel port, on a host port or writing to a file. */
class ParallelPortPage final : public DevicePage {
    Q_OBJECT
public:
    ParallelPortPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                     DevicePageHooks hooks = {}, QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::Parallel; }
    void updateUILabels() override;

protected:
    void fill() override;
    /** The port list depends on the product version, which may have changed while hidden. */
    void showEvent(QShowEvent* event) override;

private:
    void refillPortList();
    /** Enables the controls of the connection kind ("device" or "file"; anything else: none). */
    /** Whether the port list starts with the auto-detect entry for this product version. */
    bool offersAutoDetect() const;
    void enableFor(const std::string& deviceType);
    void browseOutputFile();

    QGroupBox* m_fraParallel;
    QCheckBox* m_chkParEnabled;
    QCheckBox* m_chkParConnectedBoot;
    QRadioButton* m_optParPort;
    QComboBox* m_cboParPort;
    QCheckBox* m_chkParPortBiDi;
    QRadioButton* m_optParFile;
    QLineEdit* m_txtParFile;
    QPushButton* m_cmdBrowseParFile;
};

} // namespace zentravolix::editor
