// SPDX-License-Identifier: MIT
#pragma once

#include "fuzz/checks/FuzzChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace zentravolix::fuzz {

/** Runs one check on a fuzz input; a violated property is reported and ends the run as a crash. */
inline int RunCheck(Finding (*check)(std::string_view), const std::uint8_t* data, std::size_t size)
{
    if (const Finding finding = check(std::string_view(reinterpret_cast<const char*>(data), size))) {
        std::fprintf(stderr, "property violated: %s\n", finding->c_str());
        std::abort();
    }
    return 0;
}

} // namespace zentravolix::fuzz
