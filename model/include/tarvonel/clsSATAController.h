// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/AttachmentInfo.h>
#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

#include <vector>

namespace tarvonel {

/**
 * A SATA (AHCI) controller with MaxNodes nodes (0..MaxNodes-1); unlike a SCSI controller it takes
 * no node itself. It reports the hard disks and CD-ROMs whose BusType is "SATA" and whose
 * Controller is its DeviceNum. The queries throw Error (91) once the controller's collection or
 * the hardware container was released. Summary is "Present" or "Disabled".
 */
class TARVONEL_EXPORT clsSATAController : public DeviceItem {
public:
    explicit clsSATAController(detail::Passkey);
    ~clsSATAController() override;

    bool operator==(const clsSATAController&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);

    /**
     * One label per node: "CD-ROM n" or "Hard Disk n" (a hard disk wins over a CD-ROM on the same
     * node), "" for a free node. Throws SubscriptOutOfRange when MaxNodes < 1 or an attached
     * device's BusNode lies outside the nodes.
     */
    std::vector<std::string> Nodes() const;

    /** The CD-ROMs on this controller; see clsIDEController::GetConnectedCDRoms. Returns 0. */
    std::int32_t GetConnectedCDRoms(std::vector<CDRInfo>& CCDR, std::int32_t& lCount) const;
    /** The hard disks on this controller; see clsIDEController::GetConnectedCDRoms. Returns 0. */
    std::int32_t GetConnectedHardDisks(std::vector<HDInfo>& CHD, std::int32_t& lCount) const;

    /** Number of nodes; set from the collection's MaxNodesPerController. */
    std::int32_t MaxNodes() const { return m_maxNodes; }

protected:
    std::string BaseName() const override { return "SATA Controller"; }

private:
    friend struct detail::ItemAccess;
    void SetMaxNodes(std::int32_t value) { m_maxNodes = value; }

    bool m_enabled = false;
    std::int32_t m_maxNodes = 0;
};

template <>
void Collection<clsSATAController>::InitializeItem(clsSATAController& item);
extern template class Collection<clsSATAController>;

/** The SATA controllers of a machine; each has MaxNodesPerController nodes (30 at first). */
class TARVONEL_EXPORT clsSATAControllers final : public Collection<clsSATAController> {
public:
    explicit clsSATAControllers(detail::Passkey);
    ~clsSATAControllers() override;

    bool operator==(const clsSATAControllers&) const = default;

    /** As clsIDEControllers::GetAvailableNodes, with labels "SATA c:n". */
    std::vector<std::string> GetAvailableNodes() const;

    std::int32_t MaxNodesPerController() const { return m_maxNodesPerController; }
    /** Stores the value and gives it to every controller already in the collection as MaxNodes. */
    void SetMaxNodesPerController(std::int32_t value);

private:
    std::int32_t m_maxNodesPerController = 30;
};

} // namespace tarvonel
