// SPDX-License-Identifier: MIT
#include <tarvonel/clsIDEController.h>

#include "detail/CollectionImpl.h"
#include "devices/ControllerQueries.h"

namespace tarvonel {

namespace {
const std::string kBus = "IDE";
}

clsIDEController::clsIDEController(detail::Passkey) {}
clsIDEController::~clsIDEController() = default;

void clsIDEController::SetEnabled(bool value)
{
    m_enabled = value;
    m_summary = m_enabled ? "Present" : "Disabled";
}

std::vector<std::string> clsIDEController::Nodes() const
{
    const auto hardware = detail::HardwareOf(*this);
    std::vector<std::string> nodes = detail::EmptyNodes(m_maxNodes);

    detail::PutDiskAndCDRomLabels(nodes, *hardware, kBus, DeviceNum());
    return nodes;
}

std::int32_t clsIDEController::GetConnectedCDRoms(std::vector<CDRInfo>& CCDR, std::int32_t& lCount) const
{
    detail::ConnectedCDRoms(*detail::HardwareOf(*this), kBus, DeviceNum(), CCDR, lCount);
    return 0;
}

std::int32_t clsIDEController::GetConnectedHardDisks(std::vector<HDInfo>& CHD, std::int32_t& lCount) const
{
    detail::ConnectedHardDisks(*detail::HardwareOf(*this), kBus, DeviceNum(), CHD, lCount);
    return 0;
}

template <>
void Collection<clsIDEController>::InitializeItem(clsIDEController& item)
{
    item.SetEnabled(true);
    detail::ItemAccess::SetMaxNodes(item, static_cast<clsIDEControllers&>(*this).MaxNodesPerController());
}

template class Collection<clsIDEController>;

clsIDEControllers::clsIDEControllers(detail::Passkey) {}
clsIDEControllers::~clsIDEControllers() = default;

std::vector<std::string> clsIDEControllers::GetAvailableNodes() const
{
    return detail::AvailableNodes(*this, "IDE ");
}

void clsIDEControllers::SetMaxNodesPerController(std::int32_t value)
{
    m_maxNodesPerController = value;
    for (std::int32_t i = 1; i <= Count(); ++i)
        detail::ItemAccess::SetMaxNodes(*Item(i), value);
}

} // namespace tarvonel
