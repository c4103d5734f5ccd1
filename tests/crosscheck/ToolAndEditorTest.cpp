// SPDX-License-Identifier: MIT
// The command-line tool promises to save exactly what the editor saves: every corpus file saved
// under another name through both, and a new configuration made by both, give the same bytes.
#include "editor/EditorFixture.h"

#include "cli/CliApp.h"
#include "support/Corpus.h"
#include "support/InProcessTool.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace zentravolix::testing {
namespace {

namespace fs = std::filesystem;

class ToolAndEditor : public EditorTest {
protected:
    /** Runs the tool in-process; the exit code, with what it printed in out and err. */
    int tool(std::vector<std::string> args) { return zentravolix::test::runTool(std::move(args), out, err); }

    /** The file's bytes, and the file removed, so the next save starts from nothing. */
    static std::string takeFile(const fs::path& path)
    {
        std::string content = readFile(path);
        fs::remove(path);
        return content;
    }

    std::ostringstream out;
    std::ostringstream err;
};

/** The first line in which two texts differ, both versions, for a short failure message. */
std::string firstDifference(const std::string& a, const std::string& b)
{
    std::istringstream left(a);
    std::istringstream right(b);
    std::string l;
    std::string r;
    for (int line = 1;; ++line) {
        const bool moreLeft = static_cast<bool>(std::getline(left, l));
        const bool moreRight = static_cast<bool>(std::getline(right, r));
        if (!moreLeft && !moreRight)
            return "no difference";
        if (l != r || moreLeft != moreRight)
            return "line " + std::to_string(line) + ": tool \"" + (moreLeft ? l : "(end)") + "\", editor \"" +
                   (moreRight ? r : "(end)") + "\"";
    }
}

TEST_F(ToolAndEditor, EveryCorpusFileSavedUnderAnotherNameGivesTheSameBytes)
{
    namespace corpus = zentravolix::test::corpus;
    std::vector<fs::path> files;
    for (const auto& file : corpus::Files("vmx", ".vmx"))
        files.push_back(file.path);
    ASSERT_FALSE(files.empty()) << "no .vmx file in the corpus at " << corpus::InRepository().string();

    int compared = 0;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        // Both save to the same path: the file name is part of the text, and so is every device
        // path the folder makes relative.
        const fs::path target = temp.path() / "out" / file.filename();

        const int exit = tool({"rewrite", file.string(), "-o", target.string()});
        const std::string byTool = exit == 0 ? takeFile(target) : std::string();

        dialogs.calls.clear();
        bool opened = false;
        const auto editor = openEditor(file, &opened);
        bool saved = false;
        if (opened) {
            leave(child<QLineEdit>(*editor, "txtVmxFolder"), QString::fromStdString(target.parent_path().string()));
            leave(child<QLineEdit>(*editor, "txtVmxFileName"), QString::fromStdString(target.filename().string()));
            saved = editor->CreateVmxFile();
        }

        // A file one of them cannot read or refuses to save, the other cannot or refuses too.
        EXPECT_EQ(exit == 0, saved) << "tool: " << exit << " " << err.str()
                                    << "editor: " << dialogs.messageTitles().join(QStringLiteral(", ")).toStdString();
        EXPECT_EQ(exit == 1, !opened) << err.str();
        if (exit != 0 || !saved)
            continue;
        const std::string byEditor = takeFile(target);
        EXPECT_TRUE(byTool == byEditor) << firstDifference(byTool, byEditor);
        ++compared;
    }
    RecordProperty("files", static_cast<int>(files.size()));
    RecordProperty("compared", compared);
    // A refusal on both sides proves nothing: most files must be compared.
    EXPECT_GT(compared, static_cast<int>(files.size()) / 2);
}

TEST_F(ToolAndEditor, SavingOverTheFileWithBackupsGivesTheSameFileAndBackup)
{
    const auto found = zentravolix::test::corpus::Find("vmx/cosmos/2008-09-10_Workstation_Cosmos.vmx");
    ASSERT_TRUE(found) << "the corpus lost its Cosmos file";
    const fs::path source = found->path;
    const std::string original = readFile(source);
    // Two copies of one name in two folders: the text names the file, not its folder.
    const fs::path byTool = temp.path() / "tool" / "Cosmos.vmx";
    const fs::path byEditor = temp.path() / "editor" / "Cosmos.vmx";
    for (const auto& copy : {byTool, byEditor}) {
        fs::create_directories(copy.parent_path());
        fs::copy_file(source, copy);
    }

    ASSERT_EQ(tool({"rewrite", byTool.string(), "--backup"}), 0) << err.str();
    settings.CreateBackups = true;
    const auto editor = openEditor(byEditor);
    ASSERT_TRUE(editor->CreateVmxFile()) << dialogs.messageTitles().join(QStringLiteral(", ")).toStdString();

    EXPECT_EQ(readFile(byTool.string() + ".bak"), original);
    EXPECT_EQ(readFile(byEditor.string() + ".bak"), original);
    const std::string toolText = readFile(byTool);
    const std::string editorText = readFile(byEditor);
    EXPECT_TRUE(toolText == editorText) << firstDifference(toolText, editorText);
}

TEST_F(ToolAndEditor, NewConfigurationGivesTheSameBytes)
{
    const fs::path folder = temp.path() / "new";
    fs::create_directories(folder);
    for (const char* name : {"Build box", "web-01"}) {
        SCOPED_TRACE(name);
        const fs::path target = folder / (std::string(name) + ".vmx");
        ASSERT_EQ(tool({"new", name, "--dir", folder.string()}), 0) << err.str();
        const std::string byTool = takeFile(target);

        const auto editor = newEditor(QString::fromUtf8(name), QString::fromStdString(folder.string()));
        ASSERT_TRUE(editor->CreateVmxFile()) << dialogs.messageTitles().join(QStringLiteral(", ")).toStdString();
        const std::string byEditor = takeFile(target);
        EXPECT_TRUE(byTool == byEditor) << firstDifference(byTool, byEditor);
    }
}

} // namespace
} // namespace zentravolix::testing
