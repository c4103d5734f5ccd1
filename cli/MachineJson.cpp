// SPDX-License-Identifier: MIT
#include "cli/MachineJson.h"

#include "config/DeviceKinds.h"
#include "config/ProductTables.h"
#include "vmx/VmxSyntax.h"
#include "vmx/detail/KeyNames.h"

#include <tarvonel/tarvonel.h>

#include <span>

namespace zentravolix::cli {

namespace {

using nlohmann::json;
using tarvonel::VirtualHardwareType;
namespace words = vmx::detail::words;

/** A word of a list by its code, or the code as a number when the list has no such word. */
template <std::size_t N> json word(const std::string_view (&list)[N], std::int32_t code)
{
    if (code >= 0 && static_cast<std::size_t>(code) < N)
        return std::string(list[code]);
    return code;
}

std::string caption(const std::vector<std::string>& captions, std::int16_t index)
{
    return index >= 0 && static_cast<std::size_t>(index) < captions.size() ? captions[static_cast<std::size_t>(index)]
                                                                          : std::string();
}

/** The stable name of a device kind in JSON. */
const char* kindId(VirtualHardwareType type)
{
    switch (type) {
    case VirtualHardwareType::CPU: return "cpu";
    case VirtualHardwareType::RAM: return "memory";
    case VirtualHardwareType::Floppy: return "floppy";
    case VirtualHardwareType::Parallel: return "parallel";
    case VirtualHardwareType::Serial: return "serial";
    case VirtualHardwareType::Audio: return "audio";
    case VirtualHardwareType::Network: return "network";
    case VirtualHardwareType::USB: return "usb";
    case VirtualHardwareType::IDEController: return "ide-controller";
    case VirtualHardwareType::SCSIController: return "scsi-controller";
    case VirtualHardwareType::HardDrive: return "hard-disk";
    case VirtualHardwareType::CDRomDrive: return "cd-rom";
    case VirtualHardwareType::GenericSCSI: return "generic-scsi";
    case VirtualHardwareType::Display: return "display";
    case VirtualHardwareType::Mouse: return "mouse";
    case VirtualHardwareType::SATAController: return "sata-controller";
    case VirtualHardwareType::NVMeController: return "nvme-controller";
    case VirtualHardwareType::Device: break;
    }
    return "device";
}

json node(const std::string& bus, std::int16_t controller, std::int16_t busNode)
{
    json j;
    j["bus"] = bus;
    j["controller"] = controller;
    j["node"] = busNode;
    return j;
}

/** The fields of one device; base holds what every device has. */
template <class T> void fields(const T&, json&) {}

void fields(const tarvonel::clsCPU& d, json& j)
{
    j["emulatePAE"] = d.EmulatePAE();
}
void fields(const tarvonel::clsMemory& d, json& j)
{
    j["sizeMB"] = d.MBs();
}
void fields(const tarvonel::clsFloppy& d, json& j)
{
    j["enabled"] = d.Enabled();
    j["connectedAtBoot"] = d.ConnectedAtBoot();
    j["fileName"] = d.DeviceName();
    j["deviceType"] = d.DeviceType();
}
void fields(const tarvonel::clsParPort& d, json& j)
{
    j["enabled"] = d.Enabled();
    j["connectedAtBoot"] = d.ConnectedAtBoot();
    j["fileName"] = d.DeviceName();
    j["deviceType"] = d.DeviceType();
    j["bidirectional"] = d.Bidirectional();
}
void fields(const tarvonel::clsSerPort& d, json& j)
{
    j["enabled"] = d.Enabled();
    j["connectedAtBoot"] = d.ConnectedAtBoot();
    j["fileName"] = d.DeviceName();
    j["deviceType"] = d.DeviceType();
    j["pipeEnd1"] = d.PipeEnd1();
    j["pipeEnd2"] = d.PipeEnd2();
    j["yieldCpu"] = d.YieldCpu();
}
void fields(const tarvonel::clsAudioDevice& d, json& j)
{
    j["enabled"] = d.Enabled();
    j["connectedAtBoot"] = d.ConnectedAtBoot();
    j["deviceType"] = d.DeviceType();
    j["deviceTypeName"] = word(words::SoundTypes, d.DeviceType());
}
void fields(const tarvonel::clsNIC& d, json& j)
{
    j["enabled"] = d.Enabled();
    j["connectedAtBoot"] = d.ConnectedAtBoot();
    j["adapterType"] = d.DeviceType();
    j["adapterTypeName"] = word(words::NicTypes, d.DeviceType());
    j["connectionType"] = d.ConnectionType();
    j["connectionTypeName"] = word(words::ConnectionTypes, d.ConnectionType());
    j["virtualNetwork"] = d.VNet();
    j["macAddressType"] = word(words::AddressTypes, d.AddressType());
    j["macAddress"] = d.MacAddress();
    j["generatedAddressOffset"] = d.GenAddressOffset();
}
void fields(const tarvonel::clsUSBController& d, json& j)
{
    j["enabled"] = d.Enabled();
    j["autoConnect"] = d.AutoConnect();
}
void fields(const tarvonel::clsSATAController& d, json& j)
{
    j["enabled"] = d.Enabled();
    j["nodes"] = d.MaxNodes();
}
void fields(const tarvonel::clsNVMeController& d, json& j)
{
    j["enabled"] = d.Enabled();
    j["nodes"] = d.MaxNodes();
}
void fields(const tarvonel::clsIDEController& d, json& j)
{
    j["enabled"] = d.Enabled();
    j["nodes"] = d.MaxNodes();
}
void fields(const tarvonel::clsSCSIController& d, json& j)
{
    j["enabled"] = d.Enabled();
    j["controllerType"] = d.ControllerType();
    j["controllerTypeName"] = word(words::ScsiControllerTypes, d.ControllerType());
    j["nodes"] = d.MaxNodes();
    j["ownNode"] = d.BusNode();
}
void fields(const tarvonel::clsHardDisk& d, json& j)
{
    j["enabled"] = d.Enabled();
    j["fileName"] = d.DeviceName();
    j["deviceType"] = d.DeviceType();
    j["mode"] = d.Mode();
    j["diskSize"] = d.DiskSize();
    j["attachment"] = node(d.BusType(), d.Controller(), d.BusNode());
}
void fields(const tarvonel::clsCDRom& d, json& j)
{
    j["enabled"] = d.Enabled();
    j["connectedAtBoot"] = d.ConnectedAtBoot();
    j["fileName"] = d.DeviceName();
    j["deviceType"] = d.DeviceType();
    j["legacyEmulation"] = d.LegacyEmulation();
    j["exclusiveConnection"] = d.ExclusiveConnection();
    j["attachment"] = node(d.BusType(), d.Controller(), d.BusNode());
}
void fields(const tarvonel::clsGenSCSI& d, json& j)
{
    j["enabled"] = d.Enabled();
    j["connectedAtBoot"] = d.ConnectedAtBoot();
    j["fileName"] = d.DeviceName();
    j["deviceType"] = d.DeviceType();
    j["attachment"] = node(d.BusType(), d.Controller(), d.BusNode());
}
void fields(const tarvonel::clsDisplay& d, json& j)
{
    j["screenWidth"] = d.ScreenWidth();
    j["screenHeight"] = d.ScreenHeight();
    j["videoMemoryBytes"] = d.VramSize();
    j["enable3D"] = d.Enable3D();
}
void fields(const tarvonel::clsMouse& d, json& j)
{
    j["enabled"] = d.Enabled();
}

template <class Collection>
void listCollection(const tarvonel::clsHardware& hw, VirtualHardwareType type, const Collection& collection, json& list)
{
    for (std::int32_t i = 1; i <= collection.Count(); ++i) {
        const auto item = collection.Item(i);
        json j;
        j["kind"] = hw.HWTypeToText(type);
        j["type"] = kindId(type);
        j["number"] = item->DeviceNum();
        j["name"] = item->DisplayName();
        j["summary"] = item->Summary();
        fields(*item, j);
        list.push_back(std::move(j));
    }
}

json devices(const tarvonel::clsHardware& hw)
{
    json list = json::array();
    for (const auto type : config::DeviceKinds()) {
        config::VisitDeviceKind(type, 0, [&](const auto& kind) {
            listCollection(hw, type, *kind.collection(hw), list);
            return 0;
        });
    }
    // SATA and NVMe controllers until the hardware list has kinds for them.
    if (!config::IsDeviceKind(VirtualHardwareType::SATAController))
        listCollection(hw, VirtualHardwareType::SATAController, *hw.SATAControllers(), list);
    if (!config::IsDeviceKind(VirtualHardwareType::NVMeController))
        listCollection(hw, VirtualHardwareType::NVMeController, *hw.NVMeControllers(), list);
    return list;
}

json options(const tarvonel::clsOptions& o)
{
    json j;
    const auto g = o.GeneralOptions();
    j["general"] = {{"summary", g->Summary()},
                    {"displayName", g->DisplayName()},
                    {"fileName", g->VmxFileName()},
                    {"folder", g->VmxPath()},
                    {"workingFolder", g->WorkingPath()},
                    {"guestFamily", g->GuestFamily()},
                    {"guestVersion", g->GuestVersion()},
                    {"guestOS", g->GuestOSName()}};
    const auto p = o.PowerOptions();
    j["power"] = {{"summary", p->Summary()},
                  {"powerOnAfterOpening", p->PowerOnAfterOpening()},
                  {"enterFullScreenAfterPowerOn", p->EnterFullScreenAfterPowerOn()},
                  {"closeAfterPowerOff", p->CloseAfterPowerOff()},
                  {"stopButtonAction", p->StopButtonAction()},
                  {"resetButtonAction", p->ResetButtonAction()},
                  {"runToolsAfterPowerOn", p->RunToolsAfterPowerOn()},
                  {"runToolsAfterResume", p->RunToolsAfterResume()},
                  {"runToolsBeforeSuspend", p->RunToolsBeforeSuspend()},
                  {"runToolsBeforePowerOff", p->RunToolsBeforePowerOff()}};
    const auto s = o.SharedFoldersOptions();
    json folders = json::array();
    for (std::int32_t i = 1; i <= s->Count(); ++i) {
        const auto f = s->Item(i);
        folders.push_back({{"number", f->FolderNum()},
                           {"name", f->ShareName()},
                           {"hostFolder", f->HostFolder()},
                           {"status", f->Status()},
                           {"enabled", f->Enabled()},
                           {"readOnly", f->ReadOnly()},
                           {"disableAfterThisSession", f->DisableAfterThisSession()}});
    }
    j["sharedFolders"] = {{"summary", s->Summary()}, {"enabled", s->Enabled()}, {"folders", std::move(folders)}};
    const auto n = o.SnapshotsOptions();
    j["snapshots"] = {{"summary", n->Summary()},
                      {"enabled", n->SnapshotsEnabled()},
                      {"powerOffAction", n->SnapshotPowerOffAction()},
                      {"powerOffActionName", word(words::SnapshotActions, n->SnapshotPowerOffAction())}};
    const auto i = o.GuestIsolationOptions();
    j["guestIsolation"] = {{"summary", i->Summary()},
                           {"dragAndDrop", i->DragAndDropEnabled()},
                           {"paste", i->PasteEnabled()},
                           {"copy", i->CopyEnabled()}};
    const auto a = o.AdvancedOptions();
    j["advanced"] = {{"summary", a->Summary()},
                     {"inputGrabPriority", a->InputGrabPriority()},
                     {"inputUngrabPriority", a->InputUngrabPriority()},
                     {"debugging", a->Debugging()},
                     {"accelerationDisabled", a->AccelerationDisabled()},
                     {"memoryPageTrimDisabled", a->MemoryPageTrimDisabled()},
                     {"loggingEnabled", a->LoggingEnabled()},
                     {"logPeriodic", a->LogPeriodic()},
                     {"logFolder", a->LogFolder()},
                     {"templateMode", a->TemplateMode()},
                     {"clusteringSupport", a->ClusteringSupport()}};
    return j;
}

/** The settings of today's products that no device field holds; null where the machine lacks the device. */
json settings(const tarvonel::VirtualMachine& vm)
{
    const auto hw = vm.Hardware();
    const auto advanced = vm.Options()->AdvancedOptions();
    json j;
    j["firmware"] = FirmwareName(*advanced);
    j["secureBoot"] = advanced->SecureBoot();
    j["usbVersion"] = hw->USBControllers()->Count() > 0 ? json(UsbVersion(*hw->USBControllers()->Item(1))) : json();
    j["coresPerSocket"] = hw->CPUs()->CoresPerSocket();
    j["graphicsMemoryKB"] = hw->Displays()->Count() > 0 ? json(hw->Displays()->Item(1)->GraphicsMemoryKB()) : json();
    return j;
}

json limits(const config::EditorLimits& l)
{
    return {{"maxCPUs", l.MaxCPUs},
            {"maxMemoryMB", l.MaxMemoryMB},
            {"maxNICs", l.MaxNICs},
            {"maxSCSIControllers", l.MaxSCSIControllers},
            {"maxIdeDiskSectors", l.MaxIdeDiskSize},
            {"maxScsiDiskSectors", l.MaxScsiDiskSize},
            {"display3D", l.Display3DAvailable}};
}

} // namespace

std::string UsbVersion(const tarvonel::clsUSBController& usb)
{
    if (usb.XhciEnabled())
        return "3.x";
    return usb.EhciEnabled() ? "2.0" : "1.1";
}

std::string FirmwareName(const tarvonel::clsAdvanced& advanced)
{
    return advanced.Firmware() == 1 ? "efi" : "bios";
}

KeyLineCount CountKeyLines(const config::ConfigSession& session, const config::KeyLineIndex& lines)
{
    KeyLineCount count;
    count.total = lines.keyLines();
    for (const auto& line : session.OtherParams()) {
        if (!vmx::RawLineKey(line).empty())
            ++count.kept;
    }
    count.understood = count.total - count.kept;
    return count;
}

json MachineJson(const Context& context, const config::ConfigSession& session, const std::string& file,
                 const config::KeyLineIndex& lines)
{
    const tarvonel::VirtualMachine& vm = *session.Machine();
    const auto general = vm.Options()->GeneralOptions();
    json doc;
    doc["file"] = file;
    doc["path"] = session.OpenedPath().string();
    if (const auto encoding = session.KeptValue(".encoding"))
        doc["encoding"] = *encoding;
    else
        doc["encoding"] = nullptr;
    doc["displayName"] = general->DisplayName();
    const auto platforms = config::TargetPlatformTextIds();
    const std::int16_t platform = general->TargetPlatform();
    const std::string platformName =
        platform >= 0 && static_cast<std::size_t>(platform) < platforms.size() && context.text
            ? context.text(platforms[static_cast<std::size_t>(platform)])
            : std::string();
    doc["platform"] = {{"code", platform}, {"name", platformName}};
    doc["version"] = {{"code", general->PlatformVersion()},
                      {"name", caption(config::PlatformVersionCaptions(platform), general->PlatformVersion())}};
    doc["configVersion"] = general->ConfigVersion();
    doc["hardwareVersion"] = general->HardwareVersion();
    if (config::FindVersionSettings(platform, general->PlatformVersion()))
        doc["limits"] = limits(session.Limits());
    else
        doc["limits"] = nullptr;
    doc["settings"] = settings(vm);
    doc["hardware"] = devices(*vm.Hardware());
    doc["options"] = options(*vm.Options());
    doc["problems"] = json::array();
    for (const auto& problem : session.Problems()) {
        doc["problems"].push_back({{"line", problem.line},
                                   {"code", vmx::ProblemCodeName(problem.code)},
                                   {"key", problem.key},
                                   {"text", problem.text}});
    }
    doc["preserved"] = session.OtherParams();
    const KeyLineCount count = CountKeyLines(session, lines);
    doc["keyLines"] = {{"total", count.total}, {"understood", count.understood}, {"kept", count.kept}};
    return doc;
}

} // namespace zentravolix::cli
