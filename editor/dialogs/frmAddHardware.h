// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Enums.h>

#include <QDialog>

#include <cstdint>
#include <map>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zentravolix::editor {

/**
 * The modal "Add New Hardware" dialog: lists the device kinds that may still be added, given the
 * counts of the configuration and the product's maxima, and hands the chosen kind back. It never
 * touches the model: the caller sets the counts, shows it, and reads Cancelled and DeviceType.
 */
class frmAddHardware final : public QDialog {
    Q_OBJECT
public:
    explicit frmAddHardware(QWidget* parent = nullptr);

    // Set by the dialog.
    bool Cancelled = true;
    /** The kind chosen, as the number of the model's VirtualHardwareType. */
    std::int32_t DeviceType = 0;

    // Set by the caller: the collections' counts and the product's maxima.
    /** Devices of each kind in the configuration; a kind not named counts 0. */
    std::map<tarvonel::VirtualHardwareType, std::int32_t> Counts;
    std::int32_t lMaxCPUCount = 0;
    std::int32_t lMaxNICCount = 0;
    std::int32_t lMaxSCSICount = 0;
    std::int32_t lMaxSATACount = 0;
    std::int32_t lMaxNVMeCount = 0;
    /** Nodes per SCSI (the controller's own included), SATA and NVMe controller of the version. */
    std::int32_t lSCSINodes = 8;
    std::int32_t lSATANodes = 30;
    std::int32_t lNVMeNodes = 15;

    /**
     * Resets Cancelled, applies the captions and fills the list from the counts, then evaluates
     * the first entry. exec() runs it; callers may run it earlier to look at the list.
     */
    void Load();
    /** Whether a kind may be added under the current counts and maxima. */
    bool MayAdd(std::int32_t code) const;
    /** Re-applies every caption in the current language. */
    void UpdateUILabels();

    int exec() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /** Takes an entry as the choice: DeviceType, the OK button and the information line. */
    void evaluate(QTreeWidgetItem* item);

    QTreeWidget* m_lvwAvailableHardware;
    QLabel* m_lblDeviceType;
    QLabel* m_lblInfo;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdCancel;
    QPoint m_lastPointer;
};

} // namespace zentravolix::editor
