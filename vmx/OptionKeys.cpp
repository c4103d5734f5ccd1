// SPDX-License-Identifier: MIT
// The option keys: power, tools scripts, shared folders, snapshots, isolation, priorities,
// debugging, logging, template and clustering, each read and written from its one entry.
#include "vmx/detail/OptionKeys.h"

#include "vmx/detail/FileComments.h"
#include "vmx/detail/KeyNames.h"
#include "vmx/detail/ReaderHandlers.h"
#include "vmx/detail/VmxLines.h"

#include <tarvonel/tarvonel.h>

#include <limits>
#include <string>
#include <unordered_map>

namespace zentravolix::vmx::detail {

namespace {

using Machine = tarvonel::VirtualMachine;

auto power(ReaderContext& ctx)
{
    return ctx.options.PowerOptions();
}
auto power(const Machine& vm)
{
    return vm.Options()->PowerOptions();
}
auto advanced(ReaderContext& ctx)
{
    return ctx.options.AdvancedOptions();
}
auto advanced(const Machine& vm)
{
    return vm.Options()->AdvancedOptions();
}
auto isolation(ReaderContext& ctx)
{
    return ctx.options.GuestIsolationOptions();
}
auto isolation(const Machine& vm)
{
    return vm.Options()->GuestIsolationOptions();
}
auto snapshots(ReaderContext& ctx)
{
    return ctx.options.SnapshotsOptions();
}
auto snapshots(const Machine& vm)
{
    return vm.Options()->SnapshotsOptions();
}

const char* hardOrSoft(std::int16_t action)
{
    return action == 0 ? "hard" : action == 1 ? "soft" : nullptr;
}

/** The cache settings the clustering option writes with fixed values after disk.locking. */
struct CacheLine {
    std::string_view name;
    std::string_view value;
};
constexpr CacheLine kClusteringCacheLines[] = {
    {"diskLib.dataCacheMaxSize", "0"},         {"diskLib.dataCacheMaxReadAheadSize", "0"},
    {"diskLib.dataCacheMinReadAheadSize", "0"}, {"diskLib.dataCachePageSize", "4096"},
    {"diskLib.maxUnsyncedWrites", "0"}};

/**
 * One of the clustering block's cache lines, only while the file switches clustering on. Kept as
 * preserved lines they would move below the other params on the next save, so a file written
 * with clustering on would not read back to the same file.
 */
Fate readCacheLine(ReaderContext& ctx, const ParsedLine& line)
{
    if (!ctx.clusteringBlock)
        return Fate::Preserved;
    for (const auto& [name, value] : kClusteringCacheLines) {
        if (EqualsIgnoreCase(line.key, name) && line.value == value)
            return Fate::Consumed;
    }
    return Fate::Preserved;
}

void writeSharedFolders(const Machine& vm, VmxLines& out, std::string_view name)
{
    const auto folders = vm.Options()->SharedFoldersOptions();
    if (folders->Count() < 1)
        return;
    out.number(name, folders->Count());
    for (std::int32_t i = 1; i <= folders->Count(); ++i) {
        const std::string prefix = std::string(family::SharedFolder) + std::to_string(i - 1);
        if (!out.wants(prefix))
            continue;
        const auto folder = folders->Item(i);
        out.value(memberKey(prefix, member::Present), "TRUE");
        out.boolean(memberKey(prefix, member::Enabled), folder->Enabled());
        out.value(memberKey(prefix, member::ReadAccess), "TRUE");
        out.boolean(memberKey(prefix, member::WriteAccess), !folder->ReadOnly());
        out.value(memberKey(prefix, member::HostPath), folder->HostFolder());
        out.value(memberKey(prefix, member::GuestName), folder->ShareName());
        out.value(memberKey(prefix, member::Expiration), folder->DisableAfterThisSession() ? "session" : "never");
    }
}

/** A CD-ROM or generic SCSI device sits at scsi0:<node>. */
template <class Collection>
bool holdsAt(const Collection& devices, std::int16_t node)
{
    for (std::int32_t i = 1; i <= devices.Count(); ++i) {
        const auto device = devices.Item(i);
        if (device->BusType() == "SCSI" && device->Controller() == 0 && device->BusNode() == node)
            return true;
    }
    return false;
}

/**
 * A hard disk at scsi0:<node> that only its ".mode" and ".deviceType" lines make a disk on
 * reading: its written file name is no disk image's (none yet, or ".VMDK" in capitals).
 */
bool holdsDiskKnownByModeAt(const tarvonel::clsHardDisks& disks, std::int16_t node, const std::string& vmxPath)
{
    for (std::int32_t i = 1; i <= disks.Count(); ++i) {
        const auto disk = disks.Item(i);
        if (disk->BusType() == "SCSI" && disk->Controller() == 0 && disk->BusNode() == node &&
            !IsDiskImageName(RelativeFileName(disk->DeviceName(), vmxPath)))
            return true;
    }
    return false;
}

void writeClustering(const Machine& vm, VmxLines& out, std::string_view name)
{
    if (!advanced(vm)->ClusteringSupport())
        return;
    const auto& hardware = *vm.Hardware();
    const std::string vmxPath = vm.Options()->GeneralOptions()->VmxPath();
    out.value(name, "FALSE");
    for (const auto& [cacheName, value] : kClusteringCacheLines)
        out.value(cacheName, value);
    for (const std::int16_t node : {std::int16_t{0}, std::int16_t{1}}) {
        // The block shares two disks; written over a CD-ROM or generic SCSI device at the node,
        // its "plainDisk" would win over the device's own type and the device would be lost.
        // Over a disk without a disk image's name it would replace the only lines that make the
        // disk one; the reader takes a ".mode" without the block's ".sharedBus" as the disk's own.
        if (holdsAt(*hardware.CDRoms(), node) || holdsAt(*hardware.GenericSCSIDevices(), node) ||
            holdsDiskKnownByModeAt(*hardware.HardDisks(), node, vmxPath))
            continue;
        const std::string prefix = std::string(family::Scsi) + "0:" + std::to_string(node);
        out.value(memberKey(prefix, member::SharedBus), kClusteringSharedBus);
        out.value(memberKey(prefix, member::Mode), kClusteringMode);
        out.value(memberKey(prefix, member::DeviceType), kClusteringDeviceType);
    }
}

const OptionKey kOptionKeys[] = {
    {"gui.powerOnAtStartup",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { power(ctx)->SetPowerOnAfterOpening(true); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, power(vm)->PowerOnAfterOpening());
     }},
    {"gui.fullScreenAtPowerOn",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { power(ctx)->SetEnterFullScreenAfterPowerOn(true); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, power(vm)->EnterFullScreenAfterPowerOn());
     }},
    {"gui.exitAtPowerOff",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { power(ctx)->SetCloseAfterPowerOff(true); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, power(vm)->CloseAfterPowerOff());
     }},
    {"powerType.powerOff",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onKeyword(line, {"hard", "soft"}, [&](std::int16_t c) { power(ctx)->SetStopButtonAction(c); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         if (const char* action = hardOrSoft(power(vm)->StopButtonAction()))
             out.value(name, action);
     }},
    {"powerType.reset",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onKeyword(line, {"hard", "soft"}, [&](std::int16_t c) { power(ctx)->SetResetButtonAction(c); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         if (const char* action = hardOrSoft(power(vm)->ResetButtonAction()))
             out.value(name, action);
     }},
    // Unset unless the file names hard or soft: other values stay as they are.
    {"powerType.powerOn",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onKeyword(line, {"hard", "soft"}, [&](std::int16_t c) { power(ctx)->SetPowerOnButtonAction(c); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         if (const char* action = hardOrSoft(power(vm)->PowerOnButtonAction()))
             out.value(name, action);
     }},
    {"powerType.suspend",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onKeyword(line, {"hard", "soft"}, [&](std::int16_t c) { power(ctx)->SetSuspendButtonAction(c); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         if (const char* action = hardOrSoft(power(vm)->SuspendButtonAction()))
             out.value(name, action);
     }},
    {"toolScripts.afterPowerOn",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { power(ctx)->SetRunToolsAfterPowerOn(true); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, power(vm)->RunToolsAfterPowerOn());
     }},
    {"toolScripts.afterResume",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { power(ctx)->SetRunToolsAfterResume(true); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, power(vm)->RunToolsAfterResume());
     }},
    {"toolScripts.beforeSuspend",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { power(ctx)->SetRunToolsBeforeSuspend(true); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, power(vm)->RunToolsBeforeSuspend());
     }},
    {"toolScripts.beforePowerOff",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { power(ctx)->SetRunToolsBeforePowerOff(true); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, power(vm)->RunToolsBeforePowerOff());
     }},
    // Written only when the file had it or the user set it, TRUE or FALSE as set.
    {"tools.syncTime",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onBoolean(line, [&](bool on) { power(ctx)->SetSyncGuestTime(on); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         if (const auto sync = power(vm)->SyncGuestTime())
             out.boolean(name, *sync);
     }},
    // Unset unless the file names one of the three policies; another word stays as it is.
    {"tools.upgrade.policy",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onWord(line, words::ToolsUpgradePolicies, [&](std::int16_t c) { power(ctx)->SetToolsUpgradePolicy(c); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         const std::int16_t policy = power(vm)->ToolsUpgradePolicy();
         if (policy >= 0 && policy < static_cast<std::int16_t>(std::size(words::ToolsUpgradePolicies)))
             out.value(name, words::ToolsUpgradePolicies[policy]);
     }},
    {"isolation.tools.hgfs.disable",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { ctx.options.SharedFoldersOptions()->SetEnabled(false); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, !vm.Options()->SharedFoldersOptions()->Enabled());
     }},
    // The folders' own lines ("sharedFolder0.hostPath") are read by the numbered-key handler.
    {key::SharedFolderCount, readSharedFolderCount, writeSharedFolders},
    {"snapshot.disabled",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { snapshots(ctx)->SetSnapshotsEnabled(false); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, !snapshots(vm)->SnapshotsEnabled());
     }},
    {"snapshot.Action",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onWord(line, words::SnapshotActions,
                       [&](std::int16_t c) { snapshots(ctx)->SetSnapshotPowerOffAction(c); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         const auto action = snapshots(vm)->SnapshotPowerOffAction();
         if (action >= 0 && action < static_cast<std::int16_t>(std::size(words::SnapshotActions)))
             out.value(name, words::SnapshotActions[action]);
     }},
    {"isolation.tools.dnd.disable",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { isolation(ctx)->SetDragAndDropEnabled(false); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, !isolation(vm)->DragAndDropEnabled());
     }},
    {"isolation.tools.paste.disable",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { isolation(ctx)->SetPasteEnabled(false); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, !isolation(vm)->PasteEnabled());
     }},
    {"isolation.tools.paste.enabled",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "false", [&] { isolation(ctx)->SetPasteEnabled(false); });
     },
     nullptr, "the older spelling; the writer writes isolation.tools.paste.disable for the same setting"},
    {"isolation.tools.copy.disable",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { isolation(ctx)->SetCopyEnabled(false); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, !isolation(vm)->CopyEnabled());
     }},
    {"isolation.tools.copy.enable",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "false", [&] { isolation(ctx)->SetCopyEnabled(false); });
     },
     nullptr, "the older spelling; the writer writes isolation.tools.copy.disable for the same setting"},
    {"priority.grabbed",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onKeyword(line, {"normal", "high"}, [&](std::int16_t c) { advanced(ctx)->SetInputGrabPriority(c); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         if (advanced(vm)->InputGrabPriority() == 0)
             out.value(name, "normal");
         else if (advanced(vm)->InputGrabPriority() == 1)
             out.value(name, "high");
     }},
    {"priority.ungrabbed",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onKeyword(line, {"idle", "normal"}, [&](std::int16_t c) { advanced(ctx)->SetInputUngrabPriority(c); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         if (advanced(vm)->InputUngrabPriority() == 0)
             out.value(name, "idle");
         else if (advanced(vm)->InputUngrabPriority() == 1)
             out.value(name, "normal");
     }},
    {"debug",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { advanced(ctx)->SetDebugging(true); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) { out.boolean(name, advanced(vm)->Debugging()); }},
    {"disable_acceleration",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { advanced(ctx)->SetAccelerationDisabled(true); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, advanced(vm)->AccelerationDisabled());
     }},
    {"MemTrimRate",
     [](ReaderContext& ctx, const ParsedLine& line) {
         const auto rate =
             ctx.number(line, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max());
         if (!rate || (*rate != 0 && *rate != 30 && *rate != -1))
             return Fate::Preserved;
         if (*rate != -1)
             advanced(ctx)->SetMemoryPageTrimDisabled(*rate == 0);
         return Fate::Consumed;
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.value(name, advanced(vm)->MemoryPageTrimDisabled() ? "0" : "30");
     }},
    {"logging",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "false", [&] { advanced(ctx)->SetLoggingEnabled(false); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         out.boolean(name, advanced(vm)->LoggingEnabled());
     }},
    {"monitor_control.log_vmsample",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { advanced(ctx)->SetLogPeriodic(true); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) { out.boolean(name, advanced(vm)->LogPeriodic()); }},
    {"log.filename",
     [](ReaderContext& ctx, const ParsedLine& line) {
         advanced(ctx)->SetLogFolder(line.value);
         return Fate::Consumed;
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         if (!advanced(vm)->LogFolder().empty())
             out.value(name, advanced(vm)->LogFolder());
     }},
    {"templateVM",
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "true", [&] { advanced(ctx)->SetTemplateMode(true); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) { out.boolean(name, advanced(vm)->TemplateMode()); }},
    {key::DiskLocking,
     [](ReaderContext& ctx, const ParsedLine& line) {
         return onTrigger(line, "false", [&] { advanced(ctx)->SetClusteringSupport(true); });
     },
     writeClustering},
    // Written by the disk.locking entry, as part of the clustering block.
    {kClusteringCacheLines[0].name, readCacheLine, nullptr},
    {kClusteringCacheLines[1].name, readCacheLine, nullptr},
    {kClusteringCacheLines[2].name, readCacheLine, nullptr},
    {kClusteringCacheLines[3].name, readCacheLine, nullptr},
    {kClusteringCacheLines[4].name, readCacheLine, nullptr},
    // Written only for UEFI and secure boot on: BIOS is what a file without them gets.
    {"firmware",
     [](ReaderContext& ctx, const ParsedLine& line) {
         const std::string value = line.lowerValue();
         if (value != "bios" && value != "efi")
             return Fate::Preserved;
         return ctx.newerLine(line, [a = advanced(ctx), c = std::int16_t{value == "efi"}] { a->SetFirmware(c); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         if (advanced(vm)->Firmware() == 1)
             out.value(name, "efi");
     }},
    {"uefi.secureBoot.enabled",
     [](ReaderContext& ctx, const ParsedLine& line) {
         const auto flag = parseBoolean(line.value);
         if (!flag)
             return Fate::Preserved;
         return ctx.newerLine(line, [a = advanced(ctx), on = *flag] { a->SetSecureBoot(on); });
     },
     [](const Machine& vm, VmxLines& out, std::string_view name) {
         if (advanced(vm)->SecureBoot())
             out.boolean(name, true);
     }},
};

} // namespace

std::span<const OptionKey> optionKeys()
{
    return kOptionKeys;
}

const OptionKey* findOptionKey(std::string_view lowerKey)
{
    // Keyed by the lower-case spelling, as the reader's keys come lower-cased.
    static const auto byKey = [] {
        static std::vector<std::string> names;
        std::unordered_map<std::string_view, const OptionKey*> map;
        names.reserve(std::size(kOptionKeys));
        for (const OptionKey& key : kOptionKeys)
            names.push_back(ToLower(key.name));
        for (std::size_t i = 0; i < names.size(); ++i)
            map.emplace(names[i], &kOptionKeys[i]);
        return map;
    }();
    const auto it = byKey.find(lowerKey);
    return it == byKey.end() ? nullptr : it->second;
}

void writeOptionSections(const tarvonel::VirtualMachine& vm, VmxLines& out)
{
    // The option keys, the shares' keys and the clustering block's node keys.
    if (!out.wantsPlace(KnownKeyPlace::Option) && !out.wantsPlace(KnownKeyPlace::SharedFolder) &&
        !out.wantsPlace(KnownKeyPlace::ScsiNode) && !out.wantsPlace(KnownKeyPlace::ScsiController))
        return;
    out.comment(comment::AdvancedSection);
    for (const OptionKey& key : kOptionKeys) {
        if (key.write)
            key.write(vm, out, key.name);
    }
}

} // namespace zentravolix::vmx::detail
