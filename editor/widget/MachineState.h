// SPDX-License-Identifier: MIT
#pragma once

// Whether VMware has the machine of a .vmx file open or suspended, as far as the files show it.

#include <filesystem>
#include <string>
#include <vector>

namespace zentravolix::editor {

struct MachineState {
    /** VMware's lock folder "<file>.lck" is beside the file: the machine runs (or VMware crashed). */
    bool running = false;
    std::filesystem::path lockPath;
    /** The file's "checkpoint.vmState" names a saved state: the machine is suspended. */
    bool suspended = false;
    std::string stateFile;
};

/**
 * Looks for the lock folder beside vmxPath and for a non-empty "checkpoint.vmState" among the
 * preserved lines of the read file (the editor does not model that key). Never throws: a folder
 * that cannot be examined counts as not locked.
 */
MachineState DetectMachineState(const std::filesystem::path& vmxPath,
                                const std::vector<std::string>& otherParams);

} // namespace zentravolix::editor
