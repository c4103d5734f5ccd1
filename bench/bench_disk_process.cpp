// SPDX-License-Identifier: MIT
// Disk creation as a user runs it: whole processes, our command-line tool against qemu-img and
// fallocate, each in a fresh folder. Prints the median wall time of each, the ratio between ours
// and the peer, the bytes on disk and each process's peak memory (maximum resident set size).
//
//   bench_disk_process [runs]      (default 7 runs per row)
//
// The tool is the one built beside this program. Preallocated sizes that do not fit into the free
// space of the temporary folder are left out and named as such.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct Run {
    double milliseconds = 0;
    long peakKiB = 0;
    bool ok = false;
};

/** Starts `argv` with its output discarded, waits, and takes the child's own peak memory. */
Run Spawn(const std::vector<std::string>& args)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return run;
    int status = 0;
    struct rusage usage {};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.peakKiB = usage.ru_maxrss;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

std::uint64_t AllocatedBytes(const fs::path& folder)
{
    std::uint64_t total = 0;
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(folder, ec)) {
        struct stat st {};
        if (::lstat(e.path().c_str(), &st) == 0 && S_ISREG(st.st_mode))
            total += static_cast<std::uint64_t>(st.st_blocks) * 512;
    }
    return total;
}

std::uint64_t FreeBytes(const fs::path& folder)
{
    struct statvfs s {};
    return ::statvfs(folder.c_str(), &s) == 0 ? std::uint64_t(s.f_bavail) * s.f_frsize : 0;
}

struct Row {
    double medianMs = 0;
    long peakKiB = 0;
    std::uint64_t bytes = 0;
    bool ok = false;
};

/** Runs `command(folder)` `runs` times, each in a fresh folder under `base`. */
Row Measure(const fs::path& base, int runs, bool removeAfter,
            const std::function<std::vector<std::string>(const fs::path&)>& command)
{
    static int next = 0;
    std::vector<double> times;
    Row row;
    row.ok = true;
    for (int i = 0; i < runs; ++i) {
        const fs::path folder = base / std::to_string(next++);
        fs::create_directory(folder);
        const Run run = Spawn(command(folder));
        if (!run.ok) {
            row.ok = false;
            fs::remove_all(folder);
            break;
        }
        times.push_back(run.milliseconds);
        row.peakKiB = std::max(row.peakKiB, run.peakKiB);
        row.bytes = AllocatedBytes(folder);
        // Split sparse disks stay until the end: the file system creates files slower for a while
        // after many were deleted, which would charge one side for the other's clean-up.
        if (removeAfter)
            fs::remove_all(folder);
    }
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        row.medianMs = times[times.size() / 2];
    }
    return row;
}

void Print(const char* work, const char* who, const Row& row)
{
    if (!row.ok) {
        std::printf("%-34s %-22s failed\n", work, who);
        return;
    }
    std::printf("%-34s %-22s %9.1f ms %9.2f MiB on disk %7.2f MiB peak memory\n", work, who, row.medianMs,
                double(row.bytes) / (1024.0 * 1024.0), double(row.peakKiB) / 1024.0);
}

std::string Gib(int gib)
{
    return std::to_string(gib) + "G";
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::string cli = ZV_CLI_PATH;
    std::string pattern = (fs::temp_directory_path() / "zv-bench-disk-process-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return 1;
    const fs::path base = pattern;

    auto ours = [&](const char* type, const std::string& size, const char* method) {
        return [=](const fs::path& f) {
            return std::vector<std::string>{cli,       "disk",     "create", (f / "disk.vmdk").string(),
                                            "--size",  size,       "--type", type,
                                            "--adapter", "lsilogic", "--method", method,
                                            "--max-scsi-sectors", "2147483647", "--yes"};
        };
    };
    std::printf("Whole processes, median of %d runs each, in %s\n\n", runs, base.c_str());

    // 950 GiB split sparse: ours (both methods) against qemu-img.
    const Row splitLibrary = Measure(base, runs, false, ours("growable-split", "950G", "library"));
    const Row splitQemu = Measure(base, runs, false, [](const fs::path& f) {
        return std::vector<std::string>{"qemu-img", "create", "-q", "-f", "vmdk", "-o",
                                        "subformat=twoGbMaxExtentSparse", (f / "disk.vmdk").string(), "950G"};
    });
    Print("950 GiB split sparse", "ours (library)", splitLibrary);
    Print("950 GiB split sparse", "qemu-img", splitQemu);
    if (splitLibrary.ok && splitQemu.ok)
        std::printf("  ratio: ours is %.1f times faster than qemu-img\n\n", splitQemu.medianMs / splitLibrary.medianMs);

    // 16 GiB preallocated: ours against fallocate -l, removed after each run to give the space back.
    const std::uint64_t sixteen = 16ull << 30;
    if (FreeBytes(base) > 2 * sixteen) {
        const Row flatOurs = Measure(base, runs, true, ours("preallocated", "16G", "library"));
        const Row flatSplit = Measure(base, runs, true, ours("preallocated-split", "16G", "library"));
        const Row fallocate = Measure(base, runs, true, [](const fs::path& f) {
            return std::vector<std::string>{"fallocate", "-l", "16GiB", (f / "disk-flat.vmdk").string()};
        });
        Print("16 GiB preallocated", "ours (single file)", flatOurs);
        Print("16 GiB preallocated", "ours (split, 8 files)", flatSplit);
        Print("16 GiB preallocated", "fallocate -l", fallocate);
        if (flatOurs.ok && fallocate.ok)
            std::printf("  ratio: ours takes %.2f times the time of fallocate -l (%.2f for split)\n\n",
                        flatOurs.medianMs / fallocate.medianMs, flatSplit.medianMs / fallocate.medianMs);
    } else {
        std::printf("16 GiB preallocated: left out, the temporary folder has less than 32 GiB free\n\n");
    }

    // Peak memory against the disk's size.
    std::printf("Peak memory by size (one run each):\n");
    for (int gib : {2, 100, 950}) {
        const Row r = Measure(base, 1, false, ours("growable-split", Gib(gib), "library"));
        Print(("split sparse " + std::to_string(gib) + " GiB").c_str(), "ours (library)", r);
    }
    for (int gib : {2, 16, 64}) {
        const std::uint64_t bytes = std::uint64_t(gib) << 30;
        if (FreeBytes(base) < bytes + (4ull << 30)) {
            std::printf("%-34s left out: not enough free space\n",
                        ("preallocated " + std::to_string(gib) + " GiB").c_str());
            continue;
        }
        const Row r = Measure(base, 1, true, ours("preallocated", Gib(gib), "library"));
        Print(("preallocated " + std::to_string(gib) + " GiB").c_str(), "ours (library)", r);
    }
    std::error_code ec;
    fs::remove_all(base, ec);
    return 0;
}
