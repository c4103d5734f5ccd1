// SPDX-License-Identifier: MIT
#include "disk/Descriptor.h"

#include <algorithm>
#include <memory>
#include <random>

namespace zentravolix::disk {

namespace {
constexpr const char* kCreateTypeNames[] = {"monolithicSparse", "twoGbMaxExtentSparse",
                                            "monolithicFlat",   "twoGbMaxExtentFlat",
                                            "fullDevice",       "partitionedDevice"};
constexpr const char* kLineEnd = "\r\n";

std::string Quoted(std::string_view value)
{
    std::string s;
    s.reserve(value.size() + 2);
    s += '"';
    s += value;
    s += '"';
    return s;
}
} // namespace

const char* CreateTypeName(CreateType type)
{
    return kCreateTypeNames[static_cast<int>(type)];
}

std::optional<CreateType> ParseCreateType(std::string_view name)
{
    for (int i = 0; i < 6; ++i) {
        if (name == kCreateTypeNames[i])
            return static_cast<CreateType>(i);
    }
    return std::nullopt;
}

std::vector<std::int64_t> SplitSectors(std::int64_t total, std::int64_t piece)
{
    std::vector<std::int64_t> pieces;
    if (total <= 0 || piece <= 0)
        return pieces;
    pieces.reserve(static_cast<std::size_t>((total + piece - 1) / piece));
    for (std::int64_t left = total; left > 0; left -= piece)
        pieces.push_back(std::min(left, piece));
    return pieces;
}

std::string DescriptorText(const DescriptorFields& f)
{
    std::string t;
    t.reserve(400 + f.extents.size() * (40 + (f.extents.empty() ? 0 : f.extents.front().fileName.size())));
    auto line = [&t](std::string_view s) {
        t += s;
        t += kLineEnd;
    };
    line("# Disk DescriptorFile");
    line("version=1");
    line("CID=" + f.cid);
    line("parentCID=ffffffff");
    line("createType=" + Quoted(CreateTypeName(f.createType)));
    line("");
    line("# Extent description");
    for (const ExtentLine& e : f.extents) {
        t += "RW ";
        t += std::to_string(e.sectors);
        t += e.kind == ExtentKind::Sparse ? " SPARSE " : " FLAT ";
        t += Quoted(e.fileName);
        if (e.kind == ExtentKind::Flat)
            t += " 0";
        t += kLineEnd;
    }
    line("");
    line("# The Disk Data Base");
    line("#DDB");
    line("");
    line("ddb.virtualHWVersion = " + Quoted(std::to_string(f.virtualHWVersion)));
    line("ddb.geometry.cylinders = " + Quoted(std::to_string(f.geometry.cylinders)));
    line("ddb.geometry.heads = " + Quoted(std::to_string(f.geometry.heads)));
    line("ddb.geometry.sectors = " + Quoted(std::to_string(f.geometry.sectorsPerTrack)));
    line("ddb.adapterType = " + Quoted(f.adapterType));
    return t;
}

std::string NewCID(const std::function<double()>& random01)
{
    static constexpr char hex[] = "0123456789abcdef";
    std::string cid;
    for (int i = 0; i < 8; ++i) {
        int d = static_cast<int>(random01() * 16 + 1);
        d = std::clamp(d, 1, 16);
        if (d == 16)
            cid += "10";
        else
            cid += hex[d];
    }
    cid.resize(8);
    return cid;
}

std::function<double()> SeededRandom01()
{
    // Seeded per creator, not once per process: two disks made in one session (or in two runs)
    // must not share their content ids.
    auto engine = std::make_shared<std::mt19937>(std::random_device{}());
    return [engine]() { return std::uniform_real_distribution<double>(0.0, 1.0)(*engine); };
}

} // namespace zentravolix::disk
