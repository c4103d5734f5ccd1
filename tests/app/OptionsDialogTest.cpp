// SPDX-License-Identifier: MIT
// The options dialog: working copies, OK and Cancel, the browse buttons, the language switch
// re-labelling the program at once, and a new INI folder taking effect at quit.
#include "AppTestFixture.h"

#include "app/frmOptions.h"
#include "platform/Paths.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QTabWidget>

#include <functional>

namespace zentravolix::app::testing {
namespace {

using zentravolix::testing::RecordingDialogs;

template <typename T> T* child(QWidget& parent, const char* name)
{
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

/** Types text into a box and leaves it, as a user would. */
void typeInto(QLineEdit* box, const QString& text)
{
    box->setText(text);
    emit box->editingFinished();
}

class OptionsDialog : public AppTest {
protected:
    /** Opens the dialog through the Options menu and runs act on it while it is shown. */
    void throughTheMenu(const std::function<void(frmOptions&)>& act)
    {
        bool seen = false;
        QTimer::singleShot(0, window.get(), [&] {
            auto* options = window->findChild<frmOptions*>(QStringLiteral("frmOptions"));
            ASSERT_NE(options, nullptr);
            ASSERT_TRUE(options->isVisible());
            seen = true;
            act(*options);
            if (options->isVisible())
                options->reject();
        });
        menuAction("mnuOptions")->trigger();
        EXPECT_TRUE(seen);
    }
};

TEST_F(OptionsDialog, WorksOnCopiesAndCancelChangesNothing)
{
    writeIni("[General]\r\nCreateBackups=0\r\nLaunchApplication=/opt/vmware/bin/vmplayer\r\n"
             "ImagePath=/srv/isos\r\nLanguageOffset=0\r\n");
    makeWindow();
    ASSERT_TRUE(menuAction("mnuOptions")->isEnabled());
    const platform::ProgramSettings before = settings;

    frmOptions options(dialogs, settings, window.get());
    EXPECT_EQ(options.windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(child<QLineEdit>(options, "txtIniPath")->text(), QString::fromStdString(settings.IniLocation));
    EXPECT_FALSE(child<QCheckBox>(options, "chkBackup")->isChecked());
    EXPECT_EQ(child<QLineEdit>(options, "txtTarget")->text(), QStringLiteral("/opt/vmware/bin/vmplayer"));
    EXPECT_EQ(child<QLineEdit>(options, "txtImagePath")->text(), QStringLiteral("/srv/isos"));
    EXPECT_TRUE(child<QRadioButton>(options, "optLangEn")->isChecked());
    auto* tabs = child<QTabWidget>(options, "sstOptions");
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("General"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Language"));

    typeInto(child<QLineEdit>(options, "txtIniPath"), vmFolder());
    child<QCheckBox>(options, "chkBackup")->click();
    typeInto(child<QLineEdit>(options, "txtTarget"), QStringLiteral("/usr/bin/other"));
    dialogs.paths.push_back(QStringLiteral("/media/images"));
    child<QPushButton>(options, "cmdBrowseForImagePath")->click();
    child<QRadioButton>(options, "optLangIt")->click();
    EXPECT_EQ(options.IniPath(), vmFolder());
    EXPECT_TRUE(options.Backups());
    EXPECT_EQ(options.Target(), QStringLiteral("/usr/bin/other"));
    EXPECT_EQ(options.ImagePath(), QStringLiteral("/media/images"));
    EXPECT_EQ(options.LanguageIndex(), 4);
    EXPECT_EQ(settings.LaunchApplication, before.LaunchApplication); // only copies so far

    child<QPushButton>(options, "cmdCancel")->click();
    EXPECT_EQ(options.result(), QDialog::Rejected);
    EXPECT_EQ(settings.IniLocation, before.IniLocation);
    EXPECT_EQ(settings.CreateBackups, before.CreateBackups);
    EXPECT_EQ(settings.LaunchApplication, before.LaunchApplication);
    EXPECT_EQ(settings.ImagePath, before.ImagePath);
    EXPECT_EQ(platform::LanguageOffset(), 0);
    EXPECT_EQ(menuAction("mnuOptions")->text(), QStringLiteral("Options"));
}

TEST_F(OptionsDialog, OkAppliesTheValuesAndTheBrowseButtonsFillTheBoxes)
{
    makeWindow();
    frmOptions options(dialogs, settings, window.get());
    dialogs.paths = {vmFolder(), QStringLiteral("/opt/vm/launcher"), QStringLiteral("/srv/isos")};
    child<QPushButton>(options, "cmdBrowseForIniPath")->click();
    child<QPushButton>(options, "cmdBrowseForTarget")->click();
    child<QPushButton>(options, "cmdBrowseForImagePath")->click();
    ASSERT_EQ(dialogs.calls.size(), 3u);
    EXPECT_EQ(dialogs.calls[0].kind, RecordingDialogs::Kind::BrowseFolder);
    EXPECT_EQ(dialogs.calls[0].title, QStringLiteral("Location for ini file"));
    EXPECT_EQ(dialogs.calls[1].kind, RecordingDialogs::Kind::OpenFile);
    EXPECT_EQ(dialogs.calls[1].title, QStringLiteral("VMWare Application"));
    EXPECT_EQ(dialogs.calls[2].kind, RecordingDialogs::Kind::BrowseFolder);
    EXPECT_EQ(dialogs.calls[2].title, QStringLiteral("Default Location for Floppy and CD-ROM Image files"));
    EXPECT_EQ(child<QLineEdit>(options, "txtTarget")->text(), QStringLiteral("/opt/vm/launcher"));

    // A cancelled browser leaves the box as it was.
    child<QPushButton>(options, "cmdBrowseForImagePath")->click();
    EXPECT_EQ(child<QLineEdit>(options, "txtImagePath")->text(), QStringLiteral("/srv/isos"));

    child<QCheckBox>(options, "chkBackup")->click();
    child<QPushButton>(options, "cmdOK")->click();
    EXPECT_EQ(options.result(), QDialog::Accepted);
    EXPECT_EQ(settings.IniLocation, vmFolder().toStdString());
    EXPECT_FALSE(settings.CreateBackups);
    EXPECT_EQ(settings.LaunchApplication, "/opt/vm/launcher");
    EXPECT_EQ(settings.ImagePath, "/srv/isos");
    EXPECT_FALSE(QFile::exists(vmFolder() + QStringLiteral("/Zentravolix.ini"))); // written at quit only
}

TEST_F(OptionsDialog, TheSavePreviewSwitchedOffIsBroughtBackHere)
{
    makeWindow();
    settings.ShowSavePreview = false;
    frmOptions options(dialogs, settings, window.get());
    auto* preview = child<QCheckBox>(options, "chkSavePreview");
    EXPECT_FALSE(preview->isChecked());
    EXPECT_EQ(preview->text(), QStringLiteral("Show a preview before saving over a file"));
    preview->click();
    child<QPushButton>(options, "cmdOK")->click();
    EXPECT_TRUE(settings.ShowSavePreview);
}

TEST_F(OptionsDialog, AnEmptyIniFolderKeepsTheOldOne)
{
    makeWindow();
    const std::string before = settings.IniLocation;
    ASSERT_FALSE(before.empty());
    frmOptions options(dialogs, settings, window.get());
    // Typed and confirmed with Enter: the box is not left before OK.
    child<QLineEdit>(options, "txtIniPath")->clear();
    child<QLineEdit>(options, "txtTarget")->setText(QStringLiteral("/usr/bin/typed"));
    child<QPushButton>(options, "cmdOK")->click();
    EXPECT_EQ(settings.IniLocation, before);
    EXPECT_EQ(settings.LaunchApplication, "/usr/bin/typed");
}

TEST_F(OptionsDialog, ChangingTheLanguageRelabelsTheMainWindowAndOpenEditorsAtOnce)
{
    makeWindow();
    editor::Velmire* first = openNew(QStringLiteral("One"));
    editor::Velmire* second = openNew(QStringLiteral("Two"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    auto* editorTabs = first->findChild<QTabWidget*>(QStringLiteral("sstMain"));
    ASSERT_EQ(editorTabs->tabText(1), QStringLiteral("Hardware"));

    QString dialogTitleAfterOk;
    throughTheMenu([&](frmOptions& options) {
        child<QRadioButton>(options, "optLangDe")->click();
        child<QPushButton>(options, "cmdOK")->click();
        dialogTitleAfterOk = options.windowTitle();
    });
    EXPECT_EQ(platform::LanguageOffset(), 500);
    EXPECT_EQ(settings.LanguageOffset, 500); // what quitting saves
    EXPECT_EQ(dialogTitleAfterOk, QStringLiteral("Wahlen"));
    EXPECT_EQ(menuAction("mnuOptions")->text(), QStringLiteral("Wahlen"));
    EXPECT_EQ(window->findChild<QMenu*>(QStringLiteral("mnuFile"))->title(), QStringLiteral("Datei"));
    EXPECT_EQ(window->findChild<QTreeWidget*>(QStringLiteral("lvwVMs"))->headerItem()->text(0),
              QStringLiteral("Anzeigename"));
    // Both editors, not only the one in front.
    for (editor::Velmire* editor : {first, second}) {
        auto* tabs = editor->findChild<QTabWidget*>(QStringLiteral("sstMain"));
        EXPECT_EQ(tabs->tabText(0), QStringLiteral("Wahlen"));
        EXPECT_EQ(editor->findChild<QGroupBox*>(QStringLiteral("fraNotes"))->title(), QStringLiteral("Notizen"));
    }

    // The dialog opens in the new language with its translated rows.
    throughTheMenu([&](frmOptions& options) {
        EXPECT_TRUE(child<QRadioButton>(options, "optLangDe")->isChecked());
        EXPECT_EQ(child<QRadioButton>(options, "optLangDe")->text(), QStringLiteral("Deutsch"));
        EXPECT_EQ(child<QTabWidget>(options, "sstOptions")->tabText(1), QStringLiteral("Sprache"));
        EXPECT_EQ(child<QPushButton>(options, "cmdOK")->text(), QStringLiteral("OK"));
        EXPECT_EQ(child<QPushButton>(options, "cmdCancel")->text(), QStringLiteral("Abbrechen"));
    });
}

TEST_F(OptionsDialog, LanguagesAreNamedInThemselvesInEveryLanguage)
{
    makeWindow();
    const QStringList names{QStringLiteral("English"), QStringLiteral("Deutsch"), QStringLiteral("Fran\u00e7ais"),
                            QStringLiteral("Espa\u00f1ol"), QStringLiteral("Italiano")};
    const char* options[] = {"optLangEn", "optLangDe", "optLangFr", "optLangEs", "optLangIt"};
    for (int language = 0; language < platform::kLanguageCount; ++language) {
        platform::SetLanguageOffset(platform::LanguageOffsetFromIndex(language));
        frmOptions dialog(dialogs, settings, window.get());
        for (int i = 0; i < platform::kLanguageCount; ++i)
            EXPECT_EQ(child<QRadioButton>(dialog, options[i])->text(), names[i]) << "language " << language;
        EXPECT_FALSE(child<QTabWidget>(dialog, "sstOptions")->tabText(1).isEmpty());
        EXPECT_FALSE(child<QPushButton>(dialog, "cmdCancel")->text().isEmpty());
    }
    platform::SetLanguageOffset(0);
}

TEST_F(OptionsDialog, QuittingWritesTheIniIntoTheNewFolderAndTheNextStartReadsIt)
{
    makeWindow();
    const QString oldIni = iniFile();
    const QString newFolder = vmFolder() + QStringLiteral("/settings here");
    throughTheMenu([&](frmOptions& options) {
        dialogs.paths.push_back(newFolder);
        child<QPushButton>(options, "cmdBrowseForIniPath")->click();
        typeInto(child<QLineEdit>(options, "txtTarget"), QStringLiteral("/usr/bin/vmplayer"));
        child<QPushButton>(options, "cmdOK")->click();
    });
    saveNew(QStringLiteral("Kept"), vmFolder());
    ASSERT_TRUE(window->close());
    window.reset();

    const QString newIni = newFolder + QStringLiteral("/Zentravolix.ini");
    ASSERT_TRUE(QFile::exists(newIni));
    EXPECT_FALSE(QFile::exists(oldIni));

    // The next start finds the folder through the store and reads the file from there.
    settings = platform::ProgramSettings{};
    makeWindow();
    EXPECT_EQ(settings.IniLocation, newFolder.toStdString());
    EXPECT_EQ(settings.LaunchApplication, "/usr/bin/vmplayer");
    ASSERT_EQ(settings.Favorites.size(), 1u);
    EXPECT_EQ(settings.Favorites[0].DisplayName, "Kept");
    EXPECT_FALSE(settings.Favorites[0].OpenInTab);
}

} // namespace
} // namespace zentravolix::app::testing
