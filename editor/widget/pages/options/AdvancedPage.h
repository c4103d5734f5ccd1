// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/options/OptionPage.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace zentravolix::editor {

/** Page 5: process priorities, debugging, acceleration, trimming, logging, template, clustering. */
class AdvancedPage final : public OptionPage {
    Q_OBJECT
public:
    AdvancedPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                 QWidget* parent = nullptr);

    void load() override;
    void updateUILabels() override;

private:
    void storeLogFolder();
    void browseLogFolder();
    void updateEnabledStates();

    QGroupBox* m_fraPriority;
    QLabel* m_lblPriorityNote;
    QLabel* m_lblInputGrabPri;
    QComboBox* m_cboInputGrabPri;
    QLabel* m_lblInputUngrabPri;
    QComboBox* m_cboInputUngrabPri;
    QGroupBox* m_fraAdvancedSettings;
    QCheckBox* m_chkDebug;
    QCheckBox* m_chkAcceleration;
    QCheckBox* m_chkMemPageTrim;
    QCheckBox* m_chkLogging;
    QCheckBox* m_chkLogPeriodic;
    QLabel* m_lblLogFolder;
    QLineEdit* m_txtLogFolder;
    QPushButton* m_cmdBrowseLogFolder;
    QCheckBox* m_chkTemplate;
    QCheckBox* m_chkClusterEnabled;
    QLabel* m_lblFirmware;
    QComboBox* m_cboFirmware;
    QCheckBox* m_chkSecureBoot;
};

} // namespace zentravolix::editor
