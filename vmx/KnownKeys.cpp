// SPDX-License-Identifier: MIT
#include "vmx/KnownKeys.h"

#include "vmx/VmxSyntax.h"
#include "vmx/detail/KeyNames.h"
#include "vmx/detail/OptionKeys.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace zentravolix::vmx {

namespace {

using detail::KeyPlace;

/** The family a place's prefix starts with, and whether a node ("0:1") follows it. */
std::string_view familyOf(KeyPlace place, bool& node)
{
    node = place == KeyPlace::IdeNode || place == KeyPlace::ScsiNode || place == KeyPlace::SataNode ||
           place == KeyPlace::NvmeNode;
    switch (place) {
    case KeyPlace::Own:
    case KeyPlace::Option: return {};
    case KeyPlace::SharedFolder: return detail::family::SharedFolder;
    case KeyPlace::Floppy: return detail::family::Floppy;
    case KeyPlace::Parallel: return detail::family::Parallel;
    case KeyPlace::Serial: return detail::family::Serial;
    case KeyPlace::Ethernet: return detail::family::Ethernet;
    case KeyPlace::IdeController:
    case KeyPlace::IdeNode: return detail::family::Ide;
    case KeyPlace::ScsiController:
    case KeyPlace::ScsiNode: return detail::family::Scsi;
    case KeyPlace::SataController:
    case KeyPlace::SataNode: return detail::family::Sata;
    case KeyPlace::NvmeController:
    case KeyPlace::NvmeNode: return detail::family::Nvme;
    }
    return {};
}

/** Letters of a key, lower-cased into a buffer that is reused (no allocation for the keys of a file). */
class LowerKey {
public:
    std::string_view assign(std::string_view key)
    {
        m_text.assign(key);
        for (char& c : m_text) {
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        }
        return m_text;
    }

private:
    std::string m_text;
};

/**
 * The shape of a lower-case key with its numbers taken out: "scsi0:3.present" is "scsi:.present",
 * "ethernet1.address" is "ethernet.address"; empty when the key is not a family's letters, a
 * number (and for a node a colon and a second number) and a member.
 */
std::string_view shapeInto(std::string& buffer, std::string_view lowerKey)
{
    std::size_t letters = 0;
    while (letters < lowerKey.size() && lowerKey[letters] >= 'a' && lowerKey[letters] <= 'z')
        ++letters;
    const auto digitsFrom = [&lowerKey](std::size_t at) {
        std::size_t end = at;
        while (end < lowerKey.size() && lowerKey[end] >= '0' && lowerKey[end] <= '9')
            ++end;
        return end;
    };
    std::size_t at = digitsFrom(letters);
    if (letters == 0 || at == letters)
        return {};
    buffer.assign(lowerKey.substr(0, letters));
    if (at < lowerKey.size() && lowerKey[at] == ':') {
        const std::size_t end = digitsFrom(at + 1);
        if (end == at + 1)
            return {};
        buffer += ':';
        at = end;
    }
    buffer += lowerKey.substr(at);
    return buffer;
}

/** The key tables by lower-case key (keys of their own) and by shape (members of a family); the first entry wins. */
struct KnownKeyIndex {
    std::unordered_map<std::string_view, KnownKey> own;
    std::unordered_map<std::string_view, KnownKey> shapes;
    std::vector<std::unique_ptr<std::string>> names; // what the maps' keys view

    KnownKeyIndex()
    {
        const auto keep = [this](std::string name) -> std::string_view {
            names.push_back(std::make_unique<std::string>(std::move(name)));
            return *names.back();
        };
        for (const detail::KnownKey& known : detail::kKnownKeys) {
            bool node = false;
            const std::string_view family = familyOf(known.place, node);
            if (known.place == KeyPlace::Own)
                own.emplace(keep(ToLower(known.name)), KnownKey{known.place, known.name});
            else
                shapes.emplace(keep(ToLower(family) + (node ? ":" : "") + ToLower(known.name)), KnownKey{known.place, known.name});
        }
    }
};

} // namespace

std::optional<KnownKey> FindKnownKey(std::string_view key)
{
    // Looked up, not searched: the reader's and the writer's callers ask for every kept line.
    static const KnownKeyIndex index;
    thread_local LowerKey lowered;
    thread_local std::string shape;
    const std::string_view lower = lowered.assign(TrimSpacesAndTabs(key));
    if (const detail::OptionKey* option = detail::findOptionKey(lower))
        return KnownKey{KnownKeyPlace::Option, option->name};
    if (const auto it = index.own.find(lower); it != index.own.end())
        return it->second;
    if (!shapeInto(shape, lower).empty()) {
        if (const auto it = index.shapes.find(shape); it != index.shapes.end())
            return it->second;
    }
    return std::nullopt;
}

} // namespace zentravolix::vmx
