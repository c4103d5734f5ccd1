// SPDX-License-Identifier: MIT
// Which product a file is for: its comment lines, else the product that made its hardware version.
#include "config/ConfigSession.h"
#include "config/ProductTables.h"
#include "support/Corpus.h"
#include "support/Files.h"
#include "platform/TextTable.h"
#include "vmx/SaveChecks.h"

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

#include <string>

namespace fs = std::filesystem;
using namespace zentravolix;
using config::ConfigSession;
using config::InferProductVersion;
using config::ProductVersion;

namespace {

constexpr std::int16_t kWorkstation = 1, kESXi = 4;

std::string captionOf(std::int16_t platform, std::int16_t version)
{
    const auto* row = tarvonel::FindProductVersion(platform, version);
    return row ? row->PlatformName + " " + row->Caption : "none";
}

struct Opened {
    std::string product;
    std::int16_t config = 0;
    std::int16_t hardware = 0;
    std::string saved;
};

Opened open(const std::string& text)
{
    ConfigSession session("/tmp/");
    session.OpenText(text, "/tmp/zv-inference/Test.vmx");
    const auto general = session.Machine()->Options()->GeneralOptions();
    return {captionOf(general->TargetPlatform(), general->PlatformVersion()), general->ConfigVersion(),
            general->HardwareVersion(), session.Text()};
}

} // namespace

TEST(ProductInference, HardwareVersionNamesTheProductThatMadeIt)
{
    const auto name = [](std::int16_t hw, bool marks) {
        const auto product = InferProductVersion(hw, marks);
        return product ? captionOf(product->platform, product->version) : "none";
    };
    EXPECT_EQ(name(6, false), "Workstation 6.0x");
    EXPECT_EQ(name(7, false), "Workstation 7.x") << "the newest Workstation that creates it";
    EXPECT_EQ(name(16, false), "Workstation 15.x");
    EXPECT_EQ(name(21, false), "Workstation 17.5x");
    // Only ESXi makes 13, 15 and 17; ESXi's marks name ESXi for whatever it makes.
    EXPECT_EQ(name(13, false), "ESXi 6.5");
    EXPECT_EQ(name(15, false), "ESXi 6.7 U2");
    EXPECT_EQ(name(17, false), "ESXi 7.0");
    EXPECT_EQ(name(10, true), "ESXi 5.5");
    EXPECT_EQ(name(19, true), "ESXi 7.0 U2");
    // ESXi never made 6, 12 or 16: the marks do not change that.
    EXPECT_EQ(name(12, true), "Workstation 12.x");
    // Newer than anything listed: the newest version of the product.
    EXPECT_EQ(name(22, false), "Workstation 17.5x");
    EXPECT_EQ(name(22, true), "ESXi 8.0 U2");
    // Old and missing hardware versions keep the new-machine product.
    for (std::int16_t hw : {0, 1, 3, 4, 5})
        EXPECT_EQ(name(hw, false), "none") << hw;
}

TEST(ProductInference, OnlyFilesWithoutCommentLinesAndNeverTheVersionKeys)
{
    // ESXi's marks, each alone, on hardware both make.
    for (const std::string mark : {"scsi0:0.fileName = \"/vmfs/volumes/ds1/vm/vm.vmdk\"\n",
                                   "ethernet0.networkName = \"VM Network\"\n",
                                   "ethernet0.addressType = \"VPX\"\n"}) {
        const Opened esx = open("config.version = \"8\"\nvirtualHW.version = \"10\"\n" + mark);
        EXPECT_EQ(esx.product, "ESXi 5.5") << mark;
    }
    const Opened hosted = open("config.version = \"8\"\nvirtualHW.version = \"18\"\nmemsize = \"2048\"\n");
    EXPECT_EQ(hosted.product, "Workstation 16.x");
    EXPECT_EQ(hosted.config, 8);
    EXPECT_EQ(hosted.hardware, 18);
    EXPECT_NE(hosted.saved.find("virtualHW.version = \"18\""), std::string::npos);
    EXPECT_NE(hosted.saved.find("# Platform = Workstation\r\n# Version = 16.x\r\n"), std::string::npos);
    // Saved and read again, the comment lines hold the product.
    EXPECT_EQ(open(hosted.saved).product, "Workstation 16.x");

    // The comment lines win over the hardware version.
    const Opened named = open("# Platform = Workstation\n# Version = 5.5x\nconfig.version = \"8\"\nvirtualHW.version = \"20\"\n");
    EXPECT_EQ(named.product, "Workstation 5.5x");
    EXPECT_EQ(named.hardware, 20);
    const Opened esxi = open("# Platform = ESXi\n# Version = 7.0 U2\nconfig.version = \"8\"\nvirtualHW.version = \"4\"\n");
    EXPECT_EQ(esxi.product, "ESXi 7.0 U2");

    // Hardware 4 without comment lines: the product as it always was.
    const Opened old = open("config.version = \"8\"\nvirtualHW.version = \"4\"\n");
    EXPECT_EQ(old.product, "Workstation 5.5x");
    EXPECT_EQ(old.hardware, 4);
}

TEST(ProductInference, TheGuestKeepsItsSpellingAndFindsItsPlaceInTheProductsList)
{
    ConfigSession session("/tmp/");
    session.OpenText("config.version = \"8\"\nvirtualHW.version = \"20\"\nguestOS = \"WINDOWS11-64\"\n",
                     "/tmp/zv-inference/Test.vmx");
    const auto general = session.Machine()->Options()->GeneralOptions();
    EXPECT_EQ(general->GuestOSName(), "WINDOWS11-64");
    const auto guests = general->SupportedGuests();
    ASSERT_LT(static_cast<std::size_t>(general->GuestFamily()), guests.size());
    const auto& cell = guests[static_cast<std::size_t>(general->GuestFamily())][static_cast<std::size_t>(general->GuestVersion())];
    EXPECT_EQ(cell.ConfigName, "windows11-64");
    EXPECT_NE(session.Text().find("guestOS = \"WINDOWS11-64\""), std::string::npos);

    // With the product named by its comment lines (read after the guest) the same holds.
    ConfigSession named("/tmp/");
    named.OpenText("# Platform = Workstation\n# Version = 17.x\nconfig.version = \"8\"\nvirtualHW.version = \"20\"\n"
                   "guestOS = \"ubuntu-64\"\n",
                   "/tmp/zv-inference/Test.vmx");
    const auto g = named.Machine()->Options()->GeneralOptions();
    const auto table = g->SupportedGuests();
    ASSERT_LT(static_cast<std::size_t>(g->GuestFamily()), table.size());
    EXPECT_EQ(table[static_cast<std::size_t>(g->GuestFamily())][static_cast<std::size_t>(g->GuestVersion())].ConfigName,
              "ubuntu-64");
}

TEST(ProductInference, ChoosingAProductWritesItsVersionsAndLimits)
{
    ConfigSession session("/tmp/");
    session.StartNew("Machine", "/tmp/zv-inference");
    session.Machine()->Hardware()->Memory()->Item(1)->SetMBs(16384);
    const auto changes = session.ChooseProduct({kESXi, 12});
    ASSERT_TRUE(changes.has_value());
    EXPECT_FALSE(changes->any()) << "ESXi 8.0 allows 16 GB";
    const auto general = session.Machine()->Options()->GeneralOptions();
    EXPECT_EQ(general->HardwareVersion(), 20);
    EXPECT_EQ(session.Limits().MaxCPUs, 768);
    EXPECT_NE(session.Text().find("# Platform = ESXi\r\n# Version = 8.0\r\n"), std::string::npos);

    const auto narrower = session.ChooseProduct({kWorkstation, 5}); // 6.0x: 8 GB
    ASSERT_TRUE(narrower.has_value());
    ASSERT_TRUE(narrower->memoryMB.has_value());
    EXPECT_EQ(*narrower->memoryMB, 8192);
    EXPECT_FALSE(session.ChooseProduct({kWorkstation, 40}).has_value());
    EXPECT_EQ(general->PlatformVersion(), 5);
}

TEST(ProductInference, EveryModernCorpusFileShowsAVersionOfItsOwnHardware)
{
    std::size_t modern = 0, matching = 0;
    for (const auto& file : test::corpus::Files("vmx", ".vmx")) {
        ConfigSession session("/tmp/");
        try {
            session.Open(file.path, {});
        } catch (const std::exception&) {
            continue; // refused files are the reader's tests' business
        }
        const auto general = session.Machine()->Options()->GeneralOptions();
        if (general->HardwareVersion() < 6)
            continue;
        ++modern;
        const auto* product = tarvonel::FindProductVersion(general->TargetPlatform(), general->PlatformVersion());
        ASSERT_NE(product, nullptr) << file.relative;
        EXPECT_EQ(product->HardwareVersion, general->HardwareVersion())
            << file.relative << " shows " << product->PlatformName << " " << product->Caption;
        matching += product->HardwareVersion == general->HardwareVersion() ? 1 : 0;
    }
    EXPECT_GT(modern, 10u);
    RecordProperty("modernFiles", static_cast<int>(modern));
    RecordProperty("matchingFiles", static_cast<int>(matching));
    std::cout << "[ measure  ] " << matching << " of " << modern << " files of hardware 6 or later show a version of their hardware\n";
}

TEST(ProductInference, TodaysVersionsCountDevicesAgainstTheirOwnLimits)
{
    // A real ESXi file with ten network adapters: five PCI devices were the rule of the classic
    // products only.
    const auto file = test::corpus::Find("vmx/libvirt/vmx2xml-esx-in-the-wild-8.vmx");
    ASSERT_TRUE(file.has_value());
    ConfigSession session("/tmp/");
    session.Open(file->path, {});
    EXPECT_EQ(session.Machine()->Hardware()->NetworkAdapters()->Count(), 10);
    EXPECT_FALSE(session.CheckBeforeSave().has_value());

    // The same machine made for a classic version is refused as it always was.
    const auto general = session.Machine()->Options()->GeneralOptions();
    const auto product = std::pair{general->TargetPlatform(), general->PlatformVersion()};
    general->SetTargetPlatform(1);
    general->SetPlatformVersion(4);
    ASSERT_TRUE(session.CheckBeforeSave().has_value());
    EXPECT_EQ(session.CheckBeforeSave()->kind, vmx::SaveRefusal::Kind::TooManyPciDevices);
    general->SetTargetPlatform(product.first);
    general->SetPlatformVersion(product.second);

    // One adapter more than the version takes: the message names the limit.
    session.Machine()->Hardware()->NetworkAdapters()->Add();
    const auto refusal = session.CheckBeforeSave();
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->kind, vmx::SaveRefusal::Kind::TooManyForVersion);
    const auto english = [](int id) { return platform::LoadLocalizedText(id, 0); };
    EXPECT_EQ(vmx::RefusalMessage(*refusal, english),
              captionOf(general->TargetPlatform(), general->PlatformVersion()) +
                  " takes at most 10 network adapters; this machine has 11.");
    EXPECT_EQ(vmx::RefusalTitle(*refusal, english), "Too many devices for this product version");
}

TEST(ProductInference, KeptSataAndNvmeControllersCountToo)
{
    std::string text = "config.version = \"8\"\nvirtualHW.version = \"10\"\n"; // Workstation 10.x: 4 SATA, no NVMe
    for (int i = 0; i < 4; ++i)
        text += "sata" + std::to_string(i) + ".present = \"TRUE\"\nsata" + std::to_string(i) + ":0.present = \"TRUE\"\n";
    ConfigSession session("/tmp/");
    session.OpenText(text, "/tmp/zv-inference/Test.vmx");
    EXPECT_FALSE(session.CheckBeforeSave().has_value());
    session.OpenText(text + "nvme0.present = \"TRUE\"\n", "/tmp/zv-inference/Test.vmx");
    const auto refusal = session.CheckBeforeSave();
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->limit, 0);
    EXPECT_EQ(refusal->deviceCount, 1);
    EXPECT_EQ(platform::LoadLocalizedText(refusal->kindTextId, 0), "NVMe controllers");
    // A controller whose present line says FALSE does not exist.
    session.OpenText(text + "nvme0.present = \"FALSE\"\n", "/tmp/zv-inference/Test.vmx");
    EXPECT_FALSE(session.CheckBeforeSave().has_value());
}

TEST(ProductInference, ChoosingTodaysVersionTakesTheNewerLinesOfAClassicFileIntoTheModel)
{
    // A classic file that someone gave today's adapter types by hand: read as Workstation 5.5x, the
    // newer lines stay text; once a version of today is chosen they are the model's, written once.
    const std::string text = "config.version = \"8\"\nvirtualHW.version = \"4\"\nmemsize = \"256\"\n"
                             "ethernet0.present = \"TRUE\"\nethernet0.virtualDev = \"e1000e\"\n"
                             "firmware = \"efi\"\nzz.unknown = \"kept\"\n";
    ConfigSession session("/tmp/");
    session.OpenText(text, "/tmp/zv-newer/vm.vmx");
    const auto general = session.Machine()->Options()->GeneralOptions();
    ASSERT_TRUE(config::IsClassicVersion(general->TargetPlatform(), general->PlatformVersion()));
    EXPECT_EQ(session.OtherParams().size(), 3u);

    ASSERT_TRUE(session.ChooseProduct({kWorkstation, 17}).has_value());
    const auto hw = session.Machine()->Hardware();
    EXPECT_EQ(hw->NetworkAdapters()->Item(1)->DeviceType(), 3) << "e1000e";
    EXPECT_EQ(session.OtherParams(), std::vector<std::string>{"zz.unknown = \"kept\""});
    const std::string saved = session.Text();
    auto count = [&](const std::string& what) {
        std::size_t n = 0;
        for (auto at = saved.find(what); at != std::string::npos; at = saved.find(what, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("ethernet0.virtualDev"), 1u) << saved;
    EXPECT_EQ(count("firmware = \"efi\""), 1u) << saved;
    EXPECT_EQ(count("zz.unknown"), 1u);
}

TEST(ProductInference, ALoneVersionLineOfTodaysProductTakesTheNewerLinesAsTheSavedFileWill)
{
    // No "# Platform = " line, but a "# Version = " line of today's Workstation: the file is read as
    // that product and saved naming it, so its newer lines are the model's from the first read on,
    // as they are when the saved file is read again.
    const std::string text = "scsi0.present = \"TRUE\"\nscsi0.virtualDev = \"pvscsi\"\n# Version = 6.5x\n";
    ConfigSession session("/tmp/");
    session.OpenText(text, "/tmp/zv-inference/Test.vmx");
    const auto general = session.Machine()->Options()->GeneralOptions();
    EXPECT_EQ(captionOf(general->TargetPlatform(), general->PlatformVersion()), "Workstation 6.5x");
    EXPECT_TRUE(session.OtherParams().empty());
    const std::string saved = session.Text();
    EXPECT_NE(saved.find("scsi0.virtualDev = \"pvscsi\""), std::string::npos) << saved;

    ConfigSession again("/tmp/");
    again.OpenText(saved, "/tmp/zv-inference/Test.vmx");
    EXPECT_EQ(again.Text(), saved);
}

TEST(ProductInference, DeclaredProductKindMarksEsxiAndFollowsTheChosenProduct)
{
    // "esx" is ESXi's own word; "hosted" was written by older ESX hosts too and decides nothing.
    const std::string hw10 = "config.version = \"8\"\nvirtualHW.version = \"10\"\n";
    EXPECT_EQ(open(hw10 + "virtualHW.productCompatibility = \"esx\"\n").product, "ESXi 5.5");
    EXPECT_EQ(open(hw10 + "virtualHW.productCompatibility = \"hosted\"\n").product, "Workstation 10.x");

    ConfigSession session("/tmp/");
    session.OpenText(hw10 + "virtualHW.productCompatibility = \"hosted\"\n", "/tmp/zv-inference/Test.vmx");
    const auto general = session.Machine()->Options()->GeneralOptions();
    ASSERT_TRUE(session.ChooseProduct({kESXi, 12}).has_value());
    EXPECT_EQ(general->ProductCompatibility(), config::kEsxProducts);
    EXPECT_NE(session.Text().find("virtualHW.productCompatibility = \"esx\""), std::string::npos);
    ASSERT_TRUE(session.ChooseProduct({kWorkstation, 5}).has_value());
    EXPECT_EQ(general->ProductCompatibility(), config::kHostedProducts);

    // A file without the line does not get one from a product choice.
    ConfigSession plain("/tmp/");
    plain.OpenText(hw10, "/tmp/zv-inference/Test.vmx");
    ASSERT_TRUE(plain.ChooseProduct({kESXi, 12}).has_value());
    EXPECT_EQ(plain.Text().find("productCompatibility"), std::string::npos);
}
