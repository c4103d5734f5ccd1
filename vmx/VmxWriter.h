// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/ValuesAfterRead.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::vmx {

/**
 * The whole .vmx file for the model: banner, identity/general section, device sections, the
 * "advanced stuff" block, the preserved lines and the closing line, every line ending in CR LF.
 * Pure: reads the model only and touches no file. Values are escaped as VMware escapes them;
 * preserved lines are written byte for byte. No key is written twice (letter case ignored): of
 * the writer's own lines the later wins; against a preserved line the rule of ValuesAfterRead
 * applies; a preserved ".encoding" line becomes the first line of the file. A preserved line of
 * a device slot the model held after reading and no longer holds (a removed network adapter,
 * port, shared folder, controller or node device) is left out.
 * Throws tarvonel::Overflow for a memory total outside 32 bits and the controllers' errors
 * (tarvonel::SubscriptOutOfRange) for a device attached outside its controller's nodes.
 */
std::string WriteVmxText(const tarvonel::VirtualMachine& vm, const std::vector<std::string>& otherParams = {},
                         const ValuesAfterRead& afterRead = {});

/** What a save wrote. */
struct SavedFile {
    std::filesystem::path path;
    std::string text;
};

/**
 * Saves the model as VmxPath + VmxFileName: creates the folder VmxPath when missing (one level,
 * as the working and log folders, which are taken relative to VmxPath when not absolute), then
 * writes the text of WriteVmxText through a temporary file in the same folder and a rename, so an
 * existing file is replaced only once the new one is complete. A text larger than the reader
 * takes (MaxVmxFileSize, counted by CountedSize) is refused, so a saved file can always be opened
 * again. Does not run the save pre-checks (SaveChecks.h). Throws platform::IoError naming the path
 * and the reason, or the errors of WriteVmxText; the old file is then untouched.
 */
SavedFile SaveVmxFile(const tarvonel::VirtualMachine& vm, const std::vector<std::string>& otherParams = {},
                      const ValuesAfterRead& afterRead = {});

/** The full path a save writes to: VmxPath followed by VmxFileName. */
std::filesystem::path VmxFilePath(const tarvonel::VirtualMachine& vm);

/**
 * The lines the writer would make now for the keys of the preserved lines, and the device slots
 * of the model those lines belong to (used by the reader). A model the writer cannot write gives
 * no lines (its own lines then count as changed); only bad_alloc leaves.
 */
ValuesAfterRead CaptureValuesAfterRead(const tarvonel::VirtualMachine& vm, const std::vector<std::string>& otherParams);

} // namespace zentravolix::vmx
