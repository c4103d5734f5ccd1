// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/EthernetPage.h"

#include "config/ChoiceLists.h"
#include "config/DeviceFieldRules.h"
#include "config/ProductTables.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/WidgetHelpers.h"
#include "editor/widget/pages/devices/DevicePageSupport.h"

#include <tarvonel/tarvonel.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace zentravolix::editor {

namespace {

constexpr std::int16_t kGenerated = 0;
constexpr std::int16_t kStatic = 1;
constexpr std::int16_t kVCenter = 2;
constexpr std::int16_t kVmxnet3 = 4;
constexpr std::int16_t kCustom = 3;

/** The first three groups of the program's two address ranges. */
const char* const kGeneratedPrefix[] = {"00", "0C", "29"};
const char* const kStaticPrefix[] = {"00", "50", "56"};

/** Whether an address lies in vCenter's range, 00:50:56:80:00:00 to 00:50:56:BF:FF:FF. */
bool inVCenterRange(const std::string& address)
{
    const QString text = QString::fromStdString(address).toUpper();
    return text.size() >= 10 && text.startsWith(QLatin1String("00:50:56:")) && QStringLiteral("89AB").contains(text[9]);
}

/** Group i (0 to 5) of an address written "00:0C:29:12:34:56"; "" where the text is too short. */
QString addressGroup(const std::string& address, int i)
{
    return QString::fromStdString(address).mid(i * 3, 2);
}

} // namespace

EthernetPage::EthernetPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                           DevicePageHooks hooks, QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraEthernet = makeGroup(this, "fraEthernet");
    auto* inner = new QVBoxLayout(m_fraEthernet);
    m_chkNicEnabled = makeCheck(m_fraEthernet, "chkNicEnabled", inner);
    m_chkNicConnectedBoot = makeCheck(m_fraEthernet, "chkNicConnectedBoot", inner);
    auto* typeRow = new QHBoxLayout;
    m_lblNicType = makeLabel(m_fraEthernet, "lblNicType");
    m_cboNicType = makeCombo(m_fraEthernet, "cboNicType");
    m_cboNicType->setMinimumContentsLength(12);
    m_lblNicType->setBuddy(m_cboNicType);
    typeRow->addWidget(m_lblNicType);
    typeRow->addWidget(m_cboNicType);
    typeRow->addStretch(1);
    inner->addLayout(typeRow);
    auto* networkNameRow = new QHBoxLayout;
    m_lblNicNetworkName = makeLabel(m_fraEthernet, "lblNicNetworkName");
    m_txtNicNetworkName = makeLineEdit(m_fraEthernet, "txtNicNetworkName");
    m_lblNicNetworkName->setBuddy(m_txtNicNetworkName);
    networkNameRow->addWidget(m_lblNicNetworkName);
    networkNameRow->addWidget(m_txtNicNetworkName, 1);
    inner->addLayout(networkNameRow);
    m_chkNicUptCompatibility = makeCheck(m_fraEthernet, "chkNicUptCompatibility", inner);
    m_chkNicWakeOnPacket = makeCheck(m_fraEthernet, "chkNicWakeOnPacket", inner);
    m_chkNicGuestControl = makeCheck(m_fraEthernet, "chkNicGuestControl", inner);

    m_fraNetConnection = makeGroup(m_fraEthernet, "fraNetConnection");
    auto* connection = new QVBoxLayout(m_fraNetConnection);
    const char* connectionNames[] = {"optNetConnBridged", "optNetConnHostOnly", "optNetConnNat", "optNetConnCustom"};
    for (int i = 0; i < 4; ++i)
        m_connections[i] = makeOption(m_fraNetConnection, connectionNames[i], connection);
    auto* networkRow = AddIndentedRow(connection);
    m_cboNicConnection = makeCombo(m_fraNetConnection, "cboNicConnection");
    m_cboNicConnection->addItems(toStringList(VirtualNetworkCaptions()));
    networkRow->addWidget(m_cboNicConnection);
    networkRow->addStretch(1);
    inner->addWidget(m_fraNetConnection);

    m_fraNetMac = makeGroup(m_fraEthernet, "fraNetMac");
    auto* mac = new QVBoxLayout(m_fraNetMac);
    m_optNetMacGenerated = makeOption(m_fraNetMac, "optNetMacGenerated", mac);
    m_optNetMacStatic = makeOption(m_fraNetMac, "optNetMacStatic", mac);
    m_optNetMacVCenter = makeOption(m_fraNetMac, "optNetMacVCenter", mac);
    auto* grid = new QGridLayout;
    m_lblNetMac = makeLabel(m_fraNetMac, "lblNetMac");
    grid->addWidget(m_lblNetMac, 0, 0);
    auto* boxes = new QHBoxLayout;
    boxes->setSpacing(2);
    for (int i = 0; i < kMacGroups; ++i) {
        auto* box = makeLineEdit(m_fraNetMac, ("txtNetMac" + std::to_string(i)).c_str());
        box->setMaxLength(2);
        box->setAlignment(Qt::AlignCenter);
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 8);
        m_txtNetMac[i] = box;
        if (i > 0)
            boxes->addWidget(new QLabel(QStringLiteral(":"), m_fraNetMac));
        boxes->addWidget(box);
    }
    boxes->addStretch(1);
    m_lblNetMac->setBuddy(m_txtNetMac[0]);
    grid->addLayout(boxes, 0, 1);
    m_lblNetMacGenOffset = makeLabel(m_fraNetMac, "lblNetMacGenOffset");
    m_txtNetMacGenOffset = makeLineEdit(m_fraNetMac, "txtNetMacGenOffset");
    m_txtNetMacGenOffset->setMaximumWidth(m_txtNetMacGenOffset->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 14);
    m_lblNetMacGenOffset->setBuddy(m_txtNetMacGenOffset);
    grid->addWidget(m_lblNetMacGenOffset, 1, 0);
    grid->addWidget(m_txtNetMacGenOffset, 1, 1, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    mac->addLayout(grid);
    inner->addWidget(m_fraNetMac);
    layout->addWidget(m_fraEthernet);
    layout->addStretch(1);

    bindCheck(m_chkNicEnabled, false, [this](bool checked) {
        if (auto nic = findDevice(m_vm->Hardware()->NetworkAdapters()))
            nic->SetEnabled(checked);
    });
    bindCheck(m_chkNicConnectedBoot, false, [this](bool checked) {
        if (auto nic = findDevice(m_vm->Hardware()->NetworkAdapters()))
            nic->SetConnectedAtBoot(checked);
    });
    bindCombo(m_cboNicType, false, [this](std::int16_t position) {
        auto nic = findDevice(m_vm->Hardware()->NetworkAdapters());
        const auto code = CodeAt(*m_cboNicType, position);
        if (!nic || !code || !takeComboKept(m_cboNicType, keptTypeKey(), position))
            return false;
        nic->SetDeviceType(*code);
        showUptTick(nic.get());
        return true;
    });
    bindCheck(m_chkNicUptCompatibility, false, [this](bool checked) {
        if (auto nic = findDevice(m_vm->Hardware()->NetworkAdapters()))
            nic->SetUptCompatibility(checked);
    });
    bindCheck(m_chkNicWakeOnPacket, false, [this](bool checked) {
        if (auto nic = findDevice(m_vm->Hardware()->NetworkAdapters()))
            nic->SetWakeOnPacket(checked);
    });
    bindCheck(m_chkNicGuestControl, false, [this](bool checked) {
        if (auto nic = findDevice(m_vm->Hardware()->NetworkAdapters()))
            nic->SetGuestConnectionControl(checked);
    });
    bindCombo(m_cboNicConnection, true, [this](std::int16_t position) {
        if (auto nic = findDevice(m_vm->Hardware()->NetworkAdapters()))
            nic->SetVNet(position);
    });
    // The summary is the connection kind, so every connection button rewrites the row.
    for (int i = 0; i < 4; ++i)
        bindOption(m_connections[i], true, [this, i] { chooseConnection(static_cast<std::int16_t>(i)); });
    bindOption(m_optNetMacGenerated, false, [this] { chooseAddressType(kGenerated); });
    bindOption(m_optNetMacStatic, false, [this] { chooseAddressType(kStatic); });
    bindOption(m_optNetMacVCenter, false, [this] { chooseAddressType(kVCenter); });
    bindText(m_txtNicNetworkName, false, [this](const std::string& value) {
        auto nic = findDevice(m_vm->Hardware()->NetworkAdapters());
        if (!nic)
            return false;
        nic->SetNetworkName(value);
        return true;
    });
    for (auto* box : m_txtNetMac)
        bindText(box, false, [this](const std::string&) { return storeAddress(); });
    bindText(m_txtNetMacGenOffset, false, [this](const std::string& value) {
        auto nic = findDevice(m_vm->Hardware()->NetworkAdapters());
        // The rule's own reading of the number, so a text it called not numeric is never stored.
        const OffsetDecision decision = CheckGenAddressOffset(value);
        if (!nic || !decision.stored())
            return false;
        nic->SetGenAddressOffset(decision.offset);
        return true;
    });

    updateUILabels();
}

bool EthernetPage::validateField(QLineEdit* box, const QString& value)
{
    auto nic = findDevice(m_vm->Hardware()->NetworkAdapters());
    if (!nic)
        return DevicePage::validateField(box, value);
    if (box == m_txtNetMacGenOffset) {
        // The box keeps its text and the focus moves on; the write then finds no number.
        const OffsetDecision decision = CheckGenAddressOffset(value.toStdString());
        if (decision.message)
            showRuleMessage(*decision.message);
        return true;
    }
    for (int i = 0; i < kMacGroups; ++i) {
        if (box != m_txtNetMac[i])
            continue;
        const FieldDecision decision = CheckMacBox(i, value.toStdString(), nic->AddressType());
        if (decision.refused()) {
            // Cleared: the address is then incomplete and the write stores nothing.
            box->clear();
            if (decision.message)
                showRuleMessage(*decision.message);
        }
        return true;
    }
    return DevicePage::validateField(box, value);
}

void EthernetPage::fill()
{
    refillLists();
    const auto nic = findDevice(m_vm->Hardware()->NetworkAdapters());
    m_chkNicEnabled->setChecked(nic && nic->Enabled());
    m_chkNicConnectedBoot->setChecked(nic && nic->ConnectedAtBoot());
    showComboKept(m_cboNicType, keptTypeKey(), nic ? PositionOfCode(*m_cboNicType, nic->DeviceType()) : -1);
    showComboIndex(m_cboNicConnection, nic ? nic->VNet() : -1);
    const std::string networkName = nic ? nic->NetworkName() : std::string();
    const bool esxi = m_vm->Options()->GeneralOptions()->TargetPlatform() == static_cast<std::int16_t>(config::Platform::ESXi);
    m_txtNicNetworkName->setText(QString::fromStdString(networkName));
    m_lblNicNetworkName->setVisible(esxi || !networkName.empty());
    m_txtNicNetworkName->setVisible(esxi || !networkName.empty());
    m_chkNicWakeOnPacket->setChecked(nic && nic->WakeOnPacket().value_or(false));
    m_chkNicGuestControl->setChecked(nic && nic->GuestConnectionControl().value_or(false));
    showUptTick(nic.get());

    const int connection = nic ? nic->ConnectionType() : -1;
    ShowOption({m_connections[0], m_connections[1], m_connections[2], m_connections[3]},
               connection >= 0 && connection < 4 ? m_connections[connection] : nullptr);
    m_cboNicConnection->setEnabled(connection == kCustom);

    const std::int16_t addressType = nic ? nic->AddressType() : -1;
    ShowOption({m_optNetMacGenerated, m_optNetMacStatic, m_optNetMacVCenter},
               addressType == kGenerated ? m_optNetMacGenerated
               : addressType == kStatic  ? m_optNetMacStatic
               : addressType == kVCenter ? m_optNetMacVCenter
                                         : nullptr);
    // Only vCenter assigns such addresses: other machines are not offered the choice.
    m_optNetMacVCenter->setVisible(esxi || addressType == kVCenter);
    // The boxes are cleared first: an adapter without an address must not show the previous one's.
    showAddress(nic ? nic->MacAddress() : std::string());
    m_txtNetMacGenOffset->setText(nic ? QString::number(nic->GenAddressOffset()) : QString());
    enableAddressBoxes(addressType);
}

std::string EthernetPage::keptTypeKey() const
{
    // The writer numbers the adapters by their position in the collection: ethernet0, ethernet1, ...
    const auto nics = m_vm->Hardware()->NetworkAdapters();
    for (std::int32_t i = 1; i <= nics->Count(); ++i) {
        if (nics->Item(i)->ID() == deviceId())
            return "ethernet" + std::to_string(i - 1) + ".virtualdev";
    }
    return {};
}

void EthernetPage::showEvent(QShowEvent* event)
{
    DevicePage::showEvent(event);
    if (!deviceId().empty())
        load(deviceId());
}

void EthernetPage::refillLists()
{
    // Each entry carries its type's code: the version offers its own types, and the adapter's
    // type stays listed even where the version does not offer it.
    const auto nic = findDevice(m_vm->Hardware()->NetworkAdapters());
    const auto type = CodeAt(*m_cboNicType, m_cboNicType->currentIndex());
    LoadScope scope(*this);
    FillTypeCombo(*m_cboNicType, NicTypeChoices(CurrentPlatform(*m_vm), CurrentPlatformVersion(*m_vm),
                                                CurrentLimits(m_hooks, *m_vm), nic ? nic->DeviceType() : -1));
    showComboIndex(m_cboNicType, type ? PositionOfCode(*m_cboNicType, *type) : -1);
}

void EthernetPage::chooseConnection(std::int16_t connectionType)
{
    auto nic = findDevice(m_vm->Hardware()->NetworkAdapters());
    if (!nic)
        return;
    // Bridged, host-only and NAT always use their own fixed network; custom keeps the chosen one.
    static constexpr std::int16_t kFixedNetwork[] = {0, 1, 8};
    nic->SetConnectionType(connectionType);
    if (connectionType < kCustom)
        nic->SetVNet(kFixedNetwork[connectionType]);
    LoadScope scope(*this);
    showComboIndex(m_cboNicConnection, nic->VNet());
    m_cboNicConnection->setEnabled(connectionType == kCustom);
}

void EthernetPage::chooseAddressType(std::int16_t addressType)
{
    auto nic = findDevice(m_vm->Hardware()->NetworkAdapters());
    if (!nic)
        return;
    nic->SetAddressType(addressType);
    if (addressType == kVCenter) {
        // vCenter hands out the address when the machine is registered: one of its range stays,
        // any other goes, and the boxes only show it.
        if (!inVCenterRange(nic->MacAddress()))
            nic->SetMacAddress(std::string());
        LoadScope scope(*this);
        showAddress(nic->MacAddress());
        enableAddressBoxes(addressType);
        return;
    }
    const char* const* prefix = addressType == kStatic ? kStaticPrefix : kGeneratedPrefix;
    const QString wanted = QStringLiteral("%1:%2:%3:").arg(QLatin1String(prefix[0]), QLatin1String(prefix[1]),
                                                           QLatin1String(prefix[2]));
    // The address keeps the letter case it was typed in, so the range is recognised in any case.
    const std::string stored = nic->MacAddress();
    const bool inRange = QString::fromStdString(stored).startsWith(wanted, Qt::CaseInsensitive);
    if (!inRange)
        nic->SetMacAddress(std::string());
    LoadScope scope(*this);
    for (int i = 0; i < kMacGroups; ++i) {
        if (i < 3)
            m_txtNetMac[i]->setText(QLatin1String(prefix[i]));
        else
            m_txtNetMac[i]->setText(inRange ? addressGroup(stored, i) : QString());
    }
    enableAddressBoxes(addressType);
}

void EthernetPage::enableAddressBoxes(std::int16_t addressType)
{
    // A static address is typed by the user; a generated one is the product's, moved by the offset.
    for (auto* box : m_txtNetMac)
        box->setEnabled(addressType == kStatic);
    m_lblNetMac->setEnabled(addressType == kStatic);
    m_txtNetMacGenOffset->setEnabled(addressType == kGenerated);
    m_lblNetMacGenOffset->setEnabled(addressType == kGenerated);
}

void EthernetPage::showAddress(const std::string& address)
{
    for (int i = 0; i < kMacGroups; ++i)
        m_txtNetMac[i]->setText(address.empty() ? QString() : addressGroup(address, i));
}

void EthernetPage::showUptTick(const tarvonel::clsNIC* nic)
{
    // Uniform passthrough exists for VMXNET3 adapters only; another adapter whose file sets it
    // still shows the tick, so the line can be seen and switched off.
    const bool shown = nic && (nic->DeviceType() == kVmxnet3 || nic->UptCompatibility().has_value());
    LoadScope scope(*this);
    m_chkNicUptCompatibility->setChecked(nic && nic->UptCompatibility().value_or(false));
    m_chkNicUptCompatibility->setVisible(shown);
}

bool EthernetPage::storeAddress()
{
    auto nic = findDevice(m_vm->Hardware()->NetworkAdapters());
    if (!nic)
        return false;
    QStringList groups;
    for (auto* box : m_txtNetMac) {
        if (box->text().isEmpty())
            return false; // an address is stored only once all six groups are there
        groups << box->text();
    }
    nic->SetMacAddress(groups.join(QLatin1Char(':')).toStdString());
    return true;
}

void EthernetPage::updateUILabels()
{
    m_fraEthernet->setTitle(text(320));
    m_chkNicEnabled->setText(text(295));
    m_chkNicConnectedBoot->setText(text(296));
    m_lblNicType->setText(text(321));
    m_lblNicNetworkName->setText(text(2906));
    m_fraNetConnection->setTitle(text(322));
    for (int i = 0; i < 4; ++i)
        m_connections[i]->setText(text(323 + i));
    m_fraNetMac->setTitle(text(327));
    m_optNetMacGenerated->setText(text(328));
    m_optNetMacStatic->setText(text(329));
    m_optNetMacVCenter->setText(text(2952));
    m_chkNicUptCompatibility->setText(text(2953));
    m_chkNicWakeOnPacket->setText(text(2954));
    m_chkNicGuestControl->setText(text(2957));
    m_lblNetMac->setText(text(330));
    m_lblNetMacGenOffset->setText(text(331));
}

} // namespace zentravolix::editor
