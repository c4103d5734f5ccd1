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
#include <tarvonel/clsNIC.h>
#include <tarvonel/clsParPort.h>
#include <tarvonel/clsSCSIController.h>
#include <tarvonel/clsSerPort.h>
#include <tarvonel/clsUSBController.h>

#include "detail/ItemAccess.h"

#include <array>
#include <cctype>
#include <string_view>

namespace tarvonel {

namespace {

// Index = VirtualHardwareType value (0 CPU .. 14 Mouse).
constexpr std::array<std::string_view, 15> kTypeNames = {
    "CPU",
    "Memory",
    "Floppy",
    "Parallel Port",
    "Serial Port",
    "Audio Adapter",
    "Network Adapter",
    "USB Controller",
    "IDE Controller",
    "SCSI Controller",
    "Hard Disk",
    "CD-ROM",
    "Generic SCSI Device",
    "Display",
    "Mouse",
};

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
}

VirtualHardwareType clsHardware::HWTextToType(const std::string& szHardwareTypeName) const
{
    const std::string wanted = UpperCase(szHardwareTypeName);
    for (std::size_t i = 0; i < kTypeNames.size(); ++i) {
        if (wanted == UpperCase(std::string(kTypeNames[i])))
            return static_cast<VirtualHardwareType>(i);
    }
    return VirtualHardwareType::CPU;
}

std::string clsHardware::HWTypeToText(VirtualHardwareType eType) const
{
    const auto index = static_cast<std::int16_t>(eType);
    if (index < 0 || static_cast<std::size_t>(index) >= kTypeNames.size())
        return "";
    return std::string(kTypeNames[static_cast<std::size_t>(index)]);
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
