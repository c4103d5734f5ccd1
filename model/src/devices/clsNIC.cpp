// SPDX-License-Identifier: MIT
#include <tarvonel/clsNIC.h>

#include "detail/CollectionImpl.h"

namespace tarvonel {

clsNIC::clsNIC(detail::Passkey) {}
clsNIC::~clsNIC() = default;

void clsNIC::SetConnectionType(std::int16_t value)
{
    m_connectionType = value;
    UpdateSummary();
}

void clsNIC::SetVNet(std::int16_t value)
{
    m_vnet = value;
    UpdateSummary();
}

void clsNIC::UpdateSummary()
{
    switch (m_connectionType) {
    case 0:
        m_summary = "Bridged";
        break;
    case 1:
        m_summary = "Host-Only";
        break;
    case 2:
        m_summary = "NAT";
        break;
    case 3:
        m_summary = "Custom" + std::to_string(m_vnet);
        break;
    default:
        break; // an unknown connection type keeps the last summary
    }
}

template <>
void Collection<clsNIC>::InitializeItem(clsNIC& item)
{
    item.SetEnabled(true);
    item.SetConnectedAtBoot(true);
    item.SetDeviceType(0);
    item.SetConnectionType(0);
    item.SetVNet(0);
    item.SetAddressType(0);
    item.SetMacAddress("");
    item.SetGenAddressOffset(0);
}

template class Collection<clsNIC>;

clsNICs::clsNICs(detail::Passkey) {}
clsNICs::~clsNICs() = default;

} // namespace tarvonel
