// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>

namespace zentravolix::platform {

/**
 * The version of a file as four numbers joined by ".", or "N/A" when it carries no version
 * the program can read. Linux binaries carry none, so this is "N/A" here; callers use it only
 * to decide whether an optional vendor library is present.
 */
std::string GetFileVersion(const std::filesystem::path& file);

} // namespace zentravolix::platform
