// SPDX-License-Identifier: MIT
// The main window fits a small screen with a configuration open: the option and device pages
// scroll inside their area instead of forcing the window's size, and none is squeezed.
#include "AppTestFixture.h"

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>

namespace zentravolix::app::testing {
namespace {

constexpr QSize kSmallWindow(800, 600);

class MainWindowSize : public AppTest {
protected:
    /** Lets the layouts settle after a resize or a page change. */
    static void settle()
    {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }

    /** A configuration with the devices that have the largest pages: a hard disk and a network adapter. */
    editor::Velmire* openWithDevices(const QString& name)
    {
        const QString path = writeVmx(name + QStringLiteral(".vmx"), name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::Append));
        file.write("ide0:0.present = \"TRUE\"\r\nide0:0.fileName = \"disk.vmdk\"\r\n"
                   "ide1:0.present = \"TRUE\"\r\nide1:0.deviceType = \"cdrom-raw\"\r\n"
                   "ethernet0.present = \"TRUE\"\r\nethernet0.connectionType = \"bridged\"\r\n");
        file.close();
        window->OpenConfiguration(path, 8);
        return window->EditorOfTab(window->CurrentTab());
    }

    /** Saves a look at the window when ZV_SCREENSHOT_DIR names a folder (for people, not checked). */
    void snapshot(const QString& name) const
    {
        const QByteArray folder = qgetenv("ZV_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            window->grab().save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + name + QStringLiteral(".png"));
    }

    /**
     * The page shown in stack is whole: the stack is at least its minimum size (the scroll area
     * scrolls instead of squeezing it), and the scroll area lies inside the window.
     */
    void expectPageReachable(QStackedWidget* stack, const QString& what) const
    {
        SCOPED_TRACE(what.toStdString());
        QWidget* page = stack->currentWidget();
        ASSERT_NE(page, nullptr);
        auto* scroll = qobject_cast<QScrollArea*>(stack->parentWidget()->parentWidget());
        ASSERT_NE(scroll, nullptr) << "the page stack is not inside a scroll area";
        EXPECT_TRUE(scroll->isVisible());
        const QSize needed = page->minimumSizeHint().expandedTo(page->minimumSize());
        EXPECT_GE(stack->width(), needed.width());
        EXPECT_GE(stack->height(), needed.height());
        EXPECT_GE(page->width(), needed.width());
        EXPECT_GE(page->height(), needed.height());
        // Every part of the page can be scrolled into view.
        EXPECT_GE(scroll->viewport()->width() + scroll->horizontalScrollBar()->maximum(), stack->width());
        EXPECT_GE(scroll->viewport()->height() + scroll->verticalScrollBar()->maximum(), stack->height());
        const QRect inWindow(scroll->mapTo(window.get(), QPoint(0, 0)), scroll->size());
        EXPECT_TRUE(window->rect().contains(inWindow))
            << inWindow.x() << "," << inWindow.y() << " " << inWindow.width() << "x" << inWindow.height();
    }
};

TEST_F(MainWindowSize, WithAConfigurationOpenTheWindowShrinksTo800x600AndEveryPageStaysReachable)
{
    frmMain& w = makeWindow();
    editor::Velmire* editor = openWithDevices(QStringLiteral("Small"));
    ASSERT_NE(editor, nullptr);
    settle();

    const QSize minimum = w.minimumSizeHint().expandedTo(w.minimumSize());
    EXPECT_LE(minimum.width(), kSmallWindow.width()) << minimum.width() << "x" << minimum.height();
    EXPECT_LE(minimum.height(), kSmallWindow.height()) << minimum.width() << "x" << minimum.height();

    w.resize(kSmallWindow);
    settle();
    EXPECT_EQ(w.size(), kSmallWindow);

    auto* options = editor->findChild<QStackedWidget*>(QStringLiteral("sstOptions"));
    auto* optionList = editor->findChild<QTreeWidget*>(QStringLiteral("lvwOptionsList"));
    ASSERT_NE(options, nullptr);
    ASSERT_NE(optionList, nullptr);
    ASSERT_EQ(optionList->topLevelItemCount(), options->count());
    for (int row = 0; row < optionList->topLevelItemCount(); ++row) {
        optionList->setCurrentItem(optionList->topLevelItem(row));
        settle();
        ASSERT_EQ(options->currentIndex(), row);
        expectPageReachable(options, options->currentWidget()->objectName());
    }
    optionList->setCurrentItem(optionList->topLevelItem(0));
    settle();
    snapshot(QStringLiteral("general-800x600"));

    auto* tabs = editor->findChild<QTabWidget*>(QStringLiteral("sstMain"));
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentIndex(1);
    auto* hardware = editor->findChild<QStackedWidget*>(QStringLiteral("sstHardware"));
    auto* hardwareList = editor->findChild<QTreeWidget*>(QStringLiteral("lvwHardwareList"));
    ASSERT_NE(hardware, nullptr);
    ASSERT_NE(hardwareList, nullptr);
    ASSERT_GT(hardwareList->topLevelItemCount(), 3);
    EXPECT_FALSE(hardwareList->findItems(QStringLiteral("Hard Disk"), Qt::MatchStartsWith).isEmpty());
    EXPECT_FALSE(hardwareList->findItems(QStringLiteral("Ethernet"), Qt::MatchStartsWith).isEmpty());
    for (int row = 0; row < hardwareList->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = hardwareList->topLevelItem(row);
        hardwareList->setCurrentItem(item);
        settle();
        expectPageReachable(hardware, item->text(0));
        snapshot(QStringLiteral("hardware-800x600-%1").arg(row));
    }
    // Resizing the window never grows it again.
    EXPECT_EQ(w.size(), kSmallWindow);
}

TEST_F(MainWindowSize, StartsInsideTheScreenAndAWideShortScreenShowsThePagesWhole)
{
    frmMain& w = makeWindow();
    const QRect available = w.screen()->availableGeometry();
    EXPECT_LE(w.width(), available.width());
    EXPECT_LE(w.height(), available.height());

    ASSERT_NE(openWithDevices(QStringLiteral("Laptop")), nullptr);
    settle();
    EXPECT_LE(w.width(), available.width()) << "opening a configuration grew the window";
    EXPECT_LE(w.height(), available.height()) << "opening a configuration grew the window";

    // A 1366x768 laptop with a panel leaves about 1366x700.
    w.resize(1366, 700);
    settle();
    EXPECT_EQ(w.size(), QSize(1366, 700));
    editor::Velmire* editor = w.EditorOfTab(w.CurrentTab());
    auto* options = editor->findChild<QStackedWidget*>(QStringLiteral("sstOptions"));
    expectPageReachable(options, QStringLiteral("pgGeneral"));
    snapshot(QStringLiteral("general-1366x700"));
    editor->findChild<QTabWidget*>(QStringLiteral("sstMain"))->setCurrentIndex(1);
    auto* hardwareList = editor->findChild<QTreeWidget*>(QStringLiteral("lvwHardwareList"));
    for (int row = 0; row < hardwareList->topLevelItemCount(); ++row) {
        hardwareList->setCurrentItem(hardwareList->topLevelItem(row));
        settle();
        expectPageReachable(editor->findChild<QStackedWidget*>(QStringLiteral("sstHardware")),
                            hardwareList->topLevelItem(row)->text(0));
        snapshot(QStringLiteral("hardware-1366x700-%1").arg(row));
    }
}

} // namespace
} // namespace zentravolix::app::testing
