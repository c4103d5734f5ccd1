// SPDX-License-Identifier: MIT
#include "vmx/VmxSyntax.h"

#include <cstdint>
#include <cstring>

namespace zentravolix::vmx {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool needsEscape(unsigned char c)
{
    return (c < 0x20 && c != '\t') || c == '"' || c == '|' || c == 0x7F;
}

} // namespace

std::string EscapeValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    AppendEscapedValue(out, value);
    return out;
}

void AppendEscapedValue(std::string& out, std::string_view value)
{
    // The bytes between two escapes go in at once: most values have no escape at all.
    std::size_t plain = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (!needsEscape(c))
            continue;
        out.append(value, plain, i - plain);
        const char escape[] = {'|', kHexDigits[c >> 4], kHexDigits[c & 0x0F]};
        out.append(escape, sizeof escape);
        plain = i + 1;
    }
    out.append(value, plain);
}

namespace {

/** Decodes the escapes of the first `size` bytes of text in place; the decoded length. */
std::size_t unescapeInPlace(char* text, std::size_t size)
{
    std::size_t written = 0;
    for (std::size_t i = 0; i < size; ++i) {
        if (text[i] == '|' && i + 2 < size) {
            const int high = hexValue(text[i + 1]);
            const int low = hexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                text[written++] = static_cast<char>((high << 4) | low);
                i += 2;
                continue;
            }
        }
        text[written++] = text[i];
    }
    return written;
}

} // namespace

std::string UnescapeValue(std::string_view value)
{
    std::string out(value);
    out.resize(unescapeInPlace(out.data(), out.size()));
    return out;
}

std::string_view RawLineKey(std::string_view line)
{
    if (line.empty() || line.front() == '#')
        return {};
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return {};
    return TrimSpacesAndTabs(line.substr(0, eq));
}

std::optional<std::string> LineKey(std::string_view line)
{
    const std::string_view key = RawLineKey(line);
    if (key.empty())
        return std::nullopt;
    return ToLower(key);
}

namespace {

/** The eight bytes of a word with every ASCII capital made lower case, all at once. */
std::uint64_t lowerAsciiWord(std::uint64_t word)
{
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    // Seven bits per byte, so the sums below carry into no neighbour: the high bit of each sum
    // says "at least 'A'" and "beyond 'Z'"; bytes with their own high bit set are no letters.
    const std::uint64_t low = word & ~kHigh;
    const std::uint64_t atLeastA = low + kOnes * (0x80 - 'A');
    const std::uint64_t beyondZ = low + kOnes * (0x80 - 'Z' - 1);
    const std::uint64_t capitals = atLeastA & ~beyondZ & ~word & kHigh;
    return word | (capitals >> 2); // 0x80 >> 2 is the 0x20 between 'A' and 'a'
}

std::uint64_t mix(std::uint64_t h)
{
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 33;
    return h;
}

} // namespace

std::size_t KeyHash::operator()(std::string_view key) const noexcept
{
    // Eight lower-cased bytes at a time: keys are hashed several times per line of a long file.
    std::uint64_t hash = 0x9e3779b97f4a7c15ull ^ key.size();
    std::size_t at = 0;
    for (; at + 8 <= key.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, key.data() + at, 8);
        hash = (hash ^ lowerAsciiWord(word)) * 0x100000001b3ull;
        hash ^= hash >> 29;
    }
    if (at < key.size()) {
        std::uint64_t word = 0;
        std::memcpy(&word, key.data() + at, key.size() - at);
        hash = (hash ^ lowerAsciiWord(word)) * 0x100000001b3ull;
    }
    return static_cast<std::size_t>(mix(hash));
}

std::string LineValue(std::string_view line)
{
    std::string value;
    LineValueInto(value, line);
    return value;
}

void LineValueInto(std::string& out, std::string_view line)
{
    out.clear();
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return;
    const std::string_view raw = TrimSpacesAndTabs(line.substr(eq + 1));
    // Quotes are removed wherever they stand (files edited by hand carry stray ones); a quote that
    // belongs to the value arrives escaped as |22 and is decoded only afterwards.
    out.resize(raw.size());
    std::size_t unquoted = 0;
    for (const char c : raw) {
        if (c != '"')
            out[unquoted++] = c;
    }
    out.resize(unescapeInPlace(out.data(), unquoted));
}

std::string RelativeFileName(const std::string& deviceName, const std::string& vmxPath)
{
    const auto last = deviceName.rfind(PathSeparator);
    if (last == std::string::npos)
        return deviceName;
    const std::string_view folder(deviceName.data(), last + 1);
    if (EqualsIgnoreCase(folder, vmxPath))
        return deviceName.substr(last + 1);
    return deviceName;
}

bool IsDiskImageName(std::string_view fileName)
{
    const auto endsWith = [fileName](std::string_view tail) {
        return fileName.size() >= tail.size() && fileName.substr(fileName.size() - tail.size()) == tail;
    };
    return fileName.size() >= 6 && (endsWith(".raw") || endsWith(".vmdk") || endsWith(".pln"));
}

} // namespace zentravolix::vmx
