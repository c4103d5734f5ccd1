// SPDX-License-Identifier: MIT
#pragma once

// Template members of OptionPage (kept apart so the class stays readable).

#include <QCheckBox>
#include <QComboBox>

namespace zentravolix::editor {

template <class F> void OptionPage::writeModel(F&& write)
{
    try {
        write();
    } catch (...) {
        load();
        throw;
    }
}

template <class Set> void OptionPage::bindCheck(QCheckBox* box, Polarity polarity, bool summary, Set set)
{
    // clicked() comes only from the user (or click()), never from setChecked() during a fill.
    connect(box, &QCheckBox::clicked, this, [this, polarity, summary, set](bool checked) {
        if (m_loading)
            return;
        writeModel([&] { set(polarity == Polarity::Direct ? checked : !checked); });
        markEdited(summary);
    });
}

template <class Set> void OptionPage::bindCombo(QComboBox* combo, bool summary, Set set)
{
    connect(combo, &QComboBox::currentIndexChanged, this, [this, summary, set](int index) {
        if (m_loading || index < 0)
            return;
        writeModel([&] { set(static_cast<std::int16_t>(index)); });
        markEdited(summary);
    });
}

} // namespace zentravolix::editor
