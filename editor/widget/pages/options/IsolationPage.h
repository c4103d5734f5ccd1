// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/options/OptionPage.h"

class QGroupBox;

namespace zentravolix::editor {

/** Page 4: drag and drop, paste and copy between host and guest (each box disables one). */
class IsolationPage final : public OptionPage {
    Q_OBJECT
public:
    IsolationPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                  QWidget* parent = nullptr);

    void load() override;
    void updateUILabels() override;

private:
    QGroupBox* m_fraInteraction;
    QCheckBox* m_chkInteractDND;
    QCheckBox* m_chkInteractPaste;
    QCheckBox* m_chkInteractCopy;
};

} // namespace zentravolix::editor
