// SPDX-License-Identifier: MIT
#include "config/NameRules.h"

#include "platform/Paths.h"

#include <tarvonel/clsGeneral.h>

namespace zentravolix::config {

namespace {
bool endsWith(const std::string& text, std::string_view suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}
} // namespace

std::string NormalizeVmxFileName(const std::string& text)
{
    if (text.empty() || endsWith(text, ".vmx"))
        return text;
    return text + ".vmx";
}

std::string NormalizeVmxFolder(const std::string& text)
{
    if (text.empty() || endsWith(text, platform::PathSeparator))
        return text;
    return text + std::string(platform::PathSeparator);
}

std::string NormalizeWorkingDir(const std::string& text)
{
    if (text == ".")
        return text;
    return NormalizeVmxFolder(text);
}

bool IsVmxNameValid(const tarvonel::clsGeneral& general)
{
    return !general.VmxPath().empty() && !general.VmxFileName().empty();
}

} // namespace zentravolix::config
