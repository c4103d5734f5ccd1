// SPDX-License-Identifier: MIT
#pragma once

#include "disk/DiskText.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

/**
 * The virtual adapter a new disk is made for. The first three are also the words written to
 * `ddb.adapterType`; SATA and NVMe disks are written as "lsilogic" (see AdapterTypeName).
 */
enum class AdapterType {
    Ide,
    BusLogic,
    LsiLogic,
    Sata,
    Nvme,
};

/** How the disk is made: our disk library (default) or the descriptor plus outside tools. */
enum class CreateMethod {
    Library,
    External,
};

inline constexpr std::int64_t kDefaultMaxScsiSectors = 536870912; // 256 GiB
inline constexpr std::int64_t kDefaultMaxIdeSectors = 268435456;  // 128 GiB
inline constexpr std::int16_t kDefaultVirtualHWVersion = 3;
inline constexpr std::int32_t kMinimumSectors = 204800;            // 100 MiB
inline constexpr std::int32_t kLargeIdeSectors = 268435456;        // above: very large IDE question

/**
 * The `ddb.adapterType` value: "ide", "buslogic" or "lsilogic"; "lsilogic" for SATA and NVMe too.
 *
 * The disk database knows no word for a SATA or an NVMe disk. VMware's own disk tools take only
 * ide, buslogic and lsilogic and are told to get "lsilogic" for every other adapter (the advice
 * printed by its disk manager, relayed in hashicorp/vagrant-vmware-desktop pull request 135); the
 * vSphere API's VirtualDiskAdapterType has the same three values; VMware support advised
 * OSInside/kiwi (pull request 1848) to leave "lsilogic" in the descriptor of a disk on another
 * controller rather than write the controller's name; and qemu's vmdk driver accepts only ide,
 * buslogic, lsilogic and legacyESX. The bus itself lives in the machine's configuration
 * (`sataN:M`, `nvmeN:M`), not in the disk.
 */
const char* AdapterTypeName(AdapterType adapter);
/** The name a user picks the adapter by (the tool's `--adapter`): ide, buslogic, lsilogic, sata, nvme. */
const char* AdapterChoiceName(AdapterType adapter);
/** "ide" for IDE, "scsi" for every other adapter: the bus the disk library is given (`BusType`). */
const char* BusTypeName(AdapterType adapter);
/** The controller a disk made for the adapter goes on: "ide", "scsi", "sata" or "nvme". */
const char* NodeBusName(AdapterType adapter);
/** Parses a choice name (exact: "ide", "buslogic", "lsilogic", "sata", "nvme"); nullopt otherwise. */
std::optional<AdapterType> ParseAdapterType(std::string_view name);
/** Every adapter, in the order of the enum (the classic three first). */
std::span<const AdapterType> AdapterTypes();

/**
 * The controllers a disk whose descriptor says `adapterType` is made for, as "ide", "scsi", "sata",
 * "nvme" (letter case ignored): "lsilogic" fits SCSI, SATA and NVMe, since VMware writes it for
 * all three; "buslogic", "legacyESX" and the SCSI controller names fit SCSI; nothing for an
 * unknown word.
 */
std::vector<std::string> BusesOfAdapterType(std::string_view adapterType);
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
    std::int64_t maxScsiSectors = 0;
    std::int64_t maxIdeSectors = 0;
    std::int16_t virtualHWVersion = 0;

    /** A copy with every 0 replaced by its default. */
    DiskLimits withDefaults() const;
    /**
     * `MaxSectors` (defaults applied): the IDE limit for IDE, the SCSI limit for the others; a
     * BusLogic disk stays within the 32-bit block numbers of that adapter (2 TB) whatever the
     * product allows.
     */
    std::int64_t maxSectors(AdapterType adapter) const;
};

/** The largest BusLogic disk: its commands carry 32-bit block numbers. */
inline constexpr std::int64_t kMaxBusLogicSectors = 4294967295;

/** The largest limit the classic products have (950 GiB); beyond it the too-large message names the limit. */
inline constexpr std::int64_t kLargestClassicLimit = 1992294400;

/**
 * The largest single growable disk: its one sparse extent addresses every grain by a 32-bit
 * sector number, so the extent's overhead and all its grains must end within 2^32 sectors
 * (a little less than 2 TiB). Larger growable disks are split into pieces.
 */
std::int64_t MaxSingleGrowableSectors();

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
        TooLarge, // message 154 (or beyond the classic limits 2830, 2831), title 150
        Declined, // a question was answered with anything but Yes
    };
    Verdict verdict = Verdict::Accepted;
    DiskText message = DiskText::None; // the message to show for TooSmall / TooLarge
    std::vector<std::string> args;     // what fills the message's %1, %2
    std::optional<SizeQuestion> declined;

    bool accepted() const { return verdict == Verdict::Accepted; }
    /** The message with its arguments. */
    DiskMessage text() const { return {message, args}; }
};

/**
 * `CheckDiskSize`: the minimum, the adapter's maximum, the largest single growable disk, then the
 * large IDE disk question. A maximum above the classic ones is named in the message (text 2830);
 * up to them the classic message 154 stays. `ask` is called for each question that applies and
 * returns true for Yes; without a callback every question counts as answered No.
 */
SizeCheck CheckDiskSize(std::int64_t sectors, AdapterType adapter, DiskKind kind, std::int64_t maxSectors,
                        const std::function<bool(SizeQuestion)>& ask);

/**
 * Whether an adapter can be chosen for a kind and method: the external single growable disk is
 * made by qemu-img, which writes an IDE disk, and the external split growable disk is offered for
 * IDE only, so both take the IDE adapter alone.
 */
bool AdapterSelectable(AdapterType adapter, DiskKind kind, CreateMethod method);

} // namespace zentravolix::disk
