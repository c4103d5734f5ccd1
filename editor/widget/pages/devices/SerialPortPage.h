// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace zentravolix::editor {

/** Device page 4: a serial port, on a host port, writing to a file, or on a named pipe. */
class SerialPortPage final : public DevicePage {
    Q_OBJECT
public:
    SerialPortPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks = {},
                   QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::Serial; }
    void updateUILabels() override;

protected:
    void fill() override;
    /** The port list depends on the product version, which may have changed while hidden. */
    void showEvent(QShowEvent* event) override;

private:
    void refillLists();
    /** Enables the controls of the connection kind ("device", "file", "pipe"; anything else: none). */
    /** Whether the port list starts with the auto-detect entry for this product version. */
    bool offersAutoDetect() const;
    void enableFor(const std::string& deviceType);
    void chooseType(const std::string& deviceType);
    void browseOutputFile();

    QGroupBox* m_fraSerial;
    QCheckBox* m_chkSerEnabled;
    QCheckBox* m_chkSerConnectedBoot;
    QRadioButton* m_optSerPort;
    QComboBox* m_cboSerPort;
    QRadioButton* m_optSerFile;
    QLineEdit* m_txtSerFile;
    QPushButton* m_cmdBrowseSerFile;
    QRadioButton* m_optSerPipe;
    QLabel* m_lblSerPipeName;
    QLineEdit* m_txtSerPipeName;
    QLabel* m_lblSerPipeEnd1;
    QComboBox* m_cboSerPipeEnd1;
    QLabel* m_lblSerPipeEnd2;
    QComboBox* m_cboSerPipeEnd2;
    QCheckBox* m_chkSerYield;
};

} // namespace zentravolix::editor
