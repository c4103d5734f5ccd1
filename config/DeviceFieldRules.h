// SPDX-License-Identifier: MIT
#pragma once

// The checks of the typed fields of the device pages: memory size, MAC address boxes, generated
// address offset, display sizes and video memory. Each takes the box's text (and what it needs of
// the model or the product limits) and returns a decision; none of them touches the model.

#include "config/FieldDecision.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace zentravolix::config {

/** The smallest memory size accepted; sizes are stored as multiples of it. */
inline constexpr std::int32_t kMinMemoryMB = 4;

/** The memory check's decision; megabytes is the size to store when the value is stored. */
struct MemoryDecision : FieldDecision {
    std::int16_t megabytes = 0;
};

/**
 * txtMemSize: empty text is ignored; a text that is not a number is refused with "RAM size must
 * be numeric"; a number outside 4..maxMemoryMB (or outside 16 bits) with "RAM size out of valid
 * range for Selected Product/Version" (both exclamation, focus kept). Otherwise the size is
 * rounded to an integer and cut down to a multiple of 4; when the size differs from the typed
 * number, shownText is the size.
 */
MemoryDecision CheckMemorySize(const std::string& text, std::int32_t maxMemoryMB);

/** The six boxes of a MAC address, two hexadecimal digits each. */
inline constexpr int kMacGroupCount = 6;
using MacGroups = std::array<std::string, kMacGroupCount>;

/** NIC AddressType values. */
inline constexpr std::int16_t kMacGenerated = 0;
inline constexpr std::int16_t kMacStatic = 1;
/** Assigned by vCenter from its own range; the product keeps it in the generated address. */
inline constexpr std::int16_t kMacVCenter = 2;

/**
 * One MAC address box (index 0..5) for an adapter of the given AddressType: empty is ignored;
 * valid is Store (the caller then assembles the address with AssembleMacAddress); invalid is
 * Refuse with shownText "" (the box is cleared) and, for a generated or static address, the
 * information message naming the valid range (vCenter's range for an address vCenter assigned). The focus is never kept. Letter case does not
 * matter for the check.
 */
FieldDecision CheckMacBox(int index, const std::string& text, std::int16_t addressType);

/** The address "g0:g1:...:g5" as typed; nothing while any box is empty. */
std::optional<std::string> AssembleMacAddress(const MacGroups& groups);

/**
 * The six two-character groups of a stored address (characters 1-2, 4-5, ..., 16-17); a group
 * beyond the end of a short text is empty, one cut by the end is shorter.
 */
MacGroups SplitMacAddress(const std::string& address);

/** The generated-offset check's decision; offset is the value to store. */
struct OffsetDecision : FieldDecision {
    std::int32_t offset = 0;
};

/**
 * txtNetMacGenOffset: empty is ignored; a number is stored as a 32-bit integer (no range limit);
 * anything else, a number beyond 32 bits included, is refused with "Must be numeric!"
 * (exclamation). The box keeps its text and the focus is not kept.
 */
OffsetDecision CheckGenAddressOffset(const std::string& text);

/** The display fields the rule reads and writes, as the model holds them (VramSize in bytes). */
struct DisplayValues {
    std::int32_t ScreenWidth = 0;
    std::int32_t ScreenHeight = 0;
    std::int32_t VramSize = 0;

    bool operator==(const DisplayValues&) const = default;
};

enum class DisplayField {
    MaxWidth,
    MaxHeight,
    VRamSize,
};

/** The display check's decision. */
struct DisplayDecision : FieldDecision {
    /** When stored: the three members to write (unchanged ones as they were). */
    DisplayValues values;
    /** VramSize was raised to the floor; the video memory box must show the new size. */
    bool vramRaised = false;
};

inline constexpr std::int32_t kBytesPerMB = 1048576;

/**
 * The least video memory for a screen: width x height x 4 bytes (0 when that is negative);
 * nothing when it does not fit 32 bits.
 */
std::optional<std::int32_t> VramFloor(std::int32_t width, std::int32_t height);

/**
 * txtMaxWidth, txtMaxHeight, txtVRamSize (megabytes) against the display's current values: empty
 * is ignored; a text that is not a number ("Must be numeric!"), video memory above 2047 MB
 * ("Video RAM size too large!...") and a size that does not fit 32 bits or whose screen would need
 * more video memory than that ("Screen size too large!...") are refused with that message under
 * "Invalid Entry", the focus kept. Otherwise the new values are returned with the video memory
 * raised to the floor when it is below it.
 */
DisplayDecision CheckDisplayField(DisplayField field, const std::string& text, const DisplayValues& current);

/** VramSize in bytes as the video memory box shows it, in megabytes: "16", "3.515625". */
std::string VramMegabytesText(std::int32_t vramBytes);

/**
 * Cores per processor as typed: a whole number from 1 to maxCores that divides the number of
 * processors; nothing otherwise.
 */
std::optional<std::int32_t> CheckCoresPerSocket(const std::string& text, std::int32_t processors,
                                                std::int32_t maxCores);

} // namespace zentravolix::config
