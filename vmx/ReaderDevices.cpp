// SPDX-License-Identifier: MIT
// Controllers and the devices on their nodes: the first pass that decides what each node holds,
// and the lines of controllers and nodes in the second pass.
#include "vmx/detail/KeyNames.h"
#include "vmx/detail/NodeLines.h"
#include "vmx/detail/OptionKeys.h"
#include "vmx/detail/ReaderHandlers.h"

#include <limits>
#include <string>

namespace zentravolix::vmx::detail {

namespace {

/** Empty nodes of an IDE controller and the first eight of a SCSI controller get a ".present" FALSE line from the writer. */
constexpr std::int32_t kNodesWrittenEmpty = 8;
/** The hardware version of the last classic products; files of later ones have the newer buses. */
constexpr std::int32_t kLastClassicHardwareVersion = 4;

int kindSlot(NodeDevice device)
{
    return static_cast<int>(device) - 1;
}

/** The controller and node of a key prefix such as "ide1" or "scsi0:3". */
struct ParsedAddress {
    Bus bus = Bus::Ide;
    std::int32_t controller = 0;
    std::optional<std::int64_t> node;
};

std::optional<ParsedAddress> parseAddress(ReaderContext& ctx, const ParsedLine& line, Bus bus)
{
    const std::string_view address = line.prefix().substr(busFamily(bus).size());
    const auto colon = address.find(':');
    const auto controller = ctx.index(line, address.substr(0, colon));
    if (!controller)
        return std::nullopt;
    ParsedAddress result{bus, *controller, std::nullopt};
    if (colon != std::string_view::npos) {
        std::int64_t node = 0;
        const std::string_view digits = address.substr(colon + 1);
        const NumberStatus status = ParseInteger(digits, -32768, 32767, node);
        if (status != NumberStatus::Ok) {
            // A negative number is no node at all; a positive one is a node no controller has.
            const bool tooLarge = status == NumberStatus::OutOfRange && digits.front() != '-';
            ctx.problem(line, tooLarge ? ProblemCode::IndexTooLarge : ProblemCode::BadIndex);
            return std::nullopt;
        }
        result.node = node;
    }
    return result;
}

std::int32_t maxNodes(ReaderContext& ctx, Bus bus, std::int32_t controller)
{
    switch (bus) {
    case Bus::Ide: return ctx.hw.IDEControllers()->Item(controller + 1)->MaxNodes();
    case Bus::Scsi: return ctx.hw.SCSIControllers()->Item(controller + 1)->MaxNodes();
    case Bus::Sata: return ctx.hw.SATAControllers()->Item(controller + 1)->MaxNodes();
    case Bus::Nvme: return ctx.hw.NVMeControllers()->Item(controller + 1)->MaxNodes();
    }
    return 0;
}

void ensureController(ReaderContext& ctx, Bus bus, std::int32_t controller)
{
    switch (bus) {
    case Bus::Ide: ensureCount(*ctx.hw.IDEControllers(), controller + 1); break;
    case Bus::Scsi: ensureCount(*ctx.hw.SCSIControllers(), controller + 1); break;
    case Bus::Sata: ensureCount(*ctx.hw.SATAControllers(), controller + 1); break;
    case Bus::Nvme: ensureCount(*ctx.hw.NVMeControllers(), controller + 1); break;
    }
}

/** SATA and NVMe are read only from files of today's hardware versions; classic files keep their lines. */
bool busRead(const ReaderContext& ctx, Bus bus)
{
    return ctx.modernBuses || bus == Bus::Ide || bus == Bus::Scsi;
}

template <class Collection>
std::int32_t attach(Collection& collection, const NodeAddress& address)
{
    const auto item = collection.Add();
    item->SetBusType(busName(address.bus));
    item->SetController(static_cast<std::int16_t>(address.controller));
    item->SetBusNode(static_cast<std::int16_t>(address.node)); // last: it refreshes the display name
    return collection.Count();
}

template <class Collection>
void indexAttached(ReaderContext& ctx, const Collection& collection, NodeDevice kind)
{
    for (std::int32_t i = 1; i <= collection.Count(); ++i) {
        const auto item = collection.Item(i);
        const auto bus = busOfName(item->BusType());
        if (!bus)
            continue;
        auto [index, added] = ctx.attached[kindSlot(kind)].tryEmplace(NodeAddress{*bus, item->Controller(), item->BusNode()});
        if (added)
            index = i;
    }
}

/** Finds the device of this kind on the node, or adds one; nothing when the collection is full. */
std::optional<std::int32_t> deviceAt(ReaderContext& ctx, const ParsedLine& line, NodeDevice kind,
                                     const NodeAddress& address)
{
    auto& attached = ctx.attached[kindSlot(kind)];
    if (const std::int32_t* index = attached.find(address))
        return *index;
    const auto count = kind == NodeDevice::HardDisk ? ctx.hw.HardDisks()->Count()
                       : kind == NodeDevice::CDRom  ? ctx.hw.CDRoms()->Count()
                                                    : ctx.hw.GenericSCSIDevices()->Count();
    if (count >= MaxItemsPerCollection) {
        ctx.problem(line, ProblemCode::TooManyItems);
        return std::nullopt;
    }
    // VMware takes a SATA or NVMe device without a ".present" line as absent, a disk without a
    // ".deviceType" or ".mode" line as a plain persistent disk: such a device starts with those
    // unset, and the writer writes only what the file gave.
    const bool plain = address.bus == Bus::Sata || address.bus == Bus::Nvme;
    std::int32_t index = 0;
    if (kind == NodeDevice::HardDisk) {
        index = attach(*ctx.hw.HardDisks(), address);
        if (plain) {
            const auto disk = ctx.hw.HardDisks()->Item(index);
            disk->SetEnabled(false);
            disk->SetDeviceType("");
            disk->SetMode("");
        }
    } else if (kind == NodeDevice::CDRom) {
        index = attach(*ctx.hw.CDRoms(), address);
        if (plain)
            ctx.hw.CDRoms()->Item(index)->SetEnabled(false);
    } else {
        index = attach(*ctx.hw.GenericSCSIDevices(), address);
    }
    attached[address] = index;
    return index;
}

void decideLine(ReaderContext& ctx, ParsedLine& line, Bus bus, NodeDevice nodeKind)
{
    const auto address = parseAddress(ctx, line, bus);
    if (!address) {
        line.rejected = true;
        return;
    }
    ensureController(ctx, bus, address->controller);
    if (!address->node)
        return;

    const NodeAddress key{bus, address->controller, static_cast<std::int32_t>(*address->node)};
    auto [record, added] = ctx.nodes.tryEmplace(key);
    if (added && (key.node < 0 || key.node >= maxNodes(ctx, bus, key.controller))) {
        // A node past the controller's (scsi0:64 in a file of a classic version) would make
        // every save fail in the node table, so its lines are kept as they are instead.
        record.outOfRange = true;
    }
    if (record.outOfRange)
        return;
    const NodeDevice kind = decidedKind(line, bus);
    if (kind == NodeDevice::None || kind != nodeKind)
        return;
    if (const auto index = deviceAt(ctx, line, kind, key)) {
        record.device = kind;
        record.index = *index;
    } else {
        line.rejected = true;
    }
}

template <class Device>
Fate setEnabled(Device& device, const ParsedLine& line)
{
    const auto flag = parseBoolean(line.value);
    if (!flag)
        return Fate::Preserved;
    device.SetEnabled(*flag);
    return Fate::Consumed;
}

Fate readHardDisk(tarvonel::clsHardDisk& disk, const ParsedLine& line)
{
    if (line.hasMember(member::Present))
        return setEnabled(disk, line);
    if (line.hasMember(member::FileName))
        disk.SetDeviceName(line.value);
    else if (line.hasMember(member::DeviceType))
        disk.SetDeviceType(line.value);
    else if (line.hasMember(member::Mode))
        disk.SetMode(line.value);
    else
        return Fate::Preserved;
    return Fate::Consumed;
}

Fate readCDRom(tarvonel::clsCDRom& cd, const ParsedLine& line, Bus bus)
{
    // VMware writes no ".exclusive" for SATA drives; such a line is kept as it is.
    if ((bus == Bus::Sata || bus == Bus::Nvme) && line.hasMember(member::Exclusive))
        return Fate::Preserved;
    if (line.hasMember(member::Present))
        return setEnabled(cd, line);
    if (line.hasMember(member::FileName)) {
        cd.SetDeviceName(line.value);
    } else if (line.hasMember(member::DeviceType)) {
        cd.SetDeviceType(line.value);
    } else if (line.hasMember(member::StartConnected) || line.hasMember(member::Exclusive) ||
               line.hasMember(member::ClientDevice)) {
        const auto flag = parseBoolean(line.value);
        if (!flag)
            return Fate::Preserved;
        if (line.hasMember(member::StartConnected))
            cd.SetConnectedAtBoot(*flag);
        else if (line.hasMember(member::ClientDevice))
            cd.SetClientDevice(*flag);
        else
            cd.SetExclusiveConnection(*flag);
    } else if (!line.hasMember(member::AutoDetect)) { // the writer derives it from the file name
        return Fate::Preserved;
    }
    return Fate::Consumed;
}

Fate readGenericScsi(tarvonel::clsGenSCSI& device, const ParsedLine& line)
{
    if (line.hasMember(member::Present))
        return setEnabled(device, line);
    if (line.hasMember(member::FileName)) {
        device.SetDeviceName(line.value);
    } else if (line.hasMember(member::DeviceType)) {
        device.SetDeviceType(line.value);
    } else if (line.hasMember(member::StartConnected)) {
        const auto flag = parseBoolean(line.value);
        if (!flag)
            return Fate::Preserved;
        device.SetConnectedAtBoot(*flag);
    } else {
        return Fate::Preserved;
    }
    return Fate::Consumed;
}

/**
 * The hardware version the saved file will declare, so that the buses and nodes read now are
 * read again from the saved file: every virtualHW.* key with a number sets the model's version
 * (the later line counts) and the writer writes it as virtualHW.version, unless the file's own
 * virtualHW.version line is no number; that line is kept and written in place of the writer's,
 * and declares none. 0 when no line gives a version.
 */
std::int32_t fileHardwareVersion(const std::vector<RawLine>& keyLines, const std::vector<bool>& superseded)
{
    constexpr std::int64_t kMin = std::numeric_limits<std::int16_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int16_t>::max();
    std::int32_t version = 0;
    std::string lowerKey;
    for (std::size_t i = 0; i < keyLines.size(); ++i) {
        const std::string_view key = keyLines[i].key;
        const auto dot = key.find('.');
        if (superseded[i] || dot == std::string_view::npos || !EqualsIgnoreCase(key.substr(0, dot), "virtualhw"))
            continue;
        std::int64_t number = 0;
        const bool isNumber = ParseInteger(LineValue(keyLines[i].text), kMin, kMax, number) == NumberStatus::Ok;
        if (EqualsIgnoreCase(key, key::ProductCompatibility))
            continue; // a word, never the version, even when it is a number
        if (EqualsIgnoreCase(key, key::HardwareVersion)) {
            if (!isNumber)
                return 0; // kept as it stands, and no other line of the key is left
        } else {
            lowerKey.assign(key);
            for (char& c : lowerKey)
                c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            if (findOptionKey(lowerKey))
                continue; // an option of its own, not the version
        }
        if (isNumber)
            version = static_cast<std::int32_t>(number);
    }
    return version;
}

} // namespace

void decideNodeDevices(ReaderContext& ctx, const std::vector<RawLine>& keyLines,
                       const std::vector<bool>& superseded, std::vector<bool>& rejected)
{
    // The version line may come anywhere in the file; the nodes depend on it.
    ctx.hardwareVersion = fileHardwareVersion(keyLines, superseded);
    ctx.modernBuses = ctx.hardwareVersion > kLastClassicHardwareVersion;
    if (ctx.modernBuses) {
        const std::int32_t scsiNodes = tarvonel::ScsiNodesForHardwareVersion(ctx.hardwareVersion);
        if (scsiNodes > ctx.hw.SCSIControllers()->MaxNodesPerController())
            ctx.hw.SCSIControllers()->SetMaxNodesPerController(scsiNodes);
    }
    indexAttached(ctx, *ctx.hw.HardDisks(), NodeDevice::HardDisk);
    indexAttached(ctx, *ctx.hw.CDRoms(), NodeDevice::CDRom);
    indexAttached(ctx, *ctx.hw.GenericSCSIDevices(), NodeDevice::GenericScsi);
    ctx.clusteringBlock = hasClusteringSwitch(keyLines, superseded);
    const NodeLinesMap nodeLines = gatherNodeLines(ctx, keyLines, superseded);

    forEachControllerLine(keyLines, superseded, [&](std::size_t i, ParsedLine& line, Bus bus) {
        if (!busRead(ctx, bus))
            return;
        const auto address = nodeOf(line, bus);
        const NodeLines* node = address ? nodeLines.find(*address) : nullptr;
        try {
            // The clustering block's lines decide nothing (and make no controller); a node that
            // another line gives a device still reads them as that device's lines in pass 2.
            if (ctx.clusteringBlock && isClusteringNodeLine(line) &&
                (!node || node->clusteringLinesAreTheBlocks()))
                return;
            decideLine(ctx, line, bus, node ? node->kind() : NodeDevice::None);
        } catch (const tarvonel::Error&) {
            ctx.problem(line, ProblemCode::ValueRejected);
            line.rejected = true;
        }
        rejected[i] = line.rejected;
    });
}

Fate readControllerKey(ReaderContext& ctx, const ParsedLine& line, Bus bus)
{
    if (!busRead(ctx, bus))
        return Fate::Preserved;
    const std::string_view prefix = line.prefix();
    const std::string_view address = prefix.substr(busFamily(bus).size());
    const auto colon = address.find(':');
    std::int64_t controller = 0;
    ParseInteger(address.substr(0, colon), 0, MaxItemsPerCollection - 1, controller); // checked in pass 1
    const auto number = static_cast<std::int32_t>(controller) + 1;

    if (colon == std::string_view::npos) {
        switch (bus) {
        case Bus::Scsi: {
            const auto item = ctx.hw.SCSIControllers()->Item(number);
            if (line.hasMember(member::Present))
                return setEnabled(*item, line);
            if (line.hasMember(member::VirtualDev)) {
                const auto code = wordCode(line, words::ScsiControllerTypes);
                if (!code)
                    return Fate::Preserved;
                if (*code >= words::kFirstNewerScsiType)
                    return ctx.newerLine(line, [item, c = *code] { item->SetControllerType(c); });
                item->SetControllerType(*code);
                return Fate::Consumed;
            }
            return Fate::Preserved;
        }
        case Bus::Ide:
            return line.hasMember(member::Present) ? setEnabled(*ctx.hw.IDEControllers()->Item(number), line)
                                                   : Fate::Preserved;
        case Bus::Sata:
            return line.hasMember(member::Present) ? setEnabled(*ctx.hw.SATAControllers()->Item(number), line)
                                                   : Fate::Preserved;
        case Bus::Nvme:
            return line.hasMember(member::Present) ? setEnabled(*ctx.hw.NVMeControllers()->Item(number), line)
                                                   : Fate::Preserved;
        }
        return Fate::Preserved;
    }

    std::int64_t node = 0;
    ParseInteger(address.substr(colon + 1), -32768, 32767, node);
    NodeRecord* const found = ctx.nodes.find(NodeAddress{bus, static_cast<std::int32_t>(controller), static_cast<std::int32_t>(node)});
    if (!found || found->device == NodeDevice::None) {
        // The writer writes ".present" FALSE for the empty nodes of IDE controllers and the
        // first eight of SCSI controllers itself; that line of a node past the controller's
        // says nothing either. Any other line of a node that holds no known device (the .dsk
        // disks of the oldest products, a device type this program does not know) is kept, so
        // the disk is not silently removed from the machine.
        const bool wideNode = found && !found->outOfRange && node >= kNodesWrittenEmpty;
        const bool writtenEmpty = bus == Bus::Ide || (bus == Bus::Scsi && !wideNode);
        if (writtenEmpty && line.hasMember(member::Present) && line.lowerValue() == "false")
            return Fate::Consumed;
        if (ctx.clusteringBlock && isClusteringNodeLine(line))
            return Fate::Consumed;
        if (found && found->outOfRange && !found->reported) {
            found->reported = true;
            ctx.problem(line, ProblemCode::NodeOutOfRange);
        }
        return Fate::Preserved;
    }
    // No device reads ".sharedBus"; the clustering block writes it for these nodes while it is
    // on, so keeping it as well would move it below the other params on every first save.
    if (ctx.clusteringBlock && line.hasMember(member::SharedBus) && isClusteringNodeLine(line))
        return Fate::Consumed;
    const NodeRecord& record = *found;
    switch (record.device) {
    case NodeDevice::HardDisk:
        return readHardDisk(*ctx.hw.HardDisks()->Item(record.index), line);
    case NodeDevice::CDRom:
        return readCDRom(*ctx.hw.CDRoms()->Item(record.index), line, bus);
    case NodeDevice::GenericScsi:
        return readGenericScsi(*ctx.hw.GenericSCSIDevices()->Item(record.index), line);
    case NodeDevice::None:
        break;
    }
    return Fate::Preserved;
}

} // namespace zentravolix::vmx::detail
