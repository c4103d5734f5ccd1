// SPDX-License-Identifier: MIT
#pragma once

// What a save changes in a file: the lines that differ between the file on disk and the text
// about to be written, and the settings whose meaning changes.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zentravolix::config {

/** One line of a line diff. */
struct DiffLine {
    enum class Kind {
        Same,
        Removed,
        Added,
    };
    Kind kind = Kind::Same;
    std::string text;
    /** The line's number in the old text (Same, Removed) or the new text (Added), from 1. */
    std::size_t number = 0;
};

/**
 * The lines of before and after (LF, CR LF and lone CR alike, compared without their line ends),
 * as the shortest run of removals and additions that turns before into after (Myers), removals
 * of a place before its additions. When the two differ in more than maxEdits lines between their
 * common first and last lines, the part between is given as removed and added whole, so the
 * time stays bounded for texts that have little in common.
 */
std::vector<DiffLine> DiffLines(std::string_view before, std::string_view after, std::size_t maxEdits = 2000);

/** A setting whose meaning a save changes. */
struct SettingChange {
    enum class Kind {
        Added,
        Changed,
        Removed,
    };
    Kind kind = Kind::Added;
    /** The key as the new text spells it (the old text's spelling for a removed key). */
    std::string key;
    /** The value as the reader takes it before and after ("" where the key is missing). */
    std::string before;
    std::string after;
};

/**
 * The keys whose value differs between the two texts as the reader takes them: the last line of a
 * key wins, keys compare ignoring letter case, values after unquoting and unescaping. Comments,
 * blank lines, order and line ends are layout and change nothing. Added and changed keys come in
 * the new text's order, then the removed keys in the old text's order.
 */
std::vector<SettingChange> CompareSettings(std::string_view before, std::string_view after);

/** What the save preview shows. */
struct SavePreview {
    std::vector<DiffLine> lines;
    std::vector<SettingChange> changes;
    /** The texts differ in their lines (not only in line ends). */
    bool linesDiffer = false;
};

SavePreview MakeSavePreview(std::string_view onDisk, std::string_view toWrite);

} // namespace zentravolix::config
