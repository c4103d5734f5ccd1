// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TextUtil.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/**
 * The small pieces of .vmx syntax shared by the reader and the writer: value escaping, key and
 * value extraction and the relative file names. Pure functions, no state. The general string
 * helpers (trimming, letter case, numbers) are the platform's, named here as the reader and
 * writer have always called them.
 */
namespace zentravolix::vmx {

using platform::EqualsIgnoreCase;
using platform::NumberStatus;
using platform::ParseInteger;
using platform::ToLower;
using platform::TrimSpacesAndTabs;

/** Writes a value the way VMware escapes it: control bytes (not TAB), '"', '|' and 0x7F become '|' and two upper-case hex digits. */
std::string EscapeValue(std::string_view value);
/** EscapeValue, appended to out: a line is made without a string for its value. */
void AppendEscapedValue(std::string& out, std::string_view value);

/** Turns every '|' followed by two hex digits (either case) back into that byte; any other '|' stays. */
std::string UnescapeValue(std::string_view value);

/**
 * The key of a key line as the reader compares it: the text before the first "=", trimmed and in
 * lower case. Nothing for a comment line (first character "#"), a line without "=" or an empty key.
 */
std::optional<std::string> LineKey(std::string_view line);

/** LineKey without the copy: the trimmed key as written (any letter case); empty when LineKey gives nothing. */
std::string_view RawLineKey(std::string_view line);

/** Hash and equality that ignore ASCII letter case, for keys compared as VMware compares them. */
struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const noexcept;
};
struct KeyEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept { return EqualsIgnoreCase(a, b); }
};

/** The value of a key line as the reader takes it: after the first "=", trimmed, every '"' removed, escapes decoded. */
std::string LineValue(std::string_view line);
/** LineValue into out, whose buffer is reused: a reader that decodes many values allocates once. */
void LineValueInto(std::string& out, std::string_view line);

/**
 * The file name as written into the file: the part after the last separator when the part up to
 * and including it equals vmxPath ignoring letter case (a file directly in the machine's folder),
 * otherwise the name unchanged.
 */
std::string RelativeFileName(const std::string& deviceName, const std::string& vmxPath);

/**
 * True when a node's ".fileName" value by itself makes the node a hard disk: at least 6
 * characters ending in ".raw", ".vmdk" or ".pln", compared exactly (".VMDK" is no disk image).
 */
bool IsDiskImageName(std::string_view fileName);

/** The folder separator of file paths held in the model. */
inline constexpr char PathSeparator = '/';

} // namespace zentravolix::vmx
