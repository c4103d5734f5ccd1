// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace zentravolix::platform {

/** A file-system failure; what() reads "<action> '<path>': <system reason>". */
class IoError : public std::runtime_error {
public:
    IoError(const std::string& action, const std::filesystem::path& path, const std::string& reason)
        : std::runtime_error(action + " '" + path.string() + "': " + reason), m_path(path), m_reason(reason)
    {
    }
    const std::filesystem::path& path() const noexcept { return m_path; }
    const std::string& reason() const noexcept { return m_reason; }

private:
    std::filesystem::path m_path;
    std::string m_reason;
};

} // namespace zentravolix::platform
