// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/SCSIControllerPage.h"

#include "editor/widget/WidgetHelpers.h"
#include "editor/widget/pages/devices/DevicePageSupport.h"

#include <tarvonel/tarvonel.h>

#include <QGroupBox>
#include <QVBoxLayout>

namespace zentravolix::editor {

SCSIControllerPage::SCSIControllerPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                                       DevicePageHooks hooks, QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraSCSIController = makeGroup(this, "fraSCSIController");
    auto* box = new QVBoxLayout(m_fraSCSIController);
    m_chkSCSIEnabled = makeCheck(m_fraSCSIController, "chkSCSIEnabled", box);
    m_cboSCSICont = makeCombo(m_fraSCSIController, "cboSCSICont");
    box->addWidget(m_cboSCSICont);
    layout->addWidget(m_fraSCSIController);
    layout->addStretch(1);

    auto controller = [this] { return findDevice(m_vm->Hardware()->SCSIControllers()); };
    bindCheck(m_chkSCSIEnabled, false, [controller](bool v) {
        if (auto c = controller())
            c->SetEnabled(v);
    });
    bindCombo(m_cboSCSICont, true, [this, controller](std::int16_t v) {
        auto c = controller();
        const auto code = CodeAt(*m_cboSCSICont, v);
        if (!c || !code || !takeComboKept(m_cboSCSICont, keptKey(*c), v))
            return false;
        c->SetControllerType(*code);
        return true;
    });
}

std::string SCSIControllerPage::keptKey(const tarvonel::clsSCSIController& controller)
{
    // The writer names a controller by its DeviceNum: scsi0, scsi1, ...
    return "scsi" + std::to_string(controller.DeviceNum()) + ".virtualdev";
}

void SCSIControllerPage::fill()
{
    if (const auto controller = findDevice(m_vm->Hardware()->SCSIControllers())) {
        m_chkSCSIEnabled->setChecked(controller->Enabled());
        {
            LoadScope scope(*this);
            FillTypeCombo(*m_cboSCSICont, ScsiTypeChoices(CurrentPlatform(*m_vm), CurrentPlatformVersion(*m_vm),
                                                          CurrentLimits(m_hooks, *m_vm), controller->ControllerType()));
        }
        showComboKept(m_cboSCSICont, keptKey(*controller), PositionOfCode(*m_cboSCSICont, controller->ControllerType()));
    } else {
        m_cboSCSICont->setCurrentIndex(-1);
    }
}

void SCSIControllerPage::updateUILabels()
{
    m_fraSCSIController->setTitle(text(104));
    m_chkSCSIEnabled->setText(text(295));
}

} // namespace zentravolix::editor
