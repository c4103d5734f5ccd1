// SPDX-License-Identifier: MIT
#pragma once

#include "disk/DiskText.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zentravolix::disk {

/** The four disk kinds of the new-disk dialog (`DiskKind`). */
enum class DiskKind : std::int16_t {
    SingleGrowable = 0,
    GrowableSplit = 1,
    SinglePreallocated = 2,
    PreallocatedSplit = 3,
};

/** Unit of the typed size (`SizeUnit`). */
enum class SizeUnit : std::int16_t {
    Sectors = 0,
    Kb = 1,
    Mb = 2,
    Gb = 3,
};

/** Type codes of the one-call disk library (`LibraryDiskType`). */
enum class LibraryDiskType : std::int16_t {
    Growable = 1,
    Preallocated = 2,
    GrowableSplit = 3,
    PreallocatedSplit = 4,
};

/** The virtual adapter written to `ddb.adapterType`. */
enum class AdapterType {
    Ide,
    BusLogic,
    LsiLogic,
};

/** How the disk is made: our disk library (default) or the descriptor plus outside tools. */
enum class CreateMethod {
    Library,
    External,
};

inline constexpr std::int32_t kDefaultMaxScsiSectors = 536870912; // 256 GiB
inline constexpr std::int32_t kDefaultMaxIdeSectors = 268435456;  // 128 GiB
inline constexpr std::int16_t kDefaultVirtualHWVersion = 3;
inline constexpr std::int32_t kMinimumSectors = 204800;            // 100 MiB
inline constexpr std::int32_t kLargeIdeSectors = 268435456;        // above: very large IDE question

/** "ide", "buslogic" or "lsilogic". */
const char* AdapterTypeName(AdapterType adapter);
/** "ide" for IDE, "scsi" for both SCSI adapters (`BusType`). */
const char* BusTypeName(AdapterType adapter);
/** Parses "ide", "buslogic", "lsilogic" (exact); nullopt for anything else. */
std::optional<AdapterType> ParseAdapterType(std::string_view name);
/** What names a disk kind outside this module: one row per kind, in the order of DiskKind. */
struct DiskKindNames {
    DiskKind kind;
    const char* commandName;     ///< the tool's `--type` value, e.g. "growable-split"
    LibraryDiskType libraryType; ///< the disk library's type code
};
/** Every disk kind (a new kind is added here, to PlanDisk and to the new-disk dialog). */
std::span<const DiskKindNames> DiskKinds();
/** The library type code for a dialog kind. */
LibraryDiskType LibraryTypeForKind(DiskKind kind);
/** The dialog kind of a library type code. */
DiskKind KindForLibraryType(LibraryDiskType type);

/** The size limits and hardware version the editor hands to the dialog; 0 means "use the default". */
struct DiskLimits {
    std::int32_t maxScsiSectors = 0;
    std::int32_t maxIdeSectors = 0;
    std::int16_t virtualHWVersion = 0;

    /** A copy with every 0 replaced by its default. */
    DiskLimits withDefaults() const;
    /** `MaxSectors`: the IDE or the SCSI limit, by adapter (defaults applied). */
    std::int32_t maxSectors(AdapterType adapter) const;
};

/**
 * Reads the number typed as a disk size: optional blanks, sign, digits with an optional decimal
 * point and exponent. Independent of the process locale. nullopt when the text is not numeric.
 */
std::optional<double> ParseSizeValue(std::string_view text);

/**
 * `SizeToSectors`: value × 1, 2, 2048 or 2097152, rounded to the nearest integer with ties to even.
 * The result is 64-bit so that a size beyond the 32-bit sector range stays large (and is refused as
 * too large) instead of wrapping; it saturates near ±2^62.
 */
std::int64_t SizeToSectors(double value, SizeUnit unit);

/**
 * The question `CheckDiskSize` may ask. (A single preallocated disk above 1.99 GB needs no
 * question here: the preallocation writes its one flat file directly, without temporary pieces
 * to append, so neither double the space nor a slow append is involved.)
 */
enum class SizeQuestion {
    VeryLargeIde, // text 158, title 157
};
DiskText QuestionText(SizeQuestion question);
DiskText QuestionTitle(SizeQuestion question);

/** Outcome of `CheckDiskSize`. */
struct SizeCheck {
    enum class Verdict {
        Accepted,
        TooSmall, // message 153, title 150
        TooLarge, // message 154, title 150
        Declined, // a question was answered with anything but Yes
    };
    Verdict verdict = Verdict::Accepted;
    DiskText message = DiskText::None; // the message to show for TooSmall / TooLarge
    std::optional<SizeQuestion> declined;

    bool accepted() const { return verdict == Verdict::Accepted; }
};

/**
 * `CheckDiskSize`: the minimum, the adapter's maximum, then the large IDE disk question.
 * `ask` is called for each question that applies and returns true for Yes; without a callback
 * every question counts as answered No.
 */
SizeCheck CheckDiskSize(std::int64_t sectors, AdapterType adapter, DiskKind kind, std::int32_t maxSectors,
                        const std::function<bool(SizeQuestion)>& ask);

/**
 * Whether an adapter can be chosen for a kind and method: the external single growable disk is
 * made by qemu-img, which writes an IDE disk, and the external split growable disk is offered for
 * IDE only, so both take the IDE adapter alone.
 */
bool AdapterSelectable(AdapterType adapter, DiskKind kind, CreateMethod method);

} // namespace zentravolix::disk
