// SPDX-License-Identifier: MIT
// Random walks through the hardware tab (adding and removing disks, CD-ROMs, generic SCSI devices
// and SCSI controllers, bus buttons, node lists, disk files, images) over real configuration files
// and new ones. After every step no two devices share a node and every row shows its device as
// the model has it; at the end every row that shows a node is saved and read back on that node.
// A failure prints the seed and the steps; ZV_NODE_WALK_SEED=<n> replays one seed.
#include "HardwareListFixture.h"

#include "editor/widget/HardwareRows.h"
#include "vmx/SaveChecks.h"

#include <cstdlib>
#include <map>
#include <random>
#include <set>

namespace zentravolix::testing {
namespace {

using tarvonel::VirtualHardwareType;

constexpr int kStepsPerWalk = 60;

class NodeInvariantTest : public HardwareListTest {
protected:
    using RowKey = std::pair<VirtualHardwareType, std::string>;

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

    static std::optional<RowKey> keyOfRow(const editor::Velmire& e, int i)
    {
        return editor::ParseHardwareRowKey(
            list(e)->topLevelItem(i)->data(0, Qt::UserRole).toString().toStdString());
    }

    /** Clicks a random row of one of these kinds; false when there is none. */
    bool clickRandomRow(const editor::Velmire& e, std::initializer_list<VirtualHardwareType> kinds)
    {
        std::vector<int> rows;
        for (int i = 0; i < list(e)->topLevelItemCount(); ++i) {
            const auto key = keyOfRow(e, i);
            if (key && std::find(kinds.begin(), kinds.end(), key->first) != kinds.end())
                rows.push_back(i);
        }
        if (rows.empty())
            return false;
        const int row = rows[static_cast<std::size_t>(pick(static_cast<int>(rows.size())))];
        clickRow(e, row);
        m_log += " [" + list(e)->topLevelItem(row)->text(0).toStdString() + "]";
        return true;
    }

    /** Chooses a random entry of whichever node list of the shown page is enabled. */
    void chooseRandomNode(const editor::Velmire& e, std::initializer_list<const char*> lists)
    {
        for (const char* name : lists) {
            auto* combo = child<QComboBox>(e, name);
            if (!combo->isEnabled() || combo->count() == 0)
                continue;
            const int entry = pick(combo->count());
            m_log += " " + combo->itemText(entry).toStdString();
            choose(combo, entry);
            return;
        }
    }

    void step(editor::Velmire& e)
    {
        switch (pick(13)) {
        case 0:
        case 1:
        case 2: {
            static constexpr int kKinds[] = {10, 10, 11, 11, 12, 9, 9};
            const int kind = kKinds[pick(7)];
            // More PCI devices than the product takes would make Save refuse the whole file.
            if (kind == 9 && vmx::CountEnabledPciDevices(*e.Machine()) >= vmx::MaxPciDevices)
                return;
            m_log += "\nadd " + std::to_string(kind);
            addThroughDialog(e, kind);
            break;
        }
        case 3:
        case 4:
            m_log += "\nremove";
            if (clickRandomRow(e, {VirtualHardwareType::HardDrive, VirtualHardwareType::CDRomDrive,
                                   VirtualHardwareType::GenericSCSI, VirtualHardwareType::SCSIController,
                                   VirtualHardwareType::IDEController})) {
                const bool yes = pick(2) == 0;
                m_log += yes ? " yes" : " no";
                dialogs.answers.push_back(yes ? editor::Answer::Yes : editor::Answer::No);
                clickRemove(e);
                dialogs.answers.clear();
            }
            break;
        case 5:
        case 6:
            m_log += "\nbus";
            if (clickRandomRow(e, {VirtualHardwareType::HardDrive, VirtualHardwareType::CDRomDrive})) {
                const bool scsi = pick(2) == 0;
                m_log += scsi ? " SCSI" : " IDE";
                const bool disk = e.hardwareTab()->SelectedDeviceType() == VirtualHardwareType::HardDrive;
                const char* button = disk ? (scsi ? "optHDSCSI" : "optHDIDE") : (scsi ? "optCDRSCSI" : "optCDRIDE");
                child<QRadioButton>(e, button)->click();
            }
            break;
        case 7:
        case 8:
            m_log += "\nnode";
            if (clickRandomRow(e, {VirtualHardwareType::HardDrive, VirtualHardwareType::CDRomDrive,
                                   VirtualHardwareType::GenericSCSI})) {
                switch (e.hardwareTab()->SelectedDeviceType()) {
                case VirtualHardwareType::HardDrive: chooseRandomNode(e, {"cboHDIDE", "cboHDSCSI"}); break;
                case VirtualHardwareType::CDRomDrive: chooseRandomNode(e, {"cboCDRIDE", "cboCDRSCSI"}); break;
                default: chooseRandomNode(e, {"cboGenSCSI"}); break;
                }
            }
            break;
        case 9: {
            m_log += "\ndisk file";
            if (clickRandomRow(e, {VirtualHardwareType::HardDrive})) {
                static const char* const kFiles[] = {"ide.vmdk", "scsi.vmdk", "missing.vmdk"};
                const char* file = kFiles[pick(3)];
                m_log += std::string(" ") + file;
                leave(child<QLineEdit>(e, "txtHDFile"), QString::fromStdString((m_disks / file).string()));
            }
            break;
        }
        case 10:
            m_log += "\ncd-rom";
            if (clickRandomRow(e, {VirtualHardwareType::CDRomDrive})) {
                if (pick(2) == 0) {
                    child<QRadioButton>(e, "optCDRImage")->click();
                    leave(child<QLineEdit>(e, "txtCDRImage"), QStringLiteral("/isos/walk%1.iso").arg(pick(100)));
                } else {
                    child<QRadioButton>(e, "optCDRDrive")->click();
                    choose(child<QComboBox>(e, "cboCDRDrive"), 0);
                }
            }
            break;
        case 11:
            m_log += "\ngeneric scsi device";
            if (clickRandomRow(e, {VirtualHardwareType::GenericSCSI}))
                leave(child<QLineEdit>(e, "txtGenSCSIDevice"), QStringLiteral("/dev/sg%1").arg(pick(4)));
            break;
        default:
            m_log += "\nscsi controller type";
            if (clickRandomRow(e, {VirtualHardwareType::SCSIController}))
                choose(child<QComboBox>(e, "cboSCSICont"), pick(2));
            break;
        }
    }

    /** The list shows every device as the model has it, and no two devices share a node. */
    void checkList(const editor::Velmire& e)
    {
        const auto hw = e.Machine()->Hardware();
        std::multiset<std::pair<std::string, std::string>> shown;
        for (int i = 0; i < list(e)->topLevelItemCount(); ++i) {
            const auto key = keyOfRow(e, i);
            ASSERT_TRUE(key.has_value()) << m_log;
            shown.emplace(key->second, list(e)->topLevelItem(i)->text(0).toStdString());
        }
        std::multiset<std::pair<std::string, std::string>> model;
        for (const auto& row : editor::CollectHardwareRows(*hw))
            model.emplace(row.id, row.displayName);
        EXPECT_EQ(shown, model) << "the list does not show the model" << m_log;

        std::map<std::string, std::string> taken;
        auto claim = [&](const auto& collection) {
            for (std::int32_t i = 1; i <= collection.Count(); ++i) {
                const auto item = collection.Item(i);
                if (item->Controller() < 0 || item->BusNode() < 0)
                    continue;
                const std::string node =
                    item->BusType() + std::to_string(item->Controller()) + ":" + std::to_string(item->BusNode());
                const auto [it, fresh] = taken.emplace(node, item->DisplayName());
                EXPECT_TRUE(fresh) << it->second << " and " << item->DisplayName() << " share " << node << m_log;
            }
        };
        claim(*hw->HardDisks());
        claim(*hw->CDRoms());
        claim(*hw->GenericSCSIDevices());
    }

    /** Kind and node of every disk, CD-ROM and generic SCSI row that shows a node ("10 SCSI0:1"). */
    static std::multiset<std::string> attachedRows(const editor::Velmire& e)
    {
        std::multiset<std::string> rows;
        for (int i = 0; i < list(e)->topLevelItemCount(); ++i) {
            const auto key = keyOfRow(e, i);
            const auto node = nodeOfRow(list(e)->topLevelItem(i)->text(0));
            if (key && node)
                rows.insert(std::to_string(static_cast<int>(key->first)) + " " + *node);
        }
        return rows;
    }

    /** One walk from an open editor; saves to file and reads it back. */
    void walk(std::unique_ptr<editor::Velmire> editor, const std::filesystem::path& file, unsigned seed)
    {
        m_rng.seed(seed);
        m_log = "\nseed " + std::to_string(seed) + ", " + file.filename().string() + ":";
        SCOPED_TRACE("seed " + std::to_string(seed) + " (replay with ZV_NODE_WALK_SEED=" + std::to_string(seed) + ")");
        dialogs.clear();
        for (int i = 0; i < kStepsPerWalk; ++i) {
            step(*editor);
            checkList(*editor);
            if (HasFailure())
                return;
        }
        const auto before = attachedRows(*editor);
        ASSERT_TRUE(editor->CreateVmxFile()) << dialogs.messageTitles().join(QLatin1Char(';')).toStdString() << m_log;
        editor.reset();
        const auto reopened = openEditor(file);
        EXPECT_EQ(attachedRows(*reopened), before) << "saved and read back on other nodes" << m_log << "\n\n"
                                                   << readFile(file);
        checkList(*reopened);
    }

    /** Descriptors the walk types into the disk file box: one IDE disk, one SCSI disk. */
    void writeDisks()
    {
        m_disks = temp.path() / "disks";
        std::filesystem::create_directories(m_disks);
        for (const char* adapter : {"ide", "lsilogic"}) {
            writeFile(m_disks / (std::string(adapter) == "ide" ? "ide.vmdk" : "scsi.vmdk"),
                      std::string("# Disk DescriptorFile\r\nversion=1\r\nCID=12345678\r\nparentCID=ffffffff\r\n"
                                  "createType=\"monolithicSparse\"\r\n\r\nRW 4096 SPARSE \"x.vmdk\"\r\n\r\n"
                                  "ddb.virtualHWVersion = \"4\"\r\nddb.geometry.cylinders = \"4\"\r\n"
                                  "ddb.geometry.heads = \"16\"\r\nddb.geometry.sectors = \"63\"\r\n"
                                  "ddb.adapterType = \"") +
                          adapter + "\"\r\n");
        }
    }

    std::vector<unsigned> seeds() const
    {
        // A walk's seed is this seed times 1000 plus the file's number (0 for a new configuration).
        if (const char* fixed = std::getenv("ZV_NODE_WALK_SEED"))
            return {static_cast<unsigned>(std::strtoul(fixed, nullptr, 10)) / 1000u};
        return {1, 2, 3, 4};
    }

    std::mt19937 m_rng;
    std::string m_log;
    std::filesystem::path m_disks;
};

TEST_F(NodeInvariantTest, NewConfigurationsKeepEveryRowOnItsNode)
{
    writeDisks();
    for (const unsigned seed : seeds()) {
        const auto folder = temp.path() / ("new" + std::to_string(seed));
        std::filesystem::create_directories(folder);
        walk(newEditor(QStringLiteral("Walk"), QString::fromStdString(folder.string() + "/")), folder / "Walk.vmx",
             seed * 1000u);
        if (HasFailure())
            return;
    }
}

// Real files with IDE and SCSI controllers with disks and CD-ROMs on them. The first two come from
// repositories without a licence: they are tested when the extra corpus folder is there.
struct RealFile {
    const char* relative;
    unsigned salt; // varies the walk between the files
};

void PrintTo(const RealFile& file, std::ostream* out)
{
    *out << file.relative;
}

class NodeInvariantRealFile : public NodeInvariantTest, public ::testing::WithParamInterface<RealFile> {};

TEST_P(NodeInvariantRealFile, KeepsEveryRowOnItsNode)
{
    const auto source = test::corpus::Find(GetParam().relative);
    if (!source)
        GTEST_SKIP() << test::corpus::MissingReason(GetParam().relative);
    writeDisks();
    const std::string name = source->path.filename().string();
    for (const unsigned seed : seeds()) {
        const auto folder = temp.path() / std::to_string(seed);
        std::filesystem::create_directories(folder);
        const auto file = folder / name;
        std::filesystem::copy_file(source->path, file);
        bool loaded = false;
        auto editor = openEditor(file, &loaded);
        ASSERT_TRUE(loaded) << source->relative;
        walk(std::move(editor), file, seed * 1000u + GetParam().salt);
        if (HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, NodeInvariantRealFile,
                         ::testing::Values(RealFile{"vmx/metasploitable2/Metasploitable.vmx", 1},
                                           RealFile{"vmx/freebsd-project/FreeBSD.vmx", 2},
                                           RealFile{"vmx/cosmos/2008-09-10_Workstation_Cosmos.vmx", 3},
                                           RealFile{"vmx/libvirt/vmx2xml-ws-in-the-wild-1.vmx", 4}),
                         [](const ::testing::TestParamInfo<RealFile>& info) {
                             return test::corpus::TestName(
                                 std::filesystem::path(info.param.relative).stem().string());
                         });

} // namespace
} // namespace zentravolix::testing
