// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/BusControllerPages.h"

#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace zentravolix::editor {

namespace {

constexpr int kEnabled = 295;
constexpr int kNodes = 2874;
constexpr int kNodesInUse = 2875;

/** Object names carry the bus: "fraSATAController", "lstNVMeNodes". */
QString named(const char* prefix, const QString& bus, const char* suffix)
{
    return QLatin1String(prefix) + bus + QLatin1String(suffix);
}

template <class Controller>
std::optional<std::pair<std::int16_t, std::vector<std::string>>> nodesOf(const std::shared_ptr<Controller>& controller)
{
    if (!controller)
        return std::nullopt;
    try {
        return std::pair{controller->DeviceNum(), controller->Nodes()};
    } catch (const tarvonel::Error&) {
        return std::nullopt; // a device names a node the controller does not have
    }
}

} // namespace

BusControllerPage::BusControllerPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                                     DevicePageHooks hooks, const char* busWord, int titleId, QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent), m_busWord(QLatin1String(busWord)),
      m_titleId(titleId)
{
    auto* layout = new QVBoxLayout(this);
    m_fraController = new QGroupBox(this);
    m_fraController->setObjectName(named("fra", m_busWord, "Controller"));
    auto* box = new QVBoxLayout(m_fraController);
    m_chkEnabled = new QCheckBox(m_fraController);
    m_chkEnabled->setObjectName(named("chk", m_busWord, "Enabled"));
    box->addWidget(m_chkEnabled);
    m_lblNodes = new QLabel(m_fraController);
    m_lblNodes->setObjectName(named("lbl", m_busWord, "Nodes"));
    box->addWidget(m_lblNodes);
    m_lstNodes = new QListWidget(m_fraController);
    m_lstNodes->setObjectName(named("lst", m_busWord, "Nodes"));
    // The list only shows: a device is moved on its own page.
    m_lstNodes->setSelectionMode(QAbstractItemView::NoSelection);
    m_lstNodes->setFocusPolicy(Qt::NoFocus);
    box->addWidget(m_lstNodes, 1);
    m_lblNodesUsed = new QLabel(m_fraController);
    m_lblNodesUsed->setObjectName(named("lbl", m_busWord, "NodesUsed"));
    box->addWidget(m_lblNodesUsed);
    m_lblNodes->setBuddy(m_lstNodes);
    layout->addWidget(m_fraController, 1);

    // The controller's summary is "Present" or "Disabled", so the row follows the box.
    bindCheck(m_chkEnabled, true, [this](bool v) { setEnabled(v); });
}

void BusControllerPage::fill()
{
    m_chkEnabled->setChecked(enabled().value_or(false));
    m_lstNodes->clear();
    m_lblNodesUsed->clear();
    const auto shown = nodes();
    if (!shown)
        return;
    int used = 0;
    const auto& [number, labels] = *shown;
    for (std::size_t node = 0; node < labels.size(); ++node) {
        // The node lists' own form: "SATA 0:1 - CD-ROM 0", a free node without the dash.
        QString entry = m_busWord + QLatin1Char(' ') + QString::number(number) + QLatin1Char(':') +
                        QString::number(node);
        if (!labels[node].empty()) {
            entry += QStringLiteral(" - ") + QString::fromStdString(labels[node]);
            ++used;
        }
        m_lstNodes->addItem(entry);
    }
    m_lblNodesUsed->setText(text(kNodesInUse).arg(used).arg(labels.size()));
}

void BusControllerPage::updateUILabels()
{
    m_fraController->setTitle(text(m_titleId));
    m_chkEnabled->setText(text(kEnabled));
    m_lblNodes->setText(text(kNodes));
    if (!deviceId().empty())
        load(deviceId());
}

SATAControllerPage::SATAControllerPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                                       DevicePageHooks hooks, QWidget* parent)
    : BusControllerPage(std::move(vm), context, std::move(hooks), "SATA", 2870, parent)
{
}

std::optional<bool> SATAControllerPage::enabled() const
{
    const auto controller = findDevice(m_vm->Hardware()->SATAControllers());
    return controller ? std::optional<bool>(controller->Enabled()) : std::nullopt;
}

void SATAControllerPage::setEnabled(bool value)
{
    if (const auto controller = findDevice(m_vm->Hardware()->SATAControllers()))
        controller->SetEnabled(value);
}

std::optional<std::pair<std::int16_t, std::vector<std::string>>> SATAControllerPage::nodes() const
{
    return nodesOf(findDevice(m_vm->Hardware()->SATAControllers()));
}

NVMeControllerPage::NVMeControllerPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                                       DevicePageHooks hooks, QWidget* parent)
    : BusControllerPage(std::move(vm), context, std::move(hooks), "NVMe", 2871, parent)
{
}

std::optional<bool> NVMeControllerPage::enabled() const
{
    const auto controller = findDevice(m_vm->Hardware()->NVMeControllers());
    return controller ? std::optional<bool>(controller->Enabled()) : std::nullopt;
}

void NVMeControllerPage::setEnabled(bool value)
{
    if (const auto controller = findDevice(m_vm->Hardware()->NVMeControllers()))
        controller->SetEnabled(value);
}

std::optional<std::pair<std::int16_t, std::vector<std::string>>> NVMeControllerPage::nodes() const
{
    return nodesOf(findDevice(m_vm->Hardware()->NVMeControllers()));
}

} // namespace zentravolix::editor
