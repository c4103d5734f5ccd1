// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/OptionObject.h>
#include <tarvonel/Passkey.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tarvonel {

/**
 * Power behaviour and the VMware Tools scripts run at power transitions. Plain values: all False
 * or 0 at first, except the settings a file may leave out (time synchronisation, the power-on and
 * suspend buttons, the tools upgrade policy), which start unset; the summary is always empty.
 */
class TARVONEL_EXPORT clsPower final : public OptionObject {
public:
    explicit clsPower(detail::Passkey);
    ~clsPower() override;

    bool operator==(const clsPower&) const = default;

    /** Always empty. */
    std::string ID() const { return {}; }
    /** Always empty: nothing about the power options is summarised. */
    std::string Summary() const { return {}; }

    bool PowerOnAfterOpening() const { return m_powerOnAfterOpening; }
    void SetPowerOnAfterOpening(bool value) { m_powerOnAfterOpening = value; }
    bool EnterFullScreenAfterPowerOn() const { return m_enterFullScreenAfterPowerOn; }
    void SetEnterFullScreenAfterPowerOn(bool value) { m_enterFullScreenAfterPowerOn = value; }
    bool CloseAfterPowerOff() const { return m_closeAfterPowerOff; }
    void SetCloseAfterPowerOff(bool value) { m_closeAfterPowerOff = value; }
    /** 0 hard, 1 soft; stored without a range check. */
    std::int16_t StopButtonAction() const { return m_stopButtonAction; }
    void SetStopButtonAction(std::int16_t value) { m_stopButtonAction = value; }
    /** 0 hard, 1 soft; stored without a range check. */
    std::int16_t ResetButtonAction() const { return m_resetButtonAction; }
    void SetResetButtonAction(std::int16_t value) { m_resetButtonAction = value; }
    bool RunToolsAfterPowerOn() const { return m_runToolsAfterPowerOn; }
    void SetRunToolsAfterPowerOn(bool value) { m_runToolsAfterPowerOn = value; }
    bool RunToolsAfterResume() const { return m_runToolsAfterResume; }
    void SetRunToolsAfterResume(bool value) { m_runToolsAfterResume = value; }
    bool RunToolsBeforeSuspend() const { return m_runToolsBeforeSuspend; }
    void SetRunToolsBeforeSuspend(bool value) { m_runToolsBeforeSuspend = value; }
    bool RunToolsBeforePowerOff() const { return m_runToolsBeforePowerOff; }
    void SetRunToolsBeforePowerOff(bool value) { m_runToolsBeforePowerOff = value; }
    /** Whether VMware Tools keep the guest clock in step with the host; empty: the file says nothing. */
    std::optional<bool> SyncGuestTime() const { return m_syncGuestTime; }
    void SetSyncGuestTime(std::optional<bool> value) { m_syncGuestTime = value; }
    /** 0 hard, 1 soft, any other value: the file says nothing (the product decides). */
    std::int16_t PowerOnButtonAction() const { return m_powerOnButtonAction; }
    void SetPowerOnButtonAction(std::int16_t value) { m_powerOnButtonAction = value; }
    /** 0 hard, 1 soft, any other value: the file says nothing (the product decides). */
    std::int16_t SuspendButtonAction() const { return m_suspendButtonAction; }
    void SetSuspendButtonAction(std::int16_t value) { m_suspendButtonAction = value; }
    /**
     * When VMware Tools in the guest are brought up to date: 0 by hand, 1 at each power cycle,
     * 2 as the host's global setting says; any other value: the file says nothing.
     */
    std::int16_t ToolsUpgradePolicy() const { return m_toolsUpgradePolicy; }
    void SetToolsUpgradePolicy(std::int16_t value) { m_toolsUpgradePolicy = value; }

private:
    bool m_powerOnAfterOpening = false;
    bool m_enterFullScreenAfterPowerOn = false;
    bool m_closeAfterPowerOff = false;
    std::int16_t m_stopButtonAction = 0;
    std::int16_t m_resetButtonAction = 0;
    bool m_runToolsAfterPowerOn = false;
    bool m_runToolsAfterResume = false;
    bool m_runToolsBeforeSuspend = false;
    bool m_runToolsBeforePowerOff = false;
    std::optional<bool> m_syncGuestTime;
    std::int16_t m_powerOnButtonAction = -1;
    std::int16_t m_suspendButtonAction = -1;
    std::int16_t m_toolsUpgradePolicy = -1;
};

} // namespace tarvonel
