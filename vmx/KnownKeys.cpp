// SPDX-License-Identifier: MIT
#include "vmx/KnownKeys.h"

#include "vmx/VmxSyntax.h"
#include "vmx/detail/KeyNames.h"
#include "vmx/detail/OptionKeys.h"

namespace zentravolix::vmx {

namespace {

using detail::KeyPlace;

/** Takes one or more digits from the front of text. */
bool takeDigits(std::string_view& text)
{
    std::size_t n = 0;
    while (n < text.size() && text[n] >= '0' && text[n] <= '9')
        ++n;
    text.remove_prefix(n);
    return n > 0;
}

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

/** The key is the family's prefix with its number, followed by the member. */
bool isMemberKey(std::string_view key, std::string_view family, bool node, std::string_view member)
{
    if (key.size() < family.size() || !EqualsIgnoreCase(key.substr(0, family.size()), family))
        return false;
    key.remove_prefix(family.size());
    if (!takeDigits(key))
        return false;
    if (node) {
        if (key.empty() || key.front() != ':')
            return false;
        key.remove_prefix(1);
        if (!takeDigits(key))
            return false;
    }
    return EqualsIgnoreCase(key, member);
}

} // namespace

std::optional<KnownKey> FindKnownKey(std::string_view key)
{
    const std::string_view trimmed = TrimSpacesAndTabs(key);
    if (const detail::OptionKey* option = detail::findOptionKey(ToLower(trimmed)))
        return KnownKey{KnownKeyPlace::Option, option->name};
    for (const detail::KnownKey& known : detail::kKnownKeys) {
        bool node = false;
        const std::string_view family = familyOf(known.place, node);
        const bool match = known.place == KeyPlace::Own ? EqualsIgnoreCase(trimmed, known.name)
                                                        : isMemberKey(trimmed, family, node, known.name);
        if (match)
            return KnownKey{known.place, known.name};
    }
    return std::nullopt;
}

} // namespace zentravolix::vmx
