// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Passkey.h>
#include <tarvonel/tarvonel_export.h>

#include <memory>

namespace tarvonel {

class clsGeneral;
class clsPower;
class clsSharedFolders;
class clsSnapshots;
class clsIsolation;
class clsAdvanced;

/** The options container: six option objects, the shared folders among them. */
class TARVONEL_EXPORT clsOptions : public std::enable_shared_from_this<clsOptions> {
public:
    explicit clsOptions(detail::Passkey);
    ~clsOptions();
    clsOptions(const clsOptions&) = delete;
    clsOptions& operator=(const clsOptions&) = delete;

    std::shared_ptr<clsGeneral> GeneralOptions() const { return m_general; }
    std::shared_ptr<clsPower> PowerOptions() const { return m_power; }
    std::shared_ptr<clsSharedFolders> SharedFoldersOptions() const { return m_sharedFolders; }
    std::shared_ptr<clsSnapshots> SnapshotsOptions() const { return m_snapshots; }
    std::shared_ptr<clsIsolation> GuestIsolationOptions() const { return m_isolation; }
    std::shared_ptr<clsAdvanced> AdvancedOptions() const { return m_advanced; }

private:
    friend struct detail::ItemAccess;
    void CreateOptions();

    std::shared_ptr<clsGeneral> m_general;
    std::shared_ptr<clsPower> m_power;
    std::shared_ptr<clsSharedFolders> m_sharedFolders;
    std::shared_ptr<clsSnapshots> m_snapshots;
    std::shared_ptr<clsIsolation> m_isolation;
    std::shared_ptr<clsAdvanced> m_advanced;
};

} // namespace tarvonel
