// SPDX-License-Identifier: MIT
// The device sections of a .vmx file, from ide-controllers to mouse/keyboard.
#include "vmx/detail/FileComments.h"
#include "vmx/detail/KeyNames.h"
#include "vmx/detail/VmxLines.h"

#include <tarvonel/tarvonel.h>

#include <charconv>
#include <iterator>
#include <optional>
#include <span>
#include <unordered_map>

namespace zentravolix::vmx::detail {

namespace {

constexpr const char* kAutoDetect = "auto detect";
/** The adapters' AddressType codes: positions in words::AddressTypes. */
constexpr std::int16_t kGeneratedAddress = 0;
constexpr std::int16_t kStaticAddress = 1;
constexpr std::int16_t kVCenterAddress = 2;
/** Empty nodes of a SCSI controller written with ".present" FALSE: the classic bus's eight. */
constexpr std::size_t kNodesWrittenEmpty = 8;

/** The first item of each DeviceNum, so a node label finds its device without a scan per node. */
template <class Collection>
auto firstByNumber(const Collection& collection)
{
    std::unordered_map<std::int16_t, std::shared_ptr<typename Collection::ItemType>> map;
    for (std::int32_t i = 1; i <= collection.Count(); ++i) {
        auto item = collection.Item(i);
        map.emplace(item->DeviceNum(), std::move(item));
    }
    return map;
}

template <class Map>
typename Map::mapped_type find(const Map& map, std::int16_t number)
{
    const auto it = map.find(number);
    return it == map.end() ? nullptr : it->second;
}

/** The word of a code in a list of words; nothing for a code outside the list. */
std::optional<std::string_view> wordOf(std::span<const std::string_view> words, std::int16_t code)
{
    if (code < 0 || static_cast<std::size_t>(code) >= words.size())
        return std::nullopt;
    return words[static_cast<std::size_t>(code)];
}

/** The device number at the end of a node label ("Hard Disk 3"); nothing when it is not a number. */
std::optional<std::int16_t> labelNumber(const std::string& label)
{
    const auto blank = label.rfind(' ');
    const std::string_view tail = blank == std::string::npos ? std::string_view(label)
                                                             : std::string_view(label).substr(blank + 1);
    std::int64_t n = 0;
    if (ParseInteger(tail, -32768, 32767, n) != NumberStatus::Ok)
        return std::nullopt;
    return static_cast<std::int16_t>(n);
}

bool startsWith(const std::string& text, std::string_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

/** A family's key prefix with its number ("ethernet0"). */
std::string numbered(std::string_view family, std::int64_t n)
{
    std::string prefix(family);
    prefix += std::to_string(n);
    return prefix;
}

/** Appends the number in decimal digits (no allocation: a node's key is made once per node). */
void appendNumber(std::string& out, std::size_t number)
{
    char digits[20];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    out.append(digits, static_cast<std::size_t>(end - digits));
}

/** A ".fileName" line, followed by ".autodetect" for the host's automatically chosen drive or port. */
void fileName(VmxLines& out, const std::string& prefix, const std::string& deviceName, const std::string& vmxPath)
{
    out.value(memberKey(prefix, member::FileName), RelativeFileName(deviceName, vmxPath));
    if (deviceName == kAutoDetect)
        out.value(memberKey(prefix, member::AutoDetect), "TRUE");
}

/** A drive's ".clientDevice" line, when the drive says where it connects. */
void clientDevice(VmxLines& out, const std::string& prefix, std::optional<bool> flag)
{
    if (flag)
        out.boolean(memberKey(prefix, member::ClientDevice), *flag);
}

struct DiskDevices {
    std::unordered_map<std::int16_t, std::shared_ptr<tarvonel::clsHardDisk>> hardDisks;
    std::unordered_map<std::int16_t, std::shared_ptr<tarvonel::clsCDRom>> cdRoms;
    std::unordered_map<std::int16_t, std::shared_ptr<tarvonel::clsGenSCSI>> genericScsi;
};

void writeNodes(VmxLines& out, const std::string& controllerPrefix, const std::vector<std::string>& nodes,
                const DiskDevices& devices, const std::string& vmxPath, bool scsi)
{
    std::string prefix = controllerPrefix + ":"; // "scsi0:" and the node's number, in one buffer
    const std::size_t numberAt = prefix.size();
    for (std::size_t node = 0; node < nodes.size(); ++node) {
        prefix.resize(numberAt);
        appendNumber(prefix, node);
        if (!out.wants(prefix))
            continue;
        const std::string& label = nodes[node];
        if (label.empty()) {
            // A wide SCSI bus leaves its nodes past the classic eight unwritten while empty.
            if (!scsi || node < kNodesWrittenEmpty)
                out.value(memberKey(prefix, member::Present), "FALSE");
            continue;
        }
        const auto number = labelNumber(label);
        if (!number)
            continue;
        if (startsWith(label, "Hard Disk")) {
            if (const auto disk = find(devices.hardDisks, *number)) {
                out.boolean(memberKey(prefix, member::Present), disk->Enabled());
                out.value(memberKey(prefix, member::FileName), RelativeFileName(disk->DeviceName(), vmxPath));
                out.value(memberKey(prefix, member::Mode), disk->Mode());
                out.value(memberKey(prefix, member::DeviceType), disk->DeviceType());
            }
        } else if (startsWith(label, "CD-ROM")) {
            if (const auto cd = find(devices.cdRoms, *number)) {
                out.boolean(memberKey(prefix, member::Present), cd->Enabled());
                fileName(out, prefix, cd->DeviceName(), vmxPath);
                out.value(memberKey(prefix, member::DeviceType), cd->DeviceType());
                out.boolean(memberKey(prefix, member::StartConnected), cd->ConnectedAtBoot());
                out.boolean(memberKey(prefix, member::Exclusive), cd->ExclusiveConnection());
                clientDevice(out, prefix, cd->ClientDevice());
            }
        } else if (scsi && startsWith(label, "Gen SCSI")) {
            if (const auto generic = find(devices.genericScsi, *number)) {
                out.boolean(memberKey(prefix, member::Present), generic->Enabled());
                out.value(memberKey(prefix, member::FileName), generic->DeviceName());
                out.value(memberKey(prefix, member::DeviceType), generic->DeviceType());
                out.boolean(memberKey(prefix, member::StartConnected), generic->ConnectedAtBoot());
            }
        }
        // "SCSI Controller n" (the controller's own node) and anything else write nothing.
    }
}

/**
 * The occupied nodes of a SATA or NVMe controller, their keys in the order VMware writes them;
 * a disk's ".deviceType" and ".mode" only when set (VMware writes neither for a plain disk).
 * Empty nodes write nothing.
 */
void writeBusNodes(VmxLines& out, const std::string& controllerPrefix, const std::vector<std::string>& nodes,
                   const DiskDevices& devices, const std::string& vmxPath)
{
    std::string prefix = controllerPrefix + ":";
    const std::size_t numberAt = prefix.size();
    for (std::size_t node = 0; node < nodes.size(); ++node) {
        const std::string& label = nodes[node];
        const auto number = labelNumber(label);
        if (label.empty() || !number)
            continue;
        prefix.resize(numberAt);
        appendNumber(prefix, node);
        if (!out.wants(prefix))
            continue;
        if (startsWith(label, "Hard Disk")) {
            if (const auto disk = find(devices.hardDisks, *number)) {
                if (!disk->DeviceType().empty())
                    out.value(memberKey(prefix, member::DeviceType), disk->DeviceType());
                out.value(memberKey(prefix, member::FileName), RelativeFileName(disk->DeviceName(), vmxPath));
                if (!disk->Mode().empty())
                    out.value(memberKey(prefix, member::Mode), disk->Mode());
                out.boolean(memberKey(prefix, member::Present), disk->Enabled());
            }
        } else if (startsWith(label, "CD-ROM")) {
            if (const auto cd = find(devices.cdRoms, *number)) {
                if (cd->DeviceName() == kAutoDetect)
                    out.boolean(memberKey(prefix, member::AutoDetect), true);
                out.value(memberKey(prefix, member::DeviceType), cd->DeviceType());
                out.value(memberKey(prefix, member::FileName), RelativeFileName(cd->DeviceName(), vmxPath));
                out.boolean(memberKey(prefix, member::Present), cd->Enabled());
                out.boolean(memberKey(prefix, member::StartConnected), cd->ConnectedAtBoot());
                clientDevice(out, prefix, cd->ClientDevice());
            }
        }
    }
}

/** The controllers of one of the newer buses and the devices on their nodes, in two sections. */
template <class Controllers>
void writeBus(const Controllers& controllers, std::string_view family, std::string_view controllersSection,
              std::string_view disksSection, const DiskDevices& devices, VmxLines& out, const std::string& vmxPath)
{
    if (controllers.Count() == 0)
        return;
    out.comment(controllersSection);
    for (std::int32_t i = 1; i <= controllers.Count(); ++i) {
        const auto controller = controllers.Item(i);
        out.boolean(memberKey(numbered(family, controller->DeviceNum()), member::Present), controller->Enabled());
    }
    out.blank();
    out.comment(disksSection);
    for (std::int32_t i = 1; i <= controllers.Count(); ++i) {
        const auto controller = controllers.Item(i);
        writeBusNodes(out, numbered(family, controller->DeviceNum()), controller->Nodes(), devices, vmxPath);
    }
    out.blank();
}

void writeControllers(const tarvonel::clsHardware& hw, VmxLines& out, const std::string& vmxPath)
{
    const auto ide = hw.IDEControllers();
    const auto scsi = hw.SCSIControllers();
    const auto sata = hw.SATAControllers();
    const auto nvme = hw.NVMeControllers();
    // Lines of some keys only (the values after a read): the buses none of them names are left out.
    const bool ideWanted = ide->Count() > 0 && out.wantsFamily(family::Ide);
    const bool scsiWanted = scsi->Count() > 0 && out.wantsFamily(family::Scsi);
    const bool sataWanted = out.wantsFamily(family::Sata);
    const bool nvmeWanted = out.wantsFamily(family::Nvme);
    if (!ideWanted && !scsiWanted && (!sataWanted || sata->Count() == 0) && (!nvmeWanted || nvme->Count() == 0))
        return;
    const DiskDevices devices{firstByNumber(*hw.HardDisks()), firstByNumber(*hw.CDRoms()),
                              firstByNumber(*hw.GenericSCSIDevices())};

    if (ideWanted) {
        out.comment(comment::IdeControllersSection);
        for (std::int32_t i = 1; i <= ide->Count(); ++i) {
            const auto controller = ide->Item(i);
            out.boolean(memberKey(numbered(family::Ide, controller->DeviceNum()), member::Present), controller->Enabled());
        }
        out.blank();
        out.comment(comment::IdeDisksSection);
        for (std::int32_t i = 1; i <= ide->Count(); ++i) {
            const auto controller = ide->Item(i);
            writeNodes(out, numbered(family::Ide, controller->DeviceNum()), controller->Nodes(), devices, vmxPath,
                       false);
        }
        out.blank();
    }
    if (scsiWanted) {
        out.comment(comment::ScsiControllersSection);
        for (std::int32_t i = 1; i <= scsi->Count(); ++i) {
            const auto controller = scsi->Item(i);
            const std::string prefix = numbered(family::Scsi, controller->DeviceNum());
            out.boolean(memberKey(prefix, member::Present), controller->Enabled());
            if (const auto type = wordOf(words::ScsiControllerTypes, controller->ControllerType()))
                out.value(memberKey(prefix, member::VirtualDev), *type);
        }
        out.blank();
        out.comment(comment::ScsiDisksSection);
        for (std::int32_t i = 1; i <= scsi->Count(); ++i) {
            const auto controller = scsi->Item(i);
            writeNodes(out, numbered(family::Scsi, controller->DeviceNum()), controller->Nodes(), devices, vmxPath,
                       true);
        }
        out.blank();
    }
    if (sataWanted)
        writeBus(*sata, family::Sata, comment::SataControllersSection, comment::SataDisksSection, devices, out, vmxPath);
    if (nvmeWanted)
        writeBus(*nvme, family::Nvme, comment::NvmeControllersSection, comment::NvmeDisksSection, devices, out, vmxPath);
}

void writeNics(const tarvonel::clsNICs& nics, VmxLines& out)
{
    out.comment(comment::NicsSection);
    for (std::int32_t i = 1; i <= nics.Count(); ++i) {
        const std::string prefix = numbered(family::Ethernet, i - 1);
        if (!out.wants(prefix))
            continue;
        const auto nic = nics.Item(i);
        out.boolean(memberKey(prefix, member::Present), nic->Enabled());
        out.boolean(memberKey(prefix, member::StartConnected), nic->ConnectedAtBoot());
        if (const auto type = wordOf(words::NicTypes, nic->DeviceType()))
            out.value(memberKey(prefix, member::VirtualDev), *type);
        // Where ESXi writes it: right after the adapter type.
        if (!nic->NetworkName().empty())
            out.value(memberKey(prefix, member::NetworkName), nic->NetworkName());
        if (const auto connection = wordOf(words::ConnectionTypes, nic->ConnectionType()))
            out.value(memberKey(prefix, member::ConnectionType), *connection);
        out.value(memberKey(prefix, member::VNet), "VMnet" + std::to_string(nic->VNet()));
        if (nic->AddressType() == kStaticAddress) {
            out.value(memberKey(prefix, member::AddressType), words::AddressTypes[kStaticAddress]);
            out.value(memberKey(prefix, member::Address), nic->MacAddress());
        } else if (nic->AddressType() == kGeneratedAddress || nic->AddressType() == kVCenterAddress) {
            // An address vCenter assigned is kept where the product keeps a generated one.
            out.value(memberKey(prefix, member::AddressType), words::AddressTypes[nic->AddressType()]);
            if (!nic->MacAddress().empty())
                out.value(memberKey(prefix, member::GeneratedAddress), nic->MacAddress());
            out.number(memberKey(prefix, member::GeneratedAddressOffset), nic->GenAddressOffset());
        }
        if (const auto upt = nic->UptCompatibility())
            out.boolean(memberKey(prefix, member::UptCompatibility), *upt);
        if (const auto wake = nic->WakeOnPacket())
            out.boolean(memberKey(prefix, member::WakeOnPacket), *wake);
        if (const auto control = nic->GuestConnectionControl())
            out.boolean(memberKey(prefix, member::GuestConnectionControl), *control);
    }
    out.blank();
}

void writeSound(const tarvonel::clsAudioDevices& audio, VmxLines& out)
{
    out.comment(comment::SoundSection);
    for (std::int32_t i = 1; i <= audio.Count(); ++i) {
        const auto device = audio.Item(i);
        out.boolean(key::SoundPresent, device->Enabled());
        out.boolean(key::SoundStartConnected, device->ConnectedAtBoot());
        switch (device->DeviceType()) {
        case 0:
            out.value(key::SoundVirtualDev, words::SoundTypes[0]);
            break;
        case 1:
            out.value(key::SoundVirtualDev, words::SoundTypes[1]);
            break;
        case 2:
            out.value(key::SoundVirtualDev, words::SoundTypes[1]);
            out.value(key::SoundSynth, "TRUE");
            break;
        case words::kSoundHdAudioCode:
            out.value(key::SoundVirtualDev, words::SoundHdAudio);
            break;
        default:
            break;
        }
        if (!device->DeviceName().empty())
            out.value(key::SoundFileName, device->DeviceName());
        if (const auto autoDetect = device->AutoDetect())
            out.boolean(key::SoundAutoDetect, *autoDetect);
    }
    out.blank();
}

void writePorts(const tarvonel::clsHardware& hw, VmxLines& out, const std::string& vmxPath)
{
    const auto floppies = hw.Floppies();
    if (floppies->Count() > 0) {
        out.comment(comment::FloppiesSection);
        for (std::int32_t i = 1; i <= floppies->Count(); ++i) {
            const std::string prefix = numbered(family::Floppy, i - 1);
            if (!out.wants(prefix))
                continue;
            const auto floppy = floppies->Item(i);
            out.boolean(memberKey(prefix, member::Present), floppy->Enabled());
            out.boolean(memberKey(prefix, member::StartConnected), floppy->ConnectedAtBoot());
            out.value(memberKey(prefix, member::FileType), floppy->DeviceType());
            fileName(out, prefix, floppy->DeviceName(), vmxPath);
            clientDevice(out, prefix, floppy->ClientDevice());
        }
        out.blank();
    }
    const auto parallel = hw.ParallelPorts();
    if (parallel->Count() > 0) {
        out.comment(comment::ParallelSection);
        for (std::int32_t i = 1; i <= parallel->Count(); ++i) {
            const std::string prefix = numbered(family::Parallel, i - 1);
            if (!out.wants(prefix))
                continue;
            const auto port = parallel->Item(i);
            out.boolean(memberKey(prefix, member::Present), port->Enabled());
            out.boolean(memberKey(prefix, member::StartConnected), port->ConnectedAtBoot());
            if (port->DeviceType() == "device")
                out.boolean(memberKey(prefix, member::Bidirectional), port->Bidirectional());
            out.value(memberKey(prefix, member::FileType), port->DeviceType());
            fileName(out, prefix, port->DeviceName(), vmxPath);
        }
        out.blank();
    }
    const auto serial = hw.SerialPorts();
    if (serial->Count() > 0) {
        out.comment(comment::SerialSection);
        for (std::int32_t i = 1; i <= serial->Count(); ++i) {
            const std::string prefix = numbered(family::Serial, i - 1);
            if (!out.wants(prefix))
                continue;
            const auto port = serial->Item(i);
            out.boolean(memberKey(prefix, member::Present), port->Enabled());
            out.boolean(memberKey(prefix, member::StartConnected), port->ConnectedAtBoot());
            out.boolean(memberKey(prefix, member::YieldOnMsrRead), port->YieldCpu());
            if (port->DeviceType() == "pipe") {
                out.value(memberKey(prefix, member::PipeEndPoint), port->PipeEnd1() != 0 ? "client" : "server");
                out.boolean(memberKey(prefix, member::TryNoRxLoss), port->PipeEnd2() != 0);
            }
            out.value(memberKey(prefix, member::FileType), port->DeviceType());
            fileName(out, prefix, port->DeviceName(), vmxPath);
        }
        out.blank();
    }
}

} // namespace

void writeDeviceSections(const tarvonel::VirtualMachine& vm, VmxLines& out)
{
    const auto hw = vm.Hardware();
    const std::string vmxPath = vm.Options()->GeneralOptions()->VmxPath();

    writeControllers(*hw, out, vmxPath);
    if (hw->NetworkAdapters()->Count() > 0)
        writeNics(*hw->NetworkAdapters(), out);
    if (hw->AudioDevices()->Count() > 0)
        writeSound(*hw->AudioDevices(), out);
    const auto usb = hw->USBControllers();
    if (usb->Count() > 0) {
        out.comment(comment::UsbSection);
        for (std::int32_t i = 1; i <= usb->Count(); ++i) {
            out.boolean(key::UsbPresent, usb->Item(i)->Enabled());
            out.boolean(key::UsbAutoConnect, usb->Item(i)->AutoConnect());
            // Written only while on: files of products without them stay as they were.
            if (usb->Item(i)->EhciEnabled())
                out.boolean(key::EhciPresent, true);
            if (usb->Item(i)->XhciEnabled())
                out.boolean(key::XhciPresent, true);
        }
        out.blank();
    }
    writePorts(*hw, out, vmxPath);
    const auto displays = hw->Displays();
    if (displays->Count() > 0) {
        out.comment(comment::DisplaySection);
        for (std::int32_t i = 1; i <= displays->Count(); ++i) {
            const auto display = displays->Item(i);
            out.number(key::SvgaMaxWidth, display->ScreenWidth());
            out.number(key::SvgaMaxHeight, display->ScreenHeight());
            out.number(key::SvgaVramSize, display->VramSize());
            out.boolean(key::Enable3D, display->Enable3D());
            if (display->GraphicsMemoryKB() > 0)
                out.number(key::SvgaGraphicsMemory, display->GraphicsMemoryKB());
            if (const auto present = display->Present())
                out.boolean(key::SvgaPresent, *present);
        }
        out.blank();
    }
    const auto mice = hw->Mice();
    if (mice->Count() > 0) {
        out.comment(comment::MouseSection);
        for (std::int32_t i = 1; i <= mice->Count(); ++i)
            out.boolean(key::MousePresent, mice->Item(i)->Enabled());
        out.blank();
    }
}

} // namespace zentravolix::vmx::detail
