// SPDX-License-Identifier: MIT
#include "config/ProductTables.h"

#include <tarvonel/clsGeneral.h>

#include <array>

namespace zentravolix::config {

namespace {

struct VersionRow {
    std::int16_t platform;
    std::int16_t version;
    VersionSettings settings;
};

constexpr std::int32_t k128GB = 268435456;
constexpr std::int32_t k256GB = 536870912;
constexpr std::int32_t k950GB = 1992294400;

const std::array<VersionRow, 9> kVersionTable{{
    {0, 0, {6, 2, {1, 2048, 4, 2, k128GB, k256GB, false}}},
    {0, 1, {7, 3, {1, 3684, 4, 2, k128GB, k256GB, false}}},
    {1, 0, {6, 2, {1, 1024, 3, 2, k128GB, k256GB, false}}},
    {1, 1, {7, 3, {1, 1024, 3, 2, k128GB, k256GB, false}}},
    {1, 2, {7, 3, {1, 1024, 3, 2, k128GB, k256GB, false}}},
    {1, 3, {8, 4, {1, 3684, 4, 2, k950GB, k950GB, true}}},
    {1, 4, {8, 4, {2, 3684, 4, 4, k950GB, k950GB, true}}},
    {2, 0, {8, 4, {1, 3684, 4, 2, k950GB, k950GB, true}}},
    {3, 0, {8, 4, {2, 3684, 4, 3, k950GB, k950GB, true}}},
}};

} // namespace

std::vector<int> TargetPlatformTextIds()
{
    return {213, 214, 215, 216};
}

std::vector<std::string> PlatformVersionCaptions(std::int16_t targetPlatform)
{
    switch (targetPlatform) {
    case 0:
        return {"2.5x", "3.x"};
    case 1:
        return {"3.x", "4.0x", "4.5x", "5.0x", "5.5x"};
    case 2:
    case 3:
        return {"1.x"};
    default:
        return {};
    }
}

std::optional<VersionSettings> FindVersionSettings(std::int16_t targetPlatform, std::int16_t platformVersion)
{
    for (const auto& row : kVersionTable) {
        if (row.platform == targetPlatform && row.version == platformVersion)
            return row.settings;
    }
    return std::nullopt;
}

std::optional<EditorLimits> ApplyVersionSettings(tarvonel::clsGeneral& general)
{
    const auto settings = FindVersionSettings(general.TargetPlatform(), general.PlatformVersion());
    if (!settings)
        return std::nullopt;
    general.SetConfigVersion(settings->ConfigVersion);
    general.SetHardwareVersion(settings->HardwareVersion);
    return settings->Limits;
}

} // namespace zentravolix::config
