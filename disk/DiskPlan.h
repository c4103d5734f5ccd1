// SPDX-License-Identifier: MIT
#pragma once

#include "disk/CreateResult.h"
#include "disk/Descriptor.h"
#include "disk/DiskNames.h"
#include "disk/DiskParameters.h"

#include <vector>

namespace zentravolix::disk {

class FileOps;

/** One data file of a disk and its line in the descriptor. */
struct ExtentFile {
    std::string path;
    ExtentLine line;
};

/**
 * The files of one disk made by this program: the descriptor at `diskName` and its extents, or
 * for `embeddedDescriptor` one sparse file holding its own descriptor.
 */
struct DiskPlan {
    std::string diskName;
    DescriptorFields descriptor;
    std::vector<ExtentFile> extents;
    bool embeddedDescriptor = false;
};

/**
 * The files for a kind: split sparse "-s001.vmdk"..., single flat "-flat.vmdk", split flat
 * "-f001.vmdk"..., or the single growable disk as one monolithic sparse file. The descriptor names
 * every extent by its file name, relative to the descriptor's folder. Only createType and the
 * extents of `descriptor` are set.
 */
DiskPlan PlanDisk(DiskKind kind, const DiskNames& names, std::int64_t sectors);

/**
 * Makes the files of `plan`: claims `diskName` first (it must not exist), makes every extent (no
 * extent file may exist either), then writes the descriptor into the claimed file. On an error or
 * a cancel every file made so far is removed and nothing that existed before is touched.
 */
CreateResult ExecutePlan(const DiskPlan& plan, FileOps& files, const ProgressCallback& progress);

/** Bytes preallocated per call, so that progress and cancel work inside one big flat file. */
inline constexpr std::uint64_t kPreallocateChunkBytes = std::uint64_t(1) << 30;

} // namespace zentravolix::disk
