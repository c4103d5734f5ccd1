// SPDX-License-Identifier: MIT
#pragma once

// The attachment queries shared by the IDE and the SCSI controller. A controller knows nothing of
// its devices: it walks the device collections of its hardware container and picks the devices
// whose BusType and Controller name it.

#include "detail/ItemAccess.h"

#include <tarvonel/AttachmentInfo.h>
#include <tarvonel/Error.h>
#include <tarvonel/clsHardware.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace tarvonel::detail {

/** Error 91 of the classic runtime: the object the call needs is gone. */
[[noreturn]] void ThrowParentReleased();

/**
 * The hardware container of a controller, reached through its collection. Throws Error (91) when
 * the collection or the container was released: the controller is then an orphan the client kept.
 */
template <class Controller>
std::shared_ptr<clsHardware> HardwareOf(const Controller& controller)
{
    const auto collection = std::static_pointer_cast<Collection<Controller>>(ItemAccess::Parent(controller));
    if (!collection)
        ThrowParentReleased();
    auto hardware = std::static_pointer_cast<clsHardware>(ItemAccess::Parent(*collection));
    if (!hardware)
        ThrowParentReleased();
    return hardware;
}

/** The devices of hardware on busType controller number controller; see GetConnectedCDRoms. */
void ConnectedCDRoms(const clsHardware& hardware, const std::string& busType, std::int16_t controller,
                     std::vector<CDRInfo>& records, std::int32_t& count);
void ConnectedHardDisks(const clsHardware& hardware, const std::string& busType, std::int16_t controller,
                        std::vector<HDInfo>& records, std::int32_t& count);
void ConnectedGenericSCSIs(const clsHardware& hardware, const std::string& busType, std::int16_t controller,
                           std::vector<GenSCSIInfo>& records, std::int32_t& count);

/** maxNodes empty labels; throws SubscriptOutOfRange when maxNodes < 1. */
std::vector<std::string> EmptyNodes(std::int32_t maxNodes);
/** Puts label at node; throws SubscriptOutOfRange for a node outside the controller's nodes. */
void PutNodeLabel(std::vector<std::string>& nodes, std::int16_t node, std::string label);

/**
 * Writes the labels ("CD-ROM 0") of the devices of one collection on busType controller number
 * controller into nodes, in collection order. The devices are looked at in place: the records
 * of Connected* would copy every device's names first.
 */
template <class Devices>
void PutLabelsOf(std::vector<std::string>& nodes, const Devices& devices, const std::string& busType,
                 std::int16_t controller, const std::string& word)
{
    const std::int32_t total = devices.Count();
    for (std::int32_t i = 1; i <= total; ++i) {
        const auto device = devices.Item(i);
        // Exact comparison: a device on bus "ide" belongs to no controller.
        if (device->Controller() != controller || device->BusType() != busType)
            continue;
        PutNodeLabel(nodes, device->BusNode(), word + " " + std::to_string(device->DeviceNum()));
    }
}

/** Labels of the CD-ROMs, then the hard disks, on busType controller number controller. */
void PutDiskAndCDRomLabels(std::vector<std::string>& nodes, const clsHardware& hardware,
                           const std::string& busType, std::int16_t controller);

/** GetAvailableNodes of both controller collections; prefix is "IDE " or "SCSI ". */
template <class Controllers>
std::vector<std::string> AvailableNodes(const Controllers& controllers, const std::string& prefix)
{
    const std::int32_t count = controllers.Count();
    if (count == 0)
        return {"N/A"};
    const std::int32_t perController = controllers.MaxNodesPerController();
    if (perController < 1)
        throw SubscriptOutOfRange("No nodes per controller");
    // The label count is a 32-bit product.
    if (static_cast<std::int64_t>(count) * perController > std::numeric_limits<std::int32_t>::max())
        throw Overflow();

    std::vector<std::string> labels;
    for (std::int32_t i = 1; i <= count; ++i) {
        const auto controller = controllers.Item(i);
        const std::vector<std::string> nodes = controller->Nodes();
        const std::string head = prefix + std::to_string(controller->DeviceNum()) + ":";
        for (std::int32_t n = 0; n < perController; ++n) {
            if (static_cast<std::size_t>(n) >= nodes.size())
                throw SubscriptOutOfRange("Node outside the controller's nodes");
            std::string label = head + std::to_string(n);
            if (!nodes[static_cast<std::size_t>(n)].empty())
                label += " - " + nodes[static_cast<std::size_t>(n)];
            labels.push_back(std::move(label));
        }
    }
    return labels;
}

} // namespace tarvonel::detail
