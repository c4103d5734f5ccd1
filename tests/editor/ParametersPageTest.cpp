// SPDX-License-Identifier: MIT
// The configuration parameters page: the kept lines of a file as a table that the user filters,
// edits in place, adds to and removes from, and what a save then writes.
#include "EditorFixture.h"

#include "editor/widget/pages/options/ParametersPage.h"
#include "vmx/VmxSyntax.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QUndoStack>

#include <cstdlib>

namespace zentravolix::testing {
namespace {

constexpr int kParametersRow = 6;

class ParametersPage : public EditorTest {
protected:
    /** A real ESX file with UUIDs, PCI bridges, guestinfo and sched lines that the editor keeps. */
    static constexpr const char* kWildFile = "vmx/libvirt/esx-in-the-wild-14.vmx";

    std::filesystem::path copyOfWildFile()
    {
        const auto source = test::corpus::Find(kWildFile);
        EXPECT_TRUE(source) << kWildFile;
        const auto target = temp.path() / "wild.vmx";
        if (source)
            std::filesystem::copy_file(source->path, target);
        return target;
    }

    /** An editor on the file with the parameters page shown. */
    std::unique_ptr<editor::Velmire> openOnParameters(const std::filesystem::path& file)
    {
        auto editor = openEditor(file);
        selectOptionsRow(*editor, kParametersRow);
        dialogs.clear();
        return editor;
    }

    static QTableWidget* table(const editor::Velmire& editor) { return child<QTableWidget>(editor, "tblParams"); }

    /** The row showing key (letter case as written); -1 when none does. */
    static int rowOf(const editor::Velmire& editor, const QString& key)
    {
        QTableWidget* t = table(editor);
        for (int row = 0; row < t->rowCount(); ++row)
            if (t->item(row, 0) && t->item(row, 0)->text() == key && t->columnSpan(row, 0) == 1)
                return row;
        return -1;
    }

    static void click(const editor::Velmire& editor, const char* button)
    {
        child<QPushButton>(editor, button)->click();
    }

    /** Adds through the Add button, answering its two questions. */
    void addThroughButton(const editor::Velmire& editor, const QString& key, const QString& value)
    {
        dialogs.inputs = {key, value};
        click(editor, "cmdParamAdd");
        dialogs.inputs.clear();
    }

    /** The text of the last message shown. */
    QString lastMessage() const
    {
        const auto shown = dialogs.messages();
        return shown.empty() ? QString() : shown.back().text;
    }
};

TEST_F(ParametersPage, ShowsTheKeptLinesInFileOrderAndFiltersThem)
{
    const auto editor = openOnParameters(copyOfWildFile());
    const auto& lines = editor->OtherParams();
    ASSERT_GT(lines.size(), 40u);
    QTableWidget* t = table(*editor);
    ASSERT_EQ(t->rowCount(), static_cast<int>(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(t->item(static_cast<int>(i), 0)->text().toStdString(), vmx::RawLineKey(lines[i])) << i;
    const int host = rowOf(*editor, QStringLiteral("guestinfo.Vrm.Server.Host"));
    ASSERT_GE(host, 0);
    EXPECT_EQ(t->item(host, 1)->text(), QStringLiteral("wild14.local"));
    EXPECT_EQ(summaryOfRow(*editor, kParametersRow), QString::number(lines.size()) + QStringLiteral(" parameters"));

    // The filter looks at keys and values, ignoring letter case.
    child<QLineEdit>(*editor, "txtParamFilter")->setText(QStringLiteral("WILD14.local"));
    int shown = 0;
    for (int row = 0; row < t->rowCount(); ++row)
        shown += t->isRowHidden(row) ? 0 : 1;
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(t->isRowHidden(host));
    child<QLineEdit>(*editor, "txtParamFilter")->setText(QStringLiteral("pcislotnumber"));
    EXPECT_TRUE(t->isRowHidden(host));
    EXPECT_FALSE(t->isRowHidden(rowOf(*editor, QStringLiteral("pciBridge0.pciSlotNumber"))));
    EXPECT_FALSE(editor->ChangesPending()) << "filtering is no edit";
}

TEST_F(ParametersPage, EditsAdditionsAndRemovalsAreSavedAndReadBack)
{
    const auto file = copyOfWildFile();
    const auto editor = openOnParameters(file);
    QTableWidget* t = table(*editor);

    // Edited in place: the value is stored as typed and written with the writer's escaping.
    const int host = rowOf(*editor, QStringLiteral("guestinfo.Vrm.Server.Host"));
    ASSERT_GE(host, 0);
    t->item(host, 1)->setText(QStringLiteral("web \"1\" | caf\u00e9"));
    EXPECT_TRUE(editor->ChangesPending());
    EXPECT_EQ(t->item(host, 1)->text(), QStringLiteral("web \"1\" | caf\u00e9"));

    addThroughButton(*editor, QStringLiteral("guestinfo.hostname"), QStringLiteral("web1"));
    EXPECT_TRUE(dialogs.messages().empty()) << lastMessage().toStdString();
    const int added = rowOf(*editor, QStringLiteral("guestinfo.hostname"));
    ASSERT_GE(added, 0);
    EXPECT_EQ(t->item(added, 1)->text(), QStringLiteral("web1"));
    EXPECT_EQ(t->currentRow(), added);

    const int uuid = rowOf(*editor, QStringLiteral("uuid.bios"));
    ASSERT_GE(uuid, 0);
    t->selectRow(uuid);
    click(*editor, "cmdParamRemove");
    EXPECT_EQ(rowOf(*editor, QStringLiteral("uuid.bios")), -1);
    EXPECT_EQ(t->rowCount(), static_cast<int>(editor->OtherParams().size()));

    ASSERT_TRUE(editor->CreateVmxFile()) << dialogs.messageTitles().join(QStringLiteral(", ")).toStdString();
    EXPECT_FALSE(editor->ChangesPending());
    const std::string saved = readFile(file);
    EXPECT_NE(saved.find("guestinfo.Vrm.Server.Host = \"web |221|22 |7C caf\xc3\xa9\"\r\n"), std::string::npos);
    EXPECT_NE(saved.find("guestinfo.hostname = \"web1\"\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("uuid.bios"), std::string::npos);

    const auto reopened = openOnParameters(file);
    QTableWidget* again = table(*reopened);
    EXPECT_EQ(again->item(rowOf(*reopened, QStringLiteral("guestinfo.Vrm.Server.Host")), 1)->text(),
              QStringLiteral("web \"1\" | caf\u00e9"));
    EXPECT_EQ(again->item(rowOf(*reopened, QStringLiteral("guestinfo.hostname")), 1)->text(), QStringLiteral("web1"));
    EXPECT_EQ(rowOf(*reopened, QStringLiteral("uuid.bios")), -1);
}

TEST_F(ParametersPage, RefusedKeysSayWhyAndNameThePageThatHoldsThem)
{
    const auto editor = openOnParameters(copyOfWildFile());
    const std::vector<std::string> before = editor->OtherParams();
    const struct {
        const char* key;
        const char* says;
    } cases[] = {
        {"memsize", "The key \"memsize\" is set on the page Hardware > Memory. Change it there."},
        {"ethernet0.virtualDev", "The key \"ethernet0.virtualDev\" is set on the page Hardware > Network Adapter."},
        {"gui.exitAtPowerOff", "The key \"gui.exitAtPowerOff\" is set on the page Options > Power."},
        {"ide0:0.fileName", "Hardware > Hard Disk / DVD/CD-ROM Drive"},
        {"", "A parameter's key cannot be empty."},
        {"guestinfo host", "A parameter's key cannot hold blanks: \"guestinfo host\""},
        {"a=b", "A parameter's key cannot hold an equals sign: \"a=b\""},
        {"#note", "A parameter's key cannot begin with #"},
        {"UUID.BIOS", "The key \"UUID.BIOS\" is in the list already."},
    };
    for (const auto& c : cases) {
        dialogs.clear();
        addThroughButton(*editor, QString::fromUtf8(c.key), QStringLiteral("1"));
        ASSERT_EQ(dialogs.messages().size(), 1u) << c.key;
        EXPECT_TRUE(lastMessage().contains(QString::fromUtf8(c.says))) << lastMessage().toStdString();
        EXPECT_EQ(dialogs.messages().back().icon, editor::MessageIcon::Warning);
        // The value is not asked for once the key is refused.
        EXPECT_EQ(dialogs.calls.size(), 2u) << c.key;
    }
    // A line break is refused too (typed through the page's own entry point: input boxes hold one line).
    auto* page = editor->findChild<editor::ParametersPage*>(QStringLiteral("pgParameters"));
    ASSERT_NE(page, nullptr);
    EXPECT_FALSE(page->addParameter("guestinfo.a\nb", "1"));
    EXPECT_EQ(lastMessage(), QStringLiteral("A parameter's key cannot hold a line break."));

    // Renamed in place to a key of the editor's: refused, and the row shows its line again.
    QTableWidget* t = table(*editor);
    const int host = rowOf(*editor, QStringLiteral("guestinfo.Vrm.Server.Host"));
    t->item(host, 0)->setText(QStringLiteral("numvcpus"));
    EXPECT_TRUE(lastMessage().contains(QStringLiteral("Hardware > CPU"))) << lastMessage().toStdString();
    EXPECT_EQ(t->item(host, 0)->text(), QStringLiteral("guestinfo.Vrm.Server.Host"));
    EXPECT_EQ(editor->OtherParams(), before);
    EXPECT_FALSE(editor->ChangesPending());
}

TEST_F(ParametersPage, LinesThatAreNoKeyValueLineAreShownButNotChanged)
{
    const auto file = temp.path() / "kept.vmx";
    writeFile(file, "displayName = \"kept\"\nguestinfo.a = \"1\"\nstray text without sign\n# a note of the user\n"
                    "memsize = \"lots\"\n");
    const auto editor = openOnParameters(file);
    QTableWidget* t = table(*editor);
    ASSERT_EQ(t->rowCount(), static_cast<int>(editor->OtherParams().size()));

    auto* edit = child<QPushButton>(*editor, "cmdParamEdit");
    auto* remove = child<QPushButton>(*editor, "cmdParamRemove");
    int readOnlyLines = 0;
    for (int row = 0; row < t->rowCount(); ++row) {
        t->selectRow(row);
        const QString key = t->item(row, 0)->text();
        const bool keyValue = t->columnSpan(row, 0) == 1;
        if (!keyValue) {
            ++readOnlyLines;
            EXPECT_FALSE(t->item(row, 0)->flags() & Qt::ItemIsEditable) << key.toStdString();
            EXPECT_FALSE(edit->isEnabled());
            EXPECT_FALSE(remove->isEnabled());
        } else if (key == QStringLiteral("memsize")) {
            // The editor's own key with a value it could not use: only its page changes it.
            EXPECT_FALSE(t->item(row, 1)->flags() & Qt::ItemIsEditable);
            EXPECT_TRUE(t->item(row, 1)->toolTip().contains(QStringLiteral("Hardware > Memory")));
            EXPECT_FALSE(edit->isEnabled());
        } else {
            EXPECT_TRUE(t->item(row, 1)->flags() & Qt::ItemIsEditable);
            EXPECT_TRUE(edit->isEnabled());
        }
    }
    EXPECT_EQ(readOnlyLines, 2);
    EXPECT_FALSE(editor->ChangesPending());
}

TEST_F(ParametersPage, CaptionsFollowTheLanguage)
{
    const auto editor = openOnParameters(copyOfWildFile());
    platform::SetLanguageOffset(500);
    editor->UpdateUILabels();
    EXPECT_EQ(child<QLabel>(*editor, "lblOptionsPage")->text(), QStringLiteral("Konfigurationsparameter"));
    EXPECT_EQ(child<QPushButton>(*editor, "cmdParamAdd")->text(), QStringLiteral("&Hinzuf\u00fcgen..."));
    EXPECT_EQ(table(*editor)->horizontalHeaderItem(0)->text(), QStringLiteral("Schl\u00fcssel"));
    EXPECT_EQ(summaryOfRow(*editor, kParametersRow),
              QString::number(editor->OtherParams().size()) + QStringLiteral(" Parameter"));

    // Pictures of the page for a person to look at, when asked for.
    if (const char* folder = std::getenv("ZV_SCREENSHOT_DIR")) {
        for (const int offset : {0, 500}) {
            platform::SetLanguageOffset(offset);
            editor->UpdateUILabels();
            editor->resize(1000, 720);
            editor->show();
            QApplication::processEvents();
            const QString name = offset == 0 ? QStringLiteral("/parameters-en.png") : QStringLiteral("/parameters-de.png");
            EXPECT_TRUE(editor->grab().save(QString::fromLocal8Bit(folder) + name));
        }
    }
}

} // namespace
} // namespace zentravolix::testing

namespace zentravolix::testing {
namespace {

TEST_F(ParametersPage, AddedEditedAndRemovedParametersAreUndoneAndRedone)
{
    const auto file = copyOfWildFile();
    const auto editor = openOnParameters(file);
    QUndoStack& steps = *editor->undoStack();
    const auto kept = editor->OtherParams();

    addThroughButton(*editor, QStringLiteral("guestinfo.hostname"), QStringLiteral("web1"));
    const int uuid = rowOf(*editor, QStringLiteral("uuid.bios"));
    ASSERT_GE(uuid, 0);
    table(*editor)->selectRow(uuid);
    click(*editor, "cmdParamRemove");
    EXPECT_EQ(steps.count(), 2);

    steps.undo(); // the removal
    EXPECT_GE(rowOf(*editor, QStringLiteral("uuid.bios")), 0);
    EXPECT_GE(rowOf(*editor, QStringLiteral("guestinfo.hostname")), 0);
    steps.undo(); // the addition: back to the file as opened
    EXPECT_EQ(rowOf(*editor, QStringLiteral("guestinfo.hostname")), -1);
    EXPECT_EQ(editor->OtherParams(), kept);
    EXPECT_FALSE(editor->ChangesPending());

    steps.redo();
    steps.redo();
    EXPECT_GE(rowOf(*editor, QStringLiteral("guestinfo.hostname")), 0);
    EXPECT_EQ(rowOf(*editor, QStringLiteral("uuid.bios")), -1);
    EXPECT_TRUE(editor->ChangesPending());
    // A refused key is no step.
    addThroughButton(*editor, QStringLiteral("memsize"), QStringLiteral("1"));
    EXPECT_EQ(steps.count(), 2);
}

} // namespace
} // namespace zentravolix::testing
