// SPDX-License-Identifier: MIT
#include "disk/DiskCreator.h"

#include "disk/DiskLibrary.h"
#include "disk/DiskLibraryPlan.h"
#include "disk/DiskPlan.h"
#include "disk/FileOps.h"
#include "disk/Geometry.h"
#include "disk/RemoveOnSignal.h"

#include <cerrno>
#include <filesystem>
#include <memory>
#include <string_view>

namespace fs = std::filesystem;

namespace zentravolix::disk {

namespace {

bool IsExecutableFile(const fs::path& path)
{
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (ec || !fs::is_regular_file(st))
        return false;
    const auto exec = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (st.permissions() & exec) != fs::perms::none;
}

std::string Absolute(const std::string& path)
{
    std::error_code ec;
    const fs::path p = fs::absolute(path, ec);
    return ec ? path : p.string();
}

bool Exists(const std::string& path)
{
    std::error_code ec;
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found && !ec;
}

CreateResult MissingTool(DiskText message)
{
    CreateResult r;
    r.status = CreateResult::Status::MissingTool;
    r.message = message;
    r.title = DiskText::MissingToolTitle;
    return r;
}

CreateResult RunQemuImg(const DiskRequest& request, const CreateEnvironment& env)
{
    if (env.qemuImg.empty() || !env.runCommand)
        return MissingTool(DiskText::QemuImgNotFound);
    // An absolute name keeps qemu-img from reading "name:..." as a protocol or "-name" as an option.
    const std::string diskName = Absolute(request.names.diskName);
    if (Exists(diskName))
        return CreateResult::systemFailure(EEXIST, ErrorDescription(EEXIST), diskName);
    // The name was free: whatever qemu-img makes there goes if the program is interrupted.
    RemoveOnSignal::fileCreated(diskName);
    const CreationProgress start{0, static_cast<std::uint64_t>(request.sectorCount) * 512};
    if (env.progress && !env.progress(start))
        return CreateResult::cancellation();
    const ToolRun run = env.runCommand(env.qemuImg, QemuImgCreateArguments(diskName, request.sectorCount));
    if (!run.started)
        return CreateResult::failure(ENOENT, DiskText::CannotStartTool, {env.qemuImg, run.error});
    if (run.exitCode != 0 || !Exists(diskName)) {
        // The name was free before the run, so whatever stands there now is qemu-img's half-made disk.
        std::error_code ec;
        fs::remove(diskName, ec);
        const int number = run.exitCode != 0 ? run.exitCode : ENOENT;
        return CreateResult::failure(number, DiskText::QemuImgFailed, {std::to_string(run.exitCode), diskName});
    }
    if (env.progress)
        env.progress({start.totalBytes, start.totalBytes});
    return {};
}

CreateResult LibraryMethod(const DiskRequest& request, FileOps& files, const CreateEnvironment& env,
                           const std::function<double()>& random01)
{
    const std::int64_t mb = DivideRoundHalfEven(request.sectorCount, 2048);
    if (mb <= 0 || mb > INT32_MAX)
        return CreateResult::failure(EINVAL, DiskText::InvalidDiskSize, {request.names.diskName});
    const std::optional<DiskPlan> plan =
        PlanLibraryDisk(request.names.diskName, LibraryTypeForKind(request.kind),
                        BusTypeName(request.adapter), static_cast<std::int32_t>(mb), random01);
    if (!plan)
        return CreateResult::failure(EINVAL, DiskText::InvalidDiskSize, {request.names.diskName});
    CreateResult result = ExecutePlan(*plan, files, env.progress);
    if (!result.created() || std::string_view(AdapterTypeName(request.adapter)) != "lsilogic")
        return result;
    // The library only hears "scsi" and writes BusLogic; patch the descriptor for LsiLogic (and
    // for SATA and NVMe, whose descriptors say "lsilogic" too).
    if (int e = FixAdapterType(request.kind, plan->diskName, files)) {
        for (auto it = plan->extents.rbegin(); it != plan->extents.rend(); ++it)
            files.remove(it->path);
        files.remove(plan->diskName);
        return CreateResult::systemFailure(e, ErrorDescription(e), plan->diskName);
    }
    return result;
}

} // namespace

std::vector<std::string> QemuImgCreateArguments(const std::string& diskName, std::int64_t sectors)
{
    std::string kilobytes = std::to_string(sectors / 2);
    if (sectors % 2 != 0)
        kilobytes += ".5";
    return {"create", "-f", "vmdk", diskName, kilobytes + "K"};
}

std::string FindTool(const std::string& name, const std::string& programFolder,
                     const std::string& pathVariable)
{
    if (!programFolder.empty() && IsExecutableFile(fs::path(programFolder) / name))
        return (fs::path(programFolder) / name).string();
    std::size_t start = 0;
    while (start <= pathVariable.size()) {
        std::size_t end = pathVariable.find(':', start);
        if (end == std::string::npos)
            end = pathVariable.size();
        const std::string folder = pathVariable.substr(start, end - start);
        // An empty PATH entry means the current folder; a tool is never taken from there.
        if (!folder.empty() && IsExecutableFile(fs::path(folder) / name))
            return (fs::path(folder) / name).string();
        start = end + 1;
    }
    return {};
}

CreateResult CreateDisk(const DiskRequest& request, const CreateEnvironment& env)
{
    std::unique_ptr<FileOps> ownFiles;
    FileOps* files = env.files;
    if (!files) {
        ownFiles = MakeSystemFileOps();
        files = ownFiles.get();
    }
    const std::function<double()> random01 = env.random01 ? env.random01 : SeededRandom01();
    // One sparse extent cannot address grains beyond 2^32 sectors: such a disk would be made but
    // could never be filled.
    if (request.sectorCount <= 0 ||
        (request.kind == DiskKind::SingleGrowable && request.sectorCount > MaxSingleGrowableSectors()))
        return CreateResult::failure(EINVAL, DiskText::InvalidDiskSize, {request.names.diskName});
    // Only the external single preallocated disk names its extent by the full path.
    const bool fullPathWritten =
        request.method == CreateMethod::External && request.kind == DiskKind::SinglePreallocated;
    if (const DiskText reason = UnwritableNameReason(request.names, fullPathWritten); reason != DiskText::None)
        return CreateResult::failure(EINVAL, reason, {request.names.diskName});
    // An interrupted or crashing program leaves no half-made disk behind.
    const RemoveOnSignal removeOnSignal;
    if (request.method == CreateMethod::Library)
        return LibraryMethod(request, *files, env, random01);
    if (request.kind == DiskKind::SingleGrowable)
        return RunQemuImg(request, env);

    DiskPlan plan = PlanDisk(request.kind, request.names, request.sectorCount);
    plan.descriptor.cid = NewCID(random01);
    plan.descriptor.virtualHWVersion = request.virtualHWVersion;
    plan.descriptor.geometry = ComputeGeometry(request.sectorCount, request.adapter);
    plan.descriptor.adapterType = AdapterTypeName(request.adapter);
    return ExecutePlan(plan, *files, env.progress);
}

} // namespace zentravolix::disk
