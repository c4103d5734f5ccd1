// SPDX-License-Identifier: MIT
// The second pass over the key lines: identity, options, single and numbered devices.
#include "vmx/detail/ReaderHandlers.h"

#include <limits>

namespace zentravolix::vmx::detail {

namespace {

using Handler = Fate (*)(ReaderContext&, const ParsedLine&);

constexpr std::int64_t kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t kInt16Max = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

/** config.* and virtualHW.*: a number sets the version; only the version key itself must be one. */
std::optional<std::int16_t> versionNumber(ReaderContext& ctx, const ParsedLine& line, std::string_view versionKey)
{
    std::int64_t n = 0;
    const auto status = ParseInteger(line.value, kInt16Min, kInt16Max, n);
    if (status == NumberStatus::Ok)
        return static_cast<std::int16_t>(n);
    if (status == NumberStatus::OutOfRange || line.key == versionKey)
        ctx.problem(line, status == NumberStatus::OutOfRange ? ProblemCode::NumberOutOfRange : ProblemCode::NotANumber);
    return std::nullopt;
}

Fate readConfig(ReaderContext& ctx, const ParsedLine& line)
{
    const auto version = versionNumber(ctx, line, "config.version");
    if (!version)
        return Fate::Preserved;
    ctx.general.SetConfigVersion(*version);
    const std::int16_t platformVersion = *version == 6 ? 0 : *version == 7 ? 1 : 4;
    if (*version >= 6 && *version <= 8) {
        ctx.general.SetTargetPlatform(1);
        ctx.general.SetPlatformVersion(platformVersion);
    }
    return Fate::Consumed;
}

Fate readVirtualHw(ReaderContext& ctx, const ParsedLine& line)
{
    const auto version = versionNumber(ctx, line, "virtualhw.version");
    if (!version)
        return Fate::Preserved;
    ctx.general.SetHardwareVersion(*version);
    return Fate::Consumed;
}

Fate readPlainKey(ReaderContext& ctx, const ParsedLine& line)
{
    const std::string& key = line.key;
    const auto advanced = ctx.options.AdvancedOptions();
    if (key == "displayname") {
        ctx.general.SetDisplayName(line.value);
    } else if (key == "guestos") {
        ctx.general.SetGuestOSName(line.value);
    } else if (key == "workingdir") {
        ctx.general.SetWorkingPath(line.value);
    } else if (key == "annotation") {
        ctx.vm.SetNotes(line.value); // |0D|0A came back as CR LF with the other escapes
    } else if (key == "memsize") {
        const auto mb = ctx.number(line, kInt32Min, kInt32Max);
        if (!mb)
            return Fate::Preserved;
        ensureCount(*ctx.hw.Memory(), 1);
        ctx.hw.Memory()->Item(1)->SetMBs(static_cast<std::int32_t>(*mb));
    } else if (key == "numvcpus") {
        const auto n = ctx.number(line, kInt32Min, kInt32Max);
        if (!n)
            return Fate::Preserved;
        if (*n > MaxItemsPerCollection) {
            ctx.problem(line, ProblemCode::TooManyItems);
            return Fate::Preserved;
        }
        ensureCount(*ctx.hw.CPUs(), static_cast<std::int32_t>(*n));
    } else if (key == "paevm") {
        return onTrigger(line, "true", [&] {
            for (std::int32_t i = 1; i <= ctx.hw.CPUs()->Count(); ++i)
                ctx.hw.CPUs()->Item(i)->SetEmulatePAE(true);
        });
    } else if (key == "debug") {
        return onTrigger(line, "true", [&] { advanced->SetDebugging(true); });
    } else if (key == "disable_acceleration") {
        return onTrigger(line, "true", [&] { advanced->SetAccelerationDisabled(true); });
    } else if (key == "memtrimrate") {
        const auto rate = ctx.number(line, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max());
        if (!rate || (*rate != 0 && *rate != 30 && *rate != -1))
            return Fate::Preserved;
        if (*rate != -1)
            advanced->SetMemoryPageTrimDisabled(*rate == 0);
    } else if (key == "logging") {
        return onTrigger(line, "false", [&] { advanced->SetLoggingEnabled(false); });
    } else if (key == "templatevm") {
        return onTrigger(line, "true", [&] { advanced->SetTemplateMode(true); });
    } else {
        return Fate::Preserved;
    }
    return Fate::Consumed;
}

/** Keys shared by floppies, parallel and serial ports. */
template <class Port>
std::optional<Fate> readPortCommon(Port& port, const ParsedLine& line)
{
    const std::string_view suffix = line.suffix();
    if (suffix == ".present")
        return onBoolean(line, [&](bool f) { port.SetEnabled(f); });
    if (suffix == ".startconnected")
        return onBoolean(line, [&](bool f) { port.SetConnectedAtBoot(f); });
    if (suffix == ".filetype")
        port.SetDeviceType(line.value);
    else if (suffix == ".filename")
        port.SetDeviceName(line.value);
    else if (suffix == ".autodetect")
        port.SetDeviceName("auto detect");
    else
        return std::nullopt;
    return Fate::Consumed;
}

template <class Collection>
std::shared_ptr<typename Collection::ItemType> numberedItem(ReaderContext& ctx, const ParsedLine& line,
                                                            Collection& collection, std::size_t digitsAt)
{
    const auto n = ctx.index(line, line.prefix().substr(digitsAt));
    if (!n)
        return nullptr;
    ensureCount(collection, *n + 1);
    return collection.Item(*n + 1);
}

Fate readFloppy(ReaderContext& ctx, const ParsedLine& line)
{
    const auto floppy = numberedItem(ctx, line, *ctx.hw.Floppies(), 6);
    if (!floppy)
        return Fate::Preserved;
    return readPortCommon(*floppy, line).value_or(Fate::Preserved);
}

Fate readParallel(ReaderContext& ctx, const ParsedLine& line)
{
    const auto port = numberedItem(ctx, line, *ctx.hw.ParallelPorts(), 8);
    if (!port)
        return Fate::Preserved;
    if (const auto fate = readPortCommon(*port, line))
        return *fate;
    if (line.suffix() == ".bidirectional")
        return onBoolean(line, [&](bool f) { port->SetBidirectional(f); });
    return Fate::Preserved;
}

Fate readSerial(ReaderContext& ctx, const ParsedLine& line)
{
    const auto port = numberedItem(ctx, line, *ctx.hw.SerialPorts(), 6);
    if (!port)
        return Fate::Preserved;
    if (const auto fate = readPortCommon(*port, line))
        return *fate;
    const std::string_view suffix = line.suffix();
    if (suffix == ".yieldonmsrread")
        return onBoolean(line, [&](bool f) { port->SetYieldCpu(f); });
    if (suffix == ".pipe.endpoint")
        return onKeyword(line, {"server", "client"}, [&](std::int16_t c) { port->SetPipeEnd1(c); });
    if (suffix == ".trynorxloss")
        return onKeyword(line, {"false", "true"}, [&](std::int16_t c) { port->SetPipeEnd2(c); });
    return Fate::Preserved;
}

Fate readEthernet(ReaderContext& ctx, const ParsedLine& line)
{
    const auto nic = numberedItem(ctx, line, *ctx.hw.NetworkAdapters(), 8);
    if (!nic)
        return Fate::Preserved;
    const std::string_view suffix = line.suffix();
    if (suffix == ".present")
        return onBoolean(line, [&](bool f) { nic->SetEnabled(f); });
    if (suffix == ".startconnected")
        return onBoolean(line, [&](bool f) { nic->SetConnectedAtBoot(f); });
    if (suffix == ".virtualdev")
        return onKeyword(line, {"vlance", "vmxnet", "e1000"}, [&](std::int16_t c) { nic->SetDeviceType(c); });
    if (suffix == ".vnet") {
        std::string number = line.value;
        for (auto at = number.find("VMnet"); at != std::string::npos; at = number.find("VMnet"))
            number.erase(at, 5);
        std::int64_t vnet = 0;
        const auto status = ParseInteger(number, kInt16Min, kInt16Max, vnet);
        if (status != NumberStatus::Ok) {
            ctx.problem(line, status == NumberStatus::OutOfRange ? ProblemCode::NumberOutOfRange : ProblemCode::NotANumber);
            return Fate::Preserved;
        }
        nic->SetVNet(static_cast<std::int16_t>(vnet));
        return Fate::Consumed;
    }
    if (suffix == ".connectiontype") {
        static const std::int16_t kNets[] = {0, 1, 8};
        return onKeyword(line, {"bridged", "hostonly", "nat", "custom"}, [&](std::int16_t c) {
            nic->SetConnectionType(c);
            if (c < 3)
                nic->SetVNet(kNets[c]);
        });
    }
    if (suffix == ".addresstype")
        return onKeyword(line, {"generated", "static"}, [&](std::int16_t c) { nic->SetAddressType(c); });
    if (suffix == ".generatedaddress" || suffix == ".address") {
        nic->SetMacAddress(line.value);
        return Fate::Consumed;
    }
    if (suffix == ".generatedaddressoffset") {
        const auto offset = ctx.number(line, kInt32Min, kInt32Max);
        if (!offset)
            return Fate::Preserved;
        nic->SetGenAddressOffset(static_cast<std::int32_t>(*offset));
        return Fate::Consumed;
    }
    return Fate::Preserved;
}

Fate readSound(ReaderContext& ctx, const ParsedLine& line)
{
    const std::string& key = line.key;
    if (key != "sound.present" && key != "sound.startconnected" && key != "sound.virtualdev" &&
        key != "sound.synth.operational")
        return Fate::Preserved;
    ensureCount(*ctx.hw.AudioDevices(), 1);
    const auto audio = ctx.hw.AudioDevices()->Item(1);
    if (key == "sound.present")
        return onBoolean(line, [&](bool f) { audio->SetEnabled(f); });
    if (key == "sound.startconnected")
        return onBoolean(line, [&](bool f) { audio->SetConnectedAtBoot(f); });
    if (key == "sound.virtualdev")
        return onKeyword(line, {"es1371", "sb16"}, [&](std::int16_t c) { audio->SetDeviceType(c); });
    return onKeyword(line, {"true"}, [&](std::int16_t) { audio->SetDeviceType(2); });
}

Fate readUsb(ReaderContext& ctx, const ParsedLine& line)
{
    if (line.key != "usb.present" && line.key != "usb.generic.autoconnect")
        return Fate::Preserved;
    ensureCount(*ctx.hw.USBControllers(), 1);
    const auto usb = ctx.hw.USBControllers()->Item(1);
    if (line.key == "usb.present")
        return onBoolean(line, [&](bool f) { usb->SetEnabled(f); });
    return onBoolean(line, [&](bool f) { usb->SetAutoConnect(f); });
}

Fate readSvga(ReaderContext& ctx, const ParsedLine& line)
{
    const std::string& key = line.key;
    if (key != "svga.maxwidth" && key != "svga.maxheight" && key != "svga.vramsize")
        return Fate::Preserved;
    const auto n = ctx.number(line, kInt32Min, kInt32Max);
    if (!n)
        return Fate::Preserved;
    ensureCount(*ctx.hw.Displays(), 1);
    const auto display = ctx.hw.Displays()->Item(1);
    const auto value = static_cast<std::int32_t>(*n);
    if (key == "svga.maxwidth")
        display->SetScreenWidth(value);
    else if (key == "svga.maxheight")
        display->SetScreenHeight(value);
    else
        display->SetVramSize(value);
    return Fate::Consumed;
}

Fate readMks(ReaderContext& ctx, const ParsedLine& line)
{
    if (line.key != "mks.enable3d")
        return Fate::Preserved;
    ensureCount(*ctx.hw.Displays(), 1);
    return onTrigger(line, "true", [&] { ctx.hw.Displays()->Item(1)->SetEnable3D(true); });
}

Fate readVmMouse(ReaderContext& ctx, const ParsedLine& line)
{
    if (line.key != "vmmouse.present")
        return Fate::Preserved;
    ensureCount(*ctx.hw.Mice(), 1);
    return onTrigger(line, "false", [&] { ctx.hw.Mice()->Item(1)->SetEnabled(false); });
}

Fate readIde(ReaderContext& ctx, const ParsedLine& line)
{
    return readControllerKey(ctx, line, false);
}

Fate readScsi(ReaderContext& ctx, const ParsedLine& line)
{
    return readControllerKey(ctx, line, true);
}

/** The key groups by prefix, tested in this order; a trailing '*' takes any continuation. */
struct Group {
    std::string_view pattern;
    bool wildcard;
    Handler handler;
};

constexpr Group kGroups[] = {
    {"config", false, readConfig},
    {"virtualhw", false, readVirtualHw},
    {"gui", false, readGui},
    {"powertype", false, readPowerType},
    {"toolscripts", false, readToolScripts},
    {"isolation", false, readIsolation},
    {"sharedfolder", false, readSharedFolderCount},
    {"sharedfolder", true, readSharedFolder},
    {"snapshot", false, readSnapshot},
    {"priority", false, readPriority},
    {"monitor_control", false, readMonitorControl},
    {"log", false, readLog},
    {"disk", false, readDisk},
    {"disklib", false, readDiskLib},
    {"floppy", true, readFloppy},
    {"parallel", true, readParallel},
    {"serial", true, readSerial},
    {"sound", false, readSound},
    {"ethernet", true, readEthernet},
    {"usb", false, readUsb},
    {"ide", true, readIde},
    {"scsi", true, readScsi},
    {"svga", false, readSvga},
    {"mks", false, readMks},
    {"vmmouse", false, readVmMouse},
};

} // namespace

Fate readKey(ReaderContext& ctx, ParsedLine& line)
{
    if (line.rejected)
        return Fate::Preserved;
    if (!line.hasDot()) {
        line.loadValue();
        return readPlainKey(ctx, line);
    }
    const std::string_view prefix = line.prefix();
    for (const Group& group : kGroups) {
        const bool match = group.wildcard ? prefix.substr(0, group.pattern.size()) == group.pattern
                                          : prefix == group.pattern;
        if (match) {
            line.loadValue();
            return group.handler(ctx, line);
        }
    }
    return Fate::Preserved;
}

} // namespace zentravolix::vmx::detail
