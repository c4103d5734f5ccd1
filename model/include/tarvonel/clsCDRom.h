// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

#include <optional>

namespace tarvonel {

/**
 * A CD-ROM drive, attached like a hard disk (BusType, Controller, then BusNode, which refreshes
 * DisplayName: "CD-ROM2 (IDE1:0)"). Summary follows DeviceType and DeviceName: the drive types
 * "atapi-cdrom", "device", "cdrom-raw" give "Using drive ", the image types "cdrom-image" and
 * "file" give "Using image ", each followed by the name; other types leave it unchanged.
 */
class TARVONEL_EXPORT clsCDRom : public DeviceItem {
public:
    explicit clsCDRom(detail::Passkey);
    ~clsCDRom() override;

    bool operator==(const clsCDRom&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    bool ConnectedAtBoot() const { return m_connectedAtBoot; }
    void SetConnectedAtBoot(bool value) { m_connectedAtBoot = value; }
    /** Host drive or image file. */
    std::string DeviceName() const { return m_deviceName; }
    void SetDeviceName(const std::string& value);
    std::string DeviceType() const { return m_deviceType; }
    void SetDeviceType(const std::string& value);
    bool LegacyEmulation() const { return m_legacyEmulation; }
    void SetLegacyEmulation(bool value) { m_legacyEmulation = value; }
    bool ExclusiveConnection() const { return m_exclusiveConnection; }
    void SetExclusiveConnection(bool value) { m_exclusiveConnection = value; }
    std::string BusType() const { return m_busType; }
    void SetBusType(const std::string& value) { m_busType = value; }
    std::int16_t Controller() const { return m_controller; }
    void SetController(std::int16_t value) { m_controller = value; }
    std::int16_t BusNode() const { return m_busNode; }
    void SetBusNode(std::int16_t value);
    /**
     * Whether the drive is the one of the machine a remote console runs on rather than the
     * host's (clientDevice); unset: no line.
     */
    std::optional<bool> ClientDevice() const { return m_clientDevice; }
    void SetClientDevice(std::optional<bool> value) { m_clientDevice = value; }

protected:
    std::string BaseName() const override { return "CD-ROM"; }
    void UpdateDisplayName() override;

private:
    void UpdateSummary();

    bool m_enabled = false;
    bool m_connectedAtBoot = false;
    std::string m_deviceName;
    std::string m_deviceType;
    bool m_legacyEmulation = false;
    bool m_exclusiveConnection = false;
    std::string m_busType;
    std::int16_t m_controller = 0;
    std::int16_t m_busNode = 0;
    std::optional<bool> m_clientDevice;
};

template <>
void Collection<clsCDRom>::InitializeItem(clsCDRom& item);
extern template class Collection<clsCDRom>;

/** The CD-ROM drives of a machine. */
class TARVONEL_EXPORT clsCDRoms final : public Collection<clsCDRom> {
public:
    explicit clsCDRoms(detail::Passkey);
    ~clsCDRoms() override;
};

} // namespace tarvonel
