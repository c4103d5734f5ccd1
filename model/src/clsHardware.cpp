// SPDX-License-Identifier: MIT
#include <tarvonel/clsHardware.h>

#include <tarvonel/clsAudioDevice.h>
#include <tarvonel/clsCDRom.h>
#include <tarvonel/clsCPU.h>
#include <tarvonel/clsDisplay.h>
#include <tarvonel/clsFloppy.h>
#include <tarvonel/clsGenSCSI.h>
#include <tarvonel/clsHardDisk.h>
#include <tarvonel/clsIDEController.h>
#include <tarvonel/clsMemory.h>
#include <tarvonel/clsMouse.h>
#include <tarvonel/clsNVMeController.h>
#include <tarvonel/clsSATAController.h>
#include <tarvonel/clsNIC.h>
#include <tarvonel/clsParPort.h>
#include <tarvonel/clsSCSIController.h>
#include <tarvonel/clsSerPort.h>
#include <tarvonel/clsUSBController.h>

#include "detail/ItemAccess.h"

#include <cctype>
#include <limits>
#include <string_view>

namespace tarvonel {

namespace {

/** The name of a kind ("Hard Disk"); empty for Device and for a value that is no kind. */
std::string_view typeName(VirtualHardwareType type)
{
    // Every value of the enum has its case: a kind without a name does not compile.
#pragma GCC diagnostic push
#pragma GCC diagnostic error "-Wswitch"
    switch (type) {
    case VirtualHardwareType::CPU: return "CPU";
    case VirtualHardwareType::RAM: return "Memory";
    case VirtualHardwareType::Floppy: return "Floppy";
    case VirtualHardwareType::Parallel: return "Parallel Port";
    case VirtualHardwareType::Serial: return "Serial Port";
    case VirtualHardwareType::Audio: return "Audio Adapter";
    case VirtualHardwareType::Network: return "Network Adapter";
    case VirtualHardwareType::USB: return "USB Controller";
    case VirtualHardwareType::IDEController: return "IDE Controller";
    case VirtualHardwareType::SCSIController: return "SCSI Controller";
    case VirtualHardwareType::HardDrive: return "Hard Disk";
    case VirtualHardwareType::CDRomDrive: return "CD-ROM";
    case VirtualHardwareType::GenericSCSI: return "Generic SCSI Device";
    case VirtualHardwareType::Display: return "Display";
    case VirtualHardwareType::Mouse: return "Mouse";
    case VirtualHardwareType::Device: break;
    case VirtualHardwareType::SATAController: return "SATA Controller";
    case VirtualHardwareType::NVMeController: return "NVMe Controller";
    }
#pragma GCC diagnostic pop
    return {};
}

std::string UpperCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

clsHardware::clsHardware(detail::Passkey) {}

clsHardware::~clsHardware()
{
    // The collections go in the order they were made.
    m_cpus.reset();
    m_memory.reset();
    m_floppies.reset();
    m_parallelPorts.reset();
    m_serialPorts.reset();
    m_audioDevices.reset();
    m_networkAdapters.reset();
    m_usbControllers.reset();
    m_ideControllers.reset();
    m_scsiControllers.reset();
    m_hardDisks.reset();
    m_cdRoms.reset();
    m_genericScsiDevices.reset();
    m_displays.reset();
    m_mice.reset();
    m_sataControllers.reset();
    m_nvmeControllers.reset();
}

void clsHardware::CreateCollections()
{
    using detail::ItemAccess;
    const std::shared_ptr<clsHardware> self = shared_from_this();
    m_cpus = ItemAccess::MakeChild<clsCPUs>(self);
    m_memory = ItemAccess::MakeChild<clsMemories>(self);
    m_floppies = ItemAccess::MakeChild<clsFloppies>(self);
    m_parallelPorts = ItemAccess::MakeChild<clsParPorts>(self);
    m_serialPorts = ItemAccess::MakeChild<clsSerPorts>(self);
    m_audioDevices = ItemAccess::MakeChild<clsAudioDevices>(self);
    m_networkAdapters = ItemAccess::MakeChild<clsNICs>(self);
    m_usbControllers = ItemAccess::MakeChild<clsUSBControllers>(self);
    m_ideControllers = ItemAccess::MakeChild<clsIDEControllers>(self);
    m_scsiControllers = ItemAccess::MakeChild<clsSCSIControllers>(self);
    m_hardDisks = ItemAccess::MakeChild<clsHardDisks>(self);
    m_cdRoms = ItemAccess::MakeChild<clsCDRoms>(self);
    m_genericScsiDevices = ItemAccess::MakeChild<clsGenSCSIs>(self);
    m_displays = ItemAccess::MakeChild<clsDisplays>(self);
    m_mice = ItemAccess::MakeChild<clsMice>(self);
    m_sataControllers = ItemAccess::MakeChild<clsSATAControllers>(self);
    m_nvmeControllers = ItemAccess::MakeChild<clsNVMeControllers>(self);
}

VirtualHardwareType clsHardware::HWTextToType(const std::string& szHardwareTypeName) const
{
    const std::string wanted = UpperCase(szHardwareTypeName);
    // The kinds are numbered from 0 upwards; every value of the enum's type is tried, so a kind
    // appended later is found without a list to extend here.
    for (std::int32_t value = 0; value <= std::numeric_limits<std::int16_t>::max(); ++value) {
        const auto type = static_cast<VirtualHardwareType>(value);
        const std::string_view name = typeName(type);
        if (!name.empty() && wanted == UpperCase(std::string(name)))
            return type;
    }
    return VirtualHardwareType::CPU;
}

std::string clsHardware::HWTypeToText(VirtualHardwareType eType) const
{
    return std::string(typeName(eType));
}

namespace detail {

std::shared_ptr<clsHardware> ItemAccess::MakeHardware()
{
    auto hardware = std::make_shared<clsHardware>(Key());
    hardware->CreateCollections();
    return hardware;
}

} // namespace detail

} // namespace tarvonel
