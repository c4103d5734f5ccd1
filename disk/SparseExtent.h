// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zentravolix::disk {

/**
 * Where the parts of an empty hosted sparse extent lie, in 512-byte sectors: header, optional
 * embedded descriptor, redundant grain directory and tables, primary grain directory and tables,
 * padding to `overHead` (a multiple of the grain size). The file is `overHead` sectors long.
 */
struct SparseLayout {
    std::uint64_t capacity = 0;
    std::uint64_t grainTables = 0;
    std::uint64_t directorySectors = 0;
    std::uint64_t descriptorOffset = 0;
    std::uint64_t descriptorSize = 0;
    std::uint64_t rgdOffset = 0;
    std::uint64_t gdOffset = 0;
    std::uint64_t overHead = 0;

    std::uint64_t fileBytes() const { return overHead * 512; }
};

inline constexpr std::uint32_t kSparseMagic = 0x564D444B; // "KDMV" read as little-endian
inline constexpr std::uint64_t kGrainSectors = 128;
inline constexpr std::uint32_t kGrainTableEntries = 512;
inline constexpr std::uint64_t kGrainTableSectors = kGrainTableEntries * 4 / 512;
/** Sectors reserved for an embedded descriptor unless it needs more. */
inline constexpr std::uint64_t kEmbeddedDescriptorSectors = 20;

/**
 * The layout for `capacity` sectors; `descriptorSectors` is 0 for a split extent, or the sectors of
 * an embedded descriptor placed at sector 1.
 */
SparseLayout PlanSparseExtent(std::uint64_t capacity, std::uint64_t descriptorSectors);

/** The 512-byte header: magic, version 1, flags 3, grain size 128, 512 entries per table, LF SP CR LF. */
std::array<std::uint8_t, 512> SparseHeader(const SparseLayout& layout);

/** A grain directory pointing to consecutive tables from `firstTableSector`, padded to whole sectors. */
std::vector<std::uint8_t> GrainDirectory(const SparseLayout& layout, std::uint64_t firstTableSector);

/** Header fields a reader needs to find an embedded descriptor. */
struct SparseHeaderInfo {
    bool valid = false;
    std::uint64_t capacity = 0;
    std::uint64_t descriptorOffset = 0;
    std::uint64_t descriptorSize = 0;
};

/** Decodes the first bytes of a file; `valid` is false when they are no hosted sparse header. */
SparseHeaderInfo ParseSparseHeader(const std::uint8_t* data, std::size_t size);

class FileOps;

/**
 * Writes an empty extent with `layout` into the open, empty file `handle`: sets the length (the
 * zeroed grain tables stay a hole), then writes the header with `descriptor` (may be empty) and the
 * two directories. Returns 0 or the error number of the failed call.
 */
int WriteSparseExtent(FileOps& files, int handle, const SparseLayout& layout, const std::string& descriptor);

} // namespace zentravolix::disk
