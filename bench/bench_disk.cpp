// SPDX-License-Identifier: MIT
// Disk creation: our writers against qemu-img and fallocate, wall time and bytes allocated.
//
// Every iteration writes into a fresh folder: on these machines the temporary file system creates
// files several times slower for minutes after many files were deleted, so the 950 GiB split
// disks (476 files each) are only removed after the last benchmark. Preallocated disks are removed
// after each iteration to give their space back.
#include "disk/DiskCreator.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using namespace zentravolix::disk;

namespace {

constexpr std::int64_t k950GiBSectors = 1992294400;
constexpr std::int64_t k16GiBSectors = 33554432;

struct Folders {
    fs::path base;
    int next = 0;
    fs::path fresh()
    {
        fs::path p = base / std::to_string(next++);
        fs::create_directory(p);
        return p;
    }
};

std::uint64_t AllocatedBytes(const fs::path& folder)
{
    std::uint64_t total = 0;
    for (const auto& e : fs::directory_iterator(folder)) {
        struct stat st {};
        if (::stat(e.path().c_str(), &st) == 0)
            total += static_cast<std::uint64_t>(st.st_blocks) * 512;
    }
    return total;
}

int Spawn(const std::string& program, const std::vector<std::string>& args)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 1, 0);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return -1;
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

/** Times `make(folder)` per iteration and reports the bytes the result occupies. */
template <typename Make> void Measure(benchmark::State& state, Folders& folders, bool removeAfter, Make make)
{
    std::uint64_t allocated = 0;
    std::uint64_t files = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path folder = folders.fresh();
        state.ResumeTiming();
        if (!make(folder)) {
            state.SkipWithError("creation failed");
            break;
        }
        state.PauseTiming();
        allocated += AllocatedBytes(folder);
        files += static_cast<std::uint64_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
        if (removeAfter)
            fs::remove_all(folder);
        state.ResumeTiming();
    }
    const double n = static_cast<double>(state.iterations() ? state.iterations() : 1);
    state.counters["allocated_MiB"] = static_cast<double>(allocated) / n / (1024.0 * 1024.0);
    state.counters["files"] = static_cast<double>(files) / n;
}

bool OurDisk(const fs::path& folder, DiskKind kind, std::int64_t sectors)
{
    DiskRequest request;
    request.names = ApplyNameRule((folder / "disk").string());
    request.kind = kind;
    request.sectorCount = sectors;
    request.adapter = AdapterType::LsiLogic;
    request.method = CreateMethod::External;
    return CreateDisk(request, {}).created();
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const char* path = std::getenv("PATH");
    const std::string qemuImg = FindTool("qemu-img", "", path ? path : "");
    const std::string fallocate = FindTool("fallocate", "", path ? path : "");

    std::string pattern = (fs::temp_directory_path() / "zv-bench-disk-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return 1;
    Folders folders{pattern};

    benchmark::RegisterBenchmark("SplitSparse950GiB/ours",
                                 [&](benchmark::State& s) {
                                     Measure(s, folders, false, [](const fs::path& f) {
                                         return OurDisk(f, DiskKind::GrowableSplit, k950GiBSectors);
                                     });
                                 })
        ->Iterations(10)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    if (!qemuImg.empty()) {
        benchmark::RegisterBenchmark("SplitSparse950GiB/qemu-img",
                                     [&](benchmark::State& s) {
                                         Measure(s, folders, false, [&](const fs::path& f) {
                                             return Spawn(qemuImg, {"create", "-f", "vmdk", "-o",
                                                                    "subformat=twoGbMaxExtentSparse",
                                                                    (f / "disk.vmdk").string(), "950G"}) == 0;
                                         });
                                     })
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::RegisterBenchmark("Preallocated16GiB/ours-single",
                                 [&](benchmark::State& s) {
                                     Measure(s, folders, true, [](const fs::path& f) {
                                         return OurDisk(f, DiskKind::SinglePreallocated, k16GiBSectors);
                                     });
                                 })
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("Preallocated16GiB/ours-split",
                                 [&](benchmark::State& s) {
                                     Measure(s, folders, true, [](const fs::path& f) {
                                         return OurDisk(f, DiskKind::PreallocatedSplit, k16GiBSectors);
                                     });
                                 })
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    if (!fallocate.empty()) {
        benchmark::RegisterBenchmark(
            "Preallocated16GiB/fallocate",
            [&](benchmark::State& s) {
                Measure(s, folders, true, [&](const fs::path& f) {
                    return Spawn(fallocate, {"-l", "16GiB", (f / "disk-flat.vmdk").string()}) == 0;
                });
            })
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    if (!qemuImg.empty()) {
        // qemu-img leaves its flat extents as holes (no preallocation), shown for the bytes column.
        benchmark::RegisterBenchmark("Preallocated16GiB/qemu-img-monolithicFlat",
                                     [&](benchmark::State& s) {
                                         Measure(s, folders, true, [&](const fs::path& f) {
                                             return Spawn(qemuImg, {"create", "-f", "vmdk", "-o",
                                                                    "subformat=monolithicFlat",
                                                                    (f / "disk.vmdk").string(), "16G"}) == 0;
                                         });
                                     })
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(folders.base, ec);
    return 0;
}
