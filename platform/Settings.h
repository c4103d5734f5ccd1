// SPDX-License-Identifier: MIT
#pragma once

#include "platform/FavoriteRecord.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zentravolix::platform {

/**
 * The program's settings, owned by the main window and passed to whoever needs them.
 * The interface language is the one process-wide value and lives in TextTable.h
 * (LanguageOffset()); LoadSettings sets it and SaveSettings stores it.
 */
struct ProgramSettings {
    bool CreateBackups = true;     ///< copy an existing .vmx before overwriting it
    std::string LaunchApplication; ///< program that launches a .vmx; "" = the desktop's opener
    std::string ImagePath;         ///< start folder of the floppy and CD-ROM image dialogs
    std::string IniLocation;       ///< folder of Zentravolix.ini
    std::string TempPath;          ///< the user's temporary folder, with trailing "/"
    std::vector<FavoriteRecord> Favorites;
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
 * written back at once), then section "General" of the INI file with its defaults, the
 * language offset (set process-wide), and the favourites of section "Favorites" in file order
 * (a later duplicate name replaces the earlier record). settings.TempPath becomes
 * locations.tempFolder. Never throws; malformed values are skipped and reported.
 */
std::vector<SettingsProblem>
LoadSettings(ProgramSettings& settings,
             const SettingsLocations& locations = SettingsLocations::FromEnvironment());

/**
 * Writes "General" (CreateBackups as -1 or 0, LaunchApplication, LanguageOffset, ImagePath) and
 * rewrites "Favorites" ("Favorite0", ...: name TAB path TAB version) in one atomic replacement
 * of the INI file, then stores IniLocation. Never throws; failures are reported.
 */
std::vector<SettingsProblem>
SaveSettings(const ProgramSettings& settings,
             const SettingsLocations& locations = SettingsLocations::FromEnvironment());

} // namespace zentravolix::platform
