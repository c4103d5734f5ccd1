// SPDX-License-Identifier: MIT
#include "TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include <cstdlib>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace zvtest {

TempFolder::TempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "zv-disk-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern + "/";
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

std::vector<std::string> ListFolder(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::uint64_t AllocatedBytes(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return 0;
    return static_cast<std::uint64_t>(st.st_blocks) * 512;
}

Captured RunCapture(const std::string& program, const std::vector<std::string>& arguments)
{
    Captured c;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return c;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc == 0) {
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
            c.output.append(buffer, static_cast<std::size_t>(n));
        int status = 0;
        ::waitpid(pid, &status, 0);
        c.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    }
    ::close(pipeFds[0]);
    return c;
}

std::string QemuImg()
{
    const char* path = std::getenv("PATH");
    return zentravolix::disk::FindTool("qemu-img", "", path ? path : "");
}

std::string QemuIo()
{
    const char* path = std::getenv("PATH");
    return zentravolix::disk::FindTool("qemu-io", "", path ? path : "");
}

zentravolix::disk::ToolRun RunTool(const std::string& program, const std::vector<std::string>& arguments)
{
    const Captured c = RunCapture(program, arguments);
    zentravolix::disk::ToolRun run;
    run.started = c.exitCode >= 0;
    run.exitCode = c.exitCode;
    run.error = c.output;
    return run;
}

long long QemuVirtualSize(const std::string& path)
{
    const Captured c = RunCapture(QemuImg(), {"info", "--output=json", path});
    std::smatch m;
    static const std::regex size("\"virtual-size\": *([0-9]+)");
    if (c.exitCode != 0 || !std::regex_search(c.output, m, size))
        return -1;
    return std::stoll(m[1]);
}

std::function<double()> FixedRandom(std::vector<double> values)
{
    auto index = std::make_shared<std::size_t>(0);
    return [values, index]() { return values[(*index)++ % values.size()]; };
}

bool FaultyFileOps::trip(Op op)
{
    return op == failing && ++m_counts[static_cast<int>(op)] == failAt;
}

int FaultyFileOps::createNew(const std::string& path, int& handle)
{
    if (trip(Op::Create))
        return error;
    const int e = m_real->createNew(path, handle);
    if (e == 0)
        created.push_back(path);
    return e;
}

int FaultyFileOps::openExisting(const std::string& path, int& handle)
{
    return m_real->openExisting(path, handle);
}

int FaultyFileOps::readAt(int handle, std::uint64_t offset, void* data, std::size_t size, std::size_t& done)
{
    return trip(Op::Read) ? error : m_real->readAt(handle, offset, data, size, done);
}

int FaultyFileOps::writeAt(int handle, std::uint64_t offset, const void* data, std::size_t size)
{
    return trip(Op::Write) ? error : m_real->writeAt(handle, offset, data, size);
}

int FaultyFileOps::setLength(int handle, std::uint64_t bytes)
{
    return trip(Op::SetLength) ? error : m_real->setLength(handle, bytes);
}

int FaultyFileOps::preallocate(int handle, std::uint64_t offset, std::uint64_t bytes)
{
    if (trip(Op::Preallocate))
        return error;
    if (sparsePreallocate)
        return m_real->setLength(handle, offset + bytes);
    return m_real->preallocate(handle, offset, bytes);
}

int FaultyFileOps::close(int handle)
{
    const int e = m_real->close(handle);
    return trip(Op::Close) ? error : e;
}

void FaultyFileOps::remove(const std::string& path) noexcept
{
    m_real->remove(path);
}

} // namespace zvtest
