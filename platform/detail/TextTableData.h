// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string_view>

// The compiled-in text table, generated at build time from platform/texts.tsv.
namespace zentravolix::platform::detail {

struct TextEntry {
    int id;
    std::string_view text;
};

/** Entries in ascending id order, each id once (the generator guarantees both). */
extern const TextEntry kTextEntries[];
extern const std::size_t kTextEntryCount;

} // namespace zentravolix::platform::detail
