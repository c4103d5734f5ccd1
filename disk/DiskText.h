// SPDX-License-Identifier: MIT
#pragma once

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
};

/** The number to pass to the text table for an id. */
constexpr int TextNumber(DiskText id)
{
    return static_cast<int>(id);
}

} // namespace zentravolix::disk
