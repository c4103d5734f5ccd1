// SPDX-License-Identifier: MIT
#include "config/ConfigSession.h"

#include "config/NameRules.h"
#include "config/NewMachineDefaults.h"
#include "vmx/VmxSyntax.h"
#include "vmx/VmxWriter.h"

#include <tarvonel/tarvonel.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <system_error>
#include <utility>

namespace zentravolix::config {

namespace fs = std::filesystem;

ConfigSession::ConfigSession(std::string tempPath)
    : m_vm(std::make_shared<tarvonel::VirtualMachine>()), m_tempPath(std::move(tempPath))
{
    // An opened file starts from the defaults too: the reader only sets what the file names.
    m_limits = ApplyNewMachineDefaults(*m_vm, {}, {}, m_tempPath);
}

void ConfigSession::StartNew(const std::string& displayName, const std::string& folder)
{
    const auto general = m_vm->Options()->GeneralOptions();
    // Without a name the machine would be called "" and its file ".vmx", a hidden file without a
    // name: the English "New VM" stands in (callers pass their language's own).
    const std::string name = displayName.empty() ? std::string(NewMachineFallbackName) : displayName;
    general->SetDisplayName(name);
    general->SetVmxFileName(name + ".vmx");
    // The file's path is the folder immediately followed by the name, so the folder must end in
    // the separator, as the folder field's own rule makes it.
    general->SetVmxPath(NormalizeVmxFolder(folder.empty() ? m_tempPath : folder));
    m_nameValid = IsVmxNameValid(*general);
}

std::optional<LimitChanges> ConfigSession::ChooseProduct(ProductVersion product)
{
    const auto settings = FindVersionSettings(product.platform, product.version);
    if (!settings)
        return std::nullopt;
    // A version without room for the machine's SATA or NVMe devices, or for a SCSI unit beyond its
    // bus, is not taken: dropping those disks would lose them.
    LimitChanges refused;
    refused.unfit = VersionMisfits(*m_vm->Hardware(), settings->Limits);
    if (refused.refused())
        return refused;
    const auto general = m_vm->Options()->GeneralOptions();
    general->SetTargetPlatform(product.platform);
    general->SetPlatformVersion(product.version);
    if (!general->SupportedGuests().empty())
        general->SetGuestOSName(general->GuestOSName());
    m_limits = ApplyVersionSettings(*general).value_or(m_limits);
    TakeNewerKeptLines();
    ApplyNodeCounts(*m_vm->Hardware(), m_limits);
    return BringWithinLimits(*m_vm->Hardware(), m_limits);
}

bool ConfigSession::TakeNewerKeptLines()
{
    // A classic version keeps the lines only today's products write ("ethernet0.virtualDev =
    // \"e1000e\"", "firmware") as text. Read once more as a save would now write it, under
    // today's product lines, the file has them in the model, and the pages show what is saved.
    const auto general = m_vm->Options()->GeneralOptions();
    if (m_otherParams.empty() || IsClassicVersion(general->TargetPlatform(), general->PlatformVersion()))
        return false;
    const std::string name = general->DisplayName();
    const std::string folder = general->VmxPath();
    const std::string file = general->VmxFileName();
    ConfigSession again(m_tempPath);
    again.OpenText(Text(), FilePath(), name);
    // Nothing to take, or a text that does not read back cleanly: the session stays as it is.
    if (again.m_otherParams == m_otherParams || !again.Problems().empty())
        return false;
    m_vm->CopyFrom(*again.Machine());
    general->SetDisplayName(name);
    general->SetVmxPath(folder);
    general->SetVmxFileName(file);
    m_otherParams = std::move(again.m_otherParams);
    m_valuesAfterRead = std::move(again.m_valuesAfterRead);
    return true;
}

void ConfigSession::beforeRead()
{
    // The defaults' "New VM" is no name for an existing machine: a file without a display name
    // goes by the name it is known by, else by its file name, so favourites, told apart by name,
    // stay apart.
    m_vm->Options()->GeneralOptions()->SetDisplayName({});
}

const std::vector<vmx::ReadProblem>& ConfigSession::Open(const fs::path& file, const OpenOptions& options)
{
    beforeRead();
    vmx::ReadOptions readOptions;
    readOptions.keepOriginal = options.backup;
    // The content's hash notices a later change by another program, even without a backup.
    readOptions.hashContent = true;
    readOptions.captureLater = true; // afterRead captures, once the newer lines are settled
    vmx::ReadResult result = vmx::ReadVmxFile(file, *m_vm, readOptions);
    if (result.contentHash)
        rememberFile(file, *result.contentHash);
    afterRead(std::move(result), file, options.knownAs);
    return m_problems;
}

const std::vector<vmx::ReadProblem>& ConfigSession::OpenText(std::string_view text, const fs::path& path,
                                                             const std::string& knownAs)
{
    beforeRead();
    vmx::ReadOptions readOptions;
    readOptions.captureLater = true;
    afterRead(vmx::ReadVmxText(text, *m_vm, path.string(), readOptions), path, knownAs);
    rememberFile(path, text);
    return m_problems;
}

void ConfigSession::afterRead(vmx::ReadResult result, const fs::path& file, const std::string& knownAs)
{
    // A file without product comment lines (every file VMware itself wrote) goes by the product
    // that made its hardware version; without one, by what the reader found (a lone "# Version = "
    // line names a version of the default platform).
    // The lines only today's products write are the model's once the file's product is one of
    // them: the saved file names that product, and its next read takes them too.
    const auto general = m_vm->Options()->GeneralOptions();
    std::optional<ProductVersion> inferred;
    bool captured = false;
    if (!result.platformLine) {
        inferred = InferProductVersion(general->HardwareVersion(), result.serverMarks);
        const ProductVersion product = inferred.value_or(ProductVersion{general->TargetPlatform(), general->PlatformVersion()});
        if (!IsClassicVersion(product.platform, product.version) && !result.newerLines.empty()) {
            vmx::TakeNewerLines(result, *m_vm); // captures the writer's lines of the kept keys anew
            captured = true;
        }
    }
    // The file was read with captureLater: the writer's lines of the kept keys, once.
    if (!captured)
        result.valuesAfterRead = vmx::CaptureValuesAfterRead(*m_vm, result.otherParams);
    m_openedPath = file;
    m_otherParams = std::move(result.otherParams);
    m_problems = std::move(result.problems);
    m_valuesAfterRead = std::move(result.valuesAfterRead);
    m_original = std::move(result.original);
    m_nameValid = true;
    m_encrypted = result.encrypted;

    if (general->DisplayName().empty())
        general->SetDisplayName(knownAs.empty() ? file.stem().string() : knownAs);
    // Only the product changes: config.version and virtualHW.version keep the values read.
    if (inferred) {
        general->SetTargetPlatform(inferred->platform);
        general->SetPlatformVersion(inferred->version);
    }
    // The reader takes the guest before the product's comment lines: for today's products the
    // guest keeps its name and its place is looked up again in the product's guest list.
    if (!IsClassicVersion(general->TargetPlatform(), general->PlatformVersion())) {
        try {
            general->SetGuestOSName(general->GuestOSName());
        } catch (const tarvonel::SubscriptOutOfRange&) {
            // No product version was ever chosen, so there is no guest list to look in (asking
            // for the list first would copy all of it on every read).
        }
    }
    // The limits follow the file's product and version; ConfigVersion and HardwareVersion keep
    // the values read until a version is chosen.
    if (const auto settings = FindVersionSettings(general->TargetPlatform(), general->PlatformVersion()))
        m_limits = settings->Limits;
    ApplyNodeCounts(*m_vm->Hardware(), m_limits, NodeWidening::KeepFewer);
}

void ConfigSession::SaveAs(const fs::path& path)
{
    const fs::path target = fs::absolute(path).lexically_normal();
    const auto general = m_vm->Options()->GeneralOptions();
    general->SetVmxPath(NormalizeVmxFolder(target.parent_path().string()));
    general->SetVmxFileName(target.filename().string());
    m_nameValid = IsVmxNameValid(*general);
}

fs::path ConfigSession::FilePath() const
{
    return vmx::VmxFilePath(*m_vm);
}

std::optional<std::string> ConfigSession::KeptValue(const std::string& lowerKey) const
{
    if (lowerKey.empty())
        return std::nullopt;
    // Among kept lines of one key the last wins, as in the written file.
    for (auto it = m_otherParams.rbegin(); it != m_otherParams.rend(); ++it) {
        if (vmx::EqualsIgnoreCase(vmx::RawLineKey(*it), lowerKey))
            return vmx::LineValue(*it);
    }
    return std::nullopt;
}

void ConfigSession::DropKept(const std::string& lowerKey)
{
    std::erase_if(m_otherParams,
                  [&](const std::string& line) { return vmx::EqualsIgnoreCase(vmx::RawLineKey(line), lowerKey); });
}

std::optional<vmx::SaveRefusal> ConfigSession::CheckBeforeSave() const
{
    // An encrypted configuration's settings are sealed: what the model holds is no machine.
    if (m_encrypted)
        return vmx::EncryptedRefusal(m_openedPath.filename().string());
    const auto general = m_vm->Options()->GeneralOptions();
    const auto* product = tarvonel::FindProductVersion(general->TargetPlatform(), general->PlatformVersion());
    // The classic versions keep their rule of five PCI devices; today's have PCI bridges and
    // their own limits per kind of device.
    if (!product || IsClassicVersion(general->TargetPlatform(), general->PlatformVersion()))
        return vmx::CheckBeforeSave(*m_vm, m_nameValid);
    vmx::VersionDeviceLimits limits{product->PlatformName + " " + product->Caption, product->MaxNICs,
                                    product->MaxSCSIControllers, product->MaxSATAControllers,
                                    product->MaxNVMeControllers};
    return vmx::CheckVersionLimits(*m_vm, m_nameValid, limits);
}

std::optional<fs::path> ConfigSession::BackupIfDue()
{
    if (!m_original)
        return std::nullopt;
    // Only a save over the opened file needs its backup; one under another name leaves it as it is.
    const fs::path target = FilePath();
    std::error_code ec;
    if (target != m_original->path && !fs::equivalent(target, m_original->path, ec))
        return std::nullopt;
    fs::path backup = vmx::WriteBackup(*m_original);
    m_original.reset();
    return backup;
}

vmx::SavedFile ConfigSession::Save()
{
    vmx::SavedFile saved = vmx::SaveVmxFile(*m_vm, m_otherParams, m_valuesAfterRead);
    rememberFile(saved.path, saved.text);
    return saved;
}

std::string ConfigSession::Text() const
{
    return vmx::WriteVmxText(*m_vm, m_otherParams, m_valuesAfterRead);
}

namespace {

std::optional<std::string> readWholeFile(const fs::path& path)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return std::move(content).str();
}

} // namespace

void ConfigSession::rememberFile(const fs::path& path, std::string_view content)
{
    rememberFile(path, std::hash<std::string_view>()(content));
}

void ConfigSession::rememberFile(const fs::path& path, std::size_t contentHash)
{
    std::error_code ec;
    KnownFile known;
    known.path = fs::absolute(path, ec).lexically_normal();
    known.size = fs::file_size(path, ec);
    if (ec)
        known.size = static_cast<std::uintmax_t>(-1);
    known.time = fs::last_write_time(path, ec);
    known.hash = contentHash;
    m_known = std::move(known);
}

std::optional<std::string> ConfigSession::TextOnDisk() const
{
    return readWholeFile(FilePath());
}

bool ConfigSession::ChangedOnDisk() const
{
    if (!m_known)
        return false;
    std::error_code ec;
    const fs::path target = FilePath();
    if (fs::absolute(target, ec).lexically_normal() != m_known->path)
        return false;
    const auto size = fs::file_size(target, ec);
    if (ec)
        return false; // gone: a save makes it again and replaces nothing
    const auto time = fs::last_write_time(target, ec);
    if (!ec && size == m_known->size && time == m_known->time)
        return false;
    const auto content = readWholeFile(target);
    return content && std::hash<std::string_view>()(*content) != m_known->hash;
}

bool ConfigSession::EditState::operator==(const EditState& other) const
{
    return otherParams == other.otherParams && limits == other.limits && nameValid == other.nameValid &&
           (machine == other.machine || (machine && other.machine && *machine == *other.machine));
}

ConfigSession::EditState ConfigSession::CaptureState() const
{
    auto copy = std::make_shared<tarvonel::VirtualMachine>();
    copy->CopyFrom(*m_vm);
    return EditState{std::move(copy), m_otherParams, m_limits, m_nameValid};
}

void ConfigSession::RestoreState(const EditState& state)
{
    if (state.machine)
        m_vm->CopyFrom(*state.machine);
    m_otherParams = state.otherParams;
    m_limits = state.limits;
    m_nameValid = state.nameValid;
}

} // namespace zentravolix::config
