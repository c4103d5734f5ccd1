// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/VmxReader.h"
#include "vmx/VmxSyntax.h"
#include "vmx/detail/FlatMap.h"

#include <tarvonel/tarvonel.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace zentravolix::vmx::detail {

/** One line of the file with the key, value and prefix the reader works with. */
struct ParsedLine {
    std::int32_t number = 0;
    std::string_view text;
    bool hasEquals = false;
    /** Text before the first "=", trimmed, lower case. */
    std::string key;
    /** Text after the first "=", trimmed, quotes removed, escapes decoded; filled by loadValue(). */
    std::string value;
    bool valueLoaded = false;
    /** Length of the prefix (the key up to its first "."); npos when the key has no ".". */
    std::size_t prefixLength = std::string::npos;
    /** Pass 1 already reported this line; pass 2 keeps it verbatim. */
    bool rejected = false;

    bool hasDot() const { return prefixLength != std::string::npos; }
    std::string_view prefix() const { return hasDot() ? std::string_view(key).substr(0, prefixLength) : std::string_view(); }
    /** The key from its first "." on (".present"). */
    std::string_view suffix() const { return hasDot() ? std::string_view(key).substr(prefixLength) : std::string_view(); }
    std::string lowerValue() const { return ToLower(value); }
    /** The key is this one (spelt as the writer spells it). */
    bool is(std::string_view spelling) const { return EqualsIgnoreCase(key, spelling); }
    /** The key's part from its first "." on is this member (".present"). */
    bool hasMember(std::string_view member) const { return EqualsIgnoreCase(suffix(), member); }
    /** Decodes the value; done only for lines some handler looks at, as most lines of large files are unknown keys. */
    void loadValue()
    {
        if (!valueLoaded) {
            LineValueInto(value, text); // the buffer of the line before
            valueLoaded = true;
        }
    }
};

/**
 * A line of the file as split: its number, its text (without the line end) and its key as
 * RawLineKey gives it, found once when the text is split (the read looks at the keys in several
 * passes).
 */
struct RawLine {
    std::int32_t number = 0;
    std::string_view text;
    std::string_view key;
};

/** Splits a key line into `out`, reusing its buffers (a large file costs no allocation per line here). */
void parseLine(const RawLine& raw, ParsedLine& out);

/** What a handler did with a line. */
enum class Fate {
    Consumed,
    Preserved,
};

/** The device a controller node holds, decided in pass 1. */
enum class NodeDevice {
    None,
    HardDisk,
    CDRom,
    GenericScsi,
};

/** The buses whose controllers have numbered nodes, in the order of their sections in a file. */
enum class Bus : std::uint8_t {
    Ide,
    Scsi,
    Sata,
    Nvme,
};

struct NodeAddress {
    Bus bus = Bus::Ide;
    std::int32_t controller = 0;
    std::int32_t node = 0;
    bool operator==(const NodeAddress&) const = default;
};

/** Spreads every part of the address over all bits (FlatMap takes the low ones). */
struct NodeAddressHash {
    std::size_t operator()(const NodeAddress& a) const noexcept
    {
        std::uint64_t h = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(a.controller)) << 32) ^
                          static_cast<std::uint32_t>(a.node);
        h = (h ^ static_cast<std::uint64_t>(a.bus)) * 0x9e3779b97f4a7c15ull;
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

struct NodeRecord {
    NodeDevice device = NodeDevice::None;
    /** 1-based position of the device in its collection. */
    std::int32_t index = 0;
    /** The node lies outside its controller's nodes: it never holds a device. */
    bool outOfRange = false;
    /** The out-of-range node was reported once already. */
    bool reported = false;
};

/** State of one read: the model, the result being filled and the node records of pass 1. */
class ReaderContext {
public:
    ReaderContext(tarvonel::VirtualMachine& vm, ReadResult& result)
        : vm(vm), hw(*vm.Hardware()), options(*vm.Options()), general(*vm.Options()->GeneralOptions()),
          m_result(result)
    {
    }

    tarvonel::VirtualMachine& vm;
    tarvonel::clsHardware& hw;
    tarvonel::clsOptions& options;
    tarvonel::clsGeneral& general;

    FlatMap<NodeAddress, NodeRecord, NodeAddressHash> nodes;
    /** The file holds disk.locking = "FALSE", so the clustering block's fixed node lines belong to that option. */
    bool clusteringBlock = false;
    /** The file's virtualHW.version; 0 when it has none (or none the reader takes). */
    std::int32_t hardwareVersion = 0;
    /**
     * The file is of a hardware version past the classic ones: its SATA and NVMe lines make
     * controllers and devices, and its SCSI controllers have the nodes of that version. The
     * classic files keep such lines as they are.
     */
    bool modernBuses = false;
    /** A "# Platform = " line named the product. */
    bool platformLine = false;
    /** The last "# Version = " line that set the product version. */
    std::string versionLine;
    /**
     * Shares whose ".present" line says FALSE: they do not exist, so they make no share and
     * their lines are kept as they were.
     */
    std::unordered_set<std::int32_t> absentShares;
    /** Absent shares below a share that exists: the model holds a share there, their ".present" line is kept. */
    std::unordered_set<std::int32_t> placeheldShares;
    /** Devices already attached, by kind and address, so pass 1 finds them without a scan. */
    FlatMap<NodeAddress, std::int32_t, NodeAddressHash> attached[3];

    void preserve(const ParsedLine& line) { m_result.otherParams.emplace_back(line.text); }

    /**
     * A line of a key or value only today's products write. Files of the classic product versions
     * always kept such lines as they were, so the line is settled once the read knows the product:
     * apply takes it into the model, or it goes back among the kept lines at its place.
     */
    Fate newerLine(const ParsedLine& line, std::function<void()> apply)
    {
        m_newer.push_back({m_result.otherParams.size(), std::string(line.text), std::move(apply)});
        return Fate::Consumed;
    }
    /**
     * Settles the lines of newerLine: applied for a file of today's products; otherwise kept, and
     * listed in ReadResult::newerLines for TakeNewerLines.
     */
    void settleNewerLines(bool todaysProduct)
    {
        auto& kept = m_result.otherParams;
        if (todaysProduct) {
            for (auto& line : m_newer)
                line.apply();
        } else {
            for (auto it = m_newer.rbegin(); it != m_newer.rend(); ++it)
                kept.insert(kept.begin() + static_cast<std::ptrdiff_t>(it->keptAt), it->text);
            // Each line lands after the ones inserted before it.
            for (std::size_t i = 0; i < m_newer.size(); ++i)
                m_result.newerLines.push_back({m_newer[i].keptAt + i, std::move(m_newer[i].apply)});
        }
        m_newer.clear();
    }
    void problem(const ParsedLine& line, ProblemCode code);

    /** The value as a number in [min, max]; reports NotANumber / NumberOutOfRange and gives nothing otherwise. */
    std::optional<std::int64_t> number(const ParsedLine& line, std::int64_t min, std::int64_t max);
    /** An index in a key (the N of ethernetN): reports BadIndex or TooManyItems and gives nothing when unusable. */
    std::optional<std::int32_t> index(const ParsedLine& line, std::string_view digits);

private:
    struct NewerLine {
        /** How many lines were kept before it. */
        std::size_t keptAt;
        std::string text;
        std::function<void()> apply;
    };

    ReadResult& m_result;
    std::vector<NewerLine> m_newer;
};

/** "true" / "false" in any letter case; nothing for other values. */
std::optional<bool> parseBoolean(const std::string& value);

/** Adds items until the collection holds count items. */
template <class Collection>
void ensureCount(Collection& collection, std::int32_t count)
{
    while (collection.Count() < count)
        collection.Add();
}

/**
 * Pass 1: makes the controllers and the devices their node lines decide; marks the key lines it
 * rejected. Lines superseded by a later line of the same key are left out, as in pass 2.
 */
void decideNodeDevices(ReaderContext& ctx, const std::vector<RawLine>& keyLines, const std::vector<bool>& superseded,
                       std::vector<bool>& rejected);
/** Pass 2 for a key with prefix ide*, scsi*, sata* or nvme*. */
Fate readControllerKey(ReaderContext& ctx, const ParsedLine& line, Bus bus);
/** Pass 2 for a key line (with "="). */
Fate readKey(ReaderContext& ctx, ParsedLine& line);
/** Step 6: a comment line. */
Fate readComment(ReaderContext& ctx, const ParsedLine& line);

} // namespace zentravolix::vmx::detail
