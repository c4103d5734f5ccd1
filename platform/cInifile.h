// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zentravolix::platform {

/**
 * Reads and writes one key of one section of one INI file at a time, with the semantics of
 * the platform's private-profile functions (see IniDocument). Each call opens and closes the
 * file; a write replaces the file only once the new text is complete. Values are neither
 * truncated to 254 characters nor key lists to 8192: everything reads back as written.
 */
class cInifile {
public:
    const std::string& Path() const { return m_path; }
    void SetPath(std::string path) { m_path = std::move(path); }
    const std::string& Section() const { return m_section; }
    void SetSection(std::string section) { m_section = std::move(section); }
    const std::string& Key() const { return m_key; }
    void SetKey(std::string key) { m_key = std::move(key); }
    const std::string& Default() const { return m_default; }
    void SetDefault(std::string value) { m_default = std::move(value); }

    /** Result of the last write or section deletion: non-zero on success, 0 on failure. */
    std::int32_t LastReturnCode() const { return m_lastReturnCode; }
    /** Why the last write failed (names the file and the reason); "" after a success. */
    const std::string& LastError() const { return m_lastError; }

    /** Key in Section of Path, or Default when the file, section or key is missing or unreadable. */
    std::string Value() const;
    /** Sets Key in Section to value (NULs dropped), creating folder, file, section and key as
     *  needed. Never throws: a failure sets LastReturnCode to 0 and LastError. */
    void SetValue(const std::string& value);
    /** Removes Section with all its keys; a missing file or section is left alone (success). */
    void DeleteSection();
    /** The key names of Section in file order; empty for a missing file or section. */
    std::vector<std::string> EnumerateCurrentSection() const;

private:
    template <typename Change> void modify(Change&& change);

    std::string m_path;
    std::string m_section;
    std::string m_key;
    std::string m_default;
    std::int32_t m_lastReturnCode = 0;
    std::string m_lastError;
};

} // namespace zentravolix::platform
