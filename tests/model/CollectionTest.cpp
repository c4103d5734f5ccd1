// SPDX-License-Identifier: MIT
// The collection pattern shared by every device collection: numbering, lookup, removal, limits,
// and the hardware container around them.

#include <tarvonel/tarvonel.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace tarvonel;

namespace {

class CollectionTest : public ::testing::Test {
protected:
    VirtualMachine vm;
    std::shared_ptr<clsCDRoms> cdroms = vm.Hardware()->CDRoms();

    std::vector<std::int16_t> Numbers() const
    {
        std::vector<std::int16_t> numbers;
        for (std::int32_t i = 1; i <= cdroms->Count(); ++i)
            numbers.push_back(cdroms->Item(i)->DeviceNum());
        return numbers;
    }
};

template <class E, class F>
void ExpectError(F&& call, int number)
{
    try {
        call();
        ADD_FAILURE() << "no error raised";
    } catch (const E& error) {
        EXPECT_EQ(error.Number(), number);
    }
}

} // namespace

TEST(HardwareContainer, FreshMachineHasFifteenEmptyCollections)
{
    VirtualMachine vm;
    const auto hw = vm.Hardware();
    EXPECT_EQ(vm.Notes(), "");
    EXPECT_EQ(hw, vm.Hardware());
    const std::vector<std::int32_t> counts = {hw->CPUs()->Count(),
                                              hw->Memory()->Count(),
                                              hw->Floppies()->Count(),
                                              hw->ParallelPorts()->Count(),
                                              hw->SerialPorts()->Count(),
                                              hw->AudioDevices()->Count(),
                                              hw->NetworkAdapters()->Count(),
                                              hw->USBControllers()->Count(),
                                              hw->IDEControllers()->Count(),
                                              hw->SCSIControllers()->Count(),
                                              hw->HardDisks()->Count(),
                                              hw->CDRoms()->Count(),
                                              hw->GenericSCSIDevices()->Count(),
                                              hw->Displays()->Count(),
                                              hw->Mice()->Count()};
    EXPECT_EQ(counts, std::vector<std::int32_t>(15, 0));
    EXPECT_EQ(hw->CDRoms(), hw->CDRoms());

    vm.SetNotes("two\nlines");
    EXPECT_EQ(vm.Notes(), "two\nlines");
}

TEST(HardwareContainer, MachineCanBeSharedOrOnTheStack)
{
    auto shared = std::make_shared<VirtualMachine>();
    shared->Hardware()->Mice()->Add();
    EXPECT_EQ(shared->Hardware()->Mice()->Count(), 1);
}

TEST(HardwareContainer, TypeNamesRoundTrip)
{
    VirtualMachine vm;
    const auto hw = vm.Hardware();
    const std::vector<std::string> names = {"CPU",
                                            "Memory",
                                            "Floppy",
                                            "Parallel Port",
                                            "Serial Port",
                                            "Audio Adapter",
                                            "Network Adapter",
                                            "USB Controller",
                                            "IDE Controller",
                                            "SCSI Controller",
                                            "Hard Disk",
                                            "CD-ROM",
                                            "Generic SCSI Device",
                                            "Display",
                                            "Mouse"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto type = static_cast<VirtualHardwareType>(i);
        EXPECT_EQ(hw->HWTypeToText(type), names[i]);
        EXPECT_EQ(hw->HWTextToType(names[i]), type);
    }
}

TEST(HardwareContainer, TypeNamesIgnoreCaseAndDefaultToCPU)
{
    VirtualMachine vm;
    const auto hw = vm.Hardware();
    EXPECT_EQ(hw->HWTextToType("hard disk"), VirtualHardwareType::HardDrive);
    EXPECT_EQ(hw->HWTextToType("hArD dIsK"), VirtualHardwareType::HardDrive);
    EXPECT_EQ(hw->HWTextToType("cd-rom"), VirtualHardwareType::CDRomDrive);
    EXPECT_EQ(hw->HWTextToType("Sound"), VirtualHardwareType::CPU);
    EXPECT_EQ(hw->HWTextToType(""), VirtualHardwareType::CPU);
    EXPECT_EQ(hw->HWTextToType(" Hard Disk"), VirtualHardwareType::CPU); // exact after upper-casing
    EXPECT_EQ(hw->HWTypeToText(VirtualHardwareType::Device), "");
    EXPECT_EQ(hw->HWTypeToText(static_cast<VirtualHardwareType>(-1)), "");
    EXPECT_EQ(hw->HWTypeToText(static_cast<VirtualHardwareType>(300)), "");
}

TEST_F(CollectionTest, NumbersAreTheLowestFreeAndReused)
{
    for (int i = 0; i < 3; ++i)
        cdroms->Add();
    EXPECT_EQ(Numbers(), (std::vector<std::int16_t>{0, 1, 2}));

    cdroms->Remove(-1, cdroms->Item(2)->ID());
    EXPECT_EQ(Numbers(), (std::vector<std::int16_t>{0, 2}));
    EXPECT_EQ(cdroms->Add()->DeviceNum(), 1);
    EXPECT_EQ(cdroms->Add()->DeviceNum(), 3);
    // Positions follow insertion order, not numbers.
    EXPECT_EQ(Numbers(), (std::vector<std::int16_t>{0, 2, 1, 3}));
    EXPECT_EQ(cdroms->Item(3)->DisplayName(), "CD-ROM2");
}

TEST_F(CollectionTest, NumberZeroIsReusedFirst)
{
    for (int i = 0; i < 3; ++i)
        cdroms->Add();
    cdroms->Remove(1);
    EXPECT_EQ(Numbers(), (std::vector<std::int16_t>{1, 2}));
    const auto again = cdroms->Add();
    EXPECT_EQ(again->DeviceNum(), 0);
    EXPECT_EQ(again->DisplayName(), "CD-ROM");
}

TEST_F(CollectionTest, FreedNumbersAreTakenLowestFirst)
{
    for (int i = 0; i < 6; ++i)
        cdroms->Add();
    for (std::int16_t number : {3, 1, 5}) {
        for (std::int32_t i = 1; i <= cdroms->Count(); ++i) {
            if (cdroms->Item(i)->DeviceNum() == number) {
                cdroms->Remove(i);
                break;
            }
        }
    }
    EXPECT_EQ(Numbers(), (std::vector<std::int16_t>{0, 2, 4}));
    std::vector<std::int16_t> added;
    for (int i = 0; i < 4; ++i)
        added.push_back(cdroms->Add()->DeviceNum());
    EXPECT_EQ(added, (std::vector<std::int16_t>{1, 3, 5, 6}));
}

TEST_F(CollectionTest, LookupByPositionAndByIdAfterRemovals)
{
    std::vector<std::shared_ptr<clsCDRom>> added;
    for (int i = 0; i < 4; ++i)
        added.push_back(cdroms->Add());

    cdroms->Remove(1);
    EXPECT_EQ(cdroms->Count(), 3);
    EXPECT_EQ(cdroms->Item(2), added[2]); // former position 3
    for (const auto& item : {added[1], added[2], added[3]})
        EXPECT_EQ(cdroms->Item(-1, item->ID()), item);

    cdroms->Remove(-1, added[2]->ID());
    EXPECT_EQ(cdroms->Item(1), added[1]);
    EXPECT_EQ(cdroms->Item(2), added[3]);
    // A position wins over an ID.
    EXPECT_EQ(cdroms->Item(2, added[1]->ID()), added[3]);
}

TEST_F(CollectionTest, NoArgumentsMeansNoObjectAndNoChange)
{
    cdroms->Add();
    EXPECT_EQ(cdroms->Item(), nullptr);
    cdroms->Remove();
    EXPECT_EQ(cdroms->Count(), 1);
}

TEST_F(CollectionTest, BadSelectionFailsAndChangesNothing)
{
    const auto first = cdroms->Add();
    const auto second = cdroms->Add();

    ExpectError<SubscriptOutOfRange>([&] { cdroms->Item(0); }, 9);
    ExpectError<SubscriptOutOfRange>([&] { cdroms->Item(3); }, 9);
    ExpectError<SubscriptOutOfRange>([&] { cdroms->Item(-2); }, 9);
    ExpectError<InvalidArgument>([&] { cdroms->Item(-1, "0123456789ABCDEF0123456789ABCDEF"); }, 5);
    ExpectError<InvalidArgument>([&] { cdroms->Item(-1, first->ID() + "~"); }, 5);
    ExpectError<SubscriptOutOfRange>([&] { cdroms->Remove(3); }, 9);
    ExpectError<InvalidArgument>([&] { cdroms->Remove(-1, "nope"); }, 5);

    EXPECT_EQ(cdroms->Count(), 2);
    EXPECT_EQ(cdroms->Item(1), first);
    EXPECT_EQ(cdroms->Item(2), second);
    EXPECT_EQ(cdroms->Item(-1, second->ID()), second);
}

TEST_F(CollectionTest, IdsAreUniqueUpperCaseHex)
{
    std::set<std::string> ids;
    for (int i = 0; i < 200; ++i) {
        const std::string id = cdroms->Add()->ID();
        ASSERT_EQ(id.size(), 32u);
        EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF"), std::string::npos) << id;
        ids.insert(id);
    }
    ids.insert(vm.Hardware()->Memory()->Add()->ID());
    EXPECT_EQ(ids.size(), 201u);
}

TEST_F(CollectionTest, RemovedItemStaysUsableByItsHolder)
{
    const auto kept = cdroms->Add();
    cdroms->Remove(1);
    kept->SetDeviceName("/dev/sr0");
    EXPECT_EQ(kept->Summary(), "Using drive /dev/sr0");
    EXPECT_EQ(cdroms->Count(), 0);
}

TEST(CollectionLifetime, ItemOutlivesItsModel)
{
    std::shared_ptr<clsMemory> memory;
    {
        VirtualMachine vm;
        memory = vm.Hardware()->Memory()->Add();
    }
    memory->SetMBs(256);
    EXPECT_EQ(memory->Summary(), "256 MB");
    EXPECT_EQ(memory->DisplayName(), "Memory");
}

// The number search counts in 16 bits: 32,768 items (numbers 0..32767) fit, one more does not.
TEST(CollectionLimits, FullCollectionRefusesAddAndReusesFreedNumbers)
{
    VirtualMachine vm;
    const auto mice = vm.Hardware()->Mice();
    std::shared_ptr<clsMouse> last;
    for (int i = 0; i < 32768; ++i)
        last = mice->Add();

    EXPECT_EQ(mice->Count(), 32768);
    EXPECT_EQ(last->DeviceNum(), 32767);
    EXPECT_EQ(last->DisplayName(), "Mouse32768");

    ExpectError<Overflow>([&] { mice->Add(); }, 6);
    EXPECT_EQ(mice->Count(), 32768);
    EXPECT_EQ(mice->Item(32768), last);

    const auto freed = mice->Item(101);
    mice->Remove(101);
    EXPECT_EQ(mice->Add()->DeviceNum(), freed->DeviceNum());
}
