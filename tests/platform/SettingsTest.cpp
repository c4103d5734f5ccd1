// SPDX-License-Identifier: MIT
#include "TestFolder.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "platform/TextTable.h"
#include "platform/cRegistry.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

using namespace zentravolix::platform;
using Code = SettingsProblem::Code;
using zvtest::ReadFile;
using zvtest::WriteFile;

namespace {

class SettingsTest : public zvtest::IsolatedTest {
protected:
    void TearDown() override
    {
        SetLanguageOffset(0);
        IsolatedTest::TearDown();
    }
    std::filesystem::path store() const { return configHome() / "Quindrel" / "Zentravolix" / "registry.ini"; }
    std::filesystem::path defaultIni() const { return configHome() / "Zentravolix" / "Zentravolix.ini"; }
    std::string storedIniLocation() const
    {
        cRegistry r(store());
        r.SetSectionKey("Software\\Quindrel\\Zentravolix");
        r.SetValueKey("IniLocation");
        return r.StringValue();
    }
    static std::vector<Code> codes(const std::vector<SettingsProblem>& problems)
    {
        std::vector<Code> out;
        for (const auto& p : problems)
            out.push_back(p.code);
        return out;
    }
};

} // namespace

TEST_F(SettingsTest, FirstStartOnAnEmptyHomeFolder)
{
    ProgramSettings settings;
    settings.CreateBackups = false;
    settings.LanguageOffset = 1000;
    EXPECT_TRUE(LoadSettings(settings).empty());
    EXPECT_EQ(settings.IniLocation, (configHome() / "Zentravolix").string());
    EXPECT_EQ(storedIniLocation(), settings.IniLocation); // written back at once
    EXPECT_EQ(settings.TempPath, tmp().string() + "/");
    EXPECT_TRUE(settings.CreateBackups);
    EXPECT_EQ(settings.LanguageOffset, 0);
    EXPECT_EQ(settings.LaunchApplication, "");
    EXPECT_EQ(settings.ImagePath, "");
    EXPECT_TRUE(settings.Favorites.empty());
    EXPECT_FALSE(std::filesystem::exists(defaultIni())); // created by the first save

    EXPECT_TRUE(SaveSettings(settings).empty());
    EXPECT_EQ(ReadFile(defaultIni()),
              "[General]\r\nCreateBackups=-1\r\nLaunchApplication=\r\nLanguageOffset=0\r\n"
              "ImagePath=\r\n\r\n[Favorites]\r\n");
}

TEST_F(SettingsTest, ConfigFolderFallsBackToHome)
{
    setEnv("XDG_CONFIG_HOME", std::nullopt);
    ProgramSettings settings;
    LoadSettings(settings);
    EXPECT_EQ(settings.IniLocation, (home() / ".config" / "Zentravolix").string());
    EXPECT_TRUE(std::filesystem::exists(home() / ".config" / "Quindrel" / "Zentravolix" / "registry.ini"));
}

TEST_F(SettingsTest, TemporaryAndCommonFolders)
{
    EXPECT_EQ(GetTempFolder(), tmp().string() + "/");
    setEnv("TMPDIR", "/var/tmp/");
    EXPECT_EQ(GetTempFolder(), "/var/tmp/");
    setEnv("TMPDIR", "");
    EXPECT_EQ(GetTempFolder(), "/tmp/");
    setEnv("CommonProgramFiles", std::nullopt);
    EXPECT_EQ(GetCommonProgramFilesFolder(), "");
    setEnv("CommonProgramFiles", "/opt/common");
    EXPECT_EQ(GetCommonProgramFilesFolder(), "/opt/common");
    setEnv("XDG_CONFIG_HOME", "relative/config"); // ignored, as the XDG rules say
    EXPECT_EQ(DefaultRegistryStorePath(), home() / ".config" / "Quindrel" / "Zentravolix" / "registry.ini");
}

TEST_F(SettingsTest, SavedSettingsLoadBack)
{
    ProgramSettings settings;
    LoadSettings(settings);
    settings.CreateBackups = false;
    settings.LaunchApplication = "/usr/bin/vm player";
    settings.ImagePath = "/srv/iso images";
    settings.Favorites = {{"Web", "/vms/web/web.vmx", 8, true}, {"Old", "/vms/old.vmx", 4, false}};
    settings.LanguageOffset = 500;
    ASSERT_TRUE(SaveSettings(settings).empty());

    ProgramSettings loaded;
    ASSERT_TRUE(LoadSettings(loaded).empty());
    EXPECT_FALSE(loaded.CreateBackups);
    EXPECT_EQ(loaded.LaunchApplication, "/usr/bin/vm player");
    EXPECT_EQ(loaded.ImagePath, "/srv/iso images");
    EXPECT_EQ(loaded.LanguageOffset, 500);
    settings.Favorites[0].OpenInTab = false; // not stored
    EXPECT_EQ(loaded.Favorites, settings.Favorites);
    EXPECT_NE(ReadFile(defaultIni()).find("Favorite1=Old\t/vms/old.vmx\t4\r\n"), std::string::npos);
}

TEST_F(SettingsTest, TheSavePreviewIsStoredOnlyOnceSwitchedOff)
{
    ProgramSettings settings;
    LoadSettings(settings);
    EXPECT_TRUE(settings.ShowSavePreview);
    settings.ImagePath = "/images";
    ASSERT_TRUE(SaveSettings(settings).empty());
    EXPECT_EQ(ReadFile(defaultIni()).find("ShowSavePreview"), std::string::npos) << "a file without it shows it";

    settings.ShowSavePreview = false;
    ASSERT_TRUE(SaveSettings(settings).empty());
    ProgramSettings off;
    LoadSettings(off);
    EXPECT_FALSE(off.ShowSavePreview);
    EXPECT_NE(ReadFile(defaultIni()).find("ShowSavePreview=0\r\n"), std::string::npos);

    // Switched on again in the options: stored as on.
    off.ShowSavePreview = true;
    ASSERT_TRUE(SaveSettings(off).empty());
    ProgramSettings on;
    LoadSettings(on);
    EXPECT_TRUE(on.ShowSavePreview);
}

TEST_F(SettingsTest, ChangedIniFolderIsUsedByTheNextLoad)
{
    ProgramSettings settings;
    LoadSettings(settings);
    const std::string moved = (m_folder / "elsewhere" / "ini").string();
    settings.IniLocation = moved;
    settings.ImagePath = "/images";
    ASSERT_TRUE(SaveSettings(settings).empty());
    EXPECT_TRUE(std::filesystem::exists(moved + "/Zentravolix.ini"));
    EXPECT_EQ(storedIniLocation(), moved);

    ProgramSettings next;
    LoadSettings(next);
    EXPECT_EQ(next.IniLocation, moved);
    EXPECT_EQ(next.ImagePath, "/images");
}

TEST_F(SettingsTest, CreateBackupsIsOnForAnyNonZeroNumber)
{
    const std::pair<std::string, bool> cases[] = {{"1", true},   {"-1", true},   {"0", false},
                                                  {" 7 ", true}, {"True", true}, {"false", false}};
    for (const auto& [stored, expected] : cases) {
        WriteFile(defaultIni(), "[General]\nCreateBackups=" + stored + "\n");
        ProgramSettings settings;
        EXPECT_TRUE(LoadSettings(settings).empty()) << stored;
        EXPECT_EQ(settings.CreateBackups, expected) << stored;
    }
    WriteFile(defaultIni(), "[General]\nCreateBackups=maybe\nLanguageOffset=German\n");
    ProgramSettings settings;
    EXPECT_EQ(codes(LoadSettings(settings)),
              (std::vector<Code>{Code::BadCreateBackups, Code::BadLanguageOffset}));
    EXPECT_TRUE(settings.CreateBackups);
    EXPECT_EQ(settings.LanguageOffset, 0);
}

TEST_F(SettingsTest, LoadingAndSavingLeaveTheProgramsLanguageAlone)
{
    // The language the texts are shown in is the program's to set; the settings only name one.
    WriteFile(defaultIni(), "[General]\nLanguageOffset=1500\n");
    SetLanguageOffset(500);
    ProgramSettings settings;
    ASSERT_TRUE(LoadSettings(settings).empty());
    EXPECT_EQ(settings.LanguageOffset, 1500);
    EXPECT_EQ(LanguageOffset(), 500);

    // What is saved is the settings' language, whatever the texts are shown in.
    settings.LanguageOffset = 2000;
    ASSERT_TRUE(SaveSettings(settings).empty());
    EXPECT_EQ(LanguageOffset(), 500);
    EXPECT_NE(ReadFile(defaultIni()).find("LanguageOffset=2000"), std::string::npos);
}

TEST_F(SettingsTest, MalformedFavoritesAreSkippedAndReported)
{
    WriteFile(defaultIni(), "[Favorites]\n"
                            "Favorite0=Good\t/a.vmx\t8\n"
                            "Favorite1=NoVersion\t/b.vmx\n"
                            "Favorite2=Words\t/c.vmx\teight\n"
                            "Favorite3=TooBig\t/d.vmx\t40000\n"
                            "Favorite4\n"
                            "Favorite5=Good\t/again.vmx\t7\n"
                            "Favorite6=Second\t/e.vmx\t 4 \n");
    ProgramSettings settings;
    const auto problems = LoadSettings(settings);
    ASSERT_EQ(codes(problems), (std::vector<Code>{Code::FavoriteTooFewParts, Code::FavoriteBadVersion,
                                                  Code::FavoriteBadVersion, Code::FavoriteTooFewParts}));
    EXPECT_EQ(problems[0].key, "Favorite1");
    EXPECT_EQ(problems[0].file, defaultIni().string());
    EXPECT_EQ(problems[1].detail, "Words\t/c.vmx\teight");
    // A later record of the same name replaces the earlier one in place.
    EXPECT_EQ(settings.Favorites, (std::vector<FavoriteRecord>{{"Good", "/again.vmx", 7, false},
                                                               {"Second", "/e.vmx", 4, false}}));
}

TEST_F(SettingsTest, SaveRewritesFavoritesAndKeepsForeignLines)
{
    WriteFile(defaultIni(),
              "; my notes\n[General]\nCreateBackups=0\nCustom=kept\n\n"
              "[Favorites]\nFavorite0=Stale\t/s.vmx\t8\n\n[Extra]\nX=1\n[favorites]\nFavorite9=Z\t/z\t8\n");
    ProgramSettings settings;
    LoadSettings(settings);
    settings.Favorites = {{"Tab\tName", "/t.vmx", 8, false}, {"Fine", "/f.vmx", 8, false}};
    const auto problems = SaveSettings(settings);
    EXPECT_EQ(codes(problems), std::vector<Code>{Code::FavoriteNotStorable});
    EXPECT_EQ(ReadFile(defaultIni()),
              "; my notes\n[General]\nCreateBackups=0\nCustom=kept\nLaunchApplication=\n"
              "LanguageOffset=0\nImagePath=\n\n[Extra]\nX=1\n\n[Favorites]\n"
              "Favorite0=Fine\t/f.vmx\t8\n");
}

TEST_F(SettingsTest, FailedIniWriteKeepsTheOldFileAndStillStoresTheLocation)
{
    WriteFile(defaultIni(), "[General]\nImagePath=/old\n");
    ProgramSettings settings;
    LoadSettings(settings);
    settings.ImagePath = "/new";
    {
        ScopedWriteFailureForTesting failure(WriteHooks::ShortWrite(10).onlyFor("Zentravolix.ini"));
        const auto problems = SaveSettings(settings);
        ASSERT_EQ(codes(problems), std::vector<Code>{Code::IniWriteFailed});
        EXPECT_NE(problems[0].detail.find("Zentravolix.ini"), std::string::npos);
    }
    EXPECT_EQ(ReadFile(defaultIni()), "[General]\nImagePath=/old\n");

    // An INI folder that is really a file.
    WriteFile(m_folder / "blocker", "");
    settings.IniLocation = (m_folder / "blocker").string();
    EXPECT_EQ(codes(SaveSettings(settings)), std::vector<Code>{Code::IniWriteFailed});
    EXPECT_EQ(storedIniLocation(), settings.IniLocation);
}

TEST_F(SettingsTest, UnwritableStoreIsReportedNotFatal)
{
    WriteFile(configHome() / "Quindrel", "not a folder");
    ProgramSettings settings;
    const auto problems = LoadSettings(settings);
    ASSERT_EQ(codes(problems), std::vector<Code>{Code::RegistryWriteFailed});
    EXPECT_EQ(problems[0].detail, "Failed to set registry value Key: '-2147483647',Section: "
                                  "'Software\\Quindrel\\Zentravolix',Key: 'IniLocation' to value: '" +
                                      settings.IniLocation + "'");
    EXPECT_EQ(settings.IniLocation, (configHome() / "Zentravolix").string());
    EXPECT_TRUE(settings.CreateBackups);
}

namespace {

/** The INI file two sessions share in the tests below. */
const char* const kSharedIni = "[General]\n"
                               "CreateBackups=0\n"
                               "LaunchApplication=/usr/bin/player\n"
                               "LanguageOffset=500\n"
                               "ImagePath=/isos\n"
                               "\n"
                               "[Favorites]\n"
                               "Favorite0=A\t/a.vmx\t8\n"
                               "Favorite1=B\t/b.vmx\t8\n"
                               "Favorite2=C\t/c.vmx\t4\n";

/**
 * Runs load and tells whether it finished on its own. A load that waits on the FIFO is let go on
 * by opening it for writing, which succeeds only while somebody holds it open for reading.
 */
template <typename Load>
bool FinishesWithoutWaiting(const std::filesystem::path& fifo, Load load)
{
    auto running = std::async(std::launch::async, load);
    bool waited = false;
    while (running.wait_for(std::chrono::milliseconds(200)) != std::future_status::ready) {
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            waited = true;
            ::close(fd);
        }
    }
    return !waited;
}

} // namespace

TEST_F(SettingsTest, UnreadableIniIsNotOverwrittenWithDefaults)
{
    // The file cannot be read at start-up (a folder stands in for a file without read permission,
    // which root would read anyway); the user mends it while the program runs.
    std::filesystem::create_directories(defaultIni());
    ProgramSettings settings;
    ASSERT_EQ(codes(LoadSettings(settings)), std::vector<Code>{Code::IniUnreadable});
    EXPECT_TRUE(settings.Favorites.empty());
    EXPECT_TRUE(settings.CreateBackups);

    // Still unreadable at quit: it is left as it is.
    const auto stillBroken = SaveSettings(settings);
    ASSERT_EQ(codes(stillBroken), std::vector<Code>{Code::IniWriteFailed});
    EXPECT_TRUE(std::filesystem::is_directory(defaultIni()));

    std::filesystem::remove(defaultIni());
    WriteFile(defaultIni(), kSharedIni);
    AddFavorite(settings.Favorites, {"New", "/new.vmx", 8, true});
    ASSERT_TRUE(SaveSettings(settings).empty());
    EXPECT_EQ(ReadFile(defaultIni()), std::string(kSharedIni) + "Favorite3=New\t/new.vmx\t8\n");

    // An option changed in the session is the one value of "General" written.
    settings.ImagePath = "/images";
    ASSERT_TRUE(SaveSettings(settings).empty());
    ProgramSettings next;
    ASSERT_TRUE(LoadSettings(next).empty());
    EXPECT_FALSE(next.CreateBackups);
    EXPECT_EQ(next.LaunchApplication, "/usr/bin/player");
    EXPECT_EQ(next.LanguageOffset, 500);
    EXPECT_EQ(next.ImagePath, "/images");
    EXPECT_EQ(next.Favorites.size(), 4u);
}

TEST_F(SettingsTest, TwoInstancesKeepEachOthersChanges)
{
    WriteFile(defaultIni(), kSharedIni);
    ProgramSettings first;
    ProgramSettings second;
    ASSERT_TRUE(LoadSettings(first).empty());
    ASSERT_TRUE(LoadSettings(second).empty());

    AddFavorite(second.Favorites, {"D", "/d.vmx", 8, true});
    RemoveFavorite(second.Favorites, {"B", "", 0, false});
    second.ImagePath = "/second/isos";
    ASSERT_TRUE(SaveSettings(second).empty());

    AddFavorite(first.Favorites, {"E", "/e.vmx", 7, false});
    RemoveFavorite(first.Favorites, {"C", "", 0, false});
    UpdateFavorite(first.Favorites, {"A", "/moved/a.vmx", 8, true});
    first.LaunchApplication = "/opt/first";
    ASSERT_TRUE(SaveSettings(first).empty());

    EXPECT_EQ(ReadFile(defaultIni()), "[General]\n"
                                      "CreateBackups=0\n"
                                      "LaunchApplication=/opt/first\n"
                                      "LanguageOffset=500\n"
                                      "ImagePath=/second/isos\n"
                                      "\n"
                                      "[Favorites]\n"
                                      "Favorite0=A\t/moved/a.vmx\t8\n"
                                      "Favorite1=D\t/d.vmx\t8\n"
                                      "Favorite2=E\t/e.vmx\t7\n");

    // A session that changed nothing leaves the file as the others made it.
    ProgramSettings idle;
    WriteFile(defaultIni(), kSharedIni);
    ASSERT_TRUE(LoadSettings(idle).empty());
    WriteFile(defaultIni(), "[Favorites]\nFavorite0=Z\t/z.vmx\t8\n");
    ASSERT_TRUE(SaveSettings(idle).empty());
    EXPECT_EQ(ReadFile(defaultIni()), "[Favorites]\nFavorite0=Z\t/z.vmx\t8\n");
}

TEST_F(SettingsTest, IniLocationIsStoredOnlyWhenChanged)
{
    const std::string custom = (m_folder / "custom").string();
    ProgramSettings settings;
    ASSERT_TRUE(LoadSettings(settings).empty());
    // Another instance moved the settings meanwhile; this one did not touch the folder.
    cRegistry registry(store());
    registry.SetSectionKey("Software\\Quindrel\\Zentravolix");
    registry.SetValueKey("IniLocation");
    registry.SetValue(custom);
    ASSERT_TRUE(SaveSettings(settings).empty());
    EXPECT_EQ(storedIniLocation(), custom);

    // A store that cannot be read at start-up: the default folder for this session, and the
    // store as the user left it at quit.
    std::filesystem::remove(store());
    std::filesystem::create_directories(store());
    ProgramSettings unread;
    const auto problems = LoadSettings(unread);
    ASSERT_EQ(codes(problems), std::vector<Code>{Code::StoreUnreadable});
    EXPECT_EQ(problems[0].file, store().string());
    EXPECT_EQ(unread.IniLocation, (configHome() / "Zentravolix").string());
    EXPECT_TRUE(std::filesystem::is_directory(store()));
    std::filesystem::remove(store());
    registry.SetValue(custom);
    ASSERT_TRUE(SaveSettings(unread).empty());
    EXPECT_EQ(storedIniLocation(), custom);
}

TEST_F(SettingsTest, MalformedFavoriteLinesAreKeptAtSave)
{
    WriteFile(defaultIni(), "[Favorites]\n"
                            "Favorite0=Good\t/a.vmx\t8\n"
                            "Favorite1=NoVersion\t/b.vmx\n"
                            "Favorite2=Words\t/c.vmx\teight\n"
                            "Favorite3\n"
                            "loose words\n"
                            "Favorite5=Gone\t/g.vmx\t8\n");
    ProgramSettings settings;
    ASSERT_EQ(LoadSettings(settings).size(), 4u);
    RemoveFavorite(settings.Favorites, {"Gone", "", 0, false});
    AddFavorite(settings.Favorites, {"New", "/n.vmx", 8, false});
    ASSERT_TRUE(SaveSettings(settings).empty());
    EXPECT_EQ(ReadFile(defaultIni()), "[General]\nCreateBackups=-1\nLaunchApplication=\n"
                                      "LanguageOffset=0\nImagePath=\n\n"
                                      "[Favorites]\n"
                                      "Favorite0=Good\t/a.vmx\t8\n"
                                      "Favorite1=NoVersion\t/b.vmx\n"
                                      "Favorite2=Words\t/c.vmx\teight\n"
                                      "Favorite3\n"
                                      "loose words\n"
                                      "Favorite5=New\t/n.vmx\t8\n");
    ProgramSettings next;
    EXPECT_EQ(codes(LoadSettings(next)), (std::vector<Code>{Code::FavoriteTooFewParts, Code::FavoriteBadVersion,
                                                            Code::FavoriteTooFewParts, Code::FavoriteTooFewParts}));
}

TEST_F(SettingsTest, SettingsFilesThatAreNotRegularFilesAreRefused)
{
    std::filesystem::create_directories(defaultIni().parent_path());
    ASSERT_EQ(::mkfifo(defaultIni().c_str(), 0600), 0);
    ProgramSettings settings;
    std::vector<SettingsProblem> problems;
    ASSERT_TRUE(FinishesWithoutWaiting(defaultIni(), [&] { problems = LoadSettings(settings); }));
    ASSERT_EQ(codes(problems), std::vector<Code>{Code::IniUnreadable});
    EXPECT_NE(problems[0].detail.find("FIFO"), std::string::npos) << problems[0].detail;
    ASSERT_TRUE(FinishesWithoutWaiting(defaultIni(), [&] { problems = SaveSettings(settings); }));
    EXPECT_EQ(codes(problems), std::vector<Code>{Code::IniWriteFailed});
    EXPECT_EQ(std::filesystem::status(defaultIni()).type(), std::filesystem::file_type::fifo);

    std::filesystem::remove(defaultIni());
    std::filesystem::create_symlink("/dev/null", defaultIni());
    problems = LoadSettings(settings);
    ASSERT_EQ(codes(problems), std::vector<Code>{Code::IniUnreadable});
    EXPECT_NE(problems[0].detail.find("device"), std::string::npos) << problems[0].detail;
    std::filesystem::remove(defaultIni());

    std::filesystem::create_directories(store().parent_path());
    std::filesystem::remove(store());
    ASSERT_EQ(::mkfifo(store().c_str(), 0600), 0);
    ASSERT_TRUE(FinishesWithoutWaiting(store(), [&] { problems = LoadSettings(settings); }));
    ASSERT_EQ(codes(problems), std::vector<Code>{Code::StoreUnreadable});
    EXPECT_EQ(std::filesystem::status(store()).type(), std::filesystem::file_type::fifo);
}
