// SPDX-License-Identifier: MIT
#pragma once

// Whole files as strings, for the tests.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace zentravolix::test {

/** The file's bytes; empty when it cannot be read. */
inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

/** Writes the bytes as they are, replacing the file. */
inline void writeFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

} // namespace zentravolix::test
