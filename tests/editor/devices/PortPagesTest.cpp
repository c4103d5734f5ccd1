// SPDX-License-Identifier: MIT
// The serial and parallel port pages: host port lists, output files and named pipes.

#include "DevicePageFixture.h"

#include "editor/widget/pages/devices/ParallelPortPage.h"
#include "editor/widget/pages/devices/SerialPortPage.h"

#include <QPushButton>

namespace zentravolix::testing {
namespace {

using editor::ParallelPortPage;
using editor::SerialPortPage;

// ---- Serial ---------------------------------------------------------------------------------

TEST_F(DevicePageTest, SerialListHoldsTheHostPortsAndFindsTheNameIgnoringCase)
{
    context.hostDevices.serialPorts = {"/dev/ttyS0", "/dev/ttyUSB0"};
    auto port = hw()->SerialPorts()->Add();
    port->SetDeviceName("/DEV/TTYUSB0");
    auto page = makePage<SerialPortPage>(port->ID());
    auto* list = child<QComboBox>(*page, "cboSerPort");
    EXPECT_EQ(entries(list), (QStringList{QStringLiteral("auto detect"), QStringLiteral("/dev/ttyS0"),
                                          QStringLiteral("/dev/ttyUSB0")}));
    EXPECT_EQ(list->currentIndex(), 2);
    EXPECT_TRUE(child<QRadioButton>(*page, "optSerPort")->isChecked());
    EXPECT_FALSE(child<QLineEdit>(*page, "txtSerFile")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(*page, "txtSerPipeName")->isEnabled());

    setProduct(3, 0); // Server 1.x offers no auto-detection
    context.hostDevices.serialPorts.clear();
    port->SetDeviceName("com9");
    page->load(port->ID());
    // A host without serial ports is offered the usual device paths, never Windows port names.
    EXPECT_EQ(entries(list), texts({"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"}));
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_TRUE(edits.empty());
}

TEST_F(DevicePageTest, SerialAutoDetectIsStoredUntranslated)
{
    auto port = hw()->SerialPorts()->Add();
    port->SetDeviceName("COM2");
    auto page = makePage<SerialPortPage>(port->ID());
    // German shows its own caption for the entry; the file still needs the exact "auto detect".
    platform::SetLanguageOffset(500);
    page->updateUILabels();
    auto* list = child<QComboBox>(*page, "cboSerPort");
    EXPECT_EQ(list->itemText(0), QStringLiteral("Automatisch erkennen"));
    choose(list, 0);
    EXPECT_EQ(port->DeviceName(), "auto detect");
    EXPECT_EQ(port->Summary(), "Using port auto detect");
    page->load(port->ID());
    EXPECT_EQ(list->currentIndex(), 0);
}

TEST_F(DevicePageTest, SerialPipeControlsActOnlyWhilePipeIsChosen)
{
    auto port = hw()->SerialPorts()->Add();
    auto page = makePage<SerialPortPage>(port->ID());
    auto* pipeName = child<QLineEdit>(*page, "txtSerPipeName");
    auto* end1 = child<QComboBox>(*page, "cboSerPipeEnd1");
    auto* end2 = child<QComboBox>(*page, "cboSerPipeEnd2");
    EXPECT_EQ(entries(end1), (QStringList{QStringLiteral("Server"), QStringLiteral("Client")}));
    EXPECT_EQ(entries(end2), (QStringList{QStringLiteral("VM"), QStringLiteral("Application")}));

    choose(end1, 1);
    leave(pipeName, QStringLiteral("/tmp/pipe"));
    EXPECT_EQ(port->PipeEnd1(), 0);
    EXPECT_EQ(port->DeviceName(), "auto detect");

    child<QRadioButton>(*page, "optSerPipe")->click();
    EXPECT_EQ(port->DeviceType(), "pipe");
    EXPECT_TRUE(pipeName->isEnabled());
    EXPECT_FALSE(child<QComboBox>(*page, "cboSerPort")->isEnabled());
    leave(pipeName, QStringLiteral("/tmp/pipe"));
    choose(end1, 1);
    choose(end2, 1);
    EXPECT_EQ(port->DeviceName(), "/tmp/pipe");
    EXPECT_EQ(port->Summary(), "Using pipe /tmp/pipe");
    EXPECT_EQ(port->PipeEnd1(), 1);
    EXPECT_EQ(port->PipeEnd2(), 1);
    EXPECT_EQ(edits, (std::vector<bool>{true, true, false, false}));

    leave(pipeName, QString());
    EXPECT_EQ(port->DeviceName(), "/tmp/pipe") << "an emptied box keeps the name";
}

TEST_F(DevicePageTest, SerialFileBrowseNamesAFileToWrite)
{
    auto port = hw()->SerialPorts()->Add();
    auto page = makePage<SerialPortPage>(port->ID());
    child<QRadioButton>(*page, "optSerFile")->click();
    EXPECT_TRUE(child<QPushButton>(*page, "cmdBrowseSerFile")->isEnabled());

    dialogs.paths = {QString(), QStringLiteral("/vms/test/com1.txt")};
    child<QPushButton>(*page, "cmdBrowseSerFile")->click(); // cancelled
    EXPECT_EQ(port->DeviceName(), "auto detect");
    child<QPushButton>(*page, "cmdBrowseSerFile")->click();
    EXPECT_EQ(port->DeviceName(), "/vms/test/com1.txt");
    EXPECT_EQ(port->Summary(), "Using file /vms/test/com1.txt");
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[0].kind, RecordingDialogs::Kind::SaveFile);
    EXPECT_EQ(dialogs.calls[0].title, QStringLiteral("Browse for Serial Port Output File"));

    page->load(port->ID());
    EXPECT_TRUE(child<QRadioButton>(*page, "optSerFile")->isChecked());
    EXPECT_EQ(child<QLineEdit>(*page, "txtSerFile")->text(), QStringLiteral("/vms/test/com1.txt"));
}

TEST_F(DevicePageTest, SerialUnknownTypeChoosesNoOption)
{
    auto port = hw()->SerialPorts()->Add();
    port->SetDeviceType("Pipe");
    auto page = makePage<SerialPortPage>(port->ID());
    for (const char* name : {"optSerPort", "optSerFile", "optSerPipe"})
        EXPECT_FALSE(child<QRadioButton>(*page, name)->isChecked()) << name;
    child<QCheckBox>(*page, "chkSerYield")->click();
    EXPECT_TRUE(port->YieldCpu());
}

// ---- Parallel -------------------------------------------------------------------------------

TEST_F(DevicePageTest, ParallelPortChoiceAndBidirectionalWriteTheModel)
{
    auto port = hw()->ParallelPorts()->Add();
    auto page = makePage<ParallelPortPage>(port->ID());
    auto* list = child<QComboBox>(*page, "cboParPort");
    EXPECT_EQ(entries(list), texts({"auto detect", "/dev/parport0", "/dev/parport1", "/dev/parport2"}));
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_TRUE(child<QCheckBox>(*page, "chkParPortBiDi")->isChecked());

    choose(list, 2);
    EXPECT_EQ(port->DeviceName(), "/dev/parport1");
    EXPECT_EQ(port->Summary(), "Using port /dev/parport1");
    child<QCheckBox>(*page, "chkParPortBiDi")->click();
    EXPECT_FALSE(port->Bidirectional());
    child<QCheckBox>(*page, "chkParEnabled")->click();
    EXPECT_FALSE(port->Enabled());
    EXPECT_EQ(edits, (std::vector<bool>{true, false, false}));
}

TEST_F(DevicePageTest, ParallelFileOptionSwitchesTheControls)
{
    auto port = hw()->ParallelPorts()->Add();
    auto page = makePage<ParallelPortPage>(port->ID());
    auto* file = child<QLineEdit>(*page, "txtParFile");
    leave(file, QStringLiteral("/tmp/lpt.txt"));
    EXPECT_EQ(port->DeviceName(), "auto detect") << "the box acts only while the file option is on";

    child<QRadioButton>(*page, "optParFile")->click();
    EXPECT_EQ(port->DeviceType(), "file");
    EXPECT_FALSE(child<QComboBox>(*page, "cboParPort")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(*page, "chkParPortBiDi")->isEnabled());
    leave(file, QStringLiteral("/tmp/lpt.txt"));
    EXPECT_EQ(port->DeviceName(), "/tmp/lpt.txt");
    choose(child<QComboBox>(*page, "cboParPort"), 1);
    EXPECT_EQ(port->DeviceName(), "/tmp/lpt.txt") << "the list acts only while the port option is on";

    child<QRadioButton>(*page, "optParPort")->click();
    EXPECT_EQ(port->DeviceType(), "device");
    EXPECT_FALSE(file->isEnabled());
    EXPECT_FALSE(child<QPushButton>(*page, "cmdBrowseParFile")->isEnabled());
}

} // namespace
} // namespace zentravolix::testing
