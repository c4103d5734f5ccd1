// SPDX-License-Identifier: MIT
#include <tarvonel/clsHardDisk.h>

#include "detail/CollectionImpl.h"
#include "devices/DeviceText.h"

namespace tarvonel {

clsHardDisk::clsHardDisk(detail::Passkey) {}
clsHardDisk::~clsHardDisk() = default;

void clsHardDisk::SetEnabled(bool value)
{
    m_enabled = value;
    m_summary = m_enabled ? "Present" : "Disabled";
}

void clsHardDisk::SetBusNode(std::int16_t value)
{
    m_busNode = value;
    UpdateDisplayName();
}

void clsHardDisk::UpdateDisplayName()
{
    m_displayName = detail::AttachedDisplayName(NumberedName(), m_busType, m_controller, m_busNode);
}

template <>
void Collection<clsHardDisk>::InitializeItem(clsHardDisk& item)
{
    item.SetEnabled(true);
    item.SetDeviceType("disk");
    item.SetMode("persistent");
    item.SetBusType("");
    item.SetController(-1);
    item.SetBusNode(-1);
}

template class Collection<clsHardDisk>;

clsHardDisks::clsHardDisks(detail::Passkey) {}
clsHardDisks::~clsHardDisks() = default;

} // namespace tarvonel
