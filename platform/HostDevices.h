// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zentravolix::platform {

/** Where the device lists look; tests point both at a fake tree in a temporary folder. */
struct HostDeviceRoots {
    std::filesystem::path sys = "/sys";
    std::filesystem::path dev = "/dev";
};

/**
 * Device paths of the host's serial ports that exist: ttyS* with a real UART behind them
 * (a device link and a port type other than 0 in sysfs), ttyUSB* and ttyACM*, in natural order.
 * Empty when there are none.
 */
std::vector<std::string> HostSerialPorts(const HostDeviceRoots& roots = {});

/** Device paths /dev/parport*, in natural order; empty when there are none. */
std::vector<std::string> HostParallelPorts(const HostDeviceRoots& roots = {});

/** Floppy drives (/dev/fd0 …) and other removable block devices except CD-ROM drives. */
std::vector<std::string> HostRemovableDrives(const HostDeviceRoots& roots = {});

/** CD-ROM drives: /dev/sr* in natural order, then /dev/cdrom when it exists. */
std::vector<std::string> HostCdromDrives(const HostDeviceRoots& roots = {});

/** The serial list to offer when the host lists none: /dev/ttyS0 to /dev/ttyS3. */
std::vector<std::string> SerialPortFallback();

/** The parallel list to offer when the host lists none: /dev/parport0 to /dev/parport2. */
std::vector<std::string> ParallelPortFallback();

} // namespace zentravolix::platform
