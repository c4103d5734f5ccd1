// SPDX-License-Identifier: MIT
// Velmire: opening, saving and the favourites record.
#include "editor/widget/Velmire.h"

#include "config/NewMachineDefaults.h"
#include "editor/dialogs/frmSummary.h"
#include "editor/widget/Dialogs.h"
#include "editor/widget/EditorMessages.h"
#include "editor/widget/MachineState.h"
#include "editor/widget/NameRules.h"
#include "editor/widget/UiText.h"
#include "platform/IoError.h"
#include "platform/Paths.h"
#include "vmx/SaveChecks.h"
#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <tarvonel/tarvonel.h>

#include <filesystem>

namespace zentravolix::editor {

namespace {

// Why a file could not be opened, where the system gives no reason of its own.
constexpr int kCannotBeRead = 433;
constexpr int kNotATextFile = 434;
constexpr int kTooLargeForAConfiguration = 435;

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
    const std::string path = m_existingVmxFileName.toStdString();
    vmx::ReadOptions options;
    options.keepOriginal = m_context.settings && m_context.settings->CreateBackups;
    vmx::ReadResult result;
    // The defaults' "New VM" is no name for an existing machine: a file without a display name
    // goes by the name it was opened under (its favourite), else by its file name, so favourites,
    // told apart by name, stay apart.
    const auto general = m_vm->Options()->GeneralOptions();
    general->SetDisplayName({});
    try {
        result = vmx::ReadVmxFile(path, *m_vm, options);
    } catch (const vmx::VmxFileError& e) {
        m_context.dialogs->message(this, messages::readFailed(m_existingVmxFileName, reasonOf(e)),
                                   messages::readFailedTitle(), MessageIcon::Critical);
        return false;
    }
    m_otherParams = std::move(result.otherParams);
    m_valuesAfterRead = std::move(result.valuesAfterRead);
    m_original = std::move(result.original);

    m_vmxNameValid = true;
    if (general->DisplayName().empty())
        general->SetDisplayName(m_displayName.isEmpty() ? std::filesystem::path(path).stem().string()
                                                        : m_displayName.toStdString());
    // The limits follow the file's product and version; ConfigVersion and HardwareVersion keep
    // the values read until the user picks a version.
    if (const auto settings = FindVersionSettings(general->TargetPlatform(), general->PlatformVersion()))
        m_limits = settings->Limits;

    if (!result.problems.empty())
        m_context.dialogs->message(this, messages::readProblems(m_existingVmxFileName, result.problems),
                                   messages::readProblemsTitle(), MessageIcon::Warning);
    AddVMToFavorites();
    return true;
}

void Velmire::applyNewMachineIdentity()
{
    const auto general = m_vm->Options()->GeneralOptions();
    std::string name = m_displayName.toStdString();
    if (name.empty())
        name = textStd(NewMachineNameTextId);
    // Languages without their own row for "New VM" would otherwise name the machine "" and its
    // file ".vmx", a hidden file without a name: the English text stands in.
    if (name.empty())
        name = NewMachineFallbackName;
    general->SetDisplayName(name);
    general->SetVmxFileName(name + ".vmx");
    std::string folder = m_newVmxPath.toStdString();
    if (folder.empty())
        folder = m_context.settings && !m_context.settings->TempPath.empty() ? m_context.settings->TempPath
                                                                             : platform::GetTempFolder();
    // The file's path is the folder immediately followed by the name, so the folder must end in
    // the separator, as the folder field's own rule makes it.
    general->SetVmxPath(NormalizeVmxFolder(folder));
    m_vmxNameValid = IsVmxNameValid(*general);
}

void Velmire::warnAboutMachineState(bool saving, bool* proceed)
{
    const std::filesystem::path path = vmx::VmxFilePath(*m_vm);
    const MachineState state = DetectMachineState(path, m_otherParams);
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
    if (const auto refusal = vmx::CheckBeforeSave(*m_vm, m_vmxNameValid)) {
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

    const QString path = qs(vmx::VmxFilePath(*m_vm).string());
    if (!makeBackupBeforeFirstSave())
        return false;
    vmx::SavedFile saved;
    try {
        saved = vmx::SaveVmxFile(*m_vm, m_otherParams, m_valuesAfterRead);
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

bool Velmire::makeBackupBeforeFirstSave()
{
    if (!m_original)
        return true;
    // Only a save over the opened file needs its backup; one under another name leaves it as it is.
    const std::filesystem::path target = vmx::VmxFilePath(*m_vm);
    std::error_code ec;
    if (target != m_original->path && !std::filesystem::equivalent(target, m_original->path, ec))
        return true;
    std::filesystem::path backup;
    try {
        backup = vmx::WriteBackup(*m_original);
    } catch (const platform::IoError& e) {
        // Nothing is saved over a file whose backup could not be made.
        m_context.dialogs->message(this, messages::saveFailed(qs(e.path().string()), qs(e.reason())),
                                   messages::saveFailedTitle(), MessageIcon::Critical);
        return false;
    }
    m_original.reset();
    m_context.dialogs->message(this, messages::backupMade(qs(backup.string())), messages::backupMadeTitle(),
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
    record.VmxPath = vmx::VmxFilePath(*m_vm).string();
    record.ConfigVersion = general->ConfigVersion();
    record.OpenInTab = true;
    m_context.addFavorite(record);
}

} // namespace zentravolix::editor
