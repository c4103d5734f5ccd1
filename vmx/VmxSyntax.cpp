// SPDX-License-Identifier: MIT
#include "vmx/VmxSyntax.h"


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

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string EscapeValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (const char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        if (needsEscape(c)) {
            out += '|';
            out += kHexDigits[c >> 4];
            out += kHexDigits[c & 0x0F];
        } else {
            out += ch;
        }
    }
    return out;
}

std::string UnescapeValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '|' && i + 2 < value.size()) {
            const int high = hexValue(value[i + 1]);
            const int low = hexValue(value[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>((high << 4) | low);
                i += 2;
                continue;
            }
        }
        out += value[i];
    }
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

std::size_t KeyHash::operator()(std::string_view key) const noexcept
{
    // FNV-1a over the lower-cased bytes.
    std::size_t hash = 14695981039346656037ull;
    for (const char c : key) {
        hash ^= static_cast<unsigned char>(lowerAscii(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string LineValue(std::string_view line)
{
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return {};
    const std::string_view raw = TrimSpacesAndTabs(line.substr(eq + 1));
    // Quotes are removed wherever they stand (files edited by hand carry stray ones); a quote that
    // belongs to the value arrives escaped as |22 and is decoded only afterwards.
    std::string unquoted;
    unquoted.reserve(raw.size());
    for (const char c : raw) {
        if (c != '"')
            unquoted += c;
    }
    return UnescapeValue(unquoted);
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
