// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

#include <optional>

namespace tarvonel {

/**
 * A floppy drive. The summary follows DeviceType and DeviceName: "device" gives "Using device "
 * and "file" gives "Using image ", each followed by the name; other types leave it unchanged.
 */
class TARVONEL_EXPORT clsFloppy : public DeviceItem {
public:
    explicit clsFloppy(detail::Passkey);
    ~clsFloppy() override;

    bool operator==(const clsFloppy&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    bool ConnectedAtBoot() const { return m_connectedAtBoot; }
    void SetConnectedAtBoot(bool value) { m_connectedAtBoot = value; }
    /** Host drive or image file. */
    std::string DeviceName() const { return m_deviceName; }
    void SetDeviceName(const std::string& value);
    /** "device" or "file". */
    std::string DeviceType() const { return m_deviceType; }
    void SetDeviceType(const std::string& value);
    /**
     * Whether the drive is the one of the machine a remote console runs on rather than the
     * host's (clientDevice); unset: no line.
     */
    std::optional<bool> ClientDevice() const { return m_clientDevice; }
    void SetClientDevice(std::optional<bool> value) { m_clientDevice = value; }

protected:
    std::string BaseName() const override { return "Floppy"; }

private:
    void UpdateSummary();

    bool m_enabled = false;
    bool m_connectedAtBoot = false;
    std::string m_deviceName;
    std::string m_deviceType;
    std::optional<bool> m_clientDevice;
};

template <>
void Collection<clsFloppy>::InitializeItem(clsFloppy& item);
extern template class Collection<clsFloppy>;

/** The floppy drives of a machine. */
class TARVONEL_EXPORT clsFloppies final : public Collection<clsFloppy> {
public:
    explicit clsFloppies(detail::Passkey);
    ~clsFloppies() override;
};

} // namespace tarvonel
