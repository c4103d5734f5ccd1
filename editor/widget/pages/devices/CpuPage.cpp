// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/CpuPage.h"

#include "config/DeviceFieldRules.h"
#include "editor/widget/Dialogs.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/WidgetHelpers.h"
#include "editor/widget/pages/devices/DevicePageSupport.h"
#include "editor/widget/pages/devices/ResourcesBox.h"

#include <tarvonel/tarvonel.h>

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace zentravolix::editor {

CpuPage::CpuPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                 QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraCPU = makeGroup(this, "fraCPU");
    auto* inner = new QVBoxLayout(m_fraCPU);
    m_chkCPUPae = makeCheck(m_fraCPU, "chkCPUPae", inner);
    auto* coresRow = new QHBoxLayout;
    m_lblCoresPerSocket = makeLabel(m_fraCPU, "lblCoresPerSocket");
    m_txtCoresPerSocket = makeLineEdit(m_fraCPU, "txtCoresPerSocket");
    m_txtCoresPerSocket->setMaximumWidth(m_txtCoresPerSocket->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 8);
    m_lblCoresPerSocket->setBuddy(m_txtCoresPerSocket);
    coresRow->addWidget(m_lblCoresPerSocket);
    coresRow->addWidget(m_txtCoresPerSocket);
    coresRow->addStretch(1);
    inner->addLayout(coresRow);
    m_chkCpuHotAdd = makeCheck(m_fraCPU, "chkCpuHotAdd", inner);
    layout->addWidget(m_fraCPU);
    m_fraResources = new ResourcesBox(ResourcesBox::Kind::Processor, this);
    layout->addWidget(m_fraResources);
    layout->addStretch(1);

    bindCheck(m_chkCPUPae, false, [this](bool checked) {
        if (auto cpu = findDevice(m_vm->Hardware()->CPUs()))
            cpu->SetEmulatePAE(checked);
    });
    bindCheck(m_chkCpuHotAdd, false, [this](bool checked) { m_vm->Hardware()->CPUs()->SetHotAdd(checked); });
    m_fraResources->changed = [this](const tarvonel::ResourceAllocation& allocation) {
        m_vm->Hardware()->CPUs()->SetResources(allocation);
        markEdited(false);
    };
    m_fraResources->refused = [this](const QString& message) {
        if (m_context.dialogs)
            m_context.dialogs->message(this, message, text(95), MessageIcon::Warning);
    };
    bindText(m_txtCoresPerSocket, false, [this](const std::string& value) {
        const auto cpus = m_vm->Hardware()->CPUs();
        const auto cores = CheckCoresPerSocket(value, cpus->Count(), maxCores());
        if (!cores)
            return false;
        cpus->SetCoresPerSocket(*cores);
        return true;
    });
    updateUILabels();
}

std::int32_t CpuPage::maxCores() const
{
    // A file's own value beyond the version's limit stays acceptable as it is.
    return std::max<std::int32_t>(CurrentLimits(m_hooks, *m_vm).MaxCoresPerSocket,
                                  m_vm->Hardware()->CPUs()->CoresPerSocket());
}

bool CpuPage::validateField(QLineEdit* box, const QString& value)
{
    if (box != m_txtCoresPerSocket)
        return DevicePage::validateField(box, value);
    const auto cpus = m_vm->Hardware()->CPUs();
    if (CheckCoresPerSocket(value.toStdString(), cpus->Count(), maxCores()))
        return true;
    if (m_context.dialogs)
        m_context.dialogs->message(this, text(2764).arg(value.trimmed()).arg(cpus->Count()), text(95),
                                   MessageIcon::Warning);
    return false;
}

void CpuPage::fill()
{
    const auto cpu = findDevice(m_vm->Hardware()->CPUs());
    m_chkCPUPae->setChecked(cpu && cpu->EmulatePAE());
    const std::int32_t cores = m_vm->Hardware()->CPUs()->CoresPerSocket();
    // Only versions with more than one core per processor show the field, or a file that names it.
    const bool shown = (!IsClassicVersion(CurrentPlatform(*m_vm), CurrentPlatformVersion(*m_vm)) &&
                        CurrentLimits(m_hooks, *m_vm).MaxCoresPerSocket > 1) ||
                       cores > 0;
    m_lblCoresPerSocket->setVisible(shown);
    m_txtCoresPerSocket->setVisible(shown);
    m_txtCoresPerSocket->setText(cores > 0 ? QString::number(cores) : QString());

    const auto cpus = m_vm->Hardware()->CPUs();
    const auto hotAdd = cpus->HotAdd();
    m_chkCpuHotAdd->setVisible(HotAddOffered(*m_vm) || hotAdd.has_value());
    m_chkCpuHotAdd->setChecked(hotAdd.value_or(false));
    const auto& resources = cpus->Resources();
    m_fraResources->setVisible(CurrentPlatform(*m_vm) == static_cast<std::int16_t>(Platform::ESXi) ||
                               resources != tarvonel::ResourceAllocation{});
    m_fraResources->showAllocation(resources);
}

void CpuPage::updateUILabels()
{
    m_fraCPU->setTitle(text(95));
    m_chkCPUPae->setText(text(291));
    m_lblCoresPerSocket->setText(text(2763));
    m_chkCpuHotAdd->setText(text(2911));
    m_fraResources->updateUILabels();
}

} // namespace zentravolix::editor
