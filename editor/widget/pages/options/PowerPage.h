// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/options/OptionPage.h"

class QGroupBox;
class QLabel;

namespace zentravolix::editor {

/** Page 1: power behaviour, the power buttons' actions, the VMware Tools scripts, their upgrade and time sync. */
class PowerPage final : public OptionPage {
    Q_OBJECT
public:
    PowerPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
              QWidget* parent = nullptr);

    void load() override;
    void updateUILabels() override;

private:
    QGroupBox* m_fraPowerOptions;
    QCheckBox* m_chkPowerOnAfterOpen;
    QCheckBox* m_chkFullScreenAfterPowerOn;
    QCheckBox* m_chkCloseAfterPowerOff;
    QGroupBox* m_fraPowerControls;
    QComboBox* m_cboPowerOff;
    QComboBox* m_cboReset;
    QLabel* m_lblSuspend;
    QLabel* m_lblStart;
    QGroupBox* m_fraVMToolsScripts;
    QCheckBox* m_chkRunToolsAfterPowerOn;
    QCheckBox* m_chkRunToolsAfterResume;
    QCheckBox* m_chkRunToolsBeforeSuspend;
    QCheckBox* m_chkRunToolsBeforePowerOff;
    QCheckBox* m_chkSyncGuestTime;
    QComboBox* m_cboPowerOn;
    QComboBox* m_cboSuspend;
    /** When VMware Tools are upgraded; the last entry writes no line. */
    QLabel* m_lblToolsUpgrade;
    QComboBox* m_cboToolsUpgrade;
};

} // namespace zentravolix::editor
