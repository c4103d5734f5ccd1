// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/OptionObject.h>
#include <tarvonel/Passkey.h>

#include <cstdint>
#include <string>

namespace tarvonel {

/** Snapshot settings. The summary is empty until SnapshotsEnabled is first assigned. */
class TARVONEL_EXPORT clsSnapshots final : public OptionObject {
public:
    explicit clsSnapshots(detail::Passkey);
    ~clsSnapshots() override;

    bool operator==(const clsSnapshots&) const = default;

    /** Always empty. */
    std::string ID() const { return {}; }
    /** "Enabled" or "Disabled" after SnapshotsEnabled was assigned, else "". */
    std::string Summary() const { return m_summary; }

    bool SnapshotsEnabled() const { return m_snapshotsEnabled; }
    /** Stores the flag and recomputes Summary. */
    void SetSnapshotsEnabled(bool value);
    /** 0 keep, 1 revert automatically, 2 commit automatically, 3 ask; stored without a check. */
    std::int16_t SnapshotPowerOffAction() const { return m_snapshotPowerOffAction; }
    void SetSnapshotPowerOffAction(std::int16_t value) { m_snapshotPowerOffAction = value; }

private:
    std::string m_summary;
    bool m_snapshotsEnabled = false;
    std::int16_t m_snapshotPowerOffAction = 0;
};

} // namespace tarvonel
