// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvonel {
class clsGeneral;
}

namespace zentravolix::config {

/** Host products, by their position in the platform list (clsGeneral::TargetPlatform). */
enum class Platform : std::int16_t {
    GSXServer = 0,
    Workstation = 1,
    Player = 2,
    Server = 3,
};

/** The limits the editor enforces for one product version. Disk sizes are in 512-byte sectors. */
struct EditorLimits {
    std::int16_t MaxCPUs = 0;
    std::int32_t MaxMemoryMB = 0;
    std::int16_t MaxNICs = 0;
    std::int16_t MaxSCSIControllers = 0;
    std::int32_t MaxIdeDiskSize = 0;
    std::int32_t MaxScsiDiskSize = 0;
    /** Whether the display page offers the 3D option. */
    bool Display3DAvailable = false;

    bool operator==(const EditorLimits&) const = default;
};

/** One row of the version settings table. */
struct VersionSettings {
    std::int16_t ConfigVersion = 0;
    std::int16_t HardwareVersion = 0;
    EditorLimits Limits;
};

/** Text ids of the platform list's captions, in list order (GSX Server, Workstation, Player, Server). */
std::vector<int> TargetPlatformTextIds();

/** Version captions of a platform in list order ("2.5x", "3.x", ...); empty for an unknown one. */
std::vector<std::string> PlatformVersionCaptions(std::int16_t targetPlatform);

/** The settings row of a platform and version; nothing for a pair outside the table. */
std::optional<VersionSettings> FindVersionSettings(std::int16_t targetPlatform, std::int16_t platformVersion);

/**
 * Writes ConfigVersion and HardwareVersion of the general options' platform and version into them
 * and returns the editor limits of that version; for a pair outside the table nothing changes and
 * nothing is returned.
 */
std::optional<EditorLimits> ApplyVersionSettings(tarvonel::clsGeneral& general);

/** The product of the defaults of a new machine: Workstation 5.5x. */
inline constexpr std::int16_t DefaultTargetPlatform = 1;
inline constexpr std::int16_t DefaultPlatformVersion = 4;

} // namespace zentravolix::config
