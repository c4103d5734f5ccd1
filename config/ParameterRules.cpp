// SPDX-License-Identifier: MIT
#include "config/ParameterRules.h"

#include "vmx/KnownKeys.h"
#include "vmx/VmxSyntax.h"

namespace zentravolix::config {

namespace {

using tarvonel::VirtualHardwareType;
using vmx::KnownKeyPlace;

// Positions of the options pages in the editor's options list.
constexpr int kGeneralPage = 0;
constexpr int kPowerPage = 1;
constexpr int kSharedFoldersPage = 2;
constexpr int kSnapshotsPage = 3;
constexpr int kIsolationPage = 4;
constexpr int kAdvancedPage = 5;

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && vmx::EqualsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

KeyHome options(int page)
{
    return {KeyHome::Place::Options, page, {}};
}

KeyHome hardware(std::vector<VirtualHardwareType> devices)
{
    return {KeyHome::Place::Hardware, 0, std::move(devices)};
}

/** The options page of an option key, by the key's first part. */
KeyHome optionHome(std::string_view name)
{
    if (startsWithIgnoreCase(name, "gui.") || startsWithIgnoreCase(name, "powerType.") ||
        startsWithIgnoreCase(name, "toolScripts.") || vmx::EqualsIgnoreCase(name, "tools.syncTime") ||
        vmx::EqualsIgnoreCase(name, "tools.upgrade.policy"))
        return options(kPowerPage);
    // Switching the shared folders off is a tick of their page.
    if (startsWithIgnoreCase(name, "sharedFolder.") || vmx::EqualsIgnoreCase(name, "isolation.tools.hgfs.disable"))
        return options(kSharedFoldersPage);
    if (startsWithIgnoreCase(name, "snapshot."))
        return options(kSnapshotsPage);
    if (startsWithIgnoreCase(name, "isolation."))
        return options(kIsolationPage);
    // Priorities, debugging, logging, the template and the clustering block with its cache lines.
    return options(kAdvancedPage);
}

KeyHome ownHome(std::string_view name)
{
    const auto is = [name](std::string_view key) { return vmx::EqualsIgnoreCase(name, key); };
    if (is("annotation"))
        return {KeyHome::Place::Notes, 0, {}};
    if (is("memsize") || is("mem.hotadd") || startsWithIgnoreCase(name, "sched.mem."))
        return hardware({VirtualHardwareType::RAM});
    if (is("numvcpus") || is("paevm") || is("vcpu.hotadd") || startsWithIgnoreCase(name, "sched.cpu."))
        return hardware({VirtualHardwareType::CPU});
    if (startsWithIgnoreCase(name, "sound."))
        return hardware({VirtualHardwareType::Audio});
    if (startsWithIgnoreCase(name, "usb."))
        return hardware({VirtualHardwareType::USB});
    if (startsWithIgnoreCase(name, "svga.") || startsWithIgnoreCase(name, "mks."))
        return hardware({VirtualHardwareType::Display});
    if (startsWithIgnoreCase(name, "vmmouse."))
        return hardware({VirtualHardwareType::Mouse});
    // displayName, guestOS, workingDir and the versions.
    return options(kGeneralPage);
}

} // namespace

ParameterKeyProblem CheckParameterKey(std::string_view key, const std::vector<std::string>& lines,
                                      std::optional<std::size_t> except)
{
    if (key.empty())
        return ParameterKeyProblem::Empty;
    if (key.find_first_of("\r\n") != std::string_view::npos)
        return ParameterKeyProblem::LineBreak;
    if (key.find_first_of(" \t\v\f") != std::string_view::npos)
        return ParameterKeyProblem::Blank;
    if (key.find('=') != std::string_view::npos)
        return ParameterKeyProblem::EqualsSign;
    if (key.front() == '#')
        return ParameterKeyProblem::CommentSign;
    if (vmx::FindKnownKey(key))
        return ParameterKeyProblem::KnownKey;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i != except && vmx::EqualsIgnoreCase(vmx::RawLineKey(lines[i]), key))
            return ParameterKeyProblem::AlreadyListed;
    }
    return ParameterKeyProblem::None;
}

std::optional<KeyHome> KeyHomeOf(std::string_view key)
{
    const auto known = vmx::FindKnownKey(key);
    if (!known)
        return std::nullopt;
    switch (known->place) {
    case KnownKeyPlace::Own: return ownHome(known->name);
    case KnownKeyPlace::Option: return optionHome(known->name);
    case KnownKeyPlace::SharedFolder: return options(kSharedFoldersPage);
    case KnownKeyPlace::Floppy: return hardware({VirtualHardwareType::Floppy});
    case KnownKeyPlace::Parallel: return hardware({VirtualHardwareType::Parallel});
    case KnownKeyPlace::Serial: return hardware({VirtualHardwareType::Serial});
    case KnownKeyPlace::Ethernet: return hardware({VirtualHardwareType::Network});
    case KnownKeyPlace::IdeController: return hardware({VirtualHardwareType::IDEController});
    case KnownKeyPlace::ScsiController: return hardware({VirtualHardwareType::SCSIController});
    case KnownKeyPlace::IdeNode: return hardware({VirtualHardwareType::HardDrive, VirtualHardwareType::CDRomDrive});
    case KnownKeyPlace::ScsiNode:
        return hardware({VirtualHardwareType::HardDrive, VirtualHardwareType::CDRomDrive,
                         VirtualHardwareType::GenericSCSI});
    case KnownKeyPlace::SataController: return hardware({VirtualHardwareType::SATAController});
    case KnownKeyPlace::NvmeController: return hardware({VirtualHardwareType::NVMeController});
    case KnownKeyPlace::SataNode: return hardware({VirtualHardwareType::HardDrive, VirtualHardwareType::CDRomDrive});
    case KnownKeyPlace::NvmeNode: return hardware({VirtualHardwareType::HardDrive});
    }
    return std::nullopt;
}

ParameterRow DescribeParameterLine(std::string_view line)
{
    const std::string_view key = vmx::RawLineKey(line);
    if (key.empty())
        return {{}, std::string(line), false};
    return {std::string(key), vmx::LineValue(line), !vmx::FindKnownKey(key)};
}

std::string MakeParameterLine(std::string_view key, std::string_view value)
{
    std::string line(key);
    line += " = \"";
    line += vmx::EscapeValue(value);
    line += '"';
    return line;
}

std::size_t NewParameterPosition(const std::vector<std::string>& lines)
{
    for (std::size_t i = lines.size(); i > 0; --i) {
        if (!vmx::RawLineKey(lines[i - 1]).empty())
            return i;
    }
    // Without key lines the comment lines, which the reader keeps after them, stay last.
    return 0;
}

} // namespace zentravolix::config
