// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string_view>

namespace zentravolix::vmx {

/** Where a key the reader takes into the model belongs. */
enum class KnownKeyPlace {
    /** A key of its own ("memsize", "displayName"). */
    Own,
    /** An option key ("gui.powerOnAtStartup", "sharedFolder.maxNum"). */
    Option,
    SharedFolder,
    Floppy,
    Parallel,
    Serial,
    Ethernet,
    IdeController,
    ScsiController,
    IdeNode,
    ScsiNode,
    SataController,
    NvmeController,
    SataNode,
    NvmeNode,
};

/** A key the reader understands: its place and its name as the writer spells it (the member's part for a family). */
struct KnownKey {
    KnownKeyPlace place;
    std::string_view name;
};

/**
 * The entry of the reader's key tables a key belongs to, letter case ignored: a key of its own,
 * an option key, or a family's number ("ethernet0", "scsi1:3") followed by one of the family's
 * members (".virtualDev"). Nothing for a key the reader keeps verbatim. Looks at the key only: a
 * line of a known key whose value the reader cannot use is still kept verbatim.
 */
std::optional<KnownKey> FindKnownKey(std::string_view key);

} // namespace zentravolix::vmx
