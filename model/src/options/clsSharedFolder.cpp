// SPDX-License-Identifier: MIT
#include <tarvonel/clsSharedFolder.h>

#include "detail/CollectionImpl.h"
#include "options/OptionTexts.h"

namespace tarvonel {

clsSharedFolder::clsSharedFolder(detail::Passkey) {}
clsSharedFolder::~clsSharedFolder() = default;

void clsSharedFolder::SetEnabled(bool value)
{
    m_enabled = value;
    m_status = detail::EnabledText(value);
}

// A new shared folder keeps its zero values: the generic InitializeItem does nothing.
template class Collection<clsSharedFolder>;

clsSharedFolders::clsSharedFolders(detail::Passkey) {}
clsSharedFolders::~clsSharedFolders() = default;

void clsSharedFolders::SetEnabled(bool value)
{
    m_enabled = value;
    m_summary = detail::EnabledText(value);
}

} // namespace tarvonel
