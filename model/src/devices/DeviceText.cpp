// SPDX-License-Identifier: MIT
#include "devices/DeviceText.h"

#include <cstdio>
#include <cstdlib>

namespace tarvonel::detail {

std::string FormatGeneralNumber(double value)
{
    if (value == 0.0)
        return "0"; // also for -0.0
    // 15 significant digits in scientific form: "-d.dddddddddddddde+XX".
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    const std::string text(buffer);

    std::string sign;
    std::size_t pos = 0;
    if (text[0] == '-') {
        sign = "-";
        pos = 1;
    }
    const std::size_t ePos = text.find('e');
    std::string digits;
    for (std::size_t i = pos; i < ePos; ++i) {
        if (text[i] != '.')
            digits.push_back(text[i]);
    }
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    // Number of digits in front of the decimal point.
    const int intDigits = exponent + 1;
    const int count = static_cast<int>(digits.size());
    if (intDigits <= 0)
        return sign + "0." + std::string(static_cast<std::size_t>(-intDigits), '0') + digits;
    if (intDigits >= count)
        return sign + digits + std::string(static_cast<std::size_t>(intDigits - count), '0');
    return sign + digits.substr(0, static_cast<std::size_t>(intDigits)) + "." +
           digits.substr(static_cast<std::size_t>(intDigits));
}

std::string AttachedDisplayName(const std::string& numberedName, const std::string& busType,
                                std::int16_t controller, std::int16_t busNode)
{
    if (busNode == -1)
        return numberedName;
    return numberedName + " (" + busType + std::to_string(controller) + ":" + std::to_string(busNode) + ")";
}

} // namespace tarvonel::detail
