// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

namespace tarvonel {

/** A USB controller. The summary is "Present" or "Disabled", following Enabled. */
class TARVONEL_EXPORT clsUSBController : public DeviceItem {
public:
    explicit clsUSBController(detail::Passkey);
    ~clsUSBController() override;

    bool operator==(const clsUSBController&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    bool AutoConnect() const { return m_autoConnect; }
    void SetAutoConnect(bool value) { m_autoConnect = value; }
    /** The USB 2.0 controller (ehci) beside the USB 1.1 one. */
    bool EhciEnabled() const { return m_ehciEnabled; }
    void SetEhciEnabled(bool value) { m_ehciEnabled = value; }
    /** The USB 3.x controller (usb_xhci). */
    bool XhciEnabled() const { return m_xhciEnabled; }
    void SetXhciEnabled(bool value) { m_xhciEnabled = value; }

protected:
    std::string BaseName() const override { return "USB Controller"; }

private:
    bool m_enabled = false;
    bool m_autoConnect = false;
    bool m_ehciEnabled = false;
    bool m_xhciEnabled = false;
};

template <>
void Collection<clsUSBController>::InitializeItem(clsUSBController& item);
extern template class Collection<clsUSBController>;

/** The USB controllers of a machine. */
class TARVONEL_EXPORT clsUSBControllers final : public Collection<clsUSBController> {
public:
    explicit clsUSBControllers(detail::Passkey);
    ~clsUSBControllers() override;
};

} // namespace tarvonel
