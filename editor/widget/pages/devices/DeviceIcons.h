// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Enums.h>

#include <QIcon>

namespace zentravolix::editor {

/**
 * The icon of a device kind, for the hardware list and the add-hardware dialog: a small coloured
 * tile with the kind's short name in its family's colour (DeviceKindViews.cpp). Drawn on each call
 * (callers that show many rows keep their own copies); a value that is no kind gives an empty icon.
 */
QIcon DeviceIcon(tarvonel::VirtualHardwareType type);

} // namespace zentravolix::editor
