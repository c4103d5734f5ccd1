// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/CpuPage.h"

#include "config/DeviceFieldRules.h"
#include "editor/widget/Dialogs.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/WidgetHelpers.h"
#include "editor/widget/pages/devices/DevicePageSupport.h"

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
    layout->addWidget(m_fraCPU);
    layout->addStretch(1);

    bindCheck(m_chkCPUPae, false, [this](bool checked) {
        if (auto cpu = findDevice(m_vm->Hardware()->CPUs()))
            cpu->SetEmulatePAE(checked);
    });
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
}

void CpuPage::updateUILabels()
{
    m_fraCPU->setTitle(text(95));
    m_chkCPUPae->setText(text(291));
    m_lblCoresPerSocket->setText(text(2763));
}

} // namespace zentravolix::editor
