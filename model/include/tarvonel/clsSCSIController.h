// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/AttachmentInfo.h>
#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

#include <vector>

namespace tarvonel {

/**
 * A SCSI controller with MaxNodes nodes; it occupies node BusNode (7 at first) itself. It reports
 * the devices whose BusType is "SCSI" and whose Controller is its DeviceNum. The queries throw
 * Error (91) once the controller's collection or the hardware container was released.
 * Summary follows ControllerType: 0 "Buslogic", 1 "LSIlogic", other values leave it unchanged.
 * ControllerType 2 is lsisas1068 (LSI Logic SAS), 3 pvscsi (VMware Paravirtual).
 */
class TARVONEL_EXPORT clsSCSIController : public DeviceItem {
public:
    explicit clsSCSIController(detail::Passkey);
    ~clsSCSIController() override;

    bool operator==(const clsSCSIController&) const = default;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    std::int16_t ControllerType() const { return m_controllerType; }
    void SetControllerType(std::int16_t value);

    /**
     * One label per node: "SCSI Controller c" at the controller's own node, then "CD-ROM n",
     * "Hard Disk n", "Gen SCSI n" (later kinds win on a shared node), "" for a free node. Throws
     * SubscriptOutOfRange when MaxNodes < 1 or a BusNode (its own included) lies outside the nodes.
     */
    std::vector<std::string> Nodes() const;

    /** The CD-ROMs on this controller; see clsIDEController::GetConnectedCDRoms. Returns 0. */
    std::int32_t GetConnectedCDRoms(std::vector<CDRInfo>& CCDR, std::int32_t& lCount) const;
    /** The hard disks on this controller. Returns 0. */
    std::int32_t GetConnectedHardDisks(std::vector<HDInfo>& CHD, std::int32_t& lCount) const;
    /** The generic SCSI devices on this controller. Returns 0. */
    std::int32_t GetConnectedGenericSCSIs(std::vector<GenSCSIInfo>& CGS, std::int32_t& lCount) const;

    std::int32_t MaxNodes() const { return m_maxNodes; }
    /** The node the controller itself occupies. */
    std::int16_t BusNode() const { return m_busNode; }
    void SetBusNode(std::int16_t value) { m_busNode = value; }

protected:
    std::string BaseName() const override { return "SCSI Controller"; }

private:
    friend struct detail::ItemAccess;
    void SetMaxNodes(std::int32_t value) { m_maxNodes = value; }

    bool m_enabled = false;
    std::int16_t m_controllerType = 0;
    std::int32_t m_maxNodes = 0;
    std::int16_t m_busNode = 0;
};

template <>
void Collection<clsSCSIController>::InitializeItem(clsSCSIController& item);
extern template class Collection<clsSCSIController>;

/** The SCSI controllers of a machine; each has MaxNodesPerController nodes (8 at first). */
class TARVONEL_EXPORT clsSCSIControllers final : public Collection<clsSCSIController> {
public:
    explicit clsSCSIControllers(detail::Passkey);
    ~clsSCSIControllers() override;

    bool operator==(const clsSCSIControllers&) const = default;

    /** As clsIDEControllers::GetAvailableNodes, with labels "SCSI c:n". */
    std::vector<std::string> GetAvailableNodes() const;

    std::int32_t MaxNodesPerController() const { return m_maxNodesPerController; }
    /** Stores the value and gives it to every controller already in the collection as MaxNodes. */
    void SetMaxNodesPerController(std::int32_t value);

private:
    std::int32_t m_maxNodesPerController = 8;
};

} // namespace tarvonel
