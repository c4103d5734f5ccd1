// SPDX-License-Identifier: MIT
#pragma once

#include "disk/DiskText.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace zentravolix::disk {

/** How far a creation is: bytes of disk capacity made of the total. */
struct CreationProgress {
    std::uint64_t doneBytes = 0;
    std::uint64_t totalBytes = 0;
};

/**
 * Called before the first extent, after each extent (and after each preallocated chunk); return
 * false to cancel. A cancelled creation removes every file it made.
 */
using ProgressCallback = std::function<bool(const CreationProgress&)>;

/** The result of one creation. */
struct CreateResult {
    enum class Status {
        Created,
        MissingTool, // `message` and `title` name the texts to show
        Failed,      // `errorNumber` and `reason` tell why; the files made were removed
        Cancelled,   // the files made were removed
    };
    Status status = Status::Created;
    int errorNumber = 0;     // the system's error number, or the tool's exit code
    DiskMessage reason;      // why, naming the file or the tool
    DiskText message = DiskText::None;
    DiskText title = DiskText::None;

    bool created() const { return status == Status::Created; }

    static CreateResult cancellation()
    {
        CreateResult r;
        r.status = Status::Cancelled;
        return r;
    }

    /** A failure with the reason `text`, filled from `args`. */
    static CreateResult failure(int number, DiskText text, std::vector<std::string> args)
    {
        CreateResult r;
        r.status = Status::Failed;
        r.errorNumber = number;
        r.reason = {text, std::move(args)};
        return r;
    }

    /** A failure in the system's own words: its reason and the file it concerns. */
    static CreateResult systemFailure(int number, std::string systemReason, std::string file)
    {
        return failure(number, DiskText::None, {std::move(systemReason), std::move(file)});
    }
};

} // namespace zentravolix::disk
