// SPDX-License-Identifier: MIT
// The configuration parameters: which keys the table takes, where the editor's own keys live,
// and how a parameter's line is made and read back.
#include "config/ParameterRules.h"

#include "vmx/VmxReader.h"
#include "vmx/VmxSyntax.h"
#include "vmx/VmxWriter.h"
#include "vmx/detail/KeyNames.h"
#include "vmx/detail/OptionKeys.h"

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

#include <sstream>

using namespace zentravolix;
using config::KeyHome;
using config::ParameterKeyProblem;
using tarvonel::VirtualHardwareType;

namespace {

TEST(ParameterRulesTest, KeysFollowTheFileSyntaxAndLeaveTheEditorsKeysToTheirPages)
{
    const std::vector<std::string> lines{"guestinfo.hostname = \"web1\"", "# a comment = kept", "uuid.bios = \"56 4d\""};
    const struct {
        const char* key;
        ParameterKeyProblem problem;
    } cases[] = {
        {"", ParameterKeyProblem::Empty},
        {"guestinfo.a\nb", ParameterKeyProblem::LineBreak},
        {"guestinfo.a\r", ParameterKeyProblem::LineBreak},
        {"guestinfo a", ParameterKeyProblem::Blank},
        {"guestinfo.a\t", ParameterKeyProblem::Blank},
        {" guestinfo.a", ParameterKeyProblem::Blank},
        {"a=b", ParameterKeyProblem::EqualsSign},
        {"#hidden", ParameterKeyProblem::CommentSign},
        {"memsize", ParameterKeyProblem::KnownKey},
        {"MEMSIZE", ParameterKeyProblem::KnownKey},
        {"ethernet0.virtualDev", ParameterKeyProblem::KnownKey},
        {"scsi0:3.fileName", ParameterKeyProblem::KnownKey},
        {"gui.powerOnAtStartup", ParameterKeyProblem::KnownKey},
        {"sharedFolder2.hostPath", ParameterKeyProblem::KnownKey},
        {"GuestInfo.HostName", ParameterKeyProblem::AlreadyListed},
        {"ethernet0.pciSlotNumber", ParameterKeyProblem::None},
        {"ethernet.virtualDev", ParameterKeyProblem::None},
        {"scsi0.sharedBus", ParameterKeyProblem::None},
        {"memsize.extra", ParameterKeyProblem::None},
        {"guestinfo.a#b", ParameterKeyProblem::None},
        {"sched.mem.pshare.enable", ParameterKeyProblem::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(config::CheckParameterKey(c.key, lines), c.problem) << '"' << c.key << '"';
    // A key keeps its own line's key when that line is the one being edited.
    EXPECT_EQ(config::CheckParameterKey("guestinfo.HOSTNAME", lines, 0), ParameterKeyProblem::None);
    EXPECT_EQ(config::CheckParameterKey("uuid.bios", lines, 0), ParameterKeyProblem::AlreadyListed);
}

TEST(ParameterRulesTest, EveryKeyTheReaderTakesHasAPageAndNoOtherKeyHasOne)
{
    for (const auto& option : vmx::detail::optionKeys()) {
        const auto home = config::KeyHomeOf(option.name);
        ASSERT_TRUE(home) << option.name;
        EXPECT_EQ(home->place, KeyHome::Place::Options) << option.name;
    }
    const struct {
        const char* key;
        KeyHome::Place place;
        int page;
        std::vector<VirtualHardwareType> devices;
    } cases[] = {
        {"displayName", KeyHome::Place::Options, 0, {}},
        {"virtualHW.version", KeyHome::Place::Options, 0, {}},
        {"powerType.reset", KeyHome::Place::Options, 1, {}},
        {"isolation.tools.hgfs.disable", KeyHome::Place::Options, 2, {}},
        {"sharedFolder0.guestName", KeyHome::Place::Options, 2, {}},
        {"snapshot.disabled", KeyHome::Place::Options, 3, {}},
        {"isolation.tools.copy.disable", KeyHome::Place::Options, 4, {}},
        {"diskLib.dataCachePageSize", KeyHome::Place::Options, 5, {}},
        {"annotation", KeyHome::Place::Notes, 0, {}},
        {"memsize", KeyHome::Place::Hardware, 0, {VirtualHardwareType::RAM}},
        {"numvcpus", KeyHome::Place::Hardware, 0, {VirtualHardwareType::CPU}},
        {"sound.virtualDev", KeyHome::Place::Hardware, 0, {VirtualHardwareType::Audio}},
        {"svga.vramSize", KeyHome::Place::Hardware, 0, {VirtualHardwareType::Display}},
        {"ethernet3.address", KeyHome::Place::Hardware, 0, {VirtualHardwareType::Network}},
        {"serial1.fileType", KeyHome::Place::Hardware, 0, {VirtualHardwareType::Serial}},
        {"ide1:0.deviceType", KeyHome::Place::Hardware, 0,
         {VirtualHardwareType::HardDrive, VirtualHardwareType::CDRomDrive}},
        {"scsi1.virtualDev", KeyHome::Place::Hardware, 0, {VirtualHardwareType::SCSIController}},
    };
    for (const auto& c : cases) {
        const auto home = config::KeyHomeOf(c.key);
        ASSERT_TRUE(home) << c.key;
        EXPECT_EQ(home->place, c.place) << c.key;
        if (c.place == KeyHome::Place::Options) {
            EXPECT_EQ(home->optionsPage, c.page) << c.key;
        }
        EXPECT_EQ(home->devices, c.devices) << c.key;
    }
    for (const char* kept : {"uuid.bios", "ethernet0.pciSlotNumber", "scsi0:0.redo", "sata0.pciSlotNumber", "sound.pciSlotNumber"})
        EXPECT_FALSE(config::KeyHomeOf(kept)) << kept;
}

TEST(ParameterRulesTest, KeysTheWriterWritesItselfAreNotAcceptedAsParameters)
{
    // A parameter with a key the writer writes from the model would lose against the model's line
    // and vanish at the save: every key of a full machine's file must be refused.
    tarvonel::VirtualMachine vm;
    const auto hw = vm.Hardware();
    hw->Memory()->Add()->SetMBs(512);
    hw->CPUs()->Add();
    hw->NetworkAdapters()->Add();
    hw->Floppies()->Add();
    hw->SerialPorts()->Add();
    hw->ParallelPorts()->Add();
    hw->AudioDevices()->Add();
    hw->USBControllers()->Add();
    hw->Displays()->Add();
    hw->Mice()->Add();
    hw->IDEControllers()->Add();
    hw->SCSIControllers()->Add();
    vm.Options()->SharedFoldersOptions()->Add();
    vm.SetNotes("note");
    const std::string text = vmx::WriteVmxText(vm);
    std::istringstream lines(text);
    std::string line;
    int keys = 0;
    while (std::getline(lines, line)) {
        const std::string_view key = vmx::RawLineKey(line);
        if (key.empty())
            continue;
        ++keys;
        EXPECT_EQ(config::CheckParameterKey(key, {}), ParameterKeyProblem::KnownKey) << line;
    }
    EXPECT_GT(keys, 40);
}

TEST(ParameterRulesTest, ValuesAreWrittenEscapedAndReadBackAsTyped)
{
    const std::string value = "say \"hi\" | 50% \x01 caf\xc3\xa9  ";
    const std::string line = config::MakeParameterLine("guestinfo.note", value);
    EXPECT_EQ(line, "guestinfo.note = \"say |22hi|22 |7C 50% |01 caf\xc3\xa9  \"");
    const auto row = config::DescribeParameterLine(line);
    EXPECT_EQ(row.key, "guestinfo.note");
    EXPECT_EQ(row.value, value);
    EXPECT_TRUE(row.editable);

    tarvonel::VirtualMachine vm;
    const auto read = vmx::ReadVmxText(line + "\n", vm);
    ASSERT_EQ(read.otherParams.size(), 1u);
    EXPECT_EQ(read.otherParams[0], line);

    const auto comment = config::DescribeParameterLine("# kept comment");
    EXPECT_TRUE(comment.key.empty());
    EXPECT_EQ(comment.value, "# kept comment");
    EXPECT_FALSE(comment.editable);
    // A line of the editor's own key that the reader could not use stays, but only its page changes it.
    EXPECT_FALSE(config::DescribeParameterLine("memsize = \"lots\"").editable);
}

TEST(ParameterRulesTest, NewParametersGoAfterTheKeyLinesBeforeTheKeptComments)
{
    EXPECT_EQ(config::NewParameterPosition({}), 0u);
    EXPECT_EQ(config::NewParameterPosition({"# only a comment"}), 0u);
    EXPECT_EQ(config::NewParameterPosition({"a = \"1\"", "b = \"2\"", "# c", "stray text"}), 2u);
}

} // namespace
