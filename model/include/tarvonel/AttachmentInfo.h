// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace tarvonel {

/** One CD-ROM drive attached to a controller, as reported by GetConnectedCDRoms. */
struct CDRInfo {
    std::int16_t iDeviceNum = 0;
    bool bEnabled = false;
    bool bConnectAtBoot = false;
    std::string szName;
    std::string szType;
    bool bLegacy = false;
    bool bExclusive = false;
    std::string szBusType;
    std::int16_t iController = 0;
    std::int16_t iNode = 0;
};

/** One hard disk attached to a controller, as reported by GetConnectedHardDisks. */
struct HDInfo {
    std::int16_t iDeviceNum = 0;
    bool bEnabled = false;
    std::string szName;
    std::string szType;
    std::int32_t lSize = 0;
    std::string szMode;
    std::string szBusType;
    std::int16_t iController = 0;
    std::int16_t iNode = 0;
};

/** One generic SCSI device attached to a controller, as reported by GetConnectedGenericSCSIs. */
struct GenSCSIInfo {
    std::int16_t iDeviceNum = 0;
    bool bEnabled = false;
    bool bConnectAtBoot = false;
    std::string szName;
    std::string szType;
    std::string szBusType;
    std::int16_t iController = 0;
    std::int16_t iNode = 0;
};

} // namespace tarvonel
