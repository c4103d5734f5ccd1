// SPDX-License-Identifier: MIT
#include "devices/ControllerQueries.h"

#include <tarvonel/clsCDRom.h>
#include <tarvonel/clsGenSCSI.h>
#include <tarvonel/clsHardDisk.h>
#include <tarvonel/clsHardware.h>

namespace tarvonel::detail {

namespace {

void Fill(CDRInfo& record, const clsCDRom& device)
{
    record.iDeviceNum = device.DeviceNum();
    record.bEnabled = device.Enabled();
    record.bConnectAtBoot = device.ConnectedAtBoot();
    record.szName = device.DeviceName();
    record.szType = device.DeviceType();
    record.bLegacy = device.LegacyEmulation();
    record.bExclusive = device.ExclusiveConnection();
    record.szBusType = device.BusType();
    record.iController = device.Controller();
    record.iNode = device.BusNode();
}

void Fill(HDInfo& record, const clsHardDisk& device)
{
    record.iDeviceNum = device.DeviceNum();
    record.bEnabled = device.Enabled();
    record.szName = device.DeviceName();
    record.szType = device.DeviceType();
    record.lSize = device.DiskSize();
    record.szMode = device.Mode();
    record.szBusType = device.BusType();
    record.iController = device.Controller();
    record.iNode = device.BusNode();
}

void Fill(GenSCSIInfo& record, const clsGenSCSI& device)
{
    record.iDeviceNum = device.DeviceNum();
    record.bEnabled = device.Enabled();
    record.bConnectAtBoot = device.ConnectedAtBoot();
    record.szName = device.DeviceName();
    record.szType = device.DeviceType();
    record.szBusType = device.BusType();
    record.iController = device.Controller();
    record.iNode = device.BusNode();
}

// Callers have always received one empty record when nothing is attached, so the result holds
// max(1, count) records. It is built aside and handed over at the end: a failure changes nothing.
template <class Devices, class Record>
void Collect(const Devices& devices, const std::string& busType, std::int16_t controller,
             std::vector<Record>& records, std::int32_t& count)
{
    std::vector<Record> found(1);
    std::int32_t foundCount = 0;
    const std::int32_t total = devices.Count();
    for (std::int32_t i = 1; i <= total; ++i) {
        const auto device = devices.Item(i);
        // Exact comparison: a device on bus "ide" belongs to no controller.
        if (device->BusType() != busType || device->Controller() != controller)
            continue;
        if (static_cast<std::size_t>(foundCount) >= found.size())
            found.resize(static_cast<std::size_t>(foundCount) + 1);
        Fill(found[static_cast<std::size_t>(foundCount)], *device);
        ++foundCount;
    }
    records.swap(found);
    count = foundCount;
}

} // namespace

void ThrowParentReleased()
{
    throw Error(91, "Object variable not set: the controller's collection or hardware was released");
}

void ConnectedCDRoms(const clsHardware& hardware, const std::string& busType, std::int16_t controller,
                     std::vector<CDRInfo>& records, std::int32_t& count)
{
    Collect(*hardware.CDRoms(), busType, controller, records, count);
}

void ConnectedHardDisks(const clsHardware& hardware, const std::string& busType, std::int16_t controller,
                        std::vector<HDInfo>& records, std::int32_t& count)
{
    Collect(*hardware.HardDisks(), busType, controller, records, count);
}

void ConnectedGenericSCSIs(const clsHardware& hardware, const std::string& busType, std::int16_t controller,
                           std::vector<GenSCSIInfo>& records, std::int32_t& count)
{
    Collect(*hardware.GenericSCSIDevices(), busType, controller, records, count);
}

std::vector<std::string> EmptyNodes(std::int32_t maxNodes)
{
    if (maxNodes < 1)
        throw SubscriptOutOfRange("The controller has no nodes");
    return std::vector<std::string>(static_cast<std::size_t>(maxNodes));
}

void PutDiskAndCDRomLabels(std::vector<std::string>& nodes, const clsHardware& hardware,
                           const std::string& busType, std::int16_t controller)
{
    PutLabelsOf(nodes, *hardware.CDRoms(), busType, controller, "CD-ROM");
    PutLabelsOf(nodes, *hardware.HardDisks(), busType, controller, "Hard Disk");
}

void PutNodeLabel(std::vector<std::string>& nodes, std::int16_t node, std::string label)
{
    if (node < 0 || static_cast<std::size_t>(node) >= nodes.size())
        throw SubscriptOutOfRange("Node " + std::to_string(node) + " is outside the controller's nodes 0.." +
                                  std::to_string(nodes.size() - 1));
    nodes[static_cast<std::size_t>(node)] = std::move(label);
}

} // namespace tarvonel::detail
