// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/options/OptionPage.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace zentravolix::config {
class ConfigSession;
}

namespace zentravolix::editor {

/**
 * Page 6: the configuration parameters, the lines of the file the editor carries through
 * verbatim, as a table of keys and values in file order. Parameters are added (key and value
 * asked for), edited in place and removed; lines that are no "key = value" line, and lines of
 * keys another page holds, are shown but not changed here. Every change replaces the session's
 * kept lines through one of addParameter, editParameter and removeParameter and is reported
 * through edited(), so a save writes it.
 */
class ParametersPage final : public OptionPage {
    Q_OBJECT
public:
    ParametersPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                   config::ConfigSession& session, QWidget* parent = nullptr);

    void load() override;
    void updateUILabels() override;

    /** Adds key = value after the kept key lines; false (the user told why) when the key is refused. */
    bool addParameter(const std::string& key, const std::string& value);
    /** Gives the kept line at index this key and value; false (the user told why) when the key is refused. */
    bool editParameter(std::size_t index, const std::string& key, const std::string& value);
    /** Removes the kept line at index. */
    void removeParameter(std::size_t index);

    /** The options list's summary of the page ("12 parameters"). */
    static QString summary(const std::vector<std::string>& lines);

private:
    void askForNewParameter();
    void editSelected();
    void removeSelected();
    void onItemChanged(QTableWidgetItem* item);
    void applyFilter();
    void updateButtons();
    /** True when the key may be used for the line at except (or a new line); else tells the user why. */
    bool acceptKey(const std::string& key, std::optional<std::size_t> except);
    /** Replaces the kept lines and reports the edit. */
    void storeLines(std::vector<std::string> lines);
    /** The kept line a row shows; nothing for no row. */
    std::optional<std::size_t> lineOfRow(int row) const;

    config::ConfigSession& m_session;
    QLabel* m_lblParamsNote;
    QLabel* m_lblParamFilter;
    QLineEdit* m_txtParamFilter;
    QTableWidget* m_tblParams;
    QPushButton* m_cmdParamAdd;
    QPushButton* m_cmdParamEdit;
    QPushButton* m_cmdParamRemove;
};

} // namespace zentravolix::editor
