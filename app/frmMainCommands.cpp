// SPDX-License-Identifier: MIT
// frmMain: the tab model, the commands and shutdown.
#include "app/frmAbout.h"
#include "app/frmMain.h"
#include "app/frmOptions.h"

#include "app/AppIcons.h"
#include "app/CommandLine.h"
#include "app/SettingsProblemText.h"
#include "config/NewMachineDefaults.h"
#include "editor/widget/Dialogs.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/UiText.h"
#include "editor/widget/Velmire.h"
#include "platform/Paths.h"
#include "platform/Settings.h"

#include <tarvonel/VirtualMachine.h>
#include <tarvonel/clsGeneral.h>
#include <tarvonel/clsOptions.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QMimeData>
#include <QTabWidget>
#include <QTimer>
#include <QUndoGroup>
#include <QUrl>
#include <QVBoxLayout>

#include <utility>

namespace zentravolix::app {

using editor::text;
namespace {

constexpr int kSettingsNotSaved = 440;
constexpr int kFileNotFound = 454;
constexpr int kInvalidArguments = 455;
constexpr int kHelpComingSoon = 456;
constexpr int kNoHelpYet = 457;

QString velmireName(int index)
{
    return QStringLiteral("Velmire") + QString::number(index);
}

/** Restores the normal pointer however the tab opening ends (an editor may throw). */
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

editor::Velmire* frmMain::EditorOfTab(int index) const
{
    if (index < 1)
        return nullptr;
    return m_sstMain->findChild<editor::Velmire*>(velmireName(index));
}

QString frmMain::tabCaption(int index) const
{
    return m_sstMain->tabText(index);
}

void frmMain::ProcessCommandLine(const QString& commandLine)
{
    if (commandLine.isEmpty())
        return;
    OpenCommandLineFiles({commandLine});
}

void frmMain::OpenCommandLineFiles(const QStringList& files)
{
    for (const QString& given : files) {
        if (given.isEmpty())
            continue;
        m_commandFile = Unquoted(given);
        if (QFileInfo(m_commandFile).isFile()) {
            m_commandFiles.append(m_commandFile);
            m_tmrLoadDelay->start();
        } else {
            m_dialogs.message(this, text(kFileNotFound).arg(m_commandFile), text(kInvalidArguments),
                              editor::MessageIcon::Warning);
        }
    }
}

void frmMain::ReceiveFiles(const QStringList& files)
{
    OpenCommandLineFiles(files);
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void frmMain::onLoadDelay()
{
    m_tmrLoadDelay->stop();
    const QStringList files = std::exchange(m_commandFiles, {});
    for (const QString& file : files)
        OpenInTab(true, file, QString(), 8, QString());
}

QStringList frmMain::DroppedVmxFiles(const QMimeData* data)
{
    QStringList files;
    if (data == nullptr || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (path.endsWith(QLatin1String(".vmx"), Qt::CaseInsensitive) && QFileInfo(path).isFile())
            files.append(path);
    }
    return files;
}

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (DroppedVmxFiles(event->mimeData()).isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void frmMain::dragMoveEvent(QDragMoveEvent* event)
{
    if (DroppedVmxFiles(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    const QStringList files = DroppedVmxFiles(event->mimeData());
    if (files.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    for (const QString& file : files)
        OpenInTab(true, file, QString(), 8, QString());
    activateWindow();
}

void frmMain::CycleTab(int step)
{
    const int count = m_sstMain->count();
    int index = m_sstMain->currentIndex();
    for (int tried = 0; tried < count; ++tried) {
        index = (index + step + count) % count;
        if (m_sstMain->isTabVisible(index)) {
            m_sstMain->setCurrentIndex(index);
            return;
        }
    }
}

void frmMain::updateWindowTitle()
{
    const editor::Velmire* velmire = EditorOfTab(m_currentTab);
    if (velmire == nullptr) {
        setWindowTitle(text(1));
        setWindowModified(false);
        return;
    }
    // "[*]" is where the window system shows the mark; a literal one in a name is doubled.
    QString caption = tabCaption(m_currentTab);
    caption.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    setWindowTitle(caption + QStringLiteral("[*] - ") + text(1));
    setWindowModified(velmire->ChangesPending());
}

void frmMain::UpdateTab(int index, const QString& caption, const QString& iconKey)
{
    if (index == -1)
        index = m_currentTab;
    if (index < 0 || index >= m_sstMain->count())
        return;
    m_sstMain->setTabText(index, caption);
    m_sstMain->setTabToolTip(index, caption);
    if (!iconKey.isEmpty()) {
        const QIcon icon = ListIcon(iconKey);
        if (!icon.isNull())
            m_sstMain->setTabIcon(index, icon);
    }
    SelectFavorite(caption);
    if (index == m_currentTab)
        updateWindowTitle();
}

void frmMain::onCurrentTabChanged(int index)
{
    if (index < 0)
        return;
    m_currentTab = index;
    editor::Velmire* velmire = EditorOfTab(index);
    m_undoGroup->setActiveStack(velmire != nullptr ? velmire->undoStack() : nullptr);
    SelectFavorite(tabCaption(index));
    updateWindowTitle();
}

void frmMain::OpenInTab(bool editExisting, const QString& existingPath, const QString& displayName,
                        std::int16_t configVersion, const QString& newVmxPath)
{
    WaitCursor wait;
    auto* page = new QWidget(m_sstMain);
    const int index = m_sstMain->count();
    page->setObjectName(QStringLiteral("tabPage") + QString::number(index));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);

    const QString iconKey = configVersion < 8 ? QStringLiteral("OldVM") : QStringLiteral("VM");
    QString caption;
    if (editExisting)
        caption = displayName.isEmpty() ? existingPath : displayName;
    else
        caption = displayName.isEmpty() ? newVmName() : displayName;

    editor::EditorContext context;
    context.dialogs = &m_dialogs;
    context.settings = &m_settings;
    context.addFavorite = [this, index](const platform::FavoriteRecord& record) {
        addFavorite(index, record);
    };
    context.hostDevices = m_hostDevices;
    auto* velmire = new editor::Velmire(context, page);
    velmire->setObjectName(velmireName(index));
    layout->addWidget(velmire);
    m_undoGroup->addStack(velmire->undoStack());

    m_sstMain->addTab(page, QString());
    m_currentTab = index;
    m_sstMain->setCurrentIndex(index);
    UpdateTab(index, caption, iconKey);

    velmire->SetEditExistingFile(editExisting);
    velmire->SetExistingVmxFileName(existingPath);
    // An existing file's tab may be captioned with its path; that is no name for the machine.
    velmire->SetDisplayName(editExisting ? displayName : caption);
    velmire->SetNewVmxPath(newVmxPath);
    connect(velmire, &editor::Velmire::displayNameChanged, this,
            [this, index](const QString& name) { UpdateTab(index, name, QString()); });
    connect(velmire, &editor::Velmire::changesPendingChanged, this, [this, index] {
        if (index == m_currentTab)
            updateWindowTitle();
    });
    // Queued: the request comes from inside the editor's save, which must return first.
    connect(velmire, &editor::Velmire::reloadRequested, this, [this, index] { reloadTab(index); },
            Qt::QueuedConnection);
    if (velmire->Load()) {
        // Reading the file fills the editor's name field, and the tab follows that name as it
        // follows every later edit of it: the machine's own name rather than a long path.
        const QString machineName =
            QString::fromStdString(velmire->Machine()->Options()->GeneralOptions()->DisplayName());
        if (editExisting && !machineName.isEmpty() && machineName != caption)
            UpdateTab(index, machineName, QString());
    } else {
        // The editor has said why the file could not be read. Keeping the tab would show the
        // new-machine defaults under the file's name, and a Save would overwrite the user's file
        // with them, so the tab goes away again.
        delete velmire;
        markFavoritesClosed(index);
        m_sstMain->setTabVisible(index, false);
    }
}

QString frmMain::newVmName() const
{
    // A language without its own "New VM" would name the tab and the machine "".
    const QString name = text(config::NewMachineNameTextId);
    return name.isEmpty() ? QString::fromLatin1(config::NewMachineFallbackName) : name;
}

void frmMain::commitFocusedField()
{
    // A text box stores what was typed when it loses the focus. Toolbar buttons, shortcuts and
    // the window's close button take no focus, so a Save, Close or Quit would otherwise miss
    // the text still being typed (and a Close would not even ask about it).
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr || !isAncestorOf(focused))
        return;
    focused->clearFocus();
    if (QApplication::focusWidget() == nullptr)
        focused->setFocus(Qt::OtherFocusReason);
}

void frmMain::NewConfiguration()
{
    QString folder = m_dialogs.browseFolder(this, text(23), QString());
    const QString separator = QString::fromUtf8(platform::PathSeparator.data(),
                                                static_cast<qsizetype>(platform::PathSeparator.size()));
    if (!folder.isEmpty() && !folder.endsWith(separator))
        folder += separator;
    const std::optional<QString> name = m_dialogs.input(this, text(25), text(24), newVmName());
    OpenInTab(false, QString(), name.has_value() && !name->isEmpty() ? *name : newVmName(), 8, folder);
}

void frmMain::OpenConfiguration(const QString& path, std::int16_t configVersion)
{
    openConfiguration(path, configVersion, m_selectedName);
}

void frmMain::openConfiguration(const QString& path, std::int16_t configVersion, const QString& displayName)
{
    // The suffix test is case-sensitive on purpose: the file dialog offers "*.vmx" only, and a
    // path from a favourite or the command line is held to the same rule.
    if (!path.isEmpty()) {
        if (path.endsWith(QLatin1String(".vmx")) && QFileInfo(path).isFile())
            OpenInTab(true, path, displayName, configVersion, QString());
        return;
    }
    const QString file =
        m_dialogs.openFile(this, text(27), text(28) + QStringLiteral("(*.vmx)|*.vmx"), QString());
    if (!file.isEmpty() && file.endsWith(QLatin1String(".vmx")))
        OpenInTab(true, file, QString(), 8, QString());
}

bool frmMain::CloseCurrentTab()
{
    if (m_currentTab < 1)
        return false;
    commitFocusedField();
    const int index = m_currentTab;
    editor::Velmire* velmire = EditorOfTab(index);
    if (velmire != nullptr && velmire->ChangesPending()) {
        // Yes throws the edits away, so Enter answers No and keeps them.
        const editor::Answer answer =
            m_dialogs.message(this, text(30), tabCaption(index) + QStringLiteral(" - ") + text(29),
                              editor::MessageIcon::Question, editor::Buttons::YesNo, editor::Answer::No);
        if (answer != editor::Answer::Yes)
            return false;
    }
    markFavoritesClosed(index);
    if (velmire != nullptr) {
        // Out of the widget tree at once (so no later search finds it), destroyed once control
        // is back in the event loop: the close may have been started from inside the editor.
        velmire->hide();
        velmire->setParent(nullptr);
        velmire->deleteLater();
    }
    m_sstMain->setTabVisible(index, false);
    return true;
}

void frmMain::reloadTab(int index)
{
    editor::Velmire* velmire = EditorOfTab(index);
    if (velmire == nullptr)
        return;
    // The user chose the file as another program left it over the edits of this tab.
    const QString path = velmire->VmxFilePath();
    markFavoritesClosed(index);
    velmire->hide();
    velmire->setParent(nullptr);
    velmire->deleteLater();
    m_sstMain->setTabVisible(index, false);
    OpenInTab(true, path, QString(), 8, QString());
}

void frmMain::SaveCurrentTab()
{
    if (m_currentTab < 1)
        return;
    commitFocusedField();
    editor::Velmire* velmire = EditorOfTab(m_currentTab);
    if (velmire != nullptr && velmire->CreateVmxFile())
        velmire->AddVMToFavorites();
}

void frmMain::ToggleFavorites()
{
    m_fraFavorites->setVisible(!m_favoritesShown);
    m_favoritesShown = !m_favoritesShown;
}

void frmMain::ShowHelpContents()
{
    m_dialogs.message(this, text(kHelpComingSoon), text(kNoHelpYet), editor::MessageIcon::Information);
}

void frmMain::ShowAbout()
{
    frmAbout about(this);
    about.exec();
}

void frmMain::ShowOptions()
{
    frmOptions options(m_dialogs, m_settings, this);
    connect(&options, &frmOptions::languageChanged, this, &frmMain::UpdateUILabels);
    options.exec();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Every open tab is offered for closing, from the last one back; one refusal keeps the
    // program running, but the remaining tabs are still asked about.
    commitFocusedField();
    bool refused = false;
    for (int index = m_sstMain->count() - 1; index >= 1; --index) {
        if (!m_sstMain->isTabVisible(index))
            continue;
        m_sstMain->setCurrentIndex(index);
        m_currentTab = index;
        if (!CloseCurrentTab())
            refused = true;
    }
    if (refused) {
        event->ignore();
        return;
    }
    saveSettings();
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible())
            window->close();
    event->accept();
}

bool frmMain::saveSettings()
{
    const auto problems = platform::SaveSettings(m_settings);
    if (problems.empty())
        return true;
    // The quit goes on (there is nothing to go back to), but the user learns what of this run's
    // favourites and options was not kept.
    m_dialogs.message(this, text(kSettingsNotSaved).arg(SettingsProblemsText(problems)), text(1),
                      editor::MessageIcon::Critical);
    return false;
}

} // namespace zentravolix::app
