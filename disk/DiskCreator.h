// SPDX-License-Identifier: MIT
#pragma once

#include "disk/CreateResult.h"
#include "disk/DiskNames.h"
#include "disk/DiskParameters.h"

#include <functional>
#include <string>
#include <vector>

namespace zentravolix::disk {

class FileOps;

/** What a started outside program reported. */
struct ToolRun {
    bool started = false;
    int exitCode = -1;
    std::string error; // why it did not start, when it did not
};

/** Runs a program with an argument vector (no shell) and waits for it to end. */
using CommandRunner =
    std::function<ToolRun(const std::string& program, const std::vector<std::string>& arguments)>;

/**
 * The disk to make: the dialog's values after its rules passed. The names should be absolute: the
 * external single preallocated disk names its flat extent in the descriptor by `basePath`.
 */
struct DiskRequest {
    DiskNames names;
    AdapterType adapter = AdapterType::Ide;
    std::int64_t sectorCount = 0;
    DiskKind kind = DiskKind::SingleGrowable;
    std::int16_t virtualHWVersion = kDefaultVirtualHWVersion;
    CreateMethod method = CreateMethod::Library;
};

/** The services a creation uses; all are optional except `runCommand` for the qemu-img step. */
struct CreateEnvironment {
    std::string qemuImg;              // full path of qemu-img, empty when not found (see FindTool)
    CommandRunner runCommand;         // runs qemu-img
    FileOps* files = nullptr;         // nullptr: the operating system's files
    ProgressCallback progress;        // progress and cancel
    std::function<double()> random01; // for `NewCID`; empty: a freshly seeded generator
};

/**
 * `CreateDisk`: makes the disk with the library method (our disk library, then `FixAdapterType`
 * for LsiLogic, SATA and NVMe) or the external method (qemu-img for the single growable disk; our
 * descriptor and our sparse or preallocated extents for the others). Never replaces an existing
 * file: the disk name and every extent name must be free. A single growable disk larger than
 * MaxSingleGrowableSectors is refused. On failure or cancel the files this call made are removed.
 * Errors are returned, never thrown.
 */
CreateResult CreateDisk(const DiskRequest& request, const CreateEnvironment& environment);

/**
 * Finds an outside program: `programFolder`/`name` first, then each folder of `pathVariable`
 * (colon-separated, like PATH). Returns the full path of the first executable file, or "".
 */
std::string FindTool(const std::string& name, const std::string& programFolder,
                     const std::string& pathVariable);

/**
 * The qemu-img arguments for a single growable disk: create -f vmdk, the disk name, and the size
 * as kilobytes with the "K" suffix ("102400K", "102400.5K" for an odd sector count) because
 * qemu-img reads a bare number as bytes.
 */
std::vector<std::string> QemuImgCreateArguments(const std::string& diskName, std::int64_t sectors);

} // namespace zentravolix::disk
