// SPDX-License-Identifier: MIT
// The product comment lines, looked up for the writer and the reader.
#include "vmx/detail/FileComments.h"

#include <tarvonel/ProductCatalog.h>

#include <deque>
#include <string>

namespace zentravolix::vmx::detail {

const std::vector<PlatformComment>& allPlatformComments()
{
    static const std::vector<PlatformComment> comments = [] {
        std::vector<PlatformComment> rows(std::begin(kPlatformComments), std::end(kPlatformComments));
        // The lines live as long as the program; a deque keeps them in place as it grows.
        static std::deque<std::string> lines;
        for (const tarvonel::ProductVersionInfo& product : tarvonel::ProductCatalog()) {
            const bool classic = std::any_of(rows.begin(), rows.end(), [&](const PlatformComment& row) {
                return row.platform == product.TargetPlatform && row.version == product.PlatformVersion;
            });
            if (classic)
                continue;
            const std::string& platformLine = lines.emplace_back("# Platform = " + product.PlatformName);
            const std::string& versionLine = lines.emplace_back("# Version = " + product.Caption);
            rows.push_back({product.TargetPlatform, product.PlatformVersion, platformLine, versionLine});
        }
        return rows;
    }();
    return comments;
}

const PlatformComment* platformComment(std::int16_t platform, std::int16_t version)
{
    for (const PlatformComment& row : allPlatformComments()) {
        if (row.platform == platform && row.version == version)
            return &row;
    }
    return nullptr;
}

std::optional<std::int16_t> platformOfLine(std::string_view line)
{
    for (const PlatformComment& row : allPlatformComments()) {
        if (row.platformLine == line)
            return row.platform;
    }
    return std::nullopt;
}

std::optional<std::int16_t> versionOfLine(std::string_view line, std::int16_t platform, std::int16_t currentVersion)
{
    std::optional<std::int16_t> found;
    bool agreed = true;
    for (const PlatformComment& row : allPlatformComments()) {
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
