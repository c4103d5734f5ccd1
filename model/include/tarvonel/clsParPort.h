// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

namespace tarvonel {

/**
 * A parallel port. The summary follows DeviceType and DeviceName: "device" gives "Using port ",
 * "file" gives "Using file ", each followed by the name; other types leave it unchanged.
 */
class TARVONEL_EXPORT clsParPort : public DeviceItem {
public:
    explicit clsParPort(detail::Passkey);
    ~clsParPort() override;

    bool operator==(const clsParPort&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    bool ConnectedAtBoot() const { return m_connectedAtBoot; }
    void SetConnectedAtBoot(bool value) { m_connectedAtBoot = value; }
    /** Host port or output file. */
    std::string DeviceName() const { return m_deviceName; }
    void SetDeviceName(const std::string& value);
    /** "device" or "file". */
    std::string DeviceType() const { return m_deviceType; }
    void SetDeviceType(const std::string& value);
    bool Bidirectional() const { return m_bidirectional; }
    void SetBidirectional(bool value) { m_bidirectional = value; }

protected:
    std::string BaseName() const override { return "Parallel"; }

private:
    void UpdateSummary();

    bool m_enabled = false;
    bool m_connectedAtBoot = false;
    std::string m_deviceName;
    std::string m_deviceType;
    bool m_bidirectional = false;
};

template <>
void Collection<clsParPort>::InitializeItem(clsParPort& item);
extern template class Collection<clsParPort>;

/** The parallel ports of a machine. */
class TARVONEL_EXPORT clsParPorts final : public Collection<clsParPort> {
public:
    explicit clsParPorts(detail::Passkey);
    ~clsParPorts() override;
};

} // namespace tarvonel
