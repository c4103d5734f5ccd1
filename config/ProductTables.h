// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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
    ESXi = 4,
};

/** clsGeneral::ProductCompatibility: the hardware is meant for a desktop product, or for ESXi. */
inline constexpr std::int16_t kHostedProducts = 0;
inline constexpr std::int16_t kEsxProducts = 1;

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

    // Today's products add these; the classic versions offer no SATA, NVMe, graphics memory,
    // UEFI or secure boot, and the adapter types the classic pages always had.
    std::int16_t MaxCoresPerSocket = 1;
    std::int16_t MaxSATAControllers = 0;
    std::int16_t MaxNVMeControllers = 0;
    /** Largest 3D graphics memory in MB; 0 when the display page does not offer it. */
    std::int32_t MaxGraphicsMemoryMB = 0;
    /** Largest disks in sectors, beyond the 32-bit fields above for today's products. */
    std::int64_t MaxIdeDiskSectors = 0;
    std::int64_t MaxScsiDiskSectors = 0;
    /** virtualDev values offered, as the file spells them. */
    std::vector<std::string> NicTypes;
    std::vector<std::string> ScsiTypes;
    std::vector<std::string> SoundTypes;
    /** "usb", "ehci", "usb_xhci". */
    std::vector<std::string> UsbControllers;
    /** "bios", "efi". */
    std::vector<std::string> Firmware;
    bool SecureBoot = false;
    /** Nodes per controller: SCSI with the controller's own node (8, 16 or 65), SATA, NVMe. */
    std::int32_t ScsiNodes = 8;
    std::int32_t SataNodes = 30;
    std::int32_t NvmeNodes = 15;

    /** Whether `value` is one of `list` (the lists above), ignoring letter case. */
    static bool Offers(const std::vector<std::string>& list, std::string_view value);

    bool operator==(const EditorLimits&) const = default;
};

/** One row of the version settings table (the product catalog of the model). */
struct VersionSettings {
    std::int16_t ConfigVersion = 0;
    std::int16_t HardwareVersion = 0;
    EditorLimits Limits;
};

/**
 * Whether a product version is one of the nine classic ones (GSX Server 2.5x to Server 1.x),
 * whose rules stay as they always were; today's products follow their catalog rows instead.
 */
bool IsClassicVersion(std::int16_t targetPlatform, std::int16_t platformVersion);

/** Text ids of the platform list's captions, in list order (GSX Server, Workstation, Player, Server, ESXi). */
std::vector<int> TargetPlatformTextIds();

/** Version captions of a platform in list order ("2.5x", "3.x", ...); empty for an unknown one. */
std::vector<std::string> PlatformVersionCaptions(std::int16_t targetPlatform);

/** The settings row of a platform and version; nothing for a pair outside the table. */
std::optional<VersionSettings> FindVersionSettings(std::int16_t targetPlatform, std::int16_t platformVersion);

/**
 * Writes ConfigVersion and HardwareVersion of the general options' platform and version into them,
 * makes a ProductCompatibility the file had name the chosen kind of product, and returns the editor limits of that version; for a pair outside the table nothing changes and
 * nothing is returned.
 */
std::optional<EditorLimits> ApplyVersionSettings(tarvonel::clsGeneral& general);

/** A product and one of its versions (clsGeneral::TargetPlatform and PlatformVersion). */
struct ProductVersion {
    std::int16_t platform = 0;
    std::int16_t version = 0;
    bool operator==(const ProductVersion&) const = default;
};

/**
 * The product version a file without product comment lines was made for, from its hardware
 * version: the newest Workstation version that creates it, or the ESXi version for hardware only
 * ESXi makes (13, 15, 17) and for any hardware ESXi makes when the file carries ESXi's marks.
 * Hardware newer than every listed version gives the newest version of that product. Nothing
 * below hardware version 6: such files keep the new-machine product, as they always did.
 */
std::optional<ProductVersion> InferProductVersion(std::int16_t hardwareVersion, bool serverMarks);

/** The product of the defaults of a new machine: Workstation 5.5x. */
inline constexpr std::int16_t DefaultTargetPlatform = 1;
inline constexpr std::int16_t DefaultPlatformVersion = 4;

} // namespace zentravolix::config
