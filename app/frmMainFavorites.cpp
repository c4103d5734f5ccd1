// SPDX-License-Identifier: MIT
// frmMain: the favourites pane lvwVMs, its popup menu and launching.
#include "app/frmMain.h"

#include "app/AppIcons.h"
#include "app/DesktopOpener.h"
#include "editor/widget/Dialogs.h"
#include "editor/widget/UiText.h"
#include "platform/FavoriteRecord.h"
#include "platform/Process.h"
#include "platform/Settings.h"

#include <QEvent>
#include <QFileInfo>
#include <QIcon>
#include <QList>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QTreeWidget>

#include <map>

namespace zentravolix::app {

using editor::text;
namespace {

// Columns of lvwVMs: the name is shown, the others carry the record.
constexpr int kColumnName = 0;
constexpr int kColumnPath = 1;
constexpr int kColumnVersion = 2;
constexpr int kColumnOpen = 3;

constexpr int kCannotLaunch = 451;
constexpr int kNoLaunchApplication = 452;
constexpr int kCannotStart = 453;

QString statusIconKey(const platform::FavoriteRecord& record)
{
    const bool exists = QFileInfo(QString::fromStdString(record.VmxPath)).isFile();
    if (record.ConfigVersion >= 8)
        return exists ? QStringLiteral("VM") : QStringLiteral("VMMissing");
    return exists ? QStringLiteral("OldVM") : QStringLiteral("OldVMMissing");
}

bool itemIsOpen(const QTreeWidgetItem& item)
{
    return item.text(kColumnOpen) == QLatin1String("True");
}

std::int16_t itemVersion(const QTreeWidgetItem& item)
{
    return static_cast<std::int16_t>(item.text(kColumnVersion).toShort());
}

platform::FavoriteRecord recordOfItem(const QTreeWidgetItem& item)
{
    platform::FavoriteRecord record;
    record.DisplayName = item.text(kColumnName).toStdString();
    record.VmxPath = item.text(kColumnPath).toStdString();
    record.ConfigVersion = itemVersion(item);
    record.OpenInTab = itemIsOpen(item);
    return record;
}

} // namespace

void frmMain::UpdateFavoritesList()
{
    m_lvwVMs->clear();
    // The items are made apart from the list and added in one go, and the four status icons are
    // made once: a list of a quarter of a million favourites then fills in a second or two.
    std::map<QString, QIcon> icons;
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(m_settings.Favorites.size()));
    QTreeWidgetItem* selected = nullptr;
    for (const platform::FavoriteRecord& record : m_settings.Favorites) {
        auto* item = new QTreeWidgetItem;
        const QString path = QString::fromStdString(record.VmxPath);
        item->setText(kColumnName, QString::fromStdString(record.DisplayName));
        item->setText(kColumnPath, path);
        item->setText(kColumnVersion, QString::number(record.ConfigVersion));
        item->setText(kColumnOpen, record.OpenInTab ? QStringLiteral("True") : QStringLiteral("False"));
        const QString iconKey = statusIconKey(record);
        auto icon = icons.find(iconKey);
        if (icon == icons.end())
            icon = icons.emplace(iconKey, ListIcon(iconKey)).first;
        item->setIcon(kColumnName, icon->second);
        item->setData(kColumnName, IconKeyRole, iconKey);
        item->setToolTip(kColumnName, path);
        if (selected == nullptr && !m_selectedName.isEmpty() && item->text(kColumnName) == m_selectedName)
            selected = item;
        items.append(item);
    }
    m_lvwVMs->addTopLevelItems(items);
    if (selected != nullptr)
        m_lvwVMs->setCurrentItem(selected);
}

void frmMain::SelectFavorite(const QString& text)
{
    for (int row = 0; row < m_lvwVMs->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = m_lvwVMs->topLevelItem(row);
        if (item->text(kColumnName) == text || item->text(kColumnPath) == text) {
            m_lvwVMs->setCurrentItem(item);
            onFavoriteClicked(item);
            return;
        }
    }
    m_selectedName.clear();
    m_selectedPath.clear();
    m_selectedConfigVersion = -1;
    m_selectedOpen = false;
}

void frmMain::addFavorite(int tabIndex, const platform::FavoriteRecord& record)
{
    if (record.OpenInTab)
        m_tabFavorites[tabIndex][record.DisplayName] = record.VmxPath;
    platform::AddFavorite(m_settings.Favorites, record);
    UpdateFavoritesList();
}

void frmMain::markFavoritesClosed(int tabIndex)
{
    // The editor marks its favourite open when it reads or saves the file; once its tab is gone
    // the favourite must be openable again (double-click, "Edit this"). Only the records this
    // tab registered are freed, and only while they still point to its file and no other open
    // tab registered the same one: the favourite of a machine renamed since, or of a
    // same-named machine saved later from another tab, stays as it is.
    const auto registered = m_tabFavorites.find(tabIndex);
    if (registered == m_tabFavorites.end())
        return;
    const std::map<std::string, std::string> records = registered->second;
    m_tabFavorites.erase(registered);
    bool changed = false;
    for (const auto& [name, path] : records) {
        bool stillOpen = false;
        for (const auto& [otherTab, otherRecords] : m_tabFavorites) {
            const auto other = otherRecords.find(name);
            stillOpen = stillOpen || (other != otherRecords.end() && other->second == path);
        }
        for (const platform::FavoriteRecord& record : m_settings.Favorites) {
            if (record.DisplayName == name && record.VmxPath == path && record.OpenInTab && !stillOpen) {
                platform::FavoriteRecord closed = record;
                closed.OpenInTab = false;
                platform::UpdateFavorite(m_settings.Favorites, closed);
                changed = true;
                break;
            }
        }
    }
    if (changed)
        UpdateFavoritesList();
}

void frmMain::LaunchSelected()
{
    if (m_selectedPath.isEmpty())
        return;
    const std::string path = m_selectedPath.toStdString();
    const QString title = text(21);
    auto cannotLaunch = [&](const QString& reason) {
        m_dialogs.message(this, text(kCannotLaunch).arg(m_selectedPath, reason), title,
                          editor::MessageIcon::Warning);
    };
    if (m_settings.LaunchApplication.empty() && !platform::FindExecutable("xdg-open").empty()) {
        const DesktopLaunch plan = PlanDesktopLaunch(m_selectedPath);
        if (plan.kind == DesktopLaunch::Kind::NoApplication) {
            m_dialogs.message(this, text(kNoLaunchApplication).arg(m_selectedPath), title,
                              editor::MessageIcon::Warning);
            return;
        }
        if (plan.kind == DesktopLaunch::Kind::Application) {
            if (!QProcess::startDetached(plan.program, plan.arguments, QFileInfo(m_selectedPath).absolutePath()))
                cannotLaunch(text(kCannotStart).arg(plan.program, plan.application));
            return;
        }
    }
    const platform::CommandResult result = m_settings.LaunchApplication.empty()
                                               ? platform::ShellOpen(path, {})
                                               : platform::ShellOpen(m_settings.LaunchApplication, path);
    if (!result.started)
        cannotLaunch(QString::fromStdString(result.error));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lvwVMs->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_mouseDown = static_cast<QMouseEvent*>(event)->position().toPoint();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && m_lvwVMs->itemAt(mouse->position().toPoint()) == nullptr)
                m_lvwVMs->clearSelection();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::showFavoritesPopup(const QPoint& position)
{
    m_mouseDown = position;
    QTreeWidgetItem* item = m_lvwVMs->itemAt(position);
    if (item != nullptr && !item->isSelected()) {
        // Right-clicking selects the item but is not a click: the launch target stays the
        // favourite of the last left click.
        m_lvwVMs->clearSelection();
        item->setSelected(true);
    }
    const bool onItem = item != nullptr;
    m_mnuPopupNew->setEnabled(!onItem);
    m_mnuPopupEdit->setEnabled(onItem && !itemIsOpen(*item));
    m_mnuPopupEditOther->setEnabled(true);
    m_mnuPopupLaunch->setEnabled(onItem);
    m_mnuPopupRemove->setEnabled(onItem);
    m_mnuPopup->setDefaultAction(onItem ? m_mnuPopupEdit : m_mnuPopupNew);
    // The commands run from their actions' triggered signals and look for the item again.
    m_mnuPopup->exec(m_lvwVMs->viewport()->mapToGlobal(position));
}

void frmMain::onPopupEdit()
{
    const QTreeWidgetItem* item = m_lvwVMs->itemAt(m_mouseDown);
    if (item != nullptr && item->isSelected())
        openConfiguration(item->text(kColumnPath), itemVersion(*item), item->text(kColumnName));
    else
        OpenConfiguration({}, 8);
}

void frmMain::onPopupLaunch()
{
    const QTreeWidgetItem* item = m_lvwVMs->itemAt(m_mouseDown);
    if (item != nullptr && item->isSelected())
        LaunchSelected();
}

void frmMain::onPopupRemove()
{
    const QTreeWidgetItem* item = m_lvwVMs->itemAt(m_mouseDown);
    if (item == nullptr)
        return;
    // No question is asked and the .vmx file stays where it is: only the list entry goes.
    platform::RemoveFavorite(m_settings.Favorites, recordOfItem(*item));
    UpdateFavoritesList();
}

void frmMain::onFavoriteClicked(QTreeWidgetItem* item)
{
    if (item == nullptr)
        return;
    m_selectedName = item->text(kColumnName);
    m_selectedPath = item->text(kColumnPath);
    m_selectedConfigVersion = itemVersion(*item);
    m_selectedOpen = itemIsOpen(*item);
}

void frmMain::onFavoriteDoubleClicked(QTreeWidgetItem* item)
{
    if (item == nullptr || itemIsOpen(*item))
        return;
    // A double-click always opens as a current-format file, whatever the stored version.
    openConfiguration(item->text(kColumnPath), 8, item->text(kColumnName));
}

} // namespace zentravolix::app
