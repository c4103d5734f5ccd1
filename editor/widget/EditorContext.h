// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/Dialogs.h"
#include "platform/FavoriteRecord.h"
#include "platform/Settings.h"

#include <functional>
#include <string>
#include <vector>

namespace zentravolix::editor {

/** The host's devices the device pages offer, each list in the host's order (empty: none found). */
struct HostDevices {
    std::vector<std::string> removableDrives;
    std::vector<std::string> cdromDrives;
    std::vector<std::string> serialPorts;
    std::vector<std::string> parallelPorts;
};

/**
 * What an editor needs from the program around it. The main window owns every member and keeps
 * them alive as long as its editors; an editor only borrows them.
 */
struct EditorContext {
    /** Every message box and file dialog goes through here; never null in use. */
    Dialogs* dialogs = nullptr;
    /** The process-wide program settings (backups, temporary folder); may be null in tests. */
    platform::ProgramSettings* settings = nullptr;
    /** The main window's favourites: adds or updates the record and refreshes the list. */
    std::function<void(const platform::FavoriteRecord&)> addFavorite;
    /** Host floppy, CD-ROM, serial and parallel device lists. */
    HostDevices hostDevices;
};

} // namespace zentravolix::editor
