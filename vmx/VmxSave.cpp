// SPDX-License-Identifier: MIT
#include "vmx/VmxWriter.h"

#include "vmx/VmxFileError.h"

#include "platform/AtomicFile.h"
#include "platform/IoError.h"

#include <tarvonel/tarvonel.h>

#include <system_error>

namespace zentravolix::vmx {

namespace fs = std::filesystem;

namespace {

/** Creates one missing folder level; the parent must exist, as it must for the classic writer. */
void ensureFolder(const fs::path& folder)
{
    std::error_code ec;
    const auto status = fs::status(folder, ec);
    if (fs::is_directory(status))
        return;
    if (fs::exists(status))
        throw platform::IoError("Cannot create folder", folder, "a file of that name exists");
    if (!fs::create_directory(folder, ec) && ec)
        throw platform::IoError("Cannot create folder", folder, ec.message());
}

/** A folder of the model: absolute as it is, relative ones in the machine's folder (as VMware reads them). */
fs::path resolveFolder(const std::string& folder, const std::string& vmxPath)
{
    const fs::path path(folder);
    if (path.is_absolute() || vmxPath.empty())
        return path;
    return fs::path(vmxPath) / path;
}

} // namespace

fs::path VmxFilePath(const tarvonel::VirtualMachine& vm)
{
    const auto general = vm.Options()->GeneralOptions();
    return fs::path(general->VmxPath() + general->VmxFileName());
}

SavedFile SaveVmxFile(const tarvonel::VirtualMachine& vm, const std::vector<std::string>& otherParams,
                      const ValuesAfterRead& afterRead)
{
    // The whole text first: a model that cannot be written stops the save before any folder is made.
    SavedFile saved{VmxFilePath(vm), WriteVmxText(vm, otherParams, afterRead)};
    // Never write what the reader would refuse: the file could not be opened again.
    if (saved.text.size() > MaxVmxFileSize && CountedSize(saved.text) > MaxVmxFileSize)
        throw platform::IoError("Cannot write", saved.path,
                                "the configuration would be larger than 64 MiB, more than can be opened again");

    const auto general = vm.Options()->GeneralOptions();
    const std::string vmxPath = general->VmxPath();
    if (!vmxPath.empty())
        ensureFolder(fs::path(vmxPath));
    const std::string workingPath = general->WorkingPath();
    // An empty working folder (files from other programs carry workingDir = "") names no folder.
    if (!workingPath.empty() && workingPath != ".")
        ensureFolder(resolveFolder(workingPath, vmxPath));
    const std::string logFolder = vm.Options()->AdvancedOptions()->LogFolder();
    if (!logFolder.empty())
        ensureFolder(resolveFolder(logFolder, vmxPath));

    platform::WriteFileAtomically(saved.path, saved.text);
    return saved;
}

} // namespace zentravolix::vmx
