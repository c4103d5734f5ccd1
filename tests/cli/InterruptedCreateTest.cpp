// SPDX-License-Identifier: MIT
// An interrupted or crashing `disk create` leaves no partial files: the real tool is started as a
// child process, making a disk of some hundred extents, and is sent the signal half-way.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class InterruptedCreate : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zv-cli-signal-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    /** Starts the tool creating `name` in the folder; its output goes to /dev/null. */
    pid_t start(const std::string& name, const std::string& size, const std::string& maxSectors = "2147483647")
    {
        const std::string disk = (folder / name).string();
        // A tool built with the address sanitizer would leave crashes to the sanitizer's own
        // handlers; these runs check the tool's, so the sanitizer stands aside for them.
        std::string sanitizer = "handle_segv=0:handle_sigbus=0:handle_sigfpe=0:handle_sigill=0:handle_abort=0";
        if (const char* given = std::getenv("ASAN_OPTIONS"); given && *given)
            sanitizer = std::string(given) + ":" + sanitizer;
        const pid_t child = ::fork();
        if (child == 0) {
            ::setenv("ASAN_OPTIONS", sanitizer.c_str(), 1);
            const int devNull = ::open("/dev/null", O_WRONLY);
            ::dup2(devNull, STDOUT_FILENO);
            ::dup2(devNull, STDERR_FILENO);
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            ::execl(ZV_CLI_PATH, "zentravolix-cli", "disk", "create", disk.c_str(), "--size", size.c_str(),
                    "--adapter", "ide", "--type", "growable-split", "--max-ide-sectors", maxSectors.c_str(), "--yes",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return child;
    }

    std::size_t fileCount() const
    {
        std::error_code ec;
        std::size_t n = 0;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            ++n;
        return n;
    }

    std::string names() const
    {
        std::string list;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            list += it->path().filename().string() + " ";
        return list;
    }

    fs::path folder;
};

} // namespace

TEST_P(InterruptedCreate, SignalHalfWayLeavesNoFilesAndTheRetryWorks)
{
    const int signal = GetParam();
    // About 500 sparse extents: long enough to be caught half-way.
    const pid_t child = start("big.vmdk", "1000G");
    ASSERT_GT(child, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    int status = 0;
    bool exited = false;
    while (fileCount() < 3 && std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(child, &status, WNOHANG) == child) {
            exited = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ASSERT_FALSE(exited) << "the tool ended before it was interrupted, status " << status;
    ASSERT_GE(fileCount(), 3u) << "the creation did not start";
    ASSERT_EQ(::kill(child, signal), 0);
    ASSERT_EQ(::waitpid(child, &status, 0), child);

    ASSERT_TRUE(WIFSIGNALED(status)) << "the tool ended by the signal, as before; status " << status;
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_EQ(fileCount(), 0u) << "partial files were left behind: " << names();

    const pid_t retry = start("big.vmdk", "200M");
    ASSERT_EQ(::waitpid(retry, &status, 0), retry);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the same name can be used again";
}

INSTANTIATE_TEST_SUITE_P(Signals, InterruptedCreate, ::testing::Values(SIGINT, SIGTERM, SIGHUP, SIGSEGV),
                         [](const auto& info) {
                             switch (info.param) {
                             case SIGINT:
                                 return std::string("Interrupt");
                             case SIGTERM:
                                 return std::string("Terminate");
                             case SIGHUP:
                                 return std::string("HangUp");
                             default:
                                 return std::string("Crash");
                             }
                         });

// A 16 TB disk has more than 8000 pieces: every one of them is still taken back.
TEST_F(InterruptedCreate, SignalAfterThousandsOfPiecesLeavesNoFiles)
{
    const pid_t child = start("huge.vmdk", "16384G", "34359738368");
    ASSERT_GT(child, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int status = 0;
    bool exited = false;
    while (fileCount() < 4500 && std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(child, &status, WNOHANG) == child) {
            exited = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_FALSE(exited) << "the tool ended before it was interrupted, status " << status;
    ASSERT_GE(fileCount(), 4500u);
    ASSERT_EQ(::kill(child, SIGTERM), 0);
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
    EXPECT_EQ(fileCount(), 0u) << "partial files were left behind";
}
