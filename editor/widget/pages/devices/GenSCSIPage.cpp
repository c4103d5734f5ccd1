// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/GenSCSIPage.h"

#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace zentravolix::editor {

GenSCSIPage::GenSCSIPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                         QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraGenSCSI = makeGroup(this, "fraGenSCSI");
    auto* top = new QVBoxLayout(m_fraGenSCSI);
    m_chkGenEnabled = makeCheck(m_fraGenSCSI, "chkGenEnabled", top);
    m_chkGenConnectedBoot = makeCheck(m_fraGenSCSI, "chkGenConnectedBoot", top);
    m_lblGenSCSIDevice = makeLabel(m_fraGenSCSI, "lblGenSCSIDevice");
    top->addWidget(m_lblGenSCSIDevice);
    m_txtGenSCSIDevice = makeLineEdit(m_fraGenSCSI, "txtGenSCSIDevice");
    m_lblGenSCSIDevice->setBuddy(m_txtGenSCSIDevice);
    top->addWidget(m_txtGenSCSIDevice);
    m_fraGenNode = makeGroup(m_fraGenSCSI, "fraGenNode");
    auto* nodes = new QVBoxLayout(m_fraGenNode);
    m_cboGenSCSI = makeCombo(m_fraGenNode, "cboGenSCSI");
    nodes->addWidget(m_cboGenSCSI);
    top->addWidget(m_fraGenNode);
    layout->addWidget(m_fraGenSCSI);
    layout->addStretch(1);

    auto device = [this] { return findDevice(m_vm->Hardware()->GenericSCSIDevices()); };
    bindCheck(m_chkGenEnabled, false, [device](bool v) {
        if (auto g = device())
            g->SetEnabled(v);
    });
    bindCheck(m_chkGenConnectedBoot, false, [device](bool v) {
        if (auto g = device())
            g->SetConnectedAtBoot(v);
    });
    // The summary is the device name.
    bindText(m_txtGenSCSIDevice, true, [this, device](const std::string& name) {
        auto g = device();
        if (!g)
            return false;
        g->SetDeviceName(name);
        assignAutomaticNode();
        return true;
    });
    bindNodeList(m_cboGenSCSI, "SCSI");
}

void GenSCSIPage::fill()
{
    if (const auto device = findDevice(m_vm->Hardware()->GenericSCSIDevices())) {
        m_chkGenEnabled->setChecked(device->Enabled());
        m_chkGenConnectedBoot->setChecked(device->ConnectedAtBoot());
        m_txtGenSCSIDevice->setText(QString::fromStdString(device->DeviceName()));
    }
    refillNodes();
}

void GenSCSIPage::refillNodes()
{
    const auto device = findDevice(m_vm->Hardware()->GenericSCSIDevices());
    // Generic SCSI devices live on SCSI only; a file naming another bus shows no node.
    const bool onScsi = device && device->BusType() == "SCSI";
    fillNodeList(m_cboGenSCSI, "SCSI", onScsi ? device->Controller() : -1, onScsi ? device->BusNode() : -1);
}

void GenSCSIPage::updateUILabels()
{
    m_fraGenSCSI->setTitle(text(351));
    m_chkGenEnabled->setText(text(295));
    m_chkGenConnectedBoot->setText(text(296));
    m_lblGenSCSIDevice->setText(text(352));
    m_fraGenNode->setTitle(text(343));
}

} // namespace zentravolix::editor
