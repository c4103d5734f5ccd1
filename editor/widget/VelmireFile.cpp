// SPDX-License-Identifier: MIT
// Velmire: opening, saving and the favourites record.
#include "editor/widget/Velmire.h"

#include "config/NewMachineDefaults.h"
#include "config/SavePreview.h"
#include "editor/dialogs/frmSummary.h"
#include "editor/widget/Dialogs.h"
#include "editor/widget/EditHistory.h"
#include "editor/widget/EditorMessages.h"
#include "editor/widget/HardwareTab.h"
#include "editor/widget/MachineState.h"
#include "editor/widget/UiText.h"
#include "editor/widget/pages/options/OptionPage.h"
#include "platform/IoError.h"
#include "vmx/SaveChecks.h"
#include "vmx/VmxFileError.h"
#include "vmx/VmxWriter.h"

#include <tarvonel/tarvonel.h>

#include <filesystem>

namespace zentravolix::editor {

namespace {

// Why a file could not be opened, where the system gives no reason of its own.
constexpr int kCannotBeRead = 433;
constexpr int kNotATextFile = 434;
constexpr int kTooLargeForAConfiguration = 435;
// Another program changed the file since it was opened.
constexpr int kChangedOnDisk = 2546;
constexpr int kChangedOnDiskTitle = 2547;

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

QString reasonOf(const vmx::VmxFileError& e)
{
    switch (e.reason()) {
    case vmx::VmxFileError::Reason::CannotOpen:
        return e.systemReason().empty() ? text(kCannotBeRead) : qs(e.systemReason());
    case vmx::VmxFileError::Reason::NotText:
        return text(kNotATextFile);
    case vmx::VmxFileError::Reason::TooLarge:
        return text(kTooLargeForAConfiguration);
    }
    return qs(e.what());
}

} // namespace

bool Velmire::Load()
{
    if (m_loaded)
        return m_loadResult;
    m_loaded = true;

    UpdateUILabels();
    if (m_editExistingFile) {
        m_loadResult = readExistingFile();
        if (!m_loadResult) {
            refreshAll();
            return false;
        }
    } else {
        applyNewMachineIdentity();
    }
    refreshAll();
    // The loaded configuration is where undo stops, and counts as saved.
    m_history->reset();
    // An encrypted configuration is shown read-only: its settings are sealed in the file.
    for (OptionPage* page : m_pages) {
        if (page)
            page->setEnabled(!m_session.Encrypted());
    }
    if (m_hardwareTab)
        m_hardwareTab->setEnabled(!m_session.Encrypted());
    if (m_editExistingFile) {
        setChangesPending(false);
        bool proceed = true;
        warnAboutMachineState(false, &proceed);
    }
    m_loadResult = true;
    return true;
}

bool Velmire::readExistingFile()
{
    config::OpenOptions options;
    options.backup = m_context.settings && m_context.settings->CreateBackups;
    options.knownAs = m_displayName.toStdString();
    try {
        m_session.Open(m_existingVmxFileName.toStdString(), options);
    } catch (const vmx::VmxFileError& e) {
        m_context.dialogs->message(this, messages::readFailed(m_existingVmxFileName, reasonOf(e)),
                                   messages::readFailedTitle(), MessageIcon::Critical);
        return false;
    }
    if (m_session.Encrypted()) {
        const auto refusal = vmx::EncryptedRefusal(m_session.OpenedPath().filename().string());
        m_context.dialogs->message(this, qs(vmx::RefusalMessage(refusal, textStd)),
                                   qs(vmx::RefusalTitle(refusal, textStd)), MessageIcon::Information);
    }
    if (!m_session.Problems().empty())
        m_context.dialogs->message(this, messages::readProblems(m_existingVmxFileName, m_session.Problems()),
                                   messages::readProblemsTitle(), MessageIcon::Warning);
    AddVMToFavorites();
    return true;
}

void Velmire::applyNewMachineIdentity()
{
    // A new tab without a name gets the "New VM" of the program's language.
    const std::string name = m_displayName.isEmpty() ? textStd(NewMachineNameTextId) : m_displayName.toStdString();
    m_session.StartNew(name, m_newVmxPath.toStdString());
}

void Velmire::warnAboutMachineState(bool saving, bool* proceed)
{
    const std::filesystem::path path = m_session.FilePath();
    const MachineState state = DetectMachineState(path, m_session.OtherParams());
    const QString file = qs(path.string());
    if (state.running) {
        const QString lock = qs(state.lockPath.string());
        if (saving) {
            const Answer answer = m_context.dialogs->message(this, messages::runningOnSave(file, lock),
                                                             messages::machineStateTitle(),
                                                             MessageIcon::Question, Buttons::YesNo);
            if (answer != Answer::Yes) {
                *proceed = false;
                return;
            }
        } else {
            m_context.dialogs->message(this, messages::runningOnOpen(file, lock),
                                       messages::machineStateTitle(), MessageIcon::Warning);
        }
    }
    if (state.suspended) {
        const QString stateFile = qs(state.stateFile);
        m_context.dialogs->message(this,
                                   saving ? messages::suspendedOnSave(file, stateFile)
                                          : messages::suspendedOnOpen(file, stateFile),
                                   messages::machineStateTitle(), MessageIcon::Warning);
    }
}

bool Velmire::CreateVmxFile()
{
    // Another program's changes come before anything else: they decide what a save would replace.
    if (m_session.ChangedOnDisk()) {
        const QString file = qs(m_session.FilePath().string());
        const DiskChangeAnswer answer =
            m_context.dialogs->askAboutChangedFile(this, text(kChangedOnDisk).arg(file), text(kChangedOnDiskTitle));
        if (answer == DiskChangeAnswer::Reload)
            emit reloadRequested();
        if (answer != DiskChangeAnswer::Overwrite)
            return false;
    }
    if (const auto refusal = m_session.CheckBeforeSave()) {
        const MessageIcon icon = refusal->kind == vmx::SaveRefusal::Kind::TooManyPciDevices
                                     ? MessageIcon::Critical
                                     : MessageIcon::Warning;
        m_context.dialogs->message(this, qs(vmx::RefusalMessage(*refusal, textStd)),
                                   qs(vmx::RefusalTitle(*refusal, textStd)), icon);
        return false;
    }
    bool proceed = true;
    warnAboutMachineState(true, &proceed);
    if (!proceed)
        return false;
    // A device without a node has no keys in the file: it is never dropped without a word.
    if (const QStringList unplaced = unplacedDevices(); !unplaced.isEmpty()) {
        const Answer answer =
            m_context.dialogs->message(this, messages::unplacedDevicesOnSave(unplaced), messages::unplacedDevicesTitle(),
                                       MessageIcon::Question, Buttons::YesNo, Answer::No);
        if (answer != Answer::Yes)
            return false;
    }

    if (!previewBeforeSave())
        return false;
    const QString path = qs(m_session.FilePath().string());
    if (!makeBackupBeforeFirstSave())
        return false;
    vmx::SavedFile saved;
    try {
        saved = m_session.Save();
    } catch (const platform::IoError& e) {
        m_context.dialogs->message(this, messages::saveFailed(qs(e.path().string()), qs(e.reason())),
                                   messages::saveFailedTitle(), MessageIcon::Critical);
        return false;
    } catch (const std::exception& e) {
        // A model value the writer cannot write (a memory total outside 32 bits, a device on a
        // node its controller does not have): nothing was written.
        m_context.dialogs->message(this, messages::saveFailed(path, qs(e.what())),
                                   messages::saveFailedTitle(), MessageIcon::Critical);
        return false;
    }
    m_history->markSaved();
    setChangesPending(false);
    showSummaryWindow(qs(m_vm->Options()->GeneralOptions()->VmxFileName()), saved.text);
    return true;
}

QStringList Velmire::unplacedDevices() const
{
    QStringList names;
    auto collect = [&names](const auto& devices) {
        for (std::int32_t i = 1; i <= devices.Count(); ++i) {
            const auto device = devices.Item(i);
            const std::string bus = device->BusType();
            if ((bus != "IDE" && bus != "SCSI") || device->Controller() < 0 || device->BusNode() < 0)
                names << qs(device->DisplayName());
        }
    };
    const auto hardware = m_vm->Hardware();
    collect(*hardware->HardDisks());
    collect(*hardware->CDRoms());
    collect(*hardware->GenericSCSIDevices());
    return names;
}

bool Velmire::previewBeforeSave()
{
    if (m_context.settings && !m_context.settings->ShowSavePreview)
        return true;
    // Only a save that replaces a file has something to compare with.
    const std::optional<std::string> onDisk = m_session.TextOnDisk();
    if (!onDisk)
        return true;
    std::string next;
    try {
        next = m_session.Text();
    } catch (const std::exception&) {
        return true; // the save itself fails and says why
    }
    bool doNotShowAgain = false;
    const bool save = m_context.dialogs->previewSave(this, qs(m_session.FilePath().string()),
                                                     config::MakeSavePreview(*onDisk, next), doNotShowAgain);
    if (doNotShowAgain && m_context.settings)
        m_context.settings->ShowSavePreview = false;
    return save;
}

bool Velmire::makeBackupBeforeFirstSave()
{
    std::optional<std::filesystem::path> backup;
    try {
        backup = m_session.BackupIfDue();
    } catch (const platform::IoError& e) {
        // Nothing is saved over a file whose backup could not be made.
        m_context.dialogs->message(this, messages::saveFailed(qs(e.path().string()), qs(e.reason())),
                                   messages::saveFailedTitle(), MessageIcon::Critical);
        return false;
    }
    if (backup)
        m_context.dialogs->message(this, messages::backupMade(qs(backup->string())), messages::backupMadeTitle(),
                                   MessageIcon::Information);
    return true;
}

void Velmire::showSummaryWindow(const QString& fileName, const std::string& text)
{
    auto* summary = new frmSummary(window());
    summary->SetFileName(fileName);
    summary->AddToOutput(qs(text));
    summary->show();
}

void Velmire::AddVMToFavorites()
{
    if (!m_context.addFavorite)
        return;
    const auto general = m_vm->Options()->GeneralOptions();
    platform::FavoriteRecord record;
    record.DisplayName = general->DisplayName();
    record.VmxPath = m_session.FilePath().string();
    record.ConfigVersion = general->ConfigVersion();
    record.OpenInTab = true;
    m_context.addFavorite(record);
}

} // namespace zentravolix::editor
