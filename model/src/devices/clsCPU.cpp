// SPDX-License-Identifier: MIT
#include <tarvonel/clsCPU.h>

#include "detail/CollectionImpl.h"

namespace tarvonel {

clsCPU::clsCPU(detail::Passkey) {}
clsCPU::~clsCPU() = default;

template <>
void Collection<clsCPU>::InitializeItem(clsCPU& item)
{
    detail::ItemAccess::SetSummary(item, "Present");
}

template class Collection<clsCPU>;

clsCPUs::clsCPUs(detail::Passkey) {}
clsCPUs::~clsCPUs() = default;

} // namespace tarvonel
