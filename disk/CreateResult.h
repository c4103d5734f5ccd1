// SPDX-License-Identifier: MIT
#pragma once

#include "disk/DiskText.h"

#include <cstdint>
#include <functional>
#include <string>

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
        Failed,      // `errorNumber` and `description` tell why; the files made were removed
        Cancelled,   // the files made were removed
    };
    Status status = Status::Created;
    int errorNumber = 0;     // the system's error number, or the tool's exit code
    std::string description; // the reason, naming the file or the tool
    DiskText message = DiskText::None;
    DiskText title = DiskText::None;

    bool created() const { return status == Status::Created; }
    /** The text of the error box: number, ": ", description. */
    std::string errorText() const { return std::to_string(errorNumber) + ": " + description; }

    static CreateResult cancellation()
    {
        CreateResult r;
        r.status = Status::Cancelled;
        return r;
    }

    static CreateResult failure(int number, std::string description)
    {
        CreateResult r;
        r.status = Status::Failed;
        r.errorNumber = number;
        r.description = std::move(description);
        return r;
    }
};

} // namespace zentravolix::disk
