// SPDX-License-Identifier: MIT
#include "editor/widget/HardwareTab.h"

#include "editor/dialogs/frmAddHardware.h"
#include "config/DeviceKinds.h"
#include "config/NodeAssignment.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/Dialogs.h"
#include "editor/widget/HardwareRows.h"
#include "editor/widget/UiText.h"
#include "editor/widget/pages/devices/DeviceIcons.h"
#include "editor/widget/pages/devices/HardwareEdits.h"
#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace zentravolix::editor {

namespace {

constexpr int kKeyRole = Qt::UserRole;

// The question before a controller goes with the devices it holds.
constexpr int kRemoveControllerTitle = 499;
constexpr int kDevicesAttachedTo = 498;
constexpr int kRemoveControllerAndDevices = 497;

} // namespace

HardwareTab::HardwareTab(std::shared_ptr<tarvonel::VirtualMachine> vm, Dialogs* dialogs, QWidget* parent)
    : QWidget(parent), m_vm(std::move(vm)), m_dialogs(dialogs)
{
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    m_lvwHardwareList = makeReportList(this, "lvwHardwareList", 2);
    m_lvwHardwareList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_lvwHardwareList->setMinimumWidth(200);
    left->addWidget(m_lvwHardwareList, 1);
    auto* buttons = new QHBoxLayout;
    m_cmdHardwareAdd = makeButton(this, "cmdHardwareAdd");
    m_cmdHardwareRemove = makeButton(this, "cmdHardwareRemove");
    // Adding needs the product's limits (setLimitsProvider); removing needs a selected device.
    m_cmdHardwareAdd->setEnabled(false);
    m_cmdHardwareRemove->setEnabled(false);
    buttons->addWidget(m_cmdHardwareAdd);
    buttons->addWidget(m_cmdHardwareRemove);
    buttons->addStretch(1);
    left->addLayout(buttons);
    layout->addLayout(left, 2);

    auto* right = new QVBoxLayout;
    m_lblDevicePage = makeLabel(this, "lblDevicePage");
    QFont bold = m_lblDevicePage->font();
    bold.setBold(true);
    m_lblDevicePage->setFont(bold);
    right->addWidget(m_lblDevicePage);
    // A device page larger than the room beside the list scrolls.
    QScrollArea* scroll = nullptr;
    m_sstHardware = makeScrolledPageStack(this, "sstHardware", "scrHardware", &scroll);
    // One container per type number: a kind's page is the tab of its number, whatever its place
    // in the list (numbers that are no kind get an empty one).
    const auto highest = std::max_element(config::DeviceKinds().begin(), config::DeviceKinds().end());
    for (int number = 0; number <= static_cast<int>(*highest); ++number) {
        auto* page = new QWidget(m_sstHardware);
        page->setObjectName(QStringLiteral("sstHardwarePage%1").arg(number));
        auto* pageLayout = new QVBoxLayout(page);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        m_sstHardware->addWidget(page);
    }
    right->addWidget(scroll, 1);
    layout->addLayout(right, 3);

    connect(m_lvwHardwareList, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { selectRow(current); });
    connect(m_lvwHardwareList, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { selectRow(item); });
    connect(m_cmdHardwareAdd, &QPushButton::clicked, this, [this] { addDevice(); });
    connect(m_cmdHardwareRemove, &QPushButton::clicked, this, [this] { removeSelectedDevice(); });
}

void HardwareTab::setLimitsProvider(std::function<EditorLimits()> limits)
{
    m_limits = std::move(limits);
    m_cmdHardwareAdd->setEnabled(static_cast<bool>(m_limits));
}

void HardwareTab::setSummaryOverride(
    std::function<std::optional<std::string>(tarvonel::VirtualHardwareType, const std::string& id)> summary)
{
    m_summaryOverride = std::move(summary);
}

QString HardwareTab::rowSummary(const HardwareRow& row) const
{
    if (m_summaryOverride) {
        if (const auto summary = m_summaryOverride(row.type, row.id))
            return QString::fromStdString(*summary);
    }
    return QString::fromStdString(row.summary);
}

QTreeWidgetItem* HardwareTab::appendRow(const HardwareRow& row)
{
    auto* item = new QTreeWidgetItem(m_lvwHardwareList);
    item->setText(0, QString::fromStdString(row.displayName));
    item->setText(1, rowSummary(row));
    item->setIcon(0, DeviceIcon(row.type));
    item->setData(0, kKeyRole, QString::fromStdString(row.key()));
    return item;
}

bool HardwareTab::addDevice()
{
    if (!m_limits)
        return false;
    frmAddHardware dialog(this);
    SetAddHardwareCounts(dialog, *m_vm->Hardware(), m_limits());
    dialog.exec();
    if (dialog.Cancelled || !dialog.MayAdd(dialog.DeviceType))
        return false;
    const auto type = static_cast<tarvonel::VirtualHardwareType>(dialog.DeviceType);
    const auto id = AddDevice(*m_vm->Hardware(), type);
    if (!id)
        return false;
    emit hardwareChanged();
    if (const auto row = FindHardwareRow(*m_vm->Hardware(), type, *id)) {
        QTreeWidgetItem* item = appendRow(*row);
        // Selecting the new row shows and fills its page, as a click does.
        m_lvwHardwareList->setCurrentItem(item);
        selectRow(item);
    }
    return true;
}

bool HardwareTab::removeSelectedDevice()
{
    if (m_selectedRow < 0)
        return false;
    const auto number = DeviceNumber(*m_vm->Hardware(), m_selectedType, m_selectedId);
    if (!number || !MayRemoveDevice(m_selectedType, *number))
        return false;
    // A controller's devices would keep naming its number without a node to show or save.
    const std::vector<NodeDevice> attached = DevicesOnController(*m_vm->Hardware(), m_selectedType, m_selectedId);
    if (!attached.empty() && !confirmControllerRemoval(attached))
        return false;
    for (const auto& device : attached)
        RemoveDevice(*m_vm->Hardware(), device.type, device.id);
    RemoveDevice(*m_vm->Hardware(), m_selectedType, m_selectedId);
    // Deleting the current row would make the list select a neighbour; after a removal no row
    // is selected until the user clicks one.
    m_filling = true;
    delete m_lvwHardwareList->takeTopLevelItem(m_selectedRow);
    for (int i = m_lvwHardwareList->topLevelItemCount() - 1; i >= 0 && !attached.empty(); --i) {
        const auto parsed = ParseHardwareRowKey(
            m_lvwHardwareList->topLevelItem(i)->data(0, kKeyRole).toString().toStdString());
        if (parsed && std::find(attached.begin(), attached.end(), NodeDevice{parsed->first, parsed->second}) !=
                          attached.end())
            delete m_lvwHardwareList->takeTopLevelItem(i);
    }
    m_lvwHardwareList->setCurrentItem(nullptr);
    m_lvwHardwareList->clearSelection();
    m_filling = false;
    m_selectedRow = -1;
    m_selectedId.clear();
    m_cmdHardwareRemove->setEnabled(false);
    // The page still names the removed device; hide it rather than offer edits that go nowhere.
    m_sstHardware->setVisible(false);
    m_lblDevicePage->clear();
    emit hardwareChanged();
    return true;
}

bool HardwareTab::confirmControllerRemoval(const std::vector<NodeDevice>& attached)
{
    if (!m_dialogs)
        return true;
    const auto controller = FindHardwareRow(*m_vm->Hardware(), m_selectedType, m_selectedId);
    QString message = text(kDevicesAttachedTo) +
                      QString::fromStdString(controller ? controller->displayName : std::string()) +
                      QStringLiteral(":\n\n");
    for (const auto& device : attached) {
        if (const auto row = FindHardwareRow(*m_vm->Hardware(), device.type, device.id))
            message += QStringLiteral("    ") + QString::fromStdString(row->displayName) + QStringLiteral("\n");
    }
    message += QStringLiteral("\n") + text(kRemoveControllerAndDevices);
    // Enter keeps the controller and its devices: removing them takes a deliberate Yes.
    return m_dialogs->message(this, message, text(kRemoveControllerTitle), MessageIcon::Question, Buttons::YesNo,
                              Answer::No) == Answer::Yes;
}

void HardwareTab::setDevicePage(tarvonel::VirtualHardwareType type, QWidget* page)
{
    if (config::IsDeviceKind(type))
        m_sstHardware->widget(static_cast<int>(type))->layout()->addWidget(page);
}

void HardwareTab::rebuild()
{
    m_filling = true;
    m_lvwHardwareList->clear();
    m_selectedRow = -1;
    m_selectedId.clear();
    m_cmdHardwareRemove->setEnabled(false);
    for (const auto& row : CollectHardwareRows(*m_vm->Hardware()))
        appendRow(row);
    m_filling = false;
    if (m_lvwHardwareList->topLevelItemCount() > 0)
        m_lvwHardwareList->setCurrentItem(m_lvwHardwareList->topLevelItem(0));
}

void HardwareTab::rebuildSelecting(const std::string& deviceId)
{
    rebuild();
    for (int i = 0; i < m_lvwHardwareList->topLevelItemCount() && !deviceId.empty(); ++i) {
        QTreeWidgetItem* item = m_lvwHardwareList->topLevelItem(i);
        const auto parsed = ParseHardwareRowKey(item->data(0, kKeyRole).toString().toStdString());
        if (parsed && parsed->second == deviceId) {
            m_lvwHardwareList->setCurrentItem(item);
            return;
        }
    }
}

void HardwareTab::selectRow(QTreeWidgetItem* item)
{
    if (m_filling || !item)
        return;
    const auto parsed = ParseHardwareRowKey(item->data(0, kKeyRole).toString().toStdString());
    if (!parsed)
        return;
    m_selectedRow = m_lvwHardwareList->indexOfTopLevelItem(item);
    m_selectedType = parsed->first;
    m_selectedId = parsed->second;
    m_sstHardware->setVisible(true);
    m_sstHardware->setCurrentIndex(config::IsDeviceKind(m_selectedType) ? static_cast<int>(m_selectedType) : 0);
    m_lblDevicePage->setText(text(DeviceTabTextId(m_selectedType)));
    const auto number = DeviceNumber(*m_vm->Hardware(), m_selectedType, m_selectedId);
    m_cmdHardwareRemove->setEnabled(number && MayRemoveDevice(m_selectedType, *number));
    emit deviceSelected(m_selectedType, QString::fromStdString(m_selectedId));
}

void HardwareTab::refreshSelectedRow()
{
    if (m_selectedRow < 0)
        return;
    auto* item = m_lvwHardwareList->topLevelItem(m_selectedRow);
    const auto row = FindHardwareRow(*m_vm->Hardware(), m_selectedType, m_selectedId);
    if (!item || !row)
        return;
    item->setText(0, QString::fromStdString(row->displayName));
    item->setText(1, rowSummary(*row));
}

void HardwareTab::refreshRows()
{
    // A node choice can move another device, whose name shows its node.
    for (int i = 0; i < m_lvwHardwareList->topLevelItemCount(); ++i) {
        auto* item = m_lvwHardwareList->topLevelItem(i);
        const auto parsed = ParseHardwareRowKey(item->data(0, kKeyRole).toString().toStdString());
        const auto row = parsed ? FindHardwareRow(*m_vm->Hardware(), parsed->first, parsed->second) : std::nullopt;
        if (!row)
            continue;
        item->setText(0, QString::fromStdString(row->displayName));
        item->setText(1, rowSummary(*row));
    }
}

void HardwareTab::updateUILabels()
{
    m_lvwHardwareList->setHeaderLabels({text(204), text(202)});
    m_cmdHardwareAdd->setText(text(205));
    m_cmdHardwareRemove->setText(text(206));
    if (m_selectedRow >= 0)
        m_lblDevicePage->setText(text(DeviceTabTextId(m_selectedType)));
}

} // namespace zentravolix::editor
