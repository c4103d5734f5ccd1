// SPDX-License-Identifier: MIT
#include "config/NumericText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace zentravolix::config {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

/** Whether text is [sign] digits [. digits] [e [sign] digits] with at least one mantissa digit. */
bool hasNumberShape(std::string_view text)
{
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == text.size();
}

template <class Int>
std::optional<Int> roundTo(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // nearbyint follows the default rounding mode, round-half-to-even, as the old conversions did.
    const double rounded = std::nearbyint(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

} // namespace

std::optional<double> ParseNumeric(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!hasNumberShape(text))
        return std::nullopt;
    // from_chars takes no leading plus sign.
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> RoundToInt16(double value)
{
    return roundTo<std::int16_t>(value);
}

std::optional<std::int32_t> RoundToInt32(double value)
{
    return roundTo<std::int32_t>(value);
}

std::string FormatDecimal(double value)
{
    char buffer[32];
    const int n = std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

} // namespace zentravolix::config
