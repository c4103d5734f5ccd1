// SPDX-License-Identifier: MIT
// The field rules on the memory, display and network adapter pages.
#include "editor/devices/StoragePageFixture.h"

#include "editor/widget/pages/devices/DisplayPage.h"
#include "editor/widget/pages/devices/EthernetPage.h"
#include "editor/widget/pages/devices/MemoryPage.h"

#include <QSlider>

using namespace zentravolix;
using zentravolix::testing::StoragePageTest;

namespace {

class FieldPagesTest : public StoragePageTest {
protected:
    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto& call : dialogs.messages())
            texts << call.title + QStringLiteral(" / ") + call.text;
        return texts;
    }
    static void type(QLineEdit* box, const QString& text)
    {
        box->setText(text);
        emit box->textEdited(text);
    }
};

} // namespace

TEST_F(FieldPagesTest, MemorySizeIsCheckedWhenTheBoxIsLeftNeverWhileTyping)
{
    auto memory = hw()->Memory()->Item(1);
    memory->SetMBs(256);
    auto page = makePage<editor::MemoryPage>(memory->ID());
    auto* box = child<QLineEdit>(*page, "txtMemSize");

    // 130 typed digit by digit: no message for "1" or "13", nothing stored until the box is left.
    type(box, QStringLiteral("1"));
    type(box, QStringLiteral("13"));
    type(box, QStringLiteral("130"));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(memory->MBs(), 256);
    EXPECT_TRUE(edits.empty());
    emit box->editingFinished();
    EXPECT_EQ(memory->MBs(), 128);
    EXPECT_EQ(box->text(), QStringLiteral("128"));
    EXPECT_EQ(child<QSlider>(*page, "sldMemSize")->value(), 128);
    EXPECT_TRUE(dialogs.messages().empty());

    // 4000 typed: 400 on the way is never stored; leaving refuses 4000 once, with the range message.
    for (const char* typed : {"4", "40", "400", "4000"})
        type(box, QString::fromLatin1(typed));
    EXPECT_EQ(memory->MBs(), 128);
    emit box->editingFinished();
    EXPECT_EQ(messageTexts(), texts({"Invalid Memory Size / RAM size out of valid range for Selected Product/Version"}));
    EXPECT_EQ(dialogs.messages().front().icon, editor::MessageIcon::Warning);
    EXPECT_EQ(memory->MBs(), 128);
    EXPECT_EQ(box->text(), QStringLiteral("4000")) << "the refused text stays for the user to correct";
    dialogs.clear();

    leave(box, QStringLiteral("abc"));
    EXPECT_EQ(messageTexts(), texts({"Invalid Entry / RAM size must be numeric"}));
    EXPECT_EQ(memory->MBs(), 128);
    dialogs.clear();
    leave(box, QStringLiteral("3688")); // Workstation 5.5x allows 3684
    EXPECT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(memory->MBs(), 128);
}

TEST_F(FieldPagesTest, DisplayVideoMemoryHasTheScreensFloor)
{
    auto display = hw()->Displays()->Item(1);
    auto page = makePage<editor::DisplayPage>(display->ID());
    leave(child<QLineEdit>(*page, "txtMaxWidth"), QStringLiteral("1024"));
    leave(child<QLineEdit>(*page, "txtMaxHeight"), QStringLiteral("768"));
    leave(child<QLineEdit>(*page, "txtVRamSize"), QStringLiteral("2"));
    EXPECT_EQ(display->VramSize(), 3145728);
    EXPECT_EQ(child<QLineEdit>(*page, "txtVRamSize")->text(), QStringLiteral("3"));

    leave(child<QLineEdit>(*page, "txtVRamSize"), QStringLiteral("abc"));
    leave(child<QLineEdit>(*page, "txtVRamSize"), QStringLiteral("4096")); // beyond 32-bit bytes
    leave(child<QLineEdit>(*page, "txtMaxWidth"), QStringLiteral("1000000")); // floor beyond 32 bits
    EXPECT_EQ(display->VramSize(), 3145728);
    EXPECT_EQ(display->ScreenWidth(), 1024);
    // Every refusal says why.
    EXPECT_EQ(messageTexts(),
              texts({"Invalid Entry / Must be numeric!",
                     "Invalid Entry / Video RAM size too large!  The largest size is 2047 MB.",
                     "Invalid Entry / Screen size too large!  One screen of width x height x 4 bytes must fit in "
                     "2047 MB of video RAM."}));
}

TEST_F(FieldPagesTest, MacBoxesAreCheckedByAddressTypeAndOffsetMustBeNumeric)
{
    auto nic = hw()->NetworkAdapters()->Add();
    nic->SetAddressType(1);
    nic->SetMacAddress("00:50:56:01:02:03");
    auto page = makePage<editor::EthernetPage>(nic->ID());
    auto* box3 = child<QLineEdit>(*page, "txtNetMac3");
    leave(box3, QStringLiteral("40"));
    EXPECT_EQ(box3->text(), QString());
    EXPECT_EQ(messageTexts(), texts({"Invalid Static MAC Address / The static MAC address range is "
                                          "00:50:56:00:00:00-00:50:56:3F:FF:FF"}));
    EXPECT_EQ(dialogs.messages().front().icon, editor::MessageIcon::Information);
    EXPECT_EQ(nic->MacAddress(), "00:50:56:01:02:03");
    dialogs.clear();
    leave(box3, QStringLiteral("3f"));
    EXPECT_EQ(nic->MacAddress(), "00:50:56:3f:02:03");
    EXPECT_TRUE(dialogs.messages().empty());

    auto* offset = child<QLineEdit>(*page, "txtNetMacGenOffset");
    leave(offset, QStringLiteral("abc"));
    EXPECT_EQ(messageTexts(), texts({"Invalid Address Offset / Must be numeric!"}));
    EXPECT_EQ(offset->text(), QStringLiteral("abc"));
    leave(offset, QStringLiteral("42"));
    EXPECT_EQ(nic->GenAddressOffset(), 42);
}
