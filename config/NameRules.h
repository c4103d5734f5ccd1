// SPDX-License-Identifier: MIT
#pragma once

// The rules of the file-name, folder and working-folder fields of the General page, shared by the
// editor and the command-line tool.

#include <string>

namespace tarvonel {
class clsGeneral;
}

namespace zentravolix::config {

/** A non-empty name that does not end in ".vmx" (case-sensitive) gets ".vmx" appended. */
std::string NormalizeVmxFileName(const std::string& text);

/** A non-empty folder that does not end in the path separator gets one appended. */
std::string NormalizeVmxFolder(const std::string& text);

/** As NormalizeVmxFolder, except that "." (the machine's own folder) stays as it is. */
std::string NormalizeWorkingDir(const std::string& text);

/** VmxNameValid: both VmxPath and VmxFileName of the general options are non-empty. */
bool IsVmxNameValid(const tarvonel::clsGeneral& general);

} // namespace zentravolix::config
