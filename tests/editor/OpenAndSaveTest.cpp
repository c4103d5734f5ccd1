// SPDX-License-Identifier: MIT
// Opening existing files (real ones from other programs among them) and saving.
#include "EditorFixture.h"

#include "editor/dialogs/frmSummary.h"
#include "platform/AtomicFile.h"

#include <QRadioButton>
#include <QStandardItemModel>

namespace zentravolix::testing {
namespace {

using editor::MessageIcon;

class OpenAndSave : public EditorTest {
protected:
    /** A real file from another program, in the repository's corpus (no lines the editor keeps aside). */
    static constexpr const char* kRealFile = "vmx/cosmos/2024-03-04_Workstation_Cosmos.vmx";

    /** A copy of a file of the corpus in the temporary folder (the editor may write beside it). */
    std::filesystem::path copyOf(const test::corpus::File& source, const char* name = "machine.vmx")
    {
        const auto target = temp.path() / name;
        std::filesystem::copy_file(source.path, target);
        return target;
    }
    std::filesystem::path copyOfRealFile()
    {
        const auto source = test::corpus::Find(kRealFile);
        EXPECT_TRUE(source) << kRealFile;
        return source ? copyOf(*source) : temp.path() / "missing.vmx";
    }

    static editor::frmSummary* summaryWindow()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<editor::frmSummary*>(w); s && s->isVisible())
                return s;
        return nullptr;
    }
};

TEST_F(OpenAndSave, CorpusFileOpensAndItsValuesAppear)
{
    const auto source = test::corpus::Find("vmx/freebsd-project/FreeBSD.vmx");
    if (!source)
        GTEST_SKIP() << test::corpus::MissingReason("vmx/freebsd-project/FreeBSD.vmx");
    const auto file = copyOf(*source);
    bool ok = false;
    const auto editor = openEditor(file, &ok);
    ASSERT_TRUE(ok) << dialogs.messageTitles().join(QStringLiteral(", ")).toStdString();
    EXPECT_FALSE(editor->ChangesPending());
    EXPECT_TRUE(editor->VmxNameValid());
    EXPECT_EQ(child<QLineEdit>(*editor, "txtDisplayName")->text(), QStringLiteral("FreeBSD"));
    EXPECT_EQ(child<QLineEdit>(*editor, "txtVmxFileName")->text(), QStringLiteral("machine.vmx"));
    EXPECT_EQ(child<QLineEdit>(*editor, "txtVmxFolder")->text(), QString::fromStdString(temp.withSlash()));
    selectOptionsRow(*editor, 1);
    EXPECT_EQ(child<QComboBox>(*editor, "cboPowerOff")->currentIndex(), 1); // powerType.powerOff = "soft"

    const auto hw = editor->Machine()->Hardware();
    EXPECT_EQ(hw->Memory()->Item(1)->MBs(), 4392);
    auto* list = child<QTreeWidget>(*editor, "lvwHardwareList");
    const auto memoryRows =
        list->findItems(QString::fromStdString(hw->Memory()->Item(1)->DisplayName()), Qt::MatchExactly);
    ASSERT_EQ(memoryRows.size(), 1);
    EXPECT_EQ(memoryRows.front()->text(1), QString::fromStdString(hw->Memory()->Item(1)->Summary()));
    ASSERT_EQ(hw->NetworkAdapters()->Count(), 1);
    EXPECT_EQ(list->findItems(QString::fromStdString(hw->NetworkAdapters()->Item(1)->DisplayName()),
                              Qt::MatchExactly)
                  .size(),
              1);

    // Opening adds the machine to the favourites.
    ASSERT_EQ(favorites.size(), 1u);
    EXPECT_EQ(favorites[0].DisplayName, "FreeBSD");
    EXPECT_EQ(favorites[0].VmxPath, file.string());
    EXPECT_TRUE(favorites[0].OpenInTab);
}

TEST_F(OpenAndSave, GuestUnknownToTheProductShowsNoGuestVersion)
{
    const auto file = temp.path() / "w7.vmx";
    writeFile(file, "config.version = \"8\"\nguestOS = \"windows7-64\"\n");
    const auto editor = openEditor(file);
    EXPECT_EQ(general(*editor)->GuestOSName(), "windows7-64");
    EXPECT_EQ(child<QComboBox>(*editor, "cboGuestVersions")->currentIndex(), -1);
    EXPECT_FALSE(editor->ChangesPending());
    // Saving writes the guest the file named.
    ASSERT_TRUE(editor->CreateVmxFile());
    EXPECT_NE(readFile(file).find("guestOS = \"windows7-64\""), std::string::npos);
}

TEST_F(OpenAndSave, EveryCorpusFileOpensWithAtMostOneProblemMessage)
{
    int files = 0;
    for (const auto& entry : corpusVmxFiles()) {
        ++files;
        dialogs.clear();
        bool ok = false;
        const auto editor = openEditor(entry.path, &ok);
        EXPECT_TRUE(ok) << entry.relative;
        EXPECT_FALSE(editor->ChangesPending()) << entry.relative;
        EXPECT_LE(dialogs.messageTitles().count(QStringLiteral("Lines Kept Unchanged")), 1) << entry.relative;
        EXPECT_GT(child<QTreeWidget>(*editor, "lvwHardwareList")->topLevelItemCount(), 0);
    }
    EXPECT_GT(files, 10);
}

TEST_F(OpenAndSave, ReaderProblemsAreShownOnceInOneMessage)
{
    const auto file = temp.path() / "odd.vmx";
    writeFile(file, "memsize = \"lots\"\nnumvcpus = \"two\"\ndisplayName = \"Odd\"\n");
    const auto editor = openEditor(file);
    const auto shown = dialogs.messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("line 1: memsize = \"lots\"")));
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("line 2:")));
    EXPECT_TRUE(shown[0].text.contains(QString::fromStdString(file.string())));
    EXPECT_EQ(general(*editor)->DisplayName(), "Odd");
}

TEST_F(OpenAndSave, ReadMessagesAreTranslatedLikeEveryOtherText)
{
    const auto file = temp.path() / "odd.vmx";
    writeFile(file, "memsize = \"lots\"\ndisplayName = \"Odd\"\n");
    openEditor(file);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, QStringLiteral("Lines Kept Unchanged"));
    EXPECT_TRUE(dialogs.messages()[0].text.endsWith(
        QStringLiteral("\nline 1: memsize = \"lots\" (the value is not a number)")));

    dialogs.calls.clear();
    platform::SetLanguageOffset(500);
    openEditor(file);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, QStringLiteral("Unver\u00e4ndert behaltene Zeilen"));
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith(QStringLiteral("Einige Zeilen von ") +
                                                      QString::fromStdString(file.string())));
    EXPECT_TRUE(dialogs.messages()[0].text.endsWith(
        QStringLiteral("\nZeile 1: memsize = \"lots\" (der Wert ist keine Zahl)")));
}

TEST_F(OpenAndSave, FileWithoutDisplayNameGoesByItsFileName)
{
    const auto first = temp.path() / "first.vmx";
    const auto second = temp.path() / "second.vmx";
    writeFile(first, "memsize = \"256\"\n");
    writeFile(second, "memsize = \"512\"\n");
    const auto a = openEditor(first);
    const auto b = openEditor(second);
    EXPECT_EQ(general(*a)->DisplayName(), "first");
    EXPECT_EQ(general(*b)->DisplayName(), "second");
    EXPECT_FALSE(a->ChangesPending());
    // Two favourites, not one overwritten by the other.
    ASSERT_EQ(favorites.size(), 2u);
    EXPECT_EQ(favorites[0].DisplayName, "first");
    EXPECT_EQ(favorites[1].DisplayName, "second");
    EXPECT_EQ(favorites[1].VmxPath, second.string());
}

TEST_F(OpenAndSave, UnreadableFileIsReportedByNameAndRefused)
{
    const auto missing = temp.path() / "missing.vmx";
    bool ok = true;
    const auto editor = openEditor(missing, &ok);
    EXPECT_FALSE(ok);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QString::fromStdString(missing.string())));
    EXPECT_TRUE(favorites.empty());
}

TEST_F(OpenAndSave, BackupIsTheFileAsOpenedMadeAtTheFirstSaveOverIt)
{
    settings.CreateBackups = true;
    const auto file = copyOfRealFile();
    const std::string opened = readFile(file);
    const auto backup = file.string() + ".bak";
    writeFile(backup, "the only copy of an older original");

    // Opening and closing without saving leaves the older backup alone.
    openEditor(file).reset();
    EXPECT_EQ(readFile(backup), "the only copy of an older original");
    EXPECT_FALSE(dialogs.messageTitles().contains(QStringLiteral("Backup Made")));

    const auto editor = openEditor(file);
    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("Renamed"));
    dialogs.clear();
    ASSERT_TRUE(editor->CreateVmxFile());
    EXPECT_EQ(readFile(backup), opened);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, QStringLiteral("Backup Made"));
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith(QStringLiteral("Backup file created as: ") +
                                                      QString::fromStdString(backup)));
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("as it was opened")));

    // Later saves of the same editor keep the backup of the file as it was opened.
    dialogs.clear();
    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("Renamed again"));
    ASSERT_TRUE(editor->CreateVmxFile());
    EXPECT_EQ(readFile(backup), opened);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(OpenAndSave, AFailedBackupStopsTheSave)
{
    settings.CreateBackups = true;
    const auto file = copyOfRealFile();
    const std::string opened = readFile(file);
    std::filesystem::create_directory(file.string() + ".bak"); // a folder where the copy should go
    const auto editor = openEditor(file);
    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("Renamed"));
    dialogs.clear();
    EXPECT_FALSE(editor->CreateVmxFile());
    EXPECT_EQ(readFile(file), opened);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(editor->ChangesPending());
}

TEST_F(OpenAndSave, SaveWritesTheFileClearsTheFlagAndShowsIt)
{
    const auto file = copyOfRealFile();
    const auto editor = openEditor(file);
    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("Renamed"));
    ASSERT_TRUE(editor->ChangesPending());
    dialogs.clear();

    ASSERT_TRUE(editor->CreateVmxFile()) << dialogs.messageTitles().join(QStringLiteral(", ")).toStdString();
    EXPECT_FALSE(editor->ChangesPending());
    const std::string written = readFile(file);
    EXPECT_NE(written.find("displayName = \"Renamed\"\r\n"), std::string::npos);
    // Lines the editor does not model come back.
    EXPECT_NE(written.find("pciBridge4.virtualDev = \"pcieRootPort\""), std::string::npos);
    EXPECT_TRUE(dialogs.messages().empty());

    auto* summary = summaryWindow();
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->windowTitle(), QStringLiteral("machine.vmx - (Read-Only)"));
    EXPECT_TRUE(summary->Output().contains(QStringLiteral("displayName = \"Renamed\"\n")));
}

TEST_F(OpenAndSave, NewConfigurationSavesIntoItsFolder)
{
    const auto editor = newEditor(QStringLiteral("Fresh"), QString::fromStdString(temp.withSlash()));
    ASSERT_TRUE(editor->CreateVmxFile());
    const std::string written = readFile(temp.path() / "Fresh.vmx");
    EXPECT_EQ(written.rfind("#######################################\r\n####### Fresh.vmx\r\n", 0), 0u);
    EXPECT_FALSE(editor->ChangesPending());
}

TEST_F(OpenAndSave, PreChecksRefuseWithTheirMessagesAndIcons)
{
    const auto editor = newEditor(QStringLiteral("Checked"), QString::fromStdString(temp.withSlash()));
    leave(child<QLineEdit>(*editor, "txtVmxFileName"), QString());
    EXPECT_FALSE(editor->CreateVmxFile());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, QStringLiteral("Missing Data"));
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("Invalid VMX File Name and/or Folder"));
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(editor->ChangesPending());

    leave(child<QLineEdit>(*editor, "txtVmxFileName"), QStringLiteral("Checked"));
    const auto hw = editor->Machine()->Hardware();
    hw->SCSIControllers()->Item(1)->SetEnabled(true);
    for (int i = 0; i < 5; ++i)
        hw->NetworkAdapters()->Add()->SetEnabled(true);
    dialogs.clear();
    EXPECT_FALSE(editor->CreateVmxFile());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].title, QStringLiteral("Too many virtual PCI Devices enabled"));
    EXPECT_TRUE(
        dialogs.messages()[0].text.startsWith(QStringLiteral("You currently have 6 virtual PCI devices")));
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "Checked.vmx"));
}

TEST_F(OpenAndSave, FailedWriteKeepsTheOldFileAndTheFlagAndNamesTheFile)
{
    const auto file = copyOfRealFile();
    const std::string before = readFile(file);
    const auto editor = openEditor(file);
    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("Renamed"));
    dialogs.clear();
    {
        platform::WriteHooks hooks;
        hooks.failRename = true;
        platform::ScopedWriteFailureForTesting failure(hooks);
        EXPECT_FALSE(editor->CreateVmxFile());
    }
    EXPECT_TRUE(editor->ChangesPending());
    EXPECT_EQ(readFile(file), before);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QString::fromStdString(file.string())));
    EXPECT_EQ(summaryWindow(), nullptr);
}

TEST_F(OpenAndSave, FolderThatIsReallyAFileFailsWithAMessage)
{
    writeFile(temp.path() / "blocker", "x");
    const auto editor =
        newEditor(QStringLiteral("Blocked"), QString::fromStdString((temp.path() / "blocker").string()));
    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("Blocked Machine"));
    EXPECT_FALSE(editor->CreateVmxFile());
    EXPECT_TRUE(editor->ChangesPending());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(
        dialogs.messages()[0].text.contains(QString::fromStdString((temp.path() / "blocker").string())));
}

TEST_F(OpenAndSave, RunningMachineWarnsOnOpenAndAsksBeforeSaving)
{
    const auto file = copyOfRealFile();
    std::filesystem::create_directory(file.string() + ".lck");
    const std::string before = readFile(file);
    const auto editor = openEditor(file);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral(".lck")));

    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("Renamed"));
    dialogs.clear();
    dialogs.answers = {editor::Answer::No};
    EXPECT_FALSE(editor->CreateVmxFile());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].buttons, editor::Buttons::YesNo);
    EXPECT_EQ(readFile(file), before);
    EXPECT_TRUE(editor->ChangesPending());

    dialogs.answers = {editor::Answer::Yes};
    EXPECT_TRUE(editor->CreateVmxFile());
    EXPECT_FALSE(editor->ChangesPending());
}

TEST_F(OpenAndSave, SuspendedMachineWarnsOnOpen)
{
    const auto file = temp.path() / "s.vmx";
    writeFile(file, "displayName = \"S\"\ncheckpoint.vmState = \"s.vmss\"\n");
    const auto editor = openEditor(file);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("s.vmss")));
}

TEST_F(OpenAndSave, ValuesThePagesDoNotKnowAreShownAsTheyAreAndSavedUnchanged)
{
    const auto file = temp.path() / "kept.vmx";
    writeFile(file, "config.version = \"8\"\r\nvirtualHW.version = \"4\"\r\ndisplayName = \"Kept\"\r\n"
                    "scsi0.present = \"TRUE\"\r\nscsi0.virtualDev = \"pvscsi\"\r\n"
                    "sound.present = \"TRUE\"\r\nsound.virtualDev = \"hdaudio\"\r\n"
                    "ethernet0.present = \"TRUE\"\r\nethernet0.virtualDev = \"vmxnet3\"\r\n"
                    "serial0.present = \"TRUE\"\r\nserial0.fileType = \"thinprint\"\r\n");
    bool ok = false;
    auto editor = openEditor(file, &ok);
    ASSERT_TRUE(ok);
    auto* list = child<QTreeWidget>(*editor, "lvwHardwareList");
    const auto hw = editor->Machine()->Hardware();
    const auto rowOf = [&](const std::string& name) -> QTreeWidgetItem* {
        const auto rows = list->findItems(QString::fromStdString(name), Qt::MatchExactly);
        return rows.isEmpty() ? nullptr : rows.front();
    };
    // The list names the stored values, never another one (not "Buslogic", not "Using port ...").
    QTreeWidgetItem* scsiRow = rowOf(hw->SCSIControllers()->Item(1)->DisplayName());
    QTreeWidgetItem* serialRow = rowOf(hw->SerialPorts()->Item(1)->DisplayName());
    ASSERT_TRUE(scsiRow && serialRow);
    EXPECT_EQ(scsiRow->text(1), QStringLiteral("pvscsi"));
    EXPECT_EQ(serialRow->text(1), QStringLiteral("thinprint"));

    // The pages show them as a disabled extra entry, chosen.
    list->setCurrentItem(scsiRow);
    auto* scsiType = child<QComboBox>(*editor, "cboSCSICont");
    EXPECT_EQ(scsiType->currentText(), QStringLiteral("pvscsi"));
    EXPECT_FALSE(qobject_cast<QStandardItemModel*>(scsiType->model())->item(scsiType->currentIndex())->isEnabled());
    list->setCurrentItem(rowOf(hw->AudioDevices()->Item(1)->DisplayName()));
    auto* soundType = child<QComboBox>(*editor, "cboAudioDevice");
    EXPECT_EQ(soundType->currentText(), QStringLiteral("hdaudio"));
    list->setCurrentItem(rowOf(hw->NetworkAdapters()->Item(1)->DisplayName()));
    EXPECT_EQ(child<QComboBox>(*editor, "cboNicType")->currentText(), QStringLiteral("vmxnet3"));
    list->setCurrentItem(serialRow);
    for (const char* option : {"optSerPort", "optSerFile", "optSerPipe"})
        EXPECT_FALSE(child<QRadioButton>(*editor, option)->isChecked()) << option;
    EXPECT_FALSE(editor->ChangesPending());

    // Saved and read again, every value is as the file had it.
    ASSERT_TRUE(editor->CreateVmxFile());
    for (const char* line : {"scsi0.virtualDev = \"pvscsi\"", "sound.virtualDev = \"hdaudio\"",
                             "ethernet0.virtualDev = \"vmxnet3\"", "serial0.fileType = \"thinprint\""})
        EXPECT_NE(readFile(file).find(line), std::string::npos) << line;
    for (const char* other : {"buslogic", "es1371", "vlance"})
        EXPECT_EQ(readFile(file).find(other), std::string::npos) << other;
    editor = openEditor(file, &ok);
    ASSERT_TRUE(ok);
    list = child<QTreeWidget>(*editor, "lvwHardwareList");
    EXPECT_EQ(rowOf(editor->Machine()->Hardware()->SCSIControllers()->Item(1)->DisplayName())->text(1),
              QStringLiteral("pvscsi"));

    // Only a value the user picks replaces them, also the one the model held all along.
    list->setCurrentItem(rowOf(editor->Machine()->Hardware()->SCSIControllers()->Item(1)->DisplayName()));
    scsiType = child<QComboBox>(*editor, "cboSCSICont");
    scsiType->setCurrentIndex(1);
    emit scsiType->activated(1);
    EXPECT_EQ(scsiType->count(), 2) << "the extra entry goes once a value is chosen";
    list->setCurrentItem(rowOf(editor->Machine()->Hardware()->AudioDevices()->Item(1)->DisplayName()));
    soundType = child<QComboBox>(*editor, "cboAudioDevice");
    soundType->setCurrentIndex(0);
    emit soundType->activated(0);
    EXPECT_TRUE(editor->ChangesPending());
    ASSERT_TRUE(editor->CreateVmxFile());
    const std::string written = readFile(file);
    EXPECT_NE(written.find("scsi0.virtualDev = \"lsilogic\""), std::string::npos);
    EXPECT_NE(written.find("sound.virtualDev = \"es1371\""), std::string::npos);
    EXPECT_EQ(written.find("pvscsi"), std::string::npos);
    EXPECT_EQ(written.find("hdaudio"), std::string::npos);
    EXPECT_NE(written.find("ethernet0.virtualDev = \"vmxnet3\""), std::string::npos);
}

TEST_F(OpenAndSave, ADeviceWithoutANodeIsNeverLeftOutWithoutAWord)
{
    // A disk added but not yet given a file has no node, so the file has no keys for it. Save
    // names it and asks; Enter (No) keeps editing, Yes saves without it.
    const auto editor = newEditor(QStringLiteral("Unplaced"), QString::fromStdString(temp.path().string()));
    const auto disk = editor->Machine()->Hardware()->HardDisks()->Add();
    const auto file = temp.path() / "Unplaced.vmx";
    dialogs.answers.push_back(editor::Answer::No);
    EXPECT_FALSE(editor->CreateVmxFile());
    EXPECT_FALSE(std::filesystem::exists(file));
    ASSERT_FALSE(dialogs.messages().empty());
    const auto question = dialogs.messages().back();
    EXPECT_EQ(question.title, QStringLiteral("Devices Without a Node"));
    EXPECT_TRUE(question.text.contains(QString::fromStdString(disk->DisplayName()))) << question.text.toStdString();
    EXPECT_EQ(question.buttons, editor::Buttons::YesNo);
    EXPECT_EQ(question.defaultButton, editor::Answer::No);

    dialogs.answers.push_back(editor::Answer::Yes);
    EXPECT_TRUE(editor->CreateVmxFile());
    EXPECT_TRUE(std::filesystem::exists(file));

    // Once every device has a node, Save asks nothing about nodes.
    editor->Machine()->Hardware()->HardDisks()->Remove(-1, disk->ID());
    const auto before = dialogs.messages().size();
    EXPECT_TRUE(editor->CreateVmxFile());
    for (std::size_t i = before; i < dialogs.messages().size(); ++i)
        EXPECT_NE(dialogs.messages()[i].title, QStringLiteral("Devices Without a Node"));
}

} // namespace
} // namespace zentravolix::testing
