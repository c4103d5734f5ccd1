// SPDX-License-Identifier: MIT
#pragma once

#include "disk/DiskText.h"

#include <string>
#include <string_view>
#include <system_error>

namespace zentravolix::disk {

/** Path separator of disk names (the native one). */
inline constexpr char kPathSeparator = '/';

/** The names derived from the typed disk file name. */
struct DiskNames {
    std::string diskName; // `DiskName`: the descriptor (or single-file disk), ends in ".vmdk"
    std::string folder;   // up to and including the last separator; empty without one
    std::string basePath; // `DiskBasePath`: `DiskName` without its extension
    std::string baseName; // `DiskBaseName`: the file-name part of `basePath`
};

/**
 * The name rule: appends ".vmdk" unless the text ends in exactly ".vmdk" (case-sensitive, so
 * "disk.VMDK" becomes "disk.VMDK.vmdk"), then derives folder, base path and base name.
 */
DiskNames ApplyNameRule(std::string_view text);

/**
 * Creates the disk's folder when it does not exist (one level only, like the dialog). `created`
 * tells whether this call made it. Returns the system's error (e.g. a missing parent, or a path
 * that is a file); an empty folder name is no error.
 */
std::error_code EnsureDiskFolder(const std::string& folder, bool& created);

/**
 * Why the name cannot be written into a descriptor, which holds extent names between double
 * quotes on one line: the text of the first double quote, carriage return or line feed in the
 * part of the name the descriptor holds (the file name, or the whole path when `fullPathWritten`).
 * Its %1 is the name. `DiskText::None` when the name can be written.
 */
DiskText UnwritableNameReason(const DiskNames& names, bool fullPathWritten);

/** "00#": at least three digits, e.g. 001, 010, 999, 1000. */
std::string ExtentNumber(int n);

} // namespace zentravolix::disk
