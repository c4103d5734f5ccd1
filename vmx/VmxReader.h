// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/ReadProblem.h"
#include "vmx/ValuesAfterRead.h"
#include "vmx/VmxFileError.h"

#include "platform/AtomicFile.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::vmx {

/**
 * A file as it was opened: what its backup holds. The backup is made when an editor first saves
 * over the file, not when it opens it, so opening and closing without saving leaves an older
 * backup alone, and the backup is always the file as it was before this editor changed it.
 */
struct OpenedFile {
    std::filesystem::path path;
    std::string content;
    /** Mode, owner, group and extended attributes the file had; nothing when they could not be read. */
    std::optional<platform::FileAttributes> attributes;
};

/** What a read leaves besides the model; the writer takes otherParams and valuesAfterRead back. */
struct ReadResult {
    /** The lines the program does not understand, byte for byte without their line ends: key lines in file order, then comment lines. */
    std::vector<std::string> otherParams;
    /** Lines that could not be applied (each also kept in otherParams), in line order. */
    std::vector<ReadProblem> problems;
    /** The writer's lines right after reading for the keys of otherParams (see ValuesAfterRead). */
    ValuesAfterRead valuesAfterRead;
    /** The file as read, when ReadOptions::keepOriginal asked for it (for WriteBackup). */
    std::optional<OpenedFile> original;
    /** std::hash of the file's bytes, when ReadOptions::hashContent asked for it (to notice a later change). */
    std::optional<std::size_t> contentHash;
    /**
     * The file named its product in a "# Platform = " line. Files VMware wrote have none; the
     * configuration session then finds the product from the file's hardware version.
     */
    bool platformLine = false;
    /**
     * The file carries what only ESX or ESXi hosts write: a "/vmfs/volumes/" path, an
     * "ethernetN.networkName" line or a MAC address of address type "vpx".
     */
    bool serverMarks = false;
    /**
     * The file is a fully encrypted configuration: besides its "encryption." lines it has only
     * ".encoding" and "displayName". Its settings are sealed; it can be looked at, not saved.
     */
    bool encrypted = false;
    /**
     * Kept lines of keys and values only today's products write ("ethernet0.virtualDev =
     * \"vmxnet3\"", "firmware"), in a file the read took for a classic product version; by their
     * place in otherParams. TakeNewerLines takes them into the model.
     */
    struct NewerLine {
        std::size_t index = 0;
        std::function<void()> apply;
    };
    std::vector<NewerLine> newerLines;
};

/**
 * Takes the kept lines of ReadResult::newerLines into the model, once the file is known to be one
 * of today's products (found from its hardware version), drops them from otherParams and, when
 * there were any, fills valuesAfterRead anew for the model as it then stands.
 */
void TakeNewerLines(ReadResult& result, const tarvonel::VirtualMachine& vm);

/** Options of ReadVmxFile. */
struct ReadOptions {
    /** Keep the file's content and attributes in ReadResult::original, for a backup made at the first save. */
    bool keepOriginal = false;
    /** Give the hash of the file's bytes in ReadResult::contentHash (without keeping the bytes). */
    bool hashContent = false;
    /**
     * Leave ReadResult::valuesAfterRead empty: the caller settles the newer lines first and then
     * fills it with CaptureValuesAfterRead, so the model's lines of the kept keys are made once.
     */
    bool captureLater = false;
};

/**
 * Reads .vmx text into vm, which should already hold the new-machine defaults: lines set model
 * members on top of them, and every line not understood is kept in otherParams. LF, CR LF and lone CR line
 * ends are read alike; a UTF-8 byte order mark is skipped. vmxFilePath, when given, sets VmxPath
 * (up to and including the last "/") and VmxFileName. Throws VmxFileError (NotText, TooLarge)
 * naming vmxFilePath before anything is changed; a faulty line never throws, it is reported.
 */
ReadResult ReadVmxText(std::string_view text, tarvonel::VirtualMachine& vm, const std::string& vmxFilePath = {});
/** Reads .vmx text as above; of the options only captureLater applies to text. */
ReadResult ReadVmxText(std::string_view text, tarvonel::VirtualMachine& vm, const std::string& vmxFilePath,
                       const ReadOptions& options);

/**
 * Reads the file at path as ReadVmxText does. Throws VmxFileError when the file cannot be read,
 * is not text or is larger than MaxVmxFileSize; the model is then unchanged.
 */
ReadResult ReadVmxFile(const std::filesystem::path& path, tarvonel::VirtualMachine& vm, const ReadOptions& options = {});

/** The backup of a file: its full name with ".bak" appended. */
std::filesystem::path BackupPath(const std::filesystem::path& file);

/**
 * Writes the backup of an opened file at BackupPath(original.path), atomically, with the content
 * as it was opened and the original's mode, owner, group and extended attributes (a backup of a
 * file only its owner may read is no more readable than the file). An older backup is replaced;
 * so is a symbolic link standing at the backup's name, which is never followed. Returns the
 * backup's path; throws platform::IoError naming it.
 */
std::filesystem::path WriteBackup(const OpenedFile& original);

} // namespace zentravolix::vmx
