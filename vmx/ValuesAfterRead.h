// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/VmxSyntax.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace zentravolix::vmx {

/**
 * What the writer would have written, right after a file was read, for every key that one of the
 * preserved lines also carries. VMware refuses a file with a key twice (letter case ignored), so
 * when a preserved line and a model member share a key, the writer keeps the preserved line while
 * the member still writes what it wrote then, and its own line once the member was changed.
 * It also holds the device slots ("ethernet1", "scsi0:2", see DeviceSlots) that preserved lines
 * belong to and the model held right after reading: the writer leaves out the preserved lines of
 * a slot the model has since given up, or the next read would make the removed device again.
 * Filled by the reader; empty for a new machine (then every preserved line is written).
 */
class ValuesAfterRead {
public:
    /** Records the whole line the writer made for a key (letter case ignored). */
    void record(std::string_view key, std::string_view line) { m_lines.insert_or_assign(std::string(key), std::string(line)); }

    /** True when the writer made exactly this line for this key (letter case ignored) right after reading. */
    bool unchanged(std::string_view key, std::string_view line) const
    {
        const auto it = m_lines.find(key);
        return it != m_lines.end() && it->second == line;
    }

    /** Records that the model held this slot (lower case, as DeviceSlots names it) right after reading. */
    void recordSlot(const std::string& slot) { m_slots.insert(slot); }

    /** True when the model held this slot right after reading and a preserved line belongs to it. */
    bool hadSlot(const std::string& slot) const { return m_slots.count(slot) != 0; }

    bool empty() const { return m_lines.empty() && m_slots.empty(); }
    /** The number of recorded lines. */
    std::size_t size() const { return m_lines.size(); }
    /** The number of recorded slots. */
    std::size_t slotCount() const { return m_slots.size(); }

private:
    std::unordered_map<std::string, std::string, KeyHash, KeyEqual> m_lines;
    std::unordered_set<std::string> m_slots;
};

} // namespace zentravolix::vmx
