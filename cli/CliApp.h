// SPDX-License-Identifier: MIT
#pragma once

#include "cli/Context.h"

#include <ostream>
#include <string>

namespace zentravolix::cli {

/**
 * Runs the command-line tool: parses argv, runs the command and returns its exit code (0 success,
 * 1 I/O error, 2 refused by a rule or bad arguments). Help goes to `out`, errors to `err`; nothing
 * is thrown. Uses the real text table, process runner and PATH; draws no progress line.
 */
int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

/** The same with the caller's services (tests, and main() for the terminal progress line). */
int run(int argc, const char* const* argv, Context& context);

/** A context with the real services: text table, RunCommandAndWait, $PATH. */
Context DefaultContext(std::ostream& out, std::ostream& err);

/** The version as `--version` prints it, in the program's form ("0.01.0000"). */
std::string VersionText();

} // namespace zentravolix::cli
