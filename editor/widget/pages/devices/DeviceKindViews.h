// SPDX-License-Identifier: MIT
#pragma once

// What the editor shows for each device kind: its page and its icon. The kinds themselves, their
// order and their Qt-free facts are in config/DeviceKinds.h; this is the Qt half of that table.

#include <tarvonel/Enums.h>

#include <QRgb>

#include <memory>
#include <optional>

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::editor {

class DevicePage;
struct DevicePageHooks;
struct EditorContext;

struct DeviceKindView {
    /** Creates the kind's device page (the caller gives it a parent). */
    DevicePage* (*makePage)(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                            const DevicePageHooks& hooks) = nullptr;
    /** The short name on the kind's icon tile ("HD", "NET"). */
    const char* iconLabel = "";
    /** The tile's colour: one per family (processor and memory, storage, ports, controllers, peripherals). */
    QRgb iconColour = 0;
};

/** The page and icon of a kind; nothing for Device and any value that is no kind. */
std::optional<DeviceKindView> FindDeviceKindView(tarvonel::VirtualHardwareType type);

} // namespace zentravolix::editor
