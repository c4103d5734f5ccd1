// SPDX-License-Identifier: MIT
#include "platform/IniDocument.h"

#include "platform/AtomicFile.h"
#include "platform/IoError.h"
#include "platform/SettingsFile.h"
#include "platform/TextUtil.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace zentravolix::platform {

namespace fs = std::filesystem;

namespace {

std::string lowerAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

bool hasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

void checkSectionName(std::string_view section)
{
    if (hasLineBreak(section) || section.find(']') != std::string_view::npos ||
        section.find('\0') != std::string_view::npos)
        throw std::invalid_argument("INI section name '" + std::string(section) +
                                    "' may not hold a line break, NUL or ']'");
}

} // namespace

IniDocument::Line IniDocument::parseLine(std::string raw, std::string eol, bool first)
{
    Line line;
    line.raw = std::move(raw);
    line.eol = std::move(eol);
    std::string_view text = line.raw;
    // A byte-order mark written by some editors would otherwise hide the first section header.
    if (first && text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    text = TrimBlanks(text);
    if (text.empty()) {
        line.kind = Kind::Blank;
    } else if (text.front() == ';') {
        line.kind = Kind::Comment;
    } else if (text.front() == '[' && text.find(']') != std::string_view::npos) {
        line.kind = Kind::Section;
        // As the platform reader does: the name runs to the last "]" and is not trimmed.
        line.name = std::string(text.substr(1, text.rfind(']') - 1));
    } else {
        line.kind = Kind::Key;
        const auto eq = text.find('=');
        line.name = std::string(TrimBlanks(text.substr(0, eq)));
        if (eq != std::string_view::npos) {
            line.hasValue = true;
            line.value = std::string(TrimBlanks(text.substr(eq + 1)));
        }
    }
    return line;
}

IniDocument IniDocument::fromText(std::string_view text)
{
    IniDocument doc;
    doc.m_lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    bool eolChosen = false;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        std::string_view raw = text.substr(0, nl);
        std::string eol;
        if (nl != std::string_view::npos) {
            eol = "\n";
            if (!raw.empty() && raw.back() == '\r') {
                raw.remove_suffix(1);
                eol = "\r\n";
            }
            if (!eolChosen) {
                doc.m_eol = eol;
                eolChosen = true;
            }
            text.remove_prefix(nl + 1);
        } else {
            text = {};
        }
        doc.m_lines.push_back(parseLine(std::string(raw), std::move(eol), doc.m_lines.empty()));
    }
    return doc;
}

IniDocument IniDocument::load(const fs::path& path)
{
    const std::optional<std::string> content = ReadSettingsFile(path);
    return content ? fromText(*content) : IniDocument();
}

std::string IniDocument::text() const
{
    std::string out;
    for (const Line& line : m_lines) {
        out += line.raw;
        out += line.eol;
    }
    return out;
}

void IniDocument::save(const fs::path& path) const
{
    if (path.has_parent_path()) {
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
        if (ec)
            throw IoError("Cannot create the folder of", path, ec.message());
    }
    WriteFileAtomically(path, text());
}

std::size_t IniDocument::findSection(std::string_view section) const
{
    section = TrimBlanks(section);
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].kind == Kind::Section && EqualsIgnoreCase(m_lines[i].name, section))
            return i;
    }
    return std::string::npos;
}

std::size_t IniDocument::sectionEnd(std::size_t header) const
{
    std::size_t i = header + 1;
    while (i < m_lines.size() && m_lines[i].kind != Kind::Section)
        ++i;
    return i;
}

bool IniDocument::hasSection(std::string_view section) const
{
    return findSection(section) != std::string::npos;
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const
{
    const std::size_t header = findSection(section);
    if (header == std::string::npos)
        return std::nullopt;
    key = TrimBlanks(key);
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Key && EqualsIgnoreCase(line.name, key)) {
            if (!line.hasValue)
                return std::nullopt;
            return line.value;
        }
    }
    return std::nullopt;
}

std::vector<IniEntry> IniDocument::entries(std::string_view section) const
{
    std::vector<IniEntry> out;
    const std::size_t header = findSection(section);
    if (header == std::string::npos)
        return out;
    // A repeated key reads as its first occurrence, so remember where each name came first.
    std::unordered_map<std::string, std::size_t> first;
    const std::size_t end = sectionEnd(header);
    first.reserve(end - header);
    out.reserve(end - header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind != Kind::Key || line.name.empty())
            continue;
        const auto [it, inserted] = first.emplace(lowerAscii(line.name), i);
        const Line& winner = m_lines[it->second];
        out.push_back({line.name, winner.hasValue ? std::optional<std::string>(winner.value) : std::nullopt});
    }
    return out;
}

std::vector<IniEntry> IniDocument::keyLines(std::string_view section) const
{
    std::vector<IniEntry> out;
    const std::size_t header = findSection(section);
    if (header == std::string::npos)
        return out;
    const std::size_t end = sectionEnd(header);
    out.reserve(end - header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const Line& line = m_lines[i];
        if (line.kind == Kind::Key && !line.name.empty())
            out.push_back({line.name, line.hasValue ? std::optional<std::string>(line.value) : std::nullopt});
    }
    return out;
}

std::vector<std::string> IniDocument::keys(std::string_view section) const
{
    std::vector<std::string> out;
    for (IniEntry& entry : entries(section))
        out.push_back(std::move(entry.key));
    return out;
}

void IniDocument::appendLine(std::string raw)
{
    if (!m_lines.empty() && m_lines.back().eol.empty())
        m_lines.back().eol = m_eol;
    m_lines.push_back(parseLine(std::move(raw), m_eol, m_lines.empty()));
}

std::string IniDocument::keyLine(std::string_view section, std::string_view key, std::string_view value)
{
    if (key.empty() || hasLineBreak(key) || key.find('=') != std::string_view::npos || key.front() == '[' ||
        key.front() == ';' || key.find('\0') != std::string_view::npos)
        throw std::invalid_argument("INI key '" + std::string(key) + "' cannot be stored in section '" +
                                    std::string(section) + "'");
    std::string line(key);
    line += '=';
    for (char c : value) {
        if (c != '\0')
            line += c;
    }
    // A line break would end the line early and let the rest pose as another key or section.
    if (hasLineBreak(value))
        throw std::invalid_argument("the value of INI key '" + std::string(key) + "' in section '" +
                                    std::string(section) + "' may not hold a line break");
    return line;
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    checkSectionName(section);
    std::string text = keyLine(section, key, value);

    const std::size_t header = findSection(section);
    if (header == std::string::npos) {
        if (!m_lines.empty() && m_lines.back().kind != Kind::Blank)
            appendLine("");
        appendLine("[" + std::string(section) + "]");
        appendLine(std::move(text));
        return;
    }
    const std::size_t end = sectionEnd(header);
    std::size_t lastContent = header;
    for (std::size_t i = header + 1; i < end; ++i) {
        Line& line = m_lines[i];
        if (line.kind == Kind::Key && EqualsIgnoreCase(line.name, key)) {
            // Keep the spelling of the name already in the file.
            line = parseLine(line.name + text.substr(key.size()), line.eol, false);
            return;
        }
        if (line.kind != Kind::Blank)
            lastContent = i;
    }
    // New keys go after the section's last non-blank line, before the blank lines that
    // separate it from the next section.
    Line added = parseLine(std::move(text), m_eol, false);
    if (m_lines[lastContent].eol.empty())
        m_lines[lastContent].eol = m_eol;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), std::move(added));
}

void IniDocument::deleteSection(std::string_view section)
{
    section = TrimBlanks(section);
    std::vector<Line> kept;
    kept.reserve(m_lines.size());
    bool inDeleted = false;
    for (Line& line : m_lines) {
        if (line.kind == Kind::Section)
            inDeleted = EqualsIgnoreCase(line.name, section);
        if (!inDeleted)
            kept.push_back(std::move(line));
    }
    m_lines = std::move(kept);
}

void IniDocument::replaceSection(std::string_view section,
                                 const std::vector<std::pair<std::string, std::string>>& entries)
{
    std::vector<IniEntry> lines;
    lines.reserve(entries.size());
    for (const auto& [key, value] : entries)
        lines.push_back({key, value});
    replaceSection(section, lines);
}

void IniDocument::replaceSection(std::string_view section, const std::vector<IniEntry>& entries)
{
    section = TrimBlanks(section);
    checkSectionName(section);
    // Build every line first so that a refused entry leaves the document as it was.
    std::vector<std::string> lines;
    lines.reserve(entries.size() + 1);
    lines.push_back("[" + std::string(section) + "]");
    for (const IniEntry& entry : entries) {
        const std::string_view key = TrimBlanks(entry.key);
        if (entry.value) {
            lines.push_back(keyLine(section, key, *entry.value));
        } else {
            // A bare name is a key line without "=": the same rules, and no "=" added.
            std::string line = keyLine(section, key, {});
            line.pop_back();
            lines.push_back(std::move(line));
        }
    }

    deleteSection(section);
    if (!m_lines.empty() && m_lines.back().kind != Kind::Blank)
        appendLine("");
    for (std::string& line : lines)
        appendLine(std::move(line));
}

} // namespace zentravolix::platform
