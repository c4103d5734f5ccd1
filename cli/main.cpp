// SPDX-License-Identifier: MIT
#include "cli/CliApp.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

/**
 * A rewrite holds a long file several times over (the text read, its lines, the kept lines, the
 * text written), and on virtual machines every page first touched costs a trap to the host: with
 * the allocator's defaults a 100,000-line file spends more time taking page faults than reading
 * and writing. So the memory one step frees stays with the process for the next step (no block
 * is given back or mapped on its own below 32 MiB), and the heap is advised to use huge pages
 * where the system has them (one fault per 2 MiB instead of per 4 KiB). Both are hints: where
 * they are refused the tool works as before.
 */
void tuneAllocator()
{
    constexpr std::size_t kMiB = std::size_t{1} << 20;
    constexpr std::size_t kHugePage = 2 * kMiB;
    ::mallopt(M_MMAP_THRESHOLD, static_cast<int>(32 * kMiB));
    ::mallopt(M_TRIM_THRESHOLD, static_cast<int>(1024 * kMiB));
    ::mallopt(M_TOP_PAD, static_cast<int>(256 * kMiB));
    // The heap grows by the pad now, once: the advice covers what the files' buffers take later.
    void* block = std::malloc(kMiB);
    if (!block)
        return;
    const auto begin = (reinterpret_cast<std::uintptr_t>(block) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0)) & ~(kHugePage - 1);
    if (end > begin)
        (void)::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    std::free(block);
}

} // namespace

int main(int argc, char** argv)
{
    tuneAllocator();
    auto context = zentravolix::cli::DefaultContext(std::cout, std::cerr);
    context.progressLine = ::isatty(STDOUT_FILENO) == 1;
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        context.programFolder = self.parent_path().string();
    return zentravolix::cli::run(argc, argv, context);
}
