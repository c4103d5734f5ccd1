// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/SerialPortPage.h"

#include "config/ChoiceLists.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/WidgetHelpers.h"
#include "editor/widget/pages/devices/DevicePageSupport.h"

#include <tarvonel/tarvonel.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentravolix::editor {

namespace {
const std::string kDevice = "device";
const std::string kFile = "file";
const std::string kPipe = "pipe";
} // namespace

SerialPortPage::SerialPortPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                               DevicePageHooks hooks, QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraSerial = makeGroup(this, "fraSerial");
    auto* inner = new QVBoxLayout(m_fraSerial);
    m_chkSerEnabled = makeCheck(m_fraSerial, "chkSerEnabled", inner);
    m_chkSerConnectedBoot = makeCheck(m_fraSerial, "chkSerConnectedBoot", inner);
    inner->addSpacing(6);

    m_optSerPort = makeOption(m_fraSerial, "optSerPort", inner);
    auto* portRow = AddIndentedRow(inner);
    m_cboSerPort = makeCombo(m_fraSerial, "cboSerPort");
    m_cboSerPort->setMinimumContentsLength(16);
    portRow->addWidget(m_cboSerPort);
    portRow->addStretch(1);

    m_optSerFile = makeOption(m_fraSerial, "optSerFile", inner);
    auto* fileRow = AddIndentedRow(inner);
    m_txtSerFile = makeLineEdit(m_fraSerial, "txtSerFile");
    m_cmdBrowseSerFile = makeBrowseButton(m_fraSerial, "cmdBrowseSerFile");
    fileRow->addWidget(m_txtSerFile, 1);
    fileRow->addWidget(m_cmdBrowseSerFile);

    m_optSerPipe = makeOption(m_fraSerial, "optSerPipe", inner);
    auto* pipeRow = AddIndentedRow(inner);
    auto* pipeGrid = new QGridLayout;
    m_lblSerPipeName = makeLabel(m_fraSerial, "lblSerPipeName");
    m_txtSerPipeName = makeLineEdit(m_fraSerial, "txtSerPipeName");
    m_lblSerPipeEnd1 = makeLabel(m_fraSerial, "lblSerPipeEnd1");
    m_cboSerPipeEnd1 = makeCombo(m_fraSerial, "cboSerPipeEnd1");
    m_lblSerPipeEnd2 = makeLabel(m_fraSerial, "lblSerPipeEnd2");
    m_cboSerPipeEnd2 = makeCombo(m_fraSerial, "cboSerPipeEnd2");
    // Wide enough for their captions even where a language leaves them blank.
    m_cboSerPipeEnd1->setMinimumContentsLength(12);
    m_cboSerPipeEnd2->setMinimumContentsLength(12);
    m_lblSerPipeName->setBuddy(m_txtSerPipeName);
    m_lblSerPipeEnd1->setBuddy(m_cboSerPipeEnd1);
    m_lblSerPipeEnd2->setBuddy(m_cboSerPipeEnd2);
    pipeGrid->addWidget(m_lblSerPipeName, 0, 0);
    pipeGrid->addWidget(m_txtSerPipeName, 0, 1, 1, 2);
    pipeGrid->addWidget(m_lblSerPipeEnd1, 1, 0);
    pipeGrid->addWidget(m_cboSerPipeEnd1, 1, 1);
    pipeGrid->addWidget(m_lblSerPipeEnd2, 2, 0);
    pipeGrid->addWidget(m_cboSerPipeEnd2, 2, 1);
    pipeGrid->setColumnStretch(2, 1);
    pipeRow->addLayout(pipeGrid, 1);

    inner->addSpacing(6);
    m_chkSerYield = makeCheck(m_fraSerial, "chkSerYield", inner);
    layout->addWidget(m_fraSerial);
    layout->addStretch(1);

    bindCheck(m_chkSerEnabled, false, [this](bool checked) {
        if (auto port = findDevice(m_vm->Hardware()->SerialPorts()))
            port->SetEnabled(checked);
    });
    bindCheck(m_chkSerConnectedBoot, false, [this](bool checked) {
        if (auto port = findDevice(m_vm->Hardware()->SerialPorts()))
            port->SetConnectedAtBoot(checked);
    });
    bindCheck(m_chkSerYield, false, [this](bool checked) {
        if (auto port = findDevice(m_vm->Hardware()->SerialPorts()))
            port->SetYieldCpu(checked);
    });
    // The summary names the kind of connection, so switching it rewrites the row.
    bindOption(m_optSerPort, true, [this] { chooseType(kDevice); });
    bindOption(m_optSerFile, true, [this] { chooseType(kFile); });
    bindOption(m_optSerPipe, true, [this] { chooseType(kPipe); });
    bindCombo(m_cboSerPort, true, [this](std::int16_t position) {
        auto port = findDevice(m_vm->Hardware()->SerialPorts());
        if (!port || !m_optSerPort->isChecked())
            return false;
        port->SetDeviceName(PortNameOfEntry(*m_cboSerPort, position, offersAutoDetect()));
        return true;
    });
    bindCombo(m_cboSerPipeEnd1, false, [this](std::int16_t position) {
        auto port = findDevice(m_vm->Hardware()->SerialPorts());
        if (!port || !m_optSerPipe->isChecked())
            return false;
        port->SetPipeEnd1(position);
        return true;
    });
    bindCombo(m_cboSerPipeEnd2, false, [this](std::int16_t position) {
        auto port = findDevice(m_vm->Hardware()->SerialPorts());
        if (!port || !m_optSerPipe->isChecked())
            return false;
        port->SetPipeEnd2(position);
        return true;
    });
    const auto nameWhileOn = [this](QRadioButton* option) {
        return [this, option](const std::string& name) {
            auto port = findDevice(m_vm->Hardware()->SerialPorts());
            if (!port || !option->isChecked())
                return false;
            port->SetDeviceName(name);
            return true;
        };
    };
    bindText(m_txtSerFile, true, nameWhileOn(m_optSerFile));
    bindText(m_txtSerPipeName, true, nameWhileOn(m_optSerPipe));
    connect(m_cmdBrowseSerFile, &QPushButton::clicked, this, &SerialPortPage::browseOutputFile);

    updateUILabels();
    enableFor({});
}

void SerialPortPage::chooseType(const std::string& deviceType)
{
    if (auto port = findDevice(m_vm->Hardware()->SerialPorts()))
        port->SetDeviceType(deviceType);
    enableFor(deviceType);
}

void SerialPortPage::fill()
{
    refillLists();
    const auto port = findDevice(m_vm->Hardware()->SerialPorts());
    m_chkSerEnabled->setChecked(port && port->Enabled());
    m_chkSerConnectedBoot->setChecked(port && port->ConnectedAtBoot());
    m_chkSerYield->setChecked(port && port->YieldCpu());
    const std::string type = port ? port->DeviceType() : std::string();
    const QString name = port ? QString::fromStdString(port->DeviceName()) : QString();
    ShowOption({m_optSerPort, m_optSerFile, m_optSerPipe},
               type == kDevice ? m_optSerPort
               : type == kFile ? m_optSerFile
               : type == kPipe ? m_optSerPipe
                               : nullptr);
    if (type == kDevice)
        ShowPortName(*m_cboSerPort, port->DeviceName(), offersAutoDetect());
    else
        m_cboSerPort->setCurrentIndex(-1);
    m_txtSerFile->setText(type == kFile ? name : QString());
    m_txtSerPipeName->setText(type == kPipe ? name : QString());
    showComboIndex(m_cboSerPipeEnd1, port ? port->PipeEnd1() : -1);
    showComboIndex(m_cboSerPipeEnd2, port ? port->PipeEnd2() : -1);
    enableFor(type);
}

bool SerialPortPage::offersAutoDetect() const
{
    return OffersAutoDetect(CurrentPlatform(*m_vm), CurrentPlatformVersion(*m_vm));
}

void SerialPortPage::showEvent(QShowEvent* event)
{
    DevicePage::showEvent(event);
    if (!deviceId().empty())
        load(deviceId());
}

void SerialPortPage::refillLists()
{
    refillCombo(m_cboSerPort, texts(SerialPortChoices(CurrentPlatform(*m_vm), CurrentPlatformVersion(*m_vm),
                                                      m_context.hostDevices.serialPorts)));
    // The pipe ends are chosen by position; their captions follow the language.
    const int end1 = m_cboSerPipeEnd1->currentIndex();
    const int end2 = m_cboSerPipeEnd2->currentIndex();
    LoadScope scope(*this);
    m_cboSerPipeEnd1->clear();
    m_cboSerPipeEnd1->addItems(texts(PipeEnd1TextIds()));
    m_cboSerPipeEnd2->clear();
    m_cboSerPipeEnd2->addItems(texts(PipeEnd2TextIds()));
    showComboIndex(m_cboSerPipeEnd1, end1);
    showComboIndex(m_cboSerPipeEnd2, end2);
}

void SerialPortPage::enableFor(const std::string& deviceType)
{
    const bool device = deviceType == kDevice;
    const bool file = deviceType == kFile;
    const bool pipe = deviceType == kPipe;
    m_cboSerPort->setEnabled(device);
    m_txtSerFile->setEnabled(file);
    m_cmdBrowseSerFile->setEnabled(file);
    for (QWidget* w : std::initializer_list<QWidget*>{m_lblSerPipeName, m_txtSerPipeName, m_lblSerPipeEnd1,
                                                      m_cboSerPipeEnd1, m_lblSerPipeEnd2, m_cboSerPipeEnd2})
        w->setEnabled(pipe);
}

void SerialPortPage::browseOutputFile()
{
    if (!m_context.dialogs)
        return;
    // An output file usually does not exist yet, so the dialog is one that names a file to write.
    const QString folder = m_hooks.vmxFolder ? m_hooks.vmxFolder() : QString();
    const QString chosen = m_context.dialogs->saveFile(
        this, text(310), text(311) + QStringLiteral("|*.txt|") + text(302) + QStringLiteral("|*"), folder);
    if (chosen.isEmpty())
        return;
    m_txtSerFile->setText(chosen);
    emit m_txtSerFile->editingFinished();
}

void SerialPortPage::updateUILabels()
{
    m_fraSerial->setTitle(text(99));
    m_chkSerEnabled->setText(text(295));
    m_chkSerConnectedBoot->setText(text(296));
    m_optSerPort->setText(text(304));
    m_optSerFile->setText(text(306));
    m_optSerPipe->setText(text(312));
    m_lblSerPipeName->setText(text(117));
    m_lblSerPipeEnd1->setText(text(313));
    m_lblSerPipeEnd2->setText(text(316));
    m_chkSerYield->setText(text(318));
    // "auto detect" and the pipe ends are list captions, so the lists follow the language.
    if (deviceId().empty())
        refillLists();
    else
        load(deviceId());
}

} // namespace zentravolix::editor
