// SPDX-License-Identifier: MIT
#include "disk/DiskInfo.h"

#include "disk/Descriptor.h"
#include "disk/DiskParameters.h"
#include "disk/SparseExtent.h"

#include "platform/TextUtil.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>

namespace zentravolix::disk {

namespace {

constexpr std::size_t kMaxDescriptorBytes = 16u << 20;
constexpr std::string_view kDescriptorSignature = "# Disk DescriptorFile";

/**
 * The value of the first occurrence of `key`. Other programs end lines in LF only (and qemu pads
 * descriptor files with NULs), so the line ends at LF, NUL or the end of the text, and a CR before
 * the LF is dropped only when it is there.
 */
std::optional<std::string> FindValue(std::string_view text, std::string_view key)
{
    const auto k = text.find(key);
    if (k == std::string_view::npos)
        return std::nullopt;
    const auto eq = text.find('=', k + key.size() - 1); // the key may end in its own "="
    if (eq == std::string_view::npos)
        return std::nullopt;
    auto end = text.find_first_of(std::string_view("\n\0", 2), eq + 1);
    if (end == std::string_view::npos)
        end = text.size();
    std::string_view value = text.substr(eq + 1, end - eq - 1);
    if (!value.empty() && value.back() == '\r')
        value.remove_suffix(1);
    value = platform::TrimSpacesAndTabs(value);
    if (!value.empty() && value.front() == '"')
        value.remove_prefix(1);
    if (!value.empty() && value.back() == '"')
        value.remove_suffix(1);
    return std::string(value);
}

template <typename T> std::optional<T> ToNumber(std::string_view s)
{
    s = platform::TrimSpacesAndTabs(s);
    T v{};
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size())
        return std::nullopt;
    return v;
}

ReadOutcome Problem(ReadProblem p, std::string detail)
{
    return ReadOutcome{p, std::move(detail)};
}

ReadOutcome Parse(std::string_view text, DiskInfo& info)
{
    auto key = [&](std::string_view k, std::string& out) {
        auto v = FindValue(text, k);
        if (v)
            out = std::move(*v);
        return v.has_value();
    };
    auto number = [&](std::string_view k, auto& out, bool& missing) -> bool {
        missing = false;
        auto v = FindValue(text, k);
        if (!v) {
            missing = true;
            return false;
        }
        auto n = ToNumber<std::remove_reference_t<decltype(out)>>(*v);
        if (n)
            out = *n;
        return n.has_value();
    };
    bool missing = false;
    if (!key("CID", info.cid))
        return Problem(ReadProblem::MissingKey, "CID");
    if (!number("ddb.virtualHWVersion", info.hardwareVersion, missing))
        return Problem(missing ? ReadProblem::MissingKey : ReadProblem::BadNumber, "ddb.virtualHWVersion");
    if (!key("createType=", info.createType))
        return Problem(ReadProblem::MissingKey, "createType");
    const std::optional<CreateType> type = ParseCreateType(info.createType);
    if (!type)
        return Problem(ReadProblem::UnknownCreateType, info.createType);
    info.typeIndex = static_cast<std::int16_t>(*type);

    // Extent lines start with their access word; "RW " inside a quoted file name is no extent.
    for (auto at = text.find("RW "); at != std::string_view::npos; at = text.find("RW ", at + 3)) {
        if (at != 0 && text[at - 1] != '\n')
            continue;
        const auto start = at + 3;
        const auto blank = text.find(' ', start);
        const auto count = ToNumber<std::int64_t>(
            text.substr(start, blank == std::string_view::npos ? blank : blank - start));
        if (!count || *count < 0 || *count > std::numeric_limits<std::int64_t>::max() - info.sectors)
            return Problem(ReadProblem::BadNumber, "RW");
        info.sectors += *count;
    }
    if (!key("ddb.adapterType", info.adapterType))
        return Problem(ReadProblem::MissingKey, "ddb.adapterType");
    info.buses = BusesOfAdapterType(info.adapterType);
    const std::pair<const char*, std::int32_t*> geometry[] = {
        {"ddb.geometry.cylinders", &info.cylinders},
        {"ddb.geometry.heads", &info.heads},
        {"ddb.geometry.sectors", &info.sectorsPerTrack}};
    for (auto [k, out] : geometry) {
        if (!number(k, *out, missing))
            return Problem(missing ? ReadProblem::MissingKey : ReadProblem::BadNumber, k);
    }
    const std::pair<const char*, std::int32_t*> bios[] = {{"ddb.geometry.biosCylinders", &info.biosCylinders},
                                                          {"ddb.geometry.biosHeads", &info.biosHeads},
                                                          {"ddb.geometry.biosSectors", &info.biosSectors}};
    info.hasBiosGeometry = true;
    for (auto [k, out] : bios) {
        if (!number(k, *out, missing)) {
            if (!missing)
                return Problem(ReadProblem::BadNumber, k);
            info.hasBiosGeometry = false;
        }
    }
    info.sizeText = SizeText(info.sectors);
    return {};
}

ReadOutcome ReadBytes(std::ifstream& in, std::uint64_t offset, std::size_t size, std::string& out)
{
    out.assign(size, '\0');
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(out.data(), static_cast<std::streamsize>(size));
    out.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return Problem(ReadProblem::CannotOpen, std::strerror(EIO));
    return {};
}

} // namespace

DiskMessage ReadOutcome::message() const
{
    switch (problem) {
    case ReadProblem::None:
        return {};
    case ReadProblem::CannotOpen:
        return {DiskText::CannotReadFile, {detail}};
    case ReadProblem::MissingKey:
        return {DiskText::MissingKey, {detail}};
    case ReadProblem::BadNumber:
        return {DiskText::NotANumber, {detail}};
    case ReadProblem::UnknownCreateType:
        return {DiskText::UnknownCreateType, {detail}};
    }
    return {};
}

ReadOutcome ParseDiskDescriptor(std::string_view text, DiskInfo& info)
{
    DiskInfo fresh;
    fresh.folder = info.folder;
    fresh.fileName = info.fileName;
    info = fresh;
    ReadOutcome outcome = Parse(text, info);
    if (!outcome)
        info = fresh;
    return outcome;
}

ReadOutcome LoadDescriptorText(const std::string& path, std::string& text)
{
    text.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return Problem(ReadProblem::CannotOpen, std::string(std::strerror(EISDIR)) + ": " + path);
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec)
        return Problem(ReadProblem::CannotOpen, ec.message() + ": " + path);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Problem(ReadProblem::CannotOpen, std::string(std::strerror(errno)) + ": " + path);
    std::string head;
    if (ReadOutcome r = ReadBytes(in, 0, 512, head); !r)
        return r;
    const SparseHeaderInfo header =
        ParseSparseHeader(reinterpret_cast<const std::uint8_t*>(head.data()), head.size());
    if (header.valid && header.descriptorOffset > 0 && header.descriptorSize > 0 &&
        header.descriptorSize * 512 <= kMaxDescriptorBytes)
        return ReadBytes(in, header.descriptorOffset * 512, header.descriptorSize * 512, text);
    std::size_t want = static_cast<std::size_t>(std::min<std::uintmax_t>(size, kMaxDescriptorBytes));
    // A text descriptor of a big split disk can pass the threshold; only other files are taken
    // as disks whose descriptor sits in their first 1024 bytes.
    if (size > kEmbeddedDescriptorThreshold && !std::string_view(head).starts_with(kDescriptorSignature))
        want = 1024;
    return ReadBytes(in, 0, want, text);
}

ReadOutcome ReadDiskDescriptor(DiskInfo& info)
{
    std::string text;
    ReadOutcome outcome = LoadDescriptorText(info.folder + info.fileName, text);
    if (!outcome) {
        ParseDiskDescriptor({}, info); // resets the fields
        return outcome;
    }
    return ParseDiskDescriptor(text, info);
}

std::string SizeText(std::int64_t sectors)
{
    char buffer[64];
    if (sectors >= 2097152) {
        const float gb = static_cast<float>(static_cast<double>(sectors) / 2097152.0);
        std::snprintf(buffer, sizeof buffer, "%.7g Gb", static_cast<double>(gb));
    } else if (sectors < 2048) {
        std::snprintf(buffer, sizeof buffer, "%.7g Kb", static_cast<double>(sectors) / 2.0);
    } else {
        std::snprintf(buffer, sizeof buffer, "%.7g Mb", static_cast<double>(sectors) / 2048.0);
    }
    return buffer;
}

std::vector<DiskMessage> DiskInformationLines(const DiskInfo& i)
{
    using std::to_string;
    std::vector<DiskMessage> lines;
    lines.push_back({DiskText::InfoDiskPath, {i.folder}});
    lines.push_back({DiskText::InfoDiskName, {i.fileName}});
    lines.push_back({DiskText::InfoDiskType, {i.createType, to_string(i.typeIndex)}});
    lines.push_back({DiskText::InfoAdapterType, {i.adapterType}});
    if (i.adapterType != "ide" && i.adapterType != "buslogic" && i.adapterType != "lsilogic") {
        std::string buses;
        for (const std::string& bus : i.buses) {
            std::string upper = bus == "nvme" ? std::string("NVMe") : bus;
            if (bus != "nvme")
                for (char& c : upper)
                    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            buses += (buses.empty() ? "" : ", ") + upper;
        }
        lines.push_back({DiskText::InfoBuses, {buses.empty() ? std::string("?") : buses}});
    }
    lines.push_back({DiskText::InfoSize, {to_string(i.sectors), i.sizeText}});
    lines.push_back({DiskText::InfoGeometry, {to_string(i.cylinders), to_string(i.heads), to_string(i.sectorsPerTrack)}});
    if (i.hasBiosGeometry)
        lines.push_back({DiskText::InfoBiosGeometry,
                         {to_string(i.biosCylinders), to_string(i.biosHeads), to_string(i.biosSectors)}});
    lines.push_back({DiskText::InfoHardwareVersion, {to_string(i.hardwareVersion)}});
    lines.push_back({DiskText::InfoCID, {i.cid}});
    return lines;
}

} // namespace zentravolix::disk
