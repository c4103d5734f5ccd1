// SPDX-License-Identifier: MIT
// The second pass over the option keys: power, tools scripts, isolation, shared folders,
// snapshots, priorities, logging and clustering.
#include "vmx/detail/ReaderHandlers.h"

#include <limits>
#include <string_view>
#include <utility>

namespace zentravolix::vmx::detail {

Fate readGui(ReaderContext& ctx, const ParsedLine& line)
{
    const auto power = ctx.options.PowerOptions();
    if (line.key == "gui.poweronatstartup")
        return onTrigger(line, "true", [&] { power->SetPowerOnAfterOpening(true); });
    if (line.key == "gui.fullscreenatpoweron")
        return onTrigger(line, "true", [&] { power->SetEnterFullScreenAfterPowerOn(true); });
    if (line.key == "gui.exitatpoweroff")
        return onTrigger(line, "true", [&] { power->SetCloseAfterPowerOff(true); });
    return Fate::Preserved;
}

Fate readPowerType(ReaderContext& ctx, const ParsedLine& line)
{
    const auto power = ctx.options.PowerOptions();
    if (line.key == "powertype.poweroff")
        return onKeyword(line, {"hard", "soft"}, [&](std::int16_t c) { power->SetStopButtonAction(c); });
    if (line.key == "powertype.reset")
        return onKeyword(line, {"hard", "soft"}, [&](std::int16_t c) { power->SetResetButtonAction(c); });
    return Fate::Preserved;
}

Fate readToolScripts(ReaderContext& ctx, const ParsedLine& line)
{
    const auto power = ctx.options.PowerOptions();
    if (line.key == "toolscripts.afterpoweron")
        return onTrigger(line, "true", [&] { power->SetRunToolsAfterPowerOn(true); });
    if (line.key == "toolscripts.afterresume")
        return onTrigger(line, "true", [&] { power->SetRunToolsAfterResume(true); });
    if (line.key == "toolscripts.beforesuspend")
        return onTrigger(line, "true", [&] { power->SetRunToolsBeforeSuspend(true); });
    if (line.key == "toolscripts.beforepoweroff")
        return onTrigger(line, "true", [&] { power->SetRunToolsBeforePowerOff(true); });
    return Fate::Preserved;
}

Fate readIsolation(ReaderContext& ctx, const ParsedLine& line)
{
    const auto isolation = ctx.options.GuestIsolationOptions();
    const std::string& key = line.key;
    if (key == "isolation.tools.hgfs.disable")
        return onTrigger(line, "true", [&] { ctx.options.SharedFoldersOptions()->SetEnabled(false); });
    if (key == "isolation.tools.dnd.disable")
        return onTrigger(line, "true", [&] { isolation->SetDragAndDropEnabled(false); });
    if (key == "isolation.tools.paste.enabled")
        return onTrigger(line, "false", [&] { isolation->SetPasteEnabled(false); });
    if (key == "isolation.tools.paste.disable")
        return onTrigger(line, "true", [&] { isolation->SetPasteEnabled(false); });
    if (key == "isolation.tools.copy.enable")
        return onTrigger(line, "false", [&] { isolation->SetCopyEnabled(false); });
    if (key == "isolation.tools.copy.disable")
        return onTrigger(line, "true", [&] { isolation->SetCopyEnabled(false); });
    return Fate::Preserved;
}

Fate readSharedFolderCount(ReaderContext& ctx, const ParsedLine& line)
{
    if (line.key != "sharedfolder.maxnum")
        return Fate::Preserved;
    const auto n = ctx.number(line, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    if (!n)
        return Fate::Preserved;
    if (*n > MaxItemsPerCollection) {
        ctx.problem(line, ProblemCode::TooManyItems);
        return Fate::Preserved;
    }
    if (ctx.absentShares.empty()) {
        ensureCount(*ctx.options.SharedFoldersOptions(), static_cast<std::int32_t>(*n));
        return Fate::Consumed;
    }
    // The count includes shares that do not exist: the last of them make no share, and the line
    // is written back as the file had it.
    auto count = static_cast<std::int32_t>(*n);
    while (count > 0 && ctx.absentShares.count(count - 1))
        --count;
    ensureCount(*ctx.options.SharedFoldersOptions(), count);
    return Fate::Preserved;
}

Fate readSharedFolder(ReaderContext& ctx, const ParsedLine& line)
{
    const auto n = ctx.index(line, line.prefix().substr(12));
    if (!n || ctx.absentShares.count(*n))
        return Fate::Preserved;
    const auto folders = ctx.options.SharedFoldersOptions();
    ensureCount(*folders, *n + 1);
    const auto folder = folders->Item(*n + 1);
    const std::string_view suffix = line.suffix();
    if (suffix == ".present" || suffix == ".readaccess")
        return Fate::Consumed; // always written as TRUE
    if (suffix == ".enabled")
        return onBoolean(line, [&](bool f) { folder->SetEnabled(f); });
    if (suffix == ".writeaccess")
        return onBoolean(line, [&](bool f) { folder->SetReadOnly(!f); });
    if (suffix == ".hostpath") {
        folder->SetHostFolder(line.value);
        return Fate::Consumed;
    }
    if (suffix == ".guestname") {
        folder->SetShareName(line.value);
        return Fate::Consumed;
    }
    if (suffix == ".expiration")
        return onKeyword(line, {"never", "session"}, [&](std::int16_t c) { folder->SetDisableAfterThisSession(c == 1); });
    return Fate::Preserved;
}

Fate readSnapshot(ReaderContext& ctx, const ParsedLine& line)
{
    const auto snapshots = ctx.options.SnapshotsOptions();
    if (line.key == "snapshot.disabled")
        return onTrigger(line, "true", [&] { snapshots->SetSnapshotsEnabled(false); });
    if (line.key == "snapshot.action")
        return onKeyword(line, {"keep", "autorevert", "autocommit", "prompt"},
                         [&](std::int16_t c) { snapshots->SetSnapshotPowerOffAction(c); });
    return Fate::Preserved;
}

Fate readPriority(ReaderContext& ctx, const ParsedLine& line)
{
    const auto advanced = ctx.options.AdvancedOptions();
    if (line.key == "priority.grabbed")
        return onKeyword(line, {"normal", "high"}, [&](std::int16_t c) { advanced->SetInputGrabPriority(c); });
    if (line.key == "priority.ungrabbed")
        return onKeyword(line, {"idle", "normal"}, [&](std::int16_t c) { advanced->SetInputUngrabPriority(c); });
    return Fate::Preserved;
}

Fate readMonitorControl(ReaderContext& ctx, const ParsedLine& line)
{
    if (line.key == "monitor_control.log_vmsample")
        return onTrigger(line, "true", [&] { ctx.options.AdvancedOptions()->SetLogPeriodic(true); });
    return Fate::Preserved;
}

Fate readLog(ReaderContext& ctx, const ParsedLine& line)
{
    if (line.key != "log.filename")
        return Fate::Preserved;
    ctx.options.AdvancedOptions()->SetLogFolder(line.value);
    return Fate::Consumed;
}

Fate readDisk(ReaderContext& ctx, const ParsedLine& line)
{
    if (line.key == "disk.locking")
        return onTrigger(line, "false", [&] { ctx.options.AdvancedOptions()->SetClusteringSupport(true); });
    return Fate::Preserved;
}

Fate readDiskLib(ReaderContext& ctx, const ParsedLine& line)
{
    // The clustering option writes these cache settings with fixed values after disk.locking.
    // Kept as preserved lines they would move below the other params on the next save, so
    // a file written with clustering on would not read back to the same file.
    static constexpr std::pair<std::string_view, std::string_view> kClusteringLines[] = {
        {"disklib.datacachemaxsize", "0"},         {"disklib.datacachemaxreadaheadsize", "0"},
        {"disklib.datacacheminreadaheadsize", "0"}, {"disklib.datacachepagesize", "4096"},
        {"disklib.maxunsyncedwrites", "0"}};
    if (!ctx.clusteringBlock)
        return Fate::Preserved;
    for (const auto& [key, value] : kClusteringLines) {
        if (line.key == key && line.value == value)
            return Fate::Consumed;
    }
    return Fate::Preserved;
}

} // namespace zentravolix::vmx::detail
