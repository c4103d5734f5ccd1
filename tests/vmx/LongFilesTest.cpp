// SPDX-License-Identifier: MIT
// Long files and every kind of line end: what the reader keeps and the writer gives back.
#include "TestMachine.h"

#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>

namespace zentravolix::vmx {
namespace {

namespace fs = std::filesystem;
using test::newMachine;
using Lines = std::vector<std::string>;

/** The kept lines as the writer gives them back: after the section comment, each with CR LF. */
std::string keptSection(const std::string& written)
{
    const std::string header = "##### other params from old file ######";
    const auto at = written.find(header);
    if (at == std::string::npos)
        return {};
    const auto start = written.find("\r\n", at) + 2;
    const auto end = written.rfind("\r\n\r\n");
    return end == std::string::npos || end < start ? std::string() : written.substr(start, end + 2 - start);
}

TEST(VmxLongFiles, EveryMixOfLineEndsKeepsEveryLineWithItsNumber)
{
    // A CR right before an LF ends one line; every other CR and LF ends a line of its own, so
    // "\n\r" and "\r\r\n" hold an empty line between. The last line has no end at all.
    const char* ends[] = {"\r\n", "\n", "\r", "\n\r", "\r\r\n", "\n\n", "\r\r"};
    const int endLines[] = {1, 1, 1, 2, 2, 2, 2};
    for (int shift = 0; shift < 7; ++shift) {
        std::string text;
        Lines expectedKept;
        std::vector<int> badNumbers;
        int number = 1;
        for (int i = 0; i < 40; ++i) {
            const std::string line = i % 5 == 4 ? "memsize = \"bad" + std::to_string(i) + "\""
                                                : "custom" + std::to_string(i) + ".k = \"v" + std::to_string(i) + "\"";
            text += line;
            if (i % 5 == 4)
                badNumbers.push_back(number);
            else
                expectedKept.push_back(line);
            if (i < 39) {
                const int kind = (i + shift) % 7;
                text += ends[kind];
                number += endLines[kind];
            }
        }
        const auto vm = newMachine();
        const ReadResult result = ReadVmxText(text, *vm, "/vms/test/test.vmx");
        // Only the last "memsize" line counts: the earlier ones are superseded, not reported.
        ASSERT_EQ(result.problems.size(), 1u) << shift;
        EXPECT_EQ(result.problems[0].line, badNumbers.back()) << shift;
        Lines kept = result.otherParams;
        kept.erase(std::remove_if(kept.begin(), kept.end(), [](const std::string& l) { return l.rfind("memsize", 0) == 0; }),
                   kept.end());
        EXPECT_EQ(kept, expectedKept) << shift;

        // Written with CR LF throughout, byte for byte the lines read, and again the same after rereading.
        const std::string written = WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
        std::string expectedSection;
        for (const auto& line : result.otherParams)
            expectedSection += line + "\r\n";
        EXPECT_EQ(keptSection(written), expectedSection) << shift;
        const auto again = newMachine();
        const ReadResult reread = ReadVmxText(written, *again, "/vms/test/test.vmx");
        EXPECT_EQ(WriteVmxText(*again, reread.otherParams, reread.valuesAfterRead), written) << shift;
    }
}

TEST(VmxLongFiles, AHundredThousandKeysKeepTheirLaterLineWhateverTheirLetterCase)
{
    std::string text = "displayName = \"Long\"\n";
    Lines expected;
    for (int i = 0; i < 100000; ++i) {
        text += "unknown.key" + std::to_string(i) + " = \"first\"\n";
        // Every tenth key comes again further down in other letters: that later line counts.
        if (i % 10 == 0)
            expected.push_back("UNKNOWN.Key" + std::to_string(i) + " = \"second\"");
        else
            expected.push_back("unknown.key" + std::to_string(i) + " = \"first\"");
    }
    for (int i = 0; i < 100000; i += 10)
        text += "UNKNOWN.Key" + std::to_string(i) + " = \"second\"\n";

    const auto vm = newMachine();
    const ReadResult result = ReadVmxText(text, *vm, "/vms/test/test.vmx");
    Lines sorted = result.otherParams;
    std::sort(sorted.begin(), sorted.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sorted, expected);
    EXPECT_EQ(vm->Options()->GeneralOptions()->DisplayName(), "Long");

    // A kept line added twice after reading is written once, the later one.
    Lines kept = result.otherParams;
    kept.push_back("unknown.key5 = \"third\"");
    const std::string written = WriteVmxText(*vm, kept, result.valuesAfterRead);
    EXPECT_EQ(written.find("unknown.key5 = \"first\""), std::string::npos);
    EXPECT_NE(written.find("unknown.key5 = \"third\"\r\n"), std::string::npos);
    EXPECT_EQ(written.find("Key0 = \"first\""), std::string::npos);
}

TEST(VmxLongFiles, AFileWhoseSizeIsNotKnownBeforehandIsReadWhole)
{
    // A named pipe has no size: the reader grows its buffer until the writer closes it.
    test::TempFolder folder("pipe");
    const fs::path pipe = folder.path() / "piped.vmx";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::string text = "displayName = \"Piped\"\r\n";
    for (int i = 0; text.size() < 300000; ++i)
        text += "piped.key" + std::to_string(i) + " = \"value\"\r\n";
    std::thread writer([&] { test::writeFile(pipe, text); });
    const auto vm = newMachine();
    const ReadResult result = ReadVmxFile(pipe, *vm, ReadOptions{true});
    writer.join();
    ASSERT_TRUE(result.original);
    EXPECT_EQ(result.original->content, text);
    EXPECT_EQ(vm->Options()->GeneralOptions()->DisplayName(), "Piped");
    const auto direct = newMachine();
    EXPECT_EQ(result.otherParams, ReadVmxText(text, *direct, pipe.string()).otherParams);
}

} // namespace
} // namespace zentravolix::vmx
