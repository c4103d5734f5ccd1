// SPDX-License-Identifier: MIT
// Launching the selected favourite: through the configured application, through the desktop's
// opener, and a launch that cannot start. The programs are small scripts that record their one
// argument, so no virtual machine and no real desktop opener is involved.
#include "AppTestFixture.h"

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

    /** A stand-in for xdg-mime that names `application` as the default for every file type. */
    void writeMimeQuery(const QByteArray& application) const
    {
        QFile script(QDir::cleanPath(binFolder() + QStringLiteral("/xdg-mime")));
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\ncase \"$2\" in\n  filetype) echo application/x-vmware-vm ;;\n  default) echo '" +
                     application + "' ;;\nesac\n");
        script.close();
        script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
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
