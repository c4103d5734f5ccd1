// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace zentravolix::platform {

/**
 * The whole content of a settings file (the INI file or the settings store), or nothing when
 * there is no such file (a missing folder on the way counts as missing too). Only a regular file,
 * or a symbolic link to one, is read: a FIFO, device or socket is refused without waiting for a
 * writer or touching the device. Throws IoError when the file cannot be read or is refused.
 */
std::optional<std::string> ReadSettingsFile(const std::filesystem::path& path);

} // namespace zentravolix::platform
