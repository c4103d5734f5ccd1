// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zentravolix::editor {

class Dialogs;

/**
 * The modal dialog for one shared folder: the name the guest sees, the host folder and three
 * switches. The caller sets the members (EditExisting and, when it is true, the five values),
 * shows the dialog and reads the members back after it closed; Cancelled is true unless OK closed
 * it. The dialog never touches the model.
 */
class frmAddSharedFolder final : public QDialog {
    Q_OBJECT
public:
    /** dialogs runs the folder browser; it must outlive the dialog. */
    explicit frmAddSharedFolder(Dialogs& dialogs, QWidget* parent = nullptr);

    bool Cancelled() const { return m_cancelled; }
    void SetCancelled(bool value) { m_cancelled = value; }
    bool EditExisting() const { return m_editExisting; }
    void SetEditExisting(bool value) { m_editExisting = value; }
    QString ShareName() const { return m_shareName; }
    void SetShareName(const QString& value) { m_shareName = value; }
    QString HostFolder() const { return m_hostFolder; }
    void SetHostFolder(const QString& value) { m_hostFolder = value; }
    bool IsEnabled() const { return m_isEnabled; }
    void SetIsEnabled(bool value) { m_isEnabled = value; }
    bool IsReadOnly() const { return m_isReadOnly; }
    void SetIsReadOnly(bool value) { m_isReadOnly = value; }
    bool IsDisabledAfterThisSession() const { return m_isDisabledAfterThisSession; }
    void SetIsDisabledAfterThisSession(bool value) { m_isDisabledAfterThisSession = value; }

    /** Re-applies every caption from the text table in the current language. */
    void UpdateUILabels();

protected:
    void showEvent(QShowEvent* event) override;

private:
    /** Runs once, when the dialog is first shown: resets Cancelled and fills the fields. */
    void loadFields();
    void validateShareName();
    void validateHostFolder();
    void browseForHostFolder();
    void confirm();

    Dialogs& m_dialogs;
    bool m_loaded = false;

    bool m_cancelled = true;
    bool m_editExisting = false;
    QString m_shareName;
    QString m_hostFolder;
    bool m_isEnabled = false;
    bool m_isReadOnly = false;
    bool m_isDisabledAfterThisSession = false;

    QGroupBox* m_fraName;
    QLabel* m_lblName;
    QLineEdit* m_txtShareName;
    QLabel* m_lblHostFolder;
    QLineEdit* m_txtHostFolder;
    QPushButton* m_cmdBrowseForHostFolder;
    QGroupBox* m_fraProps;
    QCheckBox* m_chkShareEnabled;
    QCheckBox* m_chkShareReadOnly;
    QCheckBox* m_chkShareDisableAfterSession;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdCancel;
};

} // namespace zentravolix::editor
