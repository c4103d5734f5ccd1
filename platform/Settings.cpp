// SPDX-License-Identifier: MIT
#include "platform/Settings.h"

#include "platform/IniDocument.h"
#include "platform/IoError.h"
#include "platform/Paths.h"
#include "platform/RegistryStore.h"
#include "platform/TextUtil.h"
#include "platform/cRegistry.h"

#include <optional>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

namespace zentravolix::platform {

namespace {

constexpr const char* kRegistryKey = "Software\\Quindrel\\Zentravolix";
constexpr const char* kIniLocationValue = "IniLocation";
constexpr const char* kIniFileName = "Zentravolix.ini";
constexpr const char* kGeneral = "General";
constexpr const char* kFavorites = "Favorites";
constexpr const char* kFavoriteKeyPrefix = "Favorite";
constexpr const char* kShowSavePreview = "ShowSavePreview";
constexpr const char* kGeneralKeys[] = {"CreateBackups", "LaunchApplication", "LanguageOffset", "ImagePath"};

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

bool storeIniLocation(const SettingsLocations& locations, const std::string& iniLocation,
                      std::vector<SettingsProblem>& problems)
{
    // A store that cannot be written must not end the program: the settings still work for
    // this session, and the caller shows a message made from the problem's detail.
    try {
        iniLocationValue(locations).SetValue(iniLocation);
        return true;
    } catch (const RegistryError& e) {
        problems.push_back({SettingsProblem::Code::RegistryWriteFailed, locations.registryStore.string(),
                            kIniLocationValue, e.what()});
        return false;
    }
}

bool readBackupFlag(const std::string& text, const std::string& file, std::vector<SettingsProblem>& problems)
{
    // Stored as a number (-1 on, 0 off); any other non-zero number also means on.
    if (const auto number = ParseInteger(text, INT64_MIN, INT64_MAX))
        return *number != 0;
    const std::string_view trimmed = TrimBlanks(text);
    if (EqualsIgnoreCase(trimmed, "true"))
        return true;
    if (EqualsIgnoreCase(trimmed, "false"))
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

/** The record a "Favorite" value holds, or the problem that keeps it from being one. */
std::optional<FavoriteRecord> parseFavorite(const std::string& value, SettingsProblem::Code& problem)
{
    const auto parts = splitAtTabs(value);
    if (parts.size() < 3) {
        problem = SettingsProblem::Code::FavoriteTooFewParts;
        return std::nullopt;
    }
    const auto version = ParseInteger(parts[2], INT16_MIN, INT16_MAX);
    if (!version) {
        problem = SettingsProblem::Code::FavoriteBadVersion;
        return std::nullopt;
    }
    return FavoriteRecord{std::string(parts[0]), std::string(parts[1]), static_cast<std::int16_t>(*version),
                          false};
}

void loadFavorites(const IniDocument& ini, const std::string& file, ProgramSettings& settings,
                   std::vector<SettingsProblem>& problems)
{
    settings.Favorites.clear();
    // AddFavorite's rule (a later record of a known name replaces it in place), with an index
    // by name so that a long list loads in linear time.
    const std::vector<IniEntry> entries = ini.entries(kFavorites);
    std::unordered_map<std::string, std::size_t> byName;
    byName.reserve(entries.size());
    settings.Favorites.reserve(entries.size());
    for (const IniEntry& entry : entries) {
        const std::string value = entry.value.value_or(std::string());
        SettingsProblem::Code problem{};
        std::optional<FavoriteRecord> record = parseFavorite(value, problem);
        if (!record) {
            problems.push_back({problem, file, entry.key, value});
            continue;
        }
        const auto [known, added] = byName.emplace(record->DisplayName, settings.Favorites.size());
        if (added)
            settings.Favorites.push_back(std::move(*record));
        else
            settings.Favorites[known->second] = std::move(*record);
    }
}

bool storable(std::string_view text)
{
    // TABs separate the parts of a favourite and line breaks end an INI line.
    return text.find_first_of("\t\r\n") == std::string_view::npos;
}

bool sameStoredRecord(const FavoriteRecord& a, const FavoriteRecord& b)
{
    return a.VmxPath == b.VmxPath && a.ConfigVersion == b.ConfigVersion; // OpenInTab is not stored
}

/** "Favorite" followed by digits, in any letter case: the keys the saver numbers itself. */
bool isNumberedFavoriteKey(std::string_view key)
{
    const std::size_t prefix = std::char_traits<char>::length(kFavoriteKeyPrefix);
    if (key.size() <= prefix || !EqualsIgnoreCase(key.substr(0, prefix), kFavoriteKeyPrefix))
        return false;
    return key.find_first_not_of("0123456789", prefix) == std::string_view::npos;
}

/**
 * The "Favorites" section as it is to be written: the file's lines in their order with the
 * session's changes applied (a removed name's lines left out, a changed record in place of the
 * first line of its name and the later ones left out), then the records the session added.
 * Lines that hold no record are kept as they are. Keys are renumbered by position.
 */
std::vector<IniEntry> mergedFavorites(const IniDocument& ini, const std::vector<FavoriteRecord>& loaded,
                                      const std::vector<FavoriteRecord>& session, const std::string& file,
                                      std::vector<SettingsProblem>& problems)
{
    std::unordered_map<std::string_view, const FavoriteRecord*> before;
    before.reserve(loaded.size());
    for (const FavoriteRecord& record : loaded)
        before.emplace(record.DisplayName, &record);

    // What this session did: names it removed, and records it added or changed.
    std::unordered_map<std::string_view, const FavoriteRecord*> now;
    std::unordered_map<std::string_view, bool> changed; // name -> already written
    now.reserve(session.size());
    for (const FavoriteRecord& record : session) {
        if (!now.emplace(record.DisplayName, &record).second)
            continue;
        const auto old = before.find(record.DisplayName);
        if (old != before.end() && sameStoredRecord(*old->second, record))
            continue;
        // A record the format cannot hold changes nothing: the file keeps what it has.
        if (!storable(record.DisplayName) || !storable(record.VmxPath)) {
            problems.push_back(
                {SettingsProblem::Code::FavoriteNotStorable, file, record.DisplayName, record.VmxPath});
            continue;
        }
        changed.emplace(record.DisplayName, false);
    }

    std::vector<IniEntry> out;
    out.reserve(session.size() + 16);
    const auto add = [&](std::string key, std::optional<std::string> value) {
        out.push_back({std::move(key), std::move(value)});
    };
    const auto line = [](const FavoriteRecord& record) {
        return record.DisplayName + "\t" + record.VmxPath + "\t" + std::to_string(record.ConfigVersion);
    };

    for (IniEntry& entry : ini.keyLines(kFavorites)) {
        SettingsProblem::Code problem{};
        const std::optional<FavoriteRecord> record =
            entry.value ? parseFavorite(*entry.value, problem) : std::nullopt;
        if (!record) {
            // Not a record the program can read: the user's text stays for them to mend. Only a
            // bare name that is not one of the numbered keys keeps its spelling.
            std::string key = entry.value || isNumberedFavoriteKey(entry.key) ? std::string() : entry.key;
            add(std::move(key), std::move(entry.value));
            continue;
        }
        const std::string_view name = record->DisplayName;
        if (const auto change = changed.find(name); change != changed.end()) {
            if (!change->second)
                add({}, line(*now.at(name)));
            change->second = true;
            continue;
        }
        if (before.count(name) != 0 && now.count(name) == 0)
            continue; // removed in this session
        add({}, std::move(entry.value));
    }

    for (const FavoriteRecord& record : session) {
        const auto change = changed.find(record.DisplayName);
        if (change != changed.end() && !change->second) {
            add({}, line(record));
            change->second = true;
        }
    }

    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i].key.empty())
            out[i].key = kFavoriteKeyPrefix + std::to_string(i);
    }
    return out;
}

/** Whether saving into file would change nothing: the session kept what was loaded from it. */
bool unchangedSinceLoad(const ProgramSettings& settings, const std::string& file)
{
    const LoadedSettings& loaded = settings.Loaded;
    if (loaded.iniFile != file || !loaded.complete || settings.CreateBackups != loaded.CreateBackups ||
        settings.LaunchApplication != loaded.LaunchApplication ||
        settings.LanguageOffset != loaded.LanguageOffset || settings.ImagePath != loaded.ImagePath ||
        settings.ShowSavePreview != loaded.ShowSavePreview || settings.Favorites.size() != loaded.Favorites.size())
        return false;
    for (std::size_t i = 0; i < settings.Favorites.size(); ++i) {
        const FavoriteRecord& now = settings.Favorites[i];
        if (now.DisplayName != loaded.Favorites[i].DisplayName || !sameStoredRecord(now, loaded.Favorites[i]))
            return false;
    }
    return true;
}

/**
 * Reads file again and writes this session's changes on top of it (see SaveSettings); loaded is
 * what the session started from in this file, or nothing.
 */
void mergeIntoIniFile(const ProgramSettings& settings, const std::string& file, const LoadedSettings& loaded,
                      std::vector<SettingsProblem>& problems)
{
    const bool sameFile = !loaded.iniFile.empty();
    try {
        // The file is read again now: another instance may have saved since, or the file could
        // not be read at start-up. A file that cannot be read is not overwritten.
        IniDocument ini = IniDocument::load(file);
        const std::string before = ini.text();
        struct General {
            const char* key;
            std::string value;
            bool changed;
            const char* defaultValue;
        };
        const General general[] = {
            {"CreateBackups", settings.CreateBackups ? "-1" : "0",
             !sameFile || settings.CreateBackups != loaded.CreateBackups, "-1"},
            {"LaunchApplication", settings.LaunchApplication,
             !sameFile || settings.LaunchApplication != loaded.LaunchApplication, ""},
            {"LanguageOffset", std::to_string(settings.LanguageOffset),
             !sameFile || settings.LanguageOffset != loaded.LanguageOffset, "0"},
            {"ImagePath", settings.ImagePath, !sameFile || settings.ImagePath != loaded.ImagePath, ""},
        };
        for (const General& item : general) {
            // An unchanged value is written only where the file lacks the key and the value is
            // what a read would give anyway: that completes a new file and changes nothing.
            if (!item.changed && (ini.value(kGeneral, item.key) || item.value != item.defaultValue))
                continue;
            try {
                ini.setValue(kGeneral, item.key, item.value);
            } catch (const std::invalid_argument&) {
                problems.push_back({SettingsProblem::Code::SettingNotStorable, file, item.key, item.value});
            }
        }
        // Stored only once switched off (or on again): a file without it shows the preview.
        const bool previewChanged = sameFile ? settings.ShowSavePreview != loaded.ShowSavePreview
                                             : !settings.ShowSavePreview;
        if (previewChanged || ini.value(kGeneral, kShowSavePreview))
            ini.setValue(kGeneral, kShowSavePreview, settings.ShowSavePreview ? "-1" : "0");

        ini.replaceSection(kFavorites, mergedFavorites(ini, loaded.Favorites, settings.Favorites, file, problems));
        if (ini.text() != before)
            ini.save(file);
    } catch (const IoError& e) {
        problems.push_back({SettingsProblem::Code::IniWriteFailed, file, {}, e.what()});
    }
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
    settings.Loaded = {};

    // A store that exists but cannot be read still holds the user's INI folder: use the default
    // one for this session, but leave the store alone.
    bool storeReadable = true;
    try {
        RegistryStore::load(locations.registryStore);
    } catch (const IoError& e) {
        storeReadable = false;
        problems.push_back({SettingsProblem::Code::StoreUnreadable, locations.registryStore.string(),
                            kIniLocationValue, e.reason()});
    }
    settings.IniLocation = storeReadable ? iniLocationValue(locations).StringValue() : std::string();
    settings.Loaded.IniLocation = settings.IniLocation;
    if (settings.IniLocation.empty()) {
        settings.IniLocation = locations.defaultIniLocation;
        if (!storeReadable) {
            settings.Loaded.IniLocation = settings.IniLocation; // rewritten only when changed
        } else if (storeIniLocation(locations, settings.IniLocation, problems)) {
            settings.Loaded.IniLocation = settings.IniLocation;
        }
    }

    const std::string file = IniFilePath(settings.IniLocation);
    settings.Loaded.iniFile = file;
    IniDocument ini;
    bool readable = true;
    try {
        ini = IniDocument::load(file);
    } catch (const IoError& e) {
        readable = false;
        problems.push_back({SettingsProblem::Code::IniUnreadable, file, {}, e.reason()});
    }
    settings.Loaded.complete = readable;
    for (const char* key : kGeneralKeys)
        settings.Loaded.complete = settings.Loaded.complete && ini.value(kGeneral, key).has_value();

    settings.CreateBackups =
        readBackupFlag(ini.value(kGeneral, "CreateBackups").value_or("-1"), file, problems);
    settings.LaunchApplication = ini.value(kGeneral, "LaunchApplication").value_or("");
    const std::string offsetText = ini.value(kGeneral, "LanguageOffset").value_or("0");
    const auto offset = ParseInteger(offsetText, INT32_MIN, INT32_MAX);
    if (!offset)
        problems.push_back({SettingsProblem::Code::BadLanguageOffset, file, "LanguageOffset", offsetText});
    settings.LanguageOffset = static_cast<std::int32_t>(offset.value_or(0));
    settings.ImagePath = ini.value(kGeneral, "ImagePath").value_or("");
    // Any value but a zero (or "false") leaves the preview on, as it is when the key is missing.
    const std::string previewText = ini.value(kGeneral, kShowSavePreview).value_or("-1");
    const auto previewNumber = ParseInteger(previewText, INT64_MIN, INT64_MAX);
    settings.ShowSavePreview =
        previewNumber ? *previewNumber != 0 : !EqualsIgnoreCase(TrimBlanks(previewText), "false");

    loadFavorites(ini, file, settings, problems);

    settings.Loaded.CreateBackups = settings.CreateBackups;
    settings.Loaded.LaunchApplication = settings.LaunchApplication;
    settings.Loaded.LanguageOffset = settings.LanguageOffset;
    settings.Loaded.ImagePath = settings.ImagePath;
    settings.Loaded.ShowSavePreview = settings.ShowSavePreview;
    settings.Loaded.Favorites = settings.Favorites;
    return problems;
}

std::vector<SettingsProblem> SaveSettings(const ProgramSettings& settings, const SettingsLocations& locations)
{
    std::vector<SettingsProblem> problems;
    const std::string file = IniFilePath(settings.IniLocation);
    // A session that changed nothing leaves the file as it is now, unread (a long one takes a
    // while to read and merge). Values loaded from another file (or none) say nothing about this
    // one: there all of the session's values count as changed.
    if (!unchangedSinceLoad(settings, file)) {
        const LoadedSettings nothingLoaded;
        mergeIntoIniFile(settings, file, settings.Loaded.iniFile == file ? settings.Loaded : nothingLoaded,
                         problems);
    }

    if (settings.IniLocation != settings.Loaded.IniLocation)
        storeIniLocation(locations, settings.IniLocation, problems);
    return problems;
}

} // namespace zentravolix::platform
