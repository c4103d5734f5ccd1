// SPDX-License-Identifier: MIT
// Settings a file may leave out: read when present, written back as the model holds them, and
// never added to a file that did not have them.
#include "TestMachine.h"

#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace zentravolix::vmx {
namespace {

using test::linesOf;
using test::linesWithKey;
using test::newMachine;
using Lines = std::vector<std::string>;

ReadResult read(tarvonel::VirtualMachine& vm, const std::string& text)
{
    return ReadVmxText(text, vm, "/vms/test/test.vmx");
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

TEST(ProductCompatibility, HeldBesideTheHardwareVersionAndWrittenRightAfterIt)
{
    const auto vm = newMachine();
    const auto result = read(*vm, "config.version = \"8\"\nvirtualHW.version = \"10\"\nmemsize = \"512\"\n"
                                  "virtualHW.productCompatibility = \"HOSTED\"\n");
    const auto general = vm->Options()->GeneralOptions();
    EXPECT_EQ(general->ProductCompatibility(), 0);
    EXPECT_TRUE(result.otherParams.empty());
    const Lines written = linesOf(WriteVmxText(*vm, result.otherParams, result.valuesAfterRead));
    const auto version = std::find(written.begin(), written.end(), "virtualHW.version = \"10\"");
    ASSERT_NE(version, written.end());
    ASSERT_NE(version + 1, written.end());
    EXPECT_EQ(*(version + 1), "virtualHW.productCompatibility = \"hosted\"");

    general->SetProductCompatibility(1);
    EXPECT_EQ(linesWithKey(WriteVmxText(*vm), "virtualHW.productCompatibility"),
              Lines{"virtualHW.productCompatibility = \"esx\""});
    // A new machine has none and writes none.
    EXPECT_EQ(newMachine()->Options()->GeneralOptions()->ProductCompatibility(), -1);
    EXPECT_TRUE(linesWithKey(WriteVmxText(*newMachine()), "virtualHW.product").empty());
}

TEST(ProductCompatibility, AnUnknownKindStaysTheFilesLine)
{
    const auto vm = newMachine();
    const auto result = read(*vm, "virtualHW.productCompatibility = \"cloud\"\n");
    EXPECT_EQ(vm->Options()->GeneralOptions()->ProductCompatibility(), -1);
    EXPECT_EQ(result.otherParams, Lines{"virtualHW.productCompatibility = \"cloud\""});
    EXPECT_TRUE(result.problems.empty()) << "no number is expected of it";
    const std::string text = WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    EXPECT_EQ(linesWithKey(text, "virtualHW.productCompatibility"), Lines{"virtualHW.productCompatibility = \"cloud\""});
}

TEST(ToolsUpgradePolicy, TheThreePoliciesInAnySpellingOthersKept)
{
    for (const auto& [value, code, written] :
         {std::tuple{"manual", 0, "manual"}, {"UPGRADEATPOWERCYCLE", 1, "upgradeAtPowerCycle"}, {"useglobal", 2, "useGlobal"}}) {
        const auto vm = newMachine();
        const auto result = read(*vm, std::string("tools.upgrade.policy = \"") + value + "\"\n");
        EXPECT_EQ(vm->Options()->PowerOptions()->ToolsUpgradePolicy(), code) << value;
        EXPECT_TRUE(result.otherParams.empty());
        EXPECT_EQ(linesWithKey(WriteVmxText(*vm, result.otherParams, result.valuesAfterRead), "tools.upgrade"),
                  Lines{std::string("tools.upgrade.policy = \"") + written + "\""});
    }
    const auto vm = newMachine();
    const auto result = read(*vm, "tools.upgrade.policy = \"never\"\n");
    EXPECT_EQ(vm->Options()->PowerOptions()->ToolsUpgradePolicy(), -1);
    EXPECT_EQ(result.otherParams, Lines{"tools.upgrade.policy = \"never\""});
    EXPECT_TRUE(linesWithKey(WriteVmxText(*newMachine()), "tools.upgrade").empty());
}

TEST(HotAdd, UnsetWritesNothingSetIsWrittenAfterItsSizeLine)
{
    const auto fresh = newMachine();
    EXPECT_FALSE(fresh->Hardware()->CPUs()->HotAdd().has_value());
    EXPECT_TRUE(linesWithKey(WriteVmxText(*fresh), "vcpu.").empty());
    EXPECT_TRUE(linesWithKey(WriteVmxText(*fresh), "mem.").empty());

    const auto vm = newMachine();
    const auto result = read(*vm, "mem.hotadd = \"true\"\nvcpu.hotadd = \"FALSE\"\nnumvcpus = \"2\"\nmemsize = \"1024\"\n");
    EXPECT_EQ(vm->Hardware()->CPUs()->HotAdd(), false);
    EXPECT_EQ(vm->Hardware()->Memory()->HotAdd(), true);
    EXPECT_TRUE(result.otherParams.empty());
    const Lines written = linesOf(WriteVmxText(*vm, result.otherParams, result.valuesAfterRead));
    const auto memsize = std::find(written.begin(), written.end(), "memsize = \"1024\"");
    ASSERT_NE(memsize, written.end());
    ASSERT_NE(memsize + 1, written.end());
    EXPECT_EQ(*(memsize + 1), "mem.hotadd = \"TRUE\"");
    EXPECT_NE(std::find(written.begin(), memsize, "vcpu.hotadd = \"FALSE\""), memsize);

    const auto odd = newMachine();
    EXPECT_EQ(read(*odd, "vcpu.hotadd = \"yes please\"\n").otherParams, Lines{"vcpu.hotadd = \"yes please\""});
    EXPECT_FALSE(odd->Hardware()->CPUs()->HotAdd().has_value());
}

TEST(Resources, EsxiValuesAreHeldAndWrittenBackInTheirOrder)
{
    const auto vm = newMachine();
    const auto result = read(*vm, "SCHED.CPU.MAX = \"UNLIMITED\"\nsched.cpu.min = \"368\"\nsched.cpu.units = \"MHZ\"\n"
                                  "sched.cpu.shares = \"4223\"\nsched.mem.minsize = \"0\"\nsched.mem.shares = \"Normal\"\n"
                                  "sched.mem.max = \"118\"\nsched.swap.derivedName = \"x.vswp\"\n");
    const auto cpu = vm->Hardware()->CPUs()->Resources();
    EXPECT_EQ(cpu.Reservation, 368);
    EXPECT_TRUE(cpu.LimitUnlimited);
    EXPECT_TRUE(cpu.UnitsInMhz);
    EXPECT_EQ(cpu.CustomShares, 4223);
    EXPECT_FALSE(cpu.Level.has_value());
    const auto mem = vm->Hardware()->Memory()->Resources();
    EXPECT_EQ(mem.MinimumSize, 0);
    EXPECT_FALSE(mem.Reservation.has_value());
    EXPECT_EQ(mem.Limit, 118);
    EXPECT_EQ(mem.Level, tarvonel::ResourceAllocation::SharesLevel::Normal);
    // The swap file's name is the host's business and stays as the file has it.
    EXPECT_EQ(result.otherParams, Lines{"sched.swap.derivedName = \"x.vswp\""});

    const std::string text = WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    EXPECT_EQ(linesWithKey(text, "sched.cpu."),
              (Lines{"sched.cpu.min = \"368\"", "sched.cpu.max = \"unlimited\"", "sched.cpu.units = \"mhz\"",
                     "sched.cpu.shares = \"4223\""}));
    EXPECT_EQ(linesWithKey(text, "sched.mem."),
              (Lines{"sched.mem.minSize = \"0\"", "sched.mem.max = \"118\"", "sched.mem.shares = \"normal\""}));
    const auto again = newMachine();
    read(*again, text);
    EXPECT_EQ(again->Hardware()->CPUs()->Resources(), cpu);
    EXPECT_EQ(again->Hardware()->Memory()->Resources(), mem);
}

TEST(Resources, ValuesTheModelCannotHoldStayAsTheyAre)
{
    const auto vm = newMachine();
    const Lines odd{"sched.cpu.min = \"-5\"", "sched.cpu.units = \"ghz\"", "sched.cpu.shares = \"lots\"",
                    "sched.mem.max = \"12 MB\"", "sched.cpu.latencySensitivity = \"normal\""};
    std::string text;
    for (const auto& line : odd)
        text += line + "\n";
    const auto result = read(*vm, text);
    EXPECT_EQ(result.otherParams, odd);
    EXPECT_EQ(vm->Hardware()->CPUs()->Resources(), tarvonel::ResourceAllocation{});
    EXPECT_EQ(vm->Hardware()->Memory()->Resources(), tarvonel::ResourceAllocation{});
    EXPECT_TRUE(linesWithKey(WriteVmxText(*newMachine()), "sched.").empty());
}

} // namespace
} // namespace zentravolix::vmx
