// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

namespace tarvonel {

/**
 * A generic SCSI pass-through device. BusType starts as "SCSI"; assigning BusNode refreshes
 * DisplayName ("Generic SCSI (SCSI0:2)"). Summary is a copy of DeviceName.
 */
class TARVONEL_EXPORT clsGenSCSI : public DeviceItem {
public:
    explicit clsGenSCSI(detail::Passkey);
    ~clsGenSCSI() override;

    bool operator==(const clsGenSCSI&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    bool ConnectedAtBoot() const { return m_connectedAtBoot; }
    void SetConnectedAtBoot(bool value) { m_connectedAtBoot = value; }
    /** Host device name. */
    std::string DeviceName() const { return m_deviceName; }
    void SetDeviceName(const std::string& value);
    std::string DeviceType() const { return m_deviceType; }
    void SetDeviceType(const std::string& value) { m_deviceType = value; }
    std::string BusType() const { return m_busType; }
    void SetBusType(const std::string& value) { m_busType = value; }
    std::int16_t Controller() const { return m_controller; }
    void SetController(std::int16_t value) { m_controller = value; }
    std::int16_t BusNode() const { return m_busNode; }
    void SetBusNode(std::int16_t value);

protected:
    std::string BaseName() const override { return "Generic SCSI"; }
    void UpdateDisplayName() override;

private:
    bool m_enabled = false;
    bool m_connectedAtBoot = false;
    std::string m_deviceName;
    std::string m_deviceType;
    std::string m_busType;
    std::int16_t m_controller = 0;
    std::int16_t m_busNode = 0;
};

template <>
void Collection<clsGenSCSI>::InitializeItem(clsGenSCSI& item);
extern template class Collection<clsGenSCSI>;

/** The generic SCSI devices of a machine. */
class TARVONEL_EXPORT clsGenSCSIs final : public Collection<clsGenSCSI> {
public:
    explicit clsGenSCSIs(detail::Passkey);
    ~clsGenSCSIs() override;
};

} // namespace tarvonel
