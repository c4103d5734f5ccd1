// SPDX-License-Identifier: MIT
#include "disk/DiskPlan.h"

#include "disk/FileOps.h"
#include "disk/SparseExtent.h"

#include <algorithm>
#include <cerrno>

namespace zentravolix::disk {

DiskPlan PlanDisk(DiskKind kind, const DiskNames& names, std::int64_t sectors)
{
    DiskPlan plan;
    plan.diskName = names.diskName;
    auto addPieces = [&](std::int64_t piece, const char* infix, ExtentKind extentKind) {
        int n = 0;
        for (std::int64_t count : SplitSectors(sectors, piece)) {
            const std::string suffix = infix + ExtentNumber(++n) + ".vmdk";
            plan.extents.push_back({names.basePath + suffix, {count, extentKind, names.baseName + suffix}});
        }
    };
    switch (kind) {
    case DiskKind::SingleGrowable:
        plan.descriptor.createType = CreateType::MonolithicSparse;
        plan.embeddedDescriptor = true;
        plan.extents.push_back({names.diskName, {sectors, ExtentKind::Sparse, names.baseName + ".vmdk"}});
        break;
    case DiskKind::GrowableSplit:
        plan.descriptor.createType = CreateType::TwoGbMaxExtentSparse;
        addPieces(kSparsePieceSectors, "-s", ExtentKind::Sparse);
        break;
    case DiskKind::SinglePreallocated: {
        plan.descriptor.createType = CreateType::MonolithicFlat;
        // Named relative to the descriptor like every other extent, so the machine's folder can move.
        plan.extents.push_back(
            {names.basePath + "-flat.vmdk", {sectors, ExtentKind::Flat, names.baseName + "-flat.vmdk"}});
        break;
    }
    case DiskKind::PreallocatedSplit:
        plan.descriptor.createType = CreateType::TwoGbMaxExtentFlat;
        addPieces(kFlatPieceSectors, "-f", ExtentKind::Flat);
        break;
    }
    for (const ExtentFile& e : plan.extents)
        plan.descriptor.extents.push_back(e.line);
    return plan;
}

namespace {

/** Runs one plan; remembers what it made so that a failure can take it back. */
class PlanRun {
public:
    PlanRun(const DiskPlan& plan, FileOps& files, const ProgressCallback& progress)
        : m_plan(plan), m_files(files), m_progress(progress)
    {
        for (const ExtentFile& e : plan.extents)
            m_total += static_cast<std::uint64_t>(e.line.sectors) * 512;
    }

    ~PlanRun()
    {
        if (m_open >= 0)
            m_files.close(m_open);
        if (!m_keep) {
            // Newest first, so the descriptor (claimed first) goes last.
            for (auto it = m_made.rbegin(); it != m_made.rend(); ++it)
                m_files.remove(*it);
        }
    }

    CreateResult run()
    {
        if (m_plan.extents.empty() || m_total == 0)
            return CreateResult::failure(EINVAL, DiskText::NoSectorsToCreate, {m_plan.diskName});
        if (!report())
            return cancelled();
        int descriptorHandle = -1;
        if (int e = create(m_plan.diskName, descriptorHandle))
            return fail(e, m_plan.diskName);
        if (m_plan.embeddedDescriptor) {
            const std::string text = DescriptorText(m_plan.descriptor);
            const std::uint64_t sectors =
                std::max<std::uint64_t>(kEmbeddedDescriptorSectors, (text.size() + 511) / 512);
            const SparseLayout layout = PlanSparseExtent(m_plan.extents.front().line.sectors, sectors);
            if (int e = WriteSparseExtent(m_files, descriptorHandle, layout, text))
                return fail(e, m_plan.diskName);
            m_done = m_total;
        } else {
            // The descriptor file stays empty until every extent exists: a disk interrupted
            // half-way never looks complete.
            for (const ExtentFile& extent : m_plan.extents) {
                if (CreateResult r = makeExtent(extent); !r.created())
                    return r;
            }
            const std::string text = DescriptorText(m_plan.descriptor);
            if (int e = m_files.writeAt(descriptorHandle, 0, text.data(), text.size()))
                return fail(e, m_plan.diskName);
        }
        if (int e = closeOpen())
            return fail(e, m_plan.diskName);
        m_keep = true;
        report(); // the disk is complete: a cancel now comes too late to matter
        return {};
    }

private:
    bool report() { return !m_progress || m_progress(CreationProgress{m_done, m_total}); }

    int create(const std::string& path, int& handle)
    {
        int e = m_files.createNew(path, handle);
        if (e == 0) {
            m_made.push_back(path);
            if (path == m_plan.diskName)
                m_open = handle;
        }
        return e;
    }

    int closeOpen()
    {
        const int handle = m_open;
        m_open = -1;
        return handle >= 0 ? m_files.close(handle) : 0;
    }

    CreateResult makeExtent(const ExtentFile& extent)
    {
        if (!report())
            return cancelled();
        int handle = -1;
        if (int e = m_files.createNew(extent.path, handle))
            return fail(e, extent.path);
        m_made.push_back(extent.path);
        int e = 0;
        const std::uint64_t bytes = static_cast<std::uint64_t>(extent.line.sectors) * 512;
        if (extent.line.kind == ExtentKind::Sparse) {
            e = WriteSparseExtent(m_files, handle, PlanSparseExtent(extent.line.sectors, 0), {});
            m_done += bytes;
        } else {
            for (std::uint64_t at = 0; at < bytes && e == 0;) {
                const std::uint64_t chunk = std::min(kPreallocateChunkBytes, bytes - at);
                e = m_files.preallocate(handle, at, chunk);
                at += chunk;
                m_done += chunk;
                if (e == 0 && at < bytes && !report()) {
                    m_files.close(handle);
                    return cancelled();
                }
            }
        }
        const int closeError = m_files.close(handle);
        if (e == 0)
            e = closeError;
        return e ? fail(e, extent.path) : CreateResult{};
    }

    CreateResult fail(int error, const std::string& path)
    {
        return CreateResult::systemFailure(error, ErrorDescription(error), path);
    }

    CreateResult cancelled() { return CreateResult::cancellation(); }

    const DiskPlan& m_plan;
    FileOps& m_files;
    const ProgressCallback& m_progress;
    std::vector<std::string> m_made;
    std::uint64_t m_total = 0;
    std::uint64_t m_done = 0;
    int m_open = -1;
    bool m_keep = false;
};

} // namespace

CreateResult ExecutePlan(const DiskPlan& plan, FileOps& files, const ProgressCallback& progress)
{
    return PlanRun(plan, files, progress).run();
}

} // namespace zentravolix::disk
