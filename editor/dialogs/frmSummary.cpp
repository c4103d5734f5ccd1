// SPDX-License-Identifier: MIT
#include "editor/dialogs/frmSummary.h"

#include "editor/widget/UiText.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace zentravolix::editor {

frmSummary::frmSummary(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSummary"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    m_txtOutput = new QPlainTextEdit(this);
    m_txtOutput->setObjectName(QStringLiteral("txtOutput"));
    m_txtOutput->setReadOnly(true);
    m_txtOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_txtOutput->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(m_txtOutput, 1);

    auto* buttons = new QHBoxLayout;
    m_cmdClose = new QPushButton(this);
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    m_cmdClose->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdClose);
    layout->addLayout(buttons);
    connect(m_cmdClose, &QPushButton::clicked, this, &QDialog::close);

    resize(640, 560);
    UpdateUILabels();
}

void frmSummary::SetFileName(const QString& fileName)
{
    m_fileName = fileName;
    UpdateUILabels();
}

void frmSummary::AddToOutput(const QString& output)
{
    QString plain = output;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextCursor cursor(m_txtOutput->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(plain);
    m_txtOutput->moveCursor(QTextCursor::Start);
}

QString frmSummary::Output() const
{
    return m_txtOutput->toPlainText();
}

void frmSummary::UpdateUILabels()
{
    setWindowTitle(m_fileName + QStringLiteral(" - (") + text(80) + QStringLiteral(")"));
    m_cmdClose->setText(text(50));
}

} // namespace zentravolix::editor
