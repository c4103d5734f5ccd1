// SPDX-License-Identifier: MIT
// Saving to disk: folders, atomic replacement and failures that must leave the old file intact.
#include "TestMachine.h"

#include "platform/AtomicFile.h"
#include "platform/IoError.h"
#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

namespace zentravolix::vmx {
namespace {

namespace fs = std::filesystem;
using test::newMachine;

std::size_t entriesIn(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(VmxSave, WritesTheTextToFolderAndFileNameCreatingOneFolderLevel)
{
    test::TempFolder root("save");
    const auto vm = newMachine("Saved", root.modelPath() + "machine/");
    const SavedFile saved = SaveVmxFile(*vm);
    EXPECT_EQ(saved.path, root.path() / "machine" / "Saved.vmx");
    EXPECT_EQ(test::readFile(saved.path), WriteVmxText(*vm));
    EXPECT_EQ(saved.text, WriteVmxText(*vm));
}

TEST(VmxSave, MissingParentFolderFailsNamingTheFolder)
{
    test::TempFolder root("save-parent");
    const std::string folder = root.modelPath() + "a/b/";
    const auto vm = newMachine("Saved", folder);
    try {
        SaveVmxFile(*vm);
        FAIL() << "two missing levels were created";
    } catch (const platform::IoError& e) {
        EXPECT_NE(std::string(e.what()).find(root.path().string() + "/a/b"), std::string::npos) << e.what();
    }
    EXPECT_EQ(entriesIn(root.path()), 0u);
}

TEST(VmxSave, FolderThatIsReallyAFileFails)
{
    test::TempFolder root("save-file");
    test::writeFile(root.path() / "machine", "not a folder");
    const auto vm = newMachine("Saved", root.modelPath() + "machine/");
    EXPECT_THROW(SaveVmxFile(*vm), platform::IoError);
    EXPECT_EQ(test::readFile(root.path() / "machine"), "not a folder");
}

TEST(VmxSave, WorkingAndLogFoldersAreCreatedInTheMachineFolder)
{
    test::TempFolder root("save-folders");
    const auto vm = newMachine("Saved", root.modelPath());
    vm->Options()->GeneralOptions()->SetWorkingPath("work/");
    vm->Options()->AdvancedOptions()->SetLogFolder((root.path() / "logs").string());
    SaveVmxFile(*vm);
    EXPECT_TRUE(fs::is_directory(root.path() / "work"));
    EXPECT_TRUE(fs::is_directory(root.path() / "logs"));

    // "." and the empty working folder of files from other programs name no folder.
    for (const char* none : {".", ""}) {
        test::TempFolder other("save-none");
        const auto plain = newMachine("Plain", other.modelPath());
        plain->Options()->GeneralOptions()->SetWorkingPath(none);
        SaveVmxFile(*plain);
        EXPECT_EQ(entriesIn(other.path()), 1u) << "'" << none << "'";
    }
}

struct SaveFailure {
    const char* name;
    platform::WriteHooks hooks;
};

void PrintTo(const SaveFailure& failure, std::ostream* out)
{
    *out << failure.name;
}

class VmxFailedSave : public ::testing::TestWithParam<SaveFailure> {};

TEST_P(VmxFailedSave, LeavesTheOldFileByteIdentical)
{
    test::TempFolder root("save-fail");
    const fs::path path = root.path() / "Saved.vmx";
    const std::string old = "displayName = \"old\"\r\nnvram = \"old.nvram\"\r\n";
    test::writeFile(path, old);

    const auto vm = newMachine("Saved", root.modelPath());
    const ReadResult result = ReadVmxFile(path, *vm);
    vm->Options()->GeneralOptions()->SetDisplayName("new");
    {
        platform::ScopedWriteFailureForTesting failure(GetParam().hooks);
        try {
            SaveVmxFile(*vm, result.otherParams, result.valuesAfterRead);
            FAIL() << "the injected failure was not reported";
        } catch (const platform::IoError& e) {
            EXPECT_NE(std::string(e.what()).find("Saved.vmx"), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(test::readFile(path), old);
    EXPECT_EQ(entriesIn(root.path()), 1u) << "a temporary file was left behind";

    SaveVmxFile(*vm, result.otherParams, result.valuesAfterRead);
    EXPECT_NE(test::readFile(path).find("displayName = \"new\""), std::string::npos);
}

platform::WriteHooks failAfter(std::size_t bytes)
{
    platform::WriteHooks hooks;
    hooks.failAfterBytes = bytes;
    return hooks;
}

platform::WriteHooks failRename()
{
    platform::WriteHooks hooks;
    hooks.failRename = true;
    return hooks;
}

INSTANTIATE_TEST_SUITE_P(Injected, VmxFailedSave,
                         ::testing::Values(SaveFailure{"NothingWritten", failAfter(0)},
                                           SaveFailure{"After100Bytes", failAfter(100)},
                                           SaveFailure{"Rename", failRename()}),
                         [](const ::testing::TestParamInfo<SaveFailure>& info) { return std::string(info.param.name); });

TEST(VmxSave, ReadAndSavedTwiceGivesTheSameFile)
{
    test::TempFolder root("save-twice");
    const fs::path path = root.path() / "m.vmx";
    test::writeFile(path, "displayName = \"M\"\nethernet0.virtualDev = \"vmxnet3\"\n# mine\n");
    const auto vm = newMachine();
    const ReadResult result = ReadVmxFile(path, *vm);
    const std::string first = SaveVmxFile(*vm, result.otherParams, result.valuesAfterRead).text;
    const std::string second = SaveVmxFile(*vm, result.otherParams, result.valuesAfterRead).text;
    EXPECT_EQ(first, second);
    EXPECT_EQ(test::readFile(path), second);
}

} // namespace
} // namespace zentravolix::vmx
