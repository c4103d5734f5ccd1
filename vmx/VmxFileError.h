// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zentravolix::vmx {

/**
 * A .vmx file the reader refuses as a whole, before anything in the model was changed. what()
 * names the file and the reason in English for logs; callers show their own text for Reason().
 */
class VmxFileError : public std::runtime_error {
public:
    enum class Reason {
        /** The file could not be opened or read; SystemReason() holds the system's message. */
        CannotOpen,
        /** The file holds NUL bytes, so it is not a text file. */
        NotText,
        /** The file is larger than MaxVmxFileSize. */
        TooLarge,
    };

    VmxFileError(Reason reason, std::filesystem::path path, std::string systemReason = {});

    Reason reason() const noexcept { return m_reason; }
    const std::filesystem::path& path() const noexcept { return m_path; }
    const std::string& systemReason() const noexcept { return m_systemReason; }

private:
    Reason m_reason;
    std::filesystem::path m_path;
    std::string m_systemReason;
};

/**
 * Files above this size (64 MiB) are refused: no real configuration comes near it. The size is
 * counted as CountedSize does, so a file counts the same whichever line ends it has, and what
 * the writer makes of a file (CR LF throughout) can be read again.
 */
inline constexpr std::uintmax_t MaxVmxFileSize = 64u * 1024u * 1024u;

/** The size the limit counts: every CR LF pair as one byte, as if every line ended in LF. */
std::uintmax_t CountedSize(std::string_view text);

} // namespace zentravolix::vmx
