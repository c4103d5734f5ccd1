// SPDX-License-Identifier: MIT
#include "FuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return zentravolix::fuzz::RunCheck(zentravolix::fuzz::CheckRegistryStore, data, size);
}
