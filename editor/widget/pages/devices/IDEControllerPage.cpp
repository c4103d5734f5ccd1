// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/IDEControllerPage.h"

#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QGroupBox>
#include <QVBoxLayout>

namespace zentravolix::editor {

IDEControllerPage::IDEControllerPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                                     DevicePageHooks hooks, QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraIDEController = makeGroup(this, "fraIDEController");
    auto* box = new QVBoxLayout(m_fraIDEController);
    m_chkIDEEnabled = makeCheck(m_fraIDEController, "chkIDEEnabled", box);
    layout->addWidget(m_fraIDEController);
    layout->addStretch(1);

    // The controller's summary is "Present" or "Disabled", so the row follows the box.
    bindCheck(m_chkIDEEnabled, true, [this](bool v) {
        if (auto c = findDevice(m_vm->Hardware()->IDEControllers()))
            c->SetEnabled(v);
    });
}

void IDEControllerPage::fill()
{
    if (const auto controller = findDevice(m_vm->Hardware()->IDEControllers()))
        m_chkIDEEnabled->setChecked(controller->Enabled());
}

void IDEControllerPage::updateUILabels()
{
    m_fraIDEController->setTitle(text(103));
    m_chkIDEEnabled->setText(text(295));
}

} // namespace zentravolix::editor
