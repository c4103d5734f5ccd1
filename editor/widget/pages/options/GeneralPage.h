// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/options/OptionPage.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace zentravolix::editor {

/**
 * Page 0: display name, file name and folder, host product and version, guest operating system
 * and working folder. The page writes the model; what a version choice does beyond the guest list
 * (version settings, the device lists) is the editor's, told through versionChosen().
 */
class GeneralPage final : public OptionPage {
    Q_OBJECT
public:
    GeneralPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                QWidget* parent = nullptr);

    void load() override;
    void updateUILabels() override;

signals:
    void displayNameChanged(const QString& name);
    void vmxFileNameChanged(const QString& fileName);
    /** The file-name or folder rule ran; valid is the new VmxNameValid. */
    void vmxNameValidated(bool valid);
    /** The user picked a product version; PlatformVersion is already stored. */
    void versionChosen();
    /** The user picked a target platform; TargetPlatform is already stored, no version chosen. */
    void platformChosen();

private:
    void storeDisplayName();
    void storeVmxFileName();
    void storeVmxFolder();
    void storeWorkingDir();
    void browseVmxFolder();
    void browseWorkingFolder();
    void chooseTargetPlatform(int index);
    void choosePlatformVersion(int index);
    void chooseGuestFamily(int index);
    void chooseGuestVersion(int index);

    void fillPlatformVersions();
    void fillGuestFamilies();
    void fillGuestVersions();

    QGroupBox* m_fraDisplayName;
    QLineEdit* m_txtDisplayName;
    QGroupBox* m_fraVMXInfo;
    QLabel* m_lblVmxFileName;
    QLineEdit* m_txtVmxFileName;
    QLabel* m_lblVmxFolder;
    QLineEdit* m_txtVmxFolder;
    QPushButton* m_cmdBrowseVmxFolder;
    QGroupBox* m_fraTargetPlatform;
    QLabel* m_lblTargetPlatform;
    QComboBox* m_cboTargetPlatform;
    QLabel* m_lblPlatformVersion;
    QComboBox* m_cboPlatformVersion;
    QGroupBox* m_fraGuestOS;
    QLabel* m_lblGuestFamilies;
    QComboBox* m_cboGuestFamilies;
    QLabel* m_lblGuestVersions;
    QComboBox* m_cboGuestVersions;
    QGroupBox* m_fraWorkingDir;
    QLabel* m_lblWorkingDirNote;
    QLineEdit* m_txtWorkingDir;
    QPushButton* m_cmdBrowseWorkingFolder;
};

} // namespace zentravolix::editor
