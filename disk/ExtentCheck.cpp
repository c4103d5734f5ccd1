// SPDX-License-Identifier: MIT
#include "disk/ExtentCheck.h"

#include <array>
#include <charconv>
#include <cstring>
#include <fstream>
#include <optional>
#include <system_error>

namespace zentravolix::disk {

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kSectorBytes = 512;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

void skipBlanks(std::string_view& s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
}

std::string_view word(std::string_view& s)
{
    skipBlanks(s);
    std::size_t n = 0;
    while (n < s.size() && !isBlank(s[n]))
        ++n;
    const std::string_view w = s.substr(0, n);
    s.remove_prefix(n);
    return w;
}

bool number(std::string_view text, std::int64_t& value)
{
    if (text.empty())
        return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 0;
}

std::optional<DescriptorExtent> parseLine(std::string_view line)
{
    DescriptorExtent e;
    const std::string_view access = word(line);
    if (access != "RW" && access != "RDONLY" && access != "NOACCESS")
        return std::nullopt;
    e.access = access;
    if (!number(word(line), e.sectors))
        return std::nullopt;
    e.type = word(line);
    if (e.type.empty())
        return std::nullopt;
    skipBlanks(line);
    if (e.type == "ZERO")
        return e;
    if (line.empty() || line.front() != '"')
        return std::nullopt;
    line.remove_prefix(1);
    const auto quote = line.find('"');
    if (quote == std::string_view::npos)
        return std::nullopt;
    e.fileName = line.substr(0, quote);
    line.remove_prefix(quote + 1);
    const std::string_view offset = word(line);
    if (!offset.empty() && !number(offset, e.offset))
        return std::nullopt;
    return e;
}

bool isFlat(const std::string& type)
{
    return type == "FLAT" || type == "VMFS";
}

} // namespace

std::vector<DescriptorExtent> ParseExtentLines(std::string_view descriptor)
{
    std::vector<DescriptorExtent> extents;
    std::int32_t number = 0;
    while (!descriptor.empty()) {
        auto end = descriptor.find_first_of("\r\n");
        std::string_view line = descriptor.substr(0, end);
        if (end == std::string_view::npos) {
            descriptor = {};
        } else {
            descriptor.remove_prefix(end + ((descriptor[end] == '\r' && end + 1 < descriptor.size() &&
                                             descriptor[end + 1] == '\n')
                                                ? 2
                                                : 1));
        }
        ++number;
        // An embedded descriptor ends at its first NUL byte.
        if (const auto nul = line.find('\0'); nul != std::string_view::npos) {
            line = line.substr(0, nul);
            descriptor = {};
        }
        if (auto extent = parseLine(line)) {
            extent->line = number;
            extents.push_back(std::move(*extent));
        }
    }
    return extents;
}

ExtentCheck CheckExtent(const fs::path& folder, const DescriptorExtent& extent)
{
    ExtentCheck check;
    if (extent.type == "ZERO" || extent.fileName.empty())
        return check;
    const fs::path name(extent.fileName);
    check.path = name.is_absolute() ? name : folder / name;
    std::error_code ec;
    const fs::file_status status = fs::status(check.path, ec);
    if (status.type() == fs::file_type::not_found) {
        check.state = ExtentState::Missing;
        return check;
    }
    if (ec || status.type() != fs::file_type::regular) {
        check.state = ec ? ExtentState::Unreadable : ExtentState::NotAFile;
        return check;
    }
    if (isFlat(extent.type)) {
        const auto size = fs::file_size(check.path, ec);
        if (ec) {
            check.state = ExtentState::Unreadable;
            return check;
        }
        if (static_cast<std::int64_t>(size) / kSectorBytes < extent.offset + extent.sectors) {
            check.state = ExtentState::TooSmall;
            check.actual = static_cast<std::int64_t>(size);
        }
        return check;
    }
    if (extent.type == "SPARSE") {
        // Hosted sparse header: "KDMV", version, flags, then the capacity in sectors (little endian).
        std::array<unsigned char, 20> header{};
        std::ifstream in(check.path, std::ios::binary);
        if (!in.read(reinterpret_cast<char*>(header.data()), header.size())) {
            check.state = ExtentState::Unreadable;
            return check;
        }
        if (std::memcmp(header.data(), "KDMV", 4) != 0) {
            check.state = ExtentState::Unreadable;
            return check;
        }
        std::uint64_t capacity = 0;
        for (int i = 7; i >= 0; --i)
            capacity = (capacity << 8) | header[static_cast<std::size_t>(12 + i)];
        if (capacity != static_cast<std::uint64_t>(extent.sectors)) {
            check.state = ExtentState::WrongCapacity;
            check.actual = static_cast<std::int64_t>(capacity);
        }
    }
    return check;
}

} // namespace zentravolix::disk
