// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/MousePage.h"

#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QGroupBox>
#include <QVBoxLayout>

namespace zentravolix::editor {

MousePage::MousePage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                     QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraMouse = makeGroup(this, "fraMouse");
    auto* inner = new QVBoxLayout(m_fraMouse);
    m_chkMouseEnabled = makeCheck(m_fraMouse, "chkMouseEnabled", inner);
    layout->addWidget(m_fraMouse);
    layout->addStretch(1);

    // The summary says "Enabled" or "Disabled", so the row follows the box.
    bindCheck(m_chkMouseEnabled, true, [this](bool checked) {
        if (auto mouse = findDevice(m_vm->Hardware()->Mice()))
            mouse->SetEnabled(checked);
    });
    updateUILabels();
}

void MousePage::fill()
{
    const auto mouse = findDevice(m_vm->Hardware()->Mice());
    m_chkMouseEnabled->setChecked(mouse && mouse->Enabled());
}

void MousePage::updateUILabels()
{
    m_fraMouse->setTitle(text(109));
    m_chkMouseEnabled->setText(text(358));
}

} // namespace zentravolix::editor
