// SPDX-License-Identifier: MIT
#include "editor/dialogs/frmAddSharedFolder.h"

#include "editor/widget/Dialogs.h"
#include "editor/widget/UiText.h"
#include "editor/widget/WidgetHelpers.h"
#include "platform/Paths.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentravolix::editor {

frmAddSharedFolder::frmAddSharedFolder(Dialogs& dialogs, QWidget* parent) : QDialog(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frmAddSharedFolder"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);

    m_fraName = makeGroup(this, "fraName");
    auto* nameGrid = new QGridLayout(m_fraName);
    m_lblName = makeLabel(m_fraName, "lblName");
    m_txtShareName = makeLineEdit(m_fraName, "txtShareName");
    m_lblHostFolder = makeLabel(m_fraName, "lblHostFolder");
    m_txtHostFolder = makeLineEdit(m_fraName, "txtHostFolder");
    m_cmdBrowseForHostFolder = makeBrowseButton(m_fraName, "cmdBrowseForHostFolder");
    m_lblName->setBuddy(m_txtShareName);
    m_lblHostFolder->setBuddy(m_txtHostFolder);
    nameGrid->addWidget(m_lblName, 0, 0);
    nameGrid->addWidget(m_txtShareName, 0, 1, 1, 2);
    nameGrid->addWidget(m_lblHostFolder, 1, 0);
    nameGrid->addWidget(m_txtHostFolder, 1, 1);
    nameGrid->addWidget(m_cmdBrowseForHostFolder, 1, 2);
    nameGrid->setColumnStretch(1, 1);
    layout->addWidget(m_fraName);

    m_fraProps = makeGroup(this, "fraProps");
    auto* props = new QVBoxLayout(m_fraProps);
    m_chkShareEnabled = makeCheck(m_fraProps, "chkShareEnabled", props);
    m_chkShareReadOnly = makeCheck(m_fraProps, "chkShareReadOnly", props);
    m_chkShareDisableAfterSession = makeCheck(m_fraProps, "chkShareDisableAfterSession", props);
    layout->addWidget(m_fraProps);
    layout->addStretch(1);

    auto* buttons = new QHBoxLayout;
    m_cmdOK = makeButton(this, "cmdOK");
    m_cmdCancel = makeButton(this, "cmdCancel");
    m_cmdOK->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    layout->addLayout(buttons);

    connect(m_txtShareName, &QLineEdit::editingFinished, this, &frmAddSharedFolder::validateShareName);
    connect(m_txtHostFolder, &QLineEdit::editingFinished, this, &frmAddSharedFolder::validateHostFolder);
    connect(m_cmdBrowseForHostFolder, &QPushButton::clicked, this, &frmAddSharedFolder::browseForHostFolder);
    connect(m_chkShareEnabled, &QCheckBox::clicked, this, [this](bool checked) { m_isEnabled = checked; });
    connect(m_chkShareReadOnly, &QCheckBox::clicked, this, [this](bool checked) { m_isReadOnly = checked; });
    connect(m_chkShareDisableAfterSession, &QCheckBox::clicked, this,
            [this](bool checked) { m_isDisabledAfterThisSession = checked; });
    connect(m_cmdOK, &QPushButton::clicked, this, &frmAddSharedFolder::confirm);
    // Cancel, Escape and the close box all end in reject(), which leaves Cancelled true.
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::rejected, this, [this] { m_cancelled = true; });

    setMinimumWidth(420);
    UpdateUILabels();
}

void frmAddSharedFolder::showEvent(QShowEvent* event)
{
    if (!m_loaded) {
        m_loaded = true;
        loadFields();
    }
    QDialog::showEvent(event);
}

void frmAddSharedFolder::loadFields()
{
    m_cancelled = true;
    UpdateUILabels();
    if (m_editExisting) {
        m_txtShareName->setText(m_shareName);
        m_txtHostFolder->setText(m_hostFolder);
        m_chkShareEnabled->setChecked(m_isEnabled);
        m_chkShareReadOnly->setChecked(m_isReadOnly);
        m_chkShareDisableAfterSession->setChecked(m_isDisabledAfterThisSession);
    } else {
        m_txtShareName->clear();
        m_txtHostFolder->clear();
        m_chkShareEnabled->setChecked(false);
        m_chkShareReadOnly->setChecked(false);
        m_chkShareDisableAfterSession->setChecked(false);
    }
}

void frmAddSharedFolder::validateShareName()
{
    // An emptied box keeps the name the share had: clearing it is not a way to rename to nothing.
    if (!m_txtShareName->text().isEmpty())
        m_shareName = m_txtShareName->text();
}

void frmAddSharedFolder::validateHostFolder()
{
    if (!m_txtHostFolder->text().isEmpty())
        m_hostFolder = m_txtHostFolder->text();
}

void frmAddSharedFolder::browseForHostFolder()
{
    QString folder = m_dialogs.browseFolder(this, text(118), QString());
    if (folder.isEmpty())
        return;
    // The folder is stored with one trailing separator; a root folder already ends in one.
    const QString separator = QString::fromUtf8(platform::PathSeparator.data(),
                                                static_cast<qsizetype>(platform::PathSeparator.size()));
    if (!folder.endsWith(separator))
        folder += separator;
    m_txtHostFolder->setText(folder);
    validateHostFolder();
}

void frmAddSharedFolder::confirm()
{
    // Pressing OK leaves the box that had the focus, so both boxes are validated first.
    validateShareName();
    validateHostFolder();
    m_cancelled = false;
    accept();
}

void frmAddSharedFolder::UpdateUILabels()
{
    setWindowTitle(text(115));
    m_cmdOK->setText(text(50));
    m_cmdCancel->setText(text(51));
    m_fraName->setTitle(text(116));
    m_lblName->setText(text(117) + QStringLiteral(":"));
    m_lblHostFolder->setText(text(118) + QStringLiteral(":"));
    m_fraProps->setTitle(text(119));
    m_chkShareEnabled->setText(text(120));
    m_chkShareReadOnly->setText(text(80));
    m_chkShareDisableAfterSession->setText(text(121));
}

} // namespace zentravolix::editor
