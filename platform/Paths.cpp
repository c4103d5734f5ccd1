// SPDX-License-Identifier: MIT
#include "platform/Paths.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace zentravolix::platform {

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::filesystem::path homeFolder()
{
    std::string home = environment("HOME");
    if (!home.empty())
        return home;
    // A service started without HOME still has a password-database entry.
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir)
        return pw->pw_dir;
    return "/";
}

} // namespace

std::string GetTempFolder()
{
    std::string folder = environment("TMPDIR");
    if (folder.empty())
        folder = "/tmp";
    if (folder.back() != '/')
        folder += PathSeparator;
    return folder;
}

std::string GetCommonProgramFilesFolder()
{
    return environment("CommonProgramFiles");
}

std::filesystem::path GetConfigHomeFolder()
{
    // The XDG rules ignore a relative XDG_CONFIG_HOME.
    std::filesystem::path xdg = environment("XDG_CONFIG_HOME");
    if (xdg.is_absolute())
        return xdg;
    return homeFolder() / ".config";
}

std::filesystem::path DefaultRegistryStorePath()
{
    return GetConfigHomeFolder() / "Quindrel" / "Zentravolix" / "registry.ini";
}

std::string DefaultIniLocation()
{
    return (GetConfigHomeFolder() / "Zentravolix").string();
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    if (folder.empty())
        return std::string(name);
    std::string out(folder);
    if (out.back() != PathSeparator.front())
        out += PathSeparator;
    out += name;
    return out;
}

std::string FolderOf(std::string_view path)
{
    const auto pos = path.rfind(PathSeparator);
    if (pos == std::string_view::npos)
        return {};
    if (pos == 0)
        return std::string(PathSeparator);
    return std::string(path.substr(0, pos));
}

std::string FileNameOf(std::string_view path)
{
    const auto pos = path.rfind(PathSeparator);
    return std::string(pos == std::string_view::npos ? path : path.substr(pos + 1));
}

} // namespace zentravolix::platform
