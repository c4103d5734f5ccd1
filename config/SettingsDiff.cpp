// SPDX-License-Identifier: MIT
#include "config/SettingsDiff.h"

#include "config/SavePreview.h"

#include "vmx/VmxSyntax.h"

#include <algorithm>
#include <map>

namespace zentravolix::config {

namespace {

/** The lines of a text without their line ends (LF, CR LF or a lone CR). */
std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size())
            pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    }
    return lines;
}

std::string lowerKey(std::string_view key)
{
    return vmx::ToLower(std::string(key));
}

/** One line of an edit script: ' ' kept, '-' only before, '+' only after. */
struct Edit {
    char op;
    std::size_t a; // line index before (for ' ' and '-')
    std::size_t b; // line index after (for ' ' and '+')
};

/** The edit script of two texts, from the line diff the save preview shows. */
std::vector<Edit> editScript(std::string_view before, std::string_view after)
{
    std::vector<Edit> edits;
    std::size_t a = 0, b = 0;
    for (const DiffLine& line : DiffLines(before, after)) {
        switch (line.kind) {
        case DiffLine::Kind::Same:
            edits.push_back({' ', a++, b++});
            break;
        case DiffLine::Kind::Removed:
            edits.push_back({'-', a++, b});
            break;
        case DiffLine::Kind::Added:
            edits.push_back({'+', a, b++});
            break;
        }
    }
    return edits;
}

std::string range(std::size_t start, std::size_t count)
{
    // Unified diff numbers lines from 1; an empty range names the line before it.
    const std::size_t first = count == 0 ? start : start + 1;
    return count == 1 ? std::to_string(first) : std::to_string(first) + "," + std::to_string(count);
}

} // namespace

std::vector<Setting> ReadSettings(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::map<std::string, Setting> byKey;
    std::int32_t number = 0;
    for (const std::string_view line : splitLines(text)) {
        ++number;
        const std::string_view key = vmx::RawLineKey(line);
        if (key.empty())
            continue;
        byKey[lowerKey(key)] = Setting{std::string(key), vmx::LineValue(line), number};
    }
    std::vector<Setting> settings;
    settings.reserve(byKey.size());
    for (auto& [lower, setting] : byKey)
        settings.push_back(std::move(setting));
    return settings;
}

std::optional<Setting> FindSetting(const std::vector<Setting>& settings, std::string_view key)
{
    const std::string wanted = lowerKey(key);
    const auto it = std::lower_bound(settings.begin(), settings.end(), wanted,
                                     [](const Setting& s, const std::string& k) { return lowerKey(s.key) < k; });
    if (it != settings.end() && lowerKey(it->key) == wanted)
        return *it;
    return std::nullopt;
}

std::vector<SettingDifference> CompareSettings(const std::vector<Setting>& before, const std::vector<Setting>& after)
{
    std::vector<SettingDifference> changes;
    std::size_t i = 0, j = 0;
    while (i < before.size() || j < after.size()) {
        const std::string a = i < before.size() ? lowerKey(before[i].key) : std::string();
        const std::string b = j < after.size() ? lowerKey(after[j].key) : std::string();
        if (j == after.size() || (i < before.size() && a < b)) {
            changes.push_back({before[i].key, before[i].value, std::nullopt});
            ++i;
        } else if (i == before.size() || b < a) {
            changes.push_back({after[j].key, std::nullopt, after[j].value});
            ++j;
        } else {
            if (before[i].value != after[j].value)
                changes.push_back({before[i].key, before[i].value, after[j].value});
            ++i;
            ++j;
        }
    }
    return changes;
}

std::string UnifiedDiff(std::string_view before, std::string_view after, const std::string& nameBefore,
                        const std::string& nameAfter)
{
    const auto a = splitLines(before);
    const auto b = splitLines(after);
    const auto edits = editScript(before, after);
    constexpr std::size_t kContext = 3;
    std::string out;
    std::size_t k = 0;
    while (k < edits.size()) {
        if (edits[k].op == ' ') {
            ++k;
            continue;
        }
        // A hunk: from kContext kept lines before the change to kContext after the last change
        // that lies within 2 * kContext kept lines of the one before.
        const std::size_t start = k >= kContext ? k - kContext : 0;
        std::size_t end = k;
        std::size_t kept = 0;
        for (std::size_t e = k; e < edits.size(); ++e) {
            if (edits[e].op == ' ') {
                if (++kept > 2 * kContext)
                    break;
            } else {
                kept = 0;
                end = e + 1;
            }
        }
        end = std::min(edits.size(), end + kContext);
        std::size_t countA = 0, countB = 0;
        for (std::size_t e = start; e < end; ++e) {
            countA += edits[e].op != '+';
            countB += edits[e].op != '-';
        }
        if (out.empty())
            out += "--- " + nameBefore + "\n+++ " + nameAfter + "\n";
        out += "@@ -" + range(edits[start].a, countA) + " +" + range(edits[start].b, countB) + " @@\n";
        for (std::size_t e = start; e < end; ++e) {
            out += edits[e].op;
            out += edits[e].op == '+' ? b[edits[e].b] : a[edits[e].a];
            out += '\n';
        }
        k = end;
    }
    return out;
}

std::string ReplaceKeyLine(std::string_view text, std::string_view key, const std::string& line)
{
    std::string out;
    out.reserve(text.size() + line.size() + 2);
    bool placed = false;
    for (const std::string_view l : splitLines(text)) {
        if (vmx::EqualsIgnoreCase(vmx::RawLineKey(l), key)) {
            if (placed)
                continue;
            placed = true;
            out += line;
        } else {
            out += l;
        }
        out += "\r\n";
    }
    if (!placed)
        out += line + "\r\n";
    return out;
}

} // namespace zentravolix::config
