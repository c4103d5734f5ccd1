// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

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

protected:
    std::string BaseName() const override { return "Audio"; }

private:
    bool m_enabled = false;
    bool m_connectedAtBoot = false;
    std::int16_t m_deviceType = 0;
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
