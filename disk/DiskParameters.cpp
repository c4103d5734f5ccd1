// SPDX-License-Identifier: MIT
#include "disk/DiskParameters.h"

#include "disk/DiskInfo.h"
#include "disk/SparseExtent.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace zentravolix::disk {

namespace {

constexpr std::array kAdapters = {AdapterType::Ide, AdapterType::BusLogic, AdapterType::LsiLogic, AdapterType::Sata,
                                  AdapterType::Nvme};

bool SameWord(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

const char* AdapterTypeName(AdapterType adapter)
{
    switch (adapter) {
    case AdapterType::Ide:
        return "ide";
    case AdapterType::BusLogic:
        return "buslogic";
    case AdapterType::LsiLogic:
    case AdapterType::Sata:
    case AdapterType::Nvme:
        return "lsilogic";
    }
    return "ide";
}

const char* AdapterChoiceName(AdapterType adapter)
{
    switch (adapter) {
    case AdapterType::Sata:
        return "sata";
    case AdapterType::Nvme:
        return "nvme";
    default:
        return AdapterTypeName(adapter);
    }
}

const char* BusTypeName(AdapterType adapter)
{
    return adapter == AdapterType::Ide ? "ide" : "scsi";
}

const char* NodeBusName(AdapterType adapter)
{
    switch (adapter) {
    case AdapterType::Sata:
        return "sata";
    case AdapterType::Nvme:
        return "nvme";
    default:
        return BusTypeName(adapter);
    }
}

std::optional<AdapterType> ParseAdapterType(std::string_view name)
{
    for (AdapterType a : kAdapters) {
        if (name == AdapterChoiceName(a))
            return a;
    }
    return std::nullopt;
}

std::span<const AdapterType> AdapterTypes()
{
    return kAdapters;
}

std::vector<std::string> BusesOfAdapterType(std::string_view adapterType)
{
    if (SameWord(adapterType, "ide"))
        return {"ide"};
    if (SameWord(adapterType, "lsilogic"))
        return {"scsi", "sata", "nvme"};
    for (std::string_view scsi : {"buslogic", "legacyESX", "lsisas1068", "pvscsi"}) {
        if (SameWord(adapterType, scsi))
            return {"scsi"};
    }
    // Written by hand or by other programs now and then; VMware itself never writes them.
    if (SameWord(adapterType, "sata"))
        return {"sata"};
    if (SameWord(adapterType, "nvme"))
        return {"nvme"};
    return {};
}

namespace {

constexpr std::array kDiskKinds = {
    DiskKindNames{DiskKind::SingleGrowable, "growable", LibraryDiskType::Growable},
    DiskKindNames{DiskKind::GrowableSplit, "growable-split", LibraryDiskType::GrowableSplit},
    DiskKindNames{DiskKind::SinglePreallocated, "preallocated", LibraryDiskType::Preallocated},
    DiskKindNames{DiskKind::PreallocatedSplit, "preallocated-split", LibraryDiskType::PreallocatedSplit},
};

constexpr bool RowsInKindOrder()
{
    for (std::size_t i = 0; i < kDiskKinds.size(); ++i) {
        if (static_cast<std::size_t>(kDiskKinds[i].kind) != i)
            return false;
    }
    return true;
}
static_assert(RowsInKindOrder(), "one row per DiskKind, in the order of the enum");
static_assert(kDiskKinds.size() == static_cast<std::size_t>(DiskKind::PreallocatedSplit) + 1,
              "a row for every DiskKind");

} // namespace

std::span<const DiskKindNames> DiskKinds()
{
    return kDiskKinds;
}

LibraryDiskType LibraryTypeForKind(DiskKind kind)
{
    return kDiskKinds.at(static_cast<std::size_t>(kind)).libraryType;
}

DiskKind KindForLibraryType(LibraryDiskType type)
{
    for (const DiskKindNames& row : kDiskKinds) {
        if (row.libraryType == type)
            return row.kind;
    }
    return DiskKind::SingleGrowable;
}

DiskLimits DiskLimits::withDefaults() const
{
    DiskLimits d = *this;
    if (d.maxScsiSectors == 0)
        d.maxScsiSectors = kDefaultMaxScsiSectors;
    if (d.maxIdeSectors == 0)
        d.maxIdeSectors = kDefaultMaxIdeSectors;
    if (d.virtualHWVersion == 0)
        d.virtualHWVersion = kDefaultVirtualHWVersion;
    return d;
}

std::int64_t DiskLimits::maxSectors(AdapterType adapter) const
{
    const DiskLimits d = withDefaults();
    if (adapter == AdapterType::Ide)
        return d.maxIdeSectors;
    if (adapter == AdapterType::BusLogic)
        return std::min(d.maxScsiSectors, kMaxBusLogicSectors);
    return d.maxScsiSectors;
}

std::int64_t MaxSingleGrowableSectors()
{
    // The grain tables of the largest extent, with an embedded descriptor of the usual size: the
    // overhead barely depends on the capacity near the limit, so one step down from 2^32 settles it.
    constexpr std::uint64_t kAddressable = std::uint64_t(1) << 32;
    std::uint64_t capacity = kAddressable;
    for (int i = 0; i < 4; ++i) {
        const SparseLayout layout = PlanSparseExtent(capacity, kEmbeddedDescriptorSectors);
        capacity = (kAddressable - layout.overHead) / kGrainSectors * kGrainSectors;
    }
    return static_cast<std::int64_t>(capacity);
}

std::optional<double> ParseSizeValue(std::string_view text)
{
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    // from_chars accepts "inf", "nan" and hex forms only with the right flags; general format
    // still takes "inf" and "nan", which are no disk sizes.
    std::size_t i = (!text.empty() && text.front() == '-') ? 1 : 0;
    bool digit = false;
    for (; i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.'); ++i)
        digit = digit || text[i] != '.';
    if (!digit)
        return std::nullopt;
    double value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::int64_t SizeToSectors(double value, SizeUnit unit)
{
    static constexpr double factors[] = {1.0, 2.0, 2048.0, 2097152.0};
    const double limit = 4611686018427387904.0; // 2^62
    const double scaled = value * factors[static_cast<int>(unit) & 3];
    if (!(scaled < limit))
        return static_cast<std::int64_t>(limit);
    if (!(scaled > -limit))
        return -static_cast<std::int64_t>(limit);
    // nearbyint uses the default rounding mode, which rounds ties to even.
    return static_cast<std::int64_t>(std::nearbyint(scaled));
}

DiskText QuestionText(SizeQuestion)
{
    return DiskText::VeryLargeDiskQuestion;
}

DiskText QuestionTitle(SizeQuestion)
{
    return DiskText::VeryLargeDiskTitle;
}

SizeCheck CheckDiskSize(std::int64_t sectors, AdapterType adapter, DiskKind kind, std::int64_t maxSectors,
                        const std::function<bool(SizeQuestion)>& ask)
{
    SizeCheck check;
    if (sectors < kMinimumSectors) {
        check.verdict = SizeCheck::Verdict::TooSmall;
        check.message = DiskText::SizeTooSmall;
        return check;
    }
    if (sectors > maxSectors) {
        check.verdict = SizeCheck::Verdict::TooLarge;
        check.message = DiskText::SizeTooLarge;
        if (maxSectors > kLargestClassicLimit) {
            check.message = DiskText::SizeTooLargeFor;
            check.args = {SizeText(maxSectors), std::to_string(maxSectors)};
        }
        return check;
    }
    if (kind == DiskKind::SingleGrowable && sectors > MaxSingleGrowableSectors()) {
        check.verdict = SizeCheck::Verdict::TooLarge;
        check.message = DiskText::SingleGrowableTooLarge;
        check.args = {std::to_string(MaxSingleGrowableSectors()), SizeText(MaxSingleGrowableSectors())};
        return check;
    }
    auto confirm = [&](SizeQuestion q) {
        if (ask && ask(q))
            return true;
        check.verdict = SizeCheck::Verdict::Declined;
        check.declined = q;
        return false;
    };
    if (adapter == AdapterType::Ide && sectors > kLargeIdeSectors && !confirm(SizeQuestion::VeryLargeIde))
        return check;
    return check;
}

bool AdapterSelectable(AdapterType adapter, DiskKind kind, CreateMethod method)
{
    if (adapter == AdapterType::Ide || method == CreateMethod::Library)
        return true;
    return kind == DiskKind::SinglePreallocated || kind == DiskKind::PreallocatedSplit;
}

} // namespace zentravolix::disk
