// SPDX-License-Identifier: MIT
#pragma once

// Numbers typed into the editor's boxes. The boxes take what the old product's numeric check took
// in practice: blanks around the number, an optional sign, decimals with "." and an exponent.
// Conversions to the model's 16- and 32-bit members round halves to even and refuse a value that
// does not fit, where the old product stopped with an overflow error.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zentravolix::config {

/** The finite number the text holds; nothing for an empty text, other characters or inf/nan. */
std::optional<double> ParseNumeric(std::string_view text);

/** value rounded half to even as a 16-bit integer; nothing when it does not fit. */
std::optional<std::int16_t> RoundToInt16(double value);

/** value rounded half to even as a 32-bit integer; nothing when it does not fit. */
std::optional<std::int32_t> RoundToInt32(double value);

/** value as a short decimal number with up to 15 significant digits: "3", "16", "3.515625". */
std::string FormatDecimal(double value);

} // namespace zentravolix::config
