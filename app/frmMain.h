// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/EditorContext.h"

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <string>

class QAction;
class QGroupBox;
class QLabel;
class QMimeData;
class QMenu;
class QUndoGroup;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace zentravolix::editor {
class Dialogs;
class Velmire;
} // namespace zentravolix::editor

namespace zentravolix::app {

class HomeTab;

/**
 * The main window: favourites pane, the tab strip `sstMain` with the Home tab and one `Velmire`
 * editor per open configuration, toolbar, menus and the favourites popup menu.
 *
 * It loads the program settings when it is built and saves them when it closes; the settings and
 * the dialogs are owned by the caller and must outlive the window. Tab indices only grow: a closed
 * tab is hidden, never removed, so "Velmire" + index names one editor for the whole run.
 */
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    /** Each lvwVMs item carries the key of its status icon ("VM", "OldVMMissing", ...) in this
     *  data role of column 0. */
    static constexpr int IconKeyRole = Qt::UserRole;

    frmMain(editor::Dialogs& dialogs, platform::ProgramSettings& settings, QWidget* parent = nullptr);
    ~frmMain() override;

    /** The last start-up step: takes the command line as the file to open 500 ms later, or says
     *  that it does not exist. An empty line does nothing. */
    void ProcessCommandLine(const QString& commandLine);
    /** Several files from the command line: each existing one opens in a tab of its own 500 ms
     *  later, each missing one is reported as the single file is. */
    void OpenCommandLineFiles(const QStringList& files);
    /** Files handed over by a later start of the program: opened like the command line's, and
     *  the window comes to the front. */
    void ReceiveFiles(const QStringList& files);
    /** The local .vmx files among dropped data (the suffix in any case); empty when there is none. */
    static QStringList DroppedVmxFiles(const QMimeData* data);

    void UpdateFavoritesList();
    /** Caption and picture of a tab (index -1: the current tab); then selects the matching favourite. */
    void UpdateTab(int index, const QString& caption, const QString& iconKey);
    /** Reloads every caption from the text table, then the current editor's captions. */
    void UpdateUILabels();

    void NewConfiguration();
    void OpenConfiguration(const QString& path, std::int16_t configVersion);
    void OpenInTab(bool editExisting, const QString& existingPath, const QString& displayName,
                   std::int16_t configVersion, const QString& newVmxPath);
    /** Closes the current editor tab after the unsaved-changes question; false when it stays. */
    bool CloseCurrentTab();
    void SaveCurrentTab();
    void LaunchSelected();
    void ToggleFavorites();
    void ShowHelpContents();
    void ShowAbout();
    /** The options dialog; a language change there re-applies every caption at once. */
    void ShowOptions();
    void SelectFavorite(const QString& text);

    int CurrentTab() const { return m_currentTab; }
    bool FavoritesShown() const { return m_favoritesShown; }
    QString CommandFile() const { return m_commandFile; }
    /** The files waiting for the load delay, in command-line order. */
    QStringList CommandFiles() const { return m_commandFiles; }
    /** The next (step 1) or previous (-1) visible tab, round from the last to Home and back. */
    void CycleTab(int step);
    QString SelectedName() const { return m_selectedName; }
    QString SelectedPath() const { return m_selectedPath; }
    std::int16_t SelectedConfigVersion() const { return m_selectedConfigVersion; }
    bool SelectedOpen() const { return m_selectedOpen; }
    /** The editor of a tab ("Velmire" + index), or null when the tab is Home or closed. */
    editor::Velmire* EditorOfTab(int index) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    /** Watches the favourites list's mouse buttons (remembered position, release on empty space). */
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildActions();
    void buildMenus();
    void buildToolbar();
    void buildFavoritesPane();
    void buildTabs();
    void initInterface();
    void centreOnScreen();
    void reportSettingsProblems();
    bool saveSettings();
    void onCurrentTabChanged(int index);
    void onLoadDelay();
    void openConfiguration(const QString& path, std::int16_t configVersion, const QString& displayName);
    /** Opens the file of a tab again in a new tab and closes the old one without asking. */
    void reloadTab(int index);
    void addFavorite(int tabIndex, const platform::FavoriteRecord& record);
    void markFavoritesClosed(int tabIndex);
    void showFavoritesPopup(const QPoint& position);
    void onPopupEdit();
    void onPopupLaunch();
    void onPopupRemove();
    void onFavoriteClicked(QTreeWidgetItem* item);
    void onFavoriteDoubleClicked(QTreeWidgetItem* item);
    /** "New VM" in the current language, or in English where the language has no such text. */
    QString newVmName() const;
    /** Lets the text box that has the focus store its text before a Save, Close or Quit. */
    void commitFocusedField();
    QString tabCaption(int index) const;
    /** The program name, after the current configuration's caption and its unsaved-changes mark. */
    void updateWindowTitle();

    editor::Dialogs& m_dialogs;
    platform::ProgramSettings& m_settings;
    editor::HostDevices m_hostDevices; // read once at start-up, shared by every editor

    // Form state.
    int m_currentTab = 0;
    QString m_commandFile;
    QStringList m_commandFiles;
    bool m_favoritesShown = true;
    QString m_selectedName;
    QString m_selectedPath;
    std::int16_t m_selectedConfigVersion = -1;
    bool m_selectedOpen = false;
    QString m_settingsProblems;
    QPoint m_mouseDown; // viewport position of the last button press (or menu request) in lvwVMs
    // Per editor tab: the favourites it registered, display name -> .vmx path. Closing the tab
    // frees exactly these again, even when the machine was renamed in the meantime.
    std::map<int, std::map<std::string, std::string>> m_tabFavorites;

    QSplitter* m_splitter = nullptr;
    QGroupBox* m_fraFavorites = nullptr;
    QTreeWidget* m_lvwVMs = nullptr;
    QTabWidget* m_sstMain = nullptr;
    HomeTab* m_home = nullptr;
    QToolBar* m_tlbMain = nullptr;
    QTimer* m_tmrLoadDelay = nullptr;
    QLabel* m_mVer = nullptr;

    QMenu* m_mnuFile = nullptr;
    QMenu* m_mnuVM = nullptr;
    QMenu* m_mnuHelp = nullptr;
    QMenu* m_mnuPopup = nullptr;
    QAction* m_mnuFileNew = nullptr;
    QAction* m_mnuFileEdit = nullptr;
    QAction* m_mnuFileQuit = nullptr;
    QAction* m_mnuVMUndo = nullptr;
    QAction* m_mnuVMRedo = nullptr;
    /** The undo steps of every editor tab; the one of the tab in front is active. */
    QUndoGroup* m_undoGroup = nullptr;
    QAction* m_mnuVMSave = nullptr;
    QAction* m_mnuVMClose = nullptr;
    QAction* m_mnuVMLaunch = nullptr;
    QAction* m_mnuOptions = nullptr;
    QAction* m_mnuHelpContents = nullptr;
    QAction* m_mnuHelpAbout = nullptr;
    QAction* m_mnuPopupNew = nullptr;
    QAction* m_mnuPopupEdit = nullptr;
    QAction* m_mnuPopupEditOther = nullptr;
    QAction* m_mnuPopupLaunch = nullptr;
    QAction* m_mnuPopupRemove = nullptr;
    QAction* m_actNextTab = nullptr;
    QAction* m_actPreviousTab = nullptr;
    QAction* m_tbNew = nullptr;
    QAction* m_tbOpen = nullptr;
    QAction* m_tbSave = nullptr;
    QAction* m_tbClose = nullptr;
    QAction* m_tbRun = nullptr;
    QAction* m_tbFavorites = nullptr;
};

} // namespace zentravolix::app
