// SPDX-License-Identifier: MIT
#include <tarvonel/clsSerPort.h>

#include "detail/CollectionImpl.h"

namespace tarvonel {

clsSerPort::clsSerPort(detail::Passkey) {}
clsSerPort::~clsSerPort() = default;

void clsSerPort::SetDeviceName(const std::string& value)
{
    m_deviceName = value;
    UpdateSummary();
}

void clsSerPort::SetDeviceType(const std::string& value)
{
    m_deviceType = value;
    UpdateSummary();
}

void clsSerPort::UpdateSummary()
{
    if (m_deviceType == "device")
        m_summary = "Using port " + m_deviceName;
    else if (m_deviceType == "file")
        m_summary = "Using file " + m_deviceName;
    else if (m_deviceType == "pipe")
        m_summary = "Using pipe " + m_deviceName;
}

template <>
void Collection<clsSerPort>::InitializeItem(clsSerPort& item)
{
    item.SetEnabled(true);
    item.SetConnectedAtBoot(true);
    item.SetDeviceType("device");
    item.SetDeviceName("auto detect");
    item.SetPipeEnd1(0);
    item.SetPipeEnd2(0);
    item.SetYieldCpu(false);
}

template class Collection<clsSerPort>;

clsSerPorts::clsSerPorts(detail::Passkey) {}
clsSerPorts::~clsSerPorts() = default;

} // namespace tarvonel
