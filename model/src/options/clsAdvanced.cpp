// SPDX-License-Identifier: MIT
#include <tarvonel/clsAdvanced.h>

namespace tarvonel {

clsAdvanced::clsAdvanced(detail::Passkey) {}
clsAdvanced::~clsAdvanced() = default;

void clsAdvanced::SetInputGrabPriority(std::int16_t value)
{
    m_inputGrabPriority = value;
    UpdateSummary();
}

void clsAdvanced::SetInputUngrabPriority(std::int16_t value)
{
    m_inputUngrabPriority = value;
    UpdateSummary();
}

void clsAdvanced::UpdateSummary()
{
    // The ungrabbed priority code 0 is "idle", which the options list calls low.
    m_summary = std::string(m_inputGrabPriority != 0 ? "High" : "Normal") + ", " +
                (m_inputUngrabPriority != 0 ? "Normal" : "Low");
}

} // namespace tarvonel
