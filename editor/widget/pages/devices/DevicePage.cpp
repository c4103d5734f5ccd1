// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/DevicePage.h"

#include "config/NodeAssignment.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/pages/devices/DevicePageSupport.h"

#include <tarvonel/tarvonel.h>

#include <QFileInfo>
#include <QFocusEvent>
#include <QStandardItemModel>

namespace zentravolix::editor {

DevicePage::DevicePage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                       QWidget* parent)
    : QWidget(parent), m_vm(std::move(vm)), m_context(context), m_hooks(std::move(hooks))
{
}

void DevicePage::load(const std::string& deviceId)
{
    m_deviceId = deviceId;
    LoadScope scope(*this);
    fill();
}

void DevicePage::markEdited(bool rowChanged)
{
    if (!m_loading)
        emit edited(rowChanged);
}

bool DevicePage::validateField(QLineEdit*, const QString&)
{
    return true;
}

bool DevicePage::commitText(QLineEdit* box)
{
    if (m_committing == box)
        return true;
    for (auto& [bound, commit] : m_textCommits) {
        if (bound != box)
            continue;
        QLineEdit* const previous = m_committing;
        m_committing = box;
        struct Restore {
            QLineEdit*& slot;
            QLineEdit* value;
            ~Restore() { slot = value; }
        } restore{m_committing, previous};
        const bool accepted = commit();
        if (!accepted) {
            m_refusedBox = box;
            m_typedSinceRefusal = false;
        } else if (m_refusedBox == box) {
            m_refusedBox = nullptr;
        }
        return accepted;
    }
    return true;
}

bool DevicePage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && watched == m_refusedBox && !m_typedSinceRefusal &&
        m_committing != m_refusedBox) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A menu or another window (a message box among them) taking the focus is not leaving.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            commitText(m_refusedBox);
    }
    return QWidget::eventFilter(watched, event);
}

void DevicePage::showOptions(std::initializer_list<std::pair<QRadioButton*, bool>> options)
{
    for (const auto& [button, on] : options)
        button->setAutoExclusive(false);
    for (const auto& [button, on] : options)
        button->setChecked(on);
    for (const auto& [button, on] : options)
        button->setAutoExclusive(true);
}

void DevicePage::showComboIndex(QComboBox* combo, int index)
{
    // A stored value outside the list shows no selection rather than a wrong entry.
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void DevicePage::showComboText(QComboBox* combo, const std::string& name)
{
    const QString wanted = QString::fromStdString(name);
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).compare(wanted, Qt::CaseInsensitive) == 0) {
            combo->setCurrentIndex(i);
            return;
        }
    }
    combo->setCurrentIndex(-1);
}

namespace {
/** Marks the extra entry that names a kept value the list does not know. */
constexpr int kKeptEntryRole = Qt::UserRole + 41;

void removeKeptEntry(QComboBox* combo)
{
    for (int i = combo->count() - 1; i >= 0; --i) {
        if (combo->itemData(i, kKeptEntryRole).toBool())
            combo->removeItem(i);
    }
}
} // namespace

void DevicePage::showComboKept(QComboBox* combo, const std::string& lowerKey, int index)
{
    LoadScope scope(*this);
    removeKeptEntry(combo);
    const auto kept = m_hooks.keptValue ? m_hooks.keptValue(lowerKey) : std::nullopt;
    if (!kept || kept->empty()) {
        showComboIndex(combo, index);
        return;
    }
    combo->addItem(QString::fromStdString(*kept));
    const int at = combo->count() - 1;
    combo->setItemData(at, true, kKeptEntryRole);
    // Shown, never offered: the user replaces the value by choosing one of the list's own.
    if (auto* model = qobject_cast<QStandardItemModel*>(combo->model())) {
        if (QStandardItem* item = model->item(at))
            item->setEnabled(false);
    }
    combo->setCurrentIndex(at);
}

bool DevicePage::takeComboKept(QComboBox* combo, const std::string& lowerKey, int index)
{
    if (index < 0 || index >= combo->count() || combo->itemData(index, kKeptEntryRole).toBool())
        return false;
    if (m_hooks.dropKept)
        m_hooks.dropKept(lowerKey);
    {
        // The extra entry is always the last one, so the chosen position stays where it is.
        LoadScope scope(*this);
        removeKeptEntry(combo);
        combo->setCurrentIndex(index);
    }
    return true;
}

void DevicePage::refillCombo(QComboBox* combo, const QStringList& entries)
{
    LoadScope scope(*this);
    const QString current = combo->currentIndex() >= 0 ? combo->currentText() : QString();
    combo->clear();
    combo->addItems(entries);
    if (current.isEmpty())
        combo->setCurrentIndex(-1);
    else
        showComboText(combo, current.toStdString());
}

QStringList DevicePage::toStringList(const std::vector<std::string>& entries)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(entries.size()));
    for (const auto& entry : entries)
        list.append(QString::fromStdString(entry));
    return list;
}

bool DevicePage::browseInto(QLineEdit* box, int titleId, const QString& filter, const QString& startFolder,
                            const std::function<bool(const QString&)>& accept)
{
    if (!m_context.dialogs)
        return false;
    QString folder = startFolder.isEmpty() ? imageFolder() : startFolder;
    if (folder.isEmpty() && !box->text().isEmpty())
        folder = QFileInfo(box->text()).absolutePath();
    const QString chosen = m_context.dialogs->openFile(this, text(titleId), filter, folder);
    if (chosen.isEmpty() || (accept && !accept(chosen)))
        return false;
    return enterText(box, chosen);
}

bool DevicePage::enterText(QLineEdit* box, const QString& value)
{
    box->setText(value);
    return commitText(box);
}

QString DevicePage::imageFolder() const
{
    return m_context.settings ? QString::fromStdString(m_context.settings->ImagePath) : QString();
}

void DevicePage::fillNodeList(QComboBox* list, const std::string& busType, std::int32_t controller, std::int32_t node)
{
    LoadScope scope(*this);
    // Empty when a file put a device on a node its controller does not have.
    const std::vector<std::string> nodes = AvailableNodes(*m_vm->Hardware(), BusOfType(busType).value_or(NodeBus::IDE));
    list->clear();
    list->addItems(toStringList(nodes));
    list->setCurrentIndex(-1);
    if (controller < 0 || node < 0)
        return;
    // "IDE 0:1" or "IDE 0:1 - Hard Disk 0": the pair must end at a blank or the end of the text.
    const QString pair = QString::fromStdString(busType) + QLatin1Char(' ') + QString::number(controller) +
                         QLatin1Char(':') + QString::number(node);
    for (int i = 0; i < list->count(); ++i) {
        const QString entry = list->itemText(i);
        if (entry == pair || entry.startsWith(pair + QLatin1Char(' '))) {
            list->setCurrentIndex(i);
            return;
        }
    }
}

bool DevicePage::busOffered(const std::string& busType, const std::string& deviceBus) const
{
    if (busType == deviceBus || busType == "IDE" || busType == "SCSI")
        return true;
    const auto hardware = m_vm->Hardware();
    const EditorLimits limits = CurrentLimits(m_hooks, *m_vm);
    if (busType == "SATA")
        return limits.MaxSATAControllers > 0 || hardware->SATAControllers()->Count() > 0;
    if (busType == "NVMe")
        return limits.MaxNVMeControllers > 0 || hardware->NVMeControllers()->Count() > 0;
    return false;
}

void DevicePage::bindNodeList(QComboBox* list, const std::string& busType)
{
    connect(list, &QComboBox::activated, this, [this, list, busType](int index) {
        if (m_loading || index < 0)
            return;
        nodeChosen(list, busType, index);
    });
}

void DevicePage::nodeChosen(QComboBox* list, const std::string& busType, int index)
{
    const auto bus = BusOfType(busType);
    if (!bus || m_deviceId.empty())
        return;
    const NodeDevice device{deviceType(), m_deviceId};
    const NodeChoice choice = ChooseNode(*m_vm->Hardware(), device, *bus, list->itemText(index).toStdString());
    for (const auto& message : choice.messages)
        showRuleMessage(message);
    // Refilling puts every list back on the node the device really holds: the chosen one, or
    // its old one when the choice was refused or did not apply.
    load(m_deviceId);
    if (choice.outcome != NodeChoice::Outcome::Assigned)
        return;
    if (choice.moved && m_hooks.rebuildList)
        m_hooks.rebuildList();
    markEdited(true);
}

void DevicePage::bindBusOption(QRadioButton* option, const std::string& busType)
{
    connect(option, &QRadioButton::clicked, this, [this, busType]() {
        if (!m_loading)
            busChosen(busType);
    });
}

void DevicePage::busChosen(const std::string& busType)
{
    const auto bus = BusOfType(busType);
    if (!bus || m_deviceId.empty())
        return;
    const BusSwitch result = SwitchBus(*m_vm->Hardware(), NodeDevice{deviceType(), m_deviceId}, *bus);
    for (const auto& message : result.messages)
        showRuleMessage(message);
    // A refused switch puts the buttons back on the old bus.
    load(m_deviceId);
    if (result.moved)
        markEdited(true);
}

bool DevicePage::assignAutomaticNode()
{
    if (m_deviceId.empty())
        return false;
    const AutomaticNode result = AssignAutomaticNode(*m_vm->Hardware(), NodeDevice{deviceType(), m_deviceId});
    for (const auto& message : result.messages)
        showRuleMessage(message);
    load(m_deviceId);
    return result.assigned;
}

void DevicePage::showRuleMessage(const RuleMessage& message)
{
    if (!m_context.dialogs)
        return;
    MessageIcon icon = MessageIcon::Warning;
    if (message.icon == RuleIcon::Information)
        icon = MessageIcon::Information;
    else if (message.icon == RuleIcon::Critical)
        icon = MessageIcon::Critical;
    m_context.dialogs->message(this, text(message.textId) + QString::fromStdString(message.textSuffix),
                               text(message.titleId), icon);
}

} // namespace zentravolix::editor
