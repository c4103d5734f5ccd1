// SPDX-License-Identifier: MIT
// Launching the selected favourite: through the configured application, through the desktop's
// opener, and a launch that cannot start. The programs are small scripts that record their one
// argument, so no virtual machine and no real desktop opener is involved.
#include "AppTestFixture.h"
#include "app/DesktopOpener.h"

#include <QAction>
#include <QElapsedTimer>
#include <QFileDevice>
#include <QToolBar>

namespace zentravolix::app::testing {
namespace {

class Launch : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        m_oldPath = qgetenv("PATH");
        QDir().mkpath(binFolder());
    }

    void TearDown() override
    {
        qputenv("PATH", m_oldPath);
        qunsetenv("XDG_DATA_HOME");
        AppTest::TearDown();
    }

    QString binFolder() const { return vmFolder() + QStringLiteral("/../bin"); }

    /** An executable script named name in binFolder() that writes its first argument to record. */
    QString writeRecorder(const QString& name, const QString& record) const
    {
        const QString path = QDir::cleanPath(binFolder() + QLatin1Char('/') + name);
        QFile script(path);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s' \"$1\" > \"" + record.toUtf8() + ".part\"\nmv \"" +
                     record.toUtf8() + ".part\" \"" + record.toUtf8() + "\"\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return path;
    }

    /** The recorded argument once the detached script has run; "<nothing>" after 5 s. */
    static QString recordedArgument(const QString& record)
    {
        QElapsedTimer timer;
        timer.start();
        while (!QFile::exists(record) && timer.elapsed() < 5000)
            QTest::qWait(20);
        QFile file(record);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("<nothing>");
        return QString::fromUtf8(file.readAll());
    }

    /**
     * A stand-in for xdg-mime: ".vmx" files are `fileType`; the default application of the
     * virtual-machine type is `application`, that of any other type `otherApplication`.
     */
    void writeMimeQuery(const QByteArray& application, const QByteArray& fileType = "application/x-vmware-vm",
                        const QByteArray& otherApplication = "texteditor.desktop") const
    {
        QFile script(QDir::cleanPath(binFolder() + QStringLiteral("/xdg-mime")));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ncase \"$2:$3\" in\n  filetype:*) echo " + fileType +
                     " ;;\n  default:application/x-vmware-vm) echo '" + application +
                     "' ;;\n  default:*) echo '" + otherApplication + "' ;;\nesac\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    /** A desktop entry `id` in a private XDG_DATA_HOME with the given Exec value. */
    void writeDesktopEntry(const QString& id, const QString& exec)
    {
        const QString data = vmFolder() + QStringLiteral("/../data");
        QDir().mkpath(data + QStringLiteral("/applications"));
        QFile entry(data + QStringLiteral("/applications/") + id);
        EXPECT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Player\nExec=" + exec.toUtf8() + "\n"
                    "[Desktop Action Other]\nExec=wrong\n");
        entry.close();
        qputenv("XDG_DATA_HOME", QDir::cleanPath(data).toUtf8());
    }

private:
    QByteArray m_oldPath;
};

TEST_F(Launch, TheLaunchApplicationGetsThePathOfTheLastLeftClickedFavourite)
{
    const QString record = vmFolder() + QStringLiteral("/launched.txt");
    const QString application = writeRecorder(QStringLiteral("vm player"), record);
    const QString first = writeVmx(QStringLiteral("my first vm.vmx"), QStringLiteral("First"));
    const QString second = writeVmx(QStringLiteral("second.vmx"), QStringLiteral("Second"));
    writeIni("[General]\r\nLaunchApplication=" + application.toUtf8() +
             "\r\n[Favorites]\r\nFavorite0=First\t" + first.toUtf8() + "\t8\r\nFavorite1=Second\t" +
             second.toUtf8() + "\t8\r\n");
    makeWindow();

    leftClick(itemPoint(0));
    ASSERT_TRUE(rightClick(itemPoint(1))); // selects, but is not a click
    menuAction("mnuPopupLaunch")->trigger();
    // One argument, blanks and all: no quotes are needed without a shell.
    EXPECT_EQ(recordedArgument(record), first);
    EXPECT_TRUE(dialogs.messages().empty())
        << dialogs.messageTitles().join(QStringLiteral(", ")).toStdString();
}

TEST_F(Launch, WithoutALaunchApplicationTheDesktopOpenerGetsTheFile)
{
    const QString record = vmFolder() + QStringLiteral("/opened.txt");
    writeRecorder(QStringLiteral("xdg-open"), record);
    writeMimeQuery("vmware.desktop");
    qputenv("PATH", QDir::cleanPath(binFolder()).toUtf8() + ':' + qgetenv("PATH"));
    const QString path = writeVmx(QStringLiteral("desk.vmx"), QStringLiteral("Desk"));
    writeIni("[Favorites]\r\nFavorite0=Desk\t" + path.toUtf8() + "\t8\r\n");
    makeWindow();

    window->LaunchSelected(); // nothing selected yet: nothing happens
    QTest::qWait(100);
    EXPECT_FALSE(QFile::exists(record));

    leftClick(itemPoint(0));
    window->findChild<QToolBar*>(QStringLiteral("tlbMain"))
        ->findChild<QAction*>(QStringLiteral("Run"))
        ->trigger();
    EXPECT_EQ(recordedArgument(record), path);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(Launch, WithNoApplicationForTheFileTheDesktopOpenerIsNotStartedAndTheUserIsTold)
{
    const QString record = vmFolder() + QStringLiteral("/opened.txt");
    writeRecorder(QStringLiteral("xdg-open"), record);
    writeMimeQuery(""); // the desktop knows the type but has nothing to open it with
    qputenv("PATH", QDir::cleanPath(binFolder()).toUtf8() + ':' + qgetenv("PATH"));
    const QString path = writeVmx(QStringLiteral("nobody.vmx"), QStringLiteral("Nobody"));
    writeIni("[Favorites]\r\nFavorite0=Nobody\t" + path.toUtf8() + "\t8\r\n");
    makeWindow();
    leftClick(itemPoint(0));
    menuAction("mnuVMLaunch")->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(path));
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("launch application")));
    EXPECT_EQ(dialogs.messages()[0].icon, editor::MessageIcon::Warning);
    QTest::qWait(200);
    EXPECT_FALSE(QFile::exists(record));
}

TEST_F(Launch, ThePlainTextEditorIsNeverAskedButTheApplicationForVirtualMachines)
{
    // Without a MIME package for ".vmx" the desktop calls the file plain text; its opener would
    // start a text editor. The application registered for virtual machines gets the file instead.
    const QString opened = vmFolder() + QStringLiteral("/opened.txt");
    const QString played = vmFolder() + QStringLiteral("/played.txt");
    writeRecorder(QStringLiteral("xdg-open"), opened);
    const QString player = writeRecorder(QStringLiteral("vm player"), played);
    writeMimeQuery("player.desktop", "text/plain", "texteditor.desktop");
    writeDesktopEntry(QStringLiteral("player.desktop"), QLatin1Char('"') + player + QStringLiteral("\" %f"));
    qputenv("PATH", QDir::cleanPath(binFolder()).toUtf8() + ':' + qgetenv("PATH"));
    const QString path = writeVmx(QStringLiteral("plain text.vmx"), QStringLiteral("Plain"));
    writeIni("[Favorites]\r\nFavorite0=Plain\t" + path.toUtf8() + "\t8\r\n");
    makeWindow();
    leftClick(itemPoint(0));
    menuAction("mnuVMLaunch")->trigger();
    EXPECT_EQ(recordedArgument(played), path);
    EXPECT_FALSE(QFile::exists(opened));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(Launch, OnlyThisEditorForVirtualMachinesMeansNothingCanStartThem)
{
    const QString opened = vmFolder() + QStringLiteral("/opened.txt");
    writeRecorder(QStringLiteral("xdg-open"), opened);
    writeMimeQuery("com.quindrel.Zentravolix.desktop");
    qputenv("PATH", QDir::cleanPath(binFolder()).toUtf8() + ':' + qgetenv("PATH"));
    const QString path = writeVmx(QStringLiteral("ours.vmx"), QStringLiteral("Ours"));
    writeIni("[Favorites]\r\nFavorite0=Ours\t" + path.toUtf8() + "\t8\r\n");
    makeWindow();
    leftClick(itemPoint(0));
    menuAction("mnuVMLaunch")->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("launch application")));
    QTest::qWait(200);
    EXPECT_FALSE(QFile::exists(opened));
}

TEST(DesktopExec, FieldCodesAndQuotingOfTheExecValue)
{
    const QString file = QStringLiteral("/vms/my vm.vmx");
    EXPECT_EQ(DesktopExecArguments(QStringLiteral("vmplayer %f"), file), (QStringList{QStringLiteral("vmplayer"), file}));
    EXPECT_EQ(DesktopExecArguments(QStringLiteral("vmplayer"), file), (QStringList{QStringLiteral("vmplayer"), file}));
    EXPECT_EQ(DesktopExecArguments(QStringLiteral("\"/opt/vm ware/run\" --open %U %i %c"), file),
              (QStringList{QStringLiteral("/opt/vm ware/run"), QStringLiteral("--open"), file}));
    EXPECT_EQ(DesktopExecArguments(QStringLiteral("sh -c \"echo \\\"a b\\\"\" 100%% --file=%f"), file),
              (QStringList{QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("echo \"a b\""), QStringLiteral("100%"), QStringLiteral("--file=") + file}));
    EXPECT_TRUE(DesktopExecArguments(QStringLiteral("  %i  "), file).isEmpty());
    EXPECT_TRUE(DesktopExecArguments(QString(), file).isEmpty());
}

TEST_F(Launch, ALaunchThatCannotStartSaysSo)
{
    const QString missingProgram = binFolder() + QStringLiteral("/not-installed");
    const QString path = writeVmx(QStringLiteral("cannot.vmx"), QStringLiteral("Cannot"));
    writeIni("[General]\r\nLaunchApplication=" + missingProgram.toUtf8() +
             "\r\n[Favorites]\r\nFavorite0=Cannot\t" + path.toUtf8() + "\t8\r\n");
    makeWindow();
    leftClick(itemPoint(0));
    menuAction("mnuVMLaunch")->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const auto message = dialogs.messages().front();
    EXPECT_EQ(message.icon, editor::MessageIcon::Warning);
    EXPECT_EQ(message.title, QStringLiteral("Launch Virtual Machine"));
    EXPECT_TRUE(message.text.contains(path)) << message.text.toStdString();
    EXPECT_TRUE(message.text.contains(missingProgram)) << message.text.toStdString();
}

} // namespace
} // namespace zentravolix::app::testing
