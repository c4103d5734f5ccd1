// SPDX-License-Identifier: MIT
#include "editor/widget/pages/options/GeneralPage.h"

#include "config/ChoiceLists.h"
#include "config/NameRules.h"
#include "config/ProductTables.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentravolix::editor {

namespace {

QStringList toQStringList(const std::vector<std::string>& items)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(items.size()));
    for (const auto& item : items)
        list << QString::fromStdString(item);
    return list;
}

QGridLayout* gridIn(QGroupBox* group)
{
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(1, 1);
    return grid;
}

} // namespace

GeneralPage::GeneralPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                         QWidget* parent)
    : OptionPage(std::move(vm), context, parent)
{
    auto* layout = new QVBoxLayout(this);

    m_fraDisplayName = makeGroup(this, "fraDisplayName");
    auto* nameLayout = new QVBoxLayout(m_fraDisplayName);
    m_txtDisplayName = makeLineEdit(m_fraDisplayName, "txtDisplayName");
    nameLayout->addWidget(m_txtDisplayName);
    layout->addWidget(m_fraDisplayName);

    m_fraVMXInfo = makeGroup(this, "fraVMXInfo");
    auto* vmxGrid = gridIn(m_fraVMXInfo);
    m_lblVmxFileName = makeLabel(m_fraVMXInfo, "lblVmxFileName");
    m_txtVmxFileName = makeLineEdit(m_fraVMXInfo, "txtVmxFileName");
    m_lblVmxFolder = makeLabel(m_fraVMXInfo, "lblVmxFolder");
    m_txtVmxFolder = makeLineEdit(m_fraVMXInfo, "txtVmxFolder");
    m_cmdBrowseVmxFolder = makeBrowseButton(m_fraVMXInfo, "cmdBrowseVmxFolder");
    m_lblVmxFileName->setBuddy(m_txtVmxFileName);
    m_lblVmxFolder->setBuddy(m_txtVmxFolder);
    vmxGrid->addWidget(m_lblVmxFileName, 0, 0);
    vmxGrid->addWidget(m_txtVmxFileName, 0, 1, 1, 2);
    vmxGrid->addWidget(m_lblVmxFolder, 1, 0);
    vmxGrid->addWidget(m_txtVmxFolder, 1, 1);
    vmxGrid->addWidget(m_cmdBrowseVmxFolder, 1, 2);
    layout->addWidget(m_fraVMXInfo);

    // Product and guest side by side: both are short pairs of lists.
    auto* productRow = new QHBoxLayout;
    m_fraTargetPlatform = makeGroup(this, "fraTargetPlatform");
    auto* productGrid = gridIn(m_fraTargetPlatform);
    m_lblTargetPlatform = makeLabel(m_fraTargetPlatform, "lblTargetPlatform");
    m_cboTargetPlatform = makeCombo(m_fraTargetPlatform, "cboTargetPlatform");
    m_lblPlatformVersion = makeLabel(m_fraTargetPlatform, "lblPlatformVersion");
    m_cboPlatformVersion = makeCombo(m_fraTargetPlatform, "cboPlatformVersion");
    productGrid->addWidget(m_lblTargetPlatform, 0, 0);
    productGrid->addWidget(m_cboTargetPlatform, 0, 1);
    productGrid->addWidget(m_lblPlatformVersion, 1, 0);
    productGrid->addWidget(m_cboPlatformVersion, 1, 1);
    productRow->addWidget(m_fraTargetPlatform, 1);

    m_fraGuestOS = makeGroup(this, "fraGuestOS");
    auto* guestGrid = gridIn(m_fraGuestOS);
    m_lblGuestFamilies = makeLabel(m_fraGuestOS, "lblGuestFamilies");
    m_cboGuestFamilies = makeCombo(m_fraGuestOS, "cboGuestFamilies");
    m_lblGuestVersions = makeLabel(m_fraGuestOS, "lblGuestVersions");
    m_cboGuestVersions = makeCombo(m_fraGuestOS, "cboGuestVersions");
    guestGrid->addWidget(m_lblGuestFamilies, 0, 0);
    guestGrid->addWidget(m_cboGuestFamilies, 0, 1);
    guestGrid->addWidget(m_lblGuestVersions, 1, 0);
    guestGrid->addWidget(m_cboGuestVersions, 1, 1);
    productRow->addWidget(m_fraGuestOS, 1);
    layout->addLayout(productRow);

    m_fraWorkingDir = makeGroup(this, "fraWorkingDir");
    auto* workGrid = gridIn(m_fraWorkingDir);
    m_lblWorkingDirNote = makeLabel(m_fraWorkingDir, "lblWorkingDirNote");
    m_lblWorkingDirNote->setWordWrap(true);
    m_txtWorkingDir = makeLineEdit(m_fraWorkingDir, "txtWorkingDir");
    m_cmdBrowseWorkingFolder = makeBrowseButton(m_fraWorkingDir, "cmdBrowseWorkingFolder");
    workGrid->addWidget(m_lblWorkingDirNote, 0, 0, 1, 2);
    workGrid->addWidget(m_txtWorkingDir, 1, 0);
    workGrid->addWidget(m_cmdBrowseWorkingFolder, 1, 1);
    workGrid->setColumnStretch(0, 1);
    workGrid->setColumnStretch(1, 0);
    layout->addWidget(m_fraWorkingDir);
    layout->addStretch(1);

    connect(m_txtDisplayName, &QLineEdit::editingFinished, this, &GeneralPage::storeDisplayName);
    connect(m_txtVmxFileName, &QLineEdit::editingFinished, this, &GeneralPage::storeVmxFileName);
    connect(m_txtVmxFolder, &QLineEdit::editingFinished, this, &GeneralPage::storeVmxFolder);
    connect(m_txtWorkingDir, &QLineEdit::editingFinished, this, &GeneralPage::storeWorkingDir);
    connect(m_cmdBrowseVmxFolder, &QPushButton::clicked, this, &GeneralPage::browseVmxFolder);
    connect(m_cmdBrowseWorkingFolder, &QPushButton::clicked, this, &GeneralPage::browseWorkingFolder);
    connect(m_cboTargetPlatform, &QComboBox::currentIndexChanged, this, &GeneralPage::chooseTargetPlatform);
    connect(m_cboPlatformVersion, &QComboBox::currentIndexChanged, this, &GeneralPage::choosePlatformVersion);
    connect(m_cboGuestFamilies, &QComboBox::currentIndexChanged, this, &GeneralPage::chooseGuestFamily);
    connect(m_cboGuestVersions, &QComboBox::currentIndexChanged, this, &GeneralPage::chooseGuestVersion);
}

void GeneralPage::storeDisplayName()
{
    if (m_loading)
        return;
    const QString name = m_txtDisplayName->text();
    m_vm->Options()->GeneralOptions()->SetDisplayName(name.toStdString());
    markEdited(true);
    emit displayNameChanged(name);
}

void GeneralPage::storeVmxFileName()
{
    if (m_loading)
        return;
    const auto general = m_vm->Options()->GeneralOptions();
    const std::string name = NormalizeVmxFileName(m_txtVmxFileName->text().toStdString());
    {
        LoadScope scope(*this);
        m_txtVmxFileName->setText(QString::fromStdString(name));
    }
    general->SetVmxFileName(name);
    markEdited(false);
    emit vmxNameValidated(IsVmxNameValid(*general));
    emit vmxFileNameChanged(QString::fromStdString(name));
}

void GeneralPage::storeVmxFolder()
{
    if (m_loading)
        return;
    const auto general = m_vm->Options()->GeneralOptions();
    const std::string folder = NormalizeVmxFolder(m_txtVmxFolder->text().toStdString());
    {
        LoadScope scope(*this);
        m_txtVmxFolder->setText(QString::fromStdString(folder));
    }
    general->SetVmxPath(folder);
    markEdited(false);
    emit vmxNameValidated(IsVmxNameValid(*general));
}

void GeneralPage::storeWorkingDir()
{
    if (m_loading)
        return;
    const std::string folder = NormalizeWorkingDir(m_txtWorkingDir->text().toStdString());
    {
        LoadScope scope(*this);
        m_txtWorkingDir->setText(QString::fromStdString(folder));
    }
    m_vm->Options()->GeneralOptions()->SetWorkingPath(folder);
    markEdited(false);
}

void GeneralPage::browseVmxFolder()
{
    const QString folder = m_context.dialogs->browseFolder(this, text(147), m_txtVmxFolder->text());
    if (folder.isEmpty())
        return;
    m_txtVmxFolder->setText(folder);
    storeVmxFolder();
}

void GeneralPage::browseWorkingFolder()
{
    const QString folder = m_context.dialogs->browseFolder(this, text(227), m_txtWorkingDir->text());
    if (folder.isEmpty())
        return;
    m_txtWorkingDir->setText(folder);
    storeWorkingDir();
}

void GeneralPage::chooseTargetPlatform(int index)
{
    if (m_loading || index < 0)
        return;
    m_vm->Options()->GeneralOptions()->SetTargetPlatform(static_cast<std::int16_t>(index));
    // The new product's versions are offered with none chosen: PlatformVersion keeps its old value
    // (and the version settings theirs) until the user picks one.
    {
        LoadScope scope(*this);
        m_cboPlatformVersion->clear();
        m_cboPlatformVersion->addItems(
            toQStringList(PlatformVersionCaptions(static_cast<std::int16_t>(index))));
        m_cboPlatformVersion->setCurrentIndex(-1);
    }
    emit platformChosen();
    markEdited(false);
}

void GeneralPage::choosePlatformVersion(int index)
{
    if (m_loading || index < 0)
        return;
    m_vm->Options()->GeneralOptions()->SetPlatformVersion(static_cast<std::int16_t>(index));
    fillGuestFamilies();
    emit versionChosen();
    markEdited(false);
}

void GeneralPage::chooseGuestFamily(int index)
{
    if (m_loading || index < 0)
        return;
    const auto general = m_vm->Options()->GeneralOptions();
    general->SetGuestFamily(static_cast<std::int16_t>(index));
    fillGuestVersions();
    // The family's first guest becomes the guest, so guestOS always names one of the family
    // shown (never a Windows guest under Linux).
    {
        LoadScope scope(*this);
        m_cboGuestVersions->setCurrentIndex(m_cboGuestVersions->count() > 0 ? 0 : -1);
    }
    if (m_cboGuestVersions->count() > 0) {
        const int column = m_cboGuestVersions->itemData(0).toInt();
        writeModel([&] { general->SetGuestVersion(static_cast<std::int16_t>(column)); });
    }
    markEdited(false);
}

void GeneralPage::chooseGuestVersion(int index)
{
    if (m_loading || index < 0)
        return;
    // The entry remembers its column in the guest table, which is the stored GuestVersion.
    const int column = m_cboGuestVersions->itemData(index).toInt();
    writeModel(
        [&] { m_vm->Options()->GeneralOptions()->SetGuestVersion(static_cast<std::int16_t>(column)); });
    markEdited(false);
}

void GeneralPage::fillPlatformVersions()
{
    LoadScope scope(*this);
    const auto general = m_vm->Options()->GeneralOptions();
    m_cboPlatformVersion->clear();
    m_cboPlatformVersion->addItems(toQStringList(PlatformVersionCaptions(general->TargetPlatform())));
    showComboIndex(m_cboPlatformVersion, general->PlatformVersion());
}

void GeneralPage::fillGuestFamilies()
{
    LoadScope scope(*this);
    const auto general = m_vm->Options()->GeneralOptions();
    m_cboGuestFamilies->clear();
    // Each entry keeps its text id, so a language change can re-caption the list in place.
    for (int id : GuestFamilyTextIds(general->TargetPlatform(), general->PlatformVersion()))
        m_cboGuestFamilies->addItem(text(id), id);
    showComboIndex(m_cboGuestFamilies, general->GuestFamily());
    fillGuestVersions();
}

void GeneralPage::fillGuestVersions()
{
    LoadScope scope(*this);
    const auto general = m_vm->Options()->GeneralOptions();
    m_cboGuestVersions->clear();
    const auto table = general->SupportedGuests();
    const int family = general->GuestFamily();
    if (family < 0 || family >= static_cast<int>(table.size()) || m_cboGuestFamilies->currentIndex() < 0)
        return;
    const auto& row = table[static_cast<std::size_t>(family)];
    int selected = -1;
    for (std::size_t column = 0; column < row.size(); ++column) {
        if (row[column].DisplayedName.empty())
            continue;
        // A file may name a guest this product's table does not have (a later product's guest):
        // the model then keeps the old indices, and showing that cell would claim a guest the
        // file does not hold, so nothing is shown as chosen.
        if (static_cast<int>(column) == general->GuestVersion() &&
            QString::fromStdString(row[column].ConfigName)
                    .compare(QString::fromStdString(general->GuestOSName()), Qt::CaseInsensitive) == 0)
            selected = m_cboGuestVersions->count();
        m_cboGuestVersions->addItem(QString::fromStdString(row[column].DisplayedName),
                                    static_cast<int>(column));
    }
    m_cboGuestVersions->setCurrentIndex(selected);
}

void GeneralPage::load()
{
    LoadScope scope(*this);
    const auto general = m_vm->Options()->GeneralOptions();
    m_txtDisplayName->setText(QString::fromStdString(general->DisplayName()));
    m_txtVmxFileName->setText(QString::fromStdString(general->VmxFileName()));
    m_txtVmxFolder->setText(QString::fromStdString(general->VmxPath()));
    showComboIndex(m_cboTargetPlatform, general->TargetPlatform());
    fillPlatformVersions();
    fillGuestFamilies();
    m_txtWorkingDir->setText(QString::fromStdString(general->WorkingPath()));
}

void GeneralPage::updateUILabels()
{
    m_fraDisplayName->setTitle(text(207));
    m_fraVMXInfo->setTitle(text(208));
    m_lblVmxFileName->setText(text(209));
    m_lblVmxFolder->setText(text(210));
    m_fraTargetPlatform->setTitle(text(211));
    m_lblTargetPlatform->setText(text(212));
    refillCombo(m_cboTargetPlatform, texts(TargetPlatformTextIds()));
    m_lblPlatformVersion->setText(text(217));
    m_fraGuestOS->setTitle(text(218));
    m_lblGuestFamilies->setText(text(219));
    for (int i = 0; i < m_cboGuestFamilies->count(); ++i)
        m_cboGuestFamilies->setItemText(i, text(m_cboGuestFamilies->itemData(i).toInt()));
    m_lblGuestVersions->setText(text(217));
    m_fraWorkingDir->setTitle(text(225));
    m_lblWorkingDirNote->setText(text(226));
}

} // namespace zentravolix::editor
