// SPDX-License-Identifier: MIT
// The "advanced stuff" block: power, tools scripts, shared folders, snapshots, isolation,
// priorities, debugging, logging, template and clustering.
#include "vmx/detail/FileComments.h"
#include "vmx/detail/VmxLines.h"

#include <tarvonel/tarvonel.h>

namespace zentravolix::vmx::detail {

namespace {

const char* hardOrSoft(std::int16_t action)
{
    return action == 0 ? "hard" : action == 1 ? "soft" : nullptr;
}

void writeSharedFolders(const tarvonel::clsSharedFolders& folders, VmxLines& out)
{
    out.boolean("isolation.tools.hgfs.disable = ", !folders.Enabled());
    if (folders.Count() < 1)
        return;
    out.number("sharedFolder.maxNum = ", folders.Count());
    for (std::int32_t i = 1; i <= folders.Count(); ++i) {
        const auto folder = folders.Item(i);
        const std::string prefix = "sharedFolder" + std::to_string(i - 1);
        out.value(prefix + ".present = ", "TRUE");
        out.boolean(prefix + ".Enabled = ", folder->Enabled());
        out.value(prefix + ".readAccess = ", "TRUE");
        out.boolean(prefix + ".writeAccess = ", !folder->ReadOnly());
        out.value(prefix + ".hostPath = ", folder->HostFolder());
        out.value(prefix + ".guestName = ", folder->ShareName());
        out.value(prefix + ".expiration = ", folder->DisableAfterThisSession() ? "session" : "never");
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
bool holdsDiskKnownByModeAt(const tarvonel::clsHardDisks& disks, std::int16_t node,
                            const std::string& vmxPath)
{
    for (std::int32_t i = 1; i <= disks.Count(); ++i) {
        const auto disk = disks.Item(i);
        if (disk->BusType() == "SCSI" && disk->Controller() == 0 && disk->BusNode() == node &&
            !IsDiskImageName(RelativeFileName(disk->DeviceName(), vmxPath)))
            return true;
    }
    return false;
}

void writeClustering(const tarvonel::clsHardware& hardware, VmxLines& out, const std::string& vmxPath)
{
    out.value("disk.locking = ", "FALSE");
    out.value("diskLib.dataCacheMaxSize = ", "0");
    out.value("diskLib.dataCacheMaxReadAheadSize = ", "0");
    out.value("diskLib.dataCacheMinReadAheadSize = ", "0");
    out.value("diskLib.dataCachePageSize = ", "4096");
    out.value("diskLib.maxUnsyncedWrites = ", "0");
    for (const std::int16_t node : {std::int16_t{0}, std::int16_t{1}}) {
        // The block shares two disks; written over a CD-ROM or generic SCSI device at the node,
        // its "plainDisk" would win over the device's own type and the device would be lost.
        // Over a disk without a disk image's name it would replace the only lines that make the
        // disk one; the reader takes a ".mode" without the block's ".sharedBus" as the disk's own.
        if (holdsAt(*hardware.CDRoms(), node) || holdsAt(*hardware.GenericSCSIDevices(), node) ||
            holdsDiskKnownByModeAt(*hardware.HardDisks(), node, vmxPath))
            continue;
        const std::string prefix = "scsi0:" + std::to_string(node);
        out.value(prefix + ".sharedBus = ", "virtual");
        out.value(prefix + ".mode = ", "independent-persistent");
        out.value(prefix + ".deviceType = ", "plainDisk");
    }
}

} // namespace

void writeOptionSections(const tarvonel::VirtualMachine& vm, VmxLines& out)
{
    const auto options = vm.Options();
    const auto power = options->PowerOptions();
    const auto snapshots = options->SnapshotsOptions();
    const auto isolation = options->GuestIsolationOptions();
    const auto advanced = options->AdvancedOptions();

    out.comment(comment::AdvancedSection);
    out.boolean("gui.powerOnAtStartup = ", power->PowerOnAfterOpening());
    out.boolean("gui.fullScreenAtPowerOn = ", power->EnterFullScreenAfterPowerOn());
    out.boolean("gui.exitAtPowerOff = ", power->CloseAfterPowerOff());
    if (const char* action = hardOrSoft(power->StopButtonAction()))
        out.value("powerType.powerOff = ", action);
    if (const char* action = hardOrSoft(power->ResetButtonAction()))
        out.value("powerType.reset = ", action);
    out.boolean("toolScripts.afterPowerOn = ", power->RunToolsAfterPowerOn());
    out.boolean("toolScripts.afterResume = ", power->RunToolsAfterResume());
    out.boolean("toolScripts.beforeSuspend = ", power->RunToolsBeforeSuspend());
    out.boolean("toolScripts.beforePowerOff = ", power->RunToolsBeforePowerOff());

    writeSharedFolders(*options->SharedFoldersOptions(), out);

    out.boolean("snapshot.disabled = ", !snapshots->SnapshotsEnabled());
    static const char* const kSnapshotActions[] = {"keep", "autoRevert", "autoCommit", "prompt"};
    const auto action = snapshots->SnapshotPowerOffAction();
    if (action >= 0 && action <= 3)
        out.value("snapshot.Action = ", kSnapshotActions[action]);

    out.boolean("isolation.tools.dnd.disable = ", !isolation->DragAndDropEnabled());
    out.boolean("isolation.tools.paste.disable = ", !isolation->PasteEnabled());
    out.boolean("isolation.tools.copy.disable = ", !isolation->CopyEnabled());

    if (advanced->InputGrabPriority() == 0)
        out.value("priority.grabbed = ", "normal");
    else if (advanced->InputGrabPriority() == 1)
        out.value("priority.grabbed = ", "high");
    if (advanced->InputUngrabPriority() == 0)
        out.value("priority.ungrabbed = ", "idle");
    else if (advanced->InputUngrabPriority() == 1)
        out.value("priority.ungrabbed = ", "normal");

    out.boolean("debug = ", advanced->Debugging());
    out.boolean("disable_acceleration = ", advanced->AccelerationDisabled());
    out.value("MemTrimRate = ", advanced->MemoryPageTrimDisabled() ? "0" : "30");
    out.boolean("logging = ", advanced->LoggingEnabled());
    out.boolean("monitor_control.log_vmsample = ", advanced->LogPeriodic());
    if (!advanced->LogFolder().empty())
        out.value("log.filename = ", advanced->LogFolder());
    out.boolean("templateVM = ", advanced->TemplateMode());
    if (advanced->ClusteringSupport())
        writeClustering(*vm.Hardware(), out, vm.Options()->GeneralOptions()->VmxPath());
}

} // namespace zentravolix::vmx::detail
