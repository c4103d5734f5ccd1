// SPDX-License-Identifier: MIT
#pragma once

#include "disk/DiskCreator.h"
#include "platform/TextTable.h"

#include <functional>
#include <istream>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>

namespace zentravolix::cli {

/** Exit codes of every command (also listed in --help). */
enum ExitCode : int {
    ExitSuccess = 0,
    ExitIoError = 1, // the operation failed: I/O error, unreadable file, missing or failing tool
    ExitRefused = 2, // refused by a rule, or bad arguments
};

/**
 * What the commands use from the outside world, so that tests run them in-process with captured
 * streams and, where they need to, a fake tool runner. `run(argc, argv, out, err)` fills in the
 * real services.
 */
struct Context {
    Context(std::ostream& out, std::ostream& err) : out(out), err(err) {}

    std::ostream& out;
    std::ostream& err;
    /** What "-" reads as a file; nothing reads it when null. */
    std::istream* in = nullptr;
    /** --quiet: only errors are printed; the exit code tells the rest. */
    bool quiet = false;
    /** Draw a progress line on `out` (only when it is a terminal). */
    bool progressLine = false;
    /** Folder of the program itself: tools there win over PATH. */
    std::string programFolder;
    /** The PATH searched for tools. */
    std::string searchPath;
    /** Runs outside programs (qemu-img). */
    disk::CommandRunner runCommand;
    /** Text of a localized text id (English unless the caller picks another language). */
    std::function<std::string(int)> text;
    /** The exit code set by the command that ran. */
    int exitCode = ExitSuccess;
};

/**
 * A sentence of the tool: text `id` (one of the program's own texts, so it can be translated) with
 * %1, %2, ... filled from args. What scripts parse (JSON keys, option names) is never a text.
 */
inline std::string Say(const Context& context, int id, std::initializer_list<std::string_view> args = {})
{
    return context.text ? platform::FillText(context.text(id), args) : std::string();
}

} // namespace zentravolix::cli
