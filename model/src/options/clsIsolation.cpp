// SPDX-License-Identifier: MIT
#include <tarvonel/clsIsolation.h>

#include "options/OptionTexts.h"

namespace tarvonel {

clsIsolation::clsIsolation(detail::Passkey) {}
clsIsolation::~clsIsolation() = default;

void clsIsolation::SetDragAndDropEnabled(bool value)
{
    m_dragAndDropEnabled = value;
    UpdateSummary();
}

void clsIsolation::SetPasteEnabled(bool value)
{
    m_pasteEnabled = value;
    UpdateSummary();
}

void clsIsolation::SetCopyEnabled(bool value)
{
    m_copyEnabled = value;
    UpdateSummary();
}

void clsIsolation::UpdateSummary()
{
    // Copy and paste are one "clipboard" switch to the user: it reads enabled only when both are.
    m_summary = std::string(detail::EnabledText(m_dragAndDropEnabled)) + ", " +
                detail::EnabledText(m_pasteEnabled && m_copyEnabled);
}

} // namespace tarvonel
