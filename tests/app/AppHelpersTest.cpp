// SPDX-License-Identifier: MIT
// The small pieces around the main window: version text, command line, icons, settings problems.
#include "app/AppIcons.h"
#include "app/CommandLine.h"
#include "app/SettingsProblemText.h"
#include "app/VersionText.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace zentravolix::app {
namespace {

TEST(VersionText, PadsMinorToTwoAndRevisionToFourDigits)
{
    EXPECT_EQ(VersionText(1, 5, 23), QStringLiteral("1.05.0023"));
    EXPECT_EQ(VersionText(0, 1, 0), QStringLiteral("0.01.0000"));
    EXPECT_EQ(VersionText(12, 345, 67890), QStringLiteral("12.345.67890"));
    EXPECT_TRUE(VersionCaption().startsWith(QStringLiteral("v%1.").arg(ZV_VERSION_MAJOR)));
    EXPECT_TRUE(VersionCaption().endsWith(QStringLiteral(" by Mornel")));
}

TEST(CommandLine, JoinsTheArgumentsAfterTheProgramName)
{
    EXPECT_EQ(WholeCommandLine({QStringLiteral("zentravolix")}), QString());
    EXPECT_EQ(WholeCommandLine({QStringLiteral("zentravolix"), QStringLiteral("/vm/a.vmx")}),
              QStringLiteral("/vm/a.vmx"));
    EXPECT_EQ(
        WholeCommandLine({QStringLiteral("zentravolix"), QStringLiteral("/my"), QStringLiteral("vm.vmx")}),
        QStringLiteral("/my vm.vmx"));
}

TEST(AppIcons, EveryKeyHasAPictureAndUnknownKeysHaveNone)
{
    for (const char* key : {"New", "Open", "Save", "Close", "Run", "Favorites"}) {
        const QImage image = ToolbarIcon(QString::fromLatin1(key)).pixmap(24, 24).toImage();
        ASSERT_FALSE(image.isNull()) << key;
        // Something was drawn in the middle of the picture.
        EXPECT_GT(qAlpha(image.pixel(12, 12)), 0) << key;
    }
    for (const char* key : {"VM", "VMMissing", "OldVM", "OldVMMissing", "Home"})
        EXPECT_FALSE(ListIcon(QString::fromLatin1(key)).isNull()) << key;
    EXPECT_TRUE(ListIcon(QStringLiteral("NoSuchKey")).isNull());
    EXPECT_TRUE(ToolbarIcon(QStringLiteral("VM")).isNull());
}

TEST(SettingsProblemText, NamesTheFileTheKeyAndTheValue)
{
    using Code = platform::SettingsProblem::Code;
    const QString text = SettingsProblemText(
        {Code::FavoriteBadVersion, "/cfg/Zentravolix.ini", "Favorite3", "Lab\t/vm/lab.vmx\tseven"});
    EXPECT_TRUE(text.contains(QStringLiteral("/cfg/Zentravolix.ini")));
    EXPECT_TRUE(text.contains(QStringLiteral("Favorite3")));
    EXPECT_TRUE(text.contains(QStringLiteral("seven")));
    EXPECT_EQ(SettingsProblemsText({}), QString());
    EXPECT_EQ(
        SettingsProblemsText({{Code::IniWriteFailed, "a", "", "x"}, {Code::IniWriteFailed, "b", "", "y"}})
            .count(QLatin1Char('\n')),
        1);
}

} // namespace
} // namespace zentravolix::app
