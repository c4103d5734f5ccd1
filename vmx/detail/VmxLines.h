// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/KnownKeys.h"
#include "vmx/VmxSyntax.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::vmx::detail {

/** One line the writer makes: its text, of which a key line's key is the start (none for headers and blanks). */
struct VmxLine {
    std::string_view text;
    std::size_t keyLength = 0;

    /** The key as written; empty for headers and blanks. */
    std::string_view key() const { return text.substr(0, keyLength); }
};

/**
 * The writer's lines in file order, their texts in one buffer they share: a file of a hundred
 * lines is one allocation, not a hundred. The lines stay valid while the object lives, moved or not.
 */
class ModelLines {
public:
    ModelLines() = default;
    ModelLines(std::unique_ptr<std::string> text, std::vector<VmxLine> lines)
        : m_text(std::move(text)), m_lines(std::move(lines))
    {
    }

    std::size_t size() const { return m_lines.size(); }
    bool empty() const { return m_lines.empty(); }
    const VmxLine& operator[](std::size_t i) const { return m_lines[i]; }
    auto begin() const { return m_lines.cbegin(); }
    auto end() const { return m_lines.cend(); }

    /** Leaves out the lines whose entry in keep is false. */
    void keepOnly(const std::vector<bool>& keep)
    {
        std::size_t to = 0;
        for (std::size_t i = 0; i < m_lines.size(); ++i) {
            if (keep[i])
                m_lines[to++] = m_lines[i];
        }
        m_lines.resize(to);
    }

private:
    std::unique_ptr<std::string> m_text;
    std::vector<VmxLine> m_lines;
};

/** Keys, letter case ignored. */
using WantedKeys = std::unordered_set<std::string_view, KeyHash, KeyEqual>;

/** The writer's lines in file order, before duplicates and preserved lines are settled. */
class VmxLines {
public:
    /** Room for an ordinary machine's lines from the start: the buffers rarely grow. */
    VmxLines()
    {
        m_text->reserve(kUsualText);
        m_lines.reserve(kUsualLines);
    }
    /**
     * Makes only the key lines of these keys (letter case ignored) and no comments or blanks: the
     * few lines a caller looks up, without building the text of every item of a large model.
     */
    explicit VmxLines(const WantedKeys& only) : m_only(&only)
    {
        for (const std::string_view key : only) {
            const std::string_view prefix = key.substr(0, key.find('.'));
            m_onlyPrefixes.insert(prefix);
            m_keyLengths.set(std::min(key.size(), kLongKey));
            m_prefixLengths.set(std::min(prefix.size(), kLongKey));
            // The writer writes only keys the reader knows: a key of no place is never written.
            if (const auto known = FindKnownKey(key))
                m_places |= 1u << static_cast<unsigned>(known->place);
        }
    }

    /** Whether a line of a key of this place may be made: false when no key asked for has it, so a section can be left out. */
    bool wantsPlace(KnownKeyPlace place) const
    {
        return !m_only || (m_places & (1u << static_cast<unsigned>(place))) != 0;
    }

    /**
     * Whether a line of the numbered item with this key prefix ("ethernet3") may be made: false
     * only when none of the keys asked for has it, so the item's lines can be left out at once.
     */
    bool wants(std::string_view prefix) const
    {
        return !m_only || (m_prefixLengths.test(std::min(prefix.size(), kLongKey)) && m_onlyPrefixes.contains(prefix));
    }

    /**
     * Whether a line of the family ("scsi": its controllers and their nodes) may be made: false
     * only when no key asked for begins with the family's name, so a whole bus can be left out.
     */
    bool wantsFamily(std::string_view family) const
    {
        if (!m_only)
            return true;
        for (const std::string_view prefix : m_onlyPrefixes) {
            if (prefix.size() >= family.size() && EqualsIgnoreCase(prefix.substr(0, family.size()), family))
                return true;
        }
        return false;
    }

    void comment(std::string_view text)
    {
        if (!m_only) {
            m_lines.push_back({m_text->size(), text.size(), 0});
            *m_text += text;
        }
    }
    void blank()
    {
        if (!m_only)
            m_lines.push_back({m_text->size(), 0, 0});
    }

    /** A key line: the key as written, the separator (" = ", or "numvcpus"'s historic " ="), the quoted value. */
    void value(std::string_view key, std::string_view value, std::string_view separator = " = ")
    {
        // The lengths of the keys asked for turn most lines away before their key is hashed.
        if (m_only && (!m_keyLengths.test(std::min(key.size(), kLongKey)) || !m_only->contains(key)))
            return;
        std::string& text = *m_text;
        const std::size_t start = text.size();
        text += key;
        text += separator;
        text += '"';
        AppendEscapedValue(text, value);
        text += '"';
        m_lines.push_back({start, text.size() - start, key.size()});
    }
    void boolean(std::string_view key, bool flag) { value(key, flag ? "TRUE" : "FALSE"); }
    void number(std::string_view key, std::int64_t n, std::string_view separator = " = ")
    {
        value(key, std::to_string(n), separator);
    }

    /** The lines made so far; this object is spent afterwards. */
    ModelLines take()
    {
        std::vector<VmxLine> lines;
        lines.reserve(m_lines.size());
        const std::string_view text = *m_text;
        for (const Placed& line : m_lines)
            lines.push_back({text.substr(line.start, line.size), line.keyLength});
        return ModelLines(std::move(m_text), std::move(lines));
    }

private:
    /** Lengths from this one on share a bit. */
    static constexpr std::size_t kLongKey = 127;
    /** What a machine of a few dozen devices writes. */
    static constexpr std::size_t kUsualText = 8192;
    static constexpr std::size_t kUsualLines = 256;

    const WantedKeys* m_only = nullptr;
    WantedKeys m_onlyPrefixes;
    std::bitset<kLongKey + 1> m_keyLengths;
    std::bitset<kLongKey + 1> m_prefixLengths;
    std::uint32_t m_places = 0; // a bit per KnownKeyPlace of the keys asked for
    /** A line by its place in m_text: the buffer grows while lines are made, so views come last. */
    struct Placed {
        std::size_t start;
        std::size_t size;
        std::size_t keyLength;
    };
    std::unique_ptr<std::string> m_text = std::make_unique<std::string>();
    std::vector<Placed> m_lines;
};

/** Banner and identity/general section, with its closing blank line. */
void writeGeneralSection(const tarvonel::VirtualMachine& vm, VmxLines& out);
/** The twelve device sections, each only when its collection holds an item. */
void writeDeviceSections(const tarvonel::VirtualMachine& vm, VmxLines& out);
/** The "advanced stuff" block: the option keys' table in order (OptionKeys.cpp). */
void writeOptionSections(const tarvonel::VirtualMachine& vm, VmxLines& out);

/** All the writer's own lines (no preserved lines, no closing lines), duplicates settled: the later line wins. */
ModelLines modelLines(const tarvonel::VirtualMachine& vm);
/** Of modelLines, only the key lines of these keys (letter case ignored), in the same order. */
ModelLines modelLines(const tarvonel::VirtualMachine& vm, const WantedKeys& only);

} // namespace zentravolix::vmx::detail
