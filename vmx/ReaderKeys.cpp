// SPDX-License-Identifier: MIT
// The second pass over the key lines: identity, options, single and numbered devices.
#include "vmx/detail/KeyNames.h"
#include "vmx/detail/OptionKeys.h"
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
    if (status == NumberStatus::OutOfRange || line.is(versionKey))
        ctx.problem(line, status == NumberStatus::OutOfRange ? ProblemCode::NumberOutOfRange : ProblemCode::NotANumber);
    return std::nullopt;
}

Fate readConfig(ReaderContext& ctx, const ParsedLine& line)
{
    const auto version = versionNumber(ctx, line, key::ConfigVersion);
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
    if (line.is(key::ProductCompatibility))
        return onWord(line, words::ProductCompatibilities, [&](std::int16_t c) { ctx.general.SetProductCompatibility(c); });
    const auto version = versionNumber(ctx, line, key::HardwareVersion);
    if (!version)
        return Fate::Preserved;
    ctx.general.SetHardwareVersion(*version);
    return Fate::Consumed;
}

Fate readPlainKey(ReaderContext& ctx, const ParsedLine& line)
{
    if (line.is(key::DisplayName)) {
        ctx.general.SetDisplayName(line.value);
    } else if (line.is(key::GuestOS)) {
        ctx.general.SetGuestOSName(line.value);
    } else if (line.is(key::WorkingDir)) {
        ctx.general.SetWorkingPath(line.value);
    } else if (line.is(key::Annotation)) {
        ctx.vm.SetNotes(line.value); // |0D|0A came back as CR LF with the other escapes
    } else if (line.is(key::MemSize)) {
        const auto mb = ctx.number(line, kInt32Min, kInt32Max);
        if (!mb)
            return Fate::Preserved;
        ensureCount(*ctx.hw.Memory(), 1);
        ctx.hw.Memory()->Item(1)->SetMBs(static_cast<std::int32_t>(*mb));
    } else if (line.is(key::NumVCpus)) {
        const auto n = ctx.number(line, kInt32Min, kInt32Max);
        if (!n)
            return Fate::Preserved;
        if (*n > MaxItemsPerCollection) {
            ctx.problem(line, ProblemCode::TooManyItems);
            return Fate::Preserved;
        }
        ensureCount(*ctx.hw.CPUs(), static_cast<std::int32_t>(*n));
    } else if (line.is(key::Pae)) {
        return onTrigger(line, "true", [&] {
            for (std::int32_t i = 1; i <= ctx.hw.CPUs()->Count(); ++i)
                ctx.hw.CPUs()->Item(i)->SetEmulatePAE(true);
        });
    } else {
        return Fate::Preserved;
    }
    return Fate::Consumed;
}

/** Keys shared by floppies, parallel and serial ports. */
template <class Port>
std::optional<Fate> readPortCommon(Port& port, const ParsedLine& line)
{
    if (line.hasMember(member::Present))
        return onBoolean(line, [&](bool f) { port.SetEnabled(f); });
    if (line.hasMember(member::StartConnected))
        return onBoolean(line, [&](bool f) { port.SetConnectedAtBoot(f); });
    if (line.hasMember(member::FileType))
        port.SetDeviceType(line.value);
    else if (line.hasMember(member::FileName))
        port.SetDeviceName(line.value);
    else if (line.hasMember(member::AutoDetect))
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
    const auto floppy = numberedItem(ctx, line, *ctx.hw.Floppies(), family::Floppy.size());
    if (!floppy)
        return Fate::Preserved;
    if (const auto fate = readPortCommon(*floppy, line))
        return *fate;
    if (line.hasMember(member::ClientDevice))
        return onBoolean(line, [&](bool f) { floppy->SetClientDevice(f); });
    return Fate::Preserved;
}

Fate readParallel(ReaderContext& ctx, const ParsedLine& line)
{
    const auto port = numberedItem(ctx, line, *ctx.hw.ParallelPorts(), family::Parallel.size());
    if (!port)
        return Fate::Preserved;
    if (const auto fate = readPortCommon(*port, line))
        return *fate;
    if (line.hasMember(member::Bidirectional))
        return onBoolean(line, [&](bool f) { port->SetBidirectional(f); });
    return Fate::Preserved;
}

Fate readSerial(ReaderContext& ctx, const ParsedLine& line)
{
    const auto port = numberedItem(ctx, line, *ctx.hw.SerialPorts(), family::Serial.size());
    if (!port)
        return Fate::Preserved;
    if (const auto fate = readPortCommon(*port, line))
        return *fate;
    if (line.hasMember(member::YieldOnMsrRead))
        return onBoolean(line, [&](bool f) { port->SetYieldCpu(f); });
    if (line.hasMember(member::PipeEndPoint))
        return onKeyword(line, {"server", "client"}, [&](std::int16_t c) { port->SetPipeEnd1(c); });
    if (line.hasMember(member::TryNoRxLoss))
        return onKeyword(line, {"false", "true"}, [&](std::int16_t c) { port->SetPipeEnd2(c); });
    return Fate::Preserved;
}

Fate readEthernet(ReaderContext& ctx, const ParsedLine& line)
{
    const auto nic = numberedItem(ctx, line, *ctx.hw.NetworkAdapters(), family::Ethernet.size());
    if (!nic)
        return Fate::Preserved;
    if (line.hasMember(member::Present))
        return onBoolean(line, [&](bool f) { nic->SetEnabled(f); });
    if (line.hasMember(member::StartConnected))
        return onBoolean(line, [&](bool f) { nic->SetConnectedAtBoot(f); });
    if (line.hasMember(member::VirtualDev)) {
        const auto code = wordCode(line, words::NicTypes);
        if (!code)
            return Fate::Preserved;
        if (*code >= words::kFirstNewerNicType)
            return ctx.newerLine(line, [nic, c = *code] { nic->SetDeviceType(c); });
        nic->SetDeviceType(*code);
        return Fate::Consumed;
    }
    if (line.hasMember(member::VNet)) {
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
    if (line.hasMember(member::ConnectionType)) {
        static const std::int16_t kNets[] = {0, 1, 8};
        return onWord(line, words::ConnectionTypes, [&](std::int16_t c) {
            nic->SetConnectionType(c);
            if (c < 3)
                nic->SetVNet(kNets[c]);
        });
    }
    if (line.hasMember(member::AddressType))
        return onWord(line, words::AddressTypes, [&](std::int16_t c) { nic->SetAddressType(c); });
    if (line.hasMember(member::GeneratedAddress) || line.hasMember(member::Address)) {
        nic->SetMacAddress(line.value);
        return Fate::Consumed;
    }
    if (line.hasMember(member::GeneratedAddressOffset)) {
        const auto offset = ctx.number(line, kInt32Min, kInt32Max);
        if (!offset)
            return Fate::Preserved;
        nic->SetGenAddressOffset(static_cast<std::int32_t>(*offset));
        return Fate::Consumed;
    }
    if (line.hasMember(member::NetworkName)) {
        nic->SetNetworkName(line.value);
        return Fate::Consumed;
    }
    if (line.hasMember(member::UptCompatibility))
        return onBoolean(line, [&](bool f) { nic->SetUptCompatibility(f); });
    if (line.hasMember(member::WakeOnPacket))
        return onBoolean(line, [&](bool f) { nic->SetWakeOnPacket(f); });
    if (line.hasMember(member::GuestConnectionControl))
        return onBoolean(line, [&](bool f) { nic->SetGuestConnectionControl(f); });
    return Fate::Preserved;
}

Fate readSound(ReaderContext& ctx, const ParsedLine& line)
{
    if (!line.is(key::SoundPresent) && !line.is(key::SoundStartConnected) && !line.is(key::SoundVirtualDev) &&
        !line.is(key::SoundSynth) && !line.is(key::SoundAutoDetect) &&
        !(line.is(key::SoundFileName) && line.value == words::SoundHostDefault))
        return Fate::Preserved;
    ensureCount(*ctx.hw.AudioDevices(), 1);
    const auto audio = ctx.hw.AudioDevices()->Item(1);
    if (line.is(key::SoundPresent))
        return onBoolean(line, [&](bool f) { audio->SetEnabled(f); });
    if (line.is(key::SoundStartConnected))
        return onBoolean(line, [&](bool f) { audio->SetConnectedAtBoot(f); });
    if (line.is(key::SoundAutoDetect))
        return onBoolean(line, [&](bool f) { audio->SetAutoDetect(f); });
    if (line.is(key::SoundFileName)) {
        // Only the host's default device: a named host device stays a kept line.
        audio->SetDeviceName(line.value);
        return Fate::Consumed;
    }
    if (line.is(key::SoundVirtualDev)) {
        if (EqualsIgnoreCase(line.value, words::SoundHdAudio))
            return ctx.newerLine(line, [audio] { audio->SetDeviceType(words::kSoundHdAudioCode); });
        return onWord(line, words::SoundTypes, [&](std::int16_t c) { audio->SetDeviceType(c); });
    }
    return onKeyword(line, {"true"}, [&](std::int16_t) { audio->SetDeviceType(2); });
}

Fate readUsb(ReaderContext& ctx, const ParsedLine& line)
{
    if (line.is(key::EhciPresent) || line.is(key::XhciPresent)) {
        const auto flag = parseBoolean(line.value);
        if (!flag)
            return Fate::Preserved;
        return ctx.newerLine(line, [&hw = ctx.hw, on = *flag, xhci = line.is(key::XhciPresent)] {
            ensureCount(*hw.USBControllers(), 1);
            const auto usb = hw.USBControllers()->Item(1);
            if (xhci)
                usb->SetXhciEnabled(on);
            else
                usb->SetEhciEnabled(on);
        });
    }
    if (!line.is(key::UsbPresent) && !line.is(key::UsbAutoConnect))
        return Fate::Preserved;
    ensureCount(*ctx.hw.USBControllers(), 1);
    const auto usb = ctx.hw.USBControllers()->Item(1);
    if (line.is(key::UsbPresent))
        return onBoolean(line, [&](bool f) { usb->SetEnabled(f); });
    return onBoolean(line, [&](bool f) { usb->SetAutoConnect(f); });
}

Fate readCpuid(ReaderContext& ctx, const ParsedLine& line)
{
    if (!line.is(key::CoresPerSocket))
        return Fate::Preserved;
    const auto cores = ctx.number(line, 1, kInt32Max);
    if (!cores)
        return Fate::Preserved;
    return ctx.newerLine(line, [&hw = ctx.hw, n = static_cast<std::int32_t>(*cores)] { hw.CPUs()->SetCoresPerSocket(n); });
}

Fate readSvga(ReaderContext& ctx, const ParsedLine& line)
{
    if (line.is(key::SvgaPresent)) {
        ensureCount(*ctx.hw.Displays(), 1);
        return onBoolean(line, [&](bool f) { ctx.hw.Displays()->Item(1)->SetPresent(f); });
    }
    if (!line.is(key::SvgaMaxWidth) && !line.is(key::SvgaMaxHeight) && !line.is(key::SvgaVramSize) &&
        !line.is(key::SvgaGraphicsMemory))
        return Fate::Preserved;
    const auto n = ctx.number(line, kInt32Min, kInt32Max);
    if (!n)
        return Fate::Preserved;
    if (line.is(key::SvgaGraphicsMemory)) {
        if (*n < 1)
            return Fate::Preserved;
        return ctx.newerLine(line, [&hw = ctx.hw, kb = static_cast<std::int32_t>(*n)] {
            ensureCount(*hw.Displays(), 1);
            hw.Displays()->Item(1)->SetGraphicsMemoryKB(kb);
        });
    }
    ensureCount(*ctx.hw.Displays(), 1);
    const auto display = ctx.hw.Displays()->Item(1);
    const auto value = static_cast<std::int32_t>(*n);
    if (line.is(key::SvgaMaxWidth))
        display->SetScreenWidth(value);
    else if (line.is(key::SvgaMaxHeight))
        display->SetScreenHeight(value);
    else
        display->SetVramSize(value);
    return Fate::Consumed;
}

Fate readMks(ReaderContext& ctx, const ParsedLine& line)
{
    if (!line.is(key::Enable3D))
        return Fate::Preserved;
    ensureCount(*ctx.hw.Displays(), 1);
    return onTrigger(line, "true", [&] { ctx.hw.Displays()->Item(1)->SetEnable3D(true); });
}

Fate readVmMouse(ReaderContext& ctx, const ParsedLine& line)
{
    if (!line.is(key::MousePresent))
        return Fate::Preserved;
    ensureCount(*ctx.hw.Mice(), 1);
    return onTrigger(line, "false", [&] { ctx.hw.Mice()->Item(1)->SetEnabled(false); });
}

Fate readIde(ReaderContext& ctx, const ParsedLine& line)
{
    return readControllerKey(ctx, line, Bus::Ide);
}

Fate readScsi(ReaderContext& ctx, const ParsedLine& line)
{
    return readControllerKey(ctx, line, Bus::Scsi);
}

Fate readSata(ReaderContext& ctx, const ParsedLine& line)
{
    return readControllerKey(ctx, line, Bus::Sata);
}

Fate readNvme(ReaderContext& ctx, const ParsedLine& line)
{
    return readControllerKey(ctx, line, Bus::Nvme);
}

Fate readHotAdd(ReaderContext& ctx, const ParsedLine& line)
{
    if (line.is(key::CpuHotAdd))
        return onBoolean(line, [&](bool on) { ctx.hw.CPUs()->SetHotAdd(on); });
    if (line.is(key::MemHotAdd))
        return onBoolean(line, [&](bool on) { ctx.hw.Memory()->SetHotAdd(on); });
    return Fate::Preserved;
}

/** A resource amount or share count: a whole number of 0 or more; nothing for anything else. */
std::optional<std::int64_t> resourceNumber(const ParsedLine& line)
{
    std::int64_t n = 0;
    if (ParseInteger(line.value, 0, std::numeric_limits<std::int64_t>::max(), n) != NumberStatus::Ok)
        return std::nullopt;
    return n;
}

/**
 * The processor and memory resource settings. A value the model cannot hold (a negative amount,
 * a word other than the known ones) leaves the line as the file has it.
 */
Fate readSched(ReaderContext& ctx, const ParsedLine& line)
{
    const std::string_view name = line.key;
    const bool cpu = EqualsIgnoreCase(name.substr(0, key::SchedCpu.size()), key::SchedCpu);
    const bool memory = EqualsIgnoreCase(name.substr(0, key::SchedMem.size()), key::SchedMem);
    if (!cpu && !memory)
        return Fate::Preserved;
    const std::string_view member = name.substr(key::SchedCpu.size());
    const auto is = [member](std::string_view m) { return EqualsIgnoreCase(member, m); };
    tarvonel::ResourceAllocation r = cpu ? ctx.hw.CPUs()->Resources() : ctx.hw.Memory()->Resources();
    if (is(key::SchedMin)) {
        const auto n = resourceNumber(line);
        if (!n)
            return Fate::Preserved;
        r.Reservation = *n;
    } else if (is(key::SchedMax)) {
        if (EqualsIgnoreCase(line.value, words::Unlimited)) {
            r.LimitUnlimited = true;
            r.Limit.reset();
        } else if (const auto n = resourceNumber(line)) {
            r.Limit = *n;
            r.LimitUnlimited = false;
        } else {
            return Fate::Preserved;
        }
    } else if (is(key::SchedShares)) {
        if (const auto level = wordCode(line, words::SharesLevels)) {
            r.Level = static_cast<tarvonel::ResourceAllocation::SharesLevel>(*level);
            r.CustomShares.reset();
        } else if (const auto n = resourceNumber(line)) {
            r.CustomShares = *n;
            r.Level.reset();
        } else {
            return Fate::Preserved;
        }
    } else if (cpu && is(key::SchedUnits)) {
        if (!EqualsIgnoreCase(line.value, words::Mhz))
            return Fate::Preserved;
        r.UnitsInMhz = true;
    } else if (memory && is(key::SchedMinSize)) {
        const auto n = resourceNumber(line);
        if (!n)
            return Fate::Preserved;
        r.MinimumSize = *n;
    } else {
        return Fate::Preserved;
    }
    if (cpu)
        ctx.hw.CPUs()->SetResources(r);
    else
        ctx.hw.Memory()->SetResources(r);
    return Fate::Consumed;
}

Fate keepLine(ReaderContext&, const ParsedLine&)
{
    return Fate::Preserved;
}

/** The key groups by prefix (compared ignoring letter case), tested in this order; a wildcard group takes any continuation. */
struct Group {
    std::string_view pattern;
    bool wildcard;
    Handler handler;
};

constexpr Group kGroups[] = {
    {"config", false, readConfig},
    {"virtualhw", false, readVirtualHw},
    // The plain prefix holds the count (an option key), not a folder: its other keys are kept.
    {family::SharedFolder, false, keepLine},
    {family::SharedFolder, true, readSharedFolder},
    {family::Floppy, true, readFloppy},
    {family::Parallel, true, readParallel},
    {family::Serial, true, readSerial},
    {"sound", false, readSound},
    {family::Ethernet, true, readEthernet},
    {"usb", false, readUsb},
    {"ehci", false, readUsb},
    {"usb_xhci", false, readUsb},
    {"cpuid", false, readCpuid},
    {family::Ide, true, readIde},
    {family::Scsi, true, readScsi},
    {family::Sata, true, readSata},
    {family::Nvme, true, readNvme},
    {"svga", false, readSvga},
    {"mks", false, readMks},
    {"vmmouse", false, readVmMouse},
    {"vcpu", false, readHotAdd},
    {"mem", false, readHotAdd},
    {"sched", false, readSched},
};

} // namespace

Fate readKey(ReaderContext& ctx, ParsedLine& line)
{
    if (line.rejected)
        return Fate::Preserved;
    if (const OptionKey* option = findOptionKey(line.key)) {
        line.loadValue();
        return option->read(ctx, line);
    }
    if (!line.hasDot()) {
        line.loadValue();
        return readPlainKey(ctx, line);
    }
    const std::string_view prefix = line.prefix(); // lower case, as parseLine made the key
    for (const Group& group : kGroups) {
        // Most keys of a long file belong to no group: the first letter rules out nearly all.
        if (prefix.empty() || prefix.front() != (group.pattern.front() | 0x20))
            continue;
        const bool match = group.wildcard ? EqualsIgnoreCase(prefix.substr(0, group.pattern.size()), group.pattern)
                                          : EqualsIgnoreCase(prefix, group.pattern);
        if (match) {
            line.loadValue();
            return group.handler(ctx, line);
        }
    }
    return Fate::Preserved;
}

} // namespace zentravolix::vmx::detail
