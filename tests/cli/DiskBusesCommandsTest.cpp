// SPDX-License-Identifier: MIT
// `disk create` and `disk info` for SATA and NVMe disks and for disks beyond 32-bit sector counts.
#include "cli/CliApp.h"
#include "cli/DiskCommands.h"
#include "platform/TextTable.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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

class DiskBusesCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zv-cli-bus-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern + "/";
    }
    void TearDown() override { fs::remove_all(folder); }

    int Run(Strings args)
    {
        out.str({});
        err.str({});
        args.insert(args.begin(), "zentravolix-cli");
        std::vector<const char*> argv;
        for (const std::string& a : args)
            argv.push_back(a.c_str());
        cli::Context context = cli::DefaultContext(out, err);
        return cli::run(static_cast<int>(argv.size()), argv.data(), context);
    }

    std::size_t FileCount() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    std::string folder;
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

TEST_F(DiskBusesCommandsTest, SataAndNvmeDisksAreWrittenAsLsiLogicAndInfoNamesTheirBuses)
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

TEST_F(DiskBusesCommandsTest, LimitsBeyond32BitsTakeLargeSplitDisksAndNameTheLimit)
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
    EXPECT_EQ(FileCount(), 1026u);
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
    EXPECT_EQ(FileCount(), 1026u);

    // The defaults and the classic message are unchanged.
    EXPECT_EQ(Run({"disk", "create", folder + "d", "--size", "257G", "--adapter", "nvme", "--type", "growable-split"}),
              2);
    EXPECT_EQ(err.str(), "Invalid Disk Size: Disk Size too large!  Maximum Size is 128/256/950 Gb\n");
}
