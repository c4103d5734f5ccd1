// SPDX-License-Identifier: MIT
#pragma once

#include "disk/DiskPlan.h"

#include <functional>
#include <optional>

namespace zentravolix::disk {

/**
 * The files the disk library makes for (path, type, bus, size in MiB), with hardware version 3
 * and "buslogic" for the bus "scsi". nullopt for a size below 1 MiB or a bus other than "ide" and
 * "scsi".
 */
std::optional<DiskPlan> PlanLibraryDisk(const std::string& path, LibraryDiskType type, const std::string& bus,
                                        std::int32_t sizeMB, const std::function<double()>& random01);

} // namespace zentravolix::disk
