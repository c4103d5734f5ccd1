// SPDX-License-Identifier: MIT
#include <tarvonel/clsSCSIController.h>

#include "detail/CollectionImpl.h"
#include "devices/ControllerQueries.h"

#include <tarvonel/clsGenSCSI.h>

namespace tarvonel {

namespace {
const std::string kBus = "SCSI";
}

clsSCSIController::clsSCSIController(detail::Passkey) {}
clsSCSIController::~clsSCSIController() = default;

void clsSCSIController::SetControllerType(std::int16_t value)
{
    m_controllerType = value;
    if (m_controllerType == 0)
        m_summary = "Buslogic";
    else if (m_controllerType == 1)
        m_summary = "LSIlogic";
}

std::vector<std::string> clsSCSIController::Nodes() const
{
    const auto hardware = detail::HardwareOf(*this);
    std::vector<std::string> nodes = detail::EmptyNodes(m_maxNodes);
    // The controller takes a SCSI ID of its own (7 by default), like any device on the bus.
    detail::PutNodeLabel(nodes, m_busNode, "SCSI Controller " + std::to_string(DeviceNum()));

    detail::PutDiskAndCDRomLabels(nodes, *hardware, kBus, DeviceNum());

    detail::PutLabelsOf(nodes, *hardware->GenericSCSIDevices(), kBus, DeviceNum(), "Gen SCSI");
    return nodes;
}

std::int32_t clsSCSIController::GetConnectedCDRoms(std::vector<CDRInfo>& CCDR, std::int32_t& lCount) const
{
    detail::ConnectedCDRoms(*detail::HardwareOf(*this), kBus, DeviceNum(), CCDR, lCount);
    return 0;
}

std::int32_t clsSCSIController::GetConnectedHardDisks(std::vector<HDInfo>& CHD, std::int32_t& lCount) const
{
    detail::ConnectedHardDisks(*detail::HardwareOf(*this), kBus, DeviceNum(), CHD, lCount);
    return 0;
}

std::int32_t clsSCSIController::GetConnectedGenericSCSIs(std::vector<GenSCSIInfo>& CGS,
                                                         std::int32_t& lCount) const
{
    detail::ConnectedGenericSCSIs(*detail::HardwareOf(*this), kBus, DeviceNum(), CGS, lCount);
    return 0;
}

template <>
void Collection<clsSCSIController>::InitializeItem(clsSCSIController& item)
{
    item.SetEnabled(true);
    item.SetControllerType(0);
    detail::ItemAccess::SetMaxNodes(item, static_cast<clsSCSIControllers&>(*this).MaxNodesPerController());
    item.SetBusNode(7);
}

template class Collection<clsSCSIController>;

clsSCSIControllers::clsSCSIControllers(detail::Passkey) {}
clsSCSIControllers::~clsSCSIControllers() = default;

std::vector<std::string> clsSCSIControllers::GetAvailableNodes() const
{
    return detail::AvailableNodes(*this, "SCSI ");
}

void clsSCSIControllers::SetMaxNodesPerController(std::int32_t value)
{
    m_maxNodesPerController = value;
    for (std::int32_t i = 1; i <= Count(); ++i)
        detail::ItemAccess::SetMaxNodes(*Item(i), value);
}

} // namespace tarvonel
