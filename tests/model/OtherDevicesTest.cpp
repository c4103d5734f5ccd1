// SPDX-License-Identifier: MIT
// Processor, memory, network, ports, sound, USB, display and mouse: values after Add and the
// display-name and summary rules.

#include <tarvonel/VirtualMachine.h>
#include <tarvonel/clsAudioDevice.h>
#include <tarvonel/clsCPU.h>
#include <tarvonel/clsDisplay.h>
#include <tarvonel/clsHardware.h>
#include <tarvonel/clsMemory.h>
#include <tarvonel/clsMouse.h>
#include <tarvonel/clsNIC.h>
#include <tarvonel/clsParPort.h>
#include <tarvonel/clsSerPort.h>
#include <tarvonel/clsUSBController.h>

#include <gtest/gtest.h>

#include <limits>

using namespace tarvonel;

namespace {

class OtherDevicesTest : public ::testing::Test {
protected:
    VirtualMachine vm;
    std::shared_ptr<clsHardware> hw = vm.Hardware();
};

} // namespace

TEST_F(OtherDevicesTest, NamesAndSummariesAfterAdd)
{
    struct Expected {
        std::string first, second, summary;
    };
    auto check = [](const auto& collection, const Expected& e) {
        const auto a = collection->Add();
        const auto b = collection->Add();
        EXPECT_EQ(a->DisplayName(), e.first);
        EXPECT_EQ(b->DisplayName(), e.second);
        EXPECT_EQ(a->Summary(), e.summary) << e.first;
        EXPECT_EQ(b->Summary(), e.summary) << e.first;
    };
    check(hw->CPUs(), {"Virtual Processor", "Virtual Processor2", "Present"});
    check(hw->Memory(), {"Memory", "Memory2", "128 MB"});
    check(hw->NetworkAdapters(), {"Ethernet", "Ethernet2", "Bridged"});
    check(hw->SerialPorts(), {"Serial", "Serial2", "Using port auto detect"});
    check(hw->ParallelPorts(), {"Parallel", "Parallel2", "Using port auto detect"});
    check(hw->AudioDevices(), {"Audio", "Audio2", "Present"});
    check(hw->USBControllers(), {"USB Controller", "USB Controller2", "Present"});
    check(hw->Displays(), {"Display", "Display2", "16 MB"});
    check(hw->Mice(), {"Mouse", "Mouse2", "Enabled"});
}

TEST_F(OtherDevicesTest, ValuesAfterAdd)
{
    EXPECT_FALSE(hw->CPUs()->Add()->EmulatePAE());
    EXPECT_EQ(hw->Memory()->Add()->MBs(), 128);

    const auto nic = hw->NetworkAdapters()->Add();
    EXPECT_TRUE(nic->Enabled());
    EXPECT_TRUE(nic->ConnectedAtBoot());
    EXPECT_EQ(nic->DeviceType(), 0);
    EXPECT_EQ(nic->ConnectionType(), 0);
    EXPECT_EQ(nic->VNet(), 0);
    EXPECT_EQ(nic->AddressType(), 0);
    EXPECT_EQ(nic->MacAddress(), "");
    EXPECT_EQ(nic->GenAddressOffset(), 0);

    const auto serial = hw->SerialPorts()->Add();
    EXPECT_TRUE(serial->Enabled());
    EXPECT_TRUE(serial->ConnectedAtBoot());
    EXPECT_EQ(serial->DeviceType(), "device");
    EXPECT_EQ(serial->DeviceName(), "auto detect");
    EXPECT_EQ(serial->PipeEnd1(), 0);
    EXPECT_EQ(serial->PipeEnd2(), 0);
    EXPECT_FALSE(serial->YieldCpu());

    const auto parallel = hw->ParallelPorts()->Add();
    EXPECT_TRUE(parallel->Enabled());
    EXPECT_TRUE(parallel->ConnectedAtBoot());
    EXPECT_EQ(parallel->DeviceType(), "device");
    EXPECT_TRUE(parallel->Bidirectional());

    const auto audio = hw->AudioDevices()->Add();
    EXPECT_TRUE(audio->Enabled());
    EXPECT_TRUE(audio->ConnectedAtBoot());
    EXPECT_EQ(audio->DeviceType(), 0);

    const auto usb = hw->USBControllers()->Add();
    EXPECT_TRUE(usb->Enabled());
    EXPECT_TRUE(usb->AutoConnect());

    const auto display = hw->Displays()->Add();
    EXPECT_EQ(display->ScreenWidth(), 1024);
    EXPECT_EQ(display->ScreenHeight(), 768);
    EXPECT_EQ(display->VramSize(), 16777216);
    EXPECT_FALSE(display->Enable3D());

    EXPECT_TRUE(hw->Mice()->Add()->Enabled());
}

TEST_F(OtherDevicesTest, MemorySummaryFollowsSize)
{
    const auto memories = hw->Memory();
    memories->Add();
    memories->Add();
    const auto third = memories->Add();
    EXPECT_EQ(third->DisplayName(), "Memory3");
    third->SetMBs(512);
    EXPECT_EQ(third->Summary(), "512 MB");
    third->SetMBs(std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(third->Summary(), "-2147483648 MB");
    EXPECT_EQ(third->DisplayName(), "Memory3");
}

TEST_F(OtherDevicesTest, NetworkSummaryFollowsConnection)
{
    const auto nic = hw->NetworkAdapters()->Add();
    nic->SetConnectionType(1);
    EXPECT_EQ(nic->Summary(), "Host-Only");
    nic->SetConnectionType(2);
    EXPECT_EQ(nic->Summary(), "NAT");
    nic->SetVNet(4); // not custom: the number is not shown
    EXPECT_EQ(nic->Summary(), "NAT");
    nic->SetConnectionType(3);
    EXPECT_EQ(nic->Summary(), "Custom4");
    nic->SetVNet(5);
    EXPECT_EQ(nic->Summary(), "Custom5");
    nic->SetConnectionType(7);
    EXPECT_EQ(nic->Summary(), "Custom5");
    nic->SetConnectionType(-1);
    EXPECT_EQ(nic->Summary(), "Custom5");
    nic->SetEnabled(false);
    nic->SetDeviceType(2);
    EXPECT_EQ(nic->Summary(), "Custom5");
    nic->SetConnectionType(0);
    EXPECT_EQ(nic->Summary(), "Bridged");
}

TEST_F(OtherDevicesTest, SerialPortSummaryFollowsTypeAndName)
{
    const auto port = hw->SerialPorts()->Add();
    port->SetDeviceType("pipe");
    port->SetDeviceName("/tmp/com1");
    EXPECT_EQ(port->Summary(), "Using pipe /tmp/com1");
    port->SetDeviceType("Pipe"); // exact comparison: unknown type keeps the summary
    EXPECT_EQ(port->Summary(), "Using pipe /tmp/com1");
    port->SetDeviceName("/tmp/other"); // still an unknown type
    EXPECT_EQ(port->Summary(), "Using pipe /tmp/com1");
    port->SetDeviceType("file");
    EXPECT_EQ(port->Summary(), "Using file /tmp/other");
    port->SetDeviceType("device");
    port->SetDeviceName("/dev/ttyS0");
    EXPECT_EQ(port->Summary(), "Using port /dev/ttyS0");
    port->SetEnabled(false);
    EXPECT_EQ(port->Summary(), "Using port /dev/ttyS0");
}

TEST_F(OtherDevicesTest, ParallelPortSummaryFollowsTypeAndName)
{
    const auto port = hw->ParallelPorts()->Add();
    port->SetDeviceType("file");
    port->SetDeviceName("out.txt");
    EXPECT_EQ(port->Summary(), "Using file out.txt");
    port->SetDeviceType("pipe"); // parallel ports have no pipes
    EXPECT_EQ(port->Summary(), "Using file out.txt");
    port->SetDeviceType("device");
    EXPECT_EQ(port->Summary(), "Using port out.txt");
    port->SetEnabled(false);
    EXPECT_EQ(port->Summary(), "Using port out.txt");
}

TEST_F(OtherDevicesTest, EnabledSummaries)
{
    const auto audio = hw->AudioDevices()->Add();
    const auto usb = hw->USBControllers()->Add();
    const auto mouse = hw->Mice()->Add();
    audio->SetEnabled(false);
    usb->SetEnabled(false);
    mouse->SetEnabled(false);
    EXPECT_EQ(audio->Summary(), "Disabled");
    EXPECT_EQ(usb->Summary(), "Disabled");
    EXPECT_EQ(mouse->Summary(), "Disabled");
    audio->SetEnabled(true);
    usb->SetEnabled(true);
    mouse->SetEnabled(true);
    EXPECT_EQ(audio->Summary(), "Present");
    EXPECT_EQ(usb->Summary(), "Present");
    EXPECT_EQ(mouse->Summary(), "Enabled");
}

TEST_F(OtherDevicesTest, ProcessorSummaryIsFixed)
{
    const auto cpu = hw->CPUs()->Add();
    cpu->SetEmulatePAE(true);
    EXPECT_TRUE(cpu->EmulatePAE());
    EXPECT_EQ(cpu->Summary(), "Present");
}

TEST_F(OtherDevicesTest, DisplaySummaryIsVideoMemoryInMegabytes)
{
    const auto display = hw->Displays()->Add();
    const std::vector<std::pair<std::int32_t, std::string>> cases = {
        {0, "0 MB"},
        {1048576, "1 MB"},
        {1572864, "1.5 MB"},      // one and a half megabytes
        {3686400, "3.515625 MB"}, // 3600 KB
        {134217728, "128 MB"},
        {-1048576, "-1 MB"},
        {1, "0.00000095367431640625 MB"},                                  // no exponent form
        {std::numeric_limits<std::int32_t>::max(), "2047.99999904633 MB"}, // 15 significant digits
        {std::numeric_limits<std::int32_t>::min(), "-2048 MB"},
        {1000000, "0.95367431640625 MB"},
        {10485760, "10 MB"},
    };
    for (const auto& [bytes, text] : cases) {
        display->SetVramSize(bytes);
        EXPECT_EQ(display->Summary(), text) << bytes;
    }
    display->SetScreenWidth(1920);
    display->SetEnable3D(true);
    EXPECT_EQ(display->Summary(), "10 MB");
}
