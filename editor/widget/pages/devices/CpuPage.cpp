// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/CpuPage.h"

#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QGroupBox>
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
    layout->addWidget(m_fraCPU);
    layout->addStretch(1);

    bindCheck(m_chkCPUPae, false, [this](bool checked) {
        if (auto cpu = findDevice(m_vm->Hardware()->CPUs()))
            cpu->SetEmulatePAE(checked);
    });
    updateUILabels();
}

void CpuPage::fill()
{
    const auto cpu = findDevice(m_vm->Hardware()->CPUs());
    m_chkCPUPae->setChecked(cpu && cpu->EmulatePAE());
}

void CpuPage::updateUILabels()
{
    m_fraCPU->setTitle(text(95));
    m_chkCPUPae->setText(text(291));
}

} // namespace zentravolix::editor
