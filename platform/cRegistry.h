// SPDX-License-Identifier: MIT
#pragma once

#include "platform/RegistryError.h"
#include "platform/RegistryStore.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace zentravolix::platform {

/** A registry value as read or written: none, text, 32-bit number, bytes or a list of texts. */
using RegistryValue = std::variant<std::monostate, std::string, std::int32_t, std::vector<std::uint8_t>,
                                   std::vector<std::string>>;

/** Root keys, numbered as the Windows registry numbers them. */
inline constexpr std::int32_t kHkeyClassesRoot = static_cast<std::int32_t>(0x80000000u);
inline constexpr std::int32_t kHkeyCurrentUser = static_cast<std::int32_t>(0x80000001u);
inline constexpr std::int32_t kHkeyLocalMachine = static_cast<std::int32_t>(0x80000002u);

/**
 * Addresses one value of the settings store at a time through its properties, as the program
 * once did with the Windows registry. The store is a file (RegistryStore), opened and closed by
 * every call. Reads never fail: they give Default. Writes raise RegistryError when the store
 * cannot be written. A remote Machine is not supported: with Machine set, reads give Default
 * and writes fail.
 */
class cRegistry {
public:
    /** Works on the store file at storeFile (DefaultRegistryStorePath() in the program). */
    explicit cRegistry(std::filesystem::path storeFile);

    std::int32_t ClassKey() const { return m_classKey; }
    void SetClassKey(std::int32_t key) { m_classKey = key; }
    const std::string& SectionKey() const { return m_sectionKey; }
    void SetSectionKey(std::string key) { m_sectionKey = std::move(key); }
    const std::string& ValueKey() const { return m_valueKey; }
    void SetValueKey(std::string key) { m_valueKey = std::move(key); }
    std::int32_t ValueType() const { return m_valueType; }
    void SetValueType(std::int32_t type) { m_valueType = type; }
    const RegistryValue& Default() const { return m_default; }
    void SetDefault(RegistryValue value) { m_default = std::move(value); }
    const std::string& Machine() const { return m_machine; }
    void SetMachine(std::string machine) { m_machine = std::move(machine); }

    /**
     * ValueKey of SectionKey under ClassKey: a string (an expandable string with its %NAME%
     * references expanded), a number (a big-endian one swapped), bytes, or a list of strings;
     * Default when the store, key or value is missing or unreadable.
     */
    RegistryValue Value() const;
    /** Value() as text: a string as it is, a number in decimal, anything else "". */
    std::string StringValue() const;
    /**
     * Creates SectionKey as needed and sets ValueKey by ValueType: for 1 and 2 the text (stored
     * as expandable when it holds a "%" with another "%" at least two places further on), 4 a
     * number, 3 bytes, 7 a list. Throws RegistryError (number 800469A9) when the value does not
     * fit the type or the store cannot be written; the store is then unchanged.
     */
    void SetValue(const RegistryValue& value);
    /** Names of all values of SectionKey in store order; empty for a missing key. */
    std::vector<std::string> EnumerateValues() const;

    const std::filesystem::path& storeFile() const { return m_storeFile; }

private:
    [[noreturn]] void raiseWriteError(const RegistryValue& value, const std::string& reason) const;

    std::filesystem::path m_storeFile;
    std::int32_t m_classKey = kHkeyCurrentUser;
    std::string m_sectionKey;
    std::string m_valueKey;
    std::int32_t m_valueType = RegistryType::String;
    RegistryValue m_default;
    std::string m_machine;
};

/** Replaces every %NAME% whose NAME is set in the environment by its value; others stay as they are. */
std::string ExpandEnvironmentReferences(std::string_view text);

} // namespace zentravolix::platform
