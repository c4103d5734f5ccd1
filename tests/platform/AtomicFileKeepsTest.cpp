// SPDX-License-Identifier: MIT
// What a save keeps of the file it replaces, what it refuses to replace, and that it leaves no
// temporary file behind.
#include "TestFolder.h"

#include "platform/AtomicFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace zentravolix::platform;
using zvtest::Listing;
using zvtest::ReadFile;
using zvtest::WriteFile;
namespace fs = std::filesystem;

namespace {

class AtomicFileKeeps : public ::testing::Test {
protected:
    zvtest::TestFolder folder;
    fs::path target = folder / "config.vmx";
};

struct stat statOf(const fs::path& path)
{
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

std::string xattrOf(const fs::path& path, const char* name)
{
    char buffer[256];
    const ssize_t n = ::getxattr(path.c_str(), name, buffer, sizeof buffer);
    return n < 0 ? std::string("<none>") : std::string(buffer, static_cast<std::size_t>(n));
}

/** An access ACL as the kernel stores it: owner rw, user 4242 rw, group r, mask rw, others none. */
std::string accessAcl()
{
    std::string acl;
    auto u32 = [&](std::uint32_t v) { acl.append(reinterpret_cast<const char*>(&v), 4); };
    auto entry = [&](std::uint16_t tag, std::uint16_t perm, std::uint32_t id) {
        acl.append(reinterpret_cast<const char*>(&tag), 2);
        acl.append(reinterpret_cast<const char*>(&perm), 2);
        u32(id);
    };
    u32(2); // version
    entry(0x01, 6, 0xffffffffu);
    entry(0x02, 6, 4242);
    entry(0x04, 4, 0xffffffffu);
    entry(0x10, 6, 0xffffffffu);
    entry(0x20, 0, 0xffffffffu);
    return acl;
}

pid_t deadProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

} // namespace

TEST_F(AtomicFileKeeps, OwnerGroupModeAndExtendedAttributesOfTheReplacedFile)
{
    WriteFile(target, "old");
    ASSERT_EQ(::chown(target.c_str(), 12345, 23456), 0) << "tests run as root";
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    if (::setxattr(target.c_str(), "user.origin", "kept", 4, 0) != 0)
        GTEST_SKIP() << "the file system refuses user.* attributes: " << std::strerror(errno);
    const std::string acl = accessAcl();
    const bool aclSet = ::setxattr(target.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
    const mode_t mode = statOf(target).st_mode & 07777; // the ACL's mask shows as the group bits

    WriteFileAtomically(target, "new");

    EXPECT_EQ(ReadFile(target), "new");
    const struct stat st = statOf(target);
    EXPECT_EQ(st.st_uid, 12345u);
    EXPECT_EQ(st.st_gid, 23456u);
    EXPECT_EQ(st.st_mode & 07777, mode);
    EXPECT_EQ(xattrOf(target, "user.origin"), "kept");
    if (aclSet)
        EXPECT_EQ(xattrOf(target, "system.posix_acl_access"), acl);
    else
        std::cout << "note: the file system refuses access ACLs; only user.* was checked\n";
    EXPECT_EQ(Listing(folder.path()), std::vector<std::string>{"config.vmx"});
}

TEST_F(AtomicFileKeeps, GivenAttributesAndALinkReplacedInsteadOfFollowed)
{
    WriteFile(folder / "victim", "precious");
    fs::create_symlink("victim", target);
    FileAttributes like;
    like.mode = 0640;
    like.owner = 321;
    like.group = 654;
    WriteOptions options;
    options.replaceLink = true;
    options.attributes = &like;
    WriteFileAtomically(target, "copy", options);

    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_EQ(ReadFile(target), "copy");
    EXPECT_EQ(ReadFile(folder / "victim"), "precious");
    const struct stat st = statOf(target);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(st.st_uid, 321u);
    EXPECT_EQ(st.st_gid, 654u);
}

TEST_F(AtomicFileKeeps, DanglingLinkCreatesItsTarget)
{
    fs::create_symlink("machines/real.vmx", target);
    fs::create_directory(folder / "machines");
    WriteFileAtomically(target, "made");
    EXPECT_TRUE(fs::is_symlink(target));
    EXPECT_EQ(ReadFile(folder / "machines" / "real.vmx"), "made");
    WriteFileAtomically(target, "again"); // now an ordinary followed link
    EXPECT_EQ(ReadFile(folder / "machines" / "real.vmx"), "again");
    EXPECT_EQ(Listing(folder / "machines"), std::vector<std::string>{"real.vmx"});
}

TEST_F(AtomicFileKeeps, DevicesFifosAndSocketsAreRefusedAndLeftAlone)
{
    const fs::path fifo = folder / "pipe.vmx";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const fs::path device = folder / "null.vmx";
    ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)), 0) << std::strerror(errno);
    const fs::path socketPath = folder / "sock.vmx";
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    // A link to the FIFO is followed to it, and refused as well.
    fs::create_symlink("pipe.vmx", folder / "link.vmx");

    const std::pair<fs::path, const char*> cases[] = {
        {fifo, "FIFO"}, {device, "character device"}, {socketPath, "socket"}, {folder / "link.vmx", "FIFO"}};
    for (const auto& [path, kind] : cases) {
        try {
            WriteFileAtomically(path, "text");
            ADD_FAILURE() << path << " was replaced";
        } catch (const IoError& e) {
            EXPECT_NE(std::string(e.what()).find(kind), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos) << e.what();
        }
    }
    ::close(sock);
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
    EXPECT_TRUE(S_ISCHR(statOf(device).st_mode));
    EXPECT_TRUE(S_ISSOCK(statOf(socketPath).st_mode));
    EXPECT_EQ(Listing(folder.path()), (std::vector<std::string>{"link.vmx", "null.vmx", "pipe.vmx", "sock.vmx"}));
}

TEST_F(AtomicFileKeeps, OtherHardLinksKeepTheOldContent)
{
    WriteFile(target, "old");
    fs::create_hard_link(target, folder / "other-name.vmx");
    WriteFileAtomically(target, "new");
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(ReadFile(folder / "other-name.vmx"), "old");
    EXPECT_EQ(statOf(target).st_nlink, 1u);
}

TEST_F(AtomicFileKeeps, FileSizeLimitFailsTheWriteInsteadOfKillingTheProcess)
{
    WriteFile(target, "old");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteFileAtomically(target, std::string(100000, 'x'));
        } catch (const IoError& e) {
            ::_exit(e.reason() == "File too large" ? 0 : 3);
        }
        ::_exit(4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_FALSE(WIFSIGNALED(status)) << "killed by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(Listing(folder.path()), std::vector<std::string>{"config.vmx"});
}

TEST_F(AtomicFileKeeps, AppendOnlyFolderCreatesNewFilesAndRefusesReplacingWithoutLeftovers)
{
    const fs::path box = folder / "box";
    fs::create_directory(box);
    WriteFile(box / "existing.vmx", "old");
    const int fd = ::open(box.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
        ::close(fd);
        GTEST_SKIP() << "the file system has no file flags: " << std::strerror(errno);
    }
    int appendOnly = flags | FS_APPEND_FL;
    if (::ioctl(fd, FS_IOC_SETFLAGS, &appendOnly) != 0) {
        ::close(fd);
        GTEST_SKIP() << "cannot make a folder append-only here: " << std::strerror(errno);
    }
    struct Restore {
        int fd;
        int flags;
        ~Restore()
        {
            ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
            ::close(fd);
        }
    } restore{fd, flags};

    try {
        WriteFileAtomically(box / "existing.vmx", "new");
        ADD_FAILURE() << "replaced in an append-only folder";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("append-only"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadFile(box / "existing.vmx"), "old");
    WriteFileAtomically(box / "fresh.vmx", "made whole");
    EXPECT_EQ(ReadFile(box / "fresh.vmx"), "made whole");
    EXPECT_EQ(Listing(box), (std::vector<std::string>{"existing.vmx", "fresh.vmx"}));
}

TEST_F(AtomicFileKeeps, TemporaryFilesOfKilledProcessesAreRemovedByTheNextSave)
{
    WriteFile(target, "old");
    const std::string dead = std::to_string(deadProcessId());
    const std::string leftover = ".config.vmx.tmp-" + dead + "-0123456789ab";
    const std::string live = ".config.vmx.tmp-" + std::to_string(::getpid()) + "-0123456789ab";
    const std::string otherFile = ".other.vmx.tmp-" + dead + "-0123456789ab";
    for (const auto& name : {leftover, live, otherFile})
        WriteFile(folder / name, "half");

    WriteFileAtomically(target, "new");
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(Listing(folder.path()), (std::vector<std::string>{live, otherFile, "config.vmx"}));
}
