// SPDX-License-Identifier: MIT
// How files reach the window: several on the command line, handed over by a later start of the
// program, dropped onto it; moving between tabs by keyboard and the title that names the tab.
#include "AppTestFixture.h"

#include "app/CommandLine.h"
#include "app/SingleInstance.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QMimeData>
#include <QSignalSpy>
#include <QTabWidget>
#include <QUrl>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace zentravolix::app::testing {
namespace {

QTabWidget* tabs(frmMain& w)
{
    return w.findChild<QTabWidget*>(QStringLiteral("sstMain"));
}

int visibleEditors(frmMain& w)
{
    int count = 0;
    for (int index = 1; index < tabs(w)->count(); ++index)
        if (tabs(w)->isTabVisible(index) && w.EditorOfTab(index) != nullptr)
            ++count;
    return count;
}

class StartingAndOpening : public AppTest {
protected:
    QString socketName() const { return vmFolder() + QStringLiteral("/../instance.socket"); }

    /** Sends a drag-enter and then a drop of urls onto the window; true when the enter was taken. */
    bool drop(const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        const bool taken = enter.isAccepted();
        QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &dropped);
        EXPECT_EQ(dropped.isAccepted(), taken);
        return taken;
    }

    void activate(frmMain& w)
    {
        QApplication::setActiveWindow(&w);
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
};

TEST(CommandLineFiles, BlanksJoinOnlyWhenTheWholeNamesAFile)
{
    QTemporaryDir dir;
    const QString spaced = dir.filePath(QStringLiteral("my lab.vmx"));
    const QString one = dir.filePath(QStringLiteral("one.vmx"));
    const QString two = dir.filePath(QStringLiteral("two.vmx"));
    for (const QString& path : {spaced, one, two}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString program = QStringLiteral("zentravolix");
    EXPECT_TRUE(CommandLineFiles({program}).isEmpty());
    // The shell split the unquoted path: it comes back whole.
    EXPECT_EQ(CommandLineFiles(QStringList{program} + spaced.split(QLatin1Char(' '))), QStringList{spaced});
    EXPECT_EQ(CommandLineFiles({program, QLatin1Char('"') + one + QLatin1Char('"')}), QStringList{one});
    // Separate files stay separate, a missing one among them too (it is reported later).
    const QString missing = dir.filePath(QStringLiteral("gone.vmx"));
    EXPECT_EQ(CommandLineFiles({program, one, two, missing}), (QStringList{one, two, missing}));
    EXPECT_EQ(CommandLineFiles({program, QLatin1Char('"') + one + QLatin1Char('"'), two}),
              (QStringList{one, two}));
}

TEST_F(StartingAndOpening, SeveralCommandLineFilesOpenInTabsAndMissingOnesAreReported)
{
    const QString first = writeVmx(QStringLiteral("first.vmx"), QStringLiteral("First"));
    const QString second = writeVmx(QStringLiteral("second.vmx"), QStringLiteral("Second"));
    const QString missing = vmFolder() + QStringLiteral("/gone.vmx");
    frmMain& w = makeWindow();
    w.OpenCommandLineFiles({first, missing, second});

    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("Unable to locate file ") + missing);
    EXPECT_EQ(w.CommandFiles(), (QStringList{first, second}));
    EXPECT_EQ(tabs(w)->count(), 1); // after the load delay only

    ASSERT_TRUE(waitFor([&] { return tabs(w)->count() == 3; }, 2000));
    EXPECT_EQ(w.EditorOfTab(1)->ExistingVmxFileName(), first);
    EXPECT_EQ(w.EditorOfTab(2)->ExistingVmxFileName(), second);
    EXPECT_TRUE(w.CommandFiles().isEmpty());
}

TEST_F(StartingAndOpening, LaterStartHandsItsFilesToTheRunningInstance)
{
    SingleInstance running(socketName());
    ASSERT_TRUE(running.Listen());
    QSignalSpy received(&running, &SingleInstance::filesReceived);

    // A second start finds it and does not take the name away from it.
    SingleInstance later(socketName());
    const QStringList files{QStringLiteral("/vm/a b.vmx"), QStringLiteral("/vm/ä.vmx")};
    ASSERT_TRUE(later.HandOver(files));
    ASSERT_TRUE(received.wait(2000));
    EXPECT_EQ(received.takeFirst().at(0).toStringList(), files);
    EXPECT_FALSE(later.Listen());
    EXPECT_TRUE(running.IsListening());

    // A start without files only asks the window to come forward.
    ASSERT_TRUE(SingleInstance(socketName()).HandOver({}));
    ASSERT_TRUE(received.wait(2000));
    EXPECT_TRUE(received.takeFirst().at(0).toStringList().isEmpty());
}

TEST_F(StartingAndOpening, NobodyListeningOrAStaleSocketMakesTheFirstInstance)
{
    SingleInstance first(socketName());
    EXPECT_FALSE(first.HandOver({QStringLiteral("/vm/a.vmx")}, 500));

    // What an instance that crashed leaves behind: the socket file, nobody behind it.
    const QByteArray path = QFile::encodeName(socketName());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<size_t>(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(socketName()));

    EXPECT_FALSE(first.HandOver({QStringLiteral("/vm/a.vmx")}, 500));
    ASSERT_TRUE(first.Listen());
    QSignalSpy received(&first, &SingleInstance::filesReceived);
    ASSERT_TRUE(SingleInstance(socketName()).HandOver({QStringLiteral("/vm/b.vmx")}));
    ASSERT_TRUE(received.wait(2000));
    EXPECT_EQ(received.takeFirst().at(0).toStringList(), QStringList{QStringLiteral("/vm/b.vmx")});
}

TEST_F(StartingAndOpening, HandedFilesOpenInTabsOfTheWindow)
{
    const QString path = writeVmx(QStringLiteral("handed.vmx"), QStringLiteral("Handed"));
    frmMain& w = makeWindow();
    SingleInstance running(socketName());
    ASSERT_TRUE(running.Listen());
    QObject::connect(&running, &SingleInstance::filesReceived, &w, &frmMain::ReceiveFiles);
    w.showMinimized();

    ASSERT_TRUE(SingleInstance(socketName()).HandOver({path}));
    ASSERT_TRUE(waitFor([&] { return visibleEditors(w) == 1; }, 3000));
    EXPECT_EQ(w.EditorOfTab(1)->ExistingVmxFileName(), path);
    EXPECT_FALSE(w.isMinimized());
}

TEST_F(StartingAndOpening, DroppedVmxFilesOpenAndOtherFilesAreRefused)
{
    const QString lower = writeVmx(QStringLiteral("dropped.vmx"), QStringLiteral("Dropped"));
    const QString upper = writeVmx(QStringLiteral("LOUD.VMX"), QStringLiteral("Loud"));
    const QString other = writeVmx(QStringLiteral("notes.txt"), QStringLiteral("Not a machine"));
    frmMain& w = makeWindow();
    EXPECT_TRUE(w.acceptDrops());

    EXPECT_FALSE(drop({QUrl::fromLocalFile(other)}));
    EXPECT_FALSE(drop({QUrl(QStringLiteral("https://example.org/remote.vmx"))}));
    EXPECT_FALSE(drop({QUrl::fromLocalFile(vmFolder() + QStringLiteral("/gone.vmx"))}));
    EXPECT_EQ(visibleEditors(w), 0);

    // Of a mixed drop the configurations open, each in its tab.
    EXPECT_TRUE(drop({QUrl::fromLocalFile(lower), QUrl::fromLocalFile(other), QUrl::fromLocalFile(upper)}));
    ASSERT_EQ(visibleEditors(w), 2);
    EXPECT_EQ(w.EditorOfTab(1)->ExistingVmxFileName(), lower);
    EXPECT_EQ(w.EditorOfTab(2)->ExistingVmxFileName(), upper);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(StartingAndOpening, KeyboardMovesBetweenVisibleTabsRoundTheEnds)
{
    frmMain& w = makeWindow();
    openNew(QStringLiteral("One"));
    openNew(QStringLiteral("Two"));
    openNew(QStringLiteral("Three"));
    tabs(w)->setCurrentIndex(2);
    ASSERT_TRUE(w.CloseCurrentTab()); // Two is hidden: the keys pass over it
    activate(w);
    tabs(w)->setCurrentIndex(0);

    QTest::keyClick(&w, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w.CurrentTab(), 1);
    QTest::keyClick(&w, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(w.CurrentTab(), 3);
    QTest::keyClick(&w, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w.CurrentTab(), 0); // round to Home
    QTest::keyClick(&w, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(w.CurrentTab(), 3);
    QTest::keyClick(&w, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(w.CurrentTab(), 1);

    // Ctrl+W closes the tab in front, Ctrl+N asks for a new configuration's folder and name.
    QTest::keyClick(&w, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(tabs(w)->isTabVisible(1));
    dialogs.paths.push_back(vmFolder());
    dialogs.inputs.push_back(QStringLiteral("Four"));
    QTest::keyClick(&w, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(w.CurrentTab(), 4);
    EXPECT_EQ(tabs(w)->tabText(4), QStringLiteral("Four"));
    // Ctrl+O is the open command (its file dialog is the recording one and answers nothing).
    EXPECT_EQ(menuAction("mnuFileEdit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
}

TEST_F(StartingAndOpening, TitleNamesTheConfigurationAndMarksUnsavedChanges)
{
    frmMain& w = makeWindow();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Zentravolix"));
    EXPECT_FALSE(w.isWindowModified());

    editor::Velmire* editor = openNew(QStringLiteral("Lab machine"));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Lab machine[*] - Zentravolix"));
    EXPECT_FALSE(w.isWindowModified());
    makeChange(editor);
    EXPECT_TRUE(w.isWindowModified());

    // Home has no configuration and nothing unsaved; back on the tab the mark is there again.
    tabs(w)->setCurrentIndex(0);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Zentravolix"));
    EXPECT_FALSE(w.isWindowModified());
    tabs(w)->setCurrentIndex(1);
    EXPECT_TRUE(w.isWindowModified());

    // A new name follows into the title, and Save takes the mark away.
    w.UpdateTab(1, QStringLiteral("Renamed"), QString());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Renamed[*] - Zentravolix"));
    w.SaveCurrentTab();
    EXPECT_FALSE(editor->ChangesPending());
    EXPECT_FALSE(w.isWindowModified());
}

} // namespace
} // namespace zentravolix::app::testing
