// SPDX-License-Identifier: MIT
// The display page: sizes typed as numbers, video memory in megabytes, the 3D switch.

#include "DevicePageFixture.h"

#include "editor/widget/pages/devices/DisplayPage.h"

#include <QApplication>
#include <QTest>

namespace zentravolix::testing {
namespace {

using editor::DisplayPage;

class DisplayPageTest : public DevicePageTest {
protected:
    void SetUp() override
    {
        DevicePageTest::SetUp();
        display = hw()->Displays()->Item(1);
    }
    std::shared_ptr<tarvonel::clsDisplay> display;
};

TEST_F(DisplayPageTest, FillShowsVideoMemoryInMegabytes)
{
    display->SetVramSize(1024 * 900 * 4);
    auto page = makePage<DisplayPage>(display->ID());
    EXPECT_EQ(child<QLineEdit>(*page, "txtMaxWidth")->text(), QStringLiteral("1024"));
    EXPECT_EQ(child<QLineEdit>(*page, "txtMaxHeight")->text(), QStringLiteral("768"));
    EXPECT_EQ(child<QLineEdit>(*page, "txtVRamSize")->text(), QStringLiteral("3.515625"));
    EXPECT_TRUE(child<QCheckBox>(*page, "chkDisplay3D")->isEnabled()) << "Workstation 5.5x offers 3D";
    EXPECT_TRUE(edits.empty());
}

TEST_F(DisplayPageTest, VideoMemoryIsStoredInBytesAndRewritesTheRow)
{
    auto page = makePage<DisplayPage>(display->ID());
    auto* vram = child<QLineEdit>(*page, "txtVRamSize");
    leave(vram, QStringLiteral("32"));
    EXPECT_EQ(display->VramSize(), 33554432);
    EXPECT_EQ(display->Summary(), "32 MB");
    EXPECT_EQ(edits, std::vector<bool>{true});

    // A fraction of a megabyte is kept when the screen needs less than that.
    display->SetScreenWidth(640);
    display->SetScreenHeight(480);
    leave(vram, QStringLiteral("1.5"));
    EXPECT_EQ(display->VramSize(), 1572864);
    EXPECT_EQ(vram->text(), QStringLiteral("1.5"));

    // Below one screen of 4-byte pixels the memory is raised to it and the box shows the result.
    display->SetScreenWidth(1024);
    display->SetScreenHeight(768);
    leave(vram, QStringLiteral("2"));
    EXPECT_EQ(display->VramSize(), 3145728);
    EXPECT_EQ(vram->text(), QStringLiteral("3"));
    EXPECT_EQ(display->Summary(), "3 MB");
}

TEST_F(DisplayPageTest, RefusedTextWritesNothingAndKeepsTheFocus)
{
    auto page = makePage<DisplayPage>(display->ID());
    page->show();
    QApplication::setActiveWindow(page.get());
    auto* vram = child<QLineEdit>(*page, "txtVRamSize");
    auto* width = child<QLineEdit>(*page, "txtMaxWidth");

    vram->setFocus();
    vram->selectAll();
    QTest::keyClicks(vram, QStringLiteral("abc"));
    QTest::keyClick(vram, Qt::Key_Return);
    EXPECT_EQ(display->VramSize(), 16777216);
    EXPECT_TRUE(vram->hasFocus());
    ASSERT_EQ(dialogs.messages().size(), 1u) << "the refusal says why";
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("Must be numeric!"));
    // Leaving the unchanged box again is refused again (the toolkit sends no second end of editing).
    width->setFocus();
    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_TRUE(vram->hasFocus());
    EXPECT_EQ(vram->text(), QStringLiteral("abc")) << "left for the user to correct";
    leave(vram, QStringLiteral("2048")); // 2 GB of bytes does not fit the model's number
    EXPECT_EQ(display->VramSize(), 16777216);
    leave(vram, QString());
    EXPECT_EQ(display->VramSize(), 16777216);

    leave(width, QStringLiteral("wide"));
    EXPECT_EQ(display->ScreenWidth(), 1024);
    EXPECT_TRUE(width->hasFocus());
    EXPECT_EQ(display->ScreenHeight(), 768);
}

TEST_F(DisplayPageTest, SizesAreStoredAndShownAsTheModelHoldsThem)
{
    auto page = makePage<DisplayPage>(display->ID());
    leave(child<QLineEdit>(*page, "txtMaxWidth"), QStringLiteral(" 1280.4 "));
    leave(child<QLineEdit>(*page, "txtMaxHeight"), QStringLiteral("1024"));
    EXPECT_EQ(display->ScreenWidth(), 1280);
    EXPECT_EQ(display->ScreenHeight(), 1024);
    EXPECT_EQ(child<QLineEdit>(*page, "txtMaxWidth")->text(), QStringLiteral("1280"));
    // A bigger screen may raise the video memory, the row's summary, so each size rewrites the row.
    EXPECT_EQ(edits, (std::vector<bool>{true, true}));
    leave(child<QLineEdit>(*page, "txtMaxHeight"), QStringLiteral("4096"));
    EXPECT_EQ(display->VramSize(), 1280 * 4096 * 4);
    EXPECT_EQ(display->Summary(), "20 MB");
}

TEST_F(DisplayPageTest, ThreeDFollowsTheProductButKeepsTheStoredChoice)
{
    display->SetEnable3D(true);
    setProduct(1, 2); // Workstation 4.5x: no 3D
    auto page = makePage<DisplayPage>(display->ID());
    auto* threeD = child<QCheckBox>(*page, "chkDisplay3D");
    EXPECT_FALSE(threeD->isEnabled());
    EXPECT_TRUE(threeD->isChecked());
    EXPECT_TRUE(display->Enable3D());

    setProduct(1, 4);
    page->load(display->ID());
    threeD->click();
    EXPECT_FALSE(display->Enable3D());
}

} // namespace
} // namespace zentravolix::testing
