// SPDX-License-Identifier: MIT
#include "platform/Process.h"

#include "platform/Paths.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>


namespace zentravolix::platform {

namespace {

std::string cannotStart(const std::string& program, int error)
{
    return "Cannot start '" + program + "': " + std::strerror(error);
}

bool isExecutableFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

/** argv for exec: pointers into the strings, which must outlive it. */
std::vector<char*> argumentVector(const std::string& argv0, const std::vector<std::string>& arguments,
                                  std::size_t first)
{
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(argv0.c_str()));
    for (std::size_t i = first; i < arguments.size(); ++i)
        argv.push_back(const_cast<char*>(arguments[i].c_str()));
    argv.push_back(nullptr);
    return argv;
}

int exitCodeOf(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

void sleepMilliseconds(long ms)
{
    timespec delay{0, ms * 1000000L};
    while (::nanosleep(&delay, &delay) != 0 && errno == EINTR) {
    }
}

} // namespace

std::string FindExecutable(const std::string& program)
{
    if (program.empty())
        return {};
    if (program.find('/') != std::string::npos)
        return isExecutableFile(program) ? program : std::string();
    const char* path = std::getenv("PATH");
    std::string_view dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const auto colon = dirs.find(':');
        std::string_view dir = dirs.substr(0, colon);
        // An empty PATH entry means the current folder.
        const std::string candidate = JoinPath(dir.empty() ? std::string_view(".") : dir, program);
        if (isExecutableFile(candidate))
            return candidate;
        if (colon == std::string_view::npos)
            return {};
        dirs.remove_prefix(colon + 1);
    }
}

CommandResult RunCommandAndWait(const std::string& program, const std::vector<std::string>& arguments,
                                const std::function<void()>& pumpEvents)
{
    CommandResult result;
    const bool programInArguments = program.empty();
    const std::string& name =
        programInArguments ? (arguments.empty() ? program : arguments.front()) : program;
    if (name.empty()) {
        result.error = "Cannot start a program without a name";
        return result;
    }
    const std::string path = FindExecutable(name);
    if (path.empty()) {
        result.error = cannotStart(name, ENOENT);
        return result;
    }
    std::vector<char*> argv = argumentVector(name, arguments, programInArguments ? 1 : 0);

    // The tool dies with the thread that waits for it: a program killed while qemu-img writes a
    // disk (even by SIGKILL, which runs no handler of ours) must not leave qemu-img behind,
    // writing into a file that the program's own clean-up has just removed. Only fork lets the
    // child ask for that before exec; a pipe that closes on exec carries exec's errno back.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        result.error = cannotStart(name, errno);
        return result;
    }
    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        result.error = cannotStart(name, error);
        return result;
    }
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) // the parent was gone before the request took effect
            ::_exit(127);
        ::execv(path.c_str(), argv.data());
        const int error = errno;
        (void)::write(report[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(report[1]);
    int execError = 0;
    ssize_t n;
    while ((n = ::read(report[0], &execError, sizeof execError)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    if (n == static_cast<ssize_t>(sizeof execError)) {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        result.error = cannotStart(name, execError);
        return result;
    }
    result.started = true;

    // Poll instead of blocking so that the caller's window keeps repainting and taking
    // commands while a long disk tool runs.
    int status = 0;
    while (true) {
        const pid_t done = ::waitpid(pid, &status, pumpEvents ? WNOHANG : 0);
        if (done == pid) {
            result.exitCode = exitCodeOf(status);
            return result;
        }
        if (done < 0 && errno != EINTR) {
            result.error = "Cannot wait for '" + name + "': " + std::strerror(errno);
            return result;
        }
        if (done == 0) {
            pumpEvents();
            sleepMilliseconds(20);
        }
    }
}

CommandResult ShellOpen(const std::string& file, const std::string& parameter)
{
    CommandResult result;
    const std::string program = parameter.empty() ? std::string("xdg-open") : file;
    const std::vector<std::string> arguments{parameter.empty() ? file : parameter};
    if (program.empty()) {
        result.error = "Cannot start a program without a name";
        return result;
    }
    // Everything the child needs is prepared here: between fork and exec only
    // async-signal-safe calls are allowed.
    const std::string path = FindExecutable(program);
    if (path.empty()) {
        result.error = cannotStart(program, ENOENT);
        return result;
    }
    const std::string folder = FolderOf(file);
    std::vector<char*> argv = argumentVector(program, arguments, 0);

    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        result.error = cannotStart(program, errno);
        return result;
    }
    const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);

    const pid_t middle = ::fork();
    if (middle < 0) {
        const int error = errno;
        ::close(report[0]);
        ::close(report[1]);
        if (devNull >= 0)
            ::close(devNull);
        result.error = cannotStart(program, error);
        return result;
    }
    if (middle == 0) {
        // The middle process exits at once, so the program is adopted by init and never
        // lingers as a zombie of ours.
        const pid_t grandchild = ::fork();
        if (grandchild != 0)
            ::_exit(grandchild < 0 ? 1 : 0);
        ::setsid();
        if (devNull >= 0)
            ::dup2(devNull, STDIN_FILENO);
        if (!folder.empty())
            (void)::chdir(folder.c_str());
        ::execv(path.c_str(), argv.data());
        const int error = errno;
        (void)::write(report[1], &error, sizeof error);
        ::_exit(127);
    }

    ::close(report[1]);
    if (devNull >= 0)
        ::close(devNull);
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    // The pipe closes without data when exec succeeded (close-on-exec), or carries errno.
    int error = 0;
    ssize_t n;
    while ((n = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(report[0]);
    if (n == static_cast<ssize_t>(sizeof error)) {
        result.error = cannotStart(program, error);
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        result.error = cannotStart(program, EAGAIN);
    } else {
        result.started = true;
    }
    return result;
}

} // namespace zentravolix::platform
