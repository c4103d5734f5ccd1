// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentravolix::platform {

/** One key of a section as the private-profile reader sees it. */
struct IniEntry {
    std::string key;                  ///< as spelled in the file
    std::optional<std::string> value; ///< what a read of key gives (first key wins); none for a bare name
};

/**
 * An INI file in the private-profile format, held as its lines so that a change keeps every
 * other line (comments, blank lines, other sections, their order) byte for byte.
 *
 * Reading follows the private-profile rules: section and key names compare without regard to
 * ASCII letter case; blanks around names and values are trimmed; the first section and the first
 * key of a name win; lines starting with ";" are comments. Unlike the platform functions there is
 * no length limit and no quote stripping: a value reads back exactly as written (apart from
 * blanks at its ends, which the format cannot hold).
 */
class IniDocument {
public:
    IniDocument() = default;

    /** Parses text; lines may end in CR LF or LF, the last one may lack its end. */
    static IniDocument fromText(std::string_view text);
    /** Reads path; a missing file gives an empty document. Throws IoError when it cannot be read. */
    static IniDocument load(const std::filesystem::path& path);

    /** The file text; new lines use the line end of the first line of the file (CR LF when none). */
    std::string text() const;
    /** Writes text() atomically, creating the folder when needed. Throws IoError. */
    void save(const std::filesystem::path& path) const;

    bool hasSection(std::string_view section) const;
    /** The value of key in section, or nothing when the section or key is missing or bare. */
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    /** The key names of section in file order (comments and blank lines left out). */
    std::vector<std::string> keys(std::string_view section) const;
    /** keys() with the value a read of each would give, in one linear pass. */
    std::vector<IniEntry> entries(std::string_view section) const;
    /**
     * The key lines of section in file order, each with its own value (none for a bare name),
     * also where an earlier line of the same key hides it from a read.
     */
    std::vector<IniEntry> keyLines(std::string_view section) const;

    /**
     * Sets key in section, creating both as needed; NUL characters are dropped from value.
     * Throws std::invalid_argument for a name or value the format cannot hold (line breaks,
     * "=" in a key, "]" in a section name, an empty key).
     */
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    /** Removes every section of that name with all its lines. */
    void deleteSection(std::string_view section);
    /** Replaces every section of that name by one at the end of the file holding exactly entries. */
    void replaceSection(std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& entries);
    /** The same, where an entry without a value becomes a bare name line. */
    void replaceSection(std::string_view section, const std::vector<IniEntry>& entries);

private:
    enum class Kind {
        Blank,
        Comment,
        Section,
        Key,
    };
    struct Line {
        Kind kind = Kind::Blank;
        std::string raw;       ///< the line without its end
        std::string eol;       ///< "\r\n", "\n" or "" for a last line without end
        std::string name;      ///< section or key name
        std::string value;     ///< key value
        bool hasValue = false; ///< the key line holds "="
    };

    static Line parseLine(std::string raw, std::string eol, bool first);
    /** "key=value" with NULs dropped; throws std::invalid_argument when the format cannot hold it. */
    static std::string keyLine(std::string_view section, std::string_view key, std::string_view value);
    std::size_t findSection(std::string_view section) const; ///< index of the header or npos
    std::size_t sectionEnd(std::size_t header) const;        ///< index of the next header or size()
    void appendLine(std::string raw);

    std::vector<Line> m_lines;
    std::string m_eol = "\r\n";
};

} // namespace zentravolix::platform
