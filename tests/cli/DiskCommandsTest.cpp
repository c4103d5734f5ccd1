// SPDX-License-Identifier: MIT
// The disk commands of the command-line tool, run in-process with captured output: every adapter
// (SATA and NVMe too) and disks beyond 32-bit sector counts.
#include "cli/DiskCommands.h"
#include "cli/CliApp.h"
#include "platform/TextTable.h"
#include "support/Corpus.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace zentravolix;
using Strings = std::vector<std::string>;

namespace {

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class DiskCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zv-cli-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern + "/";
    }
    void TearDown() override { fs::remove_all(folder); }

    /** Runs the tool with `args`; the context can be adjusted first. */
    int Run(Strings args, const std::function<void(cli::Context&)>& adjust = {})
    {
        out.str({});
        err.str({});
        args.insert(args.begin(), "zentravolix-cli");
        std::vector<const char*> argv;
        for (const std::string& a : args)
            argv.push_back(a.c_str());
        cli::Context context = cli::DefaultContext(out, err);
        if (adjust)
            adjust(context);
        return cli::run(static_cast<int>(argv.size()), argv.data(), context);
    }

    Strings Files() const
    {
        Strings names;
        for (const auto& e : fs::directory_iterator(folder))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string folder;
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

TEST_F(DiskCommandsTest, HelpDocumentsCommandsAndExitCodes)
{
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out.str().find("disk"), std::string::npos);
    EXPECT_NE(out.str().find("2 refused by a rule or bad arguments"), std::string::npos);
    EXPECT_EQ(Run({"disk", "create", "--help"}), 0);
    for (const char* option :
         {"--size", "--adapter", "--type", "--method", "--hw-version", "--yes", "Exit codes"})
        EXPECT_NE(out.str().find(option), std::string::npos) << option;
    EXPECT_EQ(Run({"disk", "info", "--help"}), 0);
    EXPECT_NE(out.str().find("Current Disk Information"), std::string::npos);
    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({"disk"}), 2);
}

TEST_F(DiskCommandsTest, CreateThenInfoPrintsTheInformationLines)
{
    ASSERT_EQ(Run({"disk", "create", folder + "web", "--size", "2G", "--adapter", "lsilogic", "--type",
                   "growable-split"}),
              0)
        << err.str();
    EXPECT_EQ(out.str(), "Created " + folder + "web.vmdk\n"); // no progress line off a terminal
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(Files(), (Strings{"web-s001.vmdk", "web-s002.vmdk", "web.vmdk"}));

    const std::string text = ReadFile(folder + "web.vmdk");
    const std::string cid = text.substr(text.find("CID=") + 4, 8);
    ASSERT_EQ(Run({"disk", "info", folder + "web.vmdk"}), 0) << err.str();
    EXPECT_EQ(out.str(), "Disk Path: " + folder +
                             "\nDisk Name: web.vmdk\nDisk Type: twoGbMaxExtentSparse (1)\n"
                             "Adapter Type: lsilogic\nSize: 4194304 sectors (2 Gb)\n"
                             "Geometry: Cylinders 1024, Heads 128, Sectors 32\nHardware Version: 3\nCID: " +
                             cid + "\n");

    ASSERT_EQ(Run({"disk", "info", "--json", folder + "web.vmdk"}), 0);
    const nlohmann::json j = nlohmann::json::parse(out.str());
    EXPECT_EQ(j["sectors"], 4194304);
    EXPECT_EQ(j["geometry"]["heads"], 128);
    EXPECT_FALSE(j.contains("biosGeometry"));
}

TEST_F(DiskCommandsTest, ExternalMethodWritesTheHardwareVersionAndSuffixRuleApplies)
{
    ASSERT_EQ(Run({"disk", "create", folder + "x.VMDK", "--size", "204800s", "--adapter", "buslogic",
                   "--type", "preallocated-split", "--method", "external", "--hw-version", "7"}),
              0)
        << err.str();
    EXPECT_EQ(Files(), (Strings{"x.VMDK-f001.vmdk", "x.VMDK.vmdk"}));
    EXPECT_NE(ReadFile(folder + "x.VMDK.vmdk").find("ddb.virtualHWVersion = \"7\"\r\n"), std::string::npos);
}

TEST_F(DiskCommandsTest, RulesRefuseWithTheDialogsTexts)
{
    struct Case {
        Strings args;
        std::string error;
    };
    const Case cases[] = {
        {{"--size", "99M", "--adapter", "ide", "--type", "growable"},
         "Invalid Disk Size: Disk Size too small!  Minimum Size is 100 Mb\n"},
        {{"--size", "129G", "--adapter", "ide", "--type", "growable"},
         "Invalid Disk Size: Disk Size too large!  Maximum Size is 128/256/950 Gb\n"},
        {{"--size", "5000G", "--adapter", "lsilogic", "--type", "growable"},
         "Invalid Disk Size: Disk Size too large!  Maximum Size is 128/256/950 Gb\n"},
        {{"--size", "1,5G", "--adapter", "ide", "--type", "growable"},
         "Invalid Disk Size: Disk Size must be Numeric!\n"},
        {{"--size", "100", "--adapter", "ide", "--type", "growable"},
         "--size: \"100\" needs a unit: s (sectors), K, M or G\n"},
        {{"--size", "1G", "--adapter", "lsilogic", "--type", "growable", "--method", "external"},
         "--adapter lsilogic is not available for --type growable with --method external (only ide)\n"},
    };
    for (const Case& c : cases) {
        Strings args = {"disk", "create", folder + "d"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        EXPECT_EQ(Run(args), 2) << c.error;
        EXPECT_EQ(err.str(), c.error);
        EXPECT_TRUE(Files().empty());
    }
    EXPECT_EQ(
        Run({"disk", "create", folder + "d", "--size", "1G", "--adapter", "scsi", "--type", "growable"}), 2);
    EXPECT_EQ(Run({"disk", "create", folder + "d", "--size", "1G", "--adapter", "ide"}), 2);
    EXPECT_EQ(Run({"disk", "create", "", "--size", "1G", "--adapter", "ide", "--type", "growable"}), 2);
}

TEST_F(DiskCommandsTest, LargeIdeDiskNeedsTheLimitAndYes)
{
    const Strings args = {"disk",      "create", folder + "big", "--size",         "129G",
                          "--adapter", "ide",    "--type",       "growable-split", "--max-ide-sectors",
                          "1992294400"};
    EXPECT_EQ(Run(args), 2);
    EXPECT_NE(err.str().find("Very Large Disk: Warning - Disk size large for IDE controller"),
              std::string::npos);
    Strings yes = args;
    yes.push_back("--yes");
    ASSERT_EQ(Run(yes), 0) << err.str();
    EXPECT_EQ(Files().size(), 66u); // 65 sparse pieces and the descriptor
}

TEST_F(DiskCommandsTest, ExistingDiskIsRefusedAndKept)
{
    std::ofstream(folder + "keep.vmdk") << "mine";
    EXPECT_EQ(
        Run({"disk", "create", folder + "keep", "--size", "1G", "--adapter", "ide", "--type", "growable"}),
        2);
    EXPECT_EQ(err.str(), "File Exists: Disk already exists!  Choose new name\n");
    EXPECT_EQ(ReadFile(folder + "keep.vmdk"), "mine");
}

TEST_F(DiskCommandsTest, NamesWithQuotesOrLineBreaksAreRefusedNamingTheCharacter)
{
    EXPECT_EQ(Run({"disk", "create", folder + "my \"best\" disk", "--size", "200M", "--adapter", "ide", "--type",
                   "growable-split"}),
              2);
    EXPECT_NE(err.str().find("double quote (\")"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"disk", "create", folder + "two\nlines", "--size", "200M", "--adapter", "ide", "--type",
                   "preallocated"}),
              2);
    EXPECT_NE(err.str().find("line break"), std::string::npos) << err.str();
    EXPECT_TRUE(Files().empty());
}

TEST_F(DiskCommandsTest, FolderIsCreatedOneLevelAndIoErrorsExitWithOne)
{
    ASSERT_EQ(
        Run({"disk", "create", folder + "new/d", "--size", "100M", "--adapter", "ide", "--type", "growable"}),
        0)
        << err.str();
    EXPECT_TRUE(fs::exists(folder + "new/d.vmdk"));
    EXPECT_EQ(
        Run({"disk", "create", folder + "a/b/d", "--size", "100M", "--adapter", "ide", "--type", "growable"}),
        1);
    EXPECT_NE(err.str().find("Cannot create the folder " + folder + "a/b/"), std::string::npos);
    std::ofstream(folder + "file") << "x";
    EXPECT_EQ(Run({"disk", "create", folder + "file/d", "--size", "100M", "--adapter", "ide", "--type",
                   "growable"}),
              1);
}

TEST_F(DiskCommandsTest, MissingOrFailingQemuImg)
{
    const Strings args = {"disk", "create", folder + "q", "--size",   "100M",    "--adapter",
                          "ide",  "--type", "growable",   "--method", "external"};
    EXPECT_EQ(Run(args, [](cli::Context& c) { c.searchPath.clear(); }), 1);
    EXPECT_EQ(err.str(),
              "Missing required external application: qemu-img not found!  Install the package qemu-utils "
              "(apt install qemu-utils), or place qemu-img in the folder of this application.\n");
    EXPECT_EQ(Run(args,
                  [](cli::Context& c) {
                      c.runCommand = [](const std::string&, const Strings&) {
                          return disk::ToolRun{true, 3, {}};
                      };
                  }),
              1);
    EXPECT_EQ(err.str().rfind("3: qemu-img failed (exit code 3)", 0), 0u) << err.str();
    EXPECT_TRUE(Files().empty());
}

TEST_F(DiskCommandsTest, ProgressLineOnlyWhenAskedFor)
{
    ASSERT_EQ(
        Run({"disk", "create", folder + "p", "--size", "5G", "--adapter", "ide", "--type", "growable-split"},
            [](cli::Context& c) { c.progressLine = true; }),
        0);
    EXPECT_NE(out.str().find("\rCreating " + folder + "p.vmdk: 0%"), std::string::npos);
    EXPECT_NE(out.str().find(": 100%\nCreated "), std::string::npos) << out.str();
}

TEST_F(DiskCommandsTest, InfoOfOtherProgramsDisksAndFailures)
{
    const std::string corpus = (zentravolix::test::corpus::InRepository() / "vmdk").string() + "/";
    ASSERT_EQ(Run({"disk", "info", corpus + "vmdk-forensic/tw_sparse_data.vmdk"}), 0) << err.str();
    EXPECT_NE(out.str().find("CID: 9c913b49\n"), std::string::npos); // LF-only lines keep the whole CID
    EXPECT_EQ(Run({"disk", "info", corpus + "vmdk-rs/vmfs_thick.vmdk"}), 1);
    EXPECT_EQ(err.str(), "Unable to Read current disk: " + corpus +
                             "vmdk-rs/vmfs_thick.vmdk: unknown createType \"vmfs\"\n");
    EXPECT_EQ(Run({"disk", "info", folder + "none.vmdk"}), 1);
    EXPECT_EQ(Run({"disk", "info"}), 2);
}

TEST_F(DiskCommandsTest, DiskSentencesComeFromTheTextTableAndFollowTheToolsLanguage)
{
    const auto french = [](cli::Context& c) { c.text = [](int id) { return platform::LoadLocalizedText(id, 1000); }; };
    const auto german = [](cli::Context& c) { c.text = [](int id) { return platform::LoadLocalizedText(id, 500); }; };
    const auto expectBoth = [&](const Strings& args, int code, std::ostringstream& stream, const std::string& english,
                                const std::function<void(cli::Context&)>& other, const std::string& translated) {
        EXPECT_EQ(Run(args), code);
        EXPECT_EQ(stream.str(), english);
        EXPECT_EQ(Run(args, other), code);
        EXPECT_EQ(stream.str(), translated);
    };

    // A name the descriptor cannot hold.
    const std::string quoted = folder + "my \"best\" disk";
    expectBoth({"disk", "create", quoted, "--size", "200M", "--adapter", "ide", "--type", "growable-split"}, 2, err,
               "PATH: the disk name contains a double quote (\"), which a descriptor cannot hold: " + quoted + "\n",
               german,
               "PATH: der Festplattenname enthält ein doppeltes Anführungszeichen (\"), das ein Deskriptor nicht "
               "aufnehmen kann: " +
                   quoted + "\n");

    // Descriptors that cannot be read.
    std::ofstream(folder + "nocid.vmdk") << "# Disk DescriptorFile\nversion=1\n";
    const std::string head = "# Disk DescriptorFile\nCID=fffffffe\nddb.virtualHWVersion = \"4\"\n";
    std::ofstream(folder + "badrw.vmdk") << head + "createType=\"monolithicSparse\"\nRW x SPARSE \"a.vmdk\"\n";
    std::ofstream(folder + "vmfs.vmdk") << head + "createType=\"vmfs\"\n";
    const std::string unable = "Unable to Read current disk: ";
    const std::string unableFr = platform::LoadLocalizedText(175, 1000) + ": ";
    expectBoth({"disk", "info", folder + "none.vmdk"}, 1, err,
               unable + folder + "none.vmdk: cannot read the file: No such file or directory: " + folder + "none.vmdk\n",
               french,
               unableFr + folder + "none.vmdk: impossible de lire le fichier : No such file or directory: " + folder +
                   "none.vmdk\n");
    expectBoth({"disk", "info", folder + "nocid.vmdk"}, 1, err, unable + folder + "nocid.vmdk: missing key CID\n",
               french, unableFr + folder + "nocid.vmdk: la clé CID est absente\n");
    expectBoth({"disk", "info", folder + "badrw.vmdk"}, 1, err,
               unable + folder + "badrw.vmdk: the value of RW is not a valid number\n", french,
               unableFr + folder + "badrw.vmdk: la valeur de RW n'est pas un nombre valide\n");
    expectBoth({"disk", "info", folder + "vmfs.vmdk"}, 1, err,
               unable + folder + "vmfs.vmdk: unknown createType \"vmfs\"\n", french,
               unableFr + folder + "vmfs.vmdk: createType \"vmfs\" inconnu\n");

    // qemu-img that fails, and one that cannot be started.
    const Strings external = {"disk", "create", folder + "q", "--size",   "100M",    "--adapter",
                              "ide",  "--type", "growable",   "--method", "external"};
    const auto exitThree = [](cli::Context& c) {
        c.runCommand = [](const std::string&, const Strings&) { return disk::ToolRun{true, 3, {}}; };
    };
    const auto exitThreeGerman = [&](cli::Context& c) {
        exitThree(c);
        german(c);
    };
    EXPECT_EQ(Run(external, exitThree), 1);
    EXPECT_EQ(err.str(), "3: qemu-img failed (exit code 3) creating " + folder + "q.vmdk\n");
    EXPECT_EQ(Run(external, exitThreeGerman), 1);
    EXPECT_EQ(err.str(), "3: qemu-img ist fehlgeschlagen (Exit-Code 3) beim Erstellen von " + folder + "q.vmdk\n");
    const auto notStarted = [](cli::Context& c) {
        c.runCommand = [](const std::string&, const Strings&) { return disk::ToolRun{false, 0, "Permission denied"}; };
    };
    EXPECT_EQ(Run(external, notStarted), 1);
    EXPECT_NE(err.str().find(": cannot start "), std::string::npos) << err.str();
    EXPECT_TRUE(err.str().ends_with(": Permission denied\n")) << err.str();
    EXPECT_EQ(Run(external,
                  [&](cli::Context& c) {
                      notStarted(c);
                      german(c);
                  }),
              1);
    EXPECT_NE(err.str().find(" kann nicht gestartet werden: Permission denied\n"), std::string::npos) << err.str();
    EXPECT_EQ(Files(), (Strings{"badrw.vmdk", "nocid.vmdk", "vmfs.vmdk"}));

    // The information lines.
    ASSERT_EQ(Run({"disk", "create", folder + "web", "--size", "2G", "--adapter", "lsilogic", "--type",
                   "growable-split"}),
              0)
        << err.str();
    ASSERT_EQ(Run({"disk", "info", folder + "web.vmdk"}, german), 0) << err.str();
    EXPECT_EQ(out.str().rfind("Festplattenpfad: " + folder + "\nFestplattenname: web.vmdk\n"
                              "Festplattentyp: twoGbMaxExtentSparse (1)\nAdaptertyp: lsilogic\n"
                              "Größe: 4194304 Sektoren (2 Gb)\nGeometrie: Zylinder 1024, Köpfe 128, Sektoren 32\n"
                              "Hardwareversion: 3\nCID: ",
                              0),
              0u)
        << out.str();
}

TEST(SplitSizeArgument, UnitsInAnyCase)
{
    EXPECT_EQ(cli::SplitSizeArgument("2G")->unit, disk::SizeUnit::Gb);
    EXPECT_EQ(cli::SplitSizeArgument("100m")->number, "100");
    EXPECT_EQ(cli::SplitSizeArgument("4194304s")->unit, disk::SizeUnit::Sectors);
    EXPECT_EQ(cli::SplitSizeArgument("1.5K")->unit, disk::SizeUnit::Kb);
    EXPECT_FALSE(cli::SplitSizeArgument("12"));
    EXPECT_FALSE(cli::SplitSizeArgument(""));
}

TEST_F(DiskCommandsTest, SataAndNvmeDisksAreWrittenAsLsiLogicAndInfoNamesTheirBuses)
{
    for (const char* adapter : {"sata", "nvme"}) {
        SCOPED_TRACE(adapter);
        const std::string name = folder + adapter + ".vmdk";
        ASSERT_EQ(Run({"disk", "create", name, "--size", "3G", "--adapter", adapter, "--type", "growable-split",
                       "--method", "library"}),
                  0)
            << err.str();
        const std::string text = ReadFile(name);
        EXPECT_NE(text.find("ddb.adapterType = \"lsilogic\"\r\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("buslogic"), std::string::npos);
        EXPECT_NE(text.find("ddb.geometry.heads = \"255\"\r\n"), std::string::npos);

        ASSERT_EQ(Run({"disk", "info", "--json", name}), 0) << err.str();
        const nlohmann::json j = nlohmann::json::parse(out.str());
        EXPECT_EQ(j["adapterType"], "lsilogic");
        EXPECT_EQ(j["buses"], nlohmann::json({"scsi", "sata", "nvme"}));
        // The text lines stay the classic ones for the classic adapter word.
        ASSERT_EQ(Run({"disk", "info", name}), 0);
        EXPECT_NE(out.str().find("Adapter Type: lsilogic\nSize: 6291456 sectors (3 Gb)\n"), std::string::npos);
    }
    // The external single growable disk is qemu-img's, always IDE: no SATA or NVMe there.
    EXPECT_EQ(Run({"disk", "create", folder + "q", "--size", "1G", "--adapter", "nvme", "--type", "growable",
                   "--method", "external"}),
              2);
    EXPECT_EQ(err.str(), "--adapter nvme is not available for --type growable with --method external (only ide)\n");
    EXPECT_EQ(Run({"disk", "create", folder + "x", "--size", "1G", "--adapter", "pvscsi", "--type", "growable"}), 2);
}

TEST_F(DiskCommandsTest, LimitsBeyond32BitsTakeLargeSplitDisksAndNameTheLimit)
{
    const Strings eightTb = {"--max-scsi-sectors", "17179869184", "--max-ide-sectors", "17179869184"};
    auto create = [&](const std::string& name, const std::string& size, const std::string& adapter,
                      const std::string& type) {
        Strings args = {"disk", "create", folder + name, "--size", size, "--adapter", adapter, "--type", type,
                        "--method", "external"};
        args.insert(args.end(), eightTb.begin(), eightTb.end());
        return Run(args);
    };

    // 2 TB and one sector: 2^32 + 1 sectors, a growable disk split into 1025 pieces (made by our
    // own writer, which offers it for IDE: the very large IDE disk question is answered by --yes).
    EXPECT_EQ(create("big", "4294967297s", "ide", "growable-split"), 2);
    EXPECT_EQ(err.str(), "Very Large Disk: " + platform::LoadLocalizedText(158) + "\nNot confirmed: pass --yes to answer Yes.\n");
    Strings args = {"disk", "create", folder + "big", "--size", "4294967297s", "--adapter", "ide", "--type",
                    "growable-split", "--method", "external", "--yes"};
    args.insert(args.end(), eightTb.begin(), eightTb.end());
    ASSERT_EQ(Run(args), 0) << err.str();
    EXPECT_EQ(Files().size(), 1026u);
    const std::string text = ReadFile(folder + "big.vmdk");
    EXPECT_NE(text.find("RW 2097153 SPARSE \"big-s1025.vmdk\"\r\n"), std::string::npos);
    ASSERT_EQ(Run({"disk", "info", "--json", folder + "big.vmdk"}), 0) << err.str();
    const nlohmann::json j = nlohmann::json::parse(out.str());
    EXPECT_EQ(j["sectors"], 4294967297LL);
    EXPECT_EQ(j["sizeText"], "2048 Gb");
    EXPECT_EQ(j["adapterType"], "ide");
    EXPECT_EQ(j["geometry"]["cylinders"], 16383);

    // Above the limit: the message names it; in one growable file: the file's own limit.
    EXPECT_EQ(create("over", "8193G", "sata", "growable-split"), 2);
    EXPECT_EQ(err.str(), "Invalid Disk Size: Disk Size too large!  Maximum Size is 8192 Gb (17179869184 sectors).\n");
    EXPECT_EQ(Run({"disk", "create", folder + "one", "--size", "2049G", "--adapter", "lsilogic", "--type", "growable",
                   "--max-scsi-sectors", "17179869184"}),
              2);
    EXPECT_EQ(err.str(), "Invalid Disk Size: A single growable disk holds at most 4294441984 sectors (2047.75 Gb): "
                         "its one file addresses its data by 32-bit sector numbers. Choose a growable virtual disk "
                         "split into files for a larger disk.\n");
    // BusLogic stays within 2 TB whatever the limit says.
    EXPECT_EQ(create("bus", "2049G", "buslogic", "growable-split"), 2);
    EXPECT_NE(err.str().find("Maximum Size is 2048 Gb (4294967295 sectors)"), std::string::npos) << err.str();
    EXPECT_EQ(Files().size(), 1026u);

    // The defaults and the classic message are unchanged.
    EXPECT_EQ(Run({"disk", "create", folder + "d", "--size", "257G", "--adapter", "nvme", "--type", "growable-split"}),
              2);
    EXPECT_EQ(err.str(), "Invalid Disk Size: Disk Size too large!  Maximum Size is 128/256/950 Gb\n");
}
