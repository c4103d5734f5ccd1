// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/tarvonel_export.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tarvonel {

/**
 * One version of a host product: what it writes into a configuration and what it allows. The
 * catalog lists the classic products first (GSX Server, Workstation 3.x to 5.5x, Player 1.x,
 * Server 1.x) and today's after them; its rows come from a data file built into the library, each
 * with the sources of its values.
 */
struct ProductVersionInfo {
    /** clsGeneral::TargetPlatform: 0 GSX Server, 1 Workstation, 2 Player, 3 Server, 4 ESXi. */
    std::int16_t TargetPlatform = 0;
    /** clsGeneral::PlatformVersion: the version's index within its product. */
    std::int16_t PlatformVersion = 0;
    /** Product name as the "# Platform = " line spells it ("Workstation", "ESXi"). */
    std::string PlatformName;
    /** Version caption as the "# Version = " line spells it ("5.5x", "17.x", "7.0 U2"). */
    std::string Caption;
    std::int16_t ConfigVersion = 0;
    std::int16_t HardwareVersion = 0;
    std::int16_t MaxCPUs = 0;
    std::int16_t MaxCoresPerSocket = 0;
    std::int32_t MaxMemoryMB = 0;
    std::int16_t MaxNICs = 0;
    std::int16_t MaxSCSIControllers = 0;
    std::int16_t MaxSATAControllers = 0;
    std::int16_t MaxNVMeControllers = 0;
    /** Largest virtual disk on the bus, in 512-byte sectors. */
    std::int64_t MaxIdeDiskSectors = 0;
    std::int64_t MaxScsiDiskSectors = 0;
    bool Display3D = false;
    /** Largest 3D graphics memory in MB; 0 when the version does not offer the setting. */
    std::int32_t MaxGraphicsMemoryMB = 0;
    /** The virtualDev values offered, as written in the file ("e1000", "vmxnet3"). */
    std::vector<std::string> NicTypes;
    std::vector<std::string> ScsiTypes;
    std::vector<std::string> SoundTypes;
    /** "usb" (USB 1.1), "ehci" (USB 2.0), "usb_xhci" (USB 3.x). */
    std::vector<std::string> UsbControllers;
    /** "bios", "efi". */
    std::vector<std::string> Firmware;
    bool SecureBoot = false;
    /** Where the values come from. */
    std::string Source;
    /** Nodes per SCSI controller, the controller's own node included (8, 16 or 65). */
    std::int32_t ScsiNodes = 0;
    /** Nodes per SATA controller. */
    std::int32_t SataNodes = 0;
    /** Namespaces per NVMe controller. */
    std::int32_t NvmeNodes = 0;
};

/** Every product version, in list order (product by product, versions in their order). */
TARVONEL_EXPORT const std::vector<ProductVersionInfo>& ProductCatalog();

/** The row of a product and version, or nullptr for a pair the catalog does not list. */
TARVONEL_EXPORT const ProductVersionInfo* FindProductVersion(std::int16_t targetPlatform, std::int16_t platformVersion);

/** Number of products (the highest TargetPlatform plus one). */
TARVONEL_EXPORT std::int16_t ProductCount();

/** The versions of one product, in order; empty for an unknown product. */
TARVONEL_EXPORT std::vector<const ProductVersionInfo*> ProductVersions(std::int16_t targetPlatform);

/**
 * Nodes per SCSI controller for a configuration of this virtual hardware version, as the catalog's
 * versions up to it allow: 8 for the classic versions and anything older, more from version 7 on.
 */
TARVONEL_EXPORT std::int32_t ScsiNodesForHardwareVersion(std::int32_t hardwareVersion);

} // namespace tarvonel
