// SPDX-License-Identifier: MIT
#include "fuzz/checks/FuzzChecks.h"
#include "fuzz/checks/InputParts.h"

#include "platform/RegistryStore.h"
#include "platform/cRegistry.h"

#include <cstdint>

namespace zentravolix::fuzz {

namespace {

bool same(const std::optional<platform::StoredValue>& a, const platform::StoredValue& b)
{
    return a && a->type == b.type && a->bytes == b.bytes;
}

} // namespace

Finding CheckRegistryStore(std::string_view input)
{
    const auto parts = detail::InputParts(input, 5);
    const std::string_view text = parts[0];
    const std::string_view key = parts[1];
    const std::string_view name = parts[2];
    // Registry value types are small unsigned numbers; the first byte picks one, usually a known one.
    static constexpr std::int32_t kTypes[] = {
        platform::RegistryType::String,          platform::RegistryType::ExpandableString,
        platform::RegistryType::Binary,          platform::RegistryType::Number,
        platform::RegistryType::BigEndianNumber, platform::RegistryType::MultiString};
    const std::string_view typePart = parts[3];
    const auto typeByte = typePart.empty() ? 0u : static_cast<unsigned char>(typePart.front());
    platform::StoredValue value;
    value.type = typeByte < 0xC0 ? kTypes[typeByte % 6] : static_cast<std::int32_t>(typeByte & 0x3F);
    value.bytes = std::string(parts[4]);

    platform::RegistryStore store = platform::RegistryStore::fromText(text);
    const std::string first = store.text();
    if (platform::RegistryStore::fromText(first).text() != first)
        return std::string("the store's text does not parse back to itself");

    const std::int32_t root = platform::kHkeyCurrentUser;
    store.setValue(root, key, name, value);
    if (!same(store.value(root, key, name), value))
        return std::string("a value set does not read back equal");

    const std::string written = store.text();
    const platform::RegistryStore reparsed = platform::RegistryStore::fromText(written);
    if (reparsed.text() != written)
        return std::string("the written store does not parse back to itself");
    if (!same(reparsed.value(root, key, name), value))
        return "a value set does not read back equal from the written text:\n" + written;
    if (reparsed.valueNames(root, key) != store.valueNames(root, key))
        return std::string("the written store lists other value names");
    return std::nullopt;
}

} // namespace zentravolix::fuzz
