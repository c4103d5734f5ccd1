// SPDX-License-Identifier: MIT
#pragma once

#include "config/ConfigSession.h"

#include <tarvonel/tarvonel.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace zentravolix::hardening {

namespace fs = std::filesystem;

/** A fresh empty folder under the temporary folder, removed with everything in it. */
class TempFolder {
public:
    explicit TempFolder(const std::string& name)
        : m_path(fs::temp_directory_path() / ("zv-hard-" + name + "-" + std::to_string(::getpid())))
    {
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~TempFolder() { fs::remove_all(m_path); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& path() const { return m_path; }
    fs::path operator/(const std::string& name) const { return m_path / name; }
    /** The folder as the model holds it: with a trailing separator. */
    std::string modelPath() const { return m_path.string() + "/"; }

private:
    fs::path m_path;
};

inline std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeFile(const fs::path& path, std::string_view content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

/** The names in a folder, sorted: a left-over temporary file shows up here. */
inline std::vector<std::string> listing(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

/** Regular files under root (recursively), sorted; those ending in `extension` when it is given. */
inline std::vector<fs::path> filesUnder(const fs::path& root, const std::string& extension = {})
{
    std::vector<fs::path> files;
    if (!fs::is_directory(root))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file() && (extension.empty() || entry.path().extension() == extension))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

/** A new machine's model, named and placed as a new editor tab or the tool's "new" makes it. */
inline std::shared_ptr<tarvonel::VirtualMachine> newMachine(const std::string& name = "Test",
                                                            const std::string& folder = "/vms/test/")
{
    config::ConfigSession session("/tmp/");
    session.StartNew(name, folder);
    return session.Machine();
}

/** A parameter's name usable in a test name: letters and digits, the rest "_". */
inline std::string testName(const fs::path& path, const fs::path& root)
{
    std::string name = fs::relative(path, root).string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

} // namespace zentravolix::hardening
