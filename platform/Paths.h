// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zentravolix::platform {

/** The separator every path rule of the program uses (folders end in it, names split at it). */
inline constexpr std::string_view PathSeparator = "/";

/** The user's temporary folder with a trailing "/": $TMPDIR when set and not empty, else /tmp/. */
std::string GetTempFolder();

/** The value of $CommonProgramFiles (normally unset here), or "" when unset. */
std::string GetCommonProgramFilesFolder();

/** $XDG_CONFIG_HOME when it is an absolute path, else $HOME/.config (no trailing "/"). */
std::filesystem::path GetConfigHomeFolder();

/** Where the settings store lives: <config home>/Quindrel/Zentravolix/registry.ini. */
std::filesystem::path DefaultRegistryStorePath();

/** The INI folder used until the user picks another one: <config home>/Zentravolix. */
std::string DefaultIniLocation();

/** folder + "/" + name, without doubling a separator folder already ends in; name alone when folder is "". */
std::string JoinPath(std::string_view folder, std::string_view name);

/** The part of path before its last "/" ("" when there is none; "/" for a file in the root). */
std::string FolderOf(std::string_view path);

/** The part of path after its last "/" (the whole path when there is none). */
std::string FileNameOf(std::string_view path);

} // namespace zentravolix::platform
