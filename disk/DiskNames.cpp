// SPDX-License-Identifier: MIT
#include "disk/DiskNames.h"

#include <filesystem>

namespace zentravolix::disk {

DiskNames ApplyNameRule(std::string_view text)
{
    static constexpr std::string_view suffix = ".vmdk";
    DiskNames names;
    names.diskName = std::string(text);
    if (!text.ends_with(suffix))
        names.diskName += suffix;
    const auto slash = names.diskName.rfind(kPathSeparator);
    names.folder = slash == std::string::npos ? std::string() : names.diskName.substr(0, slash + 1);
    // After the rule the last "." is always the one of ".vmdk".
    names.basePath = names.diskName.substr(0, names.diskName.rfind('.'));
    const auto baseSlash = names.basePath.rfind(kPathSeparator);
    names.baseName = baseSlash == std::string::npos ? names.basePath : names.basePath.substr(baseSlash + 1);
    return names;
}

std::error_code EnsureDiskFolder(const std::string& folder, bool& created)
{
    created = false;
    std::error_code ec;
    if (folder.empty())
        return ec;
    const std::filesystem::path path(folder);
    if (std::filesystem::is_directory(path, ec))
        return {};
    created = std::filesystem::create_directory(path, ec);
    if (!ec && !created)
        ec = std::make_error_code(std::errc::not_a_directory);
    return ec;
}

DiskText UnwritableNameReason(const DiskNames& names, bool fullPathWritten)
{
    const std::string& written = fullPathWritten ? names.basePath : names.baseName;
    const auto at = written.find_first_of("\"\r\n");
    if (at == std::string::npos)
        return DiskText::None;
    switch (written[at]) {
    case '"':
        return DiskText::NameHasDoubleQuote;
    case '\r':
        return DiskText::NameHasCarriageReturn;
    default:
        return DiskText::NameHasLineBreak;
    }
}

std::string ExtentNumber(int n)
{
    std::string digits = std::to_string(n);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    return digits;
}

} // namespace zentravolix::disk
