// SPDX-License-Identifier: MIT
#pragma once

// Shared set-up of the main-window tests: a private HOME, XDG_CONFIG_HOME and TMPDIR per test (so
// the settings store and INI file are fresh and nothing touches the real home folder), recording
// dialogs, English captions, and helpers to open editor tabs.

#include "app/ZentravolixApplication.h"
#include "app/frmMain.h"
#include "editor/widget/Velmire.h"
#include "platform/Settings.h"
#include "platform/TextTable.h"
#include "tests/support/RecordingDialogs.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace zentravolix::app::testing {

/** Waits (processing events) until the condition holds or the time is up. */
template <typename Condition> bool waitFor(Condition condition, int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < milliseconds)
        QTest::qWait(20);
    return condition();
}

class AppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_root.isValid());
        qputenv("HOME", m_root.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", configHome().toUtf8());
        qputenv("TMPDIR", (m_root.path() + QStringLiteral("/tmp")).toUtf8());
        QDir(m_root.path()).mkpath(QStringLiteral("tmp"));
        QDir(m_root.path()).mkpath(QStringLiteral("vms"));
        platform::SetLanguageOffset(0);
        application()->setDialogs(&dialogs);
    }

    void TearDown() override
    {
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        application()->setDialogs(nullptr);
        platform::SetLanguageOffset(0);
    }

    static ZentravolixApplication* application() { return static_cast<ZentravolixApplication*>(qApp); }

    QString configHome() const { return m_root.path() + QStringLiteral("/config"); }
    QString iniFile() const { return configHome() + QStringLiteral("/Zentravolix/Zentravolix.ini"); }
    QString vmFolder() const { return m_root.path() + QStringLiteral("/vms"); }

    frmMain& makeWindow()
    {
        window = std::make_unique<frmMain>(dialogs, settings);
        window->show();
        return *window;
    }

    /** Writes a settings file before the window is built (the default INI location). */
    void writeIni(const QByteArray& content)
    {
        QDir().mkpath(configHome() + QStringLiteral("/Zentravolix"));
        QFile file(iniFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    /** A small configuration file of our own. */
    QString writeVmx(const QString& fileName, const QString& displayName)
    {
        const QString path = vmFolder() + QLatin1Char('/') + fileName;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "config.version = \"8\"\r\nvirtualHW.version = \"4\"\r\nmemsize = \"256\"\r\ndisplayName = \"");
        file.write(displayName.toUtf8());
        file.write("\"\r\nguestOS = \"winxppro\"\r\n");
        return path;
    }

    /** New configuration through the real command, with the folder browser and name answered. */
    editor::Velmire* openNew(const QString& name)
    {
        dialogs.paths.push_back(vmFolder());
        dialogs.inputs.push_back(name);
        window->NewConfiguration();
        return window->EditorOfTab(window->CurrentTab());
    }

    /** An edit in the notes box, as a user would make it: the editor now has unsaved changes. */
    static void makeChange(editor::Velmire* editor)
    {
        auto* notes = editor->findChild<QPlainTextEdit*>(QStringLiteral("txtNotes"));
        ASSERT_NE(notes, nullptr);
        notes->setPlainText(QStringLiteral("changed by the test"));
        ASSERT_TRUE(editor->ChangesPending());
    }

    QString text(int id) const { return QString::fromStdString(platform::LoadLocalizedText(id)); }

    QTreeWidget* favoritesList() const { return window->findChild<QTreeWidget*>(QStringLiteral("lvwVMs")); }

    /** Middle of a favourite's row, in the list's viewport. */
    QPoint itemPoint(int row) const
    {
        return favoritesList()->visualItemRect(favoritesList()->topLevelItem(row)).center();
    }

    /** A point of the list below every row. */
    QPoint emptyPoint() const
    {
        QWidget* viewport = favoritesList()->viewport();
        return {viewport->width() / 2, viewport->height() - 3};
    }

    void leftClick(const QPoint& point) const
    {
        QTest::mouseClick(favoritesList()->viewport(), Qt::LeftButton, {}, point);
    }

    /** A double click as the window system delivers it: press, release, double-click, release. */
    void doubleClick(const QPoint& point) const
    {
        QWidget* viewport = favoritesList()->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, point);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, point);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, point);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, point);
    }

    /**
     * A right click at point of the list: the button press, then the menu request it causes.
     * The popup menu is closed as soon as it shows; true when it was shown.
     */
    bool rightClick(const QPoint& point) const
    {
        QWidget* viewport = favoritesList()->viewport();
        const QPointF global = viewport->mapToGlobal(QPointF(point));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(point), global, Qt::RightButton, Qt::RightButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &press);

        QPointer<QMenu> menu = window->findChild<QMenu*>(QStringLiteral("mnuPopup"));
        auto shown = std::make_shared<bool>(false);
        QTimer::singleShot(0, menu.data(), [menu, shown] {
            *shown = menu->isVisible();
            menu->close();
        });
        QContextMenuEvent request(QContextMenuEvent::Mouse, point, global.toPoint());
        QApplication::sendEvent(viewport, &request);

        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(point), global, Qt::RightButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(viewport, &release);
        return *shown;
    }

    QAction* menuAction(const char* name) const
    {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }

    /** A new configuration named name, saved into folder (made when missing) through Save. */
    editor::Velmire* saveNew(const QString& name, const QString& folder)
    {
        QDir().mkpath(folder);
        dialogs.paths.push_back(folder);
        dialogs.inputs.push_back(name);
        window->NewConfiguration();
        window->SaveCurrentTab();
        return window->EditorOfTab(window->CurrentTab());
    }

    zentravolix::testing::RecordingDialogs dialogs;
    platform::ProgramSettings settings;
    std::unique_ptr<frmMain> window;

private:
    QTemporaryDir m_root;
};

} // namespace zentravolix::app::testing
