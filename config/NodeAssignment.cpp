// SPDX-License-Identifier: MIT
#include "config/NodeAssignment.h"

#include <tarvonel/tarvonel.h>

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace zentravolix::config {

namespace {

using tarvonel::VirtualHardwareType;

constexpr int kNoAvailableNodesTitle = 170;
constexpr int kNoIdeNodes = 171;
constexpr int kNoScsiNodes = 172;
constexpr int kNoSataNodes = 2872;
constexpr int kNoNvmeNodes = 2873;
constexpr int kNoScsiNodesEither = 173;
constexpr int kInvalidNodeTitle = 191;
constexpr int kNodeOccupied = 192;

RuleMessage noFreeNode(NodeBus bus)
{
    int why = kNoIdeNodes;
    switch (bus) {
    case NodeBus::IDE: why = kNoIdeNodes; break;
    case NodeBus::SCSI: why = kNoScsiNodes; break;
    case NodeBus::SATA: why = kNoSataNodes; break;
    case NodeBus::NVMe: why = kNoNvmeNodes; break;
    }
    return {kNoAvailableNodesTitle, why, {}, RuleIcon::Information};
}

bool startsWith(const std::string& text, std::string_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

/** Runs f on the item with the ID in the collection; false when there is none. */
template <class Coll, class F>
bool visitIn(const Coll& collection, const std::string& id, F& f)
{
    for (std::int32_t i = 1; i <= collection.Count(); ++i) {
        const auto item = collection.Item(i);
        if (item->ID() == id) {
            f(*item);
            return true;
        }
    }
    return false;
}

/** Runs f on the hard disk, CD-ROM or generic SCSI device; false for another kind or an unknown ID. */
template <class F>
bool visitDevice(const tarvonel::clsHardware& hardware, const NodeDevice& device, F&& f)
{
    switch (device.type) {
    case VirtualHardwareType::HardDrive:
        return visitIn(*hardware.HardDisks(), device.id, f);
    case VirtualHardwareType::CDRomDrive:
        return visitIn(*hardware.CDRoms(), device.id, f);
    case VirtualHardwareType::GenericSCSI:
        return visitIn(*hardware.GenericSCSIDevices(), device.id, f);
    default:
        return false;
    }
}

/** The first device of the collection on bus word, controller and node, in collection order. */
template <class Coll>
std::optional<NodeDevice> findOn(const Coll& collection, VirtualHardwareType type, const std::string& busWord,
                                 const NodeEntry& entry)
{
    for (std::int32_t i = 1; i <= collection.Count(); ++i) {
        const auto item = collection.Item(i);
        if (item->BusType() == busWord && item->Controller() == entry.controller && item->BusNode() == entry.node)
            return NodeDevice{type, item->ID()};
    }
    return std::nullopt;
}

/** Whether a device of the collection other than self sits on bus word, controller and node. */
template <class Coll>
bool heldByOther(const Coll& collection, VirtualHardwareType type, const std::string& busWord,
                 const NodeEntry& entry, const NodeDevice& self)
{
    for (std::int32_t i = 1; i <= collection.Count(); ++i) {
        const auto item = collection.Item(i);
        if (item->BusType() == busWord && item->Controller() == entry.controller &&
            item->BusNode() == entry.node && NodeDevice{type, item->ID()} != self)
            return true;
    }
    return false;
}

/** Whether the node is the one a SCSI controller takes for itself (a device there hides its label). */
bool controllersOwnNode(const tarvonel::clsHardware& hardware, NodeBus bus, const NodeEntry& entry)
{
    if (bus != NodeBus::SCSI)
        return false;
    const auto& controllers = *hardware.SCSIControllers();
    for (std::int32_t i = 1; i <= controllers.Count(); ++i) {
        const auto controller = controllers.Item(i);
        if (controller->DeviceNum() == entry.controller && controller->BusNode() == entry.node)
            return true;
    }
    return false;
}

/** Puts the device on the node; BusNode goes last, since only it refreshes the display name. */
void place(tarvonel::clsHardware& hardware, const NodeDevice& device, NodeBus bus, const NodeEntry& entry)
{
    visitDevice(hardware, device, [&](auto& item) {
        item.SetBusType(BusWord(bus));
        item.SetController(entry.controller);
        item.SetBusNode(entry.node);
    });
}

bool parseNumber(std::string_view text, std::int16_t& value)
{
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

/** First free node of the bus given to the device; false when the bus has none free. */
bool takeFirstFree(tarvonel::clsHardware& hardware, const NodeDevice& device, NodeBus bus, AutomaticNode& result)
{
    const auto entries = AvailableNodes(hardware, bus);
    const auto index = FirstFreeNode(entries);
    if (!index)
        return false;
    // "N/A" is "free" too: the choice then assigns nothing, and nothing is said.
    const NodeChoice choice = ChooseNode(hardware, device, bus, entries[*index]);
    result.assigned = choice.outcome == NodeChoice::Outcome::Assigned;
    return true;
}

} // namespace

const char* BusWord(NodeBus bus)
{
    switch (bus) {
    case NodeBus::IDE: return "IDE";
    case NodeBus::SCSI: return "SCSI";
    case NodeBus::SATA: return "SATA";
    case NodeBus::NVMe: return "NVMe";
    }
    return "IDE";
}

std::optional<NodeBus> BusOfType(const std::string& busType)
{
    for (const NodeBus bus : kNodeBuses) {
        if (busType == BusWord(bus))
            return bus;
    }
    return std::nullopt;
}

bool BusTakes(VirtualHardwareType deviceType, NodeBus bus)
{
    switch (deviceType) {
    case VirtualHardwareType::HardDrive: return true;
    case VirtualHardwareType::CDRomDrive: return bus != NodeBus::NVMe;
    case VirtualHardwareType::GenericSCSI: return bus == NodeBus::SCSI;
    default: return false;
    }
}

VirtualHardwareType ControllerKind(NodeBus bus)
{
    switch (bus) {
    case NodeBus::IDE: return VirtualHardwareType::IDEController;
    case NodeBus::SCSI: return VirtualHardwareType::SCSIController;
    case NodeBus::SATA: return VirtualHardwareType::SATAController;
    case NodeBus::NVMe: return VirtualHardwareType::NVMeController;
    }
    return VirtualHardwareType::IDEController;
}

std::vector<std::string> AvailableNodes(const tarvonel::clsHardware& hardware, NodeBus bus)
{
    try {
        switch (bus) {
        case NodeBus::IDE: return hardware.IDEControllers()->GetAvailableNodes();
        case NodeBus::SCSI: return hardware.SCSIControllers()->GetAvailableNodes();
        case NodeBus::SATA: return hardware.SATAControllers()->GetAvailableNodes();
        case NodeBus::NVMe: return hardware.NVMeControllers()->GetAvailableNodes();
        }
    } catch (const tarvonel::SubscriptOutOfRange&) {
    }
    return {};
}

NodeLists RefreshNodeLists(const tarvonel::clsHardware& hardware)
{
    return NodeLists{AvailableNodes(hardware, NodeBus::IDE), AvailableNodes(hardware, NodeBus::SCSI),
                     AvailableNodes(hardware, NodeBus::SATA), AvailableNodes(hardware, NodeBus::NVMe)};
}

std::optional<NodeEntry> ParseNodeEntry(NodeBus bus, const std::string& entry)
{
    // Every "IDE " (or "SCSI ") goes, the one in the occupant's label included: SCSI lists then
    // read "0:7 - Controller 0" and "0:2 - Gen 1".
    const std::string word = std::string(BusWord(bus)) + ' ';
    std::string text;
    text.reserve(entry.size());
    for (std::size_t i = 0; i < entry.size();) {
        if (entry.compare(i, word.size(), word) == 0) {
            i += word.size();
        } else {
            text += entry[i];
            ++i;
        }
    }
    if (text == "N/A")
        return std::nullopt;
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    std::size_t nodeEnd = text.find(' ', colon + 1);
    if (nodeEnd == std::string::npos)
        nodeEnd = text.size();
    NodeEntry parsed;
    if (!parseNumber(std::string_view(text).substr(0, colon), parsed.controller) ||
        !parseNumber(std::string_view(text).substr(colon + 1, nodeEnd - colon - 1), parsed.node))
        return std::nullopt;
    const std::size_t dash = text.find('-');
    if (dash != std::string::npos && dash + 2 <= text.size())
        parsed.occupant = text.substr(dash + 2);
    return parsed;
}

std::optional<std::size_t> FirstFreeNode(const std::vector<std::string>& entries)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].find('-') == std::string::npos)
            return i;
    }
    return std::nullopt;
}

NodeChoice ChooseNode(tarvonel::clsHardware& hardware, const NodeDevice& device, NodeBus bus,
                      const std::string& entry)
{
    NodeChoice result;
    std::string busType;
    if (!visitDevice(hardware, device, [&](const auto& item) { busType = item.BusType(); }))
        return result;
    // A generic SCSI device has no bus buttons; the others take a node of their selected bus only.
    const bool onBus = BusTakes(device.type, bus) &&
                       (device.type == VirtualHardwareType::GenericSCSI || BusOfType(busType) == bus);
    const auto chosen = onBus ? ParseNodeEntry(bus, entry) : std::nullopt;
    if (!chosen)
        return result;

    std::optional<NodeDevice> occupant;
    const std::string word = BusWord(bus);
    const std::string& label = chosen->occupant;
    if (startsWith(label, "Hard")) {
        occupant = findOn(*hardware.HardDisks(), VirtualHardwareType::HardDrive, word, *chosen);
    } else if (startsWith(label, "CD")) {
        occupant = findOn(*hardware.CDRoms(), VirtualHardwareType::CDRomDrive, word, *chosen);
    } else if (bus == NodeBus::SCSI && startsWith(label, "Gen")) {
        occupant = findOn(*hardware.GenericSCSIDevices(), VirtualHardwareType::GenericSCSI, word, *chosen);
    } else if (bus == NodeBus::SCSI && startsWith(label, "Controller")) {
        result.outcome = NodeChoice::Outcome::Refused;
        result.messages.push_back({kInvalidNodeTitle, kNodeOccupied, {}, RuleIcon::Exclamation});
        return result;
    }

    // Choosing the node the device already holds moves nothing.
    if (occupant && *occupant != device) {
        const auto entries = AvailableNodes(hardware, bus);
        const auto freeIndex = FirstFreeNode(entries);
        const auto freeNode = freeIndex ? ParseNodeEntry(bus, entries[*freeIndex]) : std::nullopt;
        if (!freeNode) {
            // Giving the node to the device anyway would put two devices on it, which VMware
            // refuses to start; the device keeps its node instead.
            result.outcome = NodeChoice::Outcome::Refused;
            result.messages.push_back(noFreeNode(bus));
            return result;
        }
        place(hardware, *occupant, bus, *freeNode);
        result.moved = occupant;
    }
    place(hardware, device, bus, *chosen);
    result.outcome = NodeChoice::Outcome::Assigned;
    return result;
}

void ChooseBus(tarvonel::clsHardware& hardware, const NodeDevice& device, NodeBus bus)
{
    visitDevice(hardware, device, [&](auto& item) { item.SetBusType(BusWord(bus)); });
}

BusSwitch SwitchBus(tarvonel::clsHardware& hardware, const NodeDevice& device, NodeBus bus)
{
    BusSwitch result;
    std::optional<NodeBus> current;
    NodeEntry own{-1, -1, {}};
    if (!visitDevice(hardware, device, [&](const auto& item) {
            current = BusOfType(item.BusType());
            own.controller = item.Controller();
            own.node = item.BusNode();
        }))
        return result;
    if (current == bus || !BusTakes(device.type, bus))
        return result;
    const auto entries = AvailableNodes(hardware, bus);
    const std::string word = BusWord(bus);
    // The old numbers, when the new bus has that node free: the list names it without an
    // occupant, and no device hides behind the SCSI controller's own label.
    if (own.controller >= 0 && own.node >= 0) {
        for (const auto& text : entries) {
            const auto entry = ParseNodeEntry(bus, text);
            if (!entry || entry->controller != own.controller || entry->node != own.node)
                continue;
            const bool held =
                !entry->occupant.empty() || controllersOwnNode(hardware, bus, *entry) ||
                heldByOther(*hardware.HardDisks(), VirtualHardwareType::HardDrive, word, *entry, device) ||
                heldByOther(*hardware.CDRoms(), VirtualHardwareType::CDRomDrive, word, *entry, device) ||
                heldByOther(*hardware.GenericSCSIDevices(), VirtualHardwareType::GenericSCSI, word, *entry, device);
            if (!held) {
                place(hardware, device, bus, *entry);
                result.moved = true;
                return result;
            }
            break;
        }
    }
    const auto index = FirstFreeNode(entries);
    // "N/A" (no controller on the new bus) parses to nothing: there is no node to go to.
    const auto freeNode = index ? ParseNodeEntry(bus, entries[*index]) : std::nullopt;
    if (!freeNode) {
        result.messages.push_back(noFreeNode(bus));
        return result;
    }
    place(hardware, device, bus, *freeNode);
    result.moved = true;
    return result;
}

std::vector<NodeDevice> DevicesOnController(const tarvonel::clsHardware& hardware,
                                            VirtualHardwareType controllerType, const std::string& controllerId)
{
    std::vector<NodeDevice> devices;
    std::optional<std::int16_t> number;
    NodeBus bus = NodeBus::IDE;
    try {
        switch (controllerType) {
        case VirtualHardwareType::IDEController:
            number = hardware.IDEControllers()->Item(-1, controllerId)->DeviceNum();
            break;
        case VirtualHardwareType::SCSIController:
            number = hardware.SCSIControllers()->Item(-1, controllerId)->DeviceNum();
            bus = NodeBus::SCSI;
            break;
        case VirtualHardwareType::SATAController:
            number = hardware.SATAControllers()->Item(-1, controllerId)->DeviceNum();
            bus = NodeBus::SATA;
            break;
        case VirtualHardwareType::NVMeController:
            number = hardware.NVMeControllers()->Item(-1, controllerId)->DeviceNum();
            bus = NodeBus::NVMe;
            break;
        default:
            break;
        }
    } catch (const tarvonel::Error&) {
        return devices;
    }
    if (!number)
        return devices;
    const std::string word = BusWord(bus);
    auto collect = [&](const auto& collection, VirtualHardwareType type) {
        for (std::int32_t i = 1; i <= collection.Count(); ++i) {
            const auto item = collection.Item(i);
            if (item->BusType() == word && item->Controller() == *number && item->BusNode() >= 0)
                devices.push_back({type, item->ID()});
        }
    };
    collect(*hardware.HardDisks(), VirtualHardwareType::HardDrive);
    collect(*hardware.CDRoms(), VirtualHardwareType::CDRomDrive);
    collect(*hardware.GenericSCSIDevices(), VirtualHardwareType::GenericSCSI);
    return devices;
}

bool NeedsAutomaticNode(const tarvonel::clsHardware& hardware, const NodeDevice& device)
{
    bool unassigned = false;
    visitDevice(hardware, device,
                [&](const auto& item) { unassigned = item.Controller() == -1 || item.BusNode() == -1; });
    return unassigned;
}

AutomaticNode AssignAutomaticNode(tarvonel::clsHardware& hardware, const NodeDevice& device)
{
    AutomaticNode result;
    if (!NeedsAutomaticNode(hardware, device))
        return result;
    std::optional<NodeBus> chosen;
    visitDevice(hardware, device, [&](const auto& item) { chosen = BusOfType(item.BusType()); });
    switch (device.type) {
    case VirtualHardwareType::CDRomDrive:
        // A CD-ROM the user put on the SATA bus stays there; otherwise IDE first, then SCSI.
        if (chosen == NodeBus::SATA) {
            if (!takeFirstFree(hardware, device, NodeBus::SATA, result))
                result.messages.push_back(noFreeNode(NodeBus::SATA));
            break;
        }
        ChooseBus(hardware, device, NodeBus::IDE);
        if (takeFirstFree(hardware, device, NodeBus::IDE, result))
            break;
        result.messages.push_back(noFreeNode(NodeBus::IDE));
        ChooseBus(hardware, device, NodeBus::SCSI);
        if (!takeFirstFree(hardware, device, NodeBus::SCSI, result))
            result.messages.push_back({kNoAvailableNodesTitle, kNoScsiNodesEither, {}, RuleIcon::Information});
        break;
    case VirtualHardwareType::HardDrive:
        if (chosen && !takeFirstFree(hardware, device, *chosen, result))
            result.messages.push_back(noFreeNode(*chosen));
        break;
    case VirtualHardwareType::GenericSCSI:
        if (!takeFirstFree(hardware, device, NodeBus::SCSI, result))
            result.messages.push_back(noFreeNode(NodeBus::SCSI));
        break;
    default:
        break;
    }
    return result;
}

namespace {

/** Adds the devices of the collection whose node lies at or beyond the bus's node count. */
template <class Coll>
void collectBeyond(const Coll& collection, VirtualHardwareType type, const std::int32_t (&counts)[4],
                   std::vector<NodeMisfit>& misfits)
{
    for (std::int32_t i = 1; i <= collection.Count(); ++i) {
        const auto item = collection.Item(i);
        const auto bus = BusOfType(item->BusType());
        if (!bus || item->Controller() < 0 || item->BusNode() < 0)
            continue;
        const std::int32_t count = counts[static_cast<int>(*bus)];
        if (count > 0 && item->BusNode() >= count)
            misfits.push_back({{type, item->ID()}, item->DisplayName()});
    }
}

} // namespace

std::vector<NodeMisfit> DevicesBeyondNodes(const tarvonel::clsHardware& hardware, std::int32_t scsiNodes,
                                           std::int32_t sataNodes, std::int32_t nvmeNodes)
{
    // IDE keeps its two nodes per controller on every version.
    const std::int32_t counts[4] = {0, scsiNodes, sataNodes, nvmeNodes};
    std::vector<NodeMisfit> misfits;
    collectBeyond(*hardware.HardDisks(), VirtualHardwareType::HardDrive, counts, misfits);
    collectBeyond(*hardware.CDRoms(), VirtualHardwareType::CDRomDrive, counts, misfits);
    collectBeyond(*hardware.GenericSCSIDevices(), VirtualHardwareType::GenericSCSI, counts, misfits);
    return misfits;
}

std::int32_t NodesInUse(const tarvonel::clsHardware& hardware, NodeBus bus)
{
    std::int32_t needed = 0;
    const std::string word = BusWord(bus);
    auto scan = [&](const auto& collection) {
        for (std::int32_t i = 1; i <= collection.Count(); ++i) {
            const auto item = collection.Item(i);
            if (item->BusType() == word && item->Controller() >= 0 && item->BusNode() >= 0)
                needed = std::max<std::int32_t>(needed, item->BusNode() + 1);
        }
    };
    scan(*hardware.HardDisks());
    scan(*hardware.CDRoms());
    scan(*hardware.GenericSCSIDevices());
    if (bus == NodeBus::SCSI) {
        // The controller's own node counts too.
        const auto& controllers = *hardware.SCSIControllers();
        for (std::int32_t i = 1; i <= controllers.Count(); ++i)
            needed = std::max<std::int32_t>(needed, controllers.Item(i)->BusNode() + 1);
    }
    return needed;
}

} // namespace zentravolix::config
