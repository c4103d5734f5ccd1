// SPDX-License-Identifier: MIT
#pragma once

namespace tarvonel::detail {

/** The word the options list shows for a switch. */
inline const char* EnabledText(bool enabled)
{
    return enabled ? "Enabled" : "Disabled";
}

} // namespace tarvonel::detail
