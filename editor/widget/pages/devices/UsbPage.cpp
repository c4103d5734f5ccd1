// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/UsbPage.h"

#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QGroupBox>
#include <QVBoxLayout>

namespace zentravolix::editor {

UsbPage::UsbPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                 QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraUSB = makeGroup(this, "fraUSB");
    auto* inner = new QVBoxLayout(m_fraUSB);
    m_chkUsbEnable = makeCheck(m_fraUSB, "chkUsbEnable", inner);
    m_chkUsbAutoConnect = makeCheck(m_fraUSB, "chkUsbAutoConnect", inner);
    layout->addWidget(m_fraUSB);
    layout->addStretch(1);

    bindCheck(m_chkUsbEnable, true, [this](bool checked) {
        if (auto usb = findDevice(m_vm->Hardware()->USBControllers()))
            usb->SetEnabled(checked);
    });
    bindCheck(m_chkUsbAutoConnect, false, [this](bool checked) {
        if (auto usb = findDevice(m_vm->Hardware()->USBControllers()))
            usb->SetAutoConnect(checked);
    });
    updateUILabels();
}

void UsbPage::fill()
{
    const auto usb = findDevice(m_vm->Hardware()->USBControllers());
    m_chkUsbEnable->setChecked(usb && usb->Enabled());
    m_chkUsbAutoConnect->setChecked(usb && usb->AutoConnect());
}

void UsbPage::updateUILabels()
{
    m_fraUSB->setTitle(text(332));
    m_chkUsbEnable->setText(text(333));
    m_chkUsbAutoConnect->setText(text(334));
}

} // namespace zentravolix::editor
