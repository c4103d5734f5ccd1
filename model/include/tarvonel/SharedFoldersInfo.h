// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace tarvonel {

/** The values of one shared folder as a plain record. Published for callers; no member uses it. */
struct SharedFoldersInfo {
    std::int16_t iDeviceNum = 0;
    std::string szShareName;
    std::string szHostFolder;
    std::string szStatus;
    bool bEnabled = false;
    bool bReadOnly = false;
    bool bDisableAfterThisSession = false;
};

} // namespace tarvonel
