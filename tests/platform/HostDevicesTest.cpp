// SPDX-License-Identifier: MIT
#include "TestFolder.h"

#include "platform/HostDevices.h"

#include <gtest/gtest.h>

using namespace zentravolix::platform;
using zvtest::WriteFile;

namespace {

class HostDevicesTest : public ::testing::Test {
protected:
    void node(const std::string& name) { WriteFile(roots.dev / name, ""); }
    void tty(const std::string& name, bool device, const std::string& type)
    {
        const auto folder = roots.sys / "class" / "tty" / name;
        std::filesystem::create_directories(device ? folder / "device" : folder);
        if (!type.empty())
            WriteFile(folder / "type", type + "\n");
    }
    void block(const std::string& name, const std::string& removable)
    {
        WriteFile(roots.sys / "block" / name / "removable", removable + "\n");
        node(name);
    }
    std::vector<std::string> dev(std::initializer_list<const char*> names) const
    {
        std::vector<std::string> out;
        for (const char* n : names)
            out.push_back((roots.dev / n).string());
        return out;
    }

    zvtest::TestFolder folder;
    HostDeviceRoots roots{folder / "sys", folder / "dev"};
};

} // namespace

TEST_F(HostDevicesTest, SerialPortsNeedARealUartOrAUsbAdapter)
{
    tty("ttyS0", true, "4");
    tty("ttyS1", true, "0");  // placeholder registered by the 8250 driver
    tty("ttyS2", false, "4"); // no device behind it
    tty("ttyS10", true, "4");
    tty("ttyS3", true, "4"); // no node in /dev
    for (const char* n :
         {"ttyS0", "ttyS1", "ttyS2", "ttyS10", "ttyUSB10", "ttyUSB2", "ttyACM0", "ttyUSBx", "tty0"})
        node(n);
    EXPECT_EQ(HostSerialPorts(roots), dev({"ttyS0", "ttyS10", "ttyUSB2", "ttyUSB10", "ttyACM0"}));
}

TEST_F(HostDevicesTest, ParallelPortsAndFallbacks)
{
    EXPECT_TRUE(HostParallelPorts(roots).empty()); // a host without ports lists none
    EXPECT_TRUE(HostSerialPorts(roots).empty());
    for (const char* n : {"parport1", "parport0", "parport"})
        node(n);
    EXPECT_EQ(HostParallelPorts(roots), dev({"parport0", "parport1"}));
    EXPECT_EQ(ParallelPortFallback(),
              (std::vector<std::string>{"/dev/parport0", "/dev/parport1", "/dev/parport2"}));
    EXPECT_EQ(SerialPortFallback().size(), 4u);
    EXPECT_EQ(SerialPortFallback().back(), "/dev/ttyS3");
}

TEST_F(HostDevicesTest, RemovableDrivesAndCdroms)
{
    node("fd0");
    std::filesystem::create_directories(roots.dev / "fd"); // the process's descriptor folder
    block("sdb", "1");
    block("sda", "0");
    block("sr0", "1");
    WriteFile(roots.sys / "block" / "sdc" / "removable", "1\n"); // no node: not listed
    node("sr1");
    node("cdrom");
    EXPECT_EQ(HostRemovableDrives(roots), dev({"fd0", "sdb"}));
    EXPECT_EQ(HostCdromDrives(roots), dev({"sr0", "sr1", "cdrom"}));
}

TEST_F(HostDevicesTest, MissingTreesGiveEmptyLists)
{
    const HostDeviceRoots none{folder / "absent", folder / "absent"};
    EXPECT_TRUE(HostSerialPorts(none).empty());
    EXPECT_TRUE(HostRemovableDrives(none).empty());
    EXPECT_TRUE(HostCdromDrives(none).empty());
}
