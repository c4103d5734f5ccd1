// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/UsbPage.h"

#include "editor/widget/WidgetHelpers.h"
#include "editor/widget/pages/devices/DevicePageSupport.h"

#include <tarvonel/tarvonel.h>

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
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
    auto* versionRow = new QHBoxLayout;
    m_lblUsbVersion = makeLabel(m_fraUSB, "lblUsbVersion");
    m_cboUsbVersion = makeCombo(m_fraUSB, "cboUsbVersion");
    m_cboUsbVersion->setMinimumContentsLength(8);
    m_lblUsbVersion->setBuddy(m_cboUsbVersion);
    versionRow->addWidget(m_lblUsbVersion);
    versionRow->addWidget(m_cboUsbVersion);
    versionRow->addStretch(1);
    inner->addLayout(versionRow);
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
    bindCombo(m_cboUsbVersion, false, [this](std::int16_t position) {
        auto usb = findDevice(m_vm->Hardware()->USBControllers());
        const auto code = CodeAt(*m_cboUsbVersion, position);
        if (!usb || !code)
            return false;
        // USB 3.x machines keep their USB 2.0 controller, as the products make them.
        usb->SetEhciEnabled(*code >= 1);
        usb->SetXhciEnabled(*code == 2);
        return true;
    });
    updateUILabels();
}

void UsbPage::fill()
{
    const auto usb = findDevice(m_vm->Hardware()->USBControllers());
    m_chkUsbEnable->setChecked(usb && usb->Enabled());
    m_chkUsbAutoConnect->setChecked(usb && usb->AutoConnect());
    const std::int16_t version = !usb ? -1 : usb->XhciEnabled() ? 2 : usb->EhciEnabled() ? 1 : 0;
    const EditorLimits limits = CurrentLimits(m_hooks, *m_vm);
    // Versions with USB 1.1 only show the page as it always was, unless the file has a newer controller.
    const bool shown = OffersUsbVersions(limits) || version > 0;
    m_lblUsbVersion->setVisible(shown);
    m_cboUsbVersion->setVisible(shown);
    LoadScope scope(*this);
    FillTypeCombo(*m_cboUsbVersion, UsbVersionChoices(limits, version));
    showComboIndex(m_cboUsbVersion, PositionOfCode(*m_cboUsbVersion, version));
}

void UsbPage::updateUILabels()
{
    m_fraUSB->setTitle(text(332));
    m_chkUsbEnable->setText(text(333));
    m_chkUsbAutoConnect->setText(text(334));
    m_lblUsbVersion->setText(text(2760));
}

} // namespace zentravolix::editor
