// SPDX-License-Identifier: MIT
#include <tarvonel/clsMouse.h>

#include "detail/CollectionImpl.h"

namespace tarvonel {

clsMouse::clsMouse(detail::Passkey) {}
clsMouse::~clsMouse() = default;

void clsMouse::SetEnabled(bool value)
{
    m_enabled = value;
    m_summary = m_enabled ? "Enabled" : "Disabled";
}

template <>
void Collection<clsMouse>::InitializeItem(clsMouse& item)
{
    item.SetEnabled(true);
}

template class Collection<clsMouse>;

clsMice::clsMice(detail::Passkey) {}
clsMice::~clsMice() = default;

} // namespace tarvonel
