// SPDX-License-Identifier: MIT
#include "platform/Settings.h"

#include "platform/IniDocument.h"
#include "platform/IoError.h"
#include "platform/Paths.h"
#include "platform/TextTable.h"
#include "platform/TextUtil.h"
#include "platform/cRegistry.h"

#include <stdexcept>

namespace zentravolix::platform {

namespace {

constexpr const char* kRegistryKey = "Software\\Quindrel\\Zentravolix";
constexpr const char* kIniLocationValue = "IniLocation";
constexpr const char* kIniFileName = "Zentravolix.ini";
constexpr const char* kGeneral = "General";
constexpr const char* kFavorites = "Favorites";
constexpr const char* kFavoriteKeyPrefix = "Favorite";

cRegistry iniLocationValue(const SettingsLocations& locations)
{
    cRegistry registry(locations.registryStore);
    registry.SetClassKey(kHkeyCurrentUser);
    registry.SetSectionKey(kRegistryKey);
    registry.SetValueKey(kIniLocationValue);
    registry.SetValueType(RegistryType::String);
    registry.SetDefault(std::string());
    return registry;
}

void storeIniLocation(const SettingsLocations& locations, const std::string& iniLocation,
                      std::vector<SettingsProblem>& problems)
{
    // A store that cannot be written must not end the program: the settings still work for
    // this session, and the caller shows a message made from the problem's detail.
    try {
        iniLocationValue(locations).SetValue(iniLocation);
    } catch (const RegistryError& e) {
        problems.push_back({SettingsProblem::Code::RegistryWriteFailed, locations.registryStore.string(),
                            kIniLocationValue, e.what()});
    }
}

bool readBackupFlag(const std::string& text, const std::string& file, std::vector<SettingsProblem>& problems)
{
    // Stored as a number (-1 on, 0 off); any other non-zero number also means on.
    if (const auto number = ParseInteger(text, INT64_MIN, INT64_MAX))
        return *number != 0;
    const std::string_view trimmed = TrimBlanks(text);
    if (EqualsIgnoringCase(trimmed, "true"))
        return true;
    if (EqualsIgnoringCase(trimmed, "false"))
        return false;
    problems.push_back({SettingsProblem::Code::BadCreateBackups, file, "CreateBackups", text});
    return true;
}

std::vector<std::string_view> splitAtTabs(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const auto tab = text.find('\t', start);
        parts.push_back(text.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return parts;
        start = tab + 1;
    }
}

void loadFavorites(const IniDocument& ini, const std::string& file, ProgramSettings& settings,
                   std::vector<SettingsProblem>& problems)
{
    settings.Favorites.clear();
    for (const IniEntry& entry : ini.entries(kFavorites)) {
        const std::string value = entry.value.value_or(std::string());
        const auto parts = splitAtTabs(value);
        if (parts.size() < 3) {
            problems.push_back({SettingsProblem::Code::FavoriteTooFewParts, file, entry.key, value});
            continue;
        }
        const auto version = ParseInteger(parts[2], INT16_MIN, INT16_MAX);
        if (!version) {
            problems.push_back({SettingsProblem::Code::FavoriteBadVersion, file, entry.key, value});
            continue;
        }
        AddFavorite(settings.Favorites, {std::string(parts[0]), std::string(parts[1]),
                                         static_cast<std::int16_t>(*version), false});
    }
}

bool storable(std::string_view text)
{
    // TABs separate the parts of a favourite and line breaks end an INI line.
    return text.find_first_of("\t\r\n") == std::string_view::npos;
}

} // namespace

SettingsLocations SettingsLocations::FromEnvironment()
{
    return {DefaultRegistryStorePath(), DefaultIniLocation(), GetTempFolder()};
}

std::string IniFilePath(const std::string& iniLocation)
{
    return JoinPath(iniLocation, kIniFileName);
}

std::vector<SettingsProblem> LoadSettings(ProgramSettings& settings, const SettingsLocations& locations)
{
    std::vector<SettingsProblem> problems;
    settings.TempPath = locations.tempFolder;

    settings.IniLocation = iniLocationValue(locations).StringValue();
    if (settings.IniLocation.empty()) {
        settings.IniLocation = locations.defaultIniLocation;
        storeIniLocation(locations, settings.IniLocation, problems);
    }

    const std::string file = IniFilePath(settings.IniLocation);
    IniDocument ini;
    try {
        ini = IniDocument::load(file);
    } catch (const IoError& e) {
        problems.push_back({SettingsProblem::Code::IniUnreadable, file, {}, e.reason()});
    }

    settings.CreateBackups =
        readBackupFlag(ini.value(kGeneral, "CreateBackups").value_or("-1"), file, problems);
    settings.LaunchApplication = ini.value(kGeneral, "LaunchApplication").value_or("");
    const std::string offsetText = ini.value(kGeneral, "LanguageOffset").value_or("0");
    const auto offset = ParseInteger(offsetText, INT32_MIN, INT32_MAX);
    if (!offset)
        problems.push_back({SettingsProblem::Code::BadLanguageOffset, file, "LanguageOffset", offsetText});
    SetLanguageOffset(static_cast<std::int32_t>(offset.value_or(0)));
    settings.ImagePath = ini.value(kGeneral, "ImagePath").value_or("");

    loadFavorites(ini, file, settings, problems);
    return problems;
}

std::vector<SettingsProblem> SaveSettings(const ProgramSettings& settings, const SettingsLocations& locations)
{
    std::vector<SettingsProblem> problems;
    const std::string file = IniFilePath(settings.IniLocation);
    try {
        // The whole file is changed in memory and replaced once, so a failure leaves the old
        // settings complete rather than half rewritten.
        IniDocument ini = IniDocument::load(file);
        const std::pair<const char*, std::string> general[] = {
            {"CreateBackups", settings.CreateBackups ? "-1" : "0"},
            {"LaunchApplication", settings.LaunchApplication},
            {"LanguageOffset", std::to_string(LanguageOffset())},
            {"ImagePath", settings.ImagePath},
        };
        for (const auto& [key, value] : general) {
            try {
                ini.setValue(kGeneral, key, value);
            } catch (const std::invalid_argument&) {
                problems.push_back({SettingsProblem::Code::SettingNotStorable, file, key, value});
            }
        }

        std::vector<std::pair<std::string, std::string>> favorites;
        favorites.reserve(settings.Favorites.size());
        for (const FavoriteRecord& record : settings.Favorites) {
            const std::string key = kFavoriteKeyPrefix + std::to_string(favorites.size());
            if (!storable(record.DisplayName) || !storable(record.VmxPath)) {
                problems.push_back(
                    {SettingsProblem::Code::FavoriteNotStorable, file, record.DisplayName, record.VmxPath});
                continue;
            }
            favorites.emplace_back(key, record.DisplayName + "\t" + record.VmxPath + "\t" +
                                            std::to_string(record.ConfigVersion));
        }
        ini.replaceSection(kFavorites, favorites);
        ini.save(file);
    } catch (const IoError& e) {
        problems.push_back({SettingsProblem::Code::IniWriteFailed, file, {}, e.what()});
    }

    storeIniLocation(locations, settings.IniLocation, problems);
    return problems;
}

} // namespace zentravolix::platform
