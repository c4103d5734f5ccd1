// SPDX-License-Identifier: MIT
// The add-hardware dialog: which kinds it offers under the counts and maxima, and its answer.

#include "editor/dialogs/frmAddHardware.h"
#include "platform/TextTable.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>

namespace zentravolix::testing {
namespace {

using editor::frmAddHardware;
using tarvonel::VirtualHardwareType;

class AddHardwareDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetLanguageOffset(0);
        // The standard new machine on Workstation 5.5x.
        dialog.Counts[VirtualHardwareType::CPU] = 1;
        dialog.Counts[VirtualHardwareType::RAM] = 1;
        dialog.Counts[VirtualHardwareType::Floppy] = 1;
        dialog.Counts[VirtualHardwareType::IDEController] = 2;
        dialog.Counts[VirtualHardwareType::SCSIController] = 1;
        dialog.Counts[VirtualHardwareType::Display] = 1;
        dialog.Counts[VirtualHardwareType::Mouse] = 1;
        dialog.lMaxCPUCount = 2;
        dialog.lMaxNICCount = 3;
        dialog.lMaxSCSICount = 4;
    }

    QTreeWidget* list() { return dialog.findChild<QTreeWidget*>(QStringLiteral("lvwAvailableHardware")); }
    QPushButton* ok() { return dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")); }

    /** The kinds listed, by their codes. */
    std::vector<int> offered()
    {
        dialog.Load();
        std::vector<int> codes;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            codes.push_back(list()->topLevelItem(i)->text(1).toInt());
        return codes;
    }

    bool offers(int code)
    {
        const auto codes = offered();
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    }

    frmAddHardware dialog;
};

TEST_F(AddHardwareDialogTest, ListsEveryKindBelowItsLimitInCodeOrder)
{
    EXPECT_EQ(offered(), (std::vector<int>{0, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12}));
    EXPECT_EQ(list()->topLevelItem(0)->text(0), QStringLiteral("CPU"));
    EXPECT_EQ(list()->topLevelItem(4)->text(0), QStringLiteral("Sound Adapter"));
    EXPECT_FALSE(list()->topLevelItem(0)->icon(0).isNull());
    // The first entry is evaluated at once.
    EXPECT_EQ(dialog.DeviceType, 0);
    EXPECT_TRUE(ok()->isEnabled());
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblInfo"))->text(), QStringLiteral("Add a CPU."));
    EXPECT_TRUE(dialog.Cancelled);
}

TEST_F(AddHardwareDialogTest, ProcessorLimit)
{
    dialog.lMaxCPUCount = 1;
    EXPECT_FALSE(offers(0));
    dialog.lMaxCPUCount = 2;
    EXPECT_TRUE(offers(0));
    dialog.Counts[VirtualHardwareType::CPU] = 0;
    EXPECT_TRUE(offers(0));
}

TEST_F(AddHardwareDialogTest, DiskLimitsFollowTheScsiControllerMaximum)
{
    dialog.Counts[VirtualHardwareType::HardDrive] = 31;
    EXPECT_TRUE(offers(10));
    dialog.Counts[VirtualHardwareType::HardDrive] = 32; // 7 x 4 + 4
    EXPECT_FALSE(offers(10));

    dialog.lMaxSCSICount = 0;
    dialog.Counts[VirtualHardwareType::SCSIController] = 0;
    dialog.Counts[VirtualHardwareType::HardDrive] = 3;
    dialog.Counts[VirtualHardwareType::CDRomDrive] = 4;
    const auto codes = offered();
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 9), 0);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 12), 0);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 10), 1);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), 11), 0);
}

TEST_F(AddHardwareDialogTest, HugeMaximaDoNotOverflow)
{
    dialog.lMaxSCSICount = 0x7fffffff;
    dialog.Counts[VirtualHardwareType::HardDrive] = 0x7fffffff;
    EXPECT_TRUE(offers(10));
    EXPECT_TRUE(offers(12));
}

TEST_F(AddHardwareDialogTest, KindAtItsLimitDisablesOk)
{
    dialog.Load();
    auto* sound = list()->topLevelItem(4);
    dialog.Counts[VirtualHardwareType::Audio] = 1; // the counts changed while the dialog is open
    emit list()->itemClicked(sound, 0);
    EXPECT_EQ(dialog.DeviceType, 5);
    EXPECT_FALSE(ok()->isEnabled());
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblInfo"))->text(),
              QStringLiteral("The maximum number of Sound Adapters has already been added to this virtual machine."));

    // The translated sentences are worded around the bare name: no English plural "s".
    platform::SetLanguageOffset(500);
    dialog.UpdateUILabels();
    emit list()->itemClicked(list()->topLevelItem(4), 0);
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("lblInfo"))->text(),
              QStringLiteral("Die H\u00f6chstzahl an Ger\u00e4ten vom Typ Soundkarte wurde dieser virtuellen Maschine "
                             "bereits hinzugef\u00fcgt."));
    platform::SetLanguageOffset(0);
}

TEST_F(AddHardwareDialogTest, NothingLeftToAddLeavesOkDisabled)
{
    dialog.lMaxCPUCount = 1;
    dialog.lMaxNICCount = 0;
    dialog.lMaxSCSICount = 0;
    dialog.Counts[VirtualHardwareType::SCSIController] = 0;
    dialog.Counts[VirtualHardwareType::Floppy] = 2;
    dialog.Counts[VirtualHardwareType::Parallel] = 3;
    dialog.Counts[VirtualHardwareType::Serial] = 4;
    dialog.Counts[VirtualHardwareType::Audio] = 1;
    dialog.Counts[VirtualHardwareType::USB] = 1;
    dialog.Counts[VirtualHardwareType::HardDrive] = 4;
    dialog.Counts[VirtualHardwareType::CDRomDrive] = 4;
    EXPECT_TRUE(offered().empty());
    EXPECT_FALSE(ok()->isEnabled());
}

TEST_F(AddHardwareDialogTest, OkCancelAndClosingAnswer)
{
    QTimer::singleShot(0, &dialog, [this] {
        emit list()->itemClicked(list()->topLevelItem(1), 0);
        ok()->click();
    });
    dialog.exec();
    EXPECT_FALSE(dialog.Cancelled);
    EXPECT_EQ(dialog.DeviceType, 2);

    QTimer::singleShot(0, &dialog, [this] { dialog.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click(); });
    dialog.exec();
    EXPECT_TRUE(dialog.Cancelled) << "a second use starts cancelled again";

    QTimer::singleShot(0, &dialog, [this] { dialog.close(); });
    dialog.exec();
    EXPECT_TRUE(dialog.Cancelled);
}

TEST_F(AddHardwareDialogTest, DoubleClickOnEmptyAreaDoesNothing)
{
    dialog.resize(300, 500);
    dialog.show();
    dialog.Load();
    QWidget* viewport = list()->viewport();
    const QPoint empty(10, viewport->height() - 5);
    ASSERT_EQ(list()->itemAt(empty), nullptr);
    QMouseEvent press(QEvent::MouseButtonDblClick, QPointF(empty), viewport->mapToGlobal(QPointF(empty)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    EXPECT_TRUE(dialog.Cancelled);
    EXPECT_TRUE(dialog.isVisible());

    const QPoint onSecond = list()->visualItemRect(list()->topLevelItem(1)).center();
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(onSecond), viewport->mapToGlobal(QPointF(onSecond)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &dbl);
    EXPECT_FALSE(dialog.Cancelled);
    EXPECT_EQ(dialog.DeviceType, 2);
}

} // namespace
} // namespace zentravolix::testing
