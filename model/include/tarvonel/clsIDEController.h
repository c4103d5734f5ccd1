// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/AttachmentInfo.h>
#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

#include <vector>

namespace tarvonel {

/**
 * An IDE controller with MaxNodes nodes (0..MaxNodes-1). It reports the devices whose BusType is
 * "IDE" and whose Controller is its DeviceNum; it never checks that a node is free. The queries
 * reach the other collections through the controller's collection and the hardware container:
 * once either was released they throw Error (91) instead. Summary is "Present" or "Disabled".
 */
class TARVONEL_EXPORT clsIDEController : public DeviceItem {
public:
    explicit clsIDEController(detail::Passkey);
    ~clsIDEController() override;

    bool operator==(const clsIDEController&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);

    /**
     * One label per node (index = node number): "CD-ROM n" or "Hard Disk n" (n = the device's
     * DeviceNum; a hard disk wins over a CD-ROM on the same node), "" for a free node. Throws
     * SubscriptOutOfRange when MaxNodes < 1 or an attached device's BusNode is outside the nodes.
     */
    std::vector<std::string> Nodes() const;

    /**
     * Fills CCDR with the CD-ROMs on this controller, in collection order, and sets lCount to
     * their number. With none, CCDR holds one empty record. Returns 0. On failure the arguments
     * are left as they were.
     */
    std::int32_t GetConnectedCDRoms(std::vector<CDRInfo>& CCDR, std::int32_t& lCount) const;
    /** As GetConnectedCDRoms, for the hard disks. */
    std::int32_t GetConnectedHardDisks(std::vector<HDInfo>& CHD, std::int32_t& lCount) const;

    /** Number of nodes; set from the collection's MaxNodesPerController. */
    std::int32_t MaxNodes() const { return m_maxNodes; }

protected:
    std::string BaseName() const override { return "IDE Controller"; }

private:
    friend struct detail::ItemAccess;
    void SetMaxNodes(std::int32_t value) { m_maxNodes = value; }

    bool m_enabled = false;
    std::int32_t m_maxNodes = 0;
};

template <>
void Collection<clsIDEController>::InitializeItem(clsIDEController& item);
extern template class Collection<clsIDEController>;

/** The IDE controllers of a machine; each has MaxNodesPerController nodes (2 at first). */
class TARVONEL_EXPORT clsIDEControllers final : public Collection<clsIDEController> {
public:
    explicit clsIDEControllers(detail::Passkey);
    ~clsIDEControllers() override;

    bool operator==(const clsIDEControllers&) const = default;

    /**
     * Count x MaxNodesPerController labels "IDE c:n", with " - " and the node's label from Nodes()
     * appended for an occupied node; the single label "N/A" for an empty collection. Throws
     * SubscriptOutOfRange when MaxNodesPerController < 1 (or a controller's Nodes() fails).
     */
    std::vector<std::string> GetAvailableNodes() const;

    std::int32_t MaxNodesPerController() const { return m_maxNodesPerController; }
    /** Stores the value and gives it to every controller already in the collection as MaxNodes. */
    void SetMaxNodesPerController(std::int32_t value);

private:
    std::int32_t m_maxNodesPerController = 2;
};

} // namespace tarvonel
