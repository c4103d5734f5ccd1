// SPDX-License-Identifier: MIT
#pragma once

#include "config/ProductTables.h"
#include "editor/widget/ConfigNames.h"

#include <tarvonel/Enums.h>

#include <QWidget>

#include <functional>
#include <optional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::config {
struct NodeDevice;
}

namespace zentravolix::editor {

class Dialogs;
struct HardwareRow;
using config::NodeDevice;

/**
 * The Hardware tab: the list of every device (lvwHardwareList, device name and summary), the add
 * and remove buttons and sstHardware, one page per device kind chosen only through the list.
 * The pages are containers that device pages are put into with setDevicePage().
 */
class HardwareTab final : public QWidget {
    Q_OBJECT
public:
    /** dialogs asks before a controller is removed with its devices; null removes without asking. */
    HardwareTab(std::shared_ptr<tarvonel::VirtualMachine> vm, Dialogs* dialogs, QWidget* parent = nullptr);

    /** Rebuilds the list from the model in type order and selects its first row. */
    void rebuild();
    /**
     * Rebuilds the list and selects the row of the device with this ID (showing its page), or the
     * first row when the model has no such device.
     */
    void rebuildSelecting(const std::string& deviceId);
    /** Rewrites the selected row's name and summary from its device. */
    void refreshSelectedRow();
    /** Rewrites every row's name and summary from its device; the selection stays. */
    void refreshRows();
    void updateUILabels();

    /** Puts a device page into the container of its kind (the container takes ownership). */
    void setDevicePage(tarvonel::VirtualHardwareType type, QWidget* page);
    /**
     * Gives the tab the product's limits for the add-hardware dialog and turns the Add button
     * on; without it the button stays disabled.
     */
    void setLimitsProvider(std::function<EditorLimits()> limits);
    /**
     * Gives the tab the summary of a device whose stored value the model's summary does not
     * tell (a controller type kept from the file); nothing keeps the model's summary.
     */
    void setSummaryOverride(
        std::function<std::optional<std::string>(tarvonel::VirtualHardwareType, const std::string& id)> summary);

    /**
     * Asks for a device kind with the add-hardware dialog and adds one of it: the new row is
     * appended and selected. Returns whether a device was added.
     */
    bool addDevice();
    /**
     * Removes the selected device and its row, if the remove rules allow it; no row is then
     * selected. A controller that still holds devices is removed only after the user agreed to
     * remove those devices with it (they would otherwise stay in the list without a node and be
     * left out of the saved file).
     */
    bool removeSelectedDevice();

    /** Type of the selected row; meaningful only while SelectedRowIndex() >= 0. */
    tarvonel::VirtualHardwareType SelectedDeviceType() const { return m_selectedType; }
    /** ID of the selected row's device; "" when none. */
    const std::string& SelectedDeviceID() const { return m_selectedId; }
    /** Index of the selected row; -1 when no row is selected. */
    int SelectedRowIndex() const { return m_selectedRow; }

signals:
    /** A row was selected and its kind's page shown. */
    void deviceSelected(tarvonel::VirtualHardwareType type, const QString& id);
    /** A device was added or removed (the configuration changed). */
    void hardwareChanged();

private:
    void selectRow(QTreeWidgetItem* item);
    QTreeWidgetItem* appendRow(const HardwareRow& row);

    /** Yes when the controller may go with the devices it holds (asked only when it holds any). */
    bool confirmControllerRemoval(const std::vector<NodeDevice>& attached);

    std::shared_ptr<tarvonel::VirtualMachine> m_vm;
    Dialogs* m_dialogs;
    QTreeWidget* m_lvwHardwareList;
    QPushButton* m_cmdHardwareAdd;
    QPushButton* m_cmdHardwareRemove;
    QLabel* m_lblDevicePage;
    QStackedWidget* m_sstHardware;
    tarvonel::VirtualHardwareType m_selectedType = tarvonel::VirtualHardwareType::CPU;
    std::string m_selectedId;
    int m_selectedRow = -1;
    bool m_filling = false;
    std::function<EditorLimits()> m_limits;
    std::function<std::optional<std::string>(tarvonel::VirtualHardwareType, const std::string&)> m_summaryOverride;
    /** The summary column of a row: the override when there is one, else the model's. */
    QString rowSummary(const HardwareRow& row) const;
};

} // namespace zentravolix::editor
