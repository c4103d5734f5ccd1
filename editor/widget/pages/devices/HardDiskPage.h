// SPDX-License-Identifier: MIT
#pragma once

#include "disk/DiskInfo.h"
#include "editor/widget/pages/devices/DevicePage.h"

namespace tarvonel {
class clsHardDisk;
}

class QGroupBox;
class QLabel;
class QPushButton;

namespace zentravolix::editor {

/** The hard disk page: the disk file, its mode, and the bus and node the disk sits on. */
class HardDiskPage final : public DevicePage {
    Q_OBJECT
public:
    HardDiskPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                 QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::HardDrive; }
    void updateUILabels() override;

protected:
    void fill() override;

private:
    /**
     * A disk file was entered: reads its descriptor, shows what it found (or that it could not),
     * sets file, type and mode, chooses the bus by the adapter and gives the disk a node.
     */
    void takeDiskFile(tarvonel::clsHardDisk& hardDisk, const std::string& path);
    /** Folder and file name of a typed or chosen path; a bare name lies in the configuration's folder. */
    disk::DiskInfo diskInfoOf(const std::string& path) const;
    /** "Unable to Read current disk" with the file and the reason it could not be read. */
    void showUnreadable(const disk::DiskInfo& info, const disk::ReadOutcome& read);
    /** The mode the option buttons stand for while "Independent" is ticked. */
    std::string independentMode() const;
    void enableBus(const std::string& busType);
    void refillNodes();
    /** The bus chosen on the page ("IDE", "SCSI", "SATA", "NVMe" or "" when no option is on). */
    std::string chosenBus() const;

    QGroupBox* m_fraHardDisk;
    QCheckBox* m_chkHDEnabled;
    QLabel* m_lblHDFile;
    QLineEdit* m_txtHDFile;
    QPushButton* m_cmdHDCreate;
    QPushButton* m_cmdBrowseHDFile;
    QGroupBox* m_fraHDMode;
    QCheckBox* m_chkHDIndependent;
    QRadioButton* m_optHDPersist;
    QRadioButton* m_optHDNonPersist;
    QGroupBox* m_fraHDNode;
    QRadioButton* m_optHDIDE;
    QRadioButton* m_optHDSCSI;
    QComboBox* m_cboHDIDE;
    QComboBox* m_cboHDSCSI;
    QRadioButton* m_optHDSATA;
    QComboBox* m_cboHDSATA;
    QRadioButton* m_optHDNVMe;
    QComboBox* m_cboHDNVMe;
};

} // namespace zentravolix::editor
