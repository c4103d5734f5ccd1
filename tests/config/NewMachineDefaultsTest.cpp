// SPDX-License-Identifier: MIT
#include "config/NewMachineDefaults.h"
#include "platform/TextTable.h"

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

using namespace zentravolix::config;

TEST(NewMachineDefaults, UnnamedMachineIsNewVmInTheTemporaryFolder)
{
    tarvonel::VirtualMachine vm;
    ApplyNewMachineDefaults(vm, "", "", "/tmp/");
    auto general = vm.Options()->GeneralOptions();
    EXPECT_EQ(general->DisplayName(), "New VM");
    EXPECT_EQ(general->Summary(), "New VM");
    EXPECT_EQ(general->VmxFileName(), "New VM.vmx");
    EXPECT_EQ(general->VmxPath(), "/tmp/");
}

TEST(NewMachineDefaults, FallbackNameIsTheEnglishNewVmText)
{
    // Callers look the name up themselves; the fallback is that text's English row.
    EXPECT_EQ(NewMachineFallbackName, zentravolix::platform::LoadLocalizedText(NewMachineNameTextId, 0));
}

TEST(NewMachineDefaults, CallersNameAndFolderWin)
{
    tarvonel::VirtualMachine vm;
    ApplyNewMachineDefaults(vm, "Build box", "/srv/vms/build", "/tmp/");
    auto general = vm.Options()->GeneralOptions();
    EXPECT_EQ(general->DisplayName(), "Build box");
    EXPECT_EQ(general->VmxFileName(), "Build box.vmx");
    EXPECT_EQ(general->VmxPath(), "/srv/vms/build");
}

TEST(NewMachineDefaults, GeneralOptionsAreWorkstation55WithXpAndVersionsSet)
{
    tarvonel::VirtualMachine vm;
    const EditorLimits limits = ApplyNewMachineDefaults(vm, "", "", "/tmp/");
    auto general = vm.Options()->GeneralOptions();
    EXPECT_EQ(general->TargetPlatform(), 1);
    EXPECT_EQ(general->PlatformVersion(), 4);
    EXPECT_EQ(general->GuestFamily(), 0);
    EXPECT_EQ(general->GuestVersion(), 9);
    EXPECT_EQ(general->GuestOSName(), "winXPPro");
    EXPECT_EQ(general->WorkingPath(), ".");
    EXPECT_EQ(general->ConfigVersion(), 8);
    EXPECT_EQ(general->HardwareVersion(), 4);
    EXPECT_EQ(general->SupportedGuests().size(), 5u);

    EXPECT_EQ(limits.MaxCPUs, 2);
    EXPECT_EQ(limits.MaxMemoryMB, 3684);
    EXPECT_EQ(limits.MaxNICs, 4);
    EXPECT_EQ(limits.MaxSCSIControllers, 4);
    EXPECT_EQ(limits.MaxIdeDiskSize, 1992294400);
    EXPECT_EQ(limits.MaxScsiDiskSize, 1992294400);
    EXPECT_TRUE(limits.Display3DAvailable);
}

TEST(NewMachineDefaults, OptionValues)
{
    tarvonel::VirtualMachine vm;
    ApplyNewMachineDefaults(vm, "", "", "/tmp/");
    auto options = vm.Options();

    auto power = options->PowerOptions();
    EXPECT_EQ(power->StopButtonAction(), 0);
    EXPECT_EQ(power->ResetButtonAction(), 0);
    EXPECT_FALSE(power->PowerOnAfterOpening());
    EXPECT_FALSE(power->EnterFullScreenAfterPowerOn());
    EXPECT_FALSE(power->CloseAfterPowerOff());
    EXPECT_FALSE(power->RunToolsAfterPowerOn());
    EXPECT_FALSE(power->RunToolsAfterResume());
    EXPECT_FALSE(power->RunToolsBeforeSuspend());
    EXPECT_FALSE(power->RunToolsBeforePowerOff());

    EXPECT_TRUE(options->SharedFoldersOptions()->Enabled());
    EXPECT_EQ(options->SharedFoldersOptions()->Count(), 0);

    auto snapshots = options->SnapshotsOptions();
    EXPECT_TRUE(snapshots->SnapshotsEnabled());
    EXPECT_EQ(snapshots->SnapshotPowerOffAction(), 0);

    auto isolation = options->GuestIsolationOptions();
    EXPECT_TRUE(isolation->DragAndDropEnabled());
    EXPECT_TRUE(isolation->PasteEnabled());
    EXPECT_TRUE(isolation->CopyEnabled());

    auto advanced = options->AdvancedOptions();
    EXPECT_EQ(advanced->InputGrabPriority(), 0);
    EXPECT_EQ(advanced->InputUngrabPriority(), 1);
    EXPECT_TRUE(advanced->LoggingEnabled());
    EXPECT_FALSE(advanced->Debugging());
    EXPECT_FALSE(advanced->AccelerationDisabled());
    EXPECT_FALSE(advanced->MemoryPageTrimDisabled());
    EXPECT_FALSE(advanced->LogPeriodic());
    EXPECT_EQ(advanced->LogFolder(), "");
    EXPECT_FALSE(advanced->TemplateMode());
    EXPECT_FALSE(advanced->ClusteringSupport());
}

TEST(NewMachineDefaults, ExactlyTheStandardDevices)
{
    tarvonel::VirtualMachine vm;
    ApplyNewMachineDefaults(vm, "", "", "/tmp/");
    auto hw = vm.Hardware();
    EXPECT_EQ(hw->CPUs()->Count(), 1);
    EXPECT_EQ(hw->Memory()->Count(), 1);
    EXPECT_EQ(hw->Floppies()->Count(), 1);
    EXPECT_EQ(hw->ParallelPorts()->Count(), 0);
    EXPECT_EQ(hw->SerialPorts()->Count(), 0);
    EXPECT_EQ(hw->AudioDevices()->Count(), 0);
    EXPECT_EQ(hw->NetworkAdapters()->Count(), 0);
    EXPECT_EQ(hw->USBControllers()->Count(), 0);
    EXPECT_EQ(hw->IDEControllers()->Count(), 2);
    EXPECT_EQ(hw->SCSIControllers()->Count(), 1);
    EXPECT_EQ(hw->HardDisks()->Count(), 0);
    EXPECT_EQ(hw->CDRoms()->Count(), 0);
    EXPECT_EQ(hw->GenericSCSIDevices()->Count(), 0);
    EXPECT_EQ(hw->Displays()->Count(), 1);
    EXPECT_EQ(hw->Mice()->Count(), 1);

    EXPECT_EQ(hw->Memory()->Item(1)->MBs(), 128);
    EXPECT_EQ(hw->IDEControllers()->Item(2)->DisplayName(), "IDE Controller2");
    EXPECT_EQ(hw->SCSIControllers()->Item(1)->BusNode(), 7);
    EXPECT_EQ(hw->Displays()->Item(1)->ScreenWidth(), 1024);
    EXPECT_EQ(hw->Floppies()->Item(1)->DeviceName(), "auto detect");
}
