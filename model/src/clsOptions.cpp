// SPDX-License-Identifier: MIT
#include <tarvonel/clsOptions.h>

#include <tarvonel/clsAdvanced.h>
#include <tarvonel/clsGeneral.h>
#include <tarvonel/clsIsolation.h>
#include <tarvonel/clsPower.h>
#include <tarvonel/clsSharedFolder.h>
#include <tarvonel/clsSnapshots.h>

#include "detail/ItemAccess.h"

namespace tarvonel {

clsOptions::clsOptions(detail::Passkey) {}

clsOptions::~clsOptions()
{
    // Released in creation order, as the hardware container releases its collections.
    m_general.reset();
    m_power.reset();
    m_sharedFolders.reset();
    m_snapshots.reset();
    m_isolation.reset();
    m_advanced.reset();
}

void clsOptions::CreateOptions()
{
    const std::shared_ptr<clsOptions> self = shared_from_this();
    m_general = detail::ItemAccess::MakeChild<clsGeneral>(self);
    m_power = detail::ItemAccess::MakeChild<clsPower>(self);
    m_sharedFolders = detail::ItemAccess::MakeChild<clsSharedFolders>(self);
    m_snapshots = detail::ItemAccess::MakeChild<clsSnapshots>(self);
    m_isolation = detail::ItemAccess::MakeChild<clsIsolation>(self);
    m_advanced = detail::ItemAccess::MakeChild<clsAdvanced>(self);
}

std::shared_ptr<clsOptions> detail::ItemAccess::MakeOptions()
{
    auto options = std::make_shared<clsOptions>(Key());
    options->CreateOptions();
    return options;
}

} // namespace tarvonel
