// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/HardwareEdits.h"

#include "editor/dialogs/frmAddHardware.h"

#include <tarvonel/tarvonel.h>

namespace zentravolix::editor {

namespace {

using tarvonel::VirtualHardwareType;

/** Runs f on the collection of a kind; fallback for a value outside CPU..Mouse. */
template <class R, class F>
R withCollection(const tarvonel::clsHardware& hw, VirtualHardwareType type, R fallback, F f)
{
    switch (type) {
    case VirtualHardwareType::CPU: return f(hw.CPUs());
    case VirtualHardwareType::RAM: return f(hw.Memory());
    case VirtualHardwareType::Floppy: return f(hw.Floppies());
    case VirtualHardwareType::Parallel: return f(hw.ParallelPorts());
    case VirtualHardwareType::Serial: return f(hw.SerialPorts());
    case VirtualHardwareType::Audio: return f(hw.AudioDevices());
    case VirtualHardwareType::Network: return f(hw.NetworkAdapters());
    case VirtualHardwareType::USB: return f(hw.USBControllers());
    case VirtualHardwareType::IDEController: return f(hw.IDEControllers());
    case VirtualHardwareType::SCSIController: return f(hw.SCSIControllers());
    case VirtualHardwareType::HardDrive: return f(hw.HardDisks());
    case VirtualHardwareType::CDRomDrive: return f(hw.CDRoms());
    case VirtualHardwareType::GenericSCSI: return f(hw.GenericSCSIDevices());
    case VirtualHardwareType::Display: return f(hw.Displays());
    case VirtualHardwareType::Mouse: return f(hw.Mice());
    case VirtualHardwareType::Device: break;
    }
    return fallback;
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
    return id;
}

bool RemoveDevice(tarvonel::clsHardware& hardware, VirtualHardwareType type, const std::string& id)
{
    if (!DeviceNumber(hardware, type, id))
        return false;
    return withCollection(hardware, type, false, [&id](const auto& c) {
        c->Remove(-1, id);
        return true;
    });
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
    switch (type) {
    case VirtualHardwareType::CPU:
    case VirtualHardwareType::RAM:
    case VirtualHardwareType::SCSIController:
    case VirtualHardwareType::Display:
    case VirtualHardwareType::Mouse: return deviceNum != 0;
    case VirtualHardwareType::IDEController: return deviceNum != 0 && deviceNum != 1;
    default: return true;
    }
}

void SetAddHardwareCounts(frmAddHardware& dialog, const tarvonel::clsHardware& hw, const EditorLimits& limits)
{
    dialog.lCurrentCPUCount = DeviceCount(hw, VirtualHardwareType::CPU);
    dialog.lCurrentMemoryCount = DeviceCount(hw, VirtualHardwareType::RAM);
    dialog.lCurrentFloppyCount = DeviceCount(hw, VirtualHardwareType::Floppy);
    dialog.lCurrentParallelCount = DeviceCount(hw, VirtualHardwareType::Parallel);
    dialog.lCurrentSerialCount = DeviceCount(hw, VirtualHardwareType::Serial);
    dialog.lCurrentAudioCount = DeviceCount(hw, VirtualHardwareType::Audio);
    dialog.lCurrentNetworksCount = DeviceCount(hw, VirtualHardwareType::Network);
    dialog.lCurrentUSBCount = DeviceCount(hw, VirtualHardwareType::USB);
    dialog.lCurrentIDECount = DeviceCount(hw, VirtualHardwareType::IDEController);
    dialog.lCurrentSCSICount = DeviceCount(hw, VirtualHardwareType::SCSIController);
    dialog.lCurrentHDCount = DeviceCount(hw, VirtualHardwareType::HardDrive);
    dialog.lCurrentCDCount = DeviceCount(hw, VirtualHardwareType::CDRomDrive);
    dialog.lCurrentGenSCSICount = DeviceCount(hw, VirtualHardwareType::GenericSCSI);
    dialog.lCurrentDisplayCount = DeviceCount(hw, VirtualHardwareType::Display);
    dialog.lCurrentMouseCount = DeviceCount(hw, VirtualHardwareType::Mouse);
    dialog.lMaxCPUCount = limits.MaxCPUs;
    dialog.lMaxNICCount = limits.MaxNICs;
    dialog.lMaxSCSICount = limits.MaxSCSIControllers;
}

} // namespace zentravolix::editor
