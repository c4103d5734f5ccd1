// SPDX-License-Identifier: MIT
#pragma once

#include "cli/Context.h"

#include <optional>
#include <string_view>

namespace CLI {
class App;
}

namespace zentravolix::cli {

/** Adds "disk create" and "disk info" to the tool. */
void registerDiskCommands(CLI::App& app, Context& context);

/** A --size value split into number text and unit ("2G", "100M", "4194304s", "512K"). */
struct SizeArgument {
    std::string number;
    disk::SizeUnit unit = disk::SizeUnit::Gb;
};

/** Splits a --size value at its unit suffix (s, K, M, G, any case); nullopt without a known unit. */
std::optional<SizeArgument> SplitSizeArgument(std::string_view text);

} // namespace zentravolix::cli
