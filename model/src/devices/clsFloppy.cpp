// SPDX-License-Identifier: MIT
#include <tarvonel/clsFloppy.h>

#include "detail/CollectionImpl.h"

namespace tarvonel {

clsFloppy::clsFloppy(detail::Passkey) {}
clsFloppy::~clsFloppy() = default;

void clsFloppy::SetDeviceName(const std::string& value)
{
    m_deviceName = value;
    UpdateSummary();
}

void clsFloppy::SetDeviceType(const std::string& value)
{
    m_deviceType = value;
    UpdateSummary();
}

void clsFloppy::UpdateSummary()
{
    if (m_deviceType == "device")
        m_summary = "Using device " + m_deviceName;
    else if (m_deviceType == "file")
        m_summary = "Using image " + m_deviceName;
}

template <>
void Collection<clsFloppy>::InitializeItem(clsFloppy& item)
{
    item.SetEnabled(true);
    item.SetConnectedAtBoot(true);
    item.SetDeviceType("device");
    item.SetDeviceName("auto detect");
}

template class Collection<clsFloppy>;

clsFloppies::clsFloppies(detail::Passkey) {}
clsFloppies::~clsFloppies() = default;

} // namespace tarvonel
