// SPDX-License-Identifier: MIT
#pragma once

// The command-line tool run in-process, as a shell would run it.

#include "cli/CliApp.h"

#include <sstream>
#include <string>
#include <vector>

namespace zentravolix::test {

/** Runs `zentravolix-cli ARGS...`; the exit code, with what it printed in out and err (emptied first). */
inline int runTool(std::vector<std::string> args, std::ostringstream& out, std::ostringstream& err)
{
    out.str({});
    err.str({});
    args.insert(args.begin(), "zentravolix-cli");
    std::vector<const char*> argv;
    for (const auto& a : args)
        argv.push_back(a.c_str());
    return cli::run(static_cast<int>(argv.size()), argv.data(), out, err);
}

} // namespace zentravolix::test
