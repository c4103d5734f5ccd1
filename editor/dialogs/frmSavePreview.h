// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTextEdit;
class QTreeWidget;

namespace zentravolix::config {
struct SavePreview;
}

namespace zentravolix::editor {

/**
 * What a save changes in an existing file, before it is written: the settings whose meaning
 * changes (added, changed, removed keys) above the lines of the file as a unified diff, removed
 * lines red and added lines green, with three unchanged lines around each change. Save accepts
 * the dialog, Cancel rejects it; "Do not show again" is read by the caller.
 */
class frmSavePreview final : public QDialog {
    Q_OBJECT
public:
    explicit frmSavePreview(QWidget* parent = nullptr);
    ~frmSavePreview() override;

    /** Fills the dialog for the file about to be replaced. */
    void SetPreview(const QString& fileName, const config::SavePreview& preview);
    bool DoNotShowAgain() const;
    /** Re-applies every caption in the current language. */
    void UpdateUILabels();

private:
    void fillSettings();
    void fillLines();

    QString m_fileName;
    std::unique_ptr<config::SavePreview> m_preview;
    QLabel* m_lblPreviewIntro;
    QGroupBox* m_fraPreviewSettings;
    QTreeWidget* m_lvwPreviewSettings;
    QLabel* m_lblPreviewNoSettings;
    QGroupBox* m_fraPreviewLines;
    QTextEdit* m_txtPreviewLines;
    QCheckBox* m_chkPreviewDoNotShow;
    QPushButton* m_cmdPreviewSave;
    QPushButton* m_cmdPreviewCancel;
};

} // namespace zentravolix::editor
