// SPDX-License-Identifier: MIT
// Round trips: every real file of the corpus, and the golden input/expected pairs.
#include "TestMachine.h"
#include "support/Corpus.h"

#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace zentravolix::vmx {
namespace {

namespace fs = std::filesystem;
using test::newMachine;

std::vector<fs::path> filesUnder(const fs::path& root, const std::string& extension)
{
    std::vector<fs::path> files;
    if (!fs::is_directory(root))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file() && entry.path().extension() == extension)
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string testName(const fs::path& path, const fs::path& root)
{
    std::string name = fs::relative(path, root).replace_extension().string();
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

/** Keys the reader consumes without the writer writing them back (the writer derives them or omits a FALSE). */
bool consumedWithoutEcho(const std::string& key, const std::string& value)
{
    const auto endsWith = [&key](std::string_view tail) {
        return key.size() >= tail.size() && key.compare(key.size() - tail.size(), tail.size(), tail) == 0;
    };
    const std::string lower = ToLower(value);
    return endsWith(".autodetect") || key == "paevm" || (endsWith(".present") && lower == "false");
}

namespace corpus = ::zentravolix::test::corpus;

class VmxCorpus : public ::testing::TestWithParam<corpus::File> {};

TEST_P(VmxCorpus, LoadsKeepsEveryLineAndRewritesStably)
{
    const fs::path& path = GetParam().path;
    const std::string original = test::readFile(path);
    const auto vm = newMachine();
    const ReadResult result = ReadVmxFile(path, *vm);
    const std::string first = WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    const auto written = test::linesOf(first);
    const std::multiset<std::string> writtenLines(written.begin(), written.end());
    std::set<std::string> writtenKeys;
    std::map<std::string, int> keyCount;
    for (const auto& key : test::keysOf(first)) {
        writtenKeys.insert(key);
        ++keyCount[key];
    }

    // Every preserved line is written back byte for byte.
    std::multiset<std::string> preserved(result.otherParams.begin(), result.otherParams.end());
    for (const auto& line : result.otherParams)
        EXPECT_TRUE(writtenLines.count(line) > 0) << "preserved line lost: " << line;

    // Every other non-empty key line was understood: its key is written from the model.
    std::string_view body = original;
    if (body.substr(0, 3) == "\xEF\xBB\xBF")
        body.remove_prefix(3);
    for (const auto& line : test::linesOf(body)) {
        if (line.empty() || line[0] == '#')
            continue;
        if (const auto it = preserved.find(line); it != preserved.end()) {
            preserved.erase(it);
            continue;
        }
        const auto key = LineKey(line);
        ASSERT_TRUE(key) << "line neither kept nor understood: " << line;
        if (!consumedWithoutEcho(*key, LineValue(line))) {
            EXPECT_TRUE(writtenKeys.count(*key) > 0) << "understood line not written back: " << line;
        }
    }

    for (const auto& [key, n] : keyCount)
        EXPECT_EQ(n, 1) << "key written twice: " << key;

    const auto again = newMachine();
    const ReadResult reread = ReadVmxText(first, *again, path.string());
    EXPECT_EQ(WriteVmxText(*again, reread.otherParams, reread.valuesAfterRead), first);
}

INSTANTIATE_TEST_SUITE_P(Files, VmxCorpus, ::testing::ValuesIn(corpus::Files("vmx", ".vmx")),
                         [](const ::testing::TestParamInfo<corpus::File>& info) {
                             return corpus::TestName(info.param, "vmx");
                         });

TEST(VmxCorpusPresent, HoldsTheRealFiles)
{
    EXPECT_GE(corpus::CountInRepository("vmx", ".vmx"), 50u) << corpus::InRepository();
}

TEST(VmxCorpusPresent, TheExtraFolderAddsItsFilesOnce)
{
    if (!corpus::Extra())
        GTEST_SKIP() << corpus::MissingReason("the .vmx files from repositories without a licence");
    const auto files = corpus::Files("vmx", ".vmx");
    EXPECT_GT(files.size(), corpus::CountInRepository("vmx", ".vmx"));
    std::set<std::string> names;
    for (const auto& file : files)
        EXPECT_TRUE(names.insert(corpus::TestName(file, "vmx")).second) << file.relative;
}

class VmxGoldenRoundTrip : public ::testing::TestWithParam<fs::path> {};

TEST_P(VmxGoldenRoundTrip, InputIsWrittenAsExpectedAndExpectedIsStable)
{
    const fs::path folder = GetParam();
    const fs::path input = folder / "input.vmx";
    const std::string expected = test::readFile(folder / "expected.vmx");

    const auto vm = newMachine();
    const ReadResult result = ReadVmxFile(input, *vm);
    EXPECT_EQ(WriteVmxText(*vm, result.otherParams, result.valuesAfterRead), expected);

    const auto again = newMachine();
    const ReadResult reread = ReadVmxText(expected, *again, input.string());
    EXPECT_EQ(WriteVmxText(*again, reread.otherParams, reread.valuesAfterRead), expected);
}

std::vector<fs::path> goldenCases()
{
    std::vector<fs::path> cases;
    for (const auto& file : filesUnder(fs::path(ZV_TEST_DATA_DIR) / "roundtrip", ".vmx")) {
        if (file.filename() == "input.vmx")
            cases.push_back(file.parent_path());
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Cases, VmxGoldenRoundTrip, ::testing::ValuesIn(goldenCases()),
                         [](const ::testing::TestParamInfo<fs::path>& info) {
                             return testName(info.param, fs::path(ZV_TEST_DATA_DIR) / "roundtrip");
                         });

} // namespace
} // namespace zentravolix::vmx
