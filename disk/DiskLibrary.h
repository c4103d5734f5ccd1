// SPDX-License-Identifier: MIT
#pragma once

#include "disk/CreateResult.h"
#include "disk/DiskParameters.h"

#include <functional>
#include <string>

namespace zentravolix::disk {

class FileOps;

/**
 * Our stand-in for the vendor's one-call disk library: makes a disk of `sizeMB` MiB at `path` with
 * the library's type code and bus ("ide" or "scsi"). Like the vendor call it writes hardware
 * version 3 and the adapter "buslogic" for the bus "scsi"; extents are named after `path` and
 * referenced by file name. Type 1 is one monolithic sparse file with its descriptor embedded.
 * Fails (and removes what it made) on an I/O error, an unknown bus or an existing file.
 */
CreateResult CreateLibraryDisk(const std::string& path, LibraryDiskType type, const std::string& bus,
                               std::int32_t sizeMB, FileOps& files, const ProgressCallback& progress,
                               const std::function<double()>& random01);

/**
 * `FixAdapterType`: replaces every "buslogic" by "lsilogic" in the disk's descriptor (same length,
 * so the file size does not change). For the single growable disk the descriptor is the one
 * embedded in the sparse file (where its header says, else the first 1024 bytes); for the other
 * kinds the whole descriptor file. Returns 0 or the error number.
 */
int FixAdapterType(DiskKind kind, const std::string& diskName, FileOps& files);

} // namespace zentravolix::disk
