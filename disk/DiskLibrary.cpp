// SPDX-License-Identifier: MIT
#include "disk/DiskLibrary.h"

#include "disk/DiskLibraryPlan.h"
#include "disk/FileOps.h"
#include "disk/Geometry.h"
#include "disk/SparseExtent.h"

#include <algorithm>
#include <cerrno>
#include <vector>

namespace zentravolix::disk {

namespace {

constexpr std::size_t kMaxDescriptorBytes = 16u << 20;

DiskNames NamesOfPath(const std::string& path)
{
    DiskNames n;
    n.diskName = path;
    const auto slash = path.rfind(kPathSeparator);
    const auto dot = path.rfind('.');
    n.folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    n.basePath = (dot != std::string::npos && (slash == std::string::npos || dot > slash))
                     ? path.substr(0, dot)
                     : path;
    n.baseName = slash == std::string::npos ? n.basePath : n.basePath.substr(slash + 1);
    return n;
}

/**
 * Reads [offset, offset + size) or less at the end of the file. The buffer grows with what the file
 * holds, not with `size`: a descriptor of a few hundred bytes read with the 16 MiB ceiling costs a
 * few hundred bytes, not 16 MiB of zeroed memory.
 */
int ReadRange(FileOps& files, int handle, std::uint64_t offset, std::size_t size, std::string& out)
{
    constexpr std::size_t kChunk = 64 * 1024;
    out.clear();
    while (out.size() < size) {
        const std::size_t want = std::min(kChunk, size - out.size());
        const std::size_t at = out.size();
        out.resize(at + want);
        std::size_t done = 0;
        const int e = files.readAt(handle, offset + at, out.data() + at, want, done);
        out.resize(at + done);
        if (e)
            return e;
        if (done < want)
            break;
    }
    return 0;
}

} // namespace

std::optional<DiskPlan> PlanLibraryDisk(const std::string& path, LibraryDiskType type, const std::string& bus,
                                        std::int32_t sizeMB, const std::function<double()>& random01)
{
    if (sizeMB <= 0 || (bus != "ide" && bus != "scsi"))
        return std::nullopt;
    const std::int64_t sectors = std::int64_t(sizeMB) * 2048;
    const AdapterType adapter = bus == "ide" ? AdapterType::Ide : AdapterType::BusLogic;
    DiskPlan plan = PlanDisk(KindForLibraryType(type), NamesOfPath(path), sectors);
    plan.descriptor.cid = NewCID(random01);
    plan.descriptor.virtualHWVersion = 3;
    plan.descriptor.geometry = ComputeGeometry(sectors, adapter);
    plan.descriptor.adapterType = AdapterTypeName(adapter);
    return plan;
}

CreateResult CreateLibraryDisk(const std::string& path, LibraryDiskType type, const std::string& bus,
                               std::int32_t sizeMB, FileOps& files, const ProgressCallback& progress,
                               const std::function<double()>& random01)
{
    const std::optional<DiskPlan> plan = PlanLibraryDisk(path, type, bus, sizeMB, random01);
    if (!plan)
        return CreateResult::failure(EINVAL, DiskText::InvalidSizeOrBus, {bus, path});
    return ExecutePlan(*plan, files, progress);
}

int FixAdapterType(DiskKind kind, const std::string& diskName, FileOps& files)
{
    int handle = -1;
    if (int e = files.openExisting(diskName, handle))
        return e;
    std::uint64_t offset = 0;
    std::size_t size = kMaxDescriptorBytes;
    int e = 0;
    std::string text;
    if (kind == DiskKind::SingleGrowable) {
        // The embedded descriptor starts at sector 1, so the first 1024 bytes hold only its first
        // half sector: use the header's descriptor area when there is one.
        size = 1024;
        e = ReadRange(files, handle, 0, 512, text);
        const SparseHeaderInfo header =
            ParseSparseHeader(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
        if (e == 0 && header.valid && header.descriptorOffset > 0 && header.descriptorSize > 0 &&
            header.descriptorSize * 512 <= kMaxDescriptorBytes) {
            offset = header.descriptorOffset * 512;
            size = header.descriptorSize * 512;
        }
    }
    if (e == 0)
        e = ReadRange(files, handle, offset, size, text);
    bool changed = false;
    for (auto at = text.find("buslogic"); e == 0 && at != std::string::npos;
         at = text.find("buslogic", at + 8)) {
        text.replace(at, 8, "lsilogic");
        changed = true;
    }
    if (e == 0 && changed)
        e = files.writeAt(handle, offset, text.data(), text.size());
    const int closeError = files.close(handle);
    return e ? e : closeError;
}

} // namespace zentravolix::disk
