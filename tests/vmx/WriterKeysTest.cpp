// SPDX-License-Identifier: MIT
// The writer's lines of a few keys: what the reader records right after reading, for the keys of
// the lines it keeps, without writing every item of the model. They must be exactly the lines
// the whole writer makes for those keys, or a preserved line and a model member would both be
// written (or neither) on the next save.
#include "TestMachine.h"
#include "support/Corpus.h"

#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"
#include "vmx/detail/VmxLines.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace zentravolix::vmx {
namespace {

using detail::WantedKeys;
using detail::VmxLine;
using detail::modelLines;
using test::newMachine;

namespace corpus = ::zentravolix::test::corpus;

/** The key lines of the whole writer whose key is one of these (letter case ignored), in order. */
std::vector<std::pair<std::string, std::string>> fullLinesOf(const tarvonel::VirtualMachine& vm, const WantedKeys& keys)
{
    std::vector<std::pair<std::string, std::string>> lines;
    for (const VmxLine& line : modelLines(vm)) {
        if (!line.key().empty() && keys.contains(line.key()))
            lines.emplace_back(line.key(), line.text);
    }
    return lines;
}

std::vector<std::pair<std::string, std::string>> linesOfKeys(const tarvonel::VirtualMachine& vm, const WantedKeys& keys)
{
    std::vector<std::pair<std::string, std::string>> lines;
    for (const VmxLine& line : modelLines(vm, keys))
        lines.emplace_back(line.key(), line.text);
    return lines;
}

/** Items at index 12 of every numbered collection (so eleven below each), a node disk, a CD-ROM. */
std::string manyItems()
{
    std::string text = "memsize = \"256\"\nsharedFolder.maxNum = \"13\"\n";
    for (const char* family : {"ethernet", "serial", "parallel", "floppy", "sharedFolder"})
        text += std::string(family) + "12.present = \"TRUE\"\n";
    text += "ethernet7.connectionType = \"hostonly\"\nethernet7.addressType = \"static\"\n"
            "ethernet7.address = \"00:50:56:01:02:03\"\n"
            "serial5.fileType = \"pipe\"\nserial5.fileName = \"/tmp/pipe\"\n"
            "parallel3.fileType = \"device\"\nfloppy2.fileName = \"auto detect\"\n"
            "sharedFolder9.hostPath = \"/srv/share\"\nsharedFolder9.guestName = \"share\"\n"
            "sound.present = \"TRUE\"\nusb.present = \"TRUE\"\n"
            "scsi3.present = \"TRUE\"\nscsi3:15.present = \"TRUE\"\nscsi3:15.fileName = \"d.vmdk\"\n"
            "ide1:1.present = \"TRUE\"\nide1:1.deviceType = \"cdrom-raw\"\n";
    return text;
}

// Every key alone, as written and in capitals: items skipped because none of their keys is
// asked for must be exactly the items that write none of those keys.
TEST(WriterLinesOfKeys, EachKeyGivesTheWholeWritersLine)
{
    const auto vm = newMachine();
    ReadVmxText(manyItems(), *vm);
    ASSERT_EQ(vm->Options()->SharedFoldersOptions()->Count(), 13);

    std::size_t keyLines = 0;
    for (const VmxLine& line : modelLines(*vm)) {
        if (line.key().empty())
            continue;
        ++keyLines;
        const std::string upper = [&] {
            std::string text(line.key());
            for (char& c : text)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            return text;
        }();
        for (const std::string& asked : {std::string(line.key()), upper}) {
            const WantedKeys keys{asked};
            EXPECT_EQ(linesOfKeys(*vm, keys), fullLinesOf(*vm, keys)) << asked;
        }
    }
    EXPECT_GT(keyLines, 13u * 7);
}

// All keys at once, and keys the writer does not have (a kept line's, an item beyond the last).
TEST(WriterLinesOfKeys, ManyKeysAndUnknownKeys)
{
    const auto vm = newMachine();
    ReadVmxText(manyItems(), *vm);
    WantedKeys all;
    const auto full = modelLines(*vm);
    for (const VmxLine& line : full) {
        if (!line.key().empty())
            all.insert(line.key());
    }
    EXPECT_EQ(linesOfKeys(*vm, all), fullLinesOf(*vm, all));

    const WantedKeys strangers{"ethernet13.present", "sharedfolder13.hostpath", "pcibridge0.present", "sharedfolder"};
    EXPECT_TRUE(modelLines(*vm, strangers).empty());
    EXPECT_TRUE(modelLines(*vm, WantedKeys{}).empty());
}

// What the reader records for the kept lines of every real file, and of a file with hundreds of
// shares and adapters, equals what the whole writer makes for their keys.
TEST(WriterLinesOfKeys, RecordedAfterReadingAsTheWholeWriterWritesThem)
{
    std::vector<std::pair<std::string, std::string>> texts;
    for (const auto& file : corpus::Files("vmx", ".vmx")) {
        if (!file.external) // the files of the repository
            texts.emplace_back(file.relative, test::readFile(file.path));
    }
    texts.emplace_back("hundreds of items", "sharedFolder399.present = \"TRUE\"\nsharedFolder399.unknown = \"1\"\n"
                                             "ethernet300.pciSlotNumber = \"33\"\nethernet300.present = \"TRUE\"\n"
                                             "SHAREDFOLDER5.HOSTPATH = \"/srv\"\nsharedFolder5.hostPath = \"/srv\"\n"
                                             "serial200.present = \"TRUE\"\nserial200.fileType = \"weird\"\n");
    ASSERT_GT(texts.size(), 10u);

    std::size_t recorded = 0;
    for (const auto& [name, text] : texts) {
        const auto vm = newMachine();
        const ReadResult result = ReadVmxText(text, *vm);
        WantedKeys keptKeys;
        for (const auto& line : result.otherParams) {
            if (const std::string_view key = RawLineKey(line); !key.empty())
                keptKeys.insert(key);
        }
        const auto expected = fullLinesOf(*vm, keptKeys);
        EXPECT_EQ(result.valuesAfterRead.size(), expected.size()) << name;
        for (const auto& [key, line] : expected)
            EXPECT_TRUE(result.valuesAfterRead.unchanged(key, line)) << name << ": " << line;
        recorded += expected.size();
    }
    EXPECT_GT(recorded, 0u);
}

} // namespace
} // namespace zentravolix::vmx
