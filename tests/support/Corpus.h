// SPDX-License-Identifier: MIT
#pragma once

// The corpus of real files written by other programs, for the tests. It lives in two folders:
// - in the repository (tests/data/corpus, ZV_CORPUS_DIR): the files whose licence lets us
//   redistribute them, listed with their origin in PROVENANCE.md;
// - outside it (ZV_EXTRA_CORPUS_DIR, from the CMake cache variable ZENTRAVOLIX_EXTRA_CORPUS,
//   by default the shared corpus folder beside the source tree): files from repositories without a
//   licence. It may be missing; the tests that need one of its files then skip with the reason.
// A file present in both folders (same path below the folder) is taken once, from the repository.
// Every test that touches the corpus finds its files here.

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

#ifndef ZV_CORPUS_DIR
#error "link the test with zv_test_corpus (tests/CMakeLists.txt)"
#endif

namespace zentravolix::test::corpus {

namespace fs = std::filesystem;

struct File {
    fs::path path;        ///< where the file is read from
    std::string relative; ///< below the corpus folder, '/'-separated, e.g. "vmx/libvirt/annotation.vmx"
    bool external = false; ///< from the extra folder outside the repository
};

/** Test output names a file by its path below the corpus folder. */
inline void PrintTo(const File& file, std::ostream* out)
{
    *out << file.relative << (file.external ? " (extra folder)" : "");
}

/** The folder of the corpus in the repository. */
inline fs::path InRepository()
{
    return fs::path(ZV_CORPUS_DIR);
}

/** The extra folder as configured, whether or not it exists (empty when none is configured). */
inline fs::path ExtraConfigured()
{
    return fs::path(ZV_EXTRA_CORPUS_DIR);
}

/** The extra folder when it exists. */
inline std::optional<fs::path> Extra()
{
    const fs::path dir = ExtraConfigured();
    std::error_code error;
    if (dir.empty() || !fs::is_directory(dir, error))
        return std::nullopt;
    return dir;
}

/** Why files of the extra folder cannot be tested, for GTEST_SKIP(); `what` names them. */
inline std::string MissingReason(const std::string& what)
{
    const fs::path dir = ExtraConfigured();
    const std::string where = dir.empty() ? std::string("no extra corpus folder is configured")
                                          : "the extra corpus folder " + dir.string() + " is missing";
    return what + ": not in the repository (its source gives no licence to redistribute it), and " + where +
           " (configure with -DZENTRAVOLIX_EXTRA_CORPUS=<folder>)";
}

namespace detail {

inline void collect(const fs::path& root, const std::string& sub, const std::string& extension, bool external,
                    std::map<std::string, File>& files)
{
    std::error_code error;
    const fs::path start = sub.empty() ? root : root / sub;
    if (!fs::is_directory(start, error))
        return;
    for (const auto& entry : fs::recursive_directory_iterator(start)) {
        if (!entry.is_regular_file() || entry.path().filename() == "PROVENANCE.md")
            continue;
        if (!extension.empty() && entry.path().extension() != extension)
            continue;
        const std::string relative = fs::relative(entry.path(), root).generic_string();
        files.try_emplace(relative, File{entry.path(), relative, external});
    }
}

} // namespace detail

/**
 * Every file below `sub` ("vmx", "vmdk"; the whole corpus when empty) ending in `extension` (any
 * when empty), from the repository and the extra folder, each once, sorted by relative path.
 */
inline std::vector<File> Files(const std::string& sub = {}, const std::string& extension = {})
{
    std::map<std::string, File> files;
    detail::collect(InRepository(), sub, extension, false, files);
    if (const auto extra = Extra())
        detail::collect(*extra, sub, extension, true, files);
    std::vector<File> sorted;
    sorted.reserve(files.size());
    for (auto& [relative, file] : files)
        sorted.push_back(std::move(file));
    return sorted;
}

/** How many of Files(sub, extension) are in the repository. */
inline std::size_t CountInRepository(const std::string& sub = {}, const std::string& extension = {})
{
    const auto files = Files(sub, extension);
    return static_cast<std::size_t>(
        std::count_if(files.begin(), files.end(), [](const File& f) { return !f.external; }));
}

/** One file by its path below the corpus folder: from the repository when it is there, else from the extra folder. */
inline std::optional<File> Find(const std::string& relative)
{
    std::error_code error;
    if (const fs::path here = InRepository() / relative; fs::is_regular_file(here, error))
        return File{here, relative, false};
    if (const auto extra = Extra()) {
        if (const fs::path there = *extra / relative; fs::is_regular_file(there, error))
            return File{there, relative, true};
    }
    return std::nullopt;
}

/** A test name from any text: letters and digits kept, everything else "_". */
inline std::string TestName(std::string text)
{
    for (char& c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (!((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')))
            c = '_';
    }
    return text;
}

/** The test name of a corpus file: its path below `sub` without the extension, e.g. "libvirt_annotation". */
inline std::string TestName(const File& file, const std::string& sub)
{
    std::string name = file.relative;
    if (!sub.empty() && name.rfind(sub + "/", 0) == 0)
        name.erase(0, sub.size() + 1);
    return TestName(fs::path(name).replace_extension().generic_string());
}

} // namespace zentravolix::test::corpus
