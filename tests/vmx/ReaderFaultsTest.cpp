// SPDX-License-Identifier: MIT
// Faulty files: lines the reader cannot apply are kept and reported, whole files are refused,
// and a preserved line never makes the writer write its key twice.
#include "TestMachine.h"

#include "platform/IoError.h"
#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace zentravolix::vmx {
namespace {

using test::newMachine;
namespace fs = std::filesystem;

struct ExpectedProblem {
    std::int32_t line;
    ProblemCode code;
};

struct FaultCase {
    const char* file;
    std::vector<ExpectedProblem> problems;
    /** Checks of the model after reading. */
    void (*check)(const tarvonel::VirtualMachine&);
};

void PrintTo(const FaultCase& c, std::ostream* os)
{
    *os << c.file;
}

class VmxFaultyFiles : public ::testing::TestWithParam<FaultCase> {};

TEST_P(VmxFaultyFiles, LinesAreKeptAndReportedWithTheirNumbers)
{
    const FaultCase& fault = GetParam();
    const auto vm = newMachine();
    const fs::path path = fs::path(ZV_TEST_DATA_DIR) / "vmx" / fault.file;
    const ReadResult result = ReadVmxFile(path, *vm);
    const auto lines = test::linesOf(test::readFile(path));

    ASSERT_EQ(result.problems.size(), fault.problems.size());
    for (std::size_t i = 0; i < fault.problems.size(); ++i) {
        const ReadProblem& problem = result.problems[i];
        EXPECT_EQ(problem.line, fault.problems[i].line);
        EXPECT_EQ(problem.code, fault.problems[i].code) << problem.text;
        EXPECT_EQ(problem.text, lines.at(static_cast<std::size_t>(problem.line - 1)));
        EXPECT_EQ(problem.key, problem.text.substr(0, problem.text.find(" = ")));
        EXPECT_NE(std::find(result.otherParams.begin(), result.otherParams.end(), problem.text),
                  result.otherParams.end())
            << "reported line was not kept: " << problem.text;
    }
    fault.check(*vm);
    // Whatever was kept, the file can be written and read back to the same text.
    const std::string first = WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    const auto again = newMachine();
    const ReadResult reread = ReadVmxText(first, *again, path.string());
    EXPECT_EQ(WriteVmxText(*again, reread.otherParams, reread.valuesAfterRead), first);
}

const FaultCase kFaults[] = {
    {"malformed-numbers.vmx",
     {{2, ProblemCode::NotANumber},
      {3, ProblemCode::NotANumber},
      {4, ProblemCode::NotANumber},
      {5, ProblemCode::NotANumber},
      {6, ProblemCode::NotANumber},
      {7, ProblemCode::NumberOutOfRange},
      {8, ProblemCode::NotANumber},
      {9, ProblemCode::NotANumber},
      {10, ProblemCode::NotANumber},
      {11, ProblemCode::NumberOutOfRange}},
     [](const tarvonel::VirtualMachine& vm) {
         EXPECT_EQ(vm.Options()->GeneralOptions()->DisplayName(), "numbers");
         EXPECT_EQ(vm.Hardware()->Memory()->Item(1)->MBs(), 128);
         EXPECT_EQ(vm.Hardware()->CPUs()->Count(), 1);
         EXPECT_EQ(vm.Hardware()->Displays()->Item(1)->ScreenWidth(), 1024);
         EXPECT_EQ(vm.Options()->GeneralOptions()->ConfigVersion(), 8);
     }},
    {"bad-indexes.vmx",
     {{1, ProblemCode::BadIndex},
      {2, ProblemCode::BadIndex},
      {3, ProblemCode::BadIndex},
      {4, ProblemCode::BadIndex},
      {5, ProblemCode::BadIndex},
      {6, ProblemCode::BadIndex}}, // "identity" is read as an IDE controller prefix
     [](const tarvonel::VirtualMachine& vm) {
         EXPECT_EQ(vm.Hardware()->NetworkAdapters()->Count(), 0);
         EXPECT_EQ(vm.Hardware()->SCSIControllers()->Count(), 1);
         EXPECT_EQ(vm.Hardware()->Floppies()->Count(), 1);
         EXPECT_EQ(vm.Options()->SharedFoldersOptions()->Count(), 0);
     }},
    {"huge-counts.vmx",
     {{1, ProblemCode::TooManyItems},
      {2, ProblemCode::TooManyItems},
      {3, ProblemCode::TooManyItems},
      {4, ProblemCode::TooManyItems},
      {5, ProblemCode::TooManyItems}},
     [](const tarvonel::VirtualMachine& vm) {
         EXPECT_EQ(vm.Hardware()->CPUs()->Count(), 1);
         EXPECT_EQ(vm.Hardware()->NetworkAdapters()->Count(), 0);
         EXPECT_EQ(vm.Hardware()->SCSIControllers()->Count(), 1);
         EXPECT_EQ(vm.Hardware()->SerialPorts()->Count(), 0);
         EXPECT_EQ(vm.Options()->SharedFoldersOptions()->Count(), MaxItemsPerCollection) << "the last index allowed";
     }},
    {"foreign-nodes.vmx",
     {{1, ProblemCode::NodeOutOfRange}},
     [](const tarvonel::VirtualMachine& vm) {
         EXPECT_EQ(vm.Hardware()->HardDisks()->Count(), 0);
         EXPECT_EQ(vm.Hardware()->CDRoms()->Count(), 0);
     }},
};

INSTANTIATE_TEST_SUITE_P(Fixtures, VmxFaultyFiles, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                             std::string name = fs::path(info.param.file).stem().string();
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(VmxFaultyNodes, LinesOfNodesWithoutADeviceAreKeptButFreeNodesAreNot)
{
    const auto vm = newMachine();
    const auto result = ReadVmxFile(fs::path(ZV_TEST_DATA_DIR) / "vmx" / "foreign-nodes.vmx", *vm);
    EXPECT_EQ(result.otherParams,
              (std::vector<std::string>{"scsi0:16.present = \"TRUE\"", "scsi0:16.fileName = \"big.vmdk\"",
                                        "scsi0:16.deviceType = \"scsi-hardDisk\"", "ide0:0.present = \"TRUE\"",
                                        "ide0:0.fileName = \"old.dsk\"", "ide1:0.deviceType = \"nvme-thing\"",
                                        "ide1:0.present = \"TRUE\""}));
    // The preserved "present TRUE" of a node stands in for the writer's "present FALSE".
    const std::string text = WriteVmxText(*vm, result.otherParams, result.valuesAfterRead);
    const auto keys = test::keysOf(text);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "ide0:0.present"), 1);
    EXPECT_EQ(text.find("ide0:0.present = \"FALSE\""), std::string::npos);
}

TEST(VmxFaultyValues, ModelRefusalsAreReportedNotThrown)
{
    tarvonel::VirtualMachine bare; // no guest table selected yet, so a guest name cannot be placed
    const auto result = ReadVmxText("guestOS = \"winXPPro\"\n", bare);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].code, ProblemCode::ValueRejected);
    EXPECT_EQ(result.otherParams, std::vector<std::string>{"guestOS = \"winXPPro\""});
}

TEST(VmxRefusedFiles, NulBytesOrOversizeRefuseTheWholeFileAndChangeNothing)
{
    const auto vm = newMachine();
    const std::string before = WriteVmxText(*vm);
    const std::string binary("displayName = \"x\"\n\0\x01", 21);
    try {
        ReadVmxText(binary, *vm, "/vms/bin.vmx");
        FAIL() << "binary text accepted";
    } catch (const VmxFileError& e) {
        EXPECT_EQ(e.reason(), VmxFileError::Reason::NotText);
        EXPECT_NE(std::string(e.what()).find("/vms/bin.vmx"), std::string::npos);
    }
    const std::string huge(MaxVmxFileSize + 1, 'x');
    EXPECT_THROW(ReadVmxText(huge, *vm, "/vms/huge.vmx"), VmxFileError);
    EXPECT_EQ(WriteVmxText(*vm), before);
}

TEST(VmxRefusedFiles, MissingFolderAndOversizeFilesNameThePath)
{
    test::TempFolder folder("refused");
    const auto vm = newMachine();
    const fs::path missing = folder.path() / "missing.vmx";
    try {
        ReadVmxFile(missing, *vm);
        FAIL();
    } catch (const VmxFileError& e) {
        EXPECT_EQ(e.reason(), VmxFileError::Reason::CannotOpen);
        EXPECT_EQ(e.path(), missing);
        EXPECT_NE(std::string(e.what()).find(missing.string()), std::string::npos);
    }
    try {
        ReadVmxFile(folder.path(), *vm);
        FAIL();
    } catch (const VmxFileError& e) {
        EXPECT_EQ(e.reason(), VmxFileError::Reason::CannotOpen);
    }
    const fs::path sparse = folder.path() / "sparse.vmx";
    test::writeFile(sparse, "x");
    fs::resize_file(sparse, MaxVmxFileSize + 1);
    try {
        ReadVmxFile(sparse, *vm);
        FAIL();
    } catch (const VmxFileError& e) {
        EXPECT_EQ(e.reason(), VmxFileError::Reason::TooLarge);
    }
    EXPECT_EQ(vm->Options()->GeneralOptions()->VmxFileName(), "Test.vmx");
}

class VmxKeysWrittenOnce : public ::testing::Test {
protected:
    void readText(const std::string& text)
    {
        m_vm = newMachine();
        m_result = ReadVmxText(text, *m_vm, "/vms/test/test.vmx");
    }
    std::string write() const { return WriteVmxText(*m_vm, m_result.otherParams, m_result.valuesAfterRead); }
    static long count(const std::string& text, const std::string& key)
    {
        const auto keys = test::keysOf(text);
        return std::count(keys.begin(), keys.end(), key);
    }

    std::shared_ptr<tarvonel::VirtualMachine> m_vm;
    ReadResult m_result;
};

TEST_F(VmxKeysWrittenOnce, AnUnderstoodKeyWithAForeignValueKeepsThatValueUntilTheMemberChanges)
{
    readText("ethernet0.present = \"TRUE\"\nethernet0.virtualDev = \"vmxnet3\"\n"
             "scsi0.virtualDev = \"lsisas1068\"\npowerType.reset = \"default\"\nethernet0.VNET = \"/dev/vmnet1\"\n");
    std::string text = write();
    for (const char* key : {"ethernet0.virtualdev", "scsi0.virtualdev", "powertype.reset", "ethernet0.vnet"})
        EXPECT_EQ(count(text, key), 1) << key;
    EXPECT_NE(text.find("ethernet0.virtualDev = \"vmxnet3\""), std::string::npos);
    EXPECT_NE(text.find("scsi0.virtualDev = \"lsisas1068\""), std::string::npos);
    EXPECT_NE(text.find("ethernet0.VNET = \"/dev/vmnet1\""), std::string::npos);
    EXPECT_EQ(write(), text) << "saving twice gives the same file";

    m_vm->Hardware()->NetworkAdapters()->Item(1)->SetDeviceType(2);
    m_vm->Options()->PowerOptions()->SetResetButtonAction(1);
    text = write();
    EXPECT_EQ(count(text, "ethernet0.virtualdev"), 1);
    EXPECT_NE(text.find("ethernet0.virtualDev = \"e1000\""), std::string::npos);
    EXPECT_EQ(text.find("vmxnet3"), std::string::npos);
    EXPECT_NE(text.find("powerType.reset = \"soft\""), std::string::npos);
    EXPECT_NE(text.find("scsi0.virtualDev = \"lsisas1068\""), std::string::npos) << "unchanged member";
}

TEST_F(VmxKeysWrittenOnce, KeysDifferingOnlyInLetterCaseCountAsOne)
{
    readText("SOUND.PRESENT = \"maybe\"\nsound.startConnected = \"TRUE\"\n");
    const std::string text = write();
    EXPECT_EQ(count(text, "sound.present"), 1);
    EXPECT_NE(text.find("SOUND.PRESENT = \"maybe\""), std::string::npos);
}

TEST_F(VmxKeysWrittenOnce, AQuotedDisplayNameSurvivesASaveAndReload)
{
    readText("displayName = \"say |22hi|22\"\n");
    EXPECT_EQ(m_vm->Options()->GeneralOptions()->DisplayName(), "say \"hi\"");
    const std::string text = write();
    readText(text);
    EXPECT_EQ(m_vm->Options()->GeneralOptions()->DisplayName(), "say \"hi\"");
    EXPECT_EQ(write(), text);
}

} // namespace
} // namespace zentravolix::vmx
