// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/options/OptionPage.h"

#include <array>

class QGroupBox;
class QLabel;
class QRadioButton;

namespace zentravolix::editor {

/** Page 3: snapshots on or off and what happens to the snapshot when the machine powers off. */
class SnapshotsPage final : public OptionPage {
    Q_OBJECT
public:
    SnapshotsPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                  QWidget* parent = nullptr);

    void load() override;
    void updateUILabels() override;

private:
    QGroupBox* m_fraSnapshots;
    QCheckBox* m_chkSnapshotsEnabled;
    QLabel* m_lblSnapshots;
    QGroupBox* m_fraSnapshotPowerOffOptions;
    /** optSnapPowerOff, optSnapRevert, optSnapTakeNew, optSnapAsk: SnapshotPowerOffAction 0 to 3. */
    std::array<QRadioButton*, 4> m_actions{};
};

} // namespace zentravolix::editor
