// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/ReadProblem.h"
#include "vmx/ValuesAfterRead.h"
#include "vmx/VmxFileError.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::vmx {

/** What a read leaves besides the model; the writer takes otherParams and valuesAfterRead back. */
struct ReadResult {
    /** The lines the program does not understand, byte for byte without their line ends: key lines in file order, then comment lines. */
    std::vector<std::string> otherParams;
    /** Lines that could not be applied (each also kept in otherParams), in line order. */
    std::vector<ReadProblem> problems;
    /** The writer's lines right after reading for the keys of otherParams (see ValuesAfterRead). */
    ValuesAfterRead valuesAfterRead;
    /** The backup copy made before reading; empty when none was asked for. */
    std::filesystem::path backupPath;
};

/** Options of ReadVmxFile. */
struct ReadOptions {
    /** Copy the file to its full name with ".bak" appended (replacing an older copy) before reading. */
    bool createBackup = false;
};

/**
 * Reads .vmx text into vm, which should already hold the new-machine defaults: lines set model
 * members on top of them, and every line not understood is kept in otherParams. LF and CR LF line
 * ends are read alike; a UTF-8 byte order mark is skipped. vmxFilePath, when given, sets VmxPath
 * (up to and including the last "/") and VmxFileName. Throws VmxFileError (NotText, TooLarge)
 * naming vmxFilePath before anything is changed; a faulty line never throws, it is reported.
 */
ReadResult ReadVmxText(std::string_view text, tarvonel::VirtualMachine& vm, const std::string& vmxFilePath = {});

/**
 * Reads the file at path as ReadVmxText does, after the optional backup copy. Throws
 * VmxFileError when the file cannot be read, is not text or is larger than MaxVmxFileSize, and
 * platform::IoError when the backup cannot be written; the model is then unchanged.
 */
ReadResult ReadVmxFile(const std::filesystem::path& path, tarvonel::VirtualMachine& vm, const ReadOptions& options = {});

} // namespace zentravolix::vmx
