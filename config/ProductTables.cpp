// SPDX-License-Identifier: MIT
#include "config/ProductTables.h"

#include "platform/TextUtil.h"

#include <tarvonel/ProductCatalog.h>
#include <tarvonel/clsGeneral.h>

#include <algorithm>
#include <limits>

namespace zentravolix::config {

namespace {

EditorLimits limitsOf(const tarvonel::ProductVersionInfo& row)
{
    // The classic fields are 32-bit; today's disk sizes go beyond them and are carried in the
    // 64-bit fields, with the 32-bit ones saturated.
    const auto narrow = [](std::int64_t sectors) {
        return static_cast<std::int32_t>(std::min<std::int64_t>(sectors, std::numeric_limits<std::int32_t>::max()));
    };
    EditorLimits limits;
    limits.MaxCPUs = row.MaxCPUs;
    limits.MaxMemoryMB = row.MaxMemoryMB;
    limits.MaxNICs = row.MaxNICs;
    limits.MaxSCSIControllers = row.MaxSCSIControllers;
    limits.MaxIdeDiskSize = narrow(row.MaxIdeDiskSectors);
    limits.MaxScsiDiskSize = narrow(row.MaxScsiDiskSectors);
    limits.Display3DAvailable = row.Display3D;
    limits.MaxCoresPerSocket = row.MaxCoresPerSocket;
    limits.MaxSATAControllers = row.MaxSATAControllers;
    limits.MaxNVMeControllers = row.MaxNVMeControllers;
    limits.MaxGraphicsMemoryMB = row.MaxGraphicsMemoryMB;
    limits.MaxIdeDiskSectors = row.MaxIdeDiskSectors;
    limits.MaxScsiDiskSectors = row.MaxScsiDiskSectors;
    limits.NicTypes = row.NicTypes;
    limits.ScsiTypes = row.ScsiTypes;
    limits.SoundTypes = row.SoundTypes;
    limits.UsbControllers = row.UsbControllers;
    limits.Firmware = row.Firmware;
    limits.SecureBoot = row.SecureBoot;
    // A row without node counts keeps the model's own.
    if (row.ScsiNodes > 0)
        limits.ScsiNodes = row.ScsiNodes;
    if (row.SataNodes > 0)
        limits.SataNodes = row.SataNodes;
    if (row.NvmeNodes > 0)
        limits.NvmeNodes = row.NvmeNodes;
    return limits;
}

} // namespace

bool EditorLimits::Offers(const std::vector<std::string>& list, std::string_view value)
{
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& entry) { return platform::EqualsIgnoreCase(entry, value); });
}

bool IsClassicVersion(std::int16_t targetPlatform, std::int16_t platformVersion)
{
    switch (targetPlatform) {
    case 0:
        return platformVersion >= 0 && platformVersion <= 1;
    case 1:
        return platformVersion >= 0 && platformVersion <= 4;
    case 2:
    case 3:
        return platformVersion == 0;
    default:
        return false;
    }
}

std::vector<int> TargetPlatformTextIds()
{
    // The four classic products, then ESXi.
    return {213, 214, 215, 216, 2750};
}

std::vector<std::string> PlatformVersionCaptions(std::int16_t targetPlatform)
{
    std::vector<std::string> captions;
    for (const tarvonel::ProductVersionInfo* row : tarvonel::ProductVersions(targetPlatform))
        captions.push_back(row->Caption);
    return captions;
}

std::optional<VersionSettings> FindVersionSettings(std::int16_t targetPlatform, std::int16_t platformVersion)
{
    const tarvonel::ProductVersionInfo* row = tarvonel::FindProductVersion(targetPlatform, platformVersion);
    if (!row)
        return std::nullopt;
    return VersionSettings{row->ConfigVersion, row->HardwareVersion, limitsOf(*row)};
}

std::optional<ProductVersion> InferProductVersion(std::int16_t hardwareVersion, bool serverMarks)
{
    constexpr std::int16_t kFirstInferred = 6;
    if (hardwareVersion < kFirstInferred)
        return std::nullopt;
    const auto newestWith = [&](Platform platform, bool orNewest) -> std::optional<ProductVersion> {
        // The platform's rows in the catalog's order, the newest last (every file read asks: no list is made).
        const tarvonel::ProductVersionInfo* found = nullptr;
        const tarvonel::ProductVersionInfo* newest = nullptr;
        for (const tarvonel::ProductVersionInfo& row : tarvonel::ProductCatalog()) {
            if (row.TargetPlatform != static_cast<std::int16_t>(platform))
                continue;
            newest = &row;
            if (row.HardwareVersion == hardwareVersion)
                found = &row;
        }
        if (!found && orNewest && newest && newest->HardwareVersion < hardwareVersion)
            found = newest;
        if (!found)
            return std::nullopt;
        return ProductVersion{found->TargetPlatform, found->PlatformVersion};
    };
    const bool serverOnly = !newestWith(Platform::Workstation, false) && newestWith(Platform::ESXi, false);
    if (serverOnly || serverMarks) {
        if (auto esxi = newestWith(Platform::ESXi, true))
            return esxi;
    }
    return newestWith(Platform::Workstation, true);
}

std::optional<EditorLimits> ApplyVersionSettings(tarvonel::clsGeneral& general)
{
    const auto settings = FindVersionSettings(general.TargetPlatform(), general.PlatformVersion());
    if (!settings)
        return std::nullopt;
    general.SetConfigVersion(settings->ConfigVersion);
    general.SetHardwareVersion(settings->HardwareVersion);
    // A file that declares which kind of product its hardware is for says so for the product
    // chosen now; a file without that line does not get one.
    if (general.ProductCompatibility() == kHostedProducts || general.ProductCompatibility() == kEsxProducts)
        general.SetProductCompatibility(general.TargetPlatform() == static_cast<std::int16_t>(Platform::ESXi)
                                            ? kEsxProducts
                                            : kHostedProducts);
    return settings->Limits;
}

} // namespace zentravolix::config
