// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Enums.h>

#include <QIcon>

namespace zentravolix::editor {

/**
 * The icon of a device kind, for the hardware list and the add-hardware dialog: a small coloured
 * tile with the kind's short name, one colour per family (processor and memory, storage, ports,
 * controllers, peripherals). Drawn on each call (callers that show
 * many rows keep their own copies); a value outside 0..14 gives an empty icon.
 */
QIcon DeviceIcon(tarvonel::VirtualHardwareType type);

} // namespace zentravolix::editor
