// SPDX-License-Identifier: MIT
// The shared-folder dialog: its members in and out, the name and folder rules, and closing.

#include "editor/dialogs/frmAddSharedFolder.h"
#include "platform/TextTable.h"
#include "support/RecordingDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace zentravolix::testing {
namespace {

using editor::frmAddSharedFolder;

class SharedFolderDialogTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetLanguageOffset(0); }

    template <class W>
    W* child(const char* name)
    {
        W* w = dialog.findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << "no control named " << name;
        return w;
    }

    void editExisting()
    {
        dialog.SetEditExisting(true);
        dialog.SetShareName(QStringLiteral("docs"));
        dialog.SetHostFolder(QStringLiteral("/home/me/docs/"));
        dialog.SetIsEnabled(true);
        dialog.SetIsReadOnly(false);
        dialog.SetIsDisabledAfterThisSession(true);
    }

    static void leave(QLineEdit* box, const QString& text)
    {
        box->setText(text);
        emit box->editingFinished();
    }

    RecordingDialogs dialogs;
    frmAddSharedFolder dialog{dialogs};
};

TEST_F(SharedFolderDialogTest, AddingWithEmptyBoxesReturnsEmptyValues)
{
    dialog.show();
    EXPECT_TRUE(dialog.Cancelled());
    EXPECT_TRUE(child<QLineEdit>("txtShareName")->text().isEmpty());
    EXPECT_FALSE(child<QCheckBox>("chkShareEnabled")->isChecked());
    child<QPushButton>("cmdOK")->click();
    EXPECT_FALSE(dialog.Cancelled());
    EXPECT_TRUE(dialog.ShareName().isEmpty());
    EXPECT_TRUE(dialog.HostFolder().isEmpty());
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(SharedFolderDialogTest, EditingStartsFromTheValuesAndAnEmptyBoxKeepsThem)
{
    editExisting();
    dialog.show();
    EXPECT_EQ(child<QLineEdit>("txtShareName")->text(), QStringLiteral("docs"));
    EXPECT_EQ(child<QLineEdit>("txtHostFolder")->text(), QStringLiteral("/home/me/docs/"));
    EXPECT_TRUE(child<QCheckBox>("chkShareEnabled")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("chkShareReadOnly")->isChecked());
    EXPECT_TRUE(child<QCheckBox>("chkShareDisableAfterSession")->isChecked());

    leave(child<QLineEdit>("txtShareName"), QString());
    child<QLineEdit>("txtHostFolder")->clear(); // left by pressing OK
    child<QPushButton>("cmdOK")->click();
    EXPECT_EQ(dialog.ShareName(), QStringLiteral("docs"));
    EXPECT_EQ(dialog.HostFolder(), QStringLiteral("/home/me/docs/"));
}

TEST_F(SharedFolderDialogTest, TypedValuesAndSwitchesAreReturned)
{
    dialog.show();
    child<QLineEdit>("txtShareName")->setText(QStringLiteral("music"));
    child<QCheckBox>("chkShareEnabled")->click();
    child<QCheckBox>("chkShareEnabled")->click();
    child<QCheckBox>("chkShareReadOnly")->click();
    child<QPushButton>("cmdOK")->click();
    EXPECT_EQ(dialog.ShareName(), QStringLiteral("music")) << "OK takes the box it leaves";
    EXPECT_FALSE(dialog.IsEnabled()) << "ticked and cleared again";
    EXPECT_TRUE(dialog.IsReadOnly());
    EXPECT_FALSE(dialog.IsDisabledAfterThisSession());
}

TEST_F(SharedFolderDialogTest, BrowsedFolderEndsInExactlyOneSeparator)
{
    dialog.show();
    dialogs.paths = {QStringLiteral("/srv/share"), QStringLiteral("/"), QString()};
    auto* browse = child<QPushButton>("cmdBrowseForHostFolder");
    browse->click();
    EXPECT_EQ(dialog.HostFolder(), QStringLiteral("/srv/share/"));
    browse->click();
    EXPECT_EQ(dialog.HostFolder(), QStringLiteral("/")) << "a root folder gets no second separator";
    browse->click(); // cancelled
    EXPECT_EQ(dialog.HostFolder(), QStringLiteral("/"));
    EXPECT_EQ(child<QLineEdit>("txtHostFolder")->text(), QStringLiteral("/"));

    ASSERT_EQ(dialogs.calls.size(), 3u);
    EXPECT_EQ(dialogs.calls[0].kind, RecordingDialogs::Kind::BrowseFolder);
    EXPECT_EQ(dialogs.calls[0].title, QStringLiteral("Host Folder"));
    EXPECT_TRUE(dialogs.calls[0].initial.isEmpty()) << "no preset folder";
}

TEST_F(SharedFolderDialogTest, ClosingOrCancellingReturnsCancelled)
{
    editExisting();
    dialog.SetCancelled(false);
    // Run modally, as the editor does, and close it with the close box.
    QTimer::singleShot(0, &dialog, [this] {
        leave(child<QLineEdit>("txtShareName"), QStringLiteral("renamed"));
        dialog.close();
    });
    dialog.exec();
    EXPECT_TRUE(dialog.Cancelled());

    frmAddSharedFolder second(dialogs);
    second.show();
    second.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
    EXPECT_TRUE(second.Cancelled());
}

TEST_F(SharedFolderDialogTest, CaptionsComeFromTheTextTable)
{
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Shared Folder"));
    EXPECT_EQ(child<QGroupBox>("fraName")->title(), QStringLiteral("Name/Location"));
    EXPECT_EQ(child<QLabel>("lblName")->text(), QStringLiteral("Name:"));
    EXPECT_EQ(child<QLabel>("lblHostFolder")->text(), QStringLiteral("Host Folder:"));
    EXPECT_EQ(child<QCheckBox>("chkShareReadOnly")->text(), QStringLiteral("Read-Only"));

    platform::SetLanguageOffset(500);
    dialog.UpdateUILabels();
    EXPECT_EQ(child<QLabel>("lblName")->text(), QStringLiteral("Name:"));
    EXPECT_EQ(child<QLabel>("lblHostFolder")->text(), QStringLiteral("Host-Ordner:"));
    EXPECT_EQ(child<QCheckBox>("chkShareReadOnly")->text(), QStringLiteral("Schreibgesch\u00fctzt"));
    platform::SetLanguageOffset(0);
}

} // namespace
} // namespace zentravolix::testing
