// SPDX-License-Identifier: MIT
#include "editor/widget/pages/options/SharedFoldersPage.h"

#include "editor/dialogs/frmAddSharedFolder.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zentravolix::editor {

namespace {

constexpr int kIdRole = Qt::UserRole;

void fillRow(QTreeWidgetItem& row, const tarvonel::clsSharedFolder& share)
{
    row.setText(0, QString::fromStdString(share.ShareName()));
    row.setText(1, QString::fromStdString(share.HostFolder()));
    row.setText(2, QString::fromStdString(share.Status()));
    row.setData(0, kIdRole, QString::fromStdString(share.ID()));
}

void writeShare(tarvonel::clsSharedFolder& share, const ShareValues& values)
{
    share.SetShareName(values.ShareName);
    share.SetHostFolder(values.HostFolder);
    share.SetEnabled(values.Enabled);
    share.SetReadOnly(values.ReadOnly);
    share.SetDisableAfterThisSession(values.DisableAfterThisSession);
}

/** Runs the shared-folder dialog modally; nothing when the user did not confirm it. */
std::optional<ShareValues> askWithDialog(Dialogs& dialogs, QWidget* parent, const ShareValues* existing)
{
    frmAddSharedFolder dialog(dialogs, parent);
    dialog.SetEditExisting(existing != nullptr);
    if (existing) {
        dialog.SetShareName(QString::fromStdString(existing->ShareName));
        dialog.SetHostFolder(QString::fromStdString(existing->HostFolder));
        dialog.SetIsEnabled(existing->Enabled);
        dialog.SetIsReadOnly(existing->ReadOnly);
        dialog.SetIsDisabledAfterThisSession(existing->DisableAfterThisSession);
    }
    dialog.exec();
    if (dialog.Cancelled())
        return std::nullopt;
    return ShareValues{dialog.ShareName().toStdString(), dialog.HostFolder().toStdString(), dialog.IsEnabled(),
                       dialog.IsReadOnly(), dialog.IsDisabledAfterThisSession()};
}

} // namespace

SharedFoldersPage::SharedFoldersPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                                     QWidget* parent)
    : OptionPage(std::move(vm), context, parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraSharedFolders = makeGroup(this, "fraSharedFolders");
    auto* inner = new QVBoxLayout(m_fraSharedFolders);
    m_lvwSharedFolders = makeReportList(m_fraSharedFolders, "lvwSharedFolders", 3);
    inner->addWidget(m_lvwSharedFolders, 1);
    auto* row = new QHBoxLayout;
    m_chkSharedDisable = makeCheck(m_fraSharedFolders, "chkSharedDisable");
    m_cmdSharedAdd = makeButton(m_fraSharedFolders, "cmdSharedAdd");
    m_cmdSharedRemove = makeButton(m_fraSharedFolders, "cmdSharedRemove");
    m_cmdSharedProps = makeButton(m_fraSharedFolders, "cmdSharedProps");
    row->addWidget(m_chkSharedDisable);
    row->addStretch(1);
    row->addWidget(m_cmdSharedAdd);
    row->addWidget(m_cmdSharedRemove);
    row->addWidget(m_cmdSharedProps);
    inner->addLayout(row);
    layout->addWidget(m_fraSharedFolders);

    bindCheck(m_chkSharedDisable, Polarity::Inverted, true,
              [this](bool v) { m_vm->Options()->SharedFoldersOptions()->SetEnabled(v); });
    connect(m_lvwSharedFolders, &QTreeWidget::itemClicked, this, &SharedFoldersPage::rememberShare);
    connect(m_lvwSharedFolders, &QTreeWidget::itemSelectionChanged, this, &SharedFoldersPage::rememberShare);
    connect(m_cmdSharedAdd, &QPushButton::clicked, this, &SharedFoldersPage::addShare);
    connect(m_cmdSharedRemove, &QPushButton::clicked, this, &SharedFoldersPage::removeShare);
    connect(m_cmdSharedProps, &QPushButton::clicked, this, &SharedFoldersPage::editShare);
    updateButtons();
}

void SharedFoldersPage::setShareEditor(ShareEditor editor)
{
    m_shareEditor = std::move(editor);
    updateButtons();
}

void SharedFoldersPage::load()
{
    LoadScope scope(*this);
    showCheck(m_chkSharedDisable, Polarity::Inverted, m_vm->Options()->SharedFoldersOptions()->Enabled());
    rebuildList();
}

void SharedFoldersPage::rebuildList()
{
    LoadScope scope(*this);
    m_lvwSharedFolders->clear();
    m_selectedShareId.clear();
    const auto shares = m_vm->Options()->SharedFoldersOptions();
    for (std::int32_t i = 1; i <= shares->Count(); ++i) {
        auto* row = new QTreeWidgetItem(m_lvwSharedFolders);
        fillRow(*row, *shares->Item(i));
    }
    updateButtons();
}

void SharedFoldersPage::rememberShare()
{
    if (m_loading)
        return;
    const auto selected = m_lvwSharedFolders->selectedItems();
    m_selectedShareId =
        selected.isEmpty() ? std::string() : selected.front()->data(0, kIdRole).toString().toStdString();
    updateButtons();
}

std::optional<ShareValues> SharedFoldersPage::askForShare(const ShareValues* existing)
{
    if (m_shareEditor)
        return m_shareEditor(this, existing ? *existing : ShareValues{});
    if (m_context.dialogs)
        return askWithDialog(*m_context.dialogs, this, existing);
    return std::nullopt;
}

bool SharedFoldersPage::canAskForShare() const
{
    return m_shareEditor || m_context.dialogs;
}

void SharedFoldersPage::addShare()
{
    if (!canAskForShare())
        return;
    const auto values = askForShare(nullptr);
    if (!values)
        return;
    const auto share = m_vm->Options()->SharedFoldersOptions()->Add();
    writeShare(*share, *values);
    {
        LoadScope scope(*this);
        auto* row = new QTreeWidgetItem(m_lvwSharedFolders);
        fillRow(*row, *share);
    }
    markEdited(true);
}

void SharedFoldersPage::removeShare()
{
    if (m_selectedShareId.empty())
        return;
    const std::string id = m_selectedShareId;
    m_vm->Options()->SharedFoldersOptions()->Remove(-1, id);
    {
        LoadScope scope(*this);
        for (int i = 0; i < m_lvwSharedFolders->topLevelItemCount(); ++i) {
            if (m_lvwSharedFolders->topLevelItem(i)->data(0, kIdRole).toString().toStdString() == id) {
                delete m_lvwSharedFolders->takeTopLevelItem(i);
                break;
            }
        }
        m_lvwSharedFolders->clearSelection();
    }
    m_selectedShareId.clear();
    updateButtons();
    markEdited(true);
}

void SharedFoldersPage::editShare()
{
    if (!canAskForShare() || m_selectedShareId.empty())
        return;
    const auto share = m_vm->Options()->SharedFoldersOptions()->Item(-1, m_selectedShareId);
    const ShareValues initial{share->ShareName(), share->HostFolder(), share->Enabled(), share->ReadOnly(),
                              share->DisableAfterThisSession()};
    const auto values = askForShare(&initial);
    if (!values)
        return;
    writeShare(*share, *values);
    for (int i = 0; i < m_lvwSharedFolders->topLevelItemCount(); ++i) {
        auto* row = m_lvwSharedFolders->topLevelItem(i);
        if (row->data(0, kIdRole).toString().toStdString() == m_selectedShareId)
            fillRow(*row, *share);
    }
    markEdited(true);
}

void SharedFoldersPage::updateButtons()
{
    const bool haveShare = !m_selectedShareId.empty();
    m_cmdSharedAdd->setEnabled(canAskForShare());
    m_cmdSharedRemove->setEnabled(haveShare);
    m_cmdSharedProps->setEnabled(haveShare && canAskForShare());
}

void SharedFoldersPage::updateUILabels()
{
    m_fraSharedFolders->setTitle(text(245));
    m_lvwSharedFolders->setHeaderLabels({text(117), text(118), text(246)});
    m_chkSharedDisable->setText(text(247));
    m_cmdSharedAdd->setText(text(205));
    m_cmdSharedRemove->setText(text(206));
    m_cmdSharedProps->setText(text(248));
}

} // namespace zentravolix::editor
