// SPDX-License-Identifier: MIT
#include <tarvonel/clsSnapshots.h>

#include "options/OptionTexts.h"

namespace tarvonel {

clsSnapshots::clsSnapshots(detail::Passkey) {}
clsSnapshots::~clsSnapshots() = default;

void clsSnapshots::SetSnapshotsEnabled(bool value)
{
    m_snapshotsEnabled = value;
    m_summary = detail::EnabledText(value);
}

} // namespace tarvonel
