// SPDX-License-Identifier: MIT
#include "vmx/VmxFileError.h"

#include "vmx/ReadProblem.h"

namespace zentravolix::vmx {

namespace {

std::string describe(VmxFileError::Reason reason, const std::filesystem::path& path, const std::string& system)
{
    switch (reason) {
    case VmxFileError::Reason::CannotOpen:
        return "Cannot read " + path.string() + (system.empty() ? std::string() : ": " + system);
    case VmxFileError::Reason::NotText:
        return path.string() + " is not a text file (it contains NUL bytes)";
    case VmxFileError::Reason::TooLarge:
        return path.string() + " is larger than 64 MiB";
    }
    return path.string();
}

} // namespace

VmxFileError::VmxFileError(Reason reason, std::filesystem::path path, std::string systemReason)
    : std::runtime_error(describe(reason, path, systemReason))
    , m_reason(reason)
    , m_path(std::move(path))
    , m_systemReason(std::move(systemReason))
{
}

std::uintmax_t CountedSize(std::string_view text)
{
    std::uintmax_t pairs = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", at + 2))
        ++pairs;
    return text.size() - pairs;
}

const char* ProblemCodeName(ProblemCode code)
{
    switch (code) {
    case ProblemCode::NotANumber:
        return "not-a-number";
    case ProblemCode::NumberOutOfRange:
        return "number-out-of-range";
    case ProblemCode::BadIndex:
        return "bad-index";
    case ProblemCode::IndexTooLarge:
        return "index-too-large";
    case ProblemCode::TooManyItems:
        return "too-many-items";
    case ProblemCode::NodeOutOfRange:
        return "node-out-of-range";
    case ProblemCode::ValueRejected:
        return "value-rejected";
    }
    return "unknown";
}

} // namespace zentravolix::vmx
