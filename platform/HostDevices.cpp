// SPDX-License-Identifier: MIT
#include "platform/HostDevices.h"

#include "platform/TextUtil.h"

#include <algorithm>
#include <fstream>

namespace zentravolix::platform {

namespace fs = std::filesystem;

namespace {

/** The number that ends a device name ("ttyS12" -> 12), or -1. */
long trailingNumber(const std::string& name, std::size_t prefixLength)
{
    if (name.size() <= prefixLength)
        return -1;
    const auto number = ParseInteger(std::string_view(name).substr(prefixLength), 0, INT32_MAX);
    return number ? static_cast<long>(*number) : -1;
}

/** Names in folder of the form prefix + digits, sorted by the number. */
std::vector<std::string> numberedNames(const fs::path& folder, const std::string& prefix)
{
    std::vector<std::pair<long, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        // Only digits may follow: /dev/fd itself is the process's descriptor folder.
        const std::string rest = name.substr(prefix.size());
        if (rest.empty() ||
            !std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        const long number = trailingNumber(name, prefix.size());
        if (number >= 0)
            found.emplace_back(number, name);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto& [number, name] : found)
        names.push_back(std::move(name));
    return names;
}

std::string firstLine(const fs::path& file)
{
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return std::string(TrimBlanks(line));
}

bool pathExists(const fs::path& path)
{
    std::error_code ec;
    return fs::exists(path, ec);
}

// The 8250 driver registers ttyS0 to ttyS3 (or more) whether or not a UART answers; those
// without hardware report port type 0 (unknown).
bool hasUart(const fs::path& ttyFolder)
{
    if (!pathExists(ttyFolder / "device"))
        return false;
    const fs::path type = ttyFolder / "type";
    return !pathExists(type) || firstLine(type) != "0";
}

void addExisting(const HostDeviceRoots& roots, const std::vector<std::string>& names,
                 std::vector<std::string>& out)
{
    for (const std::string& name : names) {
        const fs::path node = roots.dev / name;
        if (pathExists(node))
            out.push_back(node.string());
    }
}

} // namespace

std::vector<std::string> HostSerialPorts(const HostDeviceRoots& roots)
{
    std::vector<std::string> ports;
    const fs::path ttyClass = roots.sys / "class" / "tty";
    std::vector<std::string> uarts;
    for (const std::string& name : numberedNames(ttyClass, "ttyS")) {
        if (hasUart(ttyClass / name))
            uarts.push_back(name);
    }
    addExisting(roots, uarts, ports);
    addExisting(roots, numberedNames(roots.dev, "ttyUSB"), ports);
    addExisting(roots, numberedNames(roots.dev, "ttyACM"), ports);
    return ports;
}

std::vector<std::string> HostParallelPorts(const HostDeviceRoots& roots)
{
    std::vector<std::string> ports;
    addExisting(roots, numberedNames(roots.dev, "parport"), ports);
    return ports;
}

std::vector<std::string> HostRemovableDrives(const HostDeviceRoots& roots)
{
    std::vector<std::string> drives;
    addExisting(roots, numberedNames(roots.dev, "fd"), drives);

    std::vector<std::string> removable;
    std::error_code ec;
    const fs::path blockClass = roots.sys / "block";
    for (fs::directory_iterator it(blockClass, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        // CD-ROM drives have their own list; floppies were listed above.
        if (name.rfind("sr", 0) == 0 || name.rfind("fd", 0) == 0)
            continue;
        if (firstLine(it->path() / "removable") == "1")
            removable.push_back(name);
    }
    std::sort(removable.begin(), removable.end());
    addExisting(roots, removable, drives);
    return drives;
}

std::vector<std::string> HostCdromDrives(const HostDeviceRoots& roots)
{
    std::vector<std::string> drives;
    addExisting(roots, numberedNames(roots.dev, "sr"), drives);
    addExisting(roots, {"cdrom"}, drives);
    return drives;
}

std::vector<std::string> SerialPortFallback()
{
    return {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
}

std::vector<std::string> ParallelPortFallback()
{
    return {"/dev/parport0", "/dev/parport1", "/dev/parport2"};
}

} // namespace zentravolix::platform
