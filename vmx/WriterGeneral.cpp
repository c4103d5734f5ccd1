// SPDX-License-Identifier: MIT
// Banner and identity/general section of a .vmx file.
#include "vmx/detail/FileComments.h"
#include "vmx/detail/KeyNames.h"
#include "vmx/detail/VmxLines.h"

#include <tarvonel/tarvonel.h>

#include <iterator>
#include <limits>

namespace zentravolix::vmx::detail {

namespace {

/** The resource lines of processors or memory, in the order ESXi writes them; unset values write none. */
void writeResources(const tarvonel::ResourceAllocation& r, std::string_view family, VmxLines& out)
{
    const auto name = [family](std::string_view member) { return memberKey(family, member); };
    if (r.Reservation)
        out.number(name(key::SchedMin), *r.Reservation);
    if (r.MinimumSize)
        out.number(name(key::SchedMinSize), *r.MinimumSize);
    if (r.LimitUnlimited)
        out.value(name(key::SchedMax), words::Unlimited);
    else if (r.Limit)
        out.number(name(key::SchedMax), *r.Limit);
    if (r.UnitsInMhz)
        out.value(name(key::SchedUnits), words::Mhz);
    if (r.Level)
        out.value(name(key::SchedShares), words::SharesLevels[static_cast<std::size_t>(*r.Level)]);
    else if (r.CustomShares)
        out.number(name(key::SchedShares), *r.CustomShares);
}

} // namespace

void writeGeneralSection(const tarvonel::VirtualMachine& vm, VmxLines& out)
{
    if (!out.wantsPlace(KnownKeyPlace::Own)) // every key of this section is a key of its own
        return;
    const auto general = vm.Options()->GeneralOptions();
    const auto hardware = vm.Hardware();

    out.comment(comment::Rule);
    // A file name cannot carry a line end into the banner: it is escaped like a value.
    out.comment(std::string(comment::FileNamePrefix) + EscapeValue(general->VmxFileName()));
    out.comment(comment::Short);
    out.comment(comment::Generated);
    out.blank();

    out.comment(comment::IdentitySection);
    out.value(key::DisplayName, general->DisplayName());
    if (const auto* lines = platformComment(general->TargetPlatform(), general->PlatformVersion())) {
        out.comment(lines->platformLine);
        out.comment(lines->versionLine);
    }
    out.number(key::ConfigVersion, general->ConfigVersion());
    out.number(key::HardwareVersion, general->HardwareVersion());
    // Where the products write it: right after the hardware version.
    const std::int16_t kind = general->ProductCompatibility();
    if (kind >= 0 && kind < static_cast<std::int16_t>(std::size(words::ProductCompatibilities)))
        out.value(key::ProductCompatibility, words::ProductCompatibilities[kind]);
    out.value(key::GuestOS, general->GuestOSName());
    out.value(key::WorkingDir, general->WorkingPath());

    // The notes' CR LF pairs become |0D|0A through the ordinary value escaping.
    if (!vm.Notes().empty())
        out.value(key::Annotation, vm.Notes());

    const auto cpus = hardware->CPUs();
    if (cpus->Count() > 0) {
        // The historic literal has no blank between "=" and the quote; files in the field carry it.
        out.number(key::NumVCpus, cpus->Count(), " =");
        bool pae = false;
        for (std::int32_t i = 1; i <= cpus->Count(); ++i)
            pae = pae || cpus->Item(i)->EmulatePAE();
        if (pae)
            out.value(key::Pae, "TRUE");
    }
    if (cpus->CoresPerSocket() > 0)
        out.number(key::CoresPerSocket, cpus->CoresPerSocket());
    if (const auto hotAdd = cpus->HotAdd())
        out.boolean(key::CpuHotAdd, *hotAdd);
    writeResources(cpus->Resources(), key::SchedCpu, out);

    const auto memory = hardware->Memory();
    if (memory->Count() > 0) {
        // Summed in 32 bits: machines of later products have more than 32,767 MB.
        std::int64_t total = 0;
        for (std::int32_t i = 1; i <= memory->Count(); ++i)
            total += memory->Item(i)->MBs();
        if (total > std::numeric_limits<std::int32_t>::max() || total < std::numeric_limits<std::int32_t>::min())
            throw tarvonel::Overflow("Memory total does not fit 32 bits");
        out.number(key::MemSize, total);
    }
    if (const auto hotAdd = memory->HotAdd())
        out.boolean(key::MemHotAdd, *hotAdd);
    writeResources(memory->Resources(), key::SchedMem, out);
    out.blank();
}

} // namespace zentravolix::vmx::detail
