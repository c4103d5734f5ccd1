// SPDX-License-Identifier: MIT
#include "config/DeviceFieldRules.h"


#include "config/NumericText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zentravolix::config {

namespace {

// Text ids of the messages.
constexpr int kInvalidEntryTitle = 176;
constexpr int kRamNotNumeric = 177;
constexpr int kInvalidMemoryTitle = 178;
constexpr int kRamOutOfRange = 179;
constexpr int kInvalidGeneratedMacTitle = 180;
constexpr int kGeneratedMacRange = 181;
constexpr int kInvalidStaticMacTitle = 182;
constexpr int kStaticMacRange = 183;
constexpr int kInvalidVCenterMacTitle = 2950;
constexpr int kVCenterMacRange = 2951;
constexpr int kInvalidOffsetTitle = 184;
constexpr int kOffsetNotNumeric = 185;
constexpr int kNotNumeric = 185; // "Must be numeric!", also the display fields' message
constexpr int kVramTooLarge = 403;
constexpr int kScreenTooLarge = 404;

// The address ranges are not translated: they follow the translated sentence as they are.
constexpr const char* kGeneratedRange = " 00:0C:29:xx:yy:zz";
constexpr const char* kStaticRange = " 00:50:56:00:00:00-00:50:56:3F:FF:FF";
constexpr const char* kVCenterRange = " 00:50:56:80:00:00-00:50:56:BF:FF:FF";

FieldDecision refuse(std::optional<RuleMessage> message, bool keepFocus)
{
    FieldDecision d;
    d.outcome = FieldDecision::Outcome::Refuse;
    d.message = std::move(message);
    d.keepFocus = keepFocus;
    return d;
}

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

/** Whether the upper-cased two-character group is allowed at index for the address type. */
bool macGroupAllowed(int index, char first, char second, std::int16_t addressType)
{
    const bool generated = addressType == kMacGenerated;
    switch (index) {
    case 0:
        return first == '0' && second == '0';
    case 1:
        return generated ? first == '0' && second == 'C' : first == '5' && second == '0';
    case 2:
        return generated ? first == '2' && second == '9' : first == '5' && second == '6';
    case 3:
        // Static addresses of the program's range end at 00:50:56:3F:FF:FF; vCenter hands out
        // 00:50:56:80:00:00 to 00:50:56:BF:FF:FF.
        if (!generated && addressType != kMacVCenter && !(first >= '0' && first <= '3'))
            return false;
        if (addressType == kMacVCenter && !(first == '8' || first == '9' || first == 'A' || first == 'B'))
            return false;
        return isHex(first) && isHex(second);
    case 4:
    case 5:
        return isHex(first) && isHex(second);
    default:
        return false;
    }
}

} // namespace

MemoryDecision CheckMemorySize(const std::string& text, std::int32_t maxMemoryMB)
{
    MemoryDecision d;
    if (text.empty())
        return d;
    const auto value = ParseNumeric(text);
    if (!value) {
        static_cast<FieldDecision&>(d) =
            refuse(RuleMessage{kInvalidEntryTitle, kRamNotNumeric, {}, RuleIcon::Exclamation}, true);
        return d;
    }
    // The size is held in 16 bits: a size beyond them is out of range whatever the product allows.
    const auto megabytes = RoundToInt16(*value);
    if (*value < kMinMemoryMB || *value > maxMemoryMB || !megabytes) {
        static_cast<FieldDecision&>(d) =
            refuse(RuleMessage{kInvalidMemoryTitle, kRamOutOfRange, {}, RuleIcon::Exclamation}, true);
        return d;
    }
    d.outcome = FieldDecision::Outcome::Store;
    d.megabytes = static_cast<std::int16_t>(*megabytes - *megabytes % kMinMemoryMB);
    if (static_cast<double>(d.megabytes) != *value)
        d.shownText = std::to_string(d.megabytes);
    return d;
}

FieldDecision CheckMacBox(int index, const std::string& text, std::int16_t addressType)
{
    if (text.empty())
        return {};
    if (text.size() == 2 && macGroupAllowed(index, upper(text[0]), upper(text[1]), addressType))
        return FieldDecision{FieldDecision::Outcome::Store, {}, {}, false};
    std::optional<RuleMessage> message;
    if (addressType == kMacGenerated)
        message = RuleMessage{kInvalidGeneratedMacTitle, kGeneratedMacRange, kGeneratedRange, RuleIcon::Information};
    else if (addressType == kMacStatic)
        message = RuleMessage{kInvalidStaticMacTitle, kStaticMacRange, kStaticRange, RuleIcon::Information};
    else if (addressType == kMacVCenter)
        message = RuleMessage{kInvalidVCenterMacTitle, kVCenterMacRange, kVCenterRange, RuleIcon::Information};
    FieldDecision d = refuse(std::move(message), false);
    d.shownText = std::string();
    return d;
}

std::optional<std::string> AssembleMacAddress(const MacGroups& groups)
{
    std::string address;
    for (int i = 0; i < kMacGroupCount; ++i) {
        if (groups[i].empty())
            return std::nullopt;
        if (i > 0)
            address += ':';
        address += groups[i];
    }
    return address;
}

MacGroups SplitMacAddress(const std::string& address)
{
    MacGroups groups;
    for (int i = 0; i < kMacGroupCount; ++i) {
        const std::size_t start = static_cast<std::size_t>(i) * 3;
        if (start < address.size())
            groups[i] = address.substr(start, 2);
    }
    return groups;
}

OffsetDecision CheckGenAddressOffset(const std::string& text)
{
    OffsetDecision d;
    if (text.empty())
        return d;
    const auto value = ParseNumeric(text);
    const auto offset = value ? RoundToInt32(*value) : std::nullopt;
    if (!offset) {
        static_cast<FieldDecision&>(d) =
            refuse(RuleMessage{kInvalidOffsetTitle, kOffsetNotNumeric, {}, RuleIcon::Exclamation}, false);
        return d;
    }
    d.outcome = FieldDecision::Outcome::Store;
    d.offset = *offset;
    return d;
}

std::optional<std::int32_t> VramFloor(std::int32_t width, std::int32_t height)
{
    const std::int64_t bytes = static_cast<std::int64_t>(width) * height * 4;
    if (bytes > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return bytes < 0 ? 0 : static_cast<std::int32_t>(bytes);
}

DisplayDecision CheckDisplayField(DisplayField field, const std::string& text, const DisplayValues& current)
{
    DisplayDecision d;
    if (text.empty())
        return d;
    const auto value = ParseNumeric(text);
    std::optional<std::int32_t> member;
    if (value)
        member = field == DisplayField::VRamSize ? RoundToInt32(*value * kBytesPerMB) : RoundToInt32(*value);
    DisplayValues next = current;
    if (member) {
        switch (field) {
        case DisplayField::MaxWidth:
            next.ScreenWidth = *member;
            break;
        case DisplayField::MaxHeight:
            next.ScreenHeight = *member;
            break;
        case DisplayField::VRamSize:
            next.VramSize = *member;
            break;
        }
    }
    const auto floor = member ? VramFloor(next.ScreenWidth, next.ScreenHeight) : std::nullopt;
    if (!floor) {
        // Every refusal says why: not a number, more video memory than 32 bits of bytes hold, or a
        // screen whose pixels would need that much.
        int why = kScreenTooLarge;
        if (!value)
            why = kNotNumeric;
        else if (field == DisplayField::VRamSize && !member)
            why = kVramTooLarge;
        static_cast<FieldDecision&>(d) =
            refuse(RuleMessage{kInvalidEntryTitle, why, {}, RuleIcon::Exclamation}, true);
        return d;
    }
    if (next.VramSize < *floor) {
        next.VramSize = *floor;
        d.vramRaised = true;
    }
    d.outcome = FieldDecision::Outcome::Store;
    d.values = next;
    return d;
}

std::string VramMegabytesText(std::int32_t vramBytes)
{
    return FormatDecimal(static_cast<double>(vramBytes) / kBytesPerMB);
}

std::optional<std::int32_t> CheckCoresPerSocket(const std::string& text, std::int32_t processors,
                                                std::int32_t maxCores)
{
    std::int32_t cores = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, error] = std::from_chars(first, last, cores);
    if (error != std::errc() || end != last || cores < 1 || cores > maxCores || processors < 1 ||
        processors % cores != 0)
        return std::nullopt;
    return cores;
}

} // namespace zentravolix::config
