// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/tarvonel_export.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarvonel {

namespace detail {
struct ItemAccess;
}

/**
 * The ordered, ID-keyed store behind every collection of the model. Positions are 1-based in
 * insertion order. The collection owns its items through shared pointers, so a client may keep an
 * item after removing it. Instantiated inside the library for the sixteen item classes only.
 */
template <class T>
class TARVONEL_EXPORT Collection : public std::enable_shared_from_this<Collection<T>> {
public:
    using ItemType = T;

    virtual ~Collection();
    Collection(const Collection&) = delete;

    /** Number of items. */
    std::int32_t Count() const;

    /**
     * Creates a new item with a fresh ID and the lowest free number, gives it its initial values
     * and appends it. Throws Overflow when the collection already holds more than 32,767 items;
     * nothing is added then.
     */
    std::shared_ptr<T> Add();

    /**
     * The item at 1-based position Index, else (Index -1) the item with that ID, else (both left
     * at their defaults) a null pointer. Throws SubscriptOutOfRange for a position outside
     * 1..Count and InvalidArgument for an unknown ID.
     */
    std::shared_ptr<T> Item(std::int32_t Index = -1, const std::string& ID = "") const;

    /** Removes the item Item() would select; with both arguments left at their defaults nothing. */
    void Remove(std::int32_t Index = -1, const std::string& ID = "");

    /** The same items in the same order, item by item equal (ID, number and values). */
    bool operator==(const Collection& other) const;

protected:
    Collection();
    /**
     * Replaces the items by copies of other's (same IDs, numbers, values and order); the next Add
     * numbers as it would in other. The collection keeps its container; an item pointer held from
     * before refers to a detached item afterwards. Each collection class assigns through this.
     */
    Collection& operator=(const Collection& other);

    /** The container that made this collection; empty once it was released. */
    std::shared_ptr<void> LockParent() const { return m_parent.lock(); }
    /** Gives a new item its initial values (through its public setters) before it is stored. */
    virtual void InitializeItem(T& item);

private:
    friend struct detail::ItemAccess;

    std::weak_ptr<void> m_parent;
    std::vector<std::shared_ptr<T>> m_items;
    std::unordered_map<std::string, std::shared_ptr<T>> m_byKey;
    // Numbers in use are 0..m_numberEnd-1 without m_freeNumbers, so the lowest free number is
    // found without walking the items (a full collection is filled in linear time).
    std::set<std::int16_t> m_freeNumbers;
    std::int32_t m_numberEnd = 0;
};

} // namespace tarvonel
