// SPDX-License-Identifier: MIT
// The hard-disk page after a disk file was entered or created: the facts read from its descriptor,
// the model updates, the bus chosen by the adapter and the node the disk gets.
#include "editor/devices/StoragePageFixture.h"

#include "editor/dialogs/frmCreateHD.h"
#include "config/ProductTables.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/pages/devices/HardDiskPage.h"
#include "platform/TextTable.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <fstream>
#include <string>

namespace zentravolix::testing {
namespace {

using editor::HardDiskPage;
using editor::MessageIcon;

class HardDiskFactsTest : public StoragePageTest {
protected:
    void SetUp() override
    {
        StoragePageTest::SetUp();
        ASSERT_TRUE(tmp.isValid());
        folder = tmp.path().toStdString() + "/";
    }

    /** A descriptor as a monolithic sparse disk of `sectors` would have it, CR LF line ends. */
    std::string writeDescriptor(const std::string& name, const std::string& adapter, std::int64_t sectors = 4194304,
                                const std::string& createType = "monolithicSparse")
    {
        const std::string path = folder + name;
        std::ofstream out(path, std::ios::binary);
        out << "# Disk DescriptorFile\r\nversion=1\r\nCID=1a2b3c4d\r\nparentCID=ffffffff\r\n"
            << "createType=\"" << createType << "\"\r\n\r\n# Extent description\r\n"
            << "RW " << sectors << " SPARSE \"" << name << "\"\r\n\r\n# The Disk Data Base\r\n#DDB\r\n\r\n"
            << "ddb.virtualHWVersion = \"4\"\r\nddb.geometry.cylinders = \"4161\"\r\n"
            << "ddb.geometry.heads = \"16\"\r\nddb.geometry.sectors = \"63\"\r\n"
            << "ddb.adapterType = \"" << adapter << "\"\r\n";
        return path;
    }

    std::shared_ptr<tarvonel::clsHardDisk> diskOn(const char* bus, std::int16_t controller, std::int16_t node)
    {
        auto d = hw()->HardDisks()->Add();
        d->SetBusType(bus);
        d->SetController(controller);
        d->SetBusNode(node);
        return d;
    }

    static std::string where(const tarvonel::clsHardDisk& d)
    {
        return d.BusType() + ' ' + std::to_string(d.Controller()) + ':' + std::to_string(d.BusNode());
    }

    QTemporaryDir tmp;
    std::string folder;
};

TEST_F(HardDiskFactsTest, FactsBoxFollowsTheProgramsLanguage)
{
    platform::SetLanguageOffset(1000);
    auto page = makePage<HardDiskPage>(hw()->HardDisks()->Add()->ID());
    leave(child<QLineEdit>(*page, "txtHDFile"), QString::fromStdString(writeDescriptor("data.vmdk", "ide")));
    platform::SetLanguageOffset(0);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              QString::fromStdString("Chemin du disque : " + folder + "\r\nNom du disque : data.vmdk\r\n"
                                     "Type de disque : monolithicSparse (0)\r\nType d'adaptateur : ide\r\n"
                                     "Taille : 4194304 secteurs (2 Gb)\r\n"
                                     "G\u00e9om\u00e9trie : cylindres 4161, t\u00eates 16, secteurs 63\r\n"
                                     "Version du mat\u00e9riel : 4\r\nCID : 1a2b3c4d\r\n"));
}

TEST_F(HardDiskFactsTest, ReadableDiskShowsItsFactsAndTakesTheBusOfItsAdapter)
{
    auto disk = hw()->HardDisks()->Add(); // no node yet
    disk->SetMode("independent-nonpersistent");
    auto page = makePage<HardDiskPage>(disk->ID());
    const std::string path = writeDescriptor("data.vmdk", "lsilogic");

    leave(child<QLineEdit>(*page, "txtHDFile"), QString::fromStdString(path));

    ASSERT_FALSE(dialogs.messages().empty());
    const auto& box = dialogs.messages().front();
    EXPECT_EQ(box.title, QStringLiteral("Current Disk Information"));
    EXPECT_EQ(box.icon, MessageIcon::Information);
    EXPECT_EQ(box.text, QString::fromStdString("Disk Path: " + folder + "\r\nDisk Name: data.vmdk\r\n"
                                               "Disk Type: monolithicSparse (0)\r\nAdapter Type: lsilogic\r\n"
                                               "Size: 4194304 sectors (2 Gb)\r\n"
                                               "Geometry: Cylinders 4161, Heads 16, Sectors 63\r\n"
                                               "Hardware Version: 4\r\nCID: 1a2b3c4d\r\n"));
    EXPECT_EQ(disk->DeviceName(), path);
    EXPECT_EQ(disk->DeviceType(), "disk");
    EXPECT_EQ(disk->Mode(), "persistent");
    EXPECT_FALSE(child<QCheckBox>(*page, "chkHDIndependent")->isChecked());
    // LSI Logic: the SCSI bus, and its first free node.
    EXPECT_TRUE(child<QRadioButton>(*page, "optHDSCSI")->isChecked());
    EXPECT_EQ(where(*disk), "SCSI 0:0");
    EXPECT_EQ(child<QComboBox>(*page, "cboHDSCSI")->currentIndex(), 0);
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_FALSE(edits.empty());

    // Return in the unchanged box reads nothing again and keeps a mode chosen since.
    disk->SetMode("independent-persistent");
    leave(child<QLineEdit>(*page, "txtHDFile"), QString::fromStdString(path));
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(disk->Mode(), "independent-persistent");
}

TEST_F(HardDiskFactsTest, UnreadableDiskSaysSoAndStillUpdatesTheModel)
{
    auto disk = diskOn("SCSI", 0, 3);
    disk->SetMode("independent-persistent");
    disk->SetDeviceType("rawDisk");
    auto page = makePage<HardDiskPage>(disk->ID());

    leave(child<QLineEdit>(*page, "txtHDFile"), QString::fromStdString(folder + "missing.vmdk"));

    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              QString::fromStdString("Unable to Read current disk\n\n" + folder +
                                     "missing.vmdk\nThe file cannot be read: No such file or directory"));
    EXPECT_EQ(dialogs.messages()[0].title, QStringLiteral("Current Disk Information"));
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(disk->DeviceName(), folder + "missing.vmdk");
    EXPECT_EQ(disk->DeviceType(), "disk");
    EXPECT_EQ(disk->Mode(), "persistent");
    // No adapter read: the disk stays on its bus and node.
    EXPECT_EQ(where(*disk), "SCSI 0:3");

    // A descriptor with a create type nobody knows fails the same way, and says which type.
    const std::string vmfs = writeDescriptor("vmfs.vmdk", "ide", 2048, "vmfs");
    leave(child<QLineEdit>(*page, "txtHDFile"), QString::fromStdString(vmfs));
    EXPECT_EQ(dialogs.messages().back().text,
              QString::fromStdString("Unable to Read current disk\n\n" + vmfs +
                                     "\nThe descriptor names a disk type that is not known: vmfs"));
    EXPECT_EQ(disk->DeviceName(), vmfs);
    EXPECT_EQ(where(*disk), "SCSI 0:3") << "an unreadable descriptor names no adapter";
}

TEST_F(HardDiskFactsTest, BareNameIsLookedForBesideTheConfigurationAndRawDisksAreMarked)
{
    vm->Options()->GeneralOptions()->SetVmxPath(folder);
    writeDescriptor("raw.vmdk", "ide", 1000, "fullDevice");
    auto disk = hw()->HardDisks()->Add();
    auto page = makePage<HardDiskPage>(disk->ID());

    leave(child<QLineEdit>(*page, "txtHDFile"), QStringLiteral("raw.vmdk"));

    ASSERT_FALSE(dialogs.messages().empty());
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith(QString::fromStdString("Disk Path: " + folder + "\r\n")));
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("Size: 1000 sectors (500 Kb)")));
    EXPECT_EQ(disk->DeviceName(), "raw.vmdk") << "the box text is stored as typed";
    EXPECT_EQ(disk->DeviceType(), "rawDisk");
    EXPECT_TRUE(child<QRadioButton>(*page, "optHDIDE")->isChecked());
    // "ide" chooses the IDE bus, where the disk takes the first free node.
    EXPECT_EQ(disk->BusType(), "IDE");
    EXPECT_GE(disk->BusNode(), 0);
}

TEST_F(HardDiskFactsTest, IdeDiskWithEveryIdeNodeTakenSaysSoAndStaysUnassigned)
{
    while (hw()->HardDisks()->Count() > 0)
        hw()->HardDisks()->Remove(1);
    while (hw()->CDRoms()->Count() > 0)
        hw()->CDRoms()->Remove(1);
    for (std::int16_t n = 0; n < 4; ++n)
        diskOn("IDE", n / 2, n % 2);
    auto disk = hw()->HardDisks()->Add();
    auto page = makePage<HardDiskPage>(disk->ID());

    leave(child<QLineEdit>(*page, "txtHDFile"), QString::fromStdString(writeDescriptor("ide.vmdk", "ide")));

    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_EQ(dialogs.messages()[1].title, QStringLiteral("No Available Nodes"));
    EXPECT_EQ(dialogs.messages()[1].text, QStringLiteral("No available IDE nodes!"));
    EXPECT_EQ(disk->BusType(), "IDE");
    EXPECT_EQ(disk->BusNode(), -1) << "no fallback to the SCSI bus";
}

// A disk on IDE 0:0 given a SCSI disk file keeps the numbers 0:0, which on the SCSI bus name the
// node of another disk: it takes a free SCSI node instead of sharing that one.
TEST_F(HardDiskFactsTest, SwitchedBusNeverLeavesTwoDevicesOnOneNode)
{
    auto scsiDisk = diskOn("SCSI", 0, 0);
    auto disk = diskOn("IDE", 0, 0);
    auto page = makePage<HardDiskPage>(disk->ID());

    leave(child<QLineEdit>(*page, "txtHDFile"), QString::fromStdString(writeDescriptor("bus.vmdk", "buslogic")));

    EXPECT_EQ(where(*scsiDisk), "SCSI 0:0");
    EXPECT_EQ(where(*disk), "SCSI 0:1");

    // Back to IDE: 0:1 there is free, so the disk keeps those numbers.
    leave(child<QLineEdit>(*page, "txtHDFile"), QString::fromStdString(writeDescriptor("ide.vmdk", "ide")));
    EXPECT_EQ(where(*disk), "IDE 0:1");
    // A free node of the new bus is kept too.
    leave(child<QLineEdit>(*page, "txtHDFile"), QString::fromStdString(writeDescriptor("lsi.vmdk", "lsilogic")));
    EXPECT_EQ(where(*disk), "SCSI 0:1");
}

TEST_F(HardDiskFactsTest, CreatedDiskIsFilledInWithItsFactsAndANode)
{
    editor::DevicePageHooks hooks;
    hooks.createDisk = [this](const std::string&, std::string&) {
        // What the editor's hook does, with the dialog confirmed at once instead of shown.
        editor::frmCreateHD dialog(dialogs);
        editor::PrepareCreateHD(dialog, *vm, editor::EditorLimits{});
        dialog.DiskName = QString::fromStdString(folder + "made.vmdk");
        dialog.Load();
        dialog.findChild<QRadioButton*>(QStringLiteral("optAdaptLsi"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        return dialog.Cancelled ? QString() : dialog.DiskName;
    };
    auto disk = hw()->HardDisks()->Add();
    auto page = makePage<HardDiskPage>(disk->ID(), hooks);

    child<QPushButton>(*page, "cmdHDCreate")->click();

    EXPECT_EQ(disk->DeviceName(), folder + "made.vmdk");
    ASSERT_FALSE(dialogs.messages().empty());
    const auto& box = dialogs.messages().back();
    EXPECT_EQ(box.title, QStringLiteral("Current Disk Information"));
    EXPECT_TRUE(box.text.contains(QStringLiteral("Adapter Type: lsilogic"))) << box.text.toStdString();
    EXPECT_TRUE(box.text.contains(QStringLiteral("Size: 4194304 sectors (2 Gb)"))) << box.text.toStdString();
    EXPECT_EQ(where(*disk), "SCSI 0:0");
}

TEST_F(HardDiskFactsTest, TheDialogGetsTheEditorsProposalLimitsAndVersion)
{
    const auto general = vm->Options()->GeneralOptions();
    general->SetVmxPath("/vms/test/");
    general->SetVmxFileName("Test.vmx");
    general->SetHardwareVersion(4);
    editor::EditorLimits limits;
    limits.MaxIdeDiskSize = 268435456;
    limits.MaxScsiDiskSize = 1992294400;
    editor::frmCreateHD dialog(dialogs);
    editor::PrepareCreateHD(dialog, *vm, limits);
    EXPECT_EQ(dialog.DiskName, QStringLiteral("/vms/test/Test.vmdk"));
    EXPECT_EQ(dialog.MaxIdeSectors, 268435456);
    EXPECT_EQ(dialog.MaxScsiSectors, 1992294400);
    EXPECT_EQ(dialog.VirtualHWVersion, 4);
}

} // namespace
} // namespace zentravolix::testing
