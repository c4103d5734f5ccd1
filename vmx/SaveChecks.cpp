// SPDX-License-Identifier: MIT
#include "vmx/SaveChecks.h"

#include <tarvonel/tarvonel.h>

#include <iterator>
#include <utility>
#include <vector>

namespace zentravolix::vmx {

namespace {

constexpr int kTooManyPciTitle = 186;
constexpr int kTooManyPciBefore = 187;
constexpr int kTooManyPciAfter = 188;
constexpr int kMissingDataTitle = 189;
constexpr int kInvalidVmxName = 190;
constexpr int kTooManyForVersionTitle = 2753;
constexpr int kTooManyForVersion = 2754;
constexpr int kNetworkAdaptersWord = 2755;
constexpr int kScsiControllersWord = 2756;
constexpr int kSataControllersWord = 2757;
constexpr int kNvmeControllersWord = 2758;

/** The text with %1, %2, ... replaced in one pass; a placeholder without an argument stays. */
std::string fill(const std::string& text, const std::vector<std::string>& args)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9' &&
            static_cast<std::size_t>(text[i + 1] - '1') < args.size()) {
            out += args[static_cast<std::size_t>(text[i + 1] - '1')];
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}
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

SaveRefusal makeRefusal(SaveRefusal::Kind kind, int titleId, int textId, int trailingTextId = 0,
                        std::int32_t deviceCount = 0)
{
    SaveRefusal refusal;
    refusal.kind = kind;
    refusal.titleId = titleId;
    refusal.textId = textId;
    refusal.trailingTextId = trailingTextId;
    refusal.deviceCount = deviceCount;
    return refusal;
}

} // namespace

std::int32_t CountEnabledPciDevices(const tarvonel::VirtualMachine& vm)
{
    const auto hw = vm.Hardware();
    return countEnabled(*hw->SCSIControllers()) + countEnabled(*hw->SATAControllers()) +
           countEnabled(*hw->NVMeControllers()) + countEnabled(*hw->NetworkAdapters()) +
           countEnabled(*hw->AudioDevices());
}

std::optional<SaveRefusal> CheckBeforeSave(const tarvonel::VirtualMachine& vm, bool vmxNameValid)
{
    if (!vmxNameValid)
        return makeRefusal(SaveRefusal::Kind::InvalidVmxName, kMissingDataTitle, kInvalidVmxName);
    const std::int32_t devices = CountEnabledPciDevices(vm);
    if (devices > MaxPciDevices)
        return makeRefusal(SaveRefusal::Kind::TooManyPciDevices, kTooManyPciTitle, kTooManyPciBefore,
                           kTooManyPciAfter, devices);
    return std::nullopt;
}

std::optional<SaveRefusal> CheckVersionLimits(const tarvonel::VirtualMachine& vm, bool vmxNameValid,
                                              const VersionDeviceLimits& limits)
{
    if (!vmxNameValid)
        return makeRefusal(SaveRefusal::Kind::InvalidVmxName, kMissingDataTitle, kInvalidVmxName);
    const auto hw = vm.Hardware();
    const std::pair<std::int32_t, std::int32_t> counts[] = {
        {hw->NetworkAdapters()->Count(), limits.networkAdapters},
        {hw->SCSIControllers()->Count(), limits.scsiControllers},
        {countEnabled(*hw->SATAControllers()), limits.sataControllers},
        {countEnabled(*hw->NVMeControllers()), limits.nvmeControllers},
    };
    const int words[] = {kNetworkAdaptersWord, kScsiControllersWord, kSataControllersWord, kNvmeControllersWord};
    for (std::size_t i = 0; i < std::size(counts); ++i) {
        const auto [count, limit] = counts[i];
        if (count > limit) {
            SaveRefusal refusal =
                makeRefusal(SaveRefusal::Kind::TooManyForVersion, kTooManyForVersionTitle, kTooManyForVersion, 0, count);
            refusal.limit = limit;
            refusal.kindTextId = words[i];
            refusal.product = limits.product;
            return refusal;
        }
    }
    return std::nullopt;
}

SaveRefusal EncryptedRefusal(const std::string& fileName)
{
    SaveRefusal refusal = makeRefusal(SaveRefusal::Kind::Encrypted, kEncryptedTitle, kEncryptedText);
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
    if (refusal.kind == SaveRefusal::Kind::TooManyForVersion)
        return fill(message, {refusal.product, std::to_string(refusal.limit), text(refusal.kindTextId),
                              std::to_string(refusal.deviceCount)});
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
