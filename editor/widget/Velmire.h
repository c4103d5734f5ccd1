// SPDX-License-Identifier: MIT
#pragma once

#include "config/ConfigSession.h"
#include "config/ProductTables.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/EditorContext.h"

#include <tarvonel/Enums.h>

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;
class QUndoStack;

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::editor {

class DevicePageSet;
class EditHistory;
class GeneralPage;
class HardwareTab;
class OptionPage;
class SharedFoldersPage;

/**
 * The editor of one configuration: owns one VirtualMachine, shows its options and hardware, and
 * writes every edit into the model at once (ChangesPending tells whether the file is behind).
 *
 * Construction creates the model with the new-machine defaults. The host then sets the four
 * properties and calls Load() once, which reads the file on top of the defaults (or applies the
 * new machine's name and folder) and fills the pages.
 */
class Velmire final : public QWidget {
    Q_OBJECT
public:
    /** The context is copied; the dialogs and settings it points to must outlive the editor. */
    explicit Velmire(const EditorContext& context, QWidget* parent = nullptr);
    ~Velmire() override;

    bool EditExistingFile() const { return m_editExistingFile; }
    void SetEditExistingFile(bool value) { m_editExistingFile = value; }
    QString ExistingVmxFileName() const { return m_existingVmxFileName; }
    void SetExistingVmxFileName(const QString& value) { m_existingVmxFileName = value; }
    QString DisplayName() const { return m_displayName; }
    void SetDisplayName(const QString& value) { m_displayName = value; }
    QString NewVmxPath() const { return m_newVmxPath; }
    void SetNewVmxPath(const QString& value) { m_newVmxPath = value; }
    bool ChangesPending() const { return m_changesPending; }

    /**
     * Runs once, after the properties are set: reads the file (telling the user about lines that
     * could not be used, and a running or suspended machine) or applies the new
     * machine's name and folder, then fills every page. False when the file could not be read;
     * the user was told why and the editor holds the defaults.
     */
    bool Load();

    /**
     * Saves the configuration after the pre-checks: when another program changed the file since
     * it was opened, the user first chooses to reload it (reloadRequested), overwrite it or
     * cancel; a save over an existing file shows its preview first (unless switched off). True when the file was written (the changed
     * flag is then cleared and the written text shown in frmSummary). With backups on, the first
     * save over the opened file first copies the file as it was opened to its ".bak" and says so;
     * a backup that cannot be written stops the save. False when a check refused,
     * the user declined, or the write failed (the user was told, naming the file and the reason;
     * an existing file is untouched and the changed flag stays set).
     */
    bool CreateVmxFile();

    /** Adds or updates this configuration in the main window's favourites. */
    void AddVMToFavorites();

    /** Re-applies every caption from the text table in the current language. */
    void UpdateUILabels();

    /** The model (for the host and for tests); the editor keeps it for its whole life. */
    std::shared_ptr<tarvonel::VirtualMachine> Machine() const { return m_vm; }
    /** Limits of the chosen product version. */
    const EditorLimits& Limits() const { return m_session.Limits(); }
    bool VmxNameValid() const { return m_session.NameValid(); }
    /** The file a save writes. */
    QString VmxFilePath() const { return QString::fromStdString(m_session.FilePath().string()); }
    /** Lines of the read file the editor does not understand, written back on save. */
    const std::vector<std::string>& OtherParams() const { return m_session.OtherParams(); }
    /** The shared-folders page, so the host can give it the shared-folder dialog. */
    SharedFoldersPage* sharedFoldersPage() const;
    HardwareTab* hardwareTab() const { return m_hardwareTab; }
    /**
     * The editor's undo and redo steps, one per edit since the file was opened (or the machine
     * created); its clean state is the last save. The host adds it to its undo group.
     */
    QUndoStack* undoStack() const;

signals:
    void changesPendingChanged(bool pending);
    /** The VMX file name field changed (the new VmxFileName). */
    void vmxFileNameChanged(const QString& fileName);
    /** The display name was edited; the host's tab caption follows it. */
    void displayNameChanged(const QString& name);
    /**
     * The user picked a product version: the version settings and Limits() are updated. The
     * device pages refill their version-dependent lists (adapter types, port lists) on this.
     */
    void productVersionChosen();
    /**
     * At a save the user chose to reload the file another program changed: the host opens it
     * again in place of this editor, whose changes are given up.
     */
    void reloadRequested();

private:
    void buildLayout();
    QWidget* buildOptionsTab();
    QWidget* buildNotesArea();
    void connectPages();

    void setChangesPending(bool pending);
    /**
     * Every edit ends here: the model (and the kept lines) changed, so the edit becomes an undo
     * step. source: the control whose typing joins into one step (see EditHistory), or null to
     * take the control that has the focus.
     */
    void recordEdit(const QObject* source = nullptr);
    /** Puts a state of the undo steps back and shows it on every page and in the hardware list. */
    void restoreState(const config::ConfigSession::EditState& state);
    void onPageEdited(bool summaryChanged);
    void onDevicePageEdited(bool rowChanged);
    void buildDevicePages();
    void onVersionChosen();
    void onPlatformChosen();
    /**
     * A version without room for the machine's devices was chosen: the product and version the
     * machine had are put back and the user is told what does not fit.
     */
    void refuseVersion(const std::vector<std::string>& unfit);
    /** Remembers the machine's product and version as the one a refused choice goes back to. */
    void rememberProduct();
    /**
     * Brings memory, processors and network adapters within limits after a product change,
     * telling the user once what was changed.
     */
    void bringWithinLimits(const EditorLimits& limits);
    void onNotesEdited();

    /** The hardware list's summary of a device whose kept value the model's summary hides. */
    std::optional<std::string> keptSummary(tarvonel::VirtualHardwareType type, const std::string& id) const;

    void refreshAll();
    void refreshOptionSummaries();
    void showOptionsPage(int index);
    void showNotes();

    bool readExistingFile();
    /** Shows what the save changes in the file it replaces (unless switched off); false when the user cancelled. */
    bool previewBeforeSave();
    /** Writes the backup of the opened file before the first save over it; false when it failed (the user was told). */
    bool makeBackupBeforeFirstSave();
    /** The display names of the disks, CD-ROMs and generic SCSI devices without a node. */
    QStringList unplacedDevices() const;
    void applyNewMachineIdentity();
    void warnAboutMachineState(bool saving, bool* proceed);
    void showSummaryWindow(const QString& fileName, const std::string& text);

    EditorContext m_context;
    /** The configuration: model, kept lines, limits, name check and backup. */
    ConfigSession m_session;
    std::shared_ptr<tarvonel::VirtualMachine> m_vm;
    EditHistory* m_history = nullptr;
    /** The product and version whose limits are in force: a refused version choice returns to it. */
    config::ProductVersion m_product;

    bool m_editExistingFile = false;
    QString m_existingVmxFileName;
    QString m_displayName;
    QString m_newVmxPath;
    bool m_changesPending = false;
    bool m_loaded = false;
    bool m_loadResult = false;
    bool m_fillingNotes = false;

    QTabWidget* m_sstMain = nullptr;
    QTreeWidget* m_lvwOptionsList = nullptr;
    QLabel* m_lblOptionsPage = nullptr;
    QStackedWidget* m_sstOptions = nullptr;
    std::array<OptionPage*, 7> m_pages{};
    GeneralPage* m_generalPage = nullptr;
    HardwareTab* m_hardwareTab = nullptr;
    DevicePageSet* m_devicePages = nullptr;
    QGroupBox* m_fraNotes = nullptr;
    QPlainTextEdit* m_txtNotes = nullptr;
};

} // namespace zentravolix::editor
