// SPDX-License-Identifier: MIT
// OK and Cancel of the new-disk dialog: the existing-file check, the request handed to the
// creation, its failures, cancelling through the progress dialog, and real (sparse) disks.
#include "CreateHDFixture.h"

#include "disk/DiskInfo.h"

#include <QProgressDialog>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>

namespace zentravolix::testing {

namespace fs = std::filesystem;
using editor::MessageIcon;

class CreateHDCreationTest : public CreateHDTest {
protected:
    /** Replaces the creation with one that records its request and returns result. */
    void fakeCreation(disk::CreateResult result = {})
    {
        dialog->setDiskCreator([this, result](const disk::DiskRequest& r, const disk::CreateEnvironment&) {
            request = r;
            ++creations;
            return result;
        });
    }

    std::optional<disk::DiskRequest> request;
    int creations = 0;
};

TEST_F(CreateHDCreationTest, ExistingFileIsRefused)
{
    std::ofstream(folder + "test.vmdk") << "x";
    load();
    fakeCreation();
    button("cmdOK")->click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, text(149));
    EXPECT_EQ(dialogs.messages()[0].title, text(148));
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Critical);
    EXPECT_EQ(creations, 0);
    EXPECT_TRUE(dialog->Cancelled);

    // A folder of that name is in the way just as much.
    fs::create_directory(folder + "dir.vmdk");
    leave(box("txtNewDisk"), QString::fromStdString(folder + "dir.vmdk"));
    button("cmdOK")->click();
    EXPECT_EQ(creations, 0);
}

TEST_F(CreateHDCreationTest, RequestCarriesTheDialogsChoices)
{
    dialog->VirtualHWVersion = 4;
    load();
    fakeCreation();
    choose(option("optMethodExternal"));
    choose(option("optTypeFixedSplit"));
    choose(option("optAdaptLsi"));
    leave(box("txtNewDisk"), QString::fromStdString(folder + "split"));
    typeSize("optSizeMb", QStringLiteral("1.5"));
    EXPECT_EQ(messageTexts().value(0), text(153)); // 1.5 Mb is 3072 sectors
    dialogs.clear();
    typeSize("optSizeGb", QStringLiteral("3"));
    button("cmdOK")->click();

    ASSERT_TRUE(request);
    EXPECT_EQ(request->names.diskName, folder + "split.vmdk");
    EXPECT_EQ(request->names.basePath, folder + "split");
    EXPECT_EQ(request->names.baseName, "split");
    EXPECT_EQ(request->adapter, disk::AdapterType::LsiLogic);
    EXPECT_EQ(request->kind, disk::DiskKind::PreallocatedSplit);
    EXPECT_EQ(request->method, disk::CreateMethod::External);
    EXPECT_EQ(request->sectorCount, 6291456);
    EXPECT_EQ(request->virtualHWVersion, 4);
    EXPECT_FALSE(dialog->Cancelled);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->DiskName, QString::fromStdString(folder + "split.vmdk"));
}

TEST_F(CreateHDCreationTest, OkRechecksASizeAcceptedForAnotherAdapter)
{
    load();
    choose(option("optAdaptBus"));
    leave(box("txtDiskSize"), QStringLiteral("200"));
    EXPECT_TRUE(button("cmdOK")->isEnabled());
    fakeCreation();
    // 200 Gb passed for SCSI; IDE allows 128 Gb only.
    choose(option("optAdaptIde"));
    button("cmdOK")->click();
    EXPECT_EQ(creations, 0);
    EXPECT_EQ(messageTexts().value(0), text(154));
    EXPECT_TRUE(dialog->Cancelled);
}

TEST_F(CreateHDCreationTest, FailureReasonIsTranslatedLikeEveryOtherText)
{
    const disk::CreateResult failure =
        disk::CreateResult::failure(3, disk::DiskText::QemuImgFailed, {"3", "/x/test.vmdk"});
    load();
    fakeCreation(failure);
    button("cmdOK")->click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("3: qemu-img failed (exit code 3) creating /x/test.vmdk"));

    platform::SetLanguageOffset(1500);
    dialogs.calls.clear();
    dialog = std::make_unique<editor::frmCreateHD>(dialogs);
    load();
    fakeCreation(failure);
    button("cmdOK")->click();
    platform::SetLanguageOffset(0);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              QStringLiteral("3: qemu-img fall\u00f3 (c\u00f3digo de salida 3) al crear /x/test.vmdk"));
}

TEST_F(CreateHDCreationTest, FailureShowsNumberAndReasonAndKeepsTheDialogOpen)
{
    load();
    fakeCreation(disk::CreateResult::systemFailure(ENOSPC, "No space left on device", "/x/test-s001.vmdk"));
    button("cmdOK")->click();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              QStringLiteral("%1: No space left on device: /x/test-s001.vmdk").arg(ENOSPC));
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(dialog->Cancelled);
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(button("cmdOK")->isEnabled());
    EXPECT_TRUE(button("cmdCancel")->isEnabled());
}

TEST_F(CreateHDCreationTest, MissingToolShowsItsMessage)
{
    load();
    disk::CreateResult missing;
    missing.status = disk::CreateResult::Status::MissingTool;
    missing.message = disk::DiskText::QemuImgNotFound;
    missing.title = disk::DiskText::MissingToolTitle;
    fakeCreation(missing);
    button("cmdOK")->click();
    EXPECT_EQ(dialogs.messageTitles(), QStringList{text(159)});
    // The message names the tool and its package as they are on this platform.
    EXPECT_EQ(messageTexts(), QStringList{QStringLiteral("qemu-img not found!  Install the package qemu-utils (apt "
                                                         "install qemu-utils), or place qemu-img in the folder of "
                                                         "this application.")});
    EXPECT_TRUE(dialog->Cancelled);
}

TEST_F(CreateHDCreationTest, CancelInTheProgressDialogStopsTheCreation)
{
    load();
    bool secondReport = true;
    dialog->setDiskCreator([&](const disk::DiskRequest&, const disk::CreateEnvironment& env) {
        EXPECT_TRUE(env.progress({0, 100}));
        auto* progress = dialog->findChild<QProgressDialog*>(QStringLiteral("prgCreateHD"));
        EXPECT_NE(progress, nullptr);
        if (progress)
            progress->cancel();
        secondReport = env.progress({50, 100});
        return disk::CreateResult::cancellation();
    });
    button("cmdOK")->click();
    EXPECT_FALSE(secondReport);
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_TRUE(dialog->Cancelled);
    EXPECT_NE(dialog->result(), QDialog::Accepted);
}

TEST_F(CreateHDCreationTest, CancelWhileCreatingIsIgnored)
{
    load();
    dialog->setDiskCreator([&](const disk::DiskRequest&, const disk::CreateEnvironment&) {
        dialog->reject(); // Escape or the close box during the creation
        return disk::CreateResult{};
    });
    button("cmdOK")->click();
    EXPECT_FALSE(dialog->Cancelled);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(CreateHDCreationTest, MakesARealGrowableDiskThatReadsBack)
{
    load();
    typeSize("optSizeMb", QStringLiteral("100"));
    button("cmdOK")->click();
    ASSERT_TRUE(dialogs.calls.empty()) << messageTexts().join(QStringLiteral("; ")).toStdString();
    EXPECT_FALSE(dialog->Cancelled);
    disk::DiskInfo info;
    info.folder = folder;
    info.fileName = "test.vmdk";
    ASSERT_TRUE(disk::ReadDiskDescriptor(info)) << disk::ReadDiskDescriptor(info).detail;
    EXPECT_EQ(info.createType, "monolithicSparse");
    EXPECT_EQ(info.adapterType, "ide");
    EXPECT_EQ(info.sectors, 204800);
}

TEST_F(CreateHDCreationTest, MakesALsiLogicSplitDiskWithTheLibrary)
{
    load("lsi.vmdk");
    choose(option("optTypeGrowSplit"));
    choose(option("optAdaptLsi"));
    typeSize("optSizeMb", QStringLiteral("200"));
    button("cmdOK")->click();
    ASSERT_TRUE(dialogs.calls.empty()) << messageTexts().join(QStringLiteral("; ")).toStdString();
    disk::DiskInfo info;
    info.folder = folder;
    info.fileName = "lsi.vmdk";
    ASSERT_TRUE(disk::ReadDiskDescriptor(info));
    EXPECT_EQ(info.createType, "twoGbMaxExtentSparse");
    EXPECT_EQ(info.adapterType, "lsilogic");
    EXPECT_EQ(info.sectors, 409600);
    EXPECT_TRUE(fs::exists(folder + "lsi-s001.vmdk"));
}

} // namespace zentravolix::testing
