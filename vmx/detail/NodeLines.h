// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/detail/KeyNames.h"
#include "vmx/detail/FlatMap.h"
#include "vmx/detail/ReaderContext.h"

#include <optional>
#include <string_view>
#include <vector>

namespace zentravolix::vmx::detail {

/** The device kind a node line decides; types and file suffixes compare exactly, as VMware writes them. */
NodeDevice decidedKind(const ParsedLine& line, Bus bus);

/** The nodes the clustering block writes to, spelt as it spells them ("scsi0:0", "scsi0:1"). */
bool isClusteringNode(std::string_view prefix);
/** The same nodes by their numbers, however the key spells them ("scsi00:1" too). */
bool isClusteringNode(const NodeAddress& address);

/**
 * One of the fixed node lines the clustering option writes ("scsi0:0.mode = "independent-persistent""
 * and the like, for scsi0:0 and scsi0:1). With disk.locking = "FALSE" in the file they belong to
 * that option: the writer writes them again while it stays on. Read as node lines, ".mode" would
 * make a hard disk at a node that holds none and every save would add one.
 */
bool isClusteringNodeLine(const ParsedLine& line);

/** The file switches clustering on: a disk.locking = "FALSE" line that counts (not superseded). */
bool hasClusteringSwitch(const std::vector<RawLine>& keyLines, const std::vector<bool>& superseded);

/** The key family of a bus ("ide", "scsi", "sata", "nvme"). */
std::string_view busFamily(Bus bus);

/** The bus as a device's BusType names it ("IDE", "SCSI", "SATA", "NVMe"). */
const char* busName(Bus bus);

/** The bus a BusType names; nothing for another name. */
std::optional<Bus> busOfName(std::string_view name);

/** The prefix starts with "ide", "scsi", "sata" or "nvme"; bus tells which. */
bool isControllerPrefix(std::string_view prefix, Bus& bus);

/** The node of a node line ("scsi0:3"), read without reporting: the line's own pass reports a bad address. */
std::optional<NodeAddress> nodeOf(const ParsedLine& line, Bus bus);

/**
 * What all lines of one node decide together. A node holds one device: an explicit ".deviceType"
 * that names a kind wins over a disk image's ".fileName" and a ".mode" line ("cdrom-raw" with a
 * .vmdk name is a CD-ROM), and of two such lines (two spellings of the node, "scsi0:1" and
 * "scsi0:01") the later, as VMware takes the later line.
 */
struct NodeLines {
    NodeDevice byType = NodeDevice::None;
    bool diskByOtherLine = false;
    /** The clustering block's ".mode" value stands at the node. */
    bool clusteringMode = false;
    /** A ".sharedBus" line of the block's node stands at the node (whatever its value). */
    bool clusteringSharedBus = false;

    /**
     * The block writes its three lines at a node together, and never at a node whose device
     * would not be known without them (a CD-ROM, or a disk without a disk image's name): without
     * a ".sharedBus" line, a ".mode" of the block's value is the device's own. A kept line of
     * that key with another value replaces the block's line on writing, so it counts as well.
     */
    bool clusteringLinesAreTheBlocks() const { return clusteringSharedBus; }

    NodeDevice kind() const
    {
        if (byType != NodeDevice::None)
            return byType;
        if (diskByOtherLine || (clusteringMode && !clusteringLinesAreTheBlocks()))
            return NodeDevice::HardDisk;
        return NodeDevice::None;
    }
};

using NodeLinesMap = FlatMap<NodeAddress, NodeLines, NodeAddressHash>;

/** Calls visit(index, line, bus) for every key line of a controller or node that counts (not superseded). */
template <class Visit>
void forEachControllerLine(const std::vector<RawLine>& keyLines, const std::vector<bool>& superseded,
                           Visit visit)
{
    ParsedLine line;
    for (std::size_t i = 0; i < keyLines.size(); ++i) {
        if (superseded[i])
            continue;
        // Cheap test first: only keys starting with a bus's family concern this pass.
        const std::string_view raw = keyLines[i].key;
        Bus bus = Bus::Ide;
        if (!isControllerPrefix(raw, bus))
            continue;
        parseLine(keyLines[i], line);
        if (!line.hasEquals || !line.hasDot() || !isControllerPrefix(line.prefix(), bus))
            continue;
        line.loadValue();
        visit(i, line, bus);
    }
}

/** What the lines of each node decide together, before any device is made (needs ctx.clusteringBlock set). */
NodeLinesMap gatherNodeLines(const ReaderContext& ctx, const std::vector<RawLine>& keyLines,
                             const std::vector<bool>& superseded);

} // namespace zentravolix::vmx::detail
