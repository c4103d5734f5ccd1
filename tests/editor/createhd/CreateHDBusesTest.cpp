// SPDX-License-Identifier: MIT
// The new-disk dialog's SATA and NVMe adapters, offered by the product version, and its limits
// beyond 32-bit sector counts.
#include "CreateHDFixture.h"

#include "config/ConfigSession.h"
#include "config/ProductTables.h"

#include <QGroupBox>
#include <QLayout>

#include <optional>

namespace zentravolix::testing {

namespace {

constexpr std::int64_t k8TB = std::int64_t(8) * 1024 * 2097152;

class CreateHDBusesTest : public CreateHDTest {
protected:
    void fakeCreation()
    {
        dialog->setDiskCreator([this](const disk::DiskRequest& r, const disk::CreateEnvironment&) {
            request = r;
            return disk::CreateResult{};
        });
    }

    /** The adapter options in the order the frame lays them out. */
    QStringList adapterOrder() const
    {
        QStringList names;
        QLayout* layout = child<QGroupBox>("fraAdapter")->layout();
        for (int i = 0; i < layout->count(); ++i) {
            if (QWidget* w = layout->itemAt(i)->widget())
                names << w->objectName();
        }
        return names;
    }

    /** The limits of a product version of the catalog, by its caption. */
    static editor::EditorLimits limitsOf(config::Platform platform, const std::string& caption)
    {
        const auto p = static_cast<std::int16_t>(platform);
        const std::vector<std::string> captions = config::PlatformVersionCaptions(p);
        const auto at = std::find(captions.begin(), captions.end(), caption);
        EXPECT_NE(at, captions.end()) << caption;
        const auto row = config::FindVersionSettings(p, static_cast<std::int16_t>(at - captions.begin()));
        EXPECT_TRUE(row.has_value()) << caption;
        return row ? row->Limits : editor::EditorLimits{};
    }

    std::optional<disk::DiskRequest> request;
};

} // namespace

TEST_F(CreateHDBusesTest, SataAndNvmeAreOfferedAfterTheClassicThreeOnlyWhereTheVersionHasThem)
{
    load();
    const QStringList order = {QStringLiteral("optAdaptIde"), QStringLiteral("optAdaptBus"),
                               QStringLiteral("optAdaptLsi"), QStringLiteral("optAdaptSata"),
                               QStringLiteral("optAdaptNvme")};
    EXPECT_EQ(adapterOrder(), order);
    // A classic product: the three adapters it always had, nothing more.
    EXPECT_TRUE(option("optAdaptSata")->isHidden());
    EXPECT_TRUE(option("optAdaptNvme")->isHidden());

    dialog = std::make_unique<editor::frmCreateHD>(dialogs);
    dialog->SataAvailable = true;
    load();
    EXPECT_FALSE(option("optAdaptSata")->isHidden());
    EXPECT_TRUE(option("optAdaptNvme")->isHidden());
    EXPECT_EQ(option("optAdaptSata")->text(), QStringLiteral("SATA"));

    dialog = std::make_unique<editor::frmCreateHD>(dialogs);
    dialog->SataAvailable = true;
    dialog->NvmeAvailable = true;
    load();
    EXPECT_FALSE(option("optAdaptNvme")->isHidden());
    EXPECT_EQ(option("optAdaptNvme")->text(), QStringLiteral("NVMe"));
    EXPECT_TRUE(option("optAdaptIde")->isChecked()); // the default stays IDE

    // Like the SCSI adapters they need the library or a preallocated disk with the external method.
    choose(option("optAdaptNvme"));
    choose(option("optMethodExternal"));
    EXPECT_FALSE(option("optAdaptSata")->isEnabled());
    EXPECT_FALSE(option("optAdaptNvme")->isEnabled());
    EXPECT_TRUE(option("optAdaptIde")->isChecked());
    choose(option("optTypeFixed"));
    EXPECT_TRUE(option("optAdaptSata")->isEnabled());
    EXPECT_TRUE(option("optAdaptNvme")->isEnabled());
}

TEST_F(CreateHDBusesTest, ChosenBusGoesIntoTheRequestAndComesBackOut)
{
    dialog->SataAvailable = true;
    dialog->NvmeAvailable = true;
    load();
    fakeCreation();
    choose(option("optAdaptNvme"));
    leave(box("txtNewDisk"), QString::fromStdString(folder + "fast"));
    button("cmdOK")->click();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->adapter, disk::AdapterType::Nvme);
    EXPECT_FALSE(dialog->Cancelled);
    EXPECT_EQ(dialog->Adapter, disk::AdapterType::Nvme);
}

TEST_F(CreateHDBusesTest, LimitsBeyond32BitsAreTakenAndNamedWhenPassed)
{
    dialog->MaxScsiSectors = k8TB;
    dialog->MaxIdeSectors = k8TB;
    dialog->SataAvailable = true;
    load();
    fakeCreation();
    EXPECT_EQ(dialog->MaxScsiSectors, k8TB);
    choose(option("optAdaptSata"));
    choose(option("optTypeGrowSplit"));
    leave(box("txtNewDisk"), QString::fromStdString(folder + "huge"));

    typeSize("optSizeGb", QStringLiteral("8192"));
    EXPECT_TRUE(dialogs.calls.empty()) << messageTexts().join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(button("cmdOK")->isEnabled());

    typeSize("optSizeGb", QStringLiteral("8193"));
    ASSERT_EQ(messageTexts().size(), 2);
    EXPECT_EQ(messageTexts()[0], QStringLiteral("Disk Size too large!  Maximum Size is 8192 Gb (17179869184 sectors)."));
    EXPECT_EQ(messageTexts()[1], text(151));
    EXPECT_FALSE(button("cmdOK")->isEnabled());
    dialogs.clear();

    // 2 TB and one sector: past 2^32, as a split growable disk.
    typeSize("optSizeSectors", QStringLiteral("4294967297"));
    EXPECT_TRUE(dialogs.calls.empty()) << messageTexts().join(QStringLiteral(" | ")).toStdString();
    button("cmdOK")->click();
    ASSERT_TRUE(request);
    EXPECT_EQ(request->sectorCount, 4294967297);
    EXPECT_EQ(request->adapter, disk::AdapterType::Sata);
}

TEST_F(CreateHDBusesTest, SingleGrowableDiskStopsBelow2TbAndClassicMessagesStay)
{
    dialog->MaxScsiSectors = k8TB;
    load();
    choose(option("optAdaptLsi"));
    typeSize("optSizeGb", QStringLiteral("2048"));
    ASSERT_FALSE(messageTexts().isEmpty());
    EXPECT_TRUE(messageTexts()[0].startsWith(QStringLiteral("A single growable disk holds at most 4294441984 sectors")))
        << messageTexts()[0].toStdString();
    dialogs.clear();
    typeSize("optSizeGb", QStringLiteral("2047"));
    EXPECT_TRUE(dialogs.calls.empty());

    // The classic limits keep their classic message.
    dialog = std::make_unique<editor::frmCreateHD>(dialogs);
    load();
    dialogs.clear();
    choose(option("optAdaptLsi"));
    typeSize("optSizeGb", QStringLiteral("257"));
    ASSERT_FALSE(messageTexts().isEmpty());
    EXPECT_EQ(messageTexts()[0], text(154));
}

TEST_F(CreateHDBusesTest, EditorHandsInTheVersionsLimitsAndBuses)
{
    config::ConfigSession session("/tmp/");
    session.StartNew("Test", "/vms/test/");
    const auto vm = session.Machine();

    // Workstation 17: 8 TB disks, SATA and NVMe controllers.
    editor::frmCreateHD modern(dialogs);
    editor::PrepareCreateHD(modern, *vm, limitsOf(config::Platform::Workstation, "17.x"));
    EXPECT_EQ(modern.MaxIdeSectors, k8TB);
    EXPECT_EQ(modern.MaxScsiSectors, k8TB);
    EXPECT_TRUE(modern.SataAvailable);
    EXPECT_TRUE(modern.NvmeAvailable);

    // ESXi 8.0: 62 TB.
    editor::frmCreateHD server(dialogs);
    editor::PrepareCreateHD(server, *vm, limitsOf(config::Platform::ESXi, "8.0"));
    EXPECT_EQ(server.MaxScsiSectors, std::int64_t(62) * 1024 * 2097152);

    // Workstation 5.5x: its classic limits, no SATA, no NVMe.
    editor::frmCreateHD classic(dialogs);
    editor::PrepareCreateHD(classic, *vm, limitsOf(config::Platform::Workstation, "5.5x"));
    EXPECT_EQ(classic.MaxIdeSectors, 1992294400);
    EXPECT_EQ(classic.MaxScsiSectors, 1992294400);
    EXPECT_FALSE(classic.SataAvailable);
    EXPECT_FALSE(classic.NvmeAvailable);
}

} // namespace zentravolix::testing
