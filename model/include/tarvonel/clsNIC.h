// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

#include <optional>

namespace tarvonel {

/**
 * A network adapter. The summary follows ConnectionType and VNet: "Bridged", "Host-Only", "NAT",
 * or "Custom" followed by the VNet number; an unknown connection type leaves it unchanged.
 */
class TARVONEL_EXPORT clsNIC : public DeviceItem {
public:
    explicit clsNIC(detail::Passkey);
    ~clsNIC() override;

    bool operator==(const clsNIC&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    bool ConnectedAtBoot() const { return m_connectedAtBoot; }
    void SetConnectedAtBoot(bool value) { m_connectedAtBoot = value; }
    /** Adapter model: 0 vlance, 1 vmxnet, 2 e1000, 3 e1000e, 4 vmxnet3. */
    std::int16_t DeviceType() const { return m_deviceType; }
    void SetDeviceType(std::int16_t value) { m_deviceType = value; }
    /** 0 bridged, 1 host-only, 2 NAT, 3 custom. */
    std::int16_t ConnectionType() const { return m_connectionType; }
    void SetConnectionType(std::int16_t value);
    /** The n of VMnet n. */
    std::int16_t VNet() const { return m_vnet; }
    void SetVNet(std::int16_t value);
    /** 0 generated, 1 static, 2 assigned by vCenter ("vpx", kept in the generated address). */
    std::int16_t AddressType() const { return m_addressType; }
    void SetAddressType(std::int16_t value) { m_addressType = value; }
    std::string MacAddress() const { return m_macAddress; }
    void SetMacAddress(const std::string& value) { m_macAddress = value; }
    std::int32_t GenAddressOffset() const { return m_genAddressOffset; }
    void SetGenAddressOffset(std::int32_t value) { m_genAddressOffset = value; }
    /** The ESXi port group the adapter is attached to ("VM Network"); empty: none named. */
    std::string NetworkName() const { return m_networkName; }
    void SetNetworkName(const std::string& value) { m_networkName = value; }
    /** Passthrough readiness for a VMXNET3 adapter (uptCompatibility); unset: no line. */
    std::optional<bool> UptCompatibility() const { return m_uptCompatibility; }
    void SetUptCompatibility(std::optional<bool> value) { m_uptCompatibility = value; }
    /** Whether a received packet wakes the guest (wakeOnPcktRcv); unset: no line. */
    std::optional<bool> WakeOnPacket() const { return m_wakeOnPacket; }
    void SetWakeOnPacket(std::optional<bool> value) { m_wakeOnPacket = value; }
    /** Whether the guest may connect and disconnect the adapter itself; unset: no line. */
    std::optional<bool> GuestConnectionControl() const { return m_guestConnectionControl; }
    void SetGuestConnectionControl(std::optional<bool> value) { m_guestConnectionControl = value; }

protected:
    std::string BaseName() const override { return "Ethernet"; }

private:
    void UpdateSummary();

    bool m_enabled = false;
    bool m_connectedAtBoot = false;
    std::int16_t m_deviceType = 0;
    std::int16_t m_connectionType = 0;
    std::int16_t m_vnet = 0;
    std::int16_t m_addressType = 0;
    std::string m_macAddress;
    std::int32_t m_genAddressOffset = 0;
    std::string m_networkName;
    std::optional<bool> m_uptCompatibility;
    std::optional<bool> m_wakeOnPacket;
    std::optional<bool> m_guestConnectionControl;
};

template <>
void Collection<clsNIC>::InitializeItem(clsNIC& item);
extern template class Collection<clsNIC>;

/** The network adapters of a machine. */
class TARVONEL_EXPORT clsNICs final : public Collection<clsNIC> {
public:
    explicit clsNICs(detail::Passkey);
    ~clsNICs() override;
};

} // namespace tarvonel
