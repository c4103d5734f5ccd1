// SPDX-License-Identifier: MIT
// The favourites pane: records fed by saves, removal, status icons, double click, the popup menu.
#include "AppTestFixture.h"

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QTabWidget>

#include "app/AppIcons.h"

namespace zentravolix::app::testing {
namespace {

QString iconKey(QTreeWidgetItem* item)
{
    return item->data(0, frmMain::IconKeyRole).toString();
}

QImage rendered(const QIcon& icon)
{
    return icon.pixmap(QSize(16, 16)).toImage();
}

class Favorites : public AppTest {
protected:
    int tabCount() const { return window->findChild<QTabWidget*>(QStringLiteral("sstMain"))->count(); }

    /** A favourite in the settings file, loaded when the window starts. */
    void writeFavorites(const QByteArray& lines) { writeIni("[Favorites]\r\n" + lines); }
};

TEST_F(Favorites, SavingTwoMachinesOfTheSameNameKeepsOneFavouritePointingToTheLast)
{
    makeWindow();
    const QString first = vmFolder() + QStringLiteral("/first");
    const QString second = vmFolder() + QStringLiteral("/second");
    ASSERT_NE(saveNew(QStringLiteral("Twin"), first), nullptr);
    ASSERT_NE(saveNew(QStringLiteral("Twin"), second), nullptr);
    ASSERT_TRUE(QFile::exists(first + QStringLiteral("/Twin.vmx")));
    ASSERT_TRUE(QFile::exists(second + QStringLiteral("/Twin.vmx")));

    ASSERT_EQ(settings.Favorites.size(), 1u)
        << dialogs.messageTitles().join(QStringLiteral(", ")).toStdString();
    EXPECT_EQ(QString::fromStdString(settings.Favorites[0].VmxPath), second + QStringLiteral("/Twin.vmx"));
    ASSERT_EQ(favoritesList()->topLevelItemCount(), 1);
    EXPECT_EQ(favoritesList()->topLevelItem(0)->text(1), second + QStringLiteral("/Twin.vmx"));
    EXPECT_EQ(favoritesList()->topLevelItem(0)->text(3), QStringLiteral("True"));
}

TEST_F(Favorites, RemoveTakesOnlyTheListEntryAndAnEmptyListIsSavedEmpty)
{
    const QString kept = writeVmx(QStringLiteral("keep.vmx"), QStringLiteral("Keep"));
    writeFavorites("Favorite0=Keep\t" + kept.toUtf8() + "\t8\r\nFavorite1=Other\t/nowhere/other.vmx\t8\r\n");
    makeWindow();
    ASSERT_EQ(favoritesList()->topLevelItemCount(), 2);

    ASSERT_TRUE(rightClick(itemPoint(0)));
    menuAction("mnuPopupRemove")->trigger();
    EXPECT_TRUE(dialogs.messages().empty()); // no confirmation
    ASSERT_EQ(settings.Favorites.size(), 1u);
    EXPECT_EQ(settings.Favorites[0].DisplayName, "Other");
    ASSERT_EQ(favoritesList()->topLevelItemCount(), 1);
    EXPECT_TRUE(QFile::exists(kept)); // the file is not touched

    ASSERT_TRUE(rightClick(itemPoint(0)));
    menuAction("mnuPopupRemove")->trigger();
    EXPECT_TRUE(settings.Favorites.empty());
    EXPECT_EQ(favoritesList()->topLevelItemCount(), 0);

    ASSERT_TRUE(window->close());
    QFile ini(iniFile());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray content = ini.readAll();
    EXPECT_TRUE(content.contains("[Favorites]")) << content.toStdString();
    EXPECT_FALSE(content.contains("Favorite0")) << content.toStdString();
}

TEST_F(Favorites, StatusIconsTellExistenceAndFormatApart)
{
    const QString current = writeVmx(QStringLiteral("current.vmx"), QStringLiteral("Current"));
    const QString old = writeVmx(QStringLiteral("old.vmx"), QStringLiteral("Old"));
    const QString deleted = writeVmx(QStringLiteral("deleted.vmx"), QStringLiteral("Deleted"));
    writeFavorites("Favorite0=Current\t" + current.toUtf8() + "\t8\r\n" +          //
                   "Favorite1=Gone\t" + vmFolder().toUtf8() + "/gone.vmx\t9\r\n" + //
                   "Favorite2=Old\t" + old.toUtf8() + "\t7\r\n" +                  //
                   "Favorite3=Deleted\t" + deleted.toUtf8() + "\t4\r\n");
    ASSERT_TRUE(QFile::remove(deleted));
    makeWindow();
    QTreeWidget* list = favoritesList();
    ASSERT_EQ(list->topLevelItemCount(), 4);
    EXPECT_EQ(iconKey(list->topLevelItem(0)), QStringLiteral("VM"));
    EXPECT_EQ(iconKey(list->topLevelItem(1)), QStringLiteral("VMMissing"));
    EXPECT_EQ(iconKey(list->topLevelItem(2)), QStringLiteral("OldVM"));
    EXPECT_EQ(iconKey(list->topLevelItem(3)), QStringLiteral("OldVMMissing"));

    // The picture shown is the one of the key, and no two of the four look the same.
    for (int row = 0; row < 4; ++row) {
        QTreeWidgetItem* item = list->topLevelItem(row);
        EXPECT_EQ(rendered(item->icon(0)), rendered(ListIcon(iconKey(item)))) << row;
        for (int other = row + 1; other < 4; ++other)
            EXPECT_NE(rendered(item->icon(0)), rendered(list->topLevelItem(other)->icon(0))) << row << other;
    }

    // The status is taken again whenever the list is rebuilt: the file came back.
    writeVmx(QStringLiteral("deleted.vmx"), QStringLiteral("Deleted"));
    window->UpdateFavoritesList();
    EXPECT_EQ(iconKey(list->topLevelItem(3)), QStringLiteral("OldVM"));
}

TEST_F(Favorites, DoubleClickOpensAFavouriteOnceAndNotWhileItIsOpen)
{
    const QString path = writeVmx(QStringLiteral("lab.vmx"), QStringLiteral("Lab"));
    writeFavorites("Favorite0=Lab\t" + path.toUtf8() + "\t7\r\n");
    makeWindow();
    doubleClick(itemPoint(0));
    ASSERT_EQ(tabCount(), 2);
    editor::Velmire* editor = window->EditorOfTab(1);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->ExistingVmxFileName(), path);
    ASSERT_EQ(favoritesList()->topLevelItemCount(), 1);
    EXPECT_EQ(favoritesList()->topLevelItem(0)->text(3), QStringLiteral("True"));

    doubleClick(itemPoint(0));
    EXPECT_EQ(tabCount(), 2);

    // Closing the tab makes the favourite openable again.
    ASSERT_TRUE(window->CloseCurrentTab());
    EXPECT_EQ(favoritesList()->topLevelItem(0)->text(3), QStringLiteral("False"));
    doubleClick(itemPoint(0));
    EXPECT_EQ(tabCount(), 3);
}

TEST_F(Favorites, PopupMenuOffersWhatTheSituationAllows)
{
    makeWindow();
    QAction* newVm = menuAction("mnuPopupNew");
    QAction* editThis = menuAction("mnuPopupEdit");
    QAction* editOther = menuAction("mnuPopupEditOther");
    QAction* launchThis = menuAction("mnuPopupLaunch");
    QAction* remove = menuAction("mnuPopupRemove");
    QMenu* popup = window->findChild<QMenu*>(QStringLiteral("mnuPopup"));
    auto states = [&] {
        return std::vector<bool>{newVm->isEnabled(), editThis->isEnabled(), editOther->isEnabled(),
                                 launchThis->isEnabled(), remove->isEnabled()};
    };
    const std::vector<bool> offList{true, false, true, false, false};

    // The list is empty.
    ASSERT_TRUE(rightClick(emptyPoint()));
    EXPECT_EQ(states(), offList);
    EXPECT_EQ(popup->defaultAction(), newVm);

    // Below the last item.
    const QString path = writeVmx(QStringLiteral("a.vmx"), QStringLiteral("A"));
    settings.Favorites = {{"A", path.toStdString(), 8, false}, {"B", "/nowhere/b.vmx", 8, true}};
    window->UpdateFavoritesList();
    ASSERT_TRUE(rightClick(emptyPoint()));
    EXPECT_EQ(states(), offList);
    EXPECT_EQ(popup->defaultAction(), newVm);

    // On an item; Edit this only while it is not open in a tab.
    ASSERT_TRUE(rightClick(itemPoint(0)));
    EXPECT_EQ(states(), (std::vector<bool>{false, true, true, true, true}));
    EXPECT_EQ(popup->defaultAction(), editThis);
    ASSERT_TRUE(rightClick(itemPoint(1)));
    EXPECT_EQ(states(), (std::vector<bool>{false, false, true, true, true}));
    EXPECT_EQ(popup->defaultAction(), editThis);
}

TEST_F(Favorites, RightClickSelectsWithoutChangingTheLaunchTargetAndEditThisOpensThatItem)
{
    const QString first = writeVmx(QStringLiteral("first.vmx"), QString());
    const QString second = writeVmx(QStringLiteral("second.vmx"), QString());
    writeFavorites("Favorite0=First\t" + first.toUtf8() + "\t8\r\nFavorite1=Second\t" + second.toUtf8() +
                   "\t6\r\n");
    makeWindow();
    leftClick(itemPoint(0));
    EXPECT_EQ(window->SelectedName(), QStringLiteral("First"));
    EXPECT_EQ(window->SelectedPath(), first);
    EXPECT_EQ(window->SelectedConfigVersion(), 8);
    EXPECT_FALSE(window->SelectedOpen());

    ASSERT_TRUE(rightClick(itemPoint(1)));
    EXPECT_TRUE(favoritesList()->topLevelItem(1)->isSelected());
    EXPECT_FALSE(favoritesList()->topLevelItem(0)->isSelected());
    EXPECT_EQ(window->SelectedPath(), first);

    // The file carries no name of its own: the tab is named after the item that was opened (not
    // after the last left click), with the picture of its stored version.
    menuAction("mnuPopupEdit")->trigger();
    ASSERT_EQ(tabCount(), 2);
    auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("sstMain"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Second"));
    EXPECT_EQ(rendered(tabs->tabIcon(1)), rendered(ListIcon(QStringLiteral("OldVM"))));
    EXPECT_EQ(window->EditorOfTab(1)->ExistingVmxFileName(), second);

    // A left release over empty space deselects every item.
    leftClick(emptyPoint());
    EXPECT_TRUE(favoritesList()->selectedItems().isEmpty());
}

TEST_F(Favorites, ClosingATabFreesItsFavouriteEvenAfterARename)
{
    const QString path = writeVmx(QStringLiteral("renamed.vmx"), QStringLiteral("Before"));
    writeFavorites("Favorite0=Before\t" + path.toUtf8() + "\t8\r\n");
    makeWindow();
    window->OpenConfiguration(path, 8);
    editor::Velmire* editor = window->EditorOfTab(1);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(settings.Favorites[0].OpenInTab);

    auto* name = editor->findChild<QLineEdit*>(QStringLiteral("txtDisplayName"));
    ASSERT_NE(name, nullptr);
    name->setText(QStringLiteral("After"));
    emit name->editingFinished();
    window->SaveCurrentTab();
    ASSERT_EQ(settings.Favorites.size(), 2u)
        << dialogs.messageTitles().join(QStringLiteral(", ")).toStdString();
    EXPECT_TRUE(settings.Favorites[1].OpenInTab);

    ASSERT_TRUE(window->CloseCurrentTab());
    EXPECT_FALSE(settings.Favorites[0].OpenInTab); // "Before": registered when the file was read
    EXPECT_FALSE(settings.Favorites[1].OpenInTab); // "After": registered by the save
}

TEST_F(Favorites, ClosingOneOfTwoTabsOfTheSameFileKeepsItsFavouriteOpen)
{
    const QString path = writeVmx(QStringLiteral("twice.vmx"), QStringLiteral("Twice"));
    makeWindow();
    dialogs.paths = {path, path};
    window->OpenConfiguration(QString(), 8);
    window->OpenConfiguration(QString(), 8);
    ASSERT_EQ(tabCount(), 3);
    ASSERT_EQ(settings.Favorites.size(), 1u);

    ASSERT_TRUE(window->CloseCurrentTab());
    EXPECT_TRUE(settings.Favorites[0].OpenInTab);
    window->findChild<QTabWidget*>(QStringLiteral("sstMain"))->setCurrentIndex(1);
    ASSERT_TRUE(window->CloseCurrentTab());
    EXPECT_FALSE(settings.Favorites[0].OpenInTab);
}

} // namespace
} // namespace zentravolix::app::testing
