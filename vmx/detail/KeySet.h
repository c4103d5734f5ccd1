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
 * open-addressing table sized once for the number of keys expected, no allocation per key. A
 * slot is eight bytes, the key's number in the list of keys and half of its hash, so eight slots
 * share a cache line and a key is compared letter by letter only when its hash half matches:
 * the table stays small enough to be mostly in the cache and may be four fifths full. The keys
 * are views into text that outlives the set.
 */
class KeySet {
public:
    explicit KeySet(std::size_t expected)
    {
        m_slots.resize(capacityFor(expected));
        m_keys.reserve(expected);
    }

    /** Adds the key; false when the set had it already. */
    bool insert(std::string_view key)
    {
        if ((m_keys.size() + 1) * 5 > m_slots.size() * 4)
            grow();
        const std::size_t hash = KeyHash{}(key);
        const std::size_t at = find(key, hash);
        if (m_slots[at] != 0)
            return false;
        m_keys.push_back(key);
        m_slots[at] = slotOf(hash, m_keys.size());
        return true;
    }

    /** Whether the set has the key (letter case ignored). */
    bool contains(std::string_view key) const { return m_slots[find(key, KeyHash{}(key))] != 0; }

    /** The place of the key among the keys in the order they were added; npos when the set does not have it. */
    std::size_t placeOf(std::string_view key) const
    {
        const std::uint64_t slot = m_slots[find(key, KeyHash{}(key))];
        return slot == 0 ? std::string_view::npos : static_cast<std::uint32_t>(slot) - 1;
    }

private:
    /** The high half of the hash, and 1 + the key's place in m_keys (0 marks an empty slot). */
    static std::uint64_t slotOf(std::size_t hash, std::size_t number)
    {
        return (static_cast<std::uint64_t>(hash) & 0xFFFFFFFF00000000ull) | static_cast<std::uint32_t>(number);
    }

    static std::size_t capacityFor(std::size_t keys)
    {
        std::size_t size = 16;
        while (size * 4 < (keys + 1) * 5)
            size *= 2;
        return size;
    }

    /** The slot of the key, or the empty slot where it belongs. */
    std::size_t find(std::string_view key, std::size_t hash) const
    {
        const std::size_t mask = m_slots.size() - 1;
        const std::uint64_t wanted = static_cast<std::uint64_t>(hash) & 0xFFFFFFFF00000000ull;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const std::uint64_t slot = m_slots[i];
            if (slot == 0)
                return i;
            if ((slot & 0xFFFFFFFF00000000ull) == wanted &&
                KeyEqual{}(m_keys[static_cast<std::uint32_t>(slot) - 1], key))
                return i;
        }
    }

    void grow()
    {
        m_slots.assign(m_slots.size() * 2, 0);
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t k = 0; k < m_keys.size(); ++k) {
            const std::size_t hash = KeyHash{}(m_keys[k]);
            std::size_t i = hash & mask;
            while (m_slots[i] != 0)
                i = (i + 1) & mask;
            m_slots[i] = slotOf(hash, k + 1);
        }
    }

    std::vector<std::uint64_t> m_slots;
    std::vector<std::string_view> m_keys;
};

} // namespace zentravolix::vmx::detail
