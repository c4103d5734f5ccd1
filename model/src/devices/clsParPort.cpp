// SPDX-License-Identifier: MIT
#include <tarvonel/clsParPort.h>

#include "detail/CollectionImpl.h"

namespace tarvonel {

clsParPort::clsParPort(detail::Passkey) {}
clsParPort::~clsParPort() = default;

void clsParPort::SetDeviceName(const std::string& value)
{
    m_deviceName = value;
    UpdateSummary();
}

void clsParPort::SetDeviceType(const std::string& value)
{
    m_deviceType = value;
    UpdateSummary();
}

void clsParPort::UpdateSummary()
{
    if (m_deviceType == "device")
        m_summary = "Using port " + m_deviceName;
    else if (m_deviceType == "file")
        m_summary = "Using file " + m_deviceName;
}

template <>
void Collection<clsParPort>::InitializeItem(clsParPort& item)
{
    item.SetEnabled(true);
    item.SetConnectedAtBoot(true);
    item.SetDeviceType("device");
    item.SetDeviceName("auto detect");
    item.SetBidirectional(true);
}

template class Collection<clsParPort>;

clsParPorts::clsParPorts(detail::Passkey) {}
clsParPorts::~clsParPorts() = default;

} // namespace tarvonel
