// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/detail/ReaderContext.h"

#include <initializer_list>
#include <span>

namespace zentravolix::vmx::detail {

/** Sets a flag when the value is the trigger word; any other value is consumed without effect. */
template <class Setter>
inline Fate onTrigger(const ParsedLine& line, const char* trigger, Setter set)
{
    if (line.lowerValue() == trigger)
        set();
    return Fate::Consumed;
}

/** Sets a Boolean from "true"/"false"; other values are kept. */
template <class Setter>
inline Fate onBoolean(const ParsedLine& line, Setter set)
{
    const auto flag = parseBoolean(line.value);
    if (!flag)
        return Fate::Preserved;
    set(*flag);
    return Fate::Consumed;
}

/** Sets the code of the first matching keyword (lower case); other values are kept. */
template <class Setter>
inline Fate onKeyword(const ParsedLine& line, std::initializer_list<const char*> keywords, Setter set)
{
    const std::string value = line.lowerValue();
    std::int16_t code = 0;
    for (const char* keyword : keywords) {
        if (value == keyword) {
            set(code);
            return Fate::Consumed;
        }
        ++code;
    }
    return Fate::Preserved;
}

/** Sets the position of the word the value is (ignoring letter case) in a list of words; other values are kept. */
template <class Setter>
inline Fate onWord(const ParsedLine& line, std::span<const std::string_view> words, Setter set)
{
    for (std::size_t code = 0; code < words.size(); ++code) {
        if (EqualsIgnoreCase(line.value, words[code])) {
            set(static_cast<std::int16_t>(code));
            return Fate::Consumed;
        }
    }
    return Fate::Preserved;
}

/** The position of the word the value is (ignoring letter case) in a list of words; nothing for another value. */
inline std::optional<std::int16_t> wordCode(const ParsedLine& line, std::span<const std::string_view> words)
{
    for (std::size_t code = 0; code < words.size(); ++code) {
        if (EqualsIgnoreCase(line.value, words[code]))
            return static_cast<std::int16_t>(code);
    }
    return std::nullopt;
}

/** sharedFolder.maxNum, the option key that makes the folders (its entry is in OptionKeys.cpp). */
Fate readSharedFolderCount(ReaderContext& ctx, const ParsedLine& line);
/** The numbered lines of one shared folder ("sharedFolder0.hostPath"). */
Fate readSharedFolder(ReaderContext& ctx, const ParsedLine& line);

} // namespace zentravolix::vmx::detail
