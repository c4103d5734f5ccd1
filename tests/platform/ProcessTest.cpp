// SPDX-License-Identifier: MIT
#include "TestFolder.h"

#include "platform/Process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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

namespace {

/** True once the process is gone or a zombie waiting for whoever adopted it. */
bool hasEnded(pid_t pid)
{
    const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
    const auto close = stat.rfind(')');
    return close == std::string::npos || close + 2 >= stat.size() || stat[close + 2] == 'Z';
}

} // namespace

TEST_F(ProcessTest, AToolEndsWithTheProgramWaitingForIt)
{
    // The waiting program is killed outright, as by SIGKILL, which runs no clean-up of its own.
    const auto pidFile = m_folder / "tool.pid";
    const pid_t program = ::fork();
    ASSERT_GE(program, 0);
    if (program == 0) {
        RunCommandAndWait("/bin/sh", {"-c", "echo $$ > \"$0.tmp\" && mv \"$0.tmp\" \"$0\"; exec sleep 30",
                                      pidFile.string()});
        ::_exit(0);
    }
    for (int i = 0; i < 500 && !std::filesystem::exists(pidFile); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const pid_t tool = static_cast<pid_t>(std::stol("0" + ReadFile(pidFile)));
    ::kill(program, SIGKILL);
    int status = 0;
    ::waitpid(program, &status, 0);
    ASSERT_GT(tool, 0) << "the tool never started";
    bool ended = false;
    for (int i = 0; i < 300 && !ended; ++i) {
        ended = hasEnded(tool);
        if (!ended)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!ended)
        ::kill(tool, SIGKILL);
    EXPECT_TRUE(ended) << "the tool outlived the program that started it";
}
