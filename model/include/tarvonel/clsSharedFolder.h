// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/Passkey.h>

#include <cstdint>
#include <string>

namespace tarvonel {

/**
 * One folder of the host shared with the guest. A new one has everything empty or False; its
 * Status follows Enabled once Enabled has been assigned.
 */
class TARVONEL_EXPORT clsSharedFolder final : public CollectionItem {
public:
    explicit clsSharedFolder(detail::Passkey);
    ~clsSharedFolder() override;

    bool operator==(const clsSharedFolder&) const = default;

    /** The 0-based number within the collection: the lowest free one at Add, never changed. */
    std::int16_t FolderNum() const { return Number(); }

    /** The name under which the guest sees the share. */
    std::string ShareName() const { return m_shareName; }
    void SetShareName(const std::string& value) { m_shareName = value; }
    std::string HostFolder() const { return m_hostFolder; }
    void SetHostFolder(const std::string& value) { m_hostFolder = value; }
    /** "Enabled" or "Disabled" after Enabled was assigned, else "". */
    std::string Status() const { return m_status; }
    bool Enabled() const { return m_enabled; }
    /** Stores the flag and recomputes Status. */
    void SetEnabled(bool value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    /** Switch the share off once the current run of the machine ends. */
    bool DisableAfterThisSession() const { return m_disableAfterThisSession; }
    void SetDisableAfterThisSession(bool value) { m_disableAfterThisSession = value; }

private:
    std::string m_shareName;
    std::string m_hostFolder;
    std::string m_status;
    bool m_enabled = false;
    bool m_readOnly = false;
    bool m_disableAfterThisSession = false;
};

extern template class Collection<clsSharedFolder>;

/**
 * The shared folders of a machine, with the switch for sharing as a whole. Add, Item and Remove
 * behave as in every collection; a new folder gets no initial values.
 */
class TARVONEL_EXPORT clsSharedFolders final : public Collection<clsSharedFolder> {
public:
    explicit clsSharedFolders(detail::Passkey);
    ~clsSharedFolders() override;

    bool operator==(const clsSharedFolders&) const = default;

    /** "Enabled" or "Disabled" after Enabled was assigned, else "". */
    std::string Summary() const { return m_summary; }
    /** Shared folders switched on as a whole. */
    bool Enabled() const { return m_enabled; }
    /** Stores the flag and recomputes Summary. */
    void SetEnabled(bool value);

private:
    std::string m_summary;
    bool m_enabled = false;
};

} // namespace tarvonel
