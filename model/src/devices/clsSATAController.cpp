// SPDX-License-Identifier: MIT
#include <tarvonel/clsSATAController.h>

#include "detail/CollectionImpl.h"
#include "devices/ControllerQueries.h"

namespace tarvonel {

namespace {
const std::string kBus = "SATA";
}

clsSATAController::clsSATAController(detail::Passkey) {}
clsSATAController::~clsSATAController() = default;

void clsSATAController::SetEnabled(bool value)
{
    m_enabled = value;
    m_summary = m_enabled ? "Present" : "Disabled";
}

std::vector<std::string> clsSATAController::Nodes() const
{
    const auto hardware = detail::HardwareOf(*this);
    std::vector<std::string> nodes = detail::EmptyNodes(m_maxNodes);
    detail::PutDiskAndCDRomLabels(nodes, *hardware, kBus, DeviceNum());
    return nodes;
}

std::int32_t clsSATAController::GetConnectedCDRoms(std::vector<CDRInfo>& CCDR, std::int32_t& lCount) const
{
    detail::ConnectedCDRoms(*detail::HardwareOf(*this), kBus, DeviceNum(), CCDR, lCount);
    return 0;
}

std::int32_t clsSATAController::GetConnectedHardDisks(std::vector<HDInfo>& CHD, std::int32_t& lCount) const
{
    detail::ConnectedHardDisks(*detail::HardwareOf(*this), kBus, DeviceNum(), CHD, lCount);
    return 0;
}

template <>
void Collection<clsSATAController>::InitializeItem(clsSATAController& item)
{
    item.SetEnabled(true);
    detail::ItemAccess::SetMaxNodes(item, static_cast<clsSATAControllers&>(*this).MaxNodesPerController());
}

template class Collection<clsSATAController>;

clsSATAControllers::clsSATAControllers(detail::Passkey) {}
clsSATAControllers::~clsSATAControllers() = default;

std::vector<std::string> clsSATAControllers::GetAvailableNodes() const
{
    return detail::AvailableNodes(*this, "SATA ");
}

void clsSATAControllers::SetMaxNodesPerController(std::int32_t value)
{
    m_maxNodesPerController = value;
    for (std::int32_t i = 1; i <= Count(); ++i)
        detail::ItemAccess::SetMaxNodes(*Item(i), value);
}

} // namespace tarvonel
