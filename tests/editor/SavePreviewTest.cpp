// SPDX-License-Identifier: MIT
// The preview of a save over an existing file, its "Do not show again", and the question about a
// file that another program changed since it was opened.
#include "EditorFixture.h"

#include "config/SavePreview.h"
#include "editor/dialogs/frmSavePreview.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextEdit>

#include <cstdlib>

namespace zentravolix::testing {
namespace {

using config::DiffLine;
using Kind = RecordingDialogs::Kind;

class SavePreview : public EditorTest {
protected:
    static constexpr const char* kWildFile = "vmx/libvirt/esx-in-the-wild-14.vmx";

    /** The corpus file as the editor writes it: a first save settles the layout. */
    std::filesystem::path savedWildFile()
    {
        const auto source = test::corpus::Find(kWildFile);
        EXPECT_TRUE(source) << kWildFile;
        const auto target = temp.path() / "wild.vmx";
        if (!source)
            return target;
        std::filesystem::copy_file(source->path, target);
        const auto editor = openEditor(target);
        leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("wild14"));
        EXPECT_TRUE(editor->CreateVmxFile());
        dialogs.clear();
        dialogs.previews.clear();
        return target;
    }

    static std::vector<DiffLine> changedLines(const config::SavePreview& preview)
    {
        std::vector<DiffLine> changed;
        for (const auto& line : preview.lines)
            if (line.kind != DiffLine::Kind::Same)
                changed.push_back(line);
        return changed;
    }
};

TEST_F(SavePreview, ACorpusFileWithOneEditShowsExactlyTheChangedLines)
{
    const auto file = savedWildFile();
    const std::string before = readFile(file);
    const auto editor = openEditor(file);
    dialogs.clear();
    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("wild15"));
    ASSERT_TRUE(editor->CreateVmxFile());

    ASSERT_EQ(dialogs.previews.size(), 1u);
    EXPECT_EQ(dialogs.callsOf(Kind::SavePreview).front().text, QString::fromStdString(file.string()));
    const config::SavePreview& preview = dialogs.previews.front();
    const auto changed = changedLines(preview);
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(changed[0].kind, DiffLine::Kind::Removed);
    EXPECT_EQ(changed[0].text, "displayName = \"wild14\"");
    EXPECT_EQ(changed[1].kind, DiffLine::Kind::Added);
    EXPECT_EQ(changed[1].text, "displayName = \"wild15\"");
    EXPECT_EQ(changed[0].number, changed[1].number);
    ASSERT_EQ(preview.changes.size(), 1u);
    EXPECT_EQ(preview.changes[0].kind, config::SettingChange::Kind::Changed);
    EXPECT_EQ(preview.changes[0].key, "displayName");
    EXPECT_EQ(preview.changes[0].before, "wild14");
    EXPECT_EQ(preview.changes[0].after, "wild15");
    EXPECT_NE(readFile(file), before);

    // The dialog marks those two lines and no other.
    editor::frmSavePreview dialog;
    dialog.SetPreview(QString::fromStdString(file.string()), preview);
    auto* lines = child<QTextEdit>(dialog, "txtPreviewLines");
    QStringList marked;
    for (QTextBlock block = lines->document()->begin(); block.isValid(); block = block.next())
        if (block.blockFormat().background().style() != Qt::NoBrush)
            marked << block.text();
    ASSERT_EQ(marked.size(), 2);
    EXPECT_TRUE(marked[0].endsWith(QStringLiteral(" - displayName = \"wild14\""))) << marked[0].toStdString();
    EXPECT_TRUE(marked[1].endsWith(QStringLiteral(" + displayName = \"wild15\""))) << marked[1].toStdString();
    EXPECT_EQ(child<QTreeWidget>(dialog, "lvwPreviewSettings")->topLevelItemCount(), 1);

    if (const char* folder = std::getenv("ZV_SCREENSHOT_DIR")) {
        for (const int offset : {0, 500}) {
            platform::SetLanguageOffset(offset);
            dialog.UpdateUILabels();
            dialog.show();
            QApplication::processEvents();
            const QString name = offset == 0 ? QStringLiteral("/preview-en.png") : QStringLiteral("/preview-de.png");
            EXPECT_TRUE(dialog.grab().save(QString::fromLocal8Bit(folder) + name));
        }
    }
}

TEST_F(SavePreview, CancelWritesNothingAndDoNotShowAgainIsKeptInTheSettings)
{
    const auto file = savedWildFile();
    const std::string before = readFile(file);
    const auto editor = openEditor(file);
    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("other"));

    dialogs.previewAnswers = {false};
    EXPECT_FALSE(editor->CreateVmxFile());
    EXPECT_EQ(readFile(file), before);
    EXPECT_TRUE(editor->ChangesPending());
    EXPECT_TRUE(settings.ShowSavePreview);

    dialogs.previewDoNotShowAgain = true;
    EXPECT_TRUE(editor->CreateVmxFile());
    EXPECT_FALSE(settings.ShowSavePreview);
    EXPECT_EQ(dialogs.previews.size(), 2u);
    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("third"));
    EXPECT_TRUE(editor->CreateVmxFile());
    EXPECT_EQ(dialogs.previews.size(), 2u) << "switched off";

    // A new machine's first save replaces no file: nothing to preview.
    settings.ShowSavePreview = true;
    const auto fresh = newEditor(QStringLiteral("Fresh"), QString::fromStdString(temp.withSlash()));
    EXPECT_TRUE(fresh->CreateVmxFile());
    EXPECT_EQ(dialogs.previews.size(), 2u);
}

TEST_F(SavePreview, AFileChangedOnDiskIsToldFirstWithReloadOrOverwrite)
{
    const auto file = savedWildFile();
    const auto editor = openEditor(file);
    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("mine"));
    const std::string theirs = readFile(file) + "guestinfo.theirs = \"1\"\r\n";
    writeFile(file, theirs);
    dialogs.clear();

    dialogs.changedFileAnswers = {editor::DiskChangeAnswer::Cancel};
    EXPECT_FALSE(editor->CreateVmxFile());
    ASSERT_FALSE(dialogs.calls.empty());
    EXPECT_EQ(dialogs.calls.front().kind, Kind::ChangedFile);
    EXPECT_EQ(dialogs.calls.size(), 1u) << "nothing else is asked";
    EXPECT_TRUE(dialogs.calls.front().text.contains(QString::fromStdString(file.string())));
    EXPECT_EQ(dialogs.calls.front().title, QStringLiteral("File Changed on Disk"));
    EXPECT_EQ(readFile(file), theirs);

    QSignalSpy reload(editor.get(), &editor::Velmire::reloadRequested);
    dialogs.changedFileAnswers = {editor::DiskChangeAnswer::Reload};
    EXPECT_FALSE(editor->CreateVmxFile());
    EXPECT_EQ(reload.count(), 1);
    EXPECT_EQ(readFile(file), theirs);
    EXPECT_TRUE(editor->ChangesPending());

    // Overwrite: the preview then compares with what the other program wrote.
    dialogs.clear();
    dialogs.changedFileAnswers = {editor::DiskChangeAnswer::Overwrite};
    EXPECT_TRUE(editor->CreateVmxFile());
    ASSERT_EQ(dialogs.previews.size(), 1u);
    const auto& changes = dialogs.previews.back().changes;
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes[0].key, "displayName");
    EXPECT_EQ(changes[1].kind, config::SettingChange::Kind::Removed);
    EXPECT_EQ(changes[1].key, "guestinfo.theirs");
    // The save is the file as known now: the next save asks nothing.
    dialogs.clear();
    leave(child<QLineEdit>(*editor, "txtDisplayName"), QStringLiteral("mine again"));
    EXPECT_TRUE(editor->CreateVmxFile());
    EXPECT_TRUE(dialogs.callsOf(Kind::ChangedFile).empty());
}

} // namespace
} // namespace zentravolix::testing
