// SPDX-License-Identifier: MIT
#pragma once

#include "cli/Context.h"

namespace CLI {
class App;
}

namespace zentravolix::cli {

/**
 * Adds "show", "rewrite" and "new": they read and write .vmx files with the same code as the
 * editor, on top of the new-machine defaults, so a rewritten file is what the editor would save.
 */
void registerVmxCommands(CLI::App& app, Context& context);

} // namespace zentravolix::cli
