// SPDX-License-Identifier: MIT
#include "editor/widget/pages/options/PowerPage.h"

#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace zentravolix::editor {

namespace {

QLabel* powerIcon(QWidget* parent, const char* name, QStyle::StandardPixmap pixmap)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(parent->style()->standardIcon(pixmap).pixmap(24, 24));
    return label;
}

/** The last entry of the power-on and suspend lists: no line, the product decides. */
constexpr int kProductDefault = 2;

/** A combo position of the power-on and suspend lists as the model's value, and back. */
std::int16_t actionOfIndex(std::int16_t index)
{
    return index == kProductDefault ? std::int16_t{-1} : index;
}
int indexOfAction(std::int16_t action)
{
    return action == 0 || action == 1 ? action : kProductDefault;
}

/** The last entry of the tools upgrade list, after manual, at power cycle and the host's setting. */
constexpr std::int16_t kUpgradeProductDefault = 3;

} // namespace

PowerPage::PowerPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, QWidget* parent)
    : OptionPage(std::move(vm), context, parent)
{
    auto* layout = new QVBoxLayout(this);

    m_fraPowerOptions = makeGroup(this, "fraPowerOptions");
    auto* powerLayout = new QVBoxLayout(m_fraPowerOptions);
    m_chkPowerOnAfterOpen = makeCheck(m_fraPowerOptions, "chkPowerOnAfterOpen", powerLayout);
    m_chkFullScreenAfterPowerOn = makeCheck(m_fraPowerOptions, "chkFullScreenAfterPowerOn", powerLayout);
    m_chkCloseAfterPowerOff = makeCheck(m_fraPowerOptions, "chkCloseAfterPowerOff", powerLayout);
    m_chkSyncGuestTime = makeCheck(m_fraPowerOptions, "chkSyncGuestTime", powerLayout);
    layout->addWidget(m_fraPowerOptions);

    // The four power buttons of the VMware toolbar, each with what it does for this machine.
    m_fraPowerControls = makeGroup(this, "fraPowerControls");
    auto* controls = new QGridLayout(m_fraPowerControls);
    m_cboPowerOff = makeCombo(m_fraPowerControls, "cboPowerOff");
    m_cboReset = makeCombo(m_fraPowerControls, "cboReset");
    m_lblSuspend = makeLabel(m_fraPowerControls, "lblSuspend");
    m_lblStart = makeLabel(m_fraPowerControls, "lblStart");
    m_cboPowerOn = makeCombo(m_fraPowerControls, "cboPowerOn");
    m_cboSuspend = makeCombo(m_fraPowerControls, "cboSuspend");
    controls->addWidget(powerIcon(m_fraPowerControls, "picPowerStop", QStyle::SP_MediaStop), 0, 0);
    controls->addWidget(m_cboPowerOff, 0, 1);
    controls->addWidget(powerIcon(m_fraPowerControls, "picPowerPause", QStyle::SP_MediaPause), 1, 0);
    controls->addWidget(m_lblSuspend, 1, 1);
    controls->addWidget(m_cboSuspend, 1, 2);
    controls->addWidget(powerIcon(m_fraPowerControls, "picPowerPlay", QStyle::SP_MediaPlay), 2, 0);
    controls->addWidget(m_lblStart, 2, 1);
    controls->addWidget(m_cboPowerOn, 2, 2);
    controls->addWidget(powerIcon(m_fraPowerControls, "picPowerReset", QStyle::SP_BrowserReload), 3, 0);
    controls->addWidget(m_cboReset, 3, 1);
    controls->setColumnStretch(1, 1);
    layout->addWidget(m_fraPowerControls);

    m_fraVMToolsScripts = makeGroup(this, "fraVMToolsScripts");
    auto* tools = new QVBoxLayout(m_fraVMToolsScripts);
    m_chkRunToolsAfterPowerOn = makeCheck(m_fraVMToolsScripts, "chkRunToolsAfterPowerOn", tools);
    m_chkRunToolsAfterResume = makeCheck(m_fraVMToolsScripts, "chkRunToolsAfterResume", tools);
    m_chkRunToolsBeforeSuspend = makeCheck(m_fraVMToolsScripts, "chkRunToolsBeforeSuspend", tools);
    m_chkRunToolsBeforePowerOff = makeCheck(m_fraVMToolsScripts, "chkRunToolsBeforePowerOff", tools);
    auto* upgradeRow = new QHBoxLayout;
    m_lblToolsUpgrade = makeLabel(m_fraVMToolsScripts, "lblToolsUpgrade");
    m_cboToolsUpgrade = makeCombo(m_fraVMToolsScripts, "cboToolsUpgrade");
    m_lblToolsUpgrade->setBuddy(m_cboToolsUpgrade);
    upgradeRow->addWidget(m_lblToolsUpgrade);
    upgradeRow->addWidget(m_cboToolsUpgrade, 1);
    tools->addLayout(upgradeRow);
    layout->addWidget(m_fraVMToolsScripts);
    layout->addStretch(1);

    auto power = [this] { return m_vm->Options()->PowerOptions(); };
    bindCheck(m_chkPowerOnAfterOpen, Polarity::Direct, false,
              [power](bool v) { power()->SetPowerOnAfterOpening(v); });
    bindCheck(m_chkFullScreenAfterPowerOn, Polarity::Direct, false,
              [power](bool v) { power()->SetEnterFullScreenAfterPowerOn(v); });
    bindCheck(m_chkCloseAfterPowerOff, Polarity::Direct, false,
              [power](bool v) { power()->SetCloseAfterPowerOff(v); });
    bindCombo(m_cboPowerOff, false, [power](std::int16_t v) { power()->SetStopButtonAction(v); });
    bindCombo(m_cboReset, false, [power](std::int16_t v) { power()->SetResetButtonAction(v); });
    bindCheck(m_chkRunToolsAfterPowerOn, Polarity::Direct, false,
              [power](bool v) { power()->SetRunToolsAfterPowerOn(v); });
    bindCheck(m_chkRunToolsAfterResume, Polarity::Direct, false,
              [power](bool v) { power()->SetRunToolsAfterResume(v); });
    bindCheck(m_chkRunToolsBeforeSuspend, Polarity::Direct, false,
              [power](bool v) { power()->SetRunToolsBeforeSuspend(v); });
    bindCheck(m_chkRunToolsBeforePowerOff, Polarity::Direct, false,
              [power](bool v) { power()->SetRunToolsBeforePowerOff(v); });
    bindCheck(m_chkSyncGuestTime, Polarity::Direct, false, [power](bool v) { power()->SetSyncGuestTime(v); });
    bindCombo(m_cboPowerOn, false, [power](std::int16_t v) { power()->SetPowerOnButtonAction(actionOfIndex(v)); });
    bindCombo(m_cboSuspend, false, [power](std::int16_t v) { power()->SetSuspendButtonAction(actionOfIndex(v)); });
    bindCombo(m_cboToolsUpgrade, false, [power](std::int16_t v) {
        power()->SetToolsUpgradePolicy(v == kUpgradeProductDefault ? std::int16_t{-1} : v);
    });
}

void PowerPage::load()
{
    LoadScope scope(*this);
    const auto power = m_vm->Options()->PowerOptions();
    showCheck(m_chkPowerOnAfterOpen, Polarity::Direct, power->PowerOnAfterOpening());
    showCheck(m_chkFullScreenAfterPowerOn, Polarity::Direct, power->EnterFullScreenAfterPowerOn());
    showCheck(m_chkCloseAfterPowerOff, Polarity::Direct, power->CloseAfterPowerOff());
    showComboIndex(m_cboPowerOff, power->StopButtonAction());
    showComboIndex(m_cboReset, power->ResetButtonAction());
    showCheck(m_chkRunToolsAfterPowerOn, Polarity::Direct, power->RunToolsAfterPowerOn());
    showCheck(m_chkRunToolsAfterResume, Polarity::Direct, power->RunToolsAfterResume());
    showCheck(m_chkRunToolsBeforeSuspend, Polarity::Direct, power->RunToolsBeforeSuspend());
    showCheck(m_chkRunToolsBeforePowerOff, Polarity::Direct, power->RunToolsBeforePowerOff());
    // Unset shows unticked; the first click writes the line.
    showCheck(m_chkSyncGuestTime, Polarity::Direct, power->SyncGuestTime().value_or(false));
    showComboIndex(m_cboPowerOn, indexOfAction(power->PowerOnButtonAction()));
    showComboIndex(m_cboSuspend, indexOfAction(power->SuspendButtonAction()));
    const std::int16_t policy = power->ToolsUpgradePolicy();
    showComboIndex(m_cboToolsUpgrade, policy >= 0 && policy < kUpgradeProductDefault ? policy : kUpgradeProductDefault);
}

void PowerPage::updateUILabels()
{
    m_fraPowerOptions->setTitle(text(229));
    m_chkPowerOnAfterOpen->setText(text(230));
    m_chkFullScreenAfterPowerOn->setText(text(231));
    m_chkCloseAfterPowerOff->setText(text(232));
    m_fraPowerControls->setTitle(text(233));
    refillCombo(m_cboPowerOff, {text(234), text(235)});
    refillCombo(m_cboReset, {text(238), text(239)});
    m_lblSuspend->setText(text(236));
    m_lblStart->setText(text(237));
    m_fraVMToolsScripts->setTitle(text(240));
    m_chkRunToolsAfterPowerOn->setText(text(241));
    m_chkRunToolsAfterResume->setText(text(242));
    m_chkRunToolsBeforeSuspend->setText(text(243));
    m_chkRunToolsBeforePowerOff->setText(text(244));
    m_chkSyncGuestTime->setText(text(2900));
    refillCombo(m_cboPowerOn, {text(2901), text(2902), text(2905)});
    refillCombo(m_cboSuspend, {text(2903), text(2904), text(2905)});
    m_lblToolsUpgrade->setText(text(2907));
    refillCombo(m_cboToolsUpgrade, {text(2908), text(2909), text(2910), text(2905)});
}

} // namespace zentravolix::editor
