// SPDX-License-Identifier: MIT
#include "disk/SparseExtent.h"

#include "disk/FileOps.h"

#include <algorithm>
#include <cstring>

namespace zentravolix::disk {

namespace {

std::uint64_t CeilDiv(std::uint64_t n, std::uint64_t d)
{
    return (n + d - 1) / d;
}

void Put32(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void Put64(std::uint8_t* p, std::uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint64_t Get(const std::uint8_t* p, int bytes)
{
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

} // namespace

SparseLayout PlanSparseExtent(std::uint64_t capacity, std::uint64_t descriptorSectors)
{
    SparseLayout l;
    l.capacity = capacity;
    l.grainTables = CeilDiv(CeilDiv(capacity, kGrainSectors), kGrainTableEntries);
    l.directorySectors = CeilDiv(l.grainTables * 4, 512);
    l.descriptorOffset = descriptorSectors == 0 ? 0 : 1;
    l.descriptorSize = descriptorSectors;
    const std::uint64_t tablesSectors = l.grainTables * kGrainTableSectors;
    l.rgdOffset = 1 + descriptorSectors;
    l.gdOffset = l.rgdOffset + l.directorySectors + tablesSectors;
    l.overHead = CeilDiv(l.gdOffset + l.directorySectors + tablesSectors, kGrainSectors) * kGrainSectors;
    return l;
}

std::array<std::uint8_t, 512> SparseHeader(const SparseLayout& l)
{
    std::array<std::uint8_t, 512> h{};
    Put32(&h[0], kSparseMagic);
    Put32(&h[4], 1);
    Put32(&h[8], 3); // valid new-line test, redundant grain table in use
    Put64(&h[12], l.capacity);
    Put64(&h[20], kGrainSectors);
    Put64(&h[28], l.descriptorOffset);
    Put64(&h[36], l.descriptorSize);
    Put32(&h[44], kGrainTableEntries);
    Put64(&h[48], l.rgdOffset);
    Put64(&h[56], l.gdOffset);
    Put64(&h[64], l.overHead);
    h[72] = 0; // not marked unclean
    // Line-end check characters: a transfer that rewrites line ends corrupts these first.
    h[73] = '\n';
    h[74] = ' ';
    h[75] = '\r';
    h[76] = '\n';
    return h;
}

std::vector<std::uint8_t> GrainDirectory(const SparseLayout& l, std::uint64_t firstTableSector)
{
    std::vector<std::uint8_t> dir(l.directorySectors * 512, 0);
    for (std::uint64_t i = 0; i < l.grainTables; ++i)
        Put32(&dir[i * 4], static_cast<std::uint32_t>(firstTableSector + i * kGrainTableSectors));
    return dir;
}

SparseHeaderInfo ParseSparseHeader(const std::uint8_t* data, std::size_t size)
{
    SparseHeaderInfo info;
    if (size < 77 || Get(data, 4) != kSparseMagic)
        return info;
    info.valid = true;
    info.capacity = Get(data + 12, 8);
    info.descriptorOffset = Get(data + 28, 8);
    info.descriptorSize = Get(data + 36, 8);
    return info;
}

int WriteSparseExtent(FileOps& files, int handle, const SparseLayout& l, const std::string& descriptor)
{
    if (int e = files.setLength(handle, l.fileBytes()))
        return e;
    // Header, descriptor and redundant directory are adjacent: one write. The zeroed grain tables
    // are never written, so they stay a hole on file systems that support them.
    const std::vector<std::uint8_t> rgd = GrainDirectory(l, l.rgdOffset + l.directorySectors);
    std::vector<std::uint8_t> head((l.rgdOffset + l.directorySectors) * 512, 0);
    const auto header = SparseHeader(l);
    std::memcpy(head.data(), header.data(), header.size());
    if (!descriptor.empty())
        std::memcpy(&head[l.descriptorOffset * 512], descriptor.data(),
                    std::min<std::size_t>(descriptor.size(), l.descriptorSize * 512));
    std::memcpy(&head[l.rgdOffset * 512], rgd.data(), rgd.size());
    if (int e = files.writeAt(handle, 0, head.data(), head.size()))
        return e;
    const std::vector<std::uint8_t> gd = GrainDirectory(l, l.gdOffset + l.directorySectors);
    return files.writeAt(handle, l.gdOffset * 512, gd.data(), gd.size());
}

} // namespace zentravolix::disk
