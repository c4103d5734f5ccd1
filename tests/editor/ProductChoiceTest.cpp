// SPDX-License-Identifier: MIT
// The product, version and guest lists of the General page and what a choice sets.
#include "EditorFixture.h"

#include <QSignalSpy>

namespace zentravolix::testing {
namespace {

using ProductChoice = EditorTest;

TEST_F(ProductChoice, NewPlatformOffersItsVersionsWithNoneChosen)
{
    const auto editor = newEditor();
    const auto g = general(*editor);
    auto* versions = child<QComboBox>(*editor, "cboPlatformVersion");
    child<QComboBox>(*editor, "cboTargetPlatform")->setCurrentIndex(2); // Player
    EXPECT_EQ(g->TargetPlatform(), 2);
    ASSERT_EQ(versions->count(), 1);
    EXPECT_EQ(versions->itemText(0), QStringLiteral("1.x"));
    EXPECT_EQ(versions->currentIndex(), -1);
    EXPECT_EQ(g->PlatformVersion(), 4); // kept until a version is picked
    EXPECT_EQ(g->ConfigVersion(), 8);
    EXPECT_TRUE(editor->ChangesPending());

    versions->setCurrentIndex(0);
    EXPECT_EQ(g->PlatformVersion(), 0);
    EXPECT_EQ(g->ConfigVersion(), 8);
    EXPECT_EQ(g->HardwareVersion(), 4);
    EXPECT_EQ(editor->Limits().MaxCPUs, 1);
    EXPECT_EQ(editor->Limits().MaxSCSIControllers, 2);
}

TEST_F(ProductChoice, VersionChoiceSetsVersionsLimitsAndGuestFamilies)
{
    const auto editor = newEditor();
    const auto g = general(*editor);
    auto* versions = child<QComboBox>(*editor, "cboPlatformVersion");
    auto* families = child<QComboBox>(*editor, "cboGuestFamilies");
    QSignalSpy chosen(editor.get(), &editor::Velmire::productVersionChosen);
    versions->setCurrentIndex(2); // Workstation 4.5x
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(g->ConfigVersion(), 7);
    EXPECT_EQ(g->HardwareVersion(), 3);
    EXPECT_EQ(editor->Limits().MaxMemoryMB, 1024);
    EXPECT_EQ(families->count(), 5);

    versions->setCurrentIndex(1); // Workstation 4.0x: no Solaris
    ASSERT_EQ(families->count(), 4);
    EXPECT_EQ(families->itemText(3), QStringLiteral("Other"));

    child<QComboBox>(*editor, "cboTargetPlatform")->setCurrentIndex(0); // GSX Server
    versions->setCurrentIndex(1);                                       // 3.x
    ASSERT_EQ(families->count(), 5);
    EXPECT_EQ(families->itemText(3), QStringLiteral("Solaris"));
    EXPECT_EQ(g->ConfigVersion(), 7);
    EXPECT_EQ(editor->Limits().MaxMemoryMB, 3684);
}

TEST_F(ProductChoice, GuestFamilyThenVersionNamesTheGuest)
{
    const auto editor = newEditor();
    const auto g = general(*editor);
    auto* guestVersions = child<QComboBox>(*editor, "cboGuestVersions");
    child<QComboBox>(*editor, "cboGuestFamilies")->setCurrentIndex(1); // Linux
    EXPECT_EQ(g->GuestFamily(), 1);
    EXPECT_EQ(guestVersions->currentIndex(), -1);
    const auto linuxGuests = g->SupportedGuests()[1];
    ASSERT_GT(guestVersions->count(), 1);
    EXPECT_EQ(guestVersions->itemText(0), QString::fromStdString(linuxGuests[0].DisplayedName));

    guestVersions->setCurrentIndex(1);
    EXPECT_EQ(g->GuestVersion(), 1);
    EXPECT_EQ(g->GuestOSName(), linuxGuests[1].ConfigName);
    EXPECT_TRUE(editor->ChangesPending());
}

} // namespace
} // namespace zentravolix::testing
