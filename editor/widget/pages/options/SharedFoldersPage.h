// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/options/OptionPage.h"

#include <functional>
#include <optional>
#include <string>

class QGroupBox;
class QPushButton;
class QTreeWidget;

namespace zentravolix::editor {

/** The five values the shared-folder dialog edits. */
struct ShareValues {
    std::string ShareName;
    std::string HostFolder;
    bool Enabled = false;
    bool ReadOnly = false;
    bool DisableAfterThisSession = false;
};

/**
 * Page 2: the shared folders and the switch for sharing as a whole. Remove works on the share
 * last clicked. Add and Properties open the shared-folder dialog (frmAddSharedFolder, with the
 * context's Dialogs for its folder browser), or the function set with setShareEditor() instead;
 * with neither, those two buttons stay disabled.
 */
class SharedFoldersPage final : public OptionPage {
    Q_OBJECT
public:
    /** Asks for a share's values, starting from initial (empty values for Add); nothing when cancelled. */
    using ShareEditor =
        std::function<std::optional<ShareValues>(QWidget* parent, const ShareValues& initial)>;

    SharedFoldersPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                      QWidget* parent = nullptr);

    void load() override;
    void updateUILabels() override;
    /** Replaces the shared-folder dialog (hosts and tests that answer without a modal window). */
    void setShareEditor(ShareEditor editor);

private:
    void rebuildList();
    void rememberShare();
    void addShare();
    void removeShare();
    void editShare();
    void updateButtons();
    /** The values of a new share (existing null) or of the existing one, from the dialog. */
    std::optional<ShareValues> askForShare(const ShareValues* existing);
    bool canAskForShare() const;

    QGroupBox* m_fraSharedFolders;
    QTreeWidget* m_lvwSharedFolders;
    QCheckBox* m_chkSharedDisable;
    QPushButton* m_cmdSharedAdd;
    QPushButton* m_cmdSharedRemove;
    QPushButton* m_cmdSharedProps;
    ShareEditor m_shareEditor;
    /** ID of the share last clicked; "" when none. */
    std::string m_selectedShareId;
};

} // namespace zentravolix::editor
