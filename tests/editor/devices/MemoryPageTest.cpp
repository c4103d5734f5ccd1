// SPDX-License-Identifier: MIT
// The memory page: slider, up-down buttons and the size box work together.

#include "DevicePageFixture.h"

#include "editor/widget/pages/devices/CpuPage.h"
#include "editor/widget/pages/devices/MemoryPage.h"
#include "editor/widget/pages/devices/UpDownButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QSlider>
#include <QApplication>
#include <QTest>

namespace zentravolix::testing {
namespace {

using editor::MemoryPage;
using editor::UpDownButtons;

class MemoryPageTest : public DevicePageTest {
protected:
    void SetUp() override
    {
        DevicePageTest::SetUp();
        memory = hw()->Memory()->Item(1);
        memory->SetMBs(512);
    }
    std::shared_ptr<tarvonel::clsMemory> memory;
};

TEST_F(MemoryPageTest, FillTakesTheProductMaximumAndTheStoredSize)
{
    auto page = makePage<MemoryPage>(memory->ID());
    auto* slider = child<QSlider>(*page, "sldMemSize");
    auto* updown = child<UpDownButtons>(*page, "udMemSize");
    EXPECT_EQ(slider->maximum(), 3684) << "Workstation 5.5x";
    EXPECT_EQ(updown->maximum(), 3684);
    EXPECT_EQ(slider->value(), 512);
    EXPECT_EQ(updown->value(), 512);
    EXPECT_EQ(child<QLineEdit>(*page, "txtMemSize")->text(), QStringLiteral("512"));
    EXPECT_TRUE(edits.empty());

    editor::DevicePageHooks hooks;
    hooks.limits = [] {
        editor::EditorLimits limits;
        limits.MaxMemoryMB = 1024;
        return limits;
    };
    auto limited = makePage<MemoryPage>(memory->ID(), hooks);
    EXPECT_EQ(child<QSlider>(*limited, "sldMemSize")->maximum(), 1024) << "the editor's limits win";
}

TEST_F(MemoryPageTest, SliderAndButtonsPutTheirValueIntoTheBoxWhichStoresIt)
{
    auto page = makePage<MemoryPage>(memory->ID());
    auto* slider = child<QSlider>(*page, "sldMemSize");
    auto* updown = child<UpDownButtons>(*page, "udMemSize");
    auto* box = child<QLineEdit>(*page, "txtMemSize");

    slider->setValue(1024);
    EXPECT_EQ(box->text(), QStringLiteral("1024"));
    EXPECT_EQ(updown->value(), 1024);
    EXPECT_EQ(memory->MBs(), 1024);
    EXPECT_EQ(memory->Summary(), "1024 MB");
    ASSERT_FALSE(edits.empty());
    EXPECT_TRUE(edits.back()) << "the row shows the size";

    updown->stepUp();
    EXPECT_EQ(box->text(), QStringLiteral("1028"));
    EXPECT_EQ(slider->value(), 1028);
    EXPECT_EQ(memory->MBs(), 1028);
}

TEST_F(MemoryPageTest, TypedSizeIsStoredAndMovesTheSlider)
{
    auto page = makePage<MemoryPage>(memory->ID());
    auto* box = child<QLineEdit>(*page, "txtMemSize");
    leave(box, QStringLiteral("256"));
    EXPECT_EQ(memory->MBs(), 256);
    EXPECT_EQ(child<QSlider>(*page, "sldMemSize")->value(), 256);

    edits.clear();
    leave(box, QString());
    leave(box, QStringLiteral("lots"));
    EXPECT_EQ(memory->MBs(), 256) << "an empty or non-numeric box stores nothing";
    EXPECT_TRUE(edits.empty());
}

TEST_F(MemoryPageTest, KeysTypedStoreNothingUntilEnter)
{
    auto page = makePage<MemoryPage>(memory->ID());
    auto* box = child<QLineEdit>(*page, "txtMemSize");
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("1030"));
    EXPECT_EQ(box->text(), QStringLiteral("1030"));
    EXPECT_EQ(memory->MBs(), 512) << "nothing is stored while typing";
    EXPECT_TRUE(dialogs.calls.empty()) << "no message for the 1, 10, 103 on the way";
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(memory->MBs(), 1028);
    EXPECT_EQ(box->text(), QStringLiteral("1028")) << "the box shows what is stored";
    EXPECT_EQ(child<QSlider>(*page, "sldMemSize")->value(), 1028);
    EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(MemoryPageTest, ARefusedSizeKeepsTheFocusEachTimeTheBoxIsLeft)
{
    QWidget window;
    auto page = makePage<MemoryPage>(memory->ID());
    page->setParent(&window);
    auto* elsewhere = new QLineEdit(&window);
    elsewhere->move(0, 300);
    window.show();
    QApplication::setActiveWindow(&window);
    auto* box = child<QLineEdit>(*page, "txtMemSize");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("4000"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(box->hasFocus());
    // Leaving the unchanged box again is refused again; the model keeps its size.
    elsewhere->setFocus();
    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(memory->MBs(), 512);
    // Corrected, it is stored and the focus may go.
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("2048"));
    elsewhere->setFocus();
    EXPECT_EQ(memory->MBs(), 2048);
    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_TRUE(elsewhere->hasFocus());
    page->setParent(nullptr);
}

TEST_F(MemoryPageTest, ShowingThePageAgainFollowsAChangedProduct)
{
    auto page = makePage<MemoryPage>(memory->ID());
    page->show();
    page->hide();
    setProduct(1, 2); // Workstation 4.5x: at most 1024 MB
    page->show();
    EXPECT_EQ(child<QSlider>(*page, "sldMemSize")->maximum(), 1024);
    EXPECT_TRUE(edits.empty());
}

TEST(UpDownButtonsTest, StepsStayInsideTheRangeAndOnlyUserStepsSignal)
{
    UpDownButtons updown;
    updown.setRange(4, 10);
    updown.setSingleStep(4);
    int sent = 0;
    QObject::connect(&updown, &UpDownButtons::valueChanged, [&sent](int) { ++sent; });
    updown.setValue(100);
    EXPECT_EQ(updown.value(), 10);
    EXPECT_EQ(sent, 0);
    updown.stepUp();
    EXPECT_EQ(sent, 0) << "already at the maximum";
    updown.stepDown();
    updown.stepDown();
    EXPECT_EQ(updown.value(), 4);
    EXPECT_EQ(sent, 2);
    updown.setRange(8, 2);
    EXPECT_EQ(updown.maximum(), 8);
    EXPECT_EQ(updown.value(), 8);
}

} // namespace
} // namespace zentravolix::testing

namespace zentravolix::testing {
namespace {

/** The processor and memory pages' hot add ticks and resource groups. */
class HotAddAndResourcesTest : public DevicePageTest {
protected:
    void useEsxi(std::int16_t version, std::int16_t hardware)
    {
        setProduct(4, version);
        vm->Options()->GeneralOptions()->SetHardwareVersion(hardware);
    }
};

TEST_F(HotAddAndResourcesTest, HotAddIsOfferedFromEsxiHardware11OrWhenTheFileHasIt)
{
    const auto cpu = hw()->CPUs()->Item(1);
    auto cpuPage = makePage<editor::CpuPage>(cpu->ID());
    auto memPage = makePage<MemoryPage>(hw()->Memory()->Item(1)->ID());
    auto* cpuTick = child<QCheckBox>(*cpuPage, "chkCpuHotAdd");
    auto* memTick = child<QCheckBox>(*memPage, "chkMemHotAdd");
    // A desktop machine, and an ESXi machine before hardware 11, have no hot add.
    EXPECT_TRUE(cpuTick->isHidden());
    EXPECT_TRUE(memTick->isHidden());
    useEsxi(4, 10);
    cpuPage->load(cpu->ID());
    EXPECT_TRUE(cpuTick->isHidden());

    useEsxi(5, 11);
    cpuPage->load(cpu->ID());
    memPage->load(hw()->Memory()->Item(1)->ID());
    EXPECT_FALSE(cpuTick->isHidden());
    EXPECT_FALSE(memTick->isHidden());
    EXPECT_FALSE(cpuTick->isChecked());
    EXPECT_FALSE(hw()->CPUs()->HotAdd().has_value()) << "showing writes nothing";
    cpuTick->click();
    memTick->click();
    EXPECT_EQ(hw()->CPUs()->HotAdd(), true);
    EXPECT_EQ(hw()->Memory()->HotAdd(), true);
    EXPECT_EQ(edits.size(), 2u);

    // Back on a desktop product the flag the machine has stays visible, as Save writes it.
    setProduct(1, 4);
    hw()->Memory()->SetHotAdd(false);
    memPage->load(hw()->Memory()->Item(1)->ID());
    EXPECT_FALSE(memTick->isHidden());
    EXPECT_FALSE(memTick->isChecked());
}

TEST_F(HotAddAndResourcesTest, ResourceFieldsStoreNumbersRemoveEmptiedOnesAndRefuseOthers)
{
    const auto cpu = hw()->CPUs()->Item(1);
    auto page = makePage<editor::CpuPage>(cpu->ID());
    auto* group = child<QGroupBox>(*page, "fraCPUResources");
    EXPECT_TRUE(group->isHidden()) << "a desktop machine without resource lines";
    useEsxi(12, 20);
    page->load(cpu->ID());
    EXPECT_FALSE(group->isHidden());

    auto* reservation = child<QLineEdit>(*page, "txtReservationCPU");
    leave(reservation, QStringLiteral("500"));
    EXPECT_EQ(hw()->CPUs()->Resources().Reservation, 500);
    leave(reservation, QStringLiteral("fast"));
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_TRUE(dialogs.calls[0].text.contains(QStringLiteral("Reservation (MHz)"))) << dialogs.calls[0].text.toStdString();
    EXPECT_EQ(hw()->CPUs()->Resources().Reservation, 500) << "a refused value stores nothing";
    leave(reservation, QString());
    EXPECT_FALSE(hw()->CPUs()->Resources().Reservation.has_value());

    child<QCheckBox>(*page, "chkUnlimitedCPU")->click();
    EXPECT_TRUE(hw()->CPUs()->Resources().LimitUnlimited);
    EXPECT_FALSE(child<QLineEdit>(*page, "txtLimitCPU")->isEnabled());

    auto* shares = child<QComboBox>(*page, "cboSharesCPU");
    auto* custom = child<QLineEdit>(*page, "txtSharesCPU");
    choose(shares, 3);
    EXPECT_EQ(hw()->CPUs()->Resources().Level, tarvonel::ResourceAllocation::SharesLevel::High);
    choose(shares, 4);
    EXPECT_FALSE(custom->isHidden());
    leave(custom, QStringLiteral("4223"));
    EXPECT_EQ(hw()->CPUs()->Resources().CustomShares, 4223);
    EXPECT_FALSE(hw()->CPUs()->Resources().Level.has_value());
    choose(shares, 0);
    EXPECT_FALSE(hw()->CPUs()->Resources().CustomShares.has_value());
    EXPECT_TRUE(custom->isHidden());

    // What a file holds is shown on a desktop product too.
    setProduct(1, 4);
    tarvonel::ResourceAllocation memory;
    memory.MinimumSize = 0;
    memory.Level = tarvonel::ResourceAllocation::SharesLevel::Normal;
    hw()->Memory()->SetResources(memory);
    auto memPage = makePage<MemoryPage>(hw()->Memory()->Item(1)->ID());
    EXPECT_FALSE(child<QGroupBox>(*memPage, "fraMemResources")->isHidden());
    EXPECT_EQ(child<QLineEdit>(*memPage, "txtMinimumSizeMem")->text(), QStringLiteral("0"));
    EXPECT_TRUE(child<QLineEdit>(*memPage, "txtReservationMem")->text().isEmpty());
    EXPECT_EQ(child<QComboBox>(*memPage, "cboSharesMem")->currentIndex(), 2);
}

} // namespace
} // namespace zentravolix::testing
