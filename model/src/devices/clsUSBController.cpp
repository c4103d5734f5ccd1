// SPDX-License-Identifier: MIT
#include <tarvonel/clsUSBController.h>

#include "detail/CollectionImpl.h"

namespace tarvonel {

clsUSBController::clsUSBController(detail::Passkey) {}
clsUSBController::~clsUSBController() = default;

void clsUSBController::SetEnabled(bool value)
{
    m_enabled = value;
    m_summary = m_enabled ? "Present" : "Disabled";
}

template <>
void Collection<clsUSBController>::InitializeItem(clsUSBController& item)
{
    item.SetEnabled(true);
    item.SetAutoConnect(true);
}

template class Collection<clsUSBController>;

clsUSBControllers::clsUSBControllers(detail::Passkey) {}
clsUSBControllers::~clsUSBControllers() = default;

} // namespace tarvonel
