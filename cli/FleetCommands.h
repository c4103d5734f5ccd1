// SPDX-License-Identifier: MIT
#pragma once

#include "cli/Context.h"

namespace CLI {
class App;
}

namespace zentravolix::cli {

/**
 * Adds the commands for many configurations at once: "check" (every rule of the editor, nothing
 * written), "get" and "set" (settings read and changed through the model and its rules) and "diff"
 * (two configurations compared key by key).
 */
void registerFleetCommands(CLI::App& app, Context& context);

} // namespace zentravolix::cli
