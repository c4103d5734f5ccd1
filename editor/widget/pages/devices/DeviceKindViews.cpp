// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/DeviceKindViews.h"

#include "editor/widget/pages/devices/AudioPage.h"
#include "editor/widget/pages/devices/BusControllerPages.h"
#include "editor/widget/pages/devices/CDRomPage.h"
#include "editor/widget/pages/devices/CpuPage.h"
#include "editor/widget/pages/devices/DisplayPage.h"
#include "editor/widget/pages/devices/EthernetPage.h"
#include "editor/widget/pages/devices/FloppyPage.h"
#include "editor/widget/pages/devices/GenSCSIPage.h"
#include "editor/widget/pages/devices/HardDiskPage.h"
#include "editor/widget/pages/devices/IDEControllerPage.h"
#include "editor/widget/pages/devices/MemoryPage.h"
#include "editor/widget/pages/devices/MousePage.h"
#include "editor/widget/pages/devices/ParallelPortPage.h"
#include "editor/widget/pages/devices/SCSIControllerPage.h"
#include "editor/widget/pages/devices/SerialPortPage.h"
#include "editor/widget/pages/devices/UsbPage.h"

namespace zentravolix::editor {

namespace {

template <class Page>
DevicePage* makePage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                     const DevicePageHooks& hooks)
{
    return new Page(std::move(vm), context, hooks);
}

// Families share a colour so the list reads at a glance.
constexpr QRgb kCore = 0xff5b6b82;
constexpr QRgb kStorage = 0xff2f6fb3;
constexpr QRgb kPorts = 0xff3c8d5a;
constexpr QRgb kControllers = 0xff7a5aa6;
constexpr QRgb kPeripherals = 0xffc06a1f;

} // namespace

std::optional<DeviceKindView> FindDeviceKindView(tarvonel::VirtualHardwareType type)
{
    using T = tarvonel::VirtualHardwareType;
    // Every value of the enum has its case: a kind missing here is an error, not a warning.
#pragma GCC diagnostic push
#pragma GCC diagnostic error "-Wswitch"
    switch (type) {
    case T::CPU: return DeviceKindView{&makePage<CpuPage>, "CPU", kCore};
    case T::RAM: return DeviceKindView{&makePage<MemoryPage>, "RAM", kCore};
    case T::Floppy: return DeviceKindView{&makePage<FloppyPage>, "FD", kStorage};
    case T::Parallel: return DeviceKindView{&makePage<ParallelPortPage>, "LPT", kPorts};
    case T::Serial: return DeviceKindView{&makePage<SerialPortPage>, "COM", kPorts};
    case T::Audio: return DeviceKindView{&makePage<AudioPage>, "SND", kPeripherals};
    case T::Network: return DeviceKindView{&makePage<EthernetPage>, "NET", kPorts};
    case T::USB: return DeviceKindView{&makePage<UsbPage>, "USB", kPorts};
    case T::IDEController: return DeviceKindView{&makePage<IDEControllerPage>, "IDE", kControllers};
    case T::SCSIController: return DeviceKindView{&makePage<SCSIControllerPage>, "SCSI", kControllers};
    case T::HardDrive: return DeviceKindView{&makePage<HardDiskPage>, "HD", kStorage};
    case T::CDRomDrive: return DeviceKindView{&makePage<CDRomPage>, "CD", kStorage};
    case T::GenericSCSI: return DeviceKindView{&makePage<GenSCSIPage>, "GEN", kControllers};
    case T::Display: return DeviceKindView{&makePage<DisplayPage>, "VGA", kPeripherals};
    case T::Mouse: return DeviceKindView{&makePage<MousePage>, "PTR", kPeripherals};
    case T::SATAController: return DeviceKindView{&makePage<SATAControllerPage>, "SATA", kControllers};
    case T::NVMeController: return DeviceKindView{&makePage<NVMeControllerPage>, "NVMe", kControllers};
    case T::Device: break;
    }
#pragma GCC diagnostic pop
    return std::nullopt;
}

} // namespace zentravolix::editor
