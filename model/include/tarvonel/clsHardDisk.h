// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

namespace tarvonel {

/**
 * A virtual hard disk. It is attached to a controller by BusType ("IDE" or "SCSI"), Controller
 * (the controller's DeviceNum) and BusNode; -1 in Controller and BusNode means not attached.
 * DisplayName shows the attachment ("Hard Disk2 (SCSI0:3)") and is refreshed only when BusNode
 * is assigned, so callers assign BusNode last. Summary is "Present" or "Disabled".
 */
class TARVONEL_EXPORT clsHardDisk : public DeviceItem {
public:
    explicit clsHardDisk(detail::Passkey);
    ~clsHardDisk() override;

    bool operator==(const clsHardDisk&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    /** Disk file name. */
    std::string DeviceName() const { return m_deviceName; }
    void SetDeviceName(const std::string& value) { m_deviceName = value; }
    /** "disk" or "rawDisk". */
    std::string DeviceType() const { return m_deviceType; }
    void SetDeviceType(const std::string& value) { m_deviceType = value; }
    std::int32_t DiskSize() const { return m_diskSize; }
    void SetDiskSize(std::int32_t value) { m_diskSize = value; }
    /** "persistent", "independent-persistent", "independent-nonpersistent", ... */
    std::string Mode() const { return m_mode; }
    void SetMode(const std::string& value) { m_mode = value; }
    std::string BusType() const { return m_busType; }
    void SetBusType(const std::string& value) { m_busType = value; }
    std::int16_t Controller() const { return m_controller; }
    void SetController(std::int16_t value) { m_controller = value; }
    std::int16_t BusNode() const { return m_busNode; }
    void SetBusNode(std::int16_t value);

protected:
    std::string BaseName() const override { return "Hard Disk"; }
    void UpdateDisplayName() override;

private:
    bool m_enabled = false;
    std::string m_deviceName;
    std::string m_deviceType;
    std::int32_t m_diskSize = 0;
    std::string m_mode;
    std::string m_busType;
    std::int16_t m_controller = 0;
    std::int16_t m_busNode = 0;
};

template <>
void Collection<clsHardDisk>::InitializeItem(clsHardDisk& item);
extern template class Collection<clsHardDisk>;

/** The hard disks of a machine. */
class TARVONEL_EXPORT clsHardDisks final : public Collection<clsHardDisk> {
public:
    explicit clsHardDisks(detail::Passkey);
    ~clsHardDisks() override;
};

} // namespace tarvonel
