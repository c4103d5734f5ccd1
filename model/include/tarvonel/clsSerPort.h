// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

namespace tarvonel {

/**
 * A serial port. The summary follows DeviceType and DeviceName: "device" gives "Using port ",
 * "file" "Using file ", "pipe" "Using pipe ", each followed by the name; other types leave it.
 */
class TARVONEL_EXPORT clsSerPort : public DeviceItem {
public:
    explicit clsSerPort(detail::Passkey);
    ~clsSerPort() override;

    bool operator==(const clsSerPort&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    bool ConnectedAtBoot() const { return m_connectedAtBoot; }
    void SetConnectedAtBoot(bool value) { m_connectedAtBoot = value; }
    /** Host port, output file or pipe name. */
    std::string DeviceName() const { return m_deviceName; }
    void SetDeviceName(const std::string& value);
    /** "device", "file" or "pipe". */
    std::string DeviceType() const { return m_deviceType; }
    void SetDeviceType(const std::string& value);
    /** Pipe end: 0 server, 1 client. */
    std::int16_t PipeEnd1() const { return m_pipeEnd1; }
    void SetPipeEnd1(std::int16_t value) { m_pipeEnd1 = value; }
    /** The pipe's no-receive-loss flag, 0 or 1. */
    std::int16_t PipeEnd2() const { return m_pipeEnd2; }
    void SetPipeEnd2(std::int16_t value) { m_pipeEnd2 = value; }
    bool YieldCpu() const { return m_yieldCpu; }
    void SetYieldCpu(bool value) { m_yieldCpu = value; }

protected:
    std::string BaseName() const override { return "Serial"; }

private:
    void UpdateSummary();

    bool m_enabled = false;
    bool m_connectedAtBoot = false;
    std::string m_deviceName;
    std::string m_deviceType;
    std::int16_t m_pipeEnd1 = 0;
    std::int16_t m_pipeEnd2 = 0;
    bool m_yieldCpu = false;
};

template <>
void Collection<clsSerPort>::InitializeItem(clsSerPort& item);
extern template class Collection<clsSerPort>;

/** The serial ports of a machine. */
class TARVONEL_EXPORT clsSerPorts final : public Collection<clsSerPort> {
public:
    explicit clsSerPorts(detail::Passkey);
    ~clsSerPorts() override;
};

} // namespace tarvonel
