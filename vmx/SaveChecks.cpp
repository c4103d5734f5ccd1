// SPDX-License-Identifier: MIT
#include "vmx/SaveChecks.h"

#include <tarvonel/tarvonel.h>

namespace zentravolix::vmx {

namespace {

constexpr int kTooManyPciTitle = 186;
constexpr int kTooManyPciBefore = 187;
constexpr int kTooManyPciAfter = 188;
constexpr int kMissingDataTitle = 189;
constexpr int kInvalidVmxName = 190;
constexpr int kEncryptedText = 2767;
constexpr int kEncryptedTitle = 2768;

template <class Collection>
std::int32_t countEnabled(const Collection& collection)
{
    std::int32_t n = 0;
    for (std::int32_t i = 1; i <= collection.Count(); ++i) {
        if (collection.Item(i)->Enabled())
            ++n;
    }
    return n;
}

} // namespace

std::int32_t CountEnabledPciDevices(const tarvonel::VirtualMachine& vm)
{
    const auto hw = vm.Hardware();
    return countEnabled(*hw->SCSIControllers()) + countEnabled(*hw->NetworkAdapters()) +
           countEnabled(*hw->AudioDevices());
}

std::optional<SaveRefusal> CheckBeforeSave(const tarvonel::VirtualMachine& vm, bool vmxNameValid)
{
    if (!vmxNameValid)
        return SaveRefusal{SaveRefusal::Kind::InvalidVmxName, kMissingDataTitle, kInvalidVmxName, 0, 0, {}};
    const std::int32_t devices = CountEnabledPciDevices(vm);
    if (devices > MaxPciDevices)
        return SaveRefusal{SaveRefusal::Kind::TooManyPciDevices, kTooManyPciTitle, kTooManyPciBefore,
                           kTooManyPciAfter, devices, {}};
    return std::nullopt;
}

SaveRefusal EncryptedRefusal(const std::string& fileName)
{
    SaveRefusal refusal{SaveRefusal::Kind::Encrypted, kEncryptedTitle, kEncryptedText, 0, 0, {}};
    refusal.fileName = fileName;
    return refusal;
}

bool VmxNameFieldsValid(const tarvonel::VirtualMachine& vm)
{
    const auto general = vm.Options()->GeneralOptions();
    return !general->VmxPath().empty() && !general->VmxFileName().empty();
}

std::string RefusalTitle(const SaveRefusal& refusal, const std::function<std::string(int)>& text)
{
    return text(refusal.titleId);
}

std::string RefusalMessage(const SaveRefusal& refusal, const std::function<std::string(int)>& text)
{
    std::string message = text(refusal.textId);
    if (refusal.kind == SaveRefusal::Kind::Encrypted) {
        // The file's name takes the text's one placeholder.
        if (const auto at = message.find("%1"); at != std::string::npos)
            message.replace(at, 2, refusal.fileName);
        return message;
    }
    if (refusal.kind == SaveRefusal::Kind::TooManyPciDevices) {
        message += std::to_string(refusal.deviceCount);
        message += text(refusal.trailingTextId);
    }
    return message;
}

} // namespace zentravolix::vmx
