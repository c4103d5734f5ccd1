// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace zentravolix::vmx {

/** Why the reader kept a line in the other-params list instead of applying it. */
enum class ProblemCode {
    /** The key needs a number ("memsize", "svga.vramSize", "config.version", ...) and the value is none. */
    NotANumber,
    /** The value is a number but does not fit the model member behind the key. */
    NumberOutOfRange,
    /** A controller, node, device or share index in the key is not a number ("ethernetX.present"). */
    BadIndex,
    /** A node number in the key is a number, but far too large for any controller ("scsi0:99999"). */
    IndexTooLarge,
    /** A count or index would make more than MaxItemsPerCollection items in one collection. */
    TooManyItems,
    /** A node number outside its controller's nodes ("scsi0:16" on an 8-node controller): no device is made. */
    NodeOutOfRange,
    /** The model refused the value. */
    ValueRejected,
};

/** One line the reader could not apply. The line itself is kept verbatim in the other-params list. */
struct ReadProblem {
    /** 1-based line number in the file. */
    std::int32_t line = 0;
    /** The key as written in the file (trimmed), or the whole line when it has no key. */
    std::string key;
    /** The whole line as read, without its line end. */
    std::string text;
    ProblemCode code = ProblemCode::NotANumber;

    bool operator==(const ReadProblem&) const = default;
};

/** The largest number of items a file may make in one collection; larger counts and indexes are refused. */
inline constexpr std::int32_t MaxItemsPerCollection = 1024;

/** A stable, English-free name of a code ("not-a-number", ...) for machine-readable output. */
const char* ProblemCodeName(ProblemCode code);

} // namespace zentravolix::vmx
