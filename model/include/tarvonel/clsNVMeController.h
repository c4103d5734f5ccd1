// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/AttachmentInfo.h>
#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

#include <vector>

namespace tarvonel {

/**
 * An NVMe controller with MaxNodes nodes (namespaces 0..MaxNodes-1); it takes no node itself and
 * holds hard disks only. It reports the hard disks whose BusType is "NVMe" and whose Controller
 * is its DeviceNum. The queries throw Error (91) once the controller's collection or the
 * hardware container was released. Summary is "Present" or "Disabled".
 */
class TARVONEL_EXPORT clsNVMeController : public DeviceItem {
public:
    explicit clsNVMeController(detail::Passkey);
    ~clsNVMeController() override;

    bool operator==(const clsNVMeController&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);

    /**
     * One label per node: "CD-ROM n" or "Hard Disk n" (a hard disk wins over a CD-ROM on the same
     * node), "" for a free node. Throws SubscriptOutOfRange when MaxNodes < 1 or an attached
     * device's BusNode lies outside the nodes.
     */
    std::vector<std::string> Nodes() const;

    /** The hard disks on this controller; see clsIDEController::GetConnectedCDRoms. Returns 0. */
    std::int32_t GetConnectedHardDisks(std::vector<HDInfo>& CHD, std::int32_t& lCount) const;

    /** Number of nodes; set from the collection's MaxNodesPerController. */
    std::int32_t MaxNodes() const { return m_maxNodes; }

protected:
    std::string BaseName() const override { return "NVMe Controller"; }

private:
    friend struct detail::ItemAccess;
    void SetMaxNodes(std::int32_t value) { m_maxNodes = value; }

    bool m_enabled = false;
    std::int32_t m_maxNodes = 0;
};

template <>
void Collection<clsNVMeController>::InitializeItem(clsNVMeController& item);
extern template class Collection<clsNVMeController>;

/** The NVMe controllers of a machine; each has MaxNodesPerController nodes (15 at first). */
class TARVONEL_EXPORT clsNVMeControllers final : public Collection<clsNVMeController> {
public:
    explicit clsNVMeControllers(detail::Passkey);
    ~clsNVMeControllers() override;

    bool operator==(const clsNVMeControllers&) const = default;

    /** As clsIDEControllers::GetAvailableNodes, with labels "NVMe c:n". */
    std::vector<std::string> GetAvailableNodes() const;

    std::int32_t MaxNodesPerController() const { return m_maxNodesPerController; }
    /** Stores the value and gives it to every controller already in the collection as MaxNodes. */
    void SetMaxNodesPerController(std::int32_t value);

private:
    std::int32_t m_maxNodesPerController = 15;
};

} // namespace tarvonel
