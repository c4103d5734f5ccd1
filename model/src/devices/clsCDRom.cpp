// SPDX-License-Identifier: MIT
#include <tarvonel/clsCDRom.h>

#include "detail/CollectionImpl.h"
#include "devices/DeviceText.h"

namespace tarvonel {

clsCDRom::clsCDRom(detail::Passkey) {}
clsCDRom::~clsCDRom() = default;

void clsCDRom::SetDeviceName(const std::string& value)
{
    m_deviceName = value;
    UpdateSummary();
}

void clsCDRom::SetDeviceType(const std::string& value)
{
    m_deviceType = value;
    UpdateSummary();
}

void clsCDRom::SetBusNode(std::int16_t value)
{
    m_busNode = value;
    UpdateDisplayName();
}

void clsCDRom::UpdateDisplayName()
{
    m_displayName = detail::AttachedDisplayName(NumberedName(), m_busType, m_controller, m_busNode);
}

void clsCDRom::UpdateSummary()
{
    // Host drives come as "atapi-cdrom" or "cdrom-raw" in VMX files, "device" in older ones;
    // images as "cdrom-image", or "file" in files written by hand.
    if (m_deviceType == "atapi-cdrom" || m_deviceType == "device" || m_deviceType == "cdrom-raw")
        m_summary = "Using drive " + m_deviceName;
    else if (m_deviceType == "cdrom-image" || m_deviceType == "file")
        m_summary = "Using image " + m_deviceName;
}

template <>
void Collection<clsCDRom>::InitializeItem(clsCDRom& item)
{
    item.SetEnabled(true);
    item.SetConnectedAtBoot(true);
    item.SetDeviceType("device");
    item.SetDeviceName("auto detect");
    item.SetLegacyEmulation(false);
    item.SetExclusiveConnection(false);
    item.SetBusType("");
    item.SetController(-1);
    item.SetBusNode(-1);
}

template class Collection<clsCDRom>;

clsCDRoms::clsCDRoms(detail::Passkey) {}
clsCDRoms::~clsCDRoms() = default;

} // namespace tarvonel
