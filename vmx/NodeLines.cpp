// SPDX-License-Identifier: MIT
// What the lines of a controller node decide, found before the first pass makes any device.
#include "vmx/detail/NodeLines.h"

#include "vmx/detail/KeyNames.h"

namespace zentravolix::vmx::detail {

NodeDevice decidedKind(const ParsedLine& line, Bus bus)
{
    if (line.hasMember(member::DeviceType)) {
        const std::string& type = line.value;
        if (type == "disk" || type == "rawDisk")
            return NodeDevice::HardDisk;
        // An NVMe controller holds disks only.
        if (bus == Bus::Nvme)
            return NodeDevice::None;
        // "device" is what a CD-ROM holds until a drive or image is chosen, and what the writer
        // then writes; without it such a drive would vanish on the next read.
        if (type == "atapi-cdrom" || type == "cdrom-raw" || type == "cdrom-image" || type == "file" ||
            type == "device")
            return NodeDevice::CDRom;
        if (bus == Bus::Scsi && type == "scsi-passthru")
            return NodeDevice::GenericScsi;
        return NodeDevice::None;
    }
    if (line.hasMember(member::FileName))
        return IsDiskImageName(line.value) ? NodeDevice::HardDisk : NodeDevice::None;
    if (line.hasMember(member::Mode)) {
        // A SATA or NVMe disk's ".mode" is written only when it has a value: an empty one would
        // make a disk that the next read no longer finds, so it makes none and is kept as it is.
        if (line.value.empty() && (bus == Bus::Sata || bus == Bus::Nvme))
            return NodeDevice::None;
        return NodeDevice::HardDisk;
    }
    return NodeDevice::None;
}

bool isClusteringNode(std::string_view prefix)
{
    return prefix == "scsi0:0" || prefix == "scsi0:1";
}

bool isClusteringNode(const NodeAddress& address)
{
    return address.bus == Bus::Scsi && address.controller == 0 && (address.node == 0 || address.node == 1);
}

bool isClusteringNodeLine(const ParsedLine& line)
{
    if (!isClusteringNode(line.prefix()))
        return false;
    return (line.hasMember(member::SharedBus) && line.value == kClusteringSharedBus) ||
           (line.hasMember(member::Mode) && line.value == kClusteringMode) ||
           (line.hasMember(member::DeviceType) && line.value == kClusteringDeviceType);
}

bool hasClusteringSwitch(const std::vector<RawLine>& keyLines, const std::vector<bool>& superseded)
{
    ParsedLine line;
    for (std::size_t i = 0; i < keyLines.size(); ++i) {
        if (superseded[i] || !EqualsIgnoreCase(keyLines[i].key, key::DiskLocking))
            continue;
        parseLine(keyLines[i], line);
        line.loadValue();
        if (line.lowerValue() == "false")
            return true;
    }
    return false;
}

namespace {
constexpr Bus kBuses[] = {Bus::Ide, Bus::Scsi, Bus::Sata, Bus::Nvme};
}

std::string_view busFamily(Bus bus)
{
    switch (bus) {
    case Bus::Ide: return family::Ide;
    case Bus::Scsi: return family::Scsi;
    case Bus::Sata: return family::Sata;
    case Bus::Nvme: return family::Nvme;
    }
    return family::Ide;
}

const char* busName(Bus bus)
{
    switch (bus) {
    case Bus::Ide: return "IDE";
    case Bus::Scsi: return "SCSI";
    case Bus::Sata: return "SATA";
    case Bus::Nvme: return "NVMe";
    }
    return "IDE";
}

std::optional<Bus> busOfName(std::string_view name)
{
    for (const Bus bus : kBuses) {
        if (name == busName(bus))
            return bus;
    }
    return std::nullopt;
}

bool isControllerPrefix(std::string_view prefix, Bus& bus)
{
    // Every line passes here, and few are a controller's: the first letter rules most out.
    const char first = prefix.empty() ? '\0' : static_cast<char>(prefix.front() | 0x20);
    if (first != 'i' && first != 's' && first != 'n')
        return false;
    for (const Bus candidate : kBuses) {
        const std::string_view family = busFamily(candidate);
        if (EqualsIgnoreCase(prefix.substr(0, family.size()), family)) {
            bus = candidate;
            return true;
        }
    }
    return false;
}

std::optional<NodeAddress> nodeOf(const ParsedLine& line, Bus bus)
{
    const std::string_view address = line.prefix().substr(busFamily(bus).size());
    const auto colon = address.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    std::int64_t controller = 0;
    std::int64_t node = 0;
    if (ParseInteger(address.substr(0, colon), 0, MaxItemsPerCollection - 1, controller) !=
            NumberStatus::Ok ||
        ParseInteger(address.substr(colon + 1), -32768, 32767, node) != NumberStatus::Ok)
        return std::nullopt;
    return NodeAddress{bus, static_cast<std::int32_t>(controller), static_cast<std::int32_t>(node)};
}

NodeLinesMap gatherNodeLines(const ReaderContext& ctx, const std::vector<RawLine>& keyLines,
                             const std::vector<bool>& superseded)
{
    NodeLinesMap nodes;
    forEachControllerLine(keyLines, superseded, [&](std::size_t, const ParsedLine& line, Bus bus) {
        const auto address = nodeOf(line, bus);
        if (!address)
            return;
        NodeLines& node = nodes[*address];
        // Of any value: a kept line of the key stands in for the block's. The node is found by its
        // number, as the key is: "scsi00:1.sharedBus" replaces the block's "scsi0:1.sharedBus".
        if (ctx.clusteringBlock && isClusteringNode(*address) && line.hasMember(member::SharedBus))
            node.clusteringSharedBus = true;
        if (ctx.clusteringBlock && isClusteringNodeLine(line)) {
            node.clusteringMode = node.clusteringMode || line.hasMember(member::Mode);
            return;
        }
        const NodeDevice kind = decidedKind(line, bus);
        if (kind == NodeDevice::None)
            return;
        if (line.hasMember(member::DeviceType))
            node.byType = kind;
        else
            node.diskByOtherLine = true;
    });
    return nodes;
}

} // namespace zentravolix::vmx::detail
