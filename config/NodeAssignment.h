// SPDX-License-Identifier: MIT
#pragma once

// Which controller node a hard disk, CD-ROM or generic SCSI device sits on, as the device pages
// offer it: the node lists built from the controllers' GetAvailableNodes, choosing an entry
// (moving a device that already holds the node out of the way), and the automatic node a device
// gets when it has none. The functions work on the model alone; the page refills its lists and
// shows the returned messages.

#include "config/FieldDecision.h"

#include <tarvonel/Enums.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvonel {
class clsHardware;
}

namespace zentravolix::config {

enum class NodeBus {
    IDE,
    SCSI,
    SATA,
    NVMe,
};

/** Every bus, in the order of the pages' bus buttons. */
inline constexpr NodeBus kNodeBuses[] = {NodeBus::IDE, NodeBus::SCSI, NodeBus::SATA, NodeBus::NVMe};

/** "IDE", "SCSI", "SATA" or "NVMe", as BusType holds it. */
const char* BusWord(NodeBus bus);
/** The bus of a BusType value (compared exactly); nothing for any other text. */
std::optional<NodeBus> BusOfType(const std::string& busType);

/** The entries of the node lists: every IDE list shows `ide`, every SCSI list `scsi`, and so on. */
struct NodeLists {
    std::vector<std::string> ide;
    std::vector<std::string> scsi;
    std::vector<std::string> sata;
    std::vector<std::string> nvme;
};

/**
 * The controllers' GetAvailableNodes for one bus ("N/A" alone without controllers). A model that
 * cannot list its nodes (a device read from a file names a node its controller does not have)
 * gives an empty list instead of an error.
 */
std::vector<std::string> AvailableNodes(const tarvonel::clsHardware& hardware, NodeBus bus);
/** Every bus's list (RefreshNodeLists). */
NodeLists RefreshNodeLists(const tarvonel::clsHardware& hardware);

/** A node list entry taken apart. */
struct NodeEntry {
    std::int16_t controller = 0;
    std::int16_t node = 0;
    /** "" for a free node, else the occupant as the list names it ("Hard Disk 0", "Gen 1", "Controller 0"). */
    std::string occupant;

    bool operator==(const NodeEntry&) const = default;
};

/**
 * The entry of a list of bus `bus`: "IDE 1:0", "SCSI 0:3 - CD-ROM 1". On a SCSI list the words
 * "SCSI " are dropped from the occupant too ("Gen 1", "Controller 0"). Nothing for "N/A" and for
 * a text without a controller:node pair.
 */
std::optional<NodeEntry> ParseNodeEntry(NodeBus bus, const std::string& entry);

/**
 * SelectFirstFreeNode's scan: the index of the first entry without "-" (a free node; "N/A" counts
 * as one); nothing when every entry is taken or the list is empty.
 */
std::optional<std::size_t> FirstFreeNode(const std::vector<std::string>& entries);

/** A device that sits on a node: a hard disk, CD-ROM or generic SCSI device, by its ID. */
struct NodeDevice {
    tarvonel::VirtualHardwareType type = tarvonel::VirtualHardwareType::HardDrive;
    std::string id;

    bool operator==(const NodeDevice&) const = default;
};

/**
 * Whether a device of this kind can sit on the bus: hard disks on every bus, CD-ROMs on IDE, SCSI
 * and SATA, generic SCSI devices on SCSI only.
 */
bool BusTakes(tarvonel::VirtualHardwareType deviceType, NodeBus bus);

/** The controller kind of a bus (IDEController, SCSIController, SATAController, NVMeController). */
tarvonel::VirtualHardwareType ControllerKind(NodeBus bus);

/** What choosing a node did. */
struct NodeChoice {
    enum class Outcome {
        /** Nothing to do: "N/A", a bus the device is not set to, an unknown device or entry. */
        Ignored,
        /** The device now sits on the chosen node. */
        Assigned,
        /** The choice was refused with a message; nothing changed. */
        Refused,
    };

    Outcome outcome = Outcome::Ignored;
    std::vector<RuleMessage> messages;
    /** The device that held the node and was moved to the first free node of the bus. */
    std::optional<NodeDevice> moved;
};

/**
 * The user (or the automatic assignment) chose `entry` of the bus-`bus` list on the page of
 * `device`. Hard disks and CD-ROMs take a node only of the bus their BusType names (the page's
 * selected bus button); generic SCSI devices only SCSI nodes. A node held by another device
 * moves that device to the first free node of the same bus first; when no node is free the
 * choice is refused with "No available <bus> nodes!" and both devices keep their nodes, so two
 * devices never share one. The SCSI controller's own node is refused with "Node already occupied
 * - cannot move". Model errors are not caught; nothing is changed before the last check passed.
 */
NodeChoice ChooseNode(tarvonel::clsHardware& hardware, const NodeDevice& device, NodeBus bus,
                      const std::string& entry);

/** Sets only the device's BusType; Controller and BusNode stay (the automatic node's first step). */
void ChooseBus(tarvonel::clsHardware& hardware, const NodeDevice& device, NodeBus bus);

/** What a bus button did. */
struct BusSwitch {
    /** The device was moved to a node of the new bus (false: it was there already, or refused). */
    bool moved = false;
    /** "No available <bus> nodes!" when the new bus had no free node. */
    std::vector<RuleMessage> messages;
};

/**
 * A bus button of a hard disk or CD-ROM: the device moves to a node of `bus`. It keeps its
 * controller:node when the new bus has that node and nobody holds it (nor the SCSI controller
 * itself), else it takes the first free node of the new bus; a device without a node takes the
 * first free one too. When the new bus has no free node (or no controller), the device stays where
 * it was, on its old bus, and "No available <bus> nodes!" says why. A bus the device cannot sit on
 * (a CD-ROM on NVMe) and the bus the device is on already change nothing.
 */
BusSwitch SwitchBus(tarvonel::clsHardware& hardware, const NodeDevice& device, NodeBus bus);

/**
 * The hard disks, CD-ROMs and generic SCSI devices that name a node of a controller (an
 * IDE, SCSI, SATA or NVMe controller item, by its ID), in that kind order and collection order;
 * empty for another kind or an unknown ID.
 */
std::vector<NodeDevice> DevicesOnController(const tarvonel::clsHardware& hardware,
                                            tarvonel::VirtualHardwareType controllerType,
                                            const std::string& controllerId);

/** Whether the device has no node (Controller or BusNode is -1); false for an unknown device. */
bool NeedsAutomaticNode(const tarvonel::clsHardware& hardware, const NodeDevice& device);

/** What the automatic assignment did. */
struct AutomaticNode {
    /** The device got a node. */
    bool assigned = false;
    /** The messages to show in order (none, one, or for a CD-ROM both "No available" messages). */
    std::vector<RuleMessage> messages;
};

/**
 * The automatic node for a device without one (NeedsAutomaticNode), after its drive, image, disk
 * file or host device was entered: a CD-ROM takes the first free IDE node, else (after "No
 * available IDE nodes!") the first free SCSI node, else "No available SCSI nodes either!"; a hard
 * disk the first free node of the bus its BusType names, without falling back to the other bus; a
 * generic SCSI device the first free SCSI node. A CD-ROM whose BusType is "SATA" takes the first
 * free SATA node, without falling back (the user chose that bus). A bus without controllers
 * ("N/A") assigns nothing and says nothing. A device that has a node already is left alone.
 */
AutomaticNode AssignAutomaticNode(tarvonel::clsHardware& hardware, const NodeDevice& device);

/** One device that would not fit another product version, by its display name. */
struct NodeMisfit {
    NodeDevice device;
    std::string displayName;
};

/**
 * The devices that sit on a node a controller with these node counts would not have (a SCSI unit
 * 12 with 8 nodes per SCSI controller), in kind and collection order; empty when everything fits.
 * A count below 1 is taken as "not known" and checks nothing on that bus.
 */
std::vector<NodeMisfit> DevicesBeyondNodes(const tarvonel::clsHardware& hardware, std::int32_t scsiNodes,
                                           std::int32_t sataNodes, std::int32_t nvmeNodes);

/**
 * The node count a bus's controllers need so that no device sits beyond their nodes: the largest
 * BusNode + 1 of the devices on that bus (0 without any).
 */
std::int32_t NodesInUse(const tarvonel::clsHardware& hardware, NodeBus bus);

} // namespace zentravolix::config
