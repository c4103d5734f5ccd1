// SPDX-License-Identifier: MIT
// The shared-folder page's Add and Properties buttons through the real, modal dialog.

#include "editor/EditorFixture.h"

#include "editor/dialogs/frmAddSharedFolder.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace zentravolix::testing {
namespace {

class SharedFoldersPageTest : public EditorTest {
protected:
    /** Works the dialog that the next click opens, as the user would, once it is up. */
    static void answerDialog(std::function<void(editor::frmAddSharedFolder&)> work)
    {
        QTimer::singleShot(0, [work] {
            auto* dialog = qobject_cast<editor::frmAddSharedFolder*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr) << "no shared-folder dialog is open";
            work(*dialog);
        });
    }

    static void typeAndLeave(editor::frmAddSharedFolder& dialog, const char* box, const QString& text)
    {
        leave(dialog.findChild<QLineEdit*>(QLatin1String(box)), text);
    }

    static void press(editor::frmAddSharedFolder& dialog, const char* button)
    {
        dialog.findChild<QPushButton*>(QLatin1String(button))->click();
    }
};

TEST_F(SharedFoldersPageTest, AddAppendsTheShareFromTheDialog)
{
    const auto editor = newEditor();
    selectOptionsRow(*editor, 2);
    const auto shares = editor->Machine()->Options()->SharedFoldersOptions();
    answerDialog([](editor::frmAddSharedFolder& dialog) {
        EXPECT_FALSE(dialog.EditExisting());
        typeAndLeave(dialog, "txtShareName", QStringLiteral("src"));
        typeAndLeave(dialog, "txtHostFolder", QStringLiteral("/home/src/"));
        dialog.findChild<QCheckBox*>(QStringLiteral("chkShareEnabled"))->click();
        press(dialog, "cmdOK");
    });
    child<QPushButton>(*editor, "cmdSharedAdd")->click();

    ASSERT_EQ(shares->Count(), 1);
    EXPECT_EQ(shares->Item(1)->ShareName(), "src");
    EXPECT_EQ(shares->Item(1)->HostFolder(), "/home/src/");
    EXPECT_TRUE(shares->Item(1)->Enabled());
    EXPECT_FALSE(shares->Item(1)->ReadOnly());
    auto* list = child<QTreeWidget>(*editor, "lvwSharedFolders");
    ASSERT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("src"));
    EXPECT_TRUE(editor->ChangesPending());
}

TEST_F(SharedFoldersPageTest, CancelledAddChangesNothing)
{
    const auto editor = newEditor();
    selectOptionsRow(*editor, 2);
    answerDialog([](editor::frmAddSharedFolder& dialog) {
        typeAndLeave(dialog, "txtShareName", QStringLiteral("src"));
        dialog.close();
    });
    child<QPushButton>(*editor, "cmdSharedAdd")->click();
    EXPECT_EQ(editor->Machine()->Options()->SharedFoldersOptions()->Count(), 0);
    EXPECT_FALSE(editor->ChangesPending());
}

TEST_F(SharedFoldersPageTest, PropertiesStartFromTheShareAndWriteItBack)
{
    const auto editor = newEditor();
    const auto share = editor->Machine()->Options()->SharedFoldersOptions()->Add();
    share->SetShareName("docs");
    share->SetHostFolder("/home/docs/");
    share->SetReadOnly(true);
    selectOptionsRow(*editor, 2);
    auto* list = child<QTreeWidget>(*editor, "lvwSharedFolders");
    list->setCurrentItem(list->topLevelItem(0));

    answerDialog([](editor::frmAddSharedFolder& dialog) {
        EXPECT_TRUE(dialog.EditExisting());
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("txtShareName"))->text(), QStringLiteral("docs"));
        EXPECT_TRUE(dialog.findChild<QCheckBox*>(QStringLiteral("chkShareReadOnly"))->isChecked());
        typeAndLeave(dialog, "txtShareName", QString()); // an emptied name keeps the old one
        typeAndLeave(dialog, "txtHostFolder", QStringLiteral("/srv/docs/"));
        press(dialog, "cmdOK");
    });
    child<QPushButton>(*editor, "cmdSharedProps")->click();

    EXPECT_EQ(share->ShareName(), "docs");
    EXPECT_EQ(share->HostFolder(), "/srv/docs/");
    EXPECT_TRUE(share->ReadOnly());
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("/srv/docs/"));
    EXPECT_TRUE(editor->ChangesPending());
}

} // namespace
} // namespace zentravolix::testing
