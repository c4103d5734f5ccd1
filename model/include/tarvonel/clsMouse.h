// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

namespace tarvonel {

/** The mouse. The summary is "Enabled" or "Disabled", following Enabled. */
class TARVONEL_EXPORT clsMouse : public DeviceItem {
public:
    explicit clsMouse(detail::Passkey);
    ~clsMouse() override;

    bool operator==(const clsMouse&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);

protected:
    std::string BaseName() const override { return "Mouse"; }

private:
    bool m_enabled = false;
};

template <>
void Collection<clsMouse>::InitializeItem(clsMouse& item);
extern template class Collection<clsMouse>;

/** The mice of a machine. */
class TARVONEL_EXPORT clsMice final : public Collection<clsMouse> {
public:
    explicit clsMice(detail::Passkey);
    ~clsMice() override;
};

} // namespace tarvonel
