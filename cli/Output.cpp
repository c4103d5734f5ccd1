// SPDX-License-Identifier: MIT
#include "cli/Output.h"

#include "platform/TextTable.h"
#include "vmx/SaveChecks.h"
#include "vmx/VmxFileError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace zentravolix::cli {

namespace fs = std::filesystem;

namespace {

/** The length of the UTF-8 sequence at text[i], or 0 when none starts there. */
std::size_t utf8Length(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(i);
    if (c < 0x80)
        return 1;
    std::size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0)
            low = 0xA0;
        if (c == 0xED)
            high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0)
            low = 0x90;
        if (c == 0xF4)
            high = 0x8F;
    } else
        return 0;
    if (i + n > text.size())
        return 0;
    if (byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < n; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    }
    return n;
}

void hexByte(std::string& out, unsigned char c)
{
    static constexpr char digits[] = "0123456789abcdef";
    out += "\\x";
    out += digits[c >> 4];
    out += digits[c & 0x0F];
}

std::string latin1(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void walk(nlohmann::json& value, const nlohmann::json::json_pointer& where, nlohmann::json& replaced)
{
    if (value.is_string()) {
        auto& s = value.get_ref<std::string&>();
        if (!IsUtf8(s)) {
            s = latin1(s);
            replaced.push_back(where.to_string());
        }
    } else if (value.is_array()) {
        for (std::size_t i = 0; i < value.size(); ++i)
            walk(value[i], where / i, replaced);
    } else if (value.is_object()) {
        for (auto it = value.begin(); it != value.end(); ++it)
            walk(it.value(), where / it.key(), replaced);
    }
}

} // namespace

bool IsUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = utf8Length(text, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string Visible(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            hexByte(out, c);
            ++i;
            continue;
        }
        const std::size_t n = utf8Length(text, i);
        if (n == 0) {
            hexByte(out, c);
            ++i;
            continue;
        }
        // U+0080..U+009F: the C1 controls (a CSI among them) are as dangerous as ESC.
        if (n == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) {
            hexByte(out, c);
            hexByte(out, static_cast<unsigned char>(text[i + 1]));
            i += 2;
            continue;
        }
        out.append(text.substr(i, n));
        i += n;
    }
    return out;
}

void KeepBytesRecoverable(nlohmann::json& doc)
{
    nlohmann::json replaced = nlohmann::json::array();
    walk(doc, nlohmann::json::json_pointer(), replaced);
    if (doc.is_object())
        doc["latin1"] = std::move(replaced);
}

InputFile ReadInput(Context& context, const std::string& name)
{
    InputFile file;
    file.name = name;
    if (IsStdio(name)) {
        file.path = fs::current_path() / "stdin.vmx";
        if (context.in) {
            file.text.assign(std::istreambuf_iterator<char>(*context.in), std::istreambuf_iterator<char>());
        }
        return file;
    }
    file.path = fs::absolute(name).lexically_normal();
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw vmx::VmxFileError(vmx::VmxFileError::Reason::CannotOpen, name, std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw vmx::VmxFileError(vmx::VmxFileError::Reason::CannotOpen, name, std::strerror(EISDIR));
    }
    if (st.st_size > 0 && static_cast<std::uintmax_t>(st.st_size) <= vmx::MaxVmxFileSize * 2)
        file.text.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            throw vmx::VmxFileError(vmx::VmxFileError::Reason::CannotOpen, name, std::strerror(error));
        }
        file.text.append(buffer, static_cast<std::size_t>(n));
        if (file.text.size() > vmx::MaxVmxFileSize * 2) {
            ::close(fd);
            throw vmx::VmxFileError(vmx::VmxFileError::Reason::TooLarge, name);
        }
    }
    ::close(fd);
    return file;
}

void Complain(Context& context, const std::string& message)
{
    context.err << "zentravolix-cli: " << Visible(message) << "\n";
}

namespace {

std::string joined(const std::vector<std::string>& parts)
{
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i)
        out += (i ? ": " : "") + parts[i];
    return out;
}

} // namespace

std::string FindingText(const config::CheckFinding& f, const Context& context)
{
    const auto text = [&](int id) { return context.text ? context.text(id) : std::string(); };
    std::string out;
    if (f.refusal)
        out = vmx::RefusalMessage(*f.refusal, text);
    else if (f.textId == 0)
        out = joined(f.args);
    else
        out = platform::FillTextFrom(text(f.textId), f.args);
    out += f.suffix;
    // The detail: a text of its own, or without a text id the system's words.
    if (f.detailId != 0)
        out += ": " + platform::FillTextFrom(text(f.detailId), f.detailArgs);
    else if (!f.detailArgs.empty())
        out += ": " + joined(f.detailArgs);
    return out;
}

} // namespace zentravolix::cli
