// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/HardwareEdits.h"

#include "config/DeviceKinds.h"
#include "config/ProductLimits.h"
#include "editor/dialogs/frmAddHardware.h"

#include <tarvonel/tarvonel.h>

namespace zentravolix::editor {

namespace {

using tarvonel::VirtualHardwareType;

/** Runs f on the collection of a kind; fallback for a value that is no kind. */
template <class R, class F>
R withCollection(const tarvonel::clsHardware& hw, VirtualHardwareType type, R fallback, F f)
{
    return config::VisitDeviceKind(type, std::move(fallback),
                                   [&](const auto& kind) -> R { return f(kind.collection(hw)); });
}

} // namespace

std::int32_t DeviceCount(const tarvonel::clsHardware& hardware, VirtualHardwareType type)
{
    return withCollection(hardware, type, std::int32_t{0}, [](const auto& c) { return c->Count(); });
}

std::optional<std::string> AddDevice(tarvonel::clsHardware& hardware, VirtualHardwareType type)
{
    // An ID is never empty, so "" can stand for "no such kind" here (g++ 12 warns falsely about
    // an optional<string> passed through the dispatcher).
    std::string id = withCollection(hardware, type, std::string{}, [](const auto& c) { return c->Add()->ID(); });
    if (id.empty())
        return std::nullopt;
    // One processor more may leave the cores per processor no divisor of the count.
    if (type == VirtualHardwareType::CPU)
        config::FitCoresPerSocket(hardware, 0);
    return id;
}

bool RemoveDevice(tarvonel::clsHardware& hardware, VirtualHardwareType type, const std::string& id)
{
    if (!DeviceNumber(hardware, type, id))
        return false;
    const bool removed = withCollection(hardware, type, false, [&id](const auto& c) {
        c->Remove(-1, id);
        return true;
    });
    if (removed && type == VirtualHardwareType::CPU)
        config::FitCoresPerSocket(hardware, 0);
    return removed;
}

std::optional<std::int16_t> DeviceNumber(const tarvonel::clsHardware& hardware, VirtualHardwareType type,
                                         const std::string& id)
{
    if (id.empty())
        return std::nullopt;
    return withCollection(hardware, type, std::optional<std::int16_t>{},
                          [&id](const auto& c) -> std::optional<std::int16_t> {
                              try {
                                  return c->Item(-1, id)->DeviceNum();
                              } catch (const tarvonel::Error&) {
                                  return std::nullopt;
                              }
                          });
}

bool MayRemoveDevice(VirtualHardwareType type, std::int16_t deviceNum)
{
    return config::MayRemoveDevice(type, deviceNum);
}

void SetAddHardwareCounts(frmAddHardware& dialog, const tarvonel::clsHardware& hw, const EditorLimits& limits)
{
    for (const auto type : config::DeviceKinds())
        dialog.Counts[type] = DeviceCount(hw, type);
    dialog.lMaxCPUCount = limits.MaxCPUs;
    dialog.lMaxNICCount = limits.MaxNICs;
    dialog.lMaxSCSICount = limits.MaxSCSIControllers;
    dialog.lMaxSATACount = limits.MaxSATAControllers;
    dialog.lMaxNVMeCount = limits.MaxNVMeControllers;
    dialog.lSCSINodes = limits.ScsiNodes;
    dialog.lSATANodes = limits.SataNodes;
    dialog.lNVMeNodes = limits.NvmeNodes;
}

} // namespace zentravolix::editor
