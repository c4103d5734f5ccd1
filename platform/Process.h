// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zentravolix::platform {

/** Outcome of starting (and, for RunCommandAndWait, waiting for) a program. */
struct CommandResult {
    bool started = false; ///< the program was found and started
    int exitCode = -1;    ///< its exit status; 128 + signal number when a signal ended it
    std::string error;    ///< why it could not be started or waited for; "" otherwise
};

/**
 * Starts program (a path, or a name looked up on PATH) with the argument vector — no shell —
 * and waits for it to end, calling pumpEvents (if set) about every 20 ms meanwhile. The
 * arguments reach the program unchanged, blanks and quotes included. With program "" the first
 * argument is the program. pumpEvents must not throw.
 */
CommandResult RunCommandAndWait(const std::string& program, const std::vector<std::string>& arguments,
                                const std::function<void()>& pumpEvents = {});

/**
 * Opens file the way a double click would: with parameter "", the desktop's opener (xdg-open)
 * is started with file as its one argument; otherwise file is a program, started with
 * parameter as its one argument (unchanged: no quotes are added, as none are needed without a
 * shell). The started program runs detached in the folder of file and is not waited for.
 * Reports whether it could be started.
 */
CommandResult ShellOpen(const std::string& file, const std::string& parameter);

/** The full path of program: itself when it holds a "/", else the first executable of that
 *  name on PATH; "" when there is none. */
std::string FindExecutable(const std::string& program);

} // namespace zentravolix::platform
