// SPDX-License-Identifier: MIT
#include "cli/CliApp.h"

#include <filesystem>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    auto context = zentravolix::cli::DefaultContext(std::cout, std::cerr);
    context.progressLine = ::isatty(STDOUT_FILENO) == 1;
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        context.programFolder = self.parent_path().string();
    return zentravolix::cli::run(argc, argv, context);
}
