// SPDX-License-Identifier: MIT
#include <tarvonel/clsMemory.h>

#include "detail/CollectionImpl.h"

namespace tarvonel {

clsMemory::clsMemory(detail::Passkey) {}
clsMemory::~clsMemory() = default;

void clsMemory::SetMBs(std::int32_t value)
{
    m_mbs = value;
    m_summary = std::to_string(m_mbs) + " MB";
}

template <>
void Collection<clsMemory>::InitializeItem(clsMemory& item)
{
    item.SetMBs(128);
}

template class Collection<clsMemory>;

clsMemories::clsMemories(detail::Passkey) {}
clsMemories::~clsMemories() = default;

} // namespace tarvonel
