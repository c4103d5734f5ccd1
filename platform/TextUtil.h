// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/**
 * The string helpers of the Qt-free modules: trimming, ASCII letter case and number parsing.
 * The .vmx reader and writer, the disk descriptors and the settings store all use these.
 */
namespace zentravolix::platform {

/** Trims blanks (space, TAB, CR, LF, vertical tab, form feed) from both ends, as INI files and settings do. */
std::string_view TrimBlanks(std::string_view text);

/** Trims spaces and TABs only from both ends, as .vmx lines and disk descriptors do (a CR stays). */
std::string_view TrimSpacesAndTabs(std::string_view text);

/** ASCII lower case (bytes above 0x7F are left as they are). */
std::string ToLower(std::string_view text);

/** ASCII case-insensitive equality. */
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

/** How a text converts to a number. */
enum class NumberStatus {
    Ok,
    NotANumber,
    OutOfRange,
};

/**
 * Parses an optional sign and decimal digits (nothing else, no blanks) into a value within
 * [min, max]. A well-formed number outside the range gives OutOfRange; value is then unchanged.
 */
NumberStatus ParseInteger(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t& value);

/** Like ParseInteger, after trimming blanks: nothing when the text is not a number or lies outside min..max. */
std::optional<std::int64_t> ParseInteger(std::string_view text, std::int64_t min, std::int64_t max);

} // namespace zentravolix::platform
