// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/HardDiskPage.h"

#include "disk/DiskInfo.h"
#include "config/NodeAssignment.h"
#include "editor/widget/ConfigNames.h"
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

// Why a disk file could not be read; each text is followed by the detail (key, value or reason).
constexpr int kCannotOpenDisk = 496;
constexpr int kNotADescriptor = 495;
constexpr int kBadDescriptorNumber = 494;
constexpr int kUnknownDiskType = 493;

/** The text of the "Current Disk Information" box: every line ended by CR LF. */
QString informationText(const disk::DiskInfo& info)
{
    QString lines;
    for (const disk::DiskMessage& line : disk::DiskInformationLines(info))
        lines += text(line) + QStringLiteral("\r\n");
    return lines;
}
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
    m_optHDSATA = makeOption(m_fraHDNode, "optHDSATA");
    m_cboHDSATA = makeCombo(m_fraHDNode, "cboHDSATA");
    m_optHDNVMe = makeOption(m_fraHDNode, "optHDNVMe");
    m_cboHDNVMe = makeCombo(m_fraHDNode, "cboHDNVMe");
    nodes->addWidget(m_optHDSATA, 2, 0);
    nodes->addWidget(m_cboHDSATA, 2, 1);
    nodes->addWidget(m_optHDNVMe, 3, 0);
    nodes->addWidget(m_cboHDNVMe, 3, 1);
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
        // Only a disk whose descriptor reads goes into the configuration: an extent of a split
        // disk or any other file would be a disk VMware cannot open.
        browseInto(m_txtHDFile, 337, text(338) + QStringLiteral("|*.vmdk|") + text(302) + QStringLiteral("|*"),
                   QString::fromStdString(general->VmxPath()), [this](const QString& chosen) {
                       disk::DiskInfo info = diskInfoOf(chosen.toStdString());
                       const disk::ReadOutcome read = disk::ReadDiskDescriptor(info);
                       if (!read)
                           showUnreadable(info, read);
                       return read.ok();
                   });
    });
    connect(m_cmdHDCreate, &QPushButton::clicked, this, [this] {
        if (!m_hooks.createDisk)
            return;
        std::string madeFor;
        const QString path = m_hooks.createDisk(chosenBus(), madeFor);
        if (path.isEmpty())
            return;
        enterText(m_txtHDFile, path);
        // A disk made for SATA or NVMe goes there: its descriptor names the SCSI adapter.
        const auto bus = BusOfType(madeFor);
        const auto hardDisk = m_vm->Hardware()->HardDisks()->Item(-1, deviceId());
        if (bus && hardDisk->BusType() != madeFor) {
            const NodeDevice self{deviceType(), hardDisk->ID()};
            for (const auto& message : SwitchBus(*m_vm->Hardware(), self, *bus).messages)
                showRuleMessage(message);
            load(hardDisk->ID());
            assignAutomaticNode();
        }
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

    bindBusOption(m_optHDIDE, "IDE");
    bindBusOption(m_optHDSCSI, "SCSI");
    bindNodeList(m_cboHDIDE, "IDE");
    bindNodeList(m_cboHDSCSI, "SCSI");
    bindBusOption(m_optHDSATA, "SATA");
    bindBusOption(m_optHDNVMe, "NVMe");
    bindNodeList(m_cboHDSATA, "SATA");
    bindNodeList(m_cboHDNVMe, "NVMe");
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
    showOptions({{m_optHDIDE, bus == "IDE"},
                 {m_optHDSCSI, bus == "SCSI"},
                 {m_optHDSATA, bus == "SATA"},
                 {m_optHDNVMe, bus == "NVMe"}});
    enableBus(bus);
    refillNodes();
}

disk::DiskInfo HardDiskPage::diskInfoOf(const std::string& path) const
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
    return info;
}

void HardDiskPage::showUnreadable(const disk::DiskInfo& info, const disk::ReadOutcome& read)
{
    if (!m_context.dialogs)
        return;
    QString reason;
    switch (read.problem) {
    case disk::ReadProblem::CannotOpen: reason = text(kCannotOpenDisk); break;
    case disk::ReadProblem::MissingKey: reason = text(kNotADescriptor); break;
    case disk::ReadProblem::BadNumber: reason = text(kBadDescriptorNumber); break;
    case disk::ReadProblem::UnknownCreateType: reason = text(kUnknownDiskType); break;
    case disk::ReadProblem::None: break;
    }
    // "Unable to Read current disk", the file, and why: the key that is missing, the system's
    // reason (which names the file itself; it is named once, above).
    const std::string path = info.folder + info.fileName;
    std::string detail = read.detail;
    const std::string ofPath = ": " + path;
    if (detail.size() > ofPath.size() && detail.compare(detail.size() - ofPath.size(), ofPath.size(), ofPath) == 0)
        detail.erase(detail.size() - ofPath.size());
    const QString message = text(175) + QStringLiteral("\n\n") + QString::fromStdString(path) + QStringLiteral("\n") +
                            reason + QString::fromStdString(detail);
    m_context.dialogs->message(this, message, text(174), MessageIcon::Warning);
}

void HardDiskPage::takeDiskFile(tarvonel::clsHardDisk& hardDisk, const std::string& path)
{
    disk::DiskInfo info = diskInfoOf(path);
    const disk::ReadOutcome read = disk::ReadDiskDescriptor(info);
    if (read && m_context.dialogs)
        m_context.dialogs->message(this, informationText(info), text(174),
                                   MessageIcon::Information);
    else if (!read)
        showUnreadable(info, read);

    // The model takes the typed file whether or not its descriptor could be read (the box shows
    // it, and the disk may be created later); a failed read leaves type index 0, a plain disk.
    hardDisk.SetDeviceName(path);
    hardDisk.SetDeviceType(info.typeIndex >= 4 ? "rawDisk" : "disk");
    hardDisk.SetMode(kPersistent);

    // The adapter decides the bus. A file that could not be read names no adapter: the disk stays
    // on its bus and node. A disk with a node moves as the bus buttons move it: its own numbers
    // when the new bus has that node free, else the first free node, else it stays where it is
    // (and is told so) rather than losing its node. A disk without a node takes one below.
    const NodeDevice self{deviceType(), hardDisk.ID()};
    // A disk on SATA or NVMe stays on its bus: the descriptor's adapter does not tell those apart
    // from IDE and SCSI.
    const NodeBus bus = info.adapterType == "ide" ? NodeBus::IDE : NodeBus::SCSI;
    const auto current = BusOfType(hardDisk.BusType());
    const bool choosesBus = !current || current == NodeBus::IDE || current == NodeBus::SCSI;
    if (read && choosesBus && hardDisk.BusType() != BusWord(bus)) {
        if (NeedsAutomaticNode(*m_vm->Hardware(), self)) {
            ChooseBus(*m_vm->Hardware(), self, bus);
        } else {
            for (const auto& message : SwitchBus(*m_vm->Hardware(), self, bus).messages)
                showRuleMessage(message);
        }
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
    if (m_optHDSATA->isChecked())
        return "SATA";
    if (m_optHDNVMe->isChecked())
        return "NVMe";
    return {};
}

void HardDiskPage::enableBus(const std::string& busType)
{
    m_cboHDIDE->setEnabled(busType == "IDE");
    m_cboHDSCSI->setEnabled(busType == "SCSI");
    m_cboHDSATA->setEnabled(busType == "SATA");
    m_cboHDNVMe->setEnabled(busType == "NVMe");
    // SATA and NVMe only where the version has them (or the disk already sits there).
    const bool sata = busOffered("SATA", busType);
    const bool nvme = busOffered("NVMe", busType);
    m_optHDSATA->setVisible(sata);
    m_cboHDSATA->setVisible(sata);
    m_optHDNVMe->setVisible(nvme);
    m_cboHDNVMe->setVisible(nvme);
}

void HardDiskPage::refillNodes()
{
    const auto disk = findDevice(m_vm->Hardware()->HardDisks());
    const std::string bus = disk ? disk->BusType() : std::string();
    const std::int32_t controller = disk ? disk->Controller() : -1;
    const std::int32_t node = disk ? disk->BusNode() : -1;
    fillNodeList(m_cboHDIDE, "IDE", bus == "IDE" ? controller : -1, node);
    fillNodeList(m_cboHDSCSI, "SCSI", bus == "SCSI" ? controller : -1, node);
    fillNodeList(m_cboHDSATA, "SATA", bus == "SATA" ? controller : -1, node);
    fillNodeList(m_cboHDNVMe, "NVMe", bus == "NVMe" ? controller : -1, node);
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
    m_optHDSATA->setText(QStringLiteral("SATA"));
    m_optHDNVMe->setText(QStringLiteral("NVMe"));
}

} // namespace zentravolix::editor
