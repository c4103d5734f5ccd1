// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace zentravolix::editor {

/**
 * The read-only output window: shows a written file or the output of a tool. Its caption is the
 * file name followed by " - (Read-Only)"; OK closes it. Shown modeless, it deletes itself on close.
 */
class frmSummary final : public QDialog {
    Q_OBJECT
public:
    explicit frmSummary(QWidget* parent = nullptr);

    QString FileName() const { return m_fileName; }
    /** Sets the name shown in the caption. */
    void SetFileName(const QString& fileName);
    /** Appends text to the output box (CR LF line ends are shown as plain line breaks). */
    void AddToOutput(const QString& text);
    /** The whole text of the output box. */
    QString Output() const;
    /** Re-applies the caption and the button text in the current language. */
    void UpdateUILabels();

private:
    QString m_fileName;
    QPlainTextEdit* m_txtOutput;
    QPushButton* m_cmdClose;
};

} // namespace zentravolix::editor
