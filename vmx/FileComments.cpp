// SPDX-License-Identifier: MIT
// The product comment lines, looked up for the writer and the reader.
#include "vmx/detail/FileComments.h"

namespace zentravolix::vmx::detail {

const PlatformComment* platformComment(std::int16_t platform, std::int16_t version)
{
    for (const PlatformComment& row : kPlatformComments) {
        if (row.platform == platform && row.version == version)
            return &row;
    }
    return nullptr;
}

std::optional<std::int16_t> platformOfLine(std::string_view line)
{
    for (const PlatformComment& row : kPlatformComments) {
        if (row.platformLine == line)
            return row.platform;
    }
    return std::nullopt;
}

std::optional<std::int16_t> versionOfLine(std::string_view line, std::int16_t platform, std::int16_t currentVersion)
{
    std::optional<std::int16_t> found;
    bool agreed = true;
    for (const PlatformComment& row : kPlatformComments) {
        if (row.versionLine != line)
            continue;
        if (row.platform == platform)
            return row.version;
        if (found && *found != row.version)
            agreed = false;
        found = row.version;
    }
    if (found && !agreed)
        return currentVersion;
    return found;
}

} // namespace zentravolix::vmx::detail
