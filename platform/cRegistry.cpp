// SPDX-License-Identifier: MIT
#include "platform/cRegistry.h"

#include "platform/IoError.h"
#include "platform/TextUtil.h"

#include <cstdlib>

namespace zentravolix::platform {

namespace {

constexpr const char* kSource = "Zentravolix.cRegistry";

std::string describe(const RegistryValue& value)
{
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(std::int32_t n) const { return std::to_string(n); }
        std::string operator()(const std::vector<std::uint8_t>& bytes) const
        {
            static constexpr char hex[] = "0123456789ABCDEF";
            std::string out;
            for (std::uint8_t b : bytes) {
                if (!out.empty())
                    out += ' ';
                out += hex[b >> 4];
                out += hex[b & 0xf];
            }
            return out;
        }
        std::string operator()(const std::vector<std::string>& items) const
        {
            std::string out;
            for (const std::string& item : items) {
                if (!out.empty())
                    out += ", ";
                out += item;
            }
            return out;
        }
    };
    return std::visit(Visitor{}, value);
}

// "%" followed, at least two places further on, by another "%": the text names a variable.
bool looksExpandable(std::string_view text)
{
    const auto first = text.find('%');
    return first != std::string_view::npos && text.find('%', first + 2) != std::string_view::npos;
}

std::string fourBytes(std::uint32_t value, bool bigEndian)
{
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[static_cast<std::size_t>(i)] =
            static_cast<char>((value >> (bigEndian ? 8 * (3 - i) : 8 * i)) & 0xff);
    return out;
}

std::int32_t numberOf(std::string_view bytes, bool bigEndian)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const auto byte =
            static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]));
        value |= byte << (bigEndian ? 8 * (3 - i) : 8 * i);
    }
    return static_cast<std::int32_t>(value);
}

/** The stored form of value for the requested type, or nothing when value does not fit it. */
std::optional<StoredValue> encode(std::int32_t type, const RegistryValue& value)
{
    StoredValue out;
    switch (type) {
    case RegistryType::String:
    case RegistryType::ExpandableString:
        if (const auto* s = std::get_if<std::string>(&value))
            out.bytes = *s;
        else if (const auto* n = std::get_if<std::int32_t>(&value))
            out.bytes = std::to_string(*n);
        else
            return std::nullopt;
        out.type = looksExpandable(out.bytes) ? RegistryType::ExpandableString : RegistryType::String;
        return out;
    case RegistryType::Number:
    case RegistryType::BigEndianNumber: {
        std::optional<std::int64_t> number;
        if (const auto* n = std::get_if<std::int32_t>(&value))
            number = *n;
        else if (const auto* s = std::get_if<std::string>(&value))
            number = ParseInteger(*s, INT32_MIN, UINT32_MAX);
        if (!number)
            return std::nullopt;
        out.type = type;
        out.bytes = fourBytes(static_cast<std::uint32_t>(*number), type == RegistryType::BigEndianNumber);
        return out;
    }
    case RegistryType::Binary:
        out.type = type;
        if (const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&value))
            out.bytes.assign(bytes->begin(), bytes->end());
        else if (const auto* s = std::get_if<std::string>(&value))
            out.bytes = *s;
        else
            return std::nullopt;
        return out;
    case RegistryType::MultiString: {
        out.type = type;
        std::vector<std::string> items;
        if (const auto* list = std::get_if<std::vector<std::string>>(&value))
            items = *list;
        else if (const auto* s = std::get_if<std::string>(&value))
            items.push_back(*s);
        else
            return std::nullopt;
        for (const std::string& item : items) {
            if (item.find('\0') != std::string::npos)
                return std::nullopt;
            out.bytes += item;
            out.bytes += '\0';
        }
        return out;
    }
    default:
        return std::nullopt;
    }
}

RegistryValue decode(const StoredValue& stored, const RegistryValue& fallback)
{
    switch (stored.type) {
    case RegistryType::String:
        return stored.bytes;
    case RegistryType::ExpandableString:
        return ExpandEnvironmentReferences(stored.bytes);
    case RegistryType::Number:
    case RegistryType::BigEndianNumber:
        if (stored.bytes.size() != 4)
            return fallback;
        return numberOf(stored.bytes, stored.type == RegistryType::BigEndianNumber);
    case RegistryType::MultiString: {
        std::vector<std::string> items;
        std::string_view rest = stored.bytes;
        while (!rest.empty()) {
            const auto nul = rest.find('\0');
            items.emplace_back(rest.substr(0, nul));
            rest = nul == std::string_view::npos ? std::string_view() : rest.substr(nul + 1);
        }
        // The list ends in an empty item (the second terminator) when written by other tools.
        if (!items.empty() && items.back().empty())
            items.pop_back();
        return items;
    }
    default:
        return std::vector<std::uint8_t>(stored.bytes.begin(), stored.bytes.end());
    }
}

} // namespace

std::string ExpandEnvironmentReferences(std::string_view text)
{
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto open = text.find('%', pos);
        const auto close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            out += text.substr(pos);
            break;
        }
        out += text.substr(pos, open - pos);
        const std::string name(text.substr(open + 1, close - open - 1));
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value) {
            out += value;
        } else {
            // Unknown names stay in the text, as the platform's expansion leaves them.
            out += text.substr(open, close - open + 1);
        }
        pos = close + 1;
    }
    return out;
}

cRegistry::cRegistry(std::filesystem::path storeFile) : m_storeFile(std::move(storeFile)) {}

RegistryValue cRegistry::Value() const
{
    if (!m_machine.empty())
        return m_default;
    try {
        const RegistryStore store = RegistryStore::load(m_storeFile);
        const auto stored = store.value(m_classKey, m_sectionKey, m_valueKey);
        if (!stored)
            return m_default;
        return decode(*stored, m_default);
    } catch (const IoError&) {
        return m_default;
    }
}

std::string cRegistry::StringValue() const
{
    const RegistryValue value = Value();
    if (const auto* s = std::get_if<std::string>(&value))
        return *s;
    if (const auto* n = std::get_if<std::int32_t>(&value))
        return std::to_string(*n);
    return {};
}

void cRegistry::raiseWriteError(const RegistryValue& value, const std::string& reason) const
{
    throw RegistryError(RegistryError::kWriteFailed, kSource,
                        "Failed to set registry value Key: '" + std::to_string(m_classKey) + "',Section: '" +
                            m_sectionKey + "',Key: '" + m_valueKey + "' to value: '" + describe(value) + "'",
                        reason);
}

void cRegistry::SetValue(const RegistryValue& value)
{
    if (!m_machine.empty())
        raiseWriteError(value, "remote machine '" + m_machine + "' is not supported");
    const auto stored = encode(m_valueType, value);
    if (!stored)
        raiseWriteError(value, "the value does not fit registry type " + std::to_string(m_valueType));
    try {
        RegistryStore store = RegistryStore::load(m_storeFile);
        store.setValue(m_classKey, m_sectionKey, m_valueKey, *stored);
        store.save(m_storeFile);
    } catch (const IoError& e) {
        raiseWriteError(value, e.what());
    }
}

std::vector<std::string> cRegistry::EnumerateValues() const
{
    if (!m_machine.empty())
        return {};
    try {
        return RegistryStore::load(m_storeFile).valueNames(m_classKey, m_sectionKey);
    } catch (const IoError&) {
        return {};
    }
}

} // namespace zentravolix::platform
