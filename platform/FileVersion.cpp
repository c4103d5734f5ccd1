// SPDX-License-Identifier: MIT
#include "platform/FileVersion.h"

namespace zentravolix::platform {

std::string GetFileVersion(const std::filesystem::path&)
{
    // ELF files have no version resource; a shared object's soname version is not the
    // product version the callers ask about.
    return "N/A";
}

} // namespace zentravolix::platform
