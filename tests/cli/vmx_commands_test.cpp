// SPDX-License-Identifier: MIT
// The show, rewrite and new commands of the command-line tool, run in-process with captured output.
#include "cli/CliApp.h"
#include "config/ConfigSession.h"
#include "platform/TextTable.h"
#include "support/Corpus.h"
#include "support/Files.h"
#include "support/InProcessTool.h"
#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace zentravolix;

namespace {

using test::readFile;
using test::writeFile;

const fs::path kCosmos =
    zentravolix::test::corpus::InRepository() / "vmx" / "cosmos" / "2008-09-10_Workstation_Cosmos.vmx";

class VmxCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zv-cli-vmx-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    int run(std::vector<std::string> args) { return test::runTool(std::move(args), out, err); }

    /** What the editor would save for this file: opened as the editor opens it, written back. */
    static std::string editorSave(const fs::path& file)
    {
        config::ConfigSession session("/tmp/");
        session.Open(file);
        return session.Text();
    }

    fs::path copyOfCosmos()
    {
        const fs::path copy = folder / "Cosmos.vmx";
        fs::copy_file(kCosmos, copy);
        return copy;
    }

    fs::path folder;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(VmxCommandsTest, ShowListsDevicesInTypeOrderWithTheirSummaries)
{
    ASSERT_EQ(run({"show", kCosmos.string()}), 0) << err.str();
    const std::string text = out.str();
    EXPECT_NE(text.find("Display name: Cosmos\n"), std::string::npos);
    // Made by Workstation 6 (hardware version 6) and without product comment lines.
    EXPECT_NE(text.find("Platform: Workstation\nVersion: 6.0x\n"), std::string::npos);
    const auto cpu = text.find("Virtual Processor");
    const auto serial = text.find("Serial              Using pipe \\\\.\\pipe\\CosmosDebug");
    const auto disk = text.find("Hard Disk (IDE0:0)  Present");
    const auto mouse = text.find("Mouse               Enabled");
    ASSERT_NE(serial, std::string::npos) << text;
    EXPECT_LT(cpu, serial);
    EXPECT_LT(serial, disk);
    EXPECT_LT(disk, mouse);
    EXPECT_NE(text.find("  Guest Isolation  Enabled, Enabled\n"), std::string::npos);
    EXPECT_NE(text.find("  nvram = \"Cosmos.nvram\"\n"), std::string::npos);
}

TEST_F(VmxCommandsTest, ShowJsonIsOneObjectAndSurvivesForeignBytes)
{
    const fs::path file = folder / "latin1.vmx";
    writeFile(file, "displayName = \"Caf\xe9\"\nmemsize = \"lots\"\n");
    ASSERT_EQ(run({"show", file.string(), "--json"}), 0) << err.str();
    const auto doc = nlohmann::json::parse(out.str());
    EXPECT_EQ(doc["platform"]["name"], "Workstation");
    EXPECT_EQ(doc["hardware"][0]["kind"], "CPU");
    EXPECT_EQ(doc["options"].size(), 6u);
    ASSERT_EQ(doc["problems"].size(), 1u);
    EXPECT_EQ(doc["problems"][0]["line"], 2);
    EXPECT_EQ(doc["problems"][0]["code"], "not-a-number");
    EXPECT_EQ(doc["preserved"][0], "memsize = \"lots\"");
    EXPECT_NE(err.str().find("latin1.vmx:2:"), std::string::npos) << err.str();
}

TEST_F(VmxCommandsTest, ShowListsSataAndNvmeDevicesWithTheirBusAndTodaysSettings)
{
    // An ESXi 8 machine: its disk on NVMe, its CD-ROM on SATA, UEFI with secure boot.
    const fs::path file = zentravolix::test::corpus::InRepository() / "vmx" / "libvirt" / "esx-in-the-wild-16.vmx";
    ASSERT_EQ(run({"show", file.string(), "--json"}), 0) << err.str();
    const auto doc = nlohmann::json::parse(out.str());
    std::map<std::string, int> types;
    std::map<std::string, std::string> busOf;
    for (const auto& device : doc["hardware"]) {
        ++types[device["type"].get<std::string>()];
        if (device.contains("attachment"))
            busOf[device["type"].get<std::string>()] = device["attachment"]["bus"];
    }
    EXPECT_EQ(types["sata-controller"], 1);
    EXPECT_EQ(types["nvme-controller"], 1);
    EXPECT_EQ(busOf["hard-disk"], "NVMe");
    EXPECT_EQ(busOf["cd-rom"], "SATA");
    EXPECT_EQ(doc["settings"]["firmware"], "efi");
    EXPECT_EQ(doc["settings"]["secureBoot"], true);
    for (const auto& line : doc["preserved"])
        EXPECT_NE(line.get<std::string>().rfind("nvme0:0.fileName", 0), 0u) << "the disk is the model's";

    out.str({});
    ASSERT_EQ(run({"show", file.string()}), 0) << err.str();
    const std::string text = out.str();
    EXPECT_NE(text.find("Firmware: efi\nSecure boot: on\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Hard Disk (NVMe0:0)"), std::string::npos) << text;
    EXPECT_NE(text.find("SATA Controller"), std::string::npos) << text;
    EXPECT_NE(text.find("NVMe Controller"), std::string::npos) << text;
}

TEST_F(VmxCommandsTest, ShowGivesTheUsbVersionCoresAndGraphicsMemory)
{
    const fs::path file = folder / "today.vmx";
    writeFile(file, "config.version = \"8\"\nvirtualHW.version = \"18\"\nnumvcpus = \"4\"\n"
                    "cpuid.coresPerSocket = \"2\"\nusb.present = \"TRUE\"\nehci.present = \"TRUE\"\n"
                    "usb_xhci.present = \"TRUE\"\nsvga.graphicsMemoryKB = \"8388608\"\n");
    ASSERT_EQ(run({"show", file.string(), "--json"}), 0) << err.str();
    const auto settings = nlohmann::json::parse(out.str())["settings"];
    EXPECT_EQ(settings["usbVersion"], "3.x");
    EXPECT_EQ(settings["coresPerSocket"], 2);
    EXPECT_EQ(settings["graphicsMemoryKB"], 8388608);
    EXPECT_EQ(settings["firmware"], "bios");
    out.str({});
    ASSERT_EQ(run({"show", file.string()}), 0) << err.str();
    EXPECT_NE(out.str().find("USB version: 3.x\nCores per processor: 2\nGraphics memory: 8388608 KB\n"),
              std::string::npos)
        << out.str();
}

TEST_F(VmxCommandsTest, RewriteWritesWhatTheEditorWouldSaveWithoutBackup)
{
    const fs::path file = copyOfCosmos();
    const std::string expected = editorSave(file);
    ASSERT_EQ(run({"rewrite", file.string()}), 0) << err.str();
    EXPECT_EQ(readFile(file), expected);
    EXPECT_FALSE(fs::exists(folder / "Cosmos.vmx.bak"));

    const std::string once = readFile(file);
    ASSERT_EQ(run({"rewrite", file.string(), "--backup"}), 0);
    EXPECT_EQ(readFile(folder / "Cosmos.vmx.bak"), once);
    EXPECT_EQ(readFile(file), once) << "rewriting a rewritten file changes nothing";
}

TEST_F(VmxCommandsTest, FileWithoutDisplayNameKeepsItsFileNameAsTheName)
{
    const fs::path file = folder / "Lab box.vmx";
    writeFile(file, "memsize = \"256\"\n");
    ASSERT_EQ(run({"show", file.string()}), 0) << err.str();
    EXPECT_NE(out.str().find("Display name: Lab box\n"), std::string::npos) << out.str();
    ASSERT_EQ(run({"rewrite", file.string()}), 0) << err.str();
    const std::string written = readFile(file);
    EXPECT_NE(written.find("displayName = \"Lab box\""), std::string::npos) << "never \"New VM\"";
    EXPECT_EQ(written, editorSave(file)) << "read again, the name is the file's own";
}

TEST_F(VmxCommandsTest, RewriteToAnotherNameLeavesTheOriginal)
{
    const fs::path file = copyOfCosmos();
    const std::string original = readFile(file);
    fs::create_directory(folder / "out");
    const fs::path target = folder / "out" / "Renamed.vmx";
    ASSERT_EQ(run({"rewrite", file.string(), "-o", target.string()}), 0) << err.str();
    EXPECT_EQ(readFile(file), original);
    const std::string written = readFile(target);
    EXPECT_EQ(written.rfind(".encoding = \"windows-1252\"\r\n#######################################\r\n"
                            "####### Renamed.vmx\r\n",
                            0),
              0u);
    EXPECT_NE(written.find("ide0:0.fileName = \"hda.vmdk\""), std::string::npos);
}

TEST_F(VmxCommandsTest, RewriteRefusesTooManyPciDevicesWithTheProgramsMessage)
{
    const fs::path file = folder / "pci.vmx";
    std::string text = "sound.present = \"TRUE\"\n";
    for (int i = 0; i < 4; ++i)
        text += "ethernet" + std::to_string(i) + ".present = \"TRUE\"\n";
    writeFile(file, text);
    EXPECT_EQ(run({"rewrite", file.string()}), 2);
    EXPECT_NE(err.str().find("Too many virtual PCI Devices enabled: You currently have 6 virtual PCI devices"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(readFile(file), text);
}

TEST_F(VmxCommandsTest, ReadAndWriteFailuresExitWithOneNamingThePath)
{
    const fs::path missing = folder / "missing.vmx";
    EXPECT_EQ(run({"rewrite", missing.string()}), 1);
    EXPECT_NE(err.str().find(missing.string()), std::string::npos) << err.str();

    const fs::path file = copyOfCosmos();
    writeFile(folder / "plainfile", "x");
    EXPECT_EQ(run({"rewrite", file.string(), "-o", (folder / "plainfile" / "x.vmx").string()}), 1);
    EXPECT_NE(err.str().find("plainfile"), std::string::npos) << err.str();
}

TEST_F(VmxCommandsTest, NewWritesTheNewMachineConfiguration)
{
    ASSERT_EQ(run({"new", "Test", "--dir", folder.string()}), 0) << err.str();
    EXPECT_EQ(readFile(folder / "Test.vmx"), readFile(fs::path(ZV_TEST_DATA_DIR) / "vmx/golden/new-machine.vmx"));
    EXPECT_NE(out.str().find((folder / "Test.vmx").string()), std::string::npos);
    EXPECT_EQ(run({"new", "a/b", "--dir", folder.string()}), 2);
}

TEST_F(VmxCommandsTest, NewRefusesAnExistingFileUnlessForcedAndDefaultsToTheCurrentFolder)
{
    writeFile(folder / "Test.vmx", "displayName = \"mine\"\n");
    EXPECT_EQ(run({"new", "Test", "--dir", folder.string()}), 2);
    EXPECT_NE(err.str().find((folder / "Test.vmx").string() + " exists"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("--force"), std::string::npos) << err.str();
    EXPECT_EQ(readFile(folder / "Test.vmx"), "displayName = \"mine\"\n");
    ASSERT_EQ(run({"new", "Test", "--dir", folder.string(), "--force"}), 0) << err.str();
    EXPECT_EQ(readFile(folder / "Test.vmx"), readFile(fs::path(ZV_TEST_DATA_DIR) / "vmx/golden/new-machine.vmx"));

    const fs::path before = fs::current_path();
    fs::create_directory(folder / "here");
    fs::current_path(folder / "here");
    const int code = run({"new", "Local"});
    fs::current_path(before);
    ASSERT_EQ(code, 0) << err.str();
    EXPECT_TRUE(fs::exists(folder / "here" / "Local.vmx"));
    EXPECT_NE(readFile(folder / "here" / "Local.vmx").find("displayName = \"Local\""), std::string::npos);
}

TEST_F(VmxCommandsTest, BackupIsTheFileAsReadAndOnlyWhenSavingOverIt)
{
    const fs::path file = copyOfCosmos();
    const std::string original = readFile(file);
    fs::create_directory(folder / "out");
    ASSERT_EQ(run({"rewrite", file.string(), "--backup", "-o", (folder / "out" / "Other.vmx").string()}), 0)
        << err.str();
    EXPECT_FALSE(fs::exists(folder / "Cosmos.vmx.bak")) << "the file was not saved over";
    ASSERT_EQ(run({"rewrite", file.string(), "--backup"}), 0) << err.str();
    EXPECT_EQ(readFile(folder / "Cosmos.vmx.bak"), original);
    EXPECT_NE(err.str().find("Backup file created as: " + (folder / "Cosmos.vmx.bak").string()), std::string::npos);
}

TEST_F(VmxCommandsTest, ANodeNumberTooLargeIsCalledTooLarge)
{
    const fs::path file = folder / "nodes.vmx";
    writeFile(file, "scsi0:99999.present = \"TRUE\"\n");
    ASSERT_EQ(run({"show", file.string()}), 0) << err.str();
    EXPECT_NE(err.str().find("nodes.vmx:1: the node number in the key is too large"), std::string::npos) << err.str();
    EXPECT_EQ(err.str().find("not a number"), std::string::npos) << err.str();
}

TEST_F(VmxCommandsTest, SentencesComeFromTheTextTableAndFollowTheToolsLanguage)
{
    // English unless the caller picks another language: the same bytes as ever.
    ASSERT_EQ(run({"new", "Test", "--dir", folder.string()}), 0) << err.str();
    EXPECT_EQ(out.str(), "Written: " + (folder / "Test.vmx").string() + "\n");

    // The same commands through a German lookup.
    std::ostringstream germanOut;
    std::ostringstream germanErr;
    cli::Context german = cli::DefaultContext(germanOut, germanErr);
    german.text = [](int id) { return platform::LoadLocalizedText(id, 500); };
    const auto runGerman = [&](std::vector<std::string> args) {
        args.insert(args.begin(), "zentravolix-cli");
        std::vector<const char*> argv;
        for (const auto& a : args)
            argv.push_back(a.c_str());
        return cli::run(static_cast<int>(argv.size()), argv.data(), german);
    };
    EXPECT_EQ(runGerman({"new", "Test", "--dir", folder.string()}), 2);
    EXPECT_EQ(germanErr.str(), "zentravolix-cli: " + (folder / "Test.vmx").string() +
                                   " existiert; --force angeben, um die Datei zu ersetzen\n");
    EXPECT_EQ(runGerman({"new", "Test", "--dir", folder.string(), "--force"}), 0);
    EXPECT_EQ(germanOut.str(), "Geschrieben: " + (folder / "Test.vmx").string() + "\n");
}

TEST_F(VmxCommandsTest, EveryCommandHasHelp)
{
    for (const char* command : {"show", "rewrite", "new"}) {
        EXPECT_EQ(run({command, "--help"}), 0) << command;
        EXPECT_NE(out.str().find("Usage"), std::string::npos) << command;
    }
    EXPECT_EQ(run({"show"}), 2) << "a missing file argument is a usage error";
}

} // namespace
