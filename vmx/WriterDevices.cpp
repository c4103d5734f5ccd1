// SPDX-License-Identifier: MIT
// The device sections of a .vmx file, from ide-controllers to mouse/keyboard.
#include "vmx/detail/FileComments.h"
#include "vmx/detail/VmxLines.h"

#include <tarvonel/tarvonel.h>

#include <optional>
#include <unordered_map>

namespace zentravolix::vmx::detail {

namespace {

constexpr const char* kAutoDetect = "auto detect";

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

std::string key(const std::string& prefix, std::string_view suffix)
{
    std::string k = prefix;
    k += suffix;
    k += " = ";
    return k;
}

/** A ".fileName" line, followed by ".autodetect" for the host's automatically chosen drive or port. */
void fileName(VmxLines& out, const std::string& prefix, const std::string& deviceName, const std::string& vmxPath)
{
    out.value(key(prefix, ".fileName"), RelativeFileName(deviceName, vmxPath));
    if (deviceName == kAutoDetect)
        out.value(key(prefix, ".autodetect"), "TRUE");
}

struct DiskDevices {
    std::unordered_map<std::int16_t, std::shared_ptr<tarvonel::clsHardDisk>> hardDisks;
    std::unordered_map<std::int16_t, std::shared_ptr<tarvonel::clsCDRom>> cdRoms;
    std::unordered_map<std::int16_t, std::shared_ptr<tarvonel::clsGenSCSI>> genericScsi;
};

void writeNodes(VmxLines& out, const std::string& controllerPrefix, const std::vector<std::string>& nodes,
                const DiskDevices& devices, const std::string& vmxPath, bool scsi)
{
    for (std::size_t node = 0; node < nodes.size(); ++node) {
        const std::string prefix = controllerPrefix + ":" + std::to_string(node);
        const std::string& label = nodes[node];
        if (label.empty()) {
            out.value(key(prefix, ".present"), "FALSE");
            continue;
        }
        const auto number = labelNumber(label);
        if (!number)
            continue;
        if (startsWith(label, "Hard Disk")) {
            if (const auto disk = find(devices.hardDisks, *number)) {
                out.boolean(key(prefix, ".present"), disk->Enabled());
                out.value(key(prefix, ".fileName"), RelativeFileName(disk->DeviceName(), vmxPath));
                out.value(key(prefix, ".mode"), disk->Mode());
                out.value(key(prefix, ".deviceType"), disk->DeviceType());
            }
        } else if (startsWith(label, "CD-ROM")) {
            if (const auto cd = find(devices.cdRoms, *number)) {
                out.boolean(key(prefix, ".present"), cd->Enabled());
                fileName(out, prefix, cd->DeviceName(), vmxPath);
                out.value(key(prefix, ".deviceType"), cd->DeviceType());
                out.boolean(key(prefix, ".startConnected"), cd->ConnectedAtBoot());
                out.boolean(key(prefix, ".exclusive"), cd->ExclusiveConnection());
            }
        } else if (scsi && startsWith(label, "Gen SCSI")) {
            if (const auto generic = find(devices.genericScsi, *number)) {
                out.boolean(key(prefix, ".present"), generic->Enabled());
                out.value(key(prefix, ".fileName"), generic->DeviceName());
                out.value(key(prefix, ".deviceType"), generic->DeviceType());
                out.boolean(key(prefix, ".startConnected"), generic->ConnectedAtBoot());
            }
        }
        // "SCSI Controller n" (the controller's own node) and anything else write nothing.
    }
}

void writeControllers(const tarvonel::clsHardware& hw, VmxLines& out, const std::string& vmxPath)
{
    const auto ide = hw.IDEControllers();
    const auto scsi = hw.SCSIControllers();
    if (ide->Count() == 0 && scsi->Count() == 0)
        return;
    const DiskDevices devices{firstByNumber(*hw.HardDisks()), firstByNumber(*hw.CDRoms()),
                              firstByNumber(*hw.GenericSCSIDevices())};

    if (ide->Count() > 0) {
        out.comment(comment::IdeControllersSection);
        for (std::int32_t i = 1; i <= ide->Count(); ++i) {
            const auto controller = ide->Item(i);
            out.boolean(key("ide" + std::to_string(controller->DeviceNum()), ".present"), controller->Enabled());
        }
        out.blank();
        out.comment(comment::IdeDisksSection);
        for (std::int32_t i = 1; i <= ide->Count(); ++i) {
            const auto controller = ide->Item(i);
            writeNodes(out, "ide" + std::to_string(controller->DeviceNum()), controller->Nodes(), devices, vmxPath,
                       false);
        }
        out.blank();
    }
    if (scsi->Count() > 0) {
        out.comment(comment::ScsiControllersSection);
        for (std::int32_t i = 1; i <= scsi->Count(); ++i) {
            const auto controller = scsi->Item(i);
            const std::string prefix = "scsi" + std::to_string(controller->DeviceNum());
            out.boolean(key(prefix, ".present"), controller->Enabled());
            if (controller->ControllerType() == 0)
                out.value(key(prefix, ".virtualDev"), "buslogic");
            else if (controller->ControllerType() == 1)
                out.value(key(prefix, ".virtualDev"), "lsilogic");
        }
        out.blank();
        out.comment(comment::ScsiDisksSection);
        for (std::int32_t i = 1; i <= scsi->Count(); ++i) {
            const auto controller = scsi->Item(i);
            writeNodes(out, "scsi" + std::to_string(controller->DeviceNum()), controller->Nodes(), devices, vmxPath,
                       true);
        }
        out.blank();
    }
}

void writeNics(const tarvonel::clsNICs& nics, VmxLines& out)
{
    static const char* const kDevices[] = {"vlance", "vmxnet", "e1000"};
    static const char* const kConnections[] = {"bridged", "hostonly", "nat", "custom"};
    out.comment(comment::NicsSection);
    for (std::int32_t i = 1; i <= nics.Count(); ++i) {
        const auto nic = nics.Item(i);
        const std::string prefix = "ethernet" + std::to_string(i - 1);
        out.boolean(key(prefix, ".present"), nic->Enabled());
        out.boolean(key(prefix, ".startConnected"), nic->ConnectedAtBoot());
        if (nic->DeviceType() >= 0 && nic->DeviceType() <= 2)
            out.value(key(prefix, ".virtualDev"), kDevices[nic->DeviceType()]);
        if (nic->ConnectionType() >= 0 && nic->ConnectionType() <= 3)
            out.value(key(prefix, ".connectionType"), kConnections[nic->ConnectionType()]);
        out.value(key(prefix, ".vnet"), "VMnet" + std::to_string(nic->VNet()));
        if (nic->AddressType() == 1) {
            out.value(key(prefix, ".addressType"), "static");
            out.value(key(prefix, ".address"), nic->MacAddress());
        } else if (nic->AddressType() == 0) {
            out.value(key(prefix, ".addressType"), "generated");
            if (!nic->MacAddress().empty())
                out.value(key(prefix, ".generatedAddress"), nic->MacAddress());
            out.number(key(prefix, ".generatedAddressOffset"), nic->GenAddressOffset());
        }
    }
    out.blank();
}

void writeSound(const tarvonel::clsAudioDevices& audio, VmxLines& out)
{
    out.comment(comment::SoundSection);
    for (std::int32_t i = 1; i <= audio.Count(); ++i) {
        const auto device = audio.Item(i);
        out.boolean("sound.present = ", device->Enabled());
        out.boolean("sound.startConnected = ", device->ConnectedAtBoot());
        switch (device->DeviceType()) {
        case 0:
            out.value("sound.virtualDev = ", "es1371");
            break;
        case 1:
            out.value("sound.virtualDev = ", "sb16");
            break;
        case 2:
            out.value("sound.virtualDev = ", "sb16");
            out.value("sound.synth.operational = ", "TRUE");
            break;
        default:
            break;
        }
    }
    out.blank();
}

void writePorts(const tarvonel::clsHardware& hw, VmxLines& out, const std::string& vmxPath)
{
    const auto floppies = hw.Floppies();
    if (floppies->Count() > 0) {
        out.comment(comment::FloppiesSection);
        for (std::int32_t i = 1; i <= floppies->Count(); ++i) {
            const auto floppy = floppies->Item(i);
            const std::string prefix = "floppy" + std::to_string(i - 1);
            out.boolean(key(prefix, ".present"), floppy->Enabled());
            out.boolean(key(prefix, ".startConnected"), floppy->ConnectedAtBoot());
            out.value(key(prefix, ".fileType"), floppy->DeviceType());
            fileName(out, prefix, floppy->DeviceName(), vmxPath);
        }
        out.blank();
    }
    const auto parallel = hw.ParallelPorts();
    if (parallel->Count() > 0) {
        out.comment(comment::ParallelSection);
        for (std::int32_t i = 1; i <= parallel->Count(); ++i) {
            const auto port = parallel->Item(i);
            const std::string prefix = "parallel" + std::to_string(i - 1);
            out.boolean(key(prefix, ".present"), port->Enabled());
            out.boolean(key(prefix, ".startConnected"), port->ConnectedAtBoot());
            if (port->DeviceType() == "device")
                out.boolean(key(prefix, ".bidirectional"), port->Bidirectional());
            out.value(key(prefix, ".fileType"), port->DeviceType());
            fileName(out, prefix, port->DeviceName(), vmxPath);
        }
        out.blank();
    }
    const auto serial = hw.SerialPorts();
    if (serial->Count() > 0) {
        out.comment(comment::SerialSection);
        for (std::int32_t i = 1; i <= serial->Count(); ++i) {
            const auto port = serial->Item(i);
            const std::string prefix = "serial" + std::to_string(i - 1);
            out.boolean(key(prefix, ".present"), port->Enabled());
            out.boolean(key(prefix, ".startConnected"), port->ConnectedAtBoot());
            out.boolean(key(prefix, ".yieldOnMsrRead"), port->YieldCpu());
            if (port->DeviceType() == "pipe") {
                out.value(key(prefix, ".pipe.endPoint"), port->PipeEnd1() != 0 ? "client" : "server");
                out.boolean(key(prefix, ".tryNoRxLoss"), port->PipeEnd2() != 0);
            }
            out.value(key(prefix, ".fileType"), port->DeviceType());
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
            out.boolean("usb.present = ", usb->Item(i)->Enabled());
            out.boolean("usb.generic.autoconnect = ", usb->Item(i)->AutoConnect());
        }
        out.blank();
    }
    writePorts(*hw, out, vmxPath);
    const auto displays = hw->Displays();
    if (displays->Count() > 0) {
        out.comment(comment::DisplaySection);
        for (std::int32_t i = 1; i <= displays->Count(); ++i) {
            const auto display = displays->Item(i);
            out.number("svga.maxWidth = ", display->ScreenWidth());
            out.number("svga.maxHeight = ", display->ScreenHeight());
            out.number("svga.vramSize = ", display->VramSize());
            out.boolean("mks.enable3d = ", display->Enable3D());
        }
        out.blank();
    }
    const auto mice = hw->Mice();
    if (mice->Count() > 0) {
        out.comment(comment::MouseSection);
        for (std::int32_t i = 1; i <= mice->Count(); ++i)
            out.boolean("vmmouse.present = ", mice->Item(i)->Enabled());
        out.blank();
    }
}

} // namespace zentravolix::vmx::detail
