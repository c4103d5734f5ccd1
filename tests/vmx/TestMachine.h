// SPDX-License-Identifier: MIT
#pragma once

#include "config/ConfigSession.h"
#include "vmx/VmxSyntax.h"

#include <tarvonel/tarvonel.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace zentravolix::vmx::test {

/** A new machine's model, named and placed as a new editor tab or the tool's "new" makes it. */
inline std::shared_ptr<tarvonel::VirtualMachine> newMachine(const std::string& name = "Test",
                                                            const std::string& folder = "/vms/test/")
{
    config::ConfigSession session("/tmp/");
    session.StartNew(name, folder);
    return session.Machine();
}

/** The text with every LF turned into CR LF (golden texts are written with LF in the sources). */
inline std::string crlf(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeFile(const std::filesystem::path& path, std::string_view content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

/** The lines of a text without their line ends (LF or CR LF). */
inline std::vector<std::string> linesOf(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

/** Lower-case keys of the key lines, in file order. */
inline std::vector<std::string> keysOf(std::string_view text)
{
    std::vector<std::string> keys;
    for (const auto& line : linesOf(text)) {
        if (auto key = LineKey(line))
            keys.push_back(*key);
    }
    return keys;
}

/** The lines of a text that start with the prefix, in their order. */
inline std::vector<std::string> linesWithKey(std::string_view text, std::string_view prefix)
{
    std::vector<std::string> found;
    for (const auto& line : linesOf(text)) {
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    }
    return found;
}

/** A fresh empty folder under the system's temporary folder, removed with the object. */
class TempFolder {
public:
    explicit TempFolder(const std::string& name)
        : m_path(std::filesystem::temp_directory_path() / ("zv-vmx-" + name + "-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    const std::filesystem::path& path() const { return m_path; }
    /** The folder as the model holds it: with a trailing separator. */
    std::string modelPath() const { return m_path.string() + "/"; }

private:
    std::filesystem::path m_path;
};

} // namespace zentravolix::vmx::test
