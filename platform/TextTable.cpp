// SPDX-License-Identifier: MIT
#include "platform/TextTable.h"

#include "platform/detail/TextTableData.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <span>

namespace zentravolix::platform {

namespace {
// The language the program shows its texts in: every caption lookup reads it. The program sets
// it from its settings at start-up and when the options dialog changes the language.
std::atomic<std::int32_t> g_languageOffset{0};
} // namespace

std::int32_t LanguageOffset()
{
    return g_languageOffset.load(std::memory_order_relaxed);
}

void SetLanguageOffset(std::int32_t offset)
{
    g_languageOffset.store(offset, std::memory_order_relaxed);
}

std::int32_t LanguageOffsetFromIndex(int index)
{
    return static_cast<std::int32_t>(index) * kLanguageOffsetStep;
}

int LanguageIndexFromOffset(std::int32_t offset)
{
    // Banker's rounding, as the classic integer conversion of a quotient does.
    return static_cast<int>(std::nearbyint(static_cast<double>(offset) / kLanguageOffsetStep));
}

std::string LoadTextById(std::int64_t absoluteId)
{
    using detail::kTextEntries;
    using detail::kTextEntryCount;
    const auto* end = kTextEntries + kTextEntryCount;
    const auto* it = std::lower_bound(kTextEntries, end, absoluteId,
                                      [](const detail::TextEntry& e, std::int64_t id) { return e.id < id; });
    if (it == end || it->id != absoluteId)
        return {};
    return std::string(it->text);
}

std::string LoadLocalizedText(int id, std::int32_t offset)
{
    // Offsets are plain additions, but none reaches past the last language: the block above it
    // holds the program's later English texts (2501 on), no language of its own.
    if (offset >= kLanguageCount * kLanguageOffsetStep)
        return {};
    return LoadTextById(static_cast<std::int64_t>(id) + offset);
}

std::string LoadLocalizedText(int id)
{
    return LoadLocalizedText(id, LanguageOffset());
}

std::string LoadCaption(int id, std::int32_t offset)
{
    std::string text = LoadLocalizedText(id, offset);
    if (text.empty() && offset != 0)
        text = LoadTextById(id);
    return text;
}

std::string LoadCaption(int id)
{
    return LoadCaption(id, LanguageOffset());
}

std::string LanguageNameInItself(int index)
{
    // The language block names every language; each language's own row is its own name.
    constexpr int kFirstLanguageName = 62;
    if (index < 0 || index >= kLanguageCount)
        return {};
    return LoadCaption(kFirstLanguageName + index, LanguageOffsetFromIndex(index));
}

namespace {

std::string Fill(std::string_view text, std::span<const std::string_view> args)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const std::size_t index =
            next >= '1' && next <= '9' ? static_cast<std::size_t>(next - '1') : args.size();
        if (text[i] == '%' && index < args.size()) {
            out += args[index];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::string FillText(std::string_view text, std::initializer_list<std::string_view> args)
{
    return Fill(text, std::span<const std::string_view>(args.begin(), args.size()));
}

std::string FillTextFrom(std::string_view text, const std::vector<std::string>& args)
{
    const std::vector<std::string_view> views(args.begin(), args.end());
    return Fill(text, views);
}

} // namespace zentravolix::platform
