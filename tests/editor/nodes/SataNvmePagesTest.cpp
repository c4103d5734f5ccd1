// SPDX-License-Identifier: MIT
// In the whole editor: SATA and NVMe controllers in the hardware list and the add-hardware
// dialog, their pages, the disk and CD-ROM pages' new buses, controller removal, and a version
// choice the machine's devices would not fit.
#include "HardwareListFixture.h"

#include "editor/widget/pages/devices/BusControllerPages.h"

#include <filesystem>

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QListWidget>
#include <QPixmap>
#include <QTabWidget>

namespace zentravolix::testing {
namespace {

constexpr int kSata = static_cast<int>(tarvonel::VirtualHardwareType::SATAController);
constexpr int kNvme = static_cast<int>(tarvonel::VirtualHardwareType::NVMeController);
constexpr int kHardDisk = 10;
constexpr int kCdrom = 11;
constexpr int kWorkstation17 = 17; // position of 17.x in Workstation's version list
constexpr int kWorkstation55 = 4;

class SataNvmePagesTest : public HardwareListTest {
protected:
    /** A new machine for Workstation 17.x, chosen on the general page as the user does. */
    std::unique_ptr<editor::Velmire> todaysMachine()
    {
        auto editor = newEditor(QStringLiteral("Today"), QString::fromStdString(temp.withSlash()));
        child<QComboBox>(*editor, "cboPlatformVersion")->setCurrentIndex(kWorkstation17);
        EXPECT_EQ(general(*editor)->HardwareVersion(), 20);
        return editor;
    }

    /**
     * Shaped like a Windows 11 machine: a SATA controller with the CD-ROM on 0:1 (an ISO image) and
     * an NVMe controller with the system disk on 0:0, built through the list and the pages.
     */
    std::unique_ptr<editor::Velmire> windows11Machine()
    {
        auto editor = todaysMachine();
        addThroughDialog(*editor, kSata);
        addThroughDialog(*editor, kNvme);
        addThroughDialog(*editor, kHardDisk);
        child<QRadioButton>(*editor, "optHDNVMe")->click();
        addThroughDialog(*editor, kCdrom);
        child<QRadioButton>(*editor, "optCDRSATA")->click();
        EXPECT_TRUE(chooseEntry(child<QComboBox>(*editor, "cboCDRSATA"), QStringLiteral("SATA 0:1")));
        child<QRadioButton>(*editor, "optCDRImage")->click();
        leave(child<QLineEdit>(*editor, "txtCDRImage"), QStringLiteral("/isos/Win11_24H2_English_x64.iso"));
        const auto hw = editor->Machine()->Hardware();
        EXPECT_EQ(hw->HardDisks()->Count(), 1);
        EXPECT_EQ(hw->CDRoms()->Count(), 1);
        EXPECT_EQ(hw->CDRoms()->Item(1)->DeviceType(), "cdrom-image");
        EXPECT_EQ(hw->CDRoms()->Item(1)->BusType(), "SATA") << "an image entered keeps the drive's node";
        dialogs.clear();
        return editor;
    }

    static QStringList offeredKinds(editor::Velmire& e)
    {
        QStringList offered;
        QTimer::singleShot(0, &e, [&offered] {
            auto* dialog = qobject_cast<editor::frmAddHardware*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* kinds = dialog->findChild<QTreeWidget*>(QStringLiteral("lvwAvailableHardware"));
            for (int i = 0; i < kinds->topLevelItemCount(); ++i)
                offered << kinds->topLevelItem(i)->text(0);
            dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        });
        child<QPushButton>(e, "cmdHardwareAdd")->click();
        return offered;
    }

    static std::string where(const tarvonel::clsHardDisk& d)
    {
        return d.BusType() + ' ' + std::to_string(d.Controller()) + ':' + std::to_string(d.BusNode());
    }
};

TEST_F(SataNvmePagesTest, AddHardwareOffersTheControllersWithinTheVersionsLimits)
{
    const auto classic = newEditor(QStringLiteral("Classic"));
    const QStringList old = offeredKinds(*classic);
    EXPECT_FALSE(old.contains(QStringLiteral("SATA Controller")));
    EXPECT_FALSE(old.contains(QStringLiteral("NVMe Controller")));

    const auto editor = todaysMachine();
    const QStringList offered = offeredKinds(*editor);
    // After the SCSI controller, before the hard disk, as in the hardware list.
    const auto scsi = offered.indexOf(QStringLiteral("SCSI Controller"));
    ASSERT_GE(scsi, 0) << offered.join(QLatin1Char(';')).toStdString();
    EXPECT_EQ(offered.indexOf(QStringLiteral("SATA Controller")), scsi + 1);
    EXPECT_EQ(offered.indexOf(QStringLiteral("NVMe Controller")), scsi + 2);
    for (int i = 0; i < 4; ++i)
        addThroughDialog(*editor, kSata);
    EXPECT_EQ(editor->Machine()->Hardware()->SATAControllers()->Count(), 4);
    EXPECT_FALSE(offeredKinds(*editor).contains(QStringLiteral("SATA Controller")));
    EXPECT_TRUE(offeredKinds(*editor).contains(QStringLiteral("NVMe Controller")));
}

TEST_F(SataNvmePagesTest, Windows11MachineShowsItsControllersDiskAndCdrom)
{
    const auto editor = windows11Machine();
    editor->resize(900, 700);
    child<QTabWidget>(*editor, "sstMain")->setCurrentIndex(1);
    const QStringList rows = rowTexts(*editor);
    const auto at = [&](const char* text) { return rows.indexOf(QString::fromUtf8(text)); };
    ASSERT_GE(at("SATA Controller"), 0) << rows.join(QLatin1Char(';')).toStdString();
    EXPECT_GT(at("SATA Controller"), at("SCSI Controller"));
    EXPECT_EQ(at("NVMe Controller"), at("SATA Controller") + 1);
    EXPECT_EQ(at("Hard Disk (NVMe0:0)"), at("NVMe Controller") + 1);
    EXPECT_EQ(at("CD-ROM (SATA0:1)"), at("Hard Disk (NVMe0:0)") + 1);
    editor->grab().save(QStringLiteral("/tmp/zv-sata-hardware-list.png"));

    // The CD-ROM's page: the SATA button on, its list on the drive's node, the other lists idle.
    ASSERT_TRUE(clickRow(*editor, QStringLiteral("CD-ROM (SATA0:1)")));
    auto* sata = child<QRadioButton>(*editor, "optCDRSATA");
    EXPECT_FALSE(sata->isHidden());
    EXPECT_TRUE(sata->isChecked());
    EXPECT_FALSE(child<QRadioButton>(*editor, "optCDRIDE")->isChecked());
    auto* nodes = child<QComboBox>(*editor, "cboCDRSATA");
    EXPECT_TRUE(nodes->isEnabled());
    EXPECT_FALSE(child<QComboBox>(*editor, "cboCDRIDE")->isEnabled());
    EXPECT_EQ(nodes->count(), 30);
    EXPECT_EQ(nodes->currentText(), QStringLiteral("SATA 0:1 - CD-ROM 0"));
    EXPECT_EQ(nodes->itemText(0), QStringLiteral("SATA 0:0"));
    EXPECT_EQ(child<QLabel>(*editor, "lblDevicePage")->text(), QStringLiteral("CD-ROM"));
    editor->grab().save(QStringLiteral("/tmp/zv-sata-cdrom-page.png"));

    // The controllers' pages name what sits on their nodes.
    ASSERT_TRUE(clickRow(*editor, QStringLiteral("NVMe Controller")));
    EXPECT_EQ(child<QLabel>(*editor, "lblDevicePage")->text(), QStringLiteral("NVMe Controller"));
    auto* nvmeNodes = child<QListWidget>(*editor, "lstNVMeNodes");
    ASSERT_EQ(nvmeNodes->count(), 15);
    EXPECT_EQ(nvmeNodes->item(0)->text(), QStringLiteral("NVMe 0:0 - Hard Disk 0"));
    EXPECT_EQ(nvmeNodes->item(14)->text(), QStringLiteral("NVMe 0:14"));
    EXPECT_EQ(child<QLabel>(*editor, "lblNVMeNodesUsed")->text(), QStringLiteral("1 of 15 nodes in use"));
    ASSERT_TRUE(clickRow(*editor, QStringLiteral("SATA Controller")));
    EXPECT_EQ(child<QListWidget>(*editor, "lstSATANodes")->item(1)->text(), QStringLiteral("SATA 0:1 - CD-ROM 0"));
    editor->grab().save(QStringLiteral("/tmp/zv-sata-controller-page.png"));

    // Unticking "Enabled" disables the controller, and its row says so.
    child<QCheckBox>(*editor, "chkSATAEnabled")->click();
    EXPECT_FALSE(editor->Machine()->Hardware()->SATAControllers()->Item(1)->Enabled());
    const auto row = list(*editor)->findItems(QStringLiteral("SATA Controller"), Qt::MatchExactly);
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row.front()->text(1), QStringLiteral("Disabled"));
}

TEST_F(SataNvmePagesTest, RealWindowsFilesShowTheirSataCdromsAndNvmeDisk)
{
    // An ESXi 7 machine made to install Windows 11 (its ISO on SATA 0:0), and a Workstation
    // machine of Windows 10 with its disk on NVMe and three ISOs on SATA.
    const std::filesystem::path corpus = std::filesystem::path(ZV_TEST_DATA_DIR) / "corpus" / "vmx";
    const auto windows11 = openEditor(corpus / "libvirt" / "esx-in-the-wild-17.vmx");
    windows11->resize(900, 700);
    child<QTabWidget>(*windows11, "sstMain")->setCurrentIndex(1);
    QStringList rows = rowTexts(*windows11);
    EXPECT_TRUE(rows.contains(QStringLiteral("SATA Controller"))) << rows.join(QLatin1Char(';')).toStdString();
    ASSERT_TRUE(rows.contains(QStringLiteral("CD-ROM (SATA0:0)"))) << rows.join(QLatin1Char(';')).toStdString();
    const auto scsiRow = list(*windows11)->findItems(QStringLiteral("SCSI Controller"), Qt::MatchExactly);
    ASSERT_EQ(scsiRow.size(), 1);
    EXPECT_EQ(scsiRow.front()->text(1), QStringLiteral("LSI Logic SAS")) << "scsi0.virtualDev = \"lsisas1068\"";
    windows11->grab().save(QStringLiteral("/tmp/zv-win11-hardware-list.png"));
    ASSERT_TRUE(clickRow(*windows11, QStringLiteral("CD-ROM (SATA0:0)")));
    EXPECT_TRUE(child<QRadioButton>(*windows11, "optCDRSATA")->isChecked());
    EXPECT_EQ(child<QComboBox>(*windows11, "cboCDRSATA")->currentText(), QStringLiteral("SATA 0:0 - CD-ROM 0"));
    EXPECT_TRUE(child<QLineEdit>(*windows11, "txtCDRImage")->text().endsWith(QStringLiteral("windows_11_x64_official_dvd.iso")));
    windows11->grab().save(QStringLiteral("/tmp/zv-win11-sata-cdrom-page.png"));

    const auto windows10 = openEditor(corpus / "ics-honeypot" / "somachinev4.3.vmx");
    windows10->resize(900, 700);
    child<QTabWidget>(*windows10, "sstMain")->setCurrentIndex(1);
    rows = rowTexts(*windows10);
    // Numbered in file order: the drive on 0:1 comes first in the file.
    for (const char* row : {"NVMe Controller", "Hard Disk (NVMe0:0)", "CD-ROM (SATA0:1)", "CD-ROM2 (SATA0:0)",
                            "CD-ROM3 (SATA0:2)"})
        EXPECT_TRUE(rows.contains(QString::fromUtf8(row))) << row << ": " << rows.join(QLatin1Char(';')).toStdString();
    windows10->grab().save(QStringLiteral("/tmp/zv-win10-hardware-list.png"));
}

TEST_F(SataNvmePagesTest, DiskMovesFromIdeToSataToNvmeAndBackWithNothingLost)
{
    const auto editor = todaysMachine();
    addThroughDialog(*editor, kSata);
    addThroughDialog(*editor, kNvme);
    addThroughDialog(*editor, kHardDisk);
    child<QRadioButton>(*editor, "optHDIDE")->click();
    ASSERT_TRUE(chooseEntry(child<QComboBox>(*editor, "cboHDIDE"), QStringLiteral("IDE 1:0")));
    const auto disk = editor->Machine()->Hardware()->HardDisks()->Item(1);
    disk->SetDeviceName("data.vmdk");
    disk->SetMode("independent-persistent");
    EXPECT_FALSE(child<QRadioButton>(*editor, "optHDSATA")->isHidden());
    EXPECT_FALSE(child<QRadioButton>(*editor, "optHDNVMe")->isHidden());

    child<QRadioButton>(*editor, "optHDSATA")->click();
    EXPECT_EQ(where(*disk), "SATA 0:0") << "no second SATA controller: the first free node";
    EXPECT_TRUE(rowTexts(*editor).contains(QStringLiteral("Hard Disk (SATA0:0)")));
    EXPECT_EQ(child<QComboBox>(*editor, "cboHDSATA")->currentText(), QStringLiteral("SATA 0:0 - Hard Disk 0"));
    ASSERT_TRUE(chooseEntry(child<QComboBox>(*editor, "cboHDSATA"), QStringLiteral("SATA 0:5")));
    EXPECT_EQ(where(*disk), "SATA 0:5");

    child<QRadioButton>(*editor, "optHDNVMe")->click();
    EXPECT_EQ(where(*disk), "NVMe 0:5") << "the old numbers, free on the new bus";
    EXPECT_TRUE(rowTexts(*editor).contains(QStringLiteral("Hard Disk (NVMe0:5)")));
    EXPECT_TRUE(child<QComboBox>(*editor, "cboHDNVMe")->isEnabled());
    EXPECT_FALSE(child<QComboBox>(*editor, "cboHDSATA")->isEnabled());

    child<QRadioButton>(*editor, "optHDIDE")->click();
    EXPECT_EQ(where(*disk), "IDE 0:0") << "IDE has no node 0:5: the first free one";
    EXPECT_EQ(disk->DeviceName(), "data.vmdk");
    EXPECT_EQ(disk->Mode(), "independent-persistent");
    EXPECT_EQ(editor->Machine()->Hardware()->HardDisks()->Count(), 1);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(SataNvmePagesTest, ClassicVersionsOfferNeitherBusOnThePages)
{
    const auto editor = newEditor(QStringLiteral("Classic"));
    addThroughDialog(*editor, kHardDisk);
    EXPECT_TRUE(child<QRadioButton>(*editor, "optHDSATA")->isHidden());
    EXPECT_TRUE(child<QRadioButton>(*editor, "optHDNVMe")->isHidden());
    EXPECT_FALSE(child<QRadioButton>(*editor, "optHDSCSI")->isHidden());
    addThroughDialog(*editor, kCdrom);
    EXPECT_TRUE(child<QRadioButton>(*editor, "optCDRSATA")->isHidden());
    // CD-ROMs never offer NVMe.
    const auto today = todaysMachine();
    addThroughDialog(*today, kCdrom);
    EXPECT_FALSE(child<QRadioButton>(*today, "optCDRSATA")->isHidden());
    EXPECT_EQ(today->findChild<QRadioButton*>(QStringLiteral("optCDRNVMe")), nullptr);
}

TEST_F(SataNvmePagesTest, RemovingASataControllerTakesItsDevicesOnlyAfterYes)
{
    const auto editor = windows11Machine();
    const auto hw = editor->Machine()->Hardware();
    const QStringList before = rowTexts(*editor);
    ASSERT_TRUE(clickRow(*editor, QStringLiteral("SATA Controller")));
    EXPECT_TRUE(child<QPushButton>(*editor, "cmdHardwareRemove")->isEnabled());
    dialogs.answers.push_back(editor::Answer::No);
    clickRemove(*editor);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages().front().text,
              QStringLiteral("These devices are attached to SATA Controller:\n\n    CD-ROM (SATA0:1)\n\n"
                             "Remove the controller together with these devices?"));
    EXPECT_EQ(rowTexts(*editor), before);
    EXPECT_EQ(hw->CDRoms()->Count(), 1);

    dialogs.answers.push_back(editor::Answer::Yes);
    clickRemove(*editor);
    EXPECT_EQ(hw->SATAControllers()->Count(), 0);
    EXPECT_EQ(hw->CDRoms()->Count(), 0);
    EXPECT_FALSE(rowTexts(*editor).contains(QStringLiteral("CD-ROM (SATA0:1)")));
    EXPECT_TRUE(rowTexts(*editor).contains(QStringLiteral("Hard Disk (NVMe0:0)")));
}

TEST_F(SataNvmePagesTest, AVersionWithoutTheBusesIsRefusedAndTheVersionStays)
{
    const auto editor = windows11Machine();
    const QStringList before = rowTexts(*editor);
    auto* versions = child<QComboBox>(*editor, "cboPlatformVersion");
    versions->setCurrentIndex(kWorkstation55);

    ASSERT_EQ(dialogs.messages().size(), 1u);
    const auto& message = dialogs.messages().front();
    EXPECT_EQ(message.title, QStringLiteral("Version not changed"));
    EXPECT_EQ(message.text, QStringLiteral("Workstation 5.5x has no room for these devices of this machine:\n\n"
                                           "    SATA Controller\n    CD-ROM (SATA0:1)\n"
                                           "    NVMe Controller\n    Hard Disk (NVMe0:0)\n\n"
                                           "Move or remove them first, then choose the version again."));
    EXPECT_EQ(general(*editor)->PlatformVersion(), kWorkstation17);
    EXPECT_EQ(general(*editor)->HardwareVersion(), 20);
    EXPECT_EQ(versions->currentText(), QStringLiteral("17.x"));
    EXPECT_EQ(editor->Limits().MaxSATAControllers, 4);
    EXPECT_EQ(rowTexts(*editor), before);
}

TEST_F(SataNvmePagesTest, ScsiNodeListsFollowTheVersion)
{
    const auto editor = newEditor(QStringLiteral("Wide"));
    addThroughDialog(*editor, kHardDisk);
    child<QRadioButton>(*editor, "optHDSCSI")->click();
    EXPECT_EQ(child<QComboBox>(*editor, "cboHDSCSI")->count(), 8);
    child<QComboBox>(*editor, "cboPlatformVersion")->setCurrentIndex(kWorkstation17);
    ASSERT_TRUE(clickRow(*editor, QStringLiteral("Hard Disk (SCSI0:0)")));
    auto* nodes = child<QComboBox>(*editor, "cboHDSCSI");
    EXPECT_EQ(nodes->count(), 65);
    ASSERT_TRUE(chooseEntry(nodes, QStringLiteral("SCSI 0:40")));
    EXPECT_TRUE(rowTexts(*editor).contains(QStringLiteral("Hard Disk (SCSI0:40)")));
    // Back to the classic version: unit 40 does not fit eight nodes.
    child<QComboBox>(*editor, "cboPlatformVersion")->setCurrentIndex(kWorkstation55);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_NE(dialogs.messages().front().text.indexOf(QStringLiteral("    Hard Disk (SCSI0:40)")), -1);
    EXPECT_EQ(general(*editor)->PlatformVersion(), kWorkstation17);
}

} // namespace
} // namespace zentravolix::testing
