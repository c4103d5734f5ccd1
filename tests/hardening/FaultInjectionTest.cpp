// SPDX-License-Identifier: MIT
// Every writer built on the atomic write, failed after every byte count up to the new file's
// size, on flush and on rename: the old file stays byte for byte, no temporary file is left, and
// the caller learns the path and the reason.
#include "HardeningSupport.h"

#include "platform/AtomicFile.h"
#include "platform/IniDocument.h"
#include "platform/Settings.h"
#include "platform/TextTable.h"
#include "platform/cInifile.h"
#include "platform/cRegistry.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>

namespace zentravolix::hardening {
namespace {

using platform::WriteHooks;

constexpr const char* kNoSpace = "No space left on device";
constexpr const char* kIoError = "Input/output error";

/** The ways one write is made to fail, for a new file of `size` bytes: every byte count, flush, rename. */
std::vector<std::pair<std::string, WriteHooks>> faultPoints(std::size_t size)
{
    std::vector<std::pair<std::string, WriteHooks>> points;
    for (std::size_t n = 0; n < size; ++n)
        points.emplace_back("after " + std::to_string(n) + " bytes", WriteHooks::ShortWrite(n));
    points.emplace_back("on flush", WriteHooks::SyncFailure());
    points.emplace_back("on rename", WriteHooks::RenameFailure());
    return points;
}

/**
 * Runs `write` once per fault point; `failed` must see the failure reported (it gets the
 * expected reason), and afterwards the folder must hold exactly what it held before.
 */
void injectEveryFault(const fs::path& folder, const fs::path& file, std::size_t newSize,
                      const std::function<void()>& write,
                      const std::function<void(const std::string&)>& failed)
{
    const std::string old = readFile(file);
    const auto before = listing(folder);
    std::size_t points = 0;
    for (auto& [name, hooks] : faultPoints(newSize)) {
        SCOPED_TRACE(name);
        {
            // Only the file under test fails; a writer may write others too (the settings store).
            platform::ScopedWriteFailureForTesting failure(
                std::move(hooks).onlyFor(file.filename().string()));
            write();
        }
        failed(hooks.failAfterBytes ? kNoSpace : kIoError);
        ASSERT_EQ(readFile(file), old) << "the old file changed";
        ASSERT_EQ(listing(folder), before) << "a temporary file was left behind";
        ++points;
    }
    std::cout << "[ hardening ] " << points << " fault points injected into " << file.filename() << std::endl;
}

TEST(VmxSaveFaults, EveryFaultLeavesTheOldFileAndReportsPathAndReason)
{
    TempFolder folder("vmx");
    const auto vm = newMachine("Faulty", folder.modelPath());
    const vmx::SavedFile first = vmx::SaveVmxFile(*vm);
    vm->Hardware()->Memory()->Item(1)->SetMBs(1024);
    vm->Options()->GeneralOptions()->SetDisplayName("Faulty, renamed");
    const std::string next = vmx::WriteVmxText(*vm);
    ASSERT_NE(next, first.text);

    std::optional<platform::IoError> error;
    injectEveryFault(
        folder.path(), first.path, next.size(),
        [&] {
            error.reset();
            try {
                vmx::SaveVmxFile(*vm);
            } catch (const platform::IoError& e) {
                error = e;
            }
        },
        [&](const std::string& reason) {
            ASSERT_TRUE(error) << "the failure was not reported";
            EXPECT_EQ(error->path(), first.path);
            EXPECT_EQ(error->reason(), reason);
            EXPECT_NE(std::string(error->what()).find(first.path.string()), std::string::npos);
        });

    vmx::SaveVmxFile(*vm);
    EXPECT_EQ(readFile(first.path), next) << "without a fault the save goes through";
}

TEST(IniFaults, EveryFaultOfAKeyWriteLeavesTheFileAndSetsTheError)
{
    TempFolder folder("ini");
    const fs::path file = folder / "Zentravolix.ini";
    platform::cInifile ini;
    ini.SetPath(file.string());
    ini.SetSection("General");
    ini.SetKey("ImagePath");
    ini.SetValue("/srv/images");
    ini.SetSection("Favorites");
    ini.SetKey("Favorite0");
    ini.SetValue("Web\t/vms/web/web.vmx\t4");
    ASSERT_EQ(ini.LastReturnCode() != 0, true);

    platform::IniDocument changed = platform::IniDocument::load(file);
    changed.setValue("Favorites", "Favorite0", "Build\t/vms/build/build.vmx\t3");
    injectEveryFault(
        folder.path(), file, changed.text().size(), [&] { ini.SetValue("Build\t/vms/build/build.vmx\t3"); },
        [&](const std::string& reason) {
            EXPECT_EQ(ini.LastReturnCode(), 0);
            EXPECT_NE(ini.LastError().find(file.string()), std::string::npos) << ini.LastError();
            EXPECT_NE(ini.LastError().find(reason), std::string::npos) << ini.LastError();
        });

    ini.SetValue("Build\t/vms/build/build.vmx\t3");
    EXPECT_NE(ini.LastReturnCode(), 0);
    EXPECT_EQ(readFile(file), changed.text());
}

TEST(IniFaults, DocumentSaveThrowsWithPathAndReason)
{
    TempFolder folder("inidoc");
    const fs::path file = folder / "settings.ini";
    writeFile(file, "; kept\r\n[General]\r\nCreateBackups=-1\r\n");
    platform::IniDocument doc = platform::IniDocument::load(file);
    doc.setValue("General", "LaunchApplication", "/usr/bin/vmplayer");
    std::optional<platform::IoError> error;
    injectEveryFault(
        folder.path(), file, doc.text().size(),
        [&] {
            error.reset();
            try {
                doc.save(file);
            } catch (const platform::IoError& e) {
                error = e;
            }
        },
        [&](const std::string& reason) {
            ASSERT_TRUE(error);
            EXPECT_EQ(error->path(), file);
            EXPECT_EQ(error->reason(), reason);
        });
}

TEST(SettingsStoreFaults, EveryFaultLeavesTheStoreAndRaisesTheWriteError)
{
    TempFolder folder("store");
    const fs::path store = folder / "registry.ini";
    platform::cRegistry registry(store);
    registry.SetSectionKey("Software\\Quindrel\\Zentravolix");
    registry.SetValueKey("IniLocation");
    registry.SetValue(std::string("/home/user/.config/Zentravolix"));
    registry.SetValueKey("Counter");
    registry.SetValueType(platform::RegistryType::Number);
    registry.SetValue(std::int32_t{7});

    platform::RegistryStore changed = platform::RegistryStore::load(store);
    changed.setValue(platform::kHkeyCurrentUser, "Software\\Quindrel\\Zentravolix", "Counter",
                     {platform::RegistryType::Number, std::string("\x08\0\0\0", 4)});
    std::optional<platform::RegistryError> error;
    injectEveryFault(
        folder.path(), store, changed.text().size(),
        [&] {
            error.reset();
            try {
                registry.SetValue(std::int32_t{8});
            } catch (const platform::RegistryError& e) {
                error = e;
            }
        },
        [&](const std::string& reason) {
            ASSERT_TRUE(error) << "the failure was not reported";
            EXPECT_EQ(error->Number(), platform::RegistryError::kWriteFailed);
            EXPECT_NE(error->reason().find(store.string()), std::string::npos) << error->reason();
            EXPECT_NE(error->reason().find(reason), std::string::npos) << error->reason();
        });

    registry.SetValue(std::int32_t{8});
    EXPECT_EQ(readFile(store), changed.text());
}

TEST(SettingsFaults, EveryFaultOfTheIniFileIsReportedAndTheOldFileKept)
{
    TempFolder folder("settings");
    platform::SettingsLocations locations;
    locations.registryStore = folder / "store" / "registry.ini";
    locations.defaultIniLocation = (folder / "ini").string();
    locations.tempFolder = folder.modelPath();
    platform::ProgramSettings settings;
    settings.IniLocation = locations.defaultIniLocation;
    settings.Favorites.push_back({"Web", "/vms/web/web.vmx", 4});
    ASSERT_TRUE(platform::SaveSettings(settings, locations).empty());
    const fs::path iniFile = platform::IniFilePath(settings.IniLocation);

    settings.Favorites.push_back({"Build", "/vms/build/build.vmx", 3});
    settings.ImagePath = "/srv/iso";
    // The size of the new file: save it once elsewhere.
    TempFolder probe("settings-probe");
    platform::SettingsLocations probeLocations = locations;
    probeLocations.registryStore = probe / "registry.ini";
    platform::ProgramSettings probeSettings = settings;
    probeSettings.IniLocation = probe.path().string();
    ASSERT_TRUE(platform::SaveSettings(probeSettings, probeLocations).empty());
    const std::size_t newSize = readFile(platform::IniFilePath(probeSettings.IniLocation)).size();

    std::vector<platform::SettingsProblem> problems;
    injectEveryFault(
        iniFile.parent_path(), iniFile, newSize,
        [&] { problems = platform::SaveSettings(settings, locations); },
        [&](const std::string& reason) {
            ASSERT_EQ(problems.size(), 1u);
            EXPECT_EQ(problems[0].code, platform::SettingsProblem::Code::IniWriteFailed);
            EXPECT_EQ(problems[0].file, iniFile.string());
            EXPECT_NE(problems[0].detail.find(reason), std::string::npos) << problems[0].detail;
        });
    platform::SetLanguageOffset(0);
}

} // namespace
} // namespace zentravolix::hardening
