// SPDX-License-Identifier: MIT
#pragma once

#include "platform/FavoriteRecord.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zentravolix::platform {

/**
 * What LoadSettings found, kept so that SaveSettings writes only what the session changed:
 * another instance may have saved in between, or the file could not be read at start-up.
 */
struct LoadedSettings {
    std::string iniFile;       ///< the INI file the values came from; "" before any load
    bool complete = false;     ///< the file was read and held every "General" key
    std::string IniLocation;   ///< what the store held; "" when it held none
    bool CreateBackups = true; ///< the values the session started with (defaults where missing)
    std::string LaunchApplication;
    std::int32_t LanguageOffset = 0;
    std::string ImagePath;
    bool ShowSavePreview = true;
    std::vector<FavoriteRecord> Favorites;
};

/**
 * The program's settings, owned by the main window and passed to whoever needs them.
 * LanguageOffset is the language the settings name; the texts are shown in the process-wide
 * language of TextTable.h, which the program sets from it (loading the settings does not).
 */
struct ProgramSettings {
    bool CreateBackups = true;     ///< copy an existing .vmx before overwriting it
    std::string LaunchApplication; ///< program that launches a .vmx; "" = the desktop's opener
    std::string ImagePath;         ///< start folder of the floppy and CD-ROM image dialogs
    bool ShowSavePreview = true;   ///< show what a save changes before it replaces a file
    std::int32_t LanguageOffset = 0; ///< interface language: 0 English, 500 German, ... 2000 Italian
    std::string IniLocation;       ///< folder of Zentravolix.ini
    std::string TempPath;          ///< the user's temporary folder, with trailing "/"
    std::vector<FavoriteRecord> Favorites;
    LoadedSettings Loaded; ///< set by LoadSettings; compared with the values above at save
};

/** Where the settings live; FromEnvironment() gives the program's places. */
struct SettingsLocations {
    std::filesystem::path registryStore; ///< the store file holding IniLocation
    std::string defaultIniLocation;      ///< INI folder used while the store names none
    std::string tempFolder;              ///< becomes TempPath

    static SettingsLocations FromEnvironment();
};

/** Something LoadSettings or SaveSettings could not do; the rest was done. */
struct SettingsProblem {
    enum class Code {
        IniUnreadable,       ///< the INI file exists but cannot be read: defaults used
        StoreUnreadable,     ///< the store exists but cannot be read: the default INI folder used
        IniWriteFailed,      ///< the INI file could not be written (detail: path and reason)
        RegistryWriteFailed, ///< IniLocation could not be stored (detail: the error description)
        BadCreateBackups,    ///< "CreateBackups" is not a number: backups stay on
        BadLanguageOffset,   ///< "LanguageOffset" is not a 32-bit number: English used
        FavoriteTooFewParts, ///< a "Favorite" value without name, TAB, path, TAB, version: skipped
        FavoriteBadVersion,  ///< a "Favorite" version that is not a 16-bit number: skipped
        FavoriteNotStorable, ///< a favourite whose name or path holds a line break: not saved
        SettingNotStorable,  ///< a "General" value holding a line break: not saved
    };
    Code code;
    std::string file;   ///< the INI or store file concerned
    std::string key;    ///< the key concerned, "" when none
    std::string detail; ///< the offending value, or the system's reason
};

/** IniLocation + "/Zentravolix.ini". */
std::string IniFilePath(const std::string& iniLocation);

/**
 * Reads the settings: IniLocation from the store (when it names none, the default folder,
 * written back at once; when the store cannot be read, the default folder for this session),
 * then section "General" of the INI file with its defaults (settings.LanguageOffset among them; the
 * process-wide language is left alone), and the favourites of section "Favorites" in file order (a later duplicate
 * name replaces the earlier record). settings.TempPath becomes locations.tempFolder, and
 * settings.Loaded what was read. Never throws; malformed values are skipped and reported.
 * Files that are not regular files are refused, never waited on.
 */
std::vector<SettingsProblem>
LoadSettings(ProgramSettings& settings,
             const SettingsLocations& locations = SettingsLocations::FromEnvironment());

/**
 * Writes what the session changed since LoadSettings on top of the INI file as it is now, in one
 * atomic replacement: the "General" values that differ from settings.Loaded, and the defaults the
 * file lacks (CreateBackups as -1 or 0, LaunchApplication, LanguageOffset, ImagePath); in "Favorites"
 * the records the session added, changed or removed, every other line of the file kept (also
 * the ones the loader skipped), renumbered "Favorite0", ... (name TAB path TAB version). An INI
 * folder other than the loaded one gets all of the session's values. IniLocation is stored when
 * it differs from what the store held. The file is not rewritten when nothing changes, nor when
 * it cannot be read now. Never throws; failures are reported.
 */
std::vector<SettingsProblem>
SaveSettings(const ProgramSettings& settings,
             const SettingsLocations& locations = SettingsLocations::FromEnvironment());

} // namespace zentravolix::platform
