// SPDX-License-Identifier: MIT
// The tab model of the main window: opening, closing, the unsaved-changes question, shutdown.
#include "AppTestFixture.h"

#include <tarvonel/tarvonel.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTabWidget>

namespace zentravolix::app::testing {
namespace {

using editor::Answer;
using zentravolix::testing::RecordingDialogs;

QTabWidget* tabs(frmMain& w)
{
    return w.findChild<QTabWidget*>(QStringLiteral("sstMain"));
}

class MainWindowTabs : public AppTest {};

TEST_F(MainWindowTabs, HomeTabCannotBeClosed)
{
    frmMain& w = makeWindow();
    ASSERT_EQ(w.CurrentTab(), 0);
    EXPECT_FALSE(w.CloseCurrentTab());
    EXPECT_TRUE(tabs(w)->isTabVisible(0));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(MainWindowTabs, TabIndicesGrowAndAreNeverReused)
{
    frmMain& w = makeWindow();
    editor::Velmire* first = openNew(QStringLiteral("One"));
    editor::Velmire* second = openNew(QStringLiteral("Two"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->objectName(), QStringLiteral("Velmire1"));
    EXPECT_EQ(second->objectName(), QStringLiteral("Velmire2"));
    EXPECT_EQ(w.CurrentTab(), 2);

    ASSERT_TRUE(w.CloseCurrentTab()); // nothing changed: no question
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(w.EditorOfTab(2), nullptr);
    EXPECT_FALSE(tabs(w)->isTabVisible(2));

    editor::Velmire* third = openNew(QStringLiteral("Three"));
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->objectName(), QStringLiteral("Velmire3"));
    EXPECT_EQ(w.CurrentTab(), 3);
    EXPECT_EQ(tabs(w)->count(), 4);
    EXPECT_EQ(tabs(w)->tabText(3), QStringLiteral("Three"));
    EXPECT_EQ(w.EditorOfTab(1), first);
}

TEST_F(MainWindowTabs, CloseWithPendingChangesAsksAndKeepsTheTabOnNo)
{
    frmMain& w = makeWindow();
    editor::Velmire* editor = openNew(QStringLiteral("Pending"));
    ASSERT_NE(editor, nullptr);
    makeChange(editor);
    dialogs.clear();

    dialogs.answers.push_back(Answer::No);
    EXPECT_FALSE(w.CloseCurrentTab());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const RecordingDialogs::Call question = dialogs.messages().front();
    EXPECT_EQ(question.text, text(30));
    EXPECT_EQ(question.title, QStringLiteral("Pending - Unsaved Changes exist"));
    EXPECT_EQ(question.icon, editor::MessageIcon::Question);
    EXPECT_EQ(question.buttons, editor::Buttons::YesNo);
    EXPECT_EQ(question.defaultButton, Answer::No) << "Enter keeps the edits";
    EXPECT_EQ(w.EditorOfTab(1), editor);
    EXPECT_TRUE(tabs(w)->isTabVisible(1));

    dialogs.answers.push_back(Answer::Yes);
    EXPECT_TRUE(w.CloseCurrentTab());
    EXPECT_EQ(w.EditorOfTab(1), nullptr);
    EXPECT_FALSE(tabs(w)->isTabVisible(1));
}

TEST_F(MainWindowTabs, NewConfigurationAsksForFolderAndNameAndAppendsTheSeparator)
{
    frmMain& w = makeWindow();
    editor::Velmire* editor = openNew(QStringLiteral("Lab machine"));
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(dialogs.calls.size(), 2u);
    EXPECT_EQ(dialogs.calls[0].kind, RecordingDialogs::Kind::BrowseFolder);
    EXPECT_EQ(dialogs.calls[0].title, QStringLiteral("New Virtual Machine Location"));
    EXPECT_EQ(dialogs.calls[1].kind, RecordingDialogs::Kind::Input);
    EXPECT_EQ(dialogs.calls[1].text, QStringLiteral("Enter Display Name for VM"));
    EXPECT_EQ(dialogs.calls[1].title, QStringLiteral("Display Name?"));
    EXPECT_EQ(dialogs.calls[1].initial, QStringLiteral("New VM"));
    EXPECT_FALSE(editor->EditExistingFile());
    EXPECT_EQ(editor->NewVmxPath(), vmFolder() + QLatin1Char('/'));
    EXPECT_EQ(editor->DisplayName(), QStringLiteral("Lab machine"));
    EXPECT_EQ(tabs(w)->tabText(1), QStringLiteral("Lab machine"));
}

TEST_F(MainWindowTabs, NewConfigurationWithEverythingCancelledStillOpensNewVm)
{
    frmMain& w = makeWindow();
    dialogs.inputs.push_back(std::nullopt); // folder browser: "" (nothing queued), name: Cancel
    w.NewConfiguration();
    editor::Velmire* editor = w.EditorOfTab(1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->NewVmxPath(), QString());
    EXPECT_EQ(editor->DisplayName(), QStringLiteral("New VM"));
    EXPECT_EQ(tabs(w)->tabText(1), QStringLiteral("New VM"));
}

TEST_F(MainWindowTabs, OpenConfigurationTakesOnlyExistingLowerCaseVmxFiles)
{
    frmMain& w = makeWindow();
    const QString upper = writeVmx(QStringLiteral("Upper.VMX"), QStringLiteral("Upper"));
    w.OpenConfiguration(upper, 8);
    w.OpenConfiguration(vmFolder() + QStringLiteral("/missing.vmx"), 8);
    EXPECT_EQ(tabs(w)->count(), 1);

    dialogs.paths.push_back(upper); // chosen in the dialog: still refused
    w.OpenConfiguration(QString(), 8);
    EXPECT_EQ(tabs(w)->count(), 1);
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, RecordingDialogs::Kind::OpenFile);
    EXPECT_EQ(dialogs.calls[0].title, QStringLiteral("Select Existing Virtual Machine Configuration"));
    EXPECT_EQ(dialogs.calls[0].filter, QStringLiteral("VMware Configuration File(*.vmx)|*.vmx"));

    const QString good = writeVmx(QStringLiteral("Good.vmx"), QStringLiteral("Good"));
    dialogs.paths.push_back(good);
    w.OpenConfiguration(QString(), 8);
    editor::Velmire* editor = w.EditorOfTab(1);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->EditExistingFile());
    EXPECT_EQ(editor->ExistingVmxFileName(), good);
    // The tab shows the machine's name from the file, not the path.
    EXPECT_EQ(tabs(w)->tabText(1), QStringLiteral("Good"));
}

TEST_F(MainWindowTabs, ReloadingAFileChangedOnDiskOpensItAgainInANewTab)
{
    frmMain& w = makeWindow();
    const QString file = writeVmx(QStringLiteral("Shared.vmx"), QStringLiteral("Shared"));
    w.OpenConfiguration(file, 8);
    editor::Velmire* editor = w.EditorOfTab(1);
    ASSERT_NE(editor, nullptr);
    editor->Machine()->Options()->GeneralOptions()->SetWorkingPath("/mine");

    // Another program writes the file; the user takes its version over the tab's.
    QFile changed(file);
    ASSERT_TRUE(changed.open(QIODevice::WriteOnly));
    changed.write("displayName = \"Theirs\"\r\n");
    changed.close();
    dialogs.changedFileAnswers = {editor::DiskChangeAnswer::Reload};
    w.SaveCurrentTab();
    QApplication::processEvents();

    EXPECT_EQ(w.EditorOfTab(1), nullptr);
    editor::Velmire* reloaded = w.EditorOfTab(2);
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(reloaded->Machine()->Options()->GeneralOptions()->DisplayName(), "Theirs");
    EXPECT_FALSE(reloaded->ChangesPending());
    EXPECT_EQ(tabs(w)->tabText(2), QStringLiteral("Theirs"));
}

TEST_F(MainWindowTabs, AFileThatCannotBeReadLeavesNoTabBehind)
{
    frmMain& w = makeWindow();
    // A folder named like a configuration: it exists, but reading it fails. Keeping the tab would
    // show defaults under that name, ready to be saved over it.
    const QString folderNamedVmx = vmFolder() + QStringLiteral("/folder.vmx");
    QDir().mkpath(folderNamedVmx);
    w.OpenInTab(true, folderNamedVmx, QString(), 8, QString());
    EXPECT_EQ(w.EditorOfTab(1), nullptr);
    EXPECT_FALSE(tabs(w)->isTabVisible(1));
    EXPECT_FALSE(dialogs.messages().empty()); // the editor said why
}

TEST_F(MainWindowTabs, QuitOffersEveryTabAndOneRefusalCancelsIt)
{
    frmMain& w = makeWindow();
    makeChange(openNew(QStringLiteral("First")));
    makeChange(openNew(QStringLiteral("Second")));
    dialogs.clear();

    // The last tab is asked first: keep it; the first one is still offered and closes.
    dialogs.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(w.close());
    ASSERT_EQ(dialogs.messages().size(), 2u);
    EXPECT_TRUE(dialogs.messages()[0].title.startsWith(QStringLiteral("Second")));
    EXPECT_TRUE(dialogs.messages()[1].title.startsWith(QStringLiteral("First")));
    EXPECT_NE(w.EditorOfTab(2), nullptr);
    EXPECT_EQ(w.EditorOfTab(1), nullptr);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(QFile::exists(iniFile())); // nothing saved while the program keeps running

    dialogs.answers = {Answer::Yes};
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(QFile::exists(iniFile()));
}

TEST_F(MainWindowTabs, QuitSavesTheFavouritesAddedByASave)
{
    frmMain& w = makeWindow();
    editor::Velmire* editor = openNew(QStringLiteral("Saved one"));
    ASSERT_NE(editor, nullptr);
    w.SaveCurrentTab();
    ASSERT_EQ(settings.Favorites.size(), 1u)
        << dialogs.messageTitles().join(QStringLiteral(", ")).toStdString();
    EXPECT_EQ(settings.Favorites[0].DisplayName, "Saved one");
    EXPECT_TRUE(settings.Favorites[0].OpenInTab);
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(settings.Favorites[0].OpenInTab); // closing the tab frees the favourite again

    QFile ini(iniFile());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray content = ini.readAll();
    EXPECT_TRUE(content.contains("Favorite0=Saved one\t")) << content.toStdString();
}

TEST_F(MainWindowTabs, NamelessFileOpenedFromTheDialogGoesByItsFileName)
{
    frmMain& w = makeWindow();
    const QString path = vmFolder() + QStringLiteral("/nameless.vmx");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("config.version = \"8\"\r\nmemsize = \"256\"\r\n");
    file.close();
    dialogs.paths.push_back(path);
    w.OpenConfiguration(QString(), 8);
    editor::Velmire* editor = w.EditorOfTab(1);
    ASSERT_NE(editor, nullptr);
    // Not the path the tab was first captioned with, and not the new machine's "New VM".
    EXPECT_EQ(editor->Machine()->Options()->GeneralOptions()->DisplayName(), "nameless");
    EXPECT_EQ(tabs(w)->tabText(1), QStringLiteral("nameless"));
    ASSERT_EQ(settings.Favorites.size(), 1u);
    EXPECT_EQ(settings.Favorites[0].DisplayName, "nameless");
}

TEST_F(MainWindowTabs, NewConfigurationInALanguageWithoutNewVmIsStillNamed)
{
    writeIni("[General]\r\nLanguageOffset=500\r\n");
    frmMain& w = makeWindow();
    ASSERT_EQ(platform::LanguageOffset(), 500);
    dialogs.inputs.push_back(std::nullopt);
    w.NewConfiguration();
    EXPECT_EQ(tabs(w)->tabText(1), QStringLiteral("New VM"));
    EXPECT_EQ(w.EditorOfTab(1)->Machine()->Options()->GeneralOptions()->DisplayName(), "New VM");
}

TEST_F(MainWindowTabs, TextStillBeingTypedIsTakenBySaveAndByClose)
{
    frmMain& w = makeWindow();
    QApplication::setActiveWindow(&w);
    editor::Velmire* editor = saveNew(QStringLiteral("Typed"), vmFolder());
    ASSERT_NE(editor, nullptr);
    ASSERT_FALSE(editor->ChangesPending());
    auto* name = editor->findChild<QLineEdit*>(QStringLiteral("txtDisplayName"));
    ASSERT_NE(name, nullptr);
    name->setFocus();
    ASSERT_TRUE(name->hasFocus());
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Renamed"));

    // The shortcut takes no focus from the box: the save must still see the new name.
    menuAction("mnuVMSave")->trigger();
    QFile saved(vmFolder() + QStringLiteral("/Typed.vmx"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("displayName = \"Renamed\"")) << "typed text was not saved";
    EXPECT_FALSE(editor->ChangesPending());
    EXPECT_TRUE(name->hasFocus()) << "the box keeps the focus after the save";

    // Typing again and closing asks about the change instead of dropping it.
    QTest::keyClicks(name, QStringLiteral(" again"));
    dialogs.answers.push_back(Answer::No);
    EXPECT_FALSE(w.CloseCurrentTab());
    ASSERT_FALSE(dialogs.messages().empty());
    EXPECT_EQ(dialogs.messages().back().icon, editor::MessageIcon::Question);
}

} // namespace
} // namespace zentravolix::app::testing
