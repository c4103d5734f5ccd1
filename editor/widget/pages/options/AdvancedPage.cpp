// SPDX-License-Identifier: MIT
#include "editor/widget/pages/options/AdvancedPage.h"

#include "config/ProductTables.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zentravolix::editor {

AdvancedPage::AdvancedPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                           QWidget* parent)
    : OptionPage(std::move(vm), context, parent)
{
    auto* layout = new QVBoxLayout(this);

    m_fraPriority = makeGroup(this, "fraPriority");
    auto* priority = new QGridLayout(m_fraPriority);
    m_lblInputGrabPri = makeLabel(m_fraPriority, "lblInputGrabPri");
    m_cboInputGrabPri = makeCombo(m_fraPriority, "cboInputGrabPri");
    m_lblInputUngrabPri = makeLabel(m_fraPriority, "lblInputUngrabPri");
    m_cboInputUngrabPri = makeCombo(m_fraPriority, "cboInputUngrabPri");
    m_lblPriorityNote = makeLabel(m_fraPriority, "lblPriorityNote");
    m_lblPriorityNote->setWordWrap(true);
    priority->addWidget(m_lblInputGrabPri, 0, 0);
    priority->addWidget(m_cboInputGrabPri, 0, 1);
    priority->addWidget(m_lblInputUngrabPri, 1, 0);
    priority->addWidget(m_cboInputUngrabPri, 1, 1);
    priority->addWidget(m_lblPriorityNote, 2, 0, 1, 3);
    priority->setColumnStretch(2, 1);
    layout->addWidget(m_fraPriority);

    m_fraAdvancedSettings = makeGroup(this, "fraAdvancedSettings");
    auto* settings = new QVBoxLayout(m_fraAdvancedSettings);
    m_chkDebug = makeCheck(m_fraAdvancedSettings, "chkDebug", settings);
    m_chkAcceleration = makeCheck(m_fraAdvancedSettings, "chkAcceleration", settings);
    m_chkMemPageTrim = makeCheck(m_fraAdvancedSettings, "chkMemPageTrim", settings);
    m_chkLogging = makeCheck(m_fraAdvancedSettings, "chkLogging", settings);
    m_chkLogPeriodic = makeCheck(m_fraAdvancedSettings, "chkLogPeriodic", settings);
    auto* logRow = new QHBoxLayout;
    m_lblLogFolder = makeLabel(m_fraAdvancedSettings, "lblLogFolder");
    m_txtLogFolder = makeLineEdit(m_fraAdvancedSettings, "txtLogFolder");
    m_cmdBrowseLogFolder = makeBrowseButton(m_fraAdvancedSettings, "cmdBrowseLogFolder");
    m_lblLogFolder->setBuddy(m_txtLogFolder);
    logRow->addWidget(m_lblLogFolder);
    logRow->addWidget(m_txtLogFolder, 1);
    logRow->addWidget(m_cmdBrowseLogFolder);
    settings->addLayout(logRow);
    m_chkTemplate = makeCheck(m_fraAdvancedSettings, "chkTemplate", settings);
    m_chkClusterEnabled = makeCheck(m_fraAdvancedSettings, "chkClusterEnabled", settings);
    auto* firmwareRow = new QHBoxLayout;
    m_lblFirmware = makeLabel(m_fraAdvancedSettings, "lblFirmware");
    m_cboFirmware = makeCombo(m_fraAdvancedSettings, "cboFirmware");
    // Technical names, the same in every language.
    m_cboFirmware->addItems({QStringLiteral("BIOS"), QStringLiteral("UEFI")});
    m_lblFirmware->setBuddy(m_cboFirmware);
    firmwareRow->addWidget(m_lblFirmware);
    firmwareRow->addWidget(m_cboFirmware);
    firmwareRow->addStretch(1);
    settings->addLayout(firmwareRow);
    m_chkSecureBoot = makeCheck(m_fraAdvancedSettings, "chkSecureBoot", settings);
    layout->addWidget(m_fraAdvancedSettings);
    layout->addStretch(1);

    auto advanced = [this] { return m_vm->Options()->AdvancedOptions(); };
    bindCombo(m_cboInputGrabPri, true, [advanced](std::int16_t v) { advanced()->SetInputGrabPriority(v); });
    bindCombo(m_cboInputUngrabPri, true,
              [advanced](std::int16_t v) { advanced()->SetInputUngrabPriority(v); });
    bindCheck(m_chkDebug, Polarity::Direct, false, [advanced](bool v) { advanced()->SetDebugging(v); });
    bindCheck(m_chkAcceleration, Polarity::Direct, false,
              [advanced](bool v) { advanced()->SetAccelerationDisabled(v); });
    bindCheck(m_chkMemPageTrim, Polarity::Direct, false,
              [advanced](bool v) { advanced()->SetMemoryPageTrimDisabled(v); });
    bindCheck(m_chkLogging, Polarity::Direct, false, [this, advanced](bool v) {
        advanced()->SetLoggingEnabled(v);
        updateEnabledStates();
    });
    bindCheck(m_chkLogPeriodic, Polarity::Direct, false,
              [advanced](bool v) { advanced()->SetLogPeriodic(v); });
    bindCheck(m_chkTemplate, Polarity::Direct, false, [advanced](bool v) { advanced()->SetTemplateMode(v); });
    bindCheck(m_chkClusterEnabled, Polarity::Direct, false,
              [advanced](bool v) { advanced()->SetClusteringSupport(v); });
    bindCombo(m_cboFirmware, false, [this, advanced](std::int16_t v) {
        advanced()->SetFirmware(v);
        // Secure boot is UEFI's: a BIOS machine has none.
        if (v == 0)
            advanced()->SetSecureBoot(false);
        load();
    });
    bindCheck(m_chkSecureBoot, Polarity::Direct, false, [advanced](bool v) { advanced()->SetSecureBoot(v); });
    connect(m_txtLogFolder, &QLineEdit::editingFinished, this, &AdvancedPage::storeLogFolder);
    connect(m_cmdBrowseLogFolder, &QPushButton::clicked, this, &AdvancedPage::browseLogFolder);
}

void AdvancedPage::storeLogFolder()
{
    if (m_loading)
        return;
    m_vm->Options()->AdvancedOptions()->SetLogFolder(m_txtLogFolder->text().toStdString());
    markEdited(false);
}

void AdvancedPage::browseLogFolder()
{
    const QString folder = m_context.dialogs->browseFolder(this, text(275), m_txtLogFolder->text());
    if (folder.isEmpty())
        return;
    m_txtLogFolder->setText(folder);
    storeLogFolder();
}

void AdvancedPage::updateEnabledStates()
{
    // Periodic progress logging only means something while logging is on; the stored value is kept.
    m_chkLogPeriodic->setEnabled(m_chkLogging->isChecked());

    // Firmware and secure boot only where the version offers them, or where the file has them.
    const auto general = m_vm->Options()->GeneralOptions();
    const auto advanced = m_vm->Options()->AdvancedOptions();
    const auto settings = config::FindVersionSettings(general->TargetPlatform(), general->PlatformVersion());
    const config::EditorLimits limits = settings ? settings->Limits : config::EditorLimits{};
    const bool firmware = config::EditorLimits::Offers(limits.Firmware, "efi") || advanced->Firmware() != 0;
    const bool secureBoot = limits.SecureBoot || advanced->SecureBoot();
    m_lblFirmware->setVisible(firmware);
    m_cboFirmware->setVisible(firmware);
    m_chkSecureBoot->setVisible(secureBoot);
    m_chkSecureBoot->setEnabled(advanced->Firmware() == 1 || advanced->SecureBoot());
}

void AdvancedPage::load()
{
    LoadScope scope(*this);
    const auto advanced = m_vm->Options()->AdvancedOptions();
    showComboIndex(m_cboInputGrabPri, advanced->InputGrabPriority());
    showComboIndex(m_cboInputUngrabPri, advanced->InputUngrabPriority());
    showCheck(m_chkDebug, Polarity::Direct, advanced->Debugging());
    showCheck(m_chkAcceleration, Polarity::Direct, advanced->AccelerationDisabled());
    showCheck(m_chkMemPageTrim, Polarity::Direct, advanced->MemoryPageTrimDisabled());
    showCheck(m_chkLogging, Polarity::Direct, advanced->LoggingEnabled());
    showCheck(m_chkLogPeriodic, Polarity::Direct, advanced->LogPeriodic());
    m_txtLogFolder->setText(QString::fromStdString(advanced->LogFolder()));
    showCheck(m_chkTemplate, Polarity::Direct, advanced->TemplateMode());
    showCheck(m_chkClusterEnabled, Polarity::Direct, advanced->ClusteringSupport());
    showComboIndex(m_cboFirmware, advanced->Firmware());
    showCheck(m_chkSecureBoot, Polarity::Direct, advanced->SecureBoot());
    updateEnabledStates();
}

void AdvancedPage::updateUILabels()
{
    m_fraPriority->setTitle(text(263));
    m_lblPriorityNote->setText(text(269));
    m_lblInputGrabPri->setText(text(264));
    refillCombo(m_cboInputGrabPri, {text(265), text(266)});
    m_lblInputUngrabPri->setText(text(267));
    refillCombo(m_cboInputUngrabPri, {text(268), text(265)});
    m_fraAdvancedSettings->setTitle(text(201));
    m_chkDebug->setText(text(270));
    m_chkAcceleration->setText(text(271));
    m_chkMemPageTrim->setText(text(272));
    m_chkLogging->setText(text(273));
    m_chkLogPeriodic->setText(text(274));
    m_lblLogFolder->setText(text(275));
    m_chkTemplate->setText(text(276));
    m_chkClusterEnabled->setText(text(277));
    m_lblFirmware->setText(text(2761));
    m_chkSecureBoot->setText(text(2762));
}

} // namespace zentravolix::editor
