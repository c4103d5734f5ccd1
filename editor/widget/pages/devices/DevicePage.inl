// SPDX-License-Identifier: MIT
#pragma once

// Template members of DevicePage (kept apart so the class stays readable).

#include <tarvonel/Error.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <cstdint>
#include <type_traits>

namespace zentravolix::editor {

template <class Set>
void DevicePage::bindCheck(QCheckBox* box, bool rowChanged, Set set)
{
    // clicked() comes only from the user (or click()), never from setChecked() during a fill.
    connect(box, &QCheckBox::clicked, this, [this, rowChanged, set](bool checked) {
        if (m_loading)
            return;
        set(checked);
        markEdited(rowChanged);
    });
}

template <class Set>
void DevicePage::bindOption(QRadioButton* option, bool rowChanged, Set set)
{
    connect(option, &QRadioButton::clicked, this, [this, rowChanged, set]() {
        if (m_loading)
            return;
        set();
        markEdited(rowChanged);
    });
}

template <class Set>
void DevicePage::bindCombo(QComboBox* combo, bool rowChanged, Set set)
{
    // activated() is the user's choice; a refill or a fill never sends it.
    connect(combo, &QComboBox::activated, this, [this, rowChanged, set](int index) {
        if (m_loading || index < 0)
            return;
        if constexpr (std::is_same_v<decltype(set(std::int16_t{})), bool>) {
            if (!set(static_cast<std::int16_t>(index)))
                return;
        } else {
            set(static_cast<std::int16_t>(index));
        }
        markEdited(rowChanged);
    });
}

template <class Set>
void DevicePage::bindComboText(QComboBox* combo, bool rowChanged, Set set)
{
    connect(combo, &QComboBox::activated, this, [this, combo, rowChanged, set](int index) {
        // An empty entry (a caption missing from the text table) names no device.
        if (m_loading || index < 0 || combo->itemText(index).isEmpty())
            return;
        if constexpr (std::is_same_v<decltype(set(std::string{})), bool>) {
            if (!set(combo->itemText(index).toStdString()))
                return;
        } else {
            set(combo->itemText(index).toStdString());
        }
        markEdited(rowChanged);
    });
}

template <class Set>
void DevicePage::bindText(QLineEdit* box, bool rowChanged, Set set)
{
    m_textCommits.emplace_back(box, [this, box, rowChanged, set]() {
        if (m_loading)
            return true;
        const QString value = box->text();
        // An emptied box keeps the stored name: the device needs one, and a blank is never meant.
        if (value.isEmpty())
            return true;
        if (!validateField(box, value)) {
            box->setFocus();
            return false;
        }
        if (set(value.toStdString()))
            markEdited(rowChanged);
        return true;
    });
    connect(box, &QLineEdit::editingFinished, this, [this, box]() { commitText(box); });
    connect(box, &QLineEdit::textEdited, this, [this, box]() {
        if (box == m_refusedBox)
            m_typedSinceRefusal = true;
    });
    box->installEventFilter(this);
}

template <class Coll>
auto DevicePage::findDevice(const std::shared_ptr<Coll>& collection) const -> decltype(collection->Item())
{
    if (!collection || m_deviceId.empty())
        return nullptr;
    try {
        return collection->Item(-1, m_deviceId);
    } catch (const tarvonel::Error&) {
        return nullptr; // removed meanwhile: the page has nothing to write to
    }
}

} // namespace zentravolix::editor
