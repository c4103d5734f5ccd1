// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/ParallelPortPage.h"

#include "config/ChoiceLists.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/WidgetHelpers.h"
#include "editor/widget/pages/devices/DevicePageSupport.h"

#include <tarvonel/tarvonel.h>

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentravolix::editor {

namespace {
const std::string kDevice = "device";
const std::string kFile = "file";
} // namespace

ParallelPortPage::ParallelPortPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                                   DevicePageHooks hooks, QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraParallel = makeGroup(this, "fraParallel");
    auto* inner = new QVBoxLayout(m_fraParallel);
    m_chkParEnabled = makeCheck(m_fraParallel, "chkParEnabled", inner);
    m_chkParConnectedBoot = makeCheck(m_fraParallel, "chkParConnectedBoot", inner);
    inner->addSpacing(6);

    m_optParPort = makeOption(m_fraParallel, "optParPort", inner);
    auto* portRow = AddIndentedRow(inner);
    m_cboParPort = makeCombo(m_fraParallel, "cboParPort");
    m_cboParPort->setMinimumContentsLength(16);
    portRow->addWidget(m_cboParPort);
    portRow->addStretch(1);
    auto* biDiRow = AddIndentedRow(inner);
    m_chkParPortBiDi = makeCheck(m_fraParallel, "chkParPortBiDi");
    biDiRow->addWidget(m_chkParPortBiDi);

    m_optParFile = makeOption(m_fraParallel, "optParFile", inner);
    auto* fileRow = AddIndentedRow(inner);
    m_txtParFile = makeLineEdit(m_fraParallel, "txtParFile");
    m_cmdBrowseParFile = makeBrowseButton(m_fraParallel, "cmdBrowseParFile");
    fileRow->addWidget(m_txtParFile, 1);
    fileRow->addWidget(m_cmdBrowseParFile);
    layout->addWidget(m_fraParallel);
    layout->addStretch(1);

    bindCheck(m_chkParEnabled, false, [this](bool checked) {
        if (auto port = findDevice(m_vm->Hardware()->ParallelPorts()))
            port->SetEnabled(checked);
    });
    bindCheck(m_chkParConnectedBoot, false, [this](bool checked) {
        if (auto port = findDevice(m_vm->Hardware()->ParallelPorts()))
            port->SetConnectedAtBoot(checked);
    });
    bindCheck(m_chkParPortBiDi, false, [this](bool checked) {
        if (auto port = findDevice(m_vm->Hardware()->ParallelPorts()))
            port->SetBidirectional(checked);
    });
    // The summary names the kind of connection, so switching it rewrites the row.
    bindOption(m_optParPort, true, [this] {
        if (auto port = findDevice(m_vm->Hardware()->ParallelPorts()))
            port->SetDeviceType(kDevice);
        enableFor(kDevice);
        refillPortList();
    });
    bindOption(m_optParFile, true, [this] {
        if (auto port = findDevice(m_vm->Hardware()->ParallelPorts()))
            port->SetDeviceType(kFile);
        enableFor(kFile);
    });
    bindCombo(m_cboParPort, true, [this](std::int16_t position) {
        auto port = findDevice(m_vm->Hardware()->ParallelPorts());
        if (!port || !m_optParPort->isChecked())
            return false;
        port->SetDeviceName(PortNameOfEntry(*m_cboParPort, position, offersAutoDetect()));
        return true;
    });
    bindText(m_txtParFile, true, [this](const std::string& name) {
        auto port = findDevice(m_vm->Hardware()->ParallelPorts());
        if (!port || !m_optParFile->isChecked())
            return false;
        port->SetDeviceName(name);
        return true;
    });
    connect(m_cmdBrowseParFile, &QPushButton::clicked, this, &ParallelPortPage::browseOutputFile);

    updateUILabels();
    enableFor({});
}

void ParallelPortPage::fill()
{
    refillPortList();
    const auto port = findDevice(m_vm->Hardware()->ParallelPorts());
    m_chkParEnabled->setChecked(port && port->Enabled());
    m_chkParConnectedBoot->setChecked(port && port->ConnectedAtBoot());
    m_chkParPortBiDi->setChecked(port && port->Bidirectional());
    const std::string type = port ? port->DeviceType() : std::string();
    ShowOption({m_optParPort, m_optParFile}, type == kDevice ? m_optParPort : type == kFile ? m_optParFile : nullptr);
    if (type == kDevice)
        ShowPortName(*m_cboParPort, port->DeviceName(), offersAutoDetect());
    else
        m_cboParPort->setCurrentIndex(-1);
    m_txtParFile->setText(type == kFile ? QString::fromStdString(port->DeviceName()) : QString());
    enableFor(type);
}

bool ParallelPortPage::offersAutoDetect() const
{
    return OffersAutoDetect(CurrentPlatform(*m_vm), CurrentPlatformVersion(*m_vm));
}

void ParallelPortPage::showEvent(QShowEvent* event)
{
    DevicePage::showEvent(event);
    if (!deviceId().empty())
        load(deviceId());
}

void ParallelPortPage::refillPortList()
{
    refillCombo(m_cboParPort, texts(ParallelPortChoices(CurrentPlatform(*m_vm), CurrentPlatformVersion(*m_vm),
                                                        m_context.hostDevices.parallelPorts)));
}

void ParallelPortPage::enableFor(const std::string& deviceType)
{
    const bool device = deviceType == kDevice;
    const bool file = deviceType == kFile;
    m_cboParPort->setEnabled(device);
    m_chkParPortBiDi->setEnabled(device);
    m_txtParFile->setEnabled(file);
    m_cmdBrowseParFile->setEnabled(file);
}

void ParallelPortPage::browseOutputFile()
{
    if (!m_context.dialogs)
        return;
    // An output file usually does not exist yet, so the dialog is one that names a file to write.
    const QString folder = m_hooks.vmxFolder ? m_hooks.vmxFolder() : QString();
    const QString chosen = m_context.dialogs->saveFile(
        this, text(307), text(308) + QStringLiteral("|*.txt|") + text(302) + QStringLiteral("|*"), folder);
    if (chosen.isEmpty())
        return;
    m_txtParFile->setText(chosen);
    emit m_txtParFile->editingFinished();
}

void ParallelPortPage::updateUILabels()
{
    m_fraParallel->setTitle(text(98));
    m_chkParEnabled->setText(text(295));
    m_chkParConnectedBoot->setText(text(296));
    m_optParPort->setText(text(304));
    m_chkParPortBiDi->setText(text(305));
    m_optParFile->setText(text(306));
    // "auto detect" is a caption of the list, so the list follows the language.
    if (deviceId().empty())
        refillPortList();
    else
        load(deviceId());
}

} // namespace zentravolix::editor
