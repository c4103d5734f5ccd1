// SPDX-License-Identifier: MIT
// The options container and the plain option objects: defaults and their summary texts.
#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

#include <limits>

namespace {

class OptionObjects : public ::testing::Test {
protected:
    tarvonel::VirtualMachine vm;
    std::shared_ptr<tarvonel::clsOptions> options = vm.Options();
};

TEST_F(OptionObjects, ContainerHandsOutTheSameObjects)
{
    ASSERT_TRUE(options->GeneralOptions());
    ASSERT_TRUE(options->PowerOptions());
    ASSERT_TRUE(options->SharedFoldersOptions());
    ASSERT_TRUE(options->SnapshotsOptions());
    ASSERT_TRUE(options->GuestIsolationOptions());
    ASSERT_TRUE(options->AdvancedOptions());
    EXPECT_EQ(options->GeneralOptions(), vm.Options()->GeneralOptions());
    EXPECT_EQ(options->SharedFoldersOptions(), vm.Options()->SharedFoldersOptions());
    EXPECT_EQ(options, vm.Options());

    // Two models share nothing.
    tarvonel::VirtualMachine other;
    other.Options()->SnapshotsOptions()->SetSnapshotsEnabled(true);
    EXPECT_FALSE(options->SnapshotsOptions()->SnapshotsEnabled());
}

TEST_F(OptionObjects, OptionsOutliveTheirModel)
{
    std::shared_ptr<tarvonel::clsAdvanced> advanced;
    {
        auto model = std::make_shared<tarvonel::VirtualMachine>();
        advanced = model->Options()->AdvancedOptions();
    }
    advanced->SetInputGrabPriority(1);
    EXPECT_EQ(advanced->Summary(), "High, Low");
}

TEST_F(OptionObjects, PowerDefaultsAndNoSummary)
{
    auto power = options->PowerOptions();
    EXPECT_EQ(power->ID(), "");
    EXPECT_EQ(power->Summary(), "");
    EXPECT_FALSE(power->PowerOnAfterOpening());
    EXPECT_FALSE(power->EnterFullScreenAfterPowerOn());
    EXPECT_FALSE(power->CloseAfterPowerOff());
    EXPECT_EQ(power->StopButtonAction(), 0);
    EXPECT_EQ(power->ResetButtonAction(), 0);
    EXPECT_FALSE(power->RunToolsAfterPowerOn());
    EXPECT_FALSE(power->RunToolsAfterResume());
    EXPECT_FALSE(power->RunToolsBeforeSuspend());
    EXPECT_FALSE(power->RunToolsBeforePowerOff());

    power->SetPowerOnAfterOpening(true);
    power->SetEnterFullScreenAfterPowerOn(true);
    power->SetCloseAfterPowerOff(true);
    power->SetStopButtonAction(1);
    power->SetResetButtonAction(std::numeric_limits<std::int16_t>::min()); // codes are not range-checked
    power->SetRunToolsAfterPowerOn(true);
    power->SetRunToolsAfterResume(true);
    power->SetRunToolsBeforeSuspend(true);
    power->SetRunToolsBeforePowerOff(true);
    EXPECT_EQ(power->Summary(), "");
    EXPECT_TRUE(power->PowerOnAfterOpening());
    EXPECT_TRUE(power->EnterFullScreenAfterPowerOn());
    EXPECT_TRUE(power->CloseAfterPowerOff());
    EXPECT_EQ(power->StopButtonAction(), 1);
    EXPECT_EQ(power->ResetButtonAction(), std::numeric_limits<std::int16_t>::min());
    EXPECT_TRUE(power->RunToolsAfterPowerOn());
    EXPECT_TRUE(power->RunToolsAfterResume());
    EXPECT_TRUE(power->RunToolsBeforeSuspend());
    EXPECT_TRUE(power->RunToolsBeforePowerOff());
}

TEST_F(OptionObjects, SnapshotsSummaryFollowsEnabledOnly)
{
    auto snapshots = options->SnapshotsOptions();
    EXPECT_EQ(snapshots->ID(), "");
    EXPECT_EQ(snapshots->Summary(), "");
    EXPECT_FALSE(snapshots->SnapshotsEnabled());
    EXPECT_EQ(snapshots->SnapshotPowerOffAction(), 0);

    snapshots->SetSnapshotPowerOffAction(3);
    EXPECT_EQ(snapshots->SnapshotPowerOffAction(), 3);
    EXPECT_EQ(snapshots->Summary(), ""); // the power-off action is no trigger

    snapshots->SetSnapshotsEnabled(false); // assigning the default still writes the text
    EXPECT_EQ(snapshots->Summary(), "Disabled");
    snapshots->SetSnapshotsEnabled(true);
    EXPECT_EQ(snapshots->Summary(), "Enabled");
}

TEST_F(OptionObjects, IsolationSummaryCombinesCopyAndPaste)
{
    auto isolation = options->GuestIsolationOptions();
    EXPECT_EQ(isolation->ID(), "");
    EXPECT_EQ(isolation->Summary(), "");
    EXPECT_FALSE(isolation->DragAndDropEnabled());
    EXPECT_FALSE(isolation->PasteEnabled());
    EXPECT_FALSE(isolation->CopyEnabled());

    isolation->SetDragAndDropEnabled(true);
    EXPECT_EQ(isolation->Summary(), "Enabled, Disabled");
    isolation->SetPasteEnabled(true);
    EXPECT_EQ(isolation->Summary(), "Enabled, Disabled"); // copy still off
    isolation->SetCopyEnabled(true);
    EXPECT_EQ(isolation->Summary(), "Enabled, Enabled");
    isolation->SetDragAndDropEnabled(false);
    EXPECT_EQ(isolation->Summary(), "Disabled, Enabled");
    isolation->SetPasteEnabled(false);
    EXPECT_EQ(isolation->Summary(), "Disabled, Disabled");

    // Each of the three flags triggers the text on its own.
    tarvonel::VirtualMachine other;
    other.Options()->GuestIsolationOptions()->SetCopyEnabled(true);
    EXPECT_EQ(other.Options()->GuestIsolationOptions()->Summary(), "Disabled, Disabled");
}

TEST_F(OptionObjects, AdvancedDefaultsAndPrioritySummary)
{
    auto advanced = options->AdvancedOptions();
    EXPECT_EQ(advanced->ID(), "");
    EXPECT_EQ(advanced->Summary(), "");
    EXPECT_EQ(advanced->InputGrabPriority(), 0);
    EXPECT_EQ(advanced->InputUngrabPriority(), 0);
    EXPECT_FALSE(advanced->Debugging());
    EXPECT_FALSE(advanced->AccelerationDisabled());
    EXPECT_FALSE(advanced->MemoryPageTrimDisabled());
    EXPECT_FALSE(advanced->LoggingEnabled());
    EXPECT_FALSE(advanced->LogPeriodic());
    EXPECT_EQ(advanced->LogFolder(), "");
    EXPECT_FALSE(advanced->TemplateMode());
    EXPECT_FALSE(advanced->ClusteringSupport());

    // Flags are no triggers.
    advanced->SetDebugging(true);
    advanced->SetLoggingEnabled(true);
    advanced->SetLogFolder("/var/log/vm");
    EXPECT_EQ(advanced->Summary(), "");
    EXPECT_EQ(advanced->LogFolder(), "/var/log/vm");

    advanced->SetInputUngrabPriority(0);
    EXPECT_EQ(advanced->Summary(), "Normal, Low");
    advanced->SetInputGrabPriority(1);
    EXPECT_EQ(advanced->Summary(), "High, Low");
    advanced->SetInputUngrabPriority(1);
    EXPECT_EQ(advanced->Summary(), "High, Normal");
    // Any code but 0 counts as the raised priority, negative ones too.
    advanced->SetInputGrabPriority(std::numeric_limits<std::int16_t>::min());
    advanced->SetInputUngrabPriority(std::numeric_limits<std::int16_t>::max());
    EXPECT_EQ(advanced->Summary(), "High, Normal");
    advanced->SetInputGrabPriority(0);
    EXPECT_EQ(advanced->Summary(), "Normal, Normal");
}

} // namespace
