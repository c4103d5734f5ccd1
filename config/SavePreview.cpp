// SPDX-License-Identifier: MIT
#include "config/SavePreview.h"

#include "vmx/VmxSyntax.h"

#include <algorithm>
#include <functional>
#include <unordered_map>

namespace zentravolix::config {

namespace {

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

/**
 * The edit script between a and b (line ids) by Myers' greedy algorithm: true where a line of a
 * is removed, and where a line of b is added. False when more than maxEdits edits are needed.
 * The furthest points of every step are kept for the walk back: about maxEdits squared numbers.
 */
bool myers(const std::vector<std::size_t>& a, const std::vector<std::size_t>& b, std::size_t maxEdits,
           std::vector<bool>& removed, std::vector<bool>& added)
{
    const auto n = static_cast<std::ptrdiff_t>(a.size());
    const auto m = static_cast<std::ptrdiff_t>(b.size());
    const std::ptrdiff_t limit = std::min<std::ptrdiff_t>(n + m, static_cast<std::ptrdiff_t>(maxEdits));
    const std::ptrdiff_t offset = limit + 1;
    std::vector<std::ptrdiff_t> v(static_cast<std::size_t>(2 * offset + 1), 0);
    const auto at = [&v, offset](std::ptrdiff_t k) -> std::ptrdiff_t& { return v[static_cast<std::size_t>(k + offset)]; };
    // trace[d] holds the furthest x on the diagonals -d..d after d edits.
    std::vector<std::vector<std::ptrdiff_t>> trace;
    std::ptrdiff_t found = -1;
    for (std::ptrdiff_t d = 0; d <= limit && found < 0; ++d) {
        for (std::ptrdiff_t k = -d; k <= d; k += 2) {
            std::ptrdiff_t x = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? at(k + 1) : at(k - 1) + 1;
            std::ptrdiff_t y = x - k;
            while (x < n && y < m && a[static_cast<std::size_t>(x)] == b[static_cast<std::size_t>(y)]) {
                ++x;
                ++y;
            }
            at(k) = x;
            if (x >= n && y >= m) {
                found = d;
                break;
            }
        }
        if (found < 0)
            trace.emplace_back(v.begin() + (offset - d), v.begin() + (offset + d + 1));
    }
    if (found < 0)
        return false;

    removed.assign(a.size(), false);
    added.assign(b.size(), false);
    std::ptrdiff_t x = n;
    std::ptrdiff_t y = m;
    for (std::ptrdiff_t d = found; d > 0; --d) {
        const std::vector<std::ptrdiff_t>& prev = trace[static_cast<std::size_t>(d - 1)];
        const auto prevAt = [&prev, d](std::ptrdiff_t k) { return prev[static_cast<std::size_t>(k + d - 1)]; };
        const std::ptrdiff_t k = x - y;
        const bool down = k == -d || (k != d && prevAt(k - 1) < prevAt(k + 1));
        const std::ptrdiff_t prevK = down ? k + 1 : k - 1;
        const std::ptrdiff_t prevX = prevAt(prevK);
        const std::ptrdiff_t prevY = prevX - prevK;
        if (down)
            added[static_cast<std::size_t>(prevY)] = true;
        else
            removed[static_cast<std::size_t>(prevX)] = true;
        x = prevX;
        y = prevY;
    }
    return true;
}

} // namespace

std::vector<DiffLine> DiffLines(std::string_view before, std::string_view after, std::size_t maxEdits)
{
    const std::vector<std::string_view> oldLines = splitLines(before);
    const std::vector<std::string_view> newLines = splitLines(after);

    // Equal lines get equal ids, so the comparison inside the search is one of numbers.
    std::unordered_map<std::string_view, std::size_t> ids;
    const auto idsOf = [&ids](const std::vector<std::string_view>& lines) {
        std::vector<std::size_t> out;
        out.reserve(lines.size());
        for (const auto line : lines)
            out.push_back(ids.emplace(line, ids.size()).first->second);
        return out;
    };
    const std::vector<std::size_t> a = idsOf(oldLines);
    const std::vector<std::size_t> b = idsOf(newLines);

    std::size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    std::size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const std::vector<std::size_t> midA(a.begin() + static_cast<std::ptrdiff_t>(head),
                                        a.end() - static_cast<std::ptrdiff_t>(tail));
    const std::vector<std::size_t> midB(b.begin() + static_cast<std::ptrdiff_t>(head),
                                        b.end() - static_cast<std::ptrdiff_t>(tail));
    std::vector<bool> removed;
    std::vector<bool> added;
    if (!myers(midA, midB, maxEdits, removed, added)) {
        removed.assign(midA.size(), true);
        added.assign(midB.size(), true);
    }

    std::vector<DiffLine> out;
    out.reserve(a.size() + b.size());
    for (std::size_t i = 0; i < head; ++i)
        out.push_back({DiffLine::Kind::Same, std::string(oldLines[i]), i + 1});
    // Walk both middles: removals of a place come before its additions.
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < midA.size() || j < midB.size()) {
        if (i < midA.size() && removed[i]) {
            out.push_back({DiffLine::Kind::Removed, std::string(oldLines[head + i]), head + i + 1});
            ++i;
        } else if (j < midB.size() && added[j]) {
            out.push_back({DiffLine::Kind::Added, std::string(newLines[head + j]), head + j + 1});
            ++j;
        } else {
            out.push_back({DiffLine::Kind::Same, std::string(oldLines[head + i]), head + i + 1});
            ++i;
            ++j;
        }
    }
    for (std::size_t t = 0; t < tail; ++t) {
        const std::size_t at = a.size() - tail + t;
        out.push_back({DiffLine::Kind::Same, std::string(oldLines[at]), at + 1});
    }
    return out;
}

namespace {

struct Setting {
    std::string key;
    std::string value;
    std::size_t order = 0;
};

/** The settings of a text by lower-case key: the last line of a key wins, in the order of first appearance. */
std::unordered_map<std::string, Setting> settingsOf(std::string_view text)
{
    std::unordered_map<std::string, Setting> settings;
    for (const auto line : splitLines(text)) {
        const std::string_view key = vmx::RawLineKey(line);
        if (key.empty())
            continue;
        auto [it, added] = settings.try_emplace(vmx::ToLower(key));
        if (added)
            it->second.order = settings.size();
        it->second.key = std::string(key);
        it->second.value = vmx::LineValue(line);
    }
    return settings;
}

std::vector<const Setting*> inOrder(const std::unordered_map<std::string, Setting>& settings)
{
    std::vector<const Setting*> ordered;
    ordered.reserve(settings.size());
    for (const auto& [key, setting] : settings)
        ordered.push_back(&setting);
    std::sort(ordered.begin(), ordered.end(), [](const Setting* x, const Setting* y) { return x->order < y->order; });
    return ordered;
}

} // namespace

std::vector<SettingChange> CompareSettings(std::string_view before, std::string_view after)
{
    const auto oldSettings = settingsOf(before);
    const auto newSettings = settingsOf(after);
    std::vector<SettingChange> changes;
    for (const Setting* setting : inOrder(newSettings)) {
        const auto old = oldSettings.find(vmx::ToLower(setting->key));
        if (old == oldSettings.end())
            changes.push_back({SettingChange::Kind::Added, setting->key, {}, setting->value});
        else if (old->second.value != setting->value)
            changes.push_back({SettingChange::Kind::Changed, setting->key, old->second.value, setting->value});
    }
    for (const Setting* setting : inOrder(oldSettings)) {
        if (newSettings.count(vmx::ToLower(setting->key)) == 0)
            changes.push_back({SettingChange::Kind::Removed, setting->key, setting->value, {}});
    }
    return changes;
}

SavePreview MakeSavePreview(std::string_view onDisk, std::string_view toWrite)
{
    SavePreview preview;
    preview.lines = DiffLines(onDisk, toWrite);
    preview.linesDiffer = std::any_of(preview.lines.begin(), preview.lines.end(),
                                      [](const DiffLine& line) { return line.kind != DiffLine::Kind::Same; });
    preview.changes = CompareSettings(onDisk, toWrite);
    return preview;
}

} // namespace zentravolix::config
