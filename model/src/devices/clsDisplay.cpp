// SPDX-License-Identifier: MIT
#include <tarvonel/clsDisplay.h>

#include "detail/CollectionImpl.h"
#include "devices/DeviceText.h"

namespace tarvonel {

clsDisplay::clsDisplay(detail::Passkey) {}
clsDisplay::~clsDisplay() = default;

void clsDisplay::SetVramSize(std::int32_t value)
{
    m_vramSize = value;
    // Video memory is held in bytes but shown in megabytes, fractions included (1.5 MB).
    m_summary = detail::FormatGeneralNumber(static_cast<double>(m_vramSize) / 1048576.0) + " MB";
}

template <>
void Collection<clsDisplay>::InitializeItem(clsDisplay& item)
{
    item.SetScreenWidth(1024);
    item.SetScreenHeight(768);
    item.SetVramSize(16777216);
}

template class Collection<clsDisplay>;

clsDisplays::clsDisplays(detail::Passkey) {}
clsDisplays::~clsDisplays() = default;

} // namespace tarvonel
