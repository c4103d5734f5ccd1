// SPDX-License-Identifier: MIT
#include <tarvonel/clsAudioDevice.h>

#include "detail/CollectionImpl.h"

namespace tarvonel {

clsAudioDevice::clsAudioDevice(detail::Passkey) {}
clsAudioDevice::~clsAudioDevice() = default;

void clsAudioDevice::SetEnabled(bool value)
{
    m_enabled = value;
    m_summary = m_enabled ? "Present" : "Disabled";
}

template <>
void Collection<clsAudioDevice>::InitializeItem(clsAudioDevice& item)
{
    item.SetEnabled(true);
    item.SetConnectedAtBoot(true);
    item.SetDeviceType(0);
}

template class Collection<clsAudioDevice>;

clsAudioDevices::clsAudioDevices(detail::Passkey) {}
clsAudioDevices::~clsAudioDevices() = default;

} // namespace tarvonel
