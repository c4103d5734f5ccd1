// SPDX-License-Identifier: MIT
#include <tarvonel/clsGenSCSI.h>

#include "detail/CollectionImpl.h"
#include "devices/DeviceText.h"

namespace tarvonel {

clsGenSCSI::clsGenSCSI(detail::Passkey) {}
clsGenSCSI::~clsGenSCSI() = default;

void clsGenSCSI::SetDeviceName(const std::string& value)
{
    m_deviceName = value;
    m_summary = m_deviceName;
}

void clsGenSCSI::SetBusNode(std::int16_t value)
{
    m_busNode = value;
    UpdateDisplayName();
}

void clsGenSCSI::UpdateDisplayName()
{
    m_displayName = detail::AttachedDisplayName(NumberedName(), m_busType, m_controller, m_busNode);
}

template <>
void Collection<clsGenSCSI>::InitializeItem(clsGenSCSI& item)
{
    item.SetEnabled(true);
    item.SetConnectedAtBoot(true);
    item.SetDeviceType("scsi-passthru");
    item.SetBusType("SCSI");
    item.SetController(-1);
    item.SetBusNode(-1);
}

template class Collection<clsGenSCSI>;

clsGenSCSIs::clsGenSCSIs(detail::Passkey) {}
clsGenSCSIs::~clsGenSCSIs() = default;

} // namespace tarvonel
