// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/CDRomPage.h"

#include "editor/widget/EditorContext.h"
#include "editor/widget/WidgetHelpers.h"
#include "editor/widget/pages/devices/DevicePageSupport.h"

#include <tarvonel/tarvonel.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentravolix::editor {

namespace {

// Host drive types: "atapi-cdrom" is the legacy (emulated ATAPI) connection, "cdrom-raw" the raw
// one; older files also say "device". Images are "cdrom-image", older files "file".
bool isDriveType(const std::string& type)
{
    return type == "atapi-cdrom" || type == "cdrom-raw" || type == "device";
}

bool isImageType(const std::string& type)
{
    return type == "cdrom-image" || type == "file";
}

} // namespace

CDRomPage::CDRomPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                     QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraCDRom = makeGroup(this, "fraCDRom");
    auto* top = new QVBoxLayout(m_fraCDRom);
    m_chkCDREnabled = makeCheck(m_fraCDRom, "chkCDREnabled", top);
    m_chkCDRConnectedBoot = makeCheck(m_fraCDRom, "chkCDRConnectedBoot", top);
    m_chkCDRClientDevice = makeCheck(m_fraCDRom, "chkCDRClientDevice", top);

    m_fraCDRConnection = makeGroup(m_fraCDRom, "fraCDRConnection");
    auto* grid = new QGridLayout(m_fraCDRConnection);
    m_optCDRDrive = makeOption(m_fraCDRConnection, "optCDRDrive");
    m_cboCDRDrive = makeCombo(m_fraCDRConnection, "cboCDRDrive");
    m_chkCDRExclusive = makeCheck(m_fraCDRConnection, "chkCDRExclusive");
    m_chkCDRLegacy = makeCheck(m_fraCDRConnection, "chkCDRLegacy");
    m_optCDRImage = makeOption(m_fraCDRConnection, "optCDRImage");
    m_txtCDRImage = makeLineEdit(m_fraCDRConnection, "txtCDRImage");
    m_cmdBrowseCDRImage = makeButton(m_fraCDRConnection, "cmdBrowseCDRImage");
    m_cmdBrowseCDRImage->setText(QStringLiteral("..."));
    grid->addWidget(m_optCDRDrive, 0, 0, 1, 3);
    grid->addWidget(m_cboCDRDrive, 1, 1, 1, 2);
    grid->addWidget(m_chkCDRExclusive, 2, 1, 1, 2);
    grid->addWidget(m_chkCDRLegacy, 3, 1, 1, 2);
    grid->addWidget(m_optCDRImage, 4, 0, 1, 3);
    grid->addWidget(m_txtCDRImage, 5, 1);
    grid->addWidget(m_cmdBrowseCDRImage, 5, 2);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(1, 1);
    top->addWidget(m_fraCDRConnection);

    m_fraCDRNode = makeGroup(m_fraCDRom, "fraCDRNode");
    auto* nodes = new QGridLayout(m_fraCDRNode);
    m_optCDRIDE = makeOption(m_fraCDRNode, "optCDRIDE");
    m_optCDRSCSI = makeOption(m_fraCDRNode, "optCDRSCSI");
    m_cboCDRIDE = makeCombo(m_fraCDRNode, "cboCDRIDE");
    m_cboCDRSCSI = makeCombo(m_fraCDRNode, "cboCDRSCSI");
    nodes->addWidget(m_optCDRIDE, 0, 0);
    nodes->addWidget(m_cboCDRIDE, 0, 1);
    nodes->addWidget(m_optCDRSCSI, 1, 0);
    nodes->addWidget(m_cboCDRSCSI, 1, 1);
    m_optCDRSATA = makeOption(m_fraCDRNode, "optCDRSATA");
    m_cboCDRSATA = makeCombo(m_fraCDRNode, "cboCDRSATA");
    nodes->addWidget(m_optCDRSATA, 2, 0);
    nodes->addWidget(m_cboCDRSATA, 2, 1);
    nodes->setColumnStretch(1, 1);
    top->addWidget(m_fraCDRNode);
    layout->addWidget(m_fraCDRom);
    layout->addStretch(1);

    auto cdrom = [this] { return findDevice(m_vm->Hardware()->CDRoms()); };
    bindCheck(m_chkCDREnabled, false, [cdrom](bool v) {
        if (auto c = cdrom())
            c->SetEnabled(v);
    });
    bindCheck(m_chkCDRConnectedBoot, false, [cdrom](bool v) {
        if (auto c = cdrom())
            c->SetConnectedAtBoot(v);
    });
    bindCheck(m_chkCDRClientDevice, false, [cdrom](bool v) {
        if (auto c = cdrom())
            c->SetClientDevice(v);
    });
    bindCheck(m_chkCDRExclusive, false, [this, cdrom](bool v) {
        if (auto c = cdrom(); c && m_optCDRDrive->isChecked())
            c->SetExclusiveConnection(v);
    });
    bindCheck(m_chkCDRLegacy, false, [this, cdrom](bool v) {
        if (auto c = cdrom(); c && m_optCDRDrive->isChecked()) {
            c->SetLegacyEmulation(v);
            c->SetDeviceType(v ? "atapi-cdrom" : "cdrom-raw");
        }
    });
    bindOption(m_optCDRDrive, true, [this, cdrom] {
        // The legacy box stays ticked across a detour to an image; keep the type it stands for
        // rather than silently dropping legacy emulation.
        if (auto c = cdrom())
            c->SetDeviceType(c->LegacyEmulation() ? "atapi-cdrom" : "cdrom-raw");
        enableChoice(true);
        refillDrives();
    });
    bindOption(m_optCDRImage, true, [this, cdrom] {
        if (auto c = cdrom())
            c->SetDeviceType("cdrom-image");
        enableChoice(false);
    });
    bindComboText(m_cboCDRDrive, true, [this, cdrom](const std::string& name) {
        auto c = cdrom();
        if (!c || !m_optCDRDrive->isChecked())
            return false;
        c->SetDeviceName(name);
        assignAutomaticNode();
        return true;
    });
    bindText(m_txtCDRImage, true, [this, cdrom](const std::string& name) {
        auto c = cdrom();
        if (!c || !m_optCDRImage->isChecked())
            return false;
        c->SetDeviceName(name);
        assignAutomaticNode();
        return true;
    });
    connect(m_cmdBrowseCDRImage, &QPushButton::clicked, this, [this] {
        browseInto(m_txtCDRImage, 349, text(350) + QStringLiteral("|*.iso;*.cdr|") + text(302) + QStringLiteral("|*"));
    });
    bindBusOption(m_optCDRIDE, "IDE");
    bindBusOption(m_optCDRSCSI, "SCSI");
    bindNodeList(m_cboCDRIDE, "IDE");
    bindNodeList(m_cboCDRSCSI, "SCSI");
    bindBusOption(m_optCDRSATA, "SATA");
    bindNodeList(m_cboCDRSATA, "SATA");
}

void CDRomPage::fill()
{
    refillDrives();
    const auto cdrom = findDevice(m_vm->Hardware()->CDRoms());
    m_chkCDRClientDevice->setVisible(cdrom && (IsEsxiMachine(*m_vm) || cdrom->ClientDevice().has_value()));
    if (!cdrom) {
        refillNodes();
        return;
    }
    m_chkCDREnabled->setChecked(cdrom->Enabled());
    m_chkCDRConnectedBoot->setChecked(cdrom->ConnectedAtBoot());
    m_chkCDRClientDevice->setChecked(cdrom->ClientDevice().value_or(false));
    const std::string type = cdrom->DeviceType();
    showOptions({{m_optCDRDrive, isDriveType(type)}, {m_optCDRImage, isImageType(type)}});
    m_chkCDRExclusive->setChecked(cdrom->ExclusiveConnection());
    m_chkCDRLegacy->setChecked(cdrom->LegacyEmulation());
    m_txtCDRImage->clear();
    m_cboCDRDrive->setCurrentIndex(-1);
    if (isDriveType(type))
        showComboText(m_cboCDRDrive, cdrom->DeviceName());
    else if (isImageType(type))
        m_txtCDRImage->setText(QString::fromStdString(cdrom->DeviceName()));
    enableChoice(!isImageType(type));
    const std::string bus = cdrom->BusType();
    showOptions({{m_optCDRIDE, bus == "IDE"}, {m_optCDRSCSI, bus == "SCSI"}, {m_optCDRSATA, bus == "SATA"}});
    enableBus(bus);
    refillNodes();
}

void CDRomPage::enableChoice(bool physical)
{
    m_cboCDRDrive->setEnabled(physical);
    m_chkCDRExclusive->setEnabled(physical);
    m_chkCDRLegacy->setEnabled(physical);
    m_txtCDRImage->setEnabled(!physical);
    m_cmdBrowseCDRImage->setEnabled(!physical);
}

void CDRomPage::enableBus(const std::string& busType)
{
    m_cboCDRIDE->setEnabled(busType == "IDE");
    m_cboCDRSCSI->setEnabled(busType == "SCSI");
    m_cboCDRSATA->setEnabled(busType == "SATA");
    // SATA only where the version has it (or the drive already sits there).
    const bool sata = busOffered("SATA", busType);
    m_optCDRSATA->setVisible(sata);
    m_cboCDRSATA->setVisible(sata);
}

void CDRomPage::refillDrives()
{
    std::vector<std::string> drives{kAutoDetect};
    drives.insert(drives.end(), m_context.hostDevices.cdromDrives.begin(), m_context.hostDevices.cdromDrives.end());
    refillCombo(m_cboCDRDrive, toStringList(drives));
}

void CDRomPage::refillNodes()
{
    const auto cdrom = findDevice(m_vm->Hardware()->CDRoms());
    const std::string bus = cdrom ? cdrom->BusType() : std::string();
    const std::int32_t controller = cdrom ? cdrom->Controller() : -1;
    const std::int32_t node = cdrom ? cdrom->BusNode() : -1;
    fillNodeList(m_cboCDRIDE, "IDE", bus == "IDE" ? controller : -1, node);
    fillNodeList(m_cboCDRSCSI, "SCSI", bus == "SCSI" ? controller : -1, node);
    fillNodeList(m_cboCDRSATA, "SATA", bus == "SATA" ? controller : -1, node);
}

void CDRomPage::updateUILabels()
{
    m_fraCDRom->setTitle(text(344));
    m_chkCDREnabled->setText(text(295));
    m_chkCDRConnectedBoot->setText(text(296));
    m_chkCDRClientDevice->setText(text(2956));
    m_fraCDRConnection->setTitle(text(345));
    m_optCDRDrive->setText(text(297));
    m_chkCDRExclusive->setText(text(346));
    m_chkCDRLegacy->setText(text(347));
    m_optCDRImage->setText(text(348));
    m_fraCDRNode->setTitle(text(343));
    // Bus names, as the configuration file spells them; the same in every language.
    m_optCDRIDE->setText(QStringLiteral("IDE"));
    m_optCDRSCSI->setText(QStringLiteral("SCSI"));
    m_optCDRSATA->setText(QStringLiteral("SATA"));
}

} // namespace zentravolix::editor
