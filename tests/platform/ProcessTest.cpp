// SPDX-License-Identifier: MIT
#include "TestFolder.h"

#include "platform/Process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <sys/stat.h>
#include <thread>

using namespace zentravolix::platform;
using zvtest::ReadFile;
using zvtest::WriteFile;

namespace {

class ProcessTest : public zvtest::IsolatedTest {
protected:
    /** A script that writes its folder and its arguments, one a line, to out. */
    std::string recorder(const std::string& name)
    {
        const auto script = m_folder / "bin" / name;
        WriteFile(script, "#!/bin/sh\n{ pwd; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > \"" +
                              out.string() + ".tmp\"\nmv \"" + out.string() + ".tmp\" \"" + out.string() +
                              "\"\n");
        ::chmod(script.c_str(), 0755);
        return script.string();
    }
    /** Waits for a detached program to leave its output (it is not ours to wait for). */
    std::string awaitOutput()
    {
        for (int i = 0; i < 500 && !std::filesystem::exists(out); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return ReadFile(out);
    }
    std::filesystem::path out = m_folder / "out.txt";
};

} // namespace

TEST_F(ProcessTest, WaitsForTheProgramWhilePumpingEvents)
{
    int pumps = 0;
    const auto result = RunCommandAndWait(
        "/bin/sh", {"-c", "sleep 0.3; echo done > \"$1\"", "sh", out.string()}, [&] { ++pumps; });
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(ReadFile(out), "done\n"); // the program had finished when the call returned
    EXPECT_GE(pumps, 3);
}

TEST_F(ProcessTest, ArgumentsArriveUnchanged)
{
    const std::vector<std::string> args{"a b", "\"quoted\"", "it's", "$HOME", "", "; rm -rf x", "tab\there"};
    std::vector<std::string> call{"-c", "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0\"",
                                  out.string()};
    call.insert(call.end(), args.begin(), args.end());
    ASSERT_TRUE(RunCommandAndWait("sh", call).started); // found on PATH, waited for without a pump
    std::string expected;
    for (const auto& a : args)
        expected += a + "\n";
    EXPECT_EQ(ReadFile(out), expected);
}

TEST_F(ProcessTest, ReportsExitCodesAndStartFailures)
{
    EXPECT_EQ(RunCommandAndWait("/bin/sh", {"-c", "exit 3"}).exitCode, 3);
    EXPECT_EQ(RunCommandAndWait("/bin/sh", {"-c", "kill -9 $$"}).exitCode, 128 + 9);
    EXPECT_EQ(RunCommandAndWait("", {"/bin/sh", "-c", "exit 4"}).exitCode,
              4); // program taken from the arguments

    const auto missing = RunCommandAndWait("zv-no-such-program", {});
    EXPECT_FALSE(missing.started);
    EXPECT_NE(missing.error.find("zv-no-such-program"), std::string::npos);
    EXPECT_FALSE(RunCommandAndWait("", {}).started);
    WriteFile(m_folder / "not-executable", "#!/bin/sh\n");
    EXPECT_FALSE(RunCommandAndWait((m_folder / "not-executable").string(), {}).started);
}

TEST_F(ProcessTest, ShellOpenStartsTheLaunchApplicationWithTheFileAsOneArgument)
{
    const std::string app = recorder("vm launcher");
    const auto result = ShellOpen(app, "/home/u/My VMs/a \"b\".vmx");
    ASSERT_TRUE(result.started) << result.error;
    // No quotes are added: without a shell the blank needs none. It runs in its own folder.
    EXPECT_EQ(awaitOutput(), (m_folder / "bin").string() + "\n/home/u/My VMs/a \"b\".vmx\n");
}

TEST_F(ProcessTest, ShellOpenWithoutParameterUsesTheDesktopOpener)
{
    recorder("xdg-open");
    setEnv("PATH", (m_folder / "bin").string() + ":/usr/bin:/bin");
    const std::filesystem::path vmx = m_folder / "vms" / "a.vmx";
    std::filesystem::create_directories(vmx.parent_path());
    ASSERT_TRUE(ShellOpen(vmx.string(), "").started);
    EXPECT_EQ(awaitOutput(), vmx.parent_path().string() + "\n" + vmx.string() + "\n");

    setEnv("PATH", m_folder.path().string());
    const auto result = ShellOpen(vmx.string(), "");
    EXPECT_FALSE(result.started);
    EXPECT_NE(result.error.find("xdg-open"), std::string::npos);
}
