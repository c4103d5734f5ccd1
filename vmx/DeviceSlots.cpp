// SPDX-License-Identifier: MIT
// Device slots: which numbered device a key line belongs to, and which of them a model holds.
#include "vmx/detail/DeviceSlots.h"

#include "vmx/ReadProblem.h"
#include "vmx/VmxSyntax.h"

#include <tarvonel/tarvonel.h>

#include <optional>

namespace zentravolix::vmx::detail {

namespace {

/** The controller families with numbered nodes, by the BusType of their devices. */
struct BusFamily {
    std::string_view busType;
    std::string_view family;
};
constexpr BusFamily kBusFamilies[] = {{"IDE", "ide"}, {"SCSI", "scsi"}, {"SATA", "sata"}, {"NVMe", "nvme"}};

/** Families numbered by position, with their key prefix; the reader matches them by this start. */
constexpr std::string_view kPositionFamilies[] = {"sharedfolder", "floppy", "parallel", "serial", "ethernet"};

std::optional<std::int64_t> slotIndex(std::string_view digits)
{
    std::int64_t n = 0;
    if (ParseInteger(digits, 0, MaxItemsPerCollection - 1, n) != NumberStatus::Ok)
        return std::nullopt;
    return n;
}

template <class Collection>
void addPositions(std::vector<std::string>& slots, std::string_view family,
                  const Collection& collection)
{
    for (std::int32_t i = 0; i < collection.Count(); ++i)
        slots.push_back(std::string(family) + std::to_string(i));
}

template <class Collection>
void addControllers(std::vector<std::string>& slots, std::string_view family,
                    const Collection& collection)
{
    for (std::int32_t i = 1; i <= collection.Count(); ++i)
        slots.push_back(std::string(family) + std::to_string(collection.Item(i)->DeviceNum()));
}

template <class Collection> void addNodes(std::vector<std::string>& slots, const Collection& devices)
{
    for (std::int32_t i = 1; i <= devices.Count(); ++i) {
        const auto device = devices.Item(i);
        const std::string bus = device->BusType();
        for (const BusFamily& known : kBusFamilies) {
            if (bus == known.busType) {
                slots.push_back(std::string(known.family) + std::to_string(device->Controller()) + ":" +
                             std::to_string(device->BusNode()));
                break;
            }
        }
    }
}

} // namespace

SlotSet deviceSlots(const tarvonel::VirtualMachine& vm)
{
    const auto hw = vm.Hardware();
    std::vector<std::string> slots;
    slots.reserve(32);
    addPositions(slots, "sharedfolder", *vm.Options()->SharedFoldersOptions());
    addPositions(slots, "floppy", *hw->Floppies());
    addPositions(slots, "parallel", *hw->ParallelPorts());
    addPositions(slots, "serial", *hw->SerialPorts());
    addPositions(slots, "ethernet", *hw->NetworkAdapters());
    addControllers(slots, "ide", *hw->IDEControllers());
    addControllers(slots, "scsi", *hw->SCSIControllers());
    addControllers(slots, "sata", *hw->SATAControllers());
    addControllers(slots, "nvme", *hw->NVMeControllers());
    addNodes(slots, *hw->HardDisks());
    addNodes(slots, *hw->CDRoms());
    addNodes(slots, *hw->GenericSCSIDevices());
    if (hw->AudioDevices()->Count() > 0)
        slots.push_back("sound");
    if (hw->USBControllers()->Count() > 0)
        slots.push_back("usb");
    return SlotSet(std::move(slots));
}

namespace {

/** Whether text starts with head; the first letters are compared first, as most keys start with no family. */
bool startsWith(std::string_view text, std::string_view head)
{
    return text.size() >= head.size() && (head.empty() || text.front() == head.front()) &&
           text.substr(0, head.size()) == head;
}

} // namespace

KeySlots slotsOfKey(std::string_view lowerKey)
{
    const auto dot = lowerKey.find('.');
    if (dot == std::string_view::npos)
        return {};
    const std::string_view prefix = lowerKey.substr(0, dot);
    // "sound" and "usb" are matched whole, as the reader matches them ("usb_xhci" is another device).
    if (prefix == "sound" || prefix == "usb")
        return KeySlots(std::string(prefix));
    // The plain "sharedfolder" prefix holds the count, not a folder.
    for (const std::string_view family : kPositionFamilies) {
        if (prefix.size() > family.size() && startsWith(prefix, family)) {
            const auto n = slotIndex(prefix.substr(family.size()));
            if (!n)
                return {};
            return KeySlots(std::string(family) + std::to_string(*n));
        }
    }
    for (const BusFamily& known : kBusFamilies) {
        const std::string_view family = known.family;
        if (!startsWith(prefix, family))
            continue;
        const std::string_view address = prefix.substr(family.size());
        const auto colon = address.find(':');
        const auto controller = slotIndex(address.substr(0, colon));
        if (!controller)
            return {};
        std::string controllerSlot = std::string(family) + std::to_string(*controller);
        if (colon == std::string_view::npos)
            return KeySlots(std::move(controllerSlot));
        std::int64_t node = 0;
        if (ParseInteger(address.substr(colon + 1), -32768, 32767, node) != NumberStatus::Ok)
            return {};
        std::string nodeSlot = controllerSlot + ":" + std::to_string(node);
        return KeySlots(std::move(nodeSlot), std::move(controllerSlot));
    }
    return {};
}

} // namespace zentravolix::vmx::detail
