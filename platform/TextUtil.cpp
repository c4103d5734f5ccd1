// SPDX-License-Identifier: MIT
#include "platform/TextUtil.h"

#include <charconv>

namespace zentravolix::platform {

namespace {
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool isSpaceOrTab(char c)
{
    return c == ' ' || c == '\t';
}
char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
template <class IsBlank> std::string_view trim(std::string_view text, IsBlank isBlankChar)
{
    while (!text.empty() && isBlankChar(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlankChar(text.back()))
        text.remove_suffix(1);
    return text;
}
} // namespace

std::string_view TrimBlanks(std::string_view text)
{
    return trim(text, isBlank);
}

std::string_view TrimSpacesAndTabs(std::string_view text)
{
    return trim(text, isSpaceOrTab);
}

std::string ToLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = lower(c);
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

NumberStatus ParseInteger(std::string_view text, std::int64_t min, std::int64_t max, std::int64_t& value)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i == text.size())
        return NumberStatus::NotANumber;
    for (std::size_t j = i; j < text.size(); ++j) {
        if (text[j] < '0' || text[j] > '9')
            return NumberStatus::NotANumber;
    }
    // from_chars takes a '-' but no '+'.
    const std::string_view digits = text.front() == '+' ? text.substr(1) : text;
    std::int64_t result = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), result);
    if (ec != std::errc() || end != digits.data() + digits.size() || result < min || result > max)
        return NumberStatus::OutOfRange;
    value = result;
    return NumberStatus::Ok;
}

std::optional<std::int64_t> ParseInteger(std::string_view text, std::int64_t min, std::int64_t max)
{
    std::int64_t value = 0;
    if (ParseInteger(TrimBlanks(text), min, max, value) != NumberStatus::Ok)
        return std::nullopt;
    return value;
}

} // namespace zentravolix::platform
