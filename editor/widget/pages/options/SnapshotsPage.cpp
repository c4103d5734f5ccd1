// SPDX-License-Identifier: MIT
#include "editor/widget/pages/options/SnapshotsPage.h"

#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zentravolix::editor {

SnapshotsPage::SnapshotsPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                             QWidget* parent)
    : OptionPage(std::move(vm), context, parent)
{
    auto* layout = new QVBoxLayout(this);

    m_fraSnapshots = makeGroup(this, "fraSnapshots");
    auto* general = new QVBoxLayout(m_fraSnapshots);
    m_chkSnapshotsEnabled = makeCheck(m_fraSnapshots, "chkSnapshotsEnabled", general);
    m_lblSnapshots = makeLabel(m_fraSnapshots, "lblSnapshots");
    m_lblSnapshots->setWordWrap(true);
    general->addWidget(m_lblSnapshots);
    layout->addWidget(m_fraSnapshots);

    m_fraSnapshotPowerOffOptions = makeGroup(this, "fraSnapshotPowerOffOptions");
    auto* actions = new QVBoxLayout(m_fraSnapshotPowerOffOptions);
    auto* group = new QButtonGroup(this);
    const char* names[] = {"optSnapPowerOff", "optSnapRevert", "optSnapTakeNew", "optSnapAsk"};
    for (int i = 0; i < 4; ++i) {
        m_actions[i] = makeOption(m_fraSnapshotPowerOffOptions, names[i], actions);
        group->addButton(m_actions[i], i);
    }
    layout->addWidget(m_fraSnapshotPowerOffOptions);
    layout->addStretch(1);

    bindCheck(m_chkSnapshotsEnabled, Polarity::Inverted, true,
              [this](bool v) { m_vm->Options()->SnapshotsOptions()->SetSnapshotsEnabled(v); });
    for (int i = 0; i < 4; ++i) {
        connect(m_actions[i], &QRadioButton::clicked, this, [this, i] {
            if (m_loading)
                return;
            m_vm->Options()->SnapshotsOptions()->SetSnapshotPowerOffAction(static_cast<std::int16_t>(i));
            markEdited(false);
        });
    }
}

void SnapshotsPage::load()
{
    LoadScope scope(*this);
    const auto snapshots = m_vm->Options()->SnapshotsOptions();
    showCheck(m_chkSnapshotsEnabled, Polarity::Inverted, snapshots->SnapshotsEnabled());
    const int action = snapshots->SnapshotPowerOffAction();
    if (action >= 0 && action < 4) {
        m_actions[action]->setChecked(true);
    } else {
        // An action this program does not know: show none of the four as chosen.
        auto* group = m_actions[0]->group();
        group->setExclusive(false);
        for (auto* button : m_actions)
            button->setChecked(false);
        group->setExclusive(true);
    }
}

void SnapshotsPage::updateUILabels()
{
    m_fraSnapshots->setTitle(text(52));
    m_chkSnapshotsEnabled->setText(text(250));
    m_lblSnapshots->setText(text(251));
    m_fraSnapshotPowerOffOptions->setTitle(text(252));
    for (int i = 0; i < 4; ++i)
        m_actions[i]->setText(text(253 + i));
}

} // namespace zentravolix::editor
