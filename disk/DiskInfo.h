// SPDX-License-Identifier: MIT
#pragma once

#include "disk/DiskText.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zentravolix::disk {

/** The facts of an existing disk, as `ReadDiskDescriptor` finds them in its descriptor. */
struct DiskInfo {
    std::string folder;   // in: folder of the disk, with its trailing separator
    std::string fileName; // in: file name of the descriptor (or single-file disk)
    std::string cid;
    std::int16_t hardwareVersion = 0;
    std::int16_t typeIndex = 0; // 0 monolithicSparse ... 5 partitionedDevice
    std::string createType;
    std::string adapterType;
    std::vector<std::string> buses; // the controllers adapterType fits ("scsi", "sata", "nvme", ...)
    std::int64_t sectors = 0; // sum of all "RW " extent lines
    std::string sizeText;     // "2 Gb", "1.5 Gb", "500 Kb"
    std::int32_t cylinders = 0;
    std::int32_t heads = 0;
    std::int32_t sectorsPerTrack = 0;
    bool hasBiosGeometry = false;
    std::int32_t biosCylinders = 0;
    std::int32_t biosHeads = 0;
    std::int32_t biosSectors = 0;
};

/** Why a read failed. */
enum class ReadProblem {
    None,
    CannotOpen,        // `detail`: the system's reason
    MissingKey,        // `detail`: the key
    BadNumber,         // `detail`: the key whose value is no number (or out of range)
    UnknownCreateType, // `detail`: the createType value
};

/** Outcome of a read: ok, or the problem with the key or reason it concerns. */
struct ReadOutcome {
    ReadProblem problem = ReadProblem::None;
    std::string detail;

    bool ok() const { return problem == ReadProblem::None; }
    explicit operator bool() const { return ok(); }
    /** The message that tells the problem ("missing key %1" with the key); empty text when ok. */
    DiskMessage message() const;
};

/** Files larger than this are disks with an embedded descriptor. */
inline constexpr std::uint64_t kEmbeddedDescriptorThreshold = 25600;

/**
 * Fills `info` from a descriptor text: keys found by case-sensitive substring search from the start
 * of the text, the value running from the "=" to the end of its line (LF, CR LF, a NUL or the end of
 * the text), blanks and the surrounding double quotes removed. On failure every field except folder
 * and file name is reset.
 */
ReadOutcome ParseDiskDescriptor(std::string_view text, DiskInfo& info);

/**
 * The descriptor text of a disk file: the whole file, or for a file larger than 25600 bytes its
 * embedded descriptor (where a hosted sparse header places it; otherwise the first 1024 bytes). A
 * descriptor file of any size ("# Disk DescriptorFile" at its start) is read whole.
 */
ReadOutcome LoadDescriptorText(const std::string& path, std::string& text);

/** `ReadDiskDescriptor`: reads folder + file name of `info` and fills the other fields. */
ReadOutcome ReadDiskDescriptor(DiskInfo& info);

/** The size in Gb (from 2097152 sectors), Mb, or Kb (below 2048 sectors), at most 7 digits. */
std::string SizeText(std::int64_t sectors);

/**
 * The lines of the "Current Disk Information" box ("Disk Path: %1" with the folder, ...), without
 * line ends; the box ends every line by CR LF, the command-line tool by LF. An adapter type other
 * than ide, buslogic and lsilogic is followed by the controllers it fits ("Bus: SATA").
 */
std::vector<DiskMessage> DiskInformationLines(const DiskInfo& info);

} // namespace zentravolix::disk
