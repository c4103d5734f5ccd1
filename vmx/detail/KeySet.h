// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/VmxSyntax.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zentravolix::vmx::detail {

/**
 * The keys seen so far (letter case ignored), for files of a hundred thousand lines and more: an
 * open-addressing table sized once for the number of keys expected, no allocation per key. Each
 * slot keeps part of its key's hash, so keys that differ are nearly always told apart without
 * comparing their letters, and the table can be three quarters full. The keys are views into
 * text that outlives the set.
 */
class KeySet {
public:
    explicit KeySet(std::size_t expected) { m_slots.resize(capacityFor(expected)); }

    /** Adds the key; false when the set had it already. */
    bool insert(std::string_view key)
    {
        if (!key.data())
            key = std::string_view("", 0);
        if ((m_count + 1) * 4 > m_slots.size() * 3)
            grow();
        const std::size_t hash = KeyHash{}(key);
        Slot& slot = find(key, hash);
        if (slot.data)
            return false;
        slot = Slot{key.data(), static_cast<std::uint32_t>(key.size()), tag(hash)};
        ++m_count;
        return true;
    }

    /** Whether the set has the key (letter case ignored). */
    bool contains(std::string_view key) const
    {
        return const_cast<KeySet*>(this)->find(key, KeyHash{}(key)).data != nullptr;
    }

private:
    /** A key (data null for an empty slot; keys are never longer than a file may be) and the high half of its hash. */
    struct Slot {
        const char* data = nullptr;
        std::uint32_t size = 0;
        std::uint32_t tag = 0;
    };

    static std::size_t capacityFor(std::size_t keys)
    {
        std::size_t size = 16;
        while (size * 3 < keys * 4 + 4)
            size *= 2;
        return size;
    }

    static std::uint32_t tag(std::size_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

    /** The slot of the key, or the empty slot where it belongs. */
    Slot& find(std::string_view key, std::size_t hash)
    {
        const std::size_t mask = m_slots.size() - 1;
        const std::uint32_t wanted = tag(hash);
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = m_slots[i];
            if (!slot.data ||
                (slot.tag == wanted && slot.size == key.size() && KeyEqual{}({slot.data, slot.size}, key)))
                return slot;
        }
    }

    void grow()
    {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        const std::size_t mask = m_slots.size() - 1;
        for (const Slot& slot : old) {
            if (!slot.data)
                continue;
            std::size_t i = KeyHash{}({slot.data, slot.size}) & mask;
            while (m_slots[i].data)
                i = (i + 1) & mask;
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};

} // namespace zentravolix::vmx::detail
