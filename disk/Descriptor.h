// SPDX-License-Identifier: MIT
#pragma once

#include "disk/Geometry.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentravolix::disk {

/** The descriptor's createType values this program knows, in the order of their type index. */
enum class CreateType : std::int16_t {
    MonolithicSparse = 0,
    TwoGbMaxExtentSparse = 1,
    MonolithicFlat = 2,
    TwoGbMaxExtentFlat = 3,
    FullDevice = 4,
    PartitionedDevice = 5,
};

/** "monolithicSparse", "twoGbMaxExtentSparse", ... */
const char* CreateTypeName(CreateType type);
/** Exact, case-sensitive match of a createType value; nullopt for any other value. */
std::optional<CreateType> ParseCreateType(std::string_view name);

/** Type word of an extent line. */
enum class ExtentKind {
    Sparse,
    Flat,
};

/** One "RW" line of the extent description. */
struct ExtentLine {
    std::int64_t sectors = 0;
    ExtentKind kind = ExtentKind::Sparse;
    std::string fileName; // as written between the quotes
};

/** Everything a descriptor text holds. */
struct DescriptorFields {
    std::string cid;
    CreateType createType = CreateType::TwoGbMaxExtentSparse;
    std::vector<ExtentLine> extents;
    std::int32_t virtualHWVersion = 3;
    Geometry geometry;
    std::string adapterType = "ide";
};

/** Piece sizes: 2047 MiB for sparse pieces, 2047.75 MiB for flat pieces. */
inline constexpr std::int64_t kSparsePieceSectors = 4192256;
inline constexpr std::int64_t kFlatPieceSectors = 4193792;

/** Splits `total` sectors into pieces of `piece` sectors, the last one taking the rest. */
std::vector<std::int64_t> SplitSectors(std::int64_t total, std::int64_t piece);

/**
 * The descriptor text, every line ended by CR LF: header, extent description, disk data base
 * with hardware version, geometry and adapter type.
 */
std::string DescriptorText(const DescriptorFields& fields);

/**
 * `NewCID`: eight draws of integer(random × 16 + 1), i.e. 1 to 16, each appended in lower-case
 * hexadecimal (16 gives "10"); the first eight characters are kept. `random01` returns numbers in
 * [0, 1).
 */
std::string NewCID(const std::function<double()>& random01);

/** A [0, 1) source seeded from the system's random device, for `NewCID`. */
std::function<double()> SeededRandom01();

} // namespace zentravolix::disk
