// SPDX-License-Identifier: MIT
#include <tarvonel/clsNVMeController.h>

#include "detail/CollectionImpl.h"
#include "devices/ControllerQueries.h"

namespace tarvonel {

namespace {
const std::string kBus = "NVMe";
}

clsNVMeController::clsNVMeController(detail::Passkey) {}
clsNVMeController::~clsNVMeController() = default;

void clsNVMeController::SetEnabled(bool value)
{
    m_enabled = value;
    m_summary = m_enabled ? "Present" : "Disabled";
}

std::vector<std::string> clsNVMeController::Nodes() const
{
    const auto hardware = detail::HardwareOf(*this);
    std::vector<std::string> nodes = detail::EmptyNodes(m_maxNodes);
    detail::PutDiskAndCDRomLabels(nodes, *hardware, kBus, DeviceNum());
    return nodes;
}

std::int32_t clsNVMeController::GetConnectedHardDisks(std::vector<HDInfo>& CHD, std::int32_t& lCount) const
{
    detail::ConnectedHardDisks(*detail::HardwareOf(*this), kBus, DeviceNum(), CHD, lCount);
    return 0;
}

template <>
void Collection<clsNVMeController>::InitializeItem(clsNVMeController& item)
{
    item.SetEnabled(true);
    detail::ItemAccess::SetMaxNodes(item, static_cast<clsNVMeControllers&>(*this).MaxNodesPerController());
}

template class Collection<clsNVMeController>;

clsNVMeControllers::clsNVMeControllers(detail::Passkey) {}
clsNVMeControllers::~clsNVMeControllers() = default;

std::vector<std::string> clsNVMeControllers::GetAvailableNodes() const
{
    return detail::AvailableNodes(*this, "NVMe ");
}

void clsNVMeControllers::SetMaxNodesPerController(std::int32_t value)
{
    m_maxNodesPerController = value;
    for (std::int32_t i = 1; i <= Count(); ++i)
        detail::ItemAccess::SetMaxNodes(*Item(i), value);
}

} // namespace tarvonel
