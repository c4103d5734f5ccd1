// SPDX-License-Identifier: MIT
#pragma once

// The extents a descriptor names, and whether each is there with the size the descriptor declares:
// a machine folder copied without one of its "-s003.vmdk" pieces is found before the machine runs.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zentravolix::disk {

/** One extent line of a descriptor: `RW 4192256 SPARSE "disk-s001.vmdk"`, `RW 8388608 FLAT "disk-flat.vmdk" 0`. */
struct DescriptorExtent {
    std::string access;   ///< RW, RDONLY or NOACCESS
    std::int64_t sectors = 0;
    std::string type;     ///< SPARSE, FLAT, ZERO, VMFS, VMFSSPARSE, SESPARSE, ... as written
    std::string fileName; ///< between the quotes; empty for ZERO
    std::int64_t offset = 0;
    std::int32_t line = 0; ///< 1-based line in the descriptor
};

/** The extent lines of a descriptor text, in order (lines of other shapes are skipped). */
std::vector<DescriptorExtent> ParseExtentLines(std::string_view descriptor);

/** What CheckExtent found. */
enum class ExtentState {
    Ok,
    /** No file of that name. */
    Missing,
    /** The name is a folder or another thing that is no file. */
    NotAFile,
    /** The file could not be opened or its header read. */
    Unreadable,
    /** A flat extent shorter than its offset and sectors. */
    TooSmall,
    /** A hosted sparse extent whose header gives another capacity than the line. */
    WrongCapacity,
};

struct ExtentCheck {
    ExtentState state = ExtentState::Ok;
    /** TooSmall: the file's size in bytes; WrongCapacity: the header's capacity in sectors. */
    std::int64_t actual = 0;
    /** The file looked at. */
    std::filesystem::path path;
};

/**
 * Looks at the file of an extent: a relative name is taken in `folder` (the descriptor's). ZERO
 * extents have no file and are Ok. Flat extents (FLAT, VMFS) must hold offset + sectors sectors;
 * hosted sparse extents ("KDMV" header) must declare the line's sectors as their capacity; other
 * kinds only need to exist.
 */
ExtentCheck CheckExtent(const std::filesystem::path& folder, const DescriptorExtent& extent);

} // namespace zentravolix::disk
