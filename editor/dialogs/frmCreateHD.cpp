// SPDX-License-Identifier: MIT
#include "editor/dialogs/frmCreateHD.h"

#include "editor/widget/Dialogs.h"
#include "editor/widget/UiText.h"
#include "editor/widget/WidgetHelpers.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <filesystem>

namespace zentravolix::editor {

namespace {

// The Linux captions of the two creation methods (the classic 145 and 144 speak of Windows tools).
constexpr int kExternalMethodText = 402;
constexpr int kLibraryMethodText = 401;

/** Runs handler whenever the option is turned on, by the user or by setChecked(). */
void onSelected(QRadioButton* option, QObject* context, std::function<void()> handler)
{
    QObject::connect(option, &QRadioButton::toggled, context, [handler = std::move(handler)](bool on) {
        if (on)
            handler();
    });
}

/** Turns an option on so that its handler runs, also when it was on already. */
void select(QRadioButton* option)
{
    if (option->isChecked())
        emit option->toggled(true);
    else
        option->setChecked(true);
}

} // namespace

frmCreateHD::frmCreateHD(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_creator(&disk::CreateDisk)
{
    setObjectName(QStringLiteral("frmCreateHD"));
    setModal(true);
    buildControls();
    connectHandlers();
    UpdateUILabels();
}

void frmCreateHD::buildControls()
{
    auto* layout = new QVBoxLayout(this);

    auto* nameRow = new QHBoxLayout;
    m_lblNewDisk = makeLabel(this, "lblNewDisk");
    m_txtNewDisk = makeLineEdit(this, "txtNewDisk");
    m_cmdBrowseFolder = makeButton(this, "cmdBrowseFolder");
    m_lblNewDisk->setBuddy(m_txtNewDisk);
    nameRow->addWidget(m_lblNewDisk);
    nameRow->addWidget(m_txtNewDisk, 1);
    nameRow->addWidget(m_cmdBrowseFolder);
    layout->addLayout(nameRow);

    auto* middle = new QHBoxLayout;
    m_fraAdapter = makeGroup(this, "fraAdapter");
    auto* adapter = new QVBoxLayout(m_fraAdapter);
    m_optAdaptIde = makeOption(m_fraAdapter, "optAdaptIde", adapter);
    m_optAdaptBus = makeOption(m_fraAdapter, "optAdaptBus", adapter);
    m_optAdaptLsi = makeOption(m_fraAdapter, "optAdaptLsi", adapter);
    // Today's buses come after the classic three and only where the product version has them.
    m_optAdaptSata = makeOption(m_fraAdapter, "optAdaptSata", adapter);
    m_optAdaptNvme = makeOption(m_fraAdapter, "optAdaptNvme", adapter);
    m_optAdaptSata->setHidden(true);
    m_optAdaptNvme->setHidden(true);
    adapter->addStretch(1);
    middle->addWidget(m_fraAdapter);

    m_fraDiskSize = makeGroup(this, "fraDiskSize");
    auto* size = new QGridLayout(m_fraDiskSize);
    m_txtDiskSize = makeLineEdit(m_fraDiskSize, "txtDiskSize");
    m_optSizeSectors = makeOption(m_fraDiskSize, "optSizeSectors");
    m_optSizeKb = makeOption(m_fraDiskSize, "optSizeKb");
    m_optSizeMb = makeOption(m_fraDiskSize, "optSizeMb");
    m_optSizeGb = makeOption(m_fraDiskSize, "optSizeGb");
    size->addWidget(m_txtDiskSize, 0, 0, 1, 2);
    size->addWidget(m_optSizeSectors, 1, 0);
    size->addWidget(m_optSizeKb, 1, 1);
    size->addWidget(m_optSizeMb, 2, 0);
    size->addWidget(m_optSizeGb, 2, 1);
    middle->addWidget(m_fraDiskSize, 1);

    // The slice sizes were never wired to anything: the frame stays disabled, its options inert.
    m_fraSlice = makeGroup(this, "fraSlice");
    auto* slice = new QGridLayout(m_fraSlice);
    m_optSliceDefault = makeOption(m_fraSlice, "optSliceDefault");
    m_optSliceOther = makeOption(m_fraSlice, "optSliceOther");
    m_txtSliceSize = makeLineEdit(m_fraSlice, "txtSliceSize");
    m_optSliceCD = makeOption(m_fraSlice, "optSliceCD");
    m_optSliceDVD = makeOption(m_fraSlice, "optSliceDVD");
    slice->addWidget(m_optSliceDefault, 0, 0, 1, 2);
    slice->addWidget(m_optSliceOther, 1, 0);
    slice->addWidget(m_txtSliceSize, 1, 1);
    slice->addWidget(m_optSliceCD, 2, 0, 1, 2);
    slice->addWidget(m_optSliceDVD, 3, 0, 1, 2);
    m_optSliceDefault->setChecked(true);
    m_fraSlice->setEnabled(false);
    middle->addWidget(m_fraSlice);
    layout->addLayout(middle);

    m_fraDiskType = makeGroup(this, "fraDiskType");
    auto* type = new QVBoxLayout(m_fraDiskType);
    m_optTypeGrow = makeOption(m_fraDiskType, "optTypeGrow", type);
    m_optTypeSpecial = makeOption(m_fraDiskType, "optTypeSpecial", type);
    m_optTypeGrowSplit = makeOption(m_fraDiskType, "optTypeGrowSplit", type);
    m_optTypeFixed = makeOption(m_fraDiskType, "optTypeFixed", type);
    m_optTypeFixedSplit = makeOption(m_fraDiskType, "optTypeFixedSplit", type);
    // A separate descriptor beside one growable extent has no creation step: choosing it would
    // silently make the previously chosen kind, so it is not offered.
    m_optTypeSpecial->setEnabled(false);
    layout->addWidget(m_fraDiskType);

    m_fraMethod = makeGroup(this, "fraMethod");
    auto* method = new QVBoxLayout(m_fraMethod);
    m_optMethodVMware = makeOption(m_fraMethod, "optMethodVMware", method);
    m_optMethodExternal = makeOption(m_fraMethod, "optMethodExternal", method);
    m_lblCaution = makeLabel(m_fraMethod, "lblCaution");
    m_lblCaution->setWordWrap(true);
    method->addWidget(m_lblCaution);
    layout->addWidget(m_fraMethod);

    auto* buttons = new QHBoxLayout;
    m_cmdOK = makeButton(this, "cmdOK");
    m_cmdCancel = makeButton(this, "cmdCancel");
    m_cmdOK->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    layout->addLayout(buttons);
    setMinimumWidth(520);
}

void frmCreateHD::connectHandlers()
{
    using disk::AdapterType;
    using disk::DiskKind;
    using disk::SizeUnit;
    onSelected(m_optAdaptIde, this, [this] { chooseAdapter(AdapterType::Ide); });
    onSelected(m_optAdaptBus, this, [this] { chooseAdapter(AdapterType::BusLogic); });
    onSelected(m_optAdaptLsi, this, [this] { chooseAdapter(AdapterType::LsiLogic); });
    onSelected(m_optAdaptSata, this, [this] { chooseAdapter(AdapterType::Sata); });
    onSelected(m_optAdaptNvme, this, [this] { chooseAdapter(AdapterType::Nvme); });
    onSelected(m_optSizeSectors, this, [this] { chooseUnit(SizeUnit::Sectors); });
    onSelected(m_optSizeKb, this, [this] { chooseUnit(SizeUnit::Kb); });
    onSelected(m_optSizeMb, this, [this] { chooseUnit(SizeUnit::Mb); });
    onSelected(m_optSizeGb, this, [this] { chooseUnit(SizeUnit::Gb); });
    onSelected(m_optTypeGrow, this, [this] { chooseKind(DiskKind::SingleGrowable); });
    onSelected(m_optTypeGrowSplit, this, [this] { chooseKind(DiskKind::GrowableSplit); });
    onSelected(m_optTypeFixed, this, [this] { chooseKind(DiskKind::SinglePreallocated); });
    onSelected(m_optTypeFixedSplit, this, [this] { chooseKind(DiskKind::PreallocatedSplit); });
    onSelected(m_optMethodExternal, this, [this] { chooseMethod(false); });
    onSelected(m_optMethodVMware, this, [this] { chooseMethod(true); });

    connect(m_txtNewDisk, &QLineEdit::editingFinished, this, [this] { applyNameRule(); });
    connect(m_txtDiskSize, &QLineEdit::editingFinished, this, [this] { applySizeRule(); });
    connect(m_cmdBrowseFolder, &QPushButton::clicked, this, &frmCreateHD::selectFolder);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmCreateHD::confirm);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmCreateHD::reject);
}

void frmCreateHD::Load()
{
    m_loaded = true;
    Cancelled = true;
    UpdateUILabels();

    // Our own disk library stands in for the vendor's and is always there.
    m_libraryAvailable = true;
    m_optMethodVMware->setEnabled(m_libraryAvailable);
    select(m_libraryAvailable ? m_optMethodVMware : m_optMethodExternal);

    const disk::DiskLimits limits =
        disk::DiskLimits{MaxScsiSectors, MaxIdeSectors, VirtualHWVersion}.withDefaults();
    MaxScsiSectors = limits.maxScsiSectors;
    MaxIdeSectors = limits.maxIdeSectors;
    VirtualHWVersion = limits.virtualHWVersion;
    m_optAdaptSata->setHidden(!SataAvailable);
    m_optAdaptNvme->setHidden(!NvmeAvailable);

    const std::string proposal = DiskName.toStdString();
    m_proposalFolder = proposal.starts_with(disk::kPathSeparator)
                           ? proposal.substr(0, proposal.rfind(disk::kPathSeparator) + 1)
                           : std::string();
    m_txtNewDisk->setText(DiskName);
    applyNameRule();

    select(m_optAdaptIde);
    select(m_optSizeGb);
    select(m_optTypeGrow);
    m_txtDiskSize->setText(QStringLiteral("2"));
    applySizeRule();
}

int frmCreateHD::exec()
{
    if (!m_loaded)
        Load();
    return QDialog::exec();
}

void frmCreateHD::chooseAdapter(disk::AdapterType adapter)
{
    m_adapterType = adapter;
    m_maxSectors = disk::DiskLimits{MaxScsiSectors, MaxIdeSectors, VirtualHWVersion}.maxSectors(adapter);
}

void frmCreateHD::chooseUnit(disk::SizeUnit unit)
{
    m_sizeUnit = unit;
    m_sectorCount = disk::SizeToSectors(m_sizeValue, unit);
    applySizeRule();
}

void frmCreateHD::chooseKind(disk::DiskKind kind)
{
    m_diskKind = kind;
    m_fraSlice->setEnabled(false);
    updateAdapterChoice();
}

void frmCreateHD::chooseMethod(bool library)
{
    m_useLibrary = library;
    m_lblCaution->setVisible(library);
    m_optTypeGrowSplit->setEnabled(library);
    // The kind stays chosen when its option is disabled; the adapters must follow the new method.
    updateAdapterChoice();
}

void frmCreateHD::updateAdapterChoice()
{
    const disk::CreateMethod method = m_useLibrary ? disk::CreateMethod::Library : disk::CreateMethod::External;
    m_optAdaptBus->setEnabled(disk::AdapterSelectable(disk::AdapterType::BusLogic, m_diskKind, method));
    m_optAdaptLsi->setEnabled(disk::AdapterSelectable(disk::AdapterType::LsiLogic, m_diskKind, method));
    m_optAdaptSata->setEnabled(SataAvailable && disk::AdapterSelectable(disk::AdapterType::Sata, m_diskKind, method));
    m_optAdaptNvme->setEnabled(NvmeAvailable && disk::AdapterSelectable(disk::AdapterType::Nvme, m_diskKind, method));
    // qemu-img writes every single growable disk as IDE: a SCSI adapter left chosen under a
    // disabled option would promise an adapter the disk does not get.
    const bool offered = (m_adapterType != disk::AdapterType::Sata || SataAvailable) &&
                         (m_adapterType != disk::AdapterType::Nvme || NvmeAvailable);
    if (!offered || !disk::AdapterSelectable(m_adapterType, m_diskKind, method))
        select(m_optAdaptIde);
}

bool frmCreateHD::applyNameRule()
{
    if (m_inNameRule || m_txtNewDisk->text().isEmpty())
        return true;
    m_inNameRule = true;
    std::string typed = m_txtNewDisk->text().toStdString();
    // A bare folder keeps the file name chosen so far instead of becoming a disk named ".vmdk".
    if (typed.ends_with(disk::kPathSeparator)) {
        const std::string current = m_names.diskName.substr(m_names.diskName.rfind(disk::kPathSeparator) + 1);
        typed += current.empty() ? std::string("NewDisk.vmdk") : current;
    }
    if (!typed.starts_with(disk::kPathSeparator))
        typed = baseFolder() + typed;
    m_names = disk::ApplyNameRule(typed);
    DiskName = QString::fromStdString(m_names.diskName);
    if (m_txtNewDisk->text() != DiskName)
        m_txtNewDisk->setText(DiskName);

    bool created = false;
    const std::error_code error = disk::EnsureDiskFolder(m_names.folder, created);
    if (created)
        m_madeFolders.push_back(m_names.folder);
    updateOkButton();
    if (error) {
        m_dialogs.message(this, QString::fromStdString(m_names.folder + ": " + error.message()),
                          text(disk::DiskText::CreateNewHardDisk), MessageIcon::Critical);
        m_txtNewDisk->setFocus();
    }
    m_inNameRule = false;
    return !error;
}

bool frmCreateHD::applySizeRule()
{
    const QString typed = m_txtDiskSize->text();
    if (m_inSizeRule || typed.isEmpty())
        return false;
    m_inSizeRule = true;
    m_acceptedSizeText.clear();
    const QString title = text(disk::DiskText::InvalidDiskSizeTitle);
    const std::optional<double> value = disk::ParseSizeValue(typed.toStdString());
    if (!value) {
        // OK is disabled too: it would otherwise make a disk of the last numeric size.
        updateOkButton();
        m_dialogs.message(this, text(disk::DiskText::SizeNotNumeric), title, MessageIcon::Warning);
        m_txtDiskSize->setFocus();
        m_inSizeRule = false;
        return false;
    }
    m_sizeValue = *value;
    m_sectorCount = disk::SizeToSectors(m_sizeValue, m_sizeUnit);
    const disk::SizeCheck check =
        disk::CheckDiskSize(m_sectorCount, m_adapterType, m_diskKind, m_maxSectors, [this](disk::SizeQuestion q) {
            return m_dialogs.message(this, text(disk::QuestionText(q)), text(disk::QuestionTitle(q)),
                                     MessageIcon::Question, Buttons::YesNo) == Answer::Yes;
        });
    if (check.message != disk::DiskText::None)
        m_dialogs.message(this, text(check.text()), title, MessageIcon::Information);
    if (check.accepted()) {
        m_acceptedSizeText = typed;
        m_acceptedAdapter = m_adapterType;
        m_acceptedKind = m_diskKind;
        m_acceptedUnit = m_sizeUnit;
        updateOkButton();
    } else {
        updateOkButton();
        m_dialogs.message(this, text(disk::DiskText::InvalidSizeForSuffix), title, MessageIcon::Information);
        m_txtDiskSize->setFocus();
    }
    m_inSizeRule = false;
    return check.accepted();
}

bool frmCreateHD::sizeStillAccepted() const
{
    return !m_acceptedSizeText.isEmpty() && m_acceptedSizeText == m_txtDiskSize->text() &&
           m_acceptedAdapter == m_adapterType && m_acceptedKind == m_diskKind && m_acceptedUnit == m_sizeUnit;
}

void frmCreateHD::updateOkButton()
{
    m_cmdOK->setEnabled(!DiskName.isEmpty() && !m_acceptedSizeText.isEmpty());
}

void frmCreateHD::selectFolder()
{
    const QString start = QString::fromStdString(m_names.folder);
    QString folder = m_dialogs.browseFolder(this, text(147), start);
    if (folder.isEmpty())
        return;
    const QString separator(QLatin1Char(disk::kPathSeparator));
    if (!folder.endsWith(separator))
        folder += separator;
    // The name rule keeps the current file name behind the chosen folder.
    m_txtNewDisk->setText(folder);
    applyNameRule();
}

std::string frmCreateHD::baseFolder() const
{
    if (!m_proposalFolder.empty())
        return m_proposalFolder;
    std::error_code ec;
    std::string cwd = std::filesystem::current_path(ec).string();
    if (!cwd.ends_with(disk::kPathSeparator))
        cwd += disk::kPathSeparator;
    return cwd;
}

void frmCreateHD::UpdateUILabels()
{
    setWindowTitle(text(125));
    m_fraMethod->setTitle(text(143));
    // 145 and 144 name Windows tools and ask for a VMware product; here the method captions say
    // what this program really uses (qemu-img from qemu-utils, its own preallocation and library).
    m_optMethodExternal->setText(text(kExternalMethodText));
    m_optMethodVMware->setText(text(kLibraryMethodText));
    m_lblCaution->setText(text(146));
    m_fraDiskType->setTitle(text(137));
    m_optTypeGrow->setText(text(138));
    m_optTypeSpecial->setText(text(139));
    m_optTypeGrowSplit->setText(text(140));
    m_optTypeFixed->setText(text(141));
    m_optTypeFixedSplit->setText(text(142));
    m_fraDiskSize->setTitle(text(132));
    m_optSizeSectors->setText(text(133));
    m_optSizeKb->setText(text(134));
    m_optSizeMb->setText(text(135));
    m_optSizeGb->setText(text(136));
    m_fraAdapter->setTitle(text(128));
    m_optAdaptIde->setText(text(129));
    m_optAdaptBus->setText(text(130));
    m_optAdaptLsi->setText(text(131));
    m_optAdaptSata->setText(text(disk::DiskText::AdapterSata));
    m_optAdaptNvme->setText(text(disk::DiskText::AdapterNvme));
    m_lblNewDisk->setText(text(127) + QLatin1Char(':'));
    m_cmdBrowseFolder->setText(text(126));
    m_cmdOK->setText(text(50));
    m_cmdCancel->setText(text(51));
    // The slice frame has no texts in the table: it always showed these English captions.
    m_fraSlice->setTitle(QStringLiteral("Disk Slice Size"));
    m_optSliceDefault->setText(QStringLiteral("Default (2 Gb)"));
    m_optSliceOther->setText(QStringLiteral("Other:"));
    m_optSliceCD->setText(QStringLiteral("CD-R (650 Mb)"));
    m_optSliceDVD->setText(QStringLiteral("DVD-R (1.5 Gb)"));
}

} // namespace zentravolix::editor
