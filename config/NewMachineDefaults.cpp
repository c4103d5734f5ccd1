// SPDX-License-Identifier: MIT
#include "config/NewMachineDefaults.h"

#include "config/ProductLimits.h"

#include <tarvonel/tarvonel.h>

namespace zentravolix::config {

EditorLimits ApplyNewMachineDefaults(tarvonel::VirtualMachine& vm, const std::string& displayName,
                                     const std::string& vmxPath, const std::string& tempPath)
{
    const auto options = vm.Options();
    const auto general = options->GeneralOptions();

    const std::string name = displayName.empty() ? std::string(NewMachineFallbackName) : displayName;
    general->SetDisplayName(name);
    general->SetVmxFileName(name + ".vmx");
    general->SetVmxPath(vmxPath.empty() ? tempPath : vmxPath);

    // The platform and version pick the guest table, so they go first; the guest version then
    // names its guest, and the name selects the same cell again.
    general->SetTargetPlatform(DefaultTargetPlatform);
    general->SetPlatformVersion(DefaultPlatformVersion);
    general->SetGuestFamily(0);
    general->SetGuestVersion(9);
    general->SetGuestOSName("winXPPro");
    general->SetWorkingPath(".");

    const auto power = options->PowerOptions();
    power->SetStopButtonAction(0);
    power->SetResetButtonAction(0);

    options->SharedFoldersOptions()->SetEnabled(true);

    const auto snapshots = options->SnapshotsOptions();
    snapshots->SetSnapshotsEnabled(true);
    snapshots->SetSnapshotPowerOffAction(0);

    const auto isolation = options->GuestIsolationOptions();
    isolation->SetDragAndDropEnabled(true);
    isolation->SetPasteEnabled(true);
    isolation->SetCopyEnabled(true);

    const auto advanced = options->AdvancedOptions();
    advanced->SetInputGrabPriority(0);
    advanced->SetInputUngrabPriority(1);
    advanced->SetLoggingEnabled(true);

    const auto hardware = vm.Hardware();
    hardware->CPUs()->Add();
    hardware->Memory()->Add();
    hardware->Floppies()->Add();
    hardware->IDEControllers()->Add();
    hardware->IDEControllers()->Add();
    hardware->SCSIControllers()->Add();
    hardware->Displays()->Add();
    hardware->Mice()->Add();

    const EditorLimits limits = ApplyVersionSettings(*general).value_or(EditorLimits{});
    ApplyNodeCounts(*hardware, limits);
    return limits;
}

} // namespace zentravolix::config
