// SPDX-License-Identifier: MIT
#pragma once

// Two configurations compared as settings (key by key, letter case of keys ignored) and as lines
// (a unified diff of what a save would change), for the tool's `diff` and `set --dry-run`.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentravolix::config {

/** One key of a .vmx text with its value as the reader takes it (quotes removed, escapes decoded). */
struct Setting {
    /** The key as written in the text. */
    std::string key;
    std::string value;
    /** 1-based line. */
    std::int32_t line = 0;
};

/**
 * The settings of a .vmx text, one per key: of several lines of a key (letter case ignored) the
 * last wins, as the kept lines do. Sorted by the lower-case key; comments and lines without a key
 * are left out.
 */
std::vector<Setting> ReadSettings(std::string_view text);

/** The setting of a key in ReadSettings' result (letter case ignored); nothing when it is not there. */
std::optional<Setting> FindSetting(const std::vector<Setting>& settings, std::string_view key);

/** A difference between two lists of settings. */
struct SettingDifference {
    /** The key as the first text writes it, or the second when only it has the key. */
    std::string key;
    /** The value in the first text; nothing when only the second has the key. */
    std::optional<std::string> before;
    /** The value in the second text; nothing when only the first has the key. */
    std::optional<std::string> after;
};

/** The keys whose values differ or that only one side has, sorted by the lower-case key. */
std::vector<SettingDifference> CompareSettings(const std::vector<Setting>& before, const std::vector<Setting>& after);

/**
 * A unified diff ("--- nameA", "+++ nameB", "@@ -a,n +b,m @@" hunks with three lines of context)
 * of two texts, compared line by line without their line ends. Empty when the lines are equal.
 */
std::string UnifiedDiff(std::string_view before, std::string_view after, const std::string& nameBefore,
                        const std::string& nameAfter);

/**
 * The text with every line of `key` (letter case ignored) removed and `line` put in place of the
 * first of them, or added as the last line when the text has none. Line ends are CR LF.
 */
std::string ReplaceKeyLine(std::string_view text, std::string_view key, const std::string& line);

} // namespace zentravolix::config
