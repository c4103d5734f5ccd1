// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

#include <optional>

namespace tarvonel {

/** A sound adapter. The summary is "Present" or "Disabled", following Enabled. */
class TARVONEL_EXPORT clsAudioDevice : public DeviceItem {
public:
    explicit clsAudioDevice(detail::Passkey);
    ~clsAudioDevice() override;

    bool operator==(const clsAudioDevice&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    bool ConnectedAtBoot() const { return m_connectedAtBoot; }
    void SetConnectedAtBoot(bool value) { m_connectedAtBoot = value; }
    /** Adapter model: 0 es1371, 1 sb16, 2 sb16 with the synthesizer on, 3 hdaudio. */
    std::int16_t DeviceType() const { return m_deviceType; }
    void SetDeviceType(std::int16_t value) { m_deviceType = value; }
    /** The host's sound device: "-1" the host's default device; empty: the file names none. */
    std::string DeviceName() const { return m_deviceName; }
    void SetDeviceName(const std::string& value) { m_deviceName = value; }
    /** Whether the product picks the host device itself (sound.autodetect); unset: no line. */
    std::optional<bool> AutoDetect() const { return m_autoDetect; }
    void SetAutoDetect(std::optional<bool> value) { m_autoDetect = value; }

protected:
    std::string BaseName() const override { return "Audio"; }

private:
    bool m_enabled = false;
    bool m_connectedAtBoot = false;
    std::int16_t m_deviceType = 0;
    std::string m_deviceName;
    std::optional<bool> m_autoDetect;
};

template <>
void Collection<clsAudioDevice>::InitializeItem(clsAudioDevice& item);
extern template class Collection<clsAudioDevice>;

/** The sound adapters of a machine. */
class TARVONEL_EXPORT clsAudioDevices final : public Collection<clsAudioDevice> {
public:
    explicit clsAudioDevices(detail::Passkey);
    ~clsAudioDevices() override;
};

} // namespace tarvonel
