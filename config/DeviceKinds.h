// SPDX-License-Identifier: MIT
#pragma once

// The device kinds of the hardware container, described in one place: each kind's collection,
// its captions, how many of it may be added and which of it always stay. The hardware list, the
// add-hardware dialog, the device pages, the remove rules and the tool's listing all take their
// kinds from here, in the order of DeviceKinds().
//
// A new kind is added to the model (enum value, collection), the reader and writer, its device
// page, VisitDeviceKind() and kDeviceKindOrder below, and the editor's page and icon table
// (editor/widget/pages/devices/DeviceKindViews.cpp). The switches in both name every value of
// the enum without a default, so a kind that one of them leaves out does not compile.

#include <tarvonel/Enums.h>
#include <tarvonel/clsHardware.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

namespace zentravolix::config {

/** How many devices of a kind the add-hardware dialog lets a configuration hold. */
enum class AddLimit : std::uint8_t {
    Fixed,                 ///< fewer than DeviceKindFacts::fixedLimit
    ProductCPUs,           ///< fewer than the product's processor maximum
    ProductNICs,           ///< fewer than the product's network-adapter maximum
    ProductSCSIControllers,///< fewer than the product's SCSI-controller maximum
    ScsiNodes,             ///< fewer than the devices' nodes of every SCSI controller allowed
    ProductSATAControllers,///< fewer than the product's SATA-controller maximum
    ProductNVMeControllers,///< fewer than the product's NVMe-controller maximum
    DiskNodes,             ///< fewer than the nodes of every bus a hard disk sits on (IDE, SCSI, SATA, NVMe)
    CDRomNodes,            ///< fewer than the nodes of every bus a CD-ROM sits on (IDE, SCSI, SATA)
};

/** Which devices of a kind the Remove button leaves in place, by device number. */
enum class KeptDevices : std::uint8_t {
    None,     ///< every device may go
    First,    ///< number 0 stays
    FirstTwo, ///< numbers 0 and 1 stay
};

/** The Qt-free facts of one device kind. */
struct DeviceKindFacts {
    tarvonel::VirtualHardwareType type = tarvonel::VirtualHardwareType::Device;
    /** The kind's entry in the add-hardware dialog ("CPU", "Sound Adapter", "Hard Disk"). */
    int entryTextId = 0;
    /** The heading above the kind's device page ("Virtual Processor", "Hard Disk"). */
    int pageTextId = 0;
    AddLimit addLimit = AddLimit::Fixed;
    /** The number of devices the configuration may hold when addLimit is Fixed. */
    std::int32_t fixedLimit = 0;
    KeptDevices kept = KeptDevices::None;
};

/**
 * A kind's facts together with its collection in the hardware container; Accessor is the
 * container's member function that returns the collection (&clsHardware::HardDisks).
 */
template <auto Accessor> struct DeviceKind {
    DeviceKindFacts facts;
    static auto collection(const tarvonel::clsHardware& hardware) { return (hardware.*Accessor)(); }
};

/**
 * Calls f with the DeviceKind of type and returns what it returns; fallback for Device (the type
 * of "any device", no kind of its own) and for any value that is no kind.
 */
template <class R, class F> constexpr R VisitDeviceKind(tarvonel::VirtualHardwareType type, R fallback, F&& f)
{
    using T = tarvonel::VirtualHardwareType;
    using H = tarvonel::clsHardware;
    using L = AddLimit;
    using K = KeptDevices;
    // Every value of the enum has its case: a kind missing here is an error, not a warning.
#pragma GCC diagnostic push
#pragma GCC diagnostic error "-Wswitch"
    switch (type) {
    case T::CPU: return f(DeviceKind<&H::CPUs>{{T::CPU, 95, 290, L::ProductCPUs, 0, K::First}});
    case T::RAM: return f(DeviceKind<&H::Memory>{{T::RAM, 96, 96, L::Fixed, 1, K::First}});
    case T::Floppy: return f(DeviceKind<&H::Floppies>{{T::Floppy, 97, 294, L::Fixed, 2, K::None}});
    case T::Parallel: return f(DeviceKind<&H::ParallelPorts>{{T::Parallel, 98, 303, L::Fixed, 3, K::None}});
    case T::Serial: return f(DeviceKind<&H::SerialPorts>{{T::Serial, 99, 309, L::Fixed, 4, K::None}});
    case T::Audio: return f(DeviceKind<&H::AudioDevices>{{T::Audio, 100, 319, L::Fixed, 1, K::None}});
    case T::Network: return f(DeviceKind<&H::NetworkAdapters>{{T::Network, 101, 320, L::ProductNICs, 0, K::None}});
    case T::USB: return f(DeviceKind<&H::USBControllers>{{T::USB, 102, 102, L::Fixed, 1, K::None}});
    case T::IDEController:
        return f(DeviceKind<&H::IDEControllers>{{T::IDEController, 103, 103, L::Fixed, 2, K::FirstTwo}});
    case T::SCSIController:
        return f(DeviceKind<&H::SCSIControllers>{
            {T::SCSIController, 104, 104, L::ProductSCSIControllers, 0, K::First}});
    case T::HardDrive: return f(DeviceKind<&H::HardDisks>{{T::HardDrive, 105, 105, L::DiskNodes, 0, K::None}});
    case T::CDRomDrive: return f(DeviceKind<&H::CDRoms>{{T::CDRomDrive, 106, 344, L::CDRomNodes, 0, K::None}});
    case T::GenericSCSI:
        return f(DeviceKind<&H::GenericSCSIDevices>{{T::GenericSCSI, 107, 351, L::ScsiNodes, 0, K::None}});
    case T::Display: return f(DeviceKind<&H::Displays>{{T::Display, 108, 108, L::Fixed, 1, K::First}});
    case T::Mouse: return f(DeviceKind<&H::Mice>{{T::Mouse, 109, 109, L::Fixed, 1, K::First}});
    case T::SATAController:
        return f(DeviceKind<&H::SATAControllers>{
            {T::SATAController, 2870, 2870, L::ProductSATAControllers, 0, K::None}});
    case T::NVMeController:
        return f(DeviceKind<&H::NVMeControllers>{
            {T::NVMeController, 2871, 2871, L::ProductNVMeControllers, 0, K::None}});
    case T::Device: break;
    }
#pragma GCC diagnostic pop
    return fallback;
}

/**
 * Every kind, in the order of the hardware list and of the add-hardware dialog. A kind described
 * in VisitDeviceKind() but missing here fails a static check in DeviceKinds.cpp.
 */
inline constexpr std::array kDeviceKindOrder{
    tarvonel::VirtualHardwareType::CPU,           tarvonel::VirtualHardwareType::RAM,
    tarvonel::VirtualHardwareType::Floppy,        tarvonel::VirtualHardwareType::Parallel,
    tarvonel::VirtualHardwareType::Serial,        tarvonel::VirtualHardwareType::Audio,
    tarvonel::VirtualHardwareType::Network,       tarvonel::VirtualHardwareType::USB,
    tarvonel::VirtualHardwareType::IDEController, tarvonel::VirtualHardwareType::SCSIController,
    tarvonel::VirtualHardwareType::SATAController, tarvonel::VirtualHardwareType::NVMeController,
    tarvonel::VirtualHardwareType::HardDrive,     tarvonel::VirtualHardwareType::CDRomDrive,
    tarvonel::VirtualHardwareType::GenericSCSI,   tarvonel::VirtualHardwareType::Display,
    tarvonel::VirtualHardwareType::Mouse,
};

/** Every kind in list order. */
constexpr std::span<const tarvonel::VirtualHardwareType> DeviceKinds() { return kDeviceKindOrder; }

/** The facts of a kind; nothing for Device and for any value that is no kind. */
constexpr std::optional<DeviceKindFacts> FindDeviceKind(tarvonel::VirtualHardwareType type)
{
    return VisitDeviceKind(type, std::optional<DeviceKindFacts>{},
                           [](const auto& kind) { return std::optional<DeviceKindFacts>{kind.facts}; });
}

/** Whether a value of the enum is a device kind (Device and values outside the enum are not). */
constexpr bool IsDeviceKind(tarvonel::VirtualHardwareType type) { return FindDeviceKind(type).has_value(); }

/** The place of a kind in DeviceKinds(); nothing for a value that is no kind. */
std::optional<std::size_t> DeviceKindPosition(tarvonel::VirtualHardwareType type);

/**
 * Calls f(type, device) for every device of the container, kind by kind in list order and, within
 * a kind, in collection order; device is the collection's item (a DeviceItem). The caller
 * includes the model's collection headers (<tarvonel/tarvonel.h>).
 */
template <class F> void ForEachDevice(const tarvonel::clsHardware& hardware, F&& f)
{
    for (const auto type : DeviceKinds()) {
        VisitDeviceKind(type, 0, [&](const auto& kind) {
            const auto collection = kind.collection(hardware);
            for (std::int32_t i = 1; i <= collection->Count(); ++i)
                f(type, *collection->Item(i));
            return 0;
        });
    }
}

/** The product maxima the add-hardware limits depend on (wide enough for any caller's value). */
struct AddMaxima {
    std::int32_t cpus = 0;
    std::int32_t nics = 0;
    std::int32_t scsiControllers = 0;
    std::int32_t sataControllers = 0;
    std::int32_t nvmeControllers = 0;
    /** Nodes per SCSI controller, the controller's own node included (8 on the classic versions). */
    std::int32_t scsiNodes = 8;
    std::int32_t sataNodes = 30;
    std::int32_t nvmeNodes = 15;
};

/** Whether one more device of a kind may be added to a configuration holding count of them. */
bool MayAddDevice(tarvonel::VirtualHardwareType type, std::int32_t count, const AddMaxima& maxima);

/**
 * Whether the Remove button may act on the device with this number: the first processor, memory,
 * SCSI controller, display and mouse and the two first IDE controllers always stay.
 */
bool MayRemoveDevice(tarvonel::VirtualHardwareType type, std::int16_t deviceNum);

} // namespace zentravolix::config
