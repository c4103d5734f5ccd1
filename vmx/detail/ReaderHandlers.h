// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/detail/ReaderContext.h"

#include <initializer_list>

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

/** The option groups of the second pass: gui, powerType, toolScripts, isolation, sharedFolder, snapshot, priority, monitor_control, log, disk, diskLib. */
Fate readGui(ReaderContext& ctx, const ParsedLine& line);
Fate readPowerType(ReaderContext& ctx, const ParsedLine& line);
Fate readToolScripts(ReaderContext& ctx, const ParsedLine& line);
Fate readIsolation(ReaderContext& ctx, const ParsedLine& line);
Fate readSharedFolderCount(ReaderContext& ctx, const ParsedLine& line);
Fate readSharedFolder(ReaderContext& ctx, const ParsedLine& line);
Fate readSnapshot(ReaderContext& ctx, const ParsedLine& line);
Fate readPriority(ReaderContext& ctx, const ParsedLine& line);
Fate readMonitorControl(ReaderContext& ctx, const ParsedLine& line);
Fate readLog(ReaderContext& ctx, const ParsedLine& line);
Fate readDisk(ReaderContext& ctx, const ParsedLine& line);
/** The clustering block's fixed diskLib lines (only while the file switches clustering on). */
Fate readDiskLib(ReaderContext& ctx, const ParsedLine& line);

} // namespace zentravolix::vmx::detail
