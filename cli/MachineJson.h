// SPDX-License-Identifier: MIT
#pragma once

#include "cli/Context.h"
#include "config/ConfigChecks.h"
#include "config/ConfigSession.h"

#include <nlohmann/json.hpp>

#include <string>

namespace tarvonel {
class clsAdvanced;
class clsUSBController;
} // namespace tarvonel

namespace zentravolix::cli {

/** The USB version a USB controller offers: "1.1", "2.0" with its EHCI part, "3.x" with its xHCI part. */
std::string UsbVersion(const tarvonel::clsUSBController& usb);

/** The firmware as the file names it: "bios" or "efi". */
std::string FirmwareName(const tarvonel::clsAdvanced& advanced);

/**
 * The whole configuration as `show --json` prints it: product, every device with every field the
 * model holds, every option, the lines the reader kept with a problem, the preserved lines and how
 * many key lines the model understood. The member names are documented in the manual page and in
 * the JSON Schema tests/cli/show.schema.json; they never depend on the language. `file` is the
 * name as given on the command line. Strings are raw bytes: call KeepBytesRecoverable before dumping.
 */
nlohmann::json MachineJson(const Context& context, const config::ConfigSession& session, const std::string& file,
                           const config::KeyLineIndex& lines);

/** Key lines of a file: all of them, those the model took and those it kept verbatim. */
struct KeyLineCount {
    std::int32_t total = 0;
    std::int32_t understood = 0;
    std::int32_t kept = 0;
};

/** How many of the file's key lines the model understood and how many it kept as they were. */
KeyLineCount CountKeyLines(const config::ConfigSession& session, const config::KeyLineIndex& lines);

} // namespace zentravolix::cli
