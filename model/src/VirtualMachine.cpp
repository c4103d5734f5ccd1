// SPDX-License-Identifier: MIT
#include <tarvonel/VirtualMachine.h>

#include <tarvonel/clsHardware.h>
#include <tarvonel/clsOptions.h>

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

} // namespace tarvonel
