// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentravolix::platform {

/** Registry value types, numbered as the Windows registry numbers them. */
namespace RegistryType {
inline constexpr std::int32_t String = 1;
inline constexpr std::int32_t ExpandableString = 2;
inline constexpr std::int32_t Binary = 3;
inline constexpr std::int32_t Number = 4;
inline constexpr std::int32_t BigEndianNumber = 5;
inline constexpr std::int32_t MultiString = 7;
} // namespace RegistryType

/** One stored value: its type and its bytes (strings without terminator, numbers as 4 bytes). */
struct StoredValue {
    std::int32_t type = RegistryType::String;
    std::string bytes;
};

/**
 * The file that stands in for the registry: an INI-like text with one section per key,
 * "[HKEY_CURRENT_USER\Software\Quindrel\Zentravolix]", and one line per value,
 * "name=type:data". Names and string data are percent-encoded where needed ("%", line breaks,
 * NUL, "=" and "[" / ";" in names, "]" in key paths), so any text round-trips exactly.
 * Key paths and value names compare without regard to ASCII case. Lines the store cannot parse
 * are kept as they are.
 */
class RegistryStore {
public:
    /** Reads path; a missing file gives an empty store. Throws IoError when it cannot be read. */
    static RegistryStore load(const std::filesystem::path& path);
    static RegistryStore fromText(std::string_view text);
    std::string text() const;
    /** Writes the store atomically, creating its folder. Throws IoError. */
    void save(const std::filesystem::path& path) const;

    std::optional<StoredValue> value(std::int32_t root, std::string_view key, std::string_view name) const;
    bool hasKey(std::int32_t root, std::string_view key) const;
    /** Names of the values of key in file order; empty for a missing key. */
    std::vector<std::string> valueNames(std::int32_t root, std::string_view key) const;
    /** Creates key as needed and sets the value. */
    void setValue(std::int32_t root, std::string_view key, std::string_view name, const StoredValue& value);

    /** "HKEY_CURRENT_USER" and so on; "HKEY_0x…" for other numbers. */
    static std::string rootName(std::int32_t root);

private:
    struct Entry {
        std::string name; ///< empty for a line that is kept verbatim
        StoredValue value;
        std::string raw;
    };
    struct Key {
        std::string header; ///< "HKEY_…\path" as decoded; empty for the lines before the first key
        std::vector<Entry> entries;
    };

    std::size_t findKey(std::int32_t root, std::string_view key) const; ///< index or npos

    std::vector<Key> m_keys;
};

} // namespace zentravolix::platform
