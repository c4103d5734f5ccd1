// SPDX-License-Identifier: MIT
// The network adapter page: adapter type, connection and the MAC address buttons and boxes.

#include "DevicePageFixture.h"

#include "editor/widget/pages/devices/DevicePageSupport.h"
#include "editor/widget/pages/devices/EthernetPage.h"

#include <QLabel>

namespace zentravolix::testing {
namespace {

using editor::EthernetPage;
using editor::PositionOfCode;

class EthernetPageTest : public DevicePageTest {
protected:
    void SetUp() override
    {
        DevicePageTest::SetUp();
        nic = hw()->NetworkAdapters()->Add();
    }

    QStringList macBoxes(const QWidget& page) const
    {
        QStringList groups;
        for (int i = 0; i < EthernetPage::kMacGroups; ++i)
            groups << child<QLineEdit>(page, ("txtNetMac" + std::to_string(i)).c_str())->text();
        return groups;
    }

    std::shared_ptr<tarvonel::clsNIC> nic;
};

TEST_F(EthernetPageTest, FillShowsEveryValueByPosition)
{
    nic->SetDeviceType(2);
    nic->SetConnectionType(3);
    nic->SetVNet(5);
    nic->SetAddressType(1);
    nic->SetMacAddress("00:50:56:01:02:0a");
    nic->SetGenAddressOffset(-7);
    auto page = makePage<EthernetPage>(nic->ID());

    EXPECT_EQ(child<QComboBox>(*page, "cboNicType")->currentIndex(), 2);
    EXPECT_EQ(child<QComboBox>(*page, "cboNicConnection")->currentIndex(), 5);
    EXPECT_TRUE(child<QComboBox>(*page, "cboNicConnection")->isEnabled());
    EXPECT_TRUE(child<QRadioButton>(*page, "optNetConnCustom")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(*page, "optNetMacStatic")->isChecked());
    EXPECT_EQ(macBoxes(*page), (QStringList{QStringLiteral("00"), QStringLiteral("50"), QStringLiteral("56"),
                                            QStringLiteral("01"), QStringLiteral("02"), QStringLiteral("0a")}));
    EXPECT_EQ(child<QLineEdit>(*page, "txtNetMacGenOffset")->text(), QStringLiteral("-7"));
    EXPECT_TRUE(edits.empty());

    // Another adapter without an address must not show this one's.
    auto other = hw()->NetworkAdapters()->Add();
    page->load(other->ID());
    EXPECT_EQ(macBoxes(*page), QStringList(EthernetPage::kMacGroups, QString()));
    EXPECT_FALSE(child<QComboBox>(*page, "cboNicConnection")->isEnabled());
}

TEST_F(EthernetPageTest, AdapterTypesFollowTheProduct)
{
    nic->SetDeviceType(2);
    setProduct(1, 3); // Workstation 5.0x: no E1000
    auto page = makePage<EthernetPage>(nic->ID());
    auto* type = child<QComboBox>(*page, "cboNicType");
    EXPECT_EQ(entries(type), (QStringList{QStringLiteral("AMD Lance"), QStringLiteral("VMXNet")}));
    EXPECT_EQ(type->currentIndex(), -1);

    setProduct(3, 0); // Server 1.x
    page->load(nic->ID());
    EXPECT_EQ(type->count(), 3);
    EXPECT_EQ(type->currentIndex(), 2);
    choose(type, 1);
    EXPECT_EQ(nic->DeviceType(), 1);
}

TEST_F(EthernetPageTest, NetworkNameIsOfferedForEsxiOrWhenTheAdapterHasOne)
{
    auto page = makePage<EthernetPage>(nic->ID());
    auto* name = child<QLineEdit>(*page, "txtNicNetworkName");
    // A Workstation machine without a port group has no use for the box.
    EXPECT_TRUE(name->isHidden());
    EXPECT_TRUE(child<QLabel>(*page, "lblNicNetworkName")->isHidden());

    setProduct(4, 0);
    page->load(nic->ID());
    EXPECT_FALSE(name->isHidden());
    EXPECT_TRUE(name->text().isEmpty());
    leave(name, QStringLiteral("VM Network"));
    EXPECT_EQ(nic->NetworkName(), "VM Network");
    EXPECT_EQ(edits.size(), 1u);

    // Another product still shows a name the adapter already has, and only that adapter's.
    setProduct(1, 3);
    page->load(nic->ID());
    EXPECT_FALSE(name->isHidden());
    EXPECT_EQ(name->text(), QStringLiteral("VM Network"));
    auto other = hw()->NetworkAdapters()->Add();
    page->load(other->ID());
    EXPECT_TRUE(name->isHidden());
    EXPECT_TRUE(name->text().isEmpty());
}

TEST_F(EthernetPageTest, VCenterAddressIsAChoiceOfEsxiMachinesAndOfAdaptersThatHaveOne)
{
    auto page = makePage<EthernetPage>(nic->ID());
    auto* vcenter = child<QRadioButton>(*page, "optNetMacVCenter");
    EXPECT_TRUE(vcenter->isHidden());

    // An adapter read with vCenter's address shows it chosen, the address in the locked boxes.
    nic->SetAddressType(2);
    nic->SetMacAddress("00:50:56:be:00:15");
    page->load(nic->ID());
    EXPECT_FALSE(vcenter->isHidden());
    EXPECT_TRUE(vcenter->isChecked());
    EXPECT_EQ(macBoxes(*page), (QStringList{QStringLiteral("00"), QStringLiteral("50"), QStringLiteral("56"),
                                            QStringLiteral("be"), QStringLiteral("00"), QStringLiteral("15")}));
    EXPECT_FALSE(child<QLineEdit>(*page, "txtNetMac3")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(*page, "txtNetMacGenOffset")->isEnabled());

    // Back to generated drops vCenter's address; choosing vCenter again has none until vCenter assigns one.
    child<QRadioButton>(*page, "optNetMacGenerated")->click();
    EXPECT_EQ(nic->AddressType(), 0);
    EXPECT_TRUE(nic->MacAddress().empty());
    setProduct(4, 0);
    page->load(nic->ID());
    EXPECT_FALSE(vcenter->isHidden());
    nic->SetMacAddress("00:0c:29:00:00:01");
    vcenter->click();
    EXPECT_EQ(nic->AddressType(), 2);
    EXPECT_TRUE(nic->MacAddress().empty());
    EXPECT_EQ(macBoxes(*page), QStringList(EthernetPage::kMacGroups, QString()));
}

TEST_F(EthernetPageTest, PassthroughTickFollowsTheAdapterTypeAndTicksWriteTheirMembers)
{
    setProduct(4, 0);
    nic->SetDeviceType(2);
    auto page = makePage<EthernetPage>(nic->ID());
    auto* upt = child<QCheckBox>(*page, "chkNicUptCompatibility");
    auto* wake = child<QCheckBox>(*page, "chkNicWakeOnPacket");
    EXPECT_TRUE(upt->isHidden());
    EXPECT_FALSE(wake->isHidden());
    EXPECT_FALSE(wake->isChecked());

    nic->SetDeviceType(4);
    page->load(nic->ID());
    EXPECT_FALSE(upt->isHidden());
    EXPECT_FALSE(nic->UptCompatibility().has_value()) << "showing the tick writes nothing";
    // Choosing another type in the list takes the tick away at once.
    auto* type = child<QComboBox>(*page, "cboNicType");
    choose(type, PositionOfCode(*type, 2));
    EXPECT_EQ(nic->DeviceType(), 2);
    EXPECT_TRUE(upt->isHidden());
    nic->SetDeviceType(4);
    page->load(nic->ID());
    upt->click();
    EXPECT_EQ(nic->UptCompatibility(), true);
    wake->click();
    EXPECT_EQ(nic->WakeOnPacket(), true);
    wake->click();
    EXPECT_EQ(nic->WakeOnPacket(), false);
    auto* guestControl = child<QCheckBox>(*page, "chkNicGuestControl");
    EXPECT_FALSE(nic->GuestConnectionControl().has_value());
    guestControl->click();
    EXPECT_EQ(nic->GuestConnectionControl(), true);

    // Another adapter type keeps the tick while its file sets it, so it can be switched off.
    choose(type, PositionOfCode(*type, 2));
    EXPECT_FALSE(upt->isHidden());
    EXPECT_TRUE(upt->isChecked());
    auto other = hw()->NetworkAdapters()->Add();
    page->load(other->ID());
    EXPECT_TRUE(upt->isHidden());
    EXPECT_FALSE(wake->isChecked());
}

TEST_F(EthernetPageTest, ConnectionButtonsSetTheirNetworkAndRewriteTheRow)
{
    auto page = makePage<EthernetPage>(nic->ID());
    auto* network = child<QComboBox>(*page, "cboNicConnection");

    child<QRadioButton>(*page, "optNetConnNat")->click();
    EXPECT_EQ(nic->ConnectionType(), 2);
    EXPECT_EQ(nic->VNet(), 8);
    EXPECT_EQ(nic->Summary(), "NAT");
    EXPECT_FALSE(network->isEnabled());
    EXPECT_EQ(network->currentIndex(), 8) << "the list shows the network the button chose";

    child<QRadioButton>(*page, "optNetConnCustom")->click();
    EXPECT_EQ(nic->ConnectionType(), 3);
    EXPECT_EQ(nic->VNet(), 8) << "custom keeps the stored network";
    EXPECT_TRUE(network->isEnabled());
    choose(network, 5);
    EXPECT_EQ(nic->Summary(), "Custom5");

    child<QRadioButton>(*page, "optNetConnHostOnly")->click();
    EXPECT_EQ(nic->VNet(), 1);
    child<QRadioButton>(*page, "optNetConnBridged")->click();
    EXPECT_EQ(nic->VNet(), 0);
    EXPECT_EQ(nic->Summary(), "Bridged");
    EXPECT_EQ(edits, std::vector<bool>(5, true));
}

TEST_F(EthernetPageTest, AddressButtonsKeepAnAddressOfTheirRangeAndClearAnyOther)
{
    nic->SetAddressType(1);
    nic->SetMacAddress("00:50:56:12:34:56");
    auto page = makePage<EthernetPage>(nic->ID());

    child<QRadioButton>(*page, "optNetMacGenerated")->click();
    EXPECT_EQ(nic->AddressType(), 0);
    EXPECT_EQ(nic->MacAddress(), "") << "a static address is not a generated one";
    EXPECT_EQ(macBoxes(*page), (QStringList{QStringLiteral("00"), QStringLiteral("0C"), QStringLiteral("29"),
                                            QString(), QString(), QString()}));
    EXPECT_FALSE(child<QLineEdit>(*page, "txtNetMac3")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(*page, "txtNetMacGenOffset")->isEnabled());

    // Typed in lower case, the address is still in the generated range.
    nic->SetMacAddress("00:0c:29:ab:cd:ef");
    child<QRadioButton>(*page, "optNetMacGenerated")->click();
    EXPECT_EQ(nic->MacAddress(), "00:0c:29:ab:cd:ef");
    EXPECT_EQ(macBoxes(*page), (QStringList{QStringLiteral("00"), QStringLiteral("0C"), QStringLiteral("29"),
                                            QStringLiteral("ab"), QStringLiteral("cd"), QStringLiteral("ef")}));

    child<QRadioButton>(*page, "optNetMacStatic")->click();
    EXPECT_EQ(nic->AddressType(), 1);
    EXPECT_EQ(nic->MacAddress(), "");
    EXPECT_EQ(child<QLineEdit>(*page, "txtNetMac1")->text(), QStringLiteral("50"));
    EXPECT_TRUE(child<QLineEdit>(*page, "txtNetMac3")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(*page, "txtNetMacGenOffset")->isEnabled());
}

TEST_F(EthernetPageTest, AddressIsStoredOnceAllSixBoxesHoldSomething)
{
    auto page = makePage<EthernetPage>(nic->ID());
    child<QRadioButton>(*page, "optNetMacStatic")->click();
    leave(child<QLineEdit>(*page, "txtNetMac3"), QStringLiteral("1a"));
    leave(child<QLineEdit>(*page, "txtNetMac4"), QStringLiteral("2B"));
    EXPECT_EQ(nic->MacAddress(), "") << "box 5 is still empty";
    leave(child<QLineEdit>(*page, "txtNetMac5"), QStringLiteral("3c"));
    EXPECT_EQ(nic->MacAddress(), "00:50:56:1a:2B:3c") << "kept as typed";
}

TEST_F(EthernetPageTest, OffsetTakesNumbersOnly)
{
    auto page = makePage<EthernetPage>(nic->ID());
    auto* offset = child<QLineEdit>(*page, "txtNetMacGenOffset");
    leave(offset, QStringLiteral("42"));
    EXPECT_EQ(nic->GenAddressOffset(), 42);
    leave(offset, QStringLiteral("x1"));
    leave(offset, QStringLiteral("99999999999"));
    EXPECT_EQ(nic->GenAddressOffset(), 42) << "not a number, or too large for the model";
    // A text the rule calls not numeric is never stored, however a looser reading would take it.
    leave(offset, QStringLiteral("1,000"));
    EXPECT_EQ(nic->GenAddressOffset(), 42);
}

} // namespace
} // namespace zentravolix::testing
