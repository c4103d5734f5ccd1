// SPDX-License-Identifier: MIT
#include "config/ChoiceLists.h"

#include "config/ProductTables.h"

#include "platform/HostDevices.h"

#include <tarvonel/clsGeneral.h>

namespace zentravolix::config {

namespace {

bool isWorkstation55(std::int16_t platform, std::int16_t version)
{
    return platform == 1 && version == 4;
}

/** "auto detect" where the product offers it, then the names. */
std::vector<ListEntry> withAutoDetect(std::int16_t platform, std::int16_t version,
                                      const std::vector<std::string>& names)
{
    std::vector<ListEntry> choices;
    choices.reserve(names.size() + 1);
    if (OffersAutoDetect(platform, version))
        choices.push_back({AutoDetectTextId, {}});
    for (const auto& name : names)
        choices.push_back({0, name});
    return choices;
}

std::vector<ListEntry> portChoices(std::int16_t platform, std::int16_t version,
                                   const std::vector<std::string>& hostPorts,
                                   const std::vector<std::string>& fallback)
{
    return withAutoDetect(platform, version, hostPorts.empty() ? fallback : hostPorts);
}

/** The virtualDev words of the adapter types, at their model codes. */
constexpr const char* kNicWords[] = {"vlance", "vmxnet", "e1000", "e1000e", "vmxnet3"};
constexpr const char* kNicCaptions[] = {"AMD Lance", "VMXNet", "E1000", "E1000e", "VMXNET 3"};
constexpr const char* kScsiWords[] = {"buslogic", "lsilogic", "lsisas1068", "pvscsi"};
constexpr const char* kScsiCaptions[] = {"Buslogic", "LSIlogic", "LSI Logic SAS", "VMware Paravirtual"};
/** Codes 1 and 2 are both sb16, without and with its synthesizer. */
constexpr const char* kAudioWords[] = {"es1371", "sb16", "sb16", "hdaudio"};
constexpr const char* kAudioCaptions[] = {"ES1371", "SB16", "SB16 + OPL3/Yamaha Synth", "HD Audio"};

template <std::size_t N>
std::vector<TypeChoice> typeChoices(std::int16_t platform, std::int16_t version, const std::vector<std::string>& offered,
                                    const char* const (&words)[N], const char* const (&captions)[N],
                                    std::size_t classicCount, std::size_t firstNewCode, std::int16_t current)
{
    std::vector<TypeChoice> choices;
    const bool classic = IsClassicVersion(platform, version);
    for (std::size_t code = 0; code < N; ++code) {
        const auto c = static_cast<std::int16_t>(code);
        const bool offers = classic ? code < classicCount : EditorLimits::Offers(offered, words[code]);
        // A classic list stays as it always was; a newer type joins it only when the file has one.
        if (offers || (c == current && (!classic || code >= firstNewCode)))
            choices.push_back({c, captions[code]});
    }
    return choices;
}

} // namespace

std::vector<TypeChoice> NicTypeChoices(std::int16_t targetPlatform, std::int16_t platformVersion,
                                       const EditorLimits& limits, std::int16_t current)
{
    const std::size_t classic = NicTypeCaptions(targetPlatform, platformVersion).size();
    return typeChoices(targetPlatform, platformVersion, limits.NicTypes, kNicWords, kNicCaptions, classic, 3, current);
}

std::vector<TypeChoice> ScsiTypeChoices(std::int16_t targetPlatform, std::int16_t platformVersion,
                                        const EditorLimits& limits, std::int16_t current)
{
    return typeChoices(targetPlatform, platformVersion, limits.ScsiTypes, kScsiWords, kScsiCaptions, 2, 2, current);
}

std::vector<TypeChoice> AudioTypeChoices(std::int16_t targetPlatform, std::int16_t platformVersion,
                                         const EditorLimits& limits, std::int16_t current)
{
    return typeChoices(targetPlatform, platformVersion, limits.SoundTypes, kAudioWords, kAudioCaptions,
                       AudioTypeCaptions().size(), 3, current);
}

std::vector<TypeChoice> UsbVersionChoices(const EditorLimits& limits, std::int16_t current)
{
    static constexpr const char* kControllers[] = {"usb", "ehci", "usb_xhci"};
    static constexpr const char* kCaptions[] = {"USB 1.1", "USB 2.0", "USB 3.x"};
    std::vector<TypeChoice> choices;
    for (std::int16_t code = 0; code < 3; ++code) {
        if (code == 0 || code == current || EditorLimits::Offers(limits.UsbControllers, kControllers[code]))
            choices.push_back({code, kCaptions[code]});
    }
    return choices;
}

bool OffersUsbVersions(const EditorLimits& limits)
{
    return EditorLimits::Offers(limits.UsbControllers, "ehci") || EditorLimits::Offers(limits.UsbControllers, "usb_xhci");
}

std::vector<int> GuestFamilyTextIds(std::int16_t targetPlatform, std::int16_t platformVersion)
{
    const bool fourFamilies = (targetPlatform == 0 && platformVersion == 0) ||
                              (targetPlatform == 1 && (platformVersion == 0 || platformVersion == 1));
    const bool fiveFamilies = (targetPlatform == 0 && platformVersion == 1) ||
                              (targetPlatform == 1 && platformVersion >= 2 && platformVersion <= 4) ||
                              ((targetPlatform == 2 || targetPlatform == 3) && platformVersion == 0);
    if (fourFamilies)
        return {220, 221, 222, 224};
    // Today's product versions have the five families too.
    if (fiveFamilies || (!IsClassicVersion(targetPlatform, platformVersion) &&
                         FindVersionSettings(targetPlatform, platformVersion)))
        return {220, 221, 222, 223, 224};
    return {};
}

std::vector<std::string> GuestVersionCaptions(const tarvonel::clsGeneral& general)
{
    const auto table = general.SupportedGuests();
    const int family = general.GuestFamily();
    std::vector<std::string> names;
    if (family < 0 || family >= static_cast<int>(table.size()))
        return names;
    for (const auto& guest : table[static_cast<std::size_t>(family)]) {
        if (!guest.DisplayedName.empty())
            names.push_back(guest.DisplayedName);
    }
    return names;
}

std::vector<std::string> NicTypeCaptions(std::int16_t targetPlatform, std::int16_t platformVersion)
{
    std::vector<std::string> types{"AMD Lance", "VMXNet"};
    if (isWorkstation55(targetPlatform, platformVersion) || targetPlatform == 2 || targetPlatform == 3)
        types.emplace_back("E1000");
    return types;
}

std::vector<std::string> VirtualNetworkCaptions()
{
    return {"VMnet0 (Bridged)", "VMnet1 (Host-Only)", "VMnet2", "VMnet3", "VMnet4",
            "VMnet5",           "VMnet6",             "VMnet7", "VMnet8 (NAT)", "VMnet9"};
}

std::vector<std::string> AudioTypeCaptions()
{
    return {"ES1371", "SB16", "SB16 + OPL3/Yamaha Synth"};
}

bool OffersAutoDetect(std::int16_t targetPlatform, std::int16_t platformVersion)
{
    // Any Player version; of the Workstation versions only 5.5x.
    return isWorkstation55(targetPlatform, platformVersion) || targetPlatform == 2;
}

std::vector<ListEntry> FloppyDriveChoices(std::int16_t targetPlatform, std::int16_t platformVersion,
                                          const std::vector<std::string>& hostRemovableDrives)
{
    return withAutoDetect(targetPlatform, platformVersion, hostRemovableDrives);
}

std::vector<ListEntry> ParallelPortChoices(std::int16_t targetPlatform, std::int16_t platformVersion,
                                           const std::vector<std::string>& hostParallelPorts)
{
    return portChoices(targetPlatform, platformVersion, hostParallelPorts, platform::ParallelPortFallback());
}

std::vector<ListEntry> SerialPortChoices(std::int16_t targetPlatform, std::int16_t platformVersion,
                                         const std::vector<std::string>& hostSerialPorts)
{
    return portChoices(targetPlatform, platformVersion, hostSerialPorts, platform::SerialPortFallback());
}

std::vector<int> PipeEnd1TextIds()
{
    return {314, 315};
}

std::vector<int> PipeEnd2TextIds()
{
    return {8, 317};
}

} // namespace zentravolix::config
