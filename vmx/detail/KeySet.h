// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/VmxSyntax.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace zentravolix::vmx::detail {

/**
 * The keys seen so far (letter case ignored), for files of a hundred thousand lines and more: one
 * array sized once for the number of keys expected, no allocation per key. The keys are views
 * into text that outlives the set.
 */
class KeySet {
public:
    explicit KeySet(std::size_t expected)
    {
        std::size_t size = 16;
        while (size < expected * 2)
            size *= 2;
        m_slots.resize(size);
        m_used.assign(size, false);
    }

    /** Adds the key; false when the set had it already. */
    bool insert(std::string_view key)
    {
        if (m_count * 2 >= m_slots.size())
            grow();
        return place(key);
    }

private:
    bool place(std::string_view key)
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = KeyHash{}(key) & mask;; i = (i + 1) & mask) {
            if (!m_used[i]) {
                m_used[i] = true;
                m_slots[i] = key;
                ++m_count;
                return true;
            }
            if (KeyEqual{}(m_slots[i], key))
                return false;
        }
    }

    void grow()
    {
        std::vector<std::string_view> old;
        old.reserve(m_count);
        for (std::size_t i = 0; i < m_slots.size(); ++i) {
            if (m_used[i])
                old.push_back(m_slots[i]);
        }
        m_slots.assign(m_slots.size() * 2, {});
        m_used.assign(m_slots.size(), false);
        m_count = 0;
        for (const auto key : old)
            place(key);
    }

    std::vector<std::string_view> m_slots;
    std::vector<bool> m_used;
    std::size_t m_count = 0;
};

} // namespace zentravolix::vmx::detail
