// SPDX-License-Identifier: MIT
#include "editor/widget/MachineState.h"

#include <algorithm>
#include <cctype>

namespace zentravolix::editor {

namespace {

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

MachineState DetectMachineState(const std::filesystem::path& vmxPath,
                                const std::vector<std::string>& otherParams)
{
    MachineState state;
    if (!vmxPath.empty()) {
        std::error_code ec;
        state.lockPath = vmxPath;
        state.lockPath += ".lck";
        state.running = std::filesystem::exists(state.lockPath, ec) && !ec;
    }
    for (const auto& line : otherParams) {
        const auto eq = line.find('=');
        if (eq == std::string::npos ||
            lowered(trimmed(std::string_view(line).substr(0, eq))) != "checkpoint.vmstate")
            continue;
        std::string value = trimmed(std::string_view(line).substr(eq + 1));
        std::erase(value, '"');
        // VMware empties the key once the machine has been resumed.
        state.suspended = !value.empty();
        state.stateFile = value;
    }
    return state;
}

} // namespace zentravolix::editor
