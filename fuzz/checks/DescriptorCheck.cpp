// SPDX-License-Identifier: MIT
#include "fuzz/checks/FuzzChecks.h"

#include "disk/Descriptor.h"
#include "disk/DiskInfo.h"

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace zentravolix::fuzz {

namespace {

/** Takes the input's bytes one after the other; zeros once they run out. */
class ByteSource {
public:
    explicit ByteSource(std::string_view data) : m_data(data) {}

    std::uint64_t take(int bytes)
    {
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            value <<= 8;
            if (m_pos < m_data.size())
                value |= static_cast<unsigned char>(m_data[m_pos++]);
        }
        return value;
    }

private:
    std::string_view m_data;
    std::size_t m_pos = 0;
};

/**
 * Fields as disk creation makes them: an eight-digit hexadecimal CID, a known type and adapter,
 * extent names a user may choose. Names are kept free of "." and "=": the reader finds keys by
 * substring search from the start of the text, so a name spelling a key would be found first.
 */
disk::DescriptorFields fieldsFrom(std::string_view input)
{
    ByteSource bytes(input);
    disk::DescriptorFields fields;
    static constexpr char kHex[] = "0123456789abcdef";
    fields.cid.clear();
    for (int i = 0; i < 8; ++i)
        fields.cid += kHex[bytes.take(1) & 0xF];
    fields.createType = static_cast<disk::CreateType>(bytes.take(1) % 6);
    static constexpr char kNameChars[] = "abcXYZ019 _-()";
    const auto extents = bytes.take(1) % 4;
    for (std::uint64_t e = 0; e < extents; ++e) {
        disk::ExtentLine line;
        line.sectors = static_cast<std::int64_t>(bytes.take(5));
        line.kind = bytes.take(1) % 2 ? disk::ExtentKind::Flat : disk::ExtentKind::Sparse;
        const auto length = bytes.take(1) % 16;
        for (std::uint64_t i = 0; i < length; ++i)
            line.fileName += kNameChars[bytes.take(1) % (sizeof kNameChars - 1)];
        line.fileName += "-s00" + std::to_string(e + 1) + ".vmdk";
        fields.extents.push_back(line);
    }
    fields.virtualHWVersion = static_cast<std::int32_t>(bytes.take(2) & 0x7FFF);
    fields.geometry.cylinders = static_cast<std::int32_t>(bytes.take(4) & 0x7FFFFFFF);
    fields.geometry.heads = static_cast<std::int32_t>(bytes.take(4) & 0x7FFFFFFF);
    fields.geometry.sectorsPerTrack = static_cast<std::int32_t>(bytes.take(4) & 0x7FFFFFFF);
    static constexpr const char* kAdapters[] = {"ide", "buslogic", "lsilogic", "legacyESX"};
    fields.adapterType = kAdapters[bytes.take(1) % 4];
    return fields;
}

Finding checkRoundTrip(std::string_view input)
{
    const disk::DescriptorFields fields = fieldsFrom(input);
    const std::string text = disk::DescriptorText(fields);
    disk::DiskInfo info;
    const disk::ReadOutcome outcome = disk::ParseDiskDescriptor(text, info);
    if (!outcome)
        return "a written descriptor does not read back (problem " +
               std::to_string(static_cast<int>(outcome.problem)) + ", " + outcome.detail + "):\n" + text;
    std::int64_t sectors = 0;
    for (const auto& extent : fields.extents)
        sectors += extent.sectors;
    if (info.cid != fields.cid || info.createType != disk::CreateTypeName(fields.createType) ||
        info.typeIndex != static_cast<std::int16_t>(fields.createType) ||
        info.hardwareVersion != fields.virtualHWVersion || info.sectors != sectors ||
        info.adapterType != fields.adapterType || info.cylinders != fields.geometry.cylinders ||
        info.heads != fields.geometry.heads || info.sectorsPerTrack != fields.geometry.sectorsPerTrack ||
        info.hasBiosGeometry)
        return "a written descriptor reads back different values:\n" + text;
    return std::nullopt;
}

} // namespace

Finding CheckDescriptor(std::string_view input)
{
    disk::DiskInfo info;
    info.folder = "/disks/";
    info.fileName = "fuzz.vmdk";
    if (disk::ParseDiskDescriptor(input, info)) {
        if (info.folder != "/disks/" || info.fileName != "fuzz.vmdk")
            return std::string("the reader changed the disk's folder or name");
        (void)disk::DiskInformationLines(info);
    } else if (!info.cid.empty() || info.sectors != 0 || info.folder != "/disks/") {
        return std::string("a failed read left fields set");
    }

    // The same bytes as a disk file: a sparse header may point anywhere, the read must stay
    // within the file and within the descriptor limit.
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("zv-fuzz-disk-" + std::to_string(::getpid()) + ".vmdk");
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(input.data(), static_cast<std::streamsize>(input.size()));
    }
    std::string text;
    const disk::ReadOutcome loaded = disk::LoadDescriptorText(file.string(), text);
    std::error_code ec;
    std::filesystem::remove(file, ec);
    if (loaded && text.size() > input.size())
        return std::string("the descriptor read is larger than the file");
    if (loaded) {
        disk::DiskInfo fromFile;
        (void)disk::ParseDiskDescriptor(text, fromFile);
    }
    return checkRoundTrip(input);
}

} // namespace zentravolix::fuzz
