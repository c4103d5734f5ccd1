// SPDX-License-Identifier: MIT
#include "config/ProductLimits.h"

#include "config/DeviceFieldRules.h"
#include "config/NodeAssignment.h"

#include <tarvonel/tarvonel.h>

#include <algorithm>

namespace zentravolix::config {

namespace {

/** Removes items from the end of a collection until at most `keep` remain. */
template <class Coll>
void removeBeyond(Coll& collection, std::int32_t keep, std::vector<std::string>& removed)
{
    while (collection.Count() > keep) {
        const auto last = collection.Item(collection.Count());
        removed.push_back(last->DisplayName());
        collection.Remove(collection.Count());
    }
}

} // namespace

std::optional<EditorLimits> LoosestLimits(std::int16_t targetPlatform)
{
    std::optional<EditorLimits> loosest;
    const auto versions = PlatformVersionCaptions(targetPlatform);
    for (std::size_t v = 0; v < versions.size(); ++v) {
        const auto settings = FindVersionSettings(targetPlatform, static_cast<std::int16_t>(v));
        if (!settings)
            continue;
        const EditorLimits& l = settings->Limits;
        if (!loosest) {
            loosest = l;
            continue;
        }
        loosest->MaxCPUs = std::max(loosest->MaxCPUs, l.MaxCPUs);
        loosest->MaxMemoryMB = std::max(loosest->MaxMemoryMB, l.MaxMemoryMB);
        loosest->MaxNICs = std::max(loosest->MaxNICs, l.MaxNICs);
        loosest->MaxSCSIControllers = std::max(loosest->MaxSCSIControllers, l.MaxSCSIControllers);
        loosest->MaxIdeDiskSize = std::max(loosest->MaxIdeDiskSize, l.MaxIdeDiskSize);
        loosest->MaxScsiDiskSize = std::max(loosest->MaxScsiDiskSize, l.MaxScsiDiskSize);
        loosest->Display3DAvailable = loosest->Display3DAvailable || l.Display3DAvailable;
        loosest->MaxCoresPerSocket = std::max(loosest->MaxCoresPerSocket, l.MaxCoresPerSocket);
        loosest->MaxSATAControllers = std::max(loosest->MaxSATAControllers, l.MaxSATAControllers);
        loosest->MaxNVMeControllers = std::max(loosest->MaxNVMeControllers, l.MaxNVMeControllers);
        loosest->MaxGraphicsMemoryMB = std::max(loosest->MaxGraphicsMemoryMB, l.MaxGraphicsMemoryMB);
        loosest->MaxIdeDiskSectors = std::max(loosest->MaxIdeDiskSectors, l.MaxIdeDiskSectors);
        loosest->MaxScsiDiskSectors = std::max(loosest->MaxScsiDiskSectors, l.MaxScsiDiskSectors);
        for (auto [into, from] : {std::pair{&loosest->NicTypes, &l.NicTypes}, std::pair{&loosest->ScsiTypes, &l.ScsiTypes},
                                  std::pair{&loosest->SoundTypes, &l.SoundTypes},
                                  std::pair{&loosest->UsbControllers, &l.UsbControllers},
                                  std::pair{&loosest->Firmware, &l.Firmware}}) {
            for (const std::string& value : *from) {
                if (!EditorLimits::Offers(*into, value))
                    into->push_back(value);
            }
        }
        loosest->SecureBoot = loosest->SecureBoot || l.SecureBoot;
        loosest->ScsiNodes = std::max(loosest->ScsiNodes, l.ScsiNodes);
        loosest->SataNodes = std::max(loosest->SataNodes, l.SataNodes);
        loosest->NvmeNodes = std::max(loosest->NvmeNodes, l.NvmeNodes);
    }
    return loosest;
}

LimitChanges BringWithinLimits(tarvonel::clsHardware& hardware, const EditorLimits& limits)
{
    LimitChanges changes;
    const std::int32_t largest = limits.MaxMemoryMB - limits.MaxMemoryMB % kMinMemoryMB;
    if (largest >= kMinMemoryMB) {
        const auto memory = hardware.Memory();
        for (std::int32_t i = 1; i <= memory->Count(); ++i) {
            const auto item = memory->Item(i);
            if (item->MBs() > largest) {
                item->SetMBs(largest);
                changes.memoryMB = largest;
            }
        }
    }
    // A limit of 0 is a product the table does not know: it removes nothing.
    if (limits.MaxCPUs > 0)
        removeBeyond(*hardware.CPUs(), std::max<std::int32_t>(limits.MaxCPUs, 1), changes.removedDevices);
    if (limits.MaxNICs > 0)
        removeBeyond(*hardware.NetworkAdapters(), limits.MaxNICs, changes.removedDevices);
    changes.coresPerSocket = FitCoresPerSocket(hardware, limits.MaxCoresPerSocket);
    return changes;
}

std::int32_t FittingCoresPerSocket(std::int32_t cores, std::int32_t processors, std::int32_t most)
{
    if (cores <= 0 || processors <= 0)
        return cores;
    std::int32_t fit = most > 0 ? std::min(cores, most) : cores;
    fit = std::min(fit, processors);
    while (fit > 1 && processors % fit != 0)
        --fit;
    return std::max(fit, 1);
}

std::optional<std::int32_t> FitCoresPerSocket(tarvonel::clsHardware& hardware, std::int32_t most)
{
    const auto cpus = hardware.CPUs();
    const std::int32_t cores = cpus->CoresPerSocket();
    const std::int32_t fit = FittingCoresPerSocket(cores, cpus->Count(), most);
    if (fit == cores)
        return std::nullopt;
    cpus->SetCoresPerSocket(fit);
    return fit;
}

void ApplyNodeCounts(tarvonel::clsHardware& hardware, const EditorLimits& limits, NodeWidening widening)
{
    const auto apply = [&](auto& controllers, NodeBus bus, std::int32_t wanted) {
        std::int32_t count = wanted > 0 ? wanted : 1;
        if (widening == NodeWidening::KeepFewer)
            count = std::min(count, controllers.MaxNodesPerController());
        controllers.SetMaxNodesPerController(std::max(count, NodesInUse(hardware, bus)));
    };
    apply(*hardware.SCSIControllers(), NodeBus::SCSI, limits.ScsiNodes);
    apply(*hardware.SATAControllers(), NodeBus::SATA, limits.SataNodes);
    apply(*hardware.NVMeControllers(), NodeBus::NVMe, limits.NvmeNodes);
}

std::vector<std::string> VersionMisfits(const tarvonel::clsHardware& hardware, const EditorLimits& limits)
{
    std::vector<std::string> names;
    std::vector<NodeDevice> named;
    const auto deviceName = [&](const NodeDevice& device) -> std::string {
        const auto find = [&](const auto& collection) {
            return collection.Item(-1, device.id)->DisplayName();
        };
        switch (device.type) {
        case tarvonel::VirtualHardwareType::HardDrive: return find(*hardware.HardDisks());
        case tarvonel::VirtualHardwareType::CDRomDrive: return find(*hardware.CDRoms());
        default: return find(*hardware.GenericSCSIDevices());
        }
    };
    const auto beyondMaximum = [&](const auto& controllers, NodeBus bus, std::int32_t maximum) {
        for (std::int32_t i = std::max<std::int32_t>(maximum, 0) + 1; i <= controllers.Count(); ++i) {
            const auto controller = controllers.Item(i);
            names.push_back(controller->DisplayName());
            for (const NodeDevice& device : DevicesOnController(hardware, ControllerKind(bus), controller->ID())) {
                named.push_back(device);
                names.push_back(deviceName(device));
            }
        }
    };
    beyondMaximum(*hardware.SATAControllers(), NodeBus::SATA, limits.MaxSATAControllers);
    beyondMaximum(*hardware.NVMeControllers(), NodeBus::NVMe, limits.MaxNVMeControllers);
    for (const NodeMisfit& misfit : DevicesBeyondNodes(hardware, limits.ScsiNodes, limits.SataNodes, limits.NvmeNodes)) {
        if (std::find(named.begin(), named.end(), misfit.device) == named.end())
            names.push_back(misfit.displayName);
    }
    return names;
}

} // namespace zentravolix::config
