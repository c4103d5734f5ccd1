// SPDX-License-Identifier: MIT
#include "config/DeviceKinds.h"

#include <algorithm>

namespace zentravolix::config {

namespace {

using tarvonel::VirtualHardwareType;

/** The kinds are numbered upwards from 0, far below this bound. */
constexpr int kKindValueBound = 1024;

/** Number of enum values from -1 up to the bound that VisitDeviceKind() describes. */
constexpr std::size_t describedKinds()
{
    std::size_t count = 0;
    for (int value = -1; value < kKindValueBound; ++value) {
        if (IsDeviceKind(static_cast<VirtualHardwareType>(value)))
            ++count;
    }
    return count;
}

/** Whether every entry of the list order is a kind below the bound, each once. */
constexpr bool orderListsKindsOnce()
{
    for (std::size_t i = 0; i < kDeviceKindOrder.size(); ++i) {
        const int value = static_cast<int>(kDeviceKindOrder[i]);
        if (!IsDeviceKind(kDeviceKindOrder[i]) || value < 0 || value >= kKindValueBound)
            return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (kDeviceKindOrder[j] == kDeviceKindOrder[i])
                return false;
        }
    }
    return true;
}

/** Whether each kind's facts name the kind they describe. */
constexpr bool factsNameTheirKind()
{
    return std::all_of(kDeviceKindOrder.begin(), kDeviceKindOrder.end(),
                       [](VirtualHardwareType type) { return FindDeviceKind(type)->type == type; });
}

static_assert(orderListsKindsOnce(), "kDeviceKindOrder holds a value that is no kind, or a kind twice");
static_assert(describedKinds() == kDeviceKindOrder.size(), "a described device kind is missing from kDeviceKindOrder");
static_assert(factsNameTheirKind(), "a kind's facts carry another kind's type");
static_assert(!IsDeviceKind(VirtualHardwareType::Device), "Device stands for any device and is no kind");

} // namespace

std::optional<std::size_t> DeviceKindPosition(VirtualHardwareType type)
{
    const auto found = std::find(kDeviceKindOrder.begin(), kDeviceKindOrder.end(), type);
    if (found == kDeviceKindOrder.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - kDeviceKindOrder.begin());
}

bool MayAddDevice(VirtualHardwareType type, std::int32_t count, const AddMaxima& maxima)
{
    const auto facts = FindDeviceKind(type);
    if (!facts)
        return false;
    // 64-bit arithmetic: the caller's maxima cannot overflow the node counts. A SCSI controller
    // keeps one node for itself; the other buses give every node to a device.
    const auto nodes = [](std::int32_t controllers, std::int32_t perController) {
        return static_cast<std::int64_t>(std::max(controllers, 0)) * std::max(perController, 0);
    };
    const std::int64_t scsiNodes = nodes(maxima.scsiControllers, maxima.scsiNodes - 1);
    const std::int64_t sataNodes = nodes(maxima.sataControllers, maxima.sataNodes);
    const std::int64_t nvmeNodes = nodes(maxima.nvmeControllers, maxima.nvmeNodes);
    constexpr std::int64_t ideNodes = 4;
    switch (facts->addLimit) {
    case AddLimit::Fixed: return count < facts->fixedLimit;
    case AddLimit::ProductCPUs: return count < maxima.cpus;
    case AddLimit::ProductNICs: return count < maxima.nics;
    case AddLimit::ProductSCSIControllers: return count < maxima.scsiControllers;
    case AddLimit::ScsiNodes: return count < scsiNodes;
    case AddLimit::ProductSATAControllers: return count < maxima.sataControllers;
    case AddLimit::ProductNVMeControllers: return count < maxima.nvmeControllers;
    case AddLimit::DiskNodes: return count < ideNodes + scsiNodes + sataNodes + nvmeNodes;
    case AddLimit::CDRomNodes: return count < ideNodes + scsiNodes + sataNodes;
    }
    return false;
}

bool MayRemoveDevice(VirtualHardwareType type, std::int16_t deviceNum)
{
    const auto facts = FindDeviceKind(type);
    if (!facts)
        return true;
    switch (facts->kept) {
    case KeptDevices::None: return true;
    case KeptDevices::First: return deviceNum != 0;
    case KeptDevices::FirstTwo: return deviceNum != 0 && deviceNum != 1;
    }
    return true;
}

} // namespace zentravolix::config
