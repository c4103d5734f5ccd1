// SPDX-License-Identifier: MIT
// Start-up of the main window: settings and favourites, the command-line file, the captions.
#include "AppTestFixture.h"

#include "app/CommandLine.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <map>
#include <utility>

namespace zentravolix::app::testing {
namespace {

QAction* action(frmMain& w, const char* name)
{
    return w.findChild<QAction*>(QString::fromLatin1(name));
}

QAction* toolbarAction(frmMain& w, const char* key)
{
    return w.findChild<QToolBar*>(QStringLiteral("tlbMain"))->findChild<QAction*>(QString::fromLatin1(key));
}

QString buttonText(frmMain& w, const char* name)
{
    return w.findChild<QToolButton*>(QString::fromLatin1(name))->text();
}

int tabCount(frmMain& w)
{
    return w.findChild<QTabWidget*>(QStringLiteral("sstMain"))->count();
}

/**
 * Every caption the window shows, keyed by the widget and the place within it: texts and tool
 * tips of buttons and menu entries, menu and frame titles, labels, tab texts, list headers and
 * list entries.
 */
std::map<std::pair<const QObject*, QString>, QString> captionsOf(QWidget& window)
{
    std::map<std::pair<const QObject*, QString>, QString> captions;
    const auto put = [&](const QObject* o, const QString& where, const QString& text) {
        captions[{o, where}] = text;
    };
    for (auto* b : window.findChildren<QAbstractButton*>()) {
        put(b, QStringLiteral("text"), b->text());
        put(b, QStringLiteral("tip"), b->toolTip());
    }
    for (auto* a : window.findChildren<QAction*>()) {
        if (a->isSeparator())
            continue;
        put(a, QStringLiteral("text"), a->text());
        put(a, QStringLiteral("tip"), a->toolTip());
    }
    for (auto* m : window.findChildren<QMenu*>())
        put(m, QStringLiteral("title"), m->title());
    for (auto* g : window.findChildren<QGroupBox*>())
        put(g, QStringLiteral("title"), g->title());
    for (auto* l : window.findChildren<QLabel*>())
        put(l, QStringLiteral("text"), l->text());
    for (auto* t : window.findChildren<QTabWidget*>()) {
        for (int i = 0; i < t->count(); ++i)
            put(t, QStringLiteral("tab %1").arg(i), t->tabText(i));
    }
    for (auto* t : window.findChildren<QTreeWidget*>()) {
        for (int i = 0; i < t->headerItem()->columnCount(); ++i)
            put(t, QStringLiteral("header %1").arg(i), t->headerItem()->text(i));
    }
    for (auto* c : window.findChildren<QComboBox*>()) {
        for (int i = 0; i < c->count(); ++i)
            put(c, QStringLiteral("entry %1").arg(i), c->itemText(i));
    }
    return captions;
}

class MainWindowStartup : public AppTest {};

TEST_F(MainWindowStartup, FavouritesPaneIsFilledFromTheSettingsAndBadEntriesAreReported)
{
    writeIni("[Favorites]\r\nFavorite0=Alpha\t/nowhere/alpha.vmx\t8\r\nFavorite1=broken\r\n"
             "Favorite2=Beta\t/nowhere/beta.vmx\t4\r\n");
    frmMain& w = makeWindow();
    auto* list = w.findChild<QTreeWidget*>(QStringLiteral("lvwVMs"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Alpha"));
    EXPECT_EQ(list->topLevelItem(1)->text(0), QStringLiteral("Beta"));
    EXPECT_TRUE(w.FavoritesShown());
    EXPECT_TRUE(w.findChild<QGroupBox*>(QStringLiteral("fraFavorites"))->isVisible());

    // The skipped entry is reported once the window is up, naming the file and the key.
    ASSERT_TRUE(waitFor([&] { return !dialogs.messages().empty(); }, 1000));
    const auto message = dialogs.messages().front();
    EXPECT_EQ(message.icon, editor::MessageIcon::Warning);
    EXPECT_TRUE(message.text.contains(iniFile())) << message.text.toStdString();
    EXPECT_TRUE(message.text.contains(QStringLiteral("Favorite1"))) << message.text.toStdString();
}

TEST_F(MainWindowStartup, QuotedCommandLineFileOpensHalfASecondLater)
{
    const QString path = writeVmx(QStringLiteral("From command line.vmx"), QStringLiteral("Cmd"));
    frmMain& w = makeWindow();
    w.ProcessCommandLine(QLatin1Char('"') + path + QLatin1Char('"'));
    EXPECT_EQ(w.CommandFile(), path);
    EXPECT_EQ(tabCount(w), 1); // not yet
    QTest::qWait(250);
    EXPECT_EQ(tabCount(w), 1);

    ASSERT_TRUE(waitFor([&] { return tabCount(w) == 2; }, 2000));
    editor::Velmire* editor = w.EditorOfTab(1);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->EditExistingFile());
    EXPECT_EQ(editor->ExistingVmxFileName(), path);
    EXPECT_FALSE(w.findChild<QTimer*>(QStringLiteral("tmrLoadDelay"))->isActive());
}

TEST_F(MainWindowStartup, UnquotedPathWithBlanksIsTakenWhole)
{
    const QString path = writeVmx(QStringLiteral("my lab vm.vmx"), QStringLiteral("Lab"));
    const QStringList split = (QStringLiteral("zentravolix ") + path).split(QLatin1Char(' '));
    ASSERT_GT(split.size(), 2);
    frmMain& w = makeWindow();
    w.ProcessCommandLine(WholeCommandLine(split));
    EXPECT_EQ(w.CommandFile(), path);
    EXPECT_TRUE(w.findChild<QTimer*>(QStringLiteral("tmrLoadDelay"))->isActive());
}

TEST_F(MainWindowStartup, MissingCommandLineFileIsReportedAndNothingOpens)
{
    frmMain& w = makeWindow();
    const QString missing = vmFolder() + QStringLiteral("/gone.vmx");
    w.ProcessCommandLine(missing);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("Unable to locate file ") + missing);
    EXPECT_EQ(dialogs.messages()[0].title, QStringLiteral("Invalid Command Arguments passed"));
    EXPECT_EQ(dialogs.messages()[0].icon, editor::MessageIcon::Warning);
    EXPECT_FALSE(w.findChild<QTimer*>(QStringLiteral("tmrLoadDelay"))->isActive());
    QTest::qWait(600);
    EXPECT_EQ(tabCount(w), 1);
}

TEST_F(MainWindowStartup, EnglishCaptionsComeFromTheTextTable)
{
    frmMain& w = makeWindow();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Zentravolix"));
    EXPECT_EQ(buttonText(w, "cmdNew"), QStringLiteral("Create New Virtual Machine"));
    EXPECT_EQ(action(w, "mnuPopupEditOther")->text(), QStringLiteral("Edit Existing Virtual Machine"));
    EXPECT_EQ(w.findChild<QMenu*>(QStringLiteral("mnuVM"))->title(), QStringLiteral("VM"));
    EXPECT_EQ(action(w, "mnuPopupRemove")->text(), QStringLiteral("Remove from Favorites"));
    EXPECT_EQ(toolbarAction(w, "New")->toolTip(), QStringLiteral("Create New Virtual Machine"));
    EXPECT_EQ(toolbarAction(w, "Favorites")->toolTip(), QStringLiteral("Show/Hide Favorites"));
    EXPECT_EQ(w.findChild<QTabWidget*>(QStringLiteral("sstMain"))->tabText(0), QStringLiteral("Home"));
    EXPECT_TRUE(toolbarAction(w, "Save")->text().isEmpty()); // pictures only
}

TEST_F(MainWindowStartup, GermanShowsTheTranslatedCaptions)
{
    writeIni("[General]\r\nLanguageOffset=500\r\n");
    frmMain& w = makeWindow();
    editor::Velmire* editor = openNew(QStringLiteral("Maschine"));
    ASSERT_NE(editor, nullptr);

    // The title names the configuration in front; the program name is the same in every language.
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Maschine[*] - Zentravolix"));
    EXPECT_EQ(action(w, "mnuOptions")->text(), QStringLiteral("Wahlen"));
    EXPECT_EQ(w.findChild<QMenu*>(QStringLiteral("mnuFile"))->title(), QStringLiteral("Datei"));
    EXPECT_EQ(buttonText(w, "cmdNew"), QStringLiteral("Neue virtuelle Maschine erstellen"));
    EXPECT_EQ(action(w, "mnuHelpAbout")->text(), QStringLiteral("\u00dcber"));
    EXPECT_EQ(toolbarAction(w, "Run")->toolTip(), QStringLiteral("Virtuelle Maschine starten"));
    EXPECT_EQ(w.findChild<QGroupBox*>(QStringLiteral("fraFavorites"))->title(), QStringLiteral("Favoriten"));
    EXPECT_EQ(w.findChild<QTabWidget*>(QStringLiteral("sstMain"))->tabText(0), QStringLiteral("Startseite"));
    const auto german = captionsOf(w);

    // Back to English at run time: every caption is applied again.
    platform::SetLanguageOffset(0);
    w.UpdateUILabels();
    EXPECT_EQ(action(w, "mnuOptions")->text(), QStringLiteral("Options"));
    EXPECT_EQ(w.findChild<QMenu*>(QStringLiteral("mnuFile"))->title(), QStringLiteral("File"));

    // Whatever shows a caption in English shows one in German, and most of them differ.
    const auto english = captionsOf(w);
    ASSERT_EQ(german.size(), english.size());
    int translated = 0;
    for (const auto& [where, text] : english) {
        const QString& inGerman = german.at(where);
        EXPECT_TRUE(text.isEmpty() || !inGerman.isEmpty())
            << where.first->objectName().toStdString() << " " << where.second.toStdString() << ": "
            << text.toStdString();
        translated += inGerman != text ? 1 : 0;
    }
    EXPECT_GT(translated, 100);
}

TEST_F(MainWindowStartup, ALanguageWithoutRowsShowsEnglishCaptions)
{
    // The block past Italian holds no rows: each caption falls back to its English text.
    writeIni("[General]\r\nLanguageOffset=2500\r\n");
    frmMain& w = makeWindow();
    ASSERT_NE(openNew(QStringLiteral("Machine")), nullptr);
    const auto fallback = captionsOf(w);
    platform::SetLanguageOffset(0);
    w.UpdateUILabels();
    EXPECT_EQ(captionsOf(w), fallback);
    EXPECT_EQ(w.findChild<QMenu*>(QStringLiteral("mnuFile"))->title(), QStringLiteral("File"));
}

TEST_F(MainWindowStartup, ToggleFavoritesHidesAndShowsThePane)
{
    frmMain& w = makeWindow();
    auto* pane = w.findChild<QGroupBox*>(QStringLiteral("fraFavorites"));
    toolbarAction(w, "Favorites")->trigger();
    EXPECT_FALSE(w.FavoritesShown());
    EXPECT_FALSE(pane->isVisible());
    toolbarAction(w, "Favorites")->trigger();
    EXPECT_TRUE(w.FavoritesShown());
    EXPECT_TRUE(pane->isVisible());
}

TEST_F(MainWindowStartup, HelpContentsSaysComingSoon)
{
    frmMain& w = makeWindow();
    action(w, "mnuHelpContents")->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              QStringLiteral("Coming soon.  For good information, read the VMware documentation."));
    EXPECT_EQ(dialogs.messages()[0].title, QStringLiteral("No Help Yet"));
    EXPECT_EQ(dialogs.messages()[0].icon, editor::MessageIcon::Information);
}

TEST_F(MainWindowStartup, SavedTabSelectsItsFavourite)
{
    frmMain& w = makeWindow();
    openNew(QStringLiteral("Selected later"));
    w.SaveCurrentTab();
    ASSERT_EQ(settings.Favorites.size(), 1u);
    // Coming back to the tab selects its favourite: the launch target follows the tab.
    w.findChild<QTabWidget*>(QStringLiteral("sstMain"))->setCurrentIndex(0);
    EXPECT_TRUE(w.SelectedName().isEmpty());
    w.findChild<QTabWidget*>(QStringLiteral("sstMain"))->setCurrentIndex(1);
    EXPECT_EQ(w.SelectedName(), QStringLiteral("Selected later"));
    EXPECT_EQ(w.SelectedPath(), QString::fromStdString(settings.Favorites[0].VmxPath));
}

TEST_F(MainWindowStartup, QuitKeepsTheFavouritesItCouldNotRead)
{
    const QByteArray content = "[Favorites]\r\nFavorite0=Alpha\t/nowhere/alpha.vmx\t8\r\nFavorite1=broken\r\n";
    writeIni(content);
    frmMain& w = makeWindow();
    ASSERT_TRUE(waitFor([&] { return !dialogs.messages().empty(); }, 1000));
    ASSERT_TRUE(w.close());
    QFile ini(iniFile());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("Favorite1=broken\r\n"));
}

TEST_F(MainWindowStartup, SettingsFileThatIsAFifoIsRefusedWithoutWaiting)
{
    QDir().mkpath(configHome() + QStringLiteral("/Zentravolix"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(iniFile()).constData(), 0600), 0);
    // Were the start-up to wait for a writer, this helper would become one to let it go on. Its
    // open succeeds only while somebody holds the FIFO open for reading.
    std::atomic<bool> started{false};
    bool hadToUnblock = false;
    std::thread unblock([path = QFile::encodeName(iniFile()), &started, &hadToUnblock] {
        while (!started) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                hadToUnblock = true;
                ::close(fd);
            }
        }
    });
    frmMain& w = makeWindow();
    started = true;
    unblock.join();
    EXPECT_FALSE(hadToUnblock) << "the start-up waited on the FIFO";

    ASSERT_TRUE(waitFor([&] { return !dialogs.messages().empty(); }, 1000));
    const auto message = dialogs.messages().front();
    EXPECT_TRUE(message.text.contains(iniFile())) << message.text.toStdString();
    EXPECT_TRUE(message.text.contains(QStringLiteral("FIFO"))) << message.text.toStdString();
    ASSERT_TRUE(w.close());
    EXPECT_EQ(std::filesystem::status(QFile::encodeName(iniFile()).toStdString()).type(),
              std::filesystem::file_type::fifo);
}

} // namespace
} // namespace zentravolix::app::testing
