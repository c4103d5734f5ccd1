// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zentravolix::platform {

/** Trims blanks (space, TAB, CR, LF, vertical tab, form feed) from both ends. */
std::string_view TrimBlanks(std::string_view text);

/** ASCII case-insensitive equality, as names in INI files and the settings store compare. */
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

/** A decimal integer with optional sign and surrounding blanks, or nothing when the text is not
 *  one or lies outside min..max. */
std::optional<std::int64_t> ParseInteger(std::string_view text, std::int64_t min, std::int64_t max);

} // namespace zentravolix::platform
