// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <unordered_map>

namespace zentravolix::vmx {

/**
 * What the writer would have written, right after a file was read, for every key that one of the
 * preserved lines also carries. VMware refuses a file with a key twice (letter case ignored), so
 * when a preserved line and a model member share a key, the writer keeps the preserved line while
 * the member still writes what it wrote then, and its own line once the member was changed.
 * Filled by the reader; empty for a new machine.
 */
class ValuesAfterRead {
public:
    /** Records the whole line the writer made for a lower-case key. */
    void record(const std::string& lowerKey, const std::string& line) { m_lines[lowerKey] = line; }

    /** True when the writer made exactly this line for this key right after reading. */
    bool unchanged(const std::string& lowerKey, const std::string& line) const
    {
        const auto it = m_lines.find(lowerKey);
        return it != m_lines.end() && it->second == line;
    }

    bool empty() const { return m_lines.empty(); }
    std::size_t size() const { return m_lines.size(); }

private:
    std::unordered_map<std::string, std::string> m_lines;
};

} // namespace zentravolix::vmx
