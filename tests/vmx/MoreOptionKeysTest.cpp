// SPDX-License-Identifier: MIT
// Settings a file may leave out: read when present, written back as the model holds them, and
// never added to a file that did not have them.
#include "TestMachine.h"

#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zentravolix::vmx {
namespace {

using test::linesOf;
using test::newMachine;
using Lines = std::vector<std::string>;

ReadResult read(tarvonel::VirtualMachine& vm, const std::string& text)
{
    return ReadVmxText(text, vm, "/vms/test/test.vmx");
}

Lines linesWithKey(const std::string& text, std::string_view prefix)
{
    Lines found;
    for (const auto& line : linesOf(text)) {
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    }
    return found;
}

TEST(OptionalPowerKeys, ANewMachineWritesNoneOfThem)
{
    const auto vm = newMachine();
    const auto power = vm->Options()->PowerOptions();
    EXPECT_FALSE(power->SyncGuestTime().has_value());
    const std::string text = WriteVmxText(*vm);
    EXPECT_TRUE(linesWithKey(text, "tools.syncTime").empty());
    EXPECT_TRUE(linesWithKey(text, "powerType.powerOn").empty());
    EXPECT_TRUE(linesWithKey(text, "powerType.suspend").empty());
}

TEST(OptionalPowerKeys, ReadInAnySpellingAndWrittenInTheWritersOne)
{
    const auto vm = newMachine();
    const auto result = read(*vm, "tools.syncTime = \"false\"\npowerType.powerOn = \"Soft\"\n"
                                  "powerType.suspend = \"hard\"\n");
    const auto power = vm->Options()->PowerOptions();
    EXPECT_EQ(power->SyncGuestTime(), false);
    EXPECT_EQ(power->PowerOnButtonAction(), 1);
    EXPECT_EQ(power->SuspendButtonAction(), 0);
    EXPECT_TRUE(result.otherParams.empty());

    const std::string text = WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    EXPECT_EQ(linesWithKey(text, "tools.syncTime"), Lines{"tools.syncTime = \"FALSE\""});
    EXPECT_EQ(linesWithKey(text, "powerType."),
              (Lines{"powerType.powerOff = \"hard\"", "powerType.reset = \"hard\"", "powerType.powerOn = \"soft\"",
                     "powerType.suspend = \"hard\""}));
}

TEST(OptionalPowerKeys, OtherValuesAreKeptAsTheyStandAndLeaveTheMemberUnset)
{
    const auto vm = newMachine();
    const auto result = read(*vm, "powerType.powerOn = \"default\"\npowerType.suspend = \"default\"\n"
                                  "tools.syncTime = \"maybe\"\n");
    const auto power = vm->Options()->PowerOptions();
    EXPECT_EQ(power->PowerOnButtonAction(), -1);
    EXPECT_EQ(power->SuspendButtonAction(), -1);
    EXPECT_FALSE(power->SyncGuestTime().has_value());
    EXPECT_EQ(result.otherParams, (Lines{"powerType.powerOn = \"default\"", "powerType.suspend = \"default\"",
                                         "tools.syncTime = \"maybe\""}));
    const std::string text = WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    EXPECT_EQ(linesWithKey(text, "powerType.powerOn"), Lines{"powerType.powerOn = \"default\""});
    EXPECT_EQ(linesWithKey(text, "tools.syncTime"), Lines{"tools.syncTime = \"maybe\""});
}

TEST(OptionalPowerKeys, SetInTheModelTheyAreWrittenAndReadBack)
{
    const auto vm = newMachine();
    const auto power = vm->Options()->PowerOptions();
    power->SetSyncGuestTime(true);
    power->SetPowerOnButtonAction(0);
    power->SetSuspendButtonAction(1);
    const std::string text = WriteVmxText(*vm);

    const auto again = newMachine();
    read(*again, text);
    EXPECT_EQ(*again->Options()->PowerOptions(), *power);
    EXPECT_EQ(linesWithKey(text, "tools.syncTime"), Lines{"tools.syncTime = \"TRUE\""});
}

TEST(AdapterNetworkName, ReadWithItsAdapterAndWrittenAfterTheAdapterType)
{
    const auto vm = newMachine();
    const auto result = read(*vm, "ethernet0.present = \"TRUE\"\nethernet0.virtualDev = \"e1000\"\n"
                                  "ethernet0.networkName = \"VM Network\"\nethernet1.present = \"TRUE\"\n");
    const auto nics = vm->Hardware()->NetworkAdapters();
    ASSERT_EQ(nics->Count(), 2);
    EXPECT_EQ(nics->Item(1)->NetworkName(), "VM Network");
    EXPECT_TRUE(nics->Item(2)->NetworkName().empty());
    EXPECT_TRUE(result.otherParams.empty());

    const std::string text = WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    const Lines first = linesWithKey(text, "ethernet0.");
    const auto type = std::find(first.begin(), first.end(), "ethernet0.virtualDev = \"e1000\"");
    ASSERT_NE(type, first.end());
    ASSERT_NE(type + 1, first.end());
    EXPECT_EQ(*(type + 1), "ethernet0.networkName = \"VM Network\"");
    // An adapter without a name gets no line.
    EXPECT_TRUE(linesWithKey(text, "ethernet1.networkName").empty());

    // The name goes with its adapter: removing the first leaves the second (now ethernet0) without one.
    nics->Remove(1);
    const std::string after = WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    EXPECT_EQ(after.find("networkName"), std::string::npos);
}

} // namespace
} // namespace zentravolix::vmx
