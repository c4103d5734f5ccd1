// SPDX-License-Identifier: MIT
// Uses the public interface of Tarvonel as an outside program would, from the installed headers
// only. Exit status 0 when everything behaves; a message and 1 otherwise.

#include <tarvonel/tarvonel.h>

#include <cstdint>
#include <iostream>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

int failures = 0;

void Check(bool ok, const std::string& what)
{
    if (!ok) {
        std::cerr << "FAIL: " << what << '\n';
        ++failures;
    }
}

template <class E>
int ErrorNumberOf(void (*call)(tarvonel::clsHardware&), tarvonel::clsHardware& hw)
{
    try {
        call(hw);
    } catch (const E& error) {
        return error.Number();
    }
    return 0;
}

} // namespace

int main()
{
    using namespace tarvonel;

    // The value types of the interface.
    static_assert(std::is_same_v<std::underlying_type_t<VirtualHardwareType>, std::int16_t>);
    static_assert(std::is_same_v<std::underlying_type_t<OptionsType>, std::int16_t>);
    static_assert(std::is_base_of_v<std::runtime_error, Error>);
    static_assert(std::is_base_of_v<Error, SubscriptOutOfRange>);

    VirtualMachine vm;
    auto shared = std::make_shared<VirtualMachine>();
    std::shared_ptr<clsHardware> hw = vm.Hardware();
    std::shared_ptr<clsOptions> options = vm.Options();
    Check(hw == vm.Hardware() && options == vm.Options(), "containers are the same objects every time");
    Check(shared->Hardware() != hw, "two machines have two models");
    vm.SetNotes("notes");
    Check(vm.Notes() == "notes", "Notes");

    // Collections.
    const std::shared_ptr<clsCDRoms> cdroms = hw->CDRoms();
    std::shared_ptr<clsCDRom> cdrom = cdroms->Add();
    cdroms->Add();
    const std::int32_t count = cdroms->Count();
    Check(count == 2, "Count");
    Check(cdroms->Item(-1, cdrom->ID()) == cdrom, "Item by ID");
    Check(cdroms->Item() == nullptr, "Item() is no object");
    cdroms->Remove(2);
    cdroms->Remove(-1, "");
    Check(cdroms->Count() == 1, "Remove");
    Check(cdrom->DisplayName() == "CD-ROM" && cdrom->Summary() == "Using drive auto detect", "CD-ROM texts");

    // Controllers and their queries.
    const std::shared_ptr<clsIDEControllers> ide = hw->IDEControllers();
    std::shared_ptr<clsIDEController> controller = ide->Add();
    ide->SetMaxNodesPerController(2);
    cdrom->SetBusType("IDE");
    cdrom->SetController(0);
    cdrom->SetBusNode(1);
    const std::vector<std::string> nodes = controller->Nodes();
    Check(nodes.size() == 2 && nodes[1] == "CD-ROM 0", "Nodes");
    const std::vector<std::string> available = ide->GetAvailableNodes();
    Check(available.size() == 2 && available[1] == "IDE 0:1 - CD-ROM 0", "GetAvailableNodes");
    std::vector<CDRInfo> CCDR;
    std::int32_t lCount = 0;
    const std::int32_t result = controller->GetConnectedCDRoms(CCDR, lCount);
    Check(result == 0 && lCount == 1 && CCDR[0].iNode == 1 && CCDR[0].szBusType == "IDE",
          "GetConnectedCDRoms");
    std::vector<HDInfo> CHD;
    controller->GetConnectedHardDisks(CHD, lCount);
    Check(lCount == 0 && CHD.size() == 1, "GetConnectedHardDisks");
    const std::shared_ptr<clsSCSIController> scsi = hw->SCSIControllers()->Add();
    std::vector<GenSCSIInfo> CGS;
    scsi->GetConnectedGenericSCSIs(CGS, lCount);
    Check(scsi->Nodes().at(7) == "SCSI Controller 0", "SCSI controller node");

    // The other devices.
    hw->Memory()->Add()->SetMBs(512);
    Check(hw->Memory()->Item(1)->Summary() == "512 MB", "memory summary");
    const auto display = hw->Displays()->Add();
    display->SetVramSize(1572864);
    Check(display->Summary() == "1.5 MB", "display summary");
    Check(hw->HWTextToType("hard disk") == VirtualHardwareType::HardDrive, "HWTextToType");
    Check(hw->HWTypeToText(VirtualHardwareType::Mouse) == "Mouse", "HWTypeToText");

    // Options.
    const std::vector<std::vector<GuestOSVer>> guests = options->GeneralOptions()->SupportedGuests();
    GuestOSVer guest;
    guest.DisplayedName = "x";
    guest.ConfigName = "y";
    Check(guest.ConfigName == "y", "GuestOSVer");
    SharedFoldersInfo folder;
    folder.iDeviceNum = 1;
    folder.szShareName = "share";
    folder.bReadOnly = true;
    Check(options->SharedFoldersOptions() != nullptr && options->PowerOptions() != nullptr &&
              options->SnapshotsOptions() != nullptr && options->GuestIsolationOptions() != nullptr &&
              options->AdvancedOptions() != nullptr,
          "option objects");
    HDInfo disk;
    disk.lSize = 1;
    disk.szMode = "persistent";
    Check(disk.iController == 0, "HDInfo");

    // Errors with their numbers.
    Check(ErrorNumberOf<SubscriptOutOfRange>([](clsHardware& h) { h.CDRoms()->Item(5); }, *hw) == 9,
          "SubscriptOutOfRange is 9");
    Check(ErrorNumberOf<InvalidArgument>([](clsHardware& h) { h.CDRoms()->Item(-1, "none"); }, *hw) == 5,
          "InvalidArgument is 5");
    Check(Overflow().Number() == 6, "Overflow is 6");

    if (failures == 0)
        std::cout << "tarvonel consumer: all checks passed (" << guests.size() << " guest families)\n";
    return failures == 0 ? 0 : 1;
}
