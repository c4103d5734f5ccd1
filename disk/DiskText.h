// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace zentravolix::disk {

/**
 * Ids of the localized texts the disk rules answer with. The disk library shows nothing itself:
 * the dialog and the command-line tool turn an id into text through the text table.
 */
enum class DiskText : int {
    None = 0,
    CreateNewHardDisk = 125,
    FileExistsTitle = 148,
    DiskAlreadyExists = 149,
    InvalidDiskSizeTitle = 150,
    InvalidSizeForSuffix = 151,
    SizeNotNumeric = 152,
    SizeTooSmall = 153,
    SizeTooLarge = 154,
    VeryLargeDiskTitle = 157,
    VeryLargeDiskQuestion = 158,
    MissingToolTitle = 159,
    // 160 names the Windows tool "Qemu-img.exe"; 400 is the same message for this platform.
    QemuImgNotFound = 400,
    ContigNotFound = 161,
    DiskInformationTitle = 174,
    UnableToReadDisk = 175,
    // The program's own texts. A name a descriptor cannot hold; %1 the disk name.
    NameHasDoubleQuote = 361,
    NameHasCarriageReturn = 362,
    NameHasLineBreak = 363,
    // Why a descriptor could not be read; %1 the system's reason, the key or the value.
    CannotReadFile = 364,
    MissingKey = 365,
    NotANumber = 366,
    UnknownCreateType = 367,
    // Why a creation failed.
    InvalidDiskSize = 368,      // %1 the disk name
    NoSectorsToCreate = 369,    // %1 the disk name
    QemuImgFailed = 370,        // %1 the exit code, %2 the disk name
    CannotStartTool = 371,      // %1 the tool, %2 the system's reason
    InvalidSizeOrBus = 372,     // %1 the bus, %2 the disk name
    // The lines of the disk information box.
    InfoDiskPath = 373,         // %1 the folder
    InfoDiskName = 374,         // %1 the file name
    InfoDiskType = 375,         // %1 createType, %2 its index
    InfoAdapterType = 376,      // %1 ddb.adapterType
    InfoSize = 377,             // %1 sectors, %2 the size in Gb, Mb or Kb
    InfoGeometry = 378,         // %1 cylinders, %2 heads, %3 sectors per track
    InfoBiosGeometry = 379,     // the same for the BIOS geometry
    InfoHardwareVersion = 380,  // %1 ddb.virtualHWVersion
    InfoCID = 381,              // %1 the CID
    // Disks beyond the classic sizes, and the SATA and NVMe adapters.
    SizeTooLargeFor = 2830,        // %1 the limit as a size, %2 in sectors
    SingleGrowableTooLarge = 2831, // %1 the largest single growable disk in sectors, %2 as a size
    AdapterSata = 2832,            // the new-disk dialog's SATA option
    AdapterNvme = 2833,            // the new-disk dialog's NVMe option
    InfoBuses = 2834,              // %1 the controllers the descriptor's adapter type fits
};

/** The number to pass to the text table for an id. */
constexpr int TextNumber(DiskText id)
{
    return static_cast<int>(id);
}

/**
 * A message of the disk library: a text id and what fills its %1, %2, ... The editor and the tool
 * put it into words. Without a text id, `args` are the system's own words (its reason and the
 * file it concerns), shown joined by ": ".
 */
struct DiskMessage {
    DiskText text = DiskText::None;
    std::vector<std::string> args;

    bool operator==(const DiskMessage&) const = default;
};

} // namespace zentravolix::disk
