// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

#include <array>

class QGroupBox;
class QLabel;

namespace tarvonel {
class clsNIC;
}

namespace zentravolix::editor {

/** Device page 6: a network adapter (type, virtual network, MAC address). */
class EthernetPage final : public DevicePage {
    Q_OBJECT
public:
    EthernetPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks = {},
                 QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::Network; }
    void updateUILabels() override;

    /** Number of boxes of the address (txtNetMac0 to txtNetMac5), two hexadecimal digits each. */
    static constexpr int kMacGroups = 6;

protected:
    void fill() override;
    /** The MAC address boxes and the generated-address offset: refused values never hold the focus. */
    bool validateField(QLineEdit* box, const QString& value) override;
    /** The adapter types depend on the product version, which may have changed while hidden. */
    void showEvent(QShowEvent* event) override;

private:
    /** The file key of the shown adapter's type ("ethernet0.virtualdev"); "" when none is shown. */
    std::string keptTypeKey() const;
    void refillLists();
    /** Connection kind 0 bridged, 1 host-only, 2 NAT (each with its fixed network), 3 custom. */
    void chooseConnection(std::int16_t connectionType);
    /**
     * Address kind 0 generated (prefix 00:0C:29), 1 static (prefix 00:50:56), 2 assigned by
     * vCenter (00:50:56:80 to 00:50:56:BF).
     */
    void chooseAddressType(std::int16_t addressType);
    void enableAddressBoxes(std::int16_t addressType);
    void showAddress(const std::string& address);
    /** Stores the six boxes as one address once all of them hold something. */
    bool storeAddress();
    /** The passthrough tick is only there for a VMXNET3 adapter or one whose file sets it. */
    void showUptTick(const tarvonel::clsNIC* nic);

    QGroupBox* m_fraEthernet;
    QCheckBox* m_chkNicEnabled;
    QCheckBox* m_chkNicConnectedBoot;
    QLabel* m_lblNicType;
    QComboBox* m_cboNicType;
    /** The ESXi port group; shown for an ESXi machine or an adapter that names one. */
    QLabel* m_lblNicNetworkName;
    QLineEdit* m_txtNicNetworkName;
    QCheckBox* m_chkNicUptCompatibility;
    QCheckBox* m_chkNicWakeOnPacket;
    QCheckBox* m_chkNicGuestControl;

    QGroupBox* m_fraNetConnection;
    /** optNetConnBridged, optNetConnHostOnly, optNetConnNat, optNetConnCustom: ConnectionType 0 to 3. */
    std::array<QRadioButton*, 4> m_connections{};
    QComboBox* m_cboNicConnection;

    QGroupBox* m_fraNetMac;
    QRadioButton* m_optNetMacGenerated;
    QRadioButton* m_optNetMacStatic;
    /** Shown for an ESXi machine or an adapter whose address vCenter assigned. */
    QRadioButton* m_optNetMacVCenter;
    QLabel* m_lblNetMac;
    std::array<QLineEdit*, kMacGroups> m_txtNetMac{};
    QLabel* m_lblNetMacGenOffset;
    QLineEdit* m_txtNetMacGenOffset;
};

} // namespace zentravolix::editor
