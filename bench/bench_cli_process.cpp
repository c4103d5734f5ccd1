// SPDX-License-Identifier: MIT
// The command-line tool on whole fleets and on very long files, as a user runs it: whole processes.
//  1. `check` over 10,000 real configurations (the .vmx corpus copied round and round, each copy
//     in a machine folder of its own), on one thread and on one per processor: files per second.
//  2. `rewrite` of files of 1,000 to 1,000,000 lines against `cp` of the same file: the median
//     wall time of each, their ratio, and the rewrite's time per line (flat when it grows linearly).
//
//   bench_cli_process [runs] [files]      (default 5 runs per row, 10000 files)
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

/** Starts `args` with its output discarded and waits: the wall time in milliseconds, or -1 when it could not start. */
double Spawn(const std::vector<std::string>& args)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

/** The .vmx files of the corpus, each once: a file in both folders is taken from the repository. */
std::vector<fs::path> CorpusFiles()
{
    std::map<std::string, fs::path> byRelative;
    for (const fs::path& root : {fs::path(ZV_CORPUS_DIR), fs::path(ZV_EXTRA_CORPUS_DIR)}) {
        std::error_code ec;
        if (root.empty() || !fs::is_directory(root / "vmx", ec))
            continue;
        for (const auto& e : fs::recursive_directory_iterator(root / "vmx")) {
            if (e.is_regular_file() && e.path().extension() == ".vmx")
                byRelative.try_emplace(fs::relative(e.path(), root).generic_string(), e.path());
        }
    }
    std::vector<fs::path> files;
    for (const auto& [relative, path] : byRelative)
        files.push_back(path);
    return files;
}

/** A file of `lines` lines in the shape of a later product's file: a few understood keys per hundred. */
void MakeLongFile(const fs::path& path, std::int64_t lines)
{
    std::ofstream out(path, std::ios::binary);
    for (std::int64_t i = 0; i < lines; ++i) {
        switch (i % 100) {
        case 0: out << "displayName = \"Machine " << i << "\"\r\n"; break;
        case 1: out << "ethernet" << (i / 100) % 3 << ".virtualDev = \"vmxnet3\"\r\n"; break;
        case 2: out << "scsi0:" << (i / 100) % 7 << ".fileName = \"disk.vmdk\"\r\n"; break;
        case 3: out << "# comment " << i << "\r\n"; break;
        default: out << "unknown.key" << i << " = \"value " << i << "\"\r\n"; break;
        }
    }
}

void BenchCheck(const fs::path& work, int runs, int count)
{
    const auto corpus = CorpusFiles();
    if (corpus.empty()) {
        std::printf("check: no corpus files found\n");
        return;
    }
    std::vector<std::string> args{ZV_CLI_PATH, "check", "--quiet", "--jobs", "1"};
    std::uintmax_t bytes = 0;
    for (int i = 0; i < count; ++i) {
        const fs::path& source = corpus[static_cast<std::size_t>(i) % corpus.size()];
        const fs::path dir = work / "fleet" / std::to_string(i);
        fs::create_directories(dir);
        const fs::path copy = dir / source.filename();
        fs::copy_file(source, copy);
        bytes += fs::file_size(copy);
        args.push_back(copy.string());
    }
    std::printf("check: %d files (the %zu corpus files copied round; %.1f KB on average)\n", count, corpus.size(),
                static_cast<double>(bytes) / count / 1024.0);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    for (const unsigned jobs : {1u, cores}) {
        args[4] = std::to_string(jobs);
        std::vector<double> times;
        for (int r = 0; r < runs; ++r)
            times.push_back(Spawn(args));
        const double ms = Median(times);
        std::printf("  --jobs %u: %9.1f ms  %8.0f files/s\n", jobs, ms, count / (ms / 1000.0));
        if (jobs == cores)
            break;
    }
}

void BenchRewrite(const fs::path& work, int runs)
{
    std::printf("\nrewrite against cp (median of %d runs):\n", runs);
    std::printf("  %9s %12s %10s %8s %14s\n", "lines", "rewrite ms", "cp ms", "ratio", "rewrite us/line");
    for (const std::int64_t lines : {1000LL, 10000LL, 100000LL, 1000000LL}) {
        const fs::path pristine = work / ("long" + std::to_string(lines) + ".vmx");
        MakeLongFile(pristine, lines);
        const fs::path target = work / "rewritten.vmx";
        const fs::path copy = work / "copied.vmx";
        std::vector<double> rewrite, cp;
        for (int r = 0; r < runs; ++r) {
            fs::copy_file(pristine, target, fs::copy_options::overwrite_existing);
            rewrite.push_back(Spawn({ZV_CLI_PATH, "rewrite", "--quiet", target.string()}));
            fs::remove(copy);
            cp.push_back(Spawn({"cp", pristine.string(), copy.string()}));
        }
        const double r = Median(rewrite), c = Median(cp);
        std::printf("  %9lld %12.1f %10.1f %8.1f %14.3f\n", static_cast<long long>(lines), r, c, r / c,
                    r * 1000.0 / static_cast<double>(lines));
    }
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const int files = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10000;
    std::string pattern = (fs::temp_directory_path() / "zv-bench-cli-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path work = pattern;
    BenchCheck(work, runs, files);
    BenchRewrite(work, runs);
    fs::remove_all(work);
    return 0;
}
