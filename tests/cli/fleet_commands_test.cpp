// SPDX-License-Identifier: MIT
// The commands for many configurations (check, get, set, diff) and show's JSON, run in-process with
// captured output; the JSON of every corpus file is held to the schema kept beside this test.
#include "JsonSchema.h"
#include "cli/CliApp.h"
#include "support/Corpus.h"
#include "support/Files.h"
#include "support/InProcessTool.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace zentravolix;

namespace {

using test::readFile;
using test::writeFile;

const std::string kMachine = "config.version = \"8\"\n"
                             "virtualHW.version = \"4\"\n"
                             "memsize = \"256\"\n"
                             "scsi0.present = \"TRUE\"\n"
                             "scsi0.virtualDev = \"lsilogic\"\n"
                             "scsi0:0.present = \"TRUE\"\n"
                             "scsi0:0.fileName = \"d.vmdk\"\n"
                             "ethernet0.present = \"TRUE\"\n"
                             "ethernet0.addressType = \"static\"\n"
                             "ethernet0.address = \"00:50:56:01:02:03\"\n";

std::string descriptor(const std::string& adapter)
{
    return "# Disk DescriptorFile\nversion=1\nCID=fffffffe\nparentCID=ffffffff\ncreateType=\"twoGbMaxExtentFlat\"\n\n"
           "# Extent description\nRW 2048 FLAT \"d-f001.vmdk\" 0\nRW 2048 FLAT \"d-f002.vmdk\" 0\n\n#DDB\n"
           "ddb.virtualHWVersion = \"4\"\nddb.geometry.cylinders = \"4\"\nddb.geometry.heads = \"16\"\n"
           "ddb.geometry.sectors = \"63\"\nddb.adapterType = \"" + adapter + "\"\n";
}

class FleetCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zv-cli-fleet-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }
    void TearDown() override { fs::remove_all(folder); }

    int run(std::vector<std::string> args) { return test::runTool(std::move(args), out, err); }

    /** Runs with `input` as standard input. */
    int runWithInput(std::vector<std::string> args, const std::string& input)
    {
        out.str({});
        err.str({});
        std::istringstream in(input);
        cli::Context context = cli::DefaultContext(out, err);
        context.in = &in;
        args.insert(args.begin(), "zentravolix-cli");
        std::vector<const char*> argv;
        for (const auto& a : args)
            argv.push_back(a.c_str());
        return cli::run(static_cast<int>(argv.size()), argv.data(), context);
    }

    /** A machine folder: vm.vmx with a SCSI disk of two flat extents of 2048 sectors each. */
    fs::path machine(const std::string& name = "vm", const std::string& text = kMachine)
    {
        const fs::path dir = folder / name;
        fs::create_directories(dir);
        writeFile(dir / "vm.vmx", text);
        writeFile(dir / "d.vmdk", descriptor("lsilogic"));
        for (const char* extent : {"d-f001.vmdk", "d-f002.vmdk"}) {
            writeFile(dir / extent, "");
            fs::resize_file(dir / extent, 2048 * 512);
        }
        return dir / "vm.vmx";
    }

    fs::path folder;
    std::ostringstream out;
    std::ostringstream err;
};

// ---- check ---------------------------------------------------------------------------------

TEST_F(FleetCommandsTest, CheckOfACompleteMachineFindsNothing)
{
    const fs::path vm = machine();
    EXPECT_EQ(run({"check", vm.string()}), 0) << out.str() << err.str();
    EXPECT_EQ(out.str(), "");
}

TEST_F(FleetCommandsTest, CheckFindsMissingAndShortExtentsAndTheWrongAdapter)
{
    const fs::path vm = machine();
    fs::remove(vm.parent_path() / "d-f002.vmdk");
    EXPECT_EQ(run({"check", vm.string()}), 1);
    EXPECT_EQ(out.str(), vm.string() + ":7: error: The extent d-f002.vmdk of the disk d.vmdk does not exist\n");

    fs::resize_file(vm.parent_path() / "d-f001.vmdk", 1000);
    writeFile(vm.parent_path() / "d-f002.vmdk", "");
    fs::resize_file(vm.parent_path() / "d-f002.vmdk", 2048 * 512);
    writeFile(vm.parent_path() / "d.vmdk", descriptor("ide"));
    EXPECT_EQ(run({"check", vm.string()}), 1);
    EXPECT_NE(out.str().find(":7: error: The disk d.vmdk is made for the ide adapter, but Hard Disk (SCSI0:0) is on "
                             "the SCSI bus\n"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("d-f001.vmdk of the disk d.vmdk holds 1000 bytes; the descriptor declares 2048 sectors"),
              std::string::npos)
        << out.str();

    fs::remove(vm.parent_path() / "d.vmdk");
    EXPECT_EQ(run({"check", vm.string()}), 1);
    EXPECT_EQ(out.str(), vm.string() + ":7: error: The disk d.vmdk of Hard Disk (SCSI0:0) does not exist\n");
}

TEST_F(FleetCommandsTest, CheckAppliesTheProductLimitsAndMacRulesAsJson)
{
    std::string text = kMachine;
    text += "numvcpus = \"16\"\nmemsize = \"60000\"\nethernet1.present = \"TRUE\"\n"
            "ethernet1.addressType = \"static\"\nethernet1.address = \"00:11:22:33:44:55\"\n";
    const fs::path vm = machine("vm", text);
    ASSERT_EQ(run({"check", "--json", vm.string()}), 1);
    const auto doc = nlohmann::json::parse(out.str());
    std::map<std::string, std::string> byCode;
    for (const auto& f : doc["files"][0]["findings"])
        byCode[f["code"]] = f["message"];
    EXPECT_EQ(byCode["cpu-limit"], "16 virtual processors; the product version allows at most 2");
    EXPECT_EQ(byCode["memory-limit"].rfind("RAM size out of valid range for Selected Product/Version: 60000 MB", 0), 0u)
        << byCode["memory-limit"];
    EXPECT_EQ(byCode["mac-static-range"], "The static MAC address range is 00:50:56:00:00:00-00:50:56:3F:FF:FF");
    EXPECT_GE(doc["errors"].get<int>(), 3);
}

TEST_F(FleetCommandsTest, AnAddressVCenterAssignedIsCheckedAgainstVCentersRangeAndShownAsVpx)
{
    std::string text = kMachine;
    text += "ethernet1.present = \"TRUE\"\nethernet1.addressType = \"vpx\"\n"
            "ethernet1.generatedAddress = \"00:50:56:be:00:15\"\n";
    const fs::path inRange = machine("in", text);
    ASSERT_EQ(run({"check", "--json", inRange.string()}), 0) << out.str();
    EXPECT_EQ(nlohmann::json::parse(out.str())["files"][0]["findings"].size(), 0u) << out.str();
    ASSERT_EQ(run({"show", "--json", inRange.string()}), 0);
    const auto shown = nlohmann::json::parse(out.str());
    std::vector<std::string> types;
    for (const auto& d : shown["hardware"]) {
        if (d["type"] == "network")
            types.push_back(d["macAddressType"]);
    }
    EXPECT_EQ(types, (std::vector<std::string>{"static", "vpx"}));

    text.replace(text.find("00:50:56:be"), 11, "00:50:56:3e");
    const fs::path outside = machine("out", text);
    run({"check", "--json", outside.string()});
    const auto doc = nlohmann::json::parse(out.str());
    ASSERT_EQ(doc["files"][0]["findings"].size(), 1u) << out.str();
    const auto& finding = doc["files"][0]["findings"][0];
    EXPECT_EQ(finding["code"], "mac-vcenter-range");
    EXPECT_EQ(finding["severity"], "warning");
    EXPECT_EQ(finding["message"], "The vCenter MAC address range is 00:50:56:80:00:00-00:50:56:BF:FF:FF");
}

TEST_F(FleetCommandsTest, CheckCountsSataAndNvmeControllersAgainstTheVersion)
{
    // Hardware version 10 is Workstation 10.x: four SATA controllers and no NVMe.
    std::string text = "config.version = \"8\"\nvirtualHW.version = \"10\"\nmemsize = \"256\"\n";
    for (int i = 0; i < 4; ++i)
        text += "sata" + std::to_string(i) + ".present = \"TRUE\"\n";
    const fs::path fits = machine("fits", text);
    ASSERT_EQ(run({"check", "--json", fits.string()}), 0) << out.str();
    out.str({});
    const fs::path over = machine("over", text + "nvme0.present = \"TRUE\"\nnvme0:0.fileName = \"d.vmdk\"\n");
    ASSERT_EQ(run({"check", "--json", over.string()}), 1);
    const auto doc = nlohmann::json::parse(out.str());
    std::map<std::string, std::string> byCode;
    for (const auto& f : doc["files"][0]["findings"])
        byCode[f["code"]] = f["message"];
    EXPECT_NE(byCode["pci-devices"].find("0 NVMe controllers; this machine has 1"), std::string::npos)
        << doc.dump();
}

TEST_F(FleetCommandsTest, CheckFindsTheSameMacAddressInTwoFilesOfOneCall)
{
    const fs::path a = machine("a");
    const fs::path b = machine("b");
    EXPECT_EQ(run({"check", a.string(), b.string()}), 1);
    EXPECT_EQ(out.str(), a.string() + ":10: error: The MAC address 00:50:56:01:02:03 is also used in " + b.string() +
                             ":10\n" + b.string() + ":10: error: The MAC address 00:50:56:01:02:03 is also used in " +
                             a.string() + ":10\n");
    // One file at a time, each is clean.
    EXPECT_EQ(run({"check", a.string()}), 0);
}

TEST_F(FleetCommandsTest, CheckReportsUnreadableFilesAndGoesOn)
{
    const fs::path vm = machine();
    fs::create_directories(folder / "dir.vmx");
    EXPECT_EQ(run({"check", (folder / "dir.vmx").string(), vm.string(), (folder / "none.vmx").string()}), 1);
    const std::string text = out.str();
    EXPECT_NE(text.find((folder / "dir.vmx").string() + ": error: Cannot read " + (folder / "dir.vmx").string() +
                        ": Is a directory\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find((folder / "none.vmx").string() + ": error: Cannot read"), std::string::npos) << text;
    EXPECT_EQ(text.find(vm.string()), std::string::npos) << text;

    EXPECT_EQ(run({"check"}), 2);
    EXPECT_EQ(run({"check", "--jobs", "0", vm.string()}), 2);
    EXPECT_EQ(run({"check", "--frobnicate", vm.string()}), 2);
}

TEST_F(FleetCommandsTest, CheckOnManyThreadsSaysWhatOneThreadSays)
{
    std::vector<std::string> args{"check"};
    for (int i = 0; i < 40; ++i)
        args.push_back(machine("m" + std::to_string(i)).string());
    fs::remove(folder / "m7" / "d.vmdk");
    args.push_back("--jobs");
    args.push_back("1");
    EXPECT_EQ(run(args), 1);
    const std::string one = out.str();
    args.back() = "2";
    EXPECT_EQ(run(args), 1);
    EXPECT_EQ(out.str(), one);
    EXPECT_NE(one.find("m7/vm.vmx:7: error: The disk d.vmdk"), std::string::npos);
}

TEST_F(FleetCommandsTest, CheckReadsStandardInputOnceAndQuietLeavesTheErrors)
{
    EXPECT_EQ(runWithInput({"check", "-"}, "memsize = \"60000\"\nnumvcpus = \"many\"\n"), 1);
    EXPECT_EQ(out.str().rfind("-:1: error: RAM size out of valid range", 0), 0u) << out.str();
    EXPECT_NE(out.str().find("-:2: warning: the value is not a number: numvcpus = \"many\"\n"), std::string::npos)
        << out.str();
    EXPECT_EQ(runWithInput({"check", "-q", "-"}, "memsize = \"60000\"\nnumvcpus = \"many\"\n"), 1);
    EXPECT_EQ(out.str().find("warning"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("-:1: error: "), std::string::npos) << out.str();
    EXPECT_EQ(runWithInput({"check", "--quiet", "-"}, "numvcpus = \"many\"\n"), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(runWithInput({"check", "-", "-"}, ""), 2);
    EXPECT_EQ(err.str(), "zentravolix-cli: Standard input (-) can be read only once\n");
}

// ---- get and set ---------------------------------------------------------------------------

TEST_F(FleetCommandsTest, GetPrintsValuesByKeyInAnyLetterCase)
{
    const fs::path vm = machine();
    EXPECT_EQ(run({"get", vm.string(), "MEMSIZE", "ethernet0.ADDRESS"}), 0) << err.str();
    EXPECT_EQ(out.str(), "256\n00:50:56:01:02:03\n");
    EXPECT_EQ(run({"get", "--json", vm.string(), "memsize", "no.such"}), 1);
    EXPECT_EQ(nlohmann::json::parse(out.str()), nlohmann::json::parse(R"({"memsize":"256","no.such":null,"latin1":[]})"));
    EXPECT_EQ(err.str(), "zentravolix-cli: " + vm.string() + ": the key no.such is not set\n");
    EXPECT_EQ(run({"get", folder.string(), "memsize"}), 1);
    EXPECT_EQ(err.str(), "zentravolix-cli: Cannot read " + folder.string() + ": Is a directory\n");
    EXPECT_EQ(run({"get", vm.string()}), 2);
}

TEST_F(FleetCommandsTest, CoresPerProcessorMustDivideTheProcessorsInCheckAndSet)
{
    std::string text = kMachine;
    text.replace(text.find("virtualHW.version = \"4\""), 23, "virtualHW.version = \"21\"");
    text += "numvcpus = \"4\"\ncpuid.coresPerSocket = \"2\"\n";
    const fs::path vm = machine("cores", text);
    EXPECT_EQ(run({"check", vm.string()}), 0) << out.str();

    EXPECT_EQ(run({"set", vm.string(), "numvcpus=3"}), 2);
    EXPECT_NE(err.str().find("Cores per processor: 2 does not divide the number of processors (3)."), std::string::npos)
        << err.str();
    ASSERT_EQ(run({"set", vm.string(), "numvcpus=3", "cpuid.coresPerSocket=3"}), 0) << err.str();
    EXPECT_NE(readFile(vm).find("cpuid.coresPerSocket = \"3\""), std::string::npos);

    text.replace(text.find("cpuid.coresPerSocket = \"2\""), 28, "cpuid.coresPerSocket = \"3\"");
    const fs::path bad = machine("bad-cores", text);
    EXPECT_EQ(run({"check", bad.string()}), 1);
    EXPECT_NE(out.str().find(":12: error: Cores per processor: 3 does not divide the number of processors (4)."),
              std::string::npos)
        << out.str();
}

TEST_F(FleetCommandsTest, SetRefusesWhatTheEditorRefusesAndChangesNothing)
{
    const fs::path vm = machine();
    const std::string before = readFile(vm);
    EXPECT_EQ(run({"set", vm.string(), "memsize=60000"}), 2);
    EXPECT_EQ(err.str(), "zentravolix-cli: " + vm.string() +
                             ": memsize: Invalid Memory Size: RAM size out of valid range for Selected "
                             "Product/Version\n");
    EXPECT_EQ(run({"set", vm.string(), "ethernet0.address=00:11:22:33:44:55"}), 2);
    EXPECT_NE(err.str().find("The static MAC address range is 00:50:56:00:00:00-00:50:56:3F:FF:FF"), std::string::npos);
    EXPECT_EQ(run({"set", vm.string(), "numvcpus=8"}), 2);
    EXPECT_NE(err.str().find("8 virtual processors; the product version allows at most 2"), std::string::npos);
    EXPECT_EQ(run({"set", vm.string(), "memsize"}), 2);
    EXPECT_EQ(err.str(), "zentravolix-cli: memsize is not KEY=VALUE\n");
    EXPECT_EQ(run({"set", vm.string(), "bad key=1"}), 2);
    EXPECT_EQ(readFile(vm), before);
    EXPECT_FALSE(fs::exists(vm.string() + ".bak"));
}

TEST_F(FleetCommandsTest, SetSavesThroughTheModelWithItsBackup)
{
    const fs::path vm = machine();
    const std::string before = readFile(vm);
    ASSERT_EQ(run({"set", "--backup", vm.string(), "memsize=510", "Some.New.Key=a\"b"}), 0) << err.str();
    EXPECT_EQ(out.str(), "Written: " + vm.string() + "\n");
    EXPECT_EQ(readFile(vm.string() + ".bak"), before);
    // The editor's rule keeps memory sizes to multiples of 4; the unknown key is a kept line.
    EXPECT_EQ(run({"get", vm.string(), "memsize", "some.new.key"}), 0);
    EXPECT_EQ(out.str(), "508\na\"b\n");
    EXPECT_NE(readFile(vm).find("Some.New.Key = \"a|22b\"\r\n"), std::string::npos);
}

TEST_F(FleetCommandsTest, SetDryRunPrintsTheDiffAndWritesNothing)
{
    const fs::path vm = machine();
    ASSERT_EQ(run({"set", vm.string(), "memsize=256"}), 0);
    const std::string saved = readFile(vm);
    ASSERT_EQ(run({"set", "--dry-run", vm.string(), "memsize=512"}), 0) << err.str();
    EXPECT_EQ(readFile(vm), saved);
    const std::string diff = out.str();
    EXPECT_EQ(diff.rfind("--- " + vm.string() + "\n+++ " + vm.string() + "\n@@ -", 0), 0u) << diff;
    EXPECT_NE(diff.find("\n-memsize = \"256\"\n+memsize = \"512\"\n"), std::string::npos) << diff;
    // Two names, the hunk's line and three lines of context on each side of the change.
    EXPECT_EQ(std::count(diff.begin(), diff.end(), '\n'), 11) << diff;
}

TEST_F(FleetCommandsTest, RewriteReadsStandardInputAndWritesStandardOutput)
{
    ASSERT_EQ(runWithInput({"rewrite", "-"}, kMachine), 0) << err.str();
    EXPECT_NE(out.str().find("\r\nmemsize = \"256\"\r\n"), std::string::npos) << out.str();
    const fs::path vm = machine();
    const std::string before = readFile(vm);
    ASSERT_EQ(run({"rewrite", vm.string(), "-o", "-"}), 0) << err.str();
    EXPECT_NE(out.str().find("scsi0:0.fileName = \"d.vmdk\"\r\n"), std::string::npos);
    EXPECT_EQ(readFile(vm), before);
}

TEST_F(FleetCommandsTest, SetFromStandardInputWritesStandardOutput)
{
    ASSERT_EQ(runWithInput({"set", "-", "displayName=Piped"}, kMachine), 0) << err.str();
    EXPECT_NE(out.str().find("displayName = \"Piped\"\r\n"), std::string::npos);
    EXPECT_NE(out.str().find("memsize = \"256\"\r\n"), std::string::npos);
    EXPECT_EQ(run({"set", (folder / "missing" / "vm.vmx").string(), "memsize=4"}), 1);
    EXPECT_NE(err.str().find("missing/vm.vmx"), std::string::npos);
}

// ---- diff ----------------------------------------------------------------------------------

TEST_F(FleetCommandsTest, DiffComparesSettingsWithKeysInAnyCase)
{
    const fs::path a = machine("a");
    const fs::path b = machine("b", kMachine + "MEMSIZE = \"512\"\nuuid.bios = \"56 4d\"\n");
    EXPECT_EQ(run({"diff", a.string(), a.string()}), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(run({"diff", a.string(), b.string()}), 1);
    EXPECT_EQ(out.str(), "- memsize = \"256\"\n+ memsize = \"512\"\n+ uuid.bios = \"56 4d\"\n");
    EXPECT_EQ(run({"diff", "--json", a.string(), b.string()}), 1);
    const auto doc = nlohmann::json::parse(out.str());
    ASSERT_EQ(doc["changes"].size(), 2u);
    EXPECT_EQ(doc["changes"][1], nlohmann::json::parse(R"({"key":"uuid.bios","a":null,"b":"56 4d"})"));
    EXPECT_EQ(run({"diff", a.string(), folder.string()}), 2);
    EXPECT_NE(err.str().find(folder.string()), std::string::npos);
    EXPECT_EQ(run({"diff", a.string()}), 2);
}

// ---- show and the conventions --------------------------------------------------------------

TEST_F(FleetCommandsTest, ShowPrintsEveryDeviceFieldAndCountsKeyLines)
{
    const fs::path vm = machine();
    ASSERT_EQ(run({"show", "--json", vm.string()}), 0) << err.str();
    const auto doc = nlohmann::json::parse(out.str());
    nlohmann::json disk, nic;
    for (const auto& d : doc["hardware"]) {
        if (d["type"] == "hard-disk")
            disk = d;
        if (d["type"] == "network")
            nic = d;
    }
    EXPECT_EQ(disk["attachment"], nlohmann::json::parse(R"({"bus":"SCSI","controller":0,"node":0})"));
    EXPECT_EQ(disk["fileName"], "d.vmdk");
    EXPECT_EQ(nic["macAddressType"], "static");
    EXPECT_EQ(nic["macAddress"], "00:50:56:01:02:03");
    EXPECT_EQ(doc["keyLines"], nlohmann::json::parse(R"({"total":10,"understood":10,"kept":0})"));
    EXPECT_EQ(doc["limits"]["maxCPUs"], 2);
}

TEST_F(FleetCommandsTest, ShowKeepsBytesThatAreNotUtf8AndNeverPrintsEscapesRaw)
{
    const fs::path vm = folder / "odd.vmx";
    writeFile(vm, ".encoding = \"windows-1252\"\ndisplayName = \"caf\xe9\"\nannotation.x = \"\x1b[31mred\"\n");
    ASSERT_EQ(run({"show", "--json", vm.string()}), 0);
    const auto doc = nlohmann::json::parse(out.str());
    EXPECT_EQ(doc["encoding"], "windows-1252");
    EXPECT_EQ(doc["displayName"], "caf\xc3\xa9");
    EXPECT_NE(std::find(doc["latin1"].begin(), doc["latin1"].end(), "/displayName"), doc["latin1"].end());
    EXPECT_EQ(out.str().find('\x1b'), std::string::npos);

    ASSERT_EQ(run({"show", vm.string()}), 0);
    EXPECT_NE(out.str().find("Display name: caf\\xe9\n"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("annotation.x = \"\\x1b[31mred\""), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find('\x1b'), std::string::npos);
}

TEST_F(FleetCommandsTest, ShowOfSeveralFilesAsJsonLinesOrArray)
{
    const fs::path a = machine("a");
    const fs::path b = machine("b");
    ASSERT_EQ(run({"show", "--json-lines", a.string(), b.string()}), 0);
    std::istringstream lines(out.str());
    std::vector<nlohmann::json> docs;
    for (std::string line; std::getline(lines, line);)
        docs.push_back(nlohmann::json::parse(line));
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_EQ(docs[1]["file"], b.string());

    ASSERT_EQ(run({"show", "--json", a.string(), (folder / "dir").string(), b.string()}), 1);
    const auto array = nlohmann::json::parse(out.str());
    ASSERT_EQ(array.size(), 3u);
    EXPECT_TRUE(array[1].contains("error"));
    EXPECT_NE(err.str().find(folder.string() + "/dir"), std::string::npos);
    EXPECT_EQ(run({"show", "--json", "--json-lines", a.string()}), 2);
}

TEST_F(FleetCommandsTest, EveryCommandHasHelpWithAnExampleAndTheToolItsVersion)
{
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"show"}, {"check"}, {"get"}, {"set"}, {"diff"}, {"rewrite"}, {"disk"},
          {"disk", "create"}, {"disk", "info"}}) {
        auto args = command;
        args.push_back("--help");
        EXPECT_EQ(run(args), 0) << command.back();
        EXPECT_NE(out.str().find("Example:\n  zentravolix-cli "), std::string::npos) << command.back() << out.str();
    }
    EXPECT_EQ(run({"--version"}), 0);
    EXPECT_EQ(out.str(), "zentravolix-cli " + cli::VersionText() + "\n");
}

// ---- the corpus ----------------------------------------------------------------------------

TEST(FleetCorpus, TheJsonOfEveryCorpusFileFitsTheSchema)
{
    std::ifstream schemaFile(fs::path(ZV_CLI_TEST_DIR) / "show.schema.json");
    const test::JsonSchema schema(nlohmann::json::parse(schemaFile));
    const auto files = test::corpus::Files("vmx", ".vmx");
    ASSERT_FALSE(files.empty());
    std::int64_t understood = 0, kept = 0;
    std::ostringstream out, err;
    for (const auto& file : files) {
        ASSERT_EQ(test::runTool({"show", "--json", file.path.string()}, out, err), 0) << file.relative << err.str();
        const auto doc = nlohmann::json::parse(out.str());
        for (const auto& problem : schema.validate(doc))
            ADD_FAILURE() << file.relative << problem;
        understood += doc["keyLines"]["understood"].get<std::int64_t>();
        kept += doc["keyLines"]["kept"].get<std::int64_t>();
        // check never fails on a file it could read: its exit code is 0 or 1.
        const int checked = test::runTool({"check", file.path.string()}, out, err);
        EXPECT_TRUE(checked == 0 || checked == 1) << file.relative;
    }
    RecordProperty("understoodKeyLines", std::to_string(understood));
    RecordProperty("keptKeyLines", std::to_string(kept));
    std::cout << "Key lines over " << files.size() << " corpus files: " << understood << " understood, " << kept
              << " kept verbatim\n";
}

} // namespace
