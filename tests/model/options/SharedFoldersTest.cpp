// SPDX-License-Identifier: MIT
// The shared folders: numbering, lookup, the collection's switch and each folder's status.
#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

#include <limits>
#include <set>

namespace {

class SharedFolders : public ::testing::Test {
protected:
    tarvonel::VirtualMachine vm;
    std::shared_ptr<tarvonel::clsSharedFolders> folders = vm.Options()->SharedFoldersOptions();
};

TEST_F(SharedFolders, NewCollectionAndFolderAreEmpty)
{
    EXPECT_EQ(folders->Count(), 0);
    EXPECT_EQ(folders->Summary(), "");
    EXPECT_FALSE(folders->Enabled());

    auto folder = folders->Add();
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->FolderNum(), 0);
    EXPECT_EQ(folder->ShareName(), "");
    EXPECT_EQ(folder->HostFolder(), "");
    EXPECT_EQ(folder->Status(), "");
    EXPECT_FALSE(folder->Enabled());
    EXPECT_FALSE(folder->ReadOnly());
    EXPECT_FALSE(folder->DisableAfterThisSession());
    EXPECT_EQ(folder->ID().size(), 32u);
    EXPECT_EQ(folder->ID().find_first_not_of("0123456789ABCDEF"), std::string::npos);
}

TEST_F(SharedFolders, CollectionSummaryFollowsEnabled)
{
    folders->SetEnabled(false);
    EXPECT_EQ(folders->Summary(), "Disabled");
    folders->SetEnabled(true);
    EXPECT_TRUE(folders->Enabled());
    EXPECT_EQ(folders->Summary(), "Enabled");
    folders->Add()->SetEnabled(false); // a folder's switch is not the collection's
    EXPECT_EQ(folders->Summary(), "Enabled");
}

TEST_F(SharedFolders, StatusFollowsEnabledOnly)
{
    auto folder = folders->Add();
    folder->SetShareName("src");
    folder->SetHostFolder("/home/me/src");
    folder->SetReadOnly(true);
    folder->SetDisableAfterThisSession(true);
    EXPECT_EQ(folder->Status(), "");
    folder->SetEnabled(false);
    EXPECT_EQ(folder->Status(), "Disabled");
    folder->SetEnabled(true);
    EXPECT_EQ(folder->Status(), "Enabled");
    EXPECT_EQ(folder->ShareName(), "src");
    EXPECT_EQ(folder->HostFolder(), "/home/me/src");
    EXPECT_TRUE(folder->ReadOnly());
    EXPECT_TRUE(folder->DisableAfterThisSession());
}

TEST_F(SharedFolders, NumbersOfRemovedFoldersAreReused)
{
    auto first = folders->Add();
    auto second = folders->Add();
    auto third = folders->Add();
    EXPECT_EQ(first->FolderNum(), 0);
    EXPECT_EQ(second->FolderNum(), 1);
    EXPECT_EQ(third->FolderNum(), 2);

    folders->Remove(-1, first->ID());
    EXPECT_EQ(folders->Count(), 2);
    EXPECT_EQ(folders->Item(1), second); // later folders move up, keeping their numbers
    EXPECT_EQ(folders->Item(1)->FolderNum(), 1);

    auto again = folders->Add();
    EXPECT_EQ(again->FolderNum(), 0);
    EXPECT_EQ(folders->Item(3), again); // appended at the end whatever its number
    EXPECT_EQ(folders->Add()->FolderNum(), 3);

    // The removed folder is still usable by whoever holds it, and its ID is not reused.
    first->SetShareName("kept");
    EXPECT_EQ(first->ShareName(), "kept");
    std::set<std::string> ids;
    for (std::int32_t i = 1; i <= folders->Count(); ++i)
        ids.insert(folders->Item(i)->ID());
    EXPECT_EQ(ids.size(), 4u);
    EXPECT_EQ(ids.count(first->ID()), 0u);
}

TEST_F(SharedFolders, LookupByPositionAndByID)
{
    auto a = folders->Add();
    auto b = folders->Add();
    EXPECT_EQ(folders->Item(-1, b->ID()), b);
    EXPECT_EQ(folders->Item(2, a->ID()), b); // a position wins over an ID
    EXPECT_EQ(folders->Item(), nullptr);
    folders->Remove(); // no selection: nothing happens
    EXPECT_EQ(folders->Count(), 2);
}

TEST_F(SharedFolders, BadSelectionFailsAndChangesNothing)
{
    auto a = folders->Add();
    auto b = folders->Add();

    EXPECT_THROW(folders->Item(0), tarvonel::SubscriptOutOfRange);
    EXPECT_THROW(folders->Item(3), tarvonel::SubscriptOutOfRange);
    EXPECT_THROW(folders->Remove(3), tarvonel::SubscriptOutOfRange);
    EXPECT_THROW(folders->Remove(-2), tarvonel::SubscriptOutOfRange);
    EXPECT_THROW(folders->Item(-1, "NOSUCHID"), tarvonel::InvalidArgument);
    EXPECT_THROW(folders->Remove(-1, "NOSUCHID"), tarvonel::InvalidArgument);
    // Keys carry a trailing "~"; an ID that already has one is still unknown.
    EXPECT_THROW(folders->Item(-1, a->ID() + "~"), tarvonel::InvalidArgument);

    ASSERT_EQ(folders->Count(), 2);
    EXPECT_EQ(folders->Item(1), a);
    EXPECT_EQ(folders->Item(2), b);

    folders->Remove(-1, a->ID());
    EXPECT_THROW(folders->Remove(-1, a->ID()), tarvonel::InvalidArgument); // removed only once
    EXPECT_EQ(folders->Count(), 1);
}

TEST_F(SharedFolders, NumbersStopAtThe16BitLimit)
{
    constexpr std::int32_t limit = std::numeric_limits<std::int16_t>::max();
    std::shared_ptr<tarvonel::clsSharedFolder> last;
    for (std::int32_t i = 0; i <= limit; ++i)
        last = folders->Add();
    EXPECT_EQ(last->FolderNum(), limit);
    ASSERT_EQ(folders->Count(), limit + 1);

    EXPECT_THROW(folders->Add(), tarvonel::Overflow);
    EXPECT_EQ(folders->Count(), limit + 1);
    EXPECT_EQ(folders->Item(limit + 1), last);

    // Making room again makes the freed number the next one.
    folders->Remove(100);
    EXPECT_EQ(folders->Add()->FolderNum(), 99);
}

} // namespace
