// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace zvtest {

/** A fresh temporary folder, removed with everything in it on destruction. */
class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

void WriteFile(const std::filesystem::path& path, const std::string& content);
std::string ReadFile(const std::filesystem::path& path);
/** Names in folder (not recursive), to check that no temporary file was left behind. */
std::vector<std::string> Listing(const std::filesystem::path& folder);

/**
 * A test whose HOME, XDG_CONFIG_HOME and TMPDIR point into its own temporary folder, so that
 * nothing touches the real home folder; the variables are restored afterwards.
 */
class IsolatedTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    /** Sets (or, with nullopt, unsets) a variable for the rest of the test. */
    void setEnv(const std::string& name, const std::optional<std::string>& value);

    std::filesystem::path home() const { return m_folder / "home"; }
    std::filesystem::path configHome() const { return m_folder / "config"; }
    std::filesystem::path tmp() const { return m_folder / "tmp"; }

    TestFolder m_folder;

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

} // namespace zvtest
