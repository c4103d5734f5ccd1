// SPDX-License-Identifier: MIT
#include "fuzz/checks/FuzzChecks.h"
#include "fuzz/checks/InputParts.h"

#include "platform/IniDocument.h"
#include "platform/TextUtil.h"

#include <stdexcept>

namespace zentravolix::fuzz {

namespace {

std::string describe(const std::optional<std::string>& value)
{
    return value ? "\"" + *value + "\"" : std::string("nothing");
}

} // namespace

Finding CheckIni(std::string_view input)
{
    const auto parts = detail::InputParts(input, 4);
    const std::string_view text = parts[0];
    const std::string_view section = parts[1];
    const std::string_view key = parts[2];
    const std::string_view value = parts[3];

    platform::IniDocument doc = platform::IniDocument::fromText(text);
    if (doc.text() != text)
        return std::string("the document does not keep the file byte for byte");

    const std::vector<platform::IniEntry> before = doc.entries(section);
    try {
        doc.setValue(section, key, value);
    } catch (const std::invalid_argument&) {
        if (doc.text() != text)
            return std::string("a refused value changed the document");
        return std::nullopt; // a name or value the format cannot hold
    }

    // The format holds neither NULs nor blanks at a value's ends.
    std::string stored;
    for (const char c : value) {
        if (c != '\0')
            stored += c;
    }
    const std::string expected(platform::TrimBlanks(stored));
    const auto got = doc.value(section, key);
    if (got != expected)
        return "value set reads back as " + describe(got) + ", not \"" + expected + "\"";

    const platform::IniDocument reparsed = platform::IniDocument::fromText(doc.text());
    if (reparsed.text() != doc.text())
        return std::string("the written text does not parse back to itself");
    const auto again = reparsed.value(section, key);
    if (again != expected)
        return "after a new parse the value reads as " + describe(again) + ", not \"" + expected + "\"";

    const std::string_view trimmedKey = platform::TrimBlanks(key);
    for (const platform::IniEntry& entry : before) {
        if (platform::EqualsIgnoreCase(platform::TrimBlanks(entry.key), trimmedKey))
            continue;
        const auto now = reparsed.value(section, entry.key);
        if (now != entry.value)
            return "setting \"" + std::string(key) + "\" changed key \"" + entry.key + "\" from " +
                   describe(entry.value) + " to " + describe(now);
    }
    return std::nullopt;
}

} // namespace zentravolix::fuzz
