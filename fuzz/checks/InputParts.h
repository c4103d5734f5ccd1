// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>
#include <vector>

namespace zentravolix::fuzz::detail {

/**
 * Splits an input at its NUL bytes: the first part is the document text, the others name what
 * the check sets (section, key, value ...). Missing parts are empty, so every input is usable.
 */
inline std::vector<std::string_view> InputParts(std::string_view input, std::size_t count)
{
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        const auto nul = input.find('\0');
        if (nul == std::string_view::npos)
            break;
        parts.push_back(input.substr(0, nul));
        input.remove_prefix(nul + 1);
    }
    parts.push_back(input);
    parts.resize(count);
    return parts;
}

} // namespace zentravolix::fuzz::detail
