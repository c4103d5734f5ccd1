// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/FloppyPage.h"

#include "config/ChoiceLists.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/pages/devices/DevicePageSupport.h"
#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentravolix::editor {

FloppyPage::FloppyPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                       QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraFloppy = makeGroup(this, "fraFloppy");
    auto* grid = new QGridLayout(m_fraFloppy);
    m_chkFloppyEnabled = makeCheck(m_fraFloppy, "chkFloppyEnabled");
    m_chkFloppyConnectedBoot = makeCheck(m_fraFloppy, "chkFloppyConnectedBoot");
    m_chkFloppyClientDevice = makeCheck(m_fraFloppy, "chkFloppyClientDevice");
    m_optFloppyDrive = makeOption(m_fraFloppy, "optFloppyDrive");
    m_cboFloppyDrive = makeCombo(m_fraFloppy, "cboFloppyDrive");
    m_optFloppyImage = makeOption(m_fraFloppy, "optFloppyImage");
    m_txtFloppyImage = makeLineEdit(m_fraFloppy, "txtFloppyImage");
    m_cmdBrowseFloppyImage = makeButton(m_fraFloppy, "cmdBrowseFloppyImage");
    m_cmdBrowseFloppyImage->setText(QStringLiteral("..."));

    grid->addWidget(m_chkFloppyEnabled, 0, 0, 1, 3);
    grid->addWidget(m_chkFloppyConnectedBoot, 1, 0, 1, 3);
    grid->addWidget(m_optFloppyDrive, 2, 0, 1, 3);
    grid->addWidget(m_cboFloppyDrive, 3, 1, 1, 2);
    grid->addWidget(m_optFloppyImage, 4, 0, 1, 3);
    grid->addWidget(m_txtFloppyImage, 5, 1);
    grid->addWidget(m_cmdBrowseFloppyImage, 5, 2);
    grid->addWidget(m_chkFloppyClientDevice, 6, 0, 1, 3);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(1, 1);
    layout->addWidget(m_fraFloppy);
    layout->addStretch(1);

    auto floppy = [this] { return findDevice(m_vm->Hardware()->Floppies()); };
    bindCheck(m_chkFloppyEnabled, false, [floppy](bool v) {
        if (auto f = floppy())
            f->SetEnabled(v);
    });
    bindCheck(m_chkFloppyConnectedBoot, false, [floppy](bool v) {
        if (auto f = floppy())
            f->SetConnectedAtBoot(v);
    });
    bindCheck(m_chkFloppyClientDevice, false, [floppy](bool v) {
        if (auto f = floppy())
            f->SetClientDevice(v);
    });
    // The summary follows DeviceType ("Using device" / "Using image"), so both options refresh the row.
    bindOption(m_optFloppyDrive, true, [this, floppy] {
        if (auto f = floppy())
            f->SetDeviceType("device");
        enableChoice(true);
        refillDrives();
    });
    bindOption(m_optFloppyImage, true, [this, floppy] {
        if (auto f = floppy())
            f->SetDeviceType("file");
        enableChoice(false);
    });
    // By position: the auto-detect entry is stored as "auto detect" whatever the language shows
    // (a language without that text shows a blank entry, which must still be choosable).
    bindCombo(m_cboFloppyDrive, true, [this, floppy](std::int16_t position) {
        auto f = floppy();
        if (!f || !m_optFloppyDrive->isChecked())
            return false;
        f->SetDeviceName(PortNameOfEntry(*m_cboFloppyDrive, position, offersAutoDetect()));
        return true;
    });
    bindText(m_txtFloppyImage, true, [this, floppy](const std::string& name) {
        auto f = floppy();
        if (!f || !m_optFloppyImage->isChecked())
            return false;
        f->SetDeviceName(name);
        return true;
    });
    connect(m_cmdBrowseFloppyImage, &QPushButton::clicked, this, [this] {
        browseInto(m_txtFloppyImage, 300,
                   text(301) + QStringLiteral("|*.flp;*.img|") + text(302) + QStringLiteral("|*"));
    });
}

void FloppyPage::fill()
{
    refillDrives();
    const auto floppy = findDevice(m_vm->Hardware()->Floppies());
    m_chkFloppyClientDevice->setVisible(floppy && (IsEsxiMachine(*m_vm) || floppy->ClientDevice().has_value()));
    if (!floppy)
        return;
    m_chkFloppyEnabled->setChecked(floppy->Enabled());
    m_chkFloppyConnectedBoot->setChecked(floppy->ConnectedAtBoot());
    m_chkFloppyClientDevice->setChecked(floppy->ClientDevice().value_or(false));
    const std::string type = floppy->DeviceType();
    // A type the page does not know (hand-edited file) shows neither option and keeps it stored.
    showOptions({{m_optFloppyDrive, type == "device"}, {m_optFloppyImage, type == "file"}});
    m_txtFloppyImage->clear();
    m_cboFloppyDrive->setCurrentIndex(-1);
    if (type == "device")
        ShowPortName(*m_cboFloppyDrive, floppy->DeviceName(), offersAutoDetect());
    else if (type == "file")
        m_txtFloppyImage->setText(QString::fromStdString(floppy->DeviceName()));
    enableChoice(type != "file");
}

bool FloppyPage::offersAutoDetect() const
{
    return OffersAutoDetect(CurrentPlatform(*m_vm), CurrentPlatformVersion(*m_vm));
}

void FloppyPage::enableChoice(bool physical)
{
    m_cboFloppyDrive->setEnabled(physical);
    m_txtFloppyImage->setEnabled(!physical);
    m_cmdBrowseFloppyImage->setEnabled(!physical);
}

void FloppyPage::refillDrives()
{
    const auto general = m_vm->Options()->GeneralOptions();
    refillCombo(m_cboFloppyDrive,
                texts(FloppyDriveChoices(general->TargetPlatform(), general->PlatformVersion(),
                                         m_context.hostDevices.removableDrives)));
}

void FloppyPage::updateUILabels()
{
    m_fraFloppy->setTitle(text(97));
    m_chkFloppyEnabled->setText(text(295));
    m_chkFloppyConnectedBoot->setText(text(296));
    m_chkFloppyClientDevice->setText(text(2956));
    m_optFloppyDrive->setText(text(297));
    m_optFloppyImage->setText(text(299));
    refillDrives();
}

} // namespace zentravolix::editor
