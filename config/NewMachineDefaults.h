// SPDX-License-Identifier: MIT
#pragma once

#include "config/ProductTables.h"

#include <string>

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::config {

/**
 * Text id of "New VM", the name a new machine gets until the user names it. The name is model data
 * that is saved into the file, so the caller picks it in the language it runs in and passes it as
 * displayName; this layer never looks texts up.
 */
inline constexpr int NewMachineNameTextId = 26;
/** The English "New VM" (the English row of NewMachineNameTextId), used when no name is passed. */
inline constexpr const char* NewMachineFallbackName = "New VM";

/**
 * Gives a fresh model the defaults of a new machine: the display name (NewMachineFallbackName
 * when displayName is empty, so a machine never gets the file name ".vmx") and its file name, the
 * folder (tempPath when vmxPath is empty), Workstation 5.5x with Windows XP Professional, the
 * standard option values and the standard set of devices. The version settings of Workstation 5.5x
 * are applied as choosing that version would, so a new machine is never written with version 0.
 * Returns the editor limits of that version. Meant for an empty model: calling it twice adds the
 * devices twice.
 */
EditorLimits ApplyNewMachineDefaults(tarvonel::VirtualMachine& vm, const std::string& displayName,
                                     const std::string& vmxPath, const std::string& tempPath);

} // namespace zentravolix::config
