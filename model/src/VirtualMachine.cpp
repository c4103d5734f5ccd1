// SPDX-License-Identifier: MIT
#include <tarvonel/VirtualMachine.h>

#include <tarvonel/tarvonel.h>

#include "detail/ItemAccess.h"

namespace tarvonel {

VirtualMachine::VirtualMachine()
    : m_hardware(detail::ItemAccess::MakeHardware()), m_options(detail::ItemAccess::MakeOptions())
{
}

VirtualMachine::~VirtualMachine()
{
    // The hardware goes first, then the options.
    m_hardware.reset();
    m_options.reset();
}

namespace {

/**
 * Applies visit to each pair of same collections and option objects of two machines (the
 * containers hand out their parts for writing even from a const machine). Every collection and
 * option object of the model is named here once, for copying and comparing alike.
 */
template <class Visit>
void forEachPart(const VirtualMachine& a, const VirtualMachine& b, Visit&& visit)
{
    const auto ha = a.Hardware();
    const auto hb = b.Hardware();
    visit(*ha->CPUs(), *hb->CPUs());
    visit(*ha->Memory(), *hb->Memory());
    visit(*ha->Floppies(), *hb->Floppies());
    visit(*ha->ParallelPorts(), *hb->ParallelPorts());
    visit(*ha->SerialPorts(), *hb->SerialPorts());
    visit(*ha->AudioDevices(), *hb->AudioDevices());
    visit(*ha->NetworkAdapters(), *hb->NetworkAdapters());
    visit(*ha->USBControllers(), *hb->USBControllers());
    visit(*ha->IDEControllers(), *hb->IDEControllers());
    visit(*ha->SCSIControllers(), *hb->SCSIControllers());
    visit(*ha->HardDisks(), *hb->HardDisks());
    visit(*ha->CDRoms(), *hb->CDRoms());
    visit(*ha->GenericSCSIDevices(), *hb->GenericSCSIDevices());
    visit(*ha->Displays(), *hb->Displays());
    visit(*ha->Mice(), *hb->Mice());
    visit(*ha->SATAControllers(), *hb->SATAControllers());
    visit(*ha->NVMeControllers(), *hb->NVMeControllers());
    const auto oa = a.Options();
    const auto ob = b.Options();
    visit(*oa->GeneralOptions(), *ob->GeneralOptions());
    visit(*oa->PowerOptions(), *ob->PowerOptions());
    visit(*oa->SharedFoldersOptions(), *ob->SharedFoldersOptions());
    visit(*oa->SnapshotsOptions(), *ob->SnapshotsOptions());
    visit(*oa->GuestIsolationOptions(), *ob->GuestIsolationOptions());
    visit(*oa->AdvancedOptions(), *ob->AdvancedOptions());
}

} // namespace

void VirtualMachine::CopyFrom(const VirtualMachine& source)
{
    if (this == &source)
        return;
    forEachPart(*this, source, [](auto& to, const auto& from) {
        // The part's own class assigns, so a value it adds is copied with the others.
        to = from;
    });
    m_notes = source.m_notes;
}

bool VirtualMachine::operator==(const VirtualMachine& other) const
{
    bool same = m_notes == other.m_notes;
    forEachPart(*this, other, [&same](const auto& a, const auto& b) { same = same && a == b; });
    return same;
}

} // namespace tarvonel
