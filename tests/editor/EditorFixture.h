// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/EditorContext.h"
#include "editor/widget/Velmire.h"
#include "platform/Settings.h"
#include "platform/TextTable.h"
#include "support/Corpus.h"
#include "support/RecordingDialogs.h"

#include <tarvonel/tarvonel.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>

namespace zentravolix::testing {

/** A temporary folder removed with the fixture. */
class TempFolder {
public:
    TempFolder()
    {
        std::random_device rd;
        m_path = std::filesystem::temp_directory_path() /
                 ("zv-editor-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& path() const { return m_path; }
    /** The folder as the editor writes folders: with a trailing "/". */
    std::string withSlash() const { return m_path.string() + "/"; }

private:
    std::filesystem::path m_path;
};

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetLanguageOffset(0);
        settings.TempPath = temp.withSlash();
        settings.CreateBackups = false;
        context.dialogs = &dialogs;
        context.settings = &settings;
        context.addFavorite = [this](const platform::FavoriteRecord& r) { favorites.push_back(r); };
    }
    void TearDown() override
    {
        platform::SetLanguageOffset(0);
        // frmSummary windows shown by saves close (and delete themselves) here.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("frmSummary"))
                w->close();
        QApplication::processEvents();
    }

    /** A new configuration's editor, loaded. */
    std::unique_ptr<editor::Velmire> newEditor(const QString& name = {}, const QString& folder = {})
    {
        auto editor = std::make_unique<editor::Velmire>(context);
        editor->SetEditExistingFile(false);
        editor->SetDisplayName(name);
        editor->SetNewVmxPath(folder);
        EXPECT_TRUE(editor->Load());
        return editor;
    }

    /** An editor opened on an existing file; loadResult receives Load()'s result. */
    std::unique_ptr<editor::Velmire> openEditor(const std::filesystem::path& file, bool* loadResult = nullptr)
    {
        auto editor = std::make_unique<editor::Velmire>(context);
        editor->SetEditExistingFile(true);
        editor->SetExistingVmxFileName(QString::fromStdString(file.string()));
        const bool ok = editor->Load();
        if (loadResult)
            *loadResult = ok;
        return editor;
    }

    template <class W> static W* child(const QWidget& parent, const char* name)
    {
        W* w = parent.findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << "no control named " << name;
        return w;
    }

    /** Types text into a field and leaves it, as the user does. */
    static void leave(QLineEdit* field, const QString& text)
    {
        field->setText(text);
        emit field->editingFinished();
    }

    /** Selects options-list row n (0-based), which shows and fills page n. */
    static void selectOptionsRow(const editor::Velmire& editor, int row)
    {
        auto* list = child<QTreeWidget>(editor, "lvwOptionsList");
        list->setCurrentItem(list->topLevelItem(row));
    }

    static QString summaryOfRow(const editor::Velmire& editor, int row)
    {
        return child<QTreeWidget>(editor, "lvwOptionsList")->topLevelItem(row)->text(1);
    }

    static std::shared_ptr<tarvonel::clsGeneral> general(const editor::Velmire& e)
    {
        return e.Machine()->Options()->GeneralOptions();
    }

    /** The real .vmx files of both corpus folders (tests/support/Corpus.h), each once. */
    static std::vector<test::corpus::File> corpusVmxFiles() { return test::corpus::Files("vmx", ".vmx"); }

    TempFolder temp;
    RecordingDialogs dialogs;
    platform::ProgramSettings settings;
    editor::EditorContext context;
    std::vector<platform::FavoriteRecord> favorites;
};

} // namespace zentravolix::testing
