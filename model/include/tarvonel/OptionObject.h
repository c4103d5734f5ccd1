// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/tarvonel_export.h>

#include <memory>

namespace tarvonel {

namespace detail {
struct ItemAccess;
}

/**
 * Base of the option objects held by clsOptions: they know their container, nothing more. Each
 * option class can be assigned from another machine's (copying every value, the object staying
 * in its own container) and compared by its values.
 */
class TARVONEL_EXPORT OptionObject {
public:
    virtual ~OptionObject();
    OptionObject(const OptionObject&) = delete;

    /** The base holds no value: option objects compare by the values of their class. */
    bool operator==(const OptionObject&) const { return true; }

protected:
    OptionObject();
    /** Keeps the container: an assignment copies values only. */
    OptionObject& operator=(const OptionObject&) { return *this; }
    /** The options container; empty once it was released. */
    std::shared_ptr<void> LockParent() const { return m_parent.lock(); }

private:
    friend struct detail::ItemAccess;
    void SetParent(std::weak_ptr<void> parent) { m_parent = std::move(parent); }

    std::weak_ptr<void> m_parent;
};

} // namespace tarvonel
