// SPDX-License-Identifier: MIT
// The product catalog, read once from the table the build compiled in (products.tsv).
#include <tarvonel/ProductCatalog.h>

#include <algorithm>
#include <charconv>
#include <string_view>

namespace tarvonel {

namespace detail {
extern const std::string_view kProductCatalogText;
}

namespace {

std::vector<std::string_view> splitOn(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

template <typename Int>
bool parseNumber(std::string_view text, Int& out)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

std::vector<std::string> words(std::string_view text)
{
    std::vector<std::string> list;
    for (std::string_view word : splitOn(text, ' ')) {
        if (!word.empty())
            list.emplace_back(word);
    }
    return list;
}

/** The columns in the order the header names them; a row is read by name, not by position. */
class Row {
public:
    Row(const std::vector<std::string_view>& header, const std::vector<std::string_view>& fields)
        : m_header(header), m_fields(fields)
    {
    }

    std::string_view text(std::string_view column)
    {
        const auto it = std::find(m_header.begin(), m_header.end(), column);
        if (it == m_header.end()) {
            m_ok = false;
            return {};
        }
        return m_fields[static_cast<std::size_t>(it - m_header.begin())];
    }

    template <typename Int>
    Int number(std::string_view column)
    {
        Int value{};
        if (!parseNumber(text(column), value))
            m_ok = false;
        return value;
    }

    bool flag(std::string_view column) { return number<int>(column) != 0; }

    bool ok() const { return m_ok; }

private:
    const std::vector<std::string_view>& m_header;
    const std::vector<std::string_view>& m_fields;
    bool m_ok = true;
};

std::vector<ProductVersionInfo> parseCatalog(std::string_view text)
{
    std::vector<ProductVersionInfo> rows;
    std::vector<std::string_view> header;
    for (std::string_view line : splitOn(text, '\n')) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        const auto fields = splitOn(line, '\t');
        if (header.empty()) {
            header = fields;
            continue;
        }
        // A row that does not fit the header is left out; the catalog's tests count the rows.
        if (fields.size() != header.size())
            continue;
        Row row(header, fields);
        ProductVersionInfo info;
        info.TargetPlatform = row.number<std::int16_t>("platform");
        info.PlatformVersion = row.number<std::int16_t>("version");
        info.PlatformName = row.text("platformName");
        info.Caption = row.text("caption");
        info.ConfigVersion = row.number<std::int16_t>("configVersion");
        info.HardwareVersion = row.number<std::int16_t>("hardwareVersion");
        info.MaxCPUs = row.number<std::int16_t>("maxCPUs");
        info.MaxCoresPerSocket = row.number<std::int16_t>("maxCoresPerSocket");
        info.MaxMemoryMB = row.number<std::int32_t>("maxMemoryMB");
        info.MaxNICs = row.number<std::int16_t>("maxNICs");
        info.MaxSCSIControllers = row.number<std::int16_t>("maxSCSIControllers");
        info.MaxSATAControllers = row.number<std::int16_t>("maxSATAControllers");
        info.MaxNVMeControllers = row.number<std::int16_t>("maxNVMeControllers");
        info.MaxIdeDiskSectors = row.number<std::int64_t>("maxIdeDiskSectors");
        info.MaxScsiDiskSectors = row.number<std::int64_t>("maxScsiDiskSectors");
        info.Display3D = row.flag("display3D");
        info.MaxGraphicsMemoryMB = row.number<std::int32_t>("maxGraphicsMemoryMB");
        info.NicTypes = words(row.text("nicTypes"));
        info.ScsiTypes = words(row.text("scsiTypes"));
        info.SoundTypes = words(row.text("soundTypes"));
        info.UsbControllers = words(row.text("usbControllers"));
        info.Firmware = words(row.text("firmware"));
        info.SecureBoot = row.flag("secureBoot");
        info.Source = row.text("source");
        info.ScsiNodes = row.number<std::int32_t>("scsiNodes");
        info.SataNodes = row.number<std::int32_t>("sataNodes");
        info.NvmeNodes = row.number<std::int32_t>("nvmeNodes");
        if (row.ok())
            rows.push_back(std::move(info));
    }
    return rows;
}

} // namespace

const std::vector<ProductVersionInfo>& ProductCatalog()
{
    static const std::vector<ProductVersionInfo> catalog = parseCatalog(detail::kProductCatalogText);
    return catalog;
}

const ProductVersionInfo* FindProductVersion(std::int16_t targetPlatform, std::int16_t platformVersion)
{
    for (const ProductVersionInfo& row : ProductCatalog()) {
        if (row.TargetPlatform == targetPlatform && row.PlatformVersion == platformVersion)
            return &row;
    }
    return nullptr;
}

std::int16_t ProductCount()
{
    std::int16_t count = 0;
    for (const ProductVersionInfo& row : ProductCatalog())
        count = std::max<std::int16_t>(count, static_cast<std::int16_t>(row.TargetPlatform + 1));
    return count;
}

std::vector<const ProductVersionInfo*> ProductVersions(std::int16_t targetPlatform)
{
    std::vector<const ProductVersionInfo*> versions;
    for (const ProductVersionInfo& row : ProductCatalog()) {
        if (row.TargetPlatform == targetPlatform)
            versions.push_back(&row);
    }
    return versions;
}

std::int32_t ScsiNodesForHardwareVersion(std::int32_t hardwareVersion)
{
    std::int32_t nodes = 8;
    for (const ProductVersionInfo& row : ProductCatalog()) {
        if (row.HardwareVersion <= hardwareVersion)
            nodes = std::max(nodes, row.ScsiNodes);
    }
    return nodes;
}

} // namespace tarvonel
