// SPDX-License-Identifier: MIT
// The application-level catch point: an exception escaping an event handler is shown, and the
// program goes on with its tabs intact.
#include "AppTestFixture.h"

#include <tarvonel/Error.h>

#include <QAction>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <stdexcept>

namespace zentravolix::app::testing {
namespace {

class ApplicationErrors : public AppTest {
protected:
    QWidget* favoritesButton(frmMain& w)
    {
        auto* toolbar = w.findChild<QToolBar*>(QStringLiteral("tlbMain"));
        return toolbar->widgetForAction(toolbar->findChild<QAction*>(QStringLiteral("Favorites")));
    }
};

TEST_F(ApplicationErrors, ModelErrorInAClickHandlerIsShownAndTheWindowSurvives)
{
    frmMain& w = makeWindow();
    editor::Velmire* editor = openNew(QStringLiteral("Keeps its edits"));
    ASSERT_NE(editor, nullptr);
    makeChange(editor);
    dialogs.clear();

    auto* favorites =
        w.findChild<QToolBar*>(QStringLiteral("tlbMain"))->findChild<QAction*>(QStringLiteral("Favorites"));
    QObject::connect(favorites, &QAction::triggered, &w, [] { throw tarvonel::Overflow(); });
    QTest::mouseClick(favoritesButton(w), Qt::LeftButton);

    ASSERT_EQ(dialogs.messages().size(), 1u);
    const auto message = dialogs.messages().front();
    EXPECT_EQ(message.icon, editor::MessageIcon::Critical);
    EXPECT_EQ(message.title, QStringLiteral("Zentravolix"));
    EXPECT_TRUE(message.text.contains(QStringLiteral("'6'"))) << message.text.toStdString();
    EXPECT_TRUE(message.text.contains(QStringLiteral("Overflow"))) << message.text.toStdString();

    // Everything is still there, and the same command works again.
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.EditorOfTab(1), editor);
    EXPECT_TRUE(editor->ChangesPending());
    EXPECT_FALSE(w.FavoritesShown()); // the real handler ran before the failing one
    QTest::mouseClick(favoritesButton(w), Qt::LeftButton);
    EXPECT_TRUE(w.FavoritesShown());
    EXPECT_EQ(dialogs.messages().size(), 2u);
}

TEST_F(ApplicationErrors, StandardExceptionFromATimerShowsItsDescription)
{
    frmMain& w = makeWindow();
    QTimer::singleShot(0, &w,
                       [] { throw std::runtime_error("cannot write '/vm/a.vmx': No space left on device"); });
    QTest::qWait(50);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text,
              QStringLiteral("Run-time error:\n\ncannot write '/vm/a.vmx': No space left on device"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.findChild<QTabWidget*>(QStringLiteral("sstMain"))->count(), 1);
}

TEST_F(ApplicationErrors, WithoutDialogsTheErrorStillDoesNotEndTheProgram)
{
    frmMain& w = makeWindow();
    application()->setDialogs(nullptr);
    QTimer::singleShot(0, &w, [] { throw tarvonel::TypeMismatch(); });
    QTest::qWait(50);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST(ApplicationErrorText, NamesNumberAndDescription)
{
    EXPECT_EQ(ZentravolixApplication::ErrorText(13, QStringLiteral("Type mismatch")),
              QStringLiteral("Run-time error '13':\n\nType mismatch"));
    EXPECT_EQ(ZentravolixApplication::ErrorText(0, QStringLiteral("bad_alloc")),
              QStringLiteral("Run-time error:\n\nbad_alloc"));
}

} // namespace
} // namespace zentravolix::app::testing
