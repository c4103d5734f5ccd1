// SPDX-License-Identifier: MIT
// Shared folders: the count (an option key) and each folder's numbered lines.
#include "vmx/detail/KeyNames.h"
#include "vmx/detail/ReaderHandlers.h"

#include <limits>

namespace zentravolix::vmx::detail {

Fate readSharedFolderCount(ReaderContext& ctx, const ParsedLine& line)
{
    const auto n = ctx.number(line, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    if (!n)
        return Fate::Preserved;
    if (*n > MaxItemsPerCollection) {
        ctx.problem(line, ProblemCode::TooManyItems);
        return Fate::Preserved;
    }
    if (ctx.absentShares.empty()) {
        ensureCount(*ctx.options.SharedFoldersOptions(), static_cast<std::int32_t>(*n));
        return Fate::Consumed;
    }
    // The count includes shares that do not exist: the last of them make no share, and the line
    // is written back as the file had it. A count the shares that exist give anyway is the
    // writer's own line (the file may have been written by it), and stays in its place.
    auto count = static_cast<std::int32_t>(*n);
    while (count > 0 && ctx.absentShares.count(count - 1))
        --count;
    ensureCount(*ctx.options.SharedFoldersOptions(), count);
    return count == *n ? Fate::Consumed : Fate::Preserved;
}

Fate readSharedFolder(ReaderContext& ctx, const ParsedLine& line)
{
    const auto n = ctx.index(line, line.prefix().substr(family::SharedFolder.size()));
    if (!n || ctx.absentShares.count(*n))
        return Fate::Preserved;
    if (ctx.placeheldShares.count(*n) && line.hasMember(member::Present))
        return Fate::Preserved;
    const auto folders = ctx.options.SharedFoldersOptions();
    ensureCount(*folders, *n + 1);
    const auto folder = folders->Item(*n + 1);
    if (line.hasMember(member::Present) || line.hasMember(member::ReadAccess))
        return Fate::Consumed; // always written as TRUE
    if (line.hasMember(member::Enabled))
        return onBoolean(line, [&](bool f) { folder->SetEnabled(f); });
    if (line.hasMember(member::WriteAccess))
        return onBoolean(line, [&](bool f) { folder->SetReadOnly(!f); });
    if (line.hasMember(member::HostPath)) {
        folder->SetHostFolder(line.value);
        return Fate::Consumed;
    }
    if (line.hasMember(member::GuestName)) {
        folder->SetShareName(line.value);
        return Fate::Consumed;
    }
    if (line.hasMember(member::Expiration))
        return onKeyword(line, {"never", "session"}, [&](std::int16_t c) { folder->SetDisableAfterThisSession(c == 1); });
    return Fate::Preserved;
}

} // namespace zentravolix::vmx::detail
