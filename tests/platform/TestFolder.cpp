// SPDX-License-Identifier: MIT
#include "TestFolder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace zvtest {

TestFolder::TestFolder()
{
    std::string pattern = (fs::temp_directory_path() / "zv-platform-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TestFolder::~TestFolder()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void WriteFile(const fs::path& path, const std::string& content)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Listing(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void IsolatedTest::SetUp()
{
    fs::create_directories(home());
    fs::create_directories(tmp());
    setEnv("HOME", home().string());
    setEnv("XDG_CONFIG_HOME", configHome().string());
    setEnv("TMPDIR", tmp().string());
}

void IsolatedTest::TearDown()
{
    for (const auto& [name, value] : m_saved) {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
    m_saved.clear();
}

void IsolatedTest::setEnv(const std::string& name, const std::optional<std::string>& value)
{
    if (!m_saved.count(name)) {
        const char* old = std::getenv(name.c_str());
        m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
}

} // namespace zvtest
