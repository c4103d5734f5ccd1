// SPDX-License-Identifier: MIT
#include "platform/RegistryStore.h"

#include "platform/AtomicFile.h"
#include "platform/IoError.h"
#include "platform/SettingsFile.h"
#include "platform/TextUtil.h"

#include <cstdio>
#include <cstring>

namespace zentravolix::platform {

namespace fs = std::filesystem;

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

std::string percentEncode(std::string_view text, std::string_view extra)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '%' || c == '\r' || c == '\n' || c == '\0' || extra.find(c) != std::string_view::npos) {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 0xf];
        } else {
            out += c;
        }
    }
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::string> percentDecode(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int hi = hexDigit(text[i + 1]);
        const int lo = hexDigit(text[i + 2]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

std::string hexEncode(std::string_view bytes)
{
    std::string out;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        out += kHex[u >> 4];
        out += kHex[u & 0xf];
    }
    return out;
}

std::optional<std::string> hexDecode(std::string_view text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int hi = hexDigit(text[i]);
        const int lo = hexDigit(text[i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
    }
    return out;
}

std::string fourBytes(std::uint32_t value, bool bigEndian)
{
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i) {
        const int shift = bigEndian ? 8 * (3 - i) : 8 * i;
        out[static_cast<std::size_t>(i)] = static_cast<char>((value >> shift) & 0xff);
    }
    return out;
}

std::uint32_t fromFourBytes(std::string_view bytes, bool bigEndian)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const int shift = bigEndian ? 8 * (3 - i) : 8 * i;
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]))
                 << shift;
    }
    return value;
}

std::string serialize(const StoredValue& v)
{
    const bool isNumber = v.type == RegistryType::Number || v.type == RegistryType::BigEndianNumber;
    if (isNumber && v.bytes.size() == 4) {
        const bool be = v.type == RegistryType::BigEndianNumber;
        return std::string(be ? "dword_be:" : "dword:") +
               std::to_string(static_cast<std::int32_t>(fromFourBytes(v.bytes, be)));
    }
    switch (v.type) {
    case RegistryType::String:
        return "sz:" + percentEncode(v.bytes, {});
    case RegistryType::ExpandableString:
        return "expand_sz:" + percentEncode(v.bytes, {});
    case RegistryType::MultiString:
        return "multi_sz:" + percentEncode(v.bytes, {});
    case RegistryType::Binary:
        return "hex:" + hexEncode(v.bytes);
    default:
        return "hex(" + std::to_string(v.type) + "):" + hexEncode(v.bytes);
    }
}

std::optional<StoredValue> deserialize(std::string_view payload)
{
    const auto colon = payload.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const std::string_view type = payload.substr(0, colon);
    const std::string_view data = payload.substr(colon + 1);
    StoredValue v;
    std::optional<std::string> bytes;
    if (type == "sz" || type == "expand_sz" || type == "multi_sz") {
        v.type = type == "sz"
                     ? RegistryType::String
                     : (type == "expand_sz" ? RegistryType::ExpandableString : RegistryType::MultiString);
        bytes = percentDecode(data);
    } else if (type == "dword" || type == "dword_be") {
        v.type = type == "dword" ? RegistryType::Number : RegistryType::BigEndianNumber;
        const auto number = ParseInteger(data, INT32_MIN, UINT32_MAX);
        if (number)
            bytes = fourBytes(static_cast<std::uint32_t>(*number), v.type == RegistryType::BigEndianNumber);
    } else if (type == "hex") {
        v.type = RegistryType::Binary;
        bytes = hexDecode(data);
    } else if (type.size() > 5 && type.substr(0, 4) == "hex(" && type.back() == ')') {
        const auto number = ParseInteger(type.substr(4, type.size() - 5), 0, INT32_MAX);
        if (!number)
            return std::nullopt;
        v.type = static_cast<std::int32_t>(*number);
        bytes = hexDecode(data);
    }
    if (!bytes)
        return std::nullopt;
    v.bytes = std::move(*bytes);
    return v;
}

std::string_view normalizedKey(std::string_view key)
{
    while (!key.empty() && key.front() == '\\')
        key.remove_prefix(1);
    while (!key.empty() && key.back() == '\\')
        key.remove_suffix(1);
    return key;
}

// The default value of a key has an empty name in the registry; the file spells it "@".
std::string_view storedName(std::string_view name)
{
    return name.empty() ? std::string_view("@") : name;
}

std::string headerOf(std::int32_t root, std::string_view key)
{
    std::string header = RegistryStore::rootName(root);
    key = normalizedKey(key);
    if (!key.empty()) {
        header += '\\';
        header += key;
    }
    return header;
}

} // namespace

std::string RegistryStore::rootName(std::int32_t root)
{
    switch (static_cast<std::uint32_t>(root)) {
    case 0x80000000u:
        return "HKEY_CLASSES_ROOT";
    case 0x80000001u:
        return "HKEY_CURRENT_USER";
    case 0x80000002u:
        return "HKEY_LOCAL_MACHINE";
    case 0x80000003u:
        return "HKEY_USERS";
    default: {
        char buf[24];
        std::snprintf(buf, sizeof buf, "HKEY_0x%08X", static_cast<unsigned>(root));
        return buf;
    }
    }
}

RegistryStore RegistryStore::fromText(std::string_view text)
{
    RegistryStore store;
    store.m_keys.push_back({});
    while (!text.empty()) {
        const auto nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            if (auto header = percentDecode(line.substr(1, line.size() - 2))) {
                store.m_keys.push_back({std::move(*header), {}});
                continue;
            }
        }
        Entry entry;
        entry.raw = std::string(line);
        const auto eq = line.find('=');
        if (eq != std::string_view::npos && eq > 0 && store.m_keys.size() > 1) {
            auto name = percentDecode(line.substr(0, eq));
            auto value = deserialize(line.substr(eq + 1));
            if (name && value && !name->empty()) {
                entry.name = std::move(*name);
                entry.value = std::move(*value);
            }
        }
        store.m_keys.back().entries.push_back(std::move(entry));
    }
    return store;
}

RegistryStore RegistryStore::load(const fs::path& path)
{
    const std::optional<std::string> content = ReadSettingsFile(path);
    return fromText(content ? std::string_view(*content) : std::string_view());
}

std::string RegistryStore::text() const
{
    std::string out;
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        const Key& key = m_keys[i];
        // Only the lines before the first header have none; an empty header ("[]") is written
        // too, or its values would read back as values of the key before it.
        if (i > 0 || !key.header.empty())
            out += "[" + percentEncode(key.header, "]") + "]\n";
        for (const Entry& entry : key.entries) {
            if (entry.name.empty()) {
                out += entry.raw;
                // Reading drops one CR before each LF; a kept line that still ends in CR (it
                // ended in CR CR LF) gets its CR LF back, or every save would cut one CR off.
                if (!entry.raw.empty() && entry.raw.back() == '\r')
                    out += '\r';
            } else
                out += percentEncode(entry.name, "=[;") + "=" + serialize(entry.value);
            out += '\n';
        }
    }
    return out;
}

void RegistryStore::save(const fs::path& path) const
{
    if (path.has_parent_path()) {
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
        if (ec)
            throw IoError("Cannot create the folder of", path, ec.message());
    }
    WriteFileAtomically(path, text());
}

std::size_t RegistryStore::findKey(std::int32_t root, std::string_view key) const
{
    const std::string header = headerOf(root, key);
    for (std::size_t i = 0; i < m_keys.size(); ++i) {
        if (!m_keys[i].header.empty() && EqualsIgnoreCase(m_keys[i].header, header))
            return i;
    }
    return std::string::npos;
}

bool RegistryStore::hasKey(std::int32_t root, std::string_view key) const
{
    return findKey(root, key) != std::string::npos;
}

std::optional<StoredValue> RegistryStore::value(std::int32_t root, std::string_view key,
                                                std::string_view name) const
{
    const std::size_t k = findKey(root, key);
    if (k == std::string::npos)
        return std::nullopt;
    const std::string_view wanted = storedName(name);
    for (const Entry& entry : m_keys[k].entries) {
        if (!entry.name.empty() && EqualsIgnoreCase(entry.name, wanted))
            return entry.value;
    }
    return std::nullopt;
}

std::vector<std::string> RegistryStore::valueNames(std::int32_t root, std::string_view key) const
{
    std::vector<std::string> names;
    const std::size_t k = findKey(root, key);
    if (k == std::string::npos)
        return names;
    for (const Entry& entry : m_keys[k].entries) {
        if (!entry.name.empty())
            names.push_back(entry.name == "@" ? std::string() : entry.name);
    }
    return names;
}

void RegistryStore::setValue(std::int32_t root, std::string_view key, std::string_view name,
                             const StoredValue& value)
{
    std::size_t k = findKey(root, key);
    if (k == std::string::npos) {
        m_keys.push_back({headerOf(root, key), {}});
        k = m_keys.size() - 1;
    }
    const std::string_view wanted = storedName(name);
    for (Entry& entry : m_keys[k].entries) {
        if (!entry.name.empty() && EqualsIgnoreCase(entry.name, wanted)) {
            entry.value = value;
            return;
        }
    }
    m_keys[k].entries.push_back({std::string(wanted), value, {}});
}

} // namespace zentravolix::platform
