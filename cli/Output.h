// SPDX-License-Identifier: MIT
#pragma once

// What every command shares for its input and output: files read by name or from standard input,
// text of a file made safe for a terminal, and JSON that keeps bytes that are not UTF-8.

#include "cli/Context.h"
#include "config/ConfigChecks.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <string_view>

namespace zentravolix::cli {

/** A file named on the command line, read whole. */
struct InputFile {
    /** As given on the command line; "-" for standard input. */
    std::string name;
    /** The path the configuration is known by: the file made absolute; for "-", "stdin.vmx" in the current folder. */
    std::filesystem::path path;
    std::string text;
};

/** True for the name that means standard input or output. */
inline bool IsStdio(std::string_view name)
{
    return name == "-";
}

/**
 * Reads a named file, or standard input for "-". Throws vmx::VmxFileError naming the file when it
 * cannot be read (a folder, a missing file, no permission).
 */
InputFile ReadInput(Context& context, const std::string& name);

/**
 * Text from a file made safe to print: control bytes (escape sequences included), DEL, the C1
 * controls and bytes that are not UTF-8 are written as "\xNN"; a backslash stays as it is.
 */
std::string Visible(std::string_view text);

/**
 * Makes a JSON document safe to dump: every string value that is not valid
 * UTF-8 is replaced by its bytes read as Latin-1 (each byte the code point of the same number), and
 * the JSON Pointer of each replaced value is added to the array `latin1` of the top object. The
 * bytes come back by writing each character of such a string as one byte.
 */
void KeepBytesRecoverable(nlohmann::json& doc);

/** True when the text is valid UTF-8. */
bool IsUtf8(std::string_view text);

/** The standard error line of the tool: "zentravolix-cli: " and the message, made visible. */
void Complain(Context& context, const std::string& message);

/** A finding of the configuration checks in the tool's words. */
std::string FindingText(const config::CheckFinding& finding, const Context& context);

} // namespace zentravolix::cli
