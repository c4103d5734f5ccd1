// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace zentravolix::vmx::detail {

/**
 * A map in one array (open addressing, linear probing): the reader records every node a file
 * names, in several passes, and a node-based map would allocate once per node. Values are only
 * added, never removed; a reference to a value holds until the next addition. Hash must spread
 * its keys over the low bits.
 */
template <class Key, class Value, class Hash>
class FlatMap {
public:
    /** The value at the key and whether it was added now (made by Value{}). */
    std::pair<Value&, bool> tryEmplace(const Key& key)
    {
        if ((m_count + 1) * 4 > m_slots.size() * 3)
            grow();
        Slot& slot = m_slots[place(key)];
        const bool added = !slot.used;
        if (added) {
            slot.used = true;
            slot.key = key;
            ++m_count;
        }
        return {slot.value, added};
    }

    Value& operator[](const Key& key) { return tryEmplace(key).first; }

    /** The value at the key; nothing when none was added there. */
    const Value* find(const Key& key) const
    {
        if (m_count == 0)
            return nullptr;
        const Slot& slot = m_slots[place(key)];
        return slot.used ? &slot.value : nullptr;
    }
    Value* find(const Key& key) { return const_cast<Value*>(std::as_const(*this).find(key)); }

    std::size_t size() const { return m_count; }

private:
    struct Slot {
        Key key{};
        Value value{};
        bool used = false;
    };

    /** The slot of the key, or the empty one where it would go. */
    std::size_t place(const Key& key) const
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = Hash()(key) & mask;; i = (i + 1) & mask) {
            if (!m_slots[i].used || m_slots[i].key == key)
                return i;
        }
    }

    void grow()
    {
        std::vector<Slot> old = std::exchange(m_slots, std::vector<Slot>(m_slots.empty() ? 16 : m_slots.size() * 2));
        for (Slot& slot : old) {
            if (slot.used)
                m_slots[place(slot.key)] = std::move(slot);
        }
    }

    std::vector<Slot> m_slots; // a power of two long, at most three quarters used
    std::size_t m_count = 0;
};

} // namespace zentravolix::vmx::detail
