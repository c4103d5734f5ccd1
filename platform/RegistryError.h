// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zentravolix::platform {

/** A settings-store write that failed; what() is the classic description of the failure. */
class RegistryError : public std::runtime_error {
public:
    /** The error number 800469A9 (hexadecimal) of a failed write. */
    static constexpr std::int32_t kWriteFailed = static_cast<std::int32_t>(0x800469A9u);

    RegistryError(std::int32_t number, std::string source, const std::string& description, std::string reason)
        : std::runtime_error(description), m_number(number), m_source(std::move(source)),
          m_reason(std::move(reason))
    {
    }
    std::int32_t Number() const noexcept { return m_number; }
    /** "Zentravolix.cRegistry". */
    const std::string& Source() const noexcept { return m_source; }
    /** The underlying system failure (names the store file and the system's reason). */
    const std::string& reason() const noexcept { return m_reason; }

private:
    std::int32_t m_number;
    std::string m_source;
    std::string m_reason;
};

} // namespace zentravolix::platform
