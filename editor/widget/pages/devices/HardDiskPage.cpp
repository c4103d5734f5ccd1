// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/HardDiskPage.h"

#include "disk/DiskInfo.h"
#include "editor/rules/NodeAssignment.h"
#include "editor/widget/Dialogs.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/WidgetHelpers.h"

#include "platform/Paths.h"

#include <tarvonel/tarvonel.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentravolix::editor {

namespace {
constexpr const char* kPersistent = "persistent";
constexpr const char* kIndependentPersistent = "independent-persistent";
constexpr const char* kIndependentNonPersistent = "independent-nonpersistent";
} // namespace

HardDiskPage::HardDiskPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                           DevicePageHooks hooks, QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraHardDisk = makeGroup(this, "fraHardDisk");
    auto* top = new QVBoxLayout(m_fraHardDisk);
    m_chkHDEnabled = makeCheck(m_fraHardDisk, "chkHDEnabled", top);
    m_lblHDFile = makeLabel(m_fraHardDisk, "lblHDFile");
    top->addWidget(m_lblHDFile);
    m_txtHDFile = makeLineEdit(m_fraHardDisk, "txtHDFile");
    top->addWidget(m_txtHDFile);
    auto* buttons = new QHBoxLayout;
    m_cmdHDCreate = makeButton(m_fraHardDisk, "cmdHDCreate");
    m_cmdBrowseHDFile = makeButton(m_fraHardDisk, "cmdBrowseHDFile");
    buttons->addStretch(1);
    buttons->addWidget(m_cmdHDCreate);
    buttons->addWidget(m_cmdBrowseHDFile);
    top->addLayout(buttons);

    m_fraHDMode = makeGroup(m_fraHardDisk, "fraHDMode");
    auto* mode = new QGridLayout(m_fraHDMode);
    m_chkHDIndependent = makeCheck(m_fraHDMode, "chkHDIndependent");
    m_optHDPersist = makeOption(m_fraHDMode, "optHDPersist");
    m_optHDNonPersist = makeOption(m_fraHDMode, "optHDNonPersist");
    mode->addWidget(m_chkHDIndependent, 0, 0, 1, 2);
    mode->addWidget(m_optHDPersist, 1, 1);
    mode->addWidget(m_optHDNonPersist, 2, 1);
    mode->setColumnMinimumWidth(0, 16);
    mode->setColumnStretch(1, 1);
    top->addWidget(m_fraHDMode);

    m_fraHDNode = makeGroup(m_fraHardDisk, "fraHDNode");
    auto* nodes = new QGridLayout(m_fraHDNode);
    m_optHDIDE = makeOption(m_fraHDNode, "optHDIDE");
    m_optHDSCSI = makeOption(m_fraHDNode, "optHDSCSI");
    m_cboHDIDE = makeCombo(m_fraHDNode, "cboHDIDE");
    m_cboHDSCSI = makeCombo(m_fraHDNode, "cboHDSCSI");
    nodes->addWidget(m_optHDIDE, 0, 0);
    nodes->addWidget(m_cboHDIDE, 0, 1);
    nodes->addWidget(m_optHDSCSI, 1, 0);
    nodes->addWidget(m_cboHDSCSI, 1, 1);
    nodes->setColumnStretch(1, 1);
    top->addWidget(m_fraHDNode);
    layout->addWidget(m_fraHardDisk);
    layout->addStretch(1);

    auto disk = [this] { return findDevice(m_vm->Hardware()->HardDisks()); };
    bindCheck(m_chkHDEnabled, true, [disk](bool v) {
        if (auto d = disk())
            d->SetEnabled(v);
    });
    bindText(m_txtHDFile, true, [this, disk](const std::string& path) {
        auto d = disk();
        // Return in an unchanged box is no new disk: reading it again would reset an
        // independent disk's mode to persistent.
        if (!d || path == d->DeviceName())
            return false;
        takeDiskFile(*d, path);
        return true;
    });
    connect(m_cmdBrowseHDFile, &QPushButton::clicked, this, [this] {
        const auto general = m_vm->Options()->GeneralOptions();
        browseInto(m_txtHDFile, 337, text(338) + QStringLiteral("|*.vmdk|") + text(302) + QStringLiteral("|*"),
                   QString::fromStdString(general->VmxPath()));
    });
    connect(m_cmdHDCreate, &QPushButton::clicked, this, [this] {
        if (!m_hooks.createDisk)
            return;
        const QString path = m_hooks.createDisk(chosenBus());
        if (path.isEmpty())
            return;
        enterText(m_txtHDFile, path);
    });

    bindCheck(m_chkHDIndependent, false, [this, disk](bool checked) {
        m_optHDPersist->setEnabled(checked);
        m_optHDNonPersist->setEnabled(checked);
        if (auto d = disk())
            d->SetMode(checked ? independentMode() : std::string(kPersistent));
    });
    bindOption(m_optHDPersist, false, [this, disk] {
        if (auto d = disk(); d && m_chkHDIndependent->isChecked())
            d->SetMode(kIndependentPersistent);
    });
    bindOption(m_optHDNonPersist, false, [this, disk] {
        if (auto d = disk(); d && m_chkHDIndependent->isChecked())
            d->SetMode(kIndependentNonPersistent);
    });

    bindOption(m_optHDIDE, false, [this, disk] {
        if (auto d = disk())
            d->SetBusType("IDE");
        enableBus("IDE");
        refillNodes();
    });
    bindOption(m_optHDSCSI, false, [this, disk] {
        if (auto d = disk())
            d->SetBusType("SCSI");
        enableBus("SCSI");
        refillNodes();
    });
    bindNodeList(m_cboHDIDE, "IDE");
    bindNodeList(m_cboHDSCSI, "SCSI");
}

void HardDiskPage::fill()
{
    const auto disk = findDevice(m_vm->Hardware()->HardDisks());
    if (!disk) {
        refillNodes();
        return;
    }
    m_chkHDEnabled->setChecked(disk->Enabled());
    m_txtHDFile->setText(QString::fromStdString(disk->DeviceName()));
    const std::string mode = disk->Mode();
    const bool independent = mode == kIndependentPersistent || mode == kIndependentNonPersistent;
    m_chkHDIndependent->setChecked(independent);
    // Ticking "Independent" later needs one option on; persistent is the safer default.
    showOptions({{m_optHDPersist, mode != kIndependentNonPersistent}, {m_optHDNonPersist, mode == kIndependentNonPersistent}});
    m_optHDPersist->setEnabled(independent);
    m_optHDNonPersist->setEnabled(independent);
    m_cmdHDCreate->setEnabled(static_cast<bool>(m_hooks.createDisk));
    const std::string bus = disk->BusType();
    showOptions({{m_optHDIDE, bus == "IDE"}, {m_optHDSCSI, bus == "SCSI"}});
    enableBus(bus);
    refillNodes();
}

void HardDiskPage::takeDiskFile(tarvonel::clsHardDisk& hardDisk, const std::string& path)
{
    // A bare file name lies in the configuration's folder.
    disk::DiskInfo info;
    const auto slash = path.rfind(platform::PathSeparator);
    if (slash == std::string::npos) {
        info.folder = m_vm->Options()->GeneralOptions()->VmxPath();
        info.fileName = path;
    } else {
        info.folder = path.substr(0, slash + 1);
        info.fileName = path.substr(slash + 1);
    }
    const disk::ReadOutcome read = disk::ReadDiskDescriptor(info);
    if (m_context.dialogs) {
        if (read)
            m_context.dialogs->message(this, QString::fromStdString(disk::DiskInformationText(info)), text(174),
                                       MessageIcon::Information);
        else
            m_context.dialogs->message(this, text(175), text(174), MessageIcon::Warning);
    }

    // The model takes the file whether or not its descriptor could be read; a failed read leaves
    // type index 0, a plain disk.
    hardDisk.SetDeviceName(path);
    hardDisk.SetDeviceType(info.typeIndex >= 4 ? "rawDisk" : "disk");
    hardDisk.SetMode(kPersistent);

    // The adapter decides the bus. A disk moved to the other bus keeps its old numbers, which
    // there may name a node another device holds; it then takes a free node instead.
    const NodeDevice self{deviceType(), hardDisk.ID()};
    const NodeBus bus = info.adapterType == "ide" ? NodeBus::IDE : NodeBus::SCSI;
    if (hardDisk.BusType() != BusWord(bus)) {
        ChooseBus(*m_vm->Hardware(), self, bus);
        ReleaseNodeHeldByOther(*m_vm->Hardware(), self);
    }
    load(hardDisk.ID());
    assignAutomaticNode();
}

std::string HardDiskPage::independentMode() const
{
    return m_optHDNonPersist->isChecked() ? kIndependentNonPersistent : kIndependentPersistent;
}

std::string HardDiskPage::chosenBus() const
{
    if (m_optHDIDE->isChecked())
        return "IDE";
    if (m_optHDSCSI->isChecked())
        return "SCSI";
    return {};
}

void HardDiskPage::enableBus(const std::string& busType)
{
    m_cboHDIDE->setEnabled(busType == "IDE");
    m_cboHDSCSI->setEnabled(busType == "SCSI");
}

void HardDiskPage::refillNodes()
{
    const auto disk = findDevice(m_vm->Hardware()->HardDisks());
    const std::string bus = disk ? disk->BusType() : std::string();
    const std::int32_t controller = disk ? disk->Controller() : -1;
    const std::int32_t node = disk ? disk->BusNode() : -1;
    fillNodeList(m_cboHDIDE, "IDE", bus == "IDE" ? controller : -1, node);
    fillNodeList(m_cboHDSCSI, "SCSI", bus == "SCSI" ? controller : -1, node);
}

void HardDiskPage::updateUILabels()
{
    m_fraHardDisk->setTitle(text(105));
    m_chkHDEnabled->setText(text(295));
    m_lblHDFile->setText(text(337));
    m_cmdHDCreate->setText(text(335));
    m_cmdBrowseHDFile->setText(text(336));
    m_fraHDMode->setTitle(text(339));
    m_chkHDIndependent->setText(text(340));
    m_optHDPersist->setText(text(341));
    m_optHDNonPersist->setText(text(342));
    m_fraHDNode->setTitle(text(343));
    // Bus names, as the configuration file spells them; the same in every language.
    m_optHDIDE->setText(QStringLiteral("IDE"));
    m_optHDSCSI->setText(QStringLiteral("SCSI"));
}

} // namespace zentravolix::editor
