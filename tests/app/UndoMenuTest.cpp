// SPDX-License-Identifier: MIT
// Undo and Redo in the VM menu: they act on the tab in front, follow it, and have the usual keys.
#include "AppTestFixture.h"

#include <tarvonel/tarvonel.h>

#include <QAction>
#include <QTabWidget>

namespace zentravolix::app::testing {
namespace {

class UndoMenu : public AppTest {
protected:
    QAction* action(const char* name) const { return window->findChild<QAction*>(QLatin1String(name)); }
    static std::string notesOf(const editor::Velmire* e) { return e->Machine()->Notes(); }
};

TEST_F(UndoMenu, UndoAndRedoActOnTheTabInFront)
{
    frmMain& w = makeWindow();
    QAction* undo = action("mnuVMUndo");
    QAction* redo = action("mnuVMRedo");
    ASSERT_NE(undo, nullptr);
    ASSERT_NE(redo, nullptr);
    EXPECT_FALSE(undo->isEnabled()) << "the Home tab has nothing to undo";
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo"));
    EXPECT_TRUE(undo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Z)));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));

    editor::Velmire* first = openNew(QStringLiteral("First"));
    makeChange(first);
    editor::Velmire* second = openNew(QStringLiteral("Second"));
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(undo->isEnabled()) << "the second tab has no edit yet";

    w.findChild<QTabWidget*>(QStringLiteral("sstMain"))->setCurrentIndex(1);
    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(notesOf(first), "");
    EXPECT_FALSE(first->ChangesPending());
    EXPECT_FALSE(undo->isEnabled());
    ASSERT_TRUE(redo->isEnabled());
    redo->trigger();
    EXPECT_EQ(notesOf(first), "changed by the test");
    EXPECT_TRUE(first->ChangesPending());
    EXPECT_FALSE(second->ChangesPending());

    // The German captions keep their accelerators.
    platform::SetLanguageOffset(500);
    w.UpdateUILabels();
    EXPECT_EQ(undo->text(), QStringLiteral("&Rückgängig"));
}

} // namespace
} // namespace zentravolix::app::testing
