// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/OptionObject.h>
#include <tarvonel/Passkey.h>

#include <cstdint>
#include <string>

namespace tarvonel {

/** Input priorities, debugging, acceleration, memory trimming, logging, template and clustering. */
class TARVONEL_EXPORT clsAdvanced final : public OptionObject {
public:
    explicit clsAdvanced(detail::Passkey);
    ~clsAdvanced() override;

    bool operator==(const clsAdvanced&) const = default;

    /** Always empty. */
    std::string ID() const { return {}; }
    /**
     * "A, B" once a priority was assigned: A "High" or "Normal" (grab), B "Normal" or "Low"
     * (ungrab). "" before that.
     */
    std::string Summary() const { return m_summary; }

    /** 0 normal, any other value high. */
    std::int16_t InputGrabPriority() const { return m_inputGrabPriority; }
    void SetInputGrabPriority(std::int16_t value);
    /** 0 idle (shown as low), any other value normal. */
    std::int16_t InputUngrabPriority() const { return m_inputUngrabPriority; }
    void SetInputUngrabPriority(std::int16_t value);

    bool Debugging() const { return m_debugging; }
    void SetDebugging(bool value) { m_debugging = value; }
    bool AccelerationDisabled() const { return m_accelerationDisabled; }
    void SetAccelerationDisabled(bool value) { m_accelerationDisabled = value; }
    bool MemoryPageTrimDisabled() const { return m_memoryPageTrimDisabled; }
    void SetMemoryPageTrimDisabled(bool value) { m_memoryPageTrimDisabled = value; }
    bool LoggingEnabled() const { return m_loggingEnabled; }
    void SetLoggingEnabled(bool value) { m_loggingEnabled = value; }
    bool LogPeriodic() const { return m_logPeriodic; }
    void SetLogPeriodic(bool value) { m_logPeriodic = value; }
    std::string LogFolder() const { return m_logFolder; }
    void SetLogFolder(const std::string& value) { m_logFolder = value; }
    bool TemplateMode() const { return m_templateMode; }
    void SetTemplateMode(bool value) { m_templateMode = value; }
    bool ClusteringSupport() const { return m_clusteringSupport; }
    void SetClusteringSupport(bool value) { m_clusteringSupport = value; }
    /** 0 BIOS, 1 UEFI. */
    std::int16_t Firmware() const { return m_firmware; }
    void SetFirmware(std::int16_t value) { m_firmware = value; }
    /** UEFI secure boot. */
    bool SecureBoot() const { return m_secureBoot; }
    void SetSecureBoot(bool value) { m_secureBoot = value; }

private:
    void UpdateSummary();

    std::string m_summary;
    std::int16_t m_inputGrabPriority = 0;
    std::int16_t m_inputUngrabPriority = 0;
    bool m_debugging = false;
    bool m_accelerationDisabled = false;
    bool m_memoryPageTrimDisabled = false;
    bool m_loggingEnabled = false;
    bool m_logPeriodic = false;
    std::string m_logFolder;
    bool m_templateMode = false;
    bool m_clusteringSupport = false;
    std::int16_t m_firmware = 0;
    bool m_secureBoot = false;
};

} // namespace tarvonel
