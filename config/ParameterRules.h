// SPDX-License-Identifier: MIT
#pragma once

// The rules of the configuration parameters: the lines of a file the editor carries through
// verbatim, shown as a table of keys and values that the user may add to, edit and remove from.

#include <tarvonel/Enums.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentravolix::config {

/** Why a key cannot be a parameter's key; None when it can. */
enum class ParameterKeyProblem {
    None,
    Empty,
    LineBreak,
    Blank,
    EqualsSign,
    /** Starts with "#": the line would be a comment. */
    CommentSign,
    /** The editor reads the key into one of its pages (see KeyHomeOf). */
    KnownKey,
    /** Another parameter has this key already (letter case ignored). */
    AlreadyListed,
};

/**
 * Checks a key the user typed for a parameter: not empty, no line break, blank or "=", not
 * beginning with "#", no key the editor reads itself, and no key of another line of lines
 * (letter case ignored; the line at position except, the one being edited, does not count).
 * The first problem found in that order is returned.
 */
ParameterKeyProblem CheckParameterKey(std::string_view key, const std::vector<std::string>& lines,
                                      std::optional<std::size_t> except = std::nullopt);

/** Where the editor shows a key it reads itself. */
struct KeyHome {
    enum class Place {
        /** An options page: optionsPage is its position (0 General ... 5 Advanced). */
        Options,
        /** A device page of the hardware list: one of devices. */
        Hardware,
        /** The notes below the pages. */
        Notes,
    };
    Place place = Place::Options;
    int optionsPage = 0;
    std::vector<tarvonel::VirtualHardwareType> devices;
};

/** The page that holds a key the editor reads itself; nothing for a key it keeps verbatim. */
std::optional<KeyHome> KeyHomeOf(std::string_view key);

/** One kept line as the parameters table shows it. */
struct ParameterRow {
    /** The key as written; empty for a line that is no key line. */
    std::string key;
    /** The value as the reader takes it; the whole line for a line that is no key line. */
    std::string value;
    /** False for a line that is no "key = value" line or whose key the editor reads itself. */
    bool editable = false;
};

ParameterRow DescribeParameterLine(std::string_view line);

/** The line the writer would make for key and value: key = "value", the value escaped. */
std::string MakeParameterLine(std::string_view key, std::string_view value);

/** Where a new parameter goes among the kept lines: after the last key line, before the comment lines. */
std::size_t NewParameterPosition(const std::vector<std::string>& lines);

} // namespace zentravolix::config
