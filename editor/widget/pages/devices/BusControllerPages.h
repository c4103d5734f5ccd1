// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;
class QLabel;
class QListWidget;

namespace zentravolix::editor {

/**
 * The page of a SATA or NVMe controller: whether it is present, and what sits on which of its
 * nodes, as the node lists of the disk and CD-ROM pages name them ("SATA 0:1 - CD-ROM 0"). The
 * devices are moved on their own pages; this one only shows them.
 */
class BusControllerPage : public DevicePage {
    Q_OBJECT
protected:
    /** busWord: "SATA" or "NVMe"; names: the controls' object names after their prefixes. */
    BusControllerPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                      const char* busWord, int titleId, QWidget* parent);

    void fill() override;

public:
    void updateUILabels() override;

protected:
    /** Enabled of the shown controller; nothing when none is shown. */
    virtual std::optional<bool> enabled() const = 0;
    virtual void setEnabled(bool value) = 0;
    /** DeviceNum and Nodes() of the shown controller; nothing when none is shown or it cannot list them. */
    virtual std::optional<std::pair<std::int16_t, std::vector<std::string>>> nodes() const = 0;

private:
    QString m_busWord;
    int m_titleId;
    QGroupBox* m_fraController;
    QCheckBox* m_chkEnabled;
    QLabel* m_lblNodes;
    QListWidget* m_lstNodes;
    QLabel* m_lblNodesUsed;
};

/** The SATA controller page. */
class SATAControllerPage final : public BusControllerPage {
    Q_OBJECT
public:
    SATAControllerPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                       QWidget* parent = nullptr);
    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::SATAController; }

protected:
    std::optional<bool> enabled() const override;
    void setEnabled(bool value) override;
    std::optional<std::pair<std::int16_t, std::vector<std::string>>> nodes() const override;
};

/** The NVMe controller page. */
class NVMeControllerPage final : public BusControllerPage {
    Q_OBJECT
public:
    NVMeControllerPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                       QWidget* parent = nullptr);
    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::NVMeController; }

protected:
    std::optional<bool> enabled() const override;
    void setEnabled(bool value) override;
    std::optional<std::pair<std::int16_t, std::vector<std::string>>> nodes() const override;
};

} // namespace zentravolix::editor
