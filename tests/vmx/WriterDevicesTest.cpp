// SPDX-License-Identifier: MIT
// The device sections.
#include "TestMachine.h"

#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zentravolix::vmx {
namespace {

using test::crlf;
using test::linesOf;

bool hasLine(const std::string& text, const std::string& line)
{
    const auto lines = linesOf(text);
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

template <class Device>
void attach(Device& device, const char* bus, std::int16_t controller, std::int16_t node)
{
    device.SetBusType(bus);
    device.SetController(controller);
    device.SetBusNode(node);
}

/** A model without the new-machine defaults, so only the devices a test adds are written. */
std::unique_ptr<tarvonel::VirtualMachine> bareMachine()
{
    auto vm = std::make_unique<tarvonel::VirtualMachine>();
    vm->Options()->GeneralOptions()->SetVmxPath("/vms/test/");
    vm->Options()->GeneralOptions()->SetVmxFileName("test.vmx");
    return vm;
}

TEST(VmxWriterDevices, MatchesTheDocumentedExample)
{
    const auto vm = bareMachine();
    const auto hw = vm->Hardware();
    hw->IDEControllers()->Add();
    const auto disk = hw->HardDisks()->Add();
    disk->SetDeviceName("/VMS/test/disk1.vmdk");
    attach(*disk, "IDE", 0, 0);
    const auto cd = hw->CDRoms()->Add();
    cd->SetDeviceType("cdrom-raw");
    attach(*cd, "IDE", 0, 1);
    hw->NetworkAdapters()->Add();

    const std::string expected = crlf("####### ide-controllers ###############\n"
                                      "ide0.present = \"TRUE\"\n"
                                      "\n"
                                      "####### ide-disks #####################\n"
                                      "ide0:0.present = \"TRUE\"\n"
                                      "ide0:0.fileName = \"disk1.vmdk\"\n"
                                      "ide0:0.mode = \"persistent\"\n"
                                      "ide0:0.deviceType = \"disk\"\n"
                                      "ide0:1.present = \"TRUE\"\n"
                                      "ide0:1.fileName = \"auto detect\"\n"
                                      "ide0:1.autodetect = \"TRUE\"\n"
                                      "ide0:1.deviceType = \"cdrom-raw\"\n"
                                      "ide0:1.startConnected = \"TRUE\"\n"
                                      "ide0:1.exclusive = \"FALSE\"\n"
                                      "\n"
                                      "####### nics ##########################\n"
                                      "ethernet0.present = \"TRUE\"\n"
                                      "ethernet0.startConnected = \"TRUE\"\n"
                                      "ethernet0.virtualDev = \"vlance\"\n"
                                      "ethernet0.connectionType = \"bridged\"\n"
                                      "ethernet0.vnet = \"VMnet0\"\n"
                                      "ethernet0.addressType = \"generated\"\n"
                                      "ethernet0.generatedAddressOffset = \"0\"\n"
                                      "\n"
                                      "####### advanced stuff ################\n");
    EXPECT_NE(WriteVmxText(*vm).find(expected), std::string::npos) << WriteVmxText(*vm);
}

TEST(VmxWriterDevices, EmptyCollectionsWriteNoSection)
{
    const auto vm = bareMachine();
    const std::string text = WriteVmxText(*vm);
    for (const char* header : {"ide-controllers", "scsi-disks", "nics", "sound", "usb", "floppies", "parallel",
                               "serial", "display", "mouse"})
        EXPECT_EQ(text.find(std::string("####### ") + header), std::string::npos) << header;
    EXPECT_NE(text.find(crlf("####### identity/general ##############\n")), std::string::npos);
}

TEST(VmxWriterDevices, NodesOfDisabledControllersAndFreeNodes)
{
    const auto vm = bareMachine();
    const auto hw = vm->Hardware();
    hw->IDEControllers()->Add()->SetEnabled(false);
    hw->SCSIControllers()->Add();
    const auto generic = hw->GenericSCSIDevices()->Add();
    generic->SetDeviceName("/vms/test/sg0"); // written unchanged, never made relative
    attach(*generic, "SCSI", 0, 2);

    const std::string text = WriteVmxText(*vm);
    EXPECT_TRUE(hasLine(text, "ide0.present = \"FALSE\""));
    EXPECT_TRUE(hasLine(text, "ide0:0.present = \"FALSE\""));
    EXPECT_TRUE(hasLine(text, "ide0:1.present = \"FALSE\""));
    EXPECT_TRUE(hasLine(text, "scsi0:2.fileName = \"/vms/test/sg0\""));
    EXPECT_TRUE(hasLine(text, "scsi0:2.deviceType = \"scsi-passthru\""));
    EXPECT_EQ(text.find("scsi0:7"), std::string::npos) << "the controller's own node writes nothing";
}

TEST(VmxWriterDevices, FileNamesInSubfoldersKeepTheirFullPath)
{
    const auto vm = bareMachine();
    const auto hw = vm->Hardware();
    hw->SCSIControllers()->Add()->SetControllerType(1);
    const auto inFolder = hw->HardDisks()->Add();
    inFolder->SetDeviceName("/vms/TEST/a.vmdk");
    attach(*inFolder, "SCSI", 0, 0);
    const auto inSub = hw->HardDisks()->Add();
    inSub->SetDeviceName("/vms/test/sub/b.vmdk");
    inSub->SetMode("independent-nonpersistent");
    attach(*inSub, "SCSI", 0, 1);

    const std::string text = WriteVmxText(*vm);
    EXPECT_TRUE(hasLine(text, "scsi0.virtualDev = \"lsilogic\""));
    EXPECT_TRUE(hasLine(text, "scsi0:0.fileName = \"a.vmdk\""));
    EXPECT_TRUE(hasLine(text, "scsi0:1.fileName = \"/vms/test/sub/b.vmdk\""));
    EXPECT_TRUE(hasLine(text, "scsi0:1.mode = \"independent-nonpersistent\""));
}

TEST(VmxWriterDevices, NicPrefixFollowsThePositionNotTheNumber)
{
    const auto vm = bareMachine();
    const auto nics = vm->Hardware()->NetworkAdapters();
    for (int i = 0; i < 6; ++i)
        nics->Add();
    for (int i = 0; i < 4; ++i)
        nics->Remove(2);
    ASSERT_EQ(nics->Item(2)->DeviceNum(), 5);
    nics->Item(2)->SetConnectionType(3);
    nics->Item(2)->SetVNet(3);
    nics->Item(2)->SetDeviceType(2);
    nics->Item(2)->SetAddressType(1);
    nics->Item(2)->SetMacAddress("00:50:56:01:02:03");

    const std::string text = WriteVmxText(*vm);
    EXPECT_TRUE(hasLine(text, "ethernet1.connectionType = \"custom\""));
    EXPECT_TRUE(hasLine(text, "ethernet1.vnet = \"VMnet3\""));
    EXPECT_TRUE(hasLine(text, "ethernet1.virtualDev = \"e1000\""));
    EXPECT_TRUE(hasLine(text, "ethernet1.addressType = \"static\""));
    EXPECT_TRUE(hasLine(text, "ethernet1.address = \"00:50:56:01:02:03\""));
    EXPECT_EQ(text.find("ethernet1.generatedAddressOffset"), std::string::npos);
    EXPECT_EQ(text.find("ethernet5"), std::string::npos);
}

TEST(VmxWriterDevices, SoundWithSynthesizerWritesTwoLines)
{
    const auto vm = bareMachine();
    vm->Hardware()->AudioDevices()->Add()->SetDeviceType(2);
    const std::string expected = crlf("####### sound #########################\n"
                                      "sound.present = \"TRUE\"\n"
                                      "sound.startConnected = \"TRUE\"\n"
                                      "sound.virtualDev = \"sb16\"\n"
                                      "sound.synth.operational = \"TRUE\"\n"
                                      "\n");
    EXPECT_NE(WriteVmxText(*vm).find(expected), std::string::npos);
}

TEST(VmxWriterDevices, PortsWriteTheirTypeSpecificLinesOnlyForTheirType)
{
    const auto vm = bareMachine();
    const auto hw = vm->Hardware();
    const auto parallelFile = hw->ParallelPorts()->Add();
    parallelFile->SetDeviceType("file");
    parallelFile->SetDeviceName("/vms/test/lpt.txt");
    hw->ParallelPorts()->Add(); // device, auto detect
    const auto serialFile = hw->SerialPorts()->Add();
    serialFile->SetDeviceType("file");
    serialFile->SetDeviceName("/tmp/com.txt");
    const auto pipe = hw->SerialPorts()->Add();
    pipe->SetDeviceType("pipe");
    pipe->SetDeviceName("/tmp/pipe");
    pipe->SetPipeEnd1(1);
    pipe->SetPipeEnd2(1);

    const std::string text = WriteVmxText(*vm);
    EXPECT_EQ(text.find("parallel0.bidirectional"), std::string::npos);
    EXPECT_TRUE(hasLine(text, "parallel0.fileName = \"lpt.txt\""));
    EXPECT_NE(text.find(crlf("parallel1.bidirectional = \"TRUE\"\n"
                             "parallel1.fileType = \"device\"\n"
                             "parallel1.fileName = \"auto detect\"\n"
                             "parallel1.autodetect = \"TRUE\"\n")),
              std::string::npos);
    EXPECT_EQ(text.find("serial0.pipe"), std::string::npos);
    EXPECT_EQ(text.find("serial0.tryNoRxLoss"), std::string::npos);
    EXPECT_NE(text.find(crlf("serial1.yieldOnMsrRead = \"FALSE\"\n"
                             "serial1.pipe.endPoint = \"client\"\n"
                             "serial1.tryNoRxLoss = \"TRUE\"\n"
                             "serial1.fileType = \"pipe\"\n"
                             "serial1.fileName = \"/tmp/pipe\"\n")),
              std::string::npos);
}

TEST(VmxWriterDevices, ANewCdRomIsWrittenWithItsDefaultType)
{
    const auto vm = bareMachine();
    vm->Hardware()->IDEControllers()->Add();
    attach(*vm->Hardware()->CDRoms()->Add(), "IDE", 0, 0);
    EXPECT_TRUE(hasLine(WriteVmxText(*vm), "ide0:0.deviceType = \"device\""));
}

TEST(VmxWriterDevices, SecondSingleDevicesDoNotRepeatKeys)
{
    const auto vm = bareMachine();
    const auto hw = vm->Hardware();
    hw->Displays()->Add();
    hw->Displays()->Add()->SetScreenWidth(1600);
    hw->Mice()->Add();
    hw->Mice()->Add()->SetEnabled(false);
    const std::string text = WriteVmxText(*vm);
    EXPECT_FALSE(hasLine(text, "svga.maxWidth = \"1024\""));
    EXPECT_TRUE(hasLine(text, "svga.maxWidth = \"1600\""));
    EXPECT_FALSE(hasLine(text, "vmmouse.present = \"TRUE\""));
    EXPECT_TRUE(hasLine(text, "vmmouse.present = \"FALSE\""));
}

TEST(VmxWriterDevices, ADeviceOutsideItsControllersNodesFailsTheWrite)
{
    const auto vm = bareMachine();
    vm->Hardware()->IDEControllers()->Add();
    attach(*vm->Hardware()->HardDisks()->Add(), "IDE", 0, 5);
    EXPECT_THROW(WriteVmxText(*vm), tarvonel::SubscriptOutOfRange);
}

} // namespace
} // namespace zentravolix::vmx
