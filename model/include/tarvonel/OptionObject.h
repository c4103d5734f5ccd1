// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/tarvonel_export.h>

#include <memory>

namespace tarvonel {

namespace detail {
struct ItemAccess;
}

/** Base of the option objects held by clsOptions: they know their container, nothing more. */
class TARVONEL_EXPORT OptionObject {
public:
    virtual ~OptionObject();
    OptionObject(const OptionObject&) = delete;
    OptionObject& operator=(const OptionObject&) = delete;

protected:
    OptionObject();
    /** The options container; empty once it was released. */
    std::shared_ptr<void> LockParent() const { return m_parent.lock(); }

private:
    friend struct detail::ItemAccess;
    void SetParent(std::weak_ptr<void> parent) { m_parent = std::move(parent); }

    std::weak_ptr<void> m_parent;
};

} // namespace tarvonel
