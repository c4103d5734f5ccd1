// SPDX-License-Identifier: MIT
// frmMain: construction, start-up sequence and captions. The commands are in frmMainCommands.cpp,
// the favourites pane in frmMainFavorites.cpp.
#include "app/frmMain.h"

#include "app/AppIcons.h"
#include "app/HomeTab.h"
#include "app/SettingsProblemText.h"
#include "app/VersionText.h"
#include "editor/dialogs/frmSummary.h"
#include "editor/widget/Dialogs.h"
#include "editor/widget/UiText.h"
#include "editor/widget/Velmire.h"
#include "platform/HostDevices.h"
#include "platform/Settings.h"
#include "platform/TextTable.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoGroup>
#include <QVBoxLayout>

namespace zentravolix::app {

using editor::text;

namespace {
constexpr int kSettingsNotLoaded = 439;
constexpr int kDisplayNameColumn = 478;
constexpr int kUndoCaption = 2600;
constexpr int kRedoCaption = 2601;

/** The platform's redo keys, with Ctrl+Shift+Z and Ctrl+Y both always among them. */
QList<QKeySequence> redoShortcuts()
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
        if (!keys.contains(key))
            keys.append(key);
    }
    return keys;
}
} // namespace

frmMain::frmMain(editor::Dialogs& dialogs, platform::ProgramSettings& settings, QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_settings(settings)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(ProgramIcon());
    setAcceptDrops(true);

    m_tmrLoadDelay = new QTimer(this);
    m_tmrLoadDelay->setObjectName(QStringLiteral("tmrLoadDelay"));
    m_tmrLoadDelay->setInterval(500);
    m_tmrLoadDelay->setSingleShot(true);
    connect(m_tmrLoadDelay, &QTimer::timeout, this, &frmMain::onLoadDelay);

    buildActions();
    buildMenus();
    buildFavoritesPane();
    buildTabs();

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splMain"));
    m_splitter->addWidget(m_fraFavorites);
    m_splitter->addWidget(m_sstMain);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setCollapsible(1, false);
    m_splitter->setSizes({230, 870});
    setCentralWidget(m_splitter);

    // Start-up: the version caption, the controls, the Home tab, then every caption in the
    // language of the settings read before.
    m_mVer->setText(VersionCaption());
    initInterface();
    m_currentTab = 0;
    UpdateTab(0, QStringLiteral("Home"), QStringLiteral("Home"));
    UpdateUILabels();
    centreOnScreen();

    if (!m_settingsProblems.isEmpty())
        QTimer::singleShot(0, this, &frmMain::reportSettingsProblems);
}

frmMain::~frmMain() = default;

void frmMain::buildActions()
{
    auto make = [this](const char* name, QObject* parent) {
        auto* action = new QAction(parent);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    m_mnuFileNew = make("mnuFileNew", this);
    m_mnuFileNew->setShortcut(QKeySequence::New);
    m_mnuFileEdit = make("mnuFileEdit", this);
    m_mnuFileEdit->setShortcut(QKeySequence::Open);
    m_mnuFileQuit = make("mnuFileQuit", this);
    m_mnuFileQuit->setShortcut(QKeySequence::Quit);
    m_undoGroup = new QUndoGroup(this);
    m_mnuVMUndo = make("mnuVMUndo", this);
    m_mnuVMUndo->setShortcuts(QKeySequence::Undo);
    m_mnuVMRedo = make("mnuVMRedo", this);
    m_mnuVMRedo->setShortcuts(redoShortcuts());
    m_mnuVMSave = make("mnuVMSave", this);
    m_mnuVMSave->setShortcut(QKeySequence::Save);
    m_mnuVMClose = make("mnuVMClose", this);
    m_mnuVMClose->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    m_mnuVMLaunch = make("mnuVMLaunch", this);
    m_mnuOptions = make("mnuOptions", this);
    m_mnuHelpContents = make("mnuHelpContents", this);
    m_mnuHelpContents->setShortcut(QKeySequence::HelpContents);
    m_mnuHelpAbout = make("mnuHelpAbout", this);
    m_mnuPopupNew = make("mnuPopupNew", this);
    m_mnuPopupEdit = make("mnuPopupEdit", this);
    m_mnuPopupEditOther = make("mnuPopupEditOther", this);
    m_mnuPopupLaunch = make("mnuPopupLaunch", this);
    m_mnuPopupRemove = make("mnuPopupRemove", this);

    // Between tabs, as in every tabbed program; they live on the window, in no menu.
    m_actNextTab = make("actNextTab", this);
    m_actNextTab->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    m_actPreviousTab = make("actPreviousTab", this);
    m_actPreviousTab->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                    QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    for (QAction* action : {m_actNextTab, m_actPreviousTab})
        action->setShortcutContext(Qt::WindowShortcut);
    addAction(m_actNextTab);
    addAction(m_actPreviousTab);
    connect(m_actNextTab, &QAction::triggered, this, [this] { CycleTab(1); });
    connect(m_actPreviousTab, &QAction::triggered, this, [this] { CycleTab(-1); });

    m_mnuFileNew->setIcon(ToolbarIcon(QStringLiteral("New")));
    m_mnuFileEdit->setIcon(ToolbarIcon(QStringLiteral("Open")));
    m_mnuVMSave->setIcon(ToolbarIcon(QStringLiteral("Save")));
    m_mnuVMClose->setIcon(ToolbarIcon(QStringLiteral("Close")));
    m_mnuVMLaunch->setIcon(ToolbarIcon(QStringLiteral("Run")));

    connect(m_mnuFileNew, &QAction::triggered, this, &frmMain::NewConfiguration);
    connect(m_mnuFileEdit, &QAction::triggered, this, [this] { OpenConfiguration({}, 8); });
    connect(m_mnuFileQuit, &QAction::triggered, this, &QWidget::close);
    for (QAction* action : {m_mnuVMUndo, m_mnuVMRedo})
        action->setEnabled(false);
    connect(m_undoGroup, &QUndoGroup::canUndoChanged, m_mnuVMUndo, &QAction::setEnabled);
    connect(m_undoGroup, &QUndoGroup::canRedoChanged, m_mnuVMRedo, &QAction::setEnabled);
    // Text still being typed is an edit too: it is stored first, so undo takes it back and redo
    // brings it again.
    connect(m_mnuVMUndo, &QAction::triggered, this, [this] {
        commitFocusedField();
        m_undoGroup->undo();
    });
    connect(m_mnuVMRedo, &QAction::triggered, this, [this] {
        commitFocusedField();
        m_undoGroup->redo();
    });
    connect(m_mnuVMSave, &QAction::triggered, this, &frmMain::SaveCurrentTab);
    connect(m_mnuVMClose, &QAction::triggered, this, &frmMain::CloseCurrentTab);
    connect(m_mnuVMLaunch, &QAction::triggered, this, &frmMain::LaunchSelected);
    connect(m_mnuHelpContents, &QAction::triggered, this, &frmMain::ShowHelpContents);
    connect(m_mnuHelpAbout, &QAction::triggered, this, &frmMain::ShowAbout);
    connect(m_mnuPopupNew, &QAction::triggered, this, &frmMain::NewConfiguration);
    connect(m_mnuPopupEditOther, &QAction::triggered, this, [this] { OpenConfiguration({}, 8); });
    connect(m_mnuPopupEdit, &QAction::triggered, this, &frmMain::onPopupEdit);
    connect(m_mnuPopupLaunch, &QAction::triggered, this, &frmMain::onPopupLaunch);
    connect(m_mnuPopupRemove, &QAction::triggered, this, &frmMain::onPopupRemove);
    connect(m_mnuOptions, &QAction::triggered, this, &frmMain::ShowOptions);
}

void frmMain::buildMenus()
{
    m_mnuFile = menuBar()->addMenu(QString());
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    m_mnuFile->addAction(m_mnuFileNew);
    m_mnuFile->addAction(m_mnuFileEdit);
    m_mnuFile->addSeparator();
    m_mnuFile->addAction(m_mnuFileQuit);

    m_mnuVM = menuBar()->addMenu(QString());
    m_mnuVM->setObjectName(QStringLiteral("mnuVM"));
    m_mnuVM->addAction(m_mnuVMUndo);
    m_mnuVM->addAction(m_mnuVMRedo);
    m_mnuVM->addSeparator();
    m_mnuVM->addAction(m_mnuVMSave);
    m_mnuVM->addAction(m_mnuVMClose);
    m_mnuVM->addSeparator();
    m_mnuVM->addAction(m_mnuVMLaunch);

    menuBar()->addAction(m_mnuOptions);

    m_mnuHelp = menuBar()->addMenu(QString());
    m_mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    m_mnuHelp->addAction(m_mnuHelpContents);
    m_mnuHelp->addAction(m_mnuHelpAbout);

    // The version display sits at the right end of the menu bar.
    m_mVer = new QLabel(this);
    m_mVer->setObjectName(QStringLiteral("mVer"));
    m_mVer->setContentsMargins(8, 0, 8, 0);
    m_mVer->setEnabled(false);
    menuBar()->setCornerWidget(m_mVer, Qt::TopRightCorner);

    m_mnuPopup = new QMenu(this);
    m_mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    m_mnuPopup->addAction(m_mnuPopupNew);
    m_mnuPopup->addAction(m_mnuPopupEdit);
    m_mnuPopup->addAction(m_mnuPopupEditOther);
    m_mnuPopup->addSeparator();
    m_mnuPopup->addAction(m_mnuPopupLaunch);
    m_mnuPopup->addSeparator();
    m_mnuPopup->addAction(m_mnuPopupRemove);
}

void frmMain::buildToolbar()
{
    if (m_tlbMain == nullptr) {
        m_tlbMain = new QToolBar(this);
        m_tlbMain->setObjectName(QStringLiteral("tlbMain"));
        m_tlbMain->setMovable(false);
        m_tlbMain->setFloatable(false);
        m_tlbMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
        m_tlbMain->setIconSize(QSize(24, 24));
        m_tlbMain->toggleViewAction()->setVisible(false);
        addToolBar(Qt::TopToolBarArea, m_tlbMain);
    }
    m_tlbMain->clear();
    // Only our buttons go: the toolbar's own children (its toggle action) must stay.
    for (QAction* old : {m_tbNew, m_tbOpen, m_tbSave, m_tbClose, m_tbRun, m_tbFavorites})
        delete old;

    // Buttons are keyed like their pictures; the tooltips are English until the captions are
    // applied a moment later.
    auto add = [this](const char* key, const char* tip) {
        auto* action = new QAction(ToolbarIcon(QString::fromLatin1(key)), QString(), m_tlbMain);
        action->setObjectName(QString::fromLatin1(key));
        action->setData(QString::fromLatin1(key));
        action->setToolTip(QString::fromLatin1(tip));
        m_tlbMain->addAction(action);
        return action;
    };
    m_tbNew = add("New", "Create New Virtual Machine");
    m_tbOpen = add("Open", "Edit Existing Virtual Machine");
    m_tlbMain->addSeparator();
    m_tbSave = add("Save", "Save Virtual Machine Configuration");
    m_tbClose = add("Close", "Close Virtual Machine Configuration");
    m_tlbMain->addSeparator();
    m_tbRun = add("Run", "Launch Virtual Machine");
    m_tlbMain->addSeparator();
    m_tbFavorites = add("Favorites", "Show/Hide Favorites");

    connect(m_tbNew, &QAction::triggered, this, &frmMain::NewConfiguration);
    connect(m_tbOpen, &QAction::triggered, this, [this] { OpenConfiguration({}, 8); });
    connect(m_tbSave, &QAction::triggered, this, &frmMain::SaveCurrentTab);
    connect(m_tbClose, &QAction::triggered, this, &frmMain::CloseCurrentTab);
    connect(m_tbRun, &QAction::triggered, this, &frmMain::LaunchSelected);
    connect(m_tbFavorites, &QAction::triggered, this, &frmMain::ToggleFavorites);
}

void frmMain::buildFavoritesPane()
{
    m_fraFavorites = new QGroupBox(this);
    m_fraFavorites->setObjectName(QStringLiteral("fraFavorites"));
    m_lvwVMs = new QTreeWidget(m_fraFavorites);
    m_lvwVMs->setObjectName(QStringLiteral("lvwVMs"));
    m_lvwVMs->setRootIsDecorated(false);
    m_lvwVMs->setUniformRowHeights(true);
    m_lvwVMs->setIconSize(QSize(16, 16));
    m_lvwVMs->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvwVMs->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_lvwVMs, &QWidget::customContextMenuRequested, this, &frmMain::showFavoritesPopup);
    connect(m_lvwVMs, &QTreeWidget::itemClicked, this, &frmMain::onFavoriteClicked);
    connect(m_lvwVMs, &QTreeWidget::itemDoubleClicked, this, &frmMain::onFavoriteDoubleClicked);
    m_lvwVMs->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(m_fraFavorites);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_lvwVMs);
    m_fraFavorites->setMinimumWidth(160);
}

void frmMain::buildTabs()
{
    m_sstMain = new QTabWidget(this);
    m_sstMain->setObjectName(QStringLiteral("sstMain"));
    m_sstMain->setDocumentMode(false);
    m_sstMain->setUsesScrollButtons(true);
    m_home = new HomeTab(m_sstMain);
    m_sstMain->addTab(m_home, QString());
    connect(m_home->newButton(), &QToolButton::clicked, this, &frmMain::NewConfiguration);
    connect(m_home->openButton(), &QToolButton::clicked, this, [this] { OpenConfiguration({}, 8); });
    connect(m_sstMain, &QTabWidget::currentChanged, this, &frmMain::onCurrentTabChanged);
}

void frmMain::initInterface()
{
    // LoadSettings also sets TempPath. The program shows its texts in the settings' language
    // from here on (the settings' own problems too); only the options dialog changes it later.
    const auto settingsProblems = platform::LoadSettings(m_settings);
    platform::SetLanguageOffset(m_settings.LanguageOffset);
    m_settingsProblems = SettingsProblemsText(settingsProblems);
    m_hostDevices.removableDrives = platform::HostRemovableDrives();
    m_hostDevices.cdromDrives = platform::HostCdromDrives();
    m_hostDevices.serialPorts = platform::HostSerialPorts();
    m_hostDevices.parallelPorts = platform::HostParallelPorts();
    updateWindowTitle();
    buildToolbar();

    m_lvwVMs->clear();
    m_lvwVMs->setColumnCount(4);
    // Only the name is shown (its caption follows the language); the other columns carry the
    // record's data.
    m_lvwVMs->setHeaderLabels({text(kDisplayNameColumn), QStringLiteral("VMX Path"), QStringLiteral("Config Version"),
                               QStringLiteral("Open in Tab")});
    m_lvwVMs->header()->resizeSection(0, 200);
    for (int column = 1; column < 4; ++column)
        m_lvwVMs->setColumnHidden(column, true);

    m_favoritesShown = true;
    UpdateFavoritesList();
}

void frmMain::reportSettingsProblems()
{
    m_dialogs.message(this, text(kSettingsNotLoaded).arg(m_settingsProblems), text(1),
                      editor::MessageIcon::Warning);
    m_settingsProblems.clear();
}

void frmMain::centreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    const QSize size(qMin(1120, area.width() * 9 / 10), qMin(760, area.height() * 9 / 10));
    resize(size);
    move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void frmMain::UpdateUILabels()
{
    updateWindowTitle();
    m_fraFavorites->setTitle(text(2));
    m_lvwVMs->headerItem()->setText(0, text(kDisplayNameColumn));
    m_sstMain->setTabText(0, text(3));

    const QString createNew = text(4);
    m_home->newButton()->setText(createNew);
    m_mnuFileNew->setText(createNew);
    m_mnuPopupNew->setText(createNew);
    m_tbNew->setToolTip(createNew);

    const QString editExisting = text(5);
    m_home->openButton()->setText(editExisting);
    m_mnuFileEdit->setText(editExisting);
    m_mnuPopupEditOther->setText(editExisting);
    m_tbOpen->setToolTip(editExisting);

    m_mnuFile->setTitle(text(6));
    m_mnuFileQuit->setText(text(7));
    m_mnuVM->setTitle(text(8));
    m_mnuVMUndo->setText(text(kUndoCaption));
    m_mnuVMRedo->setText(text(kRedoCaption));
    m_mnuVMSave->setText(text(9));
    m_mnuVMClose->setText(text(10));
    m_mnuVMLaunch->setText(text(11));
    m_mnuOptions->setText(text(12));
    m_mnuHelp->setTitle(text(13));
    m_mnuHelpContents->setText(text(14));
    m_mnuHelpAbout->setText(text(15));
    m_mnuPopupEdit->setText(text(16));
    m_mnuPopupLaunch->setText(text(17));
    m_mnuPopupRemove->setText(text(18));
    m_tbSave->setToolTip(text(19));
    m_tbClose->setToolTip(text(20));
    m_tbRun->setToolTip(text(21));
    m_tbFavorites->setToolTip(text(22));

    // Every open editor follows the language, not only the one in front: a tab brought forward
    // later would otherwise still speak the old language.
    for (int index = 1; index < m_sstMain->count(); ++index)
        if (editor::Velmire* editor = EditorOfTab(index))
            editor->UpdateUILabels();
    // The read-only output windows of earlier saves are still the program's windows.
    for (editor::frmSummary* summary : findChildren<editor::frmSummary*>())
        summary->UpdateUILabels();
}

} // namespace zentravolix::app
