// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace tarvonel::detail {

/**
 * The general number format of the classic runtime without its exponent form: the value rounded
 * to 15 significant digits, trailing zeros dropped (16, 1.5, 3.515625, 0.00000095367431640625).
 */
std::string FormatGeneralNumber(double value);

/**
 * The display name of a device that may sit on a controller: the numbered name, and unless
 * busNode is -1 the address as the VMX file spells it, e.g. "Hard Disk (IDE0:1)".
 */
std::string AttachedDisplayName(const std::string& numberedName, const std::string& busType,
                                std::int16_t controller, std::int16_t busNode);

} // namespace tarvonel::detail
