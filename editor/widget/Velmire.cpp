// SPDX-License-Identifier: MIT
#include "editor/widget/Velmire.h"

#include "editor/dialogs/frmCreateHD.h"
#include "config/ChoiceLists.h"
#include "config/ProductLimits.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/EditHistory.h"
#include "editor/widget/HardwareRows.h"
#include "editor/widget/HardwareTab.h"
#include "editor/widget/UiText.h"
#include "editor/widget/WidgetHelpers.h"
#include "editor/widget/pages/devices/DevicePageSet.h"
#include "editor/widget/pages/options/AdvancedPage.h"
#include "editor/widget/pages/options/GeneralPage.h"
#include "editor/widget/pages/options/IsolationPage.h"
#include "editor/widget/pages/options/ParametersPage.h"
#include "editor/widget/pages/options/PowerPage.h"
#include "editor/widget/pages/options/SharedFoldersPage.h"
#include "editor/widget/pages/options/SnapshotsPage.h"
#include "platform/Paths.h"
#include "vmx/VmxSyntax.h"
#include "platform/TextTable.h"

#include <tarvonel/tarvonel.h>

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>

#include <set>

namespace zentravolix::editor {

namespace {

/** First column of the options list: fixed English texts, not from the text table. */
constexpr std::array<const char*, 7> kOptionRows{"General",   "Power",           "Shared Folders",
                                                 "Snapshots", "Guest Isolation", "Advanced",
                                                 "Configuration Parameters"};
/** The message naming the devices a product change removed (the program's own texts). */
constexpr int kDevicesRemovedTitle = 405;
constexpr int kDevicesRemovedText = 406;
// A version choice refused because the machine's devices do not fit it.
constexpr int kVersionNotChanged = 2876;
constexpr int kVersionHasNoRoom = 2877;
constexpr int kMoveThemFirst = 2878;

/** The (hidden) tab captions of the option pages, shown above the page. */
constexpr std::array<int, 7> kOptionPageTextIds{52, 228, 245, 249, 257, 262, 2501};

} // namespace

namespace {
/** The folder of a new machine given none: the settings' temporary folder, else the user's. */
std::string tempPathOf(const EditorContext& context)
{
    return context.settings && !context.settings->TempPath.empty() ? context.settings->TempPath
                                                                    : platform::GetTempFolder();
}
} // namespace

Velmire::Velmire(const EditorContext& context, QWidget* parent)
    : QWidget(parent), m_context(context), m_session(tempPathOf(context)), m_vm(m_session.Machine())
{
    m_history = new EditHistory([this] { return m_session.CaptureState(); },
                                [this](const config::ConfigSession::EditState& state) { restoreState(state); }, this);
    // The file is behind exactly while the steps are not at the last save.
    connect(m_history->stack(), &QUndoStack::cleanChanged, this, [this](bool clean) { setChangesPending(!clean); });
    buildLayout();
    connectPages();
    UpdateUILabels();
}

Velmire::~Velmire() = default;

void Velmire::buildLayout()
{
    auto* layout = new QVBoxLayout(this);
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);

    m_sstMain = new QTabWidget(splitter);
    m_sstMain->setObjectName(QStringLiteral("sstMain"));
    m_sstMain->addTab(buildOptionsTab(), QString());
    m_hardwareTab = new HardwareTab(m_vm, m_context.dialogs, m_sstMain);
    m_hardwareTab->setObjectName(QStringLiteral("fraHardware"));
    m_sstMain->addTab(m_hardwareTab, QString());
    buildDevicePages();
    m_sstMain->setCurrentIndex(0);
    splitter->addWidget(m_sstMain);
    splitter->addWidget(buildNotesArea());
    splitter->setStretchFactor(0, 4);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter);
}

void Velmire::buildDevicePages()
{
    DevicePageHooks hooks;
    hooks.limits = [this] { return m_session.Limits(); };
    hooks.vmxFolder = [this] { return QString::fromStdString(m_vm->Options()->GeneralOptions()->VmxPath()); };
    hooks.rebuildList = [this] { m_hardwareTab->refreshRows(); };
    hooks.keptValue = [this](const std::string& lowerKey) { return m_session.KeptValue(lowerKey); };
    hooks.dropKept = [this](const std::string& lowerKey) { m_session.DropKept(lowerKey); };
    hooks.createDisk = [this](const std::string&, std::string& madeFor) {
        frmCreateHD dialog(*m_context.dialogs, this);
        PrepareCreateHD(dialog, *m_vm, m_session.Limits());
        dialog.exec();
        if (dialog.Cancelled)
            return QString();
        if (dialog.Adapter == disk::AdapterType::Sata)
            madeFor = "SATA";
        else if (dialog.Adapter == disk::AdapterType::Nvme)
            madeFor = "NVMe";
        return dialog.DiskName;
    };
    m_devicePages = new DevicePageSet(m_vm, m_context, hooks, *m_hardwareTab);
    m_hardwareTab->setLimitsProvider([this] { return m_session.Limits(); });
    m_hardwareTab->setSummaryOverride([this](tarvonel::VirtualHardwareType type, const std::string& id) {
        return keptSummary(type, id);
    });
}

QWidget* Velmire::buildOptionsTab()
{
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("fraOptions"));
    auto* layout = new QHBoxLayout(tab);

    m_lvwOptionsList = makeReportList(tab, "lvwOptionsList", 2);
    m_lvwOptionsList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_lvwOptionsList->setMinimumWidth(180);
    for (const char* row : kOptionRows)
        new QTreeWidgetItem(m_lvwOptionsList, {QString::fromLatin1(row), QString()});
    layout->addWidget(m_lvwOptionsList, 2);

    auto* right = new QVBoxLayout;
    m_lblOptionsPage = makeLabel(tab, "lblOptionsPage");
    QFont bold = m_lblOptionsPage->font();
    bold.setBold(true);
    m_lblOptionsPage->setFont(bold);
    right->addWidget(m_lblOptionsPage);

    // The pages are chosen only through the list, so the container has no tab strip of its own;
    // a page taller or wider than the window allows scrolls.
    QScrollArea* scroll = nullptr;
    m_sstOptions = makeScrolledPageStack(tab, "sstOptions", "scrOptions", &scroll);
    m_generalPage = new GeneralPage(m_vm, m_context, m_sstOptions);
    m_pages = {m_generalPage,
               new PowerPage(m_vm, m_context, m_sstOptions),
               new SharedFoldersPage(m_vm, m_context, m_sstOptions),
               new SnapshotsPage(m_vm, m_context, m_sstOptions),
               new IsolationPage(m_vm, m_context, m_sstOptions),
               new AdvancedPage(m_vm, m_context, m_sstOptions),
               new ParametersPage(m_vm, m_context, m_session, m_sstOptions)};
    const char* pageNames[] = {"pgGeneral",   "pgPower",     "pgSharedFolders", "pgSnapshots",
                               "pgIsolation", "pgAdvanced",  "pgParameters"};
    for (std::size_t i = 0; i < m_pages.size(); ++i) {
        m_pages[i]->setObjectName(QLatin1String(pageNames[i]));
        m_sstOptions->addWidget(m_pages[i]);
    }
    right->addWidget(scroll, 1);
    layout->addLayout(right, 5);

    connect(m_lvwOptionsList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (current)
            showOptionsPage(m_lvwOptionsList->indexOfTopLevelItem(current));
    });
    connect(m_lvwOptionsList, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { showOptionsPage(m_lvwOptionsList->indexOfTopLevelItem(item)); });
    return tab;
}

QWidget* Velmire::buildNotesArea()
{
    m_fraNotes = makeGroup(nullptr, "fraNotes");
    auto* layout = new QVBoxLayout(m_fraNotes);
    m_txtNotes = new QPlainTextEdit(m_fraNotes);
    m_txtNotes->setObjectName(QStringLiteral("txtNotes"));
    m_txtNotes->setTabChangesFocus(true);
    layout->addWidget(m_txtNotes);
    connect(m_txtNotes, &QPlainTextEdit::textChanged, this, &Velmire::onNotesEdited);
    return m_fraNotes;
}

void Velmire::connectPages()
{
    for (auto* page : m_pages)
        connect(page, &OptionPage::edited, this, &Velmire::onPageEdited);
    connect(m_generalPage, &GeneralPage::displayNameChanged, this, &Velmire::displayNameChanged);
    connect(m_generalPage, &GeneralPage::vmxFileNameChanged, this, &Velmire::vmxFileNameChanged);
    connect(m_generalPage, &GeneralPage::vmxNameValidated, this, [this](bool valid) {
        m_session.SetNameValid(valid);
        // The check follows the name's edit, which was recorded already: it belongs to that step.
        m_history->completeLastStep();
    });
    connect(m_generalPage, &GeneralPage::versionChosen, this, &Velmire::onVersionChosen);
    connect(m_generalPage, &GeneralPage::platformChosen, this, &Velmire::onPlatformChosen);

    connect(m_hardwareTab, &HardwareTab::deviceSelected, this,
            [this](tarvonel::VirtualHardwareType type, const QString& id) { m_devicePages->show(type, id.toStdString()); });
    connect(m_devicePages, &DevicePageSet::edited, this, &Velmire::onDevicePageEdited);
    connect(m_hardwareTab, &HardwareTab::hardwareChanged, this, [this] { recordEdit(); });
    // The version's lists (adapter types, ports, auto detect) change: fill the shown page again.
    connect(this, &Velmire::productVersionChosen, m_devicePages, &DevicePageSet::reloadShown);
}

std::optional<std::string> Velmire::keptSummary(tarvonel::VirtualHardwareType type, const std::string& id) const
{
    const auto hardware = m_vm->Hardware();
    try {
        if (type == tarvonel::VirtualHardwareType::SCSIController) {
            const auto controller = hardware->SCSIControllers()->Item(-1, id);
            if (auto kept = m_session.KeptValue("scsi" + std::to_string(controller->DeviceNum()) + ".virtualdev"))
                return kept;
            // The model's summary names only the two classic types; today's are named here.
            if (controller->ControllerType() >= 2) {
                const auto general = m_vm->Options()->GeneralOptions();
                for (const auto& choice : ScsiTypeChoices(general->TargetPlatform(), general->PlatformVersion(),
                                                          m_session.Limits(), controller->ControllerType())) {
                    if (choice.code == controller->ControllerType())
                        return choice.caption;
                }
            }
            return std::nullopt;
        }
        // A port type the model's summary does not name ("thinprint") is shown as it is.
        std::string portType;
        if (type == tarvonel::VirtualHardwareType::Serial)
            portType = hardware->SerialPorts()->Item(-1, id)->DeviceType();
        else if (type == tarvonel::VirtualHardwareType::Parallel)
            portType = hardware->ParallelPorts()->Item(-1, id)->DeviceType();
        else
            return std::nullopt;
        if (portType == "device" || portType == "file" || portType == "pipe")
            return std::nullopt;
        return portType;
    } catch (const tarvonel::Error&) {
        return std::nullopt;
    }
}

void Velmire::onDevicePageEdited(bool rowChanged)
{
    if (rowChanged)
        m_hardwareTab->refreshSelectedRow();
    recordEdit();
}

SharedFoldersPage* Velmire::sharedFoldersPage() const
{
    return static_cast<SharedFoldersPage*>(m_pages[2]);
}

void Velmire::setChangesPending(bool pending)
{
    if (m_changesPending == pending)
        return;
    m_changesPending = pending;
    emit changesPendingChanged(pending);
}

void Velmire::recordEdit(const QObject* source)
{
    m_history->record(source ? source : EditHistory::continuousInput(QApplication::focusWidget()));
}

QUndoStack* Velmire::undoStack() const
{
    return m_history->stack();
}

void Velmire::restoreState(const config::ConfigSession::EditState& state)
{
    const auto general = m_vm->Options()->GeneralOptions();
    const std::string displayName = general->DisplayName();
    const std::string fileName = general->VmxFileName();
    std::set<std::string> devicesBefore;
    for (const auto& row : CollectHardwareRows(*m_vm->Hardware()))
        devicesBefore.insert(row.id);
    const std::string selected = m_hardwareTab->SelectedRowIndex() >= 0 ? m_hardwareTab->SelectedDeviceID() : "";

    m_session.RestoreState(state);
    rememberProduct();

    refreshOptionSummaries();
    for (auto* page : m_pages)
        page->load();
    showNotes();
    // A device the step brings back is shown; else the one shown before, while it is there.
    std::string show = selected;
    for (const auto& row : CollectHardwareRows(*m_vm->Hardware())) {
        if (!devicesBefore.contains(row.id)) {
            show = row.id;
            break;
        }
    }
    m_hardwareTab->rebuildSelecting(show);
    if (general->DisplayName() != displayName)
        emit displayNameChanged(QString::fromStdString(general->DisplayName()));
    if (general->VmxFileName() != fileName)
        emit vmxFileNameChanged(QString::fromStdString(general->VmxFileName()));
}

void Velmire::onPageEdited(bool summaryChanged)
{
    if (summaryChanged)
        refreshOptionSummaries();
    recordEdit();
}

void Velmire::onVersionChosen()
{
    const auto general = m_vm->Options()->GeneralOptions();
    if (const auto settings = FindVersionSettings(general->TargetPlatform(), general->PlatformVersion())) {
        const std::vector<std::string> unfit = VersionMisfits(*m_vm->Hardware(), settings->Limits);
        if (!unfit.empty()) {
            refuseVersion(unfit);
            return;
        }
    }
    if (const auto limits = ApplyVersionSettings(*general)) {
        m_session.SetLimits(*limits);
        // Lines a classic version kept as text are now the model's and show on their pages.
        const bool taken = m_session.TakeNewerKeptLines();
        ApplyNodeCounts(*m_vm->Hardware(), *limits);
        if (taken)
            m_hardwareTab->rebuild();
        // The node lists of the page shown follow the version's nodes per controller.
        m_devicePages->reloadShown();
        if (taken)
            recordEdit();
        bringWithinLimits(*limits);
    }
    rememberProduct();
    emit productVersionChosen();
}

void Velmire::rememberProduct()
{
    const auto general = m_vm->Options()->GeneralOptions();
    m_product = {general->TargetPlatform(), general->PlatformVersion()};
}

void Velmire::refuseVersion(const std::vector<std::string>& unfit)
{
    const auto general = m_vm->Options()->GeneralOptions();
    // The name of the version refused, as the general page lists it: "Workstation 5.5x".
    QString product;
    const auto platforms = TargetPlatformTextIds();
    const auto versions = PlatformVersionCaptions(general->TargetPlatform());
    if (general->TargetPlatform() >= 0 && static_cast<std::size_t>(general->TargetPlatform()) < platforms.size())
        product = text(platforms[static_cast<std::size_t>(general->TargetPlatform())]);
    if (general->PlatformVersion() >= 0 && static_cast<std::size_t>(general->PlatformVersion()) < versions.size())
        product += QLatin1Char(' ') + QString::fromStdString(versions[static_cast<std::size_t>(general->PlatformVersion())]);
    general->SetTargetPlatform(m_product.platform);
    general->SetPlatformVersion(m_product.version);
    m_generalPage->load();
    refreshOptionSummaries();
    if (!m_context.dialogs)
        return;
    QString message = text(kVersionHasNoRoom).arg(product.trimmed()) + QStringLiteral("\n");
    for (const auto& name : unfit)
        message += QStringLiteral("\n    ") + QString::fromStdString(name);
    message += QStringLiteral("\n\n") + text(kMoveThemFirst);
    m_context.dialogs->message(this, message, text(kVersionNotChanged), MessageIcon::Warning);
}

void Velmire::onPlatformChosen()
{
    // The limits themselves follow only the version chosen next; what no version of the new
    // platform allows is put right at once, so the file is never saved beyond it.
    if (const auto loosest = LoosestLimits(m_vm->Options()->GeneralOptions()->TargetPlatform()))
        bringWithinLimits(*loosest);
}

void Velmire::bringWithinLimits(const EditorLimits& limits)
{
    const LimitChanges changes = BringWithinLimits(*m_vm->Hardware(), limits);
    if (!changes.any())
        return;
    if (changes.removedDevices.empty())
        m_hardwareTab->refreshRows();
    else
        m_hardwareTab->rebuild();
    m_devicePages->reloadShown();
    recordEdit();
    if (!m_context.dialogs)
        return;
    if (changes.memoryMB)
        m_context.dialogs->message(this, text(179), text(178), MessageIcon::Warning);
    if (!changes.removedDevices.empty()) {
        QString names;
        for (const auto& name : changes.removedDevices)
            names += QStringLiteral("\n") + QString::fromStdString(name);
        m_context.dialogs->message(this, text(kDevicesRemovedText) + QStringLiteral("\n") + names,
                                   text(kDevicesRemovedTitle), MessageIcon::Warning);
    }
}

void Velmire::onNotesEdited()
{
    if (m_fillingNotes)
        return;
    // The notes are kept with CR LF line ends, as VMware writes them into the annotation.
    QString notes = m_txtNotes->toPlainText();
    notes.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    m_vm->SetNotes(notes.toStdString());
    recordEdit(m_txtNotes);
}

void Velmire::showNotes()
{
    m_fillingNotes = true;
    QString notes = QString::fromStdString(m_vm->Notes());
    notes.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_txtNotes->setPlainText(notes);
    m_fillingNotes = false;
}

void Velmire::refreshOptionSummaries()
{
    const auto options = m_vm->Options();
    const std::array<QString, 7> summaries{
        QString::fromStdString(options->GeneralOptions()->Summary()),
        QString::fromStdString(options->PowerOptions()->Summary()),
        QString::fromStdString(options->SharedFoldersOptions()->Summary()),
        QString::fromStdString(options->SnapshotsOptions()->Summary()),
        QString::fromStdString(options->GuestIsolationOptions()->Summary()),
        QString::fromStdString(options->AdvancedOptions()->Summary()),
        ParametersPage::summary(m_session.OtherParams())};
    for (int i = 0; i < static_cast<int>(summaries.size()); ++i)
        m_lvwOptionsList->topLevelItem(i)->setText(1, summaries[static_cast<std::size_t>(i)]);
}

void Velmire::showOptionsPage(int index)
{
    if (index < 0 || index >= static_cast<int>(m_pages.size()))
        return;
    m_sstOptions->setCurrentIndex(index);
    m_lblOptionsPage->setText(text(kOptionPageTextIds[static_cast<std::size_t>(index)]));
    m_pages[static_cast<std::size_t>(index)]->load();
}

void Velmire::refreshAll()
{
    rememberProduct();
    refreshOptionSummaries();
    // Every page is filled now (not only when first shown), so no page shows stale values.
    for (auto* page : m_pages)
        page->load();
    m_lvwOptionsList->setCurrentItem(m_lvwOptionsList->topLevelItem(0));
    showOptionsPage(0);
    showNotes();
    m_hardwareTab->rebuild();
}

void Velmire::UpdateUILabels()
{
    m_sstMain->setTabText(0, text(12));
    m_sstMain->setTabText(1, text(203));
    m_fraNotes->setTitle(text(200));
    m_lvwOptionsList->setHeaderLabels({text(201), text(202)});
    refreshOptionSummaries(); // the parameters' summary is a text of the table
    for (auto* page : m_pages)
        page->updateUILabels();
    m_lblOptionsPage->setText(
        text(kOptionPageTextIds[static_cast<std::size_t>(std::max(0, m_sstOptions->currentIndex()))]));
    m_hardwareTab->updateUILabels();
    m_devicePages->updateUILabels();
}

} // namespace zentravolix::editor
