// SPDX-License-Identifier: MIT
#include "editor/widget/pages/options/OptionPage.h"

namespace zentravolix::editor {

OptionPage::OptionPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, QWidget* parent)
    : QWidget(parent), m_vm(std::move(vm)), m_context(context)
{
}

void OptionPage::markEdited(bool summaryChanged)
{
    if (!m_loading)
        emit edited(summaryChanged);
}

void OptionPage::showCheck(QCheckBox* box, Polarity polarity, bool value)
{
    box->setChecked(polarity == Polarity::Direct ? value : !value);
}

void OptionPage::showComboIndex(QComboBox* combo, int index)
{
    // A stored value outside the list shows no selection rather than a wrong entry.
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void OptionPage::refillCombo(QComboBox* combo, const QStringList& entries)
{
    LoadScope scope(*this);
    const int index = combo->currentIndex();
    combo->clear();
    combo->addItems(entries);
    showComboIndex(combo, index);
}

} // namespace zentravolix::editor
